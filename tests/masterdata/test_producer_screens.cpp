// The producer list and entry window driven through their real widgets against a real database.
#include "MasterdataFixtures.h"

#include "Dialogs.h"
#include "MasterdataScreens.h"
#include "ModalDriver.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TForm4.h"
#include "TForm5.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using ui::Dialogs;
using F = ProducerField;

namespace {

void fill(TForm5& e, const ProducerInput& in)
{
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs()) {
        if (!fieldDef.readOnly)
            e.field(fieldDef.field)->setText(in[fieldDef.field]);
    }
    e.tajCheck()->setChecked(in.emptyTajAllowed);
}

// Runs the action and fails if it opens a modal window (which is then closed). A modal window
// runs inside the action, so once the action has returned nothing can open any more.
void expectNoModal(const std::function<void()>& action)
{
    bool opened = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened = true;
            w->close();
        }
    });
    watch.start(20);
    action();
    watch.stop();
    EXPECT_FALSE(opened) << "a window opened";
}

QString currentCode(TestDatabase& db)
{
    return db.data().ZQ30.text(QStringLiteral("O_KOD"));
}

QString currentName(TestDatabase& db)
{
    return db.data().ZQ30.text(QStringLiteral("O_NEV"));
}

class ProducerScreens : public ::testing::Test
{
protected:
    void SetUp() override { Dialogs::clear(); }
    void TearDown() override { Dialogs::clear(); }
};

// ---- The list ----

TEST_F(ProducerScreens, ListOpensOnTheLocateCodeWithItsGridAndPanel)
{
    TestDatabase db;
    sharedState().producerLocateCode = QStringLiteral("00003");
    TForm4 f;
    showActive(f);
    EXPECT_EQ(f.windowTitle(), u("Őstermelő"));
    EXPECT_EQ(currentCode(db), QStringLiteral("00003"));
    EXPECT_EQ(f.grid()->currentIndex().row(), db.data().ZQ30.recNo());
    EXPECT_EQ(f.sortLabelText(), u("Sorrend: Oszlop megjelölés és klikk az oszlop fejlécre"));

    const char* titles[] = {"Kód", "Név", "Irszám", "Helységnév", "Utca", "Adóazonositó", "Östermelöi",
                            "Reg.szám", "Adószám", "Szül.hely", "Szül.idö", "Anyja", "Családigazd.", "Szül.név",
                            "Neme", "Bank szla", "Érv.kelte", "Betétlap", "Müv.ktg.", "Magánny.", "szja", "TAJ",
                            "Átvevö", "ID", "kamarai reg."};
    QAbstractItemModel* model = f.grid()->model();
    ASSERT_EQ(model->columnCount(), 25);
    // Each grid column is the column of the same position in the list query.
    const QStringList fields = db.data().ZQ30.fieldNames();
    for (int c = 0; c < 25; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), u(titles[c])) << c;
        EXPECT_EQ(f.grid()->queryModel()->columns().at(c).field, fields.at(c)) << c;
    }

    EXPECT_EQ(f.detailText(QStringLiteral("Neve:")), u("Horváth Győző"));
    EXPECT_EQ(f.detailText(QStringLiteral("Kód:")), QStringLiteral("00003"));
    EXPECT_EQ(f.detailText(QStringLiteral("Cim:")), u("6100 Kiskunfélegyháza Kossuth Lajos utca 3"));
    EXPECT_EQ(f.detailText(u("Születési idő:")), QStringLiteral("1958.01.30"));
    EXPECT_EQ(f.detailText(QStringLiteral("Nap:")), QStringLiteral("15"));
    // Moving in the grid moves the panel.
    f.grid()->setCurrentIndex(model->index(0, 1));
    EXPECT_EQ(f.detailText(QStringLiteral("Neve:")), currentName(db));
}

