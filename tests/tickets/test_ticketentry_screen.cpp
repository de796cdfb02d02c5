// The ticket entry screen driven through its real widgets against a real database.
#include "TForm10.h"
#include "TForm9.h"
#include "TicketList.h"
#include "TicketEntry.h"

#include "Dialogs.h"
#include "ModalDriver.h"
#include "SharedState.h"
#include "test_ticketentry_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using namespace zeror::ticketentry;
using zeror::ui::Dialogs;

namespace {

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
}

class EntryScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>();
        db->chooseBuyer(QStringLiteral("00001"));
        sharedState().ticketEntryMode = NewTicketMode;
        registerProducerPicker(QStringLiteral("00001"));
        registerProductPicker(QStringLiteral("00001"));
        Dialogs::clear();
    }
    void TearDown() override
    {
        form.reset();
        Dialogs::clear();
        db.reset();
    }

    // Writes the settings file into the working folder, where the screen looks after the program's folder.
    void writeForm9(const QByteArray& content) { writeFile(QDir(db->folder()).filePath(QStringLiteral("form9.ini")), content); }

    TForm9* openNew()
    {
        sharedState().ticketEntryMode = NewTicketMode;
        form = std::make_unique<TForm9>();
        form->show();
        return form.get();
    }

    // Opens a stored ticket for change the way the ticket list does: ZQ10 on its row, the loader, show.
    TForm9* openStored(const QString& number)
    {
        openTicketListAt(db->data(), number);
        sharedState().ticketEntryMode = ModifyTicketMode;
        form = std::make_unique<TForm9>();
        form->loadTicket();
        form->show();
        return form.get();
    }

    // A stored ticket header (printed, so that a change visibly clears the flag).
    void insertTicket(const QString& number, const QString& extraColumns = QString(), const QString& extraValues = QString())
    {
        db->exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, "
                                "f_szja, f_megj, f_prn, f_utal, f_nyilatk, f_levonas, f_jarulszaz, f_muvktg, f_tipus, "
                                "f_sumvar%2) VALUES ('%1', '00001', '00001', '2016-03-28', '2016-03-28', '2016-04-05', 15, "
                                "'régi', 'I', 'x', 'Nyilatkozom, hogy őstermelő vagyok.', 0, 0, 8500, '1', 10000%3)")
                     .arg(number, extraColumns, extraValues));
    }

    QString column(const QString& col, const QString& number)
    {
        return db->scalar(QStringLiteral("SELECT %1 FROM fjfej WHERE f_bszam = '%2'").arg(col, number));
    }
    QString counter() { return db->scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")); }
    QString headerCount() { return db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej")); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<TForm9> form;
};

TEST_F(EntryScreen, NewTicketGetsTheCounterPlusOne)
{
    // A_FJBSZAM holds 8 characters, so blanks around a counter fit only a shorter one.
    const struct
    {
        const char* stored;
        const char* next;
    } cases[] = {{"20160000", "20160001"}, {" 2016000", "2016001"}, {"1600009 ", "1600010"}};
    for (const auto& c : cases) {
        db->exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '%1' WHERE a_akod = '00001'").arg(QString::fromLatin1(c.stored)));
        TForm9* f = openNew();
        EXPECT_EQ(lineEdit(f, "numberEdit")->text(), QString::fromLatin1(c.next)) << c.stored;
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Ravuraruvida reva bevitel"));
        EXPECT_EQ(lineEdit(f, "issueDateEdit")->text(), today());
        EXPECT_EQ(lineEdit(f, "purchaseDateEdit")->text(), today());
        EXPECT_EQ(lineEdit(f, "paymentDateEdit")->text(), today());
        EXPECT_EQ(lineEdit(f, "szjaEdit")->text(), QStringLiteral("0"));
        EXPECT_TRUE(lineEdit(f, "producerCodeEdit")->text().isEmpty());
        EXPECT_TRUE(checkBox(f, "declarationCheck")->isChecked());
        EXPECT_EQ(lineEdit(f, "declarationEdit")->text(), sharedState().buyerDeclaration);
        EXPECT_FALSE(checkBox(f, "transferCheck")->isChecked());
        EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("0"));
        EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    }
}

