#pragma once

#include <QtGlobal>

namespace zeror {

// What the payable amount of a ticket is computed from.
struct PayableInput
{
    double purchasePrice = 0;       // V: the sum of the lines' S_VETELAR, unrounded
    double szjaPercent = 0;         // "Szja %"
    double contributionPercent = 0; // "Tagi h.járul.%"
    double deduction = 0;           // "Levonás (Ft)"
    bool transfer = false;          // "Átutalással"
};

struct PayableAmount
{
    double szja = 0;         // income tax withheld, full precision
    double contribution = 0; // members' contribution, full precision
    double deduction = 0;
    qint64 rounded = 0;      // R: V less the three, rounded half to even
    qint64 payable = 0;      // R by transfer; R rounded to the nearest 5 forints in cash
};

// The payable-amount rule shared by the entry screen and the ticket printout: the tax on V, the
// contribution on what remains, the deduction, whole forints half to even, and cash rounded to 5.
PayableAmount computePayable(const PayableInput& in);

} // namespace zeror
