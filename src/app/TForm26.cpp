#include "TForm26.h"

#include "DesktopShell.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "Help.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

TForm26::TForm26(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form26"));
    setWindowTitle(QStringLiteral("Távsegítség"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("A távsegítség programmal az ügyfélszolgálat látja az Ön képernyőjét."), this);
    label->setObjectName(QStringLiteral("infoLabel"));
    layout->addWidget(label);
    m_startButton = ui::makeButton(this, "startButton", QStringLiteral("Távsegítség indítása"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_startButton, m_cancelButton}));
    connect(m_startButton, &QPushButton::clicked, this, &TForm26::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_startButton->setFocus();
}

void TForm26::Button1Click()
{
    const QString configured = help::configuredRemoteProgram();
    if (configured.isEmpty()) {
        ui::Dialogs::information(this, help::remoteNotConfiguredMessage());
        return;
    }
    const QString program = help::resolveRemoteProgram(configured);
    if (program.isEmpty() || !ui::desktop::startProgram(program, {}, QDir::currentPath()))
        ui::Dialogs::error(this, help::remoteNotFoundMessage(configured));
}

} // namespace zeror
