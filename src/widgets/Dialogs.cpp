#include "Dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QQueue>
#include <QtGlobal>

namespace zeror::ui {

namespace {

struct ScriptState {
    bool scripted = false;
    QList<Dialogs::Shown> shown;
    QQueue<bool> answers;
    QQueue<QString> fileNames;
    std::function<void(const Dialogs::Shown&)> onShown;
    std::function<void(const QString&)> onUnanswered;
};


ScriptState& state()
{
    static ScriptState s;
    return s;
}

void reportUnanswered(const QString& what)
{
    ScriptState& s = state();
    if (s.onUnanswered) {
        const auto hook = s.onUnanswered;
        hook(what);
    } else {
        qWarning("Dialogs: %s", qUtf8Printable(what));
    }
}

void record(Dialogs::Kind kind, const QString& text, const QString& title = Dialogs::defaultTitle())
{
    ScriptState& s = state();
    const Dialogs::Shown entry{kind, text, title};
    s.shown.append(entry);
    if (s.onShown) {
        // A copy, so that a hook replacing itself does not destroy the running function.
        const auto hook = s.onShown;
        hook(entry);
    }
}

QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton,
                                    const QString& title = Dialogs::defaultTitle())
{
    QMessageBox box(icon, title, Dialogs::displayText(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString nextFileName(const QString& caption)
{
    ScriptState& s = state();
    if (s.fileNames.isEmpty()) {
        reportUnanswered(QStringLiteral("no queued file name for the dialog \"%1\"").arg(caption));
        return QString();
    }
    return s.fileNames.dequeue();
}

} // namespace

QString Dialogs::displayText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

void Dialogs::information(QWidget* parent, const QString& text, const QString& title)
{
    const QString boxTitle = title.isEmpty() ? defaultTitle() : title;
    if (isScripted()) {
        record(Kind::Information, text, boxTitle);
        return;
    }
    showBox(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, boxTitle);
}

void Dialogs::refusal(QWidget* parent, const QString& text)
{
    if (isScripted()) {
        record(Kind::Refusal, text);
        return;
    }
    showBox(parent, QMessageBox::Question, text, QMessageBox::Yes, QMessageBox::Yes);
}

void Dialogs::error(QWidget* parent, const QString& text)
{
    if (isScripted()) {
        record(Kind::Error, text);
        return;
    }
    showBox(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool Dialogs::question(QWidget* parent, const QString& text)
{
    if (isScripted()) {
        ScriptState& s = state();
        // Take the answer before the hook runs, so a hook asking questions of its own cannot
        // steal it.
        const bool hasAnswer = !s.answers.isEmpty();
        const bool answer = hasAnswer && s.answers.dequeue();
        if (!hasAnswer)
            reportUnanswered(QStringLiteral("no queued answer for the question \"%1\"").arg(text));
        record(Kind::Question, text);
        return answer;
    }
    return showBox(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes)
        == QMessageBox::Yes;
}

QString Dialogs::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter)
{
    if (isScripted())
        return nextFileName(caption);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter)
{
    if (isScripted())
        return nextFileName(caption);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString Dialogs::existingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    if (isScripted())
        return nextFileName(caption);
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

void Dialogs::setScripted(bool on)
{
    state().scripted = on;
}

bool Dialogs::isScripted()
{
    return state().scripted;
}

void Dialogs::queueAnswer(bool yes)
{
    state().answers.enqueue(yes);
}

void Dialogs::queueFileName(const QString& name)
{
    state().fileNames.enqueue(name);
}

QList<Dialogs::Shown> Dialogs::shown()
{
    return state().shown;
}

QStringList Dialogs::shownTexts()
{
    QStringList texts;
    for (const Shown& s : std::as_const(state().shown))
        texts.append(s.text);
    return texts;
}

QString Dialogs::lastText()
{
    const auto& shownList = state().shown;
    return shownList.isEmpty() ? QString() : shownList.constLast().text;
}

void Dialogs::clear()
{
    ScriptState& s = state();
    s.shown.clear();
    s.answers.clear();
    s.fileNames.clear();
}

void Dialogs::setOnUnanswered(std::function<void(const QString&)> hook)
{
    state().onUnanswered = std::move(hook);
}

int Dialogs::pendingAnswers()
{
    return int(state().answers.size());
}

int Dialogs::pendingFileNames()
{
    return int(state().fileNames.size());
}

void Dialogs::setOnShown(std::function<void(const Shown&)> hook)
{
    state().onShown = std::move(hook);
}

} // namespace zeror::ui
