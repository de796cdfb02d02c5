#include "TForm29.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "TextExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm29::TForm29(TData& dataModule, QWidget* parent)
    : TForm29(dataModule, parent, QStringLiteral("Form29"), QStringLiteral("Bezárás"),
              QStringLiteral("Exportálás vége. "))
{
}

TForm29::TForm29(TData& dataModule, QWidget* parent, const QString& objectName, const QString& closeCaption,
                 const QString& endMessage)
    : QDialog(parent), m_data(dataModule), m_endMessage(endMessage)
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Adat export"));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Exportálásra kerülö adatok:"), this);
    title->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(title);
    for (const textexport::ExportTable& table : textexport::tables()) {
        auto* box = new QCheckBox(table.caption, this);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(m_boxes.size() + 1));
        box->setChecked(true);
        layout->addWidget(box);
        m_boxes.append(box);
    }
    layout->addSpacing(6);

    auto* folderRow = new QHBoxLayout;
    auto* folderLabel = new QLabel(QStringLiteral("Hová:"), this);
    m_folderEdit = new QLineEdit(QStringLiteral("c:\\"), this);
    m_folderEdit->setObjectName(QStringLiteral("Edit1"));
    m_folderEdit->setMinimumWidth(260);
    folderLabel->setBuddy(m_folderEdit);
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folderEdit, 1);
    layout->addLayout(folderRow);
    // The folder the files really go to, for an operator off Windows.
    m_folderShown = new QLabel(this);
    m_folderShown->setObjectName(QStringLiteral("folderShownLabel"));
    m_folderShown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_folderShown);
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    layout->addWidget(m_progressLabel);

    m_exportButton = new QPushButton(QStringLiteral("Export"), this);
    m_exportButton->setObjectName(QStringLiteral("Button1"));
    m_exportButton->setAutoDefault(false);
    m_closeButton = new QPushButton(closeCaption, this);
    m_closeButton->setObjectName(QStringLiteral("Button2"));
    m_closeButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    connect(m_exportButton, &QPushButton::clicked, this, &TForm29::Button1Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_folderEdit, &QLineEdit::textChanged, this, &TForm29::updateFolderShown);
    ui::EnterNavigator::install(this);
    updateFolderShown();
}

void TForm29::updateFolderShown()
{
    const QString folder = textexport::exportPath(m_folderEdit->text(), QString());
    m_folderShown->setText(QDir::toNativeSeparators(folder));
}

void TForm29::Button1Click()
{
    QList<int> chosen;
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes.at(i)->isChecked())
            chosen.append(i);
    }
    m_exportButton->setEnabled(false);
    try {
        textexport::exportTables(m_data, chosen, m_folderEdit->text(), [this](const QString& fileName) {
            m_progressLabel->setText(fileName);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    } catch (const Error& e) {
        m_exportButton->setEnabled(true);
        m_progressLabel->clear();
        ui::Dialogs::error(this, e.message());
        return;
    }
    m_exportButton->setEnabled(true);
    m_progressLabel->clear();
    ui::Dialogs::refusal(this, m_endMessage);
    accept();
}

} // namespace zeror
