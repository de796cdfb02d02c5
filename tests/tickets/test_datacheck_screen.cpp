// The "Ellenörzés" screen: period defaults, "Ellenörzés" enabled only after "Kigyüjtés", the
// reports in the read-only boxes, either tab's check after the other's collection, the verdicts
// and beeps of the "Adatok" tab, "Mégsem"; pictures of the three tabs.
#include "Clock.h"
#include "DataCheck.h"
#include "DataCheckFixture.h"
#include "DataCheckScreens.h"
#include "Dialogs.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "TForm14.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;
using zeror::test::str;

namespace {

class DataCheckScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clock::setFixedDate(QDate(2016, 5, 20));
        Dialogs::setScripted(true);
        Dialogs::clear();
        test::fillDataCheckFixture(db);
        db.chooseBuyer(QStringLiteral("00001"));
    }
    void TearDown() override
    {
        clock::setFixed(QDateTime());
        Dialogs::clear();
    }

    static QStringList reportLines(QPlainTextEdit* box) { return box->toPlainText().split(QLatin1Char('\n')); }

    static void saveShot(QWidget& w, const char* name)
    {
        const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
        QDir().mkpath(dir);
        EXPECT_TRUE(w.grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name)));
    }

    test::TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(DataCheckScreen, TicketTabCollectsThenChecks)
{
    TForm14 form(db.data());
    form.show();
    EXPECT_EQ(form.tabs()->tabText(0), QStringLiteral("Ravuraruvida reva"));
    EXPECT_EQ(form.fromEdit()->date(), QDate(2016, 1, 1));
    EXPECT_EQ(form.toEdit()->date(), QDate(2016, 12, 31));
    EXPECT_FALSE(form.ticketCheckButton()->isEnabled());
    EXPECT_TRUE(form.ticketReport()->isReadOnly());

    QTest::mouseClick(form.ticketCollectButton(), Qt::LeftButton);
    EXPECT_TRUE(form.ticketCheckButton()->isEnabled());
    EXPECT_EQ(form.ticketGrid()->model()->rowCount(), 8);
    EXPECT_EQ(form.ticketGrid()->currentIndex().row(), 0);

    QTest::mouseClick(form.ticketCheckButton(), Qt::LeftButton);
    EXPECT_EQ(reportLines(form.ticketReport()), test::referenceLines(QStringLiteral("datacheck-tickets.txt")));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    form.resize(1000, 720);
    saveShot(form, "datacheck-tickets.png");

    // An empty period: the frame alone.
    form.fromEdit()->setDate(QDate(2016, 4, 1));
    QTest::mouseClick(form.ticketCollectButton(), Qt::LeftButton);
    QTest::mouseClick(form.ticketCheckButton(), Qt::LeftButton);
    EXPECT_EQ(reportLines(form.ticketReport()), test::referenceLines(QStringLiteral("datacheck-empty.txt")));
}

TEST_F(DataCheckScreen, EachTabChecksItsOwnCollection)
{
    TForm14 form(db.data());
    form.show();
    form.tabs()->setCurrentIndex(2);
    EXPECT_EQ(form.tabs()->tabText(2), QStringLiteral("Östermelö"));
    EXPECT_FALSE(form.producerCheckButton()->isEnabled());

    QTest::mouseClick(form.ticketCollectButton(), Qt::LeftButton);
    QTest::mouseClick(form.producerCollectButton(), Qt::LeftButton);
    EXPECT_TRUE(form.producerCheckButton()->isEnabled());
    EXPECT_EQ(form.producerGrid()->model()->rowCount(), 4);

    // The ticket check after the producers were collected, and the other way round.
    QTest::mouseClick(form.ticketCheckButton(), Qt::LeftButton);
    QTest::mouseClick(form.producerCheckButton(), Qt::LeftButton);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << str(Dialogs::lastText());
    EXPECT_EQ(reportLines(form.ticketReport()), test::referenceLines(QStringLiteral("datacheck-tickets.txt")));
    EXPECT_EQ(reportLines(form.producerReport()), test::referenceLines(QStringLiteral("datacheck-producers.txt")));
    form.resize(1000, 720);
    saveShot(form, "datacheck-producers.png");
}

