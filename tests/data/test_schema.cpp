// The schema: columns the program relies on, and the amounts the database derives.
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace zeror;

namespace {

class SchemaTest : public ::testing::Test
{
protected:
    test::TestDatabase db{DatabaseSetup::Content::Minimal};
    TData& data = db.data();

    void insertLine(const QString& number, double quantity, double deduction, double price, double rate)
    {
        data.ZQ21.setSql({QStringLiteral("INSERT INTO fjsor (s_bszam, s_brutto, s_levonszaz, s_ear, s_kompmerteke)"),
                          QStringLiteral("  VALUES (:p1, :p2, :p3, :p4, :p5)")});
        data.ZQ21.setText(QStringLiteral("p1"), number);
        data.ZQ21.setDouble(QStringLiteral("p2"), quantity);
        data.ZQ21.setDouble(QStringLiteral("p3"), deduction);
        data.ZQ21.setDouble(QStringLiteral("p4"), price);
        data.ZQ21.setDouble(QStringLiteral("p5"), rate);
        data.ZQ21.exec();
        data.commit();
    }
};

TEST_F(SchemaTest, LineAmountsFollowTheirRelations)
{
    insertLine(QStringLiteral("1"), 120, 10, 150, 12);
    insertLine(QStringLiteral("2"), -120, 10, 150, 12);
    data.ZQ21.setSql({QStringLiteral("SELECT * FROM fjsor ORDER BY id_fjsor")});
    data.ZQ21.open();
    ASSERT_EQ(data.ZQ21.rowCount(), 2);
    const double expected[] = {12, 108, 16200, 1944, 18144};
    const char* fields[] = {"S_LEVONAS", "S_NETTO", "S_FELVAR", "S_KOMPFELAR", "S_VETELAR"};
    for (int row = 0; row < 2; ++row) {
        data.ZQ21.setRecNo(row);
        const double sign = row == 0 ? 1 : -1;
        for (int i = 0; i < 5; ++i)
            EXPECT_DOUBLE_EQ(data.ZQ21.number(QString::fromLatin1(fields[i])), sign * expected[i]) << fields[i];
        EXPECT_DOUBLE_EQ(data.ZQ21.number(QStringLiteral("S_VETELAR")),
                         data.ZQ21.number(QStringLiteral("S_FELVAR")) + data.ZQ21.number(QStringLiteral("S_KOMPFELAR")));
        EXPECT_DOUBLE_EQ(data.ZQ21.number(QStringLiteral("S_NETTO")),
                         data.ZQ21.number(QStringLiteral("S_BRUTTO")) - data.ZQ21.number(QStringLiteral("S_LEVONAS")));
    }
}

TEST_F(SchemaTest, LineWithoutDeductionKeepsItsQuantity)
{
    insertLine(QStringLiteral("3"), 35.5, 0, 48.5, 7);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT s_netto FROM fjsor")), QStringLiteral("35,5"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT s_felvar FROM fjsor")), QStringLiteral("1721,75"));
}

TEST_F(SchemaTest, WithheldAmountsFollowThePayableAmountRule)
{
    struct Case
    {
        double sum;
        int szja;
        double contribution;
        double szjaAmount;
        double contributionAmount;
    } cases[] = {
        {10000, 15, 0, 1500, 0},
        {10001, 15, 0, 1500.15, 0},
        {10000, 16, 2, 1600, 168},
        {-1237, 0, 0, 0, 0},
        {-10000, 16, 2, -1600, -168},
    };
    for (const Case& c : cases) {
        db.exec(QStringLiteral("DELETE FROM fjfej"));
        data.ZQ11.setSql({QStringLiteral("INSERT INTO fjfej (f_bszam, f_sumvar, f_szja, f_jarulszaz) VALUES ('1', :p1, :p2, :p3)")});
        data.ZQ11.setDouble(QStringLiteral("p1"), c.sum);
        data.ZQ11.setInteger(QStringLiteral("p2"), c.szja);
        data.ZQ11.setDouble(QStringLiteral("p3"), c.contribution);
        data.ZQ11.exec();
        data.commit();
        data.ZQ11.setSql({QStringLiteral("SELECT f_szjalevon, f_tagilevon FROM fjfej")});
        data.ZQ11.open();
        EXPECT_NEAR(data.ZQ11.number(QStringLiteral("f_szjalevon")), c.szjaAmount, 1e-9) << c.sum;
        EXPECT_NEAR(data.ZQ11.number(QStringLiteral("f_tagilevon")), c.contributionAmount, 1e-9) << c.sum;
    }
}

TEST_F(SchemaTest, NumbersDefaultToOneBlankAndKeysAreAssigned)
{
    db.exec(QStringLiteral("INSERT INTO fjfej (f_akod) VALUES ('00001')"));
    db.exec(QStringLiteral("INSERT INTO fjsor (s_akod) VALUES ('00001')"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT '[' || f_bszam || ']' FROM fjfej")), QStringLiteral("[ ]"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM fjsor WHERE s_bszam = ' ' AND id_fjsor IS NOT NULL")),
              QStringLiteral("1"));
}

TEST_F(SchemaTest, ColumnsHaveTheirWidthsAndCollation)
{
    struct Case
    {
        const char* table;
        const char* column;
        int length;
    } cases[] = {
        {"FJFEJ", "F_BSZAM", 8},      {"FJFEJ", "F_MEGJ", 200},      {"FJFEJ", "F_NYILATK", 250},
        {"FJSOR", "S_MEGNEVEZES", 75}, {"OSTERMELO", "O_NEV", 45},    {"OSTERMELO", "O_IRSZAM", 4},
        {"OSTERMELO", "O_KAMARA", 20}, {"OSTERMELO", "O_BETETLAP", 12}, {"OSTERMELO", "O_FELIR", 12},
        {"OSTERMELO", "O_KOZADOSZAM", 20}, {"TERMEK", "T_KOD", 5},   {"ATVEVO", "V_NEVE", 75},
        {"SORSZAM", "A_FJBSZAM", 8},   {"NAVFEJ", "KI_NEV", 75},      {"NAVFEJ", "VE_NEV", 45},
    };
    for (const Case& c : cases) {
        const QString sql = QStringLiteral(
                                "SELECT f.rdb$character_length FROM rdb$relation_fields rf "
                                "JOIN rdb$fields f ON f.rdb$field_name = rf.rdb$field_source "
                                "WHERE rf.rdb$relation_name = '%1' AND rf.rdb$field_name = '%2'")
                                .arg(QString::fromLatin1(c.table), QString::fromLatin1(c.column));
        EXPECT_EQ(db.scalar(sql), QString::number(c.length)) << c.table << "." << c.column;
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT TRIM(c.rdb$collation_name) FROM rdb$relation_fields rf "
                                       "JOIN rdb$collations c ON c.rdb$collation_id = rf.rdb$collation_id "
                                       "AND c.rdb$character_set_id = 51 "
                                       "WHERE rf.rdb$relation_name = 'OSTERMELO' AND rf.rdb$field_name = 'O_FELIR'")),
              QStringLiteral("PXW_HUNDC"));
}

} // namespace
