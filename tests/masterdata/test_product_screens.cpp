// The product list and entry window driven through their real widgets against a real database.
#include "MasterdataFixtures.h"

#include "Dialogs.h"
#include "MasterdataScreens.h"
#include "ModalDriver.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TForm6.h"
#include "TForm7.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using ui::Dialogs;
using F = ProductField;

namespace {

void fill(TForm7& e, const ProductInput& in)
{
    for (const ProductFieldSpec& fieldDef : productFieldSpecs()) {
        if (!fieldDef.readOnly)
            e.field(fieldDef.field)->setText(in[fieldDef.field]);
    }
}

void clickTitle(TForm6& f, int section)
{
    QHeaderView* header = f.grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
}

QString current(TestDatabase& db, const char* field)
{
    return db.data().ZQ40.text(QString::fromLatin1(field));
}

QString lastLine(const Query& q)
{
    return q.sql().split(QLatin1Char('\n')).last();
}

class ProductScreens : public ::testing::Test
{
protected:
    void SetUp() override { Dialogs::clear(); }
    void TearDown() override { Dialogs::clear(); }
    TestDatabase db;
};

// A new-product entry window (the database empties the shared values, so the mode comes after).
class ProductEntry : public ProductScreens
{
protected:
    void SetUp() override
    {
        ProductScreens::SetUp();
        sharedState().productEntryMode = producttext::NewMode;
    }
};

// ---- The list ----

TEST_F(ProductScreens, ListOpensByNameOnTheSearchText)
{
    struct {
        const char* searchText;
        const char* current;
    } cases[] = {
        {"pap", "Paprika"},
        {"", "Alma"},
        {"00003", "Alma"}, // a code left by the entry window matches no name: the first row
        {"kuk", "Kukorica"},
    };
    for (const auto& c : cases) {
        sharedState().productSearchText = u(c.searchText);
        TForm6 f;
        showActive(f);
        EXPECT_EQ(current(db, "T_MEGNEVEZES"), u(c.current)) << c.searchText;
        EXPECT_EQ(f.orderLabelText(), u("Termék lista, \"Megnevezés\" szerint"));
        EXPECT_EQ(db.data().ZQ40.sql(), QStringLiteral("SELECT * FROM Termek           \n         ORDER BY t_megnevezes COLLATE PXW_HUN "));
    }
    sharedState().productSearchText = QStringLiteral("Pap");
    TForm6 f;
    showActive(f);
    EXPECT_EQ(f.windowTitle(), u("Termék"));
    const char* titles[] = {"Kód", "Megnevezés", "VTSZ", "Eár", "M.egység", "Komp.mértéke", "ID"};
    ASSERT_EQ(f.grid()->model()->columnCount(), 7);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(f.grid()->model()->headerData(c, Qt::Horizontal).toString(), u(titles[c]));
    EXPECT_EQ(f.grid()->toolTip(),
              u("Termék sorrend: klikk az \"kód\" , \"Megnevezés\" vagy \"ID\" oszlop fejlécre"));
    EXPECT_EQ(f.detailText(u("Kód:")), QStringLiteral("00005"));
    EXPECT_EQ(f.detailText(u("Megnevezés:")), QStringLiteral("Paprika"));
    EXPECT_EQ(f.detailText(u("VTSZ:")), QStringLiteral("0709"));
    EXPECT_EQ(f.detailText(u("Egységár:")), QStringLiteral("180 Ft/kg"));
    EXPECT_EQ(f.detailText(u("Komp.mértéke:")), QStringLiteral("12 %"));
}

TEST_F(ProductScreens, ThreeTitlesSortAndTheOthersDoNothing)
{
    TForm6 f;
    showActive(f);
    struct {
        int section;
        const char* label;
        const char* orderLine;
        const char* first;
    } cases[] = {
        {0, "Termék lista, \"Kód\" szerint", "  ORDER BY t_kod ", "Búza"},
        {3, "Termék lista, \"Kód\" szerint", "  ORDER BY t_kod ", "Búza"}, // "Eár" does not sort
        {1, "Termék lista, \"Megnevezés\" szerint", "  ORDER BY t_megnevezes COLLATE PXW_HUN ", "Alma"},
        {6, "Termék lista a beviteli sorrend szerint", "  ORDER BY ID_Termek ", "Búza"},
        {2, "Termék lista a beviteli sorrend szerint", "  ORDER BY ID_Termek ", "Búza"},
        {4, "Termék lista a beviteli sorrend szerint", "  ORDER BY ID_Termek ", "Búza"},
        {5, "Termék lista a beviteli sorrend szerint", "  ORDER BY ID_Termek ", "Búza"},
    };
    for (const auto& c : cases) {
        clickTitle(f, c.section);
        EXPECT_EQ(f.orderLabelText(), u(c.label)) << c.section;
        EXPECT_EQ(lastLine(db.data().ZQ40), u(c.orderLine)) << c.section;
        db.data().ZQ40.first();
        EXPECT_EQ(current(db, "T_MEGNEVEZES"), u(c.first)) << c.section;
    }
    // By code the rows come in text order of the code.
    insertProduct(db, QStringLiteral("9"), QStringLiteral("Kilences"));
    clickTitle(f, 0);
    db.data().ZQ40.last();
    EXPECT_EQ(current(db, "T_KOD"), QStringLiteral("9"));
}

// ---- New and change ----

TEST_F(ProductScreens, NewProductWithTheProposedCodeIsStoredAndTheListStandsOnIt)
{
    TForm6 f;
    showActive(f);
    bool seen = false;
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm7*>(w);
        ASSERT_NE(e, nullptr);
        seen = true;
        EXPECT_EQ(e->windowTitle(), u("Termék"));
        EXPECT_EQ(e->field(F::Kod)->text(), QStringLiteral("7"));
        EXPECT_EQ(e->field(F::Ear)->text(), QStringLiteral("0"));
        EXPECT_EQ(e->field(F::Kompmerteke)->text(), QStringLiteral("12,00"));
        EXPECT_FALSE(e->field(F::Bizonylat)->isVisible());
        typeText(e->field(F::Megnevezes), QStringLiteral("Szilva"));
        typeText(e->field(F::Vtsz), QStringLiteral("0809"));
        typeText(e->field(F::Megy), QStringLiteral("kg"));
        button(e, "okButton")->click();
    });
    button(&f, "newButton")->click();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_megnevezes FROM termek WHERE t_kod = '7'")), QStringLiteral("Szilva"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_kompmerteke FROM termek WHERE t_kod = '7'")), QStringLiteral("12"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_ear FROM termek WHERE t_kod = '7'")), QStringLiteral("0"));
    EXPECT_EQ(sharedState().productEntryMode, u("Új termék"));
    EXPECT_EQ(sharedState().productSearchText, QStringLiteral("7"));
    EXPECT_EQ(current(db, "T_KOD"), QStringLiteral("7"));
    EXPECT_EQ(f.grid()->currentIndex().row(), db.data().ZQ40.recNo());
    EXPECT_EQ(f.orderLabelText(), u("Termék lista, \"Megnevezés\" szerint"));
}

