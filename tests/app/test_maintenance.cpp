// The schema upgrades on a database of the older layout, the clean-up of repeated tax
// identifiers, and the raw table editor with its access codes, the M key and its commit on close.
#include "DatabaseSetup.h"
#include "Dialogs.h"
#include "ErrorMessage.h"
#include "MaintenanceScreens.h"
#include "ModalDriver.h"
#include "RawTables.h"
#include "SchemaUpgrades.h"
#include "ScreenRegistry.h"
#include "SecondAttachment.h"
#include "TForm22.h"
#include "TestDatabase.h"
#include "UpgradeScreens.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;
using test::SecondAttachment;
using Layout = DatabaseSetup::Layout;

namespace {

QString screenshotDir()
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    return dir;
}

void grab(QWidget& w, const char* name)
{
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(w.grab().save(screenshotDir() + QLatin1Char('/') + QString::fromLatin1(name)));
}

class UpgradeTest : public ::testing::Test
{
protected:
    void SetUp() override { Dialogs::clear(); }

    bool producerHas(const QString& column)
    {
        return db.scalar(QStringLiteral("SELECT count(*) FROM rdb$relation_fields WHERE rdb$relation_name = "
                                        "'OSTERMELO' AND rdb$field_name = '%1'")
                             .arg(column)) == QLatin1String("1");
    }
    QString chamberLength()
    {
        return db.scalar(
            QStringLiteral("SELECT rdb$character_length FROM rdb$fields WHERE rdb$field_name = 'D_KAMARA'"));
    }

    test::TestDatabase db{DatabaseSetup::Content::Demo, Layout::BeforeUpgrades};
};

TEST_F(UpgradeTest, OlderLayoutLacksWhatTheUpgradesAdd)
{
    EXPECT_FALSE(producerHas(QStringLiteral("O_MNYPTAG")));
    EXPECT_FALSE(producerHas(QStringLiteral("O_FELIR")));
    EXPECT_TRUE(producerHas(QStringLiteral("O_KAMARA")));
    EXPECT_EQ(chamberLength(), QStringLiteral("10"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
    // The same script gives the current layout.
    const QString current = DatabaseSetup::schemaScript(Layout::Current);
    EXPECT_TRUE(current.contains(QStringLiteral("O_MNYPTAG")));
    EXPECT_TRUE(current.contains(QStringLiteral("O_FELIR")));
    EXPECT_FALSE(DatabaseSetup::schemaScript(Layout::BeforeUpgrades).contains(QStringLiteral("O_FELIR")));
}

TEST_F(UpgradeTest, PensionFundColumnIsAddedOnceThenReportedAsThere)
{
    EXPECT_EQ(addPensionFundColumn(db.data()), UpgradeResult::Done);
    EXPECT_TRUE(producerHas(QStringLiteral("O_MNYPTAG")));
    // Committed: another program sees it, and the producer table dataset shows it.
    SecondAttachment other(db.databasePath());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM rdb$relation_fields WHERE rdb$relation_name = "
                                          "'OSTERMELO' AND rdb$field_name = 'O_MNYPTAG'")),
              QStringLiteral("1"));
    EXPECT_TRUE(db.data().IBTable3.hasField(QStringLiteral("O_MNYPTAG")));
    db.exec(QStringLiteral("UPDATE ostermelo SET o_mnyptag = 'I' WHERE o_kod = '00001'"));
    EXPECT_EQ(addPensionFundColumn(db.data()), UpgradeResult::AlreadyThere);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_mnyptag FROM ostermelo WHERE o_kod = '00001'")), QStringLiteral("I"));
}

TEST_F(UpgradeTest, FelirColumnIsAddedOnceWithTheDomainAndCollation)
{
    EXPECT_EQ(addFelirColumn(db.data()), UpgradeResult::Done);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT TRIM(rdb$field_source) FROM rdb$relation_fields WHERE "
                                       "rdb$relation_name = 'OSTERMELO' AND rdb$field_name = 'O_FELIR'")),
              QStringLiteral("D_BLAP"));
    db.exec(QStringLiteral("UPDATE ostermelo SET o_felir = '123456789012' WHERE o_kod = '00002'"));
    EXPECT_EQ(addFelirColumn(db.data()), UpgradeResult::AlreadyThere);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_felir FROM ostermelo WHERE o_kod = '00002'")),
              QStringLiteral("123456789012"));
}

