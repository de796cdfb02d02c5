// The ticket printout: its variables from a table of tickets, and the printout of a stored ticket
// through the template (print flag, copy mark, receipt texts, voiding line, missing template).
#include "DbError.h"
#include "Dialogs.h"
#include "PayableAmount.h"
#include "ReportModule.h"
#include "SharedState.h"
#include "TData.h"
#include "TestDatabase.h"
#include "TicketList.h"
#include "TicketPrint.h"
#include "TicketPrintScreen.h"
#include "TicketTestData.h"
#include "Voiding.h"
#include "reportengine/previewdialog.h"
#include "reportengine/reportengine.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using zeror::ui::Dialogs;

namespace {

// ---- Variables of one ticket, without a database ----

struct Expect
{
    const char* name;
    QVariant value;
};

struct VarCase
{
    const char* title;
    TicketPrintInput in;
    std::vector<Expect> expected;
};

TicketPrintInput input(double v, double szja, bool transfer)
{
    TicketPrintInput in;
    in.var = v;
    in.far = v;
    in.szjaPercent = szja;
    in.utal = transfer ? QStringLiteral("x") : QStringLiteral(" ");
    in.paymentDate = QDate(2016, 3, 13);
    in.declaration = QStringLiteral("Kijelentem, hogy őstermelő vagyok.");
    in.printed = QStringLiteral(" ");
    in.type = QStringLiteral("1");
    in.normalTicketType = QStringLiteral("1");
    return in;
}

const QString Dots = QString(77, QLatin1Char('.'));
const QString Signature = QStringLiteral(" a mezögazd. tevék. folytató adóalany aláirása");

std::vector<VarCase> varCases()
{
    std::vector<VarCase> cases;
    cases.push_back({"cash at V 10 001 and 15 %", input(10001, 15, false),
                     {{"v_var", 10001.0},
                      {"v_szja", 15.0},
                      {"v_szja2", 1500.15},
                      {"v_kif", QStringLiteral("8500")},
                      {"v_azaz", QStringLiteral("nyolcezer-ötszáz  00/100 Forint")},
                      {"v_fizmod", QStringLiteral("Fizetés módja: Kp.")},
                      {"v_utal", QStringLiteral(" ")},
                      {"v_kp1", QStringLiteral("Az adóelöleggel csökkentett vételár összegét 8500 Ft -ot, azaz")},
                      {"v_kp2", QStringLiteral("nyolcezer-ötszáz  00/100 Forint -ot a mai napon átvettem.")},
                      {"v_kp3", QStringLiteral("Az összeg átvételének idöpontja:2016.03.13")},
                      {"v_kp4", Dots},
                      {"v_kp5", Signature},
                      {"v_masolat", QStringLiteral(" ")},
                      {"v_ervenyteleniti", QString()}}});
    cases.push_back({"cash at 0 % has no tax wording", input(10000, 0, false),
                     {{"v_szja2", 0.0},
                      {"v_kif", QStringLiteral("10000")},
                      {"v_kp1", QStringLiteral("A vételár összegét 10000 Ft -ot, azaz")}}});
    cases.push_back({"transfer at V 10 001 and 15 %", input(10001, 15, true),
                     {{"v_kif", QStringLiteral("8501")},
                      {"v_azaz", QStringLiteral("nyolcezer-ötszázegy  00/100 Forint")},
                      {"v_fizmod", QStringLiteral("Fizetés módja: Átutalás")},
                      {"v_utal", QStringLiteral("Átutalás határideje:  2016.03.13")},
                      {"v_kp1", QString()},
                      {"v_kp2", QString()},
                      {"v_kp3", QString()},
                      {"v_kp4", QString()},
                      {"v_kp5", QString()}}});
    {
        TicketPrintInput in = input(10000, 16, false);
        in.contributionPercent = 2;
        in.deduction = 0;
        cases.push_back({"contribution on what the tax leaves", in,
                         {{"v_szja2", 1600.0},
                          {"v_jszaz", 2.0},
                          {"v_jarul", 168.0},
                          {"v_kif", QStringLiteral("8230")},
                          {"v_azaz", QStringLiteral("nyolcezer-kettöszázharminc  00/100 Forint")}}});
    }
    {
        TicketPrintInput in = input(10000, 0, true);
        in.deduction = 500;
        cases.push_back({"deduction", in, {{"v_levon", 500.0}, {"v_kif", QStringLiteral("9500")}}});
    }
    {
        TicketPrintInput in = input(10000, 15, false);
        in.declaration = QStringLiteral("Igen.");
        cases.push_back({"a 5-character declaration prints no declaration", in,
                         {{"v_nyilatk1", QStringLiteral(" ")},
                          {"v_nyilatk2", QStringLiteral(" ")},
                          {"v_nyilatk3", QStringLiteral("  ")}}});
    }
    {
        TicketPrintInput in = input(10000, 15, false);
        in.declaration = QStringLiteral("  Igen!!  ");
        cases.push_back({"a declaration is printed without its surrounding blanks", in,
                         {{"v_nyilatk1", QStringLiteral("Nyilatkozat: Igen!!")},
                          {"v_nyilatk2", Dots},
                          {"v_nyilatk3", Signature}}});
    }
    {
        TicketPrintInput in = input(10000, 15, false);
        in.printed = QStringLiteral("I");
        cases.push_back({"a printed ticket prints as a copy", in, {{"v_masolat", QStringLiteral("MÁSOLATI PÉLDÁNY")}}});
    }
    {
        TicketPrintInput in = input(-1237, 0, false);
        in.type = QStringLiteral("4");
        in.counterpart = QStringLiteral("20160005");
        cases.push_back({"a voiding ticket", in,
                         {{"v_kif", QStringLiteral("-1235")},
                          {"v_azaz", QStringLiteral("mínusz egyezer-kettöszázharmincöt  00/100 Forint")},
                          {"v_kp1", QStringLiteral("A vételár összegét -1235 Ft -ot, azaz")},
                          {"v_ervenyteleniti", QStringLiteral("Érvényteleníti a 20160005 számú bizonylatot.")}}});
    }
    {
        TicketPrintInput in = input(0, 15, false);
        cases.push_back({"a ticket without lines", in,
                         {{"v_kif", QStringLiteral("0")},
                          {"v_azaz", QStringLiteral("nulla 00/100 Forint")},
                          {"v_kp1", QStringLiteral("A vételár összegét 0 Ft -ot, azaz")}}});
    }
    return cases;
}

TEST(TicketPrintVariables, TableOfTickets)
{
    for (const VarCase& c : varCases()) {
        const TicketVariables vars = ticketPrintVariables(c.in);
        for (const Expect& e : c.expected) {
            const QVariant got = ticketVariable(vars, QString::fromLatin1(e.name));
            ASSERT_TRUE(got.isValid()) << c.title << ": " << e.name << " is not set";
            if (e.value.typeId() == QMetaType::Double)
                EXPECT_NEAR(got.toDouble(), e.value.toDouble(), 1e-6) << c.title << ": " << e.name;
            else
                EXPECT_EQ(str(got.toString()), str(e.value.toString())) << c.title << ": " << e.name;
        }
    }
}

TEST(TicketPrintVariables, EveryTicketVariableIsSet)
{
    for (const bool transfer : {false, true}) {
        const TicketVariables vars = ticketPrintVariables(input(100, 15, transfer));
        for (const char* name : {"v_far", "v_kar", "v_var", "v_szja", "v_szja2", "v_jszaz", "v_jarul", "v_levon",
                                 "v_kif", "v_azaz", "v_fizmod", "v_utal", "v_kp1", "v_kp2", "v_kp3", "v_kp4",
                                 "v_kp5", "v_nyilatk1", "v_nyilatk2", "v_nyilatk3", "v_masolat", "v_ervenyteleniti"})
            EXPECT_TRUE(ticketVariable(vars, QString::fromLatin1(name)).isValid()) << name;
    }
}

TEST(TicketPrintVariables, TemplateNameCarriesTheLayoutLetter)
{
    EXPECT_EQ(str(ticketTemplateName(QString())), "FjLista7.frf");
    EXPECT_EQ(str(ticketTemplateName(QStringLiteral("A"))), "FjLista7A.frf");
}

// ---- The printout of stored tickets ----

class TicketPrintout : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<TestDatabase>();
        m_db->chooseBuyer(QStringLiteral("00001"));
        Dialogs::clear();
        ReportModule::setPreviewHook([this](const report::PreparedReport& p, bool allowPrint) {
            m_pages = p;
            m_allowPrint = allowPrint;
            ++m_previews;
        });
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        m_db.reset();
    }

    TestDatabase& db() { return *m_db; }
    TData& data() { return m_db->data(); }

    void copyTemplate(const QString& name)
    {
        const QString target = QDir(m_db->folder()).filePath(name);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/") + name, target)) << str(name);
    }

    // Selects the ticket in the list and runs the printout as the list's buttons do.
    bool printTicket(const QString& number, const QString& action)
    {
        openTicketListAt(data(), number);
        EXPECT_EQ(str(data().ZQ10.text(QStringLiteral("f_bszam"))), str(number));
        sharedState().printAction = action;
        return printSelectedTicket(data(), nullptr);
    }

    QString printed(const QString& number)
    {
        return db().scalar(QStringLiteral("SELECT f_prn FROM fjfej WHERE f_bszam = '%1'").arg(number));
    }

    bool hasText(const QString& text) const { return m_pages.texts().contains(text); }
    bool hasTextStarting(const QString& text) const
    {
        for (const QString& t : m_pages.texts())
            if (t.startsWith(text))
                return true;
        return false;
    }
    QString allTexts() const { return m_pages.texts().join(QStringLiteral(" | ")); }

    std::unique_ptr<TestDatabase> m_db;
    report::PreparedReport m_pages;
    bool m_allowPrint = false;
    int m_previews = 0;
};

