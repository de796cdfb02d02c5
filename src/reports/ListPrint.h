#pragma once

#include "PeriodLists.h"

class QWidget;

namespace zeror {

// Runs the print sequence for a list: sets the job's variables in the report store, hands the
// period to the per-product and per-producer feeds, and shows the template in its orientation.
// False when the template or a query failed (the message has been shown).
bool printList(const ListPrintJob& job, QWidget* parent = nullptr);

} // namespace zeror
