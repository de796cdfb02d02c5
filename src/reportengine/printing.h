#pragma once

#include "prepared.h"

#include <QString>

class QPrinter;

namespace report {

// Prints on the printer as it is set up (e.g. by QPrintDialog): paper size and
// orientation of the report, the page range and copies chosen there.
bool print(const PreparedReport& report, QPrinter* printer, QString* error);

}  // namespace report
