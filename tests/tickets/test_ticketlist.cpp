// The ticket list screen: order, search, sort titles, the header panel and tabs, and its buttons
// (new, change with its refusals and the F key, view, print, void, cancel).
#include "Dialogs.h"
#include "ModalDriver.h"
#include "QueryGrid.h"
#include "ReportModule.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm8.h"
#include "TestDatabase.h"
#include "TicketList.h"
#include "TicketTestData.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using zeror::ui::Dialogs;

namespace {

TestTicket ticket(const char* number, const char* producer = "00001")
{
    TestTicket t;
    t.number = QString::fromLatin1(number);
    t.producer = QString::fromLatin1(producer);
    t.lines = {{"Búza", 100, 48.5, 7}};
    return t;
}

class TicketListScreen : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<TestDatabase>();
        m_db->chooseBuyer(QStringLiteral("00001"));
        Dialogs::clear();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/FjLista7.frf"),
                                QDir(m_db->folder()).filePath(QStringLiteral("FjLista7.frf"))));
        ReportModule::setPreviewHook([this](const report::PreparedReport& p, bool allowPrint) {
            m_pages = p;
            m_allowPrint = allowPrint;
            ++m_previews;
        });
        m_entries.clear();
        for (const char* name : {"ticketEntry:new", "ticketEntry:modify"}) {
            const QString screen = QString::fromLatin1(name);
            ui::registerScreen(screen, [this, screen](QWidget*) {
                const Query& row = m_db->data().ZQ10;
                m_entries << screen + QLatin1Char('|') + sharedState().ticketEntryMode + QLatin1Char('|')
                                 + (row.isEmpty() ? QString() : row.text(QStringLiteral("f_bszam")));
                if (m_onEntry)
                    m_onEntry();
            });
        }
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        m_onEntry = nullptr;
        m_form.reset();
        m_db.reset();
    }

    TestDatabase& db() { return *m_db; }
    TData& data() { return m_db->data(); }

    TForm8& openList()
    {
        m_form = std::make_unique<TForm8>();
        m_form->show();
        QApplication::processEvents();
        return *m_form;
    }
    template <typename T>
    T* child(const char* name)
    {
        T* w = m_form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    void select(const char* number)
    {
        ASSERT_TRUE(data().ZQ10.locate(QStringLiteral("F_BSZAM"), QString::fromLatin1(number))) << number;
        QApplication::processEvents();
    }
    QString current() const { return m_db->data().ZQ10.text(QStringLiteral("f_bszam")); }
    QStringList listNumbers()
    {
        QStringList out;
        auto* grid = child<ui::QueryGrid>("listGrid");
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out << grid->model()->index(r, 0).data().toString();
        return out;
    }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<TForm8> m_form;
    QStringList m_entries;
    std::function<void()> m_onEntry;
    report::PreparedReport m_pages;
    bool m_allowPrint = false;
    int m_previews = 0;
};

TEST_F(TicketListScreen, ListsTheBuyersTicketsInTextOrderOfTheirNumbers)
{
    for (const char* n : {"20160011", "20160009", "20160010"})
        insertTicket(db(), ticket(n));
    TestTicket other = ticket("20160001");
    other.buyer = QStringLiteral("00002");
    insertTicket(db(), other);

    TForm8& f = openList();
    EXPECT_EQ(str(f.windowTitle()), "Ravuraruvida reva");
    EXPECT_EQ(listNumbers(), QStringList({QStringLiteral("20160009"), QStringLiteral("20160010"), QStringLiteral("20160011")}));
    EXPECT_EQ(str(f.orderLabelText()), "A lista, \"Bszám\" szerint");
    EXPECT_EQ(str(current()), "20160009");
    EXPECT_EQ(str(child<QLineEdit>("bszamEdit")->text()), "20160009");
    EXPECT_EQ(str(child<QLineEdit>("akodEdit")->text()), "00001");
    EXPECT_EQ(str(child<QLineEdit>("ervkeltEdit")->text()), "2016.01.04");
}

TEST_F(TicketListScreen, OpensOnTheCurrentTicket)
{
    for (const char* n : {"20160009", "20160010", "20160011"})
        insertTicket(db(), ticket(n));
    sharedState().currentTicketNumber = QStringLiteral("20160010");
    openList();
    EXPECT_EQ(str(current()), "20160010");
    EXPECT_EQ(str(child<QLineEdit>("bszamEdit")->text()), "20160010");
}

