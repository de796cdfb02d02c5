// The Excel 5.0/95 writer, read back by xlrd and FreeXL: values and their types, empty cells,
// Hungarian letters, widths, the bold title row, alignments, and tables longer than a sheet.
#include "WorkbookReaders.h"
#include "XlsWriter.h"

#include "Error.h"

#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using xls::Align;

namespace {

ReadCell text(const QString& s)
{
    ReadCell c;
    c.type = CellType::Text;
    c.text = s;
    return c;
}
ReadCell number(double v)
{
    ReadCell c;
    c.type = CellType::Number;
    c.number = v;
    return c;
}
ReadCell date(const char* iso)
{
    ReadCell c;
    c.type = CellType::Date;
    c.text = QString::fromLatin1(iso);
    return c;
}
ReadCell empty()
{
    return {};
}

struct Workbook
{
    QTemporaryDir dir;
    QString path;

    void write(const xls::Layout& layout, const QList<QList<QVariant>>& rows)
    {
        path = dir.filePath(QStringLiteral("t.xls"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        xls::WorkbookWriter writer(file, layout, rows.size());
        for (const QList<QVariant>& row : rows)
            writer.addRow(row);
        writer.finish();
    }
};

// Both readers, so that every expectation is checked against each.
std::vector<std::pair<const char*, ReadBook>> readBoth(const QString& path, bool formatting = true)
{
    return {{"xlrd", readWithXlrd(path, formatting)}, {"FreeXL", readWithFreeXL(path)}};
}

const QString kLong = QString(300, QLatin1Char('x'));

xls::Layout typedLayout()
{
    xls::Layout l;
    l.columns = {{QStringLiteral("NEV"), 45, Align::Left},
                 {QStringLiteral("OSSZEG"), 15, Align::Right},
                 {QStringLiteral("DATUM"), 12, Align::Left},
                 {QStringLiteral("SZJA"), 5, Align::Right}};
    l.boldTitleCells = 7; // three empty bold title cells after the last column
    return l;
}

QList<QList<QVariant>> typedRows()
{
    return {
        {QStringLiteral("Őri Űrszula ő ű"), 1234.5678, QDate(2016, 3, 5), qlonglong(15)},
        {QVariant(), -0.25, QVariant(), QVariant()},
        {QStringLiteral("ŐŰ áéíóöúü ÁÉÍÓÖÚÜ"), 0.0, QDate(1955, 12, 31), 16},
        {kLong, 1e9, QDate(1900, 3, 1), qlonglong(-3)},
        {QStringLiteral("€ és ☃"), QVariant(), QDate(2099, 12, 31), 0},
    };
}

std::vector<std::vector<ReadCell>> typedExpected()
{
    return {
        {text(QStringLiteral("NEV")), text(QStringLiteral("OSSZEG")), text(QStringLiteral("DATUM")),
         text(QStringLiteral("SZJA")), empty(), empty(), empty()},
        {text(QStringLiteral("Őri Űrszula ő ű")), number(1234.5678), date("2016-03-05"), number(15), empty(), empty(), empty()},
        {empty(), number(-0.25), empty(), empty(), empty(), empty(), empty()},
        {text(QStringLiteral("ŐŰ áéíóöúü ÁÉÍÓÖÚÜ")), number(0), date("1955-12-31"), number(16), empty(), empty(), empty()},
        {text(QString(255, QLatin1Char('x'))), number(1e9), date("1900-03-01"), number(-3), empty(), empty(), empty()},
        // The euro sign is in the code page, the snowman is not.
        {text(QStringLiteral("€ és ?")), empty(), date("2099-12-31"), number(0), empty(), empty(), empty()},
    };
}

} // namespace

TEST(XlsWriter, EveryCellKeepsItsValueAndTypeInBothReaders)
{
    Workbook wb;
    wb.write(typedLayout(), typedRows());
    const auto expected = typedExpected();
    for (const auto& [reader, book] : readBoth(wb.path)) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        EXPECT_EQ(book.encoding, QStringLiteral("cp1250"));
        ASSERT_EQ(book.sheets.size(), 1u);
        const ReadSheet& sheet = book.sheets[0];
        EXPECT_EQ(sheet.name, QStringLiteral("Munka1"));
        ASSERT_EQ(sheet.rows, int(expected.size()));
        EXPECT_EQ(sheet.columns, 7);
        for (int r = 0; r < sheet.rows; ++r)
            for (int c = 0; c < 7; ++c)
                EXPECT_EQ(describe(sheet.at(r, c)), describe(expected[r][c])) << "row " << r << " column " << c;
    }
}

TEST(XlsWriter, WidthsBoldTitlesAndAlignmentsAsLaidOut)
{
    Workbook wb;
    wb.write(typedLayout(), typedRows());
    const ReadBook book = readWithXlrd(wb.path);
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    const ReadSheet& sheet = book.sheets.at(0);
    const xls::Layout layout = typedLayout();
    std::map<int, int> widths;
    for (int c = 0; c < layout.columns.size(); ++c)
        widths[c] = layout.columns[c].width * 256;
    EXPECT_EQ(sheet.widths, widths);
    for (int c = 0; c < 7; ++c) {
        SCOPED_TRACE(c);
        // The title row is bold over the whole range, the empty title cells included.
        EXPECT_TRUE(sheet.at(0, c).bold);
        const QString align = c < 4 ? (layout.columns[c].align == Align::Left ? QStringLiteral("left") : QStringLiteral("right"))
                                    : QStringLiteral("general");
        for (int r = 0; r < sheet.rows; ++r) {
            if (c >= 4 && r > 0)
                continue; // nothing is written beside the table
            EXPECT_EQ(sheet.at(r, c).align, align) << "row " << r;
            if (r > 0) {
                EXPECT_FALSE(sheet.at(r, c).bold) << "row " << r;
            }
        }
    }
}

TEST(XlsWriter, EmptyTableGivesTheTitleRowOnly)
{
    Workbook wb;
    wb.write(typedLayout(), {});
    for (const auto& [reader, book] : readBoth(wb.path)) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.size(), 1u);
        EXPECT_EQ(book.sheets[0].rows, 1);
        EXPECT_EQ(describe(book.sheets[0].at(0, 2)), describe(text(QStringLiteral("DATUM"))));
    }
}

