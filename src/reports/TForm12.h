#pragma once

#include "ListScreenParts.h"

#include <QList>

class QButtonGroup;
class QRadioButton;

namespace zeror {

class TData;

// "Tételes lista": every ticket line of a period by payment date, in one of five orders,
// printed landscape from "FjLista4.frf".
class TForm12 : public ListScreenParts
{
    Q_OBJECT

public:
    explicit TForm12(TData& dataModule, QWidget* parent = nullptr);

    QDateEdit* fromPicker() const { return m_from; }
    QDateEdit* toPicker() const { return m_to; }
    QRadioButton* orderButton(int i) const { return m_orders.value(i); }
    int order() const;
    const QString& grandTotal() const { return m_total; }

    void collectClick();
    void printClick();

private:
    TData& m_data;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QButtonGroup* m_orderGroup;
    QList<QRadioButton*> m_orders;
    QString m_total;
};

} // namespace zeror
