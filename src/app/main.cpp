#include "AppSettings.h"
#include "Dialogs.h"
#include "Error.h"
#include "QtTranslations.h"
#include "ReportPrint.h"
#include "FocusStyle.h"
#include "SignalExit.h"
#include "Startup.h"
#include "TAboutBox.h"
#include "TData.h"
#include "TForm1.h"
#include "UserFolder.h"
#include "Win1250Guard.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zeror"));
    zeror::ui::installQtTranslations();
    zeror::ui::installFocusStyle();
    // Entry fields refuse characters the WIN1250 database cannot hold, typed or pasted.
    zeror::ui::installWin1250Guard(app);
    // Automated runs answer every message box on standard error instead of waiting for a click.
    if (qEnvironmentVariableIntValue("ZEROR_SCRIPTED_DIALOGS") == 1) {
        zeror::ui::Dialogs::setScripted(true);
        zeror::ui::Dialogs::setOnShown([](const zeror::ui::Dialogs::Shown& shown) {
            std::fprintf(stderr, "%s\n", qPrintable(zeror::ui::Dialogs::displayText(shown.text)));
        });
        // Answers to the questions of the run, in order: "yes,no,…".
        const QStringList answers = qEnvironmentVariable("ZEROR_SCRIPTED_ANSWERS").split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& answer : answers)
            zeror::ui::Dialogs::queueAnswer(answer.trimmed().toLower() == QLatin1String("yes"));
    }
    const zeror::StartupOptions options = zeror::parseStartupOptions(QApplication::arguments());
    zeror::settings::setShowHiddenFromCommandLine(options.showHidden);
    zeror::installPreviewDialogs();

    if (options.splash) {
        zeror::TAboutBox splash;
        splash.exec();
    }

    // The menu entry of an installed program starts it in the user's own data folder: the shipped
    // templates, schema and manual are copied there, and a missing database is offered.
    if (QApplication::arguments().contains(QStringLiteral("--user-folder"))) {
        const QString folder = zeror::userfolder::dataFolder();
        try {
            zeror::userfolder::prepare(folder);
        } catch (const zeror::Error& e) {
            zeror::ui::Dialogs::error(nullptr, e.message());
            return 1;
        }
        QDir::setCurrent(folder);
        if (options.database.isEmpty() && !QFileInfo::exists(zeror::userfolder::databasePath(folder))
            && zeror::ui::Dialogs::question(nullptr, zeror::userfolder::createDatabaseQuestion(folder))) {
            try {
                zeror::userfolder::createDatabase(folder);
            } catch (const zeror::Error& e) {
                zeror::ui::Dialogs::error(nullptr, e.message());
                return 1;
            }
        }
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