TEST_F(ProductScreens, CodesUpTo00041ProposeFortyTwo)
{
    for (int i = 7; i <= 41; ++i)
        insertProduct(db, QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("Termék %1").arg(i));
    TForm6 f;
    showActive(f);
    QString proposed;
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm7*>(w);
        ASSERT_NE(e, nullptr);
        proposed = e->field(F::Kod)->text();
        button(e, "cancelButton")->click();
    });
    button(&f, "newButton")->click();
    EXPECT_EQ(proposed, QStringLiteral("42"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("41")) << "cancel stores nothing";
}

TEST_F(ProductScreens, ChangeKeepsTheLinesOfExistingTickets)
{
    db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_ear, s_kompmerteke, s_brutto, "
                           "s_levonszaz, s_akod) VALUES ('20160001', '00005', 'Paprika', 180, 12, 10, 0, '00001')"));
    sharedState().productSearchText = QStringLiteral("Pap");
    TForm6 f;
    showActive(f);
    bool seen = false;
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm7*>(w);
        ASSERT_NE(e, nullptr);
        seen = true;
        EXPECT_EQ(e->windowTitle(), u("Termék módositás"));
        EXPECT_EQ(e->field(F::Kod)->text(), QStringLiteral("00005"));
        EXPECT_EQ(e->field(F::Ear)->text(), QStringLiteral("180"));
        EXPECT_EQ(e->field(F::Kompmerteke)->text(), QStringLiteral("12"));
        EXPECT_TRUE(e->field(F::Id)->isReadOnly());
        e->field(F::Megnevezes)->setText(QStringLiteral("Paprika, étkezési"));
        e->field(F::Ear)->setText(QStringLiteral("185,5"));
        button(e, "okButton")->click();
    });
    button(&f, "modifyButton")->click();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_ear FROM termek WHERE t_kod = '00005'")), QStringLiteral("185,5"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("6"));
    EXPECT_EQ(current(db, "T_KOD"), QStringLiteral("00005"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT s_megnevezes FROM fjsor WHERE s_termekkod = '00005'")), QStringLiteral("Paprika"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT s_ear FROM fjsor WHERE s_termekkod = '00005'")), QStringLiteral("180"));
}

