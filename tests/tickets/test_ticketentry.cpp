// Rules of the ticket entry without widgets: numbering, the checks of "OK" in their order, the
// settings files and the store of a header with the consumption of its number.
#include "ErrorMessage.h"
#include "TicketEntry.h"
#include "TicketEntryLine.h"
#include "TicketEntrySettings.h"

#include "SharedState.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::ticketentry;
using zeror::test::TestDatabase;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

TEST(TicketNumbering, NextNumberIsTheCounterPlusOne)
{
    const struct
    {
        const char* counter;
        const char* next;
    } cases[] = {
        {"20160000", "20160001"}, {" 20160000 ", "20160001"}, {"16000009", "16000010"},
        {"99999999", "100000000"}, {"", ""},                   {"2016000a", ""},
        {"-5", ""},               {"   ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nextTicketNumber(QString::fromLatin1(c.counter)), QString::fromLatin1(c.next)) << c.counter;
}

TEST(TicketNumbering, OnlyEightDigitsFitTheColumns)
{
    EXPECT_TRUE(ticketNumberFits(QStringLiteral("20160001")));
    EXPECT_TRUE(ticketNumberFits(QStringLiteral("1")));
    EXPECT_FALSE(ticketNumberFits(QStringLiteral("100000000")));
    EXPECT_FALSE(ticketNumberFits(QString()));
    EXPECT_FALSE(ticketNumberFits(QStringLiteral("2016 001")));
    EXPECT_TRUE(ticketNumberProblem(QStringLiteral("100000000")).contains(QStringLiteral("100000000")));
}

TicketHeaderInput completeHeader()
{
    TicketHeaderInput in;
    in.number = QStringLiteral("20160001");
    in.producerCode = QStringLiteral("00001");
    in.issueDate = QStringLiteral("2016.03.28");
    in.purchaseDate = QStringLiteral("2016.03.28");
    in.paymentDate = QStringLiteral("2016.03.28");
    in.szja = QStringLiteral("15");
    in.weightDeduction = QStringLiteral("0");
    in.contribution = QStringLiteral("0");
    in.deduction = QStringLiteral("0");
    return in;
}

struct HeaderCheckCase
{
    const char* what;
    std::function<void(TicketHeaderInput&)> change;
    const char* message; // "" for no fault
    HeaderField field;
};

TEST(HeaderChecks, FirstFaultInTheFixedOrder)
{
    const HeaderCheckCase cases[] = {
        {"complete", [](TicketHeaderInput&) {}, "", HeaderField::Number},
        {"issuing date before producer",
         [](TicketHeaderInput& i) {
             i.issueDate.clear();
             i.producerCode.clear();
         },
         "Nincs megadva a kiállítás dátuma!", HeaderField::IssueDate},
        {"blanks only count as empty", [](TicketHeaderInput& i) { i.purchaseDate = QStringLiteral("   "); },
         "Nincs megadva a felvásárlás dátuma!", HeaderField::PurchaseDate},
        {"payment date", [](TicketHeaderInput& i) { i.paymentDate.clear(); }, "Nincs megadva a átvétel dátum!",
         HeaderField::PaymentDate},
        {"szja before producer",
         [](TicketHeaderInput& i) {
             i.szja.clear();
             i.producerCode.clear();
         },
         "Nincs megadva az szja!", HeaderField::Szja},
        {"producer", [](TicketHeaderInput& i) { i.producerCode.clear(); }, "Nincs kiválasztva őstermelő!",
         HeaderField::Producer},
        {"deduction before the percentages",
         [](TicketHeaderInput& i) {
             i.deduction.clear();
             i.weightDeduction.clear();
         },
         "Nincs megadva vagy nem nulla a levonás!", HeaderField::Deduction},
        {"weight deduction", [](TicketHeaderInput& i) { i.weightDeduction.clear(); },
         "Nincs megadva súlylevonás % -a vagy nem nulla!", HeaderField::WeightDeduction},
        {"contribution", [](TicketHeaderInput& i) { i.contribution.clear(); },
         "Nincs megadva tagok hozzájárulása % -a vagy nem nulla!", HeaderField::Contribution},
        {"empty fields before bad dates",
         [](TicketHeaderInput& i) {
             i.issueDate = QStringLiteral("2016.02.30");
             i.contribution.clear();
         },
         "Nincs megadva tagok hozzájárulása % -a vagy nem nulla!", HeaderField::Contribution},
        {"a day that does not exist", [](TicketHeaderInput& i) { i.issueDate = QStringLiteral("2016.02.30"); },
         "Hibás a kiállítás dátuma!", HeaderField::IssueDate},
        {"purchase date", [](TicketHeaderInput& i) { i.purchaseDate = QStringLiteral("2016.13.01"); },
         "Hibás a felvásárlás dátuma!", HeaderField::PurchaseDate},
        {"payment date unreadable", [](TicketHeaderInput& i) { i.paymentDate = QStringLiteral("20160328"); },
         "Hibás az átvétel dátuma!", HeaderField::PaymentDate},
        {"percentage with two commas", [](TicketHeaderInput& i) { i.contribution = QStringLiteral("12,5,3"); },
         "Hibás a tagok hozzájárulása % -a: \"12,5,3\" nem szám!", HeaderField::Contribution},
        {"weight deduction with two commas",
         [](TicketHeaderInput& i) { i.weightDeduction = QStringLiteral("1,,"); },
         "Hibás a súlylevonás % -a: \"1,,\" nem szám!", HeaderField::WeightDeduction},
        {"deduction only a comma", [](TicketHeaderInput& i) { i.deduction = QStringLiteral(","); },
         "Hibás a levonás: \",\" nem szám!", HeaderField::Deduction},
        {"szja beyond any whole number",
         [](TicketHeaderInput& i) { i.szja = QStringLiteral("99999999999999999999"); },
         "Hibás az szja: \"99999999999999999999\" nem egész szám!", HeaderField::Szja},
        {"nine-digit ticket number before anything else",
         [](TicketHeaderInput& i) {
             i.number = QStringLiteral("100000000");
             i.issueDate.clear();
         },
         nullptr, HeaderField::Number},
    };
    for (const HeaderCheckCase& c : cases) {
        TicketHeaderInput in = completeHeader();
        c.change(in);
        const std::optional<HeaderFault> fault = checkHeader(in);
        if (c.message && !*c.message) {
            EXPECT_FALSE(fault.has_value()) << c.what << ": " << (fault ? fault->message.toStdString() : "");
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.what;
        if (c.message)
            EXPECT_EQ(fault->message, QString::fromUtf8(c.message)) << c.what;
        else
            EXPECT_EQ(fault->message, ticketNumberProblem(in.number)) << c.what;
        EXPECT_EQ(fault->field, c.field) << c.what;
    }
}

TEST(HeaderValues, BindTheColumnsAsTheyAreStored)
{
    TicketHeaderInput in = completeHeader();
    in.id = QStringLiteral("17");
    in.deduction = QStringLiteral("500");
    in.contribution = QStringLiteral("2,5");
    in.declaration = QStringLiteral("abcdef");
    in.declarationTicked = false;
    in.transfer = true;
    const TicketHeaderValues v = headerValues(in, QStringLiteral("00001"), QStringLiteral("1"), 8230, 10000.25);
    EXPECT_EQ(v.id, 17);
    EXPECT_EQ(v.issueDate, QDate(2016, 3, 28));
    EXPECT_DOUBLE_EQ(v.szja, 15);
    EXPECT_DOUBLE_EQ(v.deduction, 500);
    EXPECT_DOUBLE_EQ(v.contribution, 2.5);
    EXPECT_EQ(v.declaration, QStringLiteral(" ")); // a clear box stores one blank
    EXPECT_DOUBLE_EQ(v.payable, 8230);
    EXPECT_DOUBLE_EQ(v.sumVar, 10000.25);
}

TEST(TransferRules, BankAccountAndPaymentDate)
{
    EXPECT_FALSE(transferFromBankAccount(QStringLiteral(" 1234567 ")));
    EXPECT_TRUE(transferFromBankAccount(QStringLiteral("12345678")));
    EXPECT_FALSE(transferFromBankAccount(QString()));
    EXPECT_EQ(transferPaymentDate(QDate(2016, 3, 28), 0), QDate(2016, 4, 5));
    EXPECT_EQ(transferPaymentDate(QDate(2016, 3, 28), 15), QDate(2016, 4, 12));
    EXPECT_EQ(transferPaymentDate(QDate(2016, 12, 28), 8), QDate(2017, 1, 5));
    EXPECT_FALSE(declarationLoadsTicked(QStringLiteral("abcde")));
    EXPECT_TRUE(declarationLoadsTicked(QStringLiteral("abcdef")));
}

TEST(SettingsFile, BesideTheProgramThenTheWorkingFolder)
{
    QTemporaryDir program;
    QTemporaryDir work;
    ASSERT_TRUE(program.isValid() && work.isValid());
    const QString exe = program.filePath(QStringLiteral("zeror.exe"));
    const QString bare = program.filePath(QStringLiteral("zeror"));
    EXPECT_EQ(settingsFileBesideProgram(exe, QStringLiteral("form9.ini")), program.filePath(QStringLiteral("zerorform9.ini")));
    EXPECT_EQ(settingsFileBesideProgram(bare, QStringLiteral("form10.ini")),
              program.filePath(QStringLiteral("zerorform10.ini")));
    EXPECT_EQ(settingsFileBesideProgram(QStringLiteral("/opt/zeror.d/zeror"), QStringLiteral("form9.ini")),
              QStringLiteral("/opt/zeror.d/zerorform9.ini"));

    EXPECT_EQ(locateSettingsFile(exe, QStringLiteral("form9.ini"), work.path()), QString());
    writeFile(work.filePath(QStringLiteral("form9.ini")), "[Form9]\n");
    EXPECT_EQ(locateSettingsFile(exe, QStringLiteral("form9.ini"), work.path()), work.filePath(QStringLiteral("form9.ini")));
    writeFile(program.filePath(QStringLiteral("zerorform9.ini")), "[Form9]\n");
    EXPECT_EQ(locateSettingsFile(exe, QStringLiteral("form9.ini"), work.path()),
              program.filePath(QStringLiteral("zerorform9.ini")));
}

TEST(SettingsFile, ReadsSwitchesAndDefaultsWithTheDecimalComma)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form9.ini"));
    writeFile(path, "[Form9]\nEdit14Visible=1\nEdit15Visible=0\nEdit13Visible=yes\nEdit14Text=12,5\n"
                    "Edit15Text=2\nEdit13Text=500\n");
    const Form9Settings s = readForm9Settings(path);
    EXPECT_TRUE(s.weightDeductionVisible);
    EXPECT_FALSE(s.contributionVisible);
    EXPECT_FALSE(s.deductionVisible); // only "1" shows a field
    EXPECT_EQ(s.weightDeductionText, QStringLiteral("12,5"));
    EXPECT_EQ(s.contributionText, QStringLiteral("2"));
    EXPECT_EQ(s.deductionText, QStringLiteral("500"));

    const Form9Settings none = readForm9Settings(dir.filePath(QStringLiteral("missing.ini")));
    EXPECT_FALSE(none.weightDeductionVisible || none.contributionVisible || none.deductionVisible);
    EXPECT_TRUE(none.weightDeductionText.isEmpty());

    const QString path10 = dir.filePath(QStringLiteral("form10.ini"));
    writeFile(path10, "[Form10]\nEdit10Visible=1\nEdit8Text=12\n");
    const Form10Settings s10 = readForm10Settings(path10);
    EXPECT_TRUE(s10.documentVisible);
    EXPECT_EQ(s10.rateText, QStringLiteral("12"));
    EXPECT_FALSE(readForm10Settings(QString()).documentVisible);
}

// A header that passed the checks, for the store tests.
TicketHeaderValues storedValues(const QString& number)
{
    TicketHeaderInput in = completeHeader();
    in.number = number;
    in.declarationTicked = true;
    in.declaration = QStringLiteral("Nyilatkozom");
    return headerValues(in, QStringLiteral("00001"), QStringLiteral("1"), 8500, 10000);
}

TEST(HeaderStore, NewTicketAndItsNumberAreStoredTogether)
{
    TestDatabase db;
    const QString failure = test::errorMessage([&] { storeHeader(db.data(), true, storedValues(QStringLiteral("20160001"))); });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    // Nothing is left waiting for a later commit.
    EXPECT_FALSE(db.data().inTransaction());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160001"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_muvktg FROM fjfej WHERE f_bszam = '20160001'")), QStringLiteral("8500"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_tipus FROM fjfej WHERE f_bszam = '20160001'")), QStringLiteral("1"));
}

TEST(HeaderStore, FailedCounterUpdateRollsTheHeaderBack)
{
    TestDatabase db;
    db.exec(QStringLiteral("ALTER TABLE sorszam ADD CONSTRAINT ck_test_counter CHECK (a_fjbszam <> '20160001')"));
    const QString failure = test::errorMessage([&] { storeHeader(db.data(), true, storedValues(QStringLiteral("20160001"))); });
    EXPECT_TRUE(failure.startsWith(Hiba93)) << failure.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej")), QStringLiteral("0"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160000"));
}

