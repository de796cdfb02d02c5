#include "PeriodLists.h"

#include "Clock.h"
#include "Formats.h"
#include "TData.h"

namespace zeror {

namespace {

// Lines join their ticket by number and buyer, so buyers whose number ranges overlap never mix.
const QString kJoinHeaders = QStringLiteral("LEFT JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod");
const QString kJoinHeadersShort = QStringLiteral("LEFT JOIN fjfej     ON s_bszam = f_bszam AND s_akod = f_akod");
const QString kJoinProducers = QStringLiteral("LEFT JOIN ostermelo ON f_ostermkod = o_kod");

void bindPeriod(Query& q, const QDate& from, const QDate& to, const QString& buyerCode)
{
    q.setDate(QStringLiteral("p1"), from);
    q.setDate(QStringLiteral("p2"), to);
    q.setText(QStringLiteral("p3"), buyerCode);
}

// Runs a one-row total statement and gives its sum as the list's grand total text.
QString runGrandTotal(Query& q, const QStringList& sql, const QDate& from, const QDate& to, const QString& buyerCode)
{
    q.close();
    q.setSql(sql);
    bindPeriod(q, from, to, buyerCode);
    q.open();
    q.first();
    return grandTotalText(q.isEmpty() ? QVariant() : q.value(QStringLiteral("m_osszesen")));
}

} // namespace

QVariant ListPrintJob::variable(const QString& name) const
{
    for (const auto& v : variables)
        if (v.first == name)
            return v.second;
    return QVariant();
}

ListPeriod defaultListPeriod()
{
    // The year is the first four characters of today's date as text.
    const QString year = fmt::formatDate(clock::today()).left(4);
    ListPeriod period;
    fmt::parseDate(year + QStringLiteral(".01.01"), &period.from);
    fmt::parseDate(year + QStringLiteral(".12.31"), &period.to);
    return period;
}

QString listDateText(const QDate& date)
{
    return fmt::formatDate(date);
}

QString grandTotalText(const QVariant& sum)
{
    if (sum.isNull() || !sum.isValid())
        return QStringLiteral("0");
    bool ok = false;
    const double v = sum.toDouble(&ok);
    return ok ? fmt::formatNumber(v) : QStringLiteral("0");
}

QString periodLine(const QString& paymentDateLine, bool byPaymentDate)
{
    if (byPaymentDate)
        return paymentDateLine;
    QString line = paymentDateLine;
    return line.replace(QStringLiteral("f_fizkelt"), QStringLiteral("f_felvkelt"));
}

// ---- "Tételes lista" ------------------------------------------------------------------------

const QList<ItemisedOrder>& itemisedOrders()
{
    static const QList<ItemisedOrder> orders{
        {QStringLiteral("Östermelö"), QStringLiteral("ORDER BY o_nev COLLATE PXW_HUN, f_fizkelt"), QStringLiteral("östermelö")},
        {QStringLiteral("Fiz.dátum"), QStringLiteral("ORDER BY f_fizkelt, o_nev COLLATE PXW_HUN"), QStringLiteral("fizetés dátum")},
        {QStringLiteral("Zeror"), QStringLiteral("ORDER BY s_Bszam, s_megnevezes COLLATE PXW_HUN"), QStringLiteral("zeror szám")},
        {QStringLiteral("Termék"), QStringLiteral("ORDER BY s_megnevezes COLLATE PXW_HUN, o_nev COLLATE PXW_HUN"), QStringLiteral("termék megnevezés")},
        {QStringLiteral("Felv.dátum"), QStringLiteral("ORDER BY f_felvkelt, o_nev COLLATE PXW_HUN"), QStringLiteral("felvásárlás dátum")},
    };
    return orders;
}

QString collectItemisedList(TData& data, const QString& buyerCode, const QDate& from, const QDate& to, int order)
{
    const QList<ItemisedOrder>& orders = itemisedOrders();
    const ItemisedOrder& chosen = orders.value(order, orders.first());
    Query& q = data.ZQ20;
    const QString total = runGrandTotal(
        q,
        {QStringLiteral("SELECT s_akod,"), QStringLiteral("SUM(s_vetelar) AS  m_osszesen"), QStringLiteral("FROM fjsor"),
         kJoinHeadersShort, QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (s_akod = :p3)"),
         QStringLiteral("GROUP BY s_akod")},
        from, to, buyerCode);

    q.close();
    q.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"), kJoinHeadersShort, kJoinProducers,
              QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)"), chosen.orderBy});
    bindPeriod(q, from, to, buyerCode);
    q.open();
    return total;
}

