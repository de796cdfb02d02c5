#pragma once

#include <QString>
#include <QStringList>

// The per-user data folder an installed program starts in: the report templates, the audit XML's
// schema and the manual are copied there from the installed shared folder, and the register's
// database ru2016.fdb lives there.
namespace zeror::userfolder {

// $XDG_DATA_HOME/zeror, or ~/.local/share/zeror when the variable is unset or not absolute.
QString dataFolder();

// The installed copies, found relative to the program file (bin/../share/zeror/templates and
// bin/../share/doc/zeror), so an installation under any prefix or root finds its own files.
QString shippedTemplatesFolder();
QString shippedManual();

// Creates the folder when missing and copies into it every shipped template, the schema and the
// manual that it lacks or holds in an older copy than the shipped one (the same rule as the
// run script). Returns the names copied. Throws Error when the folder cannot be made or a file
// cannot be copied.
QStringList prepare(const QString& folder, const QString& templatesFolder = shippedTemplatesFolder(),
                    const QString& manual = shippedManual());

// The database file of the folder and the question asked when it is missing.
QString databasePath(const QString& folder);
QString createDatabaseQuestion(const QString& folder);

// Creates ru2016.fdb in the folder with its buyer, the producer, the product and the buyer's
// counter, as the database tool does without a sample. Throws DbError.
void createDatabase(const QString& folder);

} // namespace zeror::userfolder
