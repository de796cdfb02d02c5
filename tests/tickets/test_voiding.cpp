// Voiding a printed ticket with a storno ticket: the copy under the next number with negated
// quantities, the blank-numbered rows it must not touch, one transaction for all of it, the
// refusals, and the voiding screen.
#include "ErrorMessage.h"
#include "DbError.h"
#include "Dialogs.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm39.h"
#include "TestDatabase.h"
#include "TicketList.h"
#include "TicketTestData.h"
#include "Voiding.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using zeror::ui::Dialogs;

namespace {

// The ticket 20160005 of buyer 00001 that the tests void: printed, two lines of 120 and 35,5,
// a deduction of 500; the buyer's counter stands at 20160007.
TestTicket voidedTicket()
{
    TestTicket t;
    t.number = QStringLiteral("20160005");
    t.printed = QStringLiteral("I");
    t.deduction = 500;
    t.lines = {{"Búza", 120, 48.5, 7}, {"Napraforgó", 35.5, 110, 12}};
    return t;
}

class Voiding : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<TestDatabase>();
        m_db->chooseBuyer(QStringLiteral("00001"));
        Dialogs::clear();
        insertTicket(db(), voidedTicket());
        db().exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160007' WHERE a_akod = '00001'"));
    }
    void TearDown() override { m_db.reset(); }

    TestDatabase& db() { return *m_db; }
    TData& data() { return m_db->data(); }
    QString scalar(const QString& sql) { return m_db->scalar(sql); }
    QString counter() { return scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")); }
    QString header(const QString& number, const QString& column)
    {
        return scalar(QStringLiteral("SELECT %1 FROM fjfej WHERE f_bszam = '%2'").arg(column, number));
    }
    QStringList lineValues(const QString& number, const QString& column)
    {
        Query q(&data().connection(), QStringLiteral("test"));
        q.setSql({QStringLiteral("SELECT %1 FROM fjsor WHERE s_bszam = :p0 ORDER BY id_fjsor").arg(column)});
        q.setText(QStringLiteral("p0"), number);
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out << q.text(q.fieldNames().value(0));
        return out;
    }

    std::unique_ptr<TestDatabase> m_db;
};

