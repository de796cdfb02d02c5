#pragma once

#include "ListScreenParts.h"

class QCheckBox;

namespace zeror {

class TData;

// "Kp. napilista": the cash payments per payment day, optionally per product, printed from
// "FjLista10.frf" or "FjLista11.frf".
class TForm31 : public ListScreenParts
{
    Q_OBJECT

public:
    explicit TForm31(TData& dataModule, QWidget* parent = nullptr);

    QCheckBox* perProductBox() const { return m_perProduct; }

    void collectClick();
    void printClick();

private:
    TData& m_data;
    QCheckBox* m_perProduct;
};

} // namespace zeror