TestTicket cashTicket(const QString& number)
{
    TestTicket t;
    t.number = number;
    t.lines = {{"Búza", 1, 10001, 0}};
    return t;
}

TEST_F(TicketPrintout, PrintingMarksTheTicketPrintedAtOnceAndTheNextPrintIsACopy)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    insertTicket(db(), cashTicket(QStringLiteral("20160001")));

    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Nyomtat")));
    EXPECT_EQ(m_previews, 1);
    EXPECT_TRUE(m_allowPrint);
    EXPECT_TRUE(hasText(QStringLiteral("FELVÁSÁRLÁSI JEGY"))) << str(allTexts());
    EXPECT_TRUE(hasText(QStringLiteral("Sorszám: 20160001")));
    EXPECT_FALSE(hasText(QStringLiteral("MÁSOLATI PÉLDÁNY")));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << str(Dialogs::shownTexts().join(QLatin1Char('\n')));

    // The preview was closed without printing; a rollback must not take the flag back.
    data().rollback();
    EXPECT_EQ(str(printed(QStringLiteral("20160001"))), "I");

    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Nyomtat")));
    EXPECT_TRUE(hasText(QStringLiteral("MÁSOLATI PÉLDÁNY")));
}

TEST_F(TicketPrintout, ViewingChangesNothing)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    insertTicket(db(), cashTicket(QStringLiteral("20160001")));

    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Megtekint")));
    EXPECT_FALSE(m_allowPrint);
    EXPECT_FALSE(hasText(QStringLiteral("MÁSOLATI PÉLDÁNY")));
    data().rollback();
    EXPECT_EQ(str(printed(QStringLiteral("20160001"))), " ");
    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Megtekint")));
    EXPECT_FALSE(hasText(QStringLiteral("MÁSOLATI PÉLDÁNY")));
}

