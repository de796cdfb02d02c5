// Times the month's 1608M collection on a generated year: 900 producers, each paid twice a month
// by buyer 00001 (21,600 tickets), plus another buyer's tickets. The collection of one month
// (reading the buyer, the grand total, the sums and the producers, emptying the folder, writing
// 900 import files and the list file) is paired with the raw fetch of the month's sums and
// producer rows, and the ratio printed; once with the month folder on the disk and once in memory
// (/dev/shm), and beside a bare loop that only creates as many files.
//
// Figures on the shared 2-core development machine (RelWithDebInfo, load average about 17):
//   disk (ext4):  raw fetch 94 ms, collection 1416 ms (ratio 15); the file system's creation of
//                 900 files just after deleting 900 dominates (ext4 inode allocation in the profile)
//   memory:       raw fetch 111 ms, collection 349 ms (ratio 3.1), of which 45 ms bare file creation
#include "DatabaseSetup.h"
#include "ImportFile.h"
#include "MonthCollection.h"
#include "Query.h"
#include "TData.h"
#include "WinPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace zeror;
using namespace zeror::taxsupply;

namespace {

template <typename F>
double timed(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

const QString kWhere = QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)");

// The same rows the collection needs, fetched as plainly as the data layer allows.
int rawFetch(TData& data, const ImportPeriod& p)
{
    Query sums(&data.connection(), QStringLiteral("raw1"));
    sums.setSql({QStringLiteral("SELECT f_ostermkod, SUM(f_muvktg) AS kifizetett FROM fjfej"), kWhere,
                 QStringLiteral("GROUP BY f_ostermkod")});
    sums.setDate(QStringLiteral("p1"), p.from);
    sums.setDate(QStringLiteral("p2"), p.to);
    sums.setText(QStringLiteral("p3"), QStringLiteral("00001"));
    sums.open();
    Query producers(&data.connection(), QStringLiteral("raw2"));
    producers.setSql({QStringLiteral("SELECT o.* FROM ostermelo o JOIN (SELECT DISTINCT f_ostermkod FROM fjfej"), kWhere,
                      QStringLiteral(") p ON p.f_ostermkod = o.o_kod")});
    producers.setDate(QStringLiteral("p1"), p.from);
    producers.setDate(QStringLiteral("p2"), p.to);
    producers.setText(QStringLiteral("p3"), QStringLiteral("00001"));
    producers.open();
    return sums.rowCount() + producers.rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    paths::setWindowsRoot(dir.path());
    DatabaseSetup::createDatabase(dir.filePath(QStringLiteral("ru2016.fdb")), DatabaseSetup::Content::Minimal);
    TData data;
    data.open();

    const double fill = timed([&] {
        data.connection().executeImmediate(QStringLiteral(
            "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE m INTEGER; BEGIN "
            "WHILE (i < 900) DO BEGIN "
            "  INSERT INTO ostermelo (o_kod, o_nev, o_adoazon, o_neme, o_igszam, o_szulnev, o_anyja, o_szulhely, o_szido) "
            "  VALUES (LPAD(100 + :i, 5, '0'), 'Termelő János ' || :i, '8' || LPAD(100000000 + :i, 9, '0'), '1', "
            "    'OM' || :i, 'Termelő János', 'Anyja Mária', 'Kecskemét', DATE '1960-01-01' + :i); "
            "  m = 0; WHILE (m < 12) DO BEGIN "
            "    INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_prn, f_tipus, f_muvktg) "
            "    VALUES (20000000 + :i * 100 + :m * 2, '00001', LPAD(100 + :i, 5, '0'), DATEADD(:m MONTH TO DATE '2016-01-05'), "
            "      DATEADD(:m MONTH TO DATE '2016-01-05'), DATEADD(:m MONTH TO DATE '2016-01-05'), 'I', '1', 1000.5 + :i); "
            "    INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_prn, f_tipus, f_muvktg) "
            "    VALUES (20000001 + :i * 100 + :m * 2, '00001', LPAD(100 + :i, 5, '0'), DATEADD(:m MONTH TO DATE '2016-01-20'), "
            "      DATEADD(:m MONTH TO DATE '2016-01-20'), DATEADD(:m MONTH TO DATE '2016-01-20'), ' ', '1', 250.25); "
            "    INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_prn, f_tipus, f_muvktg) "
            "    VALUES (30000000 + :i * 100 + :m, '00002', LPAD(100 + :i, 5, '0'), DATEADD(:m MONTH TO DATE '2016-01-10'), "
            "      DATEADD(:m MONTH TO DATE '2016-01-10'), DATEADD(:m MONTH TO DATE '2016-01-10'), 'I', '1', 77); "
            "    m = m + 1; END "
            "  i = i + 1; END END"));
        data.commit();
        for (const char* index : {"IX_FJFEJ_AKOD", "IX_FJFEJ_OSTERMKOD", "IX_OSTERMELO_KOD"})
            data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX %1").arg(QString::fromLatin1(index)));
        data.commit();
    });

    const ImportPeriod march{QDate(2016, 3, 1), QDate(2016, 3, 31)};
    int rows = rawFetch(data, march);
    std::printf("fill 900 producers, %d tickets: %.2f s\n", 900 * 36, fill);

    // The month folder on the disk of the temporary folder, then (where there is one) in memory,
    // which leaves out the file system's own cost of creating 900 files.
    QStringList roots{dir.path()};
    QTemporaryDir memory(QStringLiteral("/dev/shm/bench_taxsupply-XXXXXX"));
    if (memory.isValid())
        roots.append(memory.path());
    for (const QString& root : roots) {
        paths::setWindowsRoot(root);
        // A first run of each warms the caches; the best of five runs counts.
        CollectOutcome out = collectMonth(data, QStringLiteral("00001"), march);
        double raw = 1e9;
        double collect = 1e9;
        double plain = 1e9;
        for (int run = 0; run < 5; ++run) {
            raw = std::min(raw, timed([&] { rows = rawFetch(data, march); }));
            collect = std::min(collect, timed([&] { out = collectMonth(data, QStringLiteral("00001"), march); }));
            // The same number of files of the same size written by a bare loop, for comparison.
            const QString folder = QDir(root).filePath(QStringLiteral("plain%1").arg(run));
            QDir().mkpath(folder);
            const QByteArray bytes(600, 'x');
            plain = std::min(plain, timed([&] {
                for (int i = 0; i < int(out.importFiles.size()); ++i) {
                    QFile f(QDir(folder).filePath(QString::number(i)));
                    if (f.open(QIODevice::WriteOnly))
                        f.write(bytes);
                }
            }));
        }
        std::printf("\nmonth folder under %s\n", qPrintable(root));
        std::printf("raw fetch of the month's sums and producers (%d rows): %.1f ms\n", rows, raw * 1000);
        std::printf("collection of the month (%lld import files, total %s): %.1f ms\n",
                    static_cast<long long>(out.importFiles.size()), qPrintable(out.grandTotal), collect * 1000);
        std::printf("bare loop creating as many files: %.1f ms\n", plain * 1000);
        std::printf("ratio collection / raw fetch: %.2f\n", collect / raw);
        std::printf("ratio (collection - bare file creation) / raw fetch: %.2f\n", (collect - plain) / raw);
    }
    return 0;
}
