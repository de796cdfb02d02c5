// Several workstations on one Firebird server: a real server of the test's own, three workstation
// processes entering, printing and voiding tickets of the same buyer at once, and then the
// register checked as a whole.
#include "DatabaseSetup.h"
#include "DbError.h"
#include "FirebirdServer.h"
#include "TData.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QProcess>
#include <QSet>

#include <memory>
#include <vector>

using namespace zeror;

namespace {

QString str(const QVariant& v)
{
    return v.toString().trimmed();
}

struct StoredTicket
{
    QString entry;
    QString shown;
    int lines = 0;
};

} // namespace

TEST(Workstations, ConcurrentEntryAndVoidingKeepTheRegisterWhole)
{
    test::FirebirdServer server;
    if (!server.isRunning())
        GTEST_SKIP() << "Firebird server cannot start here: " << server.problem().toStdString();

    const QString database = server.databaseName(QStringLiteral("ru2016.fdb"));
    DatabaseSetup::createDatabase(database, DatabaseSetup::Content::Minimal);
    Connection check;
    check.attach(database, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
    check.run(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160000' WHERE a_akod = '00001'"), {});
    check.commit();

    // Three workstations at once.
    const int workstations = 3;
    const int iterations = 150;
    std::vector<std::unique_ptr<QProcess>> clients;
    for (int i = 0; i < workstations; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProgram(QStringLiteral(ZEROR_WORKSTATION_PROGRAM));
        p->setArguments({database, QStringLiteral("w%1").arg(i + 1), QString::number(iterations),
                         QString::number(1000 + i)});
        p->start();
        ASSERT_TRUE(p->waitForStarted(10000));
        clients.push_back(std::move(p));
    }
    QStringList log;
    for (auto& p : clients) {
        ASSERT_TRUE(p->waitForFinished(80000)) << "a workstation did not finish";
        const QString err = QString::fromUtf8(p->readAllStandardError());
        EXPECT_EQ(p->exitCode(), 0) << err.toStdString();
        log += QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QMap<QString, StoredTicket> storedByNumber;
    QMap<QString, QString> voidedBy; // voided number -> voiding number, from the log
    int renumbered = 0;
    int refused = 0;
    for (const QString& line : log) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f.at(0) == u"STORED") {
            ASSERT_FALSE(storedByNumber.contains(f.at(3))) << "number given twice: " << f.at(3).toStdString();
            storedByNumber.insert(f.at(3), {f.at(1), f.at(2), f.at(4).toInt()});
            renumbered += f.at(2) != f.at(3);
        } else if (f.at(0) == u"VOIDED") {
            ASSERT_FALSE(voidedBy.contains(f.at(1))) << "voided twice: " << f.at(1).toStdString();
            ASSERT_FALSE(storedByNumber.contains(f.at(3)));
            voidedBy.insert(f.at(1), f.at(3));
            renumbered += f.at(2) != f.at(3);
        } else if (f.at(0) == u"REFUSED") {
            ++refused;
            EXPECT_EQ(line.section(QLatin1Char(' '), 2).toStdString(), "Már érvénytelenítve van!");
        }
    }
    ASSERT_GT(storedByNumber.size(), 50);
    ASSERT_GT(voidedBy.size(), 5);

    // Headers: one per number, numbers without gaps from 20160001, the counter on the last.
    const RowSet heads = check.run(QStringLiteral("SELECT f_bszam, f_tipus, f_ervenyt, f_prn, f_megj, f_muvktg, f_sumvar "
                                                  "FROM fjfej WHERE f_akod = '00001' ORDER BY f_bszam"),
                                   {});
    const int count = heads.rows.size();
    ASSERT_EQ(count, storedByNumber.size() + voidedBy.size());
    QMap<QString, QVector<QVariant>> header;
    for (int i = 0; i < count; ++i) {
        const QString number = str(heads.rows[i][0]);
        EXPECT_EQ(number, QString::number(20160001 + i)) << "gap or duplicate at row " << i;
        header.insert(number, heads.rows[i]);
    }
    const RowSet counter = check.run(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'"), {});
    ASSERT_EQ(counter.rows.size(), 1);
    EXPECT_EQ(str(counter.rows[0][0]), QString::number(20160000 + count));

    // Lines: every line under a ticket of its buyer; an entry's lines all under the number it got.
    const RowSet orphans = check.run(QStringLiteral("SELECT COUNT(*) FROM fjsor s WHERE s.s_akod = '00001' AND NOT "
                                                    "EXISTS (SELECT 1 FROM fjfej f WHERE f.f_bszam = s.s_bszam AND "
                                                    "f.f_akod = s.s_akod)"),
                                     {});
    EXPECT_EQ(orphans.rows[0][0].toLongLong(), 0) << "lines without their ticket";
    const RowSet lines = check.run(QStringLiteral("SELECT s_bszam, s_megnevezes, s_brutto FROM fjsor "
                                                  "WHERE s_akod = '00001' ORDER BY s_bszam, id_fjsor"),
                                   {});
    QMap<QString, QStringList> namesOf;
    QMap<QString, QList<double>> quantitiesOf;
    for (const auto& r : lines.rows) {
        namesOf[str(r[0])] << str(r[1]);
        quantitiesOf[str(r[0])] << r[2].toDouble();
    }
    for (auto it = storedByNumber.cbegin(); it != storedByNumber.cend(); ++it) {
        const QStringList names = namesOf.value(it.key());
        EXPECT_EQ(names.size(), it->lines) << "ticket " << it.key().toStdString();
        for (const QString& n : names)
            EXPECT_TRUE(n.startsWith(it->entry + QLatin1String("-l")))
                << "ticket " << it.key().toStdString() << " holds line " << n.toStdString() << " of another entry";
        EXPECT_EQ(str(header[it.key()][4]), it->entry);
    }

    // Voiding: each voided ticket voided once, by a storno that points back and negates it whole.
    int stornos = 0;
    for (auto it = header.cbegin(); it != header.cend(); ++it) {
        const QVector<QVariant>& h = it.value();
        if (str(h[1]) != u"4")
            continue;
        ++stornos;
        const QString voided = str(h[2]);
        ASSERT_TRUE(header.contains(voided)) << "storno " << it.key().toStdString() << " voids nothing";
        EXPECT_EQ(str(header[voided][1]), QStringLiteral("1"));
        EXPECT_EQ(str(header[voided][2]), it.key()) << "voided ticket does not point at its storno";
        EXPECT_EQ(str(header[voided][3]), QStringLiteral("I")) << "an unprinted ticket was voided";
        EXPECT_EQ(voidedBy.value(voided), it.key());
        EXPECT_DOUBLE_EQ(h[5].toDouble(), -header[voided][5].toDouble());
        EXPECT_DOUBLE_EQ(h[6].toDouble(), -header[voided][6].toDouble());
        const QList<double> original = quantitiesOf.value(voided);
        const QList<double> copy = quantitiesOf.value(it.key());
        ASSERT_EQ(copy.size(), original.size()) << "incomplete storno " << it.key().toStdString();
        for (int i = 0; i < copy.size(); ++i)
            EXPECT_DOUBLE_EQ(copy[i], -original[i]);
    }
    EXPECT_EQ(stornos, voidedBy.size());
    for (auto it = header.cbegin(); it != header.cend(); ++it) {
        if (str(it.value()[1]) == u"1" && !str(it.value()[2]).isEmpty()) {
            EXPECT_TRUE(voidedBy.contains(it.key())) << "ticket " << it.key().toStdString() << " voided but no storno";
        }
    }
    check.commit();
    check.detach();
    std::printf("%d tickets, %d voided, %d stored under a later number than shown, %d voidings refused\n",
                static_cast<int>(storedByNumber.size()), static_cast<int>(voidedBy.size()), renumbered, refused);
}
