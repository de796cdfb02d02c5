// The 1608M export screen and the merge screen driven through their real widgets, the printed
// summary prepared from the fixture, and pictures of both screens and the printout.
#include "TaxSupplyFixture.h"

#include "Clock.h"
#include "Dialogs.h"
#include "QueryGrid.h"
#include "ReportModule.h"
#include "ScreenRegistry.h"
#include "TForm11.h"
#include "TForm24.h"
#include "TaxSupplyScreens.h"
#include "reportengine/render.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace zeror;
using namespace zeror::test;
using ui::Dialogs;

namespace {

void saveShot(QWidget& w, const char* name)
{
    QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
    const QString path = QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + QString::fromLatin1(name);
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
}

QStringList labelTexts(QWidget& w)
{
    QStringList texts;
    for (QLabel* l : w.findChildren<QLabel*>())
        texts.append(l->text());
    return texts;
}

class ExportScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        clock::setFixedDate(QDate(2016, 2, 10));
        paths::setWindowsRoot(db.folder());
        fillDeclarationFixture(db);
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        clock::setFixed(QDateTime());
        paths::setWindowsRoot(QString());
        Dialogs::clear();
    }
    TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(ExportScreen, OpensOnTheWholeYearWithCollectingAndPrintingDisabled)
{
    TForm11 f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("NAV 1608M adat importnak a létrehozása"));
    EXPECT_EQ(f.fromEdit()->date(), QDate(2016, 1, 1));
    EXPECT_EQ(f.toEdit()->date(), QDate(2016, 12, 31));
    EXPECT_EQ(f.fromEdit()->text(), QStringLiteral("2016.01.01"));
    EXPECT_FALSE(f.collectButton()->isEnabled());
    EXPECT_FALSE(f.printButton()->isEnabled());
    const QStringList texts = labelTexts(f);
    for (const char* text : {"-tól", "-ig", "Ide kerülnek az adatok:", "Egyedi  importhoz a  név:",
                             "Csoportos importhoz a név:  ",
                             "Csak dátumot figyel. (Ha nem volt nyomtatva akkor is bevallásba kerül)",
                             "Bevallási adatok helye : C:\\RU2016\\ és a hónap száma és a \"\\\" jel",
                             "pl:   C:\\RU2016\\01\\", "( Könytárnak létezni kell )", "Kigyüjtés ismételhetö."})
        EXPECT_TRUE(texts.contains(u(text))) << text;
    for (const char* name : {"Kigyüjtés", "Nyomtatás", "OK", "Mégsem"}) {
        bool found = false;
        for (QPushButton* b : f.findChildren<QPushButton*>())
            found = found || b->text() == u(name);
        EXPECT_TRUE(found) << name;
    }
    EXPECT_EQ(db.data().ZQ20.sql().simplified(), QStringLiteral("SELECT * FROM fjsor WHERE s_bszam = :p1"));
}

TEST_F(ExportScreen, TheMonthCheckRunsOnLeavingTheSecondDateAndOnOk)
{
    TForm11 f;
    showActive(f);
    f.fromEdit()->setFocus();
    // Enter moves on to the second date; Enter again leaves it: the months differ.
    QTest::keyClick(f.fromEdit(), Qt::Key_Return);
    QTRY_VERIFY(f.toEdit()->hasFocus());
    QTest::keyClick(f.toEdit(), Qt::Key_Return);
    QTRY_COMPARE(Dialogs::lastText(), QStringLiteral("Hiba111! Csak egy hónap intervallum lehet."));
    EXPECT_FALSE(f.collectButton()->isEnabled());
    Dialogs::clear();
    f.okButton()->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{QStringLiteral("Hiba112! Csak egy hónap intervallum lehet.")});

    Dialogs::clear();
    f.toEdit()->setDate(QDate(2016, 1, 31));
    f.okButton()->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    EXPECT_TRUE(f.collectButton()->isEnabled());
    EXPECT_EQ(f.folderEdit()->text(), QDir::toNativeSeparators(QDir(db.folder()).filePath(QStringLiteral("ru2016/01/"))));
    // Shift+Enter goes back to the first date; changing it disables collecting again.
    f.toEdit()->setFocus();
    QTest::keyClick(f.toEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QTRY_VERIFY(f.fromEdit()->hasFocus());
    f.fromEdit()->setDate(QDate(2016, 1, 5));
    EXPECT_FALSE(f.collectButton()->isEnabled());
    EXPECT_FALSE(f.printButton()->isEnabled());
}

