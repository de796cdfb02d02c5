#pragma once

#include "ExcelExport.h"
#include "Query.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// "Excel  táblába": writes the chosen buyer's ticket lines of a period (page "Zeror") and the
// producer register (page "Östermelö") into FJFEJ.xls and OSTERMELO.xls in a folder the operator
// sees and may change; with the show check box on, the written workbook is opened with the
// desktop's spreadsheet program.
class TForm20 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm20(TData& dataModule, QWidget* parent = nullptr);

    // What opens a written workbook; by default the desktop's program for the file type.
    void setFileOpener(std::function<void(const QString& path)> opener) { m_openFile = std::move(opener); }

    QTabWidget* pages() const { return m_pages; }
    QDateEdit* fromEdit() const { return m_fromEdit; }
    QDateEdit* toEdit() const { return m_toEdit; }
    QRadioButton* paymentDateButton() const { return m_paymentDate; }
    QRadioButton* purchaseDateButton() const { return m_purchaseDate; }
    QCheckBox* ticketShowBox() const { return m_ticketShow; }
    QCheckBox* producerShowBox() const { return m_producerShow; }
    QProgressBar* ticketProgress() const { return m_ticketProgress; }
    QProgressBar* producerProgress() const { return m_producerProgress; }
    ui::QueryGrid* ticketGrid() const { return m_ticketGrid; }
    ui::QueryGrid* producerGrid() const { return m_producerGrid; }
    QLineEdit* folderEdit() const { return m_folderEdit; }
    QPushButton* folderButton() const { return m_folderButton; }
    QPushButton* ticketGatherButton() const { return m_ticketGather; }
    QPushButton* ticketExportButton() const { return m_ticketExport; }
    QPushButton* producerGatherButton() const { return m_producerGather; }
    QPushButton* producerExportButton() const { return m_producerExport; }
    Query& ticketQuery() { return m_ticketQuery; }
    Query& producerQuery() { return m_producerQuery; }

    // "Kigyüjtés" and "Exportálás " of the two pages, and the folder choice.
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button5Click();
    void chooseFolder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void gather(QProgressBar* progress, const std::function<void()>& run);
    void exportPage(Query& query, const xls::Layout& layout, const QString& fileName, QProgressBar* progress,
                    QCheckBox* show, ui::QueryGrid* grid, const QString& doneMessage);

    TData& m_data;
    Query m_ticketQuery;
    Query m_producerQuery;
    std::function<void(const QString&)> m_openFile;

    QTabWidget* m_pages;
    QDateEdit* m_fromEdit;
    QDateEdit* m_toEdit;
    QRadioButton* m_paymentDate;
    QRadioButton* m_purchaseDate;
    QCheckBox* m_ticketShow;
    QCheckBox* m_producerShow;
    QProgressBar* m_ticketProgress;
    QProgressBar* m_producerProgress;
    ui::QueryGrid* m_ticketGrid;
    ui::QueryGrid* m_producerGrid;
    QLineEdit* m_folderEdit;
    QPushButton* m_folderButton;
    QPushButton* m_ticketGather;
    QPushButton* m_ticketExport;
    QPushButton* m_producerGather;
    QPushButton* m_producerExport;
};

} // namespace zeror
