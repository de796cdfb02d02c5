// Times the ticket tab of the data check on a year of one buyer: 30,000 tickets of 4 lines
// (120,000 lines) paid through the year, a tenth of them unprinted and every line's rate 12 or
// 0, so the report carries a realistic number of findings. The collection (the database fetch of
// the rows) is timed apart from the check itself (rows to plain rows, then the twenty checks),
// and the ratio of the two is printed. Target: the check under 2 s after the collection.
//
// Figures on the shared 2-core development machine (RelWithDebInfo, load average about 20, so the
// wall clock is several times the CPU time): 120,000 lines, 14,461 report lines; collection
// 19.1 s wall / 4.7 s CPU; check after collection 5.2 s wall / 1.18 s CPU (rows 0.93 s, the
// twenty checks 0.25 s); check / fetch 0.25.
#include "DataCheck.h"
#include "DatabaseSetup.h"
#include "Query.h"
#include "TData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace zeror;

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Wall-clock seconds; the process's CPU seconds go to *cpu (on a shared machine the wall clock
// also counts the time other processes held the cores).
template <typename F>
double timed(F&& f, double* cpu = nullptr)
{
    QElapsedTimer t;
    const double c0 = cpuSeconds();
    t.start();
    f();
    if (cpu)
        *cpu = cpuSeconds() - c0;
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

void run(int tickets)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    DatabaseSetup::createDatabase(dir.filePath(QStringLiteral("ru2016.fdb")), DatabaseSetup::Content::Demo);
    TData data;
    data.open();

    const double fill = timed([&] {
        data.connection().executeImmediate(QStringLiteral(
            "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE j INTEGER; BEGIN "
            "WHILE (i < %1) DO BEGIN "
            "  INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, f_szja, "
            "    f_jarulszaz, f_levonas, f_tipus, f_sumvar) VALUES (20160001 + :i, '00001', "
            "    '0000' || (1 + MOD(:i, 5)), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
            "    DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
            "    ' ', IIF(MOD(:i, 10) = 0, ' ', 'I'), 15, 0, 0, '1', 0); "
            "  j = 0; WHILE (j < 4) DO BEGIN "
            "    INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, s_kompmerteke, "
            "      s_akod, s_levonszaz) VALUES (20160001 + :i, '0000' || (1 + :j), "
            "      (SELECT t_megnevezes FROM termek WHERE t_kod = '0000' || (1 + :j)), '1001', 100 + MOD(:i, 900), 'kg', "
            "      48.5 + :j, IIF(MOD(:i, 50) = 0, 0, 12), '00001', 0); "
            "    j = j + 1; END "
            "  i = i + 1; END END")
                                               .arg(tickets));
        data.commit();
        // A loaded year keeps its index statistics true.
        for (const char* index : {"IX_FJFEJ_BSZAM", "IX_FJFEJ_AKOD", "IX_FJFEJ_OSTERMKOD", "IX_FJSOR_BSZAM",
                                  "IX_OSTERMELO_KOD"})
            data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX %1").arg(QLatin1String(index)));
        data.commit();
    });

    double collectCpu = 0, convertCpu = 0, checkCpu = 0;
    const double collect = timed(
        [&] {
            datacheck::collectTickets(data.ZQ20, QDate(2016, 1, 1), QDate(2016, 12, 31), QStringLiteral("00001"));
        },
        &collectCpu);
    std::vector<datacheck::TicketRow> rows;
    const double convert = timed([&] { rows = datacheck::ticketRows(data.ZQ20); }, &convertCpu);
    QStringList report;
    const double check = timed([&] { report = datacheck::checkTickets(rows); }, &checkCpu);

    std::printf("%d tickets, %d lines collected, fill %.2f s, %d report lines\n"
                "  collection (database fetch): %.3f s wall, %.3f s cpu\n"
                "  check after collection: rows %.3f s + twenty checks %.3f s = %.3f s wall; rows %.3f s + checks %.3f s = %.3f s cpu\n"
                "  check / fetch: %.2f wall, %.2f cpu\n",
                tickets, data.ZQ20.rowCount(), fill, int(report.size()), collect, collectCpu, convert, check,
                convert + check, convertCpu, checkCpu, convertCpu + checkCpu, (convert + check) / collect,
                (convertCpu + checkCpu) / collectCpu);
    data.closeAtExit();
    QDir::setCurrent(QDir::tempPath());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        run(30000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
