// The period lists, the producer monthly, cash daily and statistics lists and the contract:
// their statements against a real database and what the shipped templates print from them.
#include "ListFixture.h"

#include "ListPrint.h"
#include "PeriodLists.h"
#include "SummaryLists.h"
#include "TData.h"

using namespace zeror;
using namespace zeror::test;

namespace {

const QString kBuyer = QStringLiteral("00001");

class Lists : public ListFixture
{
protected:
    TData& data() { return db.data(); }
    ListPeriod year() const { return defaultListPeriod(); }
};

TEST_F(Lists, DefaultPeriodIsTodaysWholeYear)
{
    const ListPeriod p = defaultListPeriod();
    EXPECT_EQ(p.from, QDate(2016, 1, 1));
    EXPECT_EQ(p.to, QDate(2016, 12, 31));
    EXPECT_TRUE(p.byPaymentDate);
}

TEST_F(Lists, GrandTotalIsTheShortestGeneralForm)
{
    EXPECT_EQ(grandTotalText(QVariant()), QStringLiteral("0"));
    EXPECT_EQ(grandTotalText(QVariant(1234567.0)), QStringLiteral("1234567"));
    EXPECT_EQ(grandTotalText(QVariant(1234567.5)), QStringLiteral("1234567,5"));
    EXPECT_EQ(grandTotalText(QVariant(0.0)), QStringLiteral("0"));
}

TEST_F(Lists, PurchaseDateChoiceReplacesThePaymentDate)
{
    const QString line = QStringLiteral("WHERE (f_fizkelt >= :p1)  AND (f_fizkelt <= :p2)   AND (f_akod = :p3)");
    EXPECT_EQ(periodLine(line, true), line);
    EXPECT_EQ(periodLine(line, false), QStringLiteral("WHERE (f_felvkelt >= :p1)  AND (f_felvkelt <= :p2)   AND (f_akod = :p3)"));
}

// Every period list of an empty year prints its headings, no rows and a grand total of "0".
TEST_F(Lists, EmptyYearPrintsHeadingsAndZero)
{
    struct Case
    {
        const char* title;
        std::function<ListPrintJob(TData&)> run;
    };
    const Case cases[] = {
        {"Tételes lista",
         [this](TData& d) {
             const QString total = collectItemisedList(d, kBuyer, year().from, year().to, 0);
             EXPECT_EQ(total, QStringLiteral("0"));
             return itemisedListPrint(total, year().from, year().to, 0);
         }},
        {"Termékenkénti lista",
         [this](TData& d) {
             const QString total = collectProductList(d, kBuyer, year());
             EXPECT_EQ(total, QStringLiteral("0"));
             return productListPrint(total, year());
         }},
        {"Őstermelőnkénti lista",
         [this](TData& d) {
             const QString total = collectProducerList(d, kBuyer, year());
             EXPECT_EQ(total, QStringLiteral("0"));
             prepareProducerListPrint(d, kBuyer, year());
             return producerListPrint(total, year());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const ListPrintJob job = c.run(data());
        EXPECT_TRUE(data().ZQ20.isEmpty());
        ASSERT_TRUE(printList(job));
        EXPECT_EQ(pages.pages.size(), 1);
        EXPECT_EQ(pages.textsOf(QStringLiteral("Cimsor")), QStringList{QString::fromUtf8(c.title)}) << dump();
        EXPECT_EQ(pages.textsOf(QStringLiteral("Vevo")).value(0), QStringLiteral("Gabona Felvásárló és Kereskedelmi Kft."));
        EXPECT_FALSE(containing(QStringLiteral("2016.01.01 – 2016.12.31")).isEmpty()) << dump();
        EXPECT_FALSE(containing(QStringLiteral("Bizonylat-szám")).isEmpty());
        EXPECT_TRUE(pages.textsOf(QStringLiteral("Bszam")).isEmpty());
        EXPECT_EQ(pages.textsOf(QStringLiteral("Mindosszesen")), QStringList{QStringLiteral("Kifizetett mindösszesen: 0 Ft")});
        EXPECT_EQ(pages.textsOf(QStringLiteral("Oldal")), QStringList{QStringLiteral("1. oldal / 1")});
    }
}

TEST_F(Lists, ItemisedListTakesBothEndsOfThePeriodAndKeepsLinesWithoutProducer)
{
    ticket(QStringLiteral("20150099"), QStringLiteral("00001"), QStringLiteral("2015-12-31"), QStringLiteral("2015-12-30"));
    line(QStringLiteral("20150099"), QStringLiteral("Búza"), 1000, 1);
    ticket(QStringLiteral("20160001"), QStringLiteral("00002"), QStringLiteral("2016-01-01"), QStringLiteral("2015-12-28"));
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100, 50);     // 5000
    ticket(QStringLiteral("20160002"), QStringLiteral("99999"), QStringLiteral("2016-12-31"), QStringLiteral("2016-12-30"));
    line(QStringLiteral("20160002"), QStringLiteral("Méz"), 1.5, 1001);    // 1501,5; no such producer
    ticket(QStringLiteral("20170001"), QStringLiteral("00001"), QStringLiteral("2017-01-01"), QStringLiteral("2016-12-31"));
    line(QStringLiteral("20170001"), QStringLiteral("Alma"), 1000, 1);
    // The other buyer uses the same ticket number: its lines never join this buyer's ticket.
    ticket(QStringLiteral("20160001"), QStringLiteral("00003"), QStringLiteral("2016-05-01"), QStringLiteral("2016-05-01"),
           QStringLiteral(" "), 0, QStringLiteral("00002"));
    line(QStringLiteral("20160001"), QStringLiteral("Kukorica"), 10, 10, 0, QStringLiteral("00002"));

    const QString total = collectItemisedList(data(), kBuyer, year().from, year().to, 2);
    EXPECT_EQ(total, QStringLiteral("6501,5"));
    ASSERT_EQ(data().ZQ20.rowCount(), 2);
    ASSERT_TRUE(printList(itemisedListPrint(total, year().from, year().to, 2)));
    EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
    EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")), (QStringList{QStringLiteral("20160001"), QStringLiteral("20160002")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Fizkelt")), (QStringList{QStringLiteral("2016.01.01"), QStringLiteral("2016.12.31")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Termelo")), (QStringList{QStringLiteral("Szabó Éva"), QString()}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Vetelar")), (QStringList{QStringLiteral("5 000,00"), QStringLiteral("1 501,50")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Sorrend")), QStringList{QStringLiteral("Sorrend: zeror szám")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Mindosszesen")), QStringList{QStringLiteral("Kifizetett mindösszesen: 6501,5 Ft")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("SumVetelar")), QStringList{QStringLiteral("6 501,50")});
}

