// Tax-audit invoice XML: the value forms, the settings file, the collection into NAVFEJ with its
// checks and its all-or-nothing transaction, the export compared byte for byte with a reference
// file, and the schema check (ours and xmllint as an independent validator).
#include "AuditXml.h"
#include "AuditXmlFixture.h"
#include "AuditXmlFormat.h"
#include "AuditXmlSettings.h"
#include "Clock.h"
#include "NavFej.h"
#include "SharedState.h"
#include "TData.h"
#include "TestDatabase.h"
#include "XmlSchemaCheck.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>

using namespace zeror;
using namespace zeror::auditxml;
using zeror::test::TestDatabase;

namespace {

std::string str(const QString& s)
{
    return s.toStdString();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

const QString kReferenceDir = QStringLiteral(ZEROR_AUDITXML_REFERENCE_DIR);
const QString kShippedSchemaFile = QStringLiteral(ZEROR_SHIPPED_SCHEMA);

// ---------------------------------------------------------------------------------------------
// Value forms

void expectNumberTable()
{
    struct Case
    {
        double v;
        const char* text;
    };
    const Case cases[] = {
        {1234.5, "1234.50"},
        {-760, "-760.00"},
        {7, "7.00"},
        {0, "0.00"},
        {-0.0, "0.00"},
        {0.004, "0.00"},
        {-0.004, "0.00"},    // rounds to zero: no minus sign
        {0.005, "0.01"},     // a half goes away from zero
        {-0.005, "-0.01"},
        {2.675, "2.68"},     // binary 2.67499999… counts as 2.675 at ten digits
        {1.005, "1.01"},
        {1234.565, "1234.57"},
        {9.999, "10.00"},
        {58200, "58200.00"},
        {123456.789, "123456.79"},
        {123456789.126, "123456789.10"}, // ten significant digits first: 123456789.1, then two decimals
        {1234567890.126, "1234567890.00"}, // the digits past the tenth are gone before two decimals
        {0.1 + 0.2, "0.30"},
        {-31465.499999999996, "-31465.50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(str(xmlNumber(c.v)), c.text);
    }
}

TEST(AuditXmlValueForms, NumbersHaveTwoDecimalsAndAPoint)
{
    expectNumberTable();
}

TEST(AuditXmlValueForms, NumbersKeepThePointUnderADecimalCommaLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    // A C locale with a decimal comma where the machine has one; Qt's default locale always.
    const bool commaC = std::setlocale(LC_ALL, "hu_HU.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8");
    ASSERT_EQ(str(QLocale().toString(1.5)), "1,5");
    expectNumberTable();
    std::setlocale(LC_ALL, cBefore.c_str());
    QLocale::setDefault(before);
    if (!commaC)
        GTEST_LOG_(INFO) << "no decimal-comma C locale on this machine; Qt's default locale was Hungarian";
}

TEST(AuditXmlValueForms, TextIsTrimmedAndEscaped)
{
    struct Case
    {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"  Kiss & Fia  ", "Kiss &amp; Fia"},
        {"a<b>c", "a&lt;b&gt;c"},
        {"\"idéző\" 'jel'", "\"idéző\" 'jel'"},
        {"   ", ""},
        {"", ""},
        {"&amp;", "&amp;amp;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(str(xmlText(QString::fromUtf8(c.in))), c.out);
    }
    EXPECT_EQ(str(xmlDate(QDate(2016, 3, 5))), "2016-03-05");
    EXPECT_EQ(str(xmlDate(QDate())), "");
    EXPECT_TRUE(isSet(QStringLiteral(" x ")));
    EXPECT_FALSE(isSet(QStringLiteral("   ")));
}

// ---------------------------------------------------------------------------------------------
// Settings

TEST(AuditXmlSettings, MissingKeysTakeTheCaptionsDefaults)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("zerorXML.ini"));
    const Settings none = loadSettings(ini);
    EXPECT_EQ(str(none.hova), "C:\\RU2016\\szamlak.xml");
    EXPECT_EQ(str(none.onszla), "true");
    EXPECT_EQ(str(none.papir), "Papir alapon számítógéppel kiállított");

    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(QStringLiteral("XML/onszla"), QStringLiteral("false"));
    }
    const Settings partial = loadSettings(ini);
    EXPECT_EQ(str(partial.onszla), "false");
    EXPECT_EQ(str(partial.hova), "C:\\RU2016\\szamlak.xml");

