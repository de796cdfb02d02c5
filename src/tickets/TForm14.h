#pragma once

#include "Query.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zeror {

class TData;

namespace ui {
class QueryGrid;
}

// "Ellenörzés": checks the chosen buyer's ticket lines of a payment period, a single identifier
// typed in, and every producer record, before the declaration is made. Nothing is written.
// The ticket tab collects into ZQ20, the producer tab into a query of its own, so either tab's
// check runs whatever the other tab collected.
class TForm14 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm14(TData& dataModule, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

    // Ticket tab.
    QDateEdit* fromEdit() const { return m_fromEdit; }
    QDateEdit* toEdit() const { return m_toEdit; }
    QPushButton* ticketCollectButton() const { return m_ticketCollectButton; }
    QPushButton* ticketCheckButton() const { return m_ticketCheckButton; }
    QPushButton* ticketCancelButton() const { return m_ticketCancelButton; }
    ui::QueryGrid* ticketGrid() const { return m_ticketGrid; }
    QPlainTextEdit* ticketReport() const { return m_ticketReport; }

    // "Adatok" tab.
    QTabWidget* singleTabs() const { return m_singleTabs; }
    QLineEdit* taxNumberEdit() const { return m_taxNumberEdit; }
    QLineEdit* taxIdEdit() const { return m_taxIdEdit; }
    QLineEdit* tajEdit() const { return m_tajEdit; }
    QLineEdit* dayTaxIdEdit() const { return m_dayTaxIdEdit; }
    QDateEdit* birthDateEdit() const { return m_birthDateEdit; }
    QPushButton* taxNumberCheckButton() const { return m_taxNumberCheckButton; }
    QPushButton* taxIdCheckButton() const { return m_taxIdCheckButton; }
    QPushButton* tajCheckButton() const { return m_tajCheckButton; }
    QPushButton* dayCheckButton() const { return m_dayCheckButton; }
    QLabel* messageLabel() const { return m_messageLabel; }
    QLabel* idDaysLabel() const { return m_idDaysLabel; }
    QLabel* daysLabel() const { return m_daysLabel; }
    // How many times an error verdict has beeped.
    int beepCount() const { return m_beeps; }

    // Producer tab.
    QPushButton* producerCollectButton() const { return m_producerCollectButton; }
    QPushButton* producerCheckButton() const { return m_producerCheckButton; }
    QPushButton* producerCancelButton() const { return m_producerCancelButton; }
    ui::QueryGrid* producerGrid() const { return m_producerGrid; }
    QPlainTextEdit* producerReport() const { return m_producerReport; }

    // True when characters 2 to 6 of the identifier give the days from 1867.01.01 to the birth
    // date (date text, "1980.05.15").
    bool ElteltNapEllenorzes(const QString& taxId, const QString& birthDate) const;

private:
    QWidget* buildTicketTab();
    QWidget* buildSingleValueTab();
    QWidget* buildProducerTab();

    void collectTicketsClick();
    void checkTicketsClick();
    void collectProducersClick();
    void checkProducersClick();
    void checkTaxNumberClick();
    void checkTaxIdClick();
    void checkTajClick();
    void checkDaysClick();
    void showVerdict(const QString& text, bool error);

    TData& m_data;
    Query m_producerRows;
    int m_beeps = 0;

    QTabWidget* m_tabs;

    QDateEdit* m_fromEdit = nullptr;
    QDateEdit* m_toEdit = nullptr;
    QPushButton* m_ticketCollectButton = nullptr;
    QPushButton* m_ticketCheckButton = nullptr;
    QPushButton* m_ticketCancelButton = nullptr;
    ui::QueryGrid* m_ticketGrid = nullptr;
    QPlainTextEdit* m_ticketReport = nullptr;

    QTabWidget* m_singleTabs = nullptr;
    QLineEdit* m_taxNumberEdit = nullptr;
    QLineEdit* m_taxIdEdit = nullptr;
    QLineEdit* m_tajEdit = nullptr;
    QLineEdit* m_dayTaxIdEdit = nullptr;
    QDateEdit* m_birthDateEdit = nullptr;
    QPushButton* m_taxNumberCheckButton = nullptr;
    QPushButton* m_taxIdCheckButton = nullptr;
    QPushButton* m_tajCheckButton = nullptr;
    QPushButton* m_dayCheckButton = nullptr;
    QLabel* m_messageLabel = nullptr;
    QLabel* m_idDaysLabel = nullptr;
    QLabel* m_daysLabel = nullptr;

    QPushButton* m_producerCollectButton = nullptr;
    QPushButton* m_producerCheckButton = nullptr;
    QPushButton* m_producerCancelButton = nullptr;
    ui::QueryGrid* m_producerGrid = nullptr;
    QPlainTextEdit* m_producerReport = nullptr;
};

} // namespace zeror
