#include "TForm12.h"

#include "EnterNavigator.h"
#include "ListPrint.h"
#include "PeriodLists.h"
#include "QueryGrid.h"
#include "SharedState.h"
#include "TData.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zeror {

TForm12::TForm12(TData& dataModule, QWidget* parent)
    : ListScreenParts("Form12", QStringLiteral("Tételes lista"), parent), m_data(dataModule)
{
    const ListPeriod period = defaultListPeriod();
    auto* layout = new QVBoxLayout(this);

    auto* periodRow = new QHBoxLayout;
    auto* periodLabel = new QLabel(QStringLiteral("Bevallási idöszak: "), this);
    periodLabel->setObjectName(QStringLiteral("periodLabel"));
    m_from = makeDatePicker("fromPicker", period.from);
    m_to = makeDatePicker("toPicker", period.to);
    periodRow->addWidget(periodLabel);
    periodRow->addWidget(m_from);
    periodRow->addWidget(new QLabel(QStringLiteral("-tól"), this));
    periodRow->addSpacing(12);
    periodRow->addWidget(m_to);
    periodRow->addWidget(new QLabel(QStringLiteral("-ig"), this));
    periodRow->addSpacing(16);
    auto* dateKind = new QLabel(QStringLiteral("Fizetési dátum szerint"), this);
    dateKind->setObjectName(QStringLiteral("dateKindLabel"));
    periodRow->addWidget(dateKind);
    periodRow->addStretch();
    layout->addLayout(periodRow);

    auto* orderBox = new QGroupBox(QStringLiteral("Sorrend"), this);
    orderBox->setObjectName(QStringLiteral("orderBox"));
    auto* orderRow = new QHBoxLayout(orderBox);
    m_orderGroup = new QButtonGroup(this);
    const QList<ItemisedOrder>& orders = itemisedOrders();
    for (int i = 0; i < orders.size(); ++i) {
        auto* b = new QRadioButton(orders[i].button, orderBox);
        b->setObjectName(QStringLiteral("orderButton%1").arg(i));
        m_orderGroup->addButton(b, i);
        orderRow->addWidget(b);
        m_orders << b;
    }
    m_orders.first()->setChecked(true);
    orderRow->addStretch();
    layout->addWidget(orderBox);

    addGridAndButtons(layout, &m_data.ZQ20);
    QList<QueryModel::Column> columns;
    for (const auto& c : itemisedListColumns())
        columns.append({c.first, c.second});
    grid()->setColumns(columns);

    // The printout must show the rows of the period and the order it was collected with.
    connect(m_from, &QDateEdit::dateChanged, this, &TForm12::withdrawPrint);
    connect(m_to, &QDateEdit::dateChanged, this, &TForm12::withdrawPrint);
    connect(m_orderGroup, &QButtonGroup::idClicked, this, &TForm12::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm12::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm12::printClick);
    ui::EnterNavigator::install(this);
    resize(900, 560);
    m_from->setFocus();
}

int TForm12::order() const
{
    return qMax(0, m_orderGroup->checkedId());
}

void TForm12::collectClick()
{
    if (guarded([this] {
            m_total = collectItemisedList(m_data, sharedState().buyerCode, m_from->date(), m_to->date(), order());
        }))
        collected();
}

void TForm12::printClick()
{
    printList(itemisedListPrint(m_total, m_from->date(), m_to->date(), order()), this);
}

} // namespace zeror
