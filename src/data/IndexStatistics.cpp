#include "IndexStatistics.h"

#include "Connection.h"
#include "TData.h"

#include <QHash>

namespace zeror {

namespace {

struct IndexInfo
{
    QString index;
    QString table;
    double selectivity = 0;
    bool primary = false;
};

QVector<IndexInfo> userIndexes(Connection& c)
{
    RowStore rows;
    c.fetch(QStringLiteral("SELECT TRIM(i.rdb$index_name), TRIM(i.rdb$relation_name), i.rdb$statistics, "
                           "(SELECT COUNT(*) FROM rdb$relation_constraints rc "
                           " WHERE rc.rdb$index_name = i.rdb$index_name "
                           " AND rc.rdb$constraint_type = 'PRIMARY KEY') "
                           "FROM rdb$indices i "
                           "JOIN rdb$relations r ON r.rdb$relation_name = i.rdb$relation_name "
                           "WHERE COALESCE(i.rdb$system_flag, 0) = 0 AND COALESCE(r.rdb$system_flag, 0) = 0 "
                           "AND COALESCE(i.rdb$index_inactive, 0) = 0"),
            {}, rows);
    QVector<IndexInfo> out;
    for (int r = 0; r < rows.rowCount(); ++r)
        out.push_back({rows.text(r, 0), rows.text(r, 1), rows.value(r, 2).toDouble(), rows.value(r, 3).toInt() > 0});
    return out;
}

bool tableHasRows(Connection& c, const QString& table)
{
    RowStore rows;
    c.fetch(QStringLiteral("SELECT FIRST 1 1 FROM \"%1\"").arg(table), {}, rows);
    return !rows.isEmpty();
}

// The value of the table's key generator, roughly the rows ever inserted; -1 without one.
qint64 generatorValue(Connection& c, const QString& table)
{
    const QString name = QStringLiteral("GEN_%1_ID").arg(table);
    RowStore exists;
    c.fetch(QStringLiteral("SELECT 1 FROM rdb$generators WHERE rdb$generator_name = ?"),
            {BoundValue{BoundValue::Kind::Text, name}}, exists);
    if (exists.isEmpty())
        return -1;
    RowStore rows;
    c.fetch(QStringLiteral("SELECT GEN_ID(\"%1\", 0) FROM rdb$database").arg(name), {}, rows);
    return rows.value(0, 0).toLongLong();
}

} // namespace

void refreshIndexStatistics(Connection& connection)
{
    for (const IndexInfo& i : userIndexes(connection))
        connection.executeImmediate(QStringLiteral("SET STATISTICS INDEX \"%1\"").arg(i.index));
    connection.commitRetaining();
}

void refreshIndexStatistics(TData& data)
{
    refreshIndexStatistics(data.connection());
}

bool indexStatisticsStale(Connection& connection)
{
    QHash<QString, bool> hasRows;
    for (const IndexInfo& i : userIndexes(connection)) {
        if (i.selectivity <= 0) {
            auto it = hasRows.find(i.table);
            if (it == hasRows.end())
                it = hasRows.insert(i.table, tableHasRows(connection, i.table));
            if (*it)
                return true;
        } else if (i.primary) {
            const qint64 generated = generatorValue(connection, i.table);
            const double measured = 1.0 / i.selectivity;
            if (generated > 0 && static_cast<double>(generated) > 2 * measured + 100)
                return true;
        }
    }
    return false;
}

bool refreshIndexStatisticsIfStale(TData& data)
{
    if (!indexStatisticsStale(data.connection()))
        return false;
    refreshIndexStatistics(data);
    return true;
}

void refreshStatisticsAfterImport(TData& data) noexcept
{
    try {
        refreshIndexStatisticsIfStale(data);
    } catch (...) {
        // The plans stay as they were; the imported rows are stored either way.
    }
}

} // namespace zeror
