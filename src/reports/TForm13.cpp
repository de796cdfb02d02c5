#include "TForm13.h"

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

TForm13::TForm13(TData& dataModule, QWidget* parent)
    : ListScreenParts("Form13", QStringLiteral("Termékenkénti lista"), parent), m_data(dataModule)
{
    // The list starts empty: the shared grid query is closed when the screen opens.
    m_data.ZQ20.close();
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

    auto* caseNote = new QLabel(QStringLiteral("Megnevezésbeni eltérés (Búza, búza) külön tételsorba kerül."), this);
    caseNote->setObjectName(QStringLiteral("caseNoteLabel"));
    layout->addWidget(caseNote);

    addGridAndButtons(layout, &m_data.ZQ20);
    grid()->setColumns({{QStringLiteral("s_megnevezes"), QStringLiteral("Megnevezés")},
                        {QStringLiteral("mennyiseg"), QStringLiteral("Mennyiség")},
                        {QStringLiteral("kifizetett"), QStringLiteral("Kifizetett")}});

    // The printout must show the rows of the period and the date choice it was collected with.
    connect(m_from, &QDateEdit::dateChanged, this, &TForm13::withdrawPrint);
    connect(m_to, &QDateEdit::dateChanged, this, &TForm13::withdrawPrint);
    connect(m_dateGroup, &QButtonGroup::idClicked, this, &TForm13::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm13::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm13::printClick);
    ui::EnterNavigator::install(this);
    resize(700, 520);
    m_from->setFocus();
}

ListPeriod TForm13::period() const
{
    return ListPeriod{m_from->date(), m_to->date(), m_payment->isChecked()};
}

void TForm13::collectClick()
{
    if (guarded([this] { m_total = collectProductList(m_data, sharedState().buyerCode, period()); }))
        collected();
}

void TForm13::printClick()
{
    printList(productListPrint(m_total, period()), this);
}

} // namespace zeror
