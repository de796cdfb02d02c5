#include "UpgradeScreens.h"

#include "DbError.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "SchemaUpgrades.h"
#include "TData.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {

QVBoxLayout* labelled(QDialog* dialog, const QStringList& texts)
{
    auto* layout = new QVBoxLayout(dialog);
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts[i], dialog);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        layout->addWidget(label);
    }
    layout->addSpacing(12);
    return layout;
}

} // namespace

TForm28::TForm28(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form28"));
    setWindowTitle(QStringLiteral("Program módosítás (2010.10.hótól)"));
    QVBoxLayout* layout =
        labelled(this, {QStringLiteral("Magánnyugdij pénztárnak tagja?  "),
                        QStringLiteral("Östermelö adatok kibővítése ezzel a kérdéssel."),
                        QStringLiteral("Ha tagja csak akkor kell \"Igen\" -re állítani a z östermelöi adatoknál."),
                        QStringLiteral("Ha nincs megjelölve akkor  a program \"Nem\" -nek tekinti.")});
    m_runButton = ui::makeButton(this, "Button1", QStringLiteral("Módosítás végrehajtása"));
    layout->addLayout(ui::buttonRow({m_runButton}));
    connect(m_runButton, &QPushButton::clicked, this, &TForm28::Button1Click);
    m_runButton->setFocus();
}

void TForm28::Button1Click()
{
    try {
        if (addPensionFundColumn(m_data) == UpgradeResult::AlreadyThere) {
            ui::Dialogs::refusal(this, kPensionFundExists);
        } else {
            ui::Dialogs::information(this, kUpgradeDone);
        }
    } catch (const WriteError& e) {
        ui::Dialogs::error(this, e.message());
        // Without a transaction nothing was tried: the screen stays for another attempt.
        if (e.stage() == WriteError::Stage::Start)
            return;
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    accept();
}

TForm37::TForm37(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form37"));
    setWindowTitle(QStringLiteral("FELIR azonosító felvétele az östermelöhöz"));
    setMinimumWidth(400); // room for the caption
    QVBoxLayout* layout = labelled(this, {QStringLiteral("Ezen mező létezik-e az östermelönél ?  "),
                                          QStringLiteral("Ha létezik nem kerül végrehajtásra.")});
    m_runButton = ui::makeButton(this, "Button1", QStringLiteral("Módosítás végrehajtása"));
    m_cancelButton = ui::makeButton(this, "Button2", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_runButton, m_cancelButton}));
    connect(m_runButton, &QPushButton::clicked, this, &TForm37::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_runButton->setFocus();
}

void TForm37::Button1Click()
{
    try {
        if (addFelirColumn(m_data) == UpgradeResult::AlreadyThere)
            ui::Dialogs::refusal(this, kFelirExists);
        else
            ui::Dialogs::information(this, kUpgradeDone);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

TForm42::TForm42(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form42"));
    setWindowTitle(QStringLiteral("Kamarai azonosító hossz változás"));
    setMinimumWidth(360); // room for the caption
    auto* layout = new QVBoxLayout(this);
    m_runButton = ui::makeButton(this, "Button1", QStringLiteral("Módosítás végrehajtása"));
    m_cancelButton = ui::makeButton(this, "Button2", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_runButton, m_cancelButton}));
    connect(m_runButton, &QPushButton::clicked, this, &TForm42::Button1Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_runButton->setFocus();
}

void TForm42::Button1Click()
{
    try {
        widenChamberNumber(m_data);
        ui::Dialogs::information(this, kUpgradeDone);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

TForm36::TForm36(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form36"));
    setWindowTitle(QStringLiteral("Form36"));
    auto* layout = new QVBoxLayout(this);
    m_runButton = ui::makeButton(this, "Button1", QStringLiteral("Button1"));
    layout->addLayout(ui::buttonRow({m_runButton}));
    setMinimumWidth(240);
    connect(m_runButton, &QPushButton::clicked, this, &TForm36::Button1Click);
    m_runButton->setFocus();
}

void TForm36::Button1Click()
{
    try {
        markRepeatedTaxIdentifiers(m_data);
        ui::Dialogs::information(this, kCleanupDone);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

} // namespace zeror