TEST_F(EntryScreen, AbandonedLinesAreDeletedForGood)
{
    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("10"), QStringLiteral("100"));
    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("20"), QStringLiteral("100"));
    insertLine(*db, QStringLiteral("20159999"), QStringLiteral("20"), QStringLiteral("100"));
    TForm9* f = openNew();
    EXPECT_EQ(db->data().ZQ20.rowCount(), 0);
    EXPECT_EQ(f->findChild<QAbstractItemView*>(QStringLiteral("linesGrid"))->model()->rowCount(), 0);
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("0"));
    // A later rollback of the shared transaction must not bring them back under the new ticket.
    db->data().rollback();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam = '20160001'")), QStringLiteral("0"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")), QStringLiteral("1"));
}

TEST_F(EntryScreen, EmptyIssuingDateIsReportedBeforeTheMissingProducer)
{
    TForm9* f = openNew();
    lineEdit(f, "issueDateEdit")->clear();
    button(f, "okButton")->click();
    ASSERT_EQ(Dialogs::shownTexts().size(), 1);
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs megadva a kiállítás dátuma!"));
    EXPECT_EQ(f->focusWidget(), lineEdit(f, "issueDateEdit"));
    lineEdit(f, "issueDateEdit")->setText(today());
    Dialogs::clear();
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs kiválasztva őstermelő!"));
    EXPECT_EQ(f->focusWidget(), button(f, "producerButton"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(headerCount(), QStringLiteral("0"));
}

TEST_F(EntryScreen, UnreadableDatesAndNumbersAreRefusedBeforeAnythingIsStored)
{
    writeForm9("[Form9]\nEdit14Visible=1\nEdit15Visible=1\nEdit13Visible=1\n");
    const struct
    {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"issueDateEdit", "2016.02.30", "Hibás a kiállítás dátuma!"},
        {"purchaseDateEdit", "2016..03", "Hibás a felvásárlás dátuma!"},
        {"paymentDateEdit", "2016.04.31", "Hibás az átvétel dátuma!"},
        {"Edit15", "12,5,3", "Hibás a tagok hozzájárulása % -a: \"12,5,3\" nem szám!"},
        {"Edit14", "1,,5", "Hibás a súlylevonás % -a: \"1,,5\" nem szám!"},
        {"Edit13", ",", "Hibás a levonás: \",\" nem szám!"},
    };
    for (const auto& c : cases) {
        TForm9* f = openNew();
        insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("100"));
        button(f, "producerButton")->click();
        lineEdit(f, c.field)->setText(QString::fromLatin1(c.text));
        Dialogs::clear();
        button(f, "okButton")->click();
        EXPECT_EQ(Dialogs::lastText(), QString::fromUtf8(c.message)) << c.field;
        EXPECT_EQ(f->focusWidget(), lineEdit(f, c.field)) << c.field;
        EXPECT_TRUE(f->isVisible()) << c.field;
        EXPECT_EQ(headerCount(), QStringLiteral("0")) << c.field;
        EXPECT_EQ(counter(), QStringLiteral("20160000")) << c.field;
    }
}

TEST_F(EntryScreen, TicketWithoutLinesIsNotStored)
{
    TForm9* f = openNew();
    button(f, "producerButton")->click();
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs a felvásárlási jegynek tételsora!"));
    EXPECT_EQ(f->focusWidget(), button(f, "producerButton"));
    EXPECT_EQ(counter(), QStringLiteral("20160000"));
    EXPECT_EQ(headerCount(), QStringLiteral("0"));
    EXPECT_TRUE(f->isVisible());
}