TEST_F(TicketPrintout, CashTicketPrintsThePayableAmountInWordsAndTheReceipt)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    insertTicket(db(), cashTicket(QStringLiteral("20160001")));
    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Megtekint")));

    for (const QString& t : {QStringLiteral("Fizetés módja: Kp."), QStringLiteral("8 500 Ft"),
                             QStringLiteral("nyolcezer-ötszáz  00/100 Forint"),
                             QStringLiteral("Az adóelöleggel csökkentett vételár összegét 8500 Ft -ot, azaz"),
                             QStringLiteral("nyolcezer-ötszáz  00/100 Forint -ot a mai napon átvettem."),
                             QStringLiteral("Az összeg átvételének idöpontja:2016.03.13"), QString(77, QLatin1Char('.')),
                             QStringLiteral("Búza"), QStringLiteral("10 001,00"), QStringLiteral("1 500,15 Ft"),
                             QStringLiteral("SZJA előleg (15 %):"), QStringLiteral("2016.03.05"), QStringLiteral("2016.03.04"),
                             QStringLiteral("Nyilatkozat: Kijelentem, hogy a termékeket saját gazdaságomban állítottam elő."),
                             QStringLiteral("Gabona Felvásárló és Kereskedelmi Kft."), QStringLiteral("12345676-2-03"),
                             QStringLiteral("Kovács János"), QStringLiteral("43231940-2-13"), QStringLiteral("366 712 768"),
                             QStringLiteral("8526018159"), QStringLiteral("Petőfi Sándor utca 12")})
        EXPECT_TRUE(hasText(t)) << str(t) << "\nin: " << str(allTexts());
}

