#include "Dialogs.h"
#include "EnterNavigator.h"
#include "KeyFilters.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace zeror::ui;

namespace {

// ---- Character filters ----

struct FilterCase {
    CharClass cls;
    const char* text;
    bool accepted;
};

TEST(CharFilterValidator, ValidatesWholeText)
{
    const FilterCase cases[] = {
        {CharClass::Any, "Kiss Éva 12,5/3", true},
        {CharClass::Digits, "", true},
        {CharClass::Digits, "0123456789", true},
        {CharClass::Digits, "12a", false},
        {CharClass::Digits, "1 2", false},
        {CharClass::Digits, "-1", false},
        {CharClass::Digits, "١٢", false},
        {CharClass::DigitsDot, "2016.01.31", true},
        {CharClass::DigitsDot, "2016-01-31", false},
        {CharClass::DigitsDot, "2016,01", false},
        {CharClass::DigitsComma, "1234,50", true},
        {CharClass::DigitsComma, "1234.50", false},
        {CharClass::DigitsComma, "-3,5", false},
        {CharClass::DigitsCommaMinus, "-3,5", true},
        {CharClass::DigitsCommaMinus, "3.5", false},
        {CharClass::DigitsCommaMinus, "x", false},
        {CharClass::DigitsSlash, "12/2016", true},
        {CharClass::DigitsSlash, "12\\2016", false},
        {CharClass::OneOrTwo, "1", true},
        {CharClass::OneOrTwo, "2", true},
        {CharClass::OneOrTwo, "", true},
        {CharClass::OneOrTwo, "3", false},
        {CharClass::OneOrTwo, "0", false},
        {CharClass::OneOrTwo, "12", false},
        {CharClass::PensionLetters, " ", true},
        {CharClass::PensionLetters, "I", true},
        {CharClass::PensionLetters, "N", true},
        {CharClass::PensionLetters, "i", true},
        {CharClass::PensionLetters, "n", true},
        {CharClass::PensionLetters, "X", false},
        {CharClass::PensionLetters, "1", false},
        {CharClass::PensionLetters, "IN", false},
    };
    for (const auto& c : cases) {
        const CharFilterValidator v(c.cls);
        QString text = QString::fromUtf8(c.text);
        int pos = int(text.size());
        const QValidator::State expected = c.accepted ? QValidator::Acceptable : QValidator::Invalid;
        EXPECT_EQ(v.validate(text, pos), expected)
            << '"' << c.text << "\" class " << int(c.cls);
    }
}

TEST(CharFilterValidator, TypedAndPastedTextIsFiltered)
{
    const struct {
        CharClass cls;
        int maxLength;
        const char* typed;
        const char* result;
    } cases[] = {
        {CharClass::Digits, 0, "1a2b3", "123"},
        {CharClass::Digits, 4, "123456", "1234"},
        {CharClass::DigitsDot, 10, "2016.01.31.", "2016.01.31"},
        {CharClass::DigitsComma, 0, "12.5", "125"},
        {CharClass::DigitsCommaMinus, 0, "-3,5kg", "-3,5"},
        {CharClass::OneOrTwo, 0, "312", "1"},
        {CharClass::PensionLetters, 0, "xNi", "N"},
    };
    for (const auto& c : cases) {
        QLineEdit edit;
        setCharClass(&edit, c.cls, c.maxLength);
        QTest::keyClicks(&edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.result)) << c.typed;
    }

    QLineEdit edit;
    setCharClass(&edit, CharClass::Digits);
    edit.setText(QStringLiteral("12"));
    edit.end(false);
    edit.insert(QStringLiteral("3x4")); // what a paste does
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    edit.insert(QStringLiteral("34"));
    EXPECT_EQ(edit.text(), QStringLiteral("1234"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), QStringLiteral("123"));
}

TEST(CharFilterValidator, ReinstallingReplacesTheFilter)
{
    QLineEdit edit;
    setCharClass(&edit, CharClass::Digits);
    setCharClass(&edit, CharClass::DigitsDot, 10);
    QTest::keyClicks(&edit, QStringLiteral("2016.01.31"));
    EXPECT_EQ(edit.text(), QStringLiteral("2016.01.31"));
    EXPECT_EQ(edit.maxLength(), 10);
}

// ---- Enter navigation ----

class EnterNavigation : public testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<QDialog>();
        auto* layout = new QVBoxLayout(dialog.get());
        for (auto*& e : edits) {
            e = new QLineEdit(dialog.get());
            layout->addWidget(e);
        }
        check = new QCheckBox(QStringLiteral("Őstermelő"), dialog.get());
        layout->addWidget(check);
        EnterNavigator::install(dialog.get());
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        edits[0]->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edits[0]);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, key, mods);
    }

    std::unique_ptr<QDialog> dialog;
    QLineEdit* edits[3] = {};
    QCheckBox* check = nullptr;
};

