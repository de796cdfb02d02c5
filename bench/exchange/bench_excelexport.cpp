// Times the Excel export of one buyer's generated year: 30,000 tickets of 4 lines (120,000 rows,
// 22 columns). The raw fetch of the same rows (the ticket query itself) is timed in the same run,
// and the workbook writing is given as a ratio to it.
//
// With ZEROR_BENCH_LIBREOFFICE=1 and soffice on PATH, the same rows are also written as CSV and
// converted to .xls by LibreOffice, for comparison (never run in CI). LibreOffice no longer
// writes Excel 95, so it writes its nearest format, Excel 97 (which keeps only 65,536 rows).
#include "DatabaseSetup.h"
#include "ExcelExport.h"
#include "Query.h"
#include "TData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

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

void fillYear(TData& data, int tickets)
{
    data.connection().executeImmediate(QStringLiteral(
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; DECLARE j INTEGER; BEGIN "
        "WHILE (i < %1) DO BEGIN "
        "  INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, f_szja, "
        "    f_jarulszaz, f_levonas, f_tipus, f_sumvar, f_muvktg) VALUES (20160001 + :i, '00001', "
        "    '0000' || (1 + MOD(:i, 5)), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
        "    DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), DATEADD(MOD(:i, 365) DAY TO DATE '2016-01-01'), "
        "    ' ', 'I', 15, 0, 0, '1', 0, 10000 + MOD(:i, 5000)); "
        "  j = 0; WHILE (j < 4) DO BEGIN "
        "    INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, s_kompmerteke, "
        "      s_akod, s_levonszaz) VALUES (20160001 + :i, '0000' || (1 + :j), "
        "      (SELECT t_megnevezes FROM termek WHERE t_kod = '0000' || (1 + :j)), '1001', 100 + MOD(:i, 900), 'kg', "
        "      48.5 + :j, 12, '00001', 0); "
        "    j = j + 1; END "
        "  i = i + 1; END END")
                                           .arg(tickets));
    data.commit();
    // Indexes made on empty tables need true statistics before a join uses them well.
    Query indexes(&data.connection(), QStringLiteral("indexes"));
    indexes.setSql({QStringLiteral("SELECT TRIM(rdb$index_name) FROM rdb$indices WHERE rdb$system_flag = 0")});
    indexes.open();
    QStringList names;
    for (int r = 0; r < indexes.rowCount(); ++r)
        names << indexes.valueAt(r, 0).toString();
    indexes.close();
    for (const QString& name : names)
        data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX %1").arg(name));
    data.commit();
}

// The rows as CSV, for LibreOffice's conversion.
void writeCsv(const Query& query, const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream out(&file);
    out << query.fieldNames().join(QLatin1Char(';')) << '\n';
    for (int r = 0; r < query.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < query.fieldNames().size(); ++c) {
            const QVariant v = query.valueAt(r, c);
            cells << (v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString());
        }
        out << cells.join(QLatin1Char(';')) << '\n';
    }
}

void run(int tickets)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    DatabaseSetup::createDatabase(dir.filePath(QStringLiteral("ru2016.fdb")), DatabaseSetup::Content::Demo);
    TData data;
    data.open();
    const double fill = timed([&] { fillYear(data, tickets); });

    Query query(&data.connection(), QStringLiteral("excel"));
    const double fetch = timed([&] {
        excel::gatherTickets(query, QDate(2016, 1, 1), QDate(2016, 12, 31), excel::DateKind::Payment,
                             QStringLiteral("00001"));
    });
    const QString path = dir.filePath(excel::kTicketWorkbook);
    const double write = timed([&] { excel::writeWorkbook(query, excel::ticketLayout(), path); });
    std::printf("%d rows x %lld columns (fill %.1f s): fetch %.3f s | write %.3f s, %.1f MiB, %d sheets | "
                "write/fetch %.2f | (fetch+write)/fetch %.2f\n",
                query.rowCount(), static_cast<long long>(query.fieldNames().size()), fill, fetch, write,
                QFileInfo(path).size() / 1048576.0, xls::sheetCount(query.rowCount()), write / fetch,
                (fetch + write) / fetch);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (qEnvironmentVariableIntValue("ZEROR_BENCH_LIBREOFFICE") == 1 && !soffice.isEmpty()) {
        const QString csv = dir.filePath(QStringLiteral("FJFEJ.csv"));
        writeCsv(query, csv);
        const QString profile = QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("lo-profile"));
        auto convert = [&](const QString& file) {
            QProcess::execute(soffice, {profile, QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:59,34,76,1"),
                                        QStringLiteral("--convert-to"), QStringLiteral("xls:MS Excel 97"),
                                        QStringLiteral("--outdir"),
                                        dir.filePath(QStringLiteral("lo")), file});
        };
        // A first small conversion creates LibreOffice's profile, so that it is not timed.
        const QString tiny = dir.filePath(QStringLiteral("tiny.csv"));
        {
            QFile f(tiny);
            f.open(QIODevice::WriteOnly);
            f.write("A;B\n1;2\n");
        }
        convert(tiny);
        const double office = timed([&] { convert(csv); });
        std::printf("LibreOffice CSV -> Excel 97: %.2f s | LibreOffice/write %.1f\n", office, office / write);
    }
    query.close();
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
