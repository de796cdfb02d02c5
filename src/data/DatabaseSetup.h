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

// The table layout to create: the current one, or the one older program versions left behind
// (no O_MNYPTAG and no O_FELIR in OSTERMELO, D_KAMARA only 10 characters wide), which the
// program's schema upgrades bring up to date.
enum class Layout { Current, BeforeUpgrades };

// The schema script for a layout.
QString schemaScript(Layout layout);

// Creates the file (never overwriting one) with the schema and the rows the program needs:
// one buyer, one producer, one product and the buyer's counter; Demo adds a realistic sample.
// Throws DbError.
void createDatabase(const QString& database, Content content = Content::Minimal,
                    Layout layout = Layout::Current);

} // namespace DatabaseSetup
} // namespace zeror
