#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// "Ravuraruvida reva": the chosen buyer's ticket list with the selected ticket's header, lines and
// producer; sorting and searching, new and changed tickets through the entry screen, viewing and
// printing the ticket, and voiding a printed ticket.
class TForm8 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm8(QWidget* parent = nullptr);

    QString orderLabelText() const;

public slots:
    void Button1Click(); // Új
    void Button2Click(); // Módosít
    void Button3Click(); // Megtekint
    void Button4Click(); // Nyomtat
    void Button5Click(); // Érvénytelenit
    void Button6Click(); // Mégsem
    void Button7Click(); // Keres

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeaderPanel(QWidget* panel);
    void buildProducerTab(QWidget* tab);
    void FormShow();
    void DBGrid1TitleClick(int section);
    void Edit1KeyUp();
    void PageControl1Change();
    void openForChange();
    void print(const QString& action);
    void afterEntry();
    void showHeader();
    void showProducer();
    bool hasTicket() const;
    void setOrderLabel(const QString& text);

    TData* m_data;
    QLabel* m_orderLabel = nullptr;
    QTabWidget* m_tabs = nullptr;
    ui::QueryGrid* m_listGrid = nullptr;
    ui::QueryGrid* m_linesGrid = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_modifyButton = nullptr;
    QPushButton* m_viewButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_voidButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_searchButton = nullptr;
    // Read-only fields by the column they show: the header panel over ZQ10, the producer over ZQ30.
    QHash<QString, QLineEdit*> m_headerFields;
    QHash<QString, QLineEdit*> m_producerFields;
};

} // namespace zeror
