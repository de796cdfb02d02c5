#include "TForm31.h"

#include "ListPrint.h"
#include "SharedState.h"
#include "SummaryLists.h"
#include "TData.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm31::TForm31(TData& dataModule, QWidget* parent) : ListScreenParts("Form31", QStringLiteral("Kp. napilista"), parent), m_data(dataModule)
{
    m_data.ZQ11.close();
    auto* layout = new QVBoxLayout(this);
    auto* counts = new QLabel(QStringLiteral("Ha a felvásárlási jegyen  nincs pipa az \"átutalás\"-nál."), this);
    counts->setObjectName(QStringLiteral("cashNoteLabel"));
    auto* grouping = new QLabel(QStringLiteral("Csoportosítva: a fizetés kelte alapján. "), this);
    grouping->setObjectName(QStringLiteral("groupingLabel"));
    layout->addWidget(counts);
    layout->addWidget(grouping);

    m_perProduct = new QCheckBox(QStringLiteral("Részletezö lista termékenként"), this);
    m_perProduct->setObjectName(QStringLiteral("perProductBox"));
    m_perProduct->setToolTip(QStringLiteral("Napi kp. bevétel termékenkénti  részletezése"));
    layout->addWidget(m_perProduct);

    addGridAndButtons(layout, &m_data.ZQ11);
    connect(m_perProduct, &QCheckBox::clicked, this, &TForm31::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm31::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm31::printClick);
    resize(560, 480);
}

void TForm31::collectClick()
{
    if (guarded([this] { collectCashDaily(m_data, sharedState().buyerCode, m_perProduct->isChecked()); }))
        collected();
}

void TForm31::printClick()
{
    printList(cashDailyPrint(m_perProduct->isChecked()), this);
}

} // namespace zeror
