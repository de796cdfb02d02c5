#pragma once

#include <QValidator>

class QLineEdit;

namespace zeror::ui {

// The characters a field lets through; anything else typed or pasted is rejected as a whole.
enum class CharClass {
    Any,
    Digits,
    DigitsDot,        // dates "2016.01.31"
    DigitsComma,      // amounts "1234,50"
    DigitsCommaMinus, // quantities "-3,5"
    DigitsSlash,
    OneOrTwo,         // a single "1" or "2"
    PensionLetters,   // a single " ", "I", "N", "i" or "n"
};

// Validator that only checks which characters occur (and the single-character limit of
// OneOrTwo and PensionLetters); it never reports Intermediate, so an empty or partly typed
// field is always acceptable and deleting characters always works.
class CharFilterValidator : public QValidator {
    Q_OBJECT
public:
    explicit CharFilterValidator(CharClass cls, QObject* parent = nullptr);

    CharClass charClass() const { return m_class; }

    State validate(QString& input, int& pos) const override;

    // True when c belongs to the class.
    static bool accepts(CharClass cls, QChar c);
    // Longest text the class allows, 0 when unlimited.
    static int classMaxLength(CharClass cls);

private:
    CharClass m_class;
};

// Installs a CharFilterValidator owned by the line edit. maxLength > 0 also sets the line
// edit's maximum length; the one-character classes get a maximum length of 1 on their own.
void setCharClass(QLineEdit* edit, CharClass cls, int maxLength = 0);

} // namespace zeror::ui
