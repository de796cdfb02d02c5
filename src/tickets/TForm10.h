#pragma once

#include "TicketEntryLine.h"
#include "TicketEntrySettings.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

// What the line screen takes from the entry screen: the ticket number of its lines, the weight
// deduction given to every line it stores, and the producer whose panel it re-opens.
struct LineScreenContext
{
    QString ticketNumber;
    QString weightDeduction;
    QString producerCode;
};

// "Ravuraruvida reva tételsor": enters or changes one line of the ticket open in the entry screen
// and stores it at once. The mode comes from SharedState::lineEntryMode when the screen is
// created ("Ravuraruvida reva módositás" changes the line, anything else adds one).
//
// Object names: numberEdit ("Bszám"), idEdit (hidden), nameEdit, productButton ("Termék"),
// vtszEdit, quantityEdit, unitEdit, unitPriceEdit, Edit8 ("Komp.mértéke"), Edit10 ("Bizonylat")
// with Edit10Label, codeEdit ("Kód"), okButton, cancelButton.
class TForm10 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm10(const LineScreenContext& context, QWidget* parent = nullptr);
    // Where the lines are kept while a new ticket is entered (its entry's own key); empty: under
    // the ticket number.
    void setLinesKey(const QString& key) { m_linesKey = key; }
    ~TForm10() override;

    bool isNewLine() const { return m_isNew; }

    // Copies the entry screen's current grid line (ZQ20) into the fields; false after Hiba101,
    // when the screen must not open. An empty grid leaves the fields empty.
    bool loadLine();
    // "Termék": the product register as a picker, then its current product (ZQ40) is copied.
    void chooseProduct();
    // "OK".
    void store();

private:
    void buildWidgets();
    ticketentry::TicketLineInput lineInput() const;
    QWidget* fieldOf(ticketentry::LineField field) const;
    void guarded(const std::function<void()>& action);

    LineScreenContext m_context;
    QString m_linesKey;
    bool m_isNew = true;
    Form10Settings m_settings;

    QLineEdit* m_number = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_productButton = nullptr;
    QLineEdit* m_vtsz = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_unit = nullptr;
    QLineEdit* m_unitPrice = nullptr;
    QLineEdit* m_rate = nullptr; // Edit8
    QLabel* m_documentLabel = nullptr;
    QLineEdit* m_document = nullptr; // Edit10
    QLineEdit* m_code = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zeror
