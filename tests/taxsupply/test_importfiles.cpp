// The 1608M import files: the writer over plain values, and the month's collection from a fixture
// database compared byte for byte with the reference files under tests/data/taxsupply/.
#include "TaxSupplyFixture.h"

#include "ImportFile.h"
#include "MonthCollection.h"
#include "TData.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::taxsupply;
using namespace zeror::test;

namespace {

ImportPeriod period(int y1, int m1, int d1, int y2, int m2, int d2)
{
    return {QDate(y1, m1, d1), QDate(y2, m2, d2)};
}

TEST(ImportWriter, AmountsRoundHalfAwayFromZeroWithASignOnlyWhenNegative)
{
    const struct
    {
        double amount;
        const char* text;
    } cases[] = {
        {1500.5, "1501"}, {1500.4999, "1500"}, {2.5, "3"},    {-2.5, "-3"},  {-1500.5, "-1501"},
        {-0.4, "0"},      {-0.0, "0"},         {0, "0"},      {0.5, "1"},    {-0.5, "-1"},
        {99999999999.0, "99999999999"},        {1234.6, "1235"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importAmount(c.amount), QString::fromLatin1(c.text)) << c.amount;
}

TEST(ImportWriter, NamesOfFilesAndFolderComeFromTheDateTexts)
{
    const ImportPeriod p = period(2016, 1, 5, 2016, 1, 20);
    EXPECT_EQ(monthFolderWindows(p), QStringLiteral("C:\\RU2016\\01\\"));
    EXPECT_EQ(importFileName(p, QStringLiteral("8123456789")), QStringLiteral("1608M201601_8123456789.imp"));
    EXPECT_EQ(listFileName(p), QStringLiteral("1608M_20160105_0120.txt"));
    EXPECT_EQ(listFileName(period(2016, 1, 1, 2016, 1, 31)), QStringLiteral("1608M_20160101_0131.txt"));
    EXPECT_EQ(monthFolderWindows(period(2016, 12, 1, 2016, 12, 31)), QStringLiteral("C:\\RU2016\\12\\"));
    EXPECT_EQ(yyyymmdd(QDate()), QString());
}

TEST(ImportWriter, TwentySevenLinesInWindows1250EachEndedByCrLf)
{
    ImportBuyer buyer{QStringLiteral("12345676213"), QStringLiteral("8000000000"), u("Őszi Kft.")};
    ImportProducer producer;
    producer.kod = QStringLiteral("00007");
    producer.nev = QStringLiteral("Anna");         // one word: head is one blank
    producer.szulnev = QStringLiteral("Kiss Anna "); // ends in a blank: empty tail
    producer.anyja = QString();
    producer.adoazon = QStringLiteral("8123456789");
    const QStringList lines = importLines(buyer, producer, period(2016, 2, 1, 2016, 2, 29), -12.5);
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines[15], QStringLiteral("14807= "));
    EXPECT_EQ(lines[16], QStringLiteral("14808=Anna"));
    EXPECT_EQ(lines[17], QStringLiteral("17052=Kiss Anna "));
    EXPECT_EQ(lines[18], QStringLiteral("17053="));
    EXPECT_EQ(lines[19], QStringLiteral("17054= "));
    EXPECT_EQ(lines[20], QStringLiteral("17055="));
    EXPECT_EQ(lines[22], QStringLiteral("13855="));
    EXPECT_EQ(lines[25], QStringLiteral("23790=-13"));

    const QByteArray bytes = fileBytes(lines);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("23791=1\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 27);
    EXPECT_EQ(bytes.count('\n'), 27);
    EXPECT_TRUE(bytes.contains("$sorok_sz\xE1ma=26\r\n"));
    EXPECT_TRUE(bytes.contains("13843=\xD5szi Kft.\r\n"));
}

TEST(ImportWriter, TheListLeavesOutANameEqualToTheLineBefore)
{
    EXPECT_EQ(listLines({QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")}),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(fileBytes({}), QByteArray());
}

TEST(MonthCheck, OnlyTheMonthNumbersAreCompared)
{
    EXPECT_FALSE(checkMonth(period(2016, 1, 1, 2016, 1, 31), MonthCheckTrigger::LeavingSecondDate));
    EXPECT_FALSE(checkMonth(period(2016, 1, 1, 2017, 1, 31), MonthCheckTrigger::OkButton));
    EXPECT_FALSE(checkMonth(period(2016, 1, 31, 2016, 1, 1), MonthCheckTrigger::OkButton));
    const auto leaving = checkMonth(period(2016, 1, 1, 2016, 12, 31), MonthCheckTrigger::LeavingSecondDate);
    ASSERT_TRUE(leaving);
    EXPECT_EQ(leaving->message, QStringLiteral("Hiba111! Csak egy hónap intervallum lehet."));
    EXPECT_EQ(leaving->field, PeriodField::To);
    const auto ok = checkMonth(period(2016, 1, 1, 2016, 2, 1), MonthCheckTrigger::OkButton);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->message, QStringLiteral("Hiba112! Csak egy hónap intervallum lehet."));
}

class MonthFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        paths::setWindowsRoot(db.folder());
        fillDeclarationFixture(db);
    }
    void TearDown() override { paths::setWindowsRoot(QString()); }

    QString folder() const { return QDir(db.folder()).filePath(QStringLiteral("ru2016/01")); }

    // The month folder holds exactly the reference files, byte for byte (the list file's
    // "@FOLDER@" stands for the real month folder).
    void expectReference(const char* name)
    {
        const QDir ref(referenceFolder(name));
        const QStringList expected = ref.entryList(QDir::Files, QDir::Name);
        ASSERT_FALSE(expected.isEmpty()) << name;
        EXPECT_EQ(QDir(folder()).entryList(QDir::Files, QDir::Name), expected);
        const QByteArray prefix = QDir::toNativeSeparators(folder() + QLatin1Char('/')).toUtf8();
        for (const QString& file : expected) {
            QByteArray want = readBytes(ref.filePath(file));
            want.replace("@FOLDER@", prefix);
            EXPECT_EQ(readBytes(QDir(folder()).filePath(file)), want) << name << "/" << file.toStdString();
        }
    }

    TestDatabase db{DatabaseSetup::Content::Minimal};
};

TEST_F(MonthFiles, AWholeMonthMatchesTheReferenceAndDeletesAStrangerFile)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    QFile stranger(QDir(folder()).filePath(QStringLiteral("regi.txt")));
    ASSERT_TRUE(stranger.open(QIODevice::WriteOnly));
    stranger.write("x");
    stranger.close();
    ASSERT_TRUE(stranger.setPermissions(QFileDevice::ReadOwner));

    const CollectOutcome out = collectMonth(db.data(), QStringLiteral("00001"), period(2016, 1, 1, 2016, 1, 31));
    expectReference("month");
    EXPECT_FALSE(out.folderCreated);
    EXPECT_EQ(out.deletedFiles, 1);
    EXPECT_EQ(out.grandTotal, QStringLiteral("16501"));
    EXPECT_EQ(out.withoutBirthDate, QStringList{u("00012 Szabó Éva")});
    EXPECT_EQ(out.importFiles.size(), 3);
    EXPECT_EQ(out.listFile, QDir::toNativeSeparators(QDir(folder()).filePath(QStringLiteral("1608M_20160101_0131.txt"))));
    // The grid's rows: one per producer paid, by code.
    Query& grid = db.data().ZQ20;
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.text(QStringLiteral("f_ostermkod")), QStringLiteral("00011"));
    EXPECT_DOUBLE_EQ(grid.number(QStringLiteral("kifizetett")), 1500.5);
    EXPECT_TRUE(collectNotes(out).contains(u("00012 Szabó Éva")));

