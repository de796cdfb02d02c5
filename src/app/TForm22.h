#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace zeror {

class RawTableModel;
class TData;

// "Jelszó": asks for the access code of the raw table editor.
class TPasswordDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TPasswordDlg(QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return m_password; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QLineEdit* m_password;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// The navigator of one raw table: moves the grid's current row, and while the table is writable
// adds and deletes rows.
class RawTableNavigator : public QWidget
{
    Q_OBJECT

public:
    RawTableNavigator(QTableView* grid, RawTableModel* model, QWidget* parent = nullptr);

    QPushButton* insertButton() const { return m_insert; }
    QPushButton* deleteButton() const { return m_delete; }
    // Enables the editing buttons as the table's access allows.
    void refresh();

private:
    QTableView* m_grid;
    RawTableModel* m_model;
    QPushButton* m_insert;
    QPushButton* m_delete;
};

// "Adatbázis": the six tables as they are, read-only; behind an access code (or the M key on the
// buttons) their rows are edited directly. The edits are committed when the editor closes.
class TForm22 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm22(TData& dataModule, QWidget* parent = nullptr);
    ~TForm22() override;

    QTabWidget* tabs() const { return m_tabs; }
    QTableView* grid(int table) const { return m_grids[table]; }
    RawTableNavigator* navigator(int table) const { return m_navigators[table]; }
    RawTableModel* model(int table) const { return m_models[table]; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* cancelButton() const { return m_cancel; }
    const QString& heldCode() const { return m_code; }

    // "Szerkeszt": asks for the code once, then opens the tables it allows.
    void SzerkesztClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void refreshAccess();
    void showBuyers(bool visible);

    TData& m_data;
    QString m_code;
    bool m_closed = false;
    QTabWidget* m_tabs;
    QTableView* m_grids[6];
    RawTableModel* m_models[6];
    RawTableNavigator* m_navigators[6];
    QPushButton* m_edit;
    QPushButton* m_cancel;
};

} // namespace zeror
