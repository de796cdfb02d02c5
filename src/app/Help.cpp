#include "Help.h"

#include "AppSettings.h"
#include "Version.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zeror::help {

QString manualPath()
{
    return QDir::current().filePath(kManualFileName);
}

QString manualMissingMessage()
{
    return QStringLiteral("A súgó (%1) nem található a munkakönyvtárban:\r%2")
        .arg(kManualFileName, QDir::toNativeSeparators(QDir::currentPath()));
}

QStringList aboutLines()
{
    return {
        QStringLiteral("FELVÁSÁRLÁSI JEGY "),
        QStringLiteral("2006-2016"),
        composeVersionText(),
        QString(),
        QStringLiteral("Zeror Szoftver Kft."),
        QStringLiteral("Programozó: Zeror fejlesztőcsapat"),
        QString(),
        QStringLiteral("6000 Kecskemét, Fő utca 1."),
        QStringLiteral("Telefon és fax: +36 76 000 000"),
        QStringLiteral("Mobil: +36 30 000 0000"),
        QString(),
        QStringLiteral("E-mail: ugyfelszolgalat@zeror.hu"),
        QStringLiteral("Web: www.zeror.hu"),
    };
}

QString configuredRemoteProgram()
{
    return settings::value(kRemoteProgramKey).toString().trimmed();
}

QString resolveRemoteProgram(const QString& configured)
{
    if (configured.isEmpty())
        return QString();
    const QFileInfo inWorkingFolder(QDir::current().filePath(QDir::fromNativeSeparators(configured)));
    if (inWorkingFolder.isFile() && inWorkingFolder.isExecutable())
        return inWorkingFolder.absoluteFilePath();
    return QStandardPaths::findExecutable(configured);
}

QString remoteNotConfiguredMessage()
{
    return QStringLiteral("Nincs beállítva távsegítség program.\r"
                          "A program nevét a munkakönyvtár zeror.ini fájljában lehet megadni:\r"
                          "[remotehelp]\rprogram=<a távsegítség program neve>");
}

QString remoteNotFoundMessage(const QString& configured)
{
    return QStringLiteral("A távsegítség program (%1) nem található vagy nem indítható.").arg(configured);
}

} // namespace zeror::help
