// Walking bands over feeds: master/detail groups, sums, page breaks, headers
// and footers on every page, page numbers, variables kept between prints.

#include "memorysource.h"
#include "testutil.h"

#include <QRegularExpression>

using report::PreparedItem;
using report::PreparedReport;

namespace {

QVariantMap ticket(const QString& product, const QString& number, double qty)
{
    return {{QStringLiteral("termek"), product}, {QStringLiteral("szam"), number}, {QStringLiteral("menny"), qty}};
}

// Products driven by a program feed whose handlers re-fill the ticket source
// with the current product's tickets, as the program does with its queries.
struct GroupedData {
    MemorySource products;
    MemorySource tickets;
    report::UserFeed feed;
    report::DataRegistry registry;
    report::VariableStore vars;
    QList<QVariantMap> allTickets;
    int index = 0;
    int firstCalls = 0, nextCalls = 0;

    GroupedData(QList<QVariantMap> productRows, QList<QVariantMap> ticketRows)
        : allTickets(std::move(ticketRows))
    {
        products.setRows(std::move(productRows));
        feed.onFirst = [this] {
            ++firstCalls;
            index = 0;
            products.first();
            refill();
        };
        feed.onNext = [this] {
            ++nextCalls;
            ++index;
            products.next();
            refill();
        };
        feed.onCheckEof = [this](bool& eof) { eof = index >= products.rows().size(); };
        registry.setFeed(QStringLiteral("termekek"), &feed);
        registry.setFeed(QStringLiteral("jegyek"), &tickets);
        registry.setSource(QStringLiteral("P"), &products);
        registry.setSource(QStringLiteral("J"), &tickets);
    }

