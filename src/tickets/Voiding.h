#pragma once

#include <QString>

namespace zeror {

class TData;

// The number a voiding ticket will get: the buyer's counter plus 1, read from the buyer's SORSZAM
// row (ZQ50). Throws Error with the reason when the row is missing or not a whole number, when
// the number would not fit, and when a ticket with that number already exists (the counter is
// behind the tickets: voiding would then mix its lines with that ticket's).
QString reserveVoidingNumber(TData& data);

// Deletes lines left under the reserved number by an abandoned entry (not committed: the voiding
// or the next store commits it). Throws WriteError ("Hiba391…" and the reason).
void deleteLeftoverLines(TData& data, const QString& number);

// Creates voiding ticket `number` for ticket `voided` of the chosen buyer in one transaction:
// the header and line copies are inserted under the new number with negated quantities and
// amounts, the voided ticket points at the new one, the counter is consumed, then commit.
// Any failure rolls all of it back and throws WriteError with the failing step's "Hiba…" text and
// the reason. Sets currentTicketNumber and returns the success message.
QString createVoidingTicket(TData& data, const QString& voided, const QString& number);

} // namespace zeror