ListPrintJob itemisedListPrint(const QString& grandTotal, const QDate& from, const QDate& to, int order)
{
    const QList<ItemisedOrder>& orders = itemisedOrders();
    ListPrintJob job;
    job.templateFile = QStringLiteral("FjLista4.frf");
    job.landscape = true;
    job.variables = {{QStringLiteral("v_osszesen"), grandTotal},
                     {QStringLiteral("v_tol"), listDateText(from)},
                     {QStringLiteral("v_ig"), listDateText(to)},
                     {QStringLiteral("v_sorrend"), orders.value(order, orders.first()).label}};
    return job;
}

QList<QPair<QString, QString>> itemisedListColumns()
{
    return {{QStringLiteral("s_megnevezes"), QStringLiteral("Megnevezés")},
            {QStringLiteral("s_ear"), QStringLiteral("E.ár")},
            // The line has no column of that name; its quantity is the net quantity.
            {QStringLiteral("s_netto"), QStringLiteral("Mennyiség")},
            {QStringLiteral("s_megy"), QStringLiteral("M.egys.")},
            {QStringLiteral("s_bszam"), QStringLiteral("Bszám")},
            {QStringLiteral("s_VTSZ"), QStringLiteral("VTSZ")},
            {QStringLiteral("s_kompmerteke"), QStringLiteral("Komp.%")},
            {QStringLiteral("s_termekkod"), QStringLiteral("Termékkód")},
            {QStringLiteral("ID_fjsor"), QStringLiteral("ID")}};
}

// ---- "Termékenkénti lista" ------------------------------------------------------------------

QString collectProductList(TData& data, const QString& buyerCode, const ListPeriod& period)
{
    const bool pay = period.byPaymentDate;
    const QString total = runGrandTotal(
        data.ZQ80,
        {QStringLiteral("SELECT s_akod,"), QStringLiteral("SUM(s_vetelar) AS  m_osszesen"), QStringLiteral("FROM fjsor"),
         kJoinHeaders,
         periodLine(QStringLiteral("WHERE (f_fizkelt >= :p1)  AND (f_fizkelt <= :p2)   AND (f_akod = :p3)"), pay),
         QStringLiteral("GROUP BY s_akod")},
        period.from, period.to, buyerCode);

    Query& summary = data.ZQ20;
    summary.close();
    summary.setSql({QStringLiteral("SELECT   s_megnevezes,"), QStringLiteral("SUM(s_netto) AS  mennyiseg,"),
                    QStringLiteral("SUM(s_vetelar) AS  kifizetett"), QStringLiteral("FROM fjsor"), kJoinHeaders,
                    kJoinProducers,
                    periodLine(QStringLiteral("WHERE (f_fizkelt >= :p1)  AND (f_fizkelt <= :p2)  AND (f_akod = :p3)"), pay),
                    QStringLiteral("GROUP BY s_megnevezes"), QStringLiteral("ORDER BY s_megnevezes COLLATE PXW_HUN")});
    bindPeriod(summary, period.from, period.to, buyerCode);
    summary.open();
    summary.first();

    // The lines of the first product, as the per-product feed re-runs them for every product.
    const QString product = summary.isEmpty() ? QString() : summary.text(QStringLiteral("s_megnevezes"));
    Query& lines = data.ZQ21;
    lines.close();
    lines.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"), kJoinHeaders, kJoinProducers,
                  periodLine(QStringLiteral("WHERE (s_megnevezes = :p0) AND  (f_fizkelt >= :p1) AND (f_fizkelt <= :p2)  AND (f_akod = :p3)"), pay)});
    lines.setText(QStringLiteral("p0"), product);
    bindPeriod(lines, period.from, period.to, buyerCode);
    lines.open();
    return total;
}

