// Expressions and formats of text boxes, each case one line of a table.

#include "memorysource.h"
#include "testutil.h"

#include "reportengine/formatting.h"

#include <QDate>
#include <QDateTime>

namespace {

struct Fixture {
    MemorySource row;
    report::DataRegistry data;
    report::VariableStore vars;

    Fixture()
    {
        row.setRows({{
            {QStringLiteral("s_netto"), 1234.5},
            {QStringLiteral("s_neg"), -1234.5},
            {QStringLiteral("s_zero"), 0},
            {QStringLiteral("s_int"), 12},
            {QStringLiteral("s_big"), 1234567.891},
            {QStringLiteral("s_text_num"), QStringLiteral("1234.5")},
            {QStringLiteral("NÉV"), QStringLiteral("Búza Béla")},
            {QStringLiteral("adoszam"), QStringLiteral("12345678213")},
            {QStringLiteral("adoszam_num"), 12345678213LL},
            {QStringLiteral("datum"), QDate(2024, 3, 5)},
            {QStringLiteral("datum2"), QDate(2024, 2, 28)},
            {QStringLiteral("idopont"), QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15))},
            {QStringLiteral("datum_szoveg"), QStringLiteral("2024-03-05")},
            {QStringLiteral("ures"), QVariant()},
            {QStringLiteral("null_num"), QVariant(QMetaType::fromType<double>())},
            {QStringLiteral("igaz"), true},
            {QStringLiteral("szokozos"), QStringLiteral("  Ödön  ")},
        }});
        data.setSource(QStringLiteral("D"), &row);
        vars.set(QStringLiteral("v_far"), 100);
        vars.set(QStringLiteral("v_kar"), 23.5);
        vars.set(QStringLiteral("v_masolat"), QStringLiteral("MÁSOLAT"));
        vars.set(QStringLiteral("v_ures"), QString());
        vars.set(QStringLiteral("Cég neve"), QStringLiteral("Őszi Kft."));
    }

    QString eval(const QString& content, const QString& format = QString())
    {
        const report::PreparedReport p = prepareText(oneBoxTemplate(content, format), data, vars);
        const QStringList t = p.textsOf(QStringLiteral("T"));
        return t.isEmpty() ? QStringLiteral("<no text>") : t.first();
    }
};

struct Case {
    const char* content;
    const char* format;
    const char* expected;
};

void runCases(const std::vector<Case>& cases)
{
    Fixture f;
    for (const Case& c : cases) {
        const QString content = QString::fromUtf8(c.content);
        SCOPED_TRACE(std::string("content: ") + c.content + "  format: " + c.format);
        EXPECT_EQ(str(f.eval(content, QString::fromUtf8(c.format))), c.expected);
    }
}

}  // namespace

TEST(Expressions, Arithmetic)
{
    runCases({
        {"[1+2*3]", "", "7"},
        {"[(1+2)*3]", "", "9"},
        {"[10/4]", "", "2,5"},
        {"[10/0]", "", ""},
        {"[7-10]", "", "-3"},
        {"[-(2+3)*2]", "", "-10"},
        {"[--4]", "", "4"},
        {"[2*-3]", "", "-6"},
        {"[12.0]", "", "12"},
        {"[0.1+0.2]", "", "0,3"},
        {"[v_far+v_kar]", "", "123,5"},
        {"[V_FAR*2]", "", "200"},
        {"[D.\"s_netto\"*2]", "", "2469"},
        {"[D.\"S_NETTO\"-D.\"s_int\"]", "", "1222,5"},
        {"[d.s_netto/10]", "", "123,45"},
        {"[D.\"s_text_num\"*2]", "", "2469"},
        {"[D.\"null_num\"+5]", "", "5"},
        {"[-D.\"s_neg\"]", "", "1234,5"},
        {"[D.\"datum\"+1]", "", "2024.03.06"},
        {"[D.\"datum\"-D.\"datum2\"]", "", "6"},
        {"[ROUND(2.5)]", "", "3"},
        {"[ROUND(-2.5)]", "", "-3"},
        {"[ROUND(1.005, 2)]", "", "1,01"},
        {"[ABS(-7.25)]", "", "7,25"},
    });
}

TEST(Expressions, TextAndVariables)
{
    runCases({
        {"Szöveg zárójel nélkül", "", "Szöveg zárójel nélkül"},
        {"Nettó: [D.\"s_netto\"] Ft", "", "Nettó: 1234,5 Ft"},
        {"['Név: '+D.\"név\"]", "", "Név: Búza Béla"},
        {"[D.\"név\"+' ('+v_far+')']", "", "Búza Béla (100)"},
        {"[1+'2']", "", "12"},
        {"['It''s']", "", "It's"},
        {"[\"Cég neve\"]", "", "Őszi Kft."},
        {"[v_masolat]", "", "MÁSOLAT"},
        {"[[nem kifejezés]", "", "[nem kifejezés]"},
        {"[v_nincs]", "", ""},
        {"[D.\"nincs_ilyen_mezo\"]", "", ""},
        {"[D.\"ures\"]", "", ""},
        {"a[D.\"ures\"]b", "", "ab"},
        {"[D.\"ures\"+'x']", "", "x"},
        {"[TRIM(D.\"szokozos\")]!", "", "Ödön!"},
        {"[UPPER('árvíztűrő')]", "", "ÁRVÍZTŰRŐ"},
        {"[LOWER('ŐSZ')]", "", "ősz"},
        {"[LENGTH('ő ű')]", "", "3"},
        {"[STR(1234.5)+'!']", "", "1234,5!"},
        {"[1=1]", "", "igen"},
        {"[D.\"igaz\"]", "", "igen"},
        {"Sor 1\nSor 2", "", "Sor 1\nSor 2"},
    });
}