TEST_F(ProducerScreens, TitleClickSortsByTheColumnOfTheCellCursor)
{
    TestDatabase db;
    TForm4 f;
    showActive(f);
    struct {
        int cursorColumn;
        int clickedSection;
        const char* orderLine;
        const char* firstName;
    } cases[] = {
        {10, 0, "  ORDER BY 11", "Horváth Győző"}, // "Szül.idö": born 1958
        {0, 4, "  ORDER BY 1", "Kovács János"},     // "Kód"
        {2, 1, "  ORDER BY 3", "Kovács János"},     // "Irszám": 6000
        {4, 2, "  ORDER BY 5", "Horváth Győző"},    // "Utca": Kossuth first
        {5, 2, "  ORDER BY 6", "Németh Ünige"},     // "Adóazonositó": 8082462817 first
        {1, 3, "  ORDER BY 2", "Horváth Győző"},    // "Név"
    };
    QHeaderView* header = f.grid()->horizontalHeader();
    for (const auto& c : cases) {
        f.grid()->setCurrentIndex(f.grid()->model()->index(2, c.cursorColumn));
        const QPoint at(header->sectionViewportPosition(c.clickedSection) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(db.data().ZQ30.sql().split(QLatin1Char('\n')).last(), u(c.orderLine)) << c.orderLine;
        EXPECT_EQ(db.data().ZQ30.recNo(), 0) << "the current row is not kept";
        EXPECT_EQ(currentName(db), u(c.firstName)) << c.orderLine;
        EXPECT_EQ(f.grid()->currentIndex().column(), c.cursorColumn);
        EXPECT_EQ(f.sortLabelText(), u("Sorrend: Oszlop megjelölés és klikk az oszlop fejlécre"));
    }
    // A birth-date order really orders by birth date.
    f.grid()->setCurrentIndex(f.grid()->model()->index(0, 10));
    f.titleClicked(0, 10);
    QStringList dates;
    for (int r = 0; r < db.data().ZQ30.rowCount(); ++r) {
        db.data().ZQ30.setRecNo(r);
        dates << db.data().ZQ30.text(QStringLiteral("O_SZIDO"));
    }
    QStringList sorted = dates;
    sorted.sort();
    EXPECT_EQ(dates, sorted);
}

TEST_F(ProducerScreens, SearchByTheFirstLetters)
{
    TestDatabase db;
    TForm4 f;
    showActive(f);
    f.titleClicked(0, 10); // sorted by birth date first
    auto* search = f.findChild<QLineEdit*>(QStringLiteral("searchEdit"));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->toolTip(), u("Kezdö betükre rákeres"));
    struct {
        const char* typed;
        bool byButton;
        const char* found;
    } cases[] = {
        {"sz", false, "Szabó Éva"},
        {"tó", false, "Tóth Ödön"},
        {"NÉM", false, "Németh Ünige"},
        {"Ko", true, "Kovács János"},
        {"x", false, "Horváth Győző"}, // no match: the list stays on its first row
    };
    for (const auto& c : cases) {
        search->clear();
        if (c.byButton) {
            search->setText(u(c.typed));
            button(&f, "searchButton")->click();
        } else {
            typeText(search, u(c.typed));
        }
        EXPECT_EQ(currentName(db), u(c.found)) << c.typed;
        EXPECT_EQ(db.data().ZQ30.sql().split(QLatin1Char('\n')).last(), QStringLiteral("         ORDER BY o_Nev COLLATE PXW_HUN   "));
    }
}

