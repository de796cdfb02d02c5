// Everyday actions of the program on a generated year, each paired in the same run with the raw
// fetch of the rows it reads (Firebird's OO API, nothing kept), printing the ratio and the peak
// memory of the action. Each action runs in a process of its own so that its peak is its own.
//
//   bench_year [--db FILE] [--tickets N]
//
// Without --db a year of N tickets (default 50,000) is generated once into the temporary folder
// and kept for later runs. Figures and the command lines are in bench/README.md.
#include "AuditXml.h"
#include "DbError.h"
#include "ExcelExport.h"
#include "IndexStatistics.h"
#include "MonthCollection.h"
#include "NavFej.h"
#include "QueryModel.h"
#include "RawFetch.h"
#include "SharedState.h"
#include "Startup.h"
#include "TData.h"
#include "TForm1.h"
#include "TForm8.h"
#include "WinPaths.h"
#include "YearGenerator.h"
#include "YearQueries.h"
#include "Formats.h"
#include "ReportModule.h"
#include "reportengine/reportengine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace zeror;

namespace {

const QDate kFrom(2016, 1, 1);
const QDate kTo(2016, 12, 31);
const QString kBuyer = QStringLiteral("00001");

long peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

double msSince(const QElapsedTimer& t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

QString positional(const QStringList& lines)
{
    return parseNamedParameters(lines.join(QLatin1Char('\n'))).sql;
}

// What one action reports: the program's time, the raw fetch of the same rows, the rows read.
struct Figures
{
    double programMs = 0;
    double rawMs = 0;
    qint64 rows = 0;
    QString note;
};

// The raw fetch runs before and after the program's work; the faster run counts (warm cache).
double rawBest(const QString& db, const QStringList& sql, const QVector<QVariant>& params, qint64* rows = nullptr)
{
    const rawfetch::Result a = rawfetch::fetch(db, positional(sql), params);
    if (rows)
        *rows += a.rows;
    return a.ms;
}

void openData(TData& data, const QString& db)
{
    data.setDatabaseName(db);
    if (!openDataModule(data))
        throw DbError(QStringLiteral("cannot open %1").arg(db));
}

QString lastTicketNumber(TData& data)
{
    Query q(&data.connection(), QStringLiteral("b"));
    q.setSql({QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = :p1")});
    q.setText(QStringLiteral("p1"), kBuyer);
    q.open();
    return q.text(QStringLiteral("a_fjbszam"));
}

// "Ravuraruvida reva" opened on the last ticket, as after storing one: the list, its grid painted.
double openTicketList(TData& data)
{
    sharedState().buyerCode = kBuyer;
    sharedState().currentTicketNumber = lastTicketNumber(data);
    QElapsedTimer t;
    t.start();
    {
        TForm8 form;
        form.show();
        QCoreApplication::processEvents();
        if (data.ZQ10.rowCount() == 0)
            throw DbError(QStringLiteral("the ticket list is empty"));
    }
    return msSince(t);
}

// "Kigyüjtés" of the itemised list: the grand total, the lines, the grid over them.
double collectItemised(TData& data, QString* total = nullptr)
{
    QElapsedTimer t;
    t.start();
    Query& q = data.ZQ20;
    q.close();
    q.setSql(yeargen::itemisedTotalSql());
    q.setDate(QStringLiteral("p1"), kFrom);
    q.setDate(QStringLiteral("p2"), kTo);
    q.setText(QStringLiteral("p3"), kBuyer);
    q.open();
    const QString grand = q.isEmpty() ? QStringLiteral("0") : fmt::formatNumber(q.number(QStringLiteral("m_osszesen")));
    if (total)
        *total = grand;
    q.close();
    q.setSql(yeargen::itemisedSql());
    q.setDate(QStringLiteral("p1"), kFrom);
    q.setDate(QStringLiteral("p2"), kTo);
    q.setText(QStringLiteral("p3"), kBuyer);
    q.open();
    QueryModel model(&q);
    model.setColumns({{QStringLiteral("s_megnevezes"), QStringLiteral("Megnevezés")},
                      {QStringLiteral("s_ear"), QStringLiteral("E.ár")},
                      {QStringLiteral("s_netto"), QStringLiteral("Mennyiség")},
                      {QStringLiteral("s_megy"), QStringLiteral("M.egys.")},
                      {QStringLiteral("s_bszam"), QStringLiteral("Bszám")},
                      {QStringLiteral("s_vtsz"), QStringLiteral("VTSZ")},
                      {QStringLiteral("s_kompmerteke"), QStringLiteral("Komp.%")},
                      {QStringLiteral("s_termekkod"), QStringLiteral("Termékkód")},
                      {QStringLiteral("id_fjsor"), QStringLiteral("ID")}});
    // A grid shows its first screenful.
    for (int r = 0; r < qMin(40, model.rowCount()); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            model.data(model.index(r, c));
    return msSince(t);
}

double rawItemised(const QString& db, qint64* rows)
{
    const QVector<QVariant> params{kFrom, kTo, kBuyer};
    return rawBest(db, yeargen::itemisedTotalSql(), params, rows) + rawBest(db, yeargen::itemisedSql(), params, rows);
}

// The itemised list's layout: landscape, column heads on every page, page and grand totals.
const char* const kItemisedTemplate = R"(<report orientation="landscape" paper="A4" margins="10,10,10,10" size="8"
        title="Tételes lista">
  <band type="reportTitle" height="10">
    <text w="277" h="8" size="14" bold="true" align="center">Tételes lista [v_tol] - [v_ig], [v_sorrend] szerint</text>
  </band>
  <band type="pageHeader" height="6">
    <text w="200" h="5" italic="true">[ZQ60."v_neve"]</text>
    <text x="200" w="77" h="5" align="right">[PAGE#]. oldal / [TOTALPAGES#]</text>
  </band>
  <band type="columnHeader" height="6">
    <rect w="277" h="6" width="0" fill="#e6e6e6"/>
    <text x="0" w="20" h="6" bold="true" frame="all">Bszám</text>
    <text x="20" w="20" h="6" bold="true" frame="all" align="center">Fiz.dátum</text>
    <text x="40" w="55" h="6" bold="true" frame="all">Östermelö</text>
    <text x="95" w="50" h="6" bold="true" frame="all">Megnevezés</text>
    <text x="145" w="17" h="6" bold="true" frame="all">VTSZ</text>
    <text x="162" w="25" h="6" bold="true" frame="all" align="right">Mennyiség</text>
    <text x="187" w="12" h="6" bold="true" frame="all">M.e.</text>
    <text x="199" w="22" h="6" bold="true" frame="all" align="right">E.ár</text>
    <text x="221" w="14" h="6" bold="true" frame="all" align="right">Komp.%</text>
    <text x="235" w="42" h="6" bold="true" frame="all" align="right">Vételár</text>
  </band>
  <band type="masterData" name="Sor" dataset="frDBDataSet1" height="4.2">
    <text x="0" w="20" h="4.2">[ZQ20."s_bszam"]</text>
    <text x="20" w="20" h="4.2" align="center">[ZQ20."f_fizkelt"]</text>
    <text x="40" w="55" h="4.2">[ZQ20."o_nev"]</text>
    <text x="95" w="50" h="4.2">[ZQ20."s_megnevezes"]</text>
    <text x="145" w="17" h="4.2">[ZQ20."s_vtsz"]</text>
    <text x="162" w="25" h="4.2" align="right" format="number:2">[ZQ20."s_netto"]</text>
    <text x="187" w="12" h="4.2">[ZQ20."s_megy"]</text>
    <text x="199" w="22" h="4.2" align="right" format="number:2">[ZQ20."s_ear"]</text>
    <text x="221" w="14" h="4.2" align="right">[ZQ20."s_kompmerteke"]</text>
    <text x="235" w="42" h="4.2" align="right" format="number:0">[ZQ20."s_vetelar"]</text>
  </band>
  <band type="reportSummary" height="8">
    <line x1="0" y1="0.5" x2="277" y2="0.5" width="0.4"/>
    <text x="0" y="1" w="200" h="5" bold="true">Összesen: [COUNT()] tétel</text>
    <text x="200" y="1" w="77" h="5" bold="true" align="right">[v_osszesen]</text>
  </band>
  <band type="pageFooter" height="6">
    <line x1="0" y1="0.5" x2="277" y2="0.5" width="0.2"/>
    <text x="0" y="1" w="200" h="4.5">Oldal összege: [FORMATNUMBER(SUM(ZQ20."s_vetelar"), 0)] Ft</text>
  </band>
</report>)";

struct PdfFigures
{
    double prepareMs = 0;
    double pdfMs = 0;
    int pages = 0;
};

// The itemised year printed to PDF through the program's data sets and variables.
PdfFigures printItemised(TData& data, const QString& total, const QString& file)
{
    ReportModule module(&data);
    Query& buyer = data.ZQ60;
    buyer.close();
    buyer.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM atvevo"), QStringLiteral("WHERE v_akod = :p0")});
    buyer.setText(QStringLiteral("p0"), kBuyer);
    buyer.open();
    module.setVariable(QStringLiteral("v_osszesen"), total);
    module.setVariable(QStringLiteral("v_tol"), fmt::formatDate(kFrom));
    module.setVariable(QStringLiteral("v_ig"), fmt::formatDate(kTo));
    module.setVariable(QStringLiteral("v_sorrend"), QStringLiteral("östermelö"));
    report::Report rep;
    QString error;
    if (!rep.loadFromString(QString::fromUtf8(kItemisedTemplate), QStringLiteral("FjLista4.frf"), &error))
        throw Error(error);
    PdfFigures f;
    QElapsedTimer t;
    t.start();
    if (!rep.prepare(module.registry(), module.variables(), &error))
        throw Error(error);
    f.prepareMs = msSince(t);
    t.restart();
    if (!report::writePdf(rep.prepared(), file, &error))
        throw Error(error);
    f.pdfMs = msSince(t);
    f.pages = rep.prepared().pageCount();
    return f;
}

const QStringList kTables = {QStringLiteral("FJFEJ"), QStringLiteral("FJSOR"), QStringLiteral("OSTERMELO"),
                             QStringLiteral("TERMEK"), QStringLiteral("SORSZAM"), QStringLiteral("ATVEVO")};

// The rows the month's 1608M collection reads: each paid producer's sum and the producers' records.
QStringList month1608SumsSql()
{
    return {QStringLiteral("SELECT f_ostermkod, SUM(f_muvktg) AS kifizetett FROM fjfej"),
            QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)"),
            QStringLiteral("GROUP BY f_ostermkod")};
}

QStringList month1608ProducersSql()
{
    return {QStringLiteral("SELECT o.* FROM ostermelo o JOIN (SELECT DISTINCT f_ostermkod FROM fjfej"),
            QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)"),
            QStringLiteral(") p ON p.f_ostermkod = o.o_kod")};
}

// The rows the audit XML reads: the year's ticket headers with their producers, and their lines.
QStringList auditHeadersSql()
{
    return {QStringLiteral("SELECT f.*, o.* FROM fjfej f LEFT JOIN ostermelo o ON f.f_ostermkod = o.o_kod"),
            QStringLiteral("WHERE f.f_kelt >= :p1 AND f.f_kelt <= :p2 AND f.f_akod = :p3")};
}

QStringList auditLinesSql()
{
    return {QStringLiteral("SELECT s.* FROM fjsor s JOIN fjfej f ON s.s_bszam = f.f_bszam AND s.s_akod = f.f_akod"),
            QStringLiteral("WHERE f.f_kelt >= :p1 AND f.f_kelt <= :p2 AND f.f_akod = :p3")};
}

// One action in this process; prints a tab-separated line for the parent.
int runAction(const QString& action, const QString& db)
{
    Figures f;
    if (action == QLatin1String("startup")) {
        QStringList selects;
        for (const QString& t : kTables)
            selects << QStringLiteral("SELECT * FROM %1").arg(t);
        f.rawMs = rawfetch::attachAndPrepare(db, selects);
        QElapsedTimer t;
        t.start();
        TData data;
        openData(data, db);
        TForm1 window(&data);
        window.show();
        QCoreApplication::processEvents();
        f.programMs = msSince(t);
        f.rows = 0;
        f.note = QStringLiteral("raw: attach + prepare the six table SELECTs");
        f.rawMs = qMin(f.rawMs, rawfetch::attachAndPrepare(db, selects));
        data.closeAtExit();
    } else if (action == QLatin1String("ticketlist")) {
        const QVector<QVariant> params{kBuyer};
        f.rawMs = rawBest(db, yeargen::ticketListSql(), params);
        TData data;
        openData(data, db);
        f.programMs = openTicketList(data);
        f.rows = data.ZQ10.rowCount();
        f.rawMs = qMin(f.rawMs, rawBest(db, yeargen::ticketListSql(), params));
        data.closeAtExit();
    } else if (action == QLatin1String("ticketquery")) {
        // The ticket list's query and positioning alone, without the screen.
        const QVector<QVariant> params{kBuyer};
        f.rawMs = rawBest(db, yeargen::ticketListSql(), params);
        TData data;
        openData(data, db);
        const QString last = lastTicketNumber(data);
        QElapsedTimer t;
        t.start();
        data.ZQ10.close();
        data.ZQ10.setSql(yeargen::ticketListSql());
        data.ZQ10.setText(QStringLiteral("p1"), kBuyer);
        data.ZQ10.open();
        data.ZQ10.locatePrefix(QStringLiteral("f_bszam"), last);
        f.programMs = msSince(t);
        f.rows = data.ZQ10.rowCount();
        f.note = QStringLiteral("the list query and locating the last ticket, no screen");
        f.rawMs = qMin(f.rawMs, rawBest(db, yeargen::ticketListSql(), params));
        data.closeAtExit();
    } else if (action == QLatin1String("itemised")) {
        qint64 rows = 0;
        f.rawMs = rawItemised(db, &rows);
        TData data;
        openData(data, db);
        f.programMs = collectItemised(data);
        f.rows = data.ZQ20.rowCount();
        f.rawMs = qMin(f.rawMs, rawItemised(db, &rows));
        data.closeAtExit();
    } else if (action == QLatin1String("excel-query")) {
        // The Excel export of tickets is being built; until then only its query is timed.
        const QVector<QVariant> params{kFrom, kTo, kBuyer};
        f.rawMs = rawBest(db, yeargen::excelTicketsSql(), params);
        TData data;
        openData(data, db);
        QElapsedTimer t;
        t.start();
        data.ZQ20.close();
        data.ZQ20.setSql(yeargen::excelTicketsSql());
        data.ZQ20.setDate(QStringLiteral("p1"), kFrom);
        data.ZQ20.setDate(QStringLiteral("p2"), kTo);
        data.ZQ20.setText(QStringLiteral("p3"), kBuyer);
        data.ZQ20.open();
        f.programMs = msSince(t);
        f.rows = data.ZQ20.rowCount();
        f.note = QStringLiteral("the query alone");
        f.rawMs = qMin(f.rawMs, rawBest(db, yeargen::excelTicketsSql(), params));
        data.closeAtExit();
    } else if (action == QLatin1String("month1608")) {
        // "Kigyüjtés" of the 1608M import files for the busiest month, into a temporary C:\ root.
        const taxsupply::ImportPeriod september{QDate(2016, 9, 1), QDate(2016, 9, 30)};
        const QVector<QVariant> params{september.from, september.to, kBuyer};
        auto raw = [&] {
            qint64 rows = 0;
            const double ms = rawBest(db, month1608SumsSql(), params, &rows) +
                              rawBest(db, month1608ProducersSql(), params, &rows);
            return std::pair{ms, rows};
        };
        f.rawMs = raw().first;
        QTemporaryDir root;
        paths::setWindowsRoot(root.path());
        TData data;
        openData(data, db);
        QElapsedTimer t;
        t.start();
        const taxsupply::CollectOutcome out = taxsupply::collectMonth(data, kBuyer, september);
        f.programMs = msSince(t);
        const auto [again, rows] = raw();
        f.rawMs = qMin(f.rawMs, again);
        f.rows = rows;
        f.note = QStringLiteral("September: %1 import files and the list file; raw: the producers' sums and records")
                     .arg(out.importFiles.size());
        data.closeAtExit();
    } else if (action == QLatin1String("auditxml")) {
        // The audit XML of the year: "Kigyüjtés" into NAVFEJ, then "Export" of the file.
        const QVector<QVariant> params{kFrom, kTo, kBuyer};
        auto raw = [&] {
            qint64 rows = 0;
            const double ms = rawBest(db, auditHeadersSql(), params, &rows) + rawBest(db, auditLinesSql(), params, &rows);
            return std::pair{ms, rows};
        };
        f.rawMs = raw().first;
        QTemporaryDir dir;
        TData data;
        openData(data, db);
        auditxml::CollectRequest collect;
        collect.by = auditxml::SelectBy::IssueDate;
        collect.from = kFrom;
        collect.to = kTo;
        collect.onszla = QStringLiteral("true");
        collect.papir = QStringLiteral("Papir alapon számítógéppel kiállított");
        QElapsedTimer t;
        t.start();
        const int collected = auditxml::collectNavFej(data, kBuyer, collect);
        const double collectMs = msSince(t);
        auditxml::ExportRequest request;
        request.from = kFrom;
        request.to = kTo;
        request.buyerCode = kBuyer;
        request.path = dir.filePath(QStringLiteral("szamlak.xml"));
        auditxml::exportAuditXml(data, request);
        f.programMs = msSince(t);
        const auto [again, rows] = raw();
        f.rawMs = qMin(f.rawMs, again);
        f.rows = rows;
        f.note = QStringLiteral("%1 tickets: collect %2 ms, XML %3 ms, %4 MiB; raw: the year's headers and lines")
                     .arg(collected)
                     .arg(collectMs, 0, 'f', 0)
                     .arg(f.programMs - collectMs, 0, 'f', 0)
                     .arg(static_cast<double>(QFileInfo(request.path).size()) / 1048576.0, 0, 'f', 1);
        data.closeAtExit();
    } else if (action == QLatin1String("excel")) {
        // The tickets workbook of the year: its query and the BIFF file written.
        const QVector<QVariant> params{kFrom, kTo, kBuyer};
        const QStringList sql = excel::ticketSql(excel::DateKind::Payment);
        f.rawMs = rawBest(db, sql, params);
        QTemporaryDir dir;
        TData data;
        openData(data, db);
        Query query(&data.connection(), QStringLiteral("excel"));
        QElapsedTimer t;
        t.start();
        excel::gatherTickets(query, kFrom, kTo, excel::DateKind::Payment, kBuyer);
        const double gatherMs = msSince(t);
        const QString path = dir.filePath(excel::kTicketWorkbook);
        excel::writeWorkbook(query, excel::ticketLayout(), path);
        f.programMs = msSince(t);
        f.rows = query.rowCount();
        f.note = QStringLiteral("query %1 ms, workbook %2 ms, %3 MiB")
                     .arg(gatherMs, 0, 'f', 0)
                     .arg(f.programMs - gatherMs, 0, 'f', 0)
                     .arg(static_cast<double>(QFileInfo(path).size()) / 1048576.0, 0, 'f', 1);
        query.close();
        f.rawMs = qMin(f.rawMs, rawBest(db, sql, params));
        data.closeAtExit();
    } else if (action == QLatin1String("pdf")) {
        qint64 rows = 0;
        f.rawMs = rawItemised(db, &rows);
        TData data;
        openData(data, db);
        QString total;
        const double collect = collectItemised(data, &total);
        // BENCH_YEAR_PDF names a file to keep the printout in, for looking at it.
        QTemporaryDir dir;
        const QString keep = qEnvironmentVariable("BENCH_YEAR_PDF");
        const PdfFigures p =
            printItemised(data, total, keep.isEmpty() ? dir.filePath(QStringLiteral("FjLista4.pdf")) : keep);
        f.programMs = collect + p.prepareMs + p.pdfMs;
        f.rows = data.ZQ20.rowCount();
        f.note = QStringLiteral("%1 pages: collect %2 ms, prepare %3 ms, PDF %4 ms, %5 ms a page")
                     .arg(p.pages)
                     .arg(collect, 0, 'f', 0)
                     .arg(p.prepareMs, 0, 'f', 0)
                     .arg(p.pdfMs, 0, 'f', 0)
                     .arg((p.prepareMs + p.pdfMs) / qMax(1, p.pages), 0, 'f', 2);
        data.closeAtExit();
    } else if (action == QLatin1String("session")) {
        // One run of the program: start, open the ticket list, collect and print the itemised year.
        QElapsedTimer t;
        t.start();
        TData data;
        openData(data, db);
        {
            TForm1 window(&data);
            window.show();
            QCoreApplication::processEvents();
        }
        openTicketList(data);
        QString total;
        collectItemised(data, &total);
        QTemporaryDir dir;
        printItemised(data, total, dir.filePath(QStringLiteral("FjLista4.pdf")));
        f.programMs = msSince(t);
        f.rows = data.ZQ10.rowCount() + data.ZQ20.rowCount();
        f.note = QStringLiteral("start-up, ticket list, itemised list, its PDF");
        data.closeAtExit();
    } else {
        std::fprintf(stderr, "unknown action %s\n", qPrintable(action));
        return 2;
    }
    std::printf("%s\t%.1f\t%.1f\t%lld\t%ld\t%s\n", qPrintable(action), f.programMs, f.rawMs,
                static_cast<long long>(f.rows), peakMiB(), qPrintable(f.note));
    return 0;
}

// The actions in the order they are reported.
const char* const kActions[] = {"startup", "ticketquery", "ticketlist", "itemised", "excel-query",
                                "excel",   "month1608",   "auditxml",   "pdf",      "session"};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    auto option = [&](const QString& name, const QString& fallback) {
        const int i = args.indexOf(name);
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    QString db = option(QStringLiteral("--db"), QString());
    const QString action = option(QStringLiteral("--action"), QString());
    fmt::applyProcessFormats();
    try {
        if (!action.isEmpty())
            return runAction(action, db);
        if (db.isEmpty()) {
            const int tickets = option(QStringLiteral("--tickets"), QStringLiteral("50000")).toInt();
            db = QDir::temp().filePath(QStringLiteral("zeror-bench-year-%1.fdb").arg(tickets));
            if (!QFileInfo::exists(db)) {
                std::printf("generating %s ...\n", qPrintable(db));
                std::fflush(stdout);
                const auto size = tickets == 50000 ? yeargen::Size{} : yeargen::Size::forTickets(tickets);
                yeargen::generateYear(db, size);
            }
        }
        db = QFileInfo(db).absoluteFilePath();
        std::printf("%-12s %10s %10s %7s %9s %9s  %s\n", "action", "program", "raw fetch", "ratio", "rows", "peak MiB",
                    "note");
        for (const char* a : kActions) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--action"), QString::fromLatin1(a), QStringLiteral("--db"), db});
            child.waitForFinished(-1);
            QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n')).value(0).split(
                QLatin1Char('\t'));
            if (child.exitCode() != 0 || parts.size() < 5) {
                std::printf("%-12s failed\n", a);
                continue;
            }
            const double program = parts[1].toDouble();
            const double raw = parts[2].toDouble();
            std::printf("%-12s %8.0f ms %7.0f ms %7s %9s %9s  %s\n", a, program, raw,
                        raw > 0 ? qPrintable(QString::number(program / raw, 'f', 2)) : "-", qPrintable(parts[3]),
                        qPrintable(parts[4]), qPrintable(parts.value(5)));
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
