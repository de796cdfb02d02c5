#include "TForm9.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "FormButtons.h"
#include "Formats.h"
#include "KeyFilters.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm10.h"
#include "TicketList.h"
#include "TicketNumbering.h"
#include "Clock.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zeror {

using namespace ticketentry;

namespace {

TData& dataModule()
{
    return *TData::instance();
}

// A push button that reports a mouse click once the click has been handled, so that what the
// click opened (a modal picker) has already closed.
class MouseClickButton : public QPushButton
{
public:
    using QPushButton::QPushButton;
    std::function<void()> afterMouseClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool click = e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        QPushButton::mouseReleaseEvent(e);
        if (click && afterMouseClick)
            afterMouseClick();
    }
};

// A tick box that reports a mouse release over it (after the click changed its state) and the
// loss of the focus.
class TransferCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;
    std::function<void()> afterMouseRelease;
    std::function<void()> afterFocusOut;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool over = rect().contains(e->position().toPoint());
        QCheckBox::mouseReleaseEvent(e);
        if (over && afterMouseRelease)
            afterMouseRelease();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QCheckBox::focusOutEvent(e);
        // Only a move to another control counts, not another window coming to the front.
        if (afterFocusOut && e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
            afterFocusOut();
    }
};

// A line edit that reports a double click.
class DoubleClickEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void()> afterDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        if (afterDoubleClick)
            afterDoubleClick();
    }
};

QLineEdit* readOnlyEdit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QLineEdit* totalEdit(QWidget* parent, const char* name)
{
    QLineEdit* e = readOnlyEdit(parent, name);
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(90);
    return e;
}

QLineEdit* inputEdit(QWidget* parent, const char* name, ui::CharClass cls, int maxLength = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    ui::setCharClass(e, cls, maxLength);
    return e;
}

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr)
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm9"));
    m_isNew = sharedState().ticketEntryMode != ModifyTicketMode;
    setWindowTitle(EntryCaption);
    m_settings = readForm9Settings(locateProgramSettingsFile(QStringLiteral("form9.ini")));
    buildWidgets();
    ui::EnterNavigator::install(this);
}

TForm9::~TForm9() = default;

