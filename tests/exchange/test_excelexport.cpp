// The Excel export of the ticket lines and the producers against a real database: which rows the
// two queries gather, and the workbooks they give, read back by xlrd and FreeXL.
#include "ExcelExport.h"
#include "ExcelTestData.h"
#include "WorkbookReaders.h"

#include "AppSettings.h"
#include "Clock.h"
#include "Error.h"
#include "Query.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;

namespace {

class ExcelExportTest : public ::testing::Test
{
protected:
    void SetUp() override { insertExcelYear(db); }

    QStringList gatheredTicketNumbersAndNames(excel::DateKind kind, const QDate& from, const QDate& to,
                                              const QString& buyer = QStringLiteral("00001"))
    {
        excel::gatherTickets(query, from, to, kind, buyer);
        QStringList out;
        for (int r = 0; r < query.rowCount(); ++r)
            out << query.valueAt(r, 5).toString() + QLatin1Char(' ') + query.valueAt(r, 6).toString();
        return out;
    }

    TestDatabase db{DatabaseSetup::Content::Demo};
    Query query{&db.data().connection(), QStringLiteral("excel")};
};

ReadCell t(const QString& s)
{
    ReadCell c;
    c.type = CellType::Text;
    c.text = s;
    return c;
}
ReadCell n(double v)
{
    ReadCell c;
    c.type = CellType::Number;
    c.number = v;
    return c;
}
ReadCell d(const char* iso)
{
    ReadCell c;
    c.type = CellType::Date;
    c.text = QString::fromLatin1(iso);
    return c;
}
const ReadCell e{};

} // namespace

TEST_F(ExcelExportTest, PeriodBoundsAreInclusiveForTheChosenDateKindOnly)
{
    const QDate from(2016, 1, 1), to(2016, 12, 31);
    EXPECT_EQ(gatheredTicketNumbersAndNames(excel::DateKind::Payment, from, to),
              (QStringList{QStringLiteral("20160001 Őszibarack"), QStringLiteral("20160001 Körte ű"),
                           QStringLiteral("20160004 Dió")}));
    EXPECT_EQ(gatheredTicketNumbersAndNames(excel::DateKind::Purchase, from, to),
              (QStringList{QStringLiteral("20160001 Őszibarack"), QStringLiteral("20160001 Körte ű"),
                           QStringLiteral("20160002 Szilva"), QStringLiteral("20160004 Dió")}));
    EXPECT_EQ(gatheredTicketNumbersAndNames(excel::DateKind::Payment, QDate(2016, 1, 5), QDate(2016, 1, 5)),
              (QStringList{QStringLiteral("20160001 Őszibarack"), QStringLiteral("20160001 Körte ű")}));
}

TEST_F(ExcelExportTest, BuyersSharingATicketNumberAreNeverMixed)
{
    const QDate from(2016, 1, 1), to(2016, 12, 31);
    // Without the buyer in the join, buyer 00002's line would ride on buyer 00001's header and
    // buyer 00001's lines would appear twice.
    const QStringList first = gatheredTicketNumbersAndNames(excel::DateKind::Payment, from, to);
    EXPECT_FALSE(first.contains(QStringLiteral("20160001 Másik vevő sora")));
    EXPECT_EQ(first.count(QStringLiteral("20160001 Őszibarack")), 1);
    EXPECT_EQ(gatheredTicketNumbersAndNames(excel::DateKind::Payment, from, to, QStringLiteral("00002")),
              QStringList{QStringLiteral("20160001 Másik vevő sora")});
}