TEST_F(EntryScreen, ProducerChoiceTakesTaxRateAndTransferFromTheBankAccount)
{
    const struct
    {
        const char* account;
        bool transfer;
    } cases[] = {{" 1234567 ", false}, {"12345678", true}, {"", false}};
    for (const auto& c : cases) {
        db->exec(QStringLiteral("UPDATE ostermelo SET o_bankszla = '%1' WHERE o_kod = '00003'").arg(QString::fromLatin1(c.account)));
        registerProducerPicker(QStringLiteral("00003"));
        TForm9* f = openNew();
        checkBox(f, "transferCheck")->setChecked(!c.transfer);
        button(f, "producerButton")->click();
        EXPECT_EQ(checkBox(f, "transferCheck")->isChecked(), c.transfer) << c.account;
        EXPECT_EQ(lineEdit(f, "producerCodeEdit")->text(), QStringLiteral("00003"));
        EXPECT_EQ(lineEdit(f, "szjaEdit")->text(), QStringLiteral("16"));
        EXPECT_EQ(sharedState().producerLocateCode, QStringLiteral("00003"));
        EXPECT_TRUE(f->findChild<QLabel*>(QStringLiteral("producerInfoLabel"))->text().contains(QStringLiteral("Horváth Győző")));
        EXPECT_EQ(lineEdit(f, "producer_O_FHAT")->text(), QStringLiteral("15"));
    }
}

TEST_F(EntryScreen, ChosenProducersTotalsAreShownAtOnce)
{
    insertTicket(QStringLiteral("20150001"));
    db->exec(QStringLiteral("UPDATE fjfej SET f_ostermkod = '00002'"));
    insertLine(*db, QStringLiteral("20150001"), QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("12"));
    registerProducerPicker(QStringLiteral("00002")); // no bank account: "Átutalással" does not change
    TForm9* f = openNew();
    EXPECT_EQ(lineEdit(f, "producerVarEdit")->text(), QStringLiteral("0"));
    button(f, "producerButton")->click();
    EXPECT_FALSE(checkBox(f, "transferCheck")->isChecked());
    EXPECT_EQ(lineEdit(f, "producerFarEdit")->text(), QStringLiteral("10 000"));
    EXPECT_EQ(lineEdit(f, "producerKfelarEdit")->text(), QStringLiteral("1 200"));
    EXPECT_EQ(lineEdit(f, "producerVarEdit")->text(), QStringLiteral("11 200"));
}

TEST_F(EntryScreen, TransferPaymentDateFollowsTheProducersBankDays)
{
    // Szabó Éva: no bank account, O_FHAT 0.
    registerProducerPicker(QStringLiteral("00002"));
    TForm9* f = openNew();
    QLineEdit* payment = lineEdit(f, "paymentDateEdit");
    button(f, "producerButton")->click();
    lineEdit(f, "purchaseDateEdit")->setText(QStringLiteral("2016.03.28"));
    QTest::mouseDClick(payment, Qt::LeftButton);
    EXPECT_EQ(payment->text(), today()); // cash: nothing changes
    checkBox(f, "transferCheck")->setChecked(true);
    QTest::mouseDClick(payment, Qt::LeftButton);
    EXPECT_EQ(payment->text(), QStringLiteral("2016.04.05"));

    // Horváth Győző: O_FHAT 15. Choosing him with the mouse sets the date at once; by keyboard it does not.
    registerProducerPicker(QStringLiteral("00003"));
    payment->setText(today());
    button(f, "producerButton")->click();
    EXPECT_EQ(payment->text(), today());
    QTest::mouseClick(button(f, "producerButton"), Qt::LeftButton);
    EXPECT_EQ(payment->text(), QStringLiteral("2016.04.12"));

    // A mouse click on "Átutalással" that leaves it ticked sets the date too.
    payment->setText(today());
    checkBox(f, "transferCheck")->setChecked(false);
    QCheckBox* transfer = checkBox(f, "transferCheck");
    QTest::mouseClick(transfer, Qt::LeftButton, {}, QPoint(6, transfer->height() / 2));
    EXPECT_TRUE(checkBox(f, "transferCheck")->isChecked());
    EXPECT_EQ(payment->text(), QStringLiteral("2016.04.12"));
}