TEST_F(EnterNavigation, MovesForwardAndBackInTabOrder)
{
    QWidget* const order[] = {edits[0], edits[1], edits[2], check};
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int focus; // index into order after the key
    } steps[] = {
        {Qt::Key_Return, Qt::NoModifier, 1},
        {Qt::Key_Enter, Qt::KeypadModifier, 2},
        {Qt::Key_Return, Qt::NoModifier, 3},
        {Qt::Key_Return, Qt::ShiftModifier, 2},
        {Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, 1},
        {Qt::Key_Return, Qt::ShiftModifier, 0},
        {Qt::Key_Return, Qt::ShiftModifier, 3}, // wraps round like Shift+Tab
        {Qt::Key_Return, Qt::NoModifier, 0},
    };
    for (const auto& s : steps) {
        press(s.key, s.mods);
        EXPECT_EQ(QApplication::focusWidget(), order[s.focus]) << "step to " << s.focus;
    }
    for (QLineEdit* e : edits)
        EXPECT_TRUE(e->text().isEmpty());
    EXPECT_FALSE(check->isChecked());
}

TEST_F(EnterNavigation, TypingStaysInTheFieldAndEnterAddsNothing)
{
    QTest::keyClicks(edits[0], QStringLiteral("abc"));
    press(Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("de"));
    EXPECT_EQ(edits[0]->text(), QStringLiteral("abc"));
    EXPECT_EQ(edits[1]->text(), QStringLiteral("de"));
}

TEST_F(EnterNavigation, SkipsHiddenAndDisabledControls)
{
    edits[1]->setEnabled(false);
    edits[2]->hide();
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), check);
}

TEST_F(EnterNavigation, WorksInTextEditsAddedLater)
{
    auto* notes = new QPlainTextEdit(dialog.get());
    dialog->layout()->addWidget(notes);
    auto* last = new QLineEdit(dialog.get());
    dialog->layout()->addWidget(last);
    notes->show();
    last->show();

    notes->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), notes);
    QTest::keyClicks(notes, QStringLiteral("x"));
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), last);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("x"));
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), notes);
}

TEST_F(EnterNavigation, EnterMovesPastButtonsAndSpacePressesThem)
{
    auto* ok = new QPushButton(QStringLiteral("&Rendben"), dialog.get());
    auto* push = new QPushButton(QStringLiteral("Lista"), dialog.get());
    auto* tool = new QToolButton(dialog.get());
    for (QWidget* b : {static_cast<QWidget*>(ok), static_cast<QWidget*>(push), static_cast<QWidget*>(tool)}) {
        dialog->layout()->addWidget(b);
        b->setFocusPolicy(Qt::StrongFocus);
        b->show();
    }
    int clicks = 0;
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(ok), static_cast<QAbstractButton*>(push),
                               static_cast<QAbstractButton*>(tool)})
        QObject::connect(b, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    ok->setDefault(true);

    // Enter and Shift+Enter walk over every button, forward and back, pressing none.
    check->setFocus();
    QWidget* const forward[] = {ok, push, tool};
    for (QWidget* w : forward) {
        press(Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w);
    }
    QWidget* const back[] = {push, ok, check};
    for (QWidget* w : back) {
        press(Qt::Key_Return, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), w);
    }
    press(Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), edits[2]);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(dialog->isVisible()); // nor the default button through the dialog

    // Space presses the focused button.
    push->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    // The accelerator stays the button's own (Qt presses it on Alt+R).
    EXPECT_EQ(ok->shortcut(), QKeySequence(Qt::ALT | Qt::Key_R));
}

TEST_F(EnterNavigation, InstallTwiceKeepsOneNavigator)
{
    EXPECT_EQ(EnterNavigator::install(dialog.get()), EnterNavigator::install(dialog.get()));
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edits[1]); // not moved twice
}

// ---- Scripted message boxes ----

class ScriptedDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        Dialogs::setScripted(true);
        Dialogs::clear();
    }
    void TearDown() override
    {
        Dialogs::setOnShown({});
        Dialogs::clear();
        Dialogs::setScripted(false);
    }
};

