// Times the ticket tab of the data check on a year of one buyer: 30,000 tickets of 4 lines
// (120,000 lines) paid through the year, a tenth of them unprinted and every line's rate 12 or
// 0, so the report carries a realistic number of findings. The collection (the database fetch of
// the rows) is timed apart from the check itself (rows to plain rows, then the twenty checks),
// and the ratio of the two is printed. Target: the check under 2 s after the collection.
#include "DataCheck.h"
#include "DatabaseSetup.h"
#include "Query.h"
#include "TData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace zeror;

namespace {

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

    const double collect = timed([&] {
        datacheck::collectTickets(data.ZQ20, QDate(2016, 1, 1), QDate(2016, 12, 31), QStringLiteral("00001"));
    });
    std::vector<datacheck::TicketRow> rows;
    const double convert = timed([&] { rows = datacheck::ticketRows(data.ZQ20); });
    QStringList report;
    const double check = timed([&] { report = datacheck::checkTickets(rows); });

    std::printf("%d tickets, %d lines collected: fill %.2f s | collection (database fetch) %.3f s | "
                "rows %.3f s + checks %.3f s = check %.3f s, %d report lines | check / fetch %.2f\n",
                tickets, data.ZQ20.rowCount(), fill, collect, convert, check, convert + check, int(report.size()),
                (convert + check) / collect);
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