TEST_F(EntryScreen, StoredTicketHasItsColumnsAndConsumesTheNumber)
{
    TForm9* f = openNew(); // no form9.ini: the optional fields are hidden and hold 0
    EXPECT_TRUE(lineEdit(f, "Edit13")->isHidden());
    EXPECT_TRUE(lineEdit(f, "Edit14")->isHidden());
    EXPECT_TRUE(lineEdit(f, "Edit15")->isHidden());
    EXPECT_TRUE(f->findChild<QLabel*>(QStringLiteral("Edit14Label"))->isHidden());
    EXPECT_EQ(lineEdit(f, "Edit13")->text(), QStringLiteral("0"));

    button(f, "producerButton")->click(); // Kovács János: 15 %, bank account -> transfer
    ASSERT_TRUE(checkBox(f, "transferCheck")->isChecked());

    // One line through the real line screen: 200 kg Búza at 48,5 and 7 %.
    bool lineScreenSeen = false;
    whenModal([&](QWidget* w) {
        auto* line = qobject_cast<TForm10*>(w);
        ASSERT_NE(line, nullptr);
        lineScreenSeen = true;
        EXPECT_EQ(lineEdit(line, "numberEdit")->text(), QStringLiteral("20160001"));
        button(line, "productButton")->click();
        QTest::keyClicks(lineEdit(line, "quantityEdit"), QStringLiteral("200"));
        button(line, "okButton")->click();
    });
    button(f, "newLineButton")->click();
    ASSERT_TRUE(lineScreenSeen);
    EXPECT_EQ(sharedState().lineEntryMode, NewLineMode);
    EXPECT_EQ(db->data().ZQ20.rowCount(), 1);
    EXPECT_EQ(lineEdit(f, "farEdit")->text(), QStringLiteral("9700"));
    EXPECT_EQ(lineEdit(f, "kfelarEdit")->text(), QStringLiteral("679"));
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("10 379"));
    // 10 379 - 15 % = 8 822,15 -> 8 822 by transfer.
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8822"));
    EXPECT_EQ(lineEdit(f, "producerVarEdit")->text(), QStringLiteral("0")); // the ticket is not stored yet

    lineEdit(f, "remarkEdit")->setText(QStringLiteral("Első jegy"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_FALSE(f->isVisible());

    const QString n = QStringLiteral("20160001");
    EXPECT_EQ(column(QStringLiteral("f_akod"), n), QStringLiteral("00001"));
    EXPECT_EQ(column(QStringLiteral("f_ostermkod"), n), QStringLiteral("00001"));
    EXPECT_EQ(column(QStringLiteral("f_kelt"), n), today());
    EXPECT_EQ(column(QStringLiteral("f_felvkelt"), n), today());
    EXPECT_EQ(column(QStringLiteral("f_fizkelt"), n), today());
    EXPECT_EQ(column(QStringLiteral("f_szja"), n), QStringLiteral("15"));
    EXPECT_EQ(column(QStringLiteral("f_megj"), n), QStringLiteral("Első jegy"));
    EXPECT_EQ(column(QStringLiteral("f_utal"), n), QStringLiteral("x"));
    EXPECT_EQ(column(QStringLiteral("f_nyilatk"), n), sharedState().buyerDeclaration);
    EXPECT_EQ(column(QStringLiteral("f_levonas"), n), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("f_jarulszaz"), n), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("f_muvktg"), n), QStringLiteral("8822"));
    EXPECT_EQ(column(QStringLiteral("f_tipus"), n), QStringLiteral("1"));
    EXPECT_EQ(column(QStringLiteral("f_sumvar"), n), QStringLiteral("10379"));
    EXPECT_EQ(column(QStringLiteral("f_prn"), n), QString());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT s_levonszaz FROM fjsor WHERE s_bszam = '20160001'")), QStringLiteral("0"));
    EXPECT_EQ(counter(), n);
    EXPECT_EQ(sharedState().currentTicketNumber, n);
    EXPECT_EQ(db->data().ZQ10.text(QStringLiteral("F_BSZAM")), n);
}