TEST_F(Lists, ItemisedOrdersSortAndNameTheList)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00002"), QStringLiteral("2016-02-01"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), 1, 1);
    ticket(QStringLiteral("20160002"), QStringLiteral("00001"), QStringLiteral("2016-03-01"), QStringLiteral("2016-02-01"));
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 1, 1);
    struct Case
    {
        int order;
        QString label;
        QStringList numbers;
    };
    const Case cases[] = {
        {0, QStringLiteral("östermelö"), {QStringLiteral("20160002"), QStringLiteral("20160001")}},
        {1, QStringLiteral("fizetés dátum"), {QStringLiteral("20160001"), QStringLiteral("20160002")}},
        {2, QStringLiteral("zeror szám"), {QStringLiteral("20160001"), QStringLiteral("20160002")}},
        {3, QStringLiteral("termék megnevezés"), {QStringLiteral("20160001"), QStringLiteral("20160002")}},
        {4, QStringLiteral("felvásárlás dátum"), {QStringLiteral("20160002"), QStringLiteral("20160001")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        const QString total = collectItemisedList(data(), kBuyer, year().from, year().to, c.order);
        const ListPrintJob job = itemisedListPrint(total, year().from, year().to, c.order);
        EXPECT_EQ(job.variable(QStringLiteral("v_sorrend")).toString(), c.label);
        ASSERT_TRUE(printList(job));
        EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")), c.numbers);
    }
}

TEST_F(Lists, ProductListSeparatesLetterCaseAndLeavesProducerlessLinesOutOfTheLines)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100, 50);
    line(QStringLiteral("20160001"), QStringLiteral("búza"), 10, 50);
    ticket(QStringLiteral("20160002"), QStringLiteral("99999"), QStringLiteral("2016-03-06"), QStringLiteral("2016-03-06"));
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 20, 50);

    const QString total = collectProductList(data(), kBuyer, year());
    EXPECT_EQ(total, QStringLiteral("6500"));
    EXPECT_EQ(data().ZQ20.rowCount(), 2);
    // The Hungarian order puts the lower-case name first; its one line is the first product's.
    EXPECT_EQ(data().ZQ21.rowCount(), 1);
    ASSERT_TRUE(printList(productListPrint(total, year())));
    EXPECT_EQ(pages.orientation, QPageLayout::Portrait);
    EXPECT_EQ(pages.textsOf(QStringLiteral("TermekNev")), (QStringList{QStringLiteral("búza"), QStringLiteral("Búza")})) << dump();
    // The feed joins producers strictly: the line of the unknown producer is not listed ...
    EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")), (QStringList{QStringLiteral("20160001"), QStringLiteral("20160001")}));
    // ... but it is in the product's total and in the grand total.
    EXPECT_EQ(pages.textsOf(QStringLiteral("CsoportKifiz")), (QStringList{QStringLiteral("500,00"), QStringLiteral("6 000,00")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("CsoportMenny")), (QStringList{QStringLiteral("10,00"), QStringLiteral("120,00")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Mindosszesen")), QStringList{QStringLiteral("Kifizetett mindösszesen: 6500 Ft")});
    EXPECT_FALSE(containing(QStringLiteral("Időszak (fizetési dátum szerint): 2016.01.01 – 2016.12.31")).isEmpty()) << dump();
}

TEST_F(Lists, ProductListByPurchaseDate)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2017-01-05"), QStringLiteral("2016-12-31"));
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), 10, 10);
    ListPeriod p = year();
    EXPECT_EQ(collectProductList(data(), kBuyer, p), QStringLiteral("0"));
    p.byPaymentDate = false;
    const QString total = collectProductList(data(), kBuyer, p);
    EXPECT_EQ(total, QStringLiteral("100"));
    const ListPrintJob job = productListPrint(total, p);
    EXPECT_EQ(job.variable(QStringLiteral("v_datum")).toString(), QStringLiteral("Felvásárlási "));
    ASSERT_TRUE(printList(job));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")), QStringList{QStringLiteral("20160001")});
    EXPECT_FALSE(containing(QStringLiteral("felvásárlási dátum szerint")).isEmpty()) << dump();
}

