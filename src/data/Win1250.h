#pragma once

#include <QByteArray>
#include <QString>

// Text crosses into and out of the database in the Windows-1250 code page.
namespace zeror::win1250 {
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype size);

// True when the code page has the character.
bool canHold(QChar c);

// The first character of the text that the code page cannot hold (a whole character, so an
// emoji's two halves come together); empty when every character can be stored.
QString firstUnencodable(const QString& text);

// The refusal of a field's text holding such a character, naming the field and the character:
// "Hibás a(z) „Neve” mező: a(z) „õ” (U+00F5) karakter nem tárolható (WIN1250)!". Empty when
// the text can be stored.
QString fieldRefusal(const QString& fieldName, const QString& text);

// A character for a message: the character in quotes and its Unicode code, e.g. "õ" (U+00F5).
QString describeCharacter(const QString& character);
} // namespace zeror::win1250
