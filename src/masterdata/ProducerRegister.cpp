#include "ProducerRegister.h"

#include "DbError.h"
#include "Formats.h"
#include "RegisterCommon.h"
#include "SharedState.h"
#include "TextHelpers.h"
#include "Win1250.h"

namespace zeror {

namespace {

using F = ProducerField;

const std::array<ProducerFieldSpec, kProducerFieldCount> kSpecs = {{
    {F::Id, "ID_OSTERMELO", "ID", "", "", 0, CharClass::Any, true, ""},
    {F::Kod, "O_KOD", "Kód", "", "", 5, CharClass::Digits, true, ""},
    {F::Nev, "O_NEV", "Neve", "", "", 45, CharClass::Any, false, ""},
    {F::Irszam, "O_IRSZAM", "Ir.szám", "", "", 4, CharClass::Digits, false, ""},
    {F::Helysegnev, "O_HELYSEGNEV", "Helységnév", "", "", 45, CharClass::Any, false, ""},
    {F::Kerulet, "O_KERULET", "Kerület", "", "", 20, CharClass::Any, false, ""},
    {F::Utca, "O_UTCA", "Utcanév", "", "Csak az utca neve", 45, CharClass::Any, false, ""},
    {F::Jelleg, "O_JELLEG", "Közterület", "", "Utca, tér, körút, stb.", 20, CharClass::Any, false, ""},
    {F::Hazszam, "O_HAZSZAM", "Házszám", "", "", 20, CharClass::Any, false, ""},
    {F::Epulet, "O_EPULET", "Épület", "", "", 20, CharClass::Any, false, ""},
    {F::Lepcso, "O_LEPCSO", "Lépcsőház", "", "", 20, CharClass::Any, false, ""},
    {F::Szint, "O_SZINT", "Szint", "", "", 20, CharClass::Any, false, ""},
    {F::Ajto, "O_AJTO", "Ajtó", "", "", 20, CharClass::Any, false, ""},
    {F::Adoazon, "O_ADOAZON", "Adóazonositó", "", "", 10, CharClass::Digits, false, ""},
    {F::Igszam, "O_IGSZAM", "Ősterm.Ig.szám", "", "", 8, CharClass::Digits, false, ""},
    {F::Regszam, "O_REGSZAM", "Reg.szám", "", "", 10, CharClass::Any, false, ""},
    {F::Szja, "O_SZJA", "Szja", "%", "Szja levonás % -a.", 3, CharClass::Digits, false, "0"},
    {F::Szulhely, "O_SZULHELY", "Születési hely", "", "", 45, CharClass::Any, false, ""},
    {F::Szido, "O_SZIDO", "Születési idő", "", "", 0, CharClass::DigitsDot, false, ""},
    {F::Anyja, "O_ANYJA", "Anyja neve", "", "", 45, CharClass::Any, false, ""},
    {F::Csgazd, "O_CSGAZD", "Családi gazd.szám", "", "", 8, CharClass::DigitsSlash, false, ""},
    {F::Neme, "O_NEME", "Neme", "", "", 0, CharClass::OneOrTwo, false, "1"},
    {F::Szulnev, "O_SZULNEV", "Születési név", "", "", 45, CharClass::Any, false, ""},
    {F::Taj, "O_TAJ", "TAJ", "", "", 9, CharClass::Digits, false, ""},
    {F::Adoszam, "O_ADOSZAM", "Adószám", "", "Kötöjel nélkül", 11, CharClass::DigitsSlash, false, ""},
    {F::Kozadoszam, "O_KOZADOSZAM", "Közösségi adószám:", "", "", 20, CharClass::Any, false, ""},
    {F::Bankszla, "O_BANKSZLA", "Bank szla", "", "", 26, CharClass::Any, false, ""},
    // The column is an INTEGER: nine digits always fit.
    {F::Fhat, "O_FHAT", "Fiz.hat.", "nap", "Banki fizetés, napokban", 9, CharClass::Digits, false, "0"},
    {F::Ervkelt, "O_ERVKELT", "Érvényesitve", "", "", 0, CharClass::DigitsDot, false, ""},
    {F::Betetlap, "O_BETETLAP", "Betétlap száma:", "", "", 12, CharClass::Any, false, ""},
    {F::Mnyptag, "O_MNYPTAG", "M.nyugdíj pénztártag", "",
     "\"I\"gen, \"N\"em. Ha nincs kitöltve a program \"Nem\"-nek fogja  tekinteni.", 1, CharClass::PensionLetters,
     false, ""},
    {F::Kamara, "O_KAMARA", "Kamarai reg.sz.:", "", "", 20, CharClass::Any, false, ""},
    {F::Felir, "O_FELIR", "FELIR azonosító:", "", "", 12, CharClass::Any, false, ""},
}};

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

void bindText(Query& q, int p, const QString& value)
{
    q.setText(QStringLiteral("p%1").arg(p), value);
}

} // namespace

namespace producertext {
const QString NewMode = QStringLiteral("Új őstermelő");
const QString ChangeMode = QStringLiteral("Őstermelő módositás");
const QString OnPrintedTicket = QStringLiteral("Az őstermelő már szerepel a nyomtatott felvásárlási jegyen !");
const QString LastRow = QStringLiteral("Az utolsó őstermelősor nem törölhető ki.");
const QString Deleted = QStringLiteral("Az őstermelő sor törlölve!");
const QString Hiba41 = QStringLiteral("Hiba41: östermelö DELETE törlésekor");
const QString Hiba51 = QStringLiteral("Hiba51 az őstermelő módosítás Edit-ben való megjelenitésekor!");
const QString Hiba52 = QStringLiteral("Hiba52: Újban, INSERT az östermelöben ");
const QString Hiba53 = QStringLiteral("Hiba53: Módositás, Update a östermelöben ");
const QString Hiba54 = QStringLiteral("Hiba54: az append vagy edit közben az östermelöben!");
const QString SortHintLabel = QStringLiteral("Sorrend: Oszlop megjelölés és klikk az oszlop fejlécre");
const QString ByNameLabel = QStringLiteral("Őstermelő lista, \"Név\" szerint");
} // namespace producertext

const std::array<ProducerFieldSpec, kProducerFieldCount>& producerFieldSpecs()
{
    return kSpecs;
}

const ProducerFieldSpec& producerFieldSpec(ProducerField field)
{
    return kSpecs[static_cast<size_t>(field)];
}

std::optional<ProducerFault> checkProducer(const ProducerInput& in)
{
    auto fault = [](const char* message, F field) { return std::optional<ProducerFault>(ProducerFault{u8(message), field}); };
    const QString irszam = in[F::Irszam].trimmed();
    const QString kozadoszam = in[F::Kozadoszam].trimmed();
    const bool tajTicked = in.emptyTajAllowed;

    if (isBlank(in[F::Nev]))
        return fault("Nincs megadva a neve!", F::Nev);
    if (isBlank(in[F::Irszam]))
        return fault("Nincs megadva az irányitószám!", F::Irszam);
    if (irszam.size() >= 1 && irszam.size() <= 3)
        return fault("Az irányitószám kevesebb mint 4 karakter!", F::Irszam);
    if (isBlank(in[F::Helysegnev]))
        return fault("Nincs megadva a helységnév!", F::Helysegnev);
    if (isBlank(in[F::Utca]))
        return fault("Nincs megadva az utca!", F::Utca);
    if (isBlank(in[F::Adoazon]))
        return fault("Nincs megadva az adóazonositó!", F::Adoazon);
    if (isBlank(in[F::Igszam]))
        return fault("Nincs megadva az őstermelő ig.szám!", F::Igszam);
    if (isBlank(in[F::Szja]))
        return fault("Nincs megadva az szja!", F::Szja);
    if (isBlank(in[F::Szulhely]))
        return fault("Nincs megadva a születési hely!", F::Szulhely);
    if (isBlank(in[F::Szido]))
        return fault("Nincs megadva a születési idő!", F::Szido);
    if (isBlank(in[F::Anyja]))
        return fault("Nincs megadva az anyja neve!", F::Anyja);
    if (isBlank(in[F::Neme]))
        return fault("Nincs megadva a neme!", F::Neme);
    if (isBlank(in[F::Szulnev]))
        return fault("Nincs megadva a születési neve!", F::Szulnev);
    if (isBlank(in[F::Fhat]))
        return fault("Nincs megadva a napok száma vagy nulla!", F::Fhat);
    // A text that is no number at all is as wrong as a negative one.
    qint64 days = 0;
    if (!fmt::parseInteger(in[F::Fhat], &days) || days < 0)
        return fault("Hibás szám vagy nullát adjon meg!", F::Fhat);
    if (kozadoszam.size() >= 1 && kozadoszam.size() <= 7)
        return fault("Közösségi adószám kevesebb mint 8 karakter!", F::Kozadoszam);
    if (isBlank(in[F::Taj]) && !tajTicked)
        return fault("Nincs megadva a TAJ!", F::Taj);
    if (isBlank(in[F::Adoszam]))
        return fault("Nincs megadva az adószáma!", F::Adoszam);
    if (in[F::Igszam].size() < 6)
        return fault("Az őstermelő ig.szám kevésebb mint 6 karakter!", F::Igszam);
    if (in[F::Igszam].size() > 8)
        return fault("Az őstermelő ig.szám többmint 8 karakter!", F::Igszam);
    QDate date;
    if (!fmt::parseDate(in[F::Szido], &date))
        return fault("A születési idö dátum formátuma nem megfelelö!", F::Szido);
    if (!fmt::parseDate(in[F::Ervkelt], &date))
        return fault("Az érvényesités dátum formátuma nem megfelelö!", F::Ervkelt);
    if (in[F::Adoazon].size() != 10)
        return fault("Nem 10 hosszú számsor", F::Adoazon);
    // The checks report a non-digit as invalid instead of failing.
    if (!adoazonEllenorzes(in[F::Adoazon]))
        return fault("Hibás adóazonositó", F::Adoazon);
    if (in[F::Adoszam].size() != 11)
        return fault("Kevesebb mint 11 hosszú számsor", F::Adoszam);
    if (!adoszamEllenorzes(in[F::Adoszam]))
        return fault("Hibás adószám", F::Adoszam);
    if (in[F::Taj].size() == 9 && !tajEllenorzes(in[F::Taj]) && !tajTicked)
        return fault("Hibás TAJ", F::Taj);
    if (in[F::Taj].size() != 9 && !tajTicked)
        return fault("Kevesebb mint 9 hosszú számsor", F::Taj);

    // What the entry fields' key filters block, checked again for a caller without widgets (an
    // import, a command line).
    if (!isAllDigits(irszam))
        return fault("Hibás az irányitószám: csak számjegyet tartalmazhat!", F::Irszam);
    if (!isBlank(in[F::Taj]) && !isAllDigits(in[F::Taj].trimmed()))
        return fault("Hibás TAJ", F::Taj);
    if (!isAllDigits(in[F::Adoszam].trimmed()))
        return fault("Hibás adószám", F::Adoszam);
    qint64 szja = 0;
    if (!isAllDigits(in[F::Szja].trimmed()) || !fmt::parseInteger(in[F::Szja].trimmed(), &szja) || szja > 100)
        return fault("Hibás az szja: 0 és 100 közötti egész szám legyen!", F::Szja);
    const QString neme = in[F::Neme].trimmed();
    if (neme != u"1" && neme != u"2")
        return fault("Hibás a neme: 1 vagy 2 lehet!", F::Neme);
    // Text the WIN1250 code page cannot hold would be stored as "?".
    for (const ProducerFieldSpec& column : producerFieldSpecs()) {
        const QString refusal = win1250::fieldRefusal(u8(column.label).remove(QLatin1Char(':')).trimmed(), in[column.field]);
        if (!refusal.isEmpty())
            return ProducerFault{refusal, column.field};
    }
    return std::nullopt;
}

QStringList producerListSql(int orderPosition)
{
    QStringList lines{
        QStringLiteral("SELECT o_kod,o_Nev,o_Irszam,o_Helysegnev,o_Utca,o_Adoazon,o_Igszam,o_Regszam,o_Adoszam,"
                       "o_Szulhely,o_Szido,o_Anyja,o_Csgazd,o_Szulnev,o_Neme,o_Bankszla,O_ERVKELT,O_BETETLAP,"
                       "O_MUVKTG,O_MNYPTAG,o_Szja,o_TAJ,O_AKOD, "),
        QStringLiteral("       ID_ostermelo, o_kamara, o_felir,O_KERULET,  O_JELLEG, O_HAZSZAM, O_EPULET,  O_LEPCSO,  "
                       "O_SZINT,    O_AJTO,     O_FHAT, O_KOZADOSZAM  "),
        QStringLiteral("  FROM ostermelo     "),
        QStringLiteral("         ORDER BY o_Nev COLLATE PXW_HUN   "),
    };
    if (orderPosition > 0)
        lines.last() = QStringLiteral("  ORDER BY ") + QString::number(orderPosition);
    return lines;
}

void openProducerList(TData& data, int orderPosition)
{
    Query& q = data.ZQ30;
    q.close();
    q.clearSql();
    q.setSql(producerListSql(orderPosition));
    q.open();
}

bool locateProducer(Query& query, const QString& code)
{
    return registercommon::locateCode(query, QStringLiteral("O_KOD"), code);
}

QString nextProducerCode(TData& data)
{
    Query& q = data.ZQ31;
    q.close();
    q.clearSql();
    q.setSql({QStringLiteral("SELECT  * FROM ostermelo "), QStringLiteral("          ORDER BY o_kod ")});
    q.open();
    return QString::number(registercommon::numericMaximum(q, QStringLiteral("O_KOD")) + 1);
}

qint64 printedTicketCount(TData& data, const QString& producerCode, PrintedCheck which)
{
    Query& q = which == PrintedCheck::BeforeChange ? data.ZQ32 : data.ZQ31;
    q.close();
    q.clearSql();
    if (which == PrintedCheck::BeforeChange) {
        q.setSql({QStringLiteral("SELECT f_ostermkod, count(f_ostermkod) as db "),
                  QStringLiteral("  FROM  FjFej                                "),
                  QStringLiteral("  WHERE (f_ostermkod = :p1) AND (f_prn = :p2)"),
                  QStringLiteral("  GROUP BY f_ostermkod                       ")});
    } else {
        q.setSql({QStringLiteral("SELECT f_ostermkod, count(f_ostermkod) as db "),
                  QStringLiteral("  FROM  FjFej "),
                  QStringLiteral("  WHERE (f_ostermkod = :p1) AND (f_prn = :p2) "),
                  QStringLiteral("  GROUP BY f_ostermkod ")});
    }
    q.setText(QStringLiteral("p1"), producerCode);
    q.setText(QStringLiteral("p2"), QStringLiteral("I"));
    q.open();
    return q.isEmpty() ? 0 : q.integer(QStringLiteral("db"));
}

qint64 producerCount(TData& data)
{
    Query& q = data.ZQ31;
    q.close();
    q.clearSql();
    q.setSql({QStringLiteral("SELECT count(*) AS db FROM ostermelo      ")});
    q.open();
    return q.isEmpty() ? 0 : q.integer(QStringLiteral("db"));
}

void deleteProducer(TData& data, qint64 id)
{
    // Committed at once: a later rollback of another screen must not bring the row back.
    data.write({producertext::Hiba41}, [&] {
        Query& q = data.ZQ31;
        q.close();
        q.clearSql();
        q.setSql({QStringLiteral("DELETE FROM ostermelo      "), QStringLiteral("  WHERE ID_ostermelo = :p1 ")});
        q.setInteger(QStringLiteral("p1"), id);
        q.exec();
    });
}

ProducerInput producerFromRow(const Query& query)
{
    if (query.recNo() < 0)
        throw DbError(QStringLiteral("%1: nincs aktuális sor").arg(query.componentName()));
    ProducerInput in;
    for (const ProducerFieldSpec& fieldDef : kSpecs) {
        const QString column = QString::fromLatin1(fieldDef.column);
        if (fieldDef.field == F::Fhat)
            in[fieldDef.field] = QString::number(query.integer(column));
        else
            in[fieldDef.field] = query.text(column);
    }
    return in;
}

QStringList producerInsertSql()
{
    return {
        QStringLiteral("INSERT INTO ostermelo ( o_kod,     o_Nev,   o_Irszam, o_Helysegnev,  o_Utca, o_Adoazon, "
                       "o_Adoszam,     o_TAJ, o_Igszam, o_Regszam, o_Csgazd, o_Szulnev, o_Szulhely, o_Szido, o_Anyja, "
                       "o_Neme, o_Bankszla, o_Szja, "),
        QStringLiteral("                    o_Ervkelt, o_mnyptag, o_betetlap,     o_kamara, o_felir, O_KERULET,  "
                       "O_JELLEG, O_HAZSZAM, O_EPULET,  O_LEPCSO,  O_SZINT,    O_AJTO,     O_FHAT, O_KOZADOSZAM ) "),
        QStringLiteral("   VALUES             (   :p1,       :p2,        :p3,          :p4,     :p5,       :p6,       "
                       ":p7,       :p8,      :p9,      :p10,     :p11,      :p12,       :p13,    :p14,    :p15,   "
                       ":p16,       :p17,   :p18, "),
        QStringLiteral("                         :p19,      :p20,       :p21,         :p22,    :p23,      :p24,      "
                       ":p25,      :p26,     :p27,      :p28,     :p29,      :p30,       :p31,         :p32 ) "),
    };
}

QStringList producerUpdateSql()
{
    return {
        QStringLiteral("UPDATE ostermelo            "), QStringLiteral("  SET ID_ostermelo  = :p0,  "),
        QStringLiteral("       o_kod        = :p1,  "), QStringLiteral("       o_Nev        = :p2,  "),
        QStringLiteral("       o_Irszam     = :p3,  "), QStringLiteral("       o_Helysegnev = :p4,  "),
        QStringLiteral("       o_Utca       = :p5,  "), QStringLiteral("       o_Adoazon    = :p6,  "),
        QStringLiteral("       o_Adoszam    = :p7,  "), QStringLiteral("       o_TAJ        = :p8,  "),
        QStringLiteral("       o_Igszam     = :p9,  "), QStringLiteral("       o_Regszam    = :p10, "),
        QStringLiteral("       o_Csgazd     = :p11, "), QStringLiteral("       o_Szulnev    = :p12, "),
        QStringLiteral("       o_Szulhely   = :p13, "), QStringLiteral("       o_Szido      = :p14, "),
        QStringLiteral("       o_Anyja      = :p15, "), QStringLiteral("       o_Neme       = :p16, "),
        QStringLiteral("       o_Bankszla   = :p17, "), QStringLiteral("       o_Szja       = :p18, "),
        QStringLiteral("       o_Ervkelt    = :p19, "), QStringLiteral("       o_mnyptag    = :p20, "),
        QStringLiteral("       o_betetlap   = :p21, "), QStringLiteral("       o_kamara     = :p22, "),
        QStringLiteral("       o_felir      = :p23, "), QStringLiteral("       O_KERULET    = :p24, "),
        QStringLiteral("       O_JELLEG     = :p25, "), QStringLiteral("       O_HAZSZAM    = :p26, "),
        QStringLiteral("       O_EPULET     = :p27, "), QStringLiteral("       O_LEPCSO     = :p28, "),
        QStringLiteral("       O_SZINT      = :p29, "), QStringLiteral("       O_AJTO       = :p30, "),
        QStringLiteral("       O_FHAT       = :p31, "), QStringLiteral("       O_KOZADOSZAM = :p32  "),
        QStringLiteral(" WHERE ID_ostermelo = :p0   "),
    };
}

void storeProducer(TData& data, bool isNew, const ProducerInput& in)
{
    data.write({isNew ? producertext::Hiba52 : producertext::Hiba53, producertext::Hiba54}, [&] {
        Query& q = data.ZQ30;
        q.close();
        q.clearSql();
        q.setSql(isNew ? producerInsertSql() : producerUpdateSql());
        if (!isNew)
            registercommon::bindKey(q, in[F::Id]);
        bindText(q, 1, in[F::Kod]);
        bindText(q, 2, in[F::Nev]);
        bindText(q, 3, in[F::Irszam]);
        bindText(q, 4, in[F::Helysegnev]);
        bindText(q, 5, in[F::Utca]);
        bindText(q, 6, in[F::Adoazon]);
        bindText(q, 7, in[F::Adoszam]);
        bindText(q, 8, in[F::Taj]);
        bindText(q, 9, in[F::Igszam]);
        bindText(q, 10, in[F::Regszam]);
        bindText(q, 11, in[F::Csgazd]);
        bindText(q, 12, in[F::Szulnev]);
        bindText(q, 13, in[F::Szulhely]);
        QDate date;
        if (fmt::parseDate(in[F::Szido], &date))
            q.setDate(QStringLiteral("p14"), date);
        else
            q.setNull(QStringLiteral("p14"));
        bindText(q, 15, in[F::Anyja]);
        bindText(q, 16, in[F::Neme]);
        bindText(q, 17, in[F::Bankszla]);
        double szja = 0;
        if (fmt::parseNumber(in[F::Szja], &szja))
            q.setDouble(QStringLiteral("p18"), szja);
        else
            q.setNull(QStringLiteral("p18"));
        if (fmt::parseDate(in[F::Ervkelt], &date))
            q.setDate(QStringLiteral("p19"), date);
        else
            q.setNull(QStringLiteral("p19"));
        bindText(q, 20, in[F::Mnyptag]);
        bindText(q, 21, in[F::Betetlap]);
        bindText(q, 22, in[F::Kamara]);
        bindText(q, 23, in[F::Felir]);
        bindText(q, 24, in[F::Kerulet]);
        bindText(q, 25, in[F::Jelleg]);
        bindText(q, 26, in[F::Hazszam]);
        bindText(q, 27, in[F::Epulet]);
        bindText(q, 28, in[F::Lepcso]);
        bindText(q, 29, in[F::Szint]);
        bindText(q, 30, in[F::Ajto]);
        qint64 days = 0;
        if (fmt::parseInteger(in[F::Fhat], &days))
            q.setInteger(QStringLiteral("p31"), days);
        else
            q.setNull(QStringLiteral("p31"));
        bindText(q, 32, in[F::Kozadoszam]);
        q.exec();
        sharedState().producerLocateCode = in[F::Kod];
    });
}

} // namespace zeror
