#include "TForm38.h"

#include "BuyerRecord.h"
#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "KeyFilters.h"
#include "SharedState.h"
#include "TData.h"
#include "YearOpening.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm38::TForm38(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form38"));
    setWindowTitle(QStringLiteral("Évnyitás"));

    auto* layout = new QVBoxLayout(this);
    const QStringList guidance = yearOpeningGuidance();
    for (int i = 0; i < guidance.size(); ++i) {
        auto* label = new QLabel(guidance[i], this);
        label->setObjectName(QStringLiteral("guidanceLabel%1").arg(i + 1));
        layout->addWidget(label);
    }
    layout->addSpacing(8);

    m_lockedLabel = new QLabel(kTicketsExistMessage, this);
    m_lockedLabel->setObjectName(QStringLiteral("lockedLabel"));
    QFont bold = m_lockedLabel->font();
    bold.setBold(true);
    m_lockedLabel->setFont(bold);
    m_lockedLabel->setVisible(false);
    layout->addWidget(m_lockedLabel);

    auto* form = new QFormLayout;
    m_currentEdit = new QLineEdit(this);
    m_currentEdit->setObjectName(QStringLiteral("currentEdit"));
    m_currentEdit->setReadOnly(true);
    m_currentEdit->setFocusPolicy(Qt::ClickFocus);
    m_currentEdit->setMaximumWidth(140);
    auto* currentLabel = new QLabel(QStringLiteral("Jelenlegi sorszam:"), this);
    currentLabel->setObjectName(QStringLiteral("currentLabel"));
    form->addRow(currentLabel, m_currentEdit);

    m_newEdit = new QLineEdit(this);
    m_newEdit->setObjectName(QStringLiteral("newEdit"));
    // Longer than the eight characters a number has, so that a ninth digit reaches the length check
    // and is refused there instead of being dropped while the first eight are stored.
    ui::setCharClass(m_newEdit, ui::CharClass::Digits, 16);
    m_newEdit->setMaximumWidth(140);
    m_newLabel = new QLabel(QStringLiteral("Új sorszam:"), this);
    m_newLabel->setObjectName(QStringLiteral("newLabel"));
    m_newLabel->setBuddy(m_newEdit);
    form->addRow(m_newLabel, m_newEdit);
    layout->addLayout(form);
    layout->addSpacing(8);

    m_storeButton = new QPushButton(QStringLiteral("Letárol"), this);
    m_storeButton->setObjectName(QStringLiteral("storeButton"));
    m_storeButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("Bezárás"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_storeButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    setTabOrder(m_newEdit, m_storeButton);
    setTabOrder(m_storeButton, m_closeButton);
    connect(m_storeButton, &QPushButton::clicked, this, &TForm38::Button1Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);

    YearOpeningState state;
    try {
        state = readYearOpening(m_data, sharedState().buyerCode);
    } catch (const DbError& e) {
        // Without the ticket count the counter must not be offered for change.
        state.locked = true;
        ui::Dialogs::error(this, e.message());
    }
    m_locked = state.locked;
    m_lockedLabel->setVisible(m_locked);
    m_newLabel->setVisible(!m_locked);
    m_newEdit->setVisible(!m_locked);
    m_storeButton->setVisible(!m_locked);
    m_currentEdit->setText(state.currentNumber);
    if (m_locked)
        m_closeButton->setFocus();
    else
        m_newEdit->setFocus();
}

void TForm38::Button1Click()
{
    if (m_locked)
        return;
    const QString number = m_newEdit->text();
    if (const std::optional<QString> fault = checkStartingNumber(number)) {
        ui::Dialogs::information(this, *fault);
        m_newEdit->setFocus();
        return;
    }
    try {
        storeStartingNumber(m_data, sharedState().buyerCode, number);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        m_newEdit->setFocus();
        return;
    }
    accept();
}

} // namespace zeror
