// Year opening: the starting number's checks, the insert or update of the buyer's counter, that
// the counter is committed at once, and the locked state once the buyer has a ticket.
#include "BuyerScreens.h"
#include "Dialogs.h"
#include "ModalDriver.h"
#include "ScreenRegistry.h"
#include "SecondAttachment.h"
#include "SharedState.h"
#include "TForm38.h"
#include "TestDatabase.h"
#include "YearOpening.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

const QString kNotGiven = QStringLiteral("Nincs megadva sorszám!");
const QString kNotEight = QStringLiteral("Nem 8 hosszú a számsor!");
const QString kLeadingZero = QStringLiteral("Nullável nem kezdödhet!");
const QString kDigitsOnly = QStringLiteral("Csak számot tartalmazhat.");

TEST(StartingNumberCheck, RefusesInTheOrderOfTheChecks)
{
    struct Case
    {
        const char* text;
        QString fault; // empty: accepted
    };
    const Case cases[] = {
        {"20160000", {}},
        {"16000000", {}},
        {"99999999", {}},
        {"", kNotGiven},
        {"   ", kNotGiven},
        {"2016000", kNotEight},
        {"201600000", kNotEight},
        {"0", kNotEight},
        {"2016000 ", kDigitsOnly}, // eight characters with a trailing blank
        {" 2016000", kDigitsOnly},
        {"2016 000", kDigitsOnly},
        {"2016abcd", kDigitsOnly},
        {"0abcdefg", kDigitsOnly},
        {"02016000", kLeadingZero},
        {"00000000", kLeadingZero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QString> fault = checkStartingNumber(QString::fromLatin1(c.text));
        EXPECT_EQ(fault.value_or(QString()), c.fault);
    }
}

using zeror::test::SecondAttachment;

class YearOpeningTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.chooseBuyer(QStringLiteral("00002")); // counter 16000000
    }
    QString counter(const QString& code = QStringLiteral("00002"))
    {
        return db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '%1'").arg(code));
    }
    QString counterRows(const QString& code)
    {
        return db.scalar(QStringLiteral("SELECT count(*) FROM sorszam WHERE a_akod = '%1'").arg(code));
    }
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    test::TestDatabase db;
};

TEST_F(YearOpeningTest, EditableScreenShowsTheGuidanceAndTheCurrentCounter)
{
    TForm38 form(db.data());
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Évnyitás"));
    EXPECT_FALSE(form.isLocked());
    const QStringList guidance = yearOpeningGuidance();
    ASSERT_EQ(guidance.size(), 7);
    for (int i = 0; i < guidance.size(); ++i) {
        auto* label = form.findChild<QLabel*>(QStringLiteral("guidanceLabel%1").arg(i + 1));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), guidance[i]);
        EXPECT_TRUE(label->isVisible());
    }
    EXPECT_EQ(guidance[2], QStringLiteral("Nyolc  hosszú legyen a  számsor"));
    EXPECT_EQ(guidance[6], QStringLiteral("Az utolsó (8. karakter) nulla akkor a kezdő bizonylatszám 1-es lesz. "));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("currentLabel"))->text(), QStringLiteral("Jelenlegi sorszam:"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("newLabel"))->text(), QStringLiteral("Új sorszam:"));
    EXPECT_EQ(form.currentEdit()->text(), QStringLiteral("16000000"));
    EXPECT_TRUE(form.currentEdit()->isReadOnly());
    EXPECT_TRUE(form.newEdit()->isVisible());
    EXPECT_TRUE(form.storeButton()->isVisible());
    EXPECT_EQ(form.storeButton()->text(), QStringLiteral("Letárol"));
    EXPECT_EQ(form.closeButton()->text(), QStringLiteral("Bezárás"));
    EXPECT_FALSE(form.findChild<QLabel*>(QStringLiteral("lockedLabel"))->isVisible());
    EXPECT_EQ(form.focusWidget(), form.newEdit());
}