TEST_F(UpgradeTest, ChamberNumberIsWidenedAndMayBeWidenedAgain)
{
    const QString fifteen = QStringLiteral("UPDATE ostermelo SET o_kamara = 'KAM-123456789AB' WHERE o_kod = '00001'");
    EXPECT_FALSE(test::errorMessage([&] { db.exec(fifteen); }).isEmpty());
    db.data().rollback();
    widenChamberNumber(db.data());
    EXPECT_EQ(chamberLength(), QStringLiteral("20"));
    db.exec(fifteen);
    widenChamberNumber(db.data());
    EXPECT_EQ(chamberLength(), QStringLiteral("20"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_kamara FROM ostermelo WHERE o_kod = '00001'")),
              QStringLiteral("KAM-123456789AB"));
}

TEST_F(UpgradeTest, RefusedAlterIsRolledBackWithTheScreensText)
{
    // A domain wider than the target cannot be narrowed: the ALTER fails.
    db.exec(QStringLiteral("ALTER DOMAIN D_KAMARA TYPE VARCHAR(30) CHARACTER SET WIN1250"));
    db.exec(QStringLiteral("UPDATE termek SET t_megy = 'q' WHERE t_kod = '00001'"));
    // An uncommitted write of another screen goes with the rollback, as in the write procedure.
    Query q(&db.data().connection(), QStringLiteral("pending"));
    q.setSql({QStringLiteral("UPDATE termek SET t_megy = 'db' WHERE t_kod = '00001'")});
    q.exec();
    try {
        widenChamberNumber(db.data());
        FAIL() << "the narrowing was accepted";
    } catch (const WriteError& e) {
        EXPECT_EQ(e.stage(), WriteError::Stage::Statement);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Hiba421: Hossz: D_KAMARA az östermelöben! \n")))
            << e.message().toStdString();
    }
    EXPECT_FALSE(db.data().inTransaction());
    EXPECT_EQ(chamberLength(), QStringLiteral("30"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_megy FROM termek WHERE t_kod = '00001'")), QStringLiteral("q"));
}

TEST_F(UpgradeTest, RefusedColumnAdditionGivesTheScreensHibaText)
{
    // A trigger of the database refuses every change of a table's layout.
    db.exec(QStringLiteral("CREATE EXCEPTION E_NO_ALTER 'A tábla szerkezete nem módosítható.'"));
    db.exec(QStringLiteral("CREATE TRIGGER NO_ALTER BEFORE ALTER TABLE AS BEGIN EXCEPTION E_NO_ALTER; END"));
    {
        TForm28 form(db.data());
        form.show();
        form.runButton()->click();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
        EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba281: ALTER TABLE az östermelöben. \n")))
            << Dialogs::lastText().toStdString();
        EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("E_NO_ALTER"))) << Dialogs::lastText().toStdString();
        EXPECT_FALSE(form.isVisible()); // closes after the failure too
    }
    {
        Dialogs::clear();
        TForm37 form(db.data());
        form.show();
        form.runButton()->click();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_TRUE(Dialogs::lastText().startsWith(
            QStringLiteral("Hiba371: ALTER TABLE OSTERMELO ADD O_FELIR az östermelöben! \n")))
            << Dialogs::lastText().toStdString();
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_FALSE(db.data().inTransaction());
    EXPECT_FALSE(producerHas(QStringLiteral("O_MNYPTAG")));
    EXPECT_FALSE(producerHas(QStringLiteral("O_FELIR")));
}

TEST_F(UpgradeTest, UpgradeScreensShowTheirMessagesAndCloseAsTheyShould)
{
    {
        TForm28 form(db.data());
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Program módosítás (2010.10.hótól)"));
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                  QStringLiteral("Ha tagja csak akkor kell \"Igen\" -re állítani a z östermelöi adatoknál."));
        form.runButton()->click();
        EXPECT_EQ(Dialogs::shownTexts(), QStringList{kUpgradeDone});
        EXPECT_FALSE(form.isVisible());
    }
    {
        Dialogs::clear();
        TForm28 form(db.data());
        form.show();
        form.runButton()->click();
        ASSERT_EQ(Dialogs::shown().size(), 1);
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
        EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Már létezik!"));
        EXPECT_FALSE(form.isVisible());
    }
    {
        // The FELIR screen stays open after each run.
        Dialogs::clear();
        TForm37 form(db.data());
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("FELIR azonosító felvétele az östermelöhöz"));
        form.runButton()->click();
        form.runButton()->click();
        EXPECT_EQ(Dialogs::shownTexts(),
                  (QStringList{kUpgradeDone, QStringLiteral("Már létezik az östermelöben!")}));
        EXPECT_EQ(Dialogs::shown().last().kind, Dialogs::Kind::Refusal);
        EXPECT_TRUE(form.isVisible());
        form.cancelButton()->click();
        EXPECT_FALSE(form.isVisible());
    }
    {
        Dialogs::clear();
        TForm42 form(db.data());
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Kamarai azonosító hossz változás"));
        form.runButton()->click();
        form.runButton()->click();
        EXPECT_EQ(Dialogs::shownTexts(), (QStringList{kUpgradeDone, kUpgradeDone}));
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_TRUE(producerHas(QStringLiteral("O_MNYPTAG")));
    EXPECT_TRUE(producerHas(QStringLiteral("O_FELIR")));
    EXPECT_EQ(chamberLength(), QStringLiteral("20"));
}

TEST_F(UpgradeTest, ScreensAreReachedByTheirMenuItems)
{
    registerMaintenanceScreens();
    for (const char* item :
         {"Adatbzis1", "Magnnytag1", "Ostermeloegyesites1", "FELIRazonfelvtele1", "Kamaraiszmhossza1"})
        EXPECT_TRUE(ui::hasScreen(QString::fromLatin1(item))) << item;
}

class CleanupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.exec(QStringLiteral("DELETE FROM ostermelo"));
    }
    void producer(const char* code, const char* taxId)
    {
        const QString id = taxId ? QStringLiteral("'%1'").arg(QString::fromLatin1(taxId)) : QStringLiteral("NULL");
        db.exec(QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev, o_adoazon, o_szja) VALUES ('%1', 'P%1', %2, 15)")
                    .arg(QString::fromLatin1(code), id));
    }
    QString szja(const char* code)
    {
        return db.scalar(
            QStringLiteral("SELECT o_szja FROM ostermelo WHERE o_kod = '%1'").arg(QString::fromLatin1(code)));
    }
    test::TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(CleanupTest, RepeatedTaxIdentifiersAreMarkedButNotTheFirstOfEachGroup)
{
    // A, A, A, B in code order; inserted out of order so that the walk's order is the query's.
    producer("00012", "A");
    producer("00014", "B");
    producer("00011", "A");
    producer("00013", "A");
    EXPECT_EQ(markRepeatedTaxIdentifiers(db.data()), 2);
    EXPECT_EQ(szja("00011"), QStringLiteral("15"));
    EXPECT_EQ(szja("00012"), QStringLiteral("1"));
    EXPECT_EQ(szja("00013"), QStringLiteral("1"));
    EXPECT_EQ(szja("00014"), QStringLiteral("15"));
    // Committed at once.
    SecondAttachment other(db.databasePath());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_szja = 1")), QStringLiteral("2"));
}

