#include "TForm19.h"

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

TForm19::TForm19(TData& dataModule, QWidget* parent)
    : ListScreenParts("Form19", QStringLiteral("Östermelönkénti lista"), parent), m_data(dataModule)
{
    const ListPeriod initial = defaultListPeriod();
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* periodBox = new QGroupBox(QStringLiteral("Idöszak"), this);
    periodBox->setObjectName(QStringLiteral("periodBox"));
    auto* periodRow = new QHBoxLayout(periodBox);
    m_from = makeDatePicker("fromPicker", initial.from);
    m_to = makeDatePicker("toPicker", initial.to);
    periodRow->addWidget(m_from);
    periodRow->addWidget(new QLabel(QStringLiteral("-tól"), periodBox));
    periodRow->addSpacing(12);
    periodRow->addWidget(m_to);
    periodRow->addWidget(new QLabel(QStringLiteral("-ig"), periodBox));
    top->addWidget(periodBox);

    auto* dateBox = new QGroupBox(QStringLiteral("Dátum ?"), this);
    dateBox->setObjectName(QStringLiteral("dateBox"));
    auto* dateRow = new QHBoxLayout(dateBox);
    m_dateGroup = new QButtonGroup(this);
    m_payment = new QRadioButton(QStringLiteral("Fizetési dátum"), dateBox);
    m_payment->setObjectName(QStringLiteral("paymentDateButton"));
    m_purchase = new QRadioButton(QStringLiteral("Felvásárlási dátum"), dateBox);
    m_purchase->setObjectName(QStringLiteral("purchaseDateButton"));
    m_dateGroup->addButton(m_payment, 0);
    m_dateGroup->addButton(m_purchase, 1);
    m_payment->setChecked(true);
    dateRow->addWidget(m_payment);
    dateRow->addWidget(m_purchase);
    top->addWidget(dateBox);
    top->addStretch();
    layout->addLayout(top);

    addGridAndButtons(layout, &m_data.ZQ20);
    grid()->setColumns({{QStringLiteral("o_kod"), QStringLiteral("Kód")},
                        {QStringLiteral("o_nev"), QStringLiteral("Név")},
                        {QStringLiteral("nevosszesen"), QStringLiteral("Összesen")}});

    // The printout must show the rows of the period and the date choice it was collected with.
    connect(m_from, &QDateEdit::dateChanged, this, &TForm19::withdrawPrint);
    connect(m_to, &QDateEdit::dateChanged, this, &TForm19::withdrawPrint);
    connect(m_dateGroup, &QButtonGroup::idClicked, this, &TForm19::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm19::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm19::printClick);
    resize(700, 520);
    m_from->setFocus();
}

ListPeriod TForm19::period() const
{
    return ListPeriod{m_from->date(), m_to->date(), m_payment->isChecked()};
}

void TForm19::collectClick()
{
    if (guarded([this] { m_total = collectProducerList(m_data, sharedState().buyerCode, period()); }))
        collected();
}

void TForm19::printClick()
{
    // The first producer's total and lines are read again for the print; the feed does the rest.
    if (guarded([this] { prepareProducerListPrint(m_data, sharedState().buyerCode, period()); }))
        printList(producerListPrint(m_total, period()), this);
}

} // namespace zeror