TEST_F(YearOpeningTest, StoredCounterIsUpdatedAndCommittedAtOnce)
{
    TForm38 form(db.data());
    form.show();
    type(form.newEdit(), QStringLiteral("20160000"));
    form.storeButton()->click();
    EXPECT_TRUE(Dialogs::shown().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());

    // A later rollback of the shared transaction (another screen's failed store) keeps it.
    db.data().startTransaction();
    db.data().rollback();
    EXPECT_EQ(counter(), QStringLiteral("20160000"));
    EXPECT_EQ(counterRows(QStringLiteral("00002")), QStringLiteral("1"));
    SecondAttachment other(db.databasePath());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00002'")),
              QStringLiteral("20160000"));

    // A second store before any ticket replaces the value again.
    TForm38 again(db.data());
    again.show();
    EXPECT_EQ(again.currentEdit()->text(), QStringLiteral("20160000"));
    type(again.newEdit(), QStringLiteral("20170000"));
    again.storeButton()->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(counter(), QStringLiteral("20170000"));
    EXPECT_EQ(counter(QStringLiteral("00001")), QStringLiteral("20160000")); // the other buyer's stays
}

TEST_F(YearOpeningTest, BuyerWithoutCounterRowGetsOneInserted)
{
    db.exec(QStringLiteral("DELETE FROM sorszam WHERE a_akod = '00002'"));
    TForm38 form(db.data());
    form.show();
    EXPECT_FALSE(form.isLocked());
    EXPECT_TRUE(form.currentEdit()->text().isEmpty());
    type(form.newEdit(), QStringLiteral("16000000"));
    form.storeButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(counterRows(QStringLiteral("00002")), QStringLiteral("1"));
    EXPECT_EQ(counter(), QStringLiteral("16000000"));
    SecondAttachment other(db.databasePath());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM sorszam WHERE a_akod = '00002'")),
              QStringLiteral("1"));
}

TEST_F(YearOpeningTest, RefusedInputKeepsTheScreenAndTheCounter)
{
    struct Case
    {
        const char* typed;  // typed key by key
        const char* inField; // what the digit filter lets into the field
        QString message;
    };
    const Case cases[] = {
        {"2016000", "2016000", kNotEight},
        {"02016000", "02016000", kLeadingZero},
        {"2016abcd", "2016", kNotEight}, // letters never reach the field
        {"abcdefgh", "", kNotGiven},
        {"    ", "", kNotGiven}, // nor do blanks
        {"201600001", "201600001", kNotEight}, // a ninth digit reaches the check, nothing is stored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Dialogs::clear();
        TForm38 form(db.data());
        form.show();
        type(form.newEdit(), QString::fromLatin1(c.typed));
        EXPECT_EQ(form.newEdit()->text(), QString::fromLatin1(c.inField));
        if (c.message.isEmpty())
            continue;
        form.closeButton()->setFocus();
        form.storeButton()->click();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_EQ(Dialogs::lastText(), c.message);
        EXPECT_EQ(form.focusWidget(), form.newEdit());
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(counter(), QStringLiteral("16000000"));
    }
}

TEST_F(YearOpeningTest, PastedTextWithLettersIsRejectedWhole)
{
    TForm38 form(db.data());
    form.show();
    QApplication::clipboard()->setText(QStringLiteral("2016 00A"));
    form.newEdit()->paste();
    EXPECT_TRUE(form.newEdit()->text().isEmpty());
    QApplication::clipboard()->setText(QStringLiteral("20160000"));
    form.newEdit()->paste();
    EXPECT_EQ(form.newEdit()->text(), QStringLiteral("20160000"));
}

