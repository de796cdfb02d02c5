#include "TForm20.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "QueryGrid.h"
#include "SharedState.h"
#include "TData.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace zeror {

namespace {

QLabel* titleLabel(const QString& text, QWidget* parent, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

QCheckBox* showBox(QWidget* parent, const char* name)
{
    auto* box = new QCheckBox(QStringLiteral(" excel táblát megjelenít"), parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(true);
    return box;
}

QProgressBar* progressBar(QWidget* parent, const char* name)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, 1); // an empty bar until an export sets the row count
    bar->setValue(0);
    return bar;
}

QDateEdit* dateEdit(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    return edit;
}

} // namespace

TForm20::TForm20(TData& dataModule, QWidget* parent)
    : QDialog(parent), m_data(dataModule), m_ticketQuery(&dataModule.connection(), QStringLiteral("ExcelFjsor")),
      m_producerQuery(&dataModule.connection(), QStringLiteral("ExcelOstermelo")),
      m_openFile([](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
{
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Excel  táblába"));
    resize(760, 560);

    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages);

    // Page "Zeror": the ticket lines of a period.
    auto* ticketPage = new QWidget(m_pages);
    ticketPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* tl = new QVBoxLayout(ticketPage);
    tl->addWidget(titleLabel(QStringLiteral("Ravuraruvida reva exportálása"), ticketPage, "ticketTitleLabel"));
    auto* period = new QHBoxLayout;
    m_fromEdit = dateEdit(ticketPage, "fromEdit");
    m_toEdit = dateEdit(ticketPage, "toEdit");
    period->addWidget(new QLabel(QStringLiteral("Dátum: "), ticketPage));
    period->addWidget(m_fromEdit);
    period->addWidget(new QLabel(QStringLiteral("-tól"), ticketPage));
    period->addSpacing(12);
    period->addWidget(m_toEdit);
    period->addWidget(new QLabel(QStringLiteral("-ig"), ticketPage));
    period->addStretch();
    tl->addLayout(period);
    auto* kind = new QGroupBox(QStringLiteral("Dátum ?"), ticketPage);
    kind->setObjectName(QStringLiteral("dateKindGroup"));
    auto* kl = new QHBoxLayout(kind);
    m_paymentDate = new QRadioButton(QStringLiteral("Fizetési dátum"), kind);
    m_paymentDate->setObjectName(QStringLiteral("paymentDateButton"));
    m_paymentDate->setChecked(true);
    m_purchaseDate = new QRadioButton(QStringLiteral("Felvásárlási dátum"), kind);
    m_purchaseDate->setObjectName(QStringLiteral("purchaseDateButton"));
    kl->addWidget(m_paymentDate);
    kl->addWidget(m_purchaseDate);
    kl->addStretch();
    tl->addWidget(kind);
    m_ticketShow = showBox(ticketPage, "ticketShowBox");
    tl->addWidget(m_ticketShow);
    m_ticketProgress = progressBar(ticketPage, "ticketProgress");
    tl->addWidget(m_ticketProgress);
    m_ticketGrid = new ui::QueryGrid(&m_ticketQuery, ticketPage);
    m_ticketGrid->setObjectName(QStringLiteral("ticketGrid"));
    m_ticketGrid->setColumns({{QStringLiteral("s_megnevezes"), QStringLiteral("Megnevezés")}});
    m_ticketGrid->horizontalHeader()->setStretchLastSection(true);
    tl->addWidget(m_ticketGrid, 1);
    tl->addWidget(new ui::GridNavigator(m_ticketGrid, ticketPage));
    m_ticketGather = ui::makeButton(ticketPage, "ticketGatherButton", QStringLiteral("Kigyüjtés"));
    m_ticketExport = ui::makeButton(ticketPage, "ticketExportButton", QStringLiteral("Exportálás "));
    auto* ticketCancel = ui::makeButton(ticketPage, "ticketCancelButton", QStringLiteral("Mégsem"));
    tl->addLayout(ui::buttonRow({m_ticketGather, m_ticketExport, ticketCancel}));
    m_pages->addTab(ticketPage, QStringLiteral("Zeror"));

    // Page "Östermelö": the producer register.
    auto* producerPage = new QWidget(m_pages);
    producerPage->setObjectName(QStringLiteral("TabSheet2"));
    auto* pl = new QVBoxLayout(producerPage);
    pl->addWidget(titleLabel(QStringLiteral("Östermelö exportálása"), producerPage, "producerTitleLabel"));
    m_producerShow = showBox(producerPage, "producerShowBox");
    pl->addWidget(m_producerShow);
    m_producerProgress = progressBar(producerPage, "producerProgress");
    pl->addWidget(m_producerProgress);
    m_producerGrid = new ui::QueryGrid(&m_producerQuery, producerPage);
    m_producerGrid->setObjectName(QStringLiteral("producerGrid"));
    pl->addWidget(m_producerGrid, 1);
    pl->addWidget(new ui::GridNavigator(m_producerGrid, producerPage));
    m_producerGather = ui::makeButton(producerPage, "producerGatherButton", QStringLiteral("Kigyüjtés"));
    m_producerExport = ui::makeButton(producerPage, "producerExportButton", QStringLiteral("Exportálás "));
    auto* producerCancel = ui::makeButton(producerPage, "producerCancelButton", QStringLiteral("Mégsem"));
    pl->addLayout(ui::buttonRow({m_producerGather, m_producerExport, producerCancel}));
    m_pages->addTab(producerPage, QStringLiteral("Östermelö"));

    // The folder both workbooks go to, below the pages.
    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("Mappa:"), this);
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName(QStringLiteral("folderEdit"));
    m_folderEdit->setReadOnly(true);
    m_folderEdit->setText(QDir::toNativeSeparators(excel::exportFolder()));
    folderLabel->setBuddy(m_folderEdit);
    m_folderButton = ui::makeButton(this, "folderButton", QStringLiteral("Mappa választása..."));
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folderEdit, 1);
    folderRow->addWidget(m_folderButton);
    layout->addLayout(folderRow);

    connect(m_ticketGather, &QPushButton::clicked, this, &TForm20::Button1Click);
    connect(m_ticketExport, &QPushButton::clicked, this, &TForm20::Button2Click);
    connect(m_producerGather, &QPushButton::clicked, this, &TForm20::Button4Click);
    connect(m_producerExport, &QPushButton::clicked, this, &TForm20::Button5Click);
    connect(ticketCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(producerCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_folderButton, &QPushButton::clicked, this, &TForm20::chooseFolder);
    ui::EnterNavigator::install(this);
}

