#pragma once

// Pieces the producer and product registers share: the rules behind their codes and keys, and
// the list printout of their list windows.

#include "TData.h"

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace zeror::registercommon {

// Empty after removing trailing blanks.
bool blank(const QString& s);

// The largest code of the query's rows read as a number (0 when none is); codes of different
// lengths ("9", "00010") compare by value. Leaves the query on its last row.
qint64 numericMaximum(Query& q, const QString& field);

// Moves the list to the row with the code: an exact match first (unpadded and padded codes live
// side by side, "6" and "60"), otherwise the first code that begins with it, ignoring case; no
// move when none does or the code is empty.
bool locateCode(Query& query, const QString& field, const QString& code);

// Binds the key of the row being changed as :p0: a number as an integer, anything else as text.
void bindKey(Query& q, const QString& idText);

// The text of the column on the current row, without surrounding blanks; empty without a row.
QString fieldText(const Query& q, const QString& column);

// A bold, selectable value label of a list window's detail panel.
QLabel* detailValueLabel(QWidget* parent);

// The list printout of a register window: reads the buyer into ZQ60, re-runs the list with the
// printout's query, prints the template and puts the list back on the row with the key it stood
// on (the first row when none was current). False, after showing the message, when a query
// failed; nothing is printed then.
bool printRegisterList(QWidget* parent, TData& data, Query& list, const QString& keyField,
                       const QStringList& printSql, const QString& templateName);

} // namespace zeror::registercommon
