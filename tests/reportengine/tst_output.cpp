// Output: PDF files read back with pdftotext, printing through QPrinter, and
// the painting of every kind of item.

#include "exampledata.h"
#include "testutil.h"

#include "reportengine/printing.h"
#include "reportengine/render.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QString runTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfText(const QString& file)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
}

int pdfPages(const QString& file)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {file});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Three pages of rows with Hungarian letters, a landscape page size.
report::PreparedReport hungarianReport(MemorySource& rows, report::DataRegistry& reg, report::VariableStore& vars)
{
    QList<QVariantMap> list;
    for (int i = 1; i <= 100; ++i)
        list.append({{QStringLiteral("n"), QStringLiteral("Tétel %1 őű ŐŰ").arg(i)}, {QStringLiteral("v"), 1000.5 * i}});
    rows.setRows(list);
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    vars.set(QStringLiteral("v_cim"), QStringLiteral("Árvíztűrő tükörfúrógép – ŐRÜLT ŰRHAJÓ"));
    return prepareText(QStringLiteral(R"(<report orientation="landscape">
        <band type="reportTitle" height="10"><text w="200" h="8" size="14" bold="true">[v_cim]</text></band>
        <band type="columnHeader" height="6"><text w="80" h="6" frame="all" fill="#dddddd">Megnevezés</text>
            <text x="80" w="40" h="6" frame="all" align="right">Érték</text></band>
        <band type="masterData" dataset="rows" height="5"><text w="80" h="5">[R."n"]</text>
            <text x="80" w="40" h="5" align="right" format="number:2">[R."v"]</text>
            <line x1="0" y1="5" x2="120" y2="5" width="0.1"/></band>
        <band type="reportSummary" height="8"><rect w="120" h="7" width="0.4"/>
            <text w="80" h="7" valign="center" bold="true">Összesen:</text>
            <text x="80" w="40" h="7" valign="center" align="right" format="number:2">[SUM(R."v")]</text></band>
        <band type="pageFooter" height="8"><text w="270" h="5" align="center">[PAGE#]. oldal / [TOTALPAGES#]</text></band>
      </report>)"), reg, vars);
}

}  // namespace

TEST(Output, PdfHoldsTheTextsIncludingHungarianLetters)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext/pdfinfo not installed";
    MemorySource rows;
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport rep = hungarianReport(rows, reg, vars);
    ASSERT_EQ(rep.pageCount(), 3);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lista ő.pdf"));
    QString error;
    ASSERT_TRUE(report::writePdf(rep, file, &error)) << str(error);
    EXPECT_EQ(pdfPages(file), 3);
    const QString info = runTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts (A4)"))) << str(info);  // landscape

    const QString text = pdfText(file);
    for (const QString& expected : {QStringLiteral("Árvíztűrő tükörfúrógép – ŐRÜLT ŰRHAJÓ"),
                                    QStringLiteral("Megnevezés"), QStringLiteral("Tétel 1 őű ŐŰ"),
                                    QStringLiteral("Tétel 100 őű ŐŰ"), QStringLiteral("1 000,50"),
                                    QStringLiteral("100 050,00"), QStringLiteral("5 052 525,00"),
                                    QStringLiteral("1. oldal / 3"), QStringLiteral("3. oldal / 3")}) {
        EXPECT_TRUE(text.contains(expected)) << "missing: " << str(expected);
    }
    // Column headers on each page of the file.
    EXPECT_EQ(text.count(QStringLiteral("Megnevezés")), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("lista ő.pdf")});  // no temporary left
}

