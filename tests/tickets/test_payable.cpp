// The payable-amount rule shared by the entry screen and the ticket printout.
#include "PayableAmount.h"
#include "TicketEntry.h"

#include <gtest/gtest.h>

using namespace zeror;

namespace {

struct PayableCase
{
    const char* what;
    double v;
    double szja;
    double contribution;
    double deduction;
    bool transfer;
    double expectSzja;
    double expectContribution;
    qint64 expectRounded;
    qint64 expectPayable;
};

const PayableCase kCases[] = {
    {"15 % in cash", 10000, 15, 0, 0, false, 1500, 0, 8500, 8500},
    {"15 % of 10 001 in cash rounds 8 501 down to 5", 10001, 15, 0, 0, false, 1500.15, 0, 8501, 8500},
    {"15 % of 10 001 by transfer stays whole forints", 10001, 15, 0, 0, true, 1500.15, 0, 8501, 8501},
    {"a half forint goes to the even 1 000", 1000.5, 0, 0, 0, true, 0, 0, 1000, 1000},
    {"a half forint goes to the even 1 002", 1001.5, 0, 0, 0, true, 0, 0, 1002, 1002},
    {"contribution is taken from what the tax leaves", 10000, 16, 2, 0, false, 1600, 168, 8232, 8230},
    {"a voiding ticket keeps its sign in cash", -1237, 0, 0, 0, false, 0, 0, -1237, -1235},
    {"remainder 3 rounds up in cash", 1003, 0, 0, 0, false, 0, 0, 1003, 1005},
    {"remainder -3 rounds away from zero in cash", -1238, 0, 0, 0, false, 0, 0, -1238, -1240},
    {"the deduction is taken last", 10000, 15, 0, 500, false, 1500, 0, 8000, 8000},
    {"no lines give nothing to pay", 0, 15, 2, 0, false, 0, 0, 0, 0},
};

class PayableRule : public ::testing::TestWithParam<PayableCase>
{
};

TEST_P(PayableRule, GivesTheAmounts)
{
    const PayableCase& c = GetParam();
    PayableInput in;
    in.purchasePrice = c.v;
    in.szjaPercent = c.szja;
    in.contributionPercent = c.contribution;
    in.deduction = c.deduction;
    in.transfer = c.transfer;
    const PayableAmount out = computePayable(in);
    EXPECT_NEAR(out.szja, c.expectSzja, 1e-9) << c.what;
    EXPECT_NEAR(out.contribution, c.expectContribution, 1e-9) << c.what;
    EXPECT_EQ(out.rounded, c.expectRounded) << c.what;
    EXPECT_EQ(out.payable, c.expectPayable) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, PayableRule, ::testing::ValuesIn(kCases));

TEST(PayableRule, CashIsAlwaysAMultipleOfFiveWithinTwoForints)
{
    for (qint64 r = -40; r <= 40; ++r) {
        PayableInput in;
        in.purchasePrice = static_cast<double>(r);
        const qint64 p = computePayable(in).payable;
        EXPECT_EQ(p % 5, 0) << r;
        EXPECT_LE(std::llabs(p - r), 2) << r;
    }
}

TEST(PayableRule, ReadsTheHeaderFieldsWithTheDecimalComma)
{
    const auto in = ticketentry::payableInput(QStringLiteral("16"), QStringLiteral("2,5"), QStringLiteral("100,5"),
                                              true, 10000);
    ASSERT_TRUE(in.has_value());
    EXPECT_DOUBLE_EQ(in->szjaPercent, 16);
    EXPECT_DOUBLE_EQ(in->contributionPercent, 2.5);
    EXPECT_DOUBLE_EQ(in->deduction, 100.5);
    EXPECT_TRUE(in->transfer);
    for (const char* bad : {"12,5,3", "", " ", "1.5", "-"}) {
        EXPECT_FALSE(ticketentry::payableInput(QString::fromLatin1(bad), QStringLiteral("0"), QStringLiteral("0"),
                                               false, 1)
                         .has_value())
            << bad;
    }
}

TEST(TicketTotals, AreFormattedAsTheScreenShowsThem)
{
    const ticketentry::TicketTotals t = ticketentry::formatTotals({9345.5, 1121.46, 10466.96}, -1235,
                                                                  {1234567.5, 0.5, 1234568.4});
    EXPECT_EQ(t.far, QStringLiteral("9346"));      // half to even
    EXPECT_EQ(t.kfelar, QStringLiteral("1121"));
    EXPECT_EQ(t.var, QStringLiteral("10 467"));    // grouped
    EXPECT_EQ(t.payable, QStringLiteral("-1235"));
    EXPECT_EQ(t.producerFar, QStringLiteral("1 234 568"));
    EXPECT_EQ(t.producerKfelar, QStringLiteral("0"));
    EXPECT_EQ(t.producerVar, QStringLiteral("1 234 568"));
}

} // namespace