TEST_F(CleanupTest, EmptyIdentifiersFormOneGroupAndTheScreenSaysVege)
{
    producer("00021", nullptr);
    producer("00022", "");
    producer("00023", "8526018159");
    TForm36 form(db.data());
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form36"));
    EXPECT_EQ(form.runButton()->text(), QStringLiteral("Button1"));
    form.runButton()->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{QStringLiteral("Vége.")});
    EXPECT_EQ(szja("00021"), QStringLiteral("15"));
    EXPECT_EQ(szja("00022"), QStringLiteral("1"));
    EXPECT_EQ(szja("00023"), QStringLiteral("15"));
}

TEST(EditorAccessCodes, OnlyTheTwoCodesOpenTheTables)
{
    EXPECT_EQ(accessForCode(QStringLiteral("582017346")), EditorAccess::FiveTables);
    EXPECT_EQ(accessForCode(QStringLiteral("kvb")), EditorAccess::AllTables);
    for (const char* other : {"", "KVB", "582017345", " 582017346", "kvb ", "m"})
        EXPECT_EQ(accessForCode(QString::fromLatin1(other)), EditorAccess::None) << other;
}

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override { Dialogs::clear(); }
    static bool editable(TForm22& form, int table)
    {
        RawTableModel* m = form.model(table);
        for (int c = 0; c < m->columnCount(); ++c) {
            if (m->isColumnEditable(c))
                return true;
        }
        return false;
    }
    static QList<bool> editableTables(TForm22& form)
    {
        QList<bool> result;
        for (int t = 0; t < RawTables::Count; ++t)
            result << editable(form, t);
        return result;
    }
    // Presses "Szerkeszt" and answers the code box with the text and the button.
    static void enterCode(TForm22& form, const QString& code, bool ok = true)
    {
        test::whenModal([code, ok](QWidget* w) {
            auto* dlg = qobject_cast<TPasswordDlg*>(w);
            ASSERT_NE(dlg, nullptr);
            EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Jelszó"));
            QTest::keyClicks(dlg->passwordEdit(), code);
            (ok ? dlg->okButton() : dlg->cancelButton())->click();
        });
        form.editButton()->click();
    }

    test::TestDatabase db;
    const QList<bool> none{false, false, false, false, false, false};
    const QList<bool> five{true, true, true, true, true, false};
    const QList<bool> all{true, true, true, true, true, true};
};

