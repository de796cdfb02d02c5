#include "RowStore.h"

#include "Win1250.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstring>

namespace zeror {

namespace {

template <typename T>
T load(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

double scaled(qint64 raw, int scale)
{
    double v = static_cast<double>(raw);
    for (int i = 0; i < -scale; ++i)
        v /= 10.0;
    return v;
}

// Firebird counts days from 1858-11-17, the Modified Julian Day epoch.
QDate toDate(qint32 days)
{
    return QDate::fromJulianDay(static_cast<qint64>(days) + 2400001);
}

QTime toTime(quint32 time)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(time / 10));
}

} // namespace

void RowStore::clear()
{
    m_columns.clear();
    m_nullBytes = 0;
    m_data.clear();
    m_rowStart.clear();
    m_rowStart.shrink_to_fit();
    m_building = -1;
    m_cachedRow = -1;
}

void RowStore::setColumns(QVector<Column> columns)
{
    clear();
    m_columns = std::move(columns);
    m_nullBytes = static_cast<int>((m_columns.size() + 7) / 8);
}

QStringList RowStore::columnNames() const
{
    QStringList names;
    names.reserve(m_columns.size());
    for (const Column& c : m_columns)
        names << c.name;
    return names;
}

qsizetype RowStore::byteSize() const
{
    return m_data.capacity() + static_cast<qsizetype>(m_rowStart.capacity() * sizeof(qint64));
}

void RowStore::append(const void* bytes, qsizetype size)
{
    m_data.append(static_cast<const char*>(bytes), size);
}

void RowStore::beginRow()
{
    m_building = m_data.size();
    m_data.append(m_nullBytes, '\0');
}

void RowStore::addNull(int column)
{
    m_data[m_building + column / 8] = static_cast<char>(m_data[m_building + column / 8] | (1 << (column % 8)));
}

void RowStore::addText(const char* bytes, qsizetype size)
{
    const auto len = static_cast<quint16>(qBound(qsizetype(0), size, qsizetype(0xFFFF)));
    append(&len, sizeof len);
    append(bytes, len);
}

void RowStore::addInteger(qint64 value)
{
    append(&value, sizeof value);
}

void RowStore::addDouble(double value)
{
    append(&value, sizeof value);
}

void RowStore::addDate(qint32 days)
{
    append(&days, sizeof days);
}

void RowStore::addTime(quint32 time)
{
    append(&time, sizeof time);
}

void RowStore::addTimestamp(qint32 days, quint32 time)
{
    append(&days, sizeof days);
    append(&time, sizeof time);
}

void RowStore::addBoolean(bool value)
{
    const char v = value ? 1 : 0;
    append(&v, 1);
}

void RowStore::endRow()
{
    m_rowStart.push_back(m_building);
    m_building = -1;
}

void RowStore::squeeze()
{
    m_data.squeeze();
    m_rowStart.shrink_to_fit();
}

qsizetype RowStore::cellSize(int column, const char* cell) const
{
    switch (m_columns[column].type) {
    case CellType::Text:
        return static_cast<qsizetype>(sizeof(quint16)) + load<quint16>(cell);
    case CellType::Integer:
    case CellType::Double:
    case CellType::Timestamp:
        return 8;
    case CellType::Date:
    case CellType::Time:
        return 4;
    case CellType::Boolean:
        return 1;
    case CellType::Unknown:
        return 0;
    }
    return 0;
}

qsizetype RowStore::cellOffset(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return -1;
    if (m_cachedRow != row) {
        const char* base = m_data.constData();
        const qsizetype start = m_rowStart[static_cast<size_t>(row)];
        m_cachedOffsets.resize(static_cast<size_t>(m_columns.size()));
        qsizetype at = start + m_nullBytes;
        for (int c = 0; c < m_columns.size(); ++c) {
            const bool null = (base[start + c / 8] >> (c % 8)) & 1;
            if (null || m_columns[c].type == CellType::Unknown) {
                m_cachedOffsets[static_cast<size_t>(c)] = -1;
                continue;
            }
            m_cachedOffsets[static_cast<size_t>(c)] = at;
            at += cellSize(c, base + at);
        }
        m_cachedRow = row;
    }
    return m_cachedOffsets[static_cast<size_t>(column)];
}

bool RowStore::isNull(int row, int column) const
{
    return cellOffset(row, column) < 0;
}

QString RowStore::text(int row, int column) const
{
    const qsizetype at = cellOffset(row, column);
    if (at < 0)
        return QString();
    const Column& c = m_columns[column];
    if (c.type != CellType::Text)
        return value(row, column).toString();
    const char* cell = m_data.constData() + at;
    const quint16 len = load<quint16>(cell);
    return c.utf8 ? QString::fromUtf8(cell + sizeof len, len) : win1250::decode(cell + sizeof len, len);
}

QVariant RowStore::value(int row, int column) const
{
    const qsizetype at = cellOffset(row, column);
    if (at < 0)
        return QVariant();
    const Column& c = m_columns[column];
    const char* cell = m_data.constData() + at;
    switch (c.type) {
    case CellType::Text:
        return text(row, column);
    case CellType::Integer: {
        const auto v = load<qint64>(cell);
        return c.scale < 0 ? QVariant(scaled(v, c.scale)) : QVariant(static_cast<qlonglong>(v));
    }
    case CellType::Double:
        return QVariant(load<double>(cell));
    case CellType::Date:
        return toDate(load<qint32>(cell));
    case CellType::Time:
        return toTime(load<quint32>(cell));
    case CellType::Timestamp:
        return QDateTime(toDate(load<qint32>(cell)), toTime(load<quint32>(cell + 4)));
    case CellType::Boolean:
        return QVariant(*cell != 0);
    case CellType::Unknown:
        break;
    }
    return QVariant();
}

} // namespace zeror
