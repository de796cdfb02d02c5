// The buyer choice and the buyer record: shared values, titles and menus of a choice; the record's
// fields, checks, the UPDATE and what happens when the database refuses it.
#include "BuyerRecord.h"
#include "BuyerScreens.h"
#include "Dialogs.h"
#include "ErrorMessage.h"
#include "ModalDriver.h"
#include "ScreenRegistry.h"
#include "SecondAttachment.h"
#include "SharedState.h"
#include "TForm1.h"
#include "TForm17.h"
#include "TForm18.h"
#include "TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

const QString kVersion = QStringLiteral("Verzió: 16.06 2006-2016");
// A buyer name of 30 characters; the titles show its first 25.
const QString kLongName = QStringLiteral("Tiszamenti Gabona Felvásárló K");
const QString kFirstDeclaration = QStringLiteral("Az első átvevő nyilatkozata");

const char* const kTopItems[] = {"Felvsrlsijegy1", "stermel1", "Termk1", "Bevalls1", "Listk1", "Export1", "Kilps1"};

void showActive(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

bool menusOpen(const TForm1& window)
{
    for (const char* name : kTopItems) {
        if (!window.item(QString::fromLatin1(name))->isEnabled())
            return false;
    }
    return true;
}

using zeror::test::SecondAttachment;

class BuyerScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.exec(QStringLiteral("UPDATE atvevo SET v_neve = '%1', v_nyilatk = '%2' WHERE v_akod = '00001'")
                    .arg(kLongName, kFirstDeclaration));
    }
    void TearDown() override { Dialogs::setOnShown({}); }

    QString column(const QString& col, const QString& code = QStringLiteral("00001"))
    {
        return db.scalar(QStringLiteral("SELECT %1 FROM atvevo WHERE v_akod = '%2'").arg(col, code));
    }
    void addTicket(const QString& code)
    {
        db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod) VALUES ('20160001', '%1', '00001')")
                    .arg(code));
    }

    test::TestDatabase db;
};

// ---- Buyer choice --------------------------------------------------------------------------------

TEST_F(BuyerScreenTest, OpeningTheChoiceMovesToTheLastBuyerButLeavesMenusAndTitles)
{
    TForm1 window(&db.data());
    const QString mainTitle = window.windowTitle();
    TForm18 form(db.data(), &window);
    form.show();

    QComboBox* list = form.findChild<QComboBox*>(QStringLiteral("buyerList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), kLongName);
    EXPECT_EQ(list->itemText(1), QStringLiteral("Alföldi Zöldség-Gyümölcs Szövetkezet"));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(form.focusWidget(), list);
    EXPECT_EQ(list->toolTip(), QStringLiteral("Kurzorral léptesse a kiválasztandó átvevőre"));
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("selectButton"))->text(), QStringLiteral("Kiválaszt"));
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(), QStringLiteral("Mégsem"));

    const SharedState& s = sharedState();
    EXPECT_EQ(s.buyerCode, QStringLiteral("00002"));
    EXPECT_EQ(s.buyerDeclaration, column(QStringLiteral("v_nyilatk"), QStringLiteral("00002")));
    EXPECT_EQ(s.templateVariant, QStringLiteral("A"));
    EXPECT_TRUE(s.normalTicketType.isEmpty());
    EXPECT_TRUE(s.versionText.isEmpty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Átvevö kiválasztása"));
    EXPECT_EQ(window.windowTitle(), mainTitle);
    EXPECT_FALSE(window.item(QStringLiteral("Felvsrlsijegy1"))->isEnabled());
}