TEST(HeaderStore, FailedInsertLeavesTheCounter)
{
    TestDatabase db;
    db.exec(QStringLiteral("ALTER TABLE fjfej ADD CONSTRAINT ck_test_header CHECK (f_megj <> 'rossz')"));
    TicketHeaderValues v = storedValues(QStringLiteral("20160001"));
    v.remark = QStringLiteral("rossz");
    const QString failure = test::errorMessage([&] { storeHeader(db.data(), true, v); });
    EXPECT_TRUE(failure.startsWith(Hiba94)) << failure.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160000"));
}

TEST(HeaderStore, ChangedTicketIsUnprintedAndKeepsItsNumberAndType)
{
    TestDatabase db;
    storeHeader(db.data(), true, storedValues(QStringLiteral("20160001")));
    db.exec(QStringLiteral("UPDATE fjfej SET f_prn = 'I', f_tipus = '1'"));
    TicketHeaderValues v = storedValues(QStringLiteral("20160001"));
    v.id = db.scalar(QStringLiteral("SELECT id_fjfej FROM fjfej")).toLongLong();
    v.remark = QStringLiteral("javítva");
    v.type = QStringLiteral("9"); // never written by a change
    const QString failure = test::errorMessage([&] { storeHeader(db.data(), false, v); });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_prn FROM fjfej")), QStringLiteral(" "));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_megj FROM fjfej")), QStringLiteral("javítva"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_tipus FROM fjfej")), QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160001"));
}

