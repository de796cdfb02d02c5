#include "TForm35.h"

#include "Clock.h"
#include "DatabaseBackup.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "WinPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm35::TForm35(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form35"));
    setWindowTitle(QStringLiteral("Adatok mentése"));

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    m_sourceButton = ui::makeButton(this, "sourceButton", QStringLiteral("Honnan"));
    m_sourceButton->setToolTip(QStringLiteral("Az adatbázis elérésiútvonala"));
    m_sourceEdit = new QLineEdit(backup::defaultSource(), this);
    m_sourceEdit->setObjectName(QStringLiteral("sourceEdit"));
    m_sourceEdit->setMinimumWidth(520);
    m_targetButton = ui::makeButton(this, "targetButton", QStringLiteral("Hová"));
    m_targetButton->setToolTip(QStringLiteral("Kérem adja meg a mentés helyét"));
    m_targetEdit = new QLineEdit(backup::defaultTarget(clock::now()), this);
    m_targetEdit->setObjectName(QStringLiteral("targetEdit"));
    fields->addWidget(m_sourceButton, 0, 0);
    fields->addWidget(m_sourceEdit, 0, 1);
    fields->addWidget(m_targetButton, 1, 0);
    fields->addWidget(m_targetEdit, 1, 1);
    layout->addLayout(fields);

    auto* note = new QLabel(QStringLiteral("A kiválasztott útvonalaknak létezni kell."), this);
    note->setObjectName(QStringLiteral("noteLabel"));
    layout->addWidget(note);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    m_saveButton = ui::makeButton(this, "saveButton", QStringLiteral("Mentés"));
    m_saveButton->setToolTip(QStringLiteral("Mentés végrehajtása."));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_saveButton, m_cancelButton}));
    ui::setTabChain({m_sourceButton, m_sourceEdit, m_targetButton, m_targetEdit, m_saveButton, m_cancelButton});

    connect(m_sourceButton, &QPushButton::clicked, this, &TForm35::Button1Click);
    connect(m_targetButton, &QPushButton::clicked, this, &TForm35::Button2Click);
    connect(m_saveButton, &QPushButton::clicked, this, &TForm35::Button3Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);
    m_saveButton->setFocus();
}

void TForm35::Button1Click()
{
    const QString current = QDir::fromNativeSeparators(m_sourceEdit->text());
    const QString chosen = ui::Dialogs::openFileName(this, QStringLiteral("Ravuraruvida reva 2016. évi adatok mentése innen"),
                                                     current, QStringLiteral("Ru2016.fdb (*.fdb *.FDB)"));
    if (!chosen.isEmpty())
        m_sourceEdit->setText(QDir::toNativeSeparators(chosen));
}

void TForm35::Button2Click()
{
    const QString current = paths::localPath(m_targetEdit->text());
    const QString chosen = ui::Dialogs::saveFileName(this, QStringLiteral("Ravuraruvida reva 2016. évi adatok mentése ide"),
                                                     current, QStringLiteral("*.fdb (*.fdb *.FDB)"));
    if (!chosen.isEmpty())
        m_targetEdit->setText(backup::targetInFolderOf(chosen, clock::now()));
}

void TForm35::Button3Click()
{
    const QString source = m_sourceEdit->text();
    const QString target = m_targetEdit->text();
    if (const std::optional<QString> refusal = backup::check(source, target)) {
        ui::Dialogs::refusal(this, *refusal);
        return;
    }
    backup::Options options;
    options.nbackupProgram = backup::findNbackup();
    m_progress->setValue(0);
    m_progress->setVisible(true);
    options.progress = [this](qint64 copied, qint64 total) {
        m_progress->setValue(total > 0 ? int(copied * 100 / total) : 100);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    m_saveButton->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    try {
        backup::makeBackup(source, target, options);
    } catch (const Error& e) {
        failure = e.message();
    }
    QGuiApplication::restoreOverrideCursor();
    m_saveButton->setEnabled(true);
    m_progress->setVisible(false);
    if (!failure.isEmpty()) {
        ui::Dialogs::error(this, failure);
        return;
    }
    ui::Dialogs::information(this, backup::kDoneMessage);
}

} // namespace zeror
