// Loading templates: missing files, broken XML and wrong content are errors
// that name the file; the example template loads and uses every feature.

#include "exampledata.h"
#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>

TEST(Template, MissingFileIsNamedInTheError)
{
    report::Report r;
    QString error;
    EXPECT_FALSE(r.loadFromFile(QStringLiteral("/nonexistent/dir/FjLista7.frf"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open template file"))) << str(error);
    EXPECT_TRUE(error.contains(QStringLiteral("FjLista7.frf"))) << str(error);
    EXPECT_TRUE(error.contains(QStringLiteral("No such file"))) << str(error);
    EXPECT_FALSE(r.isLoaded());
}

TEST(Template, BrokenXmlNamesFileAndLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Hibas.frf"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<report>\n  <band type=\"reportTitle\" height=\"5\">\n    <text>x</txet>\n  </band>\n</report>\n");
    f.close();
    report::Report r;
    QString error;
    EXPECT_FALSE(r.loadFromFile(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Hibas.frf"))) << str(error);
    EXPECT_TRUE(error.contains(QStringLiteral("line 3"))) << str(error);
}

TEST(Template, WrongContentIsAnErrorWithFileAndLine)
{
    struct Case {
        const char* xml;
        const char* inError;
    };
    const Case cases[] = {
        {"<riport/>", "root element"},
        {"<report>\n<band type=\"header\" height=\"5\"/></report>", "unknown band type"},
        {"<report>\n<band type=\"masterData\" height=\"5\"/></report>", "needs a dataset"},
        {"<report>\n<band type=\"pageFooter\" dataset=\"x\" height=\"5\"/></report>", "cannot have a dataset"},
        {"<report>\n<band type=\"detailData\" dataset=\"x\" height=\"5\"/></report>", "needs a masterData band"},
        {"<report>\n<band type=\"masterFooter\" height=\"5\"/></report>", "needs a masterData band"},
        {"<report>\n<band type=\"reportTitle\" height=\"öt\"/></report>", "is not a number"},
        {"<report>\n<band type=\"reportTitle\" height=\"-5\"/></report>", "must not be negative"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><text align=\"middle\">x</text></band></report>", "align must be"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><text valign=\"up\">x</text></band></report>", "valign must be"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><text bold=\"igen\">x</text></band></report>", "true or false"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><text frame=\"around\">x</text></band></report>", "frame part"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><text size=\"0\">x</text></band></report>", "font size"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><image/></band></report>", "unknown object"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\"><rect fill=\"nemszín\"/></band></report>", "not a colour"},
        {"<report>\n<band type=\"reportTitle\" height=\"5\" printWhen=\"1 +\"/></report>", "printWhen"},
        {"<report>\n<page/></report>", "unknown element"},
        {"<report orientation=\"sideways\"/>", "orientation"},
        {"<report paper=\"B9\"/>", "unknown paper"},
        {"<report margins=\"1,2,3\"/>", "margins"},
        {"<report>\n<band type=\"reportTitle\" name=\"X\" height=\"5\"/><band type=\"reportSummary\" name=\"x\" height=\"5\"/></report>", "two bands"},
        {"<report>\n<band type=\"reportTitle\" name=\"X\" height=\"5\"><text>[SUM(1, 'X')]</text></band></report>", "masterData or detailData"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        report::Report r;
        QString error;
        EXPECT_FALSE(r.loadFromString(QString::fromUtf8(c.xml), QStringLiteral("Rossz.frf"), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("Rossz.frf"))) << str(error);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.inError))) << str(error);
        if (QByteArray(c.xml).contains('\n')) {
            EXPECT_TRUE(error.contains(QStringLiteral("line 2"))) << str(error);
        }
    }
}

TEST(Template, FailedLoadKeepsThePreviousTemplate)
{
    report::Report r;
    QString error;
    ASSERT_TRUE(r.loadFromString(oneBoxTemplate(QStringLiteral("jó")), QStringLiteral("jo.frf"), &error));
    EXPECT_FALSE(r.loadFromString(QStringLiteral("<report"), QStringLiteral("rossz.frf"), &error));
    EXPECT_EQ(r.fileName(), QStringLiteral("jo.frf"));
    report::DataRegistry reg;
    report::VariableStore vars;
    ASSERT_TRUE(r.prepare(reg, vars, &error));
    EXPECT_EQ(r.prepared().texts(), QStringList{QStringLiteral("jó")});
}

TEST(Template, PaperSizesAndMargins)
{
    struct Case {
        const char* attrs;
        QSizeF size;
        qreal left, top;
    };
    const Case cases[] = {
        {R"(paper="A4")", {210, 297}, 10, 10},
        {R"(paper="a5" orientation="landscape")", {210, 148}, 10, 10},
        {R"(paper="A3" margins="5,7,5,5")", {297, 420}, 5, 7},
        {R"(paper="100x150" margins="2")", {100, 150}, 2, 2},
        {R"(paper="150x100")", {100, 150}, 10, 10},  // given sideways: still portrait unless landscape
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attrs);
        report::Report r;
        QString error;
        ASSERT_TRUE(r.loadFromString(QStringLiteral(R"(<report %1><band type="reportTitle" height="5"><text name="T" w="5" h="5">x</text></band></report>)")
                                         .arg(QString::fromLatin1(c.attrs)),
                                     QStringLiteral("p.frf"), &error)) << str(error);
        report::DataRegistry reg;
        report::VariableStore vars;
        ASSERT_TRUE(r.prepare(reg, vars, &error));
        EXPECT_EQ(r.prepared().pageSizeMm, c.size);
        EXPECT_EQ(r.prepared().pages.at(0).items.at(0).rect.topLeft(), QPointF(c.left, c.top));
    }
}

TEST(Template, TextObjectAttributesReachThePreparedItems)
{
    report::DataRegistry reg;
    report::VariableStore vars;
    const report::PreparedReport p = prepareText(QStringLiteral(R"(<report margins="0">
      <band type="reportTitle" height="20">
        <text name="A" x="1" y="2" w="30" h="16" font="DejaVu Serif" size="12.5" bold="true" italic="true"
              align="right" valign="bottom" wrap="true" frame="left,bottom" frameWidth="0.5" fill="#ff0000">
          első sor
          második sor
        </text>
        <text name="B" x="0" y="0" w="5" h="5" frame="all" align="center" valign="center">b</text>
        <line name="L" x1="0" y1="10" x2="100" y2="12" width="0.4"/>
        <rect name="R" x="5" y="5" w="10" h="4" width="0.3" fill="#eeeeee"/>
      </band></report>)"), reg, vars);
    const auto& items = p.pages.at(0).items;
    ASSERT_EQ(items.size(), 4);
    const report::PreparedItem& a = items.at(0);
    EXPECT_EQ(a.kind, report::PreparedItem::Text);
    EXPECT_EQ(a.text, QStringLiteral("első sor\nmásodik sor"));
    EXPECT_EQ(a.rect, QRectF(1, 2, 30, 16));
    EXPECT_EQ(a.font.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_DOUBLE_EQ(a.font.pointSizeF(), 12.5);
    EXPECT_TRUE(a.font.bold());
    EXPECT_TRUE(a.font.italic());
    EXPECT_EQ(a.align, Qt::AlignRight | Qt::AlignBottom);
    EXPECT_TRUE(a.wordWrap);
    EXPECT_EQ(a.frames, report::FrameLeft | report::FrameBottom);
    EXPECT_DOUBLE_EQ(a.lineWidth, 0.5);
    EXPECT_EQ(a.fill, QColor(255, 0, 0));
    EXPECT_EQ(items.at(1).frames, report::FrameAll);
    EXPECT_EQ(items.at(1).align, Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_FALSE(items.at(1).font.bold());
    EXPECT_EQ(items.at(1).font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_DOUBLE_EQ(items.at(1).font.pointSizeF(), 9.0);
    EXPECT_EQ(items.at(2).kind, report::PreparedItem::Line);
    EXPECT_EQ(items.at(2).rect.topLeft(), QPointF(0, 10));
    EXPECT_EQ(items.at(2).rect.bottomRight(), QPointF(100, 12));
    EXPECT_DOUBLE_EQ(items.at(2).lineWidth, 0.4);
    EXPECT_EQ(items.at(3).kind, report::PreparedItem::Rect);
    EXPECT_EQ(items.at(3).objectName, QStringLiteral("R"));
    EXPECT_EQ(items.at(3).fill, QColor(0xee, 0xee, 0xee));
}

TEST(Template, ExampleTemplatePreparesWithEveryFeature)
{
    ExampleData data;
    report::Report r;
    QString error;
    ASSERT_TRUE(r.loadFromFile(QStringLiteral(REPORT_EXAMPLE_TEMPLATE), &error)) << str(error);
    EXPECT_EQ(r.title(), QStringLiteral("Felvásárlási jegyek termékenként"));
    ASSERT_TRUE(r.prepare(data.registry, data.variables, &error)) << str(error);
    const report::PreparedReport& p = r.prepared();
    ASSERT_GE(p.pageCount(), 2);
    const QStringList all = p.texts();
    auto has = [&](const QString& s) { return all.contains(s); };
    EXPECT_TRUE(has(QStringLiteral("Őszi Gabona Zrt. – Tiszaűrbő")));
    EXPECT_TRUE(has(QStringLiteral("MÁSOLAT")));
    EXPECT_TRUE(has(QStringLiteral("Időszak: 2024. március 1. – 2024. március 31.")));
    EXPECT_TRUE(has(QStringLiteral("1. Búza (BU1)")));
    EXPECT_TRUE(has(QStringLiteral("2. búza (BU2)")));
    EXPECT_TRUE(has(QStringLiteral("Búza összesen (14 jegy):")));
    EXPECT_TRUE(has(QStringLiteral("búza összesen (3 jegy):")));
    EXPECT_TRUE(has(QStringLiteral("Árpa összesen (0 jegy):")));
    EXPECT_TRUE(has(QStringLiteral("Átlagos egységár: nincs jegy")));
    EXPECT_TRUE(has(QStringLiteral("Termékek száma: 4")));
    EXPECT_TRUE(has(QStringLiteral("Jegyek száma: 39")));
    EXPECT_TRUE(has(QStringLiteral("-12 500 Ft")));
    EXPECT_TRUE(has(QStringLiteral("13 511 524 Ft")));
    EXPECT_TRUE(has(QStringLiteral("ÁFA (14,8 %):")));
    EXPECT_TRUE(has(QStringLiteral("FJ-00011 (S)")));   // a cancelled ticket
    EXPECT_TRUE(has(QStringLiteral("10000007-9-19")));  // tax number 10000007919 grouped 8-1-2
    EXPECT_TRUE(has(QStringLiteral("Űrhajós Ügyes Éva")));  // trimmed
    const int pages = p.pageCount();
    for (int i = 0; i < pages; ++i)
        EXPECT_TRUE(p.pageTexts(i).contains(QStringLiteral("%1. oldal / %2").arg(i + 1).arg(pages))) << i;
    // Column headers on every page, the continuation header from page 2 on.
    for (int i = 0; i < pages; ++i) {
        EXPECT_TRUE(p.pageTexts(i).contains(QStringLiteral("Jegyszám"))) << i;
        EXPECT_EQ(p.pageTexts(i).contains(QStringLiteral("Őszi Gabona Zrt. – Tiszaűrbő – felvásárlási jegyek (folytatás)")), i > 0) << i;
    }
}