TEST_F(Lists, ProducerListGroupsLinesUnderEachProducer)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Méz"), 1, 1000);
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), 10, 10);
    ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-04-05"), QStringLiteral("2016-04-01"));
    line(QStringLiteral("20160002"), QStringLiteral("Kukorica"), 100, 40);
    ticket(QStringLiteral("20160003"), QStringLiteral("99999"), QStringLiteral("2016-04-06"), QStringLiteral("2016-04-06"));
    line(QStringLiteral("20160003"), QStringLiteral("Búza"), 1, 7);

    const QString total = collectProducerList(data(), kBuyer, year());
    EXPECT_EQ(total, QStringLiteral("5107"));
    prepareProducerListPrint(data(), kBuyer, year());
    ASSERT_TRUE(printList(producerListPrint(total, year())));
    const QStringList names = pages.textsOf(QStringLiteral("TermeloNev"));
    EXPECT_EQ(names.size(), 3) << dump();
    EXPECT_TRUE(names.contains(QStringLiteral("Kovács János")));
    EXPECT_TRUE(names.contains(QString())); // the line without a producer row
    QStringList sums = pages.textsOf(QStringLiteral("CsoportKifiz"));
    sums.sort();
    EXPECT_EQ(sums, (QStringList{QStringLiteral("1 100,00"), QStringLiteral("4 000,00"), QStringLiteral("7,00")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Mindosszesen")), QStringList{QStringLiteral("Kifizetett mindösszesen: 5107 Ft")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")).size(), 3);
}