TEST_F(EditorTest, TablesAreShownReadOnlyAndTheBuyersHidden)
{
    TForm22 form(db.data());
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Adatbázis"));
    QStringList tabs;
    for (int i = 0; i < form.tabs()->count(); ++i)
        tabs << form.tabs()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"FjFej", "FjSor", "Ostermelo", "Termek", "Sorszam", "Atvevo"}));
    EXPECT_EQ(form.model(2)->rowCount(), 5);
    EXPECT_EQ(form.model(5)->rowCount(), 2);
    EXPECT_EQ(editableTables(form), none);
    form.tabs()->setCurrentIndex(RawTables::Buyers);
    EXPECT_FALSE(form.grid(RawTables::Buyers)->isVisible());
    EXPECT_FALSE(form.navigator(RawTables::Buyers)->isVisible());
    EXPECT_FALSE(form.navigator(0)->insertButton()->isEnabled());
}

TEST_F(EditorTest, NineDigitCodeOpensFiveTablesThreeLetterCodeAddsTheBuyers)
{
    {
        TForm22 form(db.data());
        form.show();
        enterCode(form, QStringLiteral("582017346"));
        EXPECT_EQ(form.heldCode(), QStringLiteral("582017346"));
        EXPECT_EQ(editableTables(form), five);
        EXPECT_TRUE(form.navigator(0)->insertButton()->isEnabled());
        form.tabs()->setCurrentIndex(RawTables::Buyers);
        EXPECT_FALSE(form.grid(RawTables::Buyers)->isVisible());
        // The held code is not asked again while the editor is open.
        form.editButton()->click();
        form.cancelButton()->click();
        EXPECT_FALSE(form.isVisible());
    }
    {
        // Closing forgot the code and made the tables read-only: it is asked again.
        TForm22 form(db.data());
        form.show();
        EXPECT_EQ(editableTables(form), none);
        enterCode(form, QStringLiteral("kvb"));
        EXPECT_EQ(editableTables(form), all);
        form.tabs()->setCurrentIndex(RawTables::Buyers);
        EXPECT_TRUE(form.grid(RawTables::Buyers)->isVisible());
        EXPECT_TRUE(form.navigator(RawTables::Buyers)->isVisible());
        grab(form, "raw-table-editor.png");
        form.cancelButton()->click();
    }
    {
        // The buyers stay writable for the run, but their grid is hidden again.
        TForm22 form(db.data());
        form.show();
        form.tabs()->setCurrentIndex(RawTables::Buyers);
        EXPECT_FALSE(form.grid(RawTables::Buyers)->isVisible());
        EXPECT_EQ(editableTables(form), (QList<bool>{false, false, false, false, false, true}));
    }
}

