#pragma once

#include "ListScreenParts.h"
#include "SummaryLists.h"

class QCheckBox;
class QLineEdit;

namespace zeror {

class TData;

// "Egy östermelö havi bontásban termékenként ": one producer's purchases per purchase month and
// product (or per ticket line), with the producer's totals, printed from "FjLista9.frf".
class TForm30 : public ListScreenParts
{
    Q_OBJECT

public:
    explicit TForm30(TData& dataModule, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* producerButton() const { return m_producerButton; }
    QLineEdit* addressEdit() const { return m_address; }
    QLineEdit* birthEdit() const { return m_birth; }
    QLineEdit* codeEdit() const { return m_code; }
    QLineEdit* purchaseTotalEdit() const { return m_purchase; }
    QLineEdit* surchargeTotalEdit() const { return m_surcharge; }
    QLineEdit* paidTotalEdit() const { return m_paid; }
    QCheckBox* detailedBox() const { return m_detailed; }

    void producerClick();
    void collectClick();
    void printClick();

private:
    TData& m_data;
    QLineEdit* m_name;
    QPushButton* m_producerButton;
    QLineEdit* m_address;
    QLineEdit* m_birth;
    QLineEdit* m_code;
    QLineEdit* m_purchase;
    QLineEdit* m_surcharge;
    QLineEdit* m_paid;
    QCheckBox* m_detailed;
    ProducerCard m_card;
    ListTotals m_totals;
};

} // namespace zeror
