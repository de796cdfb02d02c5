// A year of data: the generated year is sound, the engine plans the period lists and the Excel
// export by the right index once statistics are true, and the table datasets read their rows
// only when asked.
#include "DbError.h"
#include "IndexStatistics.h"
#include "QueryModel.h"
#include "TData.h"
#include "TestDatabase.h"
#include "TextHelpers.h"
#include "YearGenerator.h"
#include "YearQueries.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;

namespace {

QString planOf(Connection& c, const QStringList& lines)
{
    return c.plan(parseNamedParameters(lines.join(QLatin1Char('\n'))).sql);
}

// The plans of a year whose statistics are true: the lines are read in full, and each line finds
// its ticket by buyer and number through the unique key, and the ticket's producer by code.
const char* const kItemisedPlan =
    "PLAN SORT (JOIN (JOIN (FJSOR NATURAL, FJFEJ INDEX (UQ_FJFEJ_AKOD_BSZAM)), OSTERMELO INDEX (IX_OSTERMELO_KOD)))";
// The Excel export reads the lines in ticket-number order through their index instead of sorting.
const char* const kExcelPlan = "PLAN JOIN (JOIN (FJSOR ORDER IX_FJSOR_BSZAM, FJFEJ INDEX (UQ_FJFEJ_AKOD_BSZAM)), "
                               "OSTERMELO INDEX (IX_OSTERMELO_KOD))";

void fillTwoBuyers(test::TestDatabase& db, int tickets, int firstNumberOffset = 0)
{
    // Tickets of two buyers on disjoint numbers, three lines each, inserted by the database itself.
    db.data().connection().executeImmediate(QStringLiteral(
                "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE j INTEGER; DECLARE b VARCHAR(8); "
                "DECLARE a VARCHAR(5); BEGIN "
                "WHILE (i < %1) DO BEGIN "
                "  IF (MOD(i, 5) = 0) THEN BEGIN a = '00002'; b = 16000001 + %2 + i; END "
                "  ELSE BEGIN a = '00001'; b = 20160001 + %2 + i; END "
                "  INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, "
                "    f_szja, f_tipus, f_sumvar) VALUES (:b, :a, '0000' || (1 + MOD(:i, 5)), "
                "    DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
                "    DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), ' ', 'I', 15, '1', 0); "
                "  j = 0; WHILE (j < 3) DO BEGIN "
                "    INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_brutto, s_megy, s_ear, s_kompmerteke, "
                "      s_akod, s_levonszaz) VALUES (:b, '0000' || (1 + :j), 'Búza', 100 + MOD(:i, 900), 'kg', "
                "      48.5, 7, :a, 0); "
                "    j = j + 1; END "
                "  i = i + 1; END END")
                .arg(tickets)
                .arg(firstNumberOffset));
    db.data().commit();
}

TEST(IndexStatistics, StaleStatisticsAreFoundAndRefreshed)
{
    test::TestDatabase db;
    TData& data = db.data();
    Connection& c = data.connection();
    EXPECT_FALSE(indexStatisticsStale(c)) << "a new database is measured as it is created";

    fillTwoBuyers(db, 3000);
    // The header indexes still say "empty table"; the unique key on buyer and number keeps the
    // ticket lookup sound meanwhile, the refresh makes the measure true again.
    EXPECT_TRUE(indexStatisticsStale(c));

    EXPECT_TRUE(refreshIndexStatisticsIfStale(data));
    EXPECT_FALSE(indexStatisticsStale(c));
    EXPECT_FALSE(refreshIndexStatisticsIfStale(data));
    EXPECT_EQ(planOf(c, yeargen::itemisedSql()), QString::fromLatin1(kItemisedPlan));
    EXPECT_EQ(planOf(c, yeargen::excelTicketsSql()), QString::fromLatin1(kExcelPlan));
}

TEST(IndexStatistics, GrowthBeyondTheMeasuredSizeIsStale)
{
    test::TestDatabase db;
    fillTwoBuyers(db, 200);
    refreshIndexStatistics(db.data());
    EXPECT_FALSE(indexStatisticsStale(db.data().connection()));
    fillTwoBuyers(db, 1000, 200); // the numbers after the first ones: only the row count matters here
    EXPECT_TRUE(indexStatisticsStale(db.data().connection()));
}

class GeneratedYear : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        summary = yeargen::generateYear(dir->filePath(QStringLiteral("year.fdb")), yeargen::Size::forTickets(1500));
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }

    void SetUp() override
    {
        data.setDatabaseName(dir->filePath(QStringLiteral("year.fdb")));
        data.open();
        data.openTables();
    }
    void TearDown() override { data.closeAtExit(); }

    QVariant scalar(const QString& sql)
    {
        Query q(&data.connection(), QStringLiteral("t"));
        q.setSql({sql});
        q.open();
        return q.valueAt(0, 0);
    }

    static QTemporaryDir* dir;
    static yeargen::Summary summary;
    TData data;
};

