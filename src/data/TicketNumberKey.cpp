#include "TicketNumberKey.h"

#include "DbError.h"
#include "TData.h"
#include "Transaction.h"

namespace zeror::ticketkey {

bool hasKey(TData& data)
{
    Query& q = data.ZQ32;
    q.close();
    q.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM RDB$RELATION_CONSTRAINTS"),
              QStringLiteral("WHERE RDB$CONSTRAINT_NAME = :p1")});
    q.setText(QStringLiteral("p1"), KeyName);
    q.open();
    return !q.isEmpty() && q.integer(QStringLiteral("db")) > 0;
}

QList<DuplicateNumber> findDuplicates(TData& data)
{
    Query& q = data.ZQ32;
    q.close();
    q.setSql({QStringLiteral("SELECT f_akod, f_bszam, COUNT(*) AS db"), QStringLiteral("FROM FjFej"),
              QStringLiteral("GROUP BY f_akod, f_bszam"), QStringLiteral("HAVING COUNT(*) > 1"),
              QStringLiteral("ORDER BY f_akod, f_bszam")});
    q.open();
    QList<DuplicateNumber> out;
    for (q.first(); !q.eof(); q.next())
        out.append({q.text(QStringLiteral("f_akod")), q.text(QStringLiteral("f_bszam")),
                    static_cast<int>(q.integer(QStringLiteral("db")))});
    return out;
}

QList<DuplicateNumber> ensureKey(TData& data)
{
    if (hasKey(data))
        return {};
    const QList<DuplicateNumber> duplicates = findDuplicates(data);
    if (!duplicates.isEmpty())
        return duplicates;
    Transaction tx(data);
    data.connection().executeImmediate(
        QStringLiteral("ALTER TABLE FJFEJ ADD CONSTRAINT %1 UNIQUE (F_AKOD, F_BSZAM)").arg(KeyName));
    tx.commit();
    return {};
}

QString duplicatesMessage(const QList<DuplicateNumber>& duplicates)
{
    QStringList lines;
    lines << QStringLiteral("Az adatbázisban több felvásárlási jegy ugyanazzal a sorszámmal szerepel:");
    for (const DuplicateNumber& d : duplicates)
        lines << QStringLiteral("átvevő %1, sorszám %2: %3 db").arg(d.buyerCode.trimmed(), d.number.trimmed()).arg(d.count);
    lines << QStringLiteral("A sorszámok egyediségét védő kulcs ezért nem jött létre. Javítsa a kétszer "
                            "kiadott sorszámokat, majd indítsa újra a programot.");
    return lines.join(QLatin1Char('\n'));
}

} // namespace zeror::ticketkey