TEST_F(EditorTest, WrongCodeChangesNothingAndCancelStillCountsTheText)
{
    TForm22 form(db.data());
    form.show();
    enterCode(form, QStringLiteral("12345"));
    EXPECT_EQ(editableTables(form), none);
    EXPECT_EQ(form.heldCode(), QStringLiteral("12345"));
    // The wrong code is held: no second question while the editor stays open.
    form.editButton()->click();
    EXPECT_EQ(editableTables(form), none);
    form.cancelButton()->click();

    TForm22 again(db.data());
    again.show();
    enterCode(again, QStringLiteral("582017346"), /*ok=*/false);
    EXPECT_EQ(editableTables(again), five);
    EXPECT_TRUE(Dialogs::shown().isEmpty());
}

TEST_F(EditorTest, TheMKeyOnEitherButtonOpensTheFiveTablesWithoutACode)
{
    struct Case
    {
        bool onEdit;
        char key;
    };
    for (const Case c : {Case{true, 'M'}, Case{false, 'm'}, Case{true, 'm'}}) {
        SCOPED_TRACE(c.key);
        TForm22 form(db.data());
        form.show();
        QPushButton* button = c.onEdit ? form.editButton() : form.cancelButton();
        button->setFocus();
        QTest::keyClick(button, c.key);
        EXPECT_EQ(editableTables(form), five);
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.heldCode().isEmpty());
        form.cancelButton()->click();
    }
    // Another key does nothing.
    TForm22 form(db.data());
    form.show();
    QTest::keyClick(form.editButton(), 'x');
    EXPECT_EQ(editableTables(form), none);
}

TEST_F(EditorTest, EditsAreCommittedWhenTheEditorCloses)
{
    TForm22 form(db.data());
    form.show();
    enterCode(form, QStringLiteral("582017346"));
    RawTableModel* products = form.model(3);
    const int name = [&] {
        for (int c = 0; c < products->columnCount(); ++c)
            if (products->headerData(c, Qt::Horizontal).toString() == QLatin1String("T_MEGNEVEZES"))
                return c;
        return -1;
    }();
    ASSERT_GE(name, 0);
    const int row = [&] {
        for (int r = 0; r < products->rowCount(); ++r)
            if (products->data(products->index(r, 0)).toString() == QLatin1String("1"))
                return r;
        return -1;
    }();
    ASSERT_GE(row, 0);
    EXPECT_TRUE(products->setData(products->index(row, name), QStringLiteral("Őszi búza")));
    EXPECT_EQ(products->data(products->index(row, name)).toString(), QStringLiteral("Őszi búza"));
    // Held in the shared transaction until the editor closes.
    SecondAttachment other(db.databasePath());
    const QString read = QStringLiteral("SELECT t_megnevezes FROM termek WHERE id_termek = 1");
    EXPECT_EQ(other.scalar(read), QStringLiteral("Búza"));
    form.cancelButton()->click();
    EXPECT_EQ(other.scalar(read), QStringLiteral("Őszi búza"));
    // A later rollback by another screen keeps it.
    db.data().startTransaction();
    db.data().rollback();
    EXPECT_EQ(db.scalar(read), QStringLiteral("Őszi búza"));
    EXPECT_EQ(editableTables(form), none);
}