TEST_F(BuyerScreenTest, LeavingTheListChoosesEachBuyerWithItsValuesAndTitles)
{
    struct Case
    {
        int row;
        const char* code;
        QString declaration;
        const char* variant;
        QString title;
    };
    const Case cases[] = {
        {1, "00002", column(QStringLiteral("v_nyilatk"), QStringLiteral("00002")), "A",
         QStringLiteral("Ravuraruvida reva - Alföldi Zöldség-Gyümölcs  ") + kVersion},
        // Chosen after the buyer with a layout letter: an empty version empties the letter.
        {0, "00001", kFirstDeclaration, "",
         QStringLiteral("Ravuraruvida reva - Tiszamenti Gabona Felvásá ") + kVersion},
    };
    TForm1 window(&db.data());
    TForm18 form(db.data(), &window);
    showActive(form);
    QComboBox* list = form.list();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        list->setFocus();
        list->setCurrentIndex(c.row);
        QTest::keyClick(list, Qt::Key_Tab); // the focus leaves the list
        ASSERT_NE(form.focusWidget(), list);

        const SharedState& s = sharedState();
        EXPECT_EQ(s.buyerCode, QString::fromLatin1(c.code));
        EXPECT_EQ(s.buyerDeclaration, c.declaration);
        EXPECT_EQ(s.templateVariant, QString::fromLatin1(c.variant));
        EXPECT_EQ(s.normalTicketType, QStringLiteral("1"));
        EXPECT_EQ(s.stornoTicketType, QStringLiteral("4"));
        EXPECT_EQ(s.versionText, kVersion);
        EXPECT_EQ(form.windowTitle(), c.title);
        EXPECT_EQ(window.windowTitle(), c.title);
        EXPECT_TRUE(menusOpen(window));
        EXPECT_EQ(db.data().ZQ60.text(QStringLiteral("V_AKOD")), QString::fromLatin1(c.code));
    }
}

TEST_F(BuyerScreenTest, ChoiceFromTheOpenListWhenItClosesUp)
{
    TForm1 window(&db.data());
    TForm18 form(db.data(), &window);
    showActive(form);
    QComboBox* list = form.list();
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QRect first = view->visualRect(view->model()->index(0, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
    QTRY_VERIFY(!view->isVisible());

    EXPECT_EQ(sharedState().buyerCode, QStringLiteral("00001"));
    EXPECT_EQ(sharedState().normalTicketType, QStringLiteral("1"));
    EXPECT_TRUE(menusOpen(window));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Ravuraruvida reva - Tiszamenti Gabona Felvásá ") + kVersion);
}

TEST_F(BuyerScreenTest, CancelPressedAtOnceChoosesTheRowTheListStandsOn)
{
    // By the mouse (the focus moves to the button) and by a press that does not move the focus.
    for (const bool byMouse : {true, false}) {
        SCOPED_TRACE(byMouse ? "mouse" : "click");
        sharedState().reset();
        TForm1 window(&db.data());
        TForm18 form(db.data(), &window);
        showActive(form);
        QPushButton* cancel = form.findChild<QPushButton*>(QStringLiteral("cancelButton"));
        if (byMouse)
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            cancel->click();

        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(sharedState().buyerCode, QStringLiteral("00002"));
        EXPECT_EQ(sharedState().normalTicketType, QStringLiteral("1"));
        EXPECT_EQ(sharedState().versionText, kVersion);
        EXPECT_TRUE(menusOpen(window));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Ravuraruvida reva - Alföldi Zöldség-Gyümölcs  ") + kVersion);
    }
}

TEST_F(BuyerScreenTest, EscapeClosesWithoutAChoice)
{
    TForm1 window(&db.data());
    TForm18 form(db.data(), &window);
    showActive(form);
    QTest::keyClick(form.list(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(sharedState().buyerCode, QStringLiteral("00002")); // moved by the opening alone
    EXPECT_TRUE(sharedState().normalTicketType.isEmpty());
    EXPECT_FALSE(window.item(QStringLiteral("Felvsrlsijegy1"))->isEnabled());
}

TEST_F(BuyerScreenTest, MenuItemOpensTheChoice)
{
    registerBuyerScreens();
    TForm1 window(&db.data());
    bool seen = false;
    test::whenModal([&](QWidget* w) {
        seen = qobject_cast<TForm18*>(w) != nullptr;
        if (auto* b = w->findChild<QPushButton*>(QStringLiteral("selectButton")))
            b->click();
        else
            w->close();
    });
    window.openItem(QStringLiteral("Vlaszts1"));
    EXPECT_TRUE(seen);
    EXPECT_EQ(sharedState().buyerCode, QStringLiteral("00002"));
    EXPECT_TRUE(menusOpen(window));
}

// ---- Buyer record --------------------------------------------------------------------------------

class BuyerRecordTest : public BuyerScreenTest
{
protected:
    void SetUp() override
    {
        BuyerScreenTest::SetUp();
        db.chooseBuyer(QStringLiteral("00001"));
    }
    // A record screen loaded and shown for the chosen buyer.
    std::unique_ptr<TForm17> openRecord()
    {
        auto form = std::make_unique<TForm17>(db.data());
        EXPECT_TRUE(form->loadRecord());
        form->show();
        return form;
    }
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        edit->del();
        // Key by key; letters outside ASCII go as key events carrying only their text.
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(edit, static_cast<char>(c.unicode()));
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit, &press);
            }
        }
    }
    // Fills the three sole-proprietor fields and ticks the box.
    static void fillProprietor(TForm17& f)
    {
        f.soleProprietorBox()->setChecked(true);
        type(f.field(QStringLiteral("V_ADOAZON")), QStringLiteral("8526018159"));
        type(f.field(QStringLiteral("V_EVNYILV")), QStringLiteral("EV-123456"));
        type(f.field(QStringLiteral("V_EV_NEVE")), QStringLiteral("Kiss Péter"));
    }
};

