#pragma once

#include "ListScreenParts.h"

class QButtonGroup;
class QRadioButton;

namespace zeror {

class TData;
struct ListPeriod;

// "Termékenkénti lista": the period's lines grouped by product name (letter case apart), printed
// portrait from "FjLista5.frf" with the lines of each product under it.
class TForm13 : public ListScreenParts
{
    Q_OBJECT

public:
    explicit TForm13(TData& dataModule, QWidget* parent = nullptr);

    QDateEdit* fromPicker() const { return m_from; }
    QDateEdit* toPicker() const { return m_to; }
    QRadioButton* paymentDateButton() const { return m_payment; }
    QRadioButton* purchaseDateButton() const { return m_purchase; }
    const QString& grandTotal() const { return m_total; }

    void collectClick();
    void printClick();

private:
    ListPeriod period() const;

    TData& m_data;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QButtonGroup* m_dateGroup;
    QRadioButton* m_payment;
    QRadioButton* m_purchase;
    QString m_total;
};

} // namespace zeror
