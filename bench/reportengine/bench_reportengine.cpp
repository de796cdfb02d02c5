// Prepares an itemised list of 100,000 rows (landscape, 10 columns, column
// headers on every page, page and grand totals) and writes it as a PDF.
// Prints the prepare time, the PDF time, the page count and the peak memory.
//
//   bench_reportengine [rows] [output.pdf]     (defaults: 100000, /tmp/bench_reportengine.pdf)
//
// On the 2-core development machine (RelWithDebInfo build): 2,501 pages,
// 1,037,521 items, prepare 1.0 s, PDF 14.8 s (16 MB), peak memory 221 MiB.
// See also docs/report-templates.md, "Performance".

#include "reportengine/reportengine.h"

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <sys/resource.h>

#include <cstdio>

namespace {

// Rows made up from their number, so the data itself costs no memory.
class GeneratedRows : public report::DataSource {
public:
    explicit GeneratedRows(int count) : m_count(count) {}
    void first() override { m_row = 0; }
    void next() override { ++m_row; }
    bool eof() const override { return m_row >= m_count; }
    QVariant value(const QString& field) const override
    {
        const int i = m_row + 1;
        if (field.compare(u"f_bszam", Qt::CaseInsensitive) == 0)
            return QStringLiteral("FJ-%1").arg(i, 6, 10, QLatin1Char('0'));
        if (field.compare(u"f_datum", Qt::CaseInsensitive) == 0)
            return QDate(2024, 1, 1).addDays(i % 366);
        if (field.compare(u"e_nev", Qt::CaseInsensitive) == 0)
            return i % 3 == 0 ? QStringLiteral("Őri Ödön") : QStringLiteral("Űrhajós Éva %1").arg(i % 97);
        if (field.compare(u"e_adoszam", Qt::CaseInsensitive) == 0)
            return QString::number(10000000000LL + i * 7919LL);
        if (field.compare(u"t_nev", Qt::CaseInsensitive) == 0)
            return i % 2 ? QStringLiteral("Búza") : QStringLiteral("Árpa");
        if (field.compare(u"s_menny", Qt::CaseInsensitive) == 0)
            return 1000 + (i * 137) % 9000 + (i % 4) * 0.25;
        if (field.compare(u"s_egysar", Qt::CaseInsensitive) == 0)
            return 60 + (i * 7) % 40 + 0.5 * (i % 2);
        if (field.compare(u"s_netto", Qt::CaseInsensitive) == 0)
            return double((i * 7919) % 900000 + 1000);
        return {};
    }

private:
    int m_count;
    int m_row = 0;
};

const char* const kTemplate = R"(<report orientation="landscape" paper="A4" margins="10,10,10,10" size="8"
        title="Felvásárlási jegyek tételes listája">
  <band type="reportTitle" height="10">
    <text w="277" h="8" size="14" bold="true" align="center">Felvásárlási jegyek tételes listája – [v_ceg]</text>
  </band>
  <band type="pageHeader" height="6">
    <text w="200" h="5" italic="true">[v_ceg]</text>
    <text x="200" w="77" h="5" align="right">[PAGE#]. oldal / [TOTALPAGES#]</text>
  </band>
  <band type="columnHeader" height="6">
    <rect w="277" h="6" width="0" fill="#e6e6e6"/>
    <text x="0" w="12" h="6" bold="true" frame="all" align="right">Sor</text>
    <text x="12" w="26" h="6" bold="true" frame="all">Jegyszám</text>
    <text x="38" w="22" h="6" bold="true" frame="all" align="center">Dátum</text>
    <text x="60" w="50" h="6" bold="true" frame="all">Eladó</text>
    <text x="110" w="28" h="6" bold="true" frame="all" align="center">Adószám</text>
    <text x="138" w="25" h="6" bold="true" frame="all">Termék</text>
    <text x="163" w="28" h="6" bold="true" frame="all" align="right">Mennyiség</text>
    <text x="191" w="22" h="6" bold="true" frame="all" align="right">Egységár</text>
    <text x="213" w="32" h="6" bold="true" frame="all" align="right">Nettó</text>
    <text x="245" w="32" h="6" bold="true" frame="all" align="right">Bruttó</text>
  </band>
  <band type="masterData" name="Jegy" dataset="frDBDataSet1" height="4.2">
    <text x="0" w="12" h="4.2" align="right">[LINE#]</text>
    <text x="12" w="26" h="4.2">[ZQ10."f_bszam"]</text>
    <text x="38" w="22" h="4.2" align="center">[ZQ10."f_datum"]</text>
    <text x="60" w="50" h="4.2">[ZQ10."e_nev"]</text>
    <text x="110" w="28" h="4.2" align="center">[COPY(ZQ10."e_adoszam",1,8)+'-'+COPY(ZQ10."e_adoszam",9,1)+'-'+COPY(ZQ10."e_adoszam",10,2)]</text>
    <text x="138" w="25" h="4.2">[ZQ10."t_nev"]</text>
    <text x="163" w="28" h="4.2" align="right" format="number:2">[ZQ10."s_menny"]</text>
    <text x="191" w="22" h="4.2" align="right" format="number:2">[ZQ10."s_egysar"]</text>
    <text x="213" w="32" h="4.2" align="right" format="number:0">[ZQ10."s_netto"]</text>
    <text x="245" w="32" h="4.2" align="right" format="number:0">[ZQ10."s_netto"*1.27]</text>
  </band>
  <band type="reportSummary" height="8">
    <line x1="0" y1="0.5" x2="277" y2="0.5" width="0.4"/>
    <text x="0" y="1" w="163" h="5" bold="true">Összesen: [COUNT()] jegy</text>
    <text x="163" y="1" w="28" h="5" bold="true" align="right" format="number:2">[SUM(ZQ10."s_menny")]</text>
    <text x="213" y="1" w="32" h="5" bold="true" align="right" format="number:0">[SUM(ZQ10."s_netto")]</text>
    <text x="245" y="1" w="32" h="5" bold="true" align="right" format="number:0">[SUM(ZQ10."s_netto"*1.27)]</text>
  </band>
  <band type="pageFooter" height="6">
    <line x1="0" y1="0.5" x2="277" y2="0.5" width="0.2"/>
    <text x="0" y="1" w="200" h="4.5">Oldal összege: [FORMATNUMBER(SUM(ZQ10."s_netto"), 0)] Ft</text>
  </band>
</report>)";

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rows = args.size() > 1 ? args.at(1).toInt() : 100000;
    const QString pdf = args.size() > 2 ? args.at(2) : QStringLiteral("/tmp/bench_reportengine.pdf");

    GeneratedRows data(rows);
    report::DataRegistry registry;
    registry.setFeed(QStringLiteral("frDBDataSet1"), &data);
    registry.setSource(QStringLiteral("ZQ10"), &data);
    report::VariableStore vars;
    vars.set(QStringLiteral("v_ceg"), QStringLiteral("Őszi Gabona Zrt."));

    report::Report rep;
    QString error;
    if (!rep.loadFromString(QString::fromUtf8(kTemplate), QStringLiteral("bench.frf"), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    if (!rep.prepare(registry, vars, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 prepareMs = timer.elapsed();
    const long rssAfterPrepare = peakRssKb();
    timer.restart();
    if (!report::writePdf(rep.prepared(), pdf, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 pdfMs = timer.elapsed();
    qint64 items = 0;
    for (const report::PreparedPage& p : rep.prepared().pages)
        items += p.items.size();

    std::printf("rows:              %d\n", rows);
    std::printf("pages:             %d\n", rep.prepared().pageCount());
    std::printf("items:             %lld\n", static_cast<long long>(items));
    std::printf("prepare:           %lld ms\n", static_cast<long long>(prepareMs));
    std::printf("pdf:               %lld ms (%s)\n", static_cast<long long>(pdfMs), qPrintable(pdf));
    std::printf("peak rss prepared: %ld MiB\n", rssAfterPrepare / 1024);
    std::printf("peak rss:          %ld MiB\n", peakRssKb() / 1024);
    return 0;
}
