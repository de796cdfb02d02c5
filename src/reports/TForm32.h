#pragma once

#include "ListScreenParts.h"
#include "SummaryLists.h"

class QCheckBox;

namespace zeror {

class TData;

// "Statisztika": the purchases per product and purchase month, or per product overall, with
// the average price, printed from "FjLista12.frf" or "FjLista13.frf".
class TForm32 : public ListScreenParts
{
    Q_OBJECT

public:
    explicit TForm32(TData& dataModule, QWidget* parent = nullptr);

    QCheckBox* overallBox() const { return m_overall; }

    void collectClick();
    void printClick();

private:
    TData& m_data;
    QCheckBox* m_overall;
    ListTotals m_totals;
};

} // namespace zeror
