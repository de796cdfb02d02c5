// Text export, the previous version's import and the producer CSV import: the file readers on
// their own, the export compared byte for byte with reference files, and the imports against a
// real database.
#include "CsvImport.h"
#include "CsvImportReader.h"
#include "Error.h"
#include "OldImport.h"
#include "OldImportReader.h"
#include "SecondAttachment.h"
#include "TestDatabase.h"
#include "TextExport.h"
#include "TextExportFixture.h"
#include "Win1250.h"
#include "WinPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zeror;

namespace {

const QString kDataDir = QStringLiteral(ZEROR_EXCHANGE_DATA);

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing " + path.toUtf8() + ">");
    return f.readAll();
}

// ---- the previous version's fixed-column readers ----------------------------------------------

QString spaces(int n)
{
    return QString(n, u' ');
}

TEST(OldImportReader, SplitsLinesAtEveryKindOfLineEnd)
{
    const QList<oldimport::SourceLine> lines = oldimport::splitLines("a\r\nb\nc\rd\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].text, QStringLiteral("a"));
    EXPECT_EQ(lines[3].text, QStringLiteral("d"));
    EXPECT_EQ(lines[3].number, 4);
    EXPECT_TRUE(oldimport::splitLines("").isEmpty());
    EXPECT_EQ(oldimport::splitLines("\r\n\r\n").size(), 2);
}

TEST(OldImportReader, CodeIsOneAndFiveCharactersWithinTheColumn)
{
    struct Case
    {
        QString line;
        QString code;
        bool refused;
    };
    const Case cases[] = {
        {QStringLiteral(" 0001 Név"), QStringLiteral("10001"), false},
        {QStringLiteral(" 12   Név"), QStringLiteral("112"), false},
        {QStringLiteral(" 12345Név"), QStringLiteral("112345"), true}, // six characters: refused, not cut
        {QStringLiteral(" 7"), QStringLiteral("17"), false},
        {QStringLiteral("x"), QStringLiteral("1"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        QString fault;
        EXPECT_EQ(oldimport::importedCode(c.line, &fault), c.code);
        EXPECT_EQ(!fault.isEmpty(), c.refused);
    }
}

TEST(OldImportReader, ProducerDateOnlyWithAFullStopAtPosition233)
{
    const QString head = QStringLiteral(" 0001 ") + spaces(222); // positions 1..228
    // Full date at 229..238.
    oldimport::ProducerRecord r = oldimport::readProducerLine(head + QStringLiteral("1956.04.12"), 1);
    EXPECT_EQ(r.szido, QDate(1956, 4, 12));
    EXPECT_TRUE(r.fault.isEmpty());
    // No full stop at 233: null date, line accepted.
    r = oldimport::readProducerLine(head + QStringLiteral("19560412"), 1);
    EXPECT_FALSE(r.szido.isValid());
    EXPECT_TRUE(r.fault.isEmpty());
    // Line ends before 233.
    r = oldimport::readProducerLine(head + QStringLiteral("19"), 1);
    EXPECT_FALSE(r.szido.isValid());
    EXPECT_TRUE(r.fault.isEmpty());
    // A date that does not exist refuses the line.
    r = oldimport::readProducerLine(head + QStringLiteral("1956.02.30"), 1);
    EXPECT_FALSE(r.fault.isEmpty());
}

TEST(OldImportReader, ShortLinesGiveEmptyFields)
{
    const oldimport::ProducerRecord p = oldimport::readProducerLine(QStringLiteral(" 0002 Rövid"), 7);
    EXPECT_EQ(p.lineNumber, 7);
    EXPECT_EQ(p.kod, QStringLiteral("10002"));
    EXPECT_EQ(p.nev, QStringLiteral("Rövid"));
    EXPECT_TRUE(p.irszam.isEmpty());
    EXPECT_TRUE(p.bankszla.isEmpty());
    EXPECT_TRUE(p.neme.isEmpty());
    const oldimport::BuyerRecord b = oldimport::readBuyerLine(QStringLiteral("Egy"), 3);
    EXPECT_EQ(b.akod, QStringLiteral("3"));
    EXPECT_EQ(b.neve, QStringLiteral("Egy"));
    EXPECT_TRUE(b.adoszam.isEmpty());
}

TEST(OldImportReader, BlankLinesHoldNoRecord)
{
    const QList<oldimport::BuyerRecord> records = oldimport::readBuyerFile("A\r\n   \r\nB\r\n\r\n");
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[1].lineNumber, 3);
    EXPECT_EQ(records[1].akod, QStringLiteral("3"));
}

// ---- the CSV reader ---------------------------------------------------------------------------

TEST(CsvImportReader, FieldRules)
{
    QDate d;
    EXPECT_TRUE(csvimport::readDateField(QString(), &d));
    EXPECT_EQ(d, QDate(1900, 1, 1));
    EXPECT_TRUE(csvimport::readDateField(QStringLiteral("1960.5"), &d)); // six characters
    EXPECT_EQ(d, QDate(1900, 1, 1));
    EXPECT_TRUE(csvimport::readDateField(QStringLiteral("1960.5.6"), &d));
    EXPECT_EQ(d, QDate(1960, 5, 6));
    EXPECT_TRUE(csvimport::readDateField(QStringLiteral("1960.05.06 00:00"), &d)); // first 10 characters
    EXPECT_EQ(d, QDate(1960, 5, 6));
    EXPECT_FALSE(csvimport::readDateField(QStringLiteral("1960.13.06"), &d));

    EXPECT_EQ(csvimport::readTajField(QStringLiteral("123 456 789")), QStringLiteral("123456789"));
    EXPECT_EQ(csvimport::readTajField(QStringLiteral("123-456-789")), QStringLiteral("123456789"));
    EXPECT_EQ(csvimport::readTajField(QStringLiteral("123456789")), QStringLiteral("123456789"));
    EXPECT_EQ(csvimport::readTajField(QStringLiteral("1234567890")), QStringLiteral("123456789"));

    EXPECT_EQ(csvimport::readTaxNumberField(QStringLiteral("12345678-1-23")), QStringLiteral("12345678123"));
    EXPECT_EQ(csvimport::readTaxNumberField(QStringLiteral("12345678123")), QStringLiteral("12345678123"));
    EXPECT_EQ(csvimport::readTaxNumberField(QString()), QString());

    EXPECT_EQ(csvimport::readBankAccountField(QStringLiteral("1173500520000000")),
              QStringLiteral("1173500520000000") + spaces(10));
    EXPECT_EQ(csvimport::readBankAccountField(QString()), spaces(26));
    EXPECT_EQ(csvimport::readBankAccountField(QString(30, u'9')), QString(26, u'9'));
}

TEST(CsvImportReader, SplitsTrimsAndCutsToTheColumns)
{
    EXPECT_EQ(csvimport::splitFields(QStringLiteral(" a ;b;")), (QStringList{"a", "b", ""}));
    const csvimport::CsvProducer p =
        csvimport::readLine(QStringLiteral("1;2;") + QString(50, u'N') + QStringLiteral(";67201;Szeged"));
    EXPECT_TRUE(p.fault.isEmpty());
    EXPECT_EQ(p.nev, QString(45, u'N'));
    EXPECT_EQ(p.irszam, QStringLiteral("6720"));
    EXPECT_EQ(p.helysegnev, QStringLiteral("Szeged"));
    EXPECT_EQ(p.szido, QDate(1900, 1, 1));
    EXPECT_EQ(p.ervkelt, QDate(1900, 1, 1));
    EXPECT_EQ(p.bankszla, spaces(26));

    const QString tooMany = QStringList(26, QStringLiteral("x")).join(u';');
    EXPECT_FALSE(csvimport::readLine(tooMany).fault.isEmpty());
    const QString most = QStringList(25, QStringLiteral("x")).join(u';');
    EXPECT_TRUE(csvimport::readLine(most).fault.isEmpty());
    EXPECT_TRUE(csvimport::readLine(QStringLiteral("  ")).blank);
}

// ---- the text export --------------------------------------------------------------------------

TEST(TextExportFormat, RecordLine)
{
    EXPECT_EQ(textexport::recordLine({QVariant(QStringLiteral("a")), QVariant(QStringLiteral("b")),
                                      QVariant(QStringLiteral("c"))}),
              QByteArray(":a:,:b:,:c:*\r\n"));
    // A null field is nothing between its colons.
    EXPECT_EQ(textexport::recordLine({QVariant(qlonglong(1)), QVariant(), QVariant(2.5)}),
              QByteArray(":1:,::,:2,5:*\r\n"));
    EXPECT_EQ(textexport::fieldText(QVariant(QDate(2016, 3, 5))), QStringLiteral("2016.03.05"));
    EXPECT_EQ(textexport::fieldText(QVariant(40.0)), QStringLiteral("40"));
    EXPECT_EQ(textexport::recordLine({QVariant(QStringLiteral("Ő"))}), QByteArray(":\xD5:*\r\n"));
}

class TextExchangeDb : public ::testing::Test
{
protected:
    void SetUp() override
    {
        paths::setWindowsRoot(db.folder() + QStringLiteral("/root"));
        QDir().mkpath(db.folder() + QStringLiteral("/root"));
    }
    void TearDown() override { paths::setWindowsRoot(QString()); }

    QString root(const QString& rest = QString()) const { return db.folder() + QStringLiteral("/root/") + rest; }
    int count(const QString& table) { return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

    test::TestDatabase db{DatabaseSetup::Content::Minimal};
};

class TextExportTest : public TextExchangeDb
{
protected:
    void SetUp() override
    {
        TextExchangeDb::SetUp();
        insertTextExportRows(db);
    }
    QList<int> all() const { return {0, 1, 2, 3, 4, 5}; }
};

TEST_F(TextExportTest, SixFilesMatchTheReferenceByteForByte)
{
    // An older file of the empty table is replaced by an empty one.
    QDir().mkpath(root(QStringLiteral("exp")));
    QFile old(root(QStringLiteral("exp/sorszam.txt")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content\r\n");
    old.close();

    QStringList progress;
    textexport::exportTables(db.data(), all(), QStringLiteral("C:\\EXP\\"),
                             [&](const QString& name) { progress.append(name); });
    EXPECT_EQ(progress, (QStringList{"atvevo.txt", "ostermelo.txt", "sorszam.txt", "termek.txt", "FjFej.txt",
                                     "FjSor.txt"}));
    for (const textexport::ExportTable& t : textexport::tables()) {
        SCOPED_TRACE(t.fileName.toStdString());
        EXPECT_EQ(fileBytes(root(QStringLiteral("exp/")) + t.fileName),
                  fileBytes(kDataDir + QStringLiteral("/export/") + t.fileName));
    }
    EXPECT_EQ(QFileInfo(root(QStringLiteral("exp/sorszam.txt"))).size(), 0);
}

TEST_F(TextExportTest, FolderWithoutSeparatorGetsOneAndOnlyTickedTablesAreWritten)
{
    QDir().mkpath(root(QStringLiteral("exp")));
    textexport::exportTables(db.data(), {1, 3}, QStringLiteral("c:\\exp"));
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("exp/ostermelo.txt"))));
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("exp/termek.txt"))));
    EXPECT_FALSE(QFile::exists(root(QStringLiteral("exp/atvevo.txt"))));
    EXPECT_FALSE(QFile::exists(root(QStringLiteral("expostermelo.txt"))));
    EXPECT_EQ(QDir(root()).entryList(QDir::Files).size(), 0);
}

