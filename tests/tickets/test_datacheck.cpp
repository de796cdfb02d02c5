// The data check: the ticket and producer reports against reference files, the findings of
// single rows (including values that cannot be read), the single-value checks of the "Adatok" tab
// and the day count.
#include "DataCheck.h"
#include "DataCheckFixture.h"
#include "Error.h"
#include "Query.h"

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::datacheck;
using zeror::test::str;

namespace {

// Compares line for line and names the first differing line, trailing blanks made visible.
void expectLines(const QStringList& actual, const QStringList& expected)
{
    auto shown = [](const QString& s) { return str(QLatin1Char('[') + s + QLatin1Char(']')); };
    for (int i = 0; i < qMin(actual.size(), expected.size()); ++i)
        ASSERT_EQ(shown(actual[i]), shown(expected[i])) << "line " << i + 1;
    ASSERT_EQ(actual.size(), expected.size()) << (actual.size() > expected.size() ? "extra line: " + shown(actual.last())
                                                                                  : "missing line: " + shown(expected.last()));
}

class DataCheckDb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::fillDataCheckFixture(db);
        db.chooseBuyer(QStringLiteral("00001"));
    }

    test::TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(DataCheckDb, TicketReportMatchesReference)
{
    Query& q = db.data().ZQ20;
    collectTickets(q, QDate(2016, 1, 1), QDate(2016, 12, 31), QStringLiteral("00001"));
    // Eight lines of buyer 00001; the other buyer's line under 20160001 is not among them.
    EXPECT_EQ(q.rowCount(), 8);
    expectLines(checkTickets(ticketRows(q)), test::referenceLines(QStringLiteral("datacheck-tickets.txt")));
}

TEST_F(DataCheckDb, OtherBuyerSeesOnlyItsOwnLines)
{
    Query& q = db.data().ZQ20;
    collectTickets(q, QDate(2016, 1, 1), QDate(2016, 12, 31), QStringLiteral("00002"));
    ASSERT_EQ(q.rowCount(), 1);
    const QStringList report = checkTickets(ticketRows(q));
    EXPECT_TRUE(report.contains(QStringLiteral("Hiba (nullás mennyiség van megadva): 20160001")));
    EXPECT_TRUE(report.contains(QStringLiteral("Hiba (nem 7, 12 % van megadva): 20160001")));
    EXPECT_EQ(report.count(QStringLiteral("Hiba (nem 7, 12 % van megadva): 20160001")), 1);
}

TEST_F(DataCheckDb, EmptyPeriodGivesOnlyTheFrame)
{
    Query& q = db.data().ZQ20;
    collectTickets(q, QDate(2016, 4, 1), QDate(2016, 12, 31), QStringLiteral("00001"));
    EXPECT_EQ(q.rowCount(), 0);
    expectLines(checkTickets(ticketRows(q)), test::referenceLines(QStringLiteral("datacheck-empty.txt")));
}

TEST_F(DataCheckDb, ProducerReportMatchesReference)
{
    Query q(&db.data().connection(), QStringLiteral("producers"));
    collectProducers(q);
    EXPECT_EQ(q.rowCount(), 4);
    expectLines(checkProducers(producerRows(q)), test::referenceLines(QStringLiteral("datacheck-producers.txt")));
}

TEST_F(DataCheckDb, RowsOfTheOtherCollectionAreRefusedWithAMessage)
{
    Query& tickets = db.data().ZQ20;
    Query producers(&db.data().connection(), QStringLiteral("producers"));
    collectTickets(tickets, QDate(2016, 1, 1), QDate(2016, 12, 31), QStringLiteral("00001"));
    collectProducers(producers);
    // Each collection keeps its own rows, so either check runs after the other's collection.
    EXPECT_EQ(ticketRows(tickets).size(), 8u);
    EXPECT_EQ(producerRows(producers).size(), 4u);
    // A query holding other rows is a clear failure, never a half report.
    try {
        ticketRows(producers);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("S_BSZAM"))) << str(e.message());
    }
}

