#include "TForm17.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "SharedState.h"
#include "TData.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {

// Columns of the left and right halves of the form; the declaration runs below both.
const char* const kLeftColumns[] = {"ID_ATVEVO", "V_AKOD",    "V_NEVE",  "V_IRSZAM", "V_HELYSEG",
                                    "V_KERULET", "V_UTCA",    "V_JELLEG", "V_HAZSZAM", "V_EPULET",
                                    "V_LEPCSO",  "V_SZINT",   "V_AJTO"};
const char* const kRightColumns[] = {"V_ADOSZAM", "V_KOZADOSZAM", "V_BANKSZLA", "V_VERZIO"};
const char* const kProprietorColumns[] = {"V_EV_NEVE", "V_ADOAZON", "V_EVNYILV"};

const BuyerFieldSpec* specOf(const QString& column)
{
    for (const BuyerFieldSpec& f : buyerRecordFields()) {
        if (f.column == column)
            return &f;
    }
    return nullptr;
}

} // namespace

TForm17::TForm17(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Átvevö adatai"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(2, 16);

    auto addField = [&](const char* column, int row, int col) {
        const BuyerFieldSpec* fieldDef = specOf(QString::fromLatin1(column));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(fieldDef->column);
        if (fieldDef->maxLength > 0)
            edit->setMaxLength(fieldDef->maxLength);
        if (!fieldDef->editable) {
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::ClickFocus);
            QPalette p = edit->palette();
            p.setColor(QPalette::Base, p.color(QPalette::Window));
            edit->setPalette(p);
        }
        auto* label = new QLabel(fieldDef->label, this);
        label->setObjectName(QStringLiteral("label_") + fieldDef->column);
        label->setBuddy(edit);
        grid->addWidget(label, row, col);
        grid->addWidget(edit, row, col + 1);
        m_fields.insert(fieldDef->column, edit);
        return edit;
    };

    int row = 0;
    for (const char* column : kLeftColumns)
        addField(column, row++, 0)->setMinimumWidth(300);

    int right = 0;
    for (const char* column : kRightColumns)
        addField(column, right++, 3)->setMinimumWidth(220);
    m_smallTaxpayer = new QCheckBox(kSmallTaxpayerLabel, this);
    m_smallTaxpayer->setObjectName(kSmallTaxpayerColumn);
    grid->addWidget(m_smallTaxpayer, right++, 4);
    m_soleProprietor = new QCheckBox(kSoleProprietorLabel, this);
    m_soleProprietor->setObjectName(kSoleProprietorColumn);
    grid->addWidget(m_soleProprietor, right++, 4);
    for (const char* column : kProprietorColumns)
        addField(column, right++, 3);

    const int declarationRow = qMax(row, right);
    const BuyerFieldSpec* declaration = specOf(QStringLiteral("V_NYILATK"));
    auto* declarationLabel = new QLabel(declaration->label, this);
    declarationLabel->setObjectName(QStringLiteral("label_V_NYILATK"));
    auto* declarationEdit = new QLineEdit(this);
    declarationEdit->setObjectName(declaration->column);
    declarationEdit->setMaxLength(declaration->maxLength);
    declarationLabel->setBuddy(declarationEdit);
    m_fields.insert(declaration->column, declarationEdit);
    grid->addWidget(declarationLabel, declarationRow, 0, 1, 5);
    grid->addWidget(declarationEdit, declarationRow + 1, 0, 1, 5);

    m_storeButton = new QPushButton(QStringLiteral("Letárol"), this);
    m_storeButton->setObjectName(QStringLiteral("storeButton"));
    m_storeButton->setEnabled(false);
    m_storeButton->setAutoDefault(false);
    m_cancelButton = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    m_cancelButton->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_storeButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Tab order: the editable address fields, the tax data, the proprietor, the declaration.
    QList<QWidget*> order;
    for (const char* column : kLeftColumns)
        order << m_fields.value(QString::fromLatin1(column));
    for (const char* column : kRightColumns)
        order << m_fields.value(QString::fromLatin1(column));
    order << m_smallTaxpayer << m_soleProprietor;
    for (const char* column : kProprietorColumns)
        order << m_fields.value(QString::fromLatin1(column));
    order << declarationEdit << m_storeButton << m_cancelButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_storeButton, &QPushButton::clicked, this, &TForm17::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);
}

bool TForm17::loadRecord()
{
    const std::optional<BuyerRecord> record = loadBuyerRecord(m_data, sharedState().buyerCode);
    if (!record) {
        ui::Dialogs::error(this, kLoadFailedMessage);
        return false;
    }
    for (const BuyerFieldSpec& f : buyerRecordFields())
        m_fields.value(f.column)->setText((*record).*(f.member));
    m_soleProprietor->setChecked(record->soleProprietor);
    m_smallTaxpayer->setChecked(record->smallTaxpayer);
    return true;
}

void TForm17::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    FormShow();
}

void TForm17::FormShow()
{
    m_fields.value(QStringLiteral("V_KERULET"))->setFocus();
    int tickets = 0;
    try {
        tickets = buyerTicketCount(m_data, sharedState().buyerCode);
    } catch (const DbError& e) {
        m_storeButton->setEnabled(false);
        ui::Dialogs::error(this, e.message());
        return;
    }
    if (tickets > 0) {
        m_storeButton->setEnabled(false);
        ui::Dialogs::refusal(this, kTicketsExistMessage);
    } else {
        m_storeButton->setEnabled(true);
    }
}

BuyerRecord TForm17::recordFromFields() const
{
    BuyerRecord r;
    for (const BuyerFieldSpec& f : buyerRecordFields())
        r.*(f.member) = m_fields.value(f.column)->text();
    r.soleProprietor = m_soleProprietor->isChecked();
    r.smallTaxpayer = m_smallTaxpayer->isChecked();
    return r;
}

void TForm17::Button1Click()
{
    if (!m_storeButton->isEnabled())
        return;
    BuyerRecord record = recordFromFields();
    if (const std::optional<BuyerFault> fault = checkBuyerRecord(record)) {
        ui::Dialogs::information(this, fault->message);
        if (QLineEdit* edit = m_fields.value(fault->field))
            edit->setFocus();
        return;
    }
    if (!record.soleProprietor) {
        // What is written in their place: one blank each.
        for (const char* column : kProprietorColumns)
            m_fields.value(QString::fromLatin1(column))->setText(QStringLiteral(" "));
    }
    const QString buyerCode = sharedState().buyerCode;
    bool stored = true;
    try {
        storeBuyerRecord(m_data, record, buyerCode);
    } catch (const Error& e) {
        stored = false;
        ui::Dialogs::error(this, e.message());
    }
    try {
        rereadBuyerValues(m_data, buyerCode);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
    if (stored)
        accept();
    else
        reject();
}

bool TForm17::eventFilter(QObject* watched, QEvent* event)
{
    // The key F on "Mégsem" unlocks "Letárol" whatever the ticket count.
    if (watched == m_cancelButton && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F) {
            m_storeButton->setEnabled(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeror
