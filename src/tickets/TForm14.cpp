#include "TForm14.h"

#include "Clock.h"
#include "DataCheck.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "QueryGrid.h"
#include "SharedState.h"
#include "TData.h"

#include <QApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zeror {

namespace {

QDateEdit* makeDateEdit(QWidget* parent, const char* objectName)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    edit->setCalendarPopup(true);
    edit->setMinimumDate(QDate(1800, 1, 1));
    const int width = edit->fontMetrics().horizontalAdvance(QStringLiteral("2016.12.31")) + 48;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(width + 24);
    return edit;
}

QPlainTextEdit* makeReportBox(QWidget* parent, const char* objectName)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setReadOnly(true);
    // Read-only, yet the cursor keys move through the report, as its last line says.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

// Shows the report lines; a wait cursor while a long report is laid out.
void showReport(QPlainTextEdit* box, const QStringList& lines)
{
    box->setPlainText(lines.join(QLatin1Char('\n')));
    box->moveCursor(QTextCursor::Start);
}

// A wait cursor for the span of a long collection or check.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

TForm14::TForm14(TData& dataModule, QWidget* parent)
    : QDialog(parent), m_data(dataModule), m_producerRows(&dataModule.connection(), QStringLiteral("DataCheckProducers"))
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Ellenörzés"));
    resize(900, 640);

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(buildTicketTab(), QStringLiteral("Ravuraruvida reva"));
    m_tabs->addTab(buildSingleValueTab(), QStringLiteral("Adatok"));
    m_tabs->addTab(buildProducerTab(), QStringLiteral("Östermelö"));
    layout->addWidget(m_tabs);

    ui::EnterNavigator::install(this);
    m_ticketCollectButton->setFocus();
}

