#pragma once

#include "OldImport.h"

#include <QString>
#include <QStringList>

// The producer import from a semicolon-separated file saved from a spreadsheet: one producer per
// line, each stored and committed on its own; a refused line is reported with "Hiba301…".
namespace zeror {
class TData;
}

namespace zeror::csvimport {

using oldimport::ImportCallbacks;
using oldimport::ImportSummary;

// The four instruction labels of the screen, top to bottom.
QStringList instructions();

// The lines of a file in Windows-1250; throws Error with the file's error when it cannot be read.
QStringList loadFileLines(const QString& path);

// Imports every line (blank ones hold no producer and are skipped); line numbers count from 1.
ImportSummary importLines(TData& dataModule, const QStringList& lines, const ImportCallbacks& callbacks);

// Opens ZQ30 on every producer in the database's order and moves to the last row; throws DbError.
void openProducerList(TData& dataModule);

} // namespace zeror::csvimport