// A row valid in every column; each case spoils what it examines.
TicketRow validTicketRow()
{
    TicketRow r;
    r.ticketNumber = QStringLiteral("20160007");
    r.producerCode = QStringLiteral("00001");
    r.taxNumber = QStringLiteral("43231940213");
    r.taxId = QStringLiteral("8526018159");
    r.taj = QStringLiteral("366712768");
    r.name = QStringLiteral("Kovács János");
    r.postcode = QStringLiteral("6000");
    r.town = QStringLiteral("Kecskemét");
    r.street = QStringLiteral("Petőfi Sándor");
    r.idCard = QStringLiteral("123456");
    r.birthPlace = QStringLiteral("Kecskemét");
    r.birthDate = QStringLiteral("1962.04.11");
    r.mother = QStringLiteral("Nagy Mária");
    r.sex = QStringLiteral("1");
    r.birthName = QStringLiteral("Kovács János");
    r.incomeTax = QStringLiteral("15");
    r.printed = QStringLiteral("I");
    r.productCode = QStringLiteral("00001");
    r.quantity = QStringLiteral("100");
    r.unitPrice = QStringLiteral("48,5");
    r.surchargeRate = QStringLiteral("7");
    return r;
}

// The findings of one row: the report without its frame lines.
QStringList findingsOf(const TicketRow& row)
{
    const QStringList frame = checkTickets({});
    QStringList found;
    for (const QString& line : checkTickets({row}))
        if (!frame.contains(line))
            found.append(line);
    return found;
}