TEST_F(BuyerRecordTest, EveryFieldHasItsLabelLimitAndEditability)
{
    struct Row
    {
        const char* label;
        const char* column;
        int maxLength; // 0: not limited by the screen
        bool editable;
        const char* loaded;
    };
    const Row rows[] = {
        {"ID", "ID_ATVEVO", 0, false, nullptr},
        {"Kód", "V_AKOD", 0, false, "00001"},
        {"Átvevő neve", "V_NEVE", 0, false, "Tiszamenti Gabona Felvásárló K"},
        {"Irányitószám", "V_IRSZAM", 0, false, "6000"},
        {"Helységnév", "V_HELYSEG", 0, false, "Kecskemét"},
        {"Kerület", "V_KERULET", 20, true, nullptr},
        {"Utcanév", "V_UTCA", 45, true, "Szegedi"},
        {"Jelleg (út, krt)", "V_JELLEG", 20, true, "utca"},
        {"Házszám", "V_HAZSZAM", 20, true, "1"},
        {"Épület", "V_EPULET", 20, true, nullptr},
        {"Lécsőház", "V_LEPCSO", 20, true, nullptr},
        {"Szint", "V_SZINT", 20, true, nullptr},
        {"Ajtó", "V_AJTO", 20, true, nullptr},
        {"Adószám", "V_ADOSZAM", 0, false, "12345676203"},
        {"Közösségi adószám:", "V_KOZADOSZAM", 20, true, nullptr},
        {"Bankszámlaszám", "V_BANKSZLA", 26, true, "11732002-20000000"},
        {"Nyilatkozat szövege (250 betü hosszban)", "V_NYILATK", 250, true, "Az első átvevő nyilatkozata"},
        {"Verzió", "V_VERZIO", 45, true, ""},
        {"Egyéni vállalkozó neve", "V_EV_NEVE", 45, true, nullptr},
        {"Adóazonositó (egyéni vállalkozónál)", "V_ADOAZON", 10, true, nullptr},
        {"E.V. nyilvántartási szám", "V_EVNYILV", 20, true, nullptr},
    };
    auto form = openRecord();
    for (const Row& r : rows) {
        const QString col = QString::fromLatin1(r.column);
        SCOPED_TRACE(r.column);
        QLineEdit* edit = form->field(col);
        ASSERT_NE(edit, nullptr);
        auto* label = form->findChild<QLabel*>(QStringLiteral("label_") + col);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(r.label));
        EXPECT_EQ(label->buddy(), edit);
        EXPECT_EQ(edit->isReadOnly(), !r.editable);
        EXPECT_EQ(edit->maxLength(), r.maxLength > 0 ? r.maxLength : QLineEdit().maxLength());
        const QString expected = r.loaded ? QString::fromUtf8(r.loaded) : column(col);
        EXPECT_EQ(edit->text(), expected);
    }
    EXPECT_EQ(form->soleProprietorBox()->text(), QStringLiteral("Egyéni vállalkozó"));
    EXPECT_EQ(form->smallTaxpayerBox()->text(), QStringLiteral("Kisadózó"));
    EXPECT_FALSE(form->soleProprietorBox()->isChecked());
    EXPECT_EQ(form->storeButton()->text(), QStringLiteral("Letárol"));
    EXPECT_EQ(form->cancelButton()->text(), QStringLiteral("Mégsem"));
    EXPECT_TRUE(form->storeButton()->isEnabled()); // no ticket yet
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(BuyerRecordTest, TickBoxesFollowTheStoredText)
{
    db.exec(QStringLiteral("UPDATE atvevo SET v_ev = 'true', v_kisado = 'TRUE' WHERE v_akod = '00001'"));
    auto form = openRecord();
    EXPECT_TRUE(form->soleProprietorBox()->isChecked());
    EXPECT_FALSE(form->smallTaxpayerBox()->isChecked()); // only "true" exactly ticks it
}

