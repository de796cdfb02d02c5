#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

class QIODevice;

namespace zeror {

class Query;
class TData;

// The hand-over of a period's ticket lines to the separate inventory program: the gathering
// query, the file "zeror_keszlethez.xml" and its copy to the place the inventory program reads.
namespace inventory {

// The file written in the working folder, and the place it is copied to by default (a Windows
// path, mapped off Windows by paths::localPath).
inline const QString kFileName = QStringLiteral("zeror_keszlethez.xml");
inline const QString kDefaultTarget = QStringLiteral("C:\\keszlet2016\\zeror_keszlethez.xml");
inline const QString kCopiedMessage = QStringLiteral("Átmásolva. Adatátadás végrehajtva.");

// How a column's value becomes the text of its element.
enum class ValueKind { Text, Integer, Decimal, Date };

// The columns of the gathering, in the query's order, with their kinds.
struct Column
{
    QString name;
    ValueKind kind;
};
const QList<Column>& columns();

// The gathering query, line by line. The line's header is joined on both the ticket number and
// the buyer, so a ticket number that two buyers both use never pairs a line with the other
// buyer's header.
QStringList gatherSql();

// Runs the gathering into the query (ZQ20 on the screen): lines of the buyer whose ticket's
// purchase date falls between the two dates, both included, by purchase date. Throws DbError.
void gather(Query& query, const QDate& from, const QDate& to, const QString& buyerCode);

// The text of one value: "null" for an empty or null text, "0" for a zero, negative or null
// number, the general form with a decimal comma for a positive decimal, and month first with
// full stops for a date ("03.15.2016"; a null date is "01.01.1900").
QString valueText(ValueKind kind, const QVariant& value);

// Writes the document of the query's rows (from the first row, leaving the cursor at the end):
// the root "zeror_keszlethez" with one "Records" per row and one element per column, UTF-8,
// no XML declaration and no whitespace between the elements.
void writeXml(Query& query, QIODevice* out);

// Writes the document whole into the file (a failed write leaves an older file untouched).
// Throws Error with the reason.
void writeXmlFile(Query& query, const QString& path);

// The intermediate file in the working folder.
QString workingFile();

// Copies the written file to the target path, replacing a file already there only once the copy
// is complete. Throws Error when the file is missing or the target cannot be written.
void handOver(const QString& sourcePath, const QString& targetPath);

} // namespace inventory
} // namespace zeror