TEST(Expressions, Copy)
{
    runCases({
        {"[COPY(D.\"adoszam\",1,8)+'-'+COPY(D.\"adoszam\",9,1)+'-'+COPY(D.\"adoszam\",10,2)]", "", "12345678-2-13"},
        {"[COPY(D.\"adoszam_num\",1,8)+'-'+COPY(D.\"adoszam_num\",9,1)+'-'+COPY(D.\"adoszam_num\",10,2)]", "", "12345678-2-13"},
        {"[COPY('abc',3,5)]", "", "c"},
        {"[COPY('abc',4,1)]", "", ""},
        {"[COPY('abc',0,2)]", "", "ab"},
        {"[COPY('abc',2,0)]", "", ""},
        {"[COPY('Őrség',2)]", "", "rség"},
        {"[COPY(D.\"ures\",1,3)]", "", ""},
    });
}

TEST(Expressions, ConditionsAndComparisons)
{
    runCases({
        {"[IIF(D.\"s_netto\">1000,'nagy','kicsi')]", "", "nagy"},
        {"[IIF(D.\"s_netto\"<1000,'kicsi','nagy')]", "", "nagy"},
        {"[IIF(2<=2,'a','b')]", "", "a"},
        {"[IIF(2>=3,'a','b')]", "", "b"},
        {"[IIF(2<>3,'a','b')]", "", "a"},
        {"[IIF(2=2.0,'a','b')]", "", "a"},
        {"[IIF(D.\"név\"='Búza Béla','igen','nem')]", "", "igen"},
        {"[IIF('Búza'='búza','egy','kettő')]", "", "kettő"},
        {"[IIF('alma'<'körte','a','b')]", "", "a"},
        {"[IIF(D.\"ures\"='','üres','nem üres')]", "", "üres"},
        {"[IIF(v_ures='','nincs másolat',v_ures)]", "", "nincs másolat"},
        {"[IIF(v_masolat<>'',v_masolat,'eredeti')]", "", "MÁSOLAT"},
        {"[IIF(D.\"datum\">D.\"datum2\",'később','korábban')]", "", "később"},
        {"[IIF(D.\"datum\"=D.\"datum_szoveg\",'azonos','más')]", "", "azonos"},
        {"[IIF(1<2 AND 3<2,'x','y')]", "", "y"},
        {"[IIF(1<2 OR 3<2,'x','y')]", "", "x"},
        {"[IIF(NOT D.\"igaz\",'x','y')]", "", "y"},
        {"[IIF(D.\"s_zero\",'x','y')]", "", "y"},
        {"[IIF(1,D.\"s_netto\"*2,'-')]", "number:2", "2 469,00"},
    });
}

TEST(Expressions, NumberFormats)
{
    runCases({
        {"[D.\"s_netto\"]", "", "1234,5"},
        {"[D.\"s_netto\"]", "number:2", "1 234,50"},
        {"[D.\"s_neg\"]", "number:2", "-1 234,50"},
        {"[D.\"s_netto\"]", "number:0", "1 235"},
        {"[D.\"s_neg\"]", "number:0", "-1 235"},
        {"[D.\"s_netto\"]", "number:2:nogroup", "1234,50"},
        {"[D.\"s_big\"]", "number:2", "1 234 567,89"},
        {"[D.\"s_big\"]", "number:3", "1 234 567,891"},
        {"[D.\"s_zero\"]", "number:2", "0,00"},
        {"[D.\"s_zero\"]", "number:2:blankzero", ""},
        {"[D.\"s_int\"]", "number:2:blankzero", "12,00"},
        {"[-0.004]", "number:2", "0,00"},
        {"[999.5]", "number:0", "1 000"},
        {"[123]", "number:0", "123"},
        {"[1000]", "number:0", "1 000"},
        {"[-100000]", "number:0", "-100 000"},
        {"[D.\"s_text_num\"]", "number:1", "1 234,5"},
        {"[D.\"név\"]", "number:2", "Búza Béla"},
        {"[D.\"ures\"]", "number:2", ""},
        {"Összesen: [D.\"s_netto\"] Ft", "number:2", "Összesen: 1 234,50 Ft"},
        {"[FORMATNUMBER(1234567.891, 2)]", "", "1 234 567,89"},
        {"[FORMATNUMBER(1234567.891, 2, 0)]", "", "1234567,89"},
        {"[FORMATNUMBER(-1234.5, 2)]", "", "-1 234,50"},
        {"[FORMATNUMBER(2.675, 2)]", "", "2,68"},
        {"[FORMATNUMBER(-2.5, 0)]", "", "-3"},
        {"[FORMATNUMBER(0.5, 0)]", "", "1"},
        {"[FORMATNUMBER(D.\"s_netto\"*2, 1)]", "", "2 469,0"},
        {"[FORMATNUMBER(D.\"ures\", 2)]", "", ""},
        {"[FORMATNUMBER('abc', 2)]", "", "abc"},
    });
}