TEST_F(Lists, ProducerMonthlyRowsPerMonthAndProduct)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100, 50, 10);
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100, 30, 10);
    line(QStringLiteral("20160001"), QStringLiteral("búza"), 10, 50, 10);
    ticket(QStringLiteral("20160002"), QStringLiteral("00001"), QStringLiteral("2016-04-05"), QStringLiteral("2016-04-02"));
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 20, 50, 10);
    ticket(QStringLiteral("20160003"), QStringLiteral("00002"), QStringLiteral("2016-04-05"), QStringLiteral("2016-04-02"));
    line(QStringLiteral("20160003"), QStringLiteral("Búza"), 999, 50);

    const ListTotals totals = collectProducerMonthly(data(), kBuyer, QStringLiteral("00001"), false);
    EXPECT_EQ(totals.purchasePrice, QStringLiteral("9500"));
    EXPECT_EQ(totals.surcharge, QStringLiteral("950"));
    EXPECT_EQ(totals.paid, QStringLiteral("10450"));
    const Query& rows = data().ZQ11;
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.recNo(), 2); // standing on the last row

    locateProducerByName(data(), QStringLiteral("kov"));
    const ProducerCard card = producerCard(data().ZQ30);
    EXPECT_EQ(card.code, QStringLiteral("00001"));
    EXPECT_EQ(card.address, QStringLiteral("6000  Kecskemét  Petőfi Sándor"));
    EXPECT_EQ(card.birthData, QStringLiteral("Szül.idö: 1962.04.11  Anyja neve: Nagy Mária"));
    ASSERT_TRUE(printList(producerMonthlyPrint(card, totals)));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Nev")), QStringList{QStringLiteral("Őstermelő: Kovács János")});
    QStringList monthly;
    const QStringList months = pages.textsOf(QStringLiteral("Ho"));
    const QStringList products = pages.textsOf(QStringLiteral("Termek"));
    const QStringList quantities = pages.textsOf(QStringLiteral("Menny"));
    const QStringList averages = pages.textsOf(QStringLiteral("Atlar"));
    for (int i = 0; i < months.size(); ++i)
        monthly << months[i] + QLatin1Char('/') + products.value(i) + QLatin1Char('/') + quantities.value(i) + QLatin1Char('/') + averages.value(i);
    monthly.sort();
    EXPECT_EQ(monthly, (QStringList{QStringLiteral("3/Búza/200,00/40,00"), QStringLiteral("3/búza/10,00/50,00"),
                                    QStringLiteral("4/Búza/20,00/50,00")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Var")), QStringList{QStringLiteral("Kifizetett összesen: 10450 Ft")});

    // Detailed: one row per ticket line.
    collectProducerMonthly(data(), kBuyer, QStringLiteral("00001"), true);
    EXPECT_EQ(data().ZQ11.rowCount(), 4);
}

TEST_F(Lists, ProducerWithoutTicketsHasZeroTotalsAndNoRows)
{
    const ListTotals totals = collectProducerMonthly(data(), kBuyer, QStringLiteral("00004"), false);
    EXPECT_EQ(totals.purchasePrice, QStringLiteral("0"));
    EXPECT_EQ(totals.surcharge, QStringLiteral("0"));
    EXPECT_EQ(totals.paid, QStringLiteral("0"));
    EXPECT_TRUE(data().ZQ11.isEmpty());
    locateProducerByName(data(), QStringLiteral("Tóth"));
    ASSERT_TRUE(printList(producerMonthlyPrint(producerCard(data().ZQ30), totals)));
    EXPECT_TRUE(pages.textsOf(QStringLiteral("Termek")).isEmpty());
    EXPECT_EQ(pages.textsOf(QStringLiteral("Var")), QStringList{QStringLiteral("Kifizetett összesen: 0 Ft")});
}

// A group whose quantity sums to 0 prints an empty average price; the statement does not fail.
TEST_F(Lists, ZeroQuantityGroupHasAnEmptyAveragePrice)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), 10, 20);
    line(QStringLiteral("20160001"), QStringLiteral("Alma"), -10, 20);
    line(QStringLiteral("20160001"), QStringLiteral("Méz"), 2, 1000);

    collectStatistics(data(), kBuyer, true);
    ASSERT_TRUE(printList(statisticsPrint(ListTotals{QStringLiteral("2000"), QString(), QStringLiteral("2000")}, true)));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Termek")), (QStringList{QStringLiteral("Alma"), QStringLiteral("Méz")})) << dump();
    EXPECT_EQ(pages.textsOf(QStringLiteral("Atlar")), (QStringList{QString(), QStringLiteral("1 000,00")}));

    collectProducerMonthly(data(), kBuyer, QStringLiteral("00001"), false);
    ASSERT_TRUE(printList(producerMonthlyPrint(ProducerCard{}, ListTotals{})));
    EXPECT_TRUE(pages.textsOf(QStringLiteral("Atlar")).contains(QString())) << dump();
}