TEST(Output, PdfWriteErrorsNameTheFileAndLeaveNothing)
{
    MemorySource rows;
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport rep = hungarianReport(rows, reg, vars);
    QString error;
    EXPECT_FALSE(report::writePdf(rep, QStringLiteral("/nonexistent/dir/ki.pdf"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/dir/ki.pdf"))) << str(error);

    QTemporaryDir dir;
    EXPECT_FALSE(report::writePdf(report::PreparedReport(), dir.filePath(QStringLiteral("ures.pdf")), &error));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(Output, PdfReplacesAnExistingFileWhole)
{
    MemorySource rows;
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport rep = hungarianReport(rows, reg, vars);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("regi.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("régi tartalom");
    }
    QString error;
    ASSERT_TRUE(report::writePdf(rep, file, &error)) << str(error);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF-"));
}

TEST(Output, PrintGoesThroughQPrinterWithPageRange)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext/pdfinfo not installed";
    MemorySource rows;
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport rep = hungarianReport(rows, reg, vars);
    QTemporaryDir dir;

    struct Case {
        QPrinter::PrintRange range;
        int from, to;
        int pages;
        const char* firstText;
    };
    const Case cases[] = {
        {QPrinter::AllPages, 0, 0, 3, "1. oldal / 3"},
        {QPrinter::PageRange, 2, 3, 2, "2. oldal / 3"},
        {QPrinter::PageRange, 3, 9, 1, "3. oldal / 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        const QString file = dir.filePath(QStringLiteral("print%1.pdf").arg(c.from));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPrintRange(c.range);
        if (c.range == QPrinter::PageRange)
            printer.setFromTo(c.from, c.to);
        QString error;
        ASSERT_TRUE(report::print(rep, &printer, &error)) << str(error);
        EXPECT_EQ(pdfPages(file), c.pages);
        const QString text = pdfText(file);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.firstText))) << str(text.left(300));
        EXPECT_TRUE(text.contains(QStringLiteral("őű ŐŰ")));
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    }
}

TEST(Output, PaintingPutsInkWhereItemsAre)
{
    report::PreparedReport rep;
    rep.pageSizeMm = QSizeF(100, 100);
    report::PreparedPage page;
    report::PreparedItem line;
    line.kind = report::PreparedItem::Line;
    line.rect = QRectF(QPointF(10, 10), QPointF(90, 10));
    line.lineWidth = 1;
    report::PreparedItem box;
    box.kind = report::PreparedItem::Rect;
    box.rect = QRectF(10, 50, 30, 30);
    box.fill = QColor(255, 0, 0);
    box.lineWidth = 0;
    report::PreparedItem text;
    text.kind = report::PreparedItem::Text;
    text.rect = QRectF(50, 50, 40, 10);
    text.text = QStringLiteral("ŐŰ");
    text.font = QFont(QStringLiteral("DejaVu Sans"));
    text.font.setPointSizeF(20);
    text.frames = report::FrameAll;
    page.items << line << box << text;
    rep.pages << page;

    QImage img(400, 400, QImage::Format_RGB32);  // 4 px per mm
    img.fill(Qt::white);
    {
        QPainter p(&img);
        report::paintPage(rep, 0, &p, QRectF(0, 0, 400, 400));
    }
    EXPECT_EQ(img.pixelColor(200, 40), QColor(Qt::black));      // the line at y = 10 mm
    EXPECT_EQ(img.pixelColor(100, 260), QColor(255, 0, 0));      // inside the filled rectangle
    EXPECT_EQ(img.pixelColor(200, 150), QColor(Qt::white));      // empty paper
    int frameInk = 255;  // the frame's top-left corner
    for (int y = 199; y <= 201; ++y)
        for (int x = 199; x <= 201; ++x)
            frameInk = qMin(frameInk, img.pixelColor(x, y).lightness());
    EXPECT_LT(frameInk, 160);
    int dark = 0;
    for (int y = 201; y < 239; ++y)
        for (int x = 201; x < 359; ++x)
            dark += img.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 50);  // the letters
}

// Text drawn from shaped glyphs keeps its size on the 1200 dpi PDF device: each word's box is as
// tall as its font, and right-aligned numbers end at their box's right edge, not short of it.
TEST(Output, PdfTextHasItsFontSizeAndAlignment)
{
    if (!havePoppler())
        GTEST_SKIP() << "pdftotext/pdfinfo not installed";
    MemorySource rows;
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport rep = hungarianReport(rows, reg, vars);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("meret.pdf"));
    QString error;
    ASSERT_TRUE(report::writePdf(rep, file, &error)) << str(error);
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                  QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
    auto box = [&](const QString& word) {
        const QRegularExpression re(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                   "yMax=\"([\\d.]+)\">%1</word>")
                                        .arg(QRegularExpression::escape(word)));
        const QRegularExpressionMatch m = re.match(html);
        return m.hasMatch() ? QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))
                            : QRectF();
    };
    const QRectF header = box(QStringLiteral("Megnevezés"));
    ASSERT_FALSE(header.isNull()) << str(html.left(2000));
    EXPECT_GT(header.height(), 6.0);  // points; a font sized for the screen would be about 1
    EXPECT_GT(header.width(), 30.0);
    // "Érték" is right-aligned in the box from 80 to 120 mm: it ends near 120 mm - padding.
    const QRectF value = box(QStringLiteral("Érték"));
    ASSERT_FALSE(value.isNull());
    const double mm = 72.0 / 25.4;
    EXPECT_NEAR(value.right() - header.left(), (120 - 0.5 - 0.5) * mm, 3.0);
}
