// "Excel  táblába" driven through its widgets: the period defaults, the two pages' gathering and
// export, the folder shown and changed, the show check box, and the messages.
#include "ExcelExport.h"
#include "ExcelTestData.h"
#include "ExchangeScreens.h"
#include "TForm20.h"
#include "WorkbookReaders.h"

#include "AppSettings.h"
#include "Clock.h"
#include "Dialogs.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "TestDatabase.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using ui::Dialogs;

namespace {

class ExcelScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        clock::setFixedDate(QDate(2016, 7, 14));
        insertExcelYear(db);
        db.chooseBuyer(QStringLiteral("00001"));
        Dialogs::clear();
        form.setFileOpener([this](const QString& path) { opened << path; });
        form.show();
    }
    void TearDown() override
    {
        clock::setFixed({});
        Dialogs::clear();
    }

    QString workingFile(const QString& name) const { return QDir(db.folder()).filePath(name); }

    TestDatabase db{DatabaseSetup::Content::Demo};
    TForm20 form{db.data()};
    QStringList opened;
};

} // namespace

TEST_F(ExcelScreenTest, OpensWithTheYearOfTodayAndThePagesCaptions)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Excel  táblába"));
    EXPECT_EQ(form.pages()->tabText(0), QStringLiteral("Zeror"));
    EXPECT_EQ(form.pages()->tabText(1), QStringLiteral("Östermelö"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("ticketTitleLabel"))->text(), QStringLiteral("Ravuraruvida reva exportálása"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("producerTitleLabel"))->text(), QStringLiteral("Östermelö exportálása"));
    EXPECT_EQ(form.fromEdit()->date(), QDate(2016, 1, 1));
    EXPECT_EQ(form.toEdit()->date(), QDate(2016, 12, 31));
    EXPECT_TRUE(form.paymentDateButton()->isChecked());
    EXPECT_EQ(form.purchaseDateButton()->text(), QStringLiteral("Felvásárlási dátum"));
    for (QCheckBox* box : {form.ticketShowBox(), form.producerShowBox()}) {
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->text(), QStringLiteral(" excel táblát megjelenít"));
    }
    EXPECT_EQ(form.ticketGatherButton()->text(), QStringLiteral("Kigyüjtés"));
    EXPECT_EQ(form.ticketExportButton()->text(), QStringLiteral("Exportálás "));
    EXPECT_EQ(form.ticketGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Megnevezés"));
    EXPECT_EQ(QDir::fromNativeSeparators(form.folderEdit()->text()), QDir::currentPath());

    // Every showing offers the year again.
    form.fromEdit()->setDate(QDate(2015, 3, 1));
    form.hide();
    clock::setFixedDate(QDate(2017, 2, 2));
    form.show();
    EXPECT_EQ(form.fromEdit()->date(), QDate(2017, 1, 1));
    EXPECT_EQ(form.toEdit()->date(), QDate(2017, 12, 31));
}