TEST_F(TicketPrintout, ZeroPercentCashTicketHasThePlainReceiptWording)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    TestTicket t = cashTicket(QStringLiteral("20160001"));
    t.szja = 0;
    insertTicket(db(), t);
    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Megtekint")));
    EXPECT_TRUE(hasTextStarting(QStringLiteral("A vételár összegét "))) << str(allTexts());
    EXPECT_TRUE(hasText(QStringLiteral("A vételár összegét 10000 Ft -ot, azaz")));
}

TEST_F(TicketPrintout, TransferTicketPrintsItsDeadlineAndNoReceipt)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    TestTicket t = cashTicket(QStringLiteral("20160001"));
    t.transfer = true;
    t.declaration = QStringLiteral("Igen.");
    insertTicket(db(), t);
    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Megtekint")));
    EXPECT_TRUE(hasText(QStringLiteral("Fizetés módja: Átutalás"))) << str(allTexts());
    EXPECT_TRUE(hasText(QStringLiteral("Átutalás határideje:  2016.03.13")));
    EXPECT_TRUE(hasText(QStringLiteral("8 501 Ft")));
    EXPECT_FALSE(hasTextStarting(QStringLiteral("Az adóelöleggel")));
    EXPECT_FALSE(allTexts().contains(QStringLiteral("átvettem")));
    // A declaration of 5 characters prints no declaration lines.
    EXPECT_FALSE(allTexts().contains(QStringLiteral("Nyilatkozat")));
    EXPECT_FALSE(allTexts().contains(QString(77, QLatin1Char('.'))));
}

TEST_F(TicketPrintout, VoidingTicketNamesTheVoidedTicketAndPrintsANegativeAmount)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    TestTicket t = cashTicket(QStringLiteral("20160005"));
    t.printed = QStringLiteral("I");
    insertTicket(db(), t);
    db().exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160007' WHERE a_akod = '00001'"));
    createVoidingTicket(data(), QStringLiteral("20160005"), QStringLiteral("20160008"));

    ASSERT_TRUE(printTicket(QStringLiteral("20160008"), QStringLiteral("Nyomtat")));
    EXPECT_TRUE(hasText(QStringLiteral("Érvényteleníti a 20160005 számú bizonylatot."))) << str(allTexts());
    EXPECT_TRUE(hasText(QStringLiteral("mínusz nyolcezer-ötszáz  00/100 Forint")));
    EXPECT_TRUE(hasText(QStringLiteral("-8 500 Ft")));
    EXPECT_TRUE(hasText(QStringLiteral("-10 001,00")));
    EXPECT_FALSE(hasText(QStringLiteral("MÁSOLATI PÉLDÁNY")));

    // The voided ticket itself carries no voiding line.
    ASSERT_TRUE(printTicket(QStringLiteral("20160005"), QStringLiteral("Megtekint")));
    EXPECT_FALSE(allTexts().contains(QStringLiteral("Érvényteleníti")));
}

TEST_F(TicketPrintout, MissingTemplateOfTheBuyersLetterStopsThePrintAndLeavesTheFlag)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    db().chooseBuyer(QStringLiteral("00002"));
    TestTicket t = cashTicket(QStringLiteral("16000001"));
    t.buyer = QStringLiteral("00002");
    insertTicket(db(), t);

    EXPECT_FALSE(printTicket(QStringLiteral("16000001"), QStringLiteral("Nyomtat")));
    EXPECT_EQ(m_previews, 0);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("FjLista7A.frf"))) << str(Dialogs::lastText());
    data().rollback();
    EXPECT_EQ(str(printed(QStringLiteral("16000001"))), " ");
}