void TForm9::buildWidgets()
{
    auto* root = new QVBoxLayout(this);

    auto* infoRow = new QHBoxLayout;
    infoRow->addWidget(label(QStringLiteral("Őstermelő adatai:"), this));
    m_producerInfo = label(QString(), this, "producerInfoLabel");
    QFont bold = m_producerInfo->font();
    bold.setBold(true);
    m_producerInfo->setFont(bold);
    infoRow->addWidget(m_producerInfo, 1);
    root->addLayout(infoRow);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    root->addWidget(m_tabs, 1);

    // Tab "Fejsor": the header, the lines and the totals.
    auto* header = new QWidget(m_tabs);
    header->setObjectName(QStringLiteral("fejsorTab"));
    m_tabs->addTab(header, QStringLiteral("Fejsor"));
    auto* headerLayout = new QVBoxLayout(header);

    auto* fields = new QGridLayout;
    headerLayout->addLayout(fields);

    m_number = readOnlyEdit(header, "numberEdit");
    m_number->setMaximumWidth(110);
    m_id = readOnlyEdit(header, "idEdit");
    m_id->setVisible(false);
    m_producerCode = readOnlyEdit(header, "producerCodeEdit");
    m_producerCode->setVisible(false);

    auto* producerButton = new MouseClickButton(QStringLiteral("Őstermelő"), header);
    producerButton->setObjectName(QStringLiteral("producerButton"));
    producerButton->setAutoDefault(false);
    m_producerButton = producerButton;

    m_issueDate = inputEdit(header, "issueDateEdit", ui::CharClass::DigitsDot, 10);
    m_purchaseDate = inputEdit(header, "purchaseDateEdit", ui::CharClass::DigitsDot, 10);
    auto* paymentDate = new DoubleClickEdit(header);
    paymentDate->setObjectName(QStringLiteral("paymentDateEdit"));
    ui::setCharClass(paymentDate, ui::CharClass::DigitsDot, 10);
    paymentDate->setToolTip(QStringLiteral("Dupla klikkre (átutalás esetén) östermelönél megadott banki nappal "
                                           "növelve ha nincs megadva akkor 8 nappal."));
    m_paymentDate = paymentDate;
    auto* transfer = new TransferCheckBox(QStringLiteral("Átutalással"), header);
    transfer->setObjectName(QStringLiteral("transferCheck"));
    transfer->setToolTip(QStringLiteral("Ha van bank szla száma akkor átutalással, de módosítható"));
    m_transfer = transfer;

    m_szja = inputEdit(header, "szjaEdit", ui::CharClass::Digits);
    m_szja->setText(QStringLiteral("0"));
    m_weightLabel = label(QStringLiteral("Súlylevon.%"), header, "Edit14Label");
    m_weight = inputEdit(header, "Edit14", ui::CharClass::DigitsComma);
    m_contributionLabel = label(QStringLiteral("Tagi h.járul.%"), header, "Edit15Label");
    m_contribution = inputEdit(header, "Edit15", ui::CharClass::DigitsComma);
    m_deductionLabel = label(QStringLiteral("Levonás (Ft)"), header, "Edit13Label");
    m_deduction = inputEdit(header, "Edit13", ui::CharClass::DigitsComma);
    for (QLineEdit* e : {m_issueDate, m_purchaseDate, m_paymentDate})
        e->setMaximumWidth(110);
    for (QLineEdit* e : {m_szja, m_weight, m_contribution, m_deduction})
        e->setMaximumWidth(90);

    m_remark = inputEdit(header, "remarkEdit", ui::CharClass::Any, 200);
    m_declarationCheck = new QCheckBox(QStringLiteral("Nyilatkozat:"), header);
    m_declarationCheck->setObjectName(QStringLiteral("declarationCheck"));
    m_declarationCheck->setChecked(true);
    m_declaration = inputEdit(header, "declarationEdit", ui::CharClass::Any, 250);
    m_declaration->setToolTip(QStringLiteral("A nyilatkozat szövegén itt változtathat"));

    fields->addWidget(label(QStringLiteral("Sorszám"), header), 0, 0);
    fields->addWidget(m_number, 0, 1);
    fields->addWidget(m_producerButton, 0, 2);
    fields->addWidget(label(QStringLiteral("Kiállítás"), header), 1, 0);
    fields->addWidget(m_issueDate, 1, 1);
    fields->addWidget(label(QStringLiteral("Felvásárlás"), header), 1, 2);
    fields->addWidget(m_purchaseDate, 1, 3);
    fields->addWidget(label(QStringLiteral("Összeg átvétel/átutalás"), header), 1, 4);
    fields->addWidget(m_paymentDate, 1, 5);
    fields->addWidget(m_transfer, 1, 6);
    fields->addWidget(label(QStringLiteral("Szja %"), header), 2, 0);
    fields->addWidget(m_szja, 2, 1);
    fields->addWidget(m_weightLabel, 2, 2);
    fields->addWidget(m_weight, 2, 3);
    fields->addWidget(m_contributionLabel, 2, 4);
    fields->addWidget(m_contribution, 2, 5);
    fields->addWidget(m_deductionLabel, 3, 0);
    fields->addWidget(m_deduction, 3, 1);
    fields->addWidget(label(QStringLiteral("Megjegyzés:"), header), 4, 0);
    fields->addWidget(m_remark, 4, 1, 1, 6);
    fields->addWidget(m_declarationCheck, 5, 0);
    fields->addWidget(m_declaration, 5, 1, 1, 6);
    fields->setColumnStretch(7, 1);

    // "Tételsor": the ticket's lines with their buttons and the ticket totals.
    auto* lines = new QGroupBox(QStringLiteral("Tételsor"), header);
    lines->setObjectName(QStringLiteral("linesGroup"));
    headerLayout->addWidget(lines, 1);
    auto* linesLayout = new QVBoxLayout(lines);
    m_grid = new ui::QueryGrid(&dataModule().ZQ20, lines);
    m_grid->setObjectName(QStringLiteral("linesGrid"));
    m_grid->setColumns({{QStringLiteral("S_BSZAM"), QStringLiteral("Bszám")},
                        {QStringLiteral("S_TERMEKKOD"), QStringLiteral("Kód")},
                        {QStringLiteral("S_MEGNEVEZES"), QStringLiteral("Megnevezés")},
                        {QStringLiteral("S_BRUTTO"), QStringLiteral("Mennyiség")},
                        {QStringLiteral("S_MEGY"), QStringLiteral("M.egys.")},
                        {QStringLiteral("S_EAR"), QStringLiteral("Egységár")},
                        {QStringLiteral("S_FELVAR"), QStringLiteral("Felvásárl.ár")},
                        {QStringLiteral("S_KOMPMERTEKE"), QStringLiteral("Komp.%")},
                        {QStringLiteral("S_KOMPFELAR"), QStringLiteral("Komp.felár")},
                        {QStringLiteral("S_VETELAR"), QStringLiteral("Vételár")},
                        {QStringLiteral("S_SZJA"), QStringLiteral("szja %")},
                        {QStringLiteral("S_VTSZ"), QStringLiteral("VTSZ")},
                        {QStringLiteral("S_AKOD"), QStringLiteral("AKOD")},
                        {QStringLiteral("ID_FJSOR"), QStringLiteral("ID")}});
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->setMinimumHeight(140);
    linesLayout->addWidget(m_grid, 1);

    auto* lineButtons = new QHBoxLayout;
    m_navigator = new ui::GridNavigator(m_grid, lines);
    m_navigator->setObjectName(QStringLiteral("linesNavigator"));
    m_navigator->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    lineButtons->addWidget(m_navigator);
    m_newLine = new QPushButton(QStringLiteral("Új"), lines);
    m_newLine->setObjectName(QStringLiteral("newLineButton"));
    m_modifyLine = new QPushButton(QStringLiteral("Módosít"), lines);
    m_modifyLine->setObjectName(QStringLiteral("modifyLineButton"));
    m_deleteLine = new QPushButton(QStringLiteral("Töröl"), lines);
    m_deleteLine->setObjectName(QStringLiteral("deleteLineButton"));
    for (QPushButton* b : {m_newLine, m_modifyLine, m_deleteLine}) {
        b->setAutoDefault(false);
        lineButtons->addWidget(b);
    }
    lineButtons->addStretch();
    linesLayout->addLayout(lineButtons);

    auto* totals = new QGridLayout;
    m_far = totalEdit(lines, "farEdit");
    m_kfelar = totalEdit(lines, "kfelarEdit");
    m_var = totalEdit(lines, "varEdit");
    m_payableEdit = totalEdit(lines, "payableEdit");
    m_payableEdit->setFont(bold);
    totals->addWidget(label(QStringLiteral("Felvásárlási ár"), lines), 0, 0);
    totals->addWidget(label(QStringLiteral("Komp.felár"), lines), 0, 1);
    totals->addWidget(label(QStringLiteral("Vételár"), lines), 0, 2);
    totals->addWidget(label(QStringLiteral("Fizetendö"), lines), 0, 3);
    totals->addWidget(m_far, 1, 0);
    totals->addWidget(m_kfelar, 1, 1);
    totals->addWidget(m_var, 1, 2);
    totals->addWidget(m_payableEdit, 1, 3);
    totals->setColumnStretch(4, 1);
    linesLayout->addLayout(totals);

    auto* producerTotals = new QGridLayout;
    m_producerFar = totalEdit(header, "producerFarEdit");
    m_producerKfelar = totalEdit(header, "producerKfelarEdit");
    m_producerVar = totalEdit(header, "producerVarEdit");
    producerTotals->addWidget(label(QStringLiteral("Eddig mindösszesen:"), header), 1, 0);
    producerTotals->addWidget(label(QStringLiteral("Felvásárlási ár"), header), 0, 1);
    producerTotals->addWidget(label(QStringLiteral("Komp.felár"), header), 0, 2);
    producerTotals->addWidget(label(QStringLiteral("Vételár"), header), 0, 3);
    producerTotals->addWidget(m_producerFar, 1, 1);
    producerTotals->addWidget(m_producerKfelar, 1, 2);
    producerTotals->addWidget(m_producerVar, 1, 3);
    producerTotals->setColumnStretch(4, 1);
    headerLayout->addLayout(producerTotals);

    // Tab "őstermelő": the chosen producer's record, read-only.
    auto* producer = new QWidget(m_tabs);
    producer->setObjectName(QStringLiteral("producerTab"));
    m_tabs->addTab(producer, QStringLiteral("őstermelő"));
    auto* producerLayout = new QGridLayout(producer);
    const struct
    {
        const char* column;
        const char* title;
    } producerColumns[] = {
        {"O_NEV", "Név:"},           {"ID_OSTERMELO", "ID:"},         {"O_KOD", "Kód:"},
        {"O_IRSZAM", "Ir.szám:"},    {"O_HELYSEGNEV", "Helységnév:"}, {"O_UTCA", "Utca:"},
        {"O_ADOAZON", "Adóazonosító:"}, {"O_IGSZAM", "Ősterm.Ig.szám:"}, {"O_REGSZAM", "Reg.szám:"},
        {"O_CSGAZD", "Családi gazd.szám:"}, {"O_ADOSZAM", "Adószám:"}, {"O_BANKSZLA", "Bankszámla:"},
        {"O_ERVKELT", "Érvényesitve"}, {"O_SZULNEV", "Születési név:"}, {"O_SZIDO", "Születési idő:"},
        {"O_ANYJA", "Anyja neve:"},  {"O_BETETLAP", "Betélap"},       {"O_FHAT", "Bank nap"},
    };
    int row = 0;
    for (const auto& c : producerColumns) {
        const QString column = QString::fromLatin1(c.column);
        QLineEdit* e = readOnlyEdit(producer, "");
        e->setObjectName(QStringLiteral("producer_") + column);
        producerLayout->addWidget(label(QString::fromUtf8(c.title), producer), row % 9, (row / 9) * 2);
        producerLayout->addWidget(e, row % 9, (row / 9) * 2 + 1);
        m_producerFields.append({column, e});
        ++row;
    }
    producerLayout->setRowStretch(9, 1);

    m_ok = ui::makeButton(this, "okButton", QStringLiteral("OK"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    root->addLayout(ui::buttonRow({m_ok, m_cancel}));

    ui::setTabChain({m_producerButton, m_issueDate, m_purchaseDate, m_paymentDate, m_transfer, m_szja, m_weight,
                     m_contribution, m_deduction, m_remark, m_declarationCheck, m_declaration, m_grid, m_newLine,
                     m_modifyLine, m_deleteLine, m_ok, m_cancel});

    // Behaviour.
    connect(m_producerButton, &QPushButton::clicked, this, [this] { chooseProducer(); });
    producerButton->afterMouseClick = [this] { applyTransferPaymentDate(); };
    transfer->afterMouseRelease = [this] { applyTransferPaymentDate(); };
    transfer->afterFocusOut = [this] { applyTransferPaymentDate(); };
    paymentDate->afterDoubleClick = [this] { applyTransferPaymentDate(); };
    connect(m_transfer, &QCheckBox::toggled, this, [this] { f_mindosszes(); });
    connect(m_declarationCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_declaration->setText(on ? sharedState().buyerDeclaration : QStringLiteral(" "));
    });
    for (QLineEdit* e : {m_szja, m_contribution, m_deduction})
        connect(e, &QLineEdit::textChanged, this, [this] { recomputePayable(); });
    connect(m_newLine, &QPushButton::clicked, this, [this] { newLine(); });
    connect(m_modifyLine, &QPushButton::clicked, this, [this] { modifyLine(); });
    connect(m_deleteLine, &QPushButton::clicked, this, [this] { deleteLine(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { store(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(980, 640);
}

void TForm9::guarded(const std::function<void()>& action)
{
    struct Busy
    {
        int& n;
        explicit Busy(int& c) : n(c) { ++n; }
        ~Busy() { --n; }
    } busy(m_busy);
    try {
        action();
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
}

QString TForm9::ticketNumber() const
{
    return m_number->text();
}

QString TForm9::linesKey() const
{
    return m_isNew && !m_linesKey.isEmpty() ? m_linesKey : m_number->text();
}

QString TForm9::weightDeductionText() const
{
    return m_weight->text();
}

QString TForm9::producerCode() const
{
    return m_producerCode->text();
}

void TForm9::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_prepared)
        return;
    m_prepared = true;
    guarded([this] { prepareShow(); });
}

bool TForm9::event(QEvent* event)
{
    // The producer panel and the ticket list are re-read whenever the screen comes back to the
    // front (after a picker or the line screen closed), but never in the middle of an action.
    if (event->type() == QEvent::WindowActivate && m_prepared && m_busy == 0 && isVisible())
        guarded([this] { refresh(); });
    return QDialog::event(event);
}

void TForm9::prepareShow()
{
    const struct
    {
        QLabel* label;
        QLineEdit* edit;
        bool visible;
        const QString& text;
    } optional[] = {
        {m_weightLabel, m_weight, m_settings.weightDeductionVisible, m_settings.weightDeductionText},
        {m_contributionLabel, m_contribution, m_settings.contributionVisible, m_settings.contributionText},
        {m_deductionLabel, m_deduction, m_settings.deductionVisible, m_settings.deductionText},
    };
    for (const auto& o : optional) {
        o.label->setVisible(o.visible);
        o.edit->setVisible(o.visible);
        if (m_isNew)
            o.edit->setText(o.visible && !isBlank(o.text) ? o.text : QStringLiteral("0"));
    }
    if (m_isNew)
        prepareNewTicket();
    m_producerButton->setFocus();
}

void TForm9::prepareNewTicket()
{
    TData& d = dataModule();
    const SharedState& s = sharedState();
    NewEntry r;
    try {
        r = startNewEntry(d, s.buyerCode);
    } catch (const WriteError& e) {
        ui::Dialogs::error(this, e.message());
        r.number = readNextTicketNumber(d, s.buyerCode).number;
        r.linesKey = ticketnumbers::entryLinesKey(d);
    }
    if (!r.problem.isEmpty())
        ui::Dialogs::refusal(this, r.problem);
    m_number->setText(r.number);
    m_linesKey = r.linesKey;
    openTicketLines(d.ZQ20, linesKey());

    const QString today = fmt::formatDate(clock::today());
    m_issueDate->setText(today);
    m_purchaseDate->setText(today);
    m_paymentDate->setText(today);
    m_producerCode->clear();
    openProducerPanel(d.ZQ30, QString());
    showProducerPanel();
    sharedState().producerLocateCode.clear();
    m_declaration->setText(s.buyerDeclaration);
    computeTotals();
}

void TForm9::loadTicket()
{
    guarded([this] {
        TData& d = dataModule();
        Query& t = d.ZQ10;
        const QString number = t.text(QStringLiteral("F_BSZAM"));
        openTicketLines(d.ZQ20, number);

        m_id->setText(t.text(QStringLiteral("ID_FJFEJ")));
        m_number->setText(number);
        m_producerCode->setText(t.text(QStringLiteral("F_OSTERMKOD")));
        m_issueDate->setText(fmt::formatDate(t.date(QStringLiteral("F_KELT"))));
        m_purchaseDate->setText(fmt::formatDate(t.date(QStringLiteral("F_FELVKELT"))));
        m_paymentDate->setText(fmt::formatDate(t.date(QStringLiteral("F_FIZKELT"))));
        m_szja->setText(fmt::formatNumber(t.number(QStringLiteral("F_SZJA"))));
        m_deduction->setText(fmt::formatNumber(t.number(QStringLiteral("F_LEVONAS"))));
        m_contribution->setText(fmt::formatNumber(t.number(QStringLiteral("F_JARULSZAZ"))));
        m_remark->setText(t.text(QStringLiteral("F_MEGJ")));
        const QString declaration = t.text(QStringLiteral("F_NYILATK"));
        m_declaration->setText(declaration);
        d.ZQ20.first();
        m_weight->setText(fmt::formatNumber(d.ZQ20.isEmpty() ? 0.0 : d.ZQ20.number(QStringLiteral("S_LEVONSZAZ"))));

        m_transfer->setChecked(t.text(QStringLiteral("F_UTAL")) == QLatin1String("x"));
        m_declarationCheck->setChecked(declarationLoadsTicked(declaration));

        sharedState().currentTicketNumber = number;
        sharedState().producerLocateCode = m_producerCode->text();
        openTicketLines(d.ZQ20, number);
        openProducerPanel(d.ZQ30, m_producerCode->text());
        showProducerPanel();

        setWindowTitle(sharedState().ticketEntryMode);
        computeTotals();
    });
}

void TForm9::showProducerPanel()
{
    const Query& p = dataModule().ZQ30;
    const bool has = p.isOpen() && !p.isEmpty() && p.recNo() >= 0;
    auto text = [&](const char* field) {
        const QString f = QString::fromLatin1(field);
        return has && p.hasField(f) ? p.text(f) : QString();
    };
    for (const auto& [column, edit] : std::as_const(m_producerFields))
        edit->setText(has && p.hasField(column) ? p.text(column) : QString());
    QStringList parts;
    for (const QString& s : {text("O_NEV"), text("O_IRSZAM") + QLatin1Char(' ') + text("O_HELYSEGNEV"), text("O_UTCA")}) {
        if (!s.trimmed().isEmpty())
            parts << s.trimmed();
    }
    m_producerInfo->setText(parts.join(QStringLiteral(", ")));
}

void TForm9::frissit()
{
    guarded([this] { refresh(); });
}

void TForm9::refresh()
{
    TData& d = dataModule();
    openProducerPanel(d.ZQ30, m_producerCode->text());
    showProducerPanel();
    openTicketListAt(d, sharedState().currentTicketNumber);
}

void TForm9::f_mindosszes()
{
    guarded([this] { computeTotals(); });
}

void TForm9::computeTotals()
{
    TData& d = dataModule();
    const QString number = linesKey();
    const AmountSums ticket = ticketNumberFits(number) ? readTicketSums(d, number) : AmountSums{};
    const AmountSums producer = readProducerSums(d, m_producerCode->text());
    m_ticketSums = ticket;
    m_sumVar = ticket.var;
    const TicketTotals t = formatTotals(ticket, 0, producer);
    m_far->setText(t.far);
    m_kfelar->setText(t.kfelar);
    m_var->setText(t.var);
    m_producerFar->setText(t.producerFar);
    m_producerKfelar->setText(t.producerKfelar);
    m_producerVar->setText(t.producerVar);
    recomputePayable();
}

void TForm9::recomputePayable()
{
    const std::optional<PayableInput> in = payableInput(m_szja->text(), m_contribution->text(), m_deduction->text(),
                                                        m_transfer->isChecked(), m_sumVar);
    if (!in) {
        // Nothing stale is shown while a field cannot be read; "OK" names the field.
        m_totalsValid = false;
        m_payableEdit->clear();
        return;
    }
    m_totalsValid = true;
    m_payable = computePayable(*in).payable;
    m_payableEdit->setText(QString::number(m_payable));
}

void TForm9::chooseProducer()
{
    guarded([this] {
        if (!ui::openScreen(QStringLiteral("picker:producer"), this)) {
            ui::Dialogs::error(this, QStringLiteral("Az őstermelő lista nem nyitható meg!"));
            return;
        }
        const Query& p = dataModule().ZQ30;
        if (!p.isOpen() || p.isEmpty() || p.recNo() < 0)
            return;
        m_szja->setText(p.text(QStringLiteral("O_SZJA")));
        m_producerCode->setText(p.text(QStringLiteral("O_KOD")));
        m_transfer->setChecked(transferFromBankAccount(p.text(QStringLiteral("O_BANKSZLA"))));
        sharedState().producerLocateCode = m_producerCode->text();
        refresh();
        // The new producer's "Eddig mindösszesen:" and the payable amount with its tax rate.
        computeTotals();
    });
}

void TForm9::applyTransferPaymentDate()
{
    guarded([this] {
        if (!m_transfer->isChecked())
            return;
        QDate purchase;
        if (!fmt::parseDate(m_purchaseDate->text(), &purchase))
            return; // "OK" reports the unreadable purchase date
        const Query& p = dataModule().ZQ30;
        const bool has = p.isOpen() && !p.isEmpty() && p.recNo() >= 0 && p.hasField(QStringLiteral("O_FHAT"));
        const qint64 days = has ? p.integer(QStringLiteral("O_FHAT")) : 0;
        m_paymentDate->setText(fmt::formatDate(transferPaymentDate(purchase, days)));
    });
}

void TForm9::runLineScreen(bool isNew)
{
    sharedState().lineEntryMode = isNew ? NewLineMode : ModifyLineMode;
    TForm10 line({m_number->text(), m_weight->text(), m_producerCode->text()}, this);
    line.setLinesKey(m_isNew ? m_linesKey : QString());
    if (!isNew && !line.loadLine())
        return;
    line.exec();
    computeTotals();
    refresh();
}

void TForm9::newLine()
{
    guarded([this] { runLineScreen(true); });
}

void TForm9::modifyLine()
{
    guarded([this] { runLineScreen(false); });
}

void TForm9::deleteLine()
{
    guarded([this] {
        TData& d = dataModule();
        Query& g = d.ZQ20;
        if (!g.isOpen() || g.isEmpty() || g.recNo() < 0) {
            ui::Dialogs::refusal(this, QStringLiteral("Nincs kiválasztott tételsor!"));
            return;
        }
        try {
            deleteTicketLine(d, g.integer(QStringLiteral("ID_FJSOR")));
            ui::Dialogs::information(this, LineDeletedMessage);
        } catch (const WriteError& e) {
            ui::Dialogs::error(this, e.message());
        }
        openTicketLines(d.ZQ20, linesKey());
        d.ZQ20.last();
        computeTotals();
    });
}

TicketHeaderInput TForm9::headerInput() const
{
    TicketHeaderInput in;
    in.id = m_id->text();
    in.number = m_number->text();
    in.producerCode = m_producerCode->text();
    in.issueDate = m_issueDate->text();
    in.purchaseDate = m_purchaseDate->text();
    in.paymentDate = m_paymentDate->text();
    in.szja = m_szja->text();
    in.weightDeduction = m_weight->text();
    in.contribution = m_contribution->text();
    in.deduction = m_deduction->text();
    in.remark = m_remark->text();
    in.declaration = m_declaration->text();
    in.transfer = m_transfer->isChecked();
    in.declarationTicked = m_declarationCheck->isChecked();
    return in;
}

QWidget* TForm9::fieldOf(HeaderField field) const
{
    switch (field) {
    case HeaderField::Number:
    case HeaderField::Producer:
        return m_producerButton;
    case HeaderField::IssueDate:
        return m_issueDate;
    case HeaderField::PurchaseDate:
        return m_purchaseDate;
    case HeaderField::PaymentDate:
        return m_paymentDate;
    case HeaderField::Szja:
        return m_szja;
    case HeaderField::Deduction:
        return m_deduction;
    case HeaderField::WeightDeduction:
        return m_weight;
    case HeaderField::Contribution:
        return m_contribution;
    }
    return nullptr;
}

void TForm9::store()
{
    guarded([this] { storeTicket(); });
}

void TForm9::storeTicket()
{
    TData& d = dataModule();
    const TicketHeaderInput in = headerInput();
    if (const std::optional<HeaderFault> fault = checkHeader(in)) {
        if (fault->field == HeaderField::Number)
            ui::Dialogs::refusal(this, fault->message);
        else
            ui::Dialogs::information(this, fault->message);
        if (QWidget* w = fieldOf(fault->field))
            w->setFocus();
        return;
    }
    if (countTicketLines(d, linesKey()) == 0) {
        ui::Dialogs::information(this, NoLinesMessage);
        m_producerButton->setFocus();
        return;
    }
    // The stored amounts are always the ones the stored lines give now.
    computeTotals();
    if (!m_totalsValid)
        return; // cannot happen after checkHeader; nothing is stored with a stale amount

    const SharedState& s = sharedState();
    const TicketHeaderValues v = headerValues(in, s.buyerCode, s.normalTicketType, m_payable, m_sumVar);
    bool stored = true;
    try {
        if (m_isNew && !m_linesKey.isEmpty()) {
            const QString number = storeNewTicket(d, v, m_linesKey);
            sharedState().currentTicketNumber = number;
            if (number != in.number) {
                m_number->setText(number);
                ui::Dialogs::information(this, ticketnumbers::numberChangedMessage(in.number, number));
            }
        } else {
            storeHeader(d, m_isNew, v);
            sharedState().currentTicketNumber = in.number;
        }
    } catch (const WriteError& e) {
        ui::Dialogs::error(this, e.message());
        if (e.stage() == WriteError::Stage::Start)
            return;
        stored = false;
    }
    openTicketListAt(d, s.currentTicketNumber);
    done(stored ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace zeror