    // A second run writes the same files again over the first run's.
    collectMonth(db.data(), QStringLiteral("00001"), period(2016, 1, 1, 2016, 1, 31));
    expectReference("month");
}

TEST_F(MonthFiles, FromTheFifthToTheTwentiethAMissingFolderIsCreated)
{
    const CollectOutcome out = collectMonth(db.data(), QStringLiteral("00001"), period(2016, 1, 5, 2016, 1, 20));
    EXPECT_TRUE(out.folderCreated);
    EXPECT_TRUE(collectNotes(out).contains(QDir::toNativeSeparators(out.folder)));
    EXPECT_EQ(out.grandTotal, QStringLiteral("1501"));
    expectReference("days05-20");
}

TEST_F(MonthFiles, AThirteenMonthPeriodIsNamedByItsFirstMonth)
{
    const CollectOutcome out = collectMonth(db.data(), QStringLiteral("00001"), period(2016, 1, 1, 2017, 1, 31));
    EXPECT_EQ(out.grandTotal, QStringLiteral("23600"));
    expectReference("thirteen");
}

TEST_F(MonthFiles, AMonthWithoutPaymentsWritesAnEmptyList)
{
    ImportPeriod march = period(2016, 3, 1, 2016, 3, 31);
    const CollectOutcome out = collectMonth(db.data(), QStringLiteral("00001"), march);
    EXPECT_EQ(out.grandTotal, QStringLiteral("0"));
    EXPECT_TRUE(out.importFiles.isEmpty());
    EXPECT_EQ(readBytes(out.listFile), QByteArray());
    EXPECT_EQ(QDir(out.folder).entryList(QDir::Files), QStringList{QStringLiteral("1608M_20160301_0331.txt")});
}