TEST_F(TicketPrintout, CompactLayoutOfLetterA)
{
    copyTemplate(QStringLiteral("FjLista7A.frf"));
    db().chooseBuyer(QStringLiteral("00002"));
    TestTicket t;
    t.number = QStringLiteral("16000001");
    t.buyer = QStringLiteral("00002");
    t.producer = QStringLiteral("00005");
    t.lines = {{"Alma", 250, 65, 12}, {"Paprika", 40.5, 180, 12}};
    insertTicket(db(), t);
    ASSERT_TRUE(printTicket(QStringLiteral("16000001"), QStringLiteral("Nyomtat")));
    EXPECT_EQ(m_pages.orientation, QPageLayout::Portrait);
    EXPECT_EQ(m_pages.pageCount(), 1);
    for (const QString& s : {QStringLiteral("FELVÁSÁRLÁSI JEGY"), QStringLiteral("Sorszám: 16000001"),
                             QStringLiteral("Alföldi Zöldség-Gyümölcs Szövetkezet"), QStringLiteral("23456787-2-06"),
                             QStringLiteral("Németh Ünige"), QStringLiteral("59797119-2-13"),
                             QStringLiteral("685 995 286"), QStringLiteral("Alma"), QStringLiteral("Paprika"),
                             QStringLiteral("40,50")})
        EXPECT_TRUE(hasText(s)) << str(s) << "\nin: " << str(allTexts());
    EXPECT_EQ(str(printed(QStringLiteral("16000001"))), "I");
}

TEST_F(TicketPrintout, FailedPrintFlagIsReportedAndThePreviewStillOpens)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    insertTicket(db(), cashTicket(QStringLiteral("20160001")));
    db().exec(QStringLiteral("ALTER TABLE fjfej ADD CONSTRAINT ck_test_prn CHECK (f_prn <> 'I')"));

    ASSERT_TRUE(printTicket(QStringLiteral("20160001"), QStringLiteral("Nyomtat")));
    EXPECT_EQ(m_previews, 1);
    ASSERT_FALSE(Dialogs::shownTexts().isEmpty());
    EXPECT_TRUE(Dialogs::shownTexts().first().startsWith(QStringLiteral("Hiba81: prn UPDATE Fjfej-be ")));
    EXPECT_EQ(str(printed(QStringLiteral("20160001"))), " ");
}

TEST_F(TicketPrintout, ListReturnsToTheCurrentTicketAfterThePrint)
{
    copyTemplate(QStringLiteral("FjLista7.frf"));
    for (const char* n : {"20160001", "20160002", "20160003"})
        insertTicket(db(), cashTicket(QString::fromLatin1(n)));

    sharedState().currentTicketNumber = QStringLiteral("20160002");
    ASSERT_TRUE(printTicket(QStringLiteral("20160003"), QStringLiteral("Megtekint")));
    EXPECT_EQ(str(data().ZQ10.text(QStringLiteral("f_bszam"))), "20160002");

    sharedState().currentTicketNumber.clear();
    ASSERT_TRUE(printTicket(QStringLiteral("20160003"), QStringLiteral("Megtekint")));
    EXPECT_EQ(str(data().ZQ10.text(QStringLiteral("f_bszam"))), "20160001");
}

// With ZEROR_SCREENSHOT_DIR set, writes a realistic ticket as ticket.pdf, ticket.png (page one)
// and ticket-preview.png (the preview window) there, to be looked at.
TEST_F(TicketPrintout, Screenshots)
{
    const QString dir = qEnvironmentVariable("ZEROR_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZEROR_SCREENSHOT_DIR is not set";
    const QString variant = qEnvironmentVariable("ZEROR_SCREENSHOT_VARIANT");
    const QString buyer = variant == u"A" ? QStringLiteral("00002") : QStringLiteral("00001");
    copyTemplate(ticketTemplateName(variant));
    db().chooseBuyer(buyer);
    TestTicket t;
    t.number = variant == u"A" ? QStringLiteral("16000014") : QStringLiteral("20160014");
    t.buyer = buyer;
    t.remark = QStringLiteral("Szállítólevél: 2016/0314");
    t.lines = {{"Búza", 1250, 48.5, 7}, {"Kukorica", 830.5, 42, 7}, {"Napraforgó", 312, 110, 12}};
    insertTicket(db(), t);
    ASSERT_TRUE(printTicket(t.number, QStringLiteral("Megtekint")));
    const QString suffix = variant.isEmpty() ? QString() : QLatin1Char('-') + variant;
    QString error;
    const QString pdf = QDir(dir).filePath(QStringLiteral("ticket%1.pdf").arg(suffix));
    ASSERT_TRUE(report::writePdf(m_pages, pdf, &error)) << str(error);
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                                   QStringLiteral("-singlefile"), pdf,
                                                   QDir(dir).filePath(QStringLiteral("ticket%1").arg(suffix))});
    report::PreviewDialog preview(m_pages, true);
    preview.resize(900, 1000);
    preview.show();
    QApplication::processEvents();
    EXPECT_TRUE(preview.grab().save(QDir(dir).filePath(QStringLiteral("ticket%1-preview.png").arg(suffix))));
}

} // namespace