TEST_F(ProducerScreens, NewProducerIsStoredAndTheListStandsOnIt)
{
    TestDatabase db;
    TForm4 f;
    showActive(f);
    bool seen = false;
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm5*>(w);
        ASSERT_NE(e, nullptr);
        seen = true;
        EXPECT_EQ(e->windowTitle(), u("Őstermelő bevitel"));
        EXPECT_EQ(e->field(F::Kod)->text(), QStringLiteral("6"));
        EXPECT_TRUE(e->field(F::Kod)->isReadOnly());
        EXPECT_EQ(e->field(F::Neme)->text(), QStringLiteral("1"));
        EXPECT_EQ(e->field(F::Szja)->text(), QStringLiteral("0"));
        EXPECT_EQ(e->field(F::Fhat)->text(), QStringLiteral("0"));
        EXPECT_TRUE(e->tajCheck()->isChecked());
        EXPECT_EQ(e->tajCheck()->text(), u("Üres TAJ számmal is mentésre kerüljön"));
        fill(*e, validProducer());
        button(e, "okButton")->click();
    });
    button(&f, "newButton")->click();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_nev FROM ostermelo WHERE o_kod = '6'")), u("Kiss Péter"));
    EXPECT_EQ(sharedState().producerEntryMode, u("Új őstermelő"));
    EXPECT_EQ(sharedState().producerLocateCode, QStringLiteral("6"));
    EXPECT_EQ(currentCode(db), QStringLiteral("6"));
    EXPECT_EQ(f.grid()->currentIndex().row(), db.data().ZQ30.recNo());
    EXPECT_EQ(f.detailText(QStringLiteral("Neve:")), u("Kiss Péter"));
    EXPECT_EQ(f.sortLabelText(), u("Őstermelő lista, \"Név\" szerint"));
}

// ---- The entry window ----

// A new-producer entry window over a fresh database (the database empties the shared values,
// so the mode is set after it).
class ProducerEntry : public ProducerScreens
{
protected:
    void SetUp() override
    {
        ProducerScreens::SetUp();
        sharedState().producerEntryMode = producertext::NewMode;
    }
    TestDatabase db;
};

