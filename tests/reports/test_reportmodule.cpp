// The program's side of printing against a real database: feeds that re-run their detail query per
// master row, the variable store, the print sequence and its failures.
#include "Dialogs.h"
#include "ReportModule.h"
#include "ReportPrint.h"
#include "SharedState.h"
#include "TestDatabase.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

const char* kPerProduct = R"(<report orientation="portrait">
  <band type="reportTitle" height="8"><text x="0" y="0" w="100" h="6">Termékenkénti lista [v_tol] - [v_ig]</text></band>
  <band type="columnHeader" height="6"><text x="0" y="0" w="40" h="5">Bszám</text><text x="40" y="0" w="40" h="5">Nettó</text></band>
  <band type="masterData" name="Termek" dataset="frUserDataset1" height="6"><text x="0" y="0" w="100" h="5">T:[ZQ20."s_megnevezes"]</text></band>
  <band type="detailData" name="Sor" dataset="frUserDataset2" height="5">
    <text x="0" y="0" w="40" h="5">D:[ZQ21."s_megnevezes"]/[ZQ21."s_bszam"]</text>
    <text x="40" y="0" w="40" h="5">[ZQ21."s_netto"]</text>
  </band>
  <band type="masterFooter" height="5"><text x="0" y="0" w="80" h="5">F:[SUM(ZQ21."s_netto")]</text></band>
  <band type="reportSummary" height="5"><text x="0" y="0" w="80" h="5">Összesen: [v_osszesen]</text></band>
</report>)";

const char* kPerProducer = R"(<report orientation="portrait">
  <band type="masterData" dataset="frUserDataset3" height="6"><text x="0" y="0" w="100" h="5">P:[ZQ20."o_kod"] [ZQ80."nevosszesen"]</text></band>
  <band type="detailData" dataset="frUserDataset4" height="5"><text x="0" y="0" w="60" h="5">L:[ZQ21."o_kod"]:[ZQ21."s_megnevezes"]</text></band>
</report>)";

class ReportModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.chooseBuyer(QStringLiteral("00001"));
        ReportModule::setPreviewHook([this](const report::PreparedReport& p, bool allowPrint) {
            pages = p;
            printAllowed = allowPrint;
            ++shown;
        });
    }
    void TearDown() override { ReportModule::setPreviewHook({}); }

    void writeTemplate(const QString& name, const char* xml)
    {
        QFile f(db.folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml);
    }

    void ticket(const QString& number, const QString& producer, const QString& purchaseDate)
    {
        db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_felvkelt, f_fizkelt, f_kelt) "
                               "VALUES ('%1', '00001', '%2', '%3', '%3', '%3')")
                    .arg(number, producer, purchaseDate));
    }

    void line(const QString& number, const QString& name, double quantity)
    {
        db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_megnevezes, s_brutto, s_ear, s_kompmerteke, s_levonszaz) "
                               "VALUES ('%1', '00001', '%2', %3, 10, 12, 0)")
                    .arg(number, name)
                    .arg(quantity));
    }

    void openProductSummary()
    {
        Query& q = db.data().ZQ20;
        q.setSql({QStringLiteral("SELECT s_megnevezes, SUM(s_netto) AS netto FROM fjsor"),
                  QStringLiteral("JOIN fjfej ON s_bszam = f_bszam"),
                  QStringLiteral("WHERE f_fizkelt >= :p1 AND f_fizkelt <= :p2 AND f_akod = :p3"),
                  QStringLiteral("GROUP BY s_megnevezes")});
        q.setDate(QStringLiteral("p1"), QDate(2016, 3, 1));
        q.setDate(QStringLiteral("p2"), QDate(2016, 3, 31));
        q.setText(QStringLiteral("p3"), QStringLiteral("00001"));
        q.open();
        ReportModule& m = ReportModule::instance();
        m.period() = ReportPeriod{true, QDate(2016, 3, 1), QDate(2016, 3, 31)};
    }

    QStringList linesStartingWith(const QString& prefix) const
    {
        QStringList out;
        for (const QString& t : pages.texts())
            if (t.startsWith(prefix))
                out << t;
        return out;
    }

    test::TestDatabase db;
    report::PreparedReport pages;
    bool printAllowed = false;
    int shown = 0;
};

