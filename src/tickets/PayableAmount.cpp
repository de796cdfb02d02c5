#include "PayableAmount.h"

#include "Formats.h"

namespace zeror {

namespace {

// Whole forints to the nearest multiple of 5: remainders 1 and 2 go down, 3 and 4 up, and the
// sign is kept (-1237 -> -1235). Integer arithmetic, so no amount is too large to round exactly.
qint64 roundToFive(qint64 r)
{
    const qint64 q = r / 5; // truncates towards zero
    const qint64 rem = r % 5; // same sign as r
    if (rem >= 3)
        return (q + 1) * 5;
    if (rem <= -3)
        return (q - 1) * 5;
    return q * 5;
}

} // namespace

PayableAmount computePayable(const PayableInput& in)
{
    PayableAmount out;
    const double v = in.purchasePrice;
    out.szja = in.szjaPercent * v / 100.0;
    out.contribution = in.contributionPercent * (v - out.szja) / 100.0;
    out.deduction = in.deduction;
    out.rounded = fmt::roundHalfEven(v - out.szja - out.contribution - out.deduction);
    out.payable = in.transfer ? out.rounded : roundToFive(out.rounded);
    return out;
}

} // namespace zeror