TEST_F(ExportScreen, CollectingWritesTheFilesAndThePrintoutListsEachProducerAndTheTotal)
{
    TForm11 f;
    f.show();
    f.toEdit()->setDate(QDate(2016, 1, 31));
    f.OKClick();
    f.collectButton()->click();
    // The folder was missing and one producer has no birth date: both are said.
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_TRUE(Dialogs::lastText().contains(u("A könyvtár nem létezett, létrehozva: "))) << Dialogs::lastText().toStdString();
    EXPECT_TRUE(Dialogs::lastText().contains(u("00012 Szabó Éva")));
    const QString month = QDir(db.folder()).filePath(QStringLiteral("ru2016/01"));
    EXPECT_EQ(QDir(month).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(f.printButton()->isEnabled());
    EXPECT_EQ(f.grandTotal(), QStringLiteral("16501"));
    EXPECT_EQ(f.findChild<QLabel*>(QStringLiteral("totalLabel"))->text(), QStringLiteral("Összesen: 16501"));
    auto* grid = f.findChild<ui::QueryGrid*>(QStringLiteral("grid"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    saveShot(f, "taxsupply-tform11.png");

    QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/FjLista3.frf"), QDir(db.folder()).filePath(QStringLiteral("FjLista3.frf")));
    std::optional<report::PreparedReport> pages;
    ReportModule::setPreviewHook([&](const report::PreparedReport& p, bool) { pages = p; });
    f.printButton()->click();
    ASSERT_TRUE(pages.has_value()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(pages->orientation, QPageLayout::Portrait);
    const QStringList texts = pages->texts();
    for (const char* item : {"Kovács János Péter", "Szabó Éva", "Őri Ödön", "8123456789", "8234567891", "8345678912",
                             "1 501", "15 000", "Összesen: 16501 Ft", "Őstermelők száma: 3",
                             "Fizetési dátum szerint: 2016.01.01 – 2016.01.31", "Zöldség-Gyümölcs Felvásárló Bt."})
        EXPECT_TRUE(texts.contains(u(item))) << item;
    EXPECT_FALSE(texts.join(QLatin1Char('|')).contains(QStringLiteral("88888")));
    QString error;
    const QString pdf = QStringLiteral(ZEROR_SCREENSHOTS_DIR "/taxsupply-fjlista3.pdf");
    EXPECT_TRUE(report::writePdf(*pages, pdf, &error)) << error.toStdString();
    // After printing, the grid shows the collected rows again.
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_TRUE(db.data().ZQ20.hasField(QStringLiteral("kifizetett")));
}

TEST_F(ExportScreen, ARefusedRunLeavesPrintingDisabledAndSaysWhy)
{
    db.exec(QStringLiteral("UPDATE ostermelo SET o_adoazon = '8123456789'"));
    TForm11 f;
    f.toEdit()->setDate(QDate(2016, 1, 31));
    f.OKClick();
    f.KigyujtesClick();
    EXPECT_TRUE(Dialogs::lastText().startsWith(u("Javitandó! "))) << Dialogs::lastText().toStdString();
    EXPECT_FALSE(f.printButton()->isEnabled());
}

TEST(ScreenRegistry, TheDeclarationMenuItemsOpenTheirScreens)
{
    registerTaxSupplyScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("N0808Mhozexport1")));
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Importsszevons1")));
}

class MergeScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        paths::setWindowsRoot(root.path());
        QDir().mkpath(a());
        QDir().mkpath(b());
    }
    void TearDown() override
    {
        paths::setWindowsRoot(QString());
        Dialogs::clear();
    }
    QString a() const { return root.filePath(QStringLiteral("ru2016/01")); }
    QString b() const { return root.filePath(QStringLiteral("e/ru2016/01")); }
    void put(const QString& folder, const char* name, const char* amount)
    {
        QFile f(QDir(folder).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("$ny_azon=1608M\r\n23790=") + amount + "\r\n23791=1\r\n");
    }
    QTemporaryDir root;
};

TEST_F(MergeScreen, ChoosingFoldersListsTheFilesAndMergingShowsTheTotals)
{
    put(a(), "1608M201601_8123456789.imp", "1000");
    put(a(), "1608M201601_8234567891.imp", "40");
    put(b(), "1608M201601_8123456789.imp", "250");
    put(b(), "1608M201601_8345678912.imp", "7");
    TForm24 f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Két import összevonása"));
    // The defaults "c:\ru2016\" and "c:\", as real folders.
    EXPECT_EQ(f.sideA().folderEdit->text(), QDir::toNativeSeparators(QDir::cleanPath(root.filePath(QStringLiteral("ru2016")))));
    EXPECT_EQ(f.sideB().folderEdit->text(), QDir::toNativeSeparators(QDir::cleanPath(root.path())));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());

    f.setFolderA(a());
    // The folder list goes down into a subfolder as a double click does.
    f.setFolderB(root.filePath(QStringLiteral("e/ru2016")));
    auto items = f.sideB().folderList->findItems(QStringLiteral("01"), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    emit f.sideB().folderList->itemActivated(items.first());
    EXPECT_EQ(f.sideB().folderEdit->text(), QDir::toNativeSeparators(b()));
    EXPECT_EQ(f.sideA().fileList->count(), 2);
    EXPECT_EQ(f.sideB().fileList->count(), 2);
    ASSERT_EQ(f.commonList()->count(), 1);
    EXPECT_EQ(f.commonList()->item(0)->text(), QStringLiteral("1608M201601_8123456789.imp"));
    EXPECT_EQ(f.commonList()->item(0)->checkState(), Qt::Checked);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    f.show();
    saveShot(f, "taxsupply-tform24-before.png");

    f.mergeButton()->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    const QString totals = f.totalsText()->toPlainText();
    for (const char* line : {"Összevonás előtt a 455. sor (növény): 1040", "Összevonás előtt a 455. sor (növény): 257",
                             "Összevonás után a 455. sor (növény): 1290", "Összevonás után a 455. sor (növény): 7",
                             "Mindösszesen : 1297"})
        EXPECT_TRUE(totals.contains(u(line))) << line;
    EXPECT_FALSE(f.mergeButton()->isEnabled());
    EXPECT_EQ(f.sideB().fileList->count(), 1);
    saveShot(f, "taxsupply-tform24.png");

    // Choosing a folder that holds ".old" files warns.
    f.setFolderB(b());
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{u(" Csak bevallás újbóli export ismétlés után!  ")});
}

TEST_F(MergeScreen, TheSameFolderIsWarnedOfAndTheMergeRefused)
{
    put(a(), "1608M201601_8123456789.imp", "1000");
    TForm24 f;
    f.setFolderA(a());
    f.setFolderB(a());
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{u("Nem lehet azonos a könyvtár ")});
    Dialogs::clear();
    f.OsszevonasClick();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{u("Nem lehet azonos a könyvtár ")});
    EXPECT_TRUE(f.mergeButton()->isEnabled());
}

} // namespace