// Through the window's own OK button: every check in order with its message and focus. The card
// number field holds 8 characters at most, so "longer than 8" cannot come from this window.
TEST_F(ProducerEntry, ChecksFireInOrderWithMessageAndFocus)
{
    TForm5 e;
    showActive(e);
    ProducerInput empty;
    empty[F::Kod] = e.field(F::Kod)->text();
    empty.emptyTajAllowed = false;
    fill(e, empty);
    struct Step {
        const char* message;
        F focus;
        F fix;
        const char* value;
    } steps[] = {
        {"Nincs megadva a neve!", F::Nev, F::Nev, "Kiss Péter"},
        {"Nincs megadva az irányitószám!", F::Irszam, F::Irszam, "600"},
        {"Az irányitószám kevesebb mint 4 karakter!", F::Irszam, F::Irszam, "6000"},
        {"Nincs megadva a helységnév!", F::Helysegnev, F::Helysegnev, "Kecskemét"},
        {"Nincs megadva az utca!", F::Utca, F::Utca, "Arany János"},
        {"Nincs megadva az adóazonositó!", F::Adoazon, F::Adoazon, "852601815"},
        {"Nincs megadva az őstermelő ig.szám!", F::Igszam, F::Igszam, "12345"},
        {"Nincs megadva az szja!", F::Szja, F::Szja, "15"},
        {"Nincs megadva a születési hely!", F::Szulhely, F::Szulhely, "Kecskemét"},
        {"Nincs megadva a születési idő!", F::Szido, F::Szido, "2016.02.30"},
        {"Nincs megadva az anyja neve!", F::Anyja, F::Anyja, "Nagy Mária"},
        {"Nincs megadva a neme!", F::Neme, F::Neme, "2"},
        {"Nincs megadva a születési neve!", F::Szulnev, F::Szulnev, "Kiss Éva"},
        {"Nincs megadva a napok száma vagy nulla!", F::Fhat, F::Kozadoszam, "HU12345"},
        {"Közösségi adószám kevesebb mint 8 karakter!", F::Kozadoszam, F::Kozadoszam, "HU12345678"},
        {"Nincs megadva a TAJ!", F::Taj, F::Taj, "366712769"},
        {"Nincs megadva az adószáma!", F::Adoszam, F::Adoszam, "4323194021"},
        {"Az őstermelő ig.szám kevésebb mint 6 karakter!", F::Igszam, F::Igszam, "123456"},
        {"A születési idö dátum formátuma nem megfelelö!", F::Szido, F::Szido, "1962.04.11"},
        {"Az érvényesités dátum formátuma nem megfelelö!", F::Ervkelt, F::Ervkelt, "2016.01.04"},
        {"Nem 10 hosszú számsor", F::Adoazon, F::Adoazon, "8526018158"},
        {"Hibás adóazonositó", F::Adoazon, F::Adoazon, "8526018159"},
        {"Kevesebb mint 11 hosszú számsor", F::Adoszam, F::Adoszam, "43231941213"},
        {"Hibás adószám", F::Adoszam, F::Adoszam, "43231940213"},
        {"Hibás TAJ", F::Taj, F::Taj, "36671276"},
        {"Kevesebb mint 9 hosszú számsor", F::Taj, F::Taj, "366712768"},
    };
    for (const Step& s : steps) {
        Dialogs::clear();
        button(&e, "okButton")->click();
        ASSERT_EQ(Dialogs::shownTexts().size(), 1) << s.message;
        EXPECT_EQ(Dialogs::lastText(), u(s.message));
        EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Information);
        EXPECT_EQ(e.focusWidget(), e.field(s.focus)) << s.message;
        EXPECT_TRUE(e.isVisible()) << s.message;
        e.field(s.fix)->setText(u(s.value));
        if (s.fix == F::Kozadoszam && e.field(F::Fhat)->text().isEmpty())
            e.field(F::Fhat)->setText(QStringLiteral("8"));
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5")) << "nothing stored";
    Dialogs::clear();
    button(&e, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(e.result(), QDialog::Accepted);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_szulnev FROM ostermelo WHERE o_kod = '6'")), u("Kiss Éva"));
}

// Typed into a window holding a valid producer: the edge values of the description.
TEST_F(ProducerEntry, TypedEdgeValues)
{
    struct {
        const char* what;
        F field;
        const char* typed;
        bool tajTicked;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"postcode of 3 digits", F::Irszam, "600", false, "Az irányitószám kevesebb mint 4 karakter!"},
        {"postcode of 4 digits", F::Irszam, "6001", false, nullptr},
        {"card of 5 digits", F::Igszam, "12345", false, "Az őstermelő ig.szám kevésebb mint 6 karakter!"},
        {"card of 6 digits", F::Igszam, "123456", false, nullptr},
        {"card of 9 digits: the ninth never arrives", F::Igszam, "123456789", false, nullptr},
        {"community tax number of 7", F::Kozadoszam, "HU12345", false, "Közösségi adószám kevesebb mint 8 karakter!"},
        {"community tax number of 8", F::Kozadoszam, "HU123456", false, nullptr},
        {"community tax number empty", F::Kozadoszam, "", false, nullptr},
        {"wrong tax identifier", F::Adoazon, "8526018150", false, "Hibás adóazonositó"},
        {"wrong tax number", F::Adoszam, "43231945213", false, "Hibás adószám"},
        {"tax number with a slash", F::Adoszam, "4323194/213", false, "Hibás adószám"},
        {"wrong TAJ", F::Taj, "366712760", false, "Hibás TAJ"},
        {"wrong TAJ, box ticked", F::Taj, "366712760", true, nullptr},
        {"short TAJ", F::Taj, "3667127", false, "Kevesebb mint 9 hosszú számsor"},
        {"empty TAJ", F::Taj, "", false, "Nincs megadva a TAJ!"},
        {"empty TAJ, box ticked", F::Taj, "", true, nullptr},
        {"birth date 2016.02.30", F::Szido, "2016.02.30", false, "A születési idö dátum formátuma nem megfelelö!"},
        {"validation date 2015.02.29", F::Ervkelt, "2015.02.29", false,
         "Az érvényesités dátum formátuma nem megfelelö!"},
        {"validation date 2016.02.29", F::Ervkelt, "2016.02.29", false, nullptr},
    };
    TForm5 e;
    showActive(e);
    for (const auto& c : cases) {
        fill(e, validProducer());
        e.field(c.field)->clear();
        typeText(e.field(c.field), u(c.typed));
        e.tajCheck()->setChecked(c.tajTicked);
        if (!c.message) {
            const auto fault = checkProducer(e.input());
            EXPECT_FALSE(fault.has_value()) << c.what << ": " << (fault ? fault->message.toStdString() : "");
            continue;
        }
        Dialogs::clear();
        button(&e, "okButton")->click();
        EXPECT_EQ(Dialogs::lastText(), u(c.message)) << c.what;
        EXPECT_EQ(e.focusWidget(), e.field(c.field)) << c.what;
        EXPECT_TRUE(e.isVisible()) << c.what;
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
}

TEST_F(ProducerEntry, KeysAFieldDoesNotAcceptNeverReachIt)
{
    TForm5 e;
    showActive(e);
    struct {
        F field;
        const char* typed;
        const char* kept;
    } cases[] = {
        {F::Irszam, "12ab34", "1234"},
        {F::Irszam, "123456", "1234"},
        {F::Adoazon, "85a2-6 01", "852601"},
        {F::Igszam, "12.34,56", "123456"},
        {F::Taj, "36x67", "3667"},
        {F::Szja, "1a5%", "15"},
        {F::Szja, "1234", "123"},
        {F::Fhat, "-8 nap", "8"},
        {F::Szido, "1962-04.11", "196204.11"},
        {F::Ervkelt, "2016/01/04", "20160104"},
        {F::Csgazd, "12/a2016x", "12/2016"},
        {F::Adoszam, "4323-1940/213", "43231940/21"},
        {F::Neme, "3", ""},
        {F::Neme, "2", "2"},
        {F::Neme, "12", "1"},
        {F::Mnyptag, "X", ""},
        {F::Mnyptag, "i", "i"},
        {F::Mnyptag, "IN", "I"},
        {F::Nev, "Kovács-Tóth János 2.", "Kovács-Tóth János 2."},
    };
    for (const auto& c : cases) {
        e.field(c.field)->clear();
        e.field(c.field)->setFocus();
        typeText(e.field(c.field), u(c.typed));
        EXPECT_EQ(e.field(c.field)->text(), u(c.kept)) << c.typed;
    }
    // Backspace is always accepted.
    e.field(F::Irszam)->setText(QStringLiteral("6000"));
    e.field(F::Irszam)->setFocus();
    e.field(F::Irszam)->end(false);
    QTest::keyClick(e.field(F::Irszam), Qt::Key_Backspace);
    EXPECT_EQ(e.field(F::Irszam)->text(), QStringLiteral("600"));

    // Every field is as long as its column at most.
    const struct {
        F field;
        int max;
    } widths[] = {{F::Nev, 45}, {F::Helysegnev, 45}, {F::Kerulet, 20}, {F::Utca, 45}, {F::Jelleg, 20},
                  {F::Hazszam, 20}, {F::Epulet, 20}, {F::Lepcso, 20}, {F::Szint, 20}, {F::Ajto, 20},
                  {F::Regszam, 10}, {F::Szulhely, 45}, {F::Anyja, 45}, {F::Csgazd, 8}, {F::Szulnev, 45},
                  {F::Kozadoszam, 20}, {F::Bankszla, 26}, {F::Betetlap, 12}, {F::Kamara, 20}, {F::Felir, 12}};
    for (const auto& w : widths) {
        e.field(w.field)->clear();
        const bool digits = producerFieldSpec(w.field).keys != CharClass::Any;
        typeText(e.field(w.field), QString(w.max + 10, QLatin1Char(digits ? '1' : 'x')));
        EXPECT_EQ(e.field(w.field)->text().size(), w.max) << producerFieldSpec(w.field).column;
    }
}

TEST_F(ProducerEntry, AValueLongerThanItsColumnNeverReachesTheDatabase)
{
    TForm5 e;
    showActive(e);
    fill(e, validProducer());
    e.field(F::Nev)->clear();
    typeText(e.field(F::Nev), QString(60, u("é").at(0)));
    e.field(F::Bankszla)->clear();
    typeText(e.field(F::Bankszla), QString(40, QLatin1Char('1')));
    button(&e, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_nev FROM ostermelo WHERE o_kod = '6'")), QString(45, u("é").at(0)));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_bankszla FROM ostermelo WHERE o_kod = '6'")), QString(26, QLatin1Char('1')));
}