TEST_F(ExcelExportTest, TicketWorkbookHoldsEveryFieldWithItsType)
{
    QTemporaryDir out;
    excel::gatherTickets(query, QDate(2016, 1, 1), QDate(2016, 12, 31), excel::DateKind::Purchase, QStringLiteral("00001"));
    const QString path = QDir(out.path()).filePath(excel::kTicketWorkbook);
    QList<int> progress;
    excel::writeWorkbook(query, excel::ticketLayout(), path, [&](int done, int total) {
        EXPECT_EQ(total, 4);
        progress << done;
    });
    EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4}));

    const QStringList titles{"F_FIZKELT", "F_FELVKELT", "F_KELT", "F_OSTERMKOD", "O_NEV", "S_BSZAM", "S_MEGNEVEZES",
                             "S_NETTO", "S_MEGY", "S_EAR", "S_KOMPMERTEKE", "F_SZJA", "O_ADOAZON", "O_ADOSZAM", "O_TAJ",
                             "O_IGSZAM", "O_REGSZAM", "O_CSGAZD", "O_HELYSEGNEV", "O_UTCA", "O_BANKSZLA", "F_MUVKTG"};
    EXPECT_EQ(query.fieldNames(), titles);
    std::vector<ReadCell> header;
    for (const QString& title : titles)
        header.push_back(t(title));
    const std::vector<std::vector<ReadCell>> rows{
        header,
        {d("2016-01-05"), d("2016-01-01"), d("2016-01-01"), t("00001"), t("Őri Ödön"), t("20160001"), t("Őszibarack"),
         n(90), t("kg"), n(250.5), n(12), n(15), t("8526018159"), t("43231940213"), t("366712768"), t("123456"),
         t("1234567890"), t("12345678"), t("Kecskemét"), t("Petőfi Sándor utca 12."), t("11732002-20123456"), n(12345.5)},
        {d("2016-01-05"), d("2016-01-01"), d("2016-01-01"), t("00001"), t("Őri Ödön"), t("20160001"), t("Körte ű"),
         n(40), t("kg"), n(100), n(0), n(15), t("8526018159"), t("43231940213"), t("366712768"), t("123456"),
         t("1234567890"), t("12345678"), t("Kecskemét"), t("Petőfi Sándor utca 12."), t("11732002-20123456"), n(12345.5)},
        {d("2017-01-02"), d("2016-12-31"), d("2016-12-31"), t("00002"), t("ŰRHAJÓS ÁGNES"), t("20160002"), t("Szilva"),
         n(20), t("láda"), n(250), n(7), n(0), t("8908301666"), e, e, e, e, e, t("Szeged"), t("Tisza Lajos körút 45/B"), e,
         n(5000)},
        {d("2016-12-31"), d("2016-11-01"), d("2016-11-01"), t("00002"), t("ŰRHAJÓS ÁGNES"), t("20160004"), t("Dió"), n(3),
         t("kg"), n(300), n(0), n(16), t("8908301666"), e, e, e, e, e, t("Szeged"), t("Tisza Lajos körút 45/B"), e, n(900)},
    };
    const ReadBook xlrdBook = readWithXlrd(path);
    for (const auto& [reader, book] : {std::pair{"xlrd", xlrdBook}, std::pair{"FreeXL", readWithFreeXL(path)}}) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.size(), 1u);
        const ReadSheet& sheet = book.sheets[0];
        ASSERT_EQ(sheet.rows, 5);
        EXPECT_EQ(sheet.columns, 39); // the bold title range runs to AM
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 39; ++c)
                EXPECT_EQ(describe(sheet.at(r, c)), describe(c < 22 ? rows[r][c] : e)) << "row " << r << " column " << c;
    }

    // Widths, bold A1:AM1 and the alignments of every row of each column.
    const ReadSheet& sheet = xlrdBook.sheets.at(0);
    const xls::Layout layout = excel::ticketLayout();
    const QList<int> widths{12, 12, 12, 10, 45, 15, 45, 15, 15, 15, 5, 5, 15, 17, 15, 10, 15, 12, 45, 45, 30, 15};
    const QString right = QStringLiteral("right"), left = QStringLiteral("left");
    for (int c = 0; c < 39; ++c) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(sheet.at(0, c).bold);
        if (c >= 22)
            continue;
        EXPECT_EQ(sheet.widths.at(c), widths[c] * 256);
        const QString align = (c == 7 || c == 9 || c == 10 || c == 11) ? right : left;
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(sheet.at(r, c).align, align) << "row " << r;
    }
}

TEST_F(ExcelExportTest, ProducerWorkbookListsEveryProducerByName)
{
    QTemporaryDir out;
    excel::gatherProducers(query);
    const QString path = QDir(out.path()).filePath(excel::kProducerWorkbook);
    excel::writeWorkbook(query, excel::producerLayout(), path);
    const std::vector<std::vector<ReadCell>> rows{
        {t("O_NEV"), t("O_IRSZAM"), t("O_HELYSEGNEV"), t("O_UTCA"), t("O_SZULNEV"), t("O_SZULHELY"), t("O_SZIDO"),
         t("O_ANYJA"), t("O_NEME"), t("O_ADOAZON"), t("O_ADOSZAM"), t("O_TAJ"), t("O_IGSZAM"), t("O_REGSZAM"),
         t("O_CSGAZD"), t("O_BANKSZLA")},
        {t("Őri Ödön"), t("6000"), t("Kecskemét"), t("Petőfi Sándor utca 12."), t("Őri Ödön"), t("Kecskemét"),
         d("1962-04-11"), t("Űr Mária"), t("1"), t("8526018159"), t("43231940213"), t("366712768"), t("123456"),
         t("1234567890"), t("12345678"), t("11732002-20123456")},
        {t("ŰRHAJÓS ÁGNES"), t("6726"), t("Szeged"), t("Tisza Lajos körút 45/B"), e, e, e, e, t("2"), t("8908301666"),
         e, e, e, e, e, e},
    };
    const ReadBook xlrdBook = readWithXlrd(path);
    for (const auto& [reader, book] : {std::pair{"xlrd", xlrdBook}, std::pair{"FreeXL", readWithFreeXL(path)}}) {
        SCOPED_TRACE(reader);
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        const ReadSheet& sheet = book.sheets.at(0);
        ASSERT_EQ(sheet.rows, 3);
        EXPECT_EQ(sheet.columns, 16);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 16; ++c)
                EXPECT_EQ(describe(sheet.at(r, c)), describe(rows[r][c])) << "row " << r << " column " << c;
    }
    const ReadSheet& sheet = xlrdBook.sheets.at(0);
    const QList<int> widths{45, 4, 45, 45, 45, 45, 20, 45, 3, 15, 15, 15, 10, 15, 12, 30};
    for (int c = 0; c < 16; ++c) {
        EXPECT_TRUE(sheet.at(0, c).bold) << c;
        EXPECT_EQ(sheet.widths.at(c), widths[c] * 256) << c;
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(sheet.at(r, c).align, QStringLiteral("left")) << r << " " << c;
    }
}

