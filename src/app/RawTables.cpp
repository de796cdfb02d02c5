#include "RawTables.h"

#include "DbError.h"
#include "Formats.h"
#include "QueryModel.h"
#include "TData.h"


namespace zeror {

EditorAccess accessForCode(const QString& code)
{
    if (code == QLatin1String("582017346"))
        return EditorAccess::FiveTables;
    if (code == QLatin1String("kvb"))
        return EditorAccess::AllTables;
    return EditorAccess::None;
}

namespace RawTables {

namespace {

// The state is kept on the data module itself, beside the datasets it concerns: a bit per table.
const char* const kWritableProperty = "rawTablesWritable";

int writableMask(const TData& data)
{
    return data.property(kWritableProperty).toInt();
}

void setWritableBit(TData& data, int table, bool writable)
{
    int mask = writableMask(data);
    mask = writable ? (mask | (1 << table)) : (mask & ~(1 << table));
    data.setProperty(kWritableProperty, mask);
}

void reopen(Query& q)
{
    q.close();
    q.open();
}

} // namespace

QString tableName(int table)
{
    static const char* const names[Count] = {"FJFEJ", "FJSOR", "OSTERMELO", "TERMEK", "SORSZAM", "ATVEVO"};
    return table >= 0 && table < Count ? QString::fromLatin1(names[table]) : QString();
}

QString tabTitle(int table)
{
    static const char* const titles[Count] = {"FjFej", "FjSor", "Ostermelo", "Termek", "Sorszam", "Atvevo"};
    return table >= 0 && table < Count ? QString::fromLatin1(titles[table]) : QString();
}

Query& dataset(TData& data, int table)
{
    Query* const sets[Count] = {&data.IBTable1, &data.IBTable2, &data.IBTable3,
                                &data.IBTable4, &data.IBTable5, &data.IBTable6};
    return *sets[qBound(0, table, Count - 1)];
}

bool isWritable(const TData& data, int table)
{
    return table >= 0 && table < Count && (writableMask(data) & (1 << table)) != 0;
}

void setFiveWritable(TData& data, bool writable)
{
    for (int t = 0; t < Buyers; ++t) {
        setWritableBit(data, t, writable);
        reopen(dataset(data, t));
    }
}

void setBuyersWritable(TData& data)
{
    setWritableBit(data, Buyers, true);
    reopen(dataset(data, Buyers));
}

bool applyAccess(TData& data, EditorAccess access)
{
    if (access == EditorAccess::None)
        return false;
    setFiveWritable(data, true);
    if (access == EditorAccess::AllTables)
        setBuyersWritable(data);
    return true;
}

void closeEditor(TData& data)
{
    // Edits made in the grids are stored with the rest of the shared transaction now, not at the
    // next commit of some other screen, which a rollback in between would have discarded.
    try {
        if (data.inTransaction())
            data.commit();
    } catch (...) {
        setFiveWritable(data, false);
        throw;
    }
    setFiveWritable(data, false);
}

} // namespace RawTables

RawTableModel::RawTableModel(TData& data, int table, QObject* parent)
    : QAbstractTableModel(parent), m_data(data), m_table(table)
{
    connect(&dataset(), &Query::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    loadColumns();
}

Query& RawTableModel::dataset() const
{
    return RawTables::dataset(m_data, m_table);
}

QString RawTableModel::keyColumn() const
{
    return QStringLiteral("ID_") + RawTables::tableName(m_table);
}

void RawTableModel::loadColumns()
{
    // The kinds of the columns and which ones the database computes, from its own catalogue, so
    // that typed text is sent as the column's kind and computed columns are never written.
    Query catalogue(&m_data.connection(), QStringLiteral("RawTableColumns"));
    catalogue.setSql({QStringLiteral("SELECT TRIM(rf.RDB$FIELD_NAME) AS NAME, f.RDB$FIELD_TYPE AS FTYPE, "),
                      QStringLiteral("       COALESCE(f.RDB$FIELD_SCALE, 0) AS FSCALE, "),
                      QStringLiteral("       CASE WHEN f.RDB$COMPUTED_BLR IS NULL THEN 0 ELSE 1 END AS COMPUTED "),
                      QStringLiteral("  FROM RDB$RELATION_FIELDS rf "),
                      QStringLiteral("  JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "),
                      QStringLiteral("  WHERE rf.RDB$RELATION_NAME = :p0 "),
                      QStringLiteral("  ORDER BY rf.RDB$FIELD_POSITION ")});
    catalogue.setText(QStringLiteral("p0"), RawTables::tableName(m_table));
    catalogue.open();
    m_columns.clear();
    for (catalogue.first(); !catalogue.eof(); catalogue.next()) {
        Column c;
        c.name = catalogue.text(QStringLiteral("NAME")).trimmed();
        const qint64 type = catalogue.integer(QStringLiteral("FTYPE"));
        const qint64 scale = catalogue.integer(QStringLiteral("FSCALE"));
        switch (type) {
        case 7: // SMALLINT, INTEGER, BIGINT; a negative scale makes them NUMERIC
        case 8:
        case 16:
            c.kind = scale < 0 ? Kind::Number : Kind::Integer;
            break;
        case 10: // FLOAT, DOUBLE PRECISION
        case 27:
            c.kind = Kind::Number;
            break;
        case 12:
            c.kind = Kind::Date;
            break;
        case 14: // CHAR, VARCHAR
        case 37:
            c.kind = Kind::Text;
            break;
        default:
            c.kind = Kind::Other;
        }
        c.computed = catalogue.integer(QStringLiteral("COMPUTED")) != 0;
        m_columns << c;
    }
}

int RawTableModel::columnIndexInDataset(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return -1;
    return dataset().fieldIndex(m_columns[column].name);
}

int RawTableModel::rowCount(const QModelIndex& parent) const
{
    const Query& q = dataset();
    return parent.isValid() || !q.isOpen() ? 0 : q.rowCount();
}

int RawTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant RawTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int column = columnIndexInDataset(index.column());
    if (column < 0)
        return QVariant();
    return QueryModel::displayText(dataset().valueAt(index.row(), column));
}

QVariant RawTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? QVariant(m_columns[section].name) : QVariant();
    return section + 1;
}