QTemporaryDir* GeneratedYear::dir = nullptr;
yeargen::Summary GeneratedYear::summary;

TEST_F(GeneratedYear, PlansFindTicketsByTheBuyersNumberKey)
{
    Connection& c = data.connection();
    EXPECT_EQ(planOf(c, yeargen::itemisedSql()), QString::fromLatin1(kItemisedPlan));
    const QString matched = planOf(c, yeargen::itemisedSql(true));
    EXPECT_TRUE(matched.contains(QStringLiteral("FJFEJ INDEX (UQ_FJFEJ_AKOD_BSZAM)"))) << matched.toStdString();
    EXPECT_EQ(planOf(c, yeargen::excelTicketsSql()), QString::fromLatin1(kExcelPlan));
    EXPECT_FALSE(indexStatisticsStale(c));
}

TEST_F(GeneratedYear, HoldsARealisticYearOfTwoBuyers)
{
    EXPECT_EQ(summary.tickets, 1500);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej")).toInt(), 1500);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")).toInt(), summary.lines);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM atvevo")).toInt(), 2);
    // Disjoint numbers: each buyer's tickets are in its own range, and the counters hold the last.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_akod = '00001' AND f_bszam NOT LIKE '2016%'"))
                  .toInt(),
              0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_akod = '00002' AND f_bszam NOT LIKE '1600%'"))
                  .toInt(),
              0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")).toString(),
              scalar(QStringLiteral("SELECT MAX(f_bszam) FROM fjfej WHERE f_akod = '00001'")).toString());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor s WHERE NOT EXISTS (SELECT 1 FROM fjfej f "
                                    "WHERE f.f_bszam = s.s_bszam AND f.f_akod = s.s_akod)"))
                  .toInt(),
              0);
    // About 70% paid in cash; surcharges of 7% and 12% only; most tickets at harvest.
    const double cash = scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_utal = ' '")).toDouble() / 1500;
    EXPECT_GT(cash, 0.62);
    EXPECT_LT(cash, 0.78);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_kompmerteke NOT IN (7, 12)")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE EXTRACT(MONTH FROM f_felvkelt) BETWEEN 7 AND 10"))
                  .toDouble(),
              0.45 * 1500);
}

TEST_F(GeneratedYear, VoidedTicketsComeInPairs)
{
    EXPECT_GT(summary.voided, 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_tipus = '4'")).toInt(), summary.voided);
    // Each voiding ticket names the ticket it voids, which names it back, with the negated total.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej v JOIN fjfej o ON o.f_bszam = v.f_ervenyt "
                                    "AND o.f_akod = v.f_akod AND o.f_ervenyt = v.f_bszam "
                                    "AND ABS(o.f_sumvar + v.f_sumvar) < 0.01 WHERE v.f_tipus = '4'"))
                  .toInt(),
              summary.voided);
}

TEST_F(GeneratedYear, ProducersHaveValidIdentifiers)
{
    Query& producers = data.IBTable3;
    ASSERT_EQ(producers.rowCount(), summary.producers);
    int withTaxNumber = 0;
    for (producers.first(); !producers.eof(); producers.next()) {
        const QString name = producers.text(QStringLiteral("O_NEV"));
        EXPECT_TRUE(adoazonEllenorzes(producers.text(QStringLiteral("O_ADOAZON")))) << name.toStdString();
        EXPECT_TRUE(tajEllenorzes(producers.text(QStringLiteral("O_TAJ")))) << name.toStdString();
        const QString taxNumber = producers.text(QStringLiteral("O_ADOSZAM"));
        if (!taxNumber.isEmpty()) {
            ++withTaxNumber;
            EXPECT_TRUE(adoszamEllenorzes(taxNumber)) << taxNumber.toStdString();
        }
        EXPECT_EQ(producers.text(QStringLiteral("O_KOD")).size(), 5);
    }
    EXPECT_GT(withTaxNumber, 0);
}

