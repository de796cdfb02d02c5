// The merge of two computers' import files, on real temporary folders.
#include "Error.h"
#include "ImportFile.h"
#include "ImportMerge.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::taxsupply;

namespace {

// An import file as the month collection writes it, with the amount line given.
QByteArray importFile(const QString& taxId, const QString& amountLine)
{
    ImportProducer p;
    p.kod = QStringLiteral("00001");
    p.nev = QStringLiteral("Kiss Anna");
    p.adoazon = taxId;
    QStringList lines = importLines({}, p, {QDate(2016, 1, 1), QDate(2016, 1, 31)}, 0);
    lines[25] = amountLine;
    return fileBytes(lines);
}

class Merge : public ::testing::Test
{
protected:
    void put(const QString& folder, const QString& name, const QByteArray& bytes)
    {
        QFile f(QDir(folder).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const QString& folder, const QString& name)
    {
        QFile f(QDir(folder).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList files(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir aDir, bDir;
    QString a = aDir.path(), b = bDir.path();
    const QString both = QStringLiteral("1608M201601_8123456789.imp");
    const QString onlyA = QStringLiteral("1608M201601_8234567891.imp");
    const QString onlyB = QStringLiteral("1608M201601_8345678912.imp");
};

TEST_F(Merge, AProducerOnBothComputersIsDeclaredOnceWithTheSum)
{
    put(a, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
    put(a, onlyA, importFile(QStringLiteral("8234567891"), QStringLiteral("23790=40")));
    put(b, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=250")));
    put(b, onlyB, importFile(QStringLiteral("8345678912"), QStringLiteral("23790=7")));
    const QByteArray originalA = get(a, both);
    const QByteArray onlyAOriginal = get(a, onlyA);

    EXPECT_TRUE(folderWarnings(a, b, b).isEmpty());
    const MergeOutcome out = mergeFolders(a, b);
    EXPECT_EQ(out.merged, QStringList{both});
    EXPECT_TRUE(out.renameFailures.isEmpty()) << out.renameFailures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(out.beforeA.plant, 1040);
    EXPECT_EQ(out.beforeB.plant, 257);
    EXPECT_EQ(out.afterA.plant, 1290);
    EXPECT_EQ(out.afterB.plant, 7);
    EXPECT_EQ(out.beforeA.animal + out.beforeB.animal, 0);

    EXPECT_EQ(files(a), (QStringList{QStringLiteral("1608M201601_8123456789.imp"),
                                     QStringLiteral("1608M201601_8123456789.old"), onlyA}));
    EXPECT_EQ(files(b), (QStringList{QStringLiteral("1608M201601_8123456789.old"), onlyB}));
    QByteArray expected = originalA;
    expected.replace("23790=1000\r\n", "23790=1250\r\n");
    EXPECT_EQ(get(a, both), expected);
    EXPECT_EQ(get(a, QStringLiteral("1608M201601_8123456789.old")), originalA);
    EXPECT_EQ(get(a, onlyA), onlyAOriginal);

    const QStringList before = totalsTexts(out.beforeA, out.beforeB, false);
    EXPECT_EQ(before, (QStringList{QStringLiteral("Összevonás előtt a 455. sor (állat): 0"),
                                   QStringLiteral("Összevonás előtt a 455. sor (növény): 1040"),
                                   QStringLiteral("Összevonás előtt a 455. sor (állat): 0"),
                                   QStringLiteral("Összevonás előtt a 455. sor (növény): 257"),
                                   QStringLiteral("Mindösszesen : 1297")}));
    EXPECT_EQ(totalsTexts(out.afterA, out.afterB, true).last(), QStringLiteral("Mindösszesen : 1297"));
    EXPECT_EQ(totalsTexts(out.afterA, out.afterB, true).first(), QStringLiteral("Összevonás után a 455. sor (állat): 0"));

    // Now both folders hold ".old" files: a second merge is warned of and refused.
    EXPECT_EQ(folderWarnings(a, b, a), QStringList{QStringLiteral(" Csak bevallás újbóli export ismétlés után!  ")});
    EXPECT_THROW(mergeFolders(a, b), Error);
}

TEST_F(Merge, AnimalValuesAndBlanksAreAddedIntoTheAmountLine)
{
    QByteArray withAnimal = importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1 000"));
    withAnimal += "12456=30\r\n";
    put(a, both, withAnimal);
    put(b, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=")));
    const MergeOutcome out = mergeFolders(a, b);
    EXPECT_EQ(out.beforeA.animal, 30);
    EXPECT_EQ(out.beforeA.plant, 1000);
    EXPECT_TRUE(get(a, both).contains("\r\n23790=1030\r\n"));
    EXPECT_TRUE(get(a, both).endsWith("12456=30\r\n"));
}

TEST_F(Merge, FilesOfDifferentMonthsAreNeverPaired)
{
    put(a, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
    put(b, QStringLiteral("1608M201602_8123456789.imp"),
        importFile(QStringLiteral("8123456789"), QStringLiteral("23790=250")));
    EXPECT_EQ(producerKey(both), QStringLiteral("_8123456789.imp"));
    const MergeOutcome out = mergeFolders(a, b);
    EXPECT_TRUE(out.merged.isEmpty());
    EXPECT_EQ(files(a), QStringList{both});
    EXPECT_EQ(files(b), QStringList{QStringLiteral("1608M201602_8123456789.imp")});
}

TEST_F(Merge, AValueThatIsNotAWholeNumberStopsBeforeAnythingIsRenamed)
{
    put(a, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
    put(b, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=250,5")));
    try {
        mergeFolders(a, b);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(QDir(b).filePath(both)))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral(" 26. sorában: 23790=250,5"))) << e.message().toStdString();
    }
    EXPECT_EQ(files(a), QStringList{both});
    EXPECT_EQ(files(b), QStringList{both});
}

TEST_F(Merge, TheSameFolderIsWarnedOfAndNeverMerged)
{
    put(a, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
    EXPECT_EQ(folderWarnings(a, a + QStringLiteral("/."), a), QStringList{QStringLiteral("Nem lehet azonos a könyvtár ")});
    EXPECT_THROW(mergeFolders(a, a), Error);
    EXPECT_EQ(get(a, both), importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
}

TEST_F(Merge, EmptyFoldersGiveZeroTotalsAndRenameNothing)
{
    const MergeOutcome out = mergeFolders(a, b);
    EXPECT_EQ(out.beforeA.plant + out.beforeA.animal + out.beforeB.plant + out.beforeB.animal, 0);
    EXPECT_EQ(out.afterA.plant + out.afterB.plant, 0);
    EXPECT_TRUE(out.merged.isEmpty());
    EXPECT_TRUE(files(a).isEmpty());
    EXPECT_TRUE(files(b).isEmpty());
    EXPECT_EQ(totalsTexts(out.afterA, out.afterB, true).last(), QStringLiteral("Mindösszesen : 0"));
}

TEST_F(Merge, AnOldFileLeftInAFolderRefusesTheMerge)
{
    put(a, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
    put(b, both, importFile(QStringLiteral("8123456789"), QStringLiteral("23790=250")));
    put(b, QStringLiteral("1608M201601_8123456789.old"), importFile(QStringLiteral("8123456789"), QStringLiteral("23790=9")));
    EXPECT_EQ(folderWarnings(a, b, b), QStringList{QStringLiteral(" Csak bevallás újbóli export ismétlés után!  ")});
    EXPECT_TRUE(folderWarnings(a, b, a).isEmpty());
    EXPECT_THROW(mergeFolders(a, b), Error);
    EXPECT_EQ(files(a), QStringList{both});
    EXPECT_EQ(get(a, both), importFile(QStringLiteral("8123456789"), QStringLiteral("23790=1000")));
}

} // namespace
