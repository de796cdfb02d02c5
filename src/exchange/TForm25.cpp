#include "TForm25.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "OldImport.h"
#include "TextExport.h"
#include "Win1250.h"
#include "WinPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm25::TForm25(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Régiből import"));
    resize(640, 460);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("A régi verzióból átemeli a  termék, östermelö és vevö adatait"), this);
    title->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(title);

    m_folderEdit = new QLineEdit(QStringLiteral("c:\\fj11\\"), this);
    m_folderEdit->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(m_folderEdit);
    m_folderShown = new QLabel(this);
    m_folderShown->setObjectName(QStringLiteral("folderShownLabel"));
    m_folderShown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_folderShown);

    auto* middle = new QHBoxLayout;
    m_textArea = new QPlainTextEdit(this);
    m_textArea->setObjectName(QStringLiteral("Memo1"));
    m_textArea->setReadOnly(true);
    m_textArea->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_textArea->setFont(fixed);
    middle->addWidget(m_textArea, 1);

    auto* group = new QGroupBox(QStringLiteral("Melyik?"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QVBoxLayout(group);
    m_producerBox = new QCheckBox(QStringLiteral("Östermelő"), group);
    m_producerBox->setObjectName(QStringLiteral("CheckBox1"));
    m_productBox = new QCheckBox(QStringLiteral("Termék"), group);
    m_productBox->setObjectName(QStringLiteral("CheckBox2"));
    m_buyerBox = new QCheckBox(QStringLiteral("Átvevő"), group);
    m_buyerBox->setObjectName(QStringLiteral("CheckBox3"));
    for (QCheckBox* box : {m_producerBox, m_productBox, m_buyerBox}) {
        box->setChecked(true);
        groupLayout->addWidget(box);
    }
    groupLayout->addStretch();
    middle->addWidget(group);
    layout->addLayout(middle, 1);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    layout->addWidget(m_progress);

    m_importButton = new QPushButton(QStringLiteral("Import"), this);
    m_importButton->setObjectName(QStringLiteral("Button1"));
    m_importButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("Mégsem"), this);
    m_closeButton->setObjectName(QStringLiteral("Button2"));
    m_closeButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    connect(m_importButton, &QPushButton::clicked, this, &TForm25::Button1Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_folderEdit, &QLineEdit::textChanged, this, &TForm25::updateFolderShown);
    ui::EnterNavigator::install(this);
    updateFolderShown();
}

void TForm25::updateFolderShown()
{
    m_folderShown->setText(QDir::toNativeSeparators(paths::localPath(paths::joinPath(m_folderEdit->text(), QString()))));
}

bool TForm25::runSection(int index)
{
    const auto section = static_cast<oldimport::Section>(index);
    const QString path = textexport::exportPath(m_folderEdit->text(), oldimport::fileName(section));
    m_textArea->clear();
    QByteArray content;
    try {
        content = oldimport::readWholeFile(path);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return false;
    }
    m_textArea->setPlainText(win1250::decode(content));

    oldimport::ImportCallbacks callbacks;
    callbacks.message = [this](const QString& text) { ui::Dialogs::error(this, text); };
    callbacks.progress = [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        if (done % 20 == 0 || done == total)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    oldimport::ImportSummary summary;
    try {
        summary = oldimport::importSection(m_data, section, content, callbacks);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return false;
    }
    ui::Dialogs::information(this, oldimport::endMessage(section));
    ui::Dialogs::information(this, oldimport::summaryText(summary));
    return true;
}

void TForm25::Button1Click()
{
    const QCheckBox* boxes[] = {m_producerBox, m_productBox, m_buyerBox};
    m_importButton->setEnabled(false);
    m_closeButton->setEnabled(false);
    bool finished = true;
    for (int i = 0; i < 3 && finished; ++i) {
        if (boxes[i]->isChecked())
            finished = runSection(i);
    }
    m_importButton->setEnabled(true);
    m_closeButton->setEnabled(true);
    if (finished)
        accept();
}

} // namespace zeror
