#include "TicketList.h"

#include "SharedState.h"
#include "TData.h"

namespace zeror {

const QList<TicketSortOrder>& ticketSortOrders()
{
    static const QList<TicketSortOrder> orders = {
        {QStringLiteral("Bszám"), QStringLiteral("ORDER BY f_Bszam"),
         QStringLiteral("Ravuraruvida reva lista, \"Bizonylatszám\" szerint")},
        {QStringLiteral("Österm.kód"), QStringLiteral("ORDER BY f_ostermkod"),
         QStringLiteral("Ravuraruvida reva lista, \"Őstermelőkód\" szerint")},
        {QStringLiteral("Név"), QStringLiteral("ORDER BY o_nev COLLATE PXW_HUN"), QStringLiteral("Ravuraruvida reva lista, név szerint")},
        {QStringLiteral("Dátum"), QStringLiteral("ORDER BY f_kelt"),
         QStringLiteral("Ravuraruvida reva lista, dátum szerint")},
        {QStringLiteral("Print"), QStringLiteral("ORDER BY f_prn"),
         QStringLiteral("Ravuraruvida reva lista, volt-e nyomtatva szerint")},
    };
    return orders;
}

const TicketSortOrder* ticketSortOrderForTitle(const QString& title)
{
    for (const TicketSortOrder& o : ticketSortOrders()) {
        if (o.title == title)
            return &o;
    }
    return nullptr;
}

QStringList ticketListSql(const QString& orderBy)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM FjFej"),
            QStringLiteral("LEFT JOIN ostermelo ON FjFej.f_ostermkod = Ostermelo.o_kod"),
            QStringLiteral("WHERE f_akod = :p1"), orderBy};
}

void openTicketList(TData& data, const QString& orderBy)
{
    Query& q = data.ZQ10;
    q.close();
    q.setSql(ticketListSql(orderBy));
    q.setText(QStringLiteral("p1"), sharedState().buyerCode);
    q.open();
}

bool openTicketListAt(TData& data, const QString& numberPrefix)
{
    openTicketList(data);
    Query& q = data.ZQ10;
    if (q.isEmpty())
        return false;
    if (q.locatePrefix(QStringLiteral("F_BSZAM"), numberPrefix))
        return true;
    q.first();
    return false;
}

QString modifyRefusal(const QString& printed, const QString& type)
{
    if (printed.trimmed() == u"I")
        return QStringLiteral("A felvásárlási jegy már nyomtatva volt!");
    if (type.trimmed() != u"1")
        return QStringLiteral("Az érvénytelenített felvásárlási jegy nem módosítható!");
    return QString();
}

QString voidingRefusal(const QString& printed, const QString& counterpart, const QString& type,
                       const QString& normalTicketType)
{
    if (printed.trimmed() != u"I")
        return QStringLiteral("Nem volt nyomtatva. Nem érvényteleníthető!");
    if (!counterpart.trimmed().isEmpty()) {
        if (type.trimmed() != normalTicketType.trimmed())
            return QStringLiteral("Érvénytelent (storno) nem lehet érvényteleníteni!");
        return QStringLiteral("Már érvénytelenítve van!");
    }
    return QString();
}

QString modifyRefusalOfSelected(TData& data)
{
    Query& q = data.ZQ11;
    q.close();
    q.setSql({QStringLiteral("SELECT f_bszam, f_prn, F_TIPUS"), QStringLiteral("FROM  FjFej"),
              QStringLiteral("WHERE ( f_bszam = :p1 ) AND ( f_akod = :p2 )")});
    q.setText(QStringLiteral("p1"), data.ZQ10.text(QStringLiteral("f_bszam")));
    q.setText(QStringLiteral("p2"), sharedState().buyerCode);
    q.open();
    return q.isEmpty() ? NoTicketSelected
                       : modifyRefusal(q.text(QStringLiteral("f_prn")), q.text(QStringLiteral("F_TIPUS")));
}

void openTicketDetails(TData& data, const QString& number, const QString& producerCode)
{
    Query& lines = data.ZQ20;
    lines.close();
    lines.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM FjSor"),
                  QStringLiteral("WHERE ( s_Bszam = :p0 ) AND ( s_akod = :p1 )")});
    lines.setText(QStringLiteral("p0"), number);
    lines.setText(QStringLiteral("p1"), sharedState().buyerCode);
    lines.open();
    Query& prod = data.ZQ30;
    prod.close();
    prod.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM ostermelo"), QStringLiteral("WHERE o_kod = :p0")});
    prod.setText(QStringLiteral("p0"), producerCode);
    prod.open();
}

} // namespace zeror