    saveSettings({QStringLiteral("D:\\adat\\nav.xml"), QStringLiteral("true"), QStringLiteral("E-számla")}, ini);
    const Settings back = loadSettings(ini);
    EXPECT_EQ(str(back.hova), "D:\\adat\\nav.xml");
    EXPECT_EQ(str(back.papir), "E-számla");
}

TEST(AuditXmlSettings, FileIsNamedAfterTheProgram)
{
    setSettingsFilePath(QString());
    const QString path = settingsFilePath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/test_auditxmlXML.ini"))) << str(path);
}

// ---------------------------------------------------------------------------------------------
// Collection and export against a database

class AuditXmlDb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::insertAuditFixture(db);
        db.chooseBuyer(QStringLiteral("00001"));
        clock::setFixedDate(QDate(2016, 4, 15));
        out = QDir(db.folder()).filePath(QStringLiteral("out/szamlak.xml"));
    }
    void TearDown() override { clock::setFixed(QDateTime()); }

    CollectRequest marchByIssueDate() const
    {
        CollectRequest r;
        r.by = SelectBy::IssueDate;
        r.from = QDate(2016, 3, 1);
        r.to = QDate(2016, 3, 31);
        r.onszla = QStringLiteral("true");
        r.papir = QStringLiteral("Papir alapon számítógéppel kiállított");
        return r;
    }
    ExportRequest exportRequest() const
    {
        ExportRequest r;
        r.by = SelectBy::IssueDate;
        r.from = QDate(2016, 3, 1);
        r.to = QDate(2016, 3, 31);
        r.buyerCode = QStringLiteral("00001");
        r.path = out;
        return r;
    }
    int navFejRows() { return db.scalar(QStringLiteral("SELECT COUNT(*) FROM navfej")).toInt(); }

    // xmllint's verdict on the file under the shipped schema, as an independent validator.
    void expectXmllint(const QString& file, bool valid, const QString& mustMention = QString())
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
            GTEST_SKIP() << "xmllint is not installed";
        QProcess p;
        p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), kShippedSchemaFile, file});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode() == 0, valid) << str(err);
        if (!mustMention.isEmpty()) {
            EXPECT_TRUE(err.contains(mustMention)) << str(err);
        }
    }

    TestDatabase db{DatabaseSetup::Content::Minimal};
    QString out;
};

TEST_F(AuditXmlDb, InsertStatementNamesItsParametersByColumnGroup)
{
    const QStringList sql = navFejInsertSql();
    ASSERT_EQ(sql.size(), 2);
    EXPECT_TRUE(sql[0].startsWith(QStringLiteral("INSERT INTO NAVFEJ (FE_SZLASORSZAM, FE_SZLADATUM, FE_TELJDATUM,")));
    EXPECT_TRUE(sql[0].endsWith(QStringLiteral("KI_KISADOZO, KI_KOZADOSZAM, VE_KOZADOSZAM)")));
    EXPECT_TRUE(sql[1].startsWith(QStringLiteral("VALUES (:a1, :b1, :b2,")));
    EXPECT_TRUE(sql[1].contains(QStringLiteral(":b10, :c1,")));
    EXPECT_TRUE(sql[1].contains(QStringLiteral(":c13, :d1,")));
    EXPECT_TRUE(sql[1].contains(QStringLiteral(":d13, :e1,")));
    EXPECT_TRUE(sql[1].endsWith(QStringLiteral(":e11)")));
}

