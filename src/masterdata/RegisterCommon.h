#pragma once

// Pieces the producer and product registers share: the rules behind their codes and keys, and
// the queries of their list printout.

#include "TData.h"

#include <QString>
#include <QStringList>

namespace zeror::registercommon {


// The largest code of the query's rows read as a number (0 when none is); codes of different
// lengths ("9", "00010") compare by value. Leaves the query on its last row.
qint64 numericMaximum(Query& q, const QString& field);

// Moves the list to the row with the code: an exact match first (unpadded and padded codes live
// side by side, "6" and "60"), otherwise the first code that begins with it, ignoring case; no
// move when none does or the code is empty.
bool locateCode(Query& query, const QString& field, const QString& code);

// Binds the key of the row being changed as :p0: a number as an integer, anything else as text.
void bindKey(Query& q, const QString& idText);


// The query side of a register's list printout: reads the buyer into ZQ60 and re-runs the list
// with the printout's query; throws DbError.
void openRegisterPrintout(TData& data, Query& list, const QStringList& printSql);

} // namespace zeror::registercommon