TEST_F(ProducerEntry, EnterMovesThroughTheFieldsInTabOrder)
{
    TForm5 e;
    showActive(e);
    const F order[] = {F::Nev, F::Irszam, F::Helysegnev, F::Kerulet, F::Utca, F::Jelleg, F::Hazszam, F::Epulet,
                       F::Lepcso, F::Szint, F::Ajto, F::Adoazon, F::Igszam, F::Regszam, F::Szja, F::Szulhely,
                       F::Szido, F::Anyja, F::Csgazd, F::Neme, F::Szulnev, F::Taj, F::Adoszam, F::Kozadoszam,
                       F::Bankszla, F::Fhat, F::Ervkelt, F::Betetlap, F::Mnyptag, F::Kamara, F::Felir};
    e.field(F::Nev)->setFocus();
    for (size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(QApplication::focusWidget(), e.field(order[i])) << producerFieldSpec(order[i]).column;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(QApplication::focusWidget(), e.tajCheck());
    // Shift+Enter goes back; neither key enters a character.
    e.field(F::Irszam)->setText(QStringLiteral("6000"));
    e.field(F::Helysegnev)->setFocus();
    QTest::keyClick(e.field(F::Helysegnev), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), e.field(F::Irszam));
    EXPECT_EQ(e.field(F::Irszam)->text(), QStringLiteral("6000"));
    // After the tick box: the buttons, then the two read-only fields.
    auto nextFocusable = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
        return w;
    };
    QWidget* w = e.tajCheck();
    const QWidget* expected[] = {button(&e, "okButton"), button(&e, "cancelButton"), e.field(F::Id), e.field(F::Kod),
                                 e.field(F::Nev)};
    for (const QWidget* x : expected) {
        w = nextFocusable(w);
        EXPECT_EQ(w, x) << w->objectName().toStdString();
    }
}