TEST_F(EntryScreen, OkStoresTheAmountTheStoredLinesGiveNow)
{
    registerProducerPicker(QStringLiteral("00002")); // 15 %, cash
    TForm9* f = openNew();
    button(f, "producerButton")->click();
    insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("10001"));
    f->f_mindosszes();
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8500"));
    checkBox(f, "transferCheck")->setChecked(true);
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8501"));
    checkBox(f, "transferCheck")->setChecked(false);

    // Typing into "Szja %" follows at once; a field that cannot be read shows no stale amount.
    QLineEdit* szja = lineEdit(f, "szjaEdit");
    szja->clear();
    EXPECT_TRUE(lineEdit(f, "payableEdit")->text().isEmpty());
    QTest::keyClicks(szja, QStringLiteral("0"));
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("10000")); // 10 001 in cash
    szja->setText(QStringLiteral("15"));

    // A line stored by another way after the last recomputation still counts.
    insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("1000"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    // 11 001 - 15 % = 9 350,85 -> 9 351 -> 9 350 in cash.
    EXPECT_EQ(column(QStringLiteral("f_muvktg"), QStringLiteral("20160001")), QStringLiteral("9350"));
    EXPECT_EQ(column(QStringLiteral("f_sumvar"), QStringLiteral("20160001")), QStringLiteral("11001"));
    EXPECT_EQ(column(QStringLiteral("f_utal"), QStringLiteral("20160001")), QStringLiteral(" "));
}

TEST_F(EntryScreen, TotalsFollowTheContributionAndTheDeduction)
{
    writeForm9("[Form9]\nEdit15Visible=1\nEdit13Visible=1\nEdit15Text=2\n");
    registerProducerPicker(QStringLiteral("00003")); // 16 %, transfer
    TForm9* f = openNew();
    EXPECT_EQ(lineEdit(f, "Edit15")->text(), QStringLiteral("2"));
    EXPECT_EQ(lineEdit(f, "Edit13")->text(), QStringLiteral("0")); // shown without a default
    insertLine(*db, f->linesKey(), QStringLiteral("100"), QStringLiteral("100"));
    button(f, "producerButton")->click();
    checkBox(f, "transferCheck")->setChecked(false);
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8230")); // 8 232 in cash
    lineEdit(f, "Edit13")->setText(QStringLiteral("32"));
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8200"));
    lineEdit(f, "Edit15")->setText(QStringLiteral("0"));
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8370")); // 8 368
    button(f, "okButton")->click();
    EXPECT_EQ(column(QStringLiteral("f_muvktg"), QStringLiteral("20160001")), QStringLiteral("8370"));
    EXPECT_EQ(column(QStringLiteral("f_levonas"), QStringLiteral("20160001")), QStringLiteral("32"));
}

