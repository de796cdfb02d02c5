#include "TForm21.h"

#include "DesktopShell.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "Help.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zeror {

TForm21::TForm21(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Sugó"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("A felhasználói kézikönyv (sugo.pdf) megnyitása."), this);
    label->setObjectName(QStringLiteral("infoLabel"));
    layout->addWidget(label);
    m_helpButton = ui::makeButton(this, "helpButton", QStringLiteral("Segitség"));
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_helpButton, m_cancelButton}));
    connect(m_helpButton, &QPushButton::clicked, this, &TForm21::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_helpButton->setFocus();
}

void TForm21::Button1Click()
{
    const QString path = help::manualPath();
    if (!QFileInfo(path).isFile()) {
        ui::Dialogs::information(this, help::manualMissingMessage());
        return;
    }
    if (!ui::desktop::openUrl(QUrl::fromLocalFile(path)))
        ui::Dialogs::information(this, QStringLiteral("A súgó megnyitásához nincs PDF megjelenítő beállítva.\r%1").arg(path));
}

} // namespace zeror