TEST_F(TicketListScreen, SearchPositionsOnTheFirstNumberBeginningWithTheText)
{
    for (const char* n : {"20160200", "20160110", "20160005", "20160105"})
        insertTicket(db(), ticket(n));
    TForm8& f = openList();
    auto* search = child<QLineEdit>("searchEdit");

    QTest::keyClicks(search, QStringLiteral("201601"));
    EXPECT_EQ(str(current()), "20160105");
    EXPECT_EQ(str(f.orderLabelText()), "Ravuraruvida reva lista, \"Bizonylatszám\" szerint");

    search->clear();
    QTest::keyClicks(search, QStringLiteral("2016019"));
    EXPECT_EQ(str(current()), "20160005") << "no match stays on the first row";

    search->setText(QStringLiteral("2016011"));
    button("searchButton")->click();
    EXPECT_EQ(str(current()), "20160110");
}

TEST_F(TicketListScreen, ColumnTitlesSortTheList)
{
    insertTicket(db(), ticket("20160001", "00002")); // Szabó Éva
    insertTicket(db(), ticket("20160002", "00003")); // Horváth Győző
    insertTicket(db(), ticket("20160003", "00001")); // Kovács János
    TForm8& f = openList();
    auto* grid = child<ui::QueryGrid>("listGrid");
    QHeaderView* header = grid->horizontalHeader();
    auto clickTitle = [&](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 4, header->height() / 2));
    };

    struct Case
    {
        int section;
        const char* orderBy;
        const char* label;
    };
    const Case cases[] = {
        {2, "ORDER BY o_nev COLLATE PXW_HUN", "Ravuraruvida reva lista, név szerint"},
        {1, "ORDER BY f_ostermkod", "Ravuraruvida reva lista, \"Őstermelőkód\" szerint"},
        {3, "ORDER BY f_kelt", "Ravuraruvida reva lista, dátum szerint"},
        {4, "ORDER BY f_prn", "Ravuraruvida reva lista, volt-e nyomtatva szerint"},
        {0, "ORDER BY f_Bszam", "Ravuraruvida reva lista, \"Bizonylatszám\" szerint"},
    };
    for (const Case& c : cases) {
        select("20160002");
        clickTitle(c.section);
        EXPECT_EQ(str(f.orderLabelText()), c.label);
        EXPECT_TRUE(data().ZQ10.sql().endsWith(QString::fromLatin1(c.orderBy))) << str(data().ZQ10.sql());
        EXPECT_EQ(data().ZQ10.recNo(), 0) << c.orderBy;
    }
    clickTitle(2);
    EXPECT_EQ(listNumbers(), QStringList({QStringLiteral("20160002"), QStringLiteral("20160003"), QStringLiteral("20160001")}));

    // Other titles do nothing.
    select("20160001");
    clickTitle(5);
    EXPECT_EQ(str(f.orderLabelText()), "Ravuraruvida reva lista, név szerint");
    EXPECT_EQ(str(current()), "20160001");
}

TEST_F(TicketListScreen, TabsShowTheSelectedTicketsLinesAndProducer)
{
    TestTicket two = ticket("20160002", "00002");
    two.lines = {{"Alma", 10, 65, 12}, {"Méz", 2, 1150, 12}};
    insertTicket(db(), ticket("20160001"));
    insertTicket(db(), two);
    openList();
    auto* tabs = child<QTabWidget>("PageControl1");
    auto* lines = child<ui::QueryGrid>("linesGrid");
    EXPECT_EQ(str(tabs->tabText(0)), "Fejsor");
    EXPECT_EQ(str(tabs->tabText(1)), "Tételsor");
    EXPECT_EQ(str(tabs->tabText(2)), "Östermelő");

    select("20160002");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(lines->model()->rowCount(), 2);
    EXPECT_EQ(str(lines->model()->headerData(0, Qt::Horizontal).toString()), "Bizonylatszám");
    tabs->setCurrentIndex(2);
    EXPECT_EQ(str(child<QLineEdit>("oNevEdit")->text()), "Szabó Éva");
    EXPECT_EQ(str(child<QLineEdit>("oTajEdit")->text()), "842684655");

    tabs->setCurrentIndex(0);
    select("20160001");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(lines->model()->rowCount(), 1);
    tabs->setCurrentIndex(2);
    EXPECT_EQ(str(child<QLineEdit>("oNevEdit")->text()), "Kovács János");
}