TEST(XlsWriter, FortyThousandRowsSpanThreeSheetsWithNothingLost)
{
    constexpr int kRows = 40000;
    xls::Layout layout;
    layout.columns = {{QStringLiteral("SORSZAM"), 10, Align::Right}, {QStringLiteral("NEV"), 20, Align::Left}};
    layout.boldTitleCells = 2;
    Workbook wb;
    wb.path = wb.dir.filePath(QStringLiteral("big.xls"));
    {
        QFile file(wb.path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        xls::WorkbookWriter writer(file, layout, kRows);
        for (int i = 0; i < kRows; ++i)
            writer.addRow({i + 1, QStringLiteral("Őstermelő %1").arg(i + 1)});
        writer.finish();
    }
    EXPECT_EQ(xls::sheetCount(kRows), 3);
    for (const auto& [reader, book] : readBoth(wb.path, false)) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.size(), 3u);
        int next = 1;
        for (int s = 0; s < 3; ++s) {
            const ReadSheet& sheet = book.sheets[s];
            EXPECT_EQ(sheet.name, QStringLiteral("Munka%1").arg(s + 1));
            EXPECT_LE(sheet.rows, xls::kMaxSheetRows);
            EXPECT_EQ(describe(sheet.at(0, 0)), describe(text(QStringLiteral("SORSZAM"))));
            EXPECT_EQ(describe(sheet.at(0, 1)), describe(text(QStringLiteral("NEV"))));
            for (int r = 1; r < sheet.rows; ++r, ++next) {
                if (sheet.at(r, 0).number != next || sheet.at(r, 1).text != QStringLiteral("Őstermelő %1").arg(next)) {
                    ADD_FAILURE() << "sheet " << s << " row " << r << ": " << describe(sheet.at(r, 0)) << " "
                                  << describe(sheet.at(r, 1)) << ", expected " << next;
                    return;
                }
            }
        }
        EXPECT_EQ(next - 1, kRows);
        EXPECT_EQ(book.sheets[2].rows, kRows - 2 * xls::kDataRowsPerSheet + 1);
    }
}

