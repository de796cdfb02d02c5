#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// The value forms of the tax-audit invoice XML and its line form.
namespace zeror::auditxml {

// Fixed point with exactly two decimals and a decimal point, whatever the locale: the value is
// first rounded to 10 significant digits (so binary noise such as 2.67499999 counts as 2.675),
// then to two decimals, a half away from zero. No grouping; a minus sign only when the rounded
// value is not zero. 1234.5 -> "1234.50", -760 -> "-760.00", 7 -> "7.00", 2.675 -> "2.68".
QString xmlNumber(double v);

// Leading and trailing blanks (and control characters) removed.
QString trimBlanks(const QString& s);

// Trimmed text with "&", "<" and ">" written as XML's predefined entity references.
QString xmlText(const QString& s);

// A stored date as its year-first text turned into year-month-day ("2016-03-05"); "" when the
// date is empty.
QString xmlDate(const QDate& d);

// True when the value, blanks removed, is not empty (the "written only if set" elements).
bool isSet(const QString& s);

// One line of the file: the indent, the text, CR LF, in UTF-8. A line that would be empty is
// written as a single blank.
void appendLine(QByteArray& out, int indent, const QString& text);

// `<name>content</name>` on one line, content already in its value form.
void appendElement(QByteArray& out, int indent, const char* name, const QString& content);

// The byte-order mark that directly precedes the XML declaration.
inline constexpr char kBom[] = "\xEF\xBB\xBF";

} // namespace zeror::auditxml
