#include "Formats.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zeror::fmt;

namespace {

// The program's own conversions must not follow whatever locale is the default, so the number
// and date tables run under each of these.
const QLocale kLocales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                            QLocale(QLocale::Hungarian, QLocale::Hungary),
                            QLocale(QLocale::German, QLocale::Germany)};

class Formats : public testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(Formats, FormatNumberShortestWithComma)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {12.0, "12"},
        {12.5, "12,5"},
        {-3.5, "-3,5"},
        {0.1, "0,1"},
        {0.1 + 0.2, "0,3"},
        {1234567.25, "1234567,25"},
        {8500.85, "8500,85"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.0001, "0,0001"},
        {-0.0001, "-0,0001"},
        {99999999999999.0, "99999999999999"},
        {123456789012.3456, "123456789012,346"},
        {1234567890.1234, "1234567890,1234"},
    };
    for (const QLocale& loc : kLocales) {
        QLocale::setDefault(loc);
        for (const auto& c : cases)
            EXPECT_EQ(formatNumber(c.v), QString::fromLatin1(c.text))
                << c.text << " under " << loc.name().toStdString();
    }
}

TEST_F(Formats, ParseNumberAcceptsCommaOnly)
{
    const struct {
        const char* text;
        bool ok;
        double v;
    } cases[] = {
        {"12", true, 12},
        {"12,5", true, 12.5},
        {" 12,5 ", true, 12.5},
        {"-3,5", true, -3.5},
        {"0,1", true, 0.1},
        {",5", true, 0.5},
        {"5,", true, 5},
        {"-0", true, 0},
        {"1234567,25", true, 1234567.25},
        {"00012", true, 12},
        {"", false, 0},
        {"   ", false, 0},
        {"-", false, 0},
        {",", false, 0},
        {"-,", false, 0},
        {"12.5", false, 0},
        {"12,5,3", false, 0},
        {"1 000", false, 0},
        {"+5", false, 0},
        {"--5", false, 0},
        {"5-", false, 0},
        {"1e5", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"inf", false, 0},
    };
    for (const QLocale& loc : kLocales) {
        QLocale::setDefault(loc);
        for (const auto& c : cases) {
            double v = -777;
            EXPECT_EQ(parseNumber(QString::fromLatin1(c.text), &v), c.ok) << '"' << c.text << '"';
            EXPECT_DOUBLE_EQ(v, c.ok ? c.v : -777) << '"' << c.text << '"';
        }
    }
    // Unicode digits other than 0-9 are not digits of a field.
    EXPECT_FALSE(parseNumber(QStringLiteral("١٢"), nullptr));
}

TEST_F(Formats, FormatThenParseGivesTheValueBack)
{
    const double values[] = {0.0001, 12.3456, -987654.321, 1234567.25, 99999999999.9999, 8500.85};
    for (double v : values) {
        double back = 0;
        ASSERT_TRUE(parseNumber(formatNumber(v), &back)) << v;
        EXPECT_DOUBLE_EQ(back, v);
    }
}

