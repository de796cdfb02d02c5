#pragma once

#include "Query.h"

#include <QAbstractTableModel>

namespace zeror {

// Shows a query's rows in a grid: the chosen fields with their titles, or every field.
class QueryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column
    {
        QString field;
        QString title;
    };

    explicit QueryModel(Query* query, QObject* parent = nullptr);

    // The columns to show; with none, every field of the query is shown under its own name.
    void setColumns(const QList<Column>& columns);
    const QList<Column>& columns() const { return m_columns; }
    Query* query() const { return m_query; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // How a stored value is shown: numbers with the decimal comma, dates year first, NULL empty.
    static QString displayText(const QVariant& value);
    // The grid shows money with two decimals and other numbers with up to four, thousands
    // grouped by a blank (GridFormats.h), right-aligned.

    // The field shown in a grid column.
    QString fieldName(int column) const;

private:
    int queryColumn(int column) const;

    Query* m_query;
    QList<Column> m_columns;
};

} // namespace zeror
