#include "Query.h"

#include "DbError.h"

namespace zeror {

ParsedSql parseNamedParameters(const QString& sql)
{
    ParsedSql out;
    out.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Copy a quoted literal or identifier unchanged, doubled quotes included.
            out.sql += c;
            qsizetype j = i + 1;
            while (j < n) {
                out.sql += sql.at(j);
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        out.sql += sql.at(j + 1);
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            i = j;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n
            && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')))
                ++j;
            out.names << sql.mid(i + 1, j - i - 1).toLower();
            out.sql += QLatin1Char('?');
            i = j - 1;
            continue;
        }
        out.sql += c;
    }
    return out;
}

Query::Query(Connection* connection, const QString& name, QObject* parent)
    : QObject(parent), m_connection(connection), m_name(name)
{
    setObjectName(name);
}

void Query::close()
{
    const bool had = m_open || !m_rows.isEmpty();
    m_open = false;
    m_deferred = false;
    m_deferredValues.clear();
    m_rows.clear();
    m_columns.clear();
    m_columnIndex.clear();
    m_current = -1;
    m_eof = m_bof = true;
    if (had)
        emit rowsReset();
}

void Query::clearSql()
{
    m_lines.clear();
    m_params.clear();
}

void Query::addLine(const QString& line)
{
    m_lines << line;
}

void Query::setSql(const QStringList& lines)
{
    clearSql();
    m_lines = lines;
}

QString Query::sql() const
{
    return m_lines.join(QLatin1Char('\n'));
}

void Query::bind(const QString& name, BoundValue::Kind kind, const QVariant& value)
{
    QString key = name.toLower();
    if (key.startsWith(QLatin1Char(':')))
        key.remove(0, 1);
    m_params.insert(key, BoundValue{kind, value});
}

void Query::setText(const QString& name, const QString& value)
{
    bind(name, BoundValue::Kind::Text, value);
}

void Query::setDate(const QString& name, const QDate& value)
{
    bind(name, BoundValue::Kind::Date, value);
}

void Query::setDouble(const QString& name, double value)
{
    bind(name, BoundValue::Kind::Double, value);
}

void Query::setInteger(const QString& name, qint64 value)
{
    bind(name, BoundValue::Kind::Integer, static_cast<qlonglong>(value));
}

void Query::setNull(const QString& name)
{
    bind(name, BoundValue::Kind::Null, QVariant());
}

void Query::clearParams()
{
    m_params.clear();
}

QVector<BoundValue> Query::boundValues(const QStringList& names) const
{
    QVector<BoundValue> values;
    values.reserve(names.size());
    for (const QString& n : names) {
        auto it = m_params.constFind(n);
        if (it == m_params.constEnd())
            throw DbError(QStringLiteral("%1: a(z) :%2 paraméternek nincs értéke.").arg(m_name, n));
        values << *it;
    }
    return values;
}

void Query::open()
{
    close();
    const ParsedSql parsed = parseNamedParameters(sql());
    try {
        m_connection->fetch(parsed.sql, boundValues(parsed.names), m_rows);
    } catch (...) {
        m_rows.clear(); // a failed opening leaves no rows behind
        throw;
    }
    afterFetch();
    m_open = true;
    emit rowsReset();
    emit currentChanged(m_current);
}

void Query::openDeferred()
{
    close();
    m_deferredSql = parseNamedParameters(sql());
    m_deferredValues = boundValues(m_deferredSql.names);
    m_rows = m_connection->describe(m_deferredSql.sql);
    m_columns = m_rows.columnNames();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columnIndex.contains(m_columns[i]))
            m_columnIndex.insert(m_columns[i], i);
    }
    m_deferred = true;
    m_open = true;
    emit rowsReset();
}

const RowStore& Query::ensureRows() const
{
    if (m_deferred) {
        m_deferred = false;
        auto* self = const_cast<Query*>(this);
        try {
            m_connection->fetch(m_deferredSql.sql, m_deferredValues, m_rows);
        } catch (...) {
            m_rows.clear();
            self->afterFetch();
            throw;
        }
        self->m_deferredValues.clear();
        self->afterFetch();
    }
    return m_rows;
}

