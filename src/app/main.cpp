#include "AppSettings.h"
#include "Dialogs.h"
#include "ReportPrint.h"
#include "SignalExit.h"
#include "Startup.h"
#include "TAboutBox.h"
#include "TData.h"
#include "TForm1.h"
#include "Win1250Guard.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zeror"));
    // Entry fields refuse characters the WIN1250 database cannot hold, typed or pasted.
    zeror::ui::installWin1250Guard(app);
    // Automated runs answer every message box on standard error instead of waiting for a click.
    if (qEnvironmentVariableIntValue("ZEROR_SCRIPTED_DIALOGS") == 1) {
        zeror::ui::Dialogs::setScripted(true);
        zeror::ui::Dialogs::setOnShown([](const zeror::ui::Dialogs::Shown& shown) {
            std::fprintf(stderr, "%s\n", qPrintable(zeror::ui::Dialogs::displayText(shown.text)));
        });
    }
    const zeror::StartupOptions options = zeror::parseStartupOptions(QApplication::arguments());
    zeror::settings::setShowHiddenFromCommandLine(options.showHidden);
    zeror::installPreviewDialogs();

    if (options.splash) {
        zeror::TAboutBox splash;
        splash.exec();
    }

    zeror::TData data;
    if (!options.database.isEmpty())
        data.setDatabaseName(options.database);
    if (!zeror::openDataModule(data))
        return 1;

    zeror::registerScreens();
    zeror::TForm1 window(&data);
    // After the database is open: the engine has taken the signals for itself by then.
    zeror::installCleanExitOnSignals([&data](int) {
        // As on "Kilépés": commit with retention, close the connection; then leave every event
        // loop, an open screen's included.
        try {
            data.closeAtExit();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        QCoreApplication::exit(0);
    });
    if (zeror::ui::Dialogs::isScripted())
        std::fprintf(stderr, "zeror: ready\n");
    window.show();
    return app.exec();
}