TEST(TicketFindings, EachColumnGivesItsOwnFinding)
{
    struct Case
    {
        const char* what;
        void (*spoil)(TicketRow&);
        QStringList findings;
    };
    const QString n = QStringLiteral("20160007");
    const Case cases[] = {
        {"valid", [](TicketRow&) {}, {}},
        {"short tax number", [](TicketRow& r) { r.taxNumber = QStringLiteral("4323194"); },
         {QStringLiteral("Hiba (kevesebb nyolc számnál): 4323194 Kovács János Kódja: 00001")}},
        {"tax number of 10", [](TicketRow& r) { r.taxNumber = QStringLiteral("4323194021"); },
         {QStringLiteral("Hiba (hibás adószám): 4323194021 Kovács János Kódja: 00001")}},
        {"tax id with blank", [](TicketRow& r) { r.taxId = QStringLiteral(" 852601815"); },
         {QStringLiteral("Hiba (hibás adóazonositó):  852601815 Kovács János Kódja: 00001")}},
        {"long TAJ", [](TicketRow& r) { r.taj = QStringLiteral("3667127680"); },
         {QStringLiteral("Hiba (kevesebb 9 számnál): 3667127680 Kovács János Kódja: 00001")}},
        {"wrong TAJ", [](TicketRow& r) { r.taj = QStringLiteral("366712769"); },
         {QStringLiteral("Hiba (hibás TAJ): 366712769 Kovács János Kódja: 00001")}},
        {"blank sex is given", [](TicketRow& r) { r.sex = QStringLiteral(" "); }, {}},
        {"no income tax", [](TicketRow& r) { r.incomeTax.clear(); },
         {QStringLiteral("Hiba (nincs szja (minimum 0) megadva): ") + n}},
        {"no product", [](TicketRow& r) { r.productCode.clear(); },
         {QStringLiteral("Figyelmeztetés (nincs termékkód megadva): ") + n}},
        {"negative quantity", [](TicketRow& r) { r.quantity = QStringLiteral("-100"); }, {}},
        {"fraction quantity", [](TicketRow& r) { r.quantity = QStringLiteral("0,5"); }, {}},
        {"unreadable quantity", [](TicketRow& r) { r.quantity = QStringLiteral("1.5"); },
         {QStringLiteral("Hiba (nincs mennyiség megadva): ") + n}},
        {"no price", [](TicketRow& r) { r.unitPrice.clear(); }, {QStringLiteral("Hiba (nincs egységár megadva): ") + n}},
        {"zero price", [](TicketRow& r) { r.unitPrice = QStringLiteral("0"); },
         {QStringLiteral("Hiba (nullás egységár van megadva): ") + n}},
        {"zero price written long", [](TicketRow& r) { r.unitPrice = QStringLiteral("0,00"); },
         {QStringLiteral("Hiba (nulla vagy minuszos egységár van megadva): ") + n}},
        {"negative price", [](TicketRow& r) { r.unitPrice = QStringLiteral("-3,5"); },
         {QStringLiteral("Hiba (nulla vagy minuszos egységár van megadva): ") + n}},
        {"unreadable price", [](TicketRow& r) { r.unitPrice = QStringLiteral("x"); },
         {QStringLiteral("Hiba (nincs egységár megadva): ") + n}},
        {"rate 12", [](TicketRow& r) { r.surchargeRate = QStringLiteral("12"); }, {}},
        {"rate 0", [](TicketRow& r) { r.surchargeRate = QStringLiteral("0"); },
         {QStringLiteral("Hiba (nem 7, 12 % van megadva): ") + n}},
        {"rate with fraction", [](TicketRow& r) { r.surchargeRate = QStringLiteral("12,5"); },
         {QStringLiteral("Hiba (nem 7, 12 % van megadva): ") + n}},
        {"no rate", [](TicketRow& r) { r.surchargeRate.clear(); },
         {QStringLiteral("Hiba (nincs Komp.felár megadva): ") + n}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TicketRow r = validTicketRow();
        c.spoil(r);
        EXPECT_EQ(findingsOf(r), c.findings);
    }
}

TEST(TicketFindings, UnreadableValuesDoNotCutTheReport)
{
    TicketRow bad = validTicketRow();
    bad.surchargeRate = QStringLiteral("12,5");
    bad.quantity = QStringLiteral("sok");
    TicketRow after = validTicketRow();
    after.ticketNumber = QStringLiteral("20160008");
    after.surchargeRate = QStringLiteral("0");
    const QStringList report = checkTickets({bad, after});
    EXPECT_EQ(report.last(), closingLine());
    EXPECT_EQ(report.size(), 20 * 3 + 1 + 3);
    const int rateStart = int(report.indexOf(QStringLiteral("    Komp.felár ellenörzés... ")));
    EXPECT_EQ(report.mid(rateStart, 5),
              QStringList({QStringLiteral("    Komp.felár ellenörzés... "),
                           QStringLiteral("Hiba (nem 7, 12 % van megadva): 20160007"),
                           QStringLiteral("Hiba (nem 7, 12 % van megadva): 20160008"),
                           QStringLiteral("    Komp.felár ellenörzés vége. "), QStringLiteral(" ")}));
}

TEST(SingleValueChecks, VerdictsByTable)
{
    struct Case
    {
        Verdict (*check)(const QString&);
        const char* input;
        const char* verdict;
        bool error;
    };
    const Case cases[] = {
        {checkTaxNumber, "12345676203", "Az adószám rendben", false},
        {checkTaxNumber, "12345676-2-03", "Az adószám rendben", false},
        {checkTaxNumber, "12345676 2 03", "Az adószám rendben", false},
        {checkTaxNumber, "12345676x9y99", "Az adószám rendben", false}, // only digit 8 is tested
        {checkTaxNumber, "12345678-2-03", "Hibaüzenet: Hibás adószám", true},
        {checkTaxNumber, "12345678203", "Hibaüzenet: Hibás adószám", true},
        {checkTaxNumber, "1234567-203", "Hibaüzenet: Hibás adószám", true}, // a separator in the check digit's place
        {checkTaxNumber, "123456762030", "Hibaüzenet: Nem 11 vagy 13 hosszú számsor", true},
        {checkTaxNumber, "", "Hibaüzenet: Nem 11 vagy 13 hosszú számsor", true},
        {checkTaxId, "8526018159", "Az azóazonositó rendben", false},
        {checkTaxId, "8526018158", "Hibaüzenet: Hibás adóazonositó", true},
        {checkTaxId, "852601815", "Hibaüzenet: Nem 10 hosszú számsor", true},
        {checkTaxId, "85260181590", "Hibaüzenet: Nem 10 hosszú számsor", true},
        {checkTaj, "366712768", "A TAJ rendben", false},
        {checkTaj, "366 712 768", "A TAJ rendben", false},
        {checkTaj, "366-712-768", "A TAJ rendben", false},
        {checkTaj, "000000000", "A TAJ rendben", false},
        {checkTaj, "366712769", "Hibaüzenet: Hibás TAJ", true},
        {checkTaj, "366 712 769", "Hibaüzenet: Hibás TAJ", true},
        {checkTaj, "36671276", "Hibaüzenet: Nem 9 vagy 11 hosszú számsor", true},
        {checkTaj, "3667127680", "Hibaüzenet: Nem 9 vagy 11 hosszú számsor", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const Verdict v = c.check(QString::fromUtf8(c.input));
        EXPECT_EQ(str(v.text), c.verdict);
        EXPECT_EQ(v.error, c.error);
    }
}

TEST(DayCount, CountsFrom1867InTheGregorianCalendar)
{
    EXPECT_EQ(daysSince1867(QDate(1867, 1, 1)), 0);
    EXPECT_EQ(daysSince1867(QDate(1867, 1, 2)), 1);
    EXPECT_EQ(daysSince1867(QDate(1980, 5, 15)), 41407);
    EXPECT_EQ(daysSince1867(QDate(1900, 3, 1)), 12112); // 1900 is not a leap year
    EXPECT_EQ(daysSince1867(QDate(1866, 12, 31)), 1);   // before the start: the absolute difference
}

TEST(DayCount, VerdictsByTable)
{
    const QString ok = QStringLiteral("Az adóazonositó és születési dátum összevetése rendben");
    const QString mismatch = QStringLiteral("Hibaüzenet: Az adóazonositó és/vagy szül.dátum hiba !");
    const QString length = QStringLiteral("Hibaüzenet: Nem 10 hosszú számsor !");
    struct Case
    {
        const char* taxId;
        QDate birth;
        const char* idDays;
        const char* days;
        QString verdict;
    };
    const Case cases[] = {
        {"8414070000", QDate(1980, 5, 15), "41407", "41407", ok},
        {"8414080000", QDate(1980, 5, 15), "41408", "41407", mismatch},
        {"8000010003", QDate(1867, 1, 2), "00001", "1", ok},
        {"8000000003", QDate(1867, 1, 2), "00000", "1", mismatch},
        {"84A4070000", QDate(1980, 5, 15), "4A407", "41407", mismatch}, // not digits: a verdict, no error
        {"8 41407000", QDate(1980, 5, 15), " 4140", "41407", mismatch},
        {"841407000", QDate(1980, 5, 15), "41407", "41407", length},
        {"84", QDate(1980, 5, 15), "4", "41407", length},
        {"", QDate(1980, 5, 15), "", "41407", length},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taxId);
        const DayCountResult r = checkDayCount(QString::fromLatin1(c.taxId), c.birth);
        EXPECT_EQ(str(r.idDays), c.idDays);
        EXPECT_EQ(str(r.daysText), c.days);
        EXPECT_EQ(r.verdict.text, c.verdict);
        EXPECT_EQ(r.verdict.error, c.verdict != ok);
    }
}

TEST(DayCount, ElteltNapEllenorzesReadsDateText)
{
    EXPECT_TRUE(elteltNapEllenorzes(QStringLiteral("8414070000"), QStringLiteral("1980.05.15")));
    EXPECT_FALSE(elteltNapEllenorzes(QStringLiteral("8414070000"), QStringLiteral("1980.05.16")));
    EXPECT_TRUE(elteltNapEllenorzes(QStringLiteral("8000010003"), QStringLiteral("1867.01.02")));
    EXPECT_FALSE(elteltNapEllenorzes(QStringLiteral("8-00001003"), QStringLiteral("1867.01.02")));
    EXPECT_FALSE(elteltNapEllenorzes(QStringLiteral("8414070000"), QStringLiteral("1980.02.30")));
    EXPECT_FALSE(elteltNapEllenorzes(QStringLiteral("8414070000"), QString()));
}

TEST(DefaultPeriod, IsTheWholeYearOfToday)
{
    const Period p = defaultPeriod(QDate(2016, 7, 14));
    EXPECT_EQ(p.from, QDate(2016, 1, 1));
    EXPECT_EQ(p.to, QDate(2016, 12, 31));
}

} // namespace