TEST_F(BuyerRecordTest, FieldLimitsStopPastedText)
{
    auto form = openRecord();
    for (const BuyerFieldSpec& f : buyerRecordFields()) {
        if (!f.editable)
            continue;
        SCOPED_TRACE(f.column.toStdString());
        QLineEdit* edit = form->field(f.column);
        edit->clear();
        QApplication::clipboard()->setText(QString(f.maxLength + 1, u'x'));
        edit->paste();
        EXPECT_EQ(edit->text().size(), f.maxLength);
    }
    // A 21-character district typed key by key ends at 20 as well.
    QLineEdit* district = form->field(QStringLiteral("V_KERULET"));
    type(district, QStringLiteral("Budapest VIII. kerület"));
    EXPECT_EQ(district->text(), QStringLiteral("Budapest VIII. kerül"));
}

TEST_F(BuyerRecordTest, LoadFailureShowsHiba172AndTheScreenIsNotShown)
{
    registerBuyerScreens();
    sharedState().buyerCode = QStringLiteral("00009");
    TForm17 form(db.data());
    EXPECT_FALSE(form.loadRecord());
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Hiba172 az atvevo módosítás Edit-ben való megjelenitésekor!"));

    // From the menu the screen never opens: the call returns without a modal window.
    Dialogs::clear();
    EXPECT_TRUE(ui::openScreen(QStringLiteral("Lekrdezs2"), nullptr));
    EXPECT_EQ(Dialogs::lastText(), kLoadFailedMessage);
}

TEST_F(BuyerRecordTest, MenuItemLoadsTheChosenBuyerBeforeShowing)
{
    registerBuyerScreens();
    QString shownName;
    test::whenModal([&](QWidget* w) {
        if (auto* f = qobject_cast<TForm17*>(w))
            shownName = f->field(QStringLiteral("V_NEVE"))->text();
        w->close();
    });
    EXPECT_TRUE(ui::openScreen(QStringLiteral("Lekrdezs2"), nullptr));
    EXPECT_EQ(shownName, kLongName);
}

TEST_F(BuyerRecordTest, StoringWithoutSoleProprietorWritesOneBlankInItsThreeFields)
{
    sharedState().templateVariant = QStringLiteral("Z");
    auto form = openRecord();
    type(form->field(QStringLiteral("V_KERULET")), QStringLiteral("VIII."));
    type(form->field(QStringLiteral("V_UTCA")), QStringLiteral("Új"));
    type(form->field(QStringLiteral("V_AJTO")), QStringLiteral("3/a"));
    type(form->field(QStringLiteral("V_NYILATK")), QStringLiteral("Új nyilatkozat"));
    fillProprietor(*form);
    form->soleProprietorBox()->setChecked(false); // the fields keep their text, the box decides
    form->smallTaxpayerBox()->setChecked(true);
    form->storeButton()->click();

    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_TRUE(Dialogs::shown().isEmpty()) << Dialogs::lastText().toStdString();
    for (const char* col : {"v_adoazon", "v_evnyilv", "v_ev_neve", "v_ev"})
        EXPECT_EQ(column(QString::fromLatin1(col)), QStringLiteral(" ")) << col;
    EXPECT_EQ(column(QStringLiteral("v_kisado")), QStringLiteral("true"));
    EXPECT_EQ(column(QStringLiteral("v_kerulet")), QStringLiteral("VIII."));
    EXPECT_EQ(column(QStringLiteral("v_utca")), QStringLiteral("Új"));
    EXPECT_EQ(column(QStringLiteral("v_ajto")), QStringLiteral("3/a"));
    EXPECT_EQ(column(QStringLiteral("v_neve")), kLongName);
    EXPECT_EQ(sharedState().buyerDeclaration, QStringLiteral("Új nyilatkozat"));
    EXPECT_EQ(sharedState().templateVariant, QStringLiteral("Z")); // empty version: kept
    // Written by a commit: a second attachment sees it.
    SecondAttachment other(db.databasePath());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT v_utca FROM atvevo WHERE v_akod = '00001'")), QStringLiteral("Új"));
}

