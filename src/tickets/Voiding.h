#pragma once

#include "Error.h"

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

// Voiding refused when "OK" re-checks the ticket inside its transaction (another workstation
// voided it meanwhile: "Már érvénytelenítve van!"); nothing was stored.
class VoidingRefused : public Error
{
public:
    using Error::Error;
};

// Creates the voiding ticket for ticket `voided` of the chosen buyer in one transaction: the
// voided ticket is locked and re-checked (printed, not yet voided: else VoidingRefused with the
// list's refusal text), the buyer's next free number is taken from the counter, the header and
// line copies are inserted under it with negated quantities and amounts, and the voided ticket
// points at the new one; then commit. Another workstation working on the same ticket or counter
// makes it start again after a short pause. Any failure rolls all of it back and throws
// WriteError with the failing step's "Hiba…" text and the reason. Sets currentTicketNumber and
// returns the success message, preceded by a note when the number differs from shownNumber
// (taken meanwhile by another workstation).
QString createVoidingTicket(TData& data, const QString& voided, const QString& shownNumber);

} // namespace zeror