TEST_F(YearOpeningTest, EnterMovesOnWithoutEnteringAnything)
{
    TForm38 form(db.data());
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.newEdit()->setFocus();
    QTest::keyClicks(form.newEdit(), QStringLiteral("2016"));
    QTest::keyClick(form.newEdit(), Qt::Key_Return);
    EXPECT_EQ(form.newEdit()->text(), QStringLiteral("2016"));
    EXPECT_EQ(QApplication::focusWidget(), form.storeButton());
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(YearOpeningTest, TicketLocksTheCounter)
{
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod) VALUES ('16000001', '00002', '00001')"));
    TForm38 form(db.data());
    form.show();
    EXPECT_TRUE(form.isLocked());
    auto* locked = form.findChild<QLabel*>(QStringLiteral("lockedLabel"));
    EXPECT_TRUE(locked->isVisible());
    EXPECT_EQ(locked->text(), QStringLiteral("Már készült felvásárlási jegy! Nem módositható."));
    EXPECT_FALSE(form.newEdit()->isVisible());
    EXPECT_FALSE(form.findChild<QLabel*>(QStringLiteral("newLabel"))->isVisible());
    EXPECT_FALSE(form.storeButton()->isVisible());
    EXPECT_TRUE(form.currentEdit()->text().isEmpty()); // not read once locked
    form.Button1Click();
    EXPECT_EQ(counter(), QStringLiteral("16000000"));
    form.closeButton()->click();
    EXPECT_FALSE(form.isVisible());

    // The other buyer, without tickets, can still be set.
    db.chooseBuyer(QStringLiteral("00001"));
    TForm38 other(db.data());
    EXPECT_FALSE(other.isLocked());
}

TEST_F(YearOpeningTest, FailedUpdateGivesHiba381AndTheScreenStays)
{
    SecondAttachment other(db.databasePath());
    Query lock(&other.connection, QStringLiteral("lock"));
    lock.setSql({QStringLiteral("UPDATE sorszam SET a_szeria = 'x' WHERE a_akod = '00002'")});
    lock.exec();

    TForm38 form(db.data());
    form.show();
    type(form.newEdit(), QStringLiteral("20160000"));
    form.storeButton()->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba381: Letároláskor az UPDATE Sorszam -ba \n")))
        << Dialogs::lastText().toStdString();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.focusWidget(), form.newEdit());
    other.connection.rollback();
    EXPECT_EQ(counter(), QStringLiteral("16000000"));

    // Once the other program lets go, the same screen stores.
    form.storeButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(counter(), QStringLiteral("20160000"));
}

TEST_F(YearOpeningTest, FailedInsertGivesHiba382AndTheScreenStays)
{
    // The database refuses this one value, as it would refuse any row it cannot take.
    db.exec(QStringLiteral("ALTER TABLE sorszam ADD CONSTRAINT chk_test_counter CHECK (a_fjbszam <> '99999999')"));
    db.exec(QStringLiteral("DELETE FROM sorszam WHERE a_akod = '00002'"));
    TForm38 form(db.data());
    form.show();
    type(form.newEdit(), QStringLiteral("99999999"));
    form.storeButton()->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba382: Letároláskor az INSERT Sorszam -ba \n")))
        << Dialogs::lastText().toStdString();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(counterRows(QStringLiteral("00002")), QStringLiteral("0"));

    type(form.newEdit(), QStringLiteral("16000000"));
    form.storeButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(counter(), QStringLiteral("16000000"));
}

TEST_F(YearOpeningTest, MenuItemOpensTheScreen)
{
    registerBuyerScreens();
    QString current;
    test::whenModal([&](QWidget* w) {
        if (auto* f = qobject_cast<TForm38*>(w))
            current = f->currentEdit()->text();
        w->close();
    });
    EXPECT_TRUE(ui::openScreen(QStringLiteral("vnyits1"), nullptr));
    EXPECT_EQ(current, QStringLiteral("16000000"));
}

TEST_F(YearOpeningTest, Screenshot)
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    TForm38 form(db.data());
    form.show();
    QTest::keyClicks(form.newEdit(), QStringLiteral("20160000"));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/year-opening.png")));
}

} // namespace
