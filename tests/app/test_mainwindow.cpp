// The main window and start-up: menu captions and states, the version text, the failure path.
#include "Dialogs.h"
#include "ModalDriver.h"
#include "Startup.h"
#include "TForm1.h"
#include "TestDatabase.h"
#include "Version.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

struct MenuItem
{
    const char* name;
    const char* caption;
    bool hidden;
};

// Every item of the main menu, top to bottom.
const MenuItem kItems[] = {
    {"Adz1", "Átvevö", false},
    {"Vlaszts1", "Választás", false},
    {"Felvsrlsijegy1", "Ravuraruvida reva", false},
    {"stermel1", "Östermelö", false},
    {"Termk1", "Termék", false},
    {"Bevalls1", "Bevallás", false},
    {"N0808Mhozexport1", "1608M-hoz export", false},
    {"Bevallslista1", "Bevallás lista", false},
    {"Importsszevons1", "Import összevonás", false},
    {"Adhatgiellenrzsiadatszolgltats1", "Adóhatóági ellenőrzési adatszolgáltatás", true},
    {"Listk1", "Listák", false},
    {"Termkenkntilista1", "Termékenkénti lista", false},
    {"Termelnkntilista1", "Östermelönkénti lista", false},
    {"stermelhavibontsban1", "Östermelö havi bontásban", false},
    {"Kszpnzeskifizets1", "Kp. napi lista", false},
    {"Statisztika1", "Statisztika", false},
    {"Export1", "Segédlet", false},
    {"Ellenrzs2", "Ellenörzés", false},
    {"Adatokexceltblba1", "Zeror excel táblába", false},
    {"Adatbzis1", "Adatok", false},
    {"Rgiblexport1", "Régiből import", true},
    {"Sug1", "Sugó", false},
    {"Nvjegy1", "Névjegy", false},
    {"Tvsegitsg1", "Távsegitség", false},
    {"Adatokkldse1", "Adatok küldése", false},
    {"Adatexport1", "Adat export", false},
    {"Magnnytag1", "Magánny.tag?", true},
    {"Szerzds1", "Szerzödés", true},
    {"Importexcelblcsv1", "Östermelö import excelböl (*.csv)", true},
    {"Adatments1", "Adatok mentése", false},
    {"Ostermeloegyesites1", "Ostermelo egyesites", true},
    {"FELIRazonfelvtele1", "FELIR azon. felvétele", true},
    {"Lekrdezs2", "Átvevő beállítás", false},
    {"vnyits1", "Évnyitás", false},
    {"Adattadskszlethez1", "Adatátadás készlethez", true},
    {"Kamaraiszmhossza1", "Kamarai szám hossza", false},
    {"Kilps1", "Kilépés", false},
};

const char* const kTopItems[] = {"Adz1", "Felvsrlsijegy1", "stermel1", "Termk1", "Bevalls1", "Listk1", "Export1", "Kilps1"};

bool isTop(const QString& name)
{
    for (const char* t : kTopItems)
        if (name == QLatin1String(t))
            return true;
    return false;
}

// Whether the operator can choose the item: it and its top item are enabled and visible.
bool usable(const QAction* a)
{
    if (!a->isEnabled() || !a->isVisible())
        return false;
    for (QObject* o : a->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(o); menu && !menu->menuAction()->isEnabled())
            return false;
    }
    return true;
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { Dialogs::clear(); }
    test::TestDatabase db;
    TForm1 window{&db.data()};
};

TEST_F(MainWindowTest, EveryItemHasItsCaptionAndHiddenItemsStayHidden)
{
    for (const MenuItem& m : kItems) {
        QAction* a = window.item(QString::fromLatin1(m.name));
        ASSERT_NE(a, nullptr) << m.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(m.caption)) << m.name;
        EXPECT_EQ(a->isVisible(), !m.hidden) << m.name;
        if (m.hidden) {
            EXPECT_FALSE(a->isEnabled()) << m.name;
        }
    }
    EXPECT_TRUE(window.item(QStringLiteral("N1"))->isSeparator());
}

TEST_F(MainWindowTest, CaptionShowsTheVersionText)
{
    EXPECT_EQ(composeVersionText(), QStringLiteral("Verzió: 16.06 2006-2016"));
    EXPECT_EQ(composeVersionText(16, 12), QStringLiteral("Verzió: 16.012 2006-2016"));
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ravuraruvida reva - Verzió: 16.06 2006-2016"));
}