TEST_F(ProductEntry, ACodeAnotherProductHasIsRefused)
{
    TForm7 e;
    showActive(e);
    struct {
        const char* code;
        const char* message;
    } cases[] = {
        {"00003", "A(z) 00003 kódú termék már létezik!"},
        {"3", "A(z) 00003 kódú termék már létezik!"},
        {"00006", "A(z) 00006 kódú termék már létezik!"},
    };
    for (const auto& c : cases) {
        Dialogs::clear();
        fill(e, validProduct());
        e.field(F::Kod)->setText(QString::fromLatin1(c.code));
        button(&e, "okButton")->click();
        EXPECT_EQ(Dialogs::shownTexts(), QStringList{u(c.message)}) << c.code;
        EXPECT_EQ(e.focusWidget(), e.field(F::Kod));
        EXPECT_TRUE(e.isVisible());
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("6"));

    // A change may keep its own code, but not take another product's.
    sharedState().productEntryMode = producttext::ChangeMode;
    sharedState().productSearchText = QStringLiteral("Méz");
    TForm6 list;
    ASSERT_EQ(current(db, "T_KOD"), QStringLiteral("00006"));
    TForm7 change;
    showActive(change);
    change.field(F::Kod)->setText(QStringLiteral("00001"));
    button(&change, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), u("A(z) 00001 kódú termék már létezik!"));
    Dialogs::clear();
    change.field(F::Kod)->setText(QStringLiteral("00006"));
    change.field(F::Vtsz)->setText(QStringLiteral("0409 00"));
    button(&change, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_vtsz FROM termek WHERE t_kod = '00006'")), QStringLiteral("0409 00"));
}

TEST_F(ProductEntry, ChecksWithMessageAndFocus)
{
    TForm7 e;
    showActive(e);
    struct {
        F field;
        const char* text;
        const char* message;
    } cases[] = {
        {F::Kod, "", "Nincs megadva a kód!"},
        {F::Megnevezes, "  ", "Nincs megadva a megnevezés!"},
        {F::Ear, "", "Nincs megadva az egységár!"},
        {F::Megy, "", "Nincs megadva a mennyiség egység!"},
        {F::Kompmerteke, "", "Nincs megadva a komp.mérték!"},
        {F::Ear, "1,2,3", "Hibás az egységár!"},
        {F::Kompmerteke, "12,5", "Hibás a komp.mérték! Egész százalékot adjon meg."},
    };
    for (const auto& c : cases) {
        Dialogs::clear();
        fill(e, validProduct());
        e.field(c.field)->setText(u(c.text));
        button(&e, "okButton")->click();
        EXPECT_EQ(Dialogs::shownTexts(), QStringList{u(c.message)});
        EXPECT_EQ(e.focusWidget(), e.field(c.field)) << c.message;
        EXPECT_TRUE(e.isVisible());
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("6")) << "nothing stored";
}

