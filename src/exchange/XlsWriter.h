#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

class QIODevice;

namespace zeror::xls {

// Writer of the Excel 5.0/95 workbook format: BIFF5 records in the "Book" stream of an OLE2
// compound document, with 512-byte sectors.
//
// What it writes, and nothing more:
//  - one table laid out over one or more worksheets ("Munka1", "Munka2", … as a Hungarian
//    spreadsheet names them); row 1 of every sheet holds the column titles in bold, the data
//    rows follow from row 2;
//  - a sheet holds at most 16,384 rows (the format's limit), so a table with more rows goes on
//    over further sheets, each beginning with the title row again; no row is dropped;
//  - text as a LABEL in Windows-1250 (characters outside the code page become "?", a text is
//    cut at the format's 255 bytes); numbers as NUMBER; dates (QDate, QDateTime) as the
//    day number of the 1900 date system in a cell formatted with the built-in short date
//    format 14, which the reader shows in its own locale's date form; a null value as an
//    empty (BLANK) cell that still carries the column's alignment;
//  - the width of each column in characters, the left/right alignment of each column over
//    the title and data rows, and the bold title row stretched over extra empty columns when
//    asked (an empty title cell is a bold BLANK).
//
// The device must be open for writing and random access (a file, QSaveFile, QBuffer): the
// writer fills in the sheet positions and the compound-document header when it finishes.
// A failing device throws zeror::Error.
enum class Align { General, Left, Right };

struct Column
{
    QString title;
    int width = 10; // characters
    Align align = Align::General;
};

struct Layout
{
    QList<Column> columns;
    // Number of title cells set bold, counted from column A; at least the number of columns.
    int boldTitleCells = 0;
};

// Rows a worksheet holds, title row included, and the data rows that fit beside the title.
constexpr int kMaxSheetRows = 16384;
constexpr int kDataRowsPerSheet = kMaxSheetRows - 1;

// The number of worksheets a table of rowCount data rows needs (at least one).
int sheetCount(qint64 rowCount);

// The day number of a date in the 1900 date system of the spreadsheet (1900-03-01 is 61).
double serialDate(const QDate& date);

class WorkbookWriter
{
public:
    // Starts the workbook on the device; rowCount is the number of data rows that follow.
    WorkbookWriter(QIODevice& device, const Layout& layout, qint64 rowCount);
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Writes the next data row; its values are taken in column order, missing ones are empty.
    void addRow(const QVariant* values, int count);
    void addRow(const QList<QVariant>& values) { addRow(values.constData(), static_cast<int>(values.size())); }
    // Closes the last sheet and completes the compound document. Throws when fewer rows were
    // added than announced, or when the device fails.
    void finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zeror::xls