ListPrintJob productListPrint(const QString& grandTotal, const ListPeriod& period)
{
    ListPrintJob job;
    job.templateFile = QStringLiteral("FjLista5.frf");
    job.variables = {{QStringLiteral("v_datum"), period.byPaymentDate ? QStringLiteral("Fizetési ") : QStringLiteral("Felvásárlási ")},
                     {QStringLiteral("v_osszesen"), grandTotal},
                     {QStringLiteral("v_tol"), listDateText(period.from)},
                     {QStringLiteral("v_ig"), listDateText(period.to)},
                     {QStringLiteral("v_sorrend"), QStringLiteral("Termékenként")}};
    job.setsFeedPeriod = true;
    job.byPaymentDate = period.byPaymentDate;
    job.from = period.from;
    job.to = period.to;
    return job;
}

// ---- "Östermelönkénti lista" ----------------------------------------------------------------

QString collectProducerList(TData& data, const QString& buyerCode, const ListPeriod& period)
{
    const bool pay = period.byPaymentDate;
    const QString total = runGrandTotal(
        data.ZQ80,
        {QStringLiteral("SELECT s_akod,"), QStringLiteral("SUM(s_vetelar) AS  m_osszesen"), QStringLiteral("FROM fjsor"),
         kJoinHeaders,
         periodLine(QStringLiteral("WHERE (f_fizkelt >= :p1) AND (f_fizkelt <= :p2)  AND (s_akod = :p3)"), pay),
         QStringLiteral("GROUP BY s_akod")},
        period.from, period.to, buyerCode);

    Query& summary = data.ZQ20;
    summary.close();
    summary.setSql({QStringLiteral("SELECT o_kod, o_nev,"), QStringLiteral("SUM(s_vetelar) AS  nevosszesen"),
                    QStringLiteral("FROM fjsor"), kJoinHeaders, kJoinProducers,
                    periodLine(QStringLiteral("WHERE (f_fizkelt >= :p1) AND (f_fizkelt <= :p2) AND (s_akod = :p3)"), pay),
                    QStringLiteral("GROUP BY o_kod, o_nev")});
    bindPeriod(summary, period.from, period.to, buyerCode);
    summary.open();
    return total;
}

void prepareProducerListPrint(TData& data, const QString& buyerCode, const ListPeriod& period)
{
    const bool pay = period.byPaymentDate;
    Query& summary = data.ZQ20;
    summary.first();
    const QString producer = summary.isEmpty() ? QString() : summary.text(QStringLiteral("o_Kod"));

    Query& total = data.ZQ80;
    total.close();
    total.setSql({QStringLiteral("SELECT o_kod,"), QStringLiteral("SUM(s_vetelar) AS  nevosszesen"),
                  QStringLiteral("FROM fjsor"), kJoinHeaders, kJoinProducers,
                  periodLine(QStringLiteral("WHERE ( o_kod = :p0 ) AND ( f_fizkelt >= :p1 AND f_fizkelt <= :p2 ) AND (f_akod = :p3)"), pay),
                  QStringLiteral("GROUP BY o_kod")});
    total.setText(QStringLiteral("p0"), producer);
    bindPeriod(total, period.from, period.to, buyerCode);
    total.open();

    Query& lines = data.ZQ21;
    lines.close();
    lines.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"), kJoinHeaders, kJoinProducers,
                  periodLine(QStringLiteral("WHERE ( o_kod = :p0 ) AND (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)"), pay)});
    lines.setText(QStringLiteral("p0"), producer);
    bindPeriod(lines, period.from, period.to, buyerCode);
    lines.open();
}

ListPrintJob producerListPrint(const QString& grandTotal, const ListPeriod& period)
{
    ListPrintJob job;
    job.templateFile = QStringLiteral("FjLista8.frf");
    job.variables = {{QStringLiteral("v_osszesen"), grandTotal},
                     {QStringLiteral("v_tol"), listDateText(period.from)},
                     {QStringLiteral("v_ig"), listDateText(period.to)},
                     {QStringLiteral("v_sorrend"), QStringLiteral(" Östermelönként ")}};
    job.setsFeedPeriod = true;
    job.byPaymentDate = period.byPaymentDate;
    job.from = period.from;
    job.to = period.to;
    return job;
}

} // namespace zeror
