#include "SupportMail.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

namespace zeror::supportmail {

QString databaseFileIn(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return QString();
    const QDir dir(folder);
    // Exactly this name: a backup copy or a file differing in case is not the year's database.
    if (!dir.entryList(QDir::Files).contains(kDatabaseFileName, Qt::CaseSensitive))
        return QString();
    return QDir::toNativeSeparators(dir.absoluteFilePath(kDatabaseFileName));
}

QString mailLink(const QString& address)
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), kLinkSubject);
    query.addQueryItem(QStringLiteral("body"), kLinkBody);
    url.setQuery(query);
    // Fully encoded: blanks as %20, accented letters as their UTF-8 bytes.
    return QString::fromLatin1(url.toEncoded(QUrl::FullyEncoded));
}

Command attachmentMailCommand(const QString& filePath, const QString& address)
{
    return {QStringLiteral("xdg-email"),
            {QStringLiteral("--subject"), kMailSubject, QStringLiteral("--body"), kMailBody, QStringLiteral("--attach"),
             QDir::fromNativeSeparators(filePath), address}};
}

QString checkAttachment(const QString& filePath)
{
    if (filePath.trimmed().isEmpty())
        return kNothingChosen;
    if (!QFileInfo(QDir::fromNativeSeparators(filePath)).isFile())
        return QStringLiteral("A küldendő fájl nem létezik: %1").arg(filePath);
    return QString();
}

QString noMailProgramMessage(const QString& filePath)
{
    return QStringLiteral("A levelező program nem indítható csatolt fájllal (az \"xdg-email\" parancs nincs telepítve).\r"
                          "Kérem a \"Küldés2\" gombbal nyissa meg a levelet, és a levelező programban csatolja ezt a "
                          "fájlt:\r%1")
        .arg(filePath);
}

} // namespace zeror::supportmail