TEST_F(Voiding, CreatesTheStornoTicketUnderTheNextNumber)
{
    const QString number = reserveVoidingNumber(data());
    EXPECT_EQ(str(number), "20160008");
    EXPECT_EQ(str(test::errorMessage([&] { deleteLeftoverLines(data(), number); })), "");

    const QString done = createVoidingTicket(data(), QStringLiteral("20160005"), number);
    EXPECT_EQ(str(done), "Az érvénytelenítő bizonylat 20160008 sorszámmal elkészült!");

    const QString n = QStringLiteral("20160008");
    EXPECT_EQ(str(header(n, QStringLiteral("COUNT(*)"))), "1");
    EXPECT_EQ(str(header(n, QStringLiteral("f_tipus"))), "4");
    EXPECT_EQ(str(header(n, QStringLiteral("f_ervenyt"))), "20160005");
    EXPECT_EQ(str(header(QStringLiteral("20160005"), QStringLiteral("f_ervenyt"))), "20160008");
    EXPECT_NE(str(header(n, QStringLiteral("f_prn"))), "I");
    // The voided ticket's dates, not today's.
    EXPECT_EQ(str(header(n, QStringLiteral("f_kelt"))), "2016.03.05");
    EXPECT_EQ(str(header(n, QStringLiteral("f_felvkelt"))), "2016.03.04");
    EXPECT_EQ(str(header(n, QStringLiteral("f_fizkelt"))), "2016.03.13");
    EXPECT_EQ(str(header(n, QStringLiteral("f_levonas"))), "-500");
    for (const char* same : {"f_akod", "f_ostermkod", "f_szja", "f_utal", "f_nyilatk", "f_jarulszaz", "f_megj"})
        EXPECT_EQ(str(header(n, QString::fromLatin1(same))), str(header(QStringLiteral("20160005"), QString::fromLatin1(same))))
            << same;
    EXPECT_DOUBLE_EQ(header(n, QStringLiteral("f_sumvar")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                     -header(QStringLiteral("20160005"), QStringLiteral("f_sumvar")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
    EXPECT_DOUBLE_EQ(header(n, QStringLiteral("f_muvktg")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(),
                     -header(QStringLiteral("20160005"), QStringLiteral("f_muvktg")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());

    EXPECT_EQ(lineValues(n, QStringLiteral("s_brutto")), QStringList({QStringLiteral("-120"), QStringLiteral("-35,5")}));
    EXPECT_EQ(lineValues(n, QStringLiteral("s_megnevezes")), lineValues(QStringLiteral("20160005"), QStringLiteral("s_megnevezes")));
    EXPECT_EQ(lineValues(n, QStringLiteral("s_akod")), QStringList({QStringLiteral("00001"), QStringLiteral("00001")}));
    const QStringList price = lineValues(n, QStringLiteral("s_vetelar"));
    const QStringList voidedPrice = lineValues(QStringLiteral("20160005"), QStringLiteral("s_vetelar"));
    ASSERT_EQ(price.size(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(str(price[i]), str(QLatin1Char('-') + voidedPrice[i]));

    EXPECT_EQ(str(counter()), "20160008");
    EXPECT_EQ(str(sharedState().currentTicketNumber), "20160008");
    EXPECT_EQ(str(data().ZQ10.text(QStringLiteral("f_bszam"))), "20160008");
}

TEST_F(Voiding, StrayBlankNumberedRowsAreLeftAlone)
{
    // Rows inserted without a number take the blank default: a header of each buyer and a line.
    db().exec(QStringLiteral("INSERT INTO fjfej (f_akod, f_ostermkod, f_levonas) VALUES ('00001', '00002', 7)"));
    db().exec(QStringLiteral("INSERT INTO fjfej (f_akod, f_ostermkod, f_levonas) VALUES ('00002', '00003', 9)"));
    db().exec(QStringLiteral("INSERT INTO fjsor (s_akod, s_megnevezes, s_brutto, s_ear) VALUES ('00001', 'Kóbor', 3, 10)"));

    const QString failure = test::errorMessage(
        [&] { createVoidingTicket(data(), QStringLiteral("20160005"), QStringLiteral("20160008")); });
    ASSERT_TRUE(failure.isEmpty()) << str(failure);

    EXPECT_EQ(str(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_bszam = ' '"))), "2");
    EXPECT_EQ(str(scalar(QStringLiteral("SELECT SUM(f_levonas) FROM fjfej WHERE f_bszam = ' '"))), "16");
    EXPECT_EQ(str(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_ervenyt = '20160005' OR f_tipus = '4'"))), "1");
    EXPECT_EQ(lineValues(QStringLiteral(" "), QStringLiteral("s_brutto")), QStringList({QStringLiteral("3")}));
    EXPECT_EQ(lineValues(QStringLiteral("20160008"), QStringLiteral("s_brutto")).size(), 2);
}

TEST_F(Voiding, ThePairSumsToZeroInTheProducersRunningTotals)
{
    auto totals = [this] {
        Query q(&data().connection(), QStringLiteral("test"));
        q.setSql({QStringLiteral("SELECT f_ostermkod,"), QStringLiteral("SUM(s_felvar)    AS far1,"),
                  QStringLiteral("SUM(s_kompfelar) AS kfelar1,"), QStringLiteral("SUM(s_vetelar)   AS var1"),
                  QStringLiteral("FROM Fjsor"), QStringLiteral("JOIN Fjfej ON Fjfej.f_Bszam = Fjsor.s_Bszam"),
                  QStringLiteral("JOIN Ostermelo ON Fjfej.f_ostermkod = Ostermelo.o_Kod"),
                  QStringLiteral("WHERE FjFej.f_ostermkod = :p1"), QStringLiteral("GROUP BY f_ostermkod")});
        q.setText(QStringLiteral("p1"), QStringLiteral("00001"));
        q.open();
        return std::vector<double>{q.number(QStringLiteral("far1")), q.number(QStringLiteral("kfelar1")),
                                   q.number(QStringLiteral("var1"))};
    };
    const std::vector<double> before = totals();
    ASSERT_GT(before[2], 0);
    createVoidingTicket(data(), QStringLiteral("20160005"), QStringLiteral("20160008"));
    for (double t : totals())
        EXPECT_NEAR(t, 0, 1e-6);
}

// A failure in any step of the voiding leaves nothing of it stored.
struct FailureCase
{
    const char* title;
    const char* setup;    // a statement that makes one step fail, run after the number is reserved ("" none)
    const char* counter;  // the counter the buyer starts with
    const char* message;  // the start of the failing step's message
};

class VoidingFailure : public Voiding, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(VoidingFailure, RollsEverythingBack)
{
    const FailureCase& c = GetParam();
    db().exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '%1' WHERE a_akod = '00001'").arg(QString::fromLatin1(c.counter)));
    const QString number = reserveVoidingNumber(data());
    deleteLeftoverLines(data(), number);
    if (*c.setup)
        db().exec(QString::fromLatin1(c.setup));
    const QString counterBefore = counter();

    const QString failure = test::errorMessage([&] { createVoidingTicket(data(), QStringLiteral("20160005"), number); });
    EXPECT_TRUE(failure.startsWith(QString::fromUtf8(c.message))) << str(failure);
    EXPECT_TRUE(failure.contains(QLatin1Char('\n'))) << "the database's reason follows: " << str(failure);

    data().rollback();
    EXPECT_EQ(str(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_bszam <> '20160005'"))), "0");
    EXPECT_EQ(str(scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam <> '20160005'"))), "0");
    EXPECT_EQ(str(header(QStringLiteral("20160005"), QStringLiteral("f_ervenyt"))), "");
    EXPECT_EQ(lineValues(QStringLiteral("20160005"), QStringLiteral("s_brutto")),
              QStringList({QStringLiteral("120"), QStringLiteral("35,5")}));
    EXPECT_EQ(str(counter()), str(counterBefore));
    EXPECT_TRUE(sharedState().currentTicketNumber.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, VoidingFailure,
    testing::Values(
        FailureCase{"the header copy is refused", "ALTER TABLE fjfej ADD CONSTRAINT ck_test_levonas CHECK (f_levonas >= 0)",
                    "20160007", "Hiba392: Újban, INSERT a Fjfejben "},
        FailureCase{"a line copy is refused", "ALTER TABLE fjsor ADD CONSTRAINT ck_test_brutto CHECK (s_brutto >= 0)",
                    "20160007", "Hiba395: Újban, INSERT a Fjsorban "},
        FailureCase{"the counter row is gone", "DELETE FROM sorszam WHERE a_akod = '00001'", "20160007",
                    "Hiba398: Új UPDATE Sorszam -ba "}),
    [](const testing::TestParamInfo<FailureCase>& p) { return std::to_string(p.index); });

TEST_F(Voiding, ReservationNeedsACounterAndAFreeNumber)
{
    // Lines left under the number by an abandoned entry are deleted.
    db().exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_megnevezes, s_brutto) VALUES ('20160008', '00001', 'Árva', 1)"));
    const QString number = reserveVoidingNumber(data());
    deleteLeftoverLines(data(), number);
    EXPECT_TRUE(lineValues(QStringLiteral("20160008"), QStringLiteral("s_brutto")).isEmpty());

    // A ticket already under the next number (the counter is behind): its lines are not touched
    // and the next free number is shown.
    TestTicket other;
    other.number = QStringLiteral("20160008");
    other.lines = {{"Méz", 2, 1150, 12}};
    insertTicket(db(), other);
    EXPECT_EQ(str(reserveVoidingNumber(data())), "20160009");
    deleteLeftoverLines(data(), QStringLiteral("20160008"));
    EXPECT_EQ(lineValues(QStringLiteral("20160008"), QStringLiteral("s_brutto")).size(), 1);
    QString refusal;

    // The number after 99999999 does not fit the 8-character ticket number.
    db().exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '99999999' WHERE a_akod = '00001'"));
    refusal = test::errorMessage([&] { reserveVoidingNumber(data()); });
    EXPECT_TRUE(refusal.contains(QStringLiteral("100000000"))) << str(refusal);

    db().exec(QStringLiteral("DELETE FROM sorszam WHERE a_akod = '00001'"));
    refusal = test::errorMessage([&] { reserveVoidingNumber(data()); });
    EXPECT_FALSE(refusal.isEmpty());
    db().exec(QStringLiteral("INSERT INTO sorszam (a_akod, a_fjbszam) VALUES ('00001', 'abc')"));
    refusal = test::errorMessage([&] { reserveVoidingNumber(data()); });
    EXPECT_TRUE(refusal.contains(QStringLiteral("abc"))) << str(refusal);
}

TEST(VoidingRefusal, OnTheListRow)
{
    struct Case
    {
        const char* printed;
        const char* counterpart;
        const char* type;
        const char* refusal;
    };
    const Case cases[] = {
        {" ", "", "1", "Nem volt nyomtatva. Nem érvényteleníthető!"},
        {"", "", "1", "Nem volt nyomtatva. Nem érvényteleníthető!"},
        {" ", "20160005", "4", "Nem volt nyomtatva. Nem érvényteleníthető!"},
        {"I", "20160008", "1", "Már érvénytelenítve van!"},
        {"I", "20160005", "4", "Érvénytelent (storno) nem lehet érvényteleníteni!"},
        {"I", "", "1", ""},
        {"I", "  ", "1", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(str(voidingRefusal(QString::fromLatin1(c.printed), QString::fromLatin1(c.counterpart),
                                     QString::fromLatin1(c.type), QStringLiteral("1"))),
                  c.refusal)
            << c.printed << "/" << c.counterpart << "/" << c.type;
}

// ---- The voiding screen ----

TEST_F(Voiding, ScreenShowsTheNumberAndCancelConsumesNothing)
{
    {
        TForm39 screen(QStringLiteral("20160005"));
        screen.show();
        QApplication::processEvents();
        EXPECT_EQ(str(screen.windowTitle()), "Érvénytelenitő bizonylat létrehozása");
        auto* number = screen.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(str(number->text()), "20160008");
        EXPECT_FALSE(number->isEnabled());
        QStringList labels;
        for (QLabel* l : screen.findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QStringLiteral("Érvénytelenítő \"ÚJ\" bizonylat sorszáma:")));
        EXPECT_TRUE(labels.contains(QStringLiteral("Az érvénytelenítendő  bizonylat tételsor(ok) mennyisége mínusz eggyel beszorozva.")));
        const QString shot = qEnvironmentVariable("ZEROR_SCREENSHOT_DIR");
        if (!shot.isEmpty())
            screen.grab().save(shot + QStringLiteral("/voiding.png"));
        screen.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        EXPECT_EQ(screen.result(), QDialog::Rejected);
    }
    data().commit();
    EXPECT_EQ(str(counter()), "20160007");
    EXPECT_EQ(str(header(QStringLiteral("20160008"), QStringLiteral("COUNT(*)"))), "0");
    EXPECT_EQ(str(header(QStringLiteral("20160005"), QStringLiteral("f_ervenyt"))), "");
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    // The next ticket is offered the number that was shown.
    EXPECT_EQ(str(reserveVoidingNumber(data())), "20160008");
}

TEST_F(Voiding, ScreenOkCreatesTheTicketAndTellsItsNumber)
{
    TForm39 screen(QStringLiteral("20160005"));
    screen.show();
    QApplication::processEvents();
    screen.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Information);
    EXPECT_EQ(str(Dialogs::lastText()), "Az érvénytelenítő bizonylat 20160008 sorszámmal elkészült!");
    EXPECT_EQ(str(counter()), "20160008");
}

TEST_F(Voiding, ScreenWithoutACounterOffersOnlyCancel)
{
    db().exec(QStringLiteral("DELETE FROM sorszam WHERE a_akod = '00001'"));
    TForm39 screen(QStringLiteral("20160005"));
    screen.show();
    QApplication::processEvents();
    EXPECT_FALSE(screen.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(screen.reservedNumber().isEmpty());
}

TEST_F(Voiding, ScreenReportsAFailedStepAndCloses)
{
    TForm39 screen(QStringLiteral("20160005"));
    screen.show();
    QApplication::processEvents();
    db().exec(QStringLiteral("ALTER TABLE fjsor ADD CONSTRAINT ck_test_brutto CHECK (s_brutto >= 0)"));
    screen.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_EQ(screen.result(), QDialog::Rejected);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba395: Újban, INSERT a Fjsorban "))) << str(Dialogs::lastText());
    EXPECT_EQ(str(counter()), "20160007");
}

} // namespace