TEST_F(ProducerEntry, LeavingSexOneCopiesTheNameIntoTheNameAtBirth)
{
    TForm5 e;
    showActive(e);
    struct {
        const char* sex;
        const char* nameAtBirth; // before leaving
        const char* expected;    // after leaving
    } cases[] = {
        {"1", "", "Kiss Péter"},
        {"1", "Valami Más", "Kiss Péter"},
        {"2", "Nagy Ilona", "Nagy Ilona"},
        {"2", "", ""},
    };
    for (const auto& c : cases) {
        e.field(F::Nev)->setText(QStringLiteral("Kiss Péter"));
        e.field(F::Szulnev)->setText(u(c.nameAtBirth));
        e.field(F::Neme)->setText(u(c.sex));
        e.field(F::Neme)->setFocus();
        QTest::keyClick(e.field(F::Neme), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), e.field(F::Szulnev));
        EXPECT_EQ(e.field(F::Szulnev)->text(), u(c.expected)) << c.sex << " " << c.nameAtBirth;
    }
}

TEST_F(ProducerEntry, EmptyTajWithTheBoxTickedIsStoredEmpty)
{
    TForm5 e;
    showActive(e);
    ProducerInput in = validProducer();
    in[F::Taj].clear();
    in.emptyTajAllowed = false;
    fill(e, in);
    button(&e, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), u("Nincs megadva a TAJ!"));
    Dialogs::clear();
    e.tajCheck()->setChecked(true);
    button(&e, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_taj FROM ostermelo WHERE o_kod = '6'")), QString());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_kod = '6' AND o_taj = ''")),
              QStringLiteral("1"));
}

