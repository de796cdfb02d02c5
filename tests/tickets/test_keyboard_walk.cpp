// Walking the ticket entry and ticket line screens with Enter and Shift+Enter: the focus moves over
// every control, buttons included, and no button is pressed on the way.
#include "TForm10.h"
#include "TForm9.h"
#include "TicketEntry.h"

#include "Dialogs.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "test_ticketentry_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using namespace zeror::ticketentry;
using zeror::ui::Dialogs;

namespace {

class KeyboardWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>();
        db->chooseBuyer(QStringLiteral("00001"));
        // Pickers that only count how often they were opened.
        ui::registerScreen(QStringLiteral("picker:producer"), [this](QWidget*) { ++producerPickers; });
        ui::registerScreen(QStringLiteral("picker:product"), [this](QWidget*) { ++productPickers; });
        Dialogs::clear();
    }
    void TearDown() override
    {
        entry.reset();
        line.reset();
        Dialogs::clear();
        db.reset();
    }

    static void activate(QWidget* w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    // Presses the key on the focused control and expects the focus on `next`.
    static void step(QWidget* next, Qt::KeyboardModifiers mods)
    {
        QWidget* from = QApplication::focusWidget();
        ASSERT_NE(from, nullptr);
        QTest::keyClick(from, Qt::Key_Return, mods);
        EXPECT_EQ(QApplication::focusWidget(), next)
            << "from " << from->objectName().toStdString() << " expected " << next->objectName().toStdString()
            << " got " << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "-");
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<TForm9> entry;
    std::unique_ptr<TForm10> line;
    int producerPickers = 0;
    int productPickers = 0;
};

TEST_F(KeyboardWalk, ShiftEnterOverTheEntryScreensButtonsMovesBackAndChangesNothing)
{
    sharedState().ticketEntryMode = NewTicketMode;
    entry = std::make_unique<TForm9>();
    TForm9* f = entry.get();
    activate(f);
    lineEdit(f, "szjaEdit")->setText(QStringLiteral("16"));
    checkBox(f, "transferCheck")->setChecked(true);
    const QString paymentDate = lineEdit(f, "paymentDateEdit")->text();

    // Back from the first date over "Őstermelő" and the tabs, round to the buttons at the bottom and
    // the grid.
    lineEdit(f, "issueDateEdit")->setFocus();
    auto* grid = f->findChild<QAbstractItemView*>(QStringLiteral("linesGrid"));
    auto* tabs = f->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    QWidget* const back[] = {button(f, "producerButton"), tabs, button(f, "cancelButton"), button(f, "okButton"),
                             button(f, "deleteLineButton"), button(f, "modifyLineButton"),
                             button(f, "newLineButton"), grid};
    for (QWidget* w : back)
        step(w, Qt::ShiftModifier);
    // And forward again to the first date.
    QWidget* const forward[] = {button(f, "newLineButton"), button(f, "modifyLineButton"),
                                button(f, "deleteLineButton"), button(f, "okButton"), button(f, "cancelButton"),
                                tabs, button(f, "producerButton"), lineEdit(f, "issueDateEdit")};
    for (QWidget* w : forward)
        step(w, Qt::NoModifier);

    EXPECT_EQ(producerPickers, 0);
    EXPECT_EQ(lineEdit(f, "szjaEdit")->text(), QStringLiteral("16"));
    EXPECT_TRUE(checkBox(f, "transferCheck")->isChecked());
    EXPECT_EQ(lineEdit(f, "paymentDateEdit")->text(), paymentDate);
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej")), QStringLiteral("0"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")), QStringLiteral("0"));

    // Space still presses the focused button.
    button(f, "producerButton")->setFocus();
    QTest::keyClick(button(f, "producerButton"), Qt::Key_Space);
    EXPECT_EQ(producerPickers, 1);
}

TEST_F(KeyboardWalk, ShiftEnterOverTheLineScreensButtonsKeepsTheTypedPrice)
{
    sharedState().lineEntryMode = NewLineMode;
    line = std::make_unique<TForm10>(LineScreenContext{QStringLiteral("20160001"), QStringLiteral("0"),
                                                       QStringLiteral("00001")});
    TForm10* f = line.get();
    activate(f);
    lineEdit(f, "nameEdit")->setText(QStringLiteral("Rozs"));
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("3"));
    lineEdit(f, "unitPriceEdit")->setText(QStringLiteral("61,5"));

    lineEdit(f, "vtszEdit")->setFocus();
    step(button(f, "productButton"), Qt::ShiftModifier);
    step(lineEdit(f, "nameEdit"), Qt::ShiftModifier);
    step(button(f, "cancelButton"), Qt::ShiftModifier);
    step(button(f, "okButton"), Qt::ShiftModifier);
    step(button(f, "cancelButton"), Qt::NoModifier);
    step(lineEdit(f, "nameEdit"), Qt::NoModifier);
    step(button(f, "productButton"), Qt::NoModifier);
    step(lineEdit(f, "vtszEdit"), Qt::NoModifier);

    EXPECT_EQ(productPickers, 0);
    EXPECT_EQ(lineEdit(f, "nameEdit")->text(), QStringLiteral("Rozs"));
    EXPECT_EQ(lineEdit(f, "unitPriceEdit")->text(), QStringLiteral("61,5"));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")), QStringLiteral("0"));
}

} // namespace