QWidget* TForm14::buildTicketTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ticketTab"));
    auto* layout = new QVBoxLayout(page);

    auto* period = new QGroupBox(QStringLiteral("Fizetési határidő:"), page);
    period->setObjectName(QStringLiteral("periodBox"));
    auto* periodRow = new QHBoxLayout(period);
    const datacheck::Period defaults = datacheck::defaultPeriod(clock::today());
    m_fromEdit = makeDateEdit(period, "fromEdit");
    m_fromEdit->setDate(defaults.from);
    m_toEdit = makeDateEdit(period, "toEdit");
    m_toEdit->setDate(defaults.to);
    periodRow->addWidget(m_fromEdit);
    periodRow->addWidget(new QLabel(QStringLiteral("-tól"), period));
    periodRow->addSpacing(16);
    periodRow->addWidget(m_toEdit);
    periodRow->addWidget(new QLabel(QStringLiteral("-ig"), period));
    periodRow->addStretch();

    m_ticketCollectButton = ui::makeButton(page, "ticketCollectButton", QStringLiteral("Kigyüjtés"));
    m_ticketCheckButton = ui::makeButton(page, "ticketCheckButton", QStringLiteral("Ellenörzés"));
    m_ticketCheckButton->setEnabled(false);
    m_ticketCancelButton = ui::makeButton(page, "ticketCancelButton", QStringLiteral("Mégsem"));

    auto* top = new QHBoxLayout;
    top->addWidget(period);
    top->addLayout(ui::buttonRow({m_ticketCollectButton, m_ticketCheckButton, m_ticketCancelButton}));
    layout->addLayout(top);

    m_ticketGrid = new ui::QueryGrid(&m_data.ZQ20, page);
    m_ticketGrid->setObjectName(QStringLiteral("ticketGrid"));
    layout->addWidget(m_ticketGrid, 1);
    auto* navigator = new ui::GridNavigator(m_ticketGrid, page);
    navigator->setObjectName(QStringLiteral("ticketNavigator"));
    layout->addWidget(navigator);

    m_ticketReport = makeReportBox(page, "ticketReport");
    layout->addWidget(m_ticketReport, 1);

    ui::setTabChain({m_fromEdit, m_toEdit, m_ticketCollectButton, m_ticketCheckButton, m_ticketCancelButton,
                     m_ticketGrid, m_ticketReport});
    connect(m_ticketCollectButton, &QPushButton::clicked, this, &TForm14::collectTicketsClick);
    connect(m_ticketCheckButton, &QPushButton::clicked, this, &TForm14::checkTicketsClick);
    connect(m_ticketCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

QWidget* TForm14::buildSingleValueTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("singleValueTab"));
    auto* layout = new QVBoxLayout(page);
    m_singleTabs = new QTabWidget(page);
    m_singleTabs->setObjectName(QStringLiteral("singleTabs"));

    // One identifier and its "Ellenörzés" on each of the first three tabs.
    auto identifierTab = [this](const QString& title, const QString& caption, const char* editName,
                                const char* buttonName, QLineEdit** edit, QPushButton** button) {
        auto* tab = new QWidget(m_singleTabs);
        auto* form = new QFormLayout(tab);
        *edit = new QLineEdit(tab);
        (*edit)->setObjectName(QString::fromLatin1(editName));
        (*edit)->setMaxLength(20);
        (*edit)->setMaximumWidth(200);
        form->addRow(caption, *edit);
        *button = ui::makeButton(tab, buttonName, QStringLiteral("Ellenörzés"));
        form->addRow(QString(), ui::buttonRow({*button}));
        m_singleTabs->addTab(tab, title);
    };
    identifierTab(QStringLiteral("Adószám"), QStringLiteral("Adószám:"), "taxNumberEdit", "taxNumberCheckButton",
                  &m_taxNumberEdit, &m_taxNumberCheckButton);
    identifierTab(QStringLiteral("Adóazonositó"), QStringLiteral("Adóazonositó:"), "taxIdEdit", "taxIdCheckButton",
                  &m_taxIdEdit, &m_taxIdCheckButton);
    identifierTab(QStringLiteral("TAJ"), QStringLiteral("TAJ szám:"), "tajEdit", "tajCheckButton", &m_tajEdit,
                  &m_tajCheckButton);

    auto* days = new QWidget(m_singleTabs);
    auto* daysForm = new QFormLayout(days);
    m_dayTaxIdEdit = new QLineEdit(days);
    m_dayTaxIdEdit->setObjectName(QStringLiteral("dayTaxIdEdit"));
    m_dayTaxIdEdit->setMaxLength(20);
    m_dayTaxIdEdit->setMaximumWidth(200);
    daysForm->addRow(QStringLiteral("Adóazonositója:"), m_dayTaxIdEdit);
    m_birthDateEdit = makeDateEdit(days, "birthDateEdit");
    m_birthDateEdit->setDate(clock::today());
    daysForm->addRow(QStringLiteral("Születési ideje:"), m_birthDateEdit);
    m_dayCheckButton = ui::makeButton(days, "dayCheckButton", QStringLiteral("Ellenörzés"));
    daysForm->addRow(QString(), ui::buttonRow({m_dayCheckButton}));
    m_idDaysLabel = new QLabel(days);
    m_idDaysLabel->setObjectName(QStringLiteral("idDaysLabel"));
    daysForm->addRow(QStringLiteral("Adóazonositó alapján:"), m_idDaysLabel);
    m_daysLabel = new QLabel(days);
    m_daysLabel->setObjectName(QStringLiteral("daysLabel"));
    daysForm->addRow(QStringLiteral("Eltelt napok száma 1867.01.01-től:"), m_daysLabel);
    m_singleTabs->addTab(days, QStringLiteral("Napok"));
    layout->addWidget(m_singleTabs);

    auto* message = new QHBoxLayout;
    message->addWidget(new QLabel(QStringLiteral("Üzenet:"), page));
    m_messageLabel = new QLabel(page);
    m_messageLabel->setObjectName(QStringLiteral("messageLabel"));
    QFont bold = m_messageLabel->font();
    bold.setBold(true);
    m_messageLabel->setFont(bold);
    message->addWidget(m_messageLabel, 1);
    layout->addLayout(message);
    layout->addStretch();

    connect(m_taxNumberCheckButton, &QPushButton::clicked, this, &TForm14::checkTaxNumberClick);
    connect(m_taxIdCheckButton, &QPushButton::clicked, this, &TForm14::checkTaxIdClick);
    connect(m_tajCheckButton, &QPushButton::clicked, this, &TForm14::checkTajClick);
    connect(m_dayCheckButton, &QPushButton::clicked, this, &TForm14::checkDaysClick);
    return page;
}