TEST_F(EntryScreen, ChangedTicketIsStoredUnprintedUnderItsOwnNumber)
{
    insertTicket(QStringLiteral("20160005"));
    insertLine(*db, QStringLiteral("20160005"), QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("0"),
               QStringLiteral("2.5"));
    TForm9* f = openStored(QStringLiteral("20160005"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Ravuraruvida reva módositás"));
    EXPECT_EQ(lineEdit(f, "numberEdit")->text(), QStringLiteral("20160005"));
    EXPECT_EQ(lineEdit(f, "issueDateEdit")->text(), QStringLiteral("2016.03.28"));
    EXPECT_EQ(lineEdit(f, "paymentDateEdit")->text(), QStringLiteral("2016.04.05"));
    EXPECT_EQ(lineEdit(f, "szjaEdit")->text(), QStringLiteral("15"));
    EXPECT_EQ(lineEdit(f, "Edit14")->text(), QStringLiteral("2,5")); // from the first line
    EXPECT_EQ(lineEdit(f, "remarkEdit")->text(), QStringLiteral("régi"));
    EXPECT_TRUE(checkBox(f, "transferCheck")->isChecked());
    EXPECT_TRUE(checkBox(f, "declarationCheck")->isChecked());
    EXPECT_EQ(lineEdit(f, "declarationEdit")->text(), QStringLiteral("Nyilatkozom, hogy őstermelő vagyok."));
    EXPECT_EQ(sharedState().currentTicketNumber, QStringLiteral("20160005"));
    EXPECT_EQ(sharedState().producerLocateCode, QStringLiteral("00001"));
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("9 750"));  // 97,5 kg net
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8288")); // 9 750 - 15 % = 8 287,5 -> 8 288

    lineEdit(f, "remarkEdit")->setText(QStringLiteral("új"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(column(QStringLiteral("f_prn"), QStringLiteral("20160005")), QStringLiteral(" "));
    EXPECT_EQ(column(QStringLiteral("f_megj"), QStringLiteral("20160005")), QStringLiteral("új"));
    EXPECT_EQ(column(QStringLiteral("f_muvktg"), QStringLiteral("20160005")), QStringLiteral("8288"));
    EXPECT_EQ(column(QStringLiteral("f_kelt"), QStringLiteral("20160005")), QStringLiteral("2016.03.28"));
    EXPECT_EQ(headerCount(), QStringLiteral("1"));
    EXPECT_EQ(counter(), QStringLiteral("20160000"));
}

TEST_F(EntryScreen, StoredDeductionIsShownAndStoredAgain)
{
    writeForm9("[Form9]\nEdit13Visible=1\nEdit13Text=100\n");
    insertTicket(QStringLiteral("20160005"));
    db->exec(QStringLiteral("UPDATE fjfej SET f_levonas = 500, f_utal = ' '"));
    insertLine(*db, QStringLiteral("20160005"), QStringLiteral("100"), QStringLiteral("100"));
    TForm9* f = openStored(QStringLiteral("20160005"));
    EXPECT_FALSE(lineEdit(f, "Edit13")->isHidden());
    EXPECT_EQ(lineEdit(f, "Edit13")->text(), QStringLiteral("500")); // not the default of a new ticket
    EXPECT_EQ(lineEdit(f, "payableEdit")->text(), QStringLiteral("8000"));
    button(f, "okButton")->click();
    EXPECT_EQ(column(QStringLiteral("f_levonas"), QStringLiteral("20160005")), QStringLiteral("500"));
    EXPECT_EQ(column(QStringLiteral("f_muvktg"), QStringLiteral("20160005")), QStringLiteral("8000"));
}

TEST_F(EntryScreen, ShortDeclarationLoadsUntickedAndStoresOneBlank)
{
    insertTicket(QStringLiteral("20160005"));
    db->exec(QStringLiteral("UPDATE fjfej SET f_nyilatk = 'abcde'"));
    insertLine(*db, QStringLiteral("20160005"), QStringLiteral("1"), QStringLiteral("100"));
    TForm9* f = openStored(QStringLiteral("20160005"));
    EXPECT_FALSE(checkBox(f, "declarationCheck")->isChecked());
    EXPECT_EQ(lineEdit(f, "declarationEdit")->text(), QStringLiteral(" "));
    button(f, "okButton")->click();
    EXPECT_EQ(column(QStringLiteral("f_nyilatk"), QStringLiteral("20160005")), QStringLiteral(" "));
}

TEST_F(EntryScreen, DeclarationBoxSwitchesTheText)
{
    TForm9* f = openNew();
    QCheckBox* box = checkBox(f, "declarationCheck");
    box->click();
    EXPECT_EQ(lineEdit(f, "declarationEdit")->text(), QStringLiteral(" "));
    box->click();
    EXPECT_EQ(lineEdit(f, "declarationEdit")->text(), sharedState().buyerDeclaration);
}

TEST_F(EntryScreen, KeysOutsideAFieldsClassNeverReachIt)
{
    writeForm9("[Form9]\nEdit14Visible=1\nEdit15Visible=1\nEdit13Visible=1\n");
    TForm9* f = openNew();
    const struct
    {
        const char* field;
        const char* typed;
        const char* kept;
    } cases[] = {
        {"szjaEdit", "1a5,", "15"},      {"Edit13", "5x0,5-", "50,5"}, {"Edit14", "2.5", "25"},
        {"Edit15", "1e2", "12"},         {"issueDateEdit", "2016a.03,28", "2016.0328"},
    };
    for (const auto& c : cases) {
        QLineEdit* e = lineEdit(f, c.field);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(c.typed));
        EXPECT_EQ(e->text(), QString::fromLatin1(c.kept)) << c.field;
    }
}

TEST_F(EntryScreen, EnterMovesToTheNextFieldAndShiftEnterBack)
{
    TForm9* f = openNew();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    QLineEdit* issue = lineEdit(f, "issueDateEdit");
    issue->setFocus();
    QTest::keyClick(issue, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), lineEdit(f, "purchaseDateEdit"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), issue);
    EXPECT_EQ(issue->text(), today());
    EXPECT_TRUE(f->isVisible()); // Enter never presses "OK" from a field
}

TEST_F(EntryScreen, NumberAfter99999999IsRefusedClearly)
{
    db->exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '99999999' WHERE a_akod = '00001'"));
    TForm9* f = openNew();
    EXPECT_EQ(lineEdit(f, "numberEdit")->text(), QStringLiteral("100000000"));
    button(f, "producerButton")->click();
    button(f, "okButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().front().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), ticketNumberProblem(QStringLiteral("100000000")));
    EXPECT_EQ(headerCount(), QStringLiteral("0"));
    EXPECT_EQ(counter(), QStringLiteral("99999999"));

    // A line entered meanwhile is kept under the entry's own key, never under the number that
    // does not fit; "OK" refuses again and stores nothing.
    whenModal([](QWidget* w) {
        button(w, "productButton")->click();
        QTest::keyClicks(lineEdit(w, "quantityEdit"), QStringLiteral("1"));
        button(w, "okButton")->click();
    });
    button(f, "newLineButton")->click();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam = '%1'").arg(f->linesKey())),
              QStringLiteral("1"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam = '100000000'")), QStringLiteral("0"));
    Dialogs::clear();
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), ticketNumberProblem(QStringLiteral("100000000")));
    EXPECT_EQ(headerCount(), QStringLiteral("0"));
}

TEST_F(EntryScreen, FailedCounterUpdateStoresNothing)
{
    db->exec(QStringLiteral("ALTER TABLE sorszam ADD CONSTRAINT ck_test_counter CHECK (a_fjbszam <> '20160001')"));
    TForm9* f = openNew();
    button(f, "producerButton")->click();
    insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("100"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::lastText().startsWith(Hiba93)) << Dialogs::lastText().toStdString();
    EXPECT_EQ(headerCount(), QStringLiteral("0"));
    EXPECT_EQ(counter(), QStringLiteral("20160000"));
    EXPECT_EQ(f->result(), QDialog::Rejected);
    // The line stays, and the next entry is offered the same number again.
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")), QStringLiteral("1"));
}

TEST_F(EntryScreen, DeletedLineIsGoneForGood)
{
    TForm9* f = openNew();
    insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("100"));
    insertLine(*db, f->linesKey(), QStringLiteral("2"), QStringLiteral("100"));
    openTicketLines(db->data().ZQ20, f->linesKey());
    f->f_mindosszes();
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("300"));
    button(f, "deleteLineButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Az tételsor törölve!"));
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("200"));
    EXPECT_EQ(db->data().ZQ20.rowCount(), 1);
    db->data().rollback();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")), QStringLiteral("1"));

    // On an empty grid there is nothing to delete.
    button(f, "deleteLineButton")->click();
    Dialogs::clear();
    button(f, "deleteLineButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs kiválasztott tételsor!"));
}