TEST_F(Lists, StatisticsPerMonthOrOverallWithLetterCaseApart)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"));
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 100, 50, 10);
    line(QStringLiteral("20160001"), QStringLiteral("búza"), 10, 40, 10);
    ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-05-05"), QStringLiteral("2016-05-01"));
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 100, 30, 10);
    ticket(QStringLiteral("20160003"), QStringLiteral("00002"), QStringLiteral("2016-05-05"), QStringLiteral("2016-05-01"),
           QStringLiteral(" "), 0, QStringLiteral("00002"));
    line(QStringLiteral("20160003"), QStringLiteral("Búza"), 100, 30, 0, QStringLiteral("00002"));

    const ListTotals totals = collectStatistics(data(), kBuyer, false);
    EXPECT_EQ(totals.purchasePrice, QStringLiteral("8400"));
    EXPECT_EQ(totals.paid, QStringLiteral("9240"));
    EXPECT_EQ(data().ZQ11.rowCount(), 3);
    ASSERT_TRUE(printList(statisticsPrint(totals, false)));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Cimsor")), QStringList{QStringLiteral("Statisztika termékenként, havi bontásban")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Far")), QStringList{QStringLiteral("Felvásárlási ár mindösszesen: 8400 Ft")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Var")), QStringList{QStringLiteral("Kifizetett mindösszesen: 9240 Ft")});

    collectStatistics(data(), kBuyer, true);
    EXPECT_EQ(data().ZQ11.rowCount(), 2);
    ASSERT_TRUE(printList(statisticsPrint(totals, true)));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Termek")), (QStringList{QStringLiteral("Búza"), QStringLiteral("búza")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Atlar")), (QStringList{QStringLiteral("40,00"), QStringLiteral("40,00")}));
    EXPECT_TRUE(pages.textsOf(QStringLiteral("Ho")).isEmpty());
}