bool RawTableModel::isColumnEditable(int column) const
{
    if (column < 0 || column >= m_columns.size() || !RawTables::isWritable(m_data, m_table))
        return false;
    const Column& c = m_columns[column];
    // The key is the database's, computed columns are its too.
    return !c.computed && c.kind != Kind::Other && c.name != keyColumn();
}

Qt::ItemFlags RawTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && isColumnEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool RawTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    return setCellText(index.row(), index.column(), value.toString());
}

void RawTableModel::reopenAt(qint64 key)
{
    Query& q = dataset();
    q.close();
    q.open();
    q.locate(keyColumn(), QVariant(key));
}

bool RawTableModel::setCellText(int row, int column, const QString& text)
{
    if (!RawTables::isWritable(m_data, m_table) || row < 0 || row >= rowCount() || column < 0 ||
        column >= m_columns.size())
        return false;
    const Column& c = m_columns[column];
    if (!isColumnEditable(column))
        return false;
    Query& q = dataset();
    const qint64 key = q.valueAt(row, q.fieldIndex(keyColumn())).toLongLong();

    Query update(&m_data.connection(), QStringLiteral("RawTableUpdate"));
    update.setSql({QStringLiteral("UPDATE %1 SET %2 = :p1 WHERE %3 = :p0")
                       .arg(RawTables::tableName(m_table), c.name, keyColumn())});
    update.setInteger(QStringLiteral("p0"), key);
    const QString trimmed = text.trimmed();
    bool readable = true;
    if (c.kind == Kind::Text) {
        update.setText(QStringLiteral("p1"), text);
    } else if (trimmed.isEmpty()) {
        update.setNull(QStringLiteral("p1"));
    } else if (c.kind == Kind::Integer) {
        qint64 v = 0;
        readable = fmt::parseInteger(trimmed, &v);
        update.setInteger(QStringLiteral("p1"), v);
    } else if (c.kind == Kind::Number) {
        double v = 0;
        readable = fmt::parseNumber(trimmed, &v);
        update.setDouble(QStringLiteral("p1"), v);
    } else {
        QDate v;
        readable = fmt::parseDate(trimmed, &v);
        update.setDate(QStringLiteral("p1"), v);
    }
    if (!readable) {
        emit failed(QStringLiteral("Hibás érték a %1 mezőben: %2").arg(c.name, text));
        return false;
    }
    try {
        update.exec();
    } catch (const DbError& e) {
        // The engine undoes the failed statement alone; the transaction goes on.
        emit failed(e.message());
        return false;
    }
    reopenAt(key);
    return true;
}

int RawTableModel::appendRow()
{
    if (!RawTables::isWritable(m_data, m_table))
        return -1;
    const QString table = RawTables::tableName(m_table);
    Query statement(&m_data.connection(), QStringLiteral("RawTableInsert"));
    qint64 key = 0;
    try {
        statement.setSql({QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)});
        statement.exec();
        // The newest key is the one the trigger has just given (one operator, one attachment).
        statement.setSql({QStringLiteral("SELECT MAX(%1) FROM %2").arg(keyColumn(), table)});
        statement.open();
        key = statement.valueAt(0, 0).toLongLong();
        statement.close();
    } catch (const DbError& e) {
        emit failed(e.message());
        return -1;
    }
    reopenAt(key);
    return dataset().recNo();
}

bool RawTableModel::deleteRow(int row)
{
    if (!RawTables::isWritable(m_data, m_table) || row < 0 || row >= rowCount())
        return false;
    Query& q = dataset();
    const qint64 key = q.valueAt(row, q.fieldIndex(keyColumn())).toLongLong();
    Query statement(&m_data.connection(), QStringLiteral("RawTableDelete"));
    statement.setSql({QStringLiteral("DELETE FROM %1 WHERE %2 = :p0").arg(RawTables::tableName(m_table), keyColumn())});
    statement.setInteger(QStringLiteral("p0"), key);
    try {
        statement.exec();
    } catch (const DbError& e) {
        emit failed(e.message());
        return false;
    }
    q.close();
    q.open();
    if (!q.isEmpty())
        q.setRecNo(qMin(row, q.rowCount() - 1));
    return true;
}

void RawTableModel::reload()
{
    loadColumns();
    Query& q = dataset();
    q.close();
    q.open();
}

} // namespace zeror
