#pragma once

#include <QString>
#include <QStringList>

namespace zeror {

// True for a non-empty text of the digits 0-9 only.
bool isAllDigits(const QString& s);

// True when nothing but white space is left (an empty text included).
bool isBlank(const QString& s);

// Check-digit tests of the Hungarian identifiers. Callers check the length first; a text that
// is too short or has a non-digit at a position the test reads is reported as invalid.

// Tax identifier (10 digits): digits 1-9 weighted 1..9, the sum mod 11 must equal digit 10
// (a remainder of 10 can never be matched, so such numbers are invalid).
bool adoazonEllenorzes(const QString& s);

// Tax number (11 digits): digits 1-7 weighted 9,7,3,1,9,7,3; (10 - sum mod 10) mod 10 must equal
// digit 8. Digits 9-11 are not read, but the text must still be 11 characters long.
bool adoszamEllenorzes(const QString& s);

// Social-security number (9 digits): digits 1-8 weighted 3,7,3,7,...; the sum mod 10 must equal
// digit 9.
bool tajEllenorzes(const QString& s);

// A name split at its last blank: head runs up to and including that blank, tail is the rest.
// Without a blank head is a single blank and tail is the whole name.
struct NameSplit {
    QString head;
    QString tail;
};
NameSplit ujnev(const QString& name);

// Joins the eight address parts (district, street, kind of public place, house number,
// building, staircase, floor, door), each trimmed, with one blank between them. Empty or
// missing parts still take their place, so the result always has seven separating blanks;
// parts beyond the eighth are ignored.
QString streetLine(const QStringList& parts);

// "2016.03.05" -> "2016-03-05": characters 1-4, 6-7 and 9-10 joined by "-". Missing
// characters of a short input are simply left out.
QString xmlDatum(const QString& d);

// Hungarian words of a three-digit group "hto" ("215" -> "kettöszáztizenöt", "000" -> "").
// Characters other than digits, and missing characters, count as zero.
QString threeDigitsInWords(const QString& d);

// An amount written out in words as printed on the ticket: groups joined by "ezer-",
// "millió-", "milliárd-", the units group followed by one blank, "mínusz " in front of a
// negative amount and "nulla" for zero (e.g. 2016 -> "kettöezer-tizenhat ").
QString amountInWords(qint32 n);

} // namespace zeror