TEST_F(BuyerRecordTest, StoringAsSoleProprietorWritesItsData)
{
    auto form = openRecord();
    fillProprietor(*form);
    type(form->field(QStringLiteral("V_VERZIO")), QStringLiteral("B"));
    type(form->field(QStringLiteral("V_KOZADOSZAM")), QStringLiteral("HU12345676"));
    form->storeButton()->click();

    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(column(QStringLiteral("v_ev")), QStringLiteral("true"));
    EXPECT_EQ(column(QStringLiteral("v_kisado")), QStringLiteral(" "));
    EXPECT_EQ(column(QStringLiteral("v_adoazon")), QStringLiteral("8526018159"));
    EXPECT_EQ(column(QStringLiteral("v_evnyilv")), QStringLiteral("EV-123456"));
    EXPECT_EQ(column(QStringLiteral("v_ev_neve")), QStringLiteral("Kiss Péter"));
    EXPECT_EQ(column(QStringLiteral("v_kozadoszam")), QStringLiteral("HU12345676"));
    EXPECT_EQ(column(QStringLiteral("v_verzio")), QStringLiteral("B"));
    EXPECT_EQ(sharedState().templateVariant, QStringLiteral("B"));
    EXPECT_EQ(sharedState().buyerDeclaration, kFirstDeclaration);
}