TEST(XlsWriter, ExactlyOneSheetFullStaysOneSheet)
{
    EXPECT_EQ(xls::sheetCount(0), 1);
    EXPECT_EQ(xls::sheetCount(xls::kDataRowsPerSheet), 1);
    EXPECT_EQ(xls::sheetCount(xls::kDataRowsPerSheet + 1), 2);
}

TEST(XlsWriter, SameBytesInMemoryAndInAFile)
{
    Workbook wb;
    wb.write(typedLayout(), typedRows());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    xls::WorkbookWriter writer(buffer, typedLayout(), typedRows().size());
    for (const auto& row : typedRows())
        writer.addRow(row);
    writer.finish();
    QFile file(wb.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(buffer.data(), file.readAll());
    EXPECT_EQ(buffer.data().size() % 512, 0);
}

TEST(XlsWriter, RefusesWhatWouldGiveABrokenWorkbook)
{
    // Fewer or more rows than announced.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        xls::WorkbookWriter writer(buffer, typedLayout(), 2);
        writer.addRow(typedRows().at(0));
        EXPECT_THROW(writer.finish(), Error);
    }
    {
        xls::WorkbookWriter writer(buffer, typedLayout(), 1);
        writer.addRow(typedRows().at(0));
        EXPECT_THROW(writer.addRow(typedRows().at(1)), Error);
    }
    // A device that is not open for writing.
    QBuffer closed;
    EXPECT_THROW(xls::WorkbookWriter(closed, typedLayout(), 0), Error);
}

TEST(XlsWriter, DatesCountFromTheSpreadsheetEpoch)
{
    EXPECT_EQ(xls::serialDate(QDate(1900, 1, 1)), 1);
    EXPECT_EQ(xls::serialDate(QDate(1900, 2, 28)), 59);
    EXPECT_EQ(xls::serialDate(QDate(1900, 3, 1)), 61);
    EXPECT_EQ(xls::serialDate(QDate(2016, 3, 5)), 42434);
}

TEST(XlsWriter, LargeWorkbookBeyondTheHeaderSectorListReadsWhole)
{
    // More than 109 allocation-table sectors (about 7 MiB) need the extended sector list.
    constexpr int kRows = 30000;
    xls::Layout layout;
    layout.columns = {{QStringLiteral("SZOVEG"), 60, Align::Left}};
    layout.boldTitleCells = 1;
    Workbook wb;
    wb.path = wb.dir.filePath(QStringLiteral("large.xls"));
    {
        QFile file(wb.path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        xls::WorkbookWriter writer(file, layout, kRows);
        for (int i = 0; i < kRows; ++i)
            writer.addRow({QStringLiteral("%1 ").arg(i, 6, 10, QLatin1Char('0')) + QString(240, QChar(u'ő'))});
        writer.finish();
    }
    ASSERT_GT(QFileInfo(wb.path).size(), 110 * 128 * 512);
    for (const auto& [reader, book] : readBoth(wb.path, false)) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.size(), 2u);
        EXPECT_EQ(book.sheets[0].rows + book.sheets[1].rows - 2, kRows);
        const ReadSheet& last = book.sheets[1];
        EXPECT_EQ(last.at(last.rows - 1, 0).text, QStringLiteral("%1 ").arg(kRows - 1, 6, 10, QLatin1Char('0')) + QString(240, QChar(u'ő')));
    }
}
