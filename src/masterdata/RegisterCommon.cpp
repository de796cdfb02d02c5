#include "RegisterCommon.h"

#include "DbError.h"
#include "Formats.h"
#include "SharedState.h"

namespace zeror::registercommon {

qint64 numericMaximum(Query& q, const QString& field)
{
    qint64 maximum = 0;
    for (int row = 0; row < q.rowCount(); ++row) {
        q.setRecNo(row);
        qint64 v = 0;
        if (fmt::parseInteger(q.text(field).trimmed(), &v) && v > maximum)
            maximum = v;
    }
    return maximum;
}

bool locateCode(Query& query, const QString& field, const QString& code)
{
    if (code.isEmpty() || !query.isOpen())
        return false;
    if (query.locate(field, code))
        return true;
    return query.locatePrefix(field, code);
}

void bindKey(Query& q, const QString& idText)
{
    qint64 id = 0;
    if (fmt::parseInteger(idText, &id))
        q.setInteger(QStringLiteral("p0"), id);
    else
        q.setText(QStringLiteral("p0"), idText);
}

void openRegisterPrintout(TData& data, Query& list, const QStringList& printSql)
{
    Query& buyer = data.ZQ60;
    buyer.close();
    buyer.clearSql();
    buyer.setSql({QStringLiteral("SELECT *             "), QStringLiteral("  FROM atvevo     "),
                  QStringLiteral("  WHERE v_akod = :p0  ")});
    buyer.setText(QStringLiteral("p0"), sharedState().buyerCode);
    buyer.open();
    list.close();
    list.clearSql();
    list.setSql(printSql);
    list.open();
}

} // namespace zeror::registercommon
