#include "TextHelpers.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zeror;

namespace {

struct IdCase {
    const char* text;
    bool valid;
};

void PrintTo(const IdCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

// ---- Tax identifier: digits 1-9 weighted 1..9, sum mod 11 is digit 10 ----

class TaxIdentifier : public testing::TestWithParam<IdCase> {};

TEST_P(TaxIdentifier, CheckDigit)
{
    EXPECT_EQ(adoazonEllenorzes(QString::fromUtf8(GetParam().text)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TaxIdentifier,
    testing::Values(
        // 8*1+1*2+2*3+3*4+4*5+5*6+6*7+7*8+8*9 = 248, 248 mod 11 = 6
        IdCase{"8123456786", true},
        IdCase{"8123456785", false},
        IdCase{"8123456787", false},
        // 8+2+6+12+20+30+42+56+0 = 176 = 16*11, so the check digit is 0
        IdCase{"8123456700", true},
        IdCase{"8123456701", false},
        // 8*1 + 9*9 = 89, 89 mod 11 = 1
        IdCase{"8000000091", true},
        IdCase{"0000000000", true},
        // a transposition of two digits changes the weighted sum
        IdCase{"8213456786", false},
        // too short, non-digits at tested positions
        IdCase{"", false},
        IdCase{"812345678", false},
        IdCase{"812345678X", false},
        IdCase{"81234A6786", false},
        IdCase{" 123456786", false},
        IdCase{"812345678-6", false}));

TEST(TaxIdentifierRemainderTen, NoTenthDigitMatches)
{
    // 8*1 + 1*2 = 10: a remainder of 10 can never be written as one digit.
    for (char d = '0'; d <= '9'; ++d) {
        const QString s = QStringLiteral("810000000") + QChar::fromLatin1(d);
        EXPECT_FALSE(adoazonEllenorzes(s)) << s.toStdString();
    }
}

// ---- Tax number: digits 1-7 weighted 9,7,3,1,9,7,3, (10 - sum mod 10) mod 10 is digit 8 ----

class TaxNumber : public testing::TestWithParam<IdCase> {};

TEST_P(TaxNumber, CheckDigit)
{
    EXPECT_EQ(adoszamEllenorzes(QString::fromUtf8(GetParam().text)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TaxNumber,
    testing::Values(
        // 9+14+9+4+45+42+21 = 144, (10 - 4) mod 10 = 6
        IdCase{"12345676123", true},
        IdCase{"12345675123", false},
        IdCase{"12345677123", false},
        // 9+7+3+1+9+7+3 = 39, (10 - 9) mod 10 = 1
        IdCase{"11111111242", true},
        // sum 0: (10 - 0) mod 10 = 0, not 10
        IdCase{"00000000000", true},
        // 2*9+4*7+6*3+8+0+2*7+4*3 = 98, (10 - 8) mod 10 = 2
        IdCase{"24680242241", true},
        IdCase{"", false},
        IdCase{"1234567", false},
        IdCase{"12345676", false},
        IdCase{"1234567612", false},
        IdCase{"1234567X123", false},
        IdCase{"A2345676123", false}));

TEST(TaxNumberTail, DigitsNineToElevenDoNotMatter)
{
    const struct {
        const char* head; // digits 1-8
        bool valid;
    } bases[] = {{"12345676", true}, {"12345670", false}, {"24680242", true}};
    const char* tails[] = {"000", "123", "999", "542"};
    for (const auto& b : bases) {
        for (const char* t : tails) {
            const QString s = QString::fromLatin1(b.head) + QString::fromLatin1(t);
            EXPECT_EQ(adoszamEllenorzes(s), b.valid) << s.toStdString();
        }
    }
}

// ---- Social-security number: digits 1-8 weighted 3,7,3,7,..., sum mod 10 is digit 9 ----

class SocialSecurity : public testing::TestWithParam<IdCase> {};

TEST_P(SocialSecurity, CheckDigit)
{
    EXPECT_EQ(tajEllenorzes(QString::fromUtf8(GetParam().text)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SocialSecurity,
    testing::Values(
        // 3+14+9+28+15+42+21+56 = 188
        IdCase{"123456788", true},
        IdCase{"123456789", false},
        // 4*(3+7) = 40
        IdCase{"111111110", true},
        IdCase{"111111111", false},
        // 27+56+21+42+15+28+9+14 = 212
        IdCase{"987654322", true},
        IdCase{"000000000", true},
        IdCase{"000000017", true},
        IdCase{"000000071", false},
        IdCase{"", false},
        IdCase{"12345678", false},
        IdCase{"12345678X", false},
        IdCase{"1234 6788", false}));

// ---- Name split ----

struct NameCase {
    const char* name;
    const char* head;
    const char* tail;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << '"' << c.name << '"';
}

class NameSplitAtLastBlank : public testing::TestWithParam<NameCase> {};

TEST_P(NameSplitAtLastBlank, HeadAndTail)
{
    const NameSplit r = ujnev(QString::fromUtf8(GetParam().name));
    EXPECT_EQ(r.head, QString::fromUtf8(GetParam().head));
    EXPECT_EQ(r.tail, QString::fromUtf8(GetParam().tail));
}

INSTANTIATE_TEST_SUITE_P(Cases, NameSplitAtLastBlank,
                         testing::Values(NameCase{"A B", "A ", "B"},
                                         NameCase{"A B C", "A B ", "C"},
                                         NameCase{"A", " ", "A"},
                                         NameCase{"", " ", ""},
                                         NameCase{"A ", "A ", ""},
                                         NameCase{" A", " ", "A"},
                                         NameCase{"Kiss  Éva", "Kiss  ", "Éva"},
                                         NameCase{"Dr. Nagy Ödön Béla", "Dr. Nagy Ödön ",
                                                  "Béla"}));

// ---- Street line ----

TEST(StreetLine, AlwaysEightPartsWithSingleBlanks)
{
    const struct {
        QStringList parts;
        const char* expected;
    } cases[] = {
        {{"XI.", "Fő", "utca", "12", "A", "2", "3", "4"}, "XI. Fő utca 12 A 2 3 4"},
        {{" XI. ", "  Fő", "utca  ", "12", "", "", "", ""}, "XI. Fő utca 12    "},
        {{"", "Petőfi", "tér", "1", "", "", "", ""}, " Petőfi tér 1    "},
        {{"", "Kossuth", "utca", "3", "", "", "2", "5"}, " Kossuth utca 3   2 5"},
        {{}, "       "},
        {{"", "", "", "", "", "", "", ""}, "       "},
        {{"Fő"}, "Fő       "},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "1 2 3 4 5 6 7 8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(streetLine(c.parts), QString::fromUtf8(c.expected)) << c.expected;
}

// ---- XML date ----

TEST(XmlDatum, ReordersSeparators)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"2016.03.05", "2016-03-05"},
        {"1999.12.31", "1999-12-31"},
        {"2016.03.05.", "2016-03-05"},
        {"2016.03", "2016-03-"},
        {"", "--"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xmlDatum(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// ---- Numbers in words ----

struct WordsCase {
    const char* digits;
    const char* words;
};

TEST(ThreeDigitsInWords, Groups)
{
    const WordsCase cases[] = {
        {"000", ""},
        {"001", "egy"},
        {"002", "kettö"},
        {"009", "kilenc"},
        {"010", "tíz"},
        {"011", "tizenegy"},
        {"019", "tizenkilenc"},
        {"020", "húsz"},
        {"021", "huszonegy"},
        {"030", "harminc"},
        {"099", "kilencvenkilenc"},
        {"100", "száz"},
        {"101", "százegy"},
        {"110", "száztíz"},
        {"120", "százhúsz"},
        {"200", "kettöszáz"},
        {"305", "háromszázöt"},
        {"999", "kilencszázkilencvenkilenc"},
        // missing characters count as zero instead of crashing
        {"", ""},
        {"1", "száz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(threeDigitsInWords(QString::fromUtf8(c.digits)), QString::fromUtf8(c.words))
            << c.digits;
}

TEST(AmountInWords, Amounts)
{
    const struct {
        qint32 n;
        const char* words;
    } cases[] = {
        {0, "nulla"},
        {5, "öt "},
        {10, "tíz "},
        {11, "tizenegy "},
        {12, "tizenkettö "},
        {20, "húsz "},
        {21, "huszonegy "},
        {100, "száz "},
        {110, "száztíz "},
        {200, "kettöszáz "},
        {1000, "egyezer-"},
        {1001, "egyezer-egy "},
        {2016, "kettöezer-tizenhat "},
        {8500, "nyolcezer-ötszáz "},
        {1000000, "egymillió-"},
        {1000001, "egymillió-egy "},
        {1500000, "egymillió-ötszázezer-"},
        {2000000000, "kettömilliárd-"},
        {-25, "mínusz huszonöt "},
        {-1000, "mínusz egyezer-"},
        {INT_MAX, "kettömilliárd-száznegyvenhétmillió-négyszáznyolcvanháromezer-"
                  "hatszáznegyvenhét "},
        {INT_MIN, "mínusz kettömilliárd-száznegyvenhétmillió-négyszáznyolcvanháromezer-"
                  "hatszáznegyvennyolc "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(amountInWords(c.n), QString::fromUtf8(c.words)) << c.n;
}

} // namespace