TEST_F(Formats, ParseInteger)
{
    const struct {
        const char* text;
        bool ok;
        qint64 v;
    } cases[] = {
        {"42", true, 42},
        {" -7 ", true, -7},
        {"0", true, 0},
        {"007", true, 7},
        {"9223372036854775807", true, std::numeric_limits<qint64>::max()},
        {"-9223372036854775808", true, std::numeric_limits<qint64>::min()},
        {"9223372036854775808", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"+1", false, 0},
        {"1,5", false, 0},
        {"1.5", false, 0},
        {"1 2", false, 0},
        {"12a", false, 0},
    };
    for (const auto& c : cases) {
        qint64 v = -777;
        EXPECT_EQ(parseInteger(QString::fromLatin1(c.text), &v), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(v, c.ok ? c.v : -777) << '"' << c.text << '"';
    }
}

TEST_F(Formats, FormatDateYearFirst)
{
    const struct {
        QDate d;
        const char* text;
    } cases[] = {
        {QDate(2016, 1, 31), "2016.01.31"},
        {QDate(2016, 12, 5), "2016.12.05"},
        {QDate(1999, 2, 28), "1999.02.28"},
        {QDate(), ""},
    };
    for (const QLocale& loc : kLocales) {
        QLocale::setDefault(loc);
        for (const auto& c : cases)
            EXPECT_EQ(formatDate(c.d), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST_F(Formats, ParseDateStrict)
{
    const struct {
        const char* text;
        QDate d; // invalid: refused
    } cases[] = {
        {"2016.01.31", QDate(2016, 1, 31)},
        {"2016.1.5", QDate(2016, 1, 5)},
        {"2016.01.31.", QDate(2016, 1, 31)},
        {" 2016.02.29 ", QDate(2016, 2, 29)},
        {"2000.02.29", QDate(2000, 2, 29)},
        {"2016.02.30", QDate()},
        {"2015.02.29", QDate()},
        {"1900.02.29", QDate()},
        {"2016.13.01", QDate()},
        {"2016.00.10", QDate()},
        {"2016.01.00", QDate()},
        {"2016.04.31", QDate()},
        {"16.01.31", QDate()},
        {"02016.01.31", QDate()},
        {"2016.001.01", QDate()},
        {"2016-01-31", QDate()},
        {"2016/01/31", QDate()},
        {"2016.01.31..", QDate()},
        {"2016. 01. 31.", QDate()},
        {"2016.01", QDate()},
        {"2016.01.31x", QDate()},
        {"", QDate()},
    };
    for (const QLocale& loc : kLocales) {
        QLocale::setDefault(loc);
        for (const auto& c : cases) {
            QDate d(1111, 1, 1);
            EXPECT_EQ(parseDate(QString::fromLatin1(c.text), &d), c.d.isValid()) << c.text;
            EXPECT_EQ(d, c.d.isValid() ? c.d : QDate(1111, 1, 1)) << c.text;
        }
    }
}

TEST_F(Formats, RoundHalfEven)
{
    const struct {
        double v;
        qint64 r;
    } cases[] = {
        {1000.5, 1000},
        {1001.5, 1002},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {-2.5, -2},
        {-1237.5, -1238},
        {2.4999, 2},
        {2.5001, 3},
        {-0.4, 0},
        {-1234.6, -1235},
        {8500.85, 8501},
        {8500.15, 8500},
        // products that stand for an exact decimal half, landing just below or above it
        {0.575 * 100, 58},  // 57.49999999999999
        {0.545 * 100, 54},  // 54.50000000000001
        {1.015 * 100, 102}, // 101.49999999999999
        {std::nan(""), 0},
        {1e30, std::numeric_limits<qint64>::max()},
        {-1e30, std::numeric_limits<qint64>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.v), c.r) << c.v;
}

TEST_F(Formats, FormatGroupedByThousands)
{
    const struct {
        double v;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 0, "0"},
        {999, 0, "999"},
        {1000, 0, "1 000"},
        {10001, 0, "10 001"},
        {123456, 0, "123 456"},
        {-1234567, 0, "-1 234 567"},
        {999.5, 0, "1 000"},
        {1000.5, 0, "1 000"},
        {-0.4, 0, "0"},
        {1234.5, 2, "1 234,50"},
        {0, 2, "0,00"},
        {-0.004, 2, "0,00"},
        {-12.3, 1, "-12,3"},
        {1234567.891, 3, "1 234 567,891"},
        {1.125, 2, "1,12"},
        {0.575, 2, "0,58"},
        {0.545, 2, "0,54"},
        {12, -1, "12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatGrouped(c.v, c.decimals), QString::fromLatin1(c.text))
            << c.v << " with " << c.decimals;
}

TEST_F(Formats, FormatPlainWhole)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {-1234.6, "-1235"}, {1000.5, "1000"}, {1001.5, "1002"},
        {-0.4, "0"},        {12345678, "12345678"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPlain(c.v), QString::fromLatin1(c.text)) << c.v;
}

TEST_F(Formats, ProcessFormatsGiveQtADecimalComma)
{
    applyProcessFormats();
    const QLocale loc;
    EXPECT_EQ(loc.decimalPoint(), QStringLiteral(","));
    EXPECT_EQ(loc.toString(1234.5), QStringLiteral("1234,5"));
    EXPECT_EQ(loc.toString(1234567), QStringLiteral("1234567"));
    bool ok = false;
    EXPECT_DOUBLE_EQ(loc.toDouble(QStringLiteral("12,5"), &ok), 12.5);
    EXPECT_TRUE(ok);
}

} // namespace