TEST_F(ProductEntry, KeysAndLengths)
{
    TForm7 e;
    showActive(e);
    struct {
        F field;
        QString typed;
        QString kept;
    } cases[] = {
        {F::Kod, QStringLiteral("12a3"), QStringLiteral("123")},
        {F::Kod, QStringLiteral("1234567"), QStringLiteral("12345")},
        {F::Ear, QStringLiteral("12.5"), QStringLiteral("125")},
        {F::Ear, QStringLiteral("1a2,5 Ft"), QStringLiteral("12,5")},
        {F::Kompmerteke, QStringLiteral("-7%"), QStringLiteral("7")},
        {F::Megnevezes, QString(80, QLatin1Char('m')), QString(75, QLatin1Char('m'))},
        {F::Vtsz, QStringLiteral("0809 10 99 1"), QStringLiteral("0809 10 99")},
        {F::Megy, QStringLiteral("kilogramm-t"), QStringLiteral("kilogramm-")},
    };
    for (const auto& c : cases) {
        e.field(c.field)->clear();
        e.field(c.field)->setFocus();
        typeText(e.field(c.field), c.typed);
        EXPECT_EQ(e.field(c.field)->text(), c.kept) << c.typed.toStdString();
    }
    // Enter walks the visible fields, never entering a character.
    const F order[] = {F::Kod, F::Megnevezes, F::Vtsz, F::Ear, F::Megy, F::Kompmerteke};
    e.field(F::Kod)->setFocus();
    for (F f : order) {
        EXPECT_EQ(QApplication::focusWidget(), e.field(f)) << productFieldSpec(f).column;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(QApplication::focusWidget(), button(&e, "okButton"));
    QTest::keyClick(e.field(F::Megy), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(e.field(F::Megy)->text(), QStringLiteral("kilogramm-"));
}

TEST_F(ProductEntry, AStatementTheDatabaseRejectsStoresNothingAndClosesTheWindow)
{
    db.exec(QStringLiteral("ALTER TABLE termek ADD CONSTRAINT chk_test_product CHECK (t_megnevezes <> 'Tilos')"));
    TForm7 e;
    showActive(e);
    ProductInput in = validProduct();
    in[F::Megnevezes] = QStringLiteral("Tilos");
    fill(e, in);
    button(&e, "okButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(u("Hiba72: Újban, INSERT  a termékben \n"))) << Dialogs::lastText().toStdString();
    EXPECT_EQ(e.result(), QDialog::Accepted);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("6"));
    EXPECT_EQ(db.data().ZQ40.rowCount(), 6) << "the list is re-run";
}

TEST_F(ProductEntry, WhenTheDatabaseCannotBeReachedTheWindowStays)
{
    TForm7 e;
    showActive(e);
    fill(e, validProduct());
    if (db.data().inTransaction())
        db.data().rollback();
    db.data().connection().detach();
    button(&e, "okButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("Nincs adatbázis kapcsolat."))) << Dialogs::lastText().toStdString();
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(e.listReopened());
}

// ---- Delete ----

TEST_F(ProductScreens, DeletionIsCommittedAndTheListReopens)
{
    sharedState().productSearchText = QStringLiteral("Napr");
    TForm6 f;
    showActive(f);
    ASSERT_EQ(current(db, "T_MEGNEVEZES"), u("Napraforgó"));
    clickTitle(f, 0);
    db.data().ZQ40.locate(QStringLiteral("T_KOD"), QStringLiteral("00002"));
    button(&f, "deleteButton")->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{u("Az termék sor törlölve!")});
    if (!db.data().inTransaction())
        db.data().startTransaction();
    db.data().rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek WHERE t_kod = '00002'")), QStringLiteral("0"));
    EXPECT_EQ(db.data().ZQ40.rowCount(), 5);
    EXPECT_EQ(f.orderLabelText(), u("Termék lista, \"Megnevezés\" szerint"));
    EXPECT_EQ(lastLine(db.data().ZQ40), QStringLiteral("         ORDER BY t_megnevezes COLLATE PXW_HUN "));
    EXPECT_EQ(current(db, "T_MEGNEVEZES"), u("Napraforgó"));
}

TEST(ProductDelete, TheLastProductCannotBeDeleted)
{
    TestDatabase db(DatabaseSetup::Content::Minimal);
    Dialogs::clear();
    TForm6 f;
    f.show();
    ASSERT_EQ(db.data().ZQ40.rowCount(), 1);
    button(&f, "deleteButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), u("Az utolsó terméksor nem törölhető ki."));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), QStringLiteral("1"));
    Dialogs::clear();
}

// ---- As the picker of the ticket line screen ----

TEST_F(ProductScreens, PickerLeavesTheChosenProductCurrent)
{
    registerMasterdataScreens();
    for (const char* name : {"Termk1", "picker:product"})
        EXPECT_TRUE(ui::hasScreen(QString::fromLatin1(name))) << name;
    struct {
        const char* searchText;
        int pickRow; // -1: leave it
        const char* closeWith;
        const char* expected;
    } cases[] = {
        {"kuk", -1, "chooseButton", "Kukorica"},
        {"kuk", 0, "chooseButton", "Alma"},
        {"Méz", 1, "cancelButton", "Búza"},
    };
    for (const auto& c : cases) {
        sharedState().productSearchText = u(c.searchText);
        QString shownOn;
        whenModal([&](QWidget* w) {
            auto* f = qobject_cast<TForm6*>(w);
            ASSERT_NE(f, nullptr);
            shownOn = current(db, "T_MEGNEVEZES");
            if (c.pickRow >= 0)
                f->grid()->setCurrentIndex(f->grid()->model()->index(c.pickRow, 1));
            button(f, c.closeWith)->click();
        });
        ASSERT_TRUE(ui::openScreen(QStringLiteral("picker:product"), nullptr));
        EXPECT_TRUE(shownOn.startsWith(u(c.searchText), Qt::CaseInsensitive)) << shownOn.toStdString();
        EXPECT_EQ(current(db, "T_MEGNEVEZES"), u(c.expected));
    }
}

} // namespace
