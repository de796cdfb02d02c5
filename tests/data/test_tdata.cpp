// The data module against a real embedded database: binding, reading, the write procedure, locking.
#include "DbError.h"
#include "QueryModel.h"
#include "TData.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <QThread>
#include <gtest/gtest.h>

using namespace zeror;

namespace {

TEST(NamedParameters, AreRewrittenToPositionalMarkers)
{
    struct Case
    {
        const char* sql;
        const char* positional;
        QStringList names;
    } cases[] = {
        {"SELECT * FROM x WHERE a = :p1", "SELECT * FROM x WHERE a = ?", {"p1"}},
        {"UPDATE t SET a = :p0, b = :P1 WHERE id = :p0", "UPDATE t SET a = ?, b = ? WHERE id = ?", {"p0", "p1", "p0"}},
        {"VALUES (:a1,:e11)", "VALUES (?,?)", {"a1", "e11"}},
        {"WHERE s = ':p1' AND t = :p2", "WHERE s = ':p1' AND t = ?", {"p2"}},
        {"WHERE s = 'it''s :x' AND t=:p3", "WHERE s = 'it''s :x' AND t=?", {"p3"}},
        {"SELECT 1 FROM rdb$database", "SELECT 1 FROM rdb$database", {}},
    };
    for (const Case& c : cases) {
        const ParsedSql p = parseNamedParameters(QString::fromUtf8(c.sql));
        EXPECT_EQ(p.sql, QString::fromUtf8(c.positional)) << c.sql;
        EXPECT_EQ(p.names, c.names) << c.sql;
    }
}

class TDataTest : public ::testing::Test
{
protected:
    test::TestDatabase db;
    TData& data = db.data();
};

TEST_F(TDataTest, EveryBindingKindRoundTrips)
{
    const QString hungarian = QStringLiteral("Árvíztűrő tükörfúrógép ŐŰ őű");
    data.write({QStringLiteral("Hiba")}, [&] {
        data.ZQ31.close();
        data.ZQ31.setSql({QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev, o_szido, o_muvktg, o_fhat, o_szja, o_ajto)"),
                          QStringLiteral("  VALUES (:p1, :p2, :p3, :p4, :p5, :p6, :p7)")});
        data.ZQ31.setText(QStringLiteral("p1"), QStringLiteral("90001"));
        data.ZQ31.setText(QStringLiteral("p2"), hungarian);
        data.ZQ31.setDate(QStringLiteral("p3"), QDate(1962, 2, 28));
        data.ZQ31.setDouble(QStringLiteral("p4"), 12345.6789);
        data.ZQ31.setInteger(QStringLiteral("p5"), 15);
        data.ZQ31.setInteger(QStringLiteral("p6"), 16);
        data.ZQ31.setNull(QStringLiteral("p7"));
        data.ZQ31.exec();
    });

    data.ZQ30.setSql({QStringLiteral("SELECT * FROM ostermelo WHERE o_kod = :p1")});
    data.ZQ30.setText(QStringLiteral("p1"), QStringLiteral("90001"));
    data.ZQ30.open();
    ASSERT_EQ(data.ZQ30.rowCount(), 1);
    EXPECT_EQ(data.ZQ30.text(QStringLiteral("o_nev")), hungarian);
    EXPECT_EQ(data.ZQ30.date(QStringLiteral("O_SZIDO")), QDate(1962, 2, 28));
    EXPECT_DOUBLE_EQ(data.ZQ30.number(QStringLiteral("o_muvktg")), 12345.6789);
    EXPECT_EQ(data.ZQ30.integer(QStringLiteral("o_fhat")), 15);
    EXPECT_EQ(data.ZQ30.value(QStringLiteral("o_szja")).typeId(), QMetaType::LongLong);
    EXPECT_TRUE(data.ZQ30.isNull(QStringLiteral("o_ajto")));
    EXPECT_TRUE(data.ZQ30.isNull(QStringLiteral("o_felir")));
    // The stored bytes are WIN1250: one byte per Hungarian letter.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT OCTET_LENGTH(o_nev) FROM ostermelo WHERE o_kod = '90001'")),
              QString::number(hungarian.size()));
}

TEST_F(TDataTest, EmptyTextIsNotNull)
{
    db.exec(QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes, t_vtsz) VALUES ('777', '', NULL)"));
    data.ZQ40.setSql({QStringLiteral("SELECT * FROM termek WHERE t_kod = '777'")});
    data.ZQ40.open();
    EXPECT_FALSE(data.ZQ40.isNull(QStringLiteral("T_MEGNEVEZES")));
    EXPECT_EQ(data.ZQ40.text(QStringLiteral("T_MEGNEVEZES")), QString());
    EXPECT_TRUE(data.ZQ40.isNull(QStringLiteral("t_vtsz")));
}