TEST_F(BuyerRecordTest, SoleProprietorDataIsCheckedInOrder)
{
    struct Case
    {
        const char* blanked; // columns emptied (or blank only) before storing
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"V_ADOAZON V_EVNYILV V_EV_NEVE", "Nincs megadva az egyéni váll.adóazonositó száma!", "V_ADOAZON"},
        {"V_EVNYILV V_EV_NEVE", "Nincs megadva az egyéni váll.nyilvántart.száma!", "V_EVNYILV"},
        {"V_EV_NEVE", "Nincs megadva az egyéni váll. neve!", "V_EV_NEVE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Dialogs::clear();
        auto form = openRecord();
        fillProprietor(*form);
        for (const QString& col : QString::fromLatin1(c.blanked).split(u' '))
            type(form->field(col), QStringLiteral("  "));
        form->storeButton()->click();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_EQ(Dialogs::lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(form->focusWidget(), form->field(QString::fromLatin1(c.focus)));
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(column(QStringLiteral("v_ev")), QStringLiteral(" ")); // nothing stored
    }
}

TEST_F(BuyerRecordTest, CommunityTaxNumberOfOneToSevenCharactersIsRefused)
{
    struct Case
    {
        const char* value;
        bool accepted;
    };
    const Case cases[] = {{"1234567", false}, {"1", false}, {"HU123 ", false}, {"12345678", true},
                          {"", true},         {"   ", true}, {"HU12345678901", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Dialogs::clear();
        db.exec(QStringLiteral("UPDATE atvevo SET v_kozadoszam = 'régi' WHERE v_akod = '00001'"));
        auto form = openRecord();
        fillProprietor(*form);
        // A refused number is reported before the missing tax identifier that follows it.
        if (!c.accepted)
            form->field(QStringLiteral("V_ADOAZON"))->clear();
        type(form->field(QStringLiteral("V_KOZADOSZAM")), QString::fromLatin1(c.value));
        form->storeButton()->click();
        if (c.accepted) {
            EXPECT_EQ(form->result(), QDialog::Accepted);
            EXPECT_EQ(column(QStringLiteral("v_kozadoszam")), QString::fromLatin1(c.value));
        } else {
            EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Közösségi adószám kevesebb mint 8 karakter!"));
            EXPECT_EQ(form->focusWidget(), form->field(QStringLiteral("V_KOZADOSZAM")));
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(column(QStringLiteral("v_kozadoszam")), QStringLiteral("régi"));
        }
    }
}

TEST_F(BuyerRecordTest, TicketsLockTheRecordUntilFIsPressedOnCancel)
{
    addTicket(QStringLiteral("00001"));
    for (const char key : {'F', 'f'}) {
        SCOPED_TRACE(key);
        Dialogs::clear();
        auto form = openRecord();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
        EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Már készült felvásárlási jegy! Nem módositható."));
        EXPECT_FALSE(form->storeButton()->isEnabled());

        QTest::keyClick(form->field(QStringLiteral("V_UTCA")), 'f'); // F elsewhere is just a letter
        QTest::keyClick(form->storeButton(), 'g');
        QTest::keyClick(form->cancelButton(), 'g');
        EXPECT_FALSE(form->storeButton()->isEnabled());

        QTest::keyClick(form->cancelButton(), key);
        EXPECT_TRUE(form->storeButton()->isEnabled());
        EXPECT_TRUE(form->isVisible());
        type(form->field(QStringLiteral("V_KERULET")), QStringLiteral("II."));
        form->storeButton()->click();
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_EQ(column(QStringLiteral("v_kerulet")), QStringLiteral("II."));
    }
}

TEST_F(BuyerRecordTest, AnotherBuyersTicketDoesNotLock)
{
    addTicket(QStringLiteral("00002"));
    auto form = openRecord();
    EXPECT_TRUE(form->storeButton()->isEnabled());
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(BuyerRecordTest, ValueTheDatabaseRefusesIsRolledBackWhole)
{
    BuyerRecord record = *loadBuyerRecord(db.data(), QStringLiteral("00001"));
    record.street = QStringLiteral("Megváltozott");
    record.version = QString(46, u'V'); // one more than the column holds
    const QString message = test::errorMessage([&] { storeBuyerRecord(db.data(), record, QStringLiteral("00001")); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Hiba170: UPDATE atvevo \n"))) << message.toStdString();
    EXPECT_FALSE(db.data().inTransaction());
    EXPECT_EQ(column(QStringLiteral("v_utca")), QStringLiteral("Szegedi"));
    EXPECT_EQ(column(QStringLiteral("v_verzio")), QString());
}

TEST_F(BuyerRecordTest, RowLockedByAnotherProgramGivesHiba170AndKeepsTheOldRecord)
{
    SecondAttachment other(db.databasePath());
    other.execUncommitted(QStringLiteral("UPDATE atvevo SET v_szint = '9' WHERE v_akod = '00001'"));

    auto form = openRecord();
    type(form->field(QStringLiteral("V_UTCA")), QStringLiteral("Zárolt"));
    type(form->field(QStringLiteral("V_NYILATK")), QStringLiteral("Nem tárolódik"));
    form->storeButton()->click();

    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba170: UPDATE atvevo \n")));
    EXPECT_EQ(form->result(), QDialog::Rejected); // the screen closes, not as a success
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(sharedState().buyerDeclaration, kFirstDeclaration); // re-read: the old record
    other.connection.rollback();
    EXPECT_EQ(column(QStringLiteral("v_utca")), QStringLiteral("Szegedi"));
}

TEST_F(BuyerRecordTest, BuyerDeletedMeanwhileIsNotReportedAsStored)
{
    auto form = openRecord();
    db.exec(QStringLiteral("DELETE FROM atvevo WHERE v_akod = '00001'"));
    type(form->field(QStringLiteral("V_NYILATK")), QStringLiteral("Sehova"));
    form->storeButton()->click();

    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Hiba170: UPDATE atvevo \nAz átvevő (kód: 00001) már nincs "
                                                  "az adatbázisban, a módosítás nem tárolódott!"));
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(sharedState().buyerDeclaration, kFirstDeclaration);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM atvevo")), QStringLiteral("1"));
}

TEST_F(BuyerRecordTest, TransactionThatCannotStartGivesHiba171)
{
    BuyerRecord record = *loadBuyerRecord(db.data(), QStringLiteral("00001"));
    db.data().commit();
    db.data().connection().detach();
    const QString message = test::errorMessage([&] { storeBuyerRecord(db.data(), record, QStringLiteral("00001")); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Hiba171: UPDATE az atvevo "))) << message.toStdString();
}

TEST_F(BuyerScreenTest, Screenshots)
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    {
        TForm18 form(db.data());
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/buyer-choice.png")));
    }
    db.chooseBuyer(QStringLiteral("00002"));
    db.exec(QStringLiteral("UPDATE atvevo SET v_kerulet = 'III.', v_kozadoszam = 'HU23456787' WHERE v_akod = '00002'"));
    TForm17 form(db.data());
    ASSERT_TRUE(form.loadRecord());
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/buyer-record.png")));
}

} // namespace
