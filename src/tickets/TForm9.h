#pragma once

#include "TicketEntry.h"
#include "TicketEntrySettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zeror {

namespace ui {
class GridNavigator;
class QueryGrid;
} // namespace ui

// "Ravuraruvida reva bevitel": enters a new purchase ticket or changes one. The mode comes from
// SharedState::ticketEntryMode when the screen is created ("Ravuraruvida reva módositás" changes,
// anything else enters a new ticket).
//
// Object names of the controls: numberEdit ("Sorszám"), idEdit and producerCodeEdit (hidden),
// producerButton ("Őstermelő"), issueDateEdit, purchaseDateEdit, paymentDateEdit, transferCheck,
// szjaEdit, Edit14 ("Súlylevon.%"), Edit15 ("Tagi h.járul.%"), Edit13 ("Levonás (Ft)") with their
// labels Edit14Label, Edit15Label, Edit13Label, remarkEdit, declarationCheck, declarationEdit,
// linesGrid, newLineButton, modifyLineButton, deleteLineButton, farEdit, kfelarEdit, varEdit,
// payableEdit, producerFarEdit, producerKfelarEdit, producerVarEdit, producerInfoLabel, tabs,
// okButton, cancelButton.
//
// Queries: ZQ10 the buyer's ticket list, ZQ20 the lines grid, ZQ30 the producer panel (and the
// producer picker's list), ZQ50 the counter, ZQ11 the header statements, ZQ31 the line count and
// deletions, ZQ21 and ZQ22 the sums of the ticket and of its producer.
class TForm9 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm9(QWidget* parent = nullptr);
    ~TForm9() override;

    bool isNewTicket() const { return m_isNew; }

    // The ticket loader: copies the ticket at ZQ10's current row into the screen (modify mode),
    // before the screen is shown.
    void loadTicket();

    // Recomputes the seven totals and the payable amount from the stored lines and the header.
    void f_mindosszes();
    // Re-reads the producer panel and re-opens the buyer's ticket list positioned on the ticket.
    void frissit();

    // The actions of the buttons, also callable directly.
    void chooseProducer();           // "Őstermelő"
    void applyTransferPaymentDate(); // the payment date of a transfer
    void newLine();                  // "Új"
    void modifyLine();               // "Módosít"
    void deleteLine();               // "Töröl"
    void store();                    // "OK"

    // What the line screen reads from here.
    QString ticketNumber() const;
    // Where the ticket's lines are kept: a new ticket's entry key until it is stored, else its number.
    QString linesKey() const;
    QString weightDeductionText() const;
    QString producerCode() const;

    // The values "OK" stores: the payable amount and the sum of the lines' S_VETELAR of the last
    // recomputation; totalsValid is false while a number field cannot be read.
    qint64 payableAmount() const { return m_payable; }
    double sumVar() const { return m_sumVar; }
    bool totalsValid() const { return m_totalsValid; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildWidgets();
    void prepareShow();
    void prepareNewTicket();
    void showProducerPanel();
    // The bodies of f_mindosszes, frissit and "OK"; a database failure propagates to the caller.
    void computeTotals();
    void refresh();
    void storeTicket();
    // The payable amount again from the last sums and the header fields, without the database.
    void recomputePayable();
    ticketentry::TicketHeaderInput headerInput() const;
    QWidget* fieldOf(ticketentry::HeaderField field) const;
    void runLineScreen(bool isNew);
    // Runs an action; a database failure it does not handle itself is shown with its reason.
    void guarded(const std::function<void()>& action);

    bool m_isNew = true;
    QString m_linesKey; // a new ticket's lines stay under its entry's own key until it is stored
    bool m_prepared = false;
    int m_busy = 0; // actions running; the screen is not refreshed in their middle
    Form9Settings m_settings;

    ticketentry::AmountSums m_ticketSums;
    qint64 m_payable = 0;
    double m_sumVar = 0;
    bool m_totalsValid = true;

    QLabel* m_producerInfo = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_producerCode = nullptr;
    QPushButton* m_producerButton = nullptr;
    QLineEdit* m_issueDate = nullptr;
    QLineEdit* m_purchaseDate = nullptr;
    QLineEdit* m_paymentDate = nullptr;
    QCheckBox* m_transfer = nullptr;
    QLineEdit* m_szja = nullptr;
    QLabel* m_weightLabel = nullptr;
    QLineEdit* m_weight = nullptr; // Edit14
    QLabel* m_contributionLabel = nullptr;
    QLineEdit* m_contribution = nullptr; // Edit15
    QLabel* m_deductionLabel = nullptr;
    QLineEdit* m_deduction = nullptr; // Edit13
    QLineEdit* m_remark = nullptr;
    QCheckBox* m_declarationCheck = nullptr;
    QLineEdit* m_declaration = nullptr;
    ui::QueryGrid* m_grid = nullptr;
    ui::GridNavigator* m_navigator = nullptr;
    QPushButton* m_newLine = nullptr;
    QPushButton* m_modifyLine = nullptr;
    QPushButton* m_deleteLine = nullptr;
    QLineEdit* m_far = nullptr;
    QLineEdit* m_kfelar = nullptr;
    QLineEdit* m_var = nullptr;
    QLineEdit* m_payableEdit = nullptr;
    QLineEdit* m_producerFar = nullptr;
    QLineEdit* m_producerKfelar = nullptr;
    QLineEdit* m_producerVar = nullptr;
    QList<QPair<QString, QLineEdit*>> m_producerFields; // column -> read-only field of the "őstermelő" tab
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zeror
