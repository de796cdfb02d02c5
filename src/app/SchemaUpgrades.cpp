#include "SchemaUpgrades.h"

#include "TData.h"
#include "Transaction.h"

namespace zeror {

namespace {

// The columns OSTERMELO has now: the query learns the table's fields without reading its rows,
// and is closed again so that no stale layout is kept after the ALTER.
QStringList producerColumns(Query& query, const QString& select)
{
    query.close();
    query.setSql({select});
    query.openDeferred();
    const QStringList columns = query.fieldNames();
    query.close();
    return columns;
}

// The table dataset on OSTERMELO learns the new layout (the raw table editor and the Excel
// export show it).
void reopenProducerTable(TData& data)
{
    if (!data.IBTable3.isOpen())
        return;
    data.IBTable3.close();
    data.IBTable3.openDeferred();
}

// Runs one schema statement through the write procedure on the query.
void alterSchema(TData& data, Query& query, const QString& statement, const WriteMessages& messages)
{
    data.write(messages, [&] {
        query.close();
        query.setSql({statement});
        query.exec();
    });
    reopenProducerTable(data);
}

} // namespace

UpgradeResult addPensionFundColumn(TData& data)
{
    if (producerColumns(data.ZQ30, QStringLiteral("SELECT * FROM ostermelo   ")).contains(QStringLiteral("O_MNYPTAG")))
        return UpgradeResult::AlreadyThere;
    alterSchema(data, data.ZQ30, QStringLiteral("ALTER TABLE ostermelo ADD o_mnyptag VARCHAR(1) "),
                WriteMessages(QStringLiteral("Hiba281: ALTER TABLE az östermelöben. "),
                              QStringLiteral("Hiba282: TRANSACTION közben az östermelöben!")));
    return UpgradeResult::Done;
}

UpgradeResult addFelirColumn(TData& data)
{
    if (producerColumns(data.ZQ32, QStringLiteral("SELECT * FROM ostermelo      ")).contains(QStringLiteral("O_FELIR")))
        return UpgradeResult::AlreadyThere;
    alterSchema(data, data.ZQ31, QStringLiteral("ALTER TABLE OSTERMELO ADD O_FELIR D_BLAP COLLATE PXW_HUNDC "),
                WriteMessages(QStringLiteral("Hiba371: ALTER TABLE OSTERMELO ADD O_FELIR az östermelöben! "),
                              QStringLiteral("Hiba372: ALTER TABLE OSTERMELO ADD O_FELIR az östermelöben!")));
    return UpgradeResult::Done;
}

void widenChamberNumber(TData& data)
{
    // The producers are read first, as before every upgrade; the domain is changed whatever they hold.
    producerColumns(data.ZQ32, QStringLiteral("SELECT * FROM ostermelo      "));
    alterSchema(data, data.ZQ31, QStringLiteral("ALTER DOMAIN D_KAMARA TYPE VARCHAR(20) CHARACTER SET WIN1250 "),
                WriteMessages(QStringLiteral("Hiba421: Hossz: D_KAMARA az östermelöben! "),
                              QStringLiteral("Hiba422: Hossz: D_KAMARA az östermelöben!")));
    // The engine keeps the old width of the producers' row format for the attachment that
    // changed the domain: a longer chamber number would still be refused until the program
    // attached again. The data module attaches afresh now, so the new width counts at once.
    try {
        data.closeAtExit();
        data.open();
        data.openTables();
    } catch (const DbError& e) {
        throw Error(QStringLiteral("A módositás megtörtént, de az adatbázis újbóli megnyitása nem sikerült. "
                                   "Kérem indítsa újra a programot.") +
                    QLatin1Char('\n') + e.message());
    }
}

int markRepeatedTaxIdentifiers(TData& data)
{
    Query& list = data.ZQ30;
    list.close();
    list.setSql({QStringLiteral("SELECT *  "), QStringLiteral("  FROM ostermelo     "),
                 QStringLiteral("         ORDER BY o_Adoazon, o_kod    ")});
    list.open();

    // Every mark or none: a failure part-way leaves the producers as they were.
    Transaction tx(data);
    Query& update = data.ZQ31;
    int marked = 0;
    bool first = true;
    QString previous;
    for (list.first(); !list.eof(); list.next()) {
        // A NULL identifier reads as empty text, so the empty ones form one group.
        const QString taxId = list.text(QStringLiteral("O_ADOAZON"));
        if (!first && taxId == previous) {
            update.close();
            update.setSql({QStringLiteral("UPDATE ostermelo            "), QStringLiteral("  SET o_szja   = :p1  "),
                           QStringLiteral("  WHERE ID_ostermelo = :p0 ")});
            update.setInteger(QStringLiteral("p0"), list.integer(QStringLiteral("ID_OSTERMELO")));
            update.setInteger(QStringLiteral("p1"), 1);
            update.exec();
            ++marked;
        }
        previous = taxId;
        first = false;
    }
    list.close();
    tx.commit();
    return marked;
}

} // namespace zeror
