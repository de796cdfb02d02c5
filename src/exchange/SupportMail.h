#pragma once

#include <QString>
#include <QStringList>

namespace zeror {

// Sending the year's database to the support mailbox through the operator's own mail program.
namespace supportmail {

// The support mailbox of the program's maintainers: the one place the address is kept.
inline const QString kSupportAddress = QStringLiteral("ugyfelszolgalat@zeror.hu");

inline const QString kDatabaseFileName = QStringLiteral("ru2016.fdb");
inline const QString kLinkSubject = QStringLiteral("Zeror adatok ");
inline const QString kLinkBody =
    QStringLiteral("Zeror 2016 adatok elküldése ellenőrzésre. Figyelmeztetés: csatolt fálj mellékelni kell! ");
inline const QString kMailSubject = QStringLiteral("Zeror 2016 adatok");
inline const QString kMailBody = QStringLiteral("Zeror 2016 adatok elküldése ellenőrzésre");
inline const QString kNothingChosen = QStringLiteral("Nincs kiválasztva! ");

// The file field for a folder: the folder's "ru2016.fdb" (exactly that name) when it is there,
// otherwise empty.
QString databaseFileIn(const QString& folder);

// The "mailto:" link to the support mailbox with the subject and body, percent-encoded (blanks,
// accented letters), so that every mail program reads the subject and body whole.
QString mailLink(const QString& address = kSupportAddress);

// The desktop's command that opens a new mail with the file attached.
struct Command
{
    QString program;
    QStringList arguments;
};
Command attachmentMailCommand(const QString& filePath, const QString& address = kSupportAddress);

// The refusal for the file field before handing it to the mail program; empty when it can go.
QString checkAttachment(const QString& filePath);

// What the operator reads when the desktop has no command for a mail with an attachment.
QString noMailProgramMessage(const QString& filePath);

} // namespace supportmail
} // namespace zeror
