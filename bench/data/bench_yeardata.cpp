// Times the register's everyday reads on a year of data: a fresh database is filled with
// 5,000 tickets of 4 lines (and a second run with 25,000 tickets) and the ticket list, the
// per-ticket sums, the producer's running totals and the itemised list are read back.
//
// Figures on the 2-core development machine (RelWithDebInfo), 5,000 tickets / 20,000 lines:
// fill 0.44 s; ticket list 5,000 rows 0.09 s; lines of one ticket < 1 ms; producer totals 0.02 s;
// itemised list 20,000 rows 0.6 s; peak 150 MiB. 25,000 tickets / 100,000 lines: ticket list 0.4 s,
// itemised list 3.1 s, peak 526 MiB.
#include "DatabaseSetup.h"
#include "Query.h"
#include "QueryModel.h"
#include "TData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

using namespace zeror;

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <typename F>
double timed(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

void run(int tickets)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    DatabaseSetup::createDatabase(dir.filePath(QStringLiteral("ru2016.fdb")), DatabaseSetup::Content::Demo);
    TData data;
    data.open();

    const int lines = tickets * 4;
    const double fill = timed([&] {
        data.connection().executeImmediate(QStringLiteral(
            "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE j INTEGER; BEGIN "
            "WHILE (i < %1) DO BEGIN "
            "  INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, f_szja, "
            "    f_jarulszaz, f_levonas, f_tipus, f_sumvar) VALUES (20160001 + :i, '00001', "
            "    '0000' || (1 + MOD(:i, 5)), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
            "    DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
            "    ' ', 'I', 15, 0, 0, '1', 0); "
            "  j = 0; WHILE (j < 4) DO BEGIN "
            "    INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, s_kompmerteke, "
            "      s_akod, s_levonszaz) VALUES (20160001 + :i, '0000' || (1 + :j), "
            "      (SELECT t_megnevezes FROM termek WHERE t_kod = '0000' || (1 + :j)), '1001', 100 + MOD(:i, 900), 'kg', "
            "      48.5 + :j, 12, '00001', 0); "
            "    j = j + 1; END "
            "  i = i + 1; END END")
                                                .arg(tickets));
        data.commit();
    });

    QueryModel model(&data.ZQ10);
    const double list = timed([&] {
        data.ZQ10.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM FjFej"),
                          QStringLiteral("LEFT JOIN ostermelo ON FjFej.f_ostermkod = Ostermelo.o_kod"),
                          QStringLiteral("WHERE f_akod = :p1"), QStringLiteral("ORDER BY f_Bszam")});
        data.ZQ10.setText(QStringLiteral("p1"), QStringLiteral("00001"));
        data.ZQ10.open();
        data.ZQ10.locatePrefix(QStringLiteral("f_bszam"), QString::number(20160001 + tickets - 1));
    });

    const double ticketLines = timed([&] {
        data.ZQ20.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM FjSor"), QStringLiteral("WHERE s_Bszam= :p1"),
                          QStringLiteral("ORDER BY ID_fjsor")});
        data.ZQ20.setText(QStringLiteral("p1"), QString::number(20160001 + tickets / 2));
        data.ZQ20.open();
    });

    const double producerTotals = timed([&] {
        data.ZQ22.setSql({QStringLiteral("SELECT f_ostermkod,"), QStringLiteral("SUM(s_felvar)    AS far1,"),
                          QStringLiteral("SUM(s_kompfelar) AS kfelar1,"), QStringLiteral("SUM(s_vetelar)   AS var1"),
                          QStringLiteral("FROM Fjsor"), QStringLiteral("JOIN Fjfej ON Fjfej.f_Bszam = Fjsor.s_Bszam"),
                          QStringLiteral("JOIN Ostermelo ON Fjfej.f_ostermkod = Ostermelo.o_Kod"),
                          QStringLiteral("WHERE FjFej.f_ostermkod = :p1"), QStringLiteral("GROUP BY f_ostermkod")});
        data.ZQ22.setText(QStringLiteral("p1"), QStringLiteral("00001"));
        data.ZQ22.open();
    });

    const double itemised = timed([&] {
        data.ZQ21.setSql({QStringLiteral("SELECT * FROM fjsor JOIN fjfej ON s_bszam = f_bszam"),
                          QStringLiteral("JOIN ostermelo ON f_ostermkod = o_kod"),
                          QStringLiteral("WHERE f_fizkelt >= :p1 AND f_fizkelt <= :p2 AND f_akod = :p3"),
                          QStringLiteral("ORDER BY o_nev")});
        data.ZQ21.setDate(QStringLiteral("p1"), QDate(2016, 1, 1));
        data.ZQ21.setDate(QStringLiteral("p2"), QDate(2016, 12, 31));
        data.ZQ21.setText(QStringLiteral("p3"), QStringLiteral("00001"));
        data.ZQ21.open();
    });

    std::printf("%d tickets, %d lines: fill %.2f s | ticket list %d rows %.3f s | lines of one ticket %.4f s | "
                "producer totals %.3f s | itemised list %d rows %.3f s | peak memory %ld MiB\n",
                tickets, lines, fill, data.ZQ10.rowCount(), list, ticketLines, producerTotals, data.ZQ21.rowCount(),
                itemised, peakKiB() / 1024);
    data.closeAtExit();
    QDir::setCurrent(QDir::tempPath());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        run(5000);
        run(25000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
