#pragma once

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
class GridNavigator;
} // namespace ui

// "Adatátadás a készlethez": gathers the ticket lines of a period into "zeror_keszlethez.xml"
// and copies the file to the place the inventory program picks it up.
class TForm41 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm41(TData& dataModule, QWidget* parent = nullptr);

    QDateEdit* fromEdit() const { return m_fromEdit; }
    QDateEdit* toEdit() const { return m_toEdit; }
    QLineEdit* targetEdit() const { return m_targetEdit; }
    ui::QueryGrid* grid() const { return m_grid; }
    QPushButton* gatherButton() const { return m_gatherButton; }
    QPushButton* handOverButton() const { return m_handOverButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // "Kigyüjtés": the query, the grid, the XML in the working folder; enables "Adatátadás".
    void Button1Click();
    // "Adatátadás": the copy to the target; closes the screen once it is done.
    void Button2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TData& m_data;
    QDateEdit* m_fromEdit;
    QDateEdit* m_toEdit;
    QLineEdit* m_targetEdit;
    ui::QueryGrid* m_grid;
    ui::GridNavigator* m_navigator;
    QPushButton* m_gatherButton;
    QPushButton* m_handOverButton;
    QPushButton* m_cancelButton;
};

} // namespace zeror