TEST_F(TextExportTest, AFileThatCannotBeWrittenStopsTheExportThere)
{
    QDir().mkpath(root(QStringLiteral("exp")));
    // A folder in the way of the second file.
    QDir().mkpath(root(QStringLiteral("exp/ostermelo.txt")));
    try {
        textexport::exportTables(db.data(), all(), QStringLiteral("c:\\exp\\"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ostermelo.txt"))) << e.message().toStdString();
    }
    EXPECT_TRUE(QFile::exists(root(QStringLiteral("exp/atvevo.txt"))));
    EXPECT_FALSE(QFile::exists(root(QStringLiteral("exp/sorszam.txt"))));
    // A missing folder is an error too, and leaves nothing behind.
    EXPECT_THROW(textexport::exportTables(db.data(), all(), QStringLiteral("c:\\nincs\\")), Error);
    EXPECT_FALSE(QDir(root(QStringLiteral("nincs"))).exists());
}

// ---- the previous version's import ------------------------------------------------------------

struct Collected
{
    QStringList messages;
    oldimport::ImportCallbacks callbacks()
    {
        oldimport::ImportCallbacks c;
        c.message = [this](const QString& m) { messages.append(m); };
        return c;
    }
};

TEST_F(TextExchangeDb, ProducerImportStoresEachGoodLineAndRefusesTheBadOnes)
{
    const int before = count(QStringLiteral("ostermelo"));
    Collected got;
    const oldimport::ImportSummary s = oldimport::importProducers(
        db.data(), fileBytes(kDataDir + QStringLiteral("/exposterm.txt")), got.callbacks());
    EXPECT_EQ(s.read, 6);
    EXPECT_EQ(s.stored, 4);
    EXPECT_EQ(s.refusedLines, (QList<int>{4, 5}));
    ASSERT_EQ(got.messages.size(), 2);
    EXPECT_TRUE(got.messages[0].startsWith(QStringLiteral("Hiba251: Újban, INSERT az östermelöben \n4. sor")));
    EXPECT_TRUE(got.messages[1].startsWith(QStringLiteral("Hiba251: Újban, INSERT az östermelöben \n5. sor")));
    EXPECT_EQ(oldimport::summaryText(s),
              QStringLiteral("Beolvasott sorok: 6, letárolva: 4, elutasítva: 2 (sor: 4., 5.)."));
    EXPECT_EQ(count(QStringLiteral("ostermelo")), before + 4);

    const QString w = QStringLiteral(" FROM ostermelo WHERE o_kod = '%1'");
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_nev") + w.arg(QStringLiteral("10001"))), QStringLiteral("Kovács Ödön"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_szido") + w.arg(QStringLiteral("10001"))), QStringLiteral("1956.04.12"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_bankszla") + w.arg(QStringLiteral("10001"))), QStringLiteral("11735005-20000000"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_akod || '/' || o_szja || '/' || o_neme") + w.arg(QStringLiteral("10001"))),
              QStringLiteral("1/0/1"));
    // The short line and the line without a full stop at 233 have no date of birth.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_helysegnev") + w.arg(QStringLiteral("10002"))), QStringLiteral("Kecskemét"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*)") + w.arg(QStringLiteral("10002")) + QStringLiteral(" AND o_szido IS NULL")),
              QStringLiteral("1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*)") + w.arg(QStringLiteral("10003")) + QStringLiteral(" AND o_szido IS NULL")),
              QStringLiteral("1"));
    // The line after the refused ones is there; the refused ones left nothing.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_szido") + w.arg(QStringLiteral("10006"))), QStringLiteral("1970.01.31"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_nev IN ('Rossz Dátum', 'Hosszú Kód')")),
              QStringLiteral("0"));
}

