#include "TForm41.h"

#include "Clock.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "InventoryXml.h"
#include "QueryGrid.h"
#include "SharedState.h"
#include "TData.h"
#include "WinPaths.h"

#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {
QDateEdit* datePicker(QWidget* parent, const char* name)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    edit->setMinimumWidth(110);
    return edit;
}
} // namespace

TForm41::TForm41(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form41"));
    setWindowTitle(QStringLiteral("Adatátadás a készlethez"));

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    m_fromEdit = datePicker(this, "fromEdit");
    m_toEdit = datePicker(this, "toEdit");
    fields->addWidget(new QLabel(QStringLiteral("Teljesités dátuma:"), this), 0, 0);
    fields->addWidget(m_fromEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("-tól"), this), 0, 2);
    fields->addWidget(m_toEdit, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("-ig"), this), 0, 4);
    fields->setColumnStretch(5, 1);

    m_targetEdit = new QLineEdit(QDir::toNativeSeparators(paths::localPath(inventory::kDefaultTarget)), this);
    m_targetEdit->setObjectName(QStringLiteral("targetEdit"));
    m_targetEdit->setMinimumWidth(360);
    fields->addWidget(new QLabel(QStringLiteral("Adatátadás helye :"), this), 1, 0);
    fields->addWidget(m_targetEdit, 1, 1, 1, 5);
    auto* folderNote = new QLabel(QStringLiteral("( Könytárnak létezni kell )"), this);
    folderNote->setObjectName(QStringLiteral("folderNote"));
    fields->addWidget(folderNote, 2, 1, 1, 5);
    layout->addLayout(fields);

    auto* repeatNote = new QLabel(QStringLiteral("Kigyüjtés ismételhetö. Az előző felülírásra kerül."), this);
    repeatNote->setObjectName(QStringLiteral("repeatNote"));
    layout->addWidget(repeatNote);

    m_grid = new ui::QueryGrid(&m_data.ZQ20, this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumHeight(220);
    layout->addWidget(m_grid, 1);
    m_navigator = new ui::GridNavigator(m_grid, this);
    m_navigator->setObjectName(QStringLiteral("navigator"));
    layout->addWidget(m_navigator);

    m_gatherButton = ui::makeButton(this, "gatherButton", QStringLiteral("Kigyüjtés"));
    m_handOverButton = ui::makeButton(this, "handOverButton", QStringLiteral("Adatátadás"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_gatherButton, m_handOverButton, m_cancelButton}));
    ui::setTabChain({m_fromEdit, m_toEdit, m_targetEdit, m_gatherButton, m_handOverButton, m_cancelButton});

    connect(m_gatherButton, &QPushButton::clicked, this, &TForm41::Button1Click);
    connect(m_handOverButton, &QPushButton::clicked, this, &TForm41::Button2Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);

    // The grid starts empty: the query may still hold another screen's rows.
    m_data.ZQ20.close();
    resize(900, 520);
}

void TForm41::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QDate today = clock::today();
    m_fromEdit->setDate(today);
    m_toEdit->setDate(today);
    m_handOverButton->setEnabled(false);
    m_fromEdit->setFocus();
}

void TForm41::Button1Click()
{
    try {
        inventory::gather(m_data.ZQ20, m_fromEdit->date(), m_toEdit->date(), sharedState().buyerCode);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        inventory::writeXmlFile(m_data.ZQ20, inventory::workingFile());
    } catch (const Error& e) {
        QGuiApplication::restoreOverrideCursor();
        m_data.ZQ20.first();
        m_grid->syncFromQuery();
        // Without a whole file there is nothing to hand over.
        m_handOverButton->setEnabled(false);
        ui::Dialogs::error(this, e.message());
        return;
    }
    QGuiApplication::restoreOverrideCursor();
    m_data.ZQ20.first();
    m_grid->syncFromQuery();
    m_handOverButton->setEnabled(true);
}

void TForm41::Button2Click()
{
    if (!m_handOverButton->isEnabled())
        return;
    try {
        inventory::handOver(inventory::workingFile(), paths::localPath(m_targetEdit->text().trimmed()));
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    ui::Dialogs::information(this, inventory::kCopiedMessage);
    accept();
}

} // namespace zeror
