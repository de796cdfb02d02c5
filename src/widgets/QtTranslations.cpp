#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zeror::ui {

bool installQtTranslations()
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    // One translator for the process, kept by the application object.
    if (app->findChild<QTranslator*>(QStringLiteral("qtbaseHu")))
        return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(QStringLiteral("qtbaseHu"));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_hu"), folder)
        && !translator->load(QStringLiteral("qtbase_hu"), QStringLiteral("/usr/share/qt6/translations"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace zeror::ui
