#include "QueryModel.h"

#include "Formats.h"
#include "GridFormats.h"

namespace zeror {

QueryModel::QueryModel(Query* query, QObject* parent) : QAbstractTableModel(parent), m_query(query)
{
    connect(m_query, &Query::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void QueryModel::setColumns(const QList<Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

int QueryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_query->rowCount();
}

int QueryModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_columns.isEmpty() ? static_cast<int>(m_query->fieldNames().size()) : static_cast<int>(m_columns.size());
}

int QueryModel::queryColumn(int column) const
{
    if (m_columns.isEmpty())
        return column;
    if (column < 0 || column >= m_columns.size())
        return -1;
    return m_query->fieldIndex(m_columns[column].field);
}

QString QueryModel::displayText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
        return fmt::formatNumber(value.toDouble());
    case QMetaType::QDate:
        return fmt::formatDate(value.toDate());
    default:
        return value.toString();
    }
}

QVariant QueryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int col = queryColumn(index.column());
    const QVariant v = col < 0 ? QVariant() : m_query->valueAt(index.row(), col);
    if (role == Qt::DisplayRole)
        return gridfmt::text(v, gridfmt::kindOfField(fieldName(index.column())));
    if (role == Qt::TextAlignmentRole) {
        const int t = v.typeId();
        if (t == QMetaType::Double || t == QMetaType::LongLong || t == QMetaType::Int)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QVariant();
}

QString QueryModel::fieldName(int column) const
{
    if (m_columns.isEmpty())
        return m_query->fieldNames().value(column);
    return m_columns.value(column).field;
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (m_columns.isEmpty())
        return m_query->fieldNames().value(section);
    return m_columns.value(section).title;
}

} // namespace zeror
