// The text export screens, the old-version import screen and the CSV import screen, driven
// through their real widgets; each saves a picture of itself.
#include "Dialogs.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "TForm15.h"
#include "TForm25.h"
#include "TForm29.h"
#include "TForm34.h"
#include "TestDatabase.h"
#include "TextExchangeScreens.h"
#include "WinPaths.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

const QString kDataDir = QStringLiteral(ZEROR_EXCHANGE_DATA);

void saveShot(QWidget& w, const char* name)
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name)));
}

class TextExchangeScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        paths::setWindowsRoot(root());
        QDir().mkpath(root());
        db.chooseBuyer(QStringLiteral("00001"));
    }
    void TearDown() override { paths::setWindowsRoot(QString()); }
    QString root(const QString& rest = QString()) const { return db.folder() + QStringLiteral("/root/") + rest; }

    test::TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(TextExchangeScreens, MenuItemsOpenTheirScreens)
{
    registerTextExchangeScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adatexport1")));
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Rgiblexport1")));
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Importexcelblcsv1")));
}

TEST_F(TextExchangeScreens, ExportWritesTheTickedFilesAndCloses)
{
    TForm29 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Adat export"));
    QStringList captions;
    for (QCheckBox* box : form.tableBoxes()) {
        captions.append(box->text());
        EXPECT_TRUE(box->isChecked());
    }
    EXPECT_EQ(captions, (QStringList{"Átvevö", "Östermelö", "Sorszám", "Termék", "FjFej", "FjSor"}));
    EXPECT_EQ(form.folderEdit()->text(), QStringLiteral("c:\\"));
    EXPECT_EQ(form.closeButton()->text(), QStringLiteral("Bezárás"));
    EXPECT_EQ(form.folderShownLabel()->text(), QDir::toNativeSeparators(root()));
    saveShot(form, "text-export.png");

    // A folder that does not exist: the error, and the screen stays open.
    form.folderEdit()->setText(QStringLiteral("c:\\nincs\\"));
    form.exportButton()->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown()[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(form.isVisible());

    Dialogs::clear();
    QDir().mkpath(root(QStringLiteral("ki")));
    form.folderEdit()->setText(QStringLiteral("c:\\ki"));
    form.tableBoxes()[5]->setChecked(false);
    form.exportButton()->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{QStringLiteral("Exportálás vége. ")});
    EXPECT_EQ(Dialogs::shown()[0].kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("ki/FjFej.txt"))));
    EXPECT_FALSE(QFile::exists(root(QStringLiteral("ki/FjSor.txt"))));
}

TEST_F(TextExchangeScreens, SecondExportScreenWritesTheSameFiles)
{
    TForm15 form(db.data());
    EXPECT_EQ(form.closeButton()->text(), QStringLiteral("Mégsem"));
    form.folderEdit()->setText(QStringLiteral("c:\\"));
    form.exportButton()->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{QStringLiteral("Mentés vége. ")});
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("atvevo.txt"))));
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("FjSor.txt"))));
}