QWidget* TForm14::buildProducerTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("producerTab"));
    auto* layout = new QVBoxLayout(page);

    m_producerCollectButton = ui::makeButton(page, "producerCollectButton", QStringLiteral("Kigyüjtés"));
    m_producerCheckButton = ui::makeButton(page, "producerCheckButton", QStringLiteral("Ellenörzés"));
    m_producerCheckButton->setEnabled(false);
    m_producerCancelButton = ui::makeButton(page, "producerCancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_producerCollectButton, m_producerCheckButton, m_producerCancelButton}));

    m_producerGrid = new ui::QueryGrid(&m_producerRows, page);
    m_producerGrid->setObjectName(QStringLiteral("producerGrid"));
    layout->addWidget(m_producerGrid, 1);
    auto* navigator = new ui::GridNavigator(m_producerGrid, page);
    navigator->setObjectName(QStringLiteral("producerNavigator"));
    layout->addWidget(navigator);

    m_producerReport = makeReportBox(page, "producerReport");
    layout->addWidget(m_producerReport, 1);

    connect(m_producerCollectButton, &QPushButton::clicked, this, &TForm14::collectProducersClick);
    connect(m_producerCheckButton, &QPushButton::clicked, this, &TForm14::checkProducersClick);
    connect(m_producerCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    return page;
}

void TForm14::collectTicketsClick()
{
    // A failed collection leaves nothing to check.
    m_ticketCheckButton->setEnabled(false);
    try {
        WaitCursor wait;
        datacheck::collectTickets(m_data.ZQ20, m_fromEdit->date(), m_toEdit->date(), sharedState().buyerCode);
        m_data.ZQ20.first();
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    m_ticketCheckButton->setEnabled(true);
}

void TForm14::checkTicketsClick()
{
    m_ticketReport->clear();
    try {
        WaitCursor wait;
        showReport(m_ticketReport, datacheck::checkTickets(datacheck::ticketRows(m_data.ZQ20)));
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm14::collectProducersClick()
{
    m_producerCheckButton->setEnabled(false);
    try {
        WaitCursor wait;
        datacheck::collectProducers(m_producerRows);
        m_producerRows.first();
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    m_producerCheckButton->setEnabled(true);
}

void TForm14::checkProducersClick()
{
    m_producerReport->clear();
    try {
        WaitCursor wait;
        showReport(m_producerReport, datacheck::checkProducers(datacheck::producerRows(m_producerRows)));
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm14::checkTaxNumberClick()
{
    const datacheck::Verdict v = datacheck::checkTaxNumber(m_taxNumberEdit->text());
    showVerdict(v.text, v.error);
}

void TForm14::checkTaxIdClick()
{
    const datacheck::Verdict v = datacheck::checkTaxId(m_taxIdEdit->text());
    showVerdict(v.text, v.error);
}

void TForm14::checkTajClick()
{
    const datacheck::Verdict v = datacheck::checkTaj(m_tajEdit->text());
    showVerdict(v.text, v.error);
}

void TForm14::checkDaysClick()
{
    const datacheck::DayCountResult r = datacheck::checkDayCount(m_dayTaxIdEdit->text(), m_birthDateEdit->date());
    m_idDaysLabel->setText(r.idDays);
    m_daysLabel->setText(r.daysText);
    showVerdict(r.verdict.text, r.verdict.error);
}

bool TForm14::ElteltNapEllenorzes(const QString& taxId, const QString& birthDate) const
{
    return datacheck::elteltNapEllenorzes(taxId, birthDate);
}

void TForm14::showVerdict(const QString& text, bool error)
{
    m_messageLabel->setText(text);
    if (error) {
        ++m_beeps;
        QApplication::beep();
    }
}

} // namespace zeror
