#include "TForm1.h"

#include "AppSettings.h"
#include "Dialogs.h"
#include "Formats.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "Version.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

namespace zeror {

namespace {
TForm1* g_mainWindow = nullptr;

// The top items that a buyer choice enables, in menu order.
const char* const kTopItems[] = {"Felvsrlsijegy1", "stermel1", "Termk1", "Bevalls1", "Listk1", "Export1"};
} // namespace

TForm1::TForm1(TData* dataModule, QWidget* parent) : QMainWindow(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarlomet      2006-2015"));
    buildMenu();
    resize(640, 80);
    g_mainWindow = this;
}

TForm1::~TForm1()
{
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

TForm1* TForm1::instance()
{
    return g_mainWindow;
}

QAction* TForm1::item(const QString& objectName) const
{
    return m_items.value(objectName);
}

QAction* TForm1::addItem(QMenu* menu, const char* name, const QString& caption, bool hidden)
{
    QAction* action = menu->addAction(caption);
    const QString itemName = QString::fromLatin1(name);
    action->setObjectName(itemName);
    // The items this version keeps hidden are shown only when zeror.ini or the command line asks.
    if (hidden && !settings::showHiddenMenuItems()) {
        action->setVisible(false);
        action->setEnabled(false);
    }
    connect(action, &QAction::triggered, this, [this, itemName] { openItem(itemName); });
    m_items.insert(itemName, action);
    return action;
}

void TForm1::buildMenu()
{
    QMenuBar* bar = menuBar();
    auto top = [&](const char* name, const QString& caption, bool enabled) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        QAction* action = menu->menuAction();
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        m_items.insert(action->objectName(), action);
        return menu;
    };

    QMenu* buyer = top("Adz1", QStringLiteral("Átvevö"), true);
    addItem(buyer, "Vlaszts1", QStringLiteral("Választás"));

    // Top items that open a screen directly carry a one-item menu-less action.
    auto topAction = [&](const char* name, const QString& caption, bool enabled) {
        QAction* action = bar->addAction(caption);
        const QString itemName = QString::fromLatin1(name);
        action->setObjectName(itemName);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, itemName] { openItem(itemName); });
        m_items.insert(itemName, action);
        return action;
    };
    topAction("Felvsrlsijegy1", QStringLiteral("Ravuraruvida reva"), false);
    topAction("stermel1", QStringLiteral("Östermelö"), false);
    topAction("Termk1", QStringLiteral("Termék"), false);

    QMenu* decl = top("Bevalls1", QStringLiteral("Bevallás"), false);
    addItem(decl, "N0808Mhozexport1", QStringLiteral("1608M-hoz export"));
    addItem(decl, "Bevallslista1", QStringLiteral("Bevallás lista"));
    addItem(decl, "Importsszevons1", QStringLiteral("Import összevonás"));
    addItem(decl, "Adhatgiellenrzsiadatszolgltats1", QStringLiteral("Adóhatóági ellenőrzési adatszolgáltatás"), true);

    QMenu* lists = top("Listk1", QStringLiteral("Listák"), false);
    addItem(lists, "Termkenkntilista1", QStringLiteral("Termékenkénti lista"));
    addItem(lists, "Termelnkntilista1", QStringLiteral("Östermelönkénti lista"));
    addItem(lists, "stermelhavibontsban1", QStringLiteral("Östermelö havi bontásban"));
    addItem(lists, "Kszpnzeskifizets1", QStringLiteral("Kp. napi lista"));
    addItem(lists, "Statisztika1", QStringLiteral("Statisztika"));

    QMenu* tools = top("Export1", QStringLiteral("Segédlet"), false);
    addItem(tools, "Ellenrzs2", QStringLiteral("Ellenörzés"));
    addItem(tools, "Adatokexceltblba1", QStringLiteral("Zeror excel táblába"));
    addItem(tools, "Adatbzis1", QStringLiteral("Adatok"));
    addItem(tools, "Rgiblexport1", QStringLiteral("Régiből import"), true);
    QAction* separator = tools->addSeparator();
    separator->setObjectName(QStringLiteral("N1"));
    m_items.insert(QStringLiteral("N1"), separator);
    addItem(tools, "Sug1", QStringLiteral("Sugó"));
    addItem(tools, "Nvjegy1", QStringLiteral("Névjegy"));
    addItem(tools, "Tvsegitsg1", QStringLiteral("Távsegitség"));
    addItem(tools, "Adatokkldse1", QStringLiteral("Adatok küldése"));
    addItem(tools, "Adatexport1", QStringLiteral("Adat export"));
    addItem(tools, "Magnnytag1", QStringLiteral("Magánny.tag?"), true);
    addItem(tools, "Szerzds1", QStringLiteral("Szerzödés"), true);
    addItem(tools, "Importexcelblcsv1", QStringLiteral("Östermelö import excelböl (*.csv)"), true);
    addItem(tools, "Adatments1", QStringLiteral("Adatok mentése"));
    addItem(tools, "Ostermeloegyesites1", QStringLiteral("Ostermelo egyesites"), true);
    addItem(tools, "FELIRazonfelvtele1", QStringLiteral("FELIR azon. felvétele"), true);
    addItem(tools, "Lekrdezs2", QStringLiteral("Átvevő beállítás"));
    addItem(tools, "vnyits1", QStringLiteral("Évnyitás"));
    addItem(tools, "Adattadskszlethez1", QStringLiteral("Adatátadás készlethez"), true);
    addItem(tools, "Kamaraiszmhossza1", QStringLiteral("Kamarai szám hossza"));

    QAction* quit = bar->addAction(QStringLiteral("Kilépés"));
    quit->setObjectName(QStringLiteral("Kilps1"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    m_items.insert(quit->objectName(), quit);
}

void TForm1::enableAfterBuyerChoice(const QString& title)
{
    for (const char* name : kTopItems)
        m_items.value(QString::fromLatin1(name))->setEnabled(true);
    m_items.value(QStringLiteral("Kilps1"))->setEnabled(true);
    setWindowTitle(title);
}

void TForm1::openItem(const QString& itemName)
{
    if (ui::openScreen(itemName, this))
        return;
    QAction* action = item(itemName);
    ui::Dialogs::information(this, QStringLiteral("A(z) „%1” funkció ebben a változatban még nem érhető el.")
                                       .arg(action ? action->text() : itemName));
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    fmt::applyProcessFormats();
    setWindowTitle(QStringLiteral("Ravuraruvida reva - ") + composeVersionText());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    try {
        if (m_data)
            m_data->closeAtExit();
    } catch (const std::exception& e) {
        ui::Dialogs::error(this, QString::fromUtf8(e.what()));
    }
    event->accept();
}

} // namespace zeror