TEST_F(ReportModuleTest, ProductsDifferingInCaseAreTwoGroupsWithTheirOwnLines)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"));
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100);
    line(QStringLiteral("20160001"), QStringLiteral("búza"), 7);
    ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-03-06"));
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 20);
    ticket(QStringLiteral("20160003"), QStringLiteral("00002"), QStringLiteral("2016-04-06")); // outside the period
    line(QStringLiteral("20160003"), QStringLiteral("Búza"), 999);
    writeTemplate(QStringLiteral("FjLista5.frf"), kPerProduct);
    openProductSummary();
    ReportModule::instance().setVariable(QStringLiteral("v_osszesen"), QStringLiteral("127"));

    ASSERT_TRUE(printReport(QStringLiteral("FjLista5.frf"), QPageLayout::Portrait));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(printAllowed);
    const QStringList masters = linesStartingWith(QStringLiteral("T:"));
    ASSERT_EQ(masters.size(), 2) << pages.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(masters.contains(QStringLiteral("T:Búza")));
    EXPECT_TRUE(masters.contains(QStringLiteral("T:búza")));
    QStringList details = linesStartingWith(QStringLiteral("D:"));
    details.sort();
    EXPECT_EQ(details, (QStringList{QStringLiteral("D:Búza/20160001"), QStringLiteral("D:Búza/20160002"),
                                     QStringLiteral("D:búza/20160001")}));
    QStringList footers = linesStartingWith(QStringLiteral("F:"));
    footers.sort();
    EXPECT_EQ(footers, (QStringList{QStringLiteral("F:120"), QStringLiteral("F:7")}));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("Összesen: 127")));
}

TEST_F(ReportModuleTest, EmptyPeriodPrintsHeadingsAndNoRows)
{
    writeTemplate(QStringLiteral("FjLista5.frf"), kPerProduct);
    openProductSummary();
    ReportModule::instance().setVariable(QStringLiteral("v_tol"), QStringLiteral("2016.03.01"));
    ReportModule::instance().setVariable(QStringLiteral("v_ig"), QStringLiteral("2016.03.31"));
    ASSERT_TRUE(printReport(QStringLiteral("FjLista5.frf"), QPageLayout::Portrait));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("Termékenkénti lista 2016.03.01 - 2016.03.31")));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("Bszám")));
    EXPECT_TRUE(linesStartingWith(QStringLiteral("T:")).isEmpty());
    EXPECT_TRUE(linesStartingWith(QStringLiteral("D:")).isEmpty());
    // The master's first step re-ran the detail query with an empty product name.
    EXPECT_TRUE(db.data().ZQ21.isOpen());
    EXPECT_TRUE(db.data().ZQ21.isEmpty());
}