// Cash tickets (a blank mark or none at all) count in the daily list; transfer tickets do not.
TEST_F(Lists, CashDailyListCountsCashTicketsOnly)
{
    ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"),
           QStringLiteral(" "), 1000);
    line(QStringLiteral("20160001"), QStringLiteral("Búza"), 10, 110);
    ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-01"),
           QStringLiteral("x"), 5000);
    line(QStringLiteral("20160002"), QStringLiteral("Búza"), 50, 110);
    ticket(QStringLiteral("20160003"), QStringLiteral("00003"), QStringLiteral("2016-03-05"), QStringLiteral("2016-03-02"),
           QStringLiteral("NULL"), 250);
    line(QStringLiteral("20160003"), QStringLiteral("Alma"), 5, 60);
    ticket(QStringLiteral("20160004"), QStringLiteral("00003"), QStringLiteral("2016-03-07"), QStringLiteral("2016-03-02"),
           QStringLiteral(" "), 70);
    line(QStringLiteral("20160004"), QStringLiteral("Alma"), 1, 75);

    collectCashDaily(data(), kBuyer, false);
    EXPECT_EQ(data().ZQ11.recNo(), data().ZQ11.rowCount() - 1);
    ASSERT_TRUE(printList(cashDailyPrint(false)));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Fizkelt")), (QStringList{QStringLiteral("2016.03.05"), QStringLiteral("2016.03.07")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Kifiz")), (QStringList{QStringLiteral("1 250,00"), QStringLiteral("70,00")}));
    EXPECT_EQ(pages.textsOf(QStringLiteral("SumKifiz")), QStringList{QStringLiteral("1 320,00")});

    collectCashDaily(data(), kBuyer, true);
    ASSERT_TRUE(printList(cashDailyPrint(true)));
    QStringList rows;
    const QStringList days = pages.textsOf(QStringLiteral("Fizkelt"));
    const QStringList names = pages.textsOf(QStringLiteral("Termek"));
    const QStringList paid = pages.textsOf(QStringLiteral("Kifiz"));
    for (int i = 0; i < days.size(); ++i)
        rows << days[i] + QLatin1Char('/') + names.value(i) + QLatin1Char('/') + paid.value(i);
    rows.sort();
    EXPECT_EQ(rows, (QStringList{QStringLiteral("2016.03.05/Alma/300,00"), QStringLiteral("2016.03.05/Búza/1 100,00"),
                                 QStringLiteral("2016.03.07/Alma/75,00")}));
}

TEST_F(Lists, ContractPrintsTheProducerAndTheTenFieldsInItsSentences)
{
    positionContractProducer(data(), QStringLiteral("00002"));
    ui::Dialogs::clear();
    // The contract prints whatever buyer row ZQ60 holds; here the first buyer's.
    Query& buyer = data().ZQ60;
    buyer.close();
    buyer.setSql({QStringLiteral("SELECT * FROM atvevo WHERE v_akod = '00001'")});
    buyer.open();
    db.chooseBuyer(QStringLiteral("00002"));
    const QStringList values{QStringLiteral("12/2016"), QStringLiteral("0123/4"), QStringLiteral("2,5 ha"),
                             QStringLiteral("1,5"), QStringLiteral("1"), QStringLiteral("20"), QStringLiteral("35"),
                             QStringLiteral("+36 30 123 4567"), QStringLiteral("2016"), QStringLiteral("2016.10.31")};
    const ListPrintJob job = contractPrint(values);
    EXPECT_FALSE(job.readBuyer);
    ASSERT_TRUE(printList(job));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Szam")), QStringList{QStringLiteral("Sorszám: 12/2016")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("TermeloNev")), QStringList{QStringLiteral("Szabó Éva")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("VevoNev")), QStringList{QStringLiteral("Gabona Felvásárló és Kereskedelmi Kft.")});
    const QString all = pages.texts().join(QLatin1Char('\n'));
    for (const QString& v : values)
        EXPECT_TRUE(all.contains(v)) << v.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("helyrevetett: 1,5 Ha, palántázott: 1 Ha")));
    EXPECT_TRUE(all.contains(QStringLiteral("A szerződött mennyiség: 20 t.")));
    EXPECT_TRUE(all.contains(QStringLiteral("fémzárolt vetőmag: 35 kg.")));
}

} // namespace