TEST_F(ProducerEntry, AStatementTheDatabaseRejectsStoresNothingAndClosesTheWindow)
{
    db.exec(QStringLiteral("ALTER TABLE ostermelo ADD CONSTRAINT chk_test_name CHECK (o_nev <> 'Tilos Név')"));
    openProducerList(db.data());
    TForm5 e;
    showActive(e);
    ProducerInput in = validProducer();
    in[F::Nev] = u("Tilos Név");
    fill(e, in);
    button(&e, "okButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(u("Hiba52: Újban, INSERT az östermelöben \n"))) << Dialogs::lastText().toStdString();
    EXPECT_EQ(e.result(), QDialog::Accepted) << "the window closes";
    EXPECT_TRUE(e.listReopened());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
    EXPECT_EQ(db.data().ZQ30.rowCount(), 5) << "the list is re-run";
}

TEST_F(ProducerEntry, WhenTheTransactionCannotStartTheWindowStays)
{
    TForm5 e;
    showActive(e);
    fill(e, validProducer());
    if (db.data().inTransaction())
        db.data().rollback();
    db.data().connection().detach();
    button(&e, "okButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_TRUE(Dialogs::lastText().startsWith(u("Hiba54: az append vagy edit közben az östermelöben!")))
        << Dialogs::lastText().toStdString();
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.result(), 0);
    EXPECT_FALSE(e.listReopened());
}

// ---- Change and delete ----

TEST_F(ProducerScreens, AProducerOnAPrintedTicketCanNeitherBeChangedNorDeleted)
{
    TestDatabase db;
    insertTicket(db, QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("I"));
    sharedState().producerLocateCode = QStringLiteral("00001");
    TForm4 f;
    showActive(f);
    ASSERT_EQ(currentCode(db), QStringLiteral("00001"));
    expectNoModal([&] { button(&f, "modifyButton")->click(); });
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), u("Az őstermelő már szerepel a nyomtatott felvásárlási jegyen !"));

    Dialogs::clear();
    button(&f, "deleteButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), u("Az őstermelő már szerepel a nyomtatott felvásárlási jegyen !"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_kod = '00001'")), QStringLiteral("1"));
    EXPECT_EQ(currentCode(db), QStringLiteral("00001"));

    // J, j, M or m on the focused button opens the change without the check.
    for (Qt::Key key : {Qt::Key_J, Qt::Key_M}) {
        for (bool shift : {false, true}) {
            Dialogs::clear();
            bool opened = false;
            whenModal([&](QWidget* w) {
                auto* e = qobject_cast<TForm5*>(w);
                ASSERT_NE(e, nullptr);
                opened = true;
                EXPECT_EQ(e->windowTitle(), u("Őstermelő módositás"));
                EXPECT_EQ(e->field(F::Nev)->text(), u("Kovács János"));
                EXPECT_EQ(e->field(F::Kod)->text(), QStringLiteral("00001"));
                button(e, "cancelButton")->click();
            });
            button(&f, "modifyButton")->setFocus();
            QTest::keyClick(button(&f, "modifyButton"), key, shift ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_TRUE(opened) << key << shift;
            EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
        }
    }
}

