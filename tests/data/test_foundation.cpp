// The small shared pieces under every layer: the transaction scope, the clock, Windows paths.
#include "AppSettings.h"
#include "Clock.h"
#include "DbError.h"
#include "TData.h"
#include "TestDatabase.h"
#include "Transaction.h"
#include "WinPaths.h"

#include <gtest/gtest.h>

using namespace zeror;

namespace {

class TransactionTest : public ::testing::Test
{
protected:
    test::TestDatabase db;
    TData& data = db.data();

    void insertProducer(const QString& code)
    {
        data.ZQ31.close();
        data.ZQ31.setSql({QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev) VALUES (:p1, 'X')")});
        data.ZQ31.setText(QStringLiteral("p1"), code);
        data.ZQ31.exec();
    }
    QString count(const QString& code)
    {
        return db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_kod = '%1'").arg(code));
    }
};

TEST_F(TransactionTest, CommittedWorkStays)
{
    {
        Transaction tx(data);
        insertProducer(QStringLiteral("91001"));
        tx.commit();
    }
    EXPECT_EQ(count(QStringLiteral("91001")), QStringLiteral("1"));
}

TEST_F(TransactionTest, LeavingTheScopeByAnExceptionRollsEverythingBack)
{
    try {
        Transaction tx(data);
        insertProducer(QStringLiteral("91002"));
        data.ZQ31.setSql({QStringLiteral("INSERT INTO no_such_table VALUES (1)")});
        data.ZQ31.exec();
        tx.commit();
        FAIL() << "the second statement must fail";
    } catch (const Error& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_EQ(count(QStringLiteral("91002")), QStringLiteral("0"));
}

TEST(Clock, AFixedMomentStandsForTodayUntilCleared)
{
    clock::setFixedDate(QDate(2016, 3, 5));
    EXPECT_EQ(clock::today(), QDate(2016, 3, 5));
    EXPECT_EQ(clock::now().date(), QDate(2016, 3, 5));
    clock::setFixed({});
    EXPECT_EQ(clock::today(), QDate::currentDate());
}

TEST(WinPaths, DrivePathsMapUnderTheRootWhateverTheCase)
{
    paths::setWindowsRoot(QStringLiteral("/tmp/root"));
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\RU2016\\01\\", "/tmp/root/ru2016/01/"},
        {"c:\\ru2016\\01\\", "/tmp/root/ru2016/01/"},
        {"c:\\", "/tmp/root/"},
        {"C:", "/tmp/root/"},
        {"C:\\keszlet2016\\zeror_keszlethez.xml", "/tmp/root/keszlet2016/zeror_keszlethez.xml"},
        {"d:\\Mentes\\", "/tmp/root/d/mentes/"},
        {"/home/x/Data", "/home/x/Data"},
        {"relative\\Dir", "relative/Dir"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths::localPath(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    paths::setWindowsRoot({});
}

TEST(WinPaths, JoinAddsTheMissingSeparatorOnly)
{
    EXPECT_EQ(paths::joinPath(QStringLiteral("/a/b"), QStringLiteral("f.txt")), QStringLiteral("/a/b/f.txt"));
    EXPECT_EQ(paths::joinPath(QStringLiteral("/a/b/"), QStringLiteral("f.txt")), QStringLiteral("/a/b/f.txt"));
    EXPECT_EQ(paths::joinPath(QStringLiteral("c:\\x"), QStringLiteral("f.txt")), QStringLiteral("c:\\x\\f.txt"));
    EXPECT_EQ(paths::joinPath(QString(), QStringLiteral("f.txt")), QStringLiteral("f.txt"));
}

TEST(AppSettings, TheHiddenItemsSwitchReadsTheIniFileOfTheWorkingFolder)
{
    test::TestDatabase db; // a temporary working folder
    EXPECT_FALSE(settings::showHiddenMenuItems());
    settings::setValue(QStringLiteral("menu/showHidden"), true);
    EXPECT_TRUE(settings::showHiddenMenuItems());
    EXPECT_TRUE(QFile::exists(db.folder() + QStringLiteral("/zeror.ini")));
    settings::setValue(QStringLiteral("menu/showHidden"), false);
    settings::setShowHiddenFromCommandLine(true);
    EXPECT_TRUE(settings::showHiddenMenuItems());
    settings::setShowHiddenFromCommandLine(false);
}

} // namespace
