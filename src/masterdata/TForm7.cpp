#include "TForm7.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "FormButtons.h"
#include "KeyFilters.h"
#include "SharedState.h"
#include "TData.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {
using F = ProductField;
}

TForm7::TForm7(QWidget* parent) : QDialog(parent), m_data(TData::instance())
{
    setObjectName(QStringLiteral("Form7"));
    m_new = sharedState().productEntryMode == producttext::NewMode;
    setWindowTitle(m_new ? QStringLiteral("Termék") : sharedState().productEntryMode);

    auto* main = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    main->addLayout(form);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    for (const ProductFieldSpec& fieldDef : productFieldSpecs()) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fieldDef.column));
        ui::setCharClass(edit, fieldDef.keys, fieldDef.maxLength);
        edit->setReadOnly(fieldDef.readOnly);
        const int chars = fieldDef.field == F::Megnevezes ? 34 : 10;
        edit->setFixedWidth(charWidth * chars * 3 / 4 + 16);
        m_fields[static_cast<size_t>(fieldDef.field)] = edit;
        auto* label = new QLabel(QString::fromUtf8(fieldDef.label), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        if (fieldDef.field == F::Bizonylat) {
            // The item number is kept but not offered for editing.
            label->setVisible(false);
            edit->setVisible(false);
        }
    }

    m_okButton = ui::makeButton(this, "okButton", QStringLiteral("OK"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    for (QPushButton* b : {m_okButton, m_cancelButton})
        b->setMinimumWidth(100);
    main->addLayout(ui::buttonRow({m_okButton, m_cancelButton}));
    connect(m_okButton, &QPushButton::clicked, this, &TForm7::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    QList<QWidget*> order;
    for (const ProductFieldSpec& fieldDef : productFieldSpecs())
        order << field(fieldDef.field);
    order << m_okButton << m_cancelButton;
    ui::setTabChain(order);
    ui::EnterNavigator::install(this);

    if (m_new) {
        for (const ProductFieldSpec& fieldDef : productFieldSpecs())
            field(fieldDef.field)->setText(QString::fromUtf8(fieldDef.defaultText));
        try {
            field(F::Kod)->setText(nextProductCode(*m_data));
        } catch (const DbError& e) {
            ui::Dialogs::error(this, e.message());
            m_ready = false;
        }
    } else {
        try {
            const ProductInput in = productFromRow(m_data->ZQ40);
            for (const ProductFieldSpec& fieldDef : productFieldSpecs())
                field(fieldDef.field)->setText(in[fieldDef.field]);
        } catch (const DbError& e) {
            ui::Dialogs::error(this, QStringLiteral("A termék adatai nem jeleníthetők meg.\n") + e.message());
            m_ready = false;
        }
    }
    field(F::Kod)->setFocus();
    adjustSize();
}

TForm7::~TForm7() = default;

ProductInput TForm7::input() const
{
    ProductInput in;
    for (const ProductFieldSpec& fieldDef : productFieldSpecs())
        in[fieldDef.field] = field(fieldDef.field)->text();
    return in;
}

void TForm7::okClicked()
{
    const ProductInput in = input();
    std::optional<ProductFault> fault = checkProduct(in);
    if (!fault) {
        try {
            qint64 ownId = 0;
            if (!m_new)
                ownId = in[F::Id].toLongLong();
            fault = checkProductCodeUnique(*m_data, in[F::Kod], ownId);
        } catch (const DbError& e) {
            ui::Dialogs::error(this, e.message());
            return;
        }
    }
    if (fault) {
        ui::Dialogs::information(this, fault->message);
        field(fault->field)->setFocus();
        return;
    }
    try {
        storeProduct(*m_data, m_new, in);
    } catch (const WriteError& e) {
        ui::Dialogs::error(this, e.message());
        if (e.stage() == WriteError::Stage::Start)
            return;
    }
    try {
        openProductList(*m_data, ProductOrder::AfterStore);
        locateProductCode(m_data->ZQ40, sharedState().productSearchText);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_listReopened = true;
    accept();
}

} // namespace zeror