TEST_F(ScriptedDialogs, RecordsEveryMessageInOrder)
{
    EXPECT_TRUE(Dialogs::isScripted());
    EXPECT_TRUE(Dialogs::lastText().isEmpty());
    Dialogs::information(nullptr, QStringLiteral("Mentve."));
    Dialogs::refusal(nullptr, QStringLiteral("Hibás adóazonosító jel!\rJavítsa!"));
    Dialogs::error(nullptr, QStringLiteral("Adatbázis hiba"));
    Dialogs::queueAnswer(true);
    EXPECT_TRUE(Dialogs::question(nullptr, QStringLiteral("Törli?")));

    const QList<Dialogs::Shown> shown = Dialogs::shown();
    const Dialogs::Kind kinds[] = {Dialogs::Kind::Information, Dialogs::Kind::Refusal,
                                   Dialogs::Kind::Error, Dialogs::Kind::Question};
    ASSERT_EQ(shown.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(shown[i].kind, kinds[i]) << i;
    EXPECT_EQ(Dialogs::shownTexts(),
              QStringList({QStringLiteral("Mentve."),
                           QStringLiteral("Hibás adóazonosító jel!\rJavítsa!"),
                           QStringLiteral("Adatbázis hiba"), QStringLiteral("Törli?")}));
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Törli?"));

    Dialogs::clear();
    EXPECT_TRUE(Dialogs::shown().isEmpty());
    EXPECT_TRUE(Dialogs::lastText().isEmpty());
}

TEST_F(ScriptedDialogs, BoxesAreTitledWithTheProgramsNameUnlessTheScreenNamesATitle)
{
    Dialogs::information(nullptr, QStringLiteral("Mentve."));
    Dialogs::refusal(nullptr, QStringLiteral("Nem lehet."));
    Dialogs::error(nullptr, QStringLiteral("Hiba1: x"));
    Dialogs::queueAnswer(true);
    Dialogs::question(nullptr, QStringLiteral("Törli?"));
    Dialogs::information(nullptr, QStringLiteral("A zeror konvertálás befejeződött!"), QStringLiteral("Kész!"));
    const auto shown = Dialogs::shown();
    ASSERT_EQ(shown.size(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(shown[i].title, QStringLiteral("Ravuraruvida reva")) << i;
    EXPECT_EQ(shown[4].title, QStringLiteral("Kész!"));
}

TEST_F(ScriptedDialogs, QuestionsTakeQueuedAnswersThenNo)
{
    Dialogs::queueAnswer(true);
    Dialogs::queueAnswer(false);
    Dialogs::queueAnswer(true);
    const bool expected[] = {true, false, true, false, false};
    for (bool e : expected)
        EXPECT_EQ(Dialogs::question(nullptr, QStringLiteral("?")), e);
    EXPECT_EQ(Dialogs::shown().size(), 5);

    Dialogs::queueAnswer(true);
    Dialogs::clear(); // drops the queued answer too
    EXPECT_FALSE(Dialogs::question(nullptr, QStringLiteral("?")));
}

TEST_F(ScriptedDialogs, FileDialogsTakeQueuedNames)
{
    Dialogs::queueFileName(QStringLiteral("/tmp/be.xml"));
    Dialogs::queueFileName(QStringLiteral("/tmp/ki.xml"));
    Dialogs::queueFileName(QStringLiteral("/tmp/mentes"));
    EXPECT_EQ(Dialogs::openFileName(nullptr, {}, {}, {}), QStringLiteral("/tmp/be.xml"));
    EXPECT_EQ(Dialogs::saveFileName(nullptr, {}, {}, {}), QStringLiteral("/tmp/ki.xml"));
    EXPECT_EQ(Dialogs::existingDirectory(nullptr, {}, {}), QStringLiteral("/tmp/mentes"));
    EXPECT_TRUE(Dialogs::openFileName(nullptr, {}, {}, {}).isEmpty());
    EXPECT_TRUE(Dialogs::shown().isEmpty()); // file dialogs are not messages
}

TEST_F(ScriptedDialogs, HookSeesEachMessageWhenShown)
{
    QLineEdit field;
    field.setText(QStringLiteral("első"));
    QStringList seen;
    Dialogs::setOnShown([&](const Dialogs::Shown& s) {
        seen << s.text + QLatin1Char('|') + field.text();
        EXPECT_EQ(Dialogs::lastText(), s.text); // already recorded
    });
    Dialogs::information(nullptr, QStringLiteral("A"));
    field.setText(QStringLiteral("második"));
    Dialogs::queueAnswer(true);
    EXPECT_TRUE(Dialogs::question(nullptr, QStringLiteral("B")));
    EXPECT_EQ(seen, QStringList({QStringLiteral("A|első"), QStringLiteral("B|második")}));
}

TEST(DialogText, CarriageReturnsBecomeLineBreaks)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"a\rb", "a\nb"}, {"a\r\nb", "a\nb"}, {"a\r\rb\n", "a\n\nb\n"}, {"ab", "ab"}};
    for (const auto& c : cases)
        EXPECT_EQ(Dialogs::displayText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
}

} // namespace

// ---- Qt's own dialogs in Hungarian ----

TEST(QtTranslations, FileDialogSpeaksHungarian)
{
    ASSERT_TRUE(zeror::ui::installQtTranslations()) << "qtbase_hu.qm (Debian qt6-translations-l10n) is missing";
    EXPECT_TRUE(zeror::ui::installQtTranslations()); // a second call keeps the one translator
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

    QTemporaryDir dir;
    QFileDialog dialog(nullptr, QStringLiteral("Mentés PDF-be"), dir.path(), QStringLiteral("PDF fájlok (*.pdf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QStringLiteral("Felvásárlási jegy 20160001.pdf"));
    dialog.resize(760, 460);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QStringList buttons;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        buttons << b->text();
    EXPECT_FALSE(buttons.contains(QStringLiteral("&Save"))) << buttons.join(u'|').toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Cancel"))) << buttons.join(u'|').toStdString();
    QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(ZEROR_SCREENSHOTS_DIR "/file-dialog-hu.png")));
    dialog.reject();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