TEST_F(ProducerScreens, AProducerWithOnlyUnprintedTicketsIsChangedAndDeleted)
{
    TestDatabase db;
    insertTicket(db, QStringLiteral("20160001"), QStringLiteral("00002"), QStringLiteral(" "));
    sharedState().producerLocateCode = QStringLiteral("00002");
    TForm4 f;
    showActive(f);
    ASSERT_EQ(currentCode(db), QStringLiteral("00002"));
    bool opened = false;
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm5*>(w);
        ASSERT_NE(e, nullptr);
        opened = true;
        EXPECT_EQ(e->windowTitle(), u("Őstermelő módositás"));
        // Every field comes from the row: dates year first, the days as a number.
        EXPECT_EQ(e->field(F::Szido)->text(), QStringLiteral("1970.09.23"));
        EXPECT_EQ(e->field(F::Ervkelt)->text(), QStringLiteral("2016.01.04"));
        EXPECT_EQ(e->field(F::Fhat)->text(), QStringLiteral("0"));
        EXPECT_EQ(e->field(F::Adoszam)->text(), QStringLiteral("87574915213"));
        EXPECT_EQ(e->field(F::Neme)->text(), QStringLiteral("2"));
        e->field(F::Nev)->setText(u("Szabó Éva Mária"));
        e->field(F::Fhat)->setText(QStringLiteral("30"));
        button(e, "okButton")->click();
    });
    button(&f, "modifyButton")->click();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_nev FROM ostermelo WHERE o_kod = '00002'")), u("Szabó Éva Mária"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_fhat FROM ostermelo WHERE o_kod = '00002'")), QStringLiteral("30"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
    EXPECT_EQ(currentCode(db), QStringLiteral("00002"));
    EXPECT_EQ(f.sortLabelText(), u("Őstermelő lista, \"Név\" szerint"));

    Dialogs::clear();
    button(&f, "deleteButton")->click();
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{u("Az őstermelő sor törlölve!")});
    EXPECT_EQ(db.data().ZQ31.sql().simplified(), QStringLiteral("DELETE FROM ostermelo WHERE ID_ostermelo = :p1"));
    // The deletion is committed: a rollback of the shared transaction cannot bring it back.
    if (!db.data().inTransaction())
        db.data().startTransaction();
    db.data().rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_kod = '00002'")), QStringLiteral("0"));
    EXPECT_EQ(db.data().ZQ30.rowCount(), 4);
    EXPECT_EQ(f.sortLabelText(), u("Sorrend: Oszlop megjelölés és klikk az oszlop fejlécre"));
}

TEST_F(ProducerScreens, TheLastProducerCannotBeDeleted)
{
    TestDatabase db(DatabaseSetup::Content::Minimal);
    TForm4 f;
    showActive(f);
    ASSERT_EQ(db.data().ZQ30.rowCount(), 1);
    button(&f, "deleteButton")->click();
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), u("Az utolsó őstermelősor nem törölhető ki."));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("1"));
    EXPECT_EQ(db.data().ZQ30.rowCount(), 1);
}

TEST_F(ProducerScreens, CancelStoresNothing)
{
    TestDatabase db;
    TForm4 f;
    showActive(f);
    whenModal([&](QWidget* w) {
        auto* e = qobject_cast<TForm5*>(w);
        ASSERT_NE(e, nullptr);
        fill(*e, validProducer());
        button(e, "cancelButton")->click();
    });
    button(&f, "newButton")->click();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
}

// ---- As the picker of the ticket screens ----

TEST_F(ProducerScreens, PickerLeavesTheChosenProducerCurrent)
{
    TestDatabase db;
    registerMasterdataScreens();
    for (const char* name : {"stermel1", "picker:producer"})
        EXPECT_TRUE(ui::hasScreen(QString::fromLatin1(name))) << name;
    struct {
        const char* locate;
        const char* pick; // name chosen in the grid, nullptr: leave it
        const char* closeWith;
        const char* expected;
    } cases[] = {
        {"00004", nullptr, "chooseButton", "Tóth Ödön"},
        {"00004", "Németh Ünige", "chooseButton", "Németh Ünige"},
        {"00001", "Szabó Éva", "cancelButton", "Szabó Éva"},
    };
    for (const auto& c : cases) {
        sharedState().producerLocateCode = QString::fromLatin1(c.locate);
        QString shownOn;
        whenModal([&](QWidget* w) {
            auto* f = qobject_cast<TForm4*>(w);
            ASSERT_NE(f, nullptr);
            shownOn = currentCode(db);
            if (c.pick) {
                Query& q = db.data().ZQ30;
                for (int r = 0; r < q.rowCount(); ++r) {
                    if (q.valueAt(r, q.fieldIndex(QStringLiteral("O_NEV"))).toString() == u(c.pick))
                        f->grid()->setCurrentIndex(f->grid()->model()->index(r, 1));
                }
            }
            button(f, c.closeWith)->click();
        });
        ASSERT_TRUE(ui::openScreen(QStringLiteral("picker:producer"), nullptr));
        EXPECT_EQ(shownOn, QString::fromLatin1(c.locate));
        EXPECT_EQ(currentName(db), u(c.expected));
    }
}

} // namespace
