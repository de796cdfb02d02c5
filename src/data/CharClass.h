#pragma once

#include <QChar>
#include <QString>

namespace zeror {

// The characters a field takes: the entry fields filter keys by it, and the rules check the same
// classes again, so input that did not come through a widget gets the same protection.
enum class CharClass {
    Any,              // every character the WIN1250 code page holds
    Digits,
    DigitsDot,        // dates "2016.01.31"
    DigitsComma,      // amounts "1234,50"
    DigitsCommaMinus, // quantities "-3,5"
    DigitsSlash,
    OneOrTwo,         // a single "1" or "2"
    PensionLetters,   // a single " ", "I", "N", "i" or "n"
};

// True when c belongs to the class.
bool charClassAccepts(CharClass cls, QChar c);
// True when every character of the text belongs to the class and the class's length limit holds.
bool charClassAcceptsText(CharClass cls, const QString& text);
// Longest text the class allows, 0 when unlimited.
int charClassMaxLength(CharClass cls);

} // namespace zeror
