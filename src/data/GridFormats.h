#pragma once

#include <QString>
#include <QVariant>

namespace zeror::gridfmt {

// How a grid shows a number. Display only: files, report variables and stored values keep their
// own forms.
enum class Kind {
    Plain,    // not a number, or a number shown as stored (codes, counts, ids)
    Money,    // two decimals, thousands grouped by a blank: 58 376,42
    Quantity, // up to four decimals, thousands grouped by a blank: 4 086,3493
};

// The kind of a column by its field name (case-insensitive): the forint amounts of the ticket
// lines and headers and their sums are money; other decimal numbers are quantities.
Kind kindOfField(const QString& field);

// The grid text of a stored value of the given kind; NULL is empty, dates are year first.
QString text(const QVariant& value, Kind kind);

// At most `decimals` decimals without trailing zeros, grouped by blanks: 4086.3493125 -> "4 086,3493".
QString formatTrimmed(double v, int decimals = 4);

} // namespace zeror::gridfmt
