#include "TForm39.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "TData.h"
#include "Voiding.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm39::TForm39(const QString& voidedNumber, QWidget* parent)
    : QDialog(parent), m_data(TData::instance()), m_voided(voidedNumber)
{
    setObjectName(QStringLiteral("Form39"));
    setWindowTitle(QStringLiteral("Érvénytelenitő bizonylat létrehozása"));

    auto* layout = new QVBoxLayout(this);
    auto* red = new QLabel(QStringLiteral("A kiválasztott felvásárlási jegy bizonylat érvénytelenítése új bizonylat sorszámon."), this);
    red->setObjectName(QStringLiteral("Label1"));
    red->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    layout->addWidget(red);
    auto* info = new QLabel(QStringLiteral("Az érvénytelenítendő  bizonylat tételsor(ok) mennyisége mínusz eggyel beszorozva."), this);
    info->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(info);

    auto* row = new QHBoxLayout;
    auto* numberLabel = new QLabel(QStringLiteral("Érvénytelenítő \"ÚJ\" bizonylat sorszáma:"), this);
    numberLabel->setObjectName(QStringLiteral("Label3"));
    m_numberEdit = new QLineEdit(this);
    m_numberEdit->setObjectName(QStringLiteral("Edit1"));
    m_numberEdit->setEnabled(false);
    m_numberEdit->setMaximumWidth(140);
    numberLabel->setBuddy(m_numberEdit);
    row->addWidget(numberLabel);
    row->addWidget(m_numberEdit);
    row->addStretch();
    layout->addLayout(row);
    layout->addSpacing(8);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setAutoDefault(false);
    m_cancelButton = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &TForm39::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &TForm39::Button2Click);
    ui::EnterNavigator::install(this);
}

QString TForm39::reservedNumber() const
{
    return m_numberEdit->text();
}

void TForm39::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TForm39::FormShow()
{
    QString number;
    try {
        number = reserveVoidingNumber(*m_data);
    } catch (const Error& e) {
        // Without a number nothing can be created; only "Mégsem" is left.
        m_numberEdit->clear();
        m_okButton->setEnabled(false);
        m_cancelButton->setFocus();
        ui::Dialogs::error(this, e.message());
        return;
    }
    m_numberEdit->setText(number);
    try {
        deleteLeftoverLines(*m_data, number);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_okButton->setFocus();
}

void TForm39::Button1Click()
{
    const QString number = m_numberEdit->text();
    if (number.isEmpty())
        return;
    try {
        ui::Dialogs::information(this, createVoidingTicket(*m_data, m_voided, number));
        accept();
    } catch (const VoidingRefused& e) {
        // Another workstation voided the ticket meanwhile; nothing was stored.
        ui::Dialogs::refusal(this, e.message());
        reject();
    } catch (const Error& e) {
        // Everything is rolled back; the operator starts again from the list.
        ui::Dialogs::error(this, e.message());
        reject();
    }
}

void TForm39::Button2Click()
{
    reject();
}

} // namespace zeror