TEST_F(AuditXmlDb, CollectsTheBuyersTicketsWithTheirParties)
{
    EXPECT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    EXPECT_EQ(navFejRows(), 4);
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT ki_nev FROM navfej WHERE fe_szlasorszam = '20160002'"))),
              "Kovács & Társa Kft.");
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT ve_kerulet FROM navfej WHERE fe_szlasorszam = '20160002'"))), "XI.");
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT ne_szla_forma FROM navfej WHERE fe_szlasorszam = '20160002'"))),
              "Papir alapon számítógéppel kiállított");
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT mo_eredeti_sorszam FROM navfej WHERE fe_szlasorszam = '20160004'"))),
              "20160003");
    // Deductions are stored with a minus sign.
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT CAST(szja_bruttoar AS INTEGER) FROM navfej WHERE fe_szlasorszam = '20160002'"))),
              "-19446");
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT lev_bruttoar FROM navfej WHERE fe_szlasorszam = '20160002'")).toDouble(), -500);

    // By purchase date: the cash ticket was bought in February.
    CollectRequest byPurchase = marchByIssueDate();
    byPurchase.by = SelectBy::PurchaseDate;
    EXPECT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), byPurchase), 3);
    // By number, compared as text, bounds included.
    CollectRequest byNumber = marchByIssueDate();
    byNumber.by = SelectBy::Number;
    byNumber.numberFrom = QStringLiteral("20160002");
    byNumber.numberTo = QStringLiteral("20160003");
    EXPECT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), byNumber), 2);
    EXPECT_EQ(navFejRows(), 2);
}

TEST_F(AuditXmlDb, ChecksOfTheCollectionByTable)
{
    struct Case
    {
        const char* setup; // SQL run first (may be empty)
        QDate from;
        QDate to;
        const char* message; // empty: no fault
    };
    const Case cases[] = {
        {"", QDate(2016, 3, 2), QDate(2016, 3, 1), "Dátum tól-ig hiba."},
        {"", QDate(2016, 3, 1), QDate(2016, 3, 1), ""},
        {"UPDATE atvevo SET v_utca = '  ' WHERE v_akod = '00001'", QDate(2016, 3, 1), QDate(2016, 3, 31),
         "Javitandó! Nincs megadva az átvevő utca!"},
        {"UPDATE atvevo SET v_utca = 'Fő', v_kozadoszam = ' HU1234 ' WHERE v_akod = '00001'", QDate(2016, 3, 1),
         QDate(2016, 3, 31), "Javitandó! Közösségi adószám legalább 8 karakter!"},
        {"UPDATE atvevo SET v_kozadoszam = '   ' WHERE v_akod = '00001'", QDate(2016, 3, 1), QDate(2016, 3, 31), ""},
        {"UPDATE atvevo SET v_kozadoszam = 'HU123456' WHERE v_akod = '00001'", QDate(2016, 3, 1), QDate(2016, 3, 31),
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        if (*c.setup)
            db.exec(QString::fromUtf8(c.setup));
        CollectRequest r = marchByIssueDate();
        r.from = c.from;
        r.to = c.to;
        std::optional<Fault<AuditField>> fault = checkCollectRequest(r);
        if (!fault)
            fault = checkBuyerForCollect(db.data(), QStringLiteral("00001"));
        EXPECT_EQ(str(fault ? fault->message : QString()), c.message);
    }
}

TEST_F(AuditXmlDb, ChecksOfTheExportByTable)
{
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    struct Case
    {
        const char* change; // applied to the row of ticket 20160002 (the second in table order)
        const char* message;
    };
    const Case cases[] = {
        {"", ""},
        {"ki_iranyitoszam = ' '", "Javitandó! Nincs megadva az átvevő irányitószám!"},
        {"ve_iranyitoszam = ''", "Javitandó! Nincs megadva a(z) 20160002bizonylatban az őstermelő irányitószáma!"},
        {"ve_iranyitoszam = '611'",
         "Javitandó! Négy karekternél kevesebb a(z) 20160002bizonylatban az őstermelő irányitószáma!"},
        {"ki_telepules = NULL", "Javitandó! Nincs megadva az átvevő helységnév!"},
        {"ve_telepules = '  '", "Javitandó! Nincs megadva a(z) 20160002bizonylatban az őstermelő helységnév!"},
        {"ki_kozterulet_neve = ''", "Javitandó! Nincs megadva az átvevő utcanév!"},
        {"ve_kozterulet_neve = ''", "Javitandó! Nincs megadva a(z) 20160002bizonylatban az őstermelő utcanév!"},
        {"ve_kozadoszam = 'HU12'",
         "Javitandó! Kevesebb mint 8 karakter a(z) 20160002bizonylatban az őstermelő közösségi adószáma!"},
        // Two faults: the earlier check of the table wins.
        {"ve_telepules = '', ki_iranyitoszam = ''", "Javitandó! Nincs megadva az átvevő irányitószám!"},
    };
    const QString restore = QStringLiteral(
        "UPDATE navfej SET ki_iranyitoszam = '6000', ve_iranyitoszam = '1117', ki_telepules = 'Kecskemét', "
        "ve_telepules = 'Budapest', ki_kozterulet_neve = 'Fő', ve_kozterulet_neve = 'Irinyi József', "
        "ve_kozadoszam = 'HU87654325' WHERE fe_szlasorszam = '20160002'");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        db.exec(restore);
        if (*c.change)
            db.exec(QStringLiteral("UPDATE navfej SET %1 WHERE fe_szlasorszam = '20160002'").arg(QString::fromUtf8(c.change)));
        const auto fault = checkNavFejRows(db.data());
        EXPECT_EQ(str(fault ? fault->message : QString()), c.message);
    }
}