TEST_F(TextExchangeDb, ProductImportGoesOnAfterAValueTheDatabaseRefuses)
{
    const int before = count(QStringLiteral("termek"));
    Collected got;
    const oldimport::ImportSummary s = oldimport::importProducts(
        db.data(), fileBytes(kDataDir + QStringLiteral("/exptermek.txt")), got.callbacks());
    EXPECT_EQ(s.stored, 2);
    EXPECT_EQ(s.refusedLines, (QList<int>{2}));
    ASSERT_EQ(got.messages.size(), 1);
    EXPECT_TRUE(got.messages[0].startsWith(QStringLiteral("Hiba253: Újban, INSERT a termékben \n2. sor")));
    EXPECT_EQ(count(QStringLiteral("termek")), before + 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_ear FROM termek WHERE t_kod = '10001'")), QStringLiteral("52,5"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_kompmerteke || t_akod FROM termek WHERE t_kod = '10003'")),
              QStringLiteral("71"));
}

TEST_F(TextExchangeDb, BuyerFileOfThreeLinesLeavesExactlyThreeBuyers)
{
    db.exec(QStringLiteral("INSERT INTO atvevo (v_akod, v_neve) VALUES ('00009', 'Régi')"));
    ASSERT_GE(count(QStringLiteral("atvevo")), 2);
    Collected got;
    const oldimport::ImportSummary s = oldimport::importBuyers(
        db.data(), fileBytes(kDataDir + QStringLiteral("/expatvevo.txt")), got.callbacks());
    EXPECT_TRUE(got.messages.isEmpty()) << got.messages.join(u'|').toStdString();
    EXPECT_EQ(s.stored, 3);
    EXPECT_EQ(count(QStringLiteral("atvevo")), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM atvevo WHERE v_akod IN ('1', '2', '3')")),
              QStringLiteral("3"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT v_helyseg FROM atvevo WHERE v_akod = '3'")),
              QStringLiteral("Hódmezővásárhely"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT v_adoszam FROM atvevo WHERE v_akod = '2'")),
              QStringLiteral("87654321123"));
}

TEST_F(TextExchangeDb, BuyerDeleteThatFailsIsReportedAndTheInsertsFollow)
{
    const int before = count(QStringLiteral("atvevo"));
    {
        // Another program holds a buyer row: the delete meets its lock.
        test::SecondAttachment other(db.databasePath());
        other.execUncommitted(QStringLiteral("UPDATE atvevo SET v_neve = v_neve"));
        Collected got;
        const oldimport::ImportSummary s = oldimport::importBuyers(
            db.data(), fileBytes(kDataDir + QStringLiteral("/expatvevo.txt")), got.callbacks());
        ASSERT_FALSE(got.messages.isEmpty());
        EXPECT_TRUE(got.messages[0].startsWith(QStringLiteral("Hiba255: törlés az átvevőben ")))
            << got.messages[0].toStdString();
        EXPECT_EQ(s.stored, 3);
    }
    EXPECT_EQ(count(QStringLiteral("atvevo")), before + 3);
}

TEST_F(TextExchangeDb, EmptyBuyerFileRemovesNoBuyer)
{
    const int before = count(QStringLiteral("atvevo"));
    Collected got;
    EXPECT_THROW(oldimport::importBuyers(db.data(), "\r\n  \r\n", got.callbacks()), Error);
    EXPECT_EQ(count(QStringLiteral("atvevo")), before);
}

TEST_F(TextExchangeDb, MissingFileIsAnError)
{
    EXPECT_THROW(oldimport::readWholeFile(root(QStringLiteral("nincs/exposterm.txt"))), Error);
}

// ---- the producer CSV import ------------------------------------------------------------------

TEST_F(TextExchangeDb, CsvImportFieldRulesAndRefusals)
{
    const QStringList lines{
        // 1: every field, grouped TAJ, hyphenated tax number, 16-character bank account
        QStringLiteral("1;2;Kiss Anna;6720;Szeged;Fő u. 1;8412345678;123456;R1;0;Szentes;1960.05.06;Nagy Éva;CS1;2;"
                       "Kiss Anna;123 456 789;12345678-1-23;1173500520000000;2016.01.15"),
        // 2: fewer than 20 fields, short birth date
        QStringLiteral(";;Csak Név;;;;;;;;;1960"),
        // 3: more than 25 fields
        QStringList(26, QStringLiteral("x")).join(u';'),
        // 4: a birth date that is not a date
        QStringLiteral(";;Rossz Dátum;;;;;;;;;1960.13.45"),
        // 5: blank, no producer
        QString(),
        // 6: TAJ without separators, longer than 9
        QStringLiteral(";;Hosszú TAJ;;;;;;;;;;;;;;1234567890123"),
    };
    const int before = count(QStringLiteral("ostermelo"));
    Collected got;
    const csvimport::ImportSummary s = csvimport::importLines(db.data(), lines, got.callbacks());
    EXPECT_EQ(s.read, 5);
    EXPECT_EQ(s.stored, 3);
    EXPECT_EQ(s.refusedLines, (QList<int>{3, 4}));
    ASSERT_EQ(got.messages.size(), 2);
    for (const QString& m : got.messages)
        EXPECT_TRUE(m.startsWith(QStringLiteral("Hiba301: Újban, INSERT az östermelöben "))) << m.toStdString();
    EXPECT_EQ(count(QStringLiteral("ostermelo")), before + 3);

    const QString w = QStringLiteral(" FROM ostermelo WHERE o_nev = '%1'");
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_taj || '/' || o_adoszam || '/' || o_neme") + w.arg(QStringLiteral("Kiss Anna"))),
              QStringLiteral("123456789/12345678123/2"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT '[' || o_bankszla || ']'") + w.arg(QStringLiteral("Kiss Anna"))),
              QStringLiteral("[1173500520000000          ]"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_szido || ' ' || o_ervkelt") + w.arg(QStringLiteral("Kiss Anna"))),
              QStringLiteral("1960-05-06 2016-01-15"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_szido || ' ' || o_ervkelt") + w.arg(QStringLiteral("Csak Név"))),
              QStringLiteral("1900-01-01 1900-01-01"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT char_length(o_bankszla) || o_irszam || '|'") + w.arg(QStringLiteral("Csak Név"))),
              QStringLiteral("26|"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_taj") + w.arg(QStringLiteral("Hosszú TAJ"))), QStringLiteral("123456789"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_nev IN ('x', 'Rossz Dátum')")),
              QStringLiteral("0"));
}

TEST_F(TextExchangeDb, CsvSecondRunInsertsTwice)
{
    const QStringList lines = csvimport::loadFileLines(kDataDir + QStringLiteral("/producers.csv"));
    ASSERT_EQ(lines.size(), 2);
    Collected got;
    csvimport::importLines(db.data(), lines, got.callbacks());
    csvimport::importLines(db.data(), lines, got.callbacks());
    EXPECT_TRUE(got.messages.isEmpty());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_nev = 'Szabó Éva'")), QStringLiteral("2"));
    csvimport::openProducerList(db.data());
    EXPECT_EQ(db.data().ZQ30.recNo(), db.data().ZQ30.rowCount() - 1);
    EXPECT_EQ(db.data().ZQ30.text(QStringLiteral("O_NEV")), QStringLiteral("Tóth Pál"));
}

} // namespace
