// How grids show numbers: money with two decimals, quantities with up to four, thousands
// grouped by a blank; texts, dates and NULL as before.
#include "GridFormats.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace zeror;

TEST(GridFormats, NumbersByKind)
{
    using gridfmt::Kind;
    const struct {
        QVariant value;
        Kind kind;
        const char* shown;
    } cases[] = {
        {58376.41875, Kind::Money, "58 376,42"},
        {4086.3493125, Kind::Quantity, "4 086,3493"},
        {1250.0, Kind::Quantity, "1 250"},
        {48.5, Kind::Quantity, "48,5"},
        {48.5, Kind::Money, "48,50"},
        {-10001.0, Kind::Money, "-10 001,00"},
        {123456789.5, Kind::Money, "123 456 789,50"},
        {-0.00001, Kind::Quantity, "0"},
        {0.0, Kind::Money, "0,00"},
        {QVariant(), Kind::Money, ""},
        {QStringLiteral("Búza"), Kind::Money, "Búza"},
        {QDate(2016, 3, 5), Kind::Quantity, "2016.03.05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gridfmt::text(c.value, c.kind), QString::fromUtf8(c.shown)) << c.shown;
}

TEST(GridFormats, AmountColumnsAreMoney)
{
    for (const char* f : {"S_VETELAR", "s_felvar", "S_KOMPFELAR", "S_EAR", "F_MUVKTG", "F_SUMVAR", "t_Ear", "far",
                          "KIFIZETETT"})
        EXPECT_EQ(gridfmt::kindOfField(QString::fromLatin1(f)), gridfmt::Kind::Money) << f;
    for (const char* f : {"S_BRUTTO", "S_NETTO", "S_KOMPMERTEKE", "F_SZJA", "mennyiseg", "S_LEVONSZAZ"})
        EXPECT_EQ(gridfmt::kindOfField(QString::fromLatin1(f)), gridfmt::Kind::Quantity) << f;
}
