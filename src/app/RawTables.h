#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

namespace zeror {

class Query;
class TData;

// The two access codes of the raw table editor and what they open.
enum class EditorAccess {
    None,       // any other code: nothing changes
    FiveTables, // FJFEJ, FJSOR, OSTERMELO, TERMEK, SORSZAM
    AllTables,  // the five and ATVEVO
};
EditorAccess accessForCode(const QString& code);

// The six table datasets the editor shows, in tab order, and whether each may be edited. The
// state lives as long as the data module, like the datasets: ATVEVO, once opened for editing,
// stays so for the rest of the run.
namespace RawTables {

inline constexpr int Count = 6;
inline constexpr int Buyers = 5; // ATVEVO's position
QString tableName(int table);    // "FJFEJ" … "ATVEVO"
QString tabTitle(int table);     // "FjFej" … "Atvevo"
Query& dataset(TData& data, int table);

bool isWritable(const TData& data, int table);
// Makes the five ticket and register tables writable (or read-only again) and re-opens them.
void setFiveWritable(TData& data, bool writable);
// Makes ATVEVO writable and re-opens it.
void setBuyersWritable(TData& data);
// What a held code opens; returns whether anything changed.
bool applyAccess(TData& data, EditorAccess access);

// Closing the editor: the edits are committed (so no later rollback of another screen can lose
// them), then the five tables are read-only again. Throws DbError when the commit fails.
void closeEditor(TData& data);

} // namespace RawTables

// One table dataset as an editable grid model: the cells show the stored values as the rest of
// the program writes them (decimal comma, year-first dates); while the table is writable a cell
// edit runs an UPDATE of that row by its key, and rows can be added and deleted. The statements
// run in the shared transaction; the editor commits when it closes. A rejected edit leaves the
// row as it was and is reported through failed() with the database's own message.
class RawTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Kind { Text, Integer, Number, Date, Other };
    struct Column
    {
        QString name;
        Kind kind = Kind::Other;
        bool computed = false;
    };

    RawTableModel(TData& data, int table, QObject* parent = nullptr);

    int table() const { return m_table; }
    TData& dataModule() const { return m_data; }
    Query& dataset() const;
    const QVector<Column>& columnInfo() const { return m_columns; }
    QString keyColumn() const;
    // Whether the operator may type into the column now: the table is writable and the column is
    // neither the key nor computed by the database.
    bool isColumnEditable(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The rules behind the navigator's buttons; false (and failed() emitted) when refused.
    // Sets the cell of a row from the text the operator typed.
    bool setCellText(int row, int column, const QString& text);
    // Adds an empty row (the database gives its key); returns its row, -1 on failure.
    int appendRow();
    bool deleteRow(int row);
    // Re-reads the table (after a change of its access or an edit elsewhere).
    void reload();

signals:
    void failed(const QString& message);

private:
    void loadColumns();
    int columnIndexInDataset(int column) const;
    void reopenAt(qint64 key);

    TData& m_data;
    int m_table;
    QVector<Column> m_columns;
};

} // namespace zeror
