#pragma once

// Widgets and the printout the producer and product list windows share.

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace zeror {
class Query;
class TData;
} // namespace zeror

namespace zeror::registercommon {

// A bold, selectable value label of a list window's detail panel.
QLabel* detailValueLabel(QWidget* parent);

// The list printout of a register window: reads the buyer into ZQ60, re-runs the list with the
// printout's query, prints the template and puts the list back on the row with the key it stood
// on (the first row when none was current). False, after showing the message, when a query
// failed; nothing is printed then.
bool printRegisterList(QWidget* parent, TData& data, Query& list, const QString& keyField,
                       const QStringList& printSql, const QString& templateName);

} // namespace zeror::registercommon