TEST_F(DataCheckScreen, SingleValuesShowVerdictsAndBeepOnErrors)
{
    TForm14 form(db.data());
    form.show();
    form.tabs()->setCurrentIndex(1);
    EXPECT_EQ(form.tabs()->tabText(1), QStringLiteral("Adatok"));
    const QStringList titles = {QStringLiteral("Adószám"), QStringLiteral("Adóazonositó"), QStringLiteral("TAJ"),
                                QStringLiteral("Napok")};
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(form.singleTabs()->tabText(i), titles[i]);

    struct Step
    {
        QLineEdit* edit;
        QPushButton* button;
        const char* input;
        const char* verdict;
        int beeps;
    };
    const Step steps[] = {
        {form.taxNumberEdit(), form.taxNumberCheckButton(), "12345676-2-03", "Az adószám rendben", 0},
        {form.taxNumberEdit(), form.taxNumberCheckButton(), "1234567620", "Hibaüzenet: Nem 11 vagy 13 hosszú számsor", 1},
        {form.taxIdEdit(), form.taxIdCheckButton(), "8526018159", "Az azóazonositó rendben", 1},
        {form.taxIdEdit(), form.taxIdCheckButton(), "8526018158", "Hibaüzenet: Hibás adóazonositó", 2},
        {form.tajEdit(), form.tajCheckButton(), "366 712 768", "A TAJ rendben", 2},
        {form.tajEdit(), form.tajCheckButton(), "366712769", "Hibaüzenet: Hibás TAJ", 3},
    };
    for (int i = 0; i < 3; ++i) {
        form.singleTabs()->setCurrentIndex(i);
        for (const Step* step : {&steps[i * 2], &steps[i * 2 + 1]}) {
            SCOPED_TRACE(step->input);
            step->edit->clear();
            QTest::keyClicks(step->edit, QString::fromUtf8(step->input));
            QTest::mouseClick(step->button, Qt::LeftButton);
            EXPECT_EQ(str(form.messageLabel()->text()), step->verdict);
            EXPECT_EQ(form.beepCount(), step->beeps);
        }
    }

    form.singleTabs()->setCurrentIndex(3);
    form.birthDateEdit()->setDate(QDate(1980, 5, 15));
    QTest::keyClicks(form.dayTaxIdEdit(), QStringLiteral("8414070000"));
    QTest::mouseClick(form.dayCheckButton(), Qt::LeftButton);
    EXPECT_EQ(form.idDaysLabel()->text(), QStringLiteral("41407"));
    EXPECT_EQ(form.daysLabel()->text(), QStringLiteral("41407"));
    EXPECT_EQ(form.messageLabel()->text(), QStringLiteral("Az adóazonositó és születési dátum összevetése rendben"));
    EXPECT_EQ(form.beepCount(), 3);
    EXPECT_TRUE(form.ElteltNapEllenorzes(QStringLiteral("8414070000"), QStringLiteral("1980.05.15")));
    form.resize(640, 380);
    saveShot(form, "datacheck-days.png");

    // Characters 2 to 6 that are not digits: an error verdict with a beep, nothing else.
    form.dayTaxIdEdit()->setText(QStringLiteral("84x4070000"));
    QTest::mouseClick(form.dayCheckButton(), Qt::LeftButton);
    EXPECT_EQ(form.idDaysLabel()->text(), QStringLiteral("4x407"));
    EXPECT_EQ(form.messageLabel()->text(), QStringLiteral("Hibaüzenet: Az adóazonositó és/vagy szül.dátum hiba !"));
    EXPECT_EQ(form.beepCount(), 4);

    form.dayTaxIdEdit()->setText(QStringLiteral("841407"));
    QTest::mouseClick(form.dayCheckButton(), Qt::LeftButton);
    EXPECT_EQ(form.idDaysLabel()->text(), QStringLiteral("41407"));
    EXPECT_EQ(form.messageLabel()->text(), QStringLiteral("Hibaüzenet: Nem 10 hosszú számsor !"));
    EXPECT_EQ(form.beepCount(), 5);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
}

TEST_F(DataCheckScreen, FailedCollectionIsShownAndLeavesNothingToCheck)
{
    TForm14 form(db.data());
    form.show();
    QTest::mouseClick(form.ticketCollectButton(), Qt::LeftButton);
    ASSERT_TRUE(form.ticketCheckButton()->isEnabled());
    db.exec(QStringLiteral("ALTER TABLE fjsor ALTER COLUMN s_bszam TO s_szam"));
    QTest::mouseClick(form.ticketCollectButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("S_BSZAM"), Qt::CaseInsensitive)) << str(Dialogs::lastText());
    EXPECT_FALSE(form.ticketCheckButton()->isEnabled());
}

TEST_F(DataCheckScreen, MegsemClosesFromEitherTab)
{
    for (int tab : {0, 2}) {
        TForm14 form(db.data());
        form.show();
        form.tabs()->setCurrentIndex(tab);
        QPushButton* cancel = tab == 0 ? form.ticketCancelButton() : form.producerCancelButton();
        EXPECT_EQ(cancel->text(), QStringLiteral("Mégsem"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
}

TEST_F(DataCheckScreen, RegisteredForTheMenuItem)
{
    registerDataCheckScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Ellenrzs2")));
}

} // namespace