TEST(YearGenerator, IsDeterministic)
{
    QTemporaryDir dir;
    auto fingerprint = [&](const QString& file) {
        yeargen::generateYear(dir.filePath(file), yeargen::Size::forTickets(60), 7);
        Connection c;
        c.attach(dir.filePath(file), QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
        RowStore rows;
        c.fetch(QStringLiteral("SELECT f_bszam, f_ostermkod, f_felvkelt, f_utal, f_sumvar, f_ervenyt "
                               "FROM fjfej ORDER BY f_akod, f_bszam"),
                {}, rows);
        QStringList out;
        for (int r = 0; r < rows.rowCount(); ++r)
            for (int col = 0; col < rows.columnCount(); ++col)
                out << rows.value(r, col).toString();
        c.detach();
        return out.join(QLatin1Char('|'));
    };
    const QString first = fingerprint(QStringLiteral("a.fdb"));
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(first, fingerprint(QStringLiteral("b.fdb")));
}

TEST(RowStore, KeepsEveryKindAndNullAndReadsCellsInAnyOrder)
{
    RowStore store;
    store.setColumns({{QStringLiteral("T"), RowStore::CellType::Text, 0, false},
                      {QStringLiteral("N"), RowStore::CellType::Integer, -4, false},
                      {QStringLiteral("I"), RowStore::CellType::Integer, 0, false},
                      {QStringLiteral("D"), RowStore::CellType::Date, 0, false},
                      {QStringLiteral("F"), RowStore::CellType::Double, 0, false},
                      {QStringLiteral("U"), RowStore::CellType::Text, 0, true},
                      {QStringLiteral("X"), RowStore::CellType::Unknown, 0, false},
                      {QStringLiteral("B"), RowStore::CellType::Boolean, 0, false},
                      {QStringLiteral("T2"), RowStore::CellType::Text, 0, false}});
    const QByteArray win1250 = "\xC1rv\xEDzt\xFBr\xF5"; // Árvíztűrő
    const QByteArray utf8 = QStringLiteral("tükörfúrógép").toUtf8();
    for (int r = 0; r < 3; ++r) {
        store.beginRow();
        if (r == 1)
            store.addNull(0);
        else
            store.addText(win1250.constData(), win1250.size());
        store.addInteger(123456789 + r); // 12345.6789 at scale -4
        if (r == 2)
            store.addNull(2);
        else
            store.addInteger(-7 - r);
        store.addDate(57388); // 2016-01-01
        store.addDouble(0.5 * r);
        store.addText(utf8.constData(), utf8.size());
        store.addBoolean(r == 1);
        store.addText("", 0);
        store.endRow();
    }
    store.squeeze();
    ASSERT_EQ(store.rowCount(), 3);
    // Backwards and across rows, as a grid and a cursor ask.
    for (int r = 2; r >= 0; --r) {
        EXPECT_EQ(store.isNull(r, 0), r == 1);
        EXPECT_EQ(store.value(r, 0).toString(), r == 1 ? QString() : QStringLiteral("Árvíztűrő"));
        EXPECT_DOUBLE_EQ(store.value(r, 1).toDouble(), 12345.6789 + r / 10000.0);
        EXPECT_EQ(store.value(r, 2), r == 2 ? QVariant() : QVariant(qlonglong(-7 - r)));
        EXPECT_EQ(store.value(r, 3).toDate(), QDate(2016, 1, 1));
        EXPECT_EQ(store.value(r, 4).typeId(), QMetaType::Double);
        EXPECT_EQ(store.text(r, 5), QStringLiteral("tükörfúrógép"));
        EXPECT_FALSE(store.value(r, 6).isValid());
        EXPECT_EQ(store.value(r, 7).toBool(), r == 1);
        EXPECT_FALSE(store.isNull(r, 8));
        EXPECT_TRUE(store.text(r, 8).isEmpty());
    }
    EXPECT_FALSE(store.value(3, 0).isValid());
    EXPECT_FALSE(store.value(0, 9).isValid());
}

TEST(TableDatasets, OpenWithoutReadingAndReadWhenAsked)
{
    test::TestDatabase db;
    TData& data = db.data();
    data.openTables();
    // Rows stored after the opening are there when the rows are first asked for.
    db.exec(QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes, t_ear) VALUES ('00099', 'Méz akác', 1250.5)"));
    Query& products = data.IBTable4;
    QueryModel model(&products);
    EXPECT_TRUE(products.hasField(QStringLiteral("T_MEGNEVEZES")));
    const int stored = db.scalar(QStringLiteral("SELECT COUNT(*) FROM termek")).toInt();
    EXPECT_EQ(products.rowCount(), stored);
    EXPECT_EQ(model.rowCount(), stored);
    ASSERT_TRUE(products.locatePrefix(QStringLiteral("t_megnevezes"), QStringLiteral("MÉZ A")));
    EXPECT_EQ(products.text(QStringLiteral("t_kod")), QStringLiteral("00099"));
    EXPECT_DOUBLE_EQ(products.number(QStringLiteral("t_ear")), 1250.5);
    products.last();
    EXPECT_TRUE(products.eof());
    EXPECT_EQ(products.recNo(), products.rowCount() - 1);
}

TEST(TableDatasets, AMissingTableStillFailsTheOpening)
{
    test::TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE sorszam"));
    EXPECT_THROW(db.data().openTables(), DbError);
}

} // namespace