TEST(NumberReservation, ReadsTheBuyersCounter)
{
    TestDatabase db;
    EXPECT_EQ(readNextTicketNumber(db.data(), QStringLiteral("00002")).number, QStringLiteral("16000001"));
    db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = ' 2016000' WHERE a_akod = '00001'"));
    EXPECT_EQ(readNextTicketNumber(db.data(), QStringLiteral("00001")).number, QStringLiteral("2016001"));
    db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = 'abc' WHERE a_akod = '00001'"));
    const NumberReservation bad = readNextTicketNumber(db.data(), QStringLiteral("00001"));
    EXPECT_TRUE(bad.number.isEmpty());
    EXPECT_FALSE(bad.problem.isEmpty());
    EXPECT_FALSE(readNextTicketNumber(db.data(), QStringLiteral("00009")).problem.isEmpty());
}

TEST(TicketSums, ComeFromTheStoredLinesAndTheProducersHeaders)
{
    TestDatabase db;
    db.chooseBuyer(QStringLiteral("00001")); // lines are read for the chosen buyer
    EXPECT_DOUBLE_EQ(readTicketSums(db.data(), QStringLiteral("20160001")).var, 0);
    db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_brutto, s_ear, s_kompmerteke, s_levonszaz, s_akod) "
                           "VALUES ('20160001', 100, 100, 12, 0, '00001')"));
    const AmountSums t = readTicketSums(db.data(), QStringLiteral("20160001"));
    EXPECT_DOUBLE_EQ(t.far, 10000);
    EXPECT_DOUBLE_EQ(t.kfelar, 1200);
    EXPECT_DOUBLE_EQ(t.var, 11200);
    // Lines of a ticket without a stored header do not count for the producer.
    EXPECT_DOUBLE_EQ(readProducerSums(db.data(), QStringLiteral("00001")).var, 0);
    storeHeader(db.data(), true, storedValues(QStringLiteral("20160001")));
    EXPECT_DOUBLE_EQ(readProducerSums(db.data(), QStringLiteral("00001")).var, 11200);
    EXPECT_EQ(countTicketLines(db.data(), QStringLiteral("20160001")), 1);
    EXPECT_EQ(countTicketLines(db.data(), QStringLiteral("20160002")), 0);
}

} // namespace