TEST_F(AuditXmlDb, ExportMatchesTheReferenceFileAndTheSchema)
{
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    ASSERT_FALSE(checkNavFejRows(db.data()));
    const ExportSummary summary = exportAuditXml(db.data(), exportRequest());
    EXPECT_EQ(summary.count, 4);
    EXPECT_EQ(str(summary.minNumber), "20160001");
    EXPECT_EQ(str(summary.maxNumber), "20160004");
    EXPECT_EQ(str(exportDoneMessage(summary.path)), str(QStringLiteral("3.Az \"EXPORT\" vége.\nAdatok a \"") + out
                                                        + QStringLiteral("\" fáljban.")));

    const QByteArray written = readAll(out);
    const QString referencePath = kReferenceDir + QStringLiteral("/audit_march.xml");
    const QByteArray reference = readAll(referencePath);
    if (written != reference) {
        QFile::remove(QDir::current().filePath(QStringLiteral("audit_march.actual.xml")));
        QFile::copy(out, QStringLiteral(ZEROR_AUDITXML_ACTUAL_DIR "/audit_march.actual.xml"));
    }
    ASSERT_FALSE(reference.isEmpty()) << "missing " << str(referencePath);
    EXPECT_TRUE(written == reference) << "differs from " << str(referencePath) << "; written copy in "
                                      << ZEROR_AUDITXML_ACTUAL_DIR;

    // The bytes the layout fixes, seen directly as well.
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"));
    EXPECT_FALSE(written.contains("\n\n"));
    EXPECT_EQ(written.count("\n"), written.count("\r\n"));
    EXPECT_TRUE(written.contains("<nev>Kovács &amp; Társa Kft.</nev>"));
    EXPECT_TRUE(written.contains("<nev>Kiss Anna &amp; Péter</nev>"));
    EXPECT_FALSE(written.contains("Másik átvevő sora")); // the other buyer's line under the same number
    EXPECT_TRUE(written.contains("    <modosito_szla>\r\n      <eredeti_sorszam>20160003</eredeti_sorszam>\r\n"));
    EXPECT_EQ(written.count("<modosito_szla>"), 1);

    EXPECT_EQ(str(validateXmlFile(out).join(QLatin1Char('\n'))), "");
    EXPECT_EQ(str(schemaCheckReport(validateXmlFile(out))), "rendben");
    expectXmllint(out, true);

    // A second export from the same collection writes the same bytes (and the same number forms).
    exportAuditXml(db.data(), exportRequest());
    EXPECT_TRUE(readAll(out) == written);
}

