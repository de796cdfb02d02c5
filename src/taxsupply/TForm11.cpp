#include "TForm11.h"

#include "Clock.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "Formats.h"
#include "MonthCollection.h"
#include "QueryGrid.h"
#include "ReportModule.h"
#include "ReportPrint.h"
#include "SharedState.h"
#include "TData.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

using namespace taxsupply;

namespace {

QDateEdit* makeDateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    edit->setCalendarPopup(true);
    edit->setMinimumWidth(120);
    return edit;
}

QLineEdit* makeShowEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TForm11::TForm11(QWidget* parent) : QDialog(parent), m_data(*TData::instance())
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("NAV 1608M adat importnak a létrehozása"));

    auto* layout = new QVBoxLayout(this);

    auto* periodBox = new QGroupBox(QStringLiteral("Fizetési dátum szerint"), this);
    periodBox->setObjectName(QStringLiteral("periodBox"));
    auto* periodLayout = new QGridLayout(periodBox);
    m_from = makeDateEdit(periodBox, "fromEdit");
    m_to = makeDateEdit(periodBox, "toEdit");
    periodLayout->addWidget(m_from, 0, 0);
    periodLayout->addWidget(makeLabel(periodBox, "fromLabel", QStringLiteral("-tól")), 0, 1);
    periodLayout->addWidget(m_to, 0, 2);
    periodLayout->addWidget(makeLabel(periodBox, "toLabel", QStringLiteral("-ig")), 0, 3);
    periodLayout->setColumnStretch(4, 1);
    periodLayout->addWidget(makeLabel(periodBox, "printedNoteLabel",
                                      QStringLiteral("Csak dátumot figyel. (Ha nem volt nyomtatva akkor is bevallásba kerül)")),
                            1, 0, 1, 5);
    layout->addWidget(periodBox);

    layout->addWidget(makeLabel(this, "placeLabel",
                                QStringLiteral("Bevallási adatok helye : C:\\RU2016\\ és a hónap száma és a \"\\\" jel")));
    layout->addWidget(makeLabel(this, "exampleLabel", QStringLiteral("pl:   C:\\RU2016\\01\\")));
    layout->addWidget(makeLabel(this, "mustExistLabel", QStringLiteral("( Könytárnak létezni kell )")));
    layout->addWidget(makeLabel(this, "repeatLabel", QStringLiteral("Kigyüjtés ismételhetö.")));

    auto* names = new QFormLayout;
    m_folder = makeShowEdit(this, "folderEdit");
    names->addRow(makeLabel(this, "folderLabel", QStringLiteral("Ide kerülnek az adatok:")), m_folder);
    m_singleName = makeShowEdit(this, "singleNameEdit");
    names->addRow(makeLabel(this, "singleNameLabel", QStringLiteral("Egyedi  importhoz a  név:")), m_singleName);
    m_listName = makeShowEdit(this, "listNameEdit");
    names->addRow(makeLabel(this, "listNameLabel", QStringLiteral("Csoportos importhoz a név:  ")), m_listName);
    layout->addLayout(names);

    m_grid = new ui::QueryGrid(&m_data.ZQ20, this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setColumns({{QStringLiteral("f_ostermkod"), QStringLiteral("Őstermelő kód")},
                        {QStringLiteral("kifizetett"), QStringLiteral("Kifizetett")}});
    m_grid->setMinimumHeight(160);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid, 1);
    auto* navigator = new ui::GridNavigator(m_grid, this);
    navigator->setObjectName(QStringLiteral("navigator"));
    m_totalLabel = makeLabel(this, "totalLabel", QString());
    m_totalLabel->setMinimumWidth(180);
    m_totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(navigator);
    navRow->addStretch(1);
    navRow->addWidget(m_totalLabel);
    layout->addLayout(navRow);

    m_collect = ui::makeButton(this, "collectButton", QStringLiteral("Kigyüjtés"));
    m_print = ui::makeButton(this, "printButton", QStringLiteral("Nyomtatás"));
    m_ok = ui::makeButton(this, "okButton", QStringLiteral("OK"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_collect, m_print, m_ok, m_cancel}));
    ui::setTabChain({m_from, m_to, m_collect, m_print, m_ok, m_cancel});

    m_collect->setEnabled(false);
    m_print->setEnabled(false);

    // Both dates of the current year, so a month check must pass before collecting.
    const int year = clock::today().year();
    m_from->setDate(QDate(year, 1, 1));
    m_to->setDate(QDate(year, 12, 31));

    connect(m_from, &QDateEdit::dateChanged, this, [this] {
        m_collect->setEnabled(false);
        m_print->setEnabled(false);
    });
    m_to->installEventFilter(this);
    connect(m_collect, &QPushButton::clicked, this, &TForm11::KigyujtesClick);
    connect(m_print, &QPushButton::clicked, this, &TForm11::NyomtatasClick);
    connect(m_ok, &QPushButton::clicked, this, &TForm11::OKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);

    try {
        clearGrid(m_data);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_from->setFocus();
    resize(640, 560);
}

