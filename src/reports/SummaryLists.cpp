#include "SummaryLists.h"

#include "Formats.h"
#include "TData.h"

namespace zeror {

namespace {

// Lines join their ticket by number and buyer, so buyers whose number ranges overlap never mix.
const QString kHeadersToLines =
    QStringLiteral("left join fjsor on fjfej.f_bszam = fjsor.s_bszam AND fjsor.s_akod = fjfej.f_akod");
const QString kLinesToHeaders =
    QStringLiteral("left join fjfej on fjfej.f_bszam = fjsor.s_bszam AND fjfej.f_akod = fjsor.s_akod");

QString total(const Query& q, const char* field)
{
    return grandTotalText(q.isEmpty() ? QVariant() : q.value(QString::fromLatin1(field)));
}

QString fieldText(const Query& q, const char* field)
{
    const QVariant v = q.value(QString::fromLatin1(field));
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return fmt::formatDate(v.toDate());
    return v.toString();
}

} // namespace

// ---- "Egy östermelö havi bontásban termékenként " --------------------------------------------

QString locateProducerByName(TData& data, const QString& prefix)
{
    Query& q = data.ZQ30;
    q.close();
    q.setSql({QStringLiteral("SELECT * FROM ostermelo "), QStringLiteral("ORDER BY o_Nev COLLATE PXW_HUN")});
    q.open();
    q.first();
    if (!q.locatePrefix(QStringLiteral("o_Nev"), prefix))
        q.first();
    return q.isEmpty() ? QString() : q.text(QStringLiteral("o_kod"));
}

ProducerCard producerCard(const Query& producers)
{
    ProducerCard card;
    if (!producers.isOpen() || producers.isEmpty() || producers.recNo() < 0)
        return card;
    card.code = fieldText(producers, "o_kod");
    card.name = fieldText(producers, "O_NEV");
    card.address = fieldText(producers, "O_IRSZAM") + QStringLiteral("  ") + fieldText(producers, "O_HELYSEGNEV")
                   + QStringLiteral("  ") + fieldText(producers, "O_UTCA");
    card.birthData = QStringLiteral("Szül.idö: ") + fieldText(producers, "O_SZIDO") + QStringLiteral("  Anyja neve: ")
                     + fieldText(producers, "O_ANYJA");
    return card;
}

ListTotals collectProducerMonthly(TData& data, const QString& buyerCode, const QString& producerCode, bool detailed)
{
    Query& q = data.ZQ11;
    q.close();
    q.setSql({QStringLiteral("select fjfej.f_ostermkod, sum(fjsor.s_felvar) as v_felvar, sum(fjsor.s_kompfelar) as v_felar, "
                             "sum(fjsor.s_vetelar) as v_vetelar"),
              QStringLiteral("from fjfej"), kHeadersToLines,
              QStringLiteral("WHERE (fjfej.f_ostermkod = :p1) AND (f_akod = :p2)"),
              QStringLiteral("group by fjfej.f_ostermkod")});
    q.setText(QStringLiteral("p1"), producerCode);
    q.setText(QStringLiteral("p2"), buyerCode);
    q.open();
    q.first();
    const ListTotals totals{total(q, "v_felvar"), total(q, "v_felar"), total(q, "v_vetelar")};

    // A group whose quantity sums to 0 gets an empty average price instead of a division error.
    const QString averageLine =
        QStringLiteral("sum(fjsor.s_felvar)/NULLIF(sum(fjsor.s_netto), 0) as v_atlar, sum(fjsor.s_kompfelar) as v_felar, "
                       "sum(fjsor.s_vetelar) as v_vetelar");
    q.close();
    if (detailed) {
        q.setSql({QStringLiteral("select  fjsor.id_fjsor, fjfej.f_ostermkod, ostermelo.o_nev, extract( month from fjfej.f_felvkelt) as ho, "
                                 "fjsor.s_megnevezes, sum(fjsor.s_netto) as v_menny, sum(fjsor.s_felvar) as v_felvar,"),
                  averageLine, QStringLiteral("from fjfej"), kHeadersToLines,
                  QStringLiteral("left join ostermelo on fjfej.f_ostermkod = ostermelo.o_kod"),
                  QStringLiteral("WHERE (fjfej.f_ostermkod = :p1) AND (f_akod = :p2)"),
                  QStringLiteral("group by fjsor.id_fjsor, fjfej.f_ostermkod, ostermelo.o_nev, extract(month from fjfej.f_felvkelt), "
                                 "fjsor.s_megnevezes")});
    } else {
        q.setSql({QStringLiteral("select  fjfej.f_ostermkod, ostermelo.o_nev, extract( month from fjfej.f_felvkelt) as ho, "
                                 "fjsor.s_megnevezes, sum(fjsor.s_netto) as v_menny, sum(fjsor.s_felvar) as v_felvar,"),
                  averageLine, QStringLiteral("from fjfej"), kHeadersToLines,
                  QStringLiteral("left join ostermelo on fjfej.f_ostermkod = ostermelo.o_kod"),
                  QStringLiteral("WHERE (fjfej.f_ostermkod = :p1) AND (f_akod = :p2)"),
                  QStringLiteral("group by fjfej.f_ostermkod, ostermelo.o_nev, extract(month from fjfej.f_felvkelt), fjsor.s_megnevezes")});
    }
    q.setText(QStringLiteral("p1"), producerCode);
    q.setText(QStringLiteral("p2"), buyerCode);
    q.open();
    q.last();
    return totals;
}

ListPrintJob producerMonthlyPrint(const ProducerCard& producer, const ListTotals& totals)
{
    ListPrintJob job;
    job.templateFile = QStringLiteral("FjLista9.frf");
    job.variables = {{QStringLiteral("v_nev"), producer.name},       {QStringLiteral("v_cim"), producer.address},
                     {QStringLiteral("v_szido"), producer.birthData}, {QStringLiteral("v_far"), totals.purchasePrice},
                     {QStringLiteral("v_kar"), totals.surcharge},     {QStringLiteral("v_var"), totals.paid}};
    return job;
}

// ---- "Kp. napilista" ------------------------------------------------------------------------

void collectCashDaily(TData& data, const QString& buyerCode, bool perProduct)
{
    // A ticket whose transfer mark is missing altogether is paid in cash as well.
    const QString cashLine = QStringLiteral("where (COALESCE(fjfej.f_utal, ' ') <> :p2) AND (f_akod = :p1)");
    Query& q = data.ZQ11;
    q.close();
    if (perProduct) {
        q.setSql({QStringLiteral("select  fjfej.f_fizkelt, fjsor.s_megnevezes, sum(fjsor.s_vetelar) as v_kifiz2"),
                  QStringLiteral("from fjfej"), kHeadersToLines, cashLine,
                  QStringLiteral("group by fjfej.f_fizkelt, fjsor.s_megnevezes")});
    } else {
        q.setSql({QStringLiteral("select  fjfej.f_fizkelt, sum(fjfej.f_muvktg) as v_kifiz1"), QStringLiteral("from fjfej"),
                  cashLine, QStringLiteral("group by fjfej.f_fizkelt")});
    }
    q.setText(QStringLiteral("p1"), buyerCode);
    q.setText(QStringLiteral("p2"), QStringLiteral("x"));
    q.open();
    q.last();
}

ListPrintJob cashDailyPrint(bool perProduct)
{
    ListPrintJob job;
    job.templateFile = perProduct ? QStringLiteral("FjLista11.frf") : QStringLiteral("FjLista10.frf");
    return job;
}

// ---- "Statisztika" ----------------------------------------------------------------------------

ListTotals collectStatistics(TData& data, const QString& buyerCode, bool overall)
{
    Query& q = data.ZQ11;
    q.close();
    q.setSql({QStringLiteral("select  sum(fjsor.s_felvar) as v_felvar,  sum(fjsor.s_vetelar) as v_kifiz"),
              QStringLiteral("from fjsor"), kLinesToHeaders, QStringLiteral("WHERE f_akod = :p1"),
              QStringLiteral("group by fjfej.f_akod")});
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    q.first();
    ListTotals totals;
    totals.purchasePrice = total(q, "v_felvar");
    totals.paid = total(q, "v_kifiz");

    // A group whose quantity sums to 0 gets an empty average price instead of a division error.
    q.close();
    if (overall) {
        q.setSql({QStringLiteral("select fjsor.s_megnevezes,  sum(fjsor.s_netto) as v_menny, "
                                 "sum(fjsor.s_felvar)/NULLIF(sum(fjsor.s_netto), 0) as v_atlar, sum(fjsor.s_felvar) as v_felvar, "
                                 "sum(fjsor.s_vetelar) as v_kifiz"),
                  QStringLiteral("from fjsor"), kLinesToHeaders, QStringLiteral("where fjfej.f_akod = :p1"),
                  QStringLiteral("group by fjsor.s_megnevezes")});
    } else {
        q.setSql({QStringLiteral("select fjsor.s_megnevezes, extract( month from fjfej.f_felvkelt) as ho,  sum(fjsor.s_netto) as v_menny, "
                                 "sum(fjsor.s_felvar)/NULLIF(sum(fjsor.s_netto), 0) as v_atlar, sum(fjsor.s_felvar) as v_felvar, "
                                 "sum(fjsor.s_vetelar) as v_kifiz"),
                  QStringLiteral("from fjsor"), kLinesToHeaders, QStringLiteral("where fjfej.f_akod = :p1"),
                  QStringLiteral("group by fjsor.s_megnevezes, extract( month from fjfej.f_felvkelt)")});
    }
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    q.last();
    return totals;
}

ListPrintJob statisticsPrint(const ListTotals& totals, bool overall)
{
    ListPrintJob job;
    job.templateFile = overall ? QStringLiteral("FjLista13.frf") : QStringLiteral("FjLista12.frf");
    job.variables = {{QStringLiteral("v_far"), totals.purchasePrice}, {QStringLiteral("v_var"), totals.paid}};
    return job;
}

// ---- "Szerzödés nyomtatás" --------------------------------------------------------------------

const QList<ContractField>& contractFields()
{
    static const QList<ContractField> fields{
        {QStringLiteral("Sorszám:"), QString(), QStringLiteral("v_szam")},
        {QStringLiteral("Terület hrsz"), QString(), QStringLiteral("v_hrsz")},
        {QStringLiteral("Terület nagysága"), QString(), QStringLiteral("v_ter")},
        {QStringLiteral("Helyrevetett"), QStringLiteral("Ha"), QStringLiteral("v_helyre")},
        {QStringLiteral("Palántázott"), QStringLiteral("Ha"), QStringLiteral("v_pal")},
        {QStringLiteral("Szerződött mennyiség "), QStringLiteral("t"), QStringLiteral("v_szmenny")},
        {QStringLiteral("Fémzárolt vetőmag"), QStringLiteral("kg"), QStringLiteral("v_femz")},
        {QStringLiteral("Telefon"), QString(), QStringLiteral("v_tel")},
        {QStringLiteral("Év"), QString(), QStringLiteral("v_ev")},
        {QStringLiteral("Teljesítési hat.idö"), QString(), QStringLiteral("v_that")},
    };
    return fields;
}

void positionContractProducer(TData& data, const QString& producerCode)
{
    Query& q = data.ZQ30;
    if (q.isOpen() && !q.isEmpty() && q.recNo() >= 0 && q.text(QStringLiteral("o_kod")) == producerCode)
        return;
    if (q.isOpen() && q.hasField(QStringLiteral("o_kod")) && q.locate(QStringLiteral("o_kod"), producerCode))
        return;
    q.close();
    q.setSql({QStringLiteral("SELECT * FROM ostermelo "), QStringLiteral("WHERE o_kod = :p0")});
    q.setText(QStringLiteral("p0"), producerCode);
    q.open();
    q.first();
}

ListPrintJob contractPrint(const QStringList& values)
{
    ListPrintJob job;
    job.templateFile = QStringLiteral("FjSzerzodes.frf");
    job.readBuyer = false;
    const QList<ContractField>& fields = contractFields();
    for (int i = 0; i < fields.size(); ++i)
        job.variables.append({fields[i].variable, values.value(i)});
    return job;
}

} // namespace zeror