TEST_F(AuditXmlDb, WithoutTheOptionalSectionAndByNumber)
{
    CollectRequest r = marchByIssueDate();
    r.by = SelectBy::Number;
    r.numberFrom = QStringLiteral("20160001");
    r.numberTo = QStringLiteral("20160002");
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), r), 2);
    ExportRequest e = exportRequest();
    e.by = SelectBy::Number;
    e.optionalSection = false;
    exportAuditXml(db.data(), e);
    const QByteArray written = readAll(out);
    EXPECT_FALSE(written.contains("nem_kotelezo"));
    // The period is that of the collected tickets' dates made out.
    EXPECT_TRUE(written.contains("  <kezdo_ido>2016-03-01</kezdo_ido>\r\n  <zaro_ido>2016-03-02</zaro_ido>\r\n"));
    EXPECT_TRUE(validateXmlFile(out).isEmpty()) << str(validateXmlFile(out).join(QLatin1Char('\n')));
}

TEST_F(AuditXmlDb, TicketWithoutLinesIsReportedByLine)
{
    test::insertAuditTicket(db, "20160005", "00001", "10001", "2016-03-04", "2016-03-04", "2016-03-04", " ", 0, "0",
                            "0", "1", "");
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 5);
    exportAuditXml(db.data(), exportRequest());
    const QByteArray written = readAll(out);
    // Its szamla has no items, no afarovat and zero totals.
    const qsizetype start = written.indexOf("<szlasorszam>20160005</szlasorszam>");
    ASSERT_GT(start, 0);
    const QByteArray own = written.mid(start, written.indexOf("</szamla>", start) - start);
    EXPECT_FALSE(own.contains("termek_szolgaltatas_tetelek"));
    EXPECT_FALSE(own.contains("afarovat"));
    EXPECT_TRUE(own.contains("<nettoarossz>0.00</nettoarossz>\r\n        <afaertekossz>0.00</afaertekossz>\r\n"
                             "        <bruttoarossz>0.00</bruttoarossz>"));

    // The schema wants at least one item: the problem is named with the line of <zaradekok>.
    const int zaradekokLine = static_cast<int>(written.left(written.indexOf("<zaradekok>", start)).count('\n')) + 1;
    const QStringList problems = validateXmlFile(out);
    ASSERT_EQ(problems.size(), 1) << str(problems.join(QLatin1Char('\n')));
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("Hiba a(z) %1. sorban: Element '{%2}zaradekok': This element is "
                                                      "not expected.")
                                           .arg(zaradekokLine)
                                           .arg(QLatin1String(kInvoiceNamespace))))
        << str(problems[0]);
    expectXmllint(out, false, QStringLiteral(":%1: element zaradekok").arg(zaradekokLine));
}