TEST_F(TextExchangeScreens, OldImportRunsTheSectionsWithTheirMessages)
{
    QDir().mkpath(root(QStringLiteral("fj11")));
    for (const char* name : {"exposterm.txt", "exptermek.txt", "expatvevo.txt"})
        ASSERT_TRUE(QFile::copy(kDataDir + QLatin1Char('/') + QString::fromLatin1(name),
                                root(QStringLiteral("fj11/")) + QString::fromLatin1(name)));
    TForm25 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Régiből import"));
    EXPECT_EQ(form.folderEdit()->text(), QStringLiteral("c:\\fj11\\"));
    EXPECT_TRUE(form.producerBox()->isChecked() && form.productBox()->isChecked() && form.buyerBox()->isChecked());
    saveShot(form, "old-import-empty.png");

    // The buyer file is missing at first: the import stops there, the screen stays open.
    QFile::rename(root(QStringLiteral("fj11/expatvevo.txt")), root(QStringLiteral("fj11/expatvevo.bak")));
    form.producerBox()->setChecked(false);
    form.productBox()->setChecked(false);
    form.importButton()->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown()[0].kind, Dialogs::Kind::Error);
    EXPECT_NE(form.result(), QDialog::Accepted);

    Dialogs::clear();
    QFile::rename(root(QStringLiteral("fj11/expatvevo.bak")), root(QStringLiteral("fj11/expatvevo.txt")));
    form.producerBox()->setChecked(true);
    form.productBox()->setChecked(true);
    form.importButton()->click();
    const QStringList texts = Dialogs::shownTexts();
    ASSERT_EQ(texts.size(), 9) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Hiba251: Újban, INSERT az östermelöben ")));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Hiba251: Újban, INSERT az östermelöben ")));
    EXPECT_EQ(texts[2], QStringLiteral("A régi östermelö adatok átemelve"));
    EXPECT_EQ(texts[3], QStringLiteral("Beolvasott sorok: 6, letárolva: 4, elutasítva: 2 (sor: 4., 5.)."));
    EXPECT_TRUE(texts[4].startsWith(QStringLiteral("Hiba253: Újban, INSERT a termékben ")));
    EXPECT_EQ(texts[5], QStringLiteral("A régi termék adatok átemelve"));
    EXPECT_EQ(texts[7], QStringLiteral("A régi átvevö adatok átemelve"));
    EXPECT_EQ(texts[8], QStringLiteral("Beolvasott sorok: 3, letárolva: 3, elutasítva: 0."));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(form.textArea()->toPlainText().startsWith(QStringLiteral("Első Felvásárló Kft.")));
    EXPECT_EQ(form.progressBar()->value(), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM atvevo")), QStringLiteral("3"));
    saveShot(form, "old-import.png");
}

TEST_F(TextExchangeScreens, CsvImportOpensProcessesAndShowsTheRegister)
{
    TForm34 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Import excel (csv) -böl"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Excelből készített \"csv\" -s file -t kell megadni"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
              QStringLiteral("Excelben a szül.dat -ot \"dátum\" mezőre á a többi \"szöveg\" mező"));

    // An empty list imports nothing, but the message and the register still come.
    form.processButton()->click();
    EXPECT_EQ(Dialogs::shownTexts().value(0), QStringLiteral("A lista feldolgozva"));

    Dialogs::clear();
    Dialogs::queueFileName(kDataDir + QStringLiteral("/producers.csv"));
    form.openButton()->click();
    ASSERT_EQ(form.lineList()->count(), 2);
    EXPECT_TRUE(form.lineList()->item(0)->text().startsWith(QStringLiteral(";;Szabó Éva;")));
    EXPECT_EQ(form.lineList()->item(0)->checkState(), Qt::Unchecked);
    // A file that cannot be read keeps the list.
    Dialogs::queueFileName(kDataDir + QStringLiteral("/nincs.csv"));
    form.openButton()->click();
    EXPECT_EQ(Dialogs::shown().value(0).kind, Dialogs::Kind::Error);
    EXPECT_EQ(form.lineList()->count(), 2);

    Dialogs::clear();
    form.processButton()->click();
    EXPECT_EQ(Dialogs::shownTexts(),
              (QStringList{QStringLiteral("A lista feldolgozva"),
                           QStringLiteral("Beolvasott sorok: 2, letárolva: 2, elutasítva: 0.")}));
    EXPECT_EQ(form.progressLabel()->text(), QStringLiteral("1 / 2"));
    Query* q = form.grid()->query();
    EXPECT_EQ(q->recNo(), q->rowCount() - 1);
    EXPECT_EQ(q->text(QStringLiteral("O_NEV")), QStringLiteral("Tóth Pál"));
    EXPECT_EQ(form.grid()->currentIndex().row(), q->rowCount() - 1);
    saveShot(form, "csv-import.png");
}

} // namespace
