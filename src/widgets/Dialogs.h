#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace zeror::ui {

// Every message box and file dialog of the program goes through this class, so that tests can
// switch to scripted mode: nothing is shown, each message is recorded, questions take queued
// answers and file dialogs take queued names. Used from the GUI thread only.
//
// A "\r" in a text is a line break; it is shown as "\n", while the recorded text keeps the
// caller's text unchanged.
class Dialogs {
public:
    enum class Kind { Information, Refusal, Question, Error };
    struct Shown {
        Kind kind;
        QString text;
        QString title = QString(); // the box's title bar
    };

    // The title of every message box, unless the caller names its own.
    static QString defaultTitle() { return QStringLiteral("Ravuraruvida reva"); }

    // Plain message with an OK button; an empty title gives defaultTitle().
    static void information(QWidget* parent, const QString& text, const QString& title = QString());
    // Confirmation box with the question icon and the single button Yes.
    static void refusal(QWidget* parent, const QString& text);
    // Error box with an OK button.
    static void error(QWidget* parent, const QString& text);
    // Yes/No box, Yes being the default button; true for Yes. Scripted: the next queued
    // answer, or false, reported as unanswered, when none is queued.
    static bool question(QWidget* parent, const QString& text);

    // File dialogs; an empty result means cancelled. Scripted: the next queued name, or "",
    // reported as unanswered, when none is queued. They are not recorded as messages.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                const QString& filter);
    static QString existingDirectory(QWidget* parent, const QString& caption, const QString& dir);

    static void setScripted(bool on);
    static bool isScripted();
    static void queueAnswer(bool yes);
    static void queueFileName(const QString& name);
    // Everything shown since the last clear(), oldest first.
    static QList<Shown> shown();
    static QStringList shownTexts();
    // Text of the latest message, "" when none.
    static QString lastText();
    // Clears the records and both queues; the scripted flag and the hook stay.
    static void clear();
    // Called in scripted mode right after each message is recorded, e.g. to look at the widgets
    // at the moment of the message. An empty function removes the hook.
    static void setOnShown(std::function<void(const Shown&)> hook);
    // Called in scripted mode when a question or file dialog finds no queued answer (the test
    // harness fails the test); without a hook a warning is printed.
    static void setOnUnanswered(std::function<void(const QString& what)> hook);
    // Queued answers and file names not used yet.
    static int pendingAnswers();
    static int pendingFileNames();

    // The text as it appears in the box: "\r\n" and "\r" become "\n".
    static QString displayText(const QString& text);
};

} // namespace zeror::ui
