#include "TForm18.h"

#include "BuyerRecord.h"
#include "DbError.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "TData.h"
#include "TForm1.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {
const QString kHint = QStringLiteral("Kurzorral léptesse a kiválasztandó átvevőre");
}

TForm18::TForm18(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("Átvevö kiválasztása"));
    ui::fitWidthToTitle(this);

    auto* hint = new QLabel(kHint, this);
    hint->setObjectName(QStringLiteral("hintLabel"));

    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("buyerList"));
    m_list->setToolTip(kHint);
    m_list->setMinimumWidth(420);
    m_list->setFocusPolicy(Qt::StrongFocus);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    m_selectButton = new QPushButton(QStringLiteral("Kiválaszt"), this);
    m_selectButton->setObjectName(QStringLiteral("selectButton"));
    m_selectButton->setAutoDefault(false);
    m_cancelButton = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_selectButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_list);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabOrder(m_list, m_selectButton);
    setTabOrder(m_selectButton, m_cancelButton);

    connect(m_selectButton, &QPushButton::clicked, this, &TForm18::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &TForm18::Button2Click);
    // A choice from the open list (the list closing up after it), or a step with the arrow keys.
    connect(m_list, &QComboBox::activated, this, [this] {
        chooseFromList();
    });
    m_list->installEventFilter(this);

    try {
        openBuyerList(m_data);
        const Query& q = m_data.ZQ60;
        const int nameCol = q.fieldIndex(QStringLiteral("V_NEVE"));
        const int codeCol = q.fieldIndex(QStringLiteral("V_AKOD"));
        for (int row = 0; row < q.rowCount(); ++row)
            m_list->addItem(q.valueAt(row, nameCol).toString(), q.valueAt(row, codeCol).toString());
        applyOpeningBuyer(m_data);
        m_list->setCurrentIndex(m_list->count() - 1);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_list->setFocus();
}

TForm18::~TForm18()
{
    // Destroying the list may hand it a last focus-out; it must not count as a choice.
    m_list->removeEventFilter(this);
}

void TForm18::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_list->setFocus();
    m_inList = true;
}

void TForm18::chooseFromList()
{
    m_inList = false;
    if (m_list->currentIndex() < 0)
        return;
    QString title;
    try {
        title = chooseBuyer(m_data, m_list->currentData().toString());
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    if (title.isEmpty())
        return;
    setWindowTitle(title);
    ui::fitWidthToTitle(this);
    if (TForm1* mainWindow = TForm1::instance())
        mainWindow->enableAfterBuyerChoice(title);
}

void TForm18::leaveList()
{
    if (m_inList)
        chooseFromList();
}

void TForm18::Button1Click()
{
    leaveList();
    accept();
}

void TForm18::Button2Click()
{
    leaveList();
    reject();
}

bool TForm18::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list) {
        if (event->type() == QEvent::FocusIn) {
            m_inList = true;
        } else if (event->type() == QEvent::FocusOut && isVisible()) {
            // Opening the list's pop-up, or another window becoming active, does not leave it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                leaveList();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeror
