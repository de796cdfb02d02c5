#pragma once

#include <QString>

namespace zeror {

class TData;

// The number a voiding ticket will get: the buyer's counter plus 1.
struct VoidingReservation
{
    bool ok = false;
    QString number;  // the reserved number when ok
    QString message; // why no number can be given otherwise
};

// Reads the buyer's SORSZAM row (ZQ50) and gives the next number. It is refused when the row is
// missing or not a whole number, and when a ticket with that number already exists (the counter
// is behind the tickets: voiding would then mix its lines with that ticket's).
VoidingReservation reserveVoidingNumber(TData& data);

// Deletes lines left under the reserved number by an abandoned entry (not committed: the voiding
// or the next store commits it). Empty on success, otherwise the "Hiba391…" message.
QString deleteLeftoverLines(TData& data, const QString& number);

struct VoidingResult
{
    bool ok = false;
    QString message; // the success message, or the failing step's "Hiba…" text and the reason
};

// Creates voiding ticket `number` for ticket `voided` of the chosen buyer in one transaction:
// the header and line copies are inserted under the new number with negated quantities and
// amounts, the voided ticket points at the new one, the counter is consumed, then commit.
// Any failure rolls all of it back. Sets currentTicketNumber on success.
VoidingResult createVoidingTicket(TData& data, const QString& voided, const QString& number);

} // namespace zeror