TEST_F(ReportModuleTest, FirstProducersLinesComeInNameOrderAndTotalsFollowEachProducer)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"));
    line(QStringLiteral("20160001"), QStringLiteral("Méz"), 1);
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), 2);
    ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-03-06"));
    line(QStringLiteral("20160002"), QStringLiteral("Kukorica"), 3);
    writeTemplate(QStringLiteral("FjLista8.frf"), kPerProducer);
    Query& q = db.data().ZQ20;
    q.setSql({QStringLiteral("SELECT o_kod, SUM(s_vetelar) AS osszeg FROM fjsor"),
              QStringLiteral("JOIN fjfej ON s_bszam = f_bszam JOIN ostermelo ON f_ostermkod = o_kod"),
              QStringLiteral("WHERE f_akod = :p1 GROUP BY o_kod ORDER BY o_kod")});
    q.setText(QStringLiteral("p1"), QStringLiteral("00001"));
    q.open();
    // The screen sets the first producer's total itself.
    Query& total = db.data().ZQ80;
    total.setSql({QStringLiteral("SELECT 'first' AS nevosszesen FROM rdb$database")});
    total.open();
    ReportModule::instance().period() = ReportPeriod{false, QDate(2016, 3, 1), QDate(2016, 3, 31)};
    ASSERT_TRUE(printReport(QStringLiteral("FjLista8.frf"), QPageLayout::Portrait));
    const QStringList texts = pages.texts();
    const int first = texts.indexOf(QStringLiteral("P:00001 first"));
    ASSERT_GE(first, 0) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texts.value(first + 1), QStringLiteral("L:00001:Alma"));
    EXPECT_EQ(texts.value(first + 2), QStringLiteral("L:00001:Méz"));
    EXPECT_EQ(texts.value(first + 3), QStringLiteral("P:00002 33,6"));
    EXPECT_EQ(texts.value(first + 4), QStringLiteral("L:00002:Kukorica"));
}

TEST_F(ReportModuleTest, VariablesStayFromOnePrintToTheNext)
{
    writeTemplate(QStringLiteral("v.frf"), R"(<report><band type="reportTitle" height="6"><text x="0" y="0" w="80" h="5">[v_masolat]|[v_sorrend]</text></band></report>)");
    ReportModule& m = ReportModule::instance();
    m.setVariable(QStringLiteral("v_masolat"), QStringLiteral("MÁSOLATI PÉLDÁNY"));
    m.setVariable(QStringLiteral("v_sorrend"), QStringLiteral("östermelö"));
    ASSERT_TRUE(printReport(QStringLiteral("v.frf"), QPageLayout::Portrait));
    m.setVariable(QStringLiteral("v_sorrend"), QStringLiteral("termék megnevezés"));
    ASSERT_TRUE(printReport(QStringLiteral("v.frf"), QPageLayout::Landscape, ReportModule::Target::Megtekint));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("MÁSOLATI PÉLDÁNY|termék megnevezés")));
    EXPECT_FALSE(printAllowed);
    EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
}

TEST_F(ReportModuleTest, PrintSequenceReadsTheChosenBuyer)
{
    writeTemplate(QStringLiteral("b.frf"), R"(<report><band type="reportTitle" height="6"><text x="0" y="0" w="80" h="5">[ZQ60."v_neve"]</text></band></report>)");
    db.chooseBuyer(QStringLiteral("00002"));
    ASSERT_TRUE(printReport(QStringLiteral("b.frf"), QPageLayout::Portrait));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("Alföldi Zöldség-Gyümölcs Szövetkezet")));
}

TEST(ReportOrientation, EachTemplateHasItsOrientation)
{
    struct Case
    {
        const char* file;
        QPageLayout::Orientation orientation;
    } cases[] = {
        {"FjLista2.frf", QPageLayout::Landscape},  {"FjLista3.frf", QPageLayout::Portrait},
        {"FjLista4.frf", QPageLayout::Landscape},  {"FjLista5.frf", QPageLayout::Portrait},
        {"FjLista6.frf", QPageLayout::Landscape},  {"FjLista7.frf", QPageLayout::Portrait},
        {"FjLista7A.frf", QPageLayout::Portrait},  {"FjLista8.frf", QPageLayout::Portrait},
        {"FjLista13.frf", QPageLayout::Portrait},  {"FjSzerzodes.frf", QPageLayout::Portrait},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportModule::orientationOf(QString::fromLatin1(c.file)), c.orientation) << c.file;
}

TEST_F(ReportModuleTest, MissingTemplateStopsWithTheFileNamed)
{
    EXPECT_FALSE(printReport(QStringLiteral("FjLista7X.frf"), QPageLayout::Portrait));
    EXPECT_EQ(shown, 0);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("FjLista7X.frf")));
}

} // namespace