TEST_F(EntryScreen, ModifyLineLoadsTheGridsLineAndStoresIt)
{
    TForm9* f = openNew();
    insertLine(*db, f->linesKey(), QStringLiteral("1"), QStringLiteral("100"));
    insertLine(*db, f->linesKey(), QStringLiteral("2"), QStringLiteral("100"));
    openTicketLines(db->data().ZQ20, f->linesKey());
    db->data().ZQ20.last();
    const QString id = db->data().ZQ20.text(QStringLiteral("ID_FJSOR"));
    whenModal([](QWidget* w) {
        EXPECT_EQ(lineEdit(w, "quantityEdit")->text(), QStringLiteral("2"));
        lineEdit(w, "quantityEdit")->setText(QStringLiteral("5"));
        button(w, "okButton")->click();
    });
    button(f, "modifyLineButton")->click();
    EXPECT_EQ(sharedState().lineEntryMode, ModifyLineMode);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT s_brutto FROM fjsor WHERE id_fjsor = %1").arg(id)), QStringLiteral("5"));
    EXPECT_EQ(db->data().ZQ20.text(QStringLiteral("ID_FJSOR")), id); // the grid stands on the changed line
    EXPECT_EQ(lineEdit(f, "varEdit")->text(), QStringLiteral("600"));
}