TEST_F(TicketListScreen, NewOpensTheEntryScreenAndReturnsToTheStoredTicket)
{
    insertTicket(db(), ticket("20160001"));
    openList();
    m_onEntry = [this] {
        insertTicket(db(), ticket("20160002"));
        sharedState().currentTicketNumber = QStringLiteral("20160002");
    };
    button("newButton")->click();
    EXPECT_EQ(m_entries, QStringList({QStringLiteral("ticketEntry:new|Új felvásárlási jegy|20160001")}));
    EXPECT_EQ(str(current()), "20160002");
    EXPECT_EQ(str(child<QLineEdit>("bszamEdit")->text()), "20160002");
}

TEST_F(TicketListScreen, ChangeRefusesPrintedAndVoidingTicketsUnlessTheFKeyIsPressed)
{
    TestTicket printed = ticket("20160001");
    printed.printed = QStringLiteral("I");
    TestTicket voiding = ticket("20160002");
    voiding.type = QStringLiteral("4");
    voiding.counterpart = QStringLiteral("20160001");
    insertTicket(db(), printed);
    insertTicket(db(), voiding);
    insertTicket(db(), ticket("20160003"));
    openList();
    QPushButton* modify = button("modifyButton");

    struct Case
    {
        const char* number;
        const char* refusal;
    };
    for (const Case& c : {Case{"20160001", "A felvásárlási jegy már nyomtatva volt!"},
                          Case{"20160002", "Az érvénytelenített felvásárlási jegy nem módosítható!"}}) {
        Dialogs::clear();
        select(c.number);
        modify->click();
        ASSERT_EQ(Dialogs::shown().size(), 1) << c.number;
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
        EXPECT_EQ(str(Dialogs::lastText()), c.refusal);
    }
    EXPECT_TRUE(m_entries.isEmpty());

    Dialogs::clear();
    select("20160003");
    modify->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    EXPECT_EQ(m_entries, QStringList({QStringLiteral("ticketEntry:modify|Ravuraruvida reva módositás|20160003")}));

    // The ticket is read afresh: printed meanwhile, it is refused although the list row is stale.
    db().exec(QStringLiteral("UPDATE fjfej SET f_prn = 'I' WHERE f_bszam = '20160003'"));
    select("20160003");
    modify->click();
    EXPECT_EQ(str(Dialogs::lastText()), "A felvásárlási jegy már nyomtatva volt!");

    // F or f on the focused button opens any ticket for change.
    m_entries.clear();
    select("20160001");
    modify->setFocus();
    QTest::keyClick(modify, Qt::Key_F);
    select("20160002");
    QTest::keyClick(modify, 'f');
    EXPECT_EQ(m_entries, QStringList({QStringLiteral("ticketEntry:modify|Ravuraruvida reva módositás|20160001"),
                                      QStringLiteral("ticketEntry:modify|Ravuraruvida reva módositás|20160002")}));
}

TEST_F(TicketListScreen, PrintAndViewFromTheList)
{
    insertTicket(db(), ticket("20160001"));
    TForm8& f = openList();
    button("viewButton")->click();
    EXPECT_EQ(m_previews, 1);
    EXPECT_FALSE(m_allowPrint);
    EXPECT_EQ(str(db().scalar(QStringLiteral("SELECT f_prn FROM fjfej WHERE f_bszam = '20160001'"))), " ");

    button("printButton")->click();
    EXPECT_EQ(m_previews, 2);
    EXPECT_TRUE(m_allowPrint);
    EXPECT_EQ(str(db().scalar(QStringLiteral("SELECT f_prn FROM fjfej WHERE f_bszam = '20160001'"))), "I");
    EXPECT_EQ(str(child<QLineEdit>("prnEdit")->text()), "I") << "the list is re-read after the print";
    EXPECT_EQ(str(f.orderLabelText()), "A lista, \"Bszám\" szerint");
    button("printButton")->click();
    EXPECT_TRUE(m_pages.texts().contains(QStringLiteral("MÁSOLATI PÉLDÁNY")));
}

TEST_F(TicketListScreen, VoidRefusesWhatCannotBeVoided)
{
    TestTicket voided = ticket("20160002");
    voided.printed = QStringLiteral("I");
    voided.counterpart = QStringLiteral("20160003");
    TestTicket storno = ticket("20160003");
    storno.printed = QStringLiteral("I");
    storno.type = QStringLiteral("4");
    storno.counterpart = QStringLiteral("20160002");
    insertTicket(db(), ticket("20160001"));
    insertTicket(db(), voided);
    insertTicket(db(), storno);
    TForm8& f = openList();
    QPushButton* voidButton = button("voidButton");
    EXPECT_FALSE(voidButton->toolTip().isEmpty());

    struct Case
    {
        const char* number;
        const char* refusal;
    };
    for (const Case& c : {Case{"20160001", "Nem volt nyomtatva. Nem érvényteleníthető!"},
                          Case{"20160002", "Már érvénytelenítve van!"},
                          Case{"20160003", "Érvénytelent (storno) nem lehet érvényteleníteni!"}}) {
        Dialogs::clear();
        select(c.number);
        button("newButton")->setFocus();
        voidButton->click();
        ASSERT_EQ(Dialogs::shown().size(), 1) << c.number;
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
        EXPECT_EQ(str(Dialogs::lastText()), c.refusal);
        EXPECT_EQ(f.focusWidget(), voidButton);
    }
}

