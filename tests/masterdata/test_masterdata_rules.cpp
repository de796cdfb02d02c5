// The rules of the registers without their screens: the entry checks in their order, the code
// allocation, the printed-ticket counts, and the statements against a real database.
#include "ErrorMessage.h"
#include "MasterdataFixtures.h"

#include "DbError.h"
#include "SharedState.h"

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using F = ProducerField;
using P = ProductField;

namespace {

// ---- Producer entry checks ----

TEST(ProducerChecks, ValidProducerPasses)
{
    EXPECT_FALSE(checkProducer(validProducer()).has_value());
}

struct ProducerCase {
    const char* what;
    F field;          // the field changed
    const char* text; // its new text
    bool tajTicked;
    const char* message; // nullptr: accepted
    F focus;
};

// One change at a time to a valid producer: each fault with its message and focus, and the
// neighbouring values that pass.
const ProducerCase kProducerCases[] = {
    {"name blank", F::Nev, "   ", false, "Nincs megadva a neve!", F::Nev},
    {"postcode empty", F::Irszam, "", false, "Nincs megadva az irányitószám!", F::Irszam},
    {"postcode of 3", F::Irszam, "600", false, "Az irányitószám kevesebb mint 4 karakter!", F::Irszam},
    {"postcode of 1", F::Irszam, "6", false, "Az irányitószám kevesebb mint 4 karakter!", F::Irszam},
    {"town blank", F::Helysegnev, "", false, "Nincs megadva a helységnév!", F::Helysegnev},
    {"street blank", F::Utca, " ", false, "Nincs megadva az utca!", F::Utca},
    {"tax id blank", F::Adoazon, "", false, "Nincs megadva az adóazonositó!", F::Adoazon},
    {"card blank", F::Igszam, "", false, "Nincs megadva az őstermelő ig.szám!", F::Igszam},
    {"szja blank", F::Szja, "", false, "Nincs megadva az szja!", F::Szja},
    {"birth place blank", F::Szulhely, "", false, "Nincs megadva a születési hely!", F::Szulhely},
    {"birth date blank", F::Szido, "", false, "Nincs megadva a születési idő!", F::Szido},
    {"mother blank", F::Anyja, "", false, "Nincs megadva az anyja neve!", F::Anyja},
    {"sex blank", F::Neme, "", false, "Nincs megadva a neme!", F::Neme},
    {"birth name blank", F::Szulnev, "", false, "Nincs megadva a születési neve!", F::Szulnev},
    {"payment days blank", F::Fhat, "", false, "Nincs megadva a napok száma vagy nulla!", F::Fhat},
    {"payment days negative", F::Fhat, "-1", false, "Hibás szám vagy nullát adjon meg!", F::Fhat},
    {"payment days not a number", F::Fhat, "1/2", false, "Hibás szám vagy nullát adjon meg!", F::Fhat},
    {"payment days zero", F::Fhat, "0", false, nullptr, F::Fhat},
    {"community tax number of 7", F::Kozadoszam, "HU12345", false, "Közösségi adószám kevesebb mint 8 karakter!",
     F::Kozadoszam},
    {"community tax number of 1", F::Kozadoszam, "H", false, "Közösségi adószám kevesebb mint 8 karakter!",
     F::Kozadoszam},
    {"community tax number empty", F::Kozadoszam, "", false, nullptr, F::Kozadoszam},
    {"community tax number of 8", F::Kozadoszam, "HU123456", false, nullptr, F::Kozadoszam},
    {"TAJ empty, box not ticked", F::Taj, "", false, "Nincs megadva a TAJ!", F::Taj},
    {"TAJ empty, box ticked", F::Taj, "", true, nullptr, F::Taj},
    {"tax number blank", F::Adoszam, "", false, "Nincs megadva az adószáma!", F::Adoszam},
    {"card of 5", F::Igszam, "12345", false, "Az őstermelő ig.szám kevésebb mint 6 karakter!", F::Igszam},
    {"card of 6", F::Igszam, "123456", false, nullptr, F::Igszam},
    {"card of 8", F::Igszam, "12345678", false, nullptr, F::Igszam},
    {"card of 9", F::Igszam, "123456789", false, "Az őstermelő ig.szám többmint 8 karakter!", F::Igszam},
    {"birth date 2016.02.30", F::Szido, "2016.02.30", false, "A születési idö dátum formátuma nem megfelelö!",
     F::Szido},
    {"birth date with dashes", F::Szido, "1962-04-11", false, "A születési idö dátum formátuma nem megfelelö!",
     F::Szido},
    {"validation date empty", F::Ervkelt, "", false, "Az érvényesités dátum formátuma nem megfelelö!", F::Ervkelt},
    {"validation date month 13", F::Ervkelt, "2016.13.01", false, "Az érvényesités dátum formátuma nem megfelelö!",
     F::Ervkelt},
    {"tax id of 9", F::Adoazon, "852601815", false, "Nem 10 hosszú számsor", F::Adoazon},
    {"tax id wrong check digit", F::Adoazon, "8526018158", false, "Hibás adóazonositó", F::Adoazon},
    {"tax id with a letter", F::Adoazon, "85260x8159", false, "Hibás adóazonositó", F::Adoazon},
    {"tax number of 10", F::Adoszam, "4323194021", false, "Kevesebb mint 11 hosszú számsor", F::Adoszam},
    {"tax number wrong digit 8", F::Adoszam, "43231941213", false, "Hibás adószám", F::Adoszam},
    {"tax number with a slash", F::Adoszam, "4323194/213", false, "Hibás adószám", F::Adoszam},
    {"tax number, digits 9-11 not tested", F::Adoszam, "43231940999", false, nullptr, F::Adoszam},
    {"TAJ wrong check digit", F::Taj, "366712769", false, "Hibás TAJ", F::Taj},
    {"TAJ wrong, box ticked", F::Taj, "366712769", true, nullptr, F::Taj},
    {"TAJ of 8", F::Taj, "36671276", false, "Kevesebb mint 9 hosszú számsor", F::Taj},
    {"TAJ of 8, box ticked", F::Taj, "36671276", true, nullptr, F::Taj},
};

TEST(ProducerChecks, EachFaultWithMessageAndFocus)
{
    for (const ProducerCase& c : kProducerCases) {
        ProducerInput in = validProducer();
        in[c.field] = u(c.text);
        in.emptyTajAllowed = c.tajTicked;
        const auto fault = checkProducer(in);
        if (!c.message) {
            EXPECT_FALSE(fault.has_value()) << c.what << ": " << fault->message.toStdString();
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.what;
        EXPECT_EQ(fault->message, u(c.message)) << c.what;
        EXPECT_EQ(fault->field, c.focus) << c.what;
    }
}

// Starting from an empty window with the TAJ box cleared, every check fires in turn: after each
// message the field is given a value that trips a later check, until the producer is valid.
struct Step {
    const char* message;
    F focus;
    F fix;
    const char* value;
};

const Step kOrder[] = {
    {"Nincs megadva a neve!", F::Nev, F::Nev, "Kiss Péter"},
    {"Nincs megadva az irányitószám!", F::Irszam, F::Irszam, "600"},
    {"Az irányitószám kevesebb mint 4 karakter!", F::Irszam, F::Irszam, "6000"},
    {"Nincs megadva a helységnév!", F::Helysegnev, F::Helysegnev, "Kecskemét"},
    {"Nincs megadva az utca!", F::Utca, F::Utca, "Arany János"},
    {"Nincs megadva az adóazonositó!", F::Adoazon, F::Adoazon, "852601815"},
    {"Nincs megadva az őstermelő ig.szám!", F::Igszam, F::Igszam, "12345"},
    {"Nincs megadva az szja!", F::Szja, F::Szja, "15"},
    {"Nincs megadva a születési hely!", F::Szulhely, F::Szulhely, "Kecskemét"},
    {"Nincs megadva a születési idő!", F::Szido, F::Szido, "2016.02.30"},
    {"Nincs megadva az anyja neve!", F::Anyja, F::Anyja, "Nagy Mária"},
    {"Nincs megadva a neme!", F::Neme, F::Neme, "1"},
    {"Nincs megadva a születési neve!", F::Szulnev, F::Szulnev, "Kiss Péter"},
    {"Nincs megadva a napok száma vagy nulla!", F::Fhat, F::Fhat, "-3"},
    {"Hibás szám vagy nullát adjon meg!", F::Fhat, F::Kozadoszam, "HU12345"},
    // The payment days are set right together with the step above (see the loop).
    {"Közösségi adószám kevesebb mint 8 karakter!", F::Kozadoszam, F::Kozadoszam, "HU12345678"},
    {"Nincs megadva a TAJ!", F::Taj, F::Taj, "366712769"},
    {"Nincs megadva az adószáma!", F::Adoszam, F::Adoszam, "4323194021"},
    {"Az őstermelő ig.szám kevésebb mint 6 karakter!", F::Igszam, F::Igszam, "123456789"},
    {"Az őstermelő ig.szám többmint 8 karakter!", F::Igszam, F::Igszam, "123456"},
    {"A születési idö dátum formátuma nem megfelelö!", F::Szido, F::Szido, "1962.04.11"},
    {"Az érvényesités dátum formátuma nem megfelelö!", F::Ervkelt, F::Ervkelt, "2016.01.04"},
    {"Nem 10 hosszú számsor", F::Adoazon, F::Adoazon, "8526018158"},
    {"Hibás adóazonositó", F::Adoazon, F::Adoazon, "8526018159"},
    {"Kevesebb mint 11 hosszú számsor", F::Adoszam, F::Adoszam, "43231941213"},
    {"Hibás adószám", F::Adoszam, F::Adoszam, "43231940213"},
    {"Hibás TAJ", F::Taj, F::Taj, "36671276"},
    {"Kevesebb mint 9 hosszú számsor", F::Taj, F::Taj, "366712768"},
};

TEST(ProducerChecks, AllTwentyEightFireInTheirOrder)
{
    ProducerInput in;
    in.emptyTajAllowed = false;
    int n = 0;
    for (const Step& s : kOrder) {
        ++n;
        const auto fault = checkProducer(in);
        ASSERT_TRUE(fault.has_value()) << "check " << n << " did not fire";
        EXPECT_EQ(fault->message, u(s.message)) << "check " << n;
        EXPECT_EQ(fault->field, s.focus) << "check " << n;
        in[s.fix] = u(s.value);
        if (fault->message == u("Hibás szám vagy nullát adjon meg!"))
            in[F::Fhat] = QStringLiteral("8");
    }
    EXPECT_EQ(n, int(std::size(kOrder)));
    EXPECT_FALSE(checkProducer(in).has_value());
}

// ---- Product entry checks ----

struct ProductCase {
    const char* what;
    P field;
    const char* text;
    const char* message;
    P focus;
};

const ProductCase kProductCases[] = {
    {"code blank", P::Kod, " ", "Nincs megadva a kód!", P::Kod},
    {"name blank", P::Megnevezes, "", "Nincs megadva a megnevezés!", P::Megnevezes},
    {"price blank", P::Ear, "", "Nincs megadva az egységár!", P::Ear},
    {"unit blank", P::Megy, "", "Nincs megadva a mennyiség egység!", P::Megy},
    {"rate blank", P::Kompmerteke, "", "Nincs megadva a komp.mérték!", P::Kompmerteke},
    {"price with two commas", P::Ear, "1,2,3", "Hibás az egységár!", P::Ear},
    {"price a lone comma", P::Ear, ",", "Hibás az egységár!", P::Ear},
    {"rate with a fraction", P::Kompmerteke, "12,5", "Hibás a komp.mérték! Egész százalékot adjon meg.",
     P::Kompmerteke},
    {"rate 7", P::Kompmerteke, "7", nullptr, P::Kompmerteke},
    {"rate 12,00", P::Kompmerteke, "12,00", nullptr, P::Kompmerteke},
    {"VTSZ empty", P::Vtsz, "", nullptr, P::Vtsz},
};

TEST(ProductChecks, EachFaultWithMessageAndFocus)
{
    EXPECT_FALSE(checkProduct(validProduct()).has_value());
    for (const ProductCase& c : kProductCases) {
        ProductInput in = validProduct();
        in[c.field] = u(c.text);
        const auto fault = checkProduct(in);
        if (!c.message) {
            EXPECT_FALSE(fault.has_value()) << c.what;
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.what;
        EXPECT_EQ(fault->message, u(c.message)) << c.what;
        EXPECT_EQ(fault->field, c.focus) << c.what;
    }
    // With everything empty, the code is the first fault.
    EXPECT_EQ(checkProduct(ProductInput())->field, P::Kod);
}

// ---- Codes ----

TEST(ProducerCodes, NewCodeIsTheNumericMaximumPlusOne)
{
    TestDatabase db;
    EXPECT_EQ(nextProducerCode(db.data()), QStringLiteral("6"));
    // "9" is the last code in text order, "10" the largest number: the new code must not be 10.
    insertProducer(db, QStringLiteral("9"), QStringLiteral("Kilenc"));
    insertProducer(db, QStringLiteral("10"), QStringLiteral("Tíz"));
    EXPECT_EQ(nextProducerCode(db.data()), QStringLiteral("11"));
    EXPECT_EQ(db.data().ZQ31.sql().simplified(), QStringLiteral("SELECT * FROM ostermelo ORDER BY o_kod"));
}

TEST(ProductCodes, ProposalIsTheNumericMaximumPlusOneUnpadded)
{
    TestDatabase db;
    EXPECT_EQ(nextProductCode(db.data()), QStringLiteral("7"));
    for (int i = 7; i <= 41; ++i)
        insertProduct(db, QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("T%1").arg(i));
    EXPECT_EQ(nextProductCode(db.data()), QStringLiteral("42"));
    insertProduct(db, QStringLiteral("9"), QStringLiteral("Kilenc"));
    EXPECT_EQ(nextProductCode(db.data()), QStringLiteral("42"));
    insertProduct(db, QStringLiteral("100"), QStringLiteral("Száz"));
    EXPECT_EQ(nextProductCode(db.data()), QStringLiteral("101"));
}

TEST(ProductCodes, ACodeAnotherProductHasIsRefused)
{
    TestDatabase db;
    struct {
        const char* code;
        qint64 ownId;
        const char* message; // nullptr: free
    } cases[] = {
        {"00003", 0, "A(z) 00003 kódú termék már létezik!"},
        {"3", 0, "A(z) 00003 kódú termék már létezik!"},
        {"00007", 0, nullptr},
        {"7", 0, nullptr},
    };
    for (const auto& c : cases) {
        const auto fault = checkProductCodeUnique(db.data(), u(c.code), c.ownId);
        if (!c.message) {
            EXPECT_FALSE(fault.has_value()) << c.code;
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.code;
        EXPECT_EQ(fault->message, u(c.message));
        EXPECT_EQ(fault->field, P::Kod);
    }
    // A product keeps its own code when it is changed.
    const qint64 id = db.scalar(QStringLiteral("SELECT id_termek FROM termek WHERE t_kod = '00003'")).toLongLong();
    EXPECT_FALSE(checkProductCodeUnique(db.data(), QStringLiteral("00003"), id).has_value());
}

// ---- Printed tickets and counts ----

TEST(ProducerPrintedTickets, OnlyPrintedTicketsCount)
{
    TestDatabase db;
    for (PrintedCheck which : {PrintedCheck::BeforeChange, PrintedCheck::BeforeDelete})
        EXPECT_EQ(printedTicketCount(db.data(), QStringLiteral("00001"), which), 0);
    insertTicket(db, QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral(" "));
    EXPECT_EQ(printedTicketCount(db.data(), QStringLiteral("00001"), PrintedCheck::BeforeChange), 0);
    insertTicket(db, QStringLiteral("20160002"), QStringLiteral("00001"), QStringLiteral("I"));
    insertTicket(db, QStringLiteral("20160003"), QStringLiteral("00001"), QStringLiteral("I"));
    EXPECT_EQ(printedTicketCount(db.data(), QStringLiteral("00001"), PrintedCheck::BeforeChange), 2);
    EXPECT_EQ(printedTicketCount(db.data(), QStringLiteral("00001"), PrintedCheck::BeforeDelete), 2);
    EXPECT_EQ(printedTicketCount(db.data(), QStringLiteral("00002"), PrintedCheck::BeforeDelete), 0);
    EXPECT_EQ(db.data().ZQ32.sql().simplified(),
              QStringLiteral("SELECT f_ostermkod, count(f_ostermkod) as db FROM FjFej WHERE (f_ostermkod = :p1) AND "
                             "(f_prn = :p2) GROUP BY f_ostermkod"));
    EXPECT_EQ(producerCount(db.data()), 5);
}

// ---- Statements ----

TEST(ProducerStore, InsertBindsEveryFieldWithItsKind)
{
    TestDatabase db;
    ProducerInput in = validProducer();
    const QString failure = test::errorMessage([&] { storeProducer(db.data(), true, in); });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(sharedState().producerLocateCode, QStringLiteral("6"));
    EXPECT_FALSE(db.data().inTransaction()) << "the store is committed";
    Query q(&db.data().connection(), QStringLiteral("check"));
    q.setSql({QStringLiteral("SELECT * FROM ostermelo WHERE o_kod = '6'")});
    q.open();
    ASSERT_EQ(q.rowCount(), 1);
    for (const ProducerFieldSpec& fieldDef : producerFieldSpecs()) {
        if (fieldDef.field == F::Id)
            continue;
        EXPECT_EQ(q.text(QString::fromLatin1(fieldDef.column)), in[fieldDef.field]) << fieldDef.column;
    }
    EXPECT_EQ(q.date(QStringLiteral("O_SZIDO")), QDate(1962, 4, 11));
    EXPECT_EQ(q.integer(QStringLiteral("O_SZJA")), 15);
    EXPECT_EQ(q.integer(QStringLiteral("O_FHAT")), 8);
    EXPECT_EQ(db.data().ZQ30.sql(), producerInsertSql().join(QLatin1Char('\n')));
}

TEST(ProducerStore, UpdateChangesTheRowByItsKey)
{
    TestDatabase db;
    openProducerList(db.data());
    ASSERT_TRUE(locateProducer(db.data().ZQ30, QStringLiteral("00002")));
    ProducerInput in = producerFromRow(db.data().ZQ30);
    EXPECT_EQ(in[F::Nev], QStringLiteral("Szabó Éva"));
    EXPECT_EQ(in[F::Szido], QStringLiteral("1970.09.23"));
    EXPECT_EQ(in[F::Fhat], QStringLiteral("0"));
    in[F::Nev] = QStringLiteral("Szabó Éva Mária");
    in[F::Fhat] = QStringLiteral("30");
    const QString failure = test::errorMessage([&] { storeProducer(db.data(), false, in); });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_nev FROM ostermelo WHERE o_kod = '00002'")), in[F::Nev]);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT o_fhat FROM ostermelo WHERE o_kod = '00002'")), QStringLiteral("30"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
}

TEST(ProducerStore, ARejectedValueStoresNothing)
{
    TestDatabase db;
    ProducerInput in = validProducer();
    in[F::Nev] = QString(50, QLatin1Char('x')); // wider than O_NEV
    try {
        storeProducer(db.data(), true, in);
        ADD_FAILURE() << "the store must fail";
    } catch (const WriteError& e) {
        EXPECT_EQ(e.stage(), WriteError::Stage::Statement);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Hiba52: Újban, INSERT az östermelöben \n")));
    }
    EXPECT_FALSE(db.data().inTransaction()) << "rolled back";
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo")), QStringLiteral("5"));
    EXPECT_TRUE(sharedState().producerLocateCode.isEmpty());
}

TEST(ProductStore, RateTwelveCommaZeroIsStoredAsTwelve)
{
    TestDatabase db;
    const QString failure = test::errorMessage([&] { storeProduct(db.data(), true, validProduct()); });
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(sharedState().productSearchText, QStringLiteral("7"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_kompmerteke FROM termek WHERE t_kod = '7'")), QStringLiteral("12"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_ear FROM termek WHERE t_kod = '7'")), QStringLiteral("95,5"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT t_megnevezes FROM termek WHERE t_kod = '7'")), QStringLiteral("Szilva"));
}

TEST(Deletion, IsCommittedAtOnce)
{
    TestDatabase db;
    const qint64 producer = db.scalar(QStringLiteral("SELECT id_ostermelo FROM ostermelo WHERE o_kod = '00004'")).toLongLong();
    const qint64 product = db.scalar(QStringLiteral("SELECT id_termek FROM termek WHERE t_kod = '00004'")).toLongLong();
    deleteProducer(db.data(), producer);
    deleteProduct(db.data(), product);
    // A later failing store of another screen rolls the shared transaction back.
    if (!db.data().inTransaction())
        db.data().startTransaction();
    db.data().rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ostermelo WHERE o_kod = '00004'")), QStringLiteral("0"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM termek WHERE t_kod = '00004'")), QStringLiteral("0"));
}

TEST(ProducerList, SortPositionReplacesTheOrderLine)
{
    EXPECT_EQ(producerListSql().size(), 4);
    EXPECT_EQ(producerListSql().last(), QStringLiteral("         ORDER BY o_Nev COLLATE PXW_HUN   "));
    EXPECT_EQ(producerListSql(11).last(), QStringLiteral("  ORDER BY 11"));
    EXPECT_EQ(producerListSql(11).mid(0, 3), producerListSql().mid(0, 3));
}

TEST(ProducerList, LocatePrefersTheExactCode)
{
    TestDatabase db;
    insertProducer(db, QStringLiteral("60"), QStringLiteral("Aba Béla"));
    insertProducer(db, QStringLiteral("6"), QStringLiteral("Zala Béla"));
    openProducerList(db.data());
    ASSERT_TRUE(locateProducer(db.data().ZQ30, QStringLiteral("6")));
    EXPECT_EQ(db.data().ZQ30.text(QStringLiteral("O_NEV")), QStringLiteral("Zala Béla"));
    ASSERT_TRUE(locateProducer(db.data().ZQ30, QStringLiteral("0000")));
    EXPECT_EQ(db.data().ZQ30.text(QStringLiteral("O_KOD")).left(4), QStringLiteral("0000"));
}

} // namespace