void TForm20::showEvent(QShowEvent* event)
{
    // Each showing offers the calendar year of today.
    m_fromEdit->setDate(excel::defaultPeriodStart());
    m_toEdit->setDate(excel::defaultPeriodEnd());
    QDialog::showEvent(event);
}

void TForm20::gather(QProgressBar* progress, const std::function<void()>& run)
{
    progress->setMaximum(1);
    progress->setValue(0);
    try {
        run();
    } catch (const Error& error) {
        ui::Dialogs::error(this, error.message());
    }
}

void TForm20::Button1Click()
{
    const excel::DateKind kind = m_paymentDate->isChecked() ? excel::DateKind::Payment : excel::DateKind::Purchase;
    gather(m_ticketProgress, [&] {
        excel::gatherTickets(m_ticketQuery, m_fromEdit->date(), m_toEdit->date(), kind, sharedState().buyerCode);
    });
}

void TForm20::Button4Click()
{
    gather(m_producerProgress, [&] { excel::gatherProducers(m_producerQuery); });
}

void TForm20::Button2Click()
{
    exportPage(m_ticketQuery, excel::ticketLayout(), excel::kTicketWorkbook, m_ticketProgress, m_ticketShow,
               m_ticketGrid, excel::kTicketsDoneMessage);
}

void TForm20::Button5Click()
{
    exportPage(m_producerQuery, excel::producerLayout(), excel::kProducerWorkbook, m_producerProgress,
               m_producerShow, m_producerGrid, excel::kProducersDoneMessage);
}

void TForm20::exportPage(Query& query, const xls::Layout& layout, const QString& fileName, QProgressBar* progress,
                         QCheckBox* show, ui::QueryGrid* grid, const QString& doneMessage)
{
    if (!query.isOpen()) {
        ui::Dialogs::refusal(this, excel::kNothingGatheredMessage);
        return;
    }
    const int rows = query.rowCount();
    progress->setMaximum(std::max(rows, 1));
    progress->setValue(0);
    const QString path = QDir(excel::exportFolder()).filePath(fileName);
    bool saved = false;
    try {
        excel::writeWorkbook(query, layout, path, [progress](int done, int total) {
            // Repaint now and then; the operator cannot start anything else meanwhile.
            if (done % 500 == 0 || done == total) {
                progress->setValue(done);
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        });
        saved = true;
    } catch (const Error& error) {
        ui::Dialogs::error(this, error.message());
    }
    if (rows == 0)
        progress->setValue(progress->maximum());
    query.last();
    grid->syncFromQuery();
    if (saved && show->isChecked() && m_openFile)
        m_openFile(path);
    ui::Dialogs::information(this, doneMessage, excel::kDoneTitle);
}

void TForm20::chooseFolder()
{
    const QString folder = ui::Dialogs::existingDirectory(this, QStringLiteral("Mappa választása"), excel::exportFolder());
    if (folder.isEmpty())
        return;
    excel::setExportFolder(folder);
    m_folderEdit->setText(QDir::toNativeSeparators(excel::exportFolder()));
}

} // namespace zeror