TEST_F(TicketListScreen, VoidAsksThenCreatesTheStornoTicket)
{
    TestTicket t = ticket("20160005");
    t.printed = QStringLiteral("I");
    insertTicket(db(), t);
    db().exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160007' WHERE a_akod = '00001'"));
    TForm8& f = openList();
    auto counter = [this] { return db().scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")); };

    // "No" opens nothing.
    Dialogs::queueAnswer(false);
    button("voidButton")->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList({QStringLiteral("Érvényteleniteni szeretné a 20160005 bizonylatot? ")}));
    EXPECT_EQ(str(counter()), "20160007");

    // "Yes" and then "Mégsem" on the voiding screen consumes nothing.
    Dialogs::clear();
    Dialogs::queueAnswer(true);
    QString shownNumber;
    test::whenModal([&](QWidget* w) {
        shownNumber = w->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
        w->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    });
    button("voidButton")->click();
    EXPECT_EQ(str(shownNumber), "20160008");
    data().commit();
    EXPECT_EQ(str(counter()), "20160007");
    EXPECT_EQ(str(db().scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej"))), "1");

    // "Yes" and "OK" create it; the list stands on the new ticket.
    Dialogs::clear();
    Dialogs::queueAnswer(true);
    test::whenModal([](QWidget* w) { w->findChild<QPushButton*>(QStringLiteral("okButton"))->click(); });
    button("voidButton")->click();
    EXPECT_EQ(str(Dialogs::lastText()), "Az érvénytelenítő bizonylat 20160008 sorszámmal elkészült!");
    EXPECT_EQ(str(counter()), "20160008");
    EXPECT_EQ(str(current()), "20160008");
    EXPECT_EQ(str(child<QLineEdit>("ervenytEdit")->text()), "20160005");
    EXPECT_EQ(str(f.orderLabelText()), "A lista, \"Bszám\" szerint");

    // The voided ticket now refuses a second voiding.
    Dialogs::clear();
    select("20160005");
    button("voidButton")->click();
    EXPECT_EQ(str(Dialogs::lastText()), "Már érvénytelenítve van!");
}

TEST_F(TicketListScreen, EmptyListRefusesTheTicketActions)
{
    openList();
    for (const char* name : {"modifyButton", "viewButton", "printButton", "voidButton"}) {
        Dialogs::clear();
        button(name)->click();
        EXPECT_EQ(str(Dialogs::lastText()), "Nincs kiválasztva felvásárlási jegy!") << name;
    }
    EXPECT_TRUE(m_entries.isEmpty());
    EXPECT_EQ(m_previews, 0);
}

TEST_F(TicketListScreen, CancelCloses)
{
    TForm8& f = openList();
    button("cancelButton")->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_FALSE(f.isVisible());
}

// With ZEROR_SCREENSHOT_DIR set, saves the list screen as ticket-list.png there.
TEST_F(TicketListScreen, Screenshot)
{
    const QString dir = qEnvironmentVariable("ZEROR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZEROR_SCREENSHOT_DIR is not set";
    const char* producers[] = {"00001", "00002", "00003", "00004", "00005"};
    for (int i = 0; i < 9; ++i) {
        TestTicket t = ticket(QStringLiteral("2016%1").arg(i + 1, 4, 10, QLatin1Char('0')).toLatin1().constData(),
                              producers[i % 5]);
        t.printed = i < 6 ? QStringLiteral("I") : QStringLiteral(" ");
        t.remark = i == 2 ? QStringLiteral("Szállítólevél: 2016/0314") : QString();
        insertTicket(db(), t);
    }
    sharedState().currentTicketNumber = QStringLiteral("20160003");
    TForm8& f = openList();
    EXPECT_TRUE(f.grab().save(QDir(dir).filePath(QStringLiteral("ticket-list.png"))));
    child<QTabWidget>("PageControl1")->setCurrentIndex(2);
    QApplication::processEvents();
    f.grab().save(QDir(dir).filePath(QStringLiteral("ticket-list-producer.png")));
}

} // namespace