TEST_F(ExcelExportTest, EmptyResultGivesTheTitleRowOnly)
{
    QTemporaryDir out;
    excel::gatherTickets(query, QDate(2030, 1, 1), QDate(2030, 12, 31), excel::DateKind::Payment, QStringLiteral("00001"));
    ASSERT_EQ(query.rowCount(), 0);
    const QString path = QDir(out.path()).filePath(excel::kTicketWorkbook);
    int calls = 0;
    excel::writeWorkbook(query, excel::ticketLayout(), path, [&](int, int) { ++calls; });
    EXPECT_EQ(calls, 0);
    for (const ReadBook& book : {readWithXlrd(path), readWithFreeXL(path)}) {
        ASSERT_TRUE(book.error.isEmpty()) << book.error.toStdString();
        ASSERT_EQ(book.sheets.size(), 1u);
        EXPECT_EQ(book.sheets[0].rows, 1);
        EXPECT_EQ(book.sheets[0].at(0, 0).text, QStringLiteral("F_FIZKELT"));
        EXPECT_EQ(book.sheets[0].at(0, 21).text, QStringLiteral("F_MUVKTG"));
    }
}

TEST_F(ExcelExportTest, FailedWriteLeavesTheOldWorkbookAndNoHalfFile)
{
    QTemporaryDir out;
    const QString path = QDir(out.path()).filePath(excel::kTicketWorkbook);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old workbook");
    }
    excel::gatherTickets(query, QDate(2016, 1, 1), QDate(2016, 12, 31), excel::DateKind::Purchase, QStringLiteral("00001"));
    try {
        excel::writeWorkbook(query, excel::ticketLayout(), path, [](int done, int) {
            if (done == 2)
                throw Error(QStringLiteral("a lemez megtelt"));
        });
        FAIL() << "no failure";
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), excel::kSaveFailedMessage);
    }
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old workbook"));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{excel::kTicketWorkbook});

    // A folder that does not exist.
    const QString missing = QDir(out.path()).filePath(QStringLiteral("nincs/") + excel::kTicketWorkbook);
    EXPECT_THROW(excel::writeWorkbook(query, excel::ticketLayout(), missing), Error);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ExcelExportTest, FolderIsRememberedInTheProgramSettings)
{
    EXPECT_EQ(excel::exportFolder(), QDir::currentPath());
    QTemporaryDir chosen;
    excel::setExportFolder(chosen.path());
    EXPECT_EQ(excel::exportFolder(), QDir::cleanPath(chosen.path()));
    EXPECT_EQ(settings::value(QStringLiteral("excel/folder")).toString(), QDir::cleanPath(chosen.path()));
}

TEST(ExcelExportRules, PeriodDefaultsToTheYearOfToday)
{
    clock::setFixedDate(QDate(2016, 7, 14));
    EXPECT_EQ(excel::defaultPeriodStart(), QDate(2016, 1, 1));
    EXPECT_EQ(excel::defaultPeriodEnd(), QDate(2016, 12, 31));
    clock::setFixed({});
}

TEST(ExcelExportRules, QueryTextsLineByLine)
{
    const QStringList purchase = excel::ticketSql(excel::DateKind::Purchase);
    ASSERT_EQ(purchase.size(), 7);
    EXPECT_EQ(purchase[2], QStringLiteral("  FROM fjsor                              "));
    EXPECT_EQ(purchase[5], QStringLiteral("  WHERE (f_felvkelt >= :p1 AND f_felvkelt <= :p2) AND (f_akod = :p3) "));
    EXPECT_EQ(excel::ticketSql(excel::DateKind::Payment)[5],
              QStringLiteral("  WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3) "));
    EXPECT_EQ(purchase[6], QStringLiteral("  ORDER BY s_Bszam "));
    EXPECT_EQ(excel::producerSql(),
              (QStringList{QStringLiteral("SELECT O_NEV, O_IRSZAM, o_Helysegnev, o_Utca, O_SZULNEV, O_SZULHELY, O_SZIDO, "
                                          "O_ANYJA, O_NEME, o_Adoazon, o_Adoszam, o_TAJ, o_Igszam, o_Regszam, o_Csgazd, o_Bankszla "),
                           QStringLiteral("  FROM ostermelo "), QStringLiteral("  ORDER BY o_Nev COLLATE PXW_HUN ")}));
}
