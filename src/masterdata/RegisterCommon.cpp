#include "RegisterCommon.h"

#include "DbError.h"
#include "Dialogs.h"
#include "Formats.h"
#include "ReportModule.h"
#include "SharedState.h"

#include <QLabel>

namespace zeror::registercommon {

bool blank(const QString& s)
{
    int n = int(s.size());
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return n == 0;
}

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

QString fieldText(const Query& q, const QString& column)
{
    if (!q.isOpen() || q.recNo() < 0 || !q.hasField(column))
        return QString();
    return q.text(column).trimmed();
}

QLabel* detailValueLabel(QWidget* parent)
{
    auto* value = new QLabel(parent);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = value->font();
    f.setBold(true);
    value->setFont(f);
    return value;
}

bool printRegisterList(QWidget* parent, TData& data, Query& list, const QString& keyField,
                       const QStringList& printSql, const QString& templateName)
{
    const QVariant currentId = list.isOpen() && list.recNo() >= 0 ? list.value(keyField) : QVariant();
    try {
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
    } catch (const DbError& e) {
        ui::Dialogs::error(parent, e.message());
        return false;
    }
    ReportModule::instance().print(templateName, QPageLayout::Landscape, ReportModule::Target::Nyomtat, parent,
                                   false);
    // The printout walked the rows; the list keeps the printout's order and stands where it stood.
    if (currentId.isValid())
        list.locate(keyField, currentId);
    else
        list.first();
    return true;
}

} // namespace zeror::registercommon