TEST_F(TDataTest, RepeatedParameterNameTakesOneValue)
{
    data.ZQ11.setSql({QStringLiteral("SELECT count(*) AS db FROM atvevo WHERE v_akod = :p1 OR v_akod || '' = :p1")});
    data.ZQ11.setText(QStringLiteral("p1"), QStringLiteral("00002"));
    data.ZQ11.open();
    EXPECT_EQ(data.ZQ11.integer(QStringLiteral("DB")), 1);
}

TEST_F(TDataTest, MissingParameterValueIsAnError)
{
    data.ZQ11.setSql({QStringLiteral("SELECT * FROM atvevo WHERE v_akod = :p1")});
    EXPECT_THROW(data.ZQ11.open(), DbError);
}

TEST_F(TDataTest, UnknownFieldIsAnError)
{
    data.ZQ60.setSql({QStringLiteral("SELECT * FROM atvevo")});
    data.ZQ60.open();
    EXPECT_THROW(data.ZQ60.value(QStringLiteral("NO_SUCH")), DbError);
}

TEST_F(TDataTest, CursorMovesLikeADataset)
{
    data.ZQ30.setSql({QStringLiteral("SELECT o_kod, o_nev FROM ostermelo ORDER BY o_kod")});
    data.ZQ30.open();
    ASSERT_EQ(data.ZQ30.rowCount(), 5);
    EXPECT_TRUE(data.ZQ30.bof());
    EXPECT_FALSE(data.ZQ30.eof());
    int seen = 0;
    for (data.ZQ30.first(); !data.ZQ30.eof(); data.ZQ30.next())
        ++seen;
    EXPECT_EQ(seen, 5);
    // Past the end the cursor stays on the last row.
    EXPECT_EQ(data.ZQ30.text(QStringLiteral("o_kod")), QStringLiteral("00005"));
    data.ZQ30.last();
    EXPECT_EQ(data.ZQ30.recNo(), 4);
    data.ZQ30.prior();
    EXPECT_EQ(data.ZQ30.text(QStringLiteral("O_KOD")), QStringLiteral("00004"));

    EXPECT_TRUE(data.ZQ30.locatePrefix(QStringLiteral("o_nev"), QStringLiteral("szab")));
    EXPECT_EQ(data.ZQ30.text(QStringLiteral("o_nev")), QStringLiteral("Szabó Éva"));
    const int before = data.ZQ30.recNo();
    EXPECT_FALSE(data.ZQ30.locatePrefix(QStringLiteral("o_nev"), QStringLiteral("Zz")));
    EXPECT_EQ(data.ZQ30.recNo(), before); // no move when nothing matches
    EXPECT_TRUE(data.ZQ30.locate(QStringLiteral("o_kod"), QStringLiteral("00003")));
    EXPECT_EQ(data.ZQ30.recNo(), 2);
}

TEST_F(TDataTest, EmptyResultHasNoRowAndIsAtEof)
{
    data.ZQ30.setSql({QStringLiteral("SELECT * FROM ostermelo WHERE 1 = 0")});
    data.ZQ30.open();
    EXPECT_TRUE(data.ZQ30.isEmpty());
    EXPECT_TRUE(data.ZQ30.eof());
    EXPECT_EQ(data.ZQ30.recNo(), -1);
    EXPECT_TRUE(data.ZQ30.value(QStringLiteral("o_kod")).isNull());
}