bool TForm11::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_to && event->type() == QEvent::FocusOut) {
        // Leaving the field; a message box or the calendar taking the focus is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            DateTimePicker2Exit();
    }
    return QDialog::eventFilter(watched, event);
}

ImportPeriod TForm11::period() const
{
    return {m_from->date(), m_to->date()};
}

bool TForm11::monthCheck(bool fromOk)
{
    const ImportPeriod p = period();
    const auto fault = checkMonth(p, fromOk ? MonthCheckTrigger::OkButton : MonthCheckTrigger::LeavingSecondDate);
    if (fault) {
        QApplication::beep();
        ui::Dialogs::information(this, fault->message);
        return false;
    }
    m_folder->setText(QDir::toNativeSeparators(monthFolder(p)));
    m_singleName->setText(importFileName(p, QStringLiteral("<adóazonosító jel>")));
    m_listName->setText(listFileName(p));
    m_collect->setEnabled(true);
    return true;
}

bool TForm11::DateTimePicker2Exit()
{
    return monthCheck(false);
}

void TForm11::OKClick()
{
    monthCheck(true);
}

void TForm11::KigyujtesClick()
{
    const ImportPeriod p = period();
    QProgressDialog progress(QStringLiteral("Import fájlok írása…"), QString(), 0, 0, this);
    progress.setObjectName(QStringLiteral("progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    CollectOutcome outcome;
    try {
        outcome = collectMonth(m_data, sharedState().buyerCode, p, [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
        });
    } catch (const Error& e) {
        progress.reset();
        m_grid->syncFromQuery();
        ui::Dialogs::error(this, e.message());
        return;
    }
    progress.reset();
    m_grandTotal = outcome.grandTotal;
    m_totalLabel->setText(QStringLiteral("Összesen: ") + m_grandTotal);
    m_folder->setText(QDir::toNativeSeparators(outcome.folder));
    if (!outcome.importFiles.isEmpty())
        m_singleName->setText(QFileInfo(outcome.importFiles.first()).fileName());
    m_listName->setText(outcome.listFile);
    m_grid->syncFromQuery();
    m_print->setEnabled(true);
    const QString notes = collectNotes(outcome);
    if (!notes.isEmpty())
        ui::Dialogs::information(this, notes);
}

void TForm11::NyomtatasClick()
{
    const ImportPeriod p = period();
    try {
        prepareSummary(m_data, sharedState().buyerCode, p);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    ReportModule& reports = ReportModule::instance();
    reports.setVariable(QStringLiteral("v_osszesen"), m_grandTotal);
    reports.setVariable(QStringLiteral("v_tol"), fmt::formatDate(p.from));
    reports.setVariable(QStringLiteral("v_ig"), fmt::formatDate(p.to));
    printReport(QStringLiteral("FjLista3.frf"), QPageLayout::Portrait, ReportModule::Target::Nyomtat, this);
    // The grid shows the collected rows again.
    try {
        openPaidProducers(m_data, sharedState().buyerCode, p);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

} // namespace zeror
