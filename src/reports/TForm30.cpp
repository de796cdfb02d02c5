#include "TForm30.h"

#include "Dialogs.h"
#include "FormButtons.h"
#include "ListPrint.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {
QLineEdit* readOnlyField(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}
} // namespace

TForm30::TForm30(TData& dataModule, QWidget* parent)
    : ListScreenParts("Form30", QStringLiteral("Egy östermelö havi bontásban termékenként "), parent), m_data(dataModule)
{
    m_data.ZQ11.close();
    auto* layout = new QVBoxLayout(this);

    auto* producerRow = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setToolTip(QStringLiteral("A kezdö betü(k) beírása a gyorsabb kereséshez"));
    m_name->setMinimumWidth(260);
    m_producerButton = ui::makeButton(this, "producerButton", QStringLiteral("Őstermelő"));
    m_producerButton->setToolTip(QStringLiteral("Személyek megjelenitése"));
    m_code = readOnlyField(this, "codeEdit");
    m_code->setMaximumWidth(70);
    producerRow->addWidget(m_name, 1);
    producerRow->addWidget(m_producerButton);
    producerRow->addWidget(new QLabel(QStringLiteral("Kód:"), this));
    producerRow->addWidget(m_code);
    layout->addLayout(producerRow);

    m_address = readOnlyField(this, "addressEdit");
    m_birth = readOnlyField(this, "birthEdit");
    layout->addWidget(m_address);
    layout->addWidget(m_birth);

    auto* totals = new QHBoxLayout;
    m_purchase = readOnlyField(this, "purchaseTotalEdit", QStringLiteral("0"));
    m_surcharge = readOnlyField(this, "surchargeTotalEdit", QStringLiteral("0"));
    m_paid = readOnlyField(this, "paidTotalEdit", QStringLiteral("0"));
    for (auto [label, edit] : {std::pair{QStringLiteral("Felvásárlási ár:"), m_purchase},
                               std::pair{QStringLiteral("Komp.felár:"), m_surcharge},
                               std::pair{QStringLiteral("Kifiz.:"), m_paid}}) {
        edit->setAlignment(Qt::AlignRight);
        totals->addWidget(new QLabel(label, this));
        totals->addWidget(edit);
    }
    layout->addLayout(totals);

    m_detailed = new QCheckBox(QStringLiteral("Részletezö lista"), this);
    m_detailed->setObjectName(QStringLiteral("detailedBox"));
    m_detailed->setToolTip(QStringLiteral("A listában f.jegy tételsoronkénti megjelenítése."));
    layout->addWidget(m_detailed);

    addGridAndButtons(layout, &m_data.ZQ11);
    collectButton()->setEnabled(false);

    connect(m_producerButton, &QPushButton::clicked, this, &TForm30::producerClick);
    connect(m_detailed, &QCheckBox::clicked, this, &TForm30::withdrawPrint);
    connect(collectButton(), &QPushButton::clicked, this, &TForm30::collectClick);
    connect(printButton(), &QPushButton::clicked, this, &TForm30::printClick);
    resize(860, 560);
    m_name->setFocus();
}

void TForm30::producerClick()
{
    QString code;
    if (!guarded([&] { code = locateProducerByName(m_data, m_name->text()); }))
        return;
    sharedState().producerLocateCode = code;
    if (!ui::openScreen(QStringLiteral("picker:producer"), this)) {
        ui::Dialogs::error(this, QStringLiteral("Az őstermelő lista nem nyitható meg!"));
        return;
    }
    const ProducerCard card = producerCard(m_data.ZQ30);
    if (card.code.isEmpty())
        return;
    if (card.code != m_card.code)
        withdrawPrint();
    m_card = card;
    m_name->setText(card.name);
    m_address->setText(card.address);
    m_birth->setText(card.birthData);
    m_code->setText(card.code);
    collectButton()->setEnabled(true);
}

void TForm30::collectClick()
{
    if (m_card.code.isEmpty())
        return;
    if (!guarded([this] {
            m_totals = collectProducerMonthly(m_data, sharedState().buyerCode, m_card.code, m_detailed->isChecked());
        }))
        return;
    m_purchase->setText(m_totals.purchasePrice);
    m_surcharge->setText(m_totals.surcharge);
    m_paid->setText(m_totals.paid);
    collected();
}

void TForm30::printClick()
{
    printList(producerMonthlyPrint(m_card, m_totals), this);
}

} // namespace zeror