TEST_F(TDataTest, RejectedValueRollsBackTheWholeWrite)
{
    const QString before = db.scalar(QStringLiteral("SELECT count(*) FROM termek"));
    const auto store = [&] {
        data.ZQ41.setSql({QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes) VALUES (:p1, :p2)")});
        data.ZQ41.setText(QStringLiteral("p1"), QStringLiteral("55555"));
        data.ZQ41.setText(QStringLiteral("p2"), QStringLiteral("Első"));
        data.ZQ41.exec();
        data.ZQ41.setSql({QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes) VALUES (:p1, :p2)")});
        data.ZQ41.setText(QStringLiteral("p1"), QStringLiteral("123456")); // six characters into VARCHAR(5)
        data.ZQ41.setText(QStringLiteral("p2"), QStringLiteral("Második"));
        data.ZQ41.exec();
    };
    try {
        data.write({QStringLiteral("Hiba72: Újban, INSERT  a termékben ")}, store);
        ADD_FAILURE() << "the second insert must fail";
    } catch (const WriteError& e) {
        EXPECT_EQ(e.stage(), WriteError::Stage::Statement);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Hiba72: Újban, INSERT  a termékben \n")));
        EXPECT_TRUE(e.reason().contains(QStringLiteral("truncation"), Qt::CaseInsensitive)) << e.reason().toStdString();
    }
    EXPECT_FALSE(data.inTransaction());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek")), before);
}

TEST_F(TDataTest, UnreadableNumberIsRejected)
{
    try {
        data.write({QStringLiteral("Hiba")}, [&] {
            data.ZQ41.setSql({QStringLiteral("UPDATE termek SET t_ear = :p1")});
            data.ZQ41.setText(QStringLiteral("p1"), QStringLiteral("12,5,3"));
            data.ZQ41.exec();
        });
        ADD_FAILURE() << "the update must fail";
    } catch (const WriteError& e) {
        EXPECT_EQ(e.stage(), WriteError::Stage::Statement);
        EXPECT_TRUE(e.reason().contains(QStringLiteral("conversion"), Qt::CaseInsensitive)) << e.reason().toStdString();
    }
}

TEST_F(TDataTest, NowaitConflictFailsAtOnce)
{
    db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160000' WHERE a_akod = '00001'"));
    TData other;
    other.setDatabaseName(db.databasePath());
    other.open();
    other.ZQ50.setSql({QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160001' WHERE a_akod = '00001'")});
    other.ZQ50.exec(); // holds the row, uncommitted

    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(data.write({QStringLiteral("Hiba")}, [&] {
        data.ZQ50.setSql({QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160002' WHERE a_akod = '00001'")});
        data.ZQ50.exec();
    }), WriteError);
    EXPECT_LT(clock.elapsed(), 3000);
    other.rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")),
              QStringLiteral("20160000"));
    other.closeAtExit();
}

TEST_F(TDataTest, CommitRetainingAtExitKeepsUncommittedWrites)
{
    data.ZQ50.setSql({QStringLiteral("UPDATE sorszam SET a_fjbszam = '20169999' WHERE a_akod = '00001'")});
    data.ZQ50.exec();
    ASSERT_TRUE(data.inTransaction());
    data.closeAtExit();
    TData again;
    again.setDatabaseName(db.databasePath());
    again.open();
    again.ZQ50.setSql({QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")});
    again.ZQ50.open();
    EXPECT_EQ(again.ZQ50.text(QStringLiteral("a_fjbszam")), QStringLiteral("20169999"));
    again.closeAtExit();
    data.open(); // the fixture closes it again
}

TEST_F(TDataTest, QueryModelShowsFormattedValues)
{
    data.ZQ40.setSql({QStringLiteral("SELECT t_kod, t_ear, t_megnevezes FROM termek WHERE t_kod = '00001'")});
    data.ZQ40.open();
    QueryModel model(&data.ZQ40);
    model.setColumns({{QStringLiteral("T_KOD"), QStringLiteral("Kód")}, {QStringLiteral("t_ear"), QStringLiteral("Eár")}});
    ASSERT_EQ(model.rowCount(), 1);
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Eár"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("48,50")); // a price: two decimals
    data.ZQ40.close();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(TDataTest, StreetLinesAreComposedFromTheRows)
{
    db.chooseBuyer(QStringLiteral("00001"));
    data.atv_utca();
    EXPECT_EQ(sharedState().buyerStreetLine, QStringLiteral(" Szegedi utca 1    "));
    data.ZQ10.setSql({QStringLiteral("SELECT '00002' AS f_ostermkod FROM rdb$database")});
    data.ZQ10.open();
    data.ost_utca();
    EXPECT_EQ(sharedState().producerStreetLine, QStringLiteral(" Tisza Lajos körút 45/B    "));
    data.ZQ10.setSql({QStringLiteral("SELECT 'nincs' AS f_ostermkod FROM rdb$database")});
    data.ZQ10.open();
    data.ost_utca();
    EXPECT_EQ(sharedState().producerStreetLine, QString(7, QLatin1Char(' ')));
}

TEST(Startup, MissingOrForeignFileIsReportedAsSuch)
{
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.fdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(16384, 'x'));
    junk.close();

    TData data;
    data.setDatabaseName(dir.filePath(QStringLiteral("nincs.fdb")));
    try {
        data.open();
        FAIL() << "a missing file opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotFound) << e.what();
    }
    data.setDatabaseName(junk.fileName());
    try {
        data.open();
        FAIL() << "a file that is not a database opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::NotADatabase) << e.what();
    }
}

} // namespace

// A child process that holds a database open, so that the parent sees it as used by another program.
static int holdDatabase(const char* path)
{
    TData data;
    data.setDatabaseName(QString::fromLocal8Bit(path));
    data.open();
    std::puts("attached");
    std::fflush(stdout);
    QThread::sleep(20);
    return 0;
}

TEST(Startup, DatabaseOpenedByAnotherProgramIsReportedAsInUse)
{
    test::TestDatabase db;
    const QString path = db.databasePath();
    db.data().closeAtExit();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-db"), path});
    ASSERT_TRUE(child.waitForReadyRead(15000));
    TData data;
    data.setDatabaseName(path);
    try {
        data.open();
        data.closeAtExit();
        ADD_FAILURE() << "the database opened while another process held it";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::InUse) << e.what();
    }
    child.kill();
    child.waitForFinished();
    db.data().open();
}

#include "Dialogs.h"
#include <QApplication>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-db") == 0)
        return holdDatabase(argv[2]);
    QApplication app(argc, argv);
    zeror::ui::Dialogs::setScripted(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
