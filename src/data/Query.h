#pragma once

#include "Connection.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace zeror {

// Splits SQL with named parameters (":p0", ":a1", a name may repeat) into positional SQL
// and the parameter names in the order of their markers. Quoted text is left alone.
struct ParsedSql
{
    QString sql;
    QStringList names; // lower case
};
ParsedSql parseNamedParameters(const QString& sql);

// A named query of the data module: SQL set line by line, named parameters, and the rows
// of its last opening with a cursor (first/next/last/eof) over them.
class Query : public QObject
{
    Q_OBJECT

public:
    Query(Connection* connection, const QString& name, QObject* parent = nullptr);

    const QString& componentName() const { return m_name; }

    // SQL text, set line by line as the screens do.
    void close();
    void clearSql();
    void addLine(const QString& line);
    void setSql(const QStringList& lines);
    QString sql() const;

    // Parameter values; names are given without the colon and are case-insensitive.
    void setText(const QString& name, const QString& value);
    void setDate(const QString& name, const QDate& value);
    void setDouble(const QString& name, double value);
    void setInteger(const QString& name, qint64 value);
    void setNull(const QString& name);
    void clearParams();

    // Runs the SELECT and keeps its rows; starts the shared transaction when needed.
    void open();
    // Checks the SELECT (tables and columns must exist) and learns its fields, but reads its
    // rows only when one is first asked for; a table dataset opened at start-up costs nothing.
    void openDeferred();
    // Runs a statement that returns no rows.
    void exec();
    // The rows the last exec() changed (a conditional UPDATE tells whether it applied).
    qint64 rowsAffected() const { return m_rowsAffected; }
    bool isOpen() const { return m_open; }

    // Cursor.
    int rowCount() const { return ensureRows().rowCount(); }
    bool isEmpty() const { return ensureRows().isEmpty(); }
    int recNo() const { ensureRows(); return m_current; } // -1 when there is no row
    void setRecNo(int row);
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { ensureRows(); return m_eof; }
    bool bof() const { ensureRows(); return m_bof; }

    // Fields of the current row, by name, case-insensitive; an unknown name throws.
    QStringList fieldNames() const { return m_columns; }
    int fieldIndex(const QString& field) const;
    bool hasField(const QString& field) const { return fieldIndex(field) >= 0; }
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    QString text(const QString& field) const;
    double number(const QString& field) const;
    qint64 integer(const QString& field) const;
    QDate date(const QString& field) const;
    QVariant valueAt(int row, int column) const;

    // Moves to the first row whose field begins with the prefix, ignoring case (partial-key locate).
    bool locatePrefix(const QString& field, const QString& prefix);
    // Moves to the first row whose field equals the value, ignoring case for text.
    bool locate(const QString& field, const QVariant& value);

signals:
    void rowsReset();
    void currentChanged(int row);

private:
    void bind(const QString& name, BoundValue::Kind kind, const QVariant& value);
    QVector<BoundValue> boundValues(const QStringList& names) const;
    void moveTo(int row);

    Connection* m_connection;
    QString m_name;
    QStringList m_lines;
    QHash<QString, BoundValue> m_params;
    bool m_open = false;
    qint64 m_rowsAffected = 0;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex;
    // The rows, kept compactly and decoded cell by cell on demand (see RowStore).
    const RowStore& ensureRows() const;
    void afterFetch();

    mutable RowStore m_rows;
    // A deferred opening: the statement and values its rows are read with on first use.
    mutable bool m_deferred = false;
    ParsedSql m_deferredSql;
    QVector<BoundValue> m_deferredValues;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
};

// The text of the column on the query's current row without surrounding blanks; empty when the
// query is closed, has no current row or no such column.
QString fieldText(const Query& q, const QString& column);

} // namespace zeror