TEST_F(ExcelScreenTest, ExportBeforeGatheringSaysSoAndWritesNothing)
{
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    QTest::mouseClick(form.producerExportButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList(2, excel::kNothingGatheredMessage));
    EXPECT_FALSE(QFile::exists(workingFile(excel::kTicketWorkbook)));
    EXPECT_FALSE(QFile::exists(workingFile(excel::kProducerWorkbook)));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ExcelScreenTest, TicketLinesGatheredByTheChosenDateKindAndExported)
{
    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    EXPECT_EQ(form.ticketGrid()->model()->rowCount(), 3);
    form.purchaseDateButton()->setChecked(true);
    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    ASSERT_EQ(form.ticketGrid()->model()->rowCount(), 4);
    EXPECT_EQ(form.ticketGrid()->model()->index(0, 0).data().toString(), QStringLiteral("Őszibarack"));

    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{excel::kTicketsDoneMessage});
    const QString path = workingFile(excel::kTicketWorkbook);
    EXPECT_EQ(opened, QStringList{path});
    EXPECT_EQ(form.ticketProgress()->maximum(), 4);
    EXPECT_EQ(form.ticketProgress()->value(), 4);
    EXPECT_EQ(form.ticketQuery().recNo(), 3); // left on the last row
    for (const ReadBook& book : {readWithXlrd(path, false), readWithFreeXL(path)}) {
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.at(0).rows, 5);
        EXPECT_EQ(book.sheets[0].at(4, 6).text, QStringLiteral("Dió"));
    }

    // With the show box off the workbook is written but not opened.
    form.ticketShowBox()->setChecked(false);
    QFile::remove(path);
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(ExcelScreenTest, ProducerPageListsAndExportsEveryProducer)
{
    form.pages()->setCurrentIndex(1);
    QTest::mouseClick(form.producerGatherButton(), Qt::LeftButton);
    EXPECT_EQ(form.producerGrid()->model()->rowCount(), 2);
    EXPECT_EQ(form.producerGrid()->model()->columnCount(), 16);
    EXPECT_EQ(form.producerGrid()->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("O_SZIDO"));
    QTest::mouseClick(form.producerExportButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{excel::kProducersDoneMessage});
    const QString path = workingFile(excel::kProducerWorkbook);
    EXPECT_EQ(opened, QStringList{path});
    const ReadBook book = readWithFreeXL(path);
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    EXPECT_EQ(book.sheets.at(0).rows, 3);
    EXPECT_EQ(book.sheets[0].at(2, 0).text, QStringLiteral("ŰRHAJÓS ÁGNES"));
}

TEST_F(ExcelScreenTest, ChosenFolderIsShownRememberedAndUsed)
{
    QTemporaryDir chosen;
    Dialogs::queueFileName(chosen.path());
    QTest::mouseClick(form.folderButton(), Qt::LeftButton);
    EXPECT_EQ(QDir::fromNativeSeparators(form.folderEdit()->text()), QDir::cleanPath(chosen.path()));
    EXPECT_EQ(settings::value(QStringLiteral("excel/folder")).toString(), QDir::cleanPath(chosen.path()));

    // A cancelled choice keeps the folder.
    Dialogs::queueFileName(QString());
    QTest::mouseClick(form.folderButton(), Qt::LeftButton);
    EXPECT_EQ(QDir::fromNativeSeparators(form.folderEdit()->text()), QDir::cleanPath(chosen.path()));

    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(QDir(chosen.path()).filePath(excel::kTicketWorkbook)));
    EXPECT_FALSE(QFile::exists(workingFile(excel::kTicketWorkbook)));

    // The next showing of the screen starts from the remembered folder.
    TForm20 again(db.data());
    EXPECT_EQ(QDir::fromNativeSeparators(again.folderEdit()->text()), QDir::cleanPath(chosen.path()));
}

TEST_F(ExcelScreenTest, UnwritableFolderSaysTheFileWasNotSaved)
{
    excel::setExportFolder(QDir(db.folder()).filePath(QStringLiteral("nincs-ilyen-mappa")));
    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 2);
    EXPECT_EQ(Dialogs::shown()[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(Dialogs::shown()[0].text, excel::kSaveFailedMessage);
    EXPECT_EQ(Dialogs::shown()[1].text, excel::kTicketsDoneMessage);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ExcelScreenTest, EmptyPeriodExportsTheTitleRowOnly)
{
    form.fromEdit()->setDate(QDate(2030, 1, 1));
    form.toEdit()->setDate(QDate(2030, 12, 31));
    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    EXPECT_EQ(form.ticketGrid()->model()->rowCount(), 0);
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{excel::kTicketsDoneMessage});
    const ReadBook book = readWithXlrd(workingFile(excel::kTicketWorkbook), false);
    ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
    EXPECT_EQ(book.sheets.at(0).rows, 1);
}

TEST_F(ExcelScreenTest, ScreenPicture)
{
    form.purchaseDateButton()->setChecked(true);
    QTest::mouseClick(form.ticketGatherButton(), Qt::LeftButton);
    QTest::mouseClick(form.ticketExportButton(), Qt::LeftButton);
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/excel-export.png")));
    form.pages()->setCurrentIndex(1);
    QTest::mouseClick(form.producerGatherButton(), Qt::LeftButton);
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/excel-export-producers.png")));
}

TEST(ExcelScreenMenu, MenuItemOpensTheScreen)
{
    registerExchangeScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adatokexceltblba1")));
}