    void refill()
    {
        QList<QVariantMap> rows;
        if (index < products.rows().size()) {
            const QString name = products.rows().at(index).value(QStringLiteral("nev")).toString();
            for (const QVariantMap& t : allTickets)
                if (t.value(QStringLiteral("termek")).toString() == name)  // letter case counts
                    rows << t;
        }
        tickets.setRows(rows);
    }
};

const QString kGroupedTemplate = QStringLiteral(R"(<report>
  <band type="reportTitle" height="10"><text name="Title" w="100" h="5">Felvásárlási lista</text></band>
  <band type="columnHeader" height="5"><text name="Head" w="50" h="5">Termék</text></band>
  <band type="masterData" name="Termek" dataset="termekek" height="5">
    <text name="M" w="100" h="5">[LINE#]. [P."nev"]</text></band>
  <band type="detailData" name="Jegy" dataset="jegyek" height="5">
    <text name="D" w="100" h="5">[LINE#] [J."szam"]: [J."menny"]</text></band>
  <band type="masterFooter" height="5">
    <text name="F" w="150" h="5">[P."nev"]: [COUNT()] db, [SUM(J."menny")] kg</text></band>
  <band type="reportSummary" height="5">
    <text name="S" w="180" h="5">[COUNT()] termék, [COUNT('Jegy')] jegy, [SUM(J."menny", 'Jegy')] kg, [SUM(P."suly")] t</text></band>
</report>)");

QVariantMap product(const QString& name, double weight)
{
    return {{QStringLiteral("nev"), name}, {QStringLiteral("suly"), weight}};
}

}  // namespace

TEST(Layout, MasterDetailOverUserFeedWithCaseDifferingProducts)
{
    GroupedData d({product(QStringLiteral("Búza"), 10), product(QStringLiteral("búza"), 20),
                   product(QStringLiteral("Árpa"), 30)},
                  {ticket(QStringLiteral("Búza"), QStringLiteral("J1"), 100),
                   ticket(QStringLiteral("búza"), QStringLiteral("J2"), 7.5),
                   ticket(QStringLiteral("Búza"), QStringLiteral("J3"), 50.25),
                   ticket(QStringLiteral("búza"), QStringLiteral("J4"), 2.5),
                   ticket(QStringLiteral("Kukorica"), QStringLiteral("J5"), 1000)});
    const PreparedReport p = prepareText(kGroupedTemplate, d.registry, d.vars);
    const QStringList expected = {
        QStringLiteral("Felvásárlási lista"),
        QStringLiteral("Termék"),
        QStringLiteral("1. Búza"),
        QStringLiteral("1 J1: 100"),
        QStringLiteral("2 J3: 50,25"),
        QStringLiteral("Búza: 2 db, 150,25 kg"),
        QStringLiteral("2. búza"),
        QStringLiteral("1 J2: 7,5"),
        QStringLiteral("2 J4: 2,5"),
        QStringLiteral("búza: 2 db, 10 kg"),
        QStringLiteral("3. Árpa"),
        QStringLiteral("Árpa: 0 db, 0 kg"),
        QStringLiteral("3 termék, 4 jegy, 160,25 kg, 60 t"),
    };
    EXPECT_EQ(p.texts(), expected);
    EXPECT_EQ(p.pageCount(), 1);
    EXPECT_EQ(d.firstCalls, 1);
    EXPECT_EQ(d.nextCalls, 3);
    EXPECT_EQ(d.tickets.firstCalls, 3);  // the detail feed restarts for every product

    // Bands stack downwards in order, each at its own height.
    const auto& items = p.pages.at(0).items;
    for (int i = 1; i < items.size(); ++i)
        EXPECT_GT(items.at(i).rect.top(), items.at(i - 1).rect.top()) << i;
    EXPECT_DOUBLE_EQ(items.at(0).rect.top(), 10.0);   // top margin
    EXPECT_DOUBLE_EQ(items.at(0).rect.left(), 10.0);  // left margin

    // Printing again walks the feed again and gives the same pages.
    const PreparedReport again = prepareText(kGroupedTemplate, d.registry, d.vars);
    EXPECT_EQ(again.texts(), expected);
}

TEST(Layout, EmptyMasterPrintsHeadingsAndSummaryOnly)
{
    GroupedData d({}, {ticket(QStringLiteral("Búza"), QStringLiteral("J1"), 100)});
    const PreparedReport p = prepareText(kGroupedTemplate, d.registry, d.vars);
    EXPECT_EQ(p.texts(), (QStringList{QStringLiteral("Felvásárlási lista"), QStringLiteral("Termék"),
                                      QStringLiteral("0 termék, 0 jegy, 0 kg, 0 t")}));
    EXPECT_EQ(p.pageCount(), 1);
    EXPECT_TRUE(p.textsOf(QStringLiteral("M")).isEmpty());
    EXPECT_TRUE(p.textsOf(QStringLiteral("D")).isEmpty());
    EXPECT_TRUE(p.textsOf(QStringLiteral("F")).isEmpty());
}

TEST(Layout, FeedWithoutEofHandlerGivesRowCountRows)
{
    report::UserFeed feed;
    feed.rowCount = 3;
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("f"), &feed);
    report::VariableStore vars;
    const PreparedReport p = prepareText(QStringLiteral(
        R"(<report><band type="masterData" dataset="f" height="5"><text name="R" w="20" h="5">Sor [LINE#]</text></band></report>)"),
        reg, vars);
    EXPECT_EQ(p.textsOf(QStringLiteral("R")), (QStringList{QStringLiteral("Sor 1"), QStringLiteral("Sor 2"), QStringLiteral("Sor 3")}));
}

namespace {

const QString kPagedTemplate = QStringLiteral(R"(<report paper="A4" margins="10,10,10,10">
  <band type="pageHeader" height="10"><text name="PH" w="100" h="5">Fejléc</text></band>
  <band type="reportTitle" height="20"><text name="Title" w="100" h="5">Cím</text></band>
  <band type="columnHeader" height="6"><text name="CH" w="100" h="6">Oszlop</text></band>
  <band type="masterData" name="Sor" dataset="rows" height="5">
    <text name="N" w="50" h="5">[R."n"]</text>
    <text name="V" x="50" w="30" h="5" align="right">[R."v"]</text>
  </band>
  <band type="reportSummary" height="10"><text name="S" w="100" h="5">Összesen: [SUM(R."v")] ([COUNT()] sor)</text></band>
  <band type="pageFooter" height="10">
    <text name="PF" y="2" w="60" h="5">[PAGE#] / [TOTALPAGES#]</text>
    <text name="PS" x="60" y="2" w="60" h="5">Lapösszeg: [SUM(R."v")]</text>
    <text name="PX" x="120" y="2" w="60" h="5">[IIF(PAGE# = TOTALPAGES#, 'utolsó', 'folytatódik')] [PAGE#*10]</text>
  </band>
</report>)");

QList<QVariantMap> numberedRows(int n)
{
    QList<QVariantMap> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({{QStringLiteral("n"), QStringLiteral("Sor %1").arg(i)}, {QStringLiteral("v"), i}});
    return rows;
}

}  // namespace

TEST(Layout, PageBreaksRepeatHeadersAndNumberPages)
{
    const int rowCount = 130;
    MemorySource rows(numberedRows(rowCount));
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    report::VariableStore vars;
    const PreparedReport p = prepareText(kPagedTemplate, reg, vars);

    // Page 1: 297 - 10 (bottom margin) - 10 (footer) = 277 is the body's end;
    // rows start at 10 + 10 + 20 + 6 = 46 -> 46 rows; later pages at 26 -> 50.
    ASSERT_EQ(p.pageCount(), 3);
    const QList<int> expectedRows = {46, 50, 34};
    int next = 1;
    for (int page = 0; page < p.pageCount(); ++page) {
        SCOPED_TRACE(page);
        const QStringList t = p.pageTexts(page);
        ASSERT_GE(t.size(), 3);
        EXPECT_EQ(t.at(0), QStringLiteral("Fejléc"));
        const int ch = int(t.indexOf(QStringLiteral("Oszlop")));
        EXPECT_EQ(ch, page == 0 ? 2 : 1);  // after the title on the first page
        EXPECT_EQ(t.count(QStringLiteral("Oszlop")), 1);
        EXPECT_EQ(t.count(QStringLiteral("Cím")), page == 0 ? 1 : 0);

        int pageSum = 0, rowsHere = 0;
        for (const PreparedItem& it : p.pages.at(page).items) {
            if (it.objectName == u"N") {
                EXPECT_EQ(it.text, QStringLiteral("Sor %1").arg(next));
                ++next;
                ++rowsHere;
                EXPECT_LE(it.rect.bottom(), 277.0 + 1e-9);
            } else if (it.objectName == u"V") {
                pageSum += it.text.toInt();
            } else if (it.objectName == u"PF") {
                EXPECT_EQ(it.text, QStringLiteral("%1 / 3").arg(page + 1));
                EXPECT_DOUBLE_EQ(it.rect.top(), 279.0);  // footer band at 277, text 2 mm lower
            }
        }
        EXPECT_EQ(rowsHere, expectedRows.at(page));
        EXPECT_EQ(p.textsOf(QStringLiteral("PS")).at(page), QStringLiteral("Lapösszeg: %1").arg(pageSum));
        EXPECT_EQ(p.textsOf(QStringLiteral("PX")).at(page),
                  QStringLiteral("%1 %2").arg(page == 2 ? QStringLiteral("utolsó") : QStringLiteral("folytatódik"))
                      .arg((page + 1) * 10));
    }
    EXPECT_EQ(next, rowCount + 1);
    EXPECT_EQ(p.textsOf(QStringLiteral("S")), QStringList{QStringLiteral("Összesen: 8515 (130 sor)")});
    // The summary follows the last row on the last page.
    EXPECT_TRUE(p.pageTexts(2).contains(QStringLiteral("Összesen: 8515 (130 sor)")));
}

TEST(Layout, ColumnHeaderDoesNotStayAloneAtThePageEnd)
{
    MemorySource rows(numberedRows(3));
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    report::VariableStore vars;
    QString tpl = kPagedTemplate;
    tpl.replace(QStringLiteral(R"(type="reportTitle" height="20")"), QStringLiteral(R"(type="reportTitle" height="250")"));
    const PreparedReport p = prepareText(tpl, reg, vars);
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_FALSE(p.pageTexts(0).contains(QStringLiteral("Oszlop")));
    EXPECT_EQ(p.pageTexts(1).mid(0, 3), (QStringList{QStringLiteral("Fejléc"), QStringLiteral("Oszlop"), QStringLiteral("Sor 1")}));
}

TEST(Layout, StartNewPageAndOversizedBands)
{
    struct Case {
        const char* bandAttributes;
        int rows;
        int pages;
    };
    const Case cases[] = {
        {R"(height="5" startNewPage="true")", 3, 3},
        {R"(height="400")", 3, 3},   // taller than a page: one per page, no endless loop
        {R"(height="0")", 500, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bandAttributes);
        MemorySource rows(numberedRows(c.rows));
        report::DataRegistry reg;
        reg.setFeed(QStringLiteral("rows"), &rows);
        reg.setSource(QStringLiteral("R"), &rows);
        report::VariableStore vars;
        const QString tpl = QStringLiteral(R"(<report>
            <band type="pageHeader" height="5"><text name="PH" w="20" h="5">Fej</text></band>
            <band type="masterData" dataset="rows" %1><text name="N" w="50" h="5">[R."n"]</text></band>
          </report>)").arg(QString::fromLatin1(c.bandAttributes));
        const PreparedReport p = prepareText(tpl, reg, vars);
        EXPECT_EQ(p.pageCount(), c.pages);
        EXPECT_EQ(p.textsOf(QStringLiteral("N")).size(), c.rows);
        EXPECT_EQ(p.textsOf(QStringLiteral("PH")).size(), c.pages);
        EXPECT_EQ(p.pageTexts(0).value(1), QStringLiteral("Sor 1"));  // no empty first page
    }
}

TEST(Layout, EndlessFeedStopsAtThePageLimit)
{
    report::UserFeed endless;
    endless.onCheckEof = [](bool& eof) { eof = false; };
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("f"), &endless);
    report::VariableStore vars;
    report::Report r;
    QString error;
    ASSERT_TRUE(r.loadFromString(QStringLiteral(R"(<report><band type="masterData" dataset="f" height="50"/></report>)"),
                                 QStringLiteral("Vegtelen.frf"), &error));
    r.setMaxPages(5);
    EXPECT_FALSE(r.prepare(reg, vars, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Vegtelen.frf"))) << str(error);
    EXPECT_TRUE(error.contains(QStringLiteral("more than 5 pages"))) << str(error);
}

TEST(Layout, WrappedTextStretchesItsBand)
{
    MemorySource rows({{{QStringLiteral("t"), QStringLiteral("Szűcs Erzsébet és Társa Mezőgazdasági Betéti Társaság, "
                                                             "Őrbottyán, Ősz utca 12., hátsó épület")}},
                       {{QStringLiteral("t"), QStringLiteral("Rövid")}}});
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    report::VariableStore vars;
    const PreparedReport p = prepareText(QStringLiteral(R"(<report>
        <band type="masterData" dataset="rows" height="5">
          <text name="T" w="40" h="5" wrap="true" stretch="true">[R."t"]</text>
          <text name="Fix" x="40" w="20" h="5">x</text>
        </band></report>)"), reg, vars);
    QList<PreparedItem> texts;
    for (const PreparedItem& it : p.pages.at(0).items)
        if (it.objectName == u"T")
            texts << it;
    ASSERT_EQ(texts.size(), 2);
    EXPECT_GT(texts.at(0).rect.height(), 9.0);  // three lines or more at 9 pt
    EXPECT_TRUE(texts.at(0).wordWrap);
    EXPECT_NEAR(texts.at(1).rect.top(), texts.at(0).rect.bottom(), 1e-9);  // the next row moves down
    EXPECT_DOUBLE_EQ(texts.at(1).rect.height(), 5.0);
}

TEST(Layout, PrintWhenHidesBandsAndObjects)
{
    MemorySource rows(numberedRows(6));
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    report::VariableStore vars;
    vars.set(QStringLiteral("v_masolat"), QString());
    const QString tpl = QStringLiteral(R"X(<report>
        <band type="reportTitle" height="5"><text name="Copy" w="20" h="5" printWhen="v_masolat &lt;&gt; ''">[v_masolat]</text></band>
        <band type="masterData" dataset="rows" height="5" printWhen="R.v &gt; 2">
          <text name="N" w="50" h="5">[R."n"]</text>
          <text name="Even" x="50" w="50" h="5" printWhen="R.v / 2 = ROUND(R.v / 2)">páros</text>
          <text name="Last" x="100" w="50" h="5" printWhen='R."v" = 6'>utolsó</text>
        </band>
        <band type="reportSummary" height="5"><text name="S" w="50" h="5">[COUNT()] / [SUM(R.v)]</text></band>
      </report>)X");
    PreparedReport p = prepareText(tpl, reg, vars);
    EXPECT_TRUE(p.textsOf(QStringLiteral("Copy")).isEmpty());
    EXPECT_EQ(p.textsOf(QStringLiteral("N")), (QStringList{QStringLiteral("Sor 3"), QStringLiteral("Sor 4"),
                                                           QStringLiteral("Sor 5"), QStringLiteral("Sor 6")}));
    EXPECT_EQ(p.textsOf(QStringLiteral("Even")).size(), 2);
    EXPECT_EQ(p.textsOf(QStringLiteral("Last")).size(), 1);
    EXPECT_EQ(p.textsOf(QStringLiteral("S")), QStringList{QStringLiteral("4 / 18")});  // hidden rows are not counted

    vars.set(QStringLiteral("v_masolat"), QStringLiteral("MÁSOLAT"));
    p = prepareText(tpl, reg, vars);
    EXPECT_EQ(p.textsOf(QStringLiteral("Copy")), QStringList{QStringLiteral("MÁSOLAT")});
}

TEST(Layout, VariablesStayFromOnePrintToTheNext)
{
    report::VariableStore vars;  // one store for both report objects, as in the program
    report::DataRegistry reg;
    const QString tpl = QStringLiteral(R"(<report><band type="reportTitle" height="5">
        <text name="T" w="100" h="5">[v_masolat]|[v_far+v_kar]</text></band></report>)");
    report::Report printReport, viewReport;
    QString error;
    ASSERT_TRUE(printReport.loadFromString(tpl, QStringLiteral("a.frf"), &error));
    ASSERT_TRUE(viewReport.loadFromString(tpl, QStringLiteral("b.frf"), &error));

    vars.set(QStringLiteral("v_masolat"), QStringLiteral("MÁSOLAT"));
    vars.set(QStringLiteral("v_far"), 10);
    vars.set(QStringLiteral("v_kar"), 5);
    ASSERT_TRUE(printReport.prepare(reg, vars, &error));
    EXPECT_EQ(printReport.prepared().texts(), QStringList{QStringLiteral("MÁSOLAT|15")});

    // Nothing is set before the next prints: the values are still there.
    ASSERT_TRUE(viewReport.prepare(reg, vars, &error));
    EXPECT_EQ(viewReport.prepared().texts(), QStringList{QStringLiteral("MÁSOLAT|15")});
    ASSERT_TRUE(printReport.prepare(reg, vars, &error));
    EXPECT_EQ(printReport.prepared().texts(), QStringList{QStringLiteral("MÁSOLAT|15")});
    EXPECT_TRUE(vars.contains(QStringLiteral("V_MASOLAT")));

    // Only setting again changes a value.
    vars.set(QStringLiteral("V_Masolat"), QString());
    ASSERT_TRUE(printReport.prepare(reg, vars, &error));
    EXPECT_EQ(printReport.prepared().texts(), QStringList{QStringLiteral("|15")});
    EXPECT_EQ(vars.names(), (QStringList{QStringLiteral("v_far"), QStringLiteral("v_kar"), QStringLiteral("v_masolat")}));
}

TEST(Layout, OrientationComesFromTemplateAndCanBeOverridden)
{
    report::DataRegistry reg;
    report::VariableStore vars;
    report::Report r;
    QString error;
    ASSERT_TRUE(r.loadFromString(QStringLiteral(R"(<report orientation="landscape" margins="10"><band type="reportTitle" height="5">
        <text name="T" w="10" h="5">x</text></band></report>)"), QStringLiteral("l.frf"), &error));
    EXPECT_EQ(r.orientation(), QPageLayout::Landscape);
    ASSERT_TRUE(r.prepare(reg, vars, &error));
    EXPECT_EQ(r.prepared().pageSizeMm, QSizeF(297, 210));
    EXPECT_EQ(r.prepared().orientation, QPageLayout::Landscape);

    r.setOrientation(QPageLayout::Portrait);
    ASSERT_TRUE(r.prepare(reg, vars, &error));
    EXPECT_EQ(r.prepared().pageSizeMm, QSizeF(210, 297));
    EXPECT_EQ(r.prepared().orientation, QPageLayout::Portrait);
    EXPECT_EQ(r.prepared().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(Layout, UnknownFeedsAndComponentsAreErrors)
{
    struct Case {
        const char* xml;
        const char* inError;
    };
    const Case cases[] = {
        {R"(<report><band type="masterData" dataset="frDBDataSet9" height="5"/></report>)", "frDBDataSet9"},
        {R"(<report><band type="reportTitle" height="5"><text w="10" h="5">[ZQ99."f_bszam"]</text></band></report>)", "ZQ99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        report::Report r;
        report::DataRegistry reg;
        report::VariableStore vars;
        QString error;
        ASSERT_TRUE(r.loadFromString(QString::fromUtf8(c.xml), QStringLiteral("FjLista7.frf"), &error)) << str(error);
        EXPECT_FALSE(r.prepare(reg, vars, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.inError))) << str(error);
        EXPECT_TRUE(error.contains(QStringLiteral("FjLista7.frf"))) << str(error);
        EXPECT_EQ(r.prepared().pageCount(), 0);
    }
}

TEST(Layout, RegistryAndFeedLookupsIgnoreLetterCase)
{
    MemorySource rows(numberedRows(2));
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("FRDBDATASET1"), &rows);
    reg.setSource(QStringLiteral("zq10"), &rows);
    EXPECT_EQ(reg.feed(QStringLiteral("frDBDataSet1")), &rows);
    EXPECT_EQ(reg.source(QStringLiteral("ZQ10")), &rows);
    EXPECT_EQ(reg.feed(QStringLiteral("zq10")), &rows);  // a source serves as a feed of its name
    EXPECT_EQ(reg.source(QStringLiteral("nincs")), nullptr);
    report::VariableStore vars;
    const PreparedReport p = prepareText(QStringLiteral(R"(<report><band type="masterData" dataset="frdbdataset1" height="5">
        <text name="N" w="20" h="5">[Zq10."N"]</text></band></report>)"), reg, vars);
    EXPECT_EQ(p.textsOf(QStringLiteral("N")), (QStringList{QStringLiteral("Sor 1"), QStringLiteral("Sor 2")}));
}

TEST(Layout, DetailSumsInMasterFooterAndPageFooterSums)
{
    // Two masters, details summed per master; the page footer adds up the
    // detail rows placed on its page.
    GroupedData d({product(QStringLiteral("A"), 1), product(QStringLiteral("B"), 2)}, {});
    for (int i = 1; i <= 80; ++i)
        d.allTickets << ticket(i <= 30 ? QStringLiteral("A") : QStringLiteral("B"), QStringLiteral("J%1").arg(i), i);
    const QString tpl = QStringLiteral(R"(<report>
      <band type="masterData" name="Termek" dataset="termekek" height="5"><text name="M" w="100" h="5">[P."nev"]</text></band>
      <band type="detailData" name="Jegy" dataset="jegyek" height="5">
        <text name="D" w="100" h="5">[J."menny"]</text>
        <text name="Run" x="100" w="50" h="5">[SUM(J."menny")]</text></band>
      <band type="masterFooter" height="5"><text name="F" w="100" h="5">[SUM(J."menny")] [AVG(J."menny")] [MIN(J."menny")] [MAX(J."menny")]</text></band>
      <band type="reportSummary" height="5"><text name="S" w="150" h="5">[SUM(J."menny", 'Jegy')] [COUNT('Jegy')] [SUM(P."suly")]</text></band>
      <band type="pageFooter" height="10"><text name="PS" w="100" h="5">[SUM(J."menny", 'Jegy')]</text></band>
    </report>)");
    const PreparedReport p = prepareText(tpl, d.registry, d.vars);
    EXPECT_EQ(p.textsOf(QStringLiteral("F")),
              (QStringList{QStringLiteral("465 15,5 1 30"), QStringLiteral("2775 55,5 31 80")}));
    EXPECT_EQ(p.textsOf(QStringLiteral("S")), QStringList{QStringLiteral("3240 80 3")});
    // Running sum inside the detail band restarts for each master row.
    const QStringList run = p.textsOf(QStringLiteral("Run"));
    ASSERT_EQ(run.size(), 80);
    EXPECT_EQ(run.at(0), QStringLiteral("1"));
    EXPECT_EQ(run.at(29), QStringLiteral("465"));
    EXPECT_EQ(run.at(30), QStringLiteral("31"));
    ASSERT_GE(p.pageCount(), 2);
    int total = 0;
    for (int page = 0; page < p.pageCount(); ++page) {
        int sum = 0;
        for (const PreparedItem& it : p.pages.at(page).items)
            if (it.objectName == u"D")
                sum += it.text.toInt();
        EXPECT_EQ(p.textsOf(QStringLiteral("PS")).at(page), QString::number(sum)) << page;
        total += sum;
    }
    EXPECT_EQ(total, 3240);
}

TEST(Layout, PageHeaderSumCarriesThePreviousPagesTotal)
{
    MemorySource rows(numberedRows(130));
    report::DataRegistry reg;
    reg.setFeed(QStringLiteral("rows"), &rows);
    reg.setSource(QStringLiteral("R"), &rows);
    report::VariableStore vars;
    QString tpl = kPagedTemplate;
    tpl.replace(QStringLiteral(R"(<text name="PH" w="100" h="5">Fejléc</text>)"),
                QStringLiteral(R"(<text name="PH" w="100" h="5">Fejléc</text><text name="Carry" x="100" w="50" h="5">Áthozat: [SUM(R."v")]</text>)"));
    const PreparedReport p = prepareText(tpl, reg, vars);
    ASSERT_EQ(p.pageCount(), 3);
    // Rows 1-46 on page 1, 47-96 on page 2.
    EXPECT_EQ(p.textsOf(QStringLiteral("Carry")),
              (QStringList{QStringLiteral("Áthozat: 0"), QStringLiteral("Áthozat: 1081"), QStringLiteral("Áthozat: 4656")}));
}
