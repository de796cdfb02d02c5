#pragma once

#include <QString>
#include <QStringList>

namespace zeror {

// Creates new database files from the project's schema.
namespace DatabaseSetup {

// The schema script as shipped with the program.
QString schemaScript();
// Splits a script into statements, honouring SET TERM blocks and skipping comments.
QStringList splitScript(const QString& script);

enum class Content { Minimal, Demo };

// Creates the file (never overwriting one) with the schema and the rows the program needs:
// one buyer, one producer, one product and the buyer's counter; Demo adds a realistic sample.
// Throws DbError.
void createDatabase(const QString& database, Content content = Content::Minimal);

} // namespace DatabaseSetup
} // namespace zeror