// Renders both screens filled in; with ZEROR_SCREENSHOTS naming a folder the pictures are kept there.
TEST_F(EntryScreen, Screenshots)
{
    writeForm9("[Form9]\nEdit14Visible=1\nEdit15Visible=1\nEdit13Visible=1\n");
    TForm9* f = openNew();
    button(f, "producerButton")->click();
    insertLine(*db, f->linesKey(), QStringLiteral("200"), QStringLiteral("48.5"), QStringLiteral("7"));
    db->exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, "
                            "s_kompmerteke, s_akod, s_levonszaz) VALUES ('20160001', '00003', 'Napraforgó', '1206', "
                            "350, 'kg', 110, 12, '00001', 0)"));
    openTicketLines(db->data().ZQ20, QStringLiteral("20160001"));
    f->f_mindosszes();
    lineEdit(f, "remarkEdit")->setText(QStringLiteral("Szállítás saját járművel"));
    const QImage entry = f->grab().toImage();
    EXPECT_FALSE(entry.isNull());
    auto* tabs = f->findChild<QTabWidget*>(QStringLiteral("tabs"));
    tabs->setCurrentIndex(1);
    EXPECT_EQ(lineEdit(f, "producer_O_NEV")->text(), QStringLiteral("Kovács János"));
    const QImage producerTab = f->grab().toImage();
    tabs->setCurrentIndex(0);

    writeFile(QDir(db->folder()).filePath(QStringLiteral("form10.ini")), "[Form10]\nEdit10Visible=1\n");

    sharedState().lineEntryMode = NewLineMode;
    TForm10 line({QStringLiteral("20160001"), QStringLiteral("0"), QStringLiteral("00001")}, f);
    line.show();
    button(&line, "productButton")->click();
    lineEdit(&line, "quantityEdit")->setText(QStringLiteral("-3,5"));
    const QImage lineImage = line.grab().toImage();
    EXPECT_FALSE(lineImage.isNull());

    const QByteArray dir = qgetenv("ZEROR_SCREENSHOTS");
    if (!dir.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        EXPECT_TRUE(entry.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("ticket-entry.png"))));
        EXPECT_TRUE(lineImage.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("ticket-line.png"))));
        EXPECT_TRUE(producerTab.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("ticket-entry-producer.png"))));
    }
}

} // namespace