TEST_F(EditorTest, RefusedEditsAreReportedAndTheRowKept)
{
    TForm22 form(db.data());
    form.show();
    QTest::keyClick(form.editButton(), 'M');
    RawTableModel* producers = form.model(2);
    auto column = [&](const char* name) {
        for (int c = 0; c < producers->columnCount(); ++c)
            if (producers->headerData(c, Qt::Horizontal).toString() == QLatin1String(name))
                return c;
        return -1;
    };
    // Too long for the column: the database's own message.
    EXPECT_FALSE(producers->setData(producers->index(0, column("O_KOD")), QStringLiteral("1234567")));
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("truncation"))) << Dialogs::lastText().toStdString();
    // Unreadable number and date: said plainly.
    Dialogs::clear();
    EXPECT_FALSE(producers->setData(producers->index(0, column("O_SZJA")), QStringLiteral("tizenöt")));
    EXPECT_FALSE(producers->setData(producers->index(0, column("O_SZIDO")), QStringLiteral("1962.02.30")));
    EXPECT_EQ(Dialogs::shownTexts(), (QStringList{QStringLiteral("Hibás érték a O_SZJA mezőben: tizenöt"),
                                                  QStringLiteral("Hibás érték a O_SZIDO mezőben: 1962.02.30")}));
    // Readable ones are stored as their kind; the key and computed columns are not editable.
    EXPECT_TRUE(producers->setData(producers->index(0, column("O_SZIDO")), QStringLiteral("1962.02.28")));
    EXPECT_TRUE(producers->setData(producers->index(0, column("O_MUVKTG")), QStringLiteral("12,5")));
    EXPECT_EQ(producers->data(producers->index(0, column("O_MUVKTG"))).toString(), QStringLiteral("12,5"));
    EXPECT_FALSE(producers->flags(producers->index(0, column("ID_OSTERMELO"))) & Qt::ItemIsEditable);
    RawTableModel* lines = form.model(1);
    QStringList fixed;
    for (int c = 0; c < lines->columnCount(); ++c) {
        if (!lines->isColumnEditable(c))
            fixed << lines->headerData(c, Qt::Horizontal).toString();
    }
    EXPECT_EQ(fixed, (QStringList{"ID_FJSOR", "S_LEVONAS", "S_NETTO", "S_FELVAR", "S_KOMPFELAR", "S_VETELAR"}));
    form.cancelButton()->click();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_kod FROM ostermelo WHERE id_ostermelo = %1")
                            .arg(db.scalar(QStringLiteral("SELECT MIN(id_ostermelo) FROM ostermelo")))),
              QStringLiteral("00001"));
}

TEST_F(EditorTest, RowsAreAddedAndDeletedThroughTheNavigator)
{
    TForm22 form(db.data());
    form.show();
    enterCode(form, QStringLiteral("kvb"));
    RawTableModel* counters = form.model(4);
    const int before = counters->rowCount();
    form.navigator(4)->insertButton()->click();
    EXPECT_EQ(counters->rowCount(), before + 1);
    EXPECT_EQ(form.grid(4)->currentIndex().row(), counters->dataset().recNo());
    Dialogs::queueAnswer(true);
    form.navigator(4)->deleteButton()->click();
    EXPECT_EQ(counters->rowCount(), before);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{QStringLiteral("Törli a sort?")});
    form.cancelButton()->click();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM sorszam")), QString::number(before));
}

TEST_F(EditorTest, Screenshots)
{
    {
        TPasswordDlg dlg;
        dlg.passwordEdit()->setText(QStringLiteral("abc"));
        grab(dlg, "password-dialog.png");
    }
    {
        TForm28 form(db.data());
        grab(form, "upgrade-pension-fund.png");
    }
    {
        TForm37 form(db.data());
        grab(form, "upgrade-felir.png");
    }
    {
        TForm42 form(db.data());
        grab(form, "upgrade-chamber-number.png");
    }
    {
        TForm36 form(db.data());
        grab(form, "producer-cleanup.png");
    }
}

} // namespace