TEST(MonthFilesRefused, FilesThatWouldShareANameAreRefusedBeforeTheFolderIsTouched)
{
    const struct
    {
        const char* sql;
        const char* expected[2];
    } cases[] = {
        {"UPDATE ostermelo SET o_adoazon = '8123456789' WHERE o_kod = '00013'",
         {"Azonos az adóazonosító jele (8123456789): 00011 Kovács János Péter és 00013 Őri Ödön", nullptr}},
        {"UPDATE ostermelo SET o_adoazon = NULL WHERE o_kod IN ('00012', '00013')",
         {"Nincs adóazonosító jele: 00012 Szabó Éva", "Nincs adóazonosító jele: 00013 Őri Ödön"}},
        {"DELETE FROM ostermelo WHERE o_kod = '00012'",
         {"Nincs ilyen kódú őstermelő a nyilvántartásban: 00012", nullptr}},
    };
    for (const auto& c : cases) {
        TestDatabase fresh{DatabaseSetup::Content::Minimal};
        paths::setWindowsRoot(fresh.folder());
        fillDeclarationFixture(fresh);
        fresh.exec(u(c.sql));
        const QString month = QDir(fresh.folder()).filePath(QStringLiteral("ru2016/01"));
        ASSERT_TRUE(QDir().mkpath(month));
        QFile keep(QDir(month).filePath(QStringLiteral("1608M201601_8123456789.imp")));
        ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
        keep.write("earlier run");
        keep.close();
        try {
            collectMonth(fresh.data(), QStringLiteral("00001"), period(2016, 1, 1, 2016, 1, 31));
            ADD_FAILURE() << c.sql;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Javitandó! "))) << e.message().toStdString();
            for (const char* part : c.expected) {
                if (part) {
                    EXPECT_TRUE(e.message().contains(u(part))) << e.message().toStdString();
                }
            }
        }
        EXPECT_EQ(QDir(month).entryList(QDir::Files), QStringList{QStringLiteral("1608M201601_8123456789.imp")});
        EXPECT_EQ(readBytes(keep.fileName()), QByteArray("earlier run"));
        paths::setWindowsRoot(QString());
    }
}

TEST_F(MonthFiles, AFolderThatCannotBeMadeStopsWithAMessage)
{
    // A file where the year folder should be.
    QFile blocker(QDir(db.folder()).filePath(QStringLiteral("ru2016")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        collectMonth(db.data(), QStringLiteral("00001"), period(2016, 1, 1, 2016, 1, 31));
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith(u("Nem hozható létre a könyvtár: "))) << e.message().toStdString();
    }
}

TEST_F(MonthFiles, TheSummaryStatementListsEveryPaidProducerWithItsName)
{
    prepareSummary(db.data(), QStringLiteral("00001"), period(2016, 1, 1, 2016, 1, 31));
    Query& q = db.data().ZQ20;
    ASSERT_EQ(q.rowCount(), 3);
    q.first();
    EXPECT_EQ(q.text(QStringLiteral("o_nev")), u("Kovács János Péter"));
    EXPECT_DOUBLE_EQ(q.number(QStringLiteral("m_vetelar")), 1500.5);
    EXPECT_EQ(q.text(QStringLiteral("o_Adoazon")), QStringLiteral("8123456789"));
}

} // namespace
