#pragma once

#include <QObject>
#include <QValidator>

class QApplication;

namespace zeror::ui {

// Refuses characters the WIN1250 code page cannot hold (an õ for ő, an emoji, a Chinese name),
// typed or pasted, so that nothing reaches the database as "?".
class Win1250Validator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Gives every line edit of the application that has no validator of its own a Win1250Validator
// when it is first shown; fields with a character class already refuse such characters.
class Win1250Guard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs the guard on the application once.
void installWin1250Guard(QApplication& app);

} // namespace zeror::ui
