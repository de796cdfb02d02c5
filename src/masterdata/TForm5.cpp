#include "TForm5.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "FormButtons.h"
#include "KeyFilters.h"
#include "SharedState.h"
#include "TData.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {

using F = ProducerField;

int fieldWidth(const QWidget* w, int maxLength)
{
    const int chars = maxLength <= 0 ? 11 : qBound(3, maxLength, 26);
    return w->fontMetrics().horizontalAdvance(QLatin1Char('M')) * chars * 3 / 4 + 16;
}

} // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent), m_data(TData::instance())
{
    setObjectName(QStringLiteral("Form5"));
    m_new = sharedState().producerEntryMode == producertext::NewMode;
    setWindowTitle(m_new ? QStringLiteral("Őstermelő bevitel") : sharedState().producerEntryMode);

    auto* main = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    main->addLayout(columns);

    QGridLayout* groups[3] = {new QGridLayout, new QGridLayout, new QGridLayout};
    int rows[3] = {0, 0, 0};
    for (QGridLayout* g : groups) {
        g->setHorizontalSpacing(6);
        g->setVerticalSpacing(4);
        g->setColumnStretch(1, 1);
        columns->addLayout(g, 1);
    }
    auto groupOf = [](F f) {
        if (f >= F::Nev && f <= F::Ajto)
            return 0;
        if (f >= F::Adoazon && f <= F::Taj)
            return 1;
        return 2;
    };

    QLabel* idLabel = nullptr;
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs()) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fieldDef.column));
        ui::setCharClass(edit, fieldDef.keys, fieldDef.maxLength);
        edit->setReadOnly(fieldDef.readOnly);
        const QString hint = QString::fromUtf8(fieldDef.hint);
        if (!hint.isEmpty())
            edit->setToolTip(hint);
        m_fields[static_cast<size_t>(fieldDef.field)] = edit;
        auto* label = new QLabel(QString::fromUtf8(fieldDef.label), this);
        label->setBuddy(edit);
        if (fieldDef.field == F::Id) {
            idLabel = label;
            continue; // placed with the code at the end of the last column
        }
        if (fieldDef.field == F::Kod) {
            label->setVisible(false);
            continue;
        }
        edit->setFixedWidth(fieldWidth(edit, fieldDef.maxLength > 0 ? fieldDef.maxLength
                                                : ui::CharFilterValidator::classMaxLength(fieldDef.keys)));
        const int g = groupOf(fieldDef.field);
        groups[g]->addWidget(label, rows[g], 0);
        // The field, its unit right beside it, then free space.
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(edit);
        const QString suffix = QString::fromUtf8(fieldDef.suffix);
        if (!suffix.isEmpty())
            line->addWidget(new QLabel(suffix, this));
        line->addStretch();
        groups[g]->addLayout(line, rows[g], 1);
        ++rows[g];
    }

    m_tajCheck = new QCheckBox(QStringLiteral("Üres TAJ számmal is mentésre kerüljön"), this);
    m_tajCheck->setObjectName(QStringLiteral("tajCheck"));
    m_tajCheck->setChecked(true);
    groups[2]->addWidget(m_tajCheck, rows[2]++, 0, 1, 2);

    auto* keyRow = new QHBoxLayout;
    QLineEdit* id = field(F::Id);
    QLineEdit* code = field(F::Kod);
    id->setFixedWidth(fieldWidth(id, 6));
    code->setFixedWidth(fieldWidth(code, 6));
    keyRow->addWidget(id);
    keyRow->addWidget(code);
    keyRow->addStretch();
    groups[2]->addWidget(idLabel, rows[2], 0);
    groups[2]->addLayout(keyRow, rows[2]++, 1);
    for (QGridLayout* g : groups)
        g->setRowStretch(11, 1);

    m_okButton = ui::makeButton(this, "okButton", QStringLiteral("OK"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    for (QPushButton* b : {m_okButton, m_cancelButton})
        b->setMinimumWidth(100);
    main->addLayout(ui::buttonRow({m_okButton, m_cancelButton}));
    connect(m_okButton, &QPushButton::clicked, this, &TForm5::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Tab order: the editable fields, the tick box, the buttons, then the two read-only fields.
    QList<QWidget*> order;
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs()) {
        if (!fieldDef.readOnly)
            order << field(fieldDef.field);
    }
    order << m_tajCheck << m_okButton << m_cancelButton << id << code;
    ui::setTabChain(order);

    field(F::Neme)->installEventFilter(this);
    ui::EnterNavigator::install(this);

    if (m_new) {
        ProducerInput defaults;
        for (const ProducerFieldSpec& fieldDef : producerFieldSpecs())
            defaults[fieldDef.field] = QString::fromUtf8(fieldDef.defaultText);
        try {
            // The code is fixed now and not looked at again when storing.
            defaults[F::Kod] = nextProducerCode(*m_data);
        } catch (const DbError& e) {
            ui::Dialogs::error(this, e.message());
            m_ready = false;
        }
        fill(defaults);
    } else {
        try {
            fill(producerFromRow(m_data->ZQ30));
        } catch (const DbError& e) {
            ui::Dialogs::error(this, producertext::Hiba51 + QLatin1Char('\n') + e.message());
            m_ready = false;
        }
    }
    field(F::Nev)->setFocus();
}

TForm5::~TForm5() = default;

void TForm5::fill(const ProducerInput& in)
{
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs())
        field(fieldDef.field)->setText(in[fieldDef.field]);
}

ProducerInput TForm5::input() const
{
    ProducerInput in;
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs())
        in[fieldDef.field] = field(fieldDef.field)->text();
    in.emptyTajAllowed = m_tajCheck->isChecked();
    return in;
}

void TForm5::okClicked()
{
    const ProducerInput in = input();
    if (const auto fault = checkProducer(in)) {
        ui::Dialogs::information(this, fault->message);
        field(fault->field)->setFocus();
        return;
    }
    try {
        storeProducer(*m_data, m_new, in);
    } catch (const WriteError& e) {
        ui::Dialogs::error(this, e.message());
        if (e.stage() == WriteError::Stage::Start)
            return;
    }
    try {
        openProducerList(*m_data);
        locateProducer(m_data->ZQ30, sharedState().producerLocateCode);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_listReopened = true;
    accept();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field(F::Neme) && event->type() == QEvent::FocusOut) {
        // Only a move to another field counts as leaving it, not a message box or window switch.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && field(F::Neme)->text() == QLatin1String("1"))
            field(F::Szulnev)->setText(field(F::Nev)->text());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeror
