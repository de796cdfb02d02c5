// Ticket numbers and text on a database that several workstations share, and what the rules
// check for a caller without widgets: the buyer-scoped clean-up of abandoned lines, the number
// taken when the ticket is stored, voiding re-checked inside its transaction, the unique key on
// a buyer's numbers, the WIN1250 refusals and the ranges of the entry checks.
#include "TicketTestData.h"

#include "DbError.h"
#include "ProducerRegister.h"
#include "ProductRegister.h"
#include "SharedState.h"
#include "TicketEntry.h"
#include "TicketEntryLine.h"
#include "TicketNumberKey.h"
#include "TicketNumbering.h"
#include "Voiding.h"
#include "Win1250.h"
#include "Win1250Guard.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using namespace zeror::ticketentry;

namespace {

class Numbering : public ::testing::Test
{
protected:
    Numbering() { db.chooseBuyer(QStringLiteral("00001")); }

    int linesUnder(const QString& buyer, const QString& number)
    {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_akod = %1 AND s_bszam = %2")
                             .arg(lit(buyer), lit(number)))
            .toInt();
    }

    // A line of the entry in progress, stored as the line screen does.
    void enterLine(const QString& key, const QString& name)
    {
        TicketLineInput in;
        in.number = key;
        in.productCode = QStringLiteral("00001");
        in.name = name;
        in.vtsz = QStringLiteral("0701");
        in.quantity = QStringLiteral("10");
        in.unit = QStringLiteral("kg");
        in.unitPrice = QStringLiteral("100");
        in.rate = QStringLiteral("12");
        in.weightDeduction = QStringLiteral("0");
        ASSERT_FALSE(checkLine(in, true).has_value());
        storeLine(db.data(), true, in, sharedState().buyerCode);
    }

    TicketHeaderValues header(const QString& shownNumber, const QString& producer = QStringLiteral("00001"))
    {
        TicketHeaderValues v;
        v.number = shownNumber;
        v.buyerCode = sharedState().buyerCode;
        v.producerCode = producer;
        v.issueDate = v.purchaseDate = v.paymentDate = QDate(2016, 3, 5);
        v.szja = 15;
        v.declaration = QStringLiteral(" ");
        v.type = QStringLiteral("1");
        return v;
    }

    TestDatabase db;
};

// ---- Buyer-scoped clean-up ----

struct CleanupCase
{
    const char* what;
    const char* buyer;      // whose lines lie under 20160001
    bool withHeader;        // the lines belong to a stored ticket
    bool expectDeleted;     // entering buyer 00001's ticket 20160001 clears them
};

TEST_F(Numbering, AbandonedLineCleanupTouchesOnlyTheBuyersHeaderlessLines)
{
    const CleanupCase cases[] = {
        {"other buyer's stored ticket", "00002", true, false},
        {"other buyer's abandoned lines", "00002", false, false},
        {"own abandoned lines", "00001", false, true},
    };
    for (const CleanupCase& c : cases) {
        SCOPED_TRACE(c.what);
        db.exec(QStringLiteral("DELETE FROM fjsor"));
        db.exec(QStringLiteral("DELETE FROM fjfej"));
        TestTicket t;
        t.number = QStringLiteral("20160001");
        t.buyer = QString::fromLatin1(c.buyer);
        t.lines = {{"Búza", 100, 50, 12}};
        insertTicket(db, t);
        if (!c.withHeader)
            db.exec(QStringLiteral("DELETE FROM fjfej"));
        db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160000' WHERE a_akod = '00001'"));

        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 0)
                startNewEntry(db.data(), QStringLiteral("00001"));
            else
                deleteAbandonedLines(db.data(), QStringLiteral("20160001"));
            EXPECT_EQ(linesUnder(t.buyer, t.number), c.expectDeleted ? 0 : 1);
        }
    }
}

TEST_F(Numbering, StatementsByNumberNameTheBuyer)
{
    TestTicket mine;
    mine.number = QStringLiteral("20160001");
    mine.lines = {{"Búza", 100, 50, 12}, {"Árpa", 10, 40, 12}};
    insertTicket(db, mine);
    TestTicket theirs = mine;
    theirs.buyer = QStringLiteral("00002");
    theirs.lines = {{"Meggy", 7, 300, 12}};
    insertTicket(db, theirs);

    EXPECT_EQ(countTicketLines(db.data(), mine.number), 2);
    openTicketLines(db.data().ZQ20, mine.number);
    EXPECT_EQ(db.data().ZQ20.rowCount(), 2);
    EXPECT_DOUBLE_EQ(readTicketSums(db.data(), mine.number).far, 100 * 50 + 10 * 40);
}

// ---- The number taken when the ticket is stored ----

TEST_F(Numbering, EntryLinesStayUnderTheEntrysOwnKeyUntilStored)
{
    db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160000' WHERE a_akod = '00001'"));
    const NewEntry e = startNewEntry(db.data(), QStringLiteral("00001"));
    EXPECT_EQ(e.number.toStdString(), "20160001");
    EXPECT_TRUE(ticketnumbers::isEntryLinesKey(e.linesKey)) << e.linesKey.toStdString();
    enterLine(e.linesKey, QStringLiteral("Búza"));
    EXPECT_EQ(linesUnder(QStringLiteral("00001"), e.number), 0);

    EXPECT_EQ(storeNewTicket(db.data(), header(e.number), e.linesKey).toStdString(), "20160001");
    EXPECT_EQ(linesUnder(QStringLiteral("00001"), QStringLiteral("20160001")), 1);
    EXPECT_EQ(linesUnder(QStringLiteral("00001"), e.linesKey), 0);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")).toStdString(), "20160001");
}

struct TakenCase
{
    const char* what;
    const char* counterMeanwhile; // the counter when "OK" is pressed
    const char* storedMeanwhile;  // a ticket another workstation stored meanwhile, or ""
    const char* expected;
};

TEST_F(Numbering, ANumberTakenMeanwhileGivesTheNextFreeOne)
{
    const TakenCase cases[] = {
        {"another workstation stored two tickets", "20160002", "20160002", "20160003"},
        {"counter left behind a stored ticket", "20160000", "20160001", "20160002"},
        {"nothing happened meanwhile", "20160000", "", "20160001"},
    };
    for (const TakenCase& c : cases) {
        SCOPED_TRACE(c.what);
        db.exec(QStringLiteral("DELETE FROM fjsor"));
        db.exec(QStringLiteral("DELETE FROM fjfej"));
        db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160000' WHERE a_akod = '00001'"));
        const NewEntry e = startNewEntry(db.data(), QStringLiteral("00001"));
        enterLine(e.linesKey, QStringLiteral("Búza"));
        if (*c.storedMeanwhile) {
            TestTicket other;
            other.number = QString::fromLatin1(c.storedMeanwhile);
            other.lines = {{"Árpa", 1, 1, 12}};
            insertTicket(db, other);
        }
        db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = %1 WHERE a_akod = '00001'")
                    .arg(lit(QString::fromLatin1(c.counterMeanwhile))));

        const QString stored = storeNewTicket(db.data(), header(e.number), e.linesKey);
        EXPECT_EQ(stored.toStdString(), c.expected);
        EXPECT_EQ(linesUnder(QStringLiteral("00001"), stored), 1);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")).toStdString(),
                  c.expected);
    }
    EXPECT_EQ(ticketnumbers::numberChangedMessage(QStringLiteral("20160001"), QStringLiteral("20160003")).toStdString(),
              "A(z) 20160001 sorszámot közben egy másik munkahely felhasználta, ezért a bizonylat a(z) 20160003 "
              "sorszámot kapta.");
}

TEST_F(Numbering, UnknownProducerIsRefusedAndNothingIsStored)
{
    const NewEntry e = startNewEntry(db.data(), QStringLiteral("00001"));
    enterLine(e.linesKey, QStringLiteral("Búza"));
    const QString counter = db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'"));
    try {
        storeNewTicket(db.data(), header(e.number, QStringLiteral("99999")), e.linesKey);
        FAIL() << "stored with an unknown producer";
    } catch (const WriteError& err) {
        EXPECT_TRUE(err.message().contains(QStringLiteral("Hibás az őstermelőkód"))) << err.message().toStdString();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), counter);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej")).toInt(), 0);
}

// ---- Voiding re-checked inside its transaction ----

TEST_F(Numbering, VoidingTheSameTicketTwiceIsRefusedInsideTheTransaction)
{
    db.exec(QStringLiteral("UPDATE sorszam SET a_fjbszam = '20160001' WHERE a_akod = '00001'"));
    TestTicket t;
    t.number = QStringLiteral("20160001");
    t.printed = QStringLiteral("I");
    t.lines = {{"Búza", 120, 50, 12}, {"Árpa", 35.5, 40, 12}};
    insertTicket(db, t);

    // Both workstations were shown the same number and the ticket as not yet voided.
    const QString shown = reserveVoidingNumber(db.data());
    createVoidingTicket(db.data(), t.number, shown);
    try {
        createVoidingTicket(db.data(), t.number, shown);
        FAIL() << "voided twice";
    } catch (const VoidingRefused& e) {
        EXPECT_EQ(e.message().toStdString(), "Már érvénytelenítve van!");
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_tipus = '4'")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam = '20160002'")).toInt(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")).toStdString(), "20160002");
}

// ---- The unique key on a buyer's numbers ----

TEST_F(Numbering, StartupStepCreatesTheKeyOnlyWithoutDuplicates)
{
    TData& d = db.data();
    ASSERT_TRUE(ticketkey::hasKey(d)); // new databases have it from the schema
    d.connection().executeImmediate(QStringLiteral("ALTER TABLE FJFEJ DROP CONSTRAINT UQ_FJFEJ_AKOD_BSZAM"));
    d.commit();
    ASSERT_FALSE(ticketkey::hasKey(d));

    TestTicket t;
    t.number = QStringLiteral("20160001");
    insertTicket(db, t);
    insertTicket(db, t);
    TestTicket other = t;
    other.buyer = QStringLiteral("00002"); // the same number of another buyer is no duplicate
    insertTicket(db, other);

    const QList<ticketkey::DuplicateNumber> dups = ticketkey::ensureKey(d);
    ASSERT_EQ(dups.size(), 1);
    EXPECT_EQ(dups[0].buyerCode.toStdString(), "00001");
    EXPECT_EQ(dups[0].number.toStdString(), "20160001");
    EXPECT_EQ(dups[0].count, 2);
    EXPECT_FALSE(ticketkey::hasKey(d));
    EXPECT_TRUE(ticketkey::duplicatesMessage(dups).contains(QStringLiteral("átvevő 00001, sorszám 20160001: 2 db")));

    db.exec(QStringLiteral("DELETE FROM fjfej WHERE id_fjfej = (SELECT MAX(id_fjfej) FROM fjfej WHERE f_akod = '00001')"));
    EXPECT_TRUE(ticketkey::ensureKey(d).isEmpty());
    EXPECT_TRUE(ticketkey::hasKey(d));
    EXPECT_THROW(insertTicket(db, t), DbError);
}

// ---- Text the WIN1250 code page cannot hold ----

struct TextCase
{
    const char* what;
    QString text;
    const char* refused; // the character named, "" when the text can be stored
};

TEST(Win1250Refusal, NamesTheFieldAndTheCharacter)
{
    const TextCase cases[] = {
        {"Hungarian ő and Ö", QStringLiteral("Tőkés Ödön"), ""},
        {"tilde o instead of ő", QStringLiteral("Tõkés Ödön"), "„õ” (U+00F5)"},
        {"emoji", QStringLiteral("Kiss \U0001F600 Péter"), "„\U0001F600” (U+1F600)"},
        {"Chinese name", QStringLiteral("王小明"), "„王” (U+738B)"},
        {"euro sign is in the code page", QStringLiteral("100 €"), ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString refusal = win1250::fieldRefusal(QStringLiteral("Neve"), c.text);
        if (!*c.refused) {
            EXPECT_TRUE(refusal.isEmpty()) << refusal.toStdString();
            EXPECT_TRUE(charClassAcceptsText(CharClass::Any, c.text));
        } else {
            EXPECT_EQ(refusal.toStdString(),
                      "Hibás a(z) „Neve” mező: a(z) " + std::string(c.refused) + " karakter nem tárolható (WIN1250)!");
            EXPECT_FALSE(charClassAcceptsText(CharClass::Any, c.text));
        }
    }
}

TEST(Win1250Refusal, EntryFieldsRefuseSuchCharactersTypedOrPasted)
{
    ui::installWin1250Guard(*static_cast<QApplication*>(QCoreApplication::instance()));
    QLineEdit edit;
    edit.show();
    QTRY_VERIFY(edit.validator() != nullptr);
    // Typed as key events carrying their text: QTest's key clicks take ASCII only.
    for (const QChar ch : QStringLiteral("Tõkés")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&edit, &press);
    }
    EXPECT_EQ(edit.text().toStdString(), "Tkés");

    edit.clear();
    QApplication::clipboard()->setText(QStringLiteral("Kiss \U0001F600"));
    edit.paste();
    EXPECT_EQ(edit.text().toStdString(), "");
    QApplication::clipboard()->setText(QStringLiteral("Tőkés Ödön"));
    edit.paste();
    EXPECT_EQ(edit.text().toStdString(), "Tőkés Ödön");
}

TEST_F(Numbering, DataLayerRefusesTextItCannotStoreAsGiven)
{
    struct Case
    {
        const char* what;
        QString text;
        const char* fragment;
    } cases[] = {
        {"unencodable character", QStringLiteral("T\u00F5k\u00E9s"), "U+00F5"},
        {"longer than a parameter carries", QString(70000, QLatin1Char('a')), "túl hosszú"},
        {"just over the engine's limit", QString(32766, QLatin1Char('a')), "túl hosszú"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Query& q = db.data().ZQ31;
        q.close();
        q.setSql({QStringLiteral("UPDATE ostermelo SET o_nev = :p1 WHERE o_kod = '00001'")});
        q.setText(QStringLiteral("p1"), c.text);
        try {
            q.exec();
            FAIL() << "stored";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.fragment))) << e.message().toStdString();
        }
        db.data().rollback();
    }
    EXPECT_NE(db.scalar(QStringLiteral("SELECT o_nev FROM ostermelo WHERE o_kod = '00001'")).left(1), QStringLiteral("a"));
}

// ---- The rules' own checks ----

ProducerInput validProducerInput()
{
    using F = ProducerField;
    ProducerInput in;
    in[F::Kod] = QStringLiteral("6");
    in[F::Nev] = QStringLiteral("Kiss Péter");
    in[F::Irszam] = QStringLiteral("6000");
    in[F::Helysegnev] = QStringLiteral("Kecskemét");
    in[F::Utca] = QStringLiteral("Arany János");
    in[F::Adoazon] = QStringLiteral("8526018159");
    in[F::Igszam] = QStringLiteral("123456");
    in[F::Szja] = QStringLiteral("15");
    in[F::Szulhely] = QStringLiteral("Kecskemét");
    in[F::Szido] = QStringLiteral("1962.04.11");
    in[F::Anyja] = QStringLiteral("Nagy Mária");
    in[F::Neme] = QStringLiteral("1");
    in[F::Szulnev] = QStringLiteral("Kiss Péter");
    in[F::Taj] = QStringLiteral("366712768");
    in[F::Adoszam] = QStringLiteral("43231940213");
    in[F::Fhat] = QStringLiteral("8");
    in[F::Ervkelt] = QStringLiteral("2016.01.04");
    in.emptyTajAllowed = true;
    return in;
}

TEST(RulesOwnChecks, ProducerRefusesWhatOnlyTheWidgetsBlocked)
{
    using F = ProducerField;
    ASSERT_FALSE(checkProducer(validProducerInput()).has_value());
    const struct
    {
        const char* what;
        F field;
        QString text;
        const char* message;
    } cases[] = {
        {"letter in the postcode", F::Irszam, QStringLiteral("60A0"), "Hibás az irányitószám: csak számjegyet tartalmazhat!"},
        {"letter in the TAJ (empty TAJ ticked)", F::Taj, QStringLiteral("36671276X"), "Hibás TAJ"},
        {"letter in the tax number", F::Adoszam, QStringLiteral("4323194021X"), "Hibás adószám"},
        {"fractional SZJA", F::Szja, QStringLiteral("12,5"), "Hibás az szja: 0 és 100 közötti egész szám legyen!"},
        {"SZJA over 100", F::Szja, QStringLiteral("101"), "Hibás az szja: 0 és 100 közötti egész szám legyen!"},
        {"sex code 3", F::Neme, QStringLiteral("3"), "Hibás a neme: 1 vagy 2 lehet!"},
        {"name with õ", F::Nev, QStringLiteral("Tõkés Ödön"), "Hibás a(z) „Neve” mező: a(z) „õ” (U+00F5) karakter nem tárolható (WIN1250)!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProducerInput in = validProducerInput();
        in[c.field] = c.text;
        const auto fault = checkProducer(in);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->message.toStdString(), c.message);
        EXPECT_EQ(fault->field, c.field);
    }
}

TEST(RulesOwnChecks, TicketHeaderAndLineRefuseOutOfRangeValues)
{
    TicketHeaderInput h;
    h.number = QStringLiteral("20160001");
    h.producerCode = QStringLiteral("00001");
    h.issueDate = h.purchaseDate = h.paymentDate = QStringLiteral("2016.03.05");
    h.szja = QStringLiteral("15");
    h.weightDeduction = h.contribution = h.deduction = QStringLiteral("0");
    ASSERT_FALSE(checkHeader(h).has_value());
    const struct
    {
        const char* what;
        QString TicketHeaderInput::*member;
        QString text;
        HeaderField field;
    } headerCases[] = {
        {"SZJA 101", &TicketHeaderInput::szja, QStringLiteral("101"), HeaderField::Szja},
        {"contribution -1", &TicketHeaderInput::contribution, QStringLiteral("-1"), HeaderField::Contribution},
        {"weight deduction 150", &TicketHeaderInput::weightDeduction, QStringLiteral("150"), HeaderField::WeightDeduction},
        {"producer code with a letter", &TicketHeaderInput::producerCode, QStringLiteral("0000A"), HeaderField::Producer},
        {"remark with an emoji", &TicketHeaderInput::remark, QStringLiteral("ok \U0001F44D"), HeaderField::Producer},
    };
    for (const auto& c : headerCases) {
        SCOPED_TRACE(c.what);
        TicketHeaderInput in = h;
        in.*c.member = c.text;
        const auto fault = checkHeader(in);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->field, c.field);
        EXPECT_TRUE(fault->message.startsWith(QStringLiteral("Hibás"))) << fault->message.toStdString();
    }

    TicketLineInput l;
    l.number = QStringLiteral("20160001");
    l.name = QStringLiteral("Búza");
    l.vtsz = QStringLiteral("1001");
    l.quantity = QStringLiteral("10");
    l.unit = QStringLiteral("kg");
    l.unitPrice = QStringLiteral("100");
    l.rate = QStringLiteral("12");
    l.weightDeduction = QStringLiteral("0");
    ASSERT_FALSE(checkLine(l, true).has_value());
    const struct
    {
        const char* what;
        QString TicketLineInput::*member;
        QString text;
        const char* message;
    } lineCases[] = {
        {"negative unit price", &TicketLineInput::unitPrice, QStringLiteral("-5"), "Hibás az egységár: nem lehet negatív!"},
        {"rate over 100", &TicketLineInput::rate, QStringLiteral("120"), "Hibás a komp.mértéke: 0 és 100 közötti szám legyen!"},
        {"name with õ", &TicketLineInput::name, QStringLiteral("Bõza"), "Hibás a(z) „Megnevezés” mező: a(z) „õ” (U+00F5) karakter nem tárolható (WIN1250)!"},
    };
    for (const auto& c : lineCases) {
        SCOPED_TRACE(c.what);
        TicketLineInput in = l;
        in.*c.member = c.text;
        const auto fault = checkLine(in, true);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->message.toStdString(), c.message);
    }
}

TEST_F(Numbering, UnknownProductOnALineIsRefused)
{
    TicketLineInput in;
    in.number = QStringLiteral("20160001");
    in.productCode = QStringLiteral("99999");
    in.name = QStringLiteral("Búza");
    in.vtsz = QStringLiteral("1001");
    in.quantity = QStringLiteral("10");
    in.unit = QStringLiteral("kg");
    in.unitPrice = QStringLiteral("100");
    in.rate = QStringLiteral("12");
    in.weightDeduction = QStringLiteral("0");
    try {
        storeLine(db.data(), true, in, QStringLiteral("00001"));
        FAIL() << "stored";
    } catch (const WriteError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Hibás a termékkód"))) << e.message().toStdString();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_termekkod = '99999'")).toInt(), 0);
}

TEST(RulesOwnChecks, ProductRefusesNegativePriceAndOutOfRangeRate)
{
    using P = ProductField;
    ProductInput in;
    in[P::Kod] = QStringLiteral("7");
    in[P::Megnevezes] = QStringLiteral("Búza");
    in[P::Ear] = QStringLiteral("100");
    in[P::Megy] = QStringLiteral("kg");
    in[P::Kompmerteke] = QStringLiteral("12");
    ASSERT_FALSE(checkProduct(in).has_value());
    const struct
    {
        P field;
        QString text;
        const char* message;
    } cases[] = {
        {P::Ear, QStringLiteral("-1"), "Hibás az egységár: nem lehet negatív!"},
        {P::Kompmerteke, QStringLiteral("101"), "Hibás a komp.mérték: 0 és 100 közötti egész szám legyen!"},
        {P::Kod, QStringLiteral("7a"), "Hibás a kód: csak számjegyet tartalmazhat!"},
    };
    for (const auto& c : cases) {
        ProductInput bad = in;
        bad[c.field] = c.text;
        const auto fault = checkProduct(bad);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->message.toStdString(), c.message);
    }
}

} // namespace