TEST_F(AuditXmlDb, FailedInsertRollsBackTheWholeCollection)
{
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    const QString before = db.scalar(QStringLiteral("SELECT LIST(fe_szlasorszam) FROM navfej"));

    // A ticket without a purchase date cannot become an invoice row.
    test::insertAuditLine(db, "20160006", "00001", "Búza", "1001", "10", "kg", "48.5", "7");
    test::insertAuditTicket(db, "20160006", "00001", "10001", "2016-03-20", nullptr, "2016-03-20", " ", 0, "0", "0", "1",
                            "");
    try {
        collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate());
        FAIL() << "the collection went through";
    } catch (const Error& e) {
        EXPECT_EQ(str(e.message()), "Hiba401: NAV INSERT -ben\nA(z) 20160006 bizonylat: nincs megadva a felvásárlás "
                                    "dátuma.");
    }
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT LIST(fe_szlasorszam) FROM navfej"))), str(before));

    // The database refuses a row: its reason is passed on with the ticket's number.
    db.exec(QStringLiteral("DELETE FROM fjfej WHERE f_bszam = '20160006'"));
    CollectRequest tooLong = marchByIssueDate();
    tooLong.papir = QString(150, QLatin1Char('x'));
    try {
        collectNavFej(db.data(), QStringLiteral("00001"), tooLong);
        FAIL() << "the collection went through";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Hiba401: NAV INSERT -ben\nA(z) 20160001 bizonylat: ")))
            << str(e.message());
        EXPECT_TRUE(e.message().contains(QStringLiteral("truncation"))) << str(e.message());
    }
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT LIST(fe_szlasorszam) FROM navfej"))), str(before));
}

TEST_F(AuditXmlDb, EmptyCollectionIsRefusedAndKeepsThePreviousFile)
{
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    exportAuditXml(db.data(), exportRequest());
    const QByteArray previous = readAll(out);
    ASSERT_FALSE(previous.isEmpty());

    CollectRequest april = marchByIssueDate();
    april.from = QDate(2016, 4, 1);
    april.to = QDate(2016, 4, 30);
    EXPECT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), april), 0);
    EXPECT_FALSE(checkNavFejRows(db.data()));
    try {
        exportAuditXml(db.data(), exportRequest());
        FAIL() << "an empty file was written";
    } catch (const Error& e) {
        EXPECT_EQ(str(e.message()), str(emptyCollectionMessage()));
    }
    EXPECT_TRUE(readAll(out) == previous);
    EXPECT_EQ(QDir(QFileInfo(out).absolutePath()).entryList(QDir::Files).size(), 1); // no temporary left behind
}

TEST_F(AuditXmlDb, UnwritablePathLeavesNoFile)
{
    ASSERT_EQ(collectNavFej(db.data(), QStringLiteral("00001"), marchByIssueDate()), 4);
    ExportRequest e = exportRequest();
    e.path = db.folder(); // a folder, not a file
    EXPECT_THROW(exportAuditXml(db.data(), e), Error);
    QFile blocker(QDir(db.folder()).filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    e.path = QDir(db.folder()).filePath(QStringLiteral("blocker/szamlak.xml")); // its folder is a file
    EXPECT_THROW(exportAuditXml(db.data(), e), Error);
}

// ---------------------------------------------------------------------------------------------
// The schema

TEST(AuditXmlSchema, ShippedCopyIsUsedUnlessTheWorkingFolderHasOne)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_TRUE(schemaPath().startsWith(QStringLiteral(":/")));
    EXPECT_TRUE(schemaBytes() == readAll(kShippedSchemaFile));
    QFile local(dir.filePath(QStringLiteral("23_2014_szamlasema.xsd")));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>");
    local.close();
    EXPECT_EQ(str(schemaPath()), str(dir.filePath(QStringLiteral("23_2014_szamlasema.xsd"))));
    QDir::setCurrent(previous);
}

TEST(AuditXmlSchema, NotWellFormedAndEmptyFilesAreReportedByLine)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.xml"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<szamlak xmlns=\"http://schemas.nav.gov.hu/2013/szamla\">\r\n"
            "  <export_datuma>2016-04-15</export_datuma>\r\n");
    f.close();
    const QStringList problems = validateXmlFile(file, readAll(kShippedSchemaFile));
    ASSERT_FALSE(problems.isEmpty());
    for (const QString& p : problems)
        EXPECT_TRUE(p.startsWith(QStringLiteral("Hiba a(z) "))) << str(p);
    EXPECT_THROW(validateXmlFile(dir.filePath(QStringLiteral("none.xml")), readAll(kShippedSchemaFile)), Error);
    EXPECT_THROW(validateXmlFile(file, QByteArray("<nem séma>")), Error);
}

} // namespace
