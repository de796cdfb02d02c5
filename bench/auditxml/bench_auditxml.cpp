// Times the tax-audit XML of one buyer's year: a fresh database is filled with 40,000 tickets of
// 3 lines (120,000 lines), collected into NAVFEJ, and written as XML; the writing is paired with
// the raw fetch of the rows it reads (the collected headers and their lines through the same
// query layer), and the program's schema check with `xmllint --schema` on the same file.
//
// Figures on the shared 2-core development machine (RelWithDebInfo, other builds running, so the
// wall clock is inflated; CPU time is steadier), 40,000 tickets / 120,000 lines, 122 MiB of XML:
// raw fetch 32.5 s wall / 2.3 s CPU, XML written 48.3 s wall / 3.4 s CPU: ratio 1.49 wall, 1.45 CPU.
// Schema check 18.0 s, xmllint --schema 138.5 s: ratio 0.13 (the check streams the file, xmllint
// builds its tree first). Collection into NAVFEJ 210 s (one prepared INSERT per ticket). Peak 435 MiB.
#include "AuditXml.h"
#include "Clock.h"
#include "DatabaseSetup.h"
#include "NavFej.h"
#include "Query.h"
#include "TData.h"
#include "XmlSchemaCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

using namespace zeror;

namespace {

long peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of the last timed() call: steadier than the wall clock on a shared machine.
double g_lastCpu = 0;

template <typename F>
double timed(F&& f)
{
    QElapsedTimer t;
    const double cpu = cpuSeconds();
    t.start();
    f();
    g_lastCpu = cpuSeconds() - cpu;
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
            "    '0000' || (1 + MOD(:i, 5)), DATEADD(MOD(:i, 366) DAY TO DATE '2016-01-01'), "
            "    DATEADD(MOD(:i, 366) DAY TO DATE '2016-01-01'), DATEADD(MOD(:i, 366) DAY TO DATE '2016-01-01'), "
            "    IIF(MOD(:i, 3) = 0, 'x', ' '), 'I', IIF(MOD(:i, 2) = 0, 15, 0), IIF(MOD(:i, 4) = 0, 2, 0), "
            "    IIF(MOD(:i, 10) = 0, 500, 0), '1', 1000 + MOD(:i, 9000)); "
            "  j = 0; WHILE (j < 3) DO BEGIN "
            "    INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, s_kompmerteke, "
            "      s_akod, s_levonszaz) VALUES (20160001 + :i, '0000' || (1 + :j), "
            "      (SELECT t_megnevezes FROM termek WHERE t_kod = '0000' || (1 + :j)), '1001', 100 + MOD(:i, 900), 'kg', "
            "      48.5 + :j, IIF(:j = 2, 12, 7), '00001', 0); "
            "    j = j + 1; END "
            "  i = i + 1; END END")
                                                .arg(tickets));
        data.commit();
    });
    data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX IX_FJSOR_BSZAM"));
    data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX IX_FJFEJ_BSZAM"));
    data.connection().executeImmediate(QStringLiteral("SET STATISTICS INDEX IX_FJFEJ_AKOD"));
    data.commit();

    auditxml::CollectRequest collect;
    collect.by = auditxml::SelectBy::IssueDate;
    collect.from = QDate(2016, 1, 1);
    collect.to = QDate(2016, 12, 31);
    collect.onszla = QStringLiteral("true");
    collect.papir = QStringLiteral("Papir alapon számítógéppel kiállított");
    int collected = 0;
    const double collecting = timed([&] { collected = auditxml::collectNavFej(data, QStringLiteral("00001"), collect); });

    // The raw fetch of what the export reads: the collected rows and their lines.
    int headRows = 0;
    int lineRows = 0;
    double rawHeads = 0;
    const double raw = timed([&] {
        Query heads(&data.connection(), QStringLiteral("raw1"));
        rawHeads = timed([&] {
            heads.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM NAVFEJ")});
            heads.open();
        });
        Query range(&data.connection(), QStringLiteral("raw2"));
        range.setSql({QStringLiteral("SELECT MIN(FE_SZLASORSZAM) AS minbiz, MAX(FE_SZLASORSZAM) AS maxbiz FROM NAVFEJ")});
        range.open();
        Query lines(&data.connection(), QStringLiteral("raw3"));
        lines.setSql(auditxml::collectedLinesSql());
        lines.setText(QStringLiteral("p0"), QStringLiteral("00001"));
        lines.setText(QStringLiteral("p1"), range.text(QStringLiteral("minbiz")));
        lines.setText(QStringLiteral("p2"), range.text(QStringLiteral("maxbiz")));
        lines.open();
        headRows = heads.rowCount();
        lineRows = lines.rowCount();
    });

    clock::setFixedDate(QDate(2017, 1, 15));
    auditxml::ExportRequest request;
    request.from = collect.from;
    request.to = collect.to;
    request.buyerCode = QStringLiteral("00001");
    request.path = dir.filePath(QStringLiteral("szamlak.xml"));
    const double rawCpu = g_lastCpu;
    const double writing = timed([&] { auditxml::exportAuditXml(data, request); });
    const double writingCpu = g_lastCpu;
    const qint64 size = QFileInfo(request.path).size();

    QStringList problems;
    const QByteArray schema = auditxml::schemaBytes();
    const double validating = timed([&] { problems = auditxml::validateXmlFile(request.path, schema); });

    double xmllint = -1;
    int xmllintExit = -1;
    if (!QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) {
        xmllint = timed([&] {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.setStandardErrorFile(QProcess::nullDevice());
            p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                                QStringLiteral(ZEROR_SHIPPED_SCHEMA), request.path});
            p.waitForFinished(-1);
            xmllintExit = p.exitCode();
        });
    }

    std::printf("%d tickets: fill %.2f s | collect %d rows %.2f s\n", tickets, fill, collected, collecting);
    std::printf("  raw fetch %d headers (%.3f s) + %d lines %.3f s | XML written %.3f s (%.1f MiB) | ratio %.2f\n", headRows,
                rawHeads, lineRows, raw, writing, double(size) / 1048576.0, writing / raw);
    std::printf("  CPU time: raw fetch %.3f s | XML written %.3f s | ratio %.2f\n", rawCpu, writingCpu,
                writingCpu / rawCpu);
    std::printf("  schema check %.3f s (%s) | xmllint --schema %.3f s (exit %d) | ratio %.2f | peak %ld MiB\n",
                validating, problems.isEmpty() ? "rendben" : qPrintable(problems.value(0)), xmllint, xmllintExit,
                xmllint > 0 ? validating / xmllint : 0.0, peakMiB());
    std::fflush(stdout);
    data.closeAtExit();
    QDir::setCurrent(QDir::tempPath());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int tickets = argc > 1 ? std::atoi(argv[1]) : 40000;
    try {
        run(tickets);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
