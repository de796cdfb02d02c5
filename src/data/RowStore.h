#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <vector>

namespace zeror {

// The rows of one SELECT kept as the database sent them: each row is a null bitmap followed by
// its non-null cells packed one after another (text as its length and WIN1250 or UTF-8 bytes,
// numbers and dates in their binary form). A cell becomes a QVariant or QString only when it is
// asked for, so a year of rows costs about the size of its data instead of a QVariant per cell.
class RowStore
{
public:
    // How a column's cells are packed.
    enum class CellType : quint8 {
        Text,      // quint16 length + bytes
        Integer,   // qint64, with the column's decimal scale (negative: a fixed-point number)
        Double,    // double
        Date,      // qint32 days since 1858-11-17
        Time,      // quint32 ten-thousandths of a second
        Timestamp, // qint32 date + quint32 time
        Boolean,   // one byte
        Unknown,   // nothing stored: always NULL
    };

    struct Column
    {
        QString name; // upper case, as the database names it
        CellType type = CellType::Unknown;
        qint8 scale = 0;
        bool utf8 = false;
    };

    void clear();
    void setColumns(QVector<Column> columns);

    const QVector<Column>& columns() const { return m_columns; }
    QStringList columnNames() const;
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int rowCount() const { return static_cast<int>(m_rowStart.size()); }
    bool isEmpty() const { return m_rowStart.empty(); }

    // The cell as the rest of the program sees it: QString, qlonglong, double, QDate, QTime,
    // QDateTime or bool; an invalid QVariant for NULL or an unknown position.
    QVariant value(int row, int column) const;
    bool isNull(int row, int column) const;
    // Text of a text cell without building a QVariant; other kinds through their QVariant.
    QString text(int row, int column) const;

    // Bytes the store holds (rows and their offsets), for the benchmarks.
    qsizetype byteSize() const;

    // Building: begin a row, add every column's cell in order, end the row.
    void beginRow();
    void addNull(int column);
    void addText(const char* bytes, qsizetype size);
    void addInteger(qint64 value);
    void addDouble(double value);
    void addDate(qint32 days);
    void addTime(quint32 time);
    void addTimestamp(qint32 days, quint32 time);
    void addBoolean(bool value);
    void endRow();
    // Releases spare capacity once every row is in.
    void squeeze();

private:
    // Offset of a cell's bytes inside m_data, or -1 for NULL.
    qsizetype cellOffset(int row, int column) const;
    qsizetype cellSize(int column, const char* cell) const;
    void append(const void* bytes, qsizetype size);

    QVector<Column> m_columns;
    int m_nullBytes = 0;
    QByteArray m_data;
    std::vector<qint64> m_rowStart;
    qsizetype m_building = -1;

    // The offsets of the row read last: a grid asks for several cells of one row in a row.
    mutable int m_cachedRow = -1;
    mutable std::vector<qsizetype> m_cachedOffsets;
};

} // namespace zeror