TEST(Expressions, DateFormats)
{
    runCases({
        {"[D.\"datum\"]", "", "2024.03.05"},
        {"[D.\"idopont\"]", "", "2024.03.05 14:30"},
        {"[D.\"datum\"]", "date:yyyy.MM.dd", "2024.03.05"},
        {"[D.\"datum\"]", "date:yyyy. MMMM d.", "2024. március 5."},
        {"[D.\"datum\"]", "date:yy.M.d", "24.3.5"},
        {"[D.\"datum_szoveg\"]", "date:yyyy.MM.dd", "2024.03.05"},
        {"[D.\"idopont\"]", "date:yyyy.MM.dd HH:mm:ss", "2024.03.05 14:30:15"},
        {"[D.\"ures\"]", "date:yyyy.MM.dd", ""},
        {"[FORMATDATE(D.\"datum\", 'yyyy.MM.dd')]", "", "2024.03.05"},
        {"[FORMATDATE(D.\"datum\", 'yyyy. MMM d., dddd')]", "", "2024. márc. 5., kedd"},
        {"[FORMATDATE(D.\"datum\", 'ddd')]", "", "K"},
        {"[FORMATDATE(D.\"datum\", '\"Kelt:\" yyyy.MM.dd.')]", "", "Kelt: 2024.03.05."},
        {"[FORMATDATE('2024.12.31.', 'MMMM')]", "", "december"},
        {"[FORMATDATE(D.\"ures\", 'yyyy')]", "", ""},
    });
}

TEST(Expressions, FormattingFunctionsDirectly)
{
    struct N {
        double v;
        int d;
        bool g;
        const char* expected;
    };
    const N cases[] = {
        {0, 0, true, "0"},         {-0.0, 2, true, "0,00"},   {1234.5, 2, true, "1 234,50"},
        {-1234.5, 2, false, "-1234,50"}, {123456789, 0, true, "123 456 789"},
        {12345678.9, 1, true, "12 345 678,9"}, {0.015, 2, true, "0,02"}, {-0.015, 2, true, "-0,02"},
        {1.4999999, 0, true, "1"}, {1e17, 0, true, "100 000 000 000 000 000"},
    };
    for (const N& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(str(report::formatNumber(c.v, c.d, c.g)), c.expected);
    }
    EXPECT_EQ(str(report::formatGeneralNumber(1234.5)), "1234,5");
    EXPECT_EQ(str(report::formatGeneralNumber(12.0)), "12");
    EXPECT_EQ(str(report::formatGeneralNumber(-0.25)), "-0,25");
    EXPECT_EQ(str(report::formatGeneralNumber(1e20)), "1e+20");
    EXPECT_EQ(str(report::formatDate(QDate(2024, 1, 7), QStringLiteral("dddd, d. MMMM"))), "vasárnap, 7. január");
}

TEST(Expressions, BadExpressionsAreLoadErrors)
{
    struct Bad {
        const char* content;
        const char* inError;
    };
    const Bad cases[] = {
        {"[1+]", "unexpected end"},
        {"[FOO(1)]", "unknown function"},
        {"[COPY(1)]", "COPY takes"},
        {"[IIF(1,2)]", "IIF takes"},
        {"[SUM(SUM(1))]", "cannot contain"},
        {"[1+2", "without a closing"},
        {"['abc]", "without a closing"},
        {"[(1+2]", "')' expected"},
        {"[PAGEX#]", "unknown name"},
        {"[1 2]", "unexpected '2'"},
        {"[D.]", "field name expected"},
        {"[2 $ 3]", "unexpected character"},
        {"[SUM(1, 'NincsIlyen')]", "unknown band"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.content);
        report::Report r;
        QString error;
        EXPECT_FALSE(r.loadFromString(oneBoxTemplate(QString::fromUtf8(c.content)), QStringLiteral("Hibas.frf"), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("Hibas.frf"))) << str(error);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.inError))) << str(error);
    }
}

TEST(Expressions, BadFormatsAreLoadErrors)
{
    for (const char* fmt : {"numbr:2", "number:x", "number:2:fancy"}) {
        SCOPED_TRACE(fmt);
        report::Report r;
        QString error;
        EXPECT_FALSE(r.loadFromString(oneBoxTemplate(QStringLiteral("[1]"), QString::fromUtf8(fmt)),
                                      QStringLiteral("Format.frf"), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("Format.frf"))) << str(error);
    }
}