void Query::afterFetch()
{
    m_columns = m_rows.columnNames();
    m_columnIndex.clear();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_columnIndex.contains(m_columns[i]))
            m_columnIndex.insert(m_columns[i], i);
    }
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    m_bof = true;
}

void Query::exec()
{
    close();
    const ParsedSql parsed = parseNamedParameters(sql());
    m_rowsAffected = 0;
    m_connection->run(parsed.sql, boundValues(parsed.names));
    m_rowsAffected = m_connection->affectedRows();
}

void Query::moveTo(int row)
{
    if (ensureRows().isEmpty()) {
        m_current = -1;
        return;
    }
    row = qBound(0, row, m_rows.rowCount() - 1);
    if (row != m_current) {
        m_current = row;
        emit currentChanged(m_current);
    }
}

void Query::setRecNo(int row)
{
    moveTo(row);
    m_eof = m_rows.isEmpty();
    m_bof = m_rows.isEmpty() || row <= 0;
}

void Query::first()
{
    moveTo(0);
    m_eof = m_rows.isEmpty();
    m_bof = true;
}

void Query::next()
{
    if (ensureRows().isEmpty() || m_current >= m_rows.rowCount() - 1) {
        m_eof = true; // past the last row; the cursor stays on it
        return;
    }
    moveTo(m_current + 1);
    m_bof = false;
    m_eof = false;
}

void Query::prior()
{
    if (ensureRows().isEmpty() || m_current <= 0) {
        m_bof = true;
        return;
    }
    moveTo(m_current - 1);
    m_eof = false;
    m_bof = false;
}

void Query::last()
{
    moveTo(ensureRows().rowCount() - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
}

int Query::fieldIndex(const QString& field) const
{
    return m_columnIndex.value(field.toUpper(), -1);
}

QVariant Query::value(const QString& field) const
{
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: %2 mező nem található").arg(m_name, field));
    if (ensureRows().isEmpty() || m_current < 0)
        return QVariant();
    return m_rows.value(m_current, col);
}

QString Query::text(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy.MM.dd"));
    if (v.typeId() == QMetaType::Double) {
        QString s = QString::number(v.toDouble(), 'g', 15);
        s.replace(QLatin1Char('.'), QLatin1Char(','));
        return s;
    }
    return v.toString();
}

double Query::number(const QString& field) const
{
    return value(field).toDouble();
}

qint64 Query::integer(const QString& field) const
{
    return value(field).toLongLong();
}

QDate Query::date(const QString& field) const
{
    return value(field).toDate();
}

QVariant Query::valueAt(int row, int column) const
{
    return ensureRows().value(row, column);
}

bool Query::locatePrefix(const QString& field, const QString& prefix)
{
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: %2 mező nem található").arg(m_name, field));
    const RowStore& rows = ensureRows();
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.isNull(r, col) && !prefix.isEmpty())
            continue;
        if (rows.text(r, col).startsWith(prefix, Qt::CaseInsensitive)) {
            setRecNo(r);
            return true;
        }
    }
    return false;
}

bool Query::locate(const QString& field, const QVariant& value)
{
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(QStringLiteral("%1: %2 mező nem található").arg(m_name, field));
    const RowStore& rows = ensureRows();
    for (int r = 0; r < rows.rowCount(); ++r) {
        const QVariant v = rows.value(r, col);
        const bool match = (value.typeId() == QMetaType::QString || v.typeId() == QMetaType::QString)
                               ? v.toString().compare(value.toString(), Qt::CaseInsensitive) == 0
                               : v == value;
        if (match) {
            setRecNo(r);
            return true;
        }
    }
    return false;
}

QString fieldText(const Query& q, const QString& column)
{
    if (!q.isOpen() || q.recNo() < 0 || !q.hasField(column))
        return QString();
    return q.text(column).trimmed();
}

} // namespace zeror
