#include "TForm27.h"

#include "DesktopShell.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "FormButtons.h"
#include "SupportMail.h"

#include <QClipboard>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm27::TForm27(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form27"));
    setWindowTitle(QStringLiteral("Adatok elküldése  emailben"));

    auto* layout = new QVBoxLayout(this);
    const QStringList notes = {
        QStringLiteral("A program megkisérli a  levelező programmal elküldeni  vagy a postázandókhoz berakni. "),
        QStringLiteral("A \"Küldés1\" program gomb feltételezi, hogy a számítógépre telepítve van az Outlook program."),
        QStringLiteral("A levélhez csatolt fáljként  mellékeli a felső sorban megjelenitett fáljt."),
        QStringLiteral("Ha sikeres volt akkor a levelezései között megtalálható."),
        QStringLiteral("Vagy: a küldendő fálj  nevét másolja vágólapra és  a \"Küldés2\" levelező programjában "),
        QStringLiteral("CTRL +  V  billentyüvel  tegye be a  csatolt fájl nevéhez"),
    };

    auto* fields = new QGridLayout;
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName(QStringLiteral("folderEdit"));
    m_folderEdit->setMinimumWidth(380);
    m_browseButton = ui::makeButton(this, "browseButton", QStringLiteral("Mappa..."));
    fields->addWidget(new QLabel(QStringLiteral("Mappa :"), this), 0, 0);
    fields->addWidget(m_folderEdit, 0, 1);
    fields->addWidget(m_browseButton, 0, 2);
    m_fileEdit = new QLineEdit(this);
    m_fileEdit->setObjectName(QStringLiteral("fileEdit"));
    fields->addWidget(new QLabel(QStringLiteral("A küldendő fálj neve :"), this), 1, 0);
    fields->addWidget(m_fileEdit, 1, 1, 1, 2);
    layout->addLayout(fields);

    for (int i = 0; i < notes.size(); ++i) {
        auto* label = new QLabel(notes[i], this);
        label->setObjectName(QStringLiteral("noteLabel%1").arg(i + 1));
        layout->addWidget(label);
    }

    m_send1Button = ui::makeButton(this, "send1Button", QStringLiteral("Küldés1"));
    m_copyButton = ui::makeButton(this, "copyButton", QStringLiteral("Vágólapra másolás"));
    m_send2Button = ui::makeButton(this, "send2Button", QStringLiteral("Küldés2"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_send1Button, m_copyButton, m_send2Button, m_cancelButton}));
    ui::setTabChain({m_folderEdit, m_browseButton, m_fileEdit, m_send1Button, m_copyButton, m_send2Button, m_cancelButton});

    connect(m_folderEdit, &QLineEdit::editingFinished, this, [this] { setFolder(m_folderEdit->text()); });
    connect(m_browseButton, &QPushButton::clicked, this, &TForm27::browse);
    connect(m_send1Button, &QPushButton::clicked, this, &TForm27::Button1Click);
    connect(m_copyButton, &QPushButton::clicked, this, &TForm27::Button2Click);
    connect(m_send2Button, &QPushButton::clicked, this, &TForm27::Button3Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);
}

void TForm27::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The working folder is where the program keeps the year's database.
    setFolder(QDir::currentPath());
    m_send2Button->setFocus();
}

void TForm27::setFolder(const QString& folder)
{
    m_folderEdit->setText(QDir::toNativeSeparators(folder));
    m_fileEdit->setText(supportmail::databaseFileIn(QDir::fromNativeSeparators(folder)));
}

void TForm27::browse()
{
    const QString folder = ui::Dialogs::existingDirectory(this, QStringLiteral("Az adatbázis mappája"),
                                                          QDir::fromNativeSeparators(m_folderEdit->text()));
    if (!folder.isEmpty())
        setFolder(folder);
}

void TForm27::Button1Click()
{
    const QString file = m_fileEdit->text().trimmed();
    const QString refusal = supportmail::checkAttachment(file);
    if (!refusal.isEmpty()) {
        ui::Dialogs::refusal(this, refusal);
        m_fileEdit->setFocus();
        return;
    }
    const supportmail::Command command = supportmail::attachmentMailCommand(file);
    const QString program = ui::desktop::findProgram(command.program);
    if (program.isEmpty()) {
        ui::Dialogs::information(this, supportmail::noMailProgramMessage(file));
        return;
    }
    if (!ui::desktop::startProgram(program, command.arguments))
        ui::Dialogs::error(this, QStringLiteral("A levelező program nem indult el (%1).\r%2")
                                     .arg(program, supportmail::noMailProgramMessage(file)));
}

void TForm27::Button2Click()
{
    m_fileEdit->selectAll();
    QGuiApplication::clipboard()->setText(m_fileEdit->text());
}

void TForm27::Button3Click()
{
    const QUrl link = QUrl::fromEncoded(supportmail::mailLink().toLatin1(), QUrl::StrictMode);
    if (!ui::desktop::openUrl(link))
        ui::Dialogs::information(this, QStringLiteral("A levelező program nem nyitható meg. Kérem írjon a(z) %1 "
                                                      "címre, és csatolja a küldendő fájlt.")
                                           .arg(supportmail::kSupportAddress));
}

} // namespace zeror
