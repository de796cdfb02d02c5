#include "TForm10.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "FormButtons.h"
#include "Formats.h"
#include "KeyFilters.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketEntry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

using namespace ticketentry;

namespace {

TData& dataModule()
{
    return *TData::instance();
}

QLineEdit* edit(QWidget* parent, const char* name, ui::CharClass cls, int maxLength = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    ui::setCharClass(e, cls, maxLength);
    return e;
}

// A stored number in its shortest decimal form; NULL stays empty.
QString numberText(const Query& q, const QString& field)
{
    return q.isNull(field) ? QString() : fmt::formatNumber(q.number(field));
}

} // namespace

TForm10::TForm10(const LineScreenContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(LineCaption);
    m_isNew = sharedState().lineEntryMode != ModifyLineMode;
    m_settings = readForm10Settings(locateProgramSettingsFile(QStringLiteral("form10.ini")));
    buildWidgets();

    m_number->setText(m_context.ticketNumber);
    m_documentLabel->setVisible(m_settings.documentVisible);
    m_document->setVisible(m_settings.documentVisible);
    if (m_isNew)
        m_rate->setText(m_settings.rateText);
    ui::EnterNavigator::install(this);
}

TForm10::~TForm10() = default;

void TForm10::buildWidgets()
{
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    root->addLayout(grid);

    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("numberEdit"));
    m_number->setReadOnly(true);
    m_number->setFocusPolicy(Qt::NoFocus);
    m_id = new QLineEdit(this);
    m_id->setObjectName(QStringLiteral("idEdit"));
    m_id->setReadOnly(true);
    m_id->setVisible(false);
    m_name = edit(this, "nameEdit", ui::CharClass::Any, 75);
    m_name->setToolTip(QStringLiteral("A megnevezés első betűit beírva a Termék gomb az első ilyen nevű termékre "
                                      "áll"));
    m_productButton = ui::makeButton(this, "productButton", QStringLiteral("Termék"));
    m_vtsz = edit(this, "vtszEdit", ui::CharClass::Any, 10);
    m_quantity = edit(this, "quantityEdit", ui::CharClass::DigitsCommaMinus);
    m_unit = edit(this, "unitEdit", ui::CharClass::Any, 10);
    m_unitPrice = edit(this, "unitPriceEdit", ui::CharClass::DigitsComma);
    m_rate = edit(this, "Edit8", ui::CharClass::DigitsComma);
    m_documentLabel = new QLabel(QStringLiteral("Bizonylat"), this);
    m_documentLabel->setObjectName(QStringLiteral("Edit10Label"));
    m_document = edit(this, "Edit10", ui::CharClass::DigitsComma, 10);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("codeEdit"));
    m_code->setReadOnly(true);
    m_code->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* e : {m_number, m_vtsz, m_quantity, m_unit, m_unitPrice, m_rate, m_document, m_code})
        e->setMaximumWidth(140);
    m_name->setMinimumWidth(320);

    int row = 0;
    auto add = [&](const QString& title, QWidget* w, QLabel* l = nullptr) {
        grid->addWidget(l ? l : new QLabel(title, this), row, 0);
        grid->addWidget(w, row, 1);
        ++row;
    };
    add(QStringLiteral("Bszám"), m_number);
    add(QStringLiteral("Megnevezés"), m_name);
    grid->addWidget(m_productButton, 1, 2);
    add(QStringLiteral("VTSZ"), m_vtsz);
    add(QStringLiteral("Mennyiség"), m_quantity);
    add(QStringLiteral("Menny. egys."), m_unit);
    add(QStringLiteral("Egységár"), m_unitPrice);
    add(QStringLiteral("Komp.mértéke"), m_rate);
    add(QString(), m_document, m_documentLabel);
    add(QStringLiteral("Kód"), m_code);
    grid->setColumnStretch(1, 1);

    m_ok = ui::makeButton(this, "okButton", QStringLiteral("OK"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    root->addLayout(ui::buttonRow({m_ok, m_cancel}));

    ui::setTabChain({m_name, m_productButton, m_vtsz, m_quantity, m_unit, m_unitPrice, m_rate, m_document, m_ok,
                     m_cancel});

    connect(m_productButton, &QPushButton::clicked, this, [this] { chooseProduct(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { store(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm10::guarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
}

bool TForm10::loadLine()
{
    const Query& g = dataModule().ZQ20;
    if (!g.isOpen() || g.isEmpty() || g.recNo() < 0)
        return true;
    try {
        m_id->setText(g.text(QStringLiteral("ID_fjsor")));
        m_code->setText(g.text(QStringLiteral("s_termekkod")));
        m_name->setText(g.text(QStringLiteral("s_megnevezes")));
        m_vtsz->setText(g.text(QStringLiteral("s_vtsz")));
        m_quantity->setText(numberText(g, QStringLiteral("s_brutto")));
        m_unit->setText(g.text(QStringLiteral("s_megy")));
        m_unitPrice->setText(numberText(g, QStringLiteral("s_ear")));
        m_rate->setText(numberText(g, QStringLiteral("s_kompmerteke")));
        m_document->setText(g.text(QStringLiteral("s_bizonylat")));
    } catch (const DbError& e) {
        ui::Dialogs::error(this, Hiba101 + QLatin1Char('\n') + e.message());
        return false;
    }
    return true;
}

void TForm10::chooseProduct()
{
    sharedState().productSearchText = m_name->text();
    if (!ui::openScreen(QStringLiteral("picker:product"), this)) {
        ui::Dialogs::error(this, QStringLiteral("A termék lista nem nyitható meg!"));
        return;
    }
    const Query& p = dataModule().ZQ40;
    if (!p.isOpen() || p.isEmpty() || p.recNo() < 0)
        return;
    try {
        m_name->setText(p.text(QStringLiteral("t_megnevezes")));
        m_vtsz->setText(p.text(QStringLiteral("t_vtsz")));
        m_unit->setText(p.text(QStringLiteral("t_megy")));
        m_unitPrice->setText(numberText(p, QStringLiteral("t_Ear")));
        m_rate->setText(numberText(p, QStringLiteral("t_kompmerteke")));
        m_code->setText(p.text(QStringLiteral("t_kod")));
        m_document->setText(p.text(QStringLiteral("t_bizonylat")));
    } catch (const DbError& e) {
        ui::Dialogs::error(this, Hiba102 + QLatin1Char('\n') + e.message());
        reject();
        return;
    }
    m_quantity->setFocus();
}

TicketLineInput TForm10::lineInput() const
{
    TicketLineInput in;
    in.id = m_id->text();
    in.number = m_linesKey.isEmpty() ? m_number->text() : m_linesKey;
    in.productCode = m_code->text();
    in.name = m_name->text();
    in.vtsz = m_vtsz->text();
    in.quantity = m_quantity->text();
    in.unit = m_unit->text();
    in.unitPrice = m_unitPrice->text();
    in.rate = m_rate->text();
    in.document = m_document->text();
    in.weightDeduction = m_context.weightDeduction;
    return in;
}

QWidget* TForm10::fieldOf(LineField field) const
{
    switch (field) {
    case LineField::Name:
        return m_name;
    case LineField::Vtsz:
        return m_vtsz;
    case LineField::Quantity:
        return m_quantity;
    case LineField::Unit:
        return m_unit;
    case LineField::UnitPrice:
        return m_unitPrice;
    case LineField::Rate:
        return m_rate;
    case LineField::Number:
    case LineField::WeightDeduction:
    case LineField::Id:
        return m_cancel;
    }
    return nullptr;
}

void TForm10::store()
{
    const TicketLineInput in = lineInput();
    if (const std::optional<LineFault> fault = checkLine(in, m_isNew)) {
        if (fault->field == LineField::Number || fault->field == LineField::Id)
            ui::Dialogs::refusal(this, fault->message);
        else
            ui::Dialogs::information(this, fault->message);
        if (QWidget* w = fieldOf(fault->field))
            w->setFocus();
        return;
    }
    guarded([&] {
        TData& d = dataModule();
        bool stored = true;
        try {
            storeLine(d, m_isNew, in, sharedState().buyerCode);
        } catch (const WriteError& e) {
            ui::Dialogs::error(this, e.message());
            if (e.stage() == WriteError::Stage::Start)
                return;
            stored = false;
        }
        reopenEntryLines(d.ZQ20, in.number, sharedState().lineLocateId);
        openProducerPanel(d.ZQ30, m_context.producerCode);
        done(stored ? QDialog::Accepted : QDialog::Rejected);
    });
}

} // namespace zeror