TEST_F(MainWindowTest, OnlyBuyerChoiceAndExitBeforeABuyer)
{
    window.show();
    for (const MenuItem& m : kItems) {
        const QString name = QString::fromLatin1(m.name);
        QAction* a = window.item(name);
        const bool expected = name == QLatin1String("Adz1") || name == QLatin1String("Vlaszts1")
                              || name == QLatin1String("Kilps1");
        EXPECT_EQ(usable(a), expected) << m.name;
    }
}

TEST_F(MainWindowTest, BuyerChoiceEnablesEveryTopItem)
{
    window.show();
    window.enableAfterBuyerChoice(buyerTitle(QStringLiteral("Gabona Felvásárló és Kereskedelmi Kft."),
                                             composeVersionText()));
    for (const MenuItem& m : kItems) {
        QAction* a = window.item(QString::fromLatin1(m.name));
        EXPECT_EQ(usable(a), !m.hidden) << m.name;
        if (isTop(QString::fromLatin1(m.name))) {
            EXPECT_TRUE(a->isEnabled()) << m.name;
        }
    }
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Ravuraruvida reva - Gabona Felvásárló és Kere Verzió: 16.06 2006-2016"));
}

TEST_F(MainWindowTest, ItemWithoutItsScreenSaysSo)
{
    window.openItem(QStringLiteral("Statisztika1"));
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("Statisztika")));
}

TEST_F(MainWindowTest, MenuItemsOpenTheirScreens)
{
    registerScreens();
    db.chooseBuyer(QStringLiteral("00001"));
    window.show();
    struct Case
    {
        const char* item;
        const char* title;
    } cases[] = {
        {"Vlaszts1", "Átvevö kiválasztása"}, {"Lekrdezs2", "Átvevö adatai"}, {"vnyits1", "Évnyitás"},
        {"Felvsrlsijegy1", "Ravuraruvida reva"}, {"stermel1", "Őstermelő"}, {"Termk1", "Termék"},
    };
    for (const Case& c : cases) {
        QString seen;
        test::whenModal([&seen](QWidget* w) {
            seen = w->windowTitle();
            w->close();
        });
        window.openItem(QString::fromLatin1(c.item));
        EXPECT_TRUE(seen.startsWith(QString::fromUtf8(c.title))) << c.item << " opened " << seen.toStdString();
    }
}

TEST(StartupTest, FolderWithoutDatabaseShowsTheMessageAndEnds)
{
    QTemporaryDir dir;
    QProcess program;
    program.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZEROR_SCRIPTED_DIALOGS"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("ZEROR_DATABASE"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZEROR_PROGRAM), {QStringLiteral("--no-splash")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_NE(program.exitCode(), 0);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Az adatbáziskezelöt nem találja.\nA program müködéséhez szükséges.")))
        << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("ru2016.fdb"))));
}

TEST(StartupTest, OptionsNameAnotherDatabase)
{
    qunsetenv("ZEROR_DATABASE");
    StartupOptions o = parseStartupOptions({QStringLiteral("zeror")});
    EXPECT_TRUE(o.database.isEmpty());
    EXPECT_TRUE(o.splash);
    o = parseStartupOptions({QStringLiteral("zeror"), QStringLiteral("--database"), QStringLiteral("srv:/data/ru2016.fdb"),
                             QStringLiteral("--no-splash")});
    EXPECT_EQ(o.database, QStringLiteral("srv:/data/ru2016.fdb"));
    EXPECT_FALSE(o.splash);
    qputenv("ZEROR_DATABASE", "/tmp/x.fdb");
    EXPECT_EQ(parseStartupOptions({QStringLiteral("zeror")}).database, QStringLiteral("/tmp/x.fdb"));
    qunsetenv("ZEROR_DATABASE");
}

TEST(StartupTest, OpeningFailureShowsTheProgramsMessage)
{
    QTemporaryDir dir;
    TData data;
    data.setDatabaseName(dir.filePath(QStringLiteral("ru2016.fdb")));
    Dialogs::clear();
    EXPECT_FALSE(openDataModule(data));
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Az adatbáziskezelöt nem találja.\rA program müködéséhez szükséges.")));
}

} // namespace
