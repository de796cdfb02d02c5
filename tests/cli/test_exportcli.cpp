// The command-line exports run as their own process against a fixture database: their files
// against the reference files of the screens' tests, and the exit status and message of each
// refusal.
#include "AuditXmlFixture.h"
#include "Clock.h"
#include "ExcelExport.h"
#include "ExcelTestData.h"
#include "Query.h"
#include "TaxSupplyFixture.h"
#include "TextExport.h"
#include "TextExportFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;

namespace {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

std::string str(const QString& s)
{
    return s.toStdString();
}

// Runs zeror-export with the arguments; the test's own attachment must be closed before, since the
// embedded engine lets one process at a time open the file.
ToolRun exportTool(const QStringList& arguments, const QString& workingFolder = QDir::currentPath())
{
    QProcess p;
    p.setWorkingDirectory(workingFolder);
    p.start(QStringLiteral(ZEROR_EXPORT_PROGRAM), arguments);
    ToolRun r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("zeror-export did not run or did not end: ") + p.errorString();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString describe(const ToolRun& r)
{
    return QStringLiteral("status %1\nstdout:\n%2\nstderr:\n%3").arg(r.status).arg(r.out, r.err);
}

QStringList filesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// The folder holds exactly the reference folder's files, byte for byte; "@FOLDER@" in a reference
// stands for the folder itself.
void expectSameFiles(const QString& folder, const QString& referenceFolderPath)
{
    const QStringList expected = filesOf(referenceFolderPath);
    ASSERT_FALSE(expected.isEmpty()) << str(referenceFolderPath);
    EXPECT_EQ(filesOf(folder), expected);
    const QByteArray prefix = QDir::toNativeSeparators(folder + QLatin1Char('/')).toUtf8();
    for (const QString& file : expected) {
        QByteArray want = readBytes(QDir(referenceFolderPath).filePath(file));
        want.replace("@FOLDER@", prefix);
        EXPECT_TRUE(readBytes(QDir(folder).filePath(file)) == want) << str(file) << " differs from the reference";
    }
}

class ExportTool : public ::testing::Test
{
protected:
    // Gives the database file to the tool: the test's attachment is closed.
    void release() { db.data().closeAtExit(); }
    QString out(const QString& rest = QString()) const { return QDir(outDir.path()).filePath(rest); }
    QStringList common() const { return {QStringLiteral("--database"), db.databasePath()}; }

    TestDatabase db{DatabaseSetup::Content::Minimal};
    QTemporaryDir outDir;
};

} // namespace

TEST_F(ExportTool, MonthFilesMatchTheScreensReferences)
{
    fillDeclarationFixture(db);
    release();
    // Without a period the month before "today" is declared: January for a run on 10 February.
    const ToolRun month = exportTool(common() + QStringList{"1608m", "--buyer", "00001", "--output", out(), "--date",
                                                        "2016-02-10"});
    ASSERT_EQ(month.status, 0) << str(describe(month));
    expectSameFiles(out(QStringLiteral("01")), referenceFolder("month"));
    EXPECT_TRUE(month.out.contains(QStringLiteral("Összesen: 16501"))) << str(month.out);
    EXPECT_TRUE(month.err.contains(QStringLiteral("00012 Szabó Éva"))) << str(month.err); // written without birth date
    EXPECT_FALSE(month.err.contains(QLatin1Char('\r'))) << "a progress line on a pipe";

    // A second run over days 5-20 empties the month folder and writes only what is paid then.
    const ToolRun days = exportTool(common() + QStringList{"1608m", "-b", "00001", "--from", "2016-01-05", "--to",
                                                       "2016-01-20", "-o", out()});
    ASSERT_EQ(days.status, 0) << str(describe(days));
    expectSameFiles(out(QStringLiteral("01")), referenceFolder("days05-20"));
}

TEST_F(ExportTool, AuditXmlMatchesTheReferenceAndPassesTheSchema)
{
    insertAuditFixture(db);
    release();
    const ToolRun r = exportTool(common() + QStringList{"audit-xml", "--buyer", "00001", "--month", "2016-03", "--output",
                                                    out(), "--date", "2016-04-15"});
    ASSERT_EQ(r.status, 0) << str(describe(r));
    EXPECT_EQ(filesOf(out()), QStringList{QStringLiteral("szamlak.xml")});
    const QByteArray reference = readBytes(QStringLiteral(ZEROR_TAXSUPPLY_DATA_DIR "/audit_march.xml"));
    ASSERT_FALSE(reference.isEmpty());
    EXPECT_TRUE(readBytes(out(QStringLiteral("szamlak.xml"))) == reference) << "differs from audit_march.xml";
    EXPECT_TRUE(r.out.contains(QStringLiteral("Séma ellenőrzés: rendben"))) << str(r.out);

    // A folder that cannot be made: refused, and the file written before stays.
    QFile blocker(out(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ToolRun refused = exportTool(common() + QStringList{"audit-xml", "-b", "00001", "-m", "2016-03", "-o",
                                                          out(QStringLiteral("blocker/sub"))});
    EXPECT_EQ(refused.status, 1) << str(describe(refused));
    EXPECT_TRUE(refused.err.contains(QStringLiteral("A mappa nem hozható létre"))) << str(describe(refused));
    EXPECT_TRUE(readBytes(out(QStringLiteral("szamlak.xml"))) == reference);
}

TEST_F(ExportTool, ExcelWorkbooksAreTheScreensWorkbooks)
{
    insertExcelYear(db);
    // The workbooks the screen's writer makes of the same rows, before the tool gets the file.
    QTemporaryDir screenDir;
    Query query(&db.data().connection(), QStringLiteral("excel"));
    excel::gatherTickets(query, QDate(2016, 1, 1), QDate(2016, 12, 31), excel::DateKind::Purchase,
                         QStringLiteral("00001"));
    excel::writeWorkbook(query, excel::ticketLayout(), QDir(screenDir.path()).filePath(excel::kTicketWorkbook));
    excel::gatherProducers(query);
    excel::writeWorkbook(query, excel::producerLayout(), QDir(screenDir.path()).filePath(excel::kProducerWorkbook));
    query.close();
    release();

    // The default period is the calendar year of "today".
    const ToolRun tickets = exportTool(common() + QStringList{"excel-tickets", "--buyer", "00001", "--date-kind",
                                                          "purchase", "--date", "2016-07-01", "-o", out()});
    ASSERT_EQ(tickets.status, 0) << str(describe(tickets));
    const ToolRun producers = exportTool(common() + QStringList{"excel-producers", "-o", out()});
    ASSERT_EQ(producers.status, 0) << str(describe(producers));
    for (const QString& name : {excel::kTicketWorkbook, excel::kProducerWorkbook}) {
        const QByteArray written = readBytes(out(name));
        EXPECT_GT(written.size(), 512) << str(name);
        EXPECT_TRUE(written == readBytes(QDir(screenDir.path()).filePath(name))) << str(name) << " differs";
    }
}

TEST_F(ExportTool, TextExportMatchesTheReferenceFiles)
{
    insertTextExportRows(db);
    release();
    const ToolRun r = exportTool(common() + QStringList{"text", "--output", out()});
    ASSERT_EQ(r.status, 0) << str(describe(r));
    expectSameFiles(out(), QStringLiteral(ZEROR_EXCHANGE_DATA "/export"));

    // Only the named tables.
    QTemporaryDir some;
    const ToolRun two = exportTool(common() + QStringList{"text", "--tables", "termek,FjSor", "-o", some.path()});
    ASSERT_EQ(two.status, 0) << str(describe(two));
    EXPECT_EQ(filesOf(some.path()), (QStringList{QStringLiteral("FjSor.txt"), QStringLiteral("termek.txt")}));
}

// Every refusal: its status, the screen's message, and nothing written.
TEST_F(ExportTool, RefusalsEndWithTheirStatusAndTheScreensMessage)
{
    fillDeclarationFixture(db);
    // A paid producer without tax identifier: his file would have no name.
    db.exec(QStringLiteral("UPDATE ostermelo SET o_adoazon = '' WHERE o_kod = '00013'"));
    release();
    QFile blocker(out(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString underFile = out(QStringLiteral("blocker/sub"));
    const QString empty = out(QStringLiteral("empty"));

    struct Case
    {
        const char* name;
        QStringList arguments;
        int status;
        QString message;
    };
    const QList<Case> cases{
        {"months that differ", {"1608m", "-b", "00001", "--from", "2016-01-01", "--to", "2016-02-29", "-o", empty}, 1,
         QStringLiteral("Hiba112! Csak egy hónap intervallum lehet.")},
        {"a producer without tax identifier", {"1608m", "-b", "00001", "-m", "2016-01", "-o", empty}, 1,
         QStringLiteral("Javitandó! Nincs adóazonosító jele: 00013 Őri Ödön")},
        {"a buyer that does not exist", {"1608m", "-b", "00009", "-m", "2016-06", "-o", empty}, 1,
         QStringLiteral("Nincs ilyen kódú átvevő: 00009")},
        {"two buyers and none named", {"1608m", "-m", "2016-06", "-o", empty}, 1,
         QStringLiteral("Több átvevő van az adatbázisban (00001, 00002)")},
        {"an audit for a buyer that does not exist", {"audit-xml", "-b", "00009", "-m", "2016-01", "-o", empty}, 1,
         QStringLiteral("Nincs ilyen kódú átvevő: 00009")},
        {"an audit period the wrong way round", {"audit-xml", "-b", "00001", "--from", "2016-02-01", "--to",
                                                 "2016-01-01", "-o", empty}, 1, QStringLiteral("Dátum tól-ig hiba.")},
        {"1608M into a folder that cannot be made", {"1608m", "-b", "00002", "-m", "2016-01", "-o", underFile}, 1,
         QStringLiteral("Nem hozható létre a könyvtár: ") + underFile + QStringLiteral("/01")},
        {"a workbook into a folder that cannot be written", {"excel-producers", "-o", underFile}, 1,
         excel::kSaveFailedMessage},
        {"the text export into a folder that cannot be written", {"text", "-o", underFile}, 1,
         underFile + QStringLiteral("/atvevo.txt")},
        {"an unknown command", {"havi"}, 2, QStringLiteral("Ismeretlen parancs: havi")},
        {"an unknown option", {"text", "--kimenet", empty}, 2, QStringLiteral("Ismeretlen kapcsoló: --kimenet")},
        {"a date that is no date", {"text", "--date", "2016-02-30"}, 2,
         QStringLiteral("Érvénytelen dátum a --date kapcsolónál")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = exportTool(common() + c.arguments);
        EXPECT_EQ(r.status, c.status) << str(describe(r));
        EXPECT_TRUE(r.err.contains(c.message)) << str(describe(r));
        EXPECT_TRUE(r.out.isEmpty()) << str(r.out);
        EXPECT_FALSE(QFileInfo::exists(empty)) << "the refused run made its output folder";
    }

    // A database that is not there is its own status, and nothing is created in its place.
    const ToolRun missing = exportTool({"--database", out(QStringLiteral("nincs.fdb")), "text", "-o", empty});
    EXPECT_EQ(missing.status, 3) << str(describe(missing));
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Nem található"))) << str(describe(missing));
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("nincs.fdb"))));
}

TEST(ExportToolHelp, InHungarianAndEnglish)
{
    QTemporaryDir dir;
    const ToolRun r = exportTool({QStringLiteral("--help")}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Használat: zeror-export PARANCS")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Usage: zeror-export COMMAND")));
    for (const char* command : {"1608m", "audit-xml", "excel-tickets", "excel-producers", "text"})
        EXPECT_EQ(r.out.count(QString::fromLatin1(command)) >= 2, true) << command;
}
