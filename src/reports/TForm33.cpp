#include "TForm33.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "ListPrint.h"
#include "ScreenRegistry.h"
#include "SummaryLists.h"
#include "TData.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm33::TForm33(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form33"));
    setWindowTitle(QStringLiteral("Szerzödés nyomtatás"));
    auto* layout = new QVBoxLayout(this);

    auto* producerRow = new QHBoxLayout;
    m_producerButton = ui::makeButton(this, "producerButton", QStringLiteral("Őstermelő"));
    m_producer = new QLabel(this);
    m_producer->setObjectName(QStringLiteral("producerLabel"));
    m_producer->setMinimumWidth(320);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("producerCodeField"));
    m_code->setVisible(false);
    producerRow->addWidget(m_producerButton);
    producerRow->addWidget(m_producer, 1);
    layout->addLayout(producerRow);

    auto* grid = new QGridLayout;
    const QList<ContractField>& fields = contractFields();
    for (int i = 0; i < fields.size(); ++i) {
        auto* label = new QLabel(fields[i].label, this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("field_%1").arg(fields[i].variable));
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        if (!fields[i].unit.isEmpty())
            grid->addWidget(new QLabel(fields[i].unit, this), i, 2);
        m_fields << edit;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    m_print = ui::makeButton(this, "printButton", QStringLiteral("Nyomtatás"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_print, m_cancel}));

    connect(m_producerButton, &QPushButton::clicked, this, &TForm33::producerClick);
    connect(m_print, &QPushButton::clicked, this, &TForm33::printClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);
    resize(520, 420);
}

void TForm33::producerClick()
{
    // The register opens positioned on the last located producer; its current row is the choice.
    if (!ui::openScreen(QStringLiteral("picker:producer"), this)) {
        ui::Dialogs::error(this, QStringLiteral("Az őstermelő lista nem nyitható meg!"));
        return;
    }
    const Query& p = m_data.ZQ30;
    if (!p.isOpen() || p.isEmpty() || p.recNo() < 0)
        return;
    const ProducerCard card = producerCard(p);
    m_code->setText(card.code);
    m_producer->setText(card.name + QStringLiteral("\n") + card.address);
}

void TForm33::printClick()
{
    if (m_code->text().isEmpty())
        return;
    try {
        positionContractProducer(m_data, m_code->text());
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    QStringList values;
    for (QLineEdit* e : m_fields)
        values << e->text();
    printList(contractPrint(values), this);
}

} // namespace zeror
