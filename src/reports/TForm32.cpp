#include "TForm32.h"

#include "ListPrint.h"
#include "SharedState.h"
#include "TData.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm32::TForm32(TData& dataModule, QWidget* parent) : ListScreenParts("Form32", QStringLiteral("Statisztika"), parent), m_data(dataModule)
{
    m_data.ZQ11.close();
    auto* layout = new QVBoxLayout(this);
    const QStringList notes{
        QStringLiteral("Csoportosítás: termékenként, a felvásárlás hónapja szerint."),
        QStringLiteral("Átlagár = felvásárlási ár / mennyiség."),
        QStringLiteral("A mértékegységeket egy terméken belül nem hasonlítja össze."),
        QStringLiteral("Megnevezésbeni eltérés (Búza, búza) külön tételsorba kerül."),
    };
    for (int i = 0; i < notes.size(); ++i) {
        auto* l = new QLabel(notes[i], this);
        l->setObjectName(QStringLiteral("noteLabel%1").arg(i + 1));
        layout->addWidget(l);
    }

    m_overall = new QCheckBox(QStringLiteral("Termékenkénti mindösszesen lista "), this);
    m_overall->setObjectName(QStringLiteral("overallBox"));
    layout->addWidget(m_overall);

    addGridAndButtons(layout, &m_data.ZQ11);
    connect(m_overall, &QCheckBox::clicked, this, &TForm32::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm32::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm32::printClick);
    resize(760, 520);
}

void TForm32::collectClick()
{
    if (guarded([this] { m_totals = collectStatistics(m_data, sharedState().buyerCode, m_overall->isChecked()); }))
        collected();
}

void TForm32::printClick()
{
    printList(statisticsPrint(m_totals, m_overall->isChecked()), this);
}

} // namespace zeror
