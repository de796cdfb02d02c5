#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QIODevice;

// The text export: whole tables, one file each, in Windows-1250 with CR LF, every row written as
// :field1:,:field2:,…:fieldN:* — each field between colons, the fields separated by commas, an
// asterisk after the last one. Nothing in a value is quoted or escaped.
namespace zeror {
class TData;
}

namespace zeror::textexport {

struct ExportTable
{
    QString fileName;   // "atvevo.txt"
    QString caption;    // the tick box: "Átvevö"
    QStringList sql;    // the SELECT, line by line
};

// The six tables in the order they are written (and of the tick boxes).
const QList<ExportTable>& tables();

// The text of one value: empty for null, whole numbers in digits, decimals in the general form
// with a decimal comma and no trailing zeros, dates year first ("2016.03.05"), texts as stored.
QString fieldText(const QVariant& value);

// One record line, encoded, with its CR LF.
QByteArray recordLine(const QVector<QVariant>& values);

// The file a table goes to: the folder text and the file name joined (a missing separator is
// added), the folder mapped to a local one.
QString exportPath(const QString& folderText, const QString& fileName);

// Writes the rows of one table's query to the device.
void writeRows(TData& dataModule, const ExportTable& table, QIODevice& device);

// Writes one table to its file, whole or not at all: an older file of the name is replaced only
// when the new one is complete. Throws Error with the file's error.
void exportTable(TData& dataModule, const ExportTable& table, const QString& folderText);

// Writes the chosen tables (indices into tables()) in table order; stops at the first file that
// cannot be written (throws Error), the files already written stay. `progress` is told the file
// name before each table.
void exportTables(TData& dataModule, const QList<int>& chosen, const QString& folderText,
                  const std::function<void(const QString&)>& progress = {});

} // namespace zeror::textexport
