#include "DataCheck.h"

#include "Error.h"
#include "Formats.h"
#include "Query.h"
#include "TextHelpers.h"

#include <QVariant>

#include <array>
#include <cmath>
#include <cstdio>

namespace zeror::datacheck {

namespace {

const QString kSpaceLine = QStringLiteral(" ");

// "    Adószám ellenörzés... " ends as "    Adószám ellenörzés vége. ".
QString endLineOf(const QString& startLine)
{
    return startLine.chopped(4) + QStringLiteral(" vége. ");
}

// The three forms of a finding line.
QString identifierFinding(const QString& prefix, const QString& value, const QString& name, const QString& code)
{
    return prefix + value + QLatin1Char(' ') + name + QStringLiteral(" Kódja: ") + code;
}

QString producerFinding(const QString& prefix, const QString& name, const QString& code)
{
    return prefix + name + QStringLiteral(" Kódja: ") + code;
}

// One check over rows: its start line and what it writes for one row.
template <class Row>
struct Check
{
    const char* startLine; // UTF-8
    void (*findings)(const Row& row, QStringList& out);
};

template <class Row, std::size_t N>
QStringList runChecks(const std::array<Check<Row>, N>& checks, const std::vector<Row>& rows)
{
    QStringList report;
    report.reserve(int(N) * 3 + 1);
    for (const Check<Row>& check : checks) {
        const QString start = QString::fromUtf8(check.startLine);
        report.append(start);
        for (const Row& row : rows)
            check.findings(row, report);
        report.append(endLineOf(start));
        report.append(kSpaceLine);
    }
    report.append(closingLine());
    return report;
}

// Prefixes shared by both tabs' identifier checks.
const QString kTaxNumberShort = QStringLiteral("Hiba (kevesebb nyolc számnál): ");
const QString kTaxNumberWrong = QStringLiteral("Hiba (hibás adószám): ");
const QString kTaxIdWrong = QStringLiteral("Hiba (hibás adóazonositó): ");
const QString kTaxIdLength = QStringLiteral("Hiba (kevesebb tiz számnál): ");
const QString kTajWrong = QStringLiteral("Hiba (hibás TAJ): ");
const QString kTajLength = QStringLiteral("Hiba (kevesebb 9 számnál): ");

// The prefix of an identifier finding, or a null string when the value passes.
QString taxNumberFault(const QString& v)
{
    if (v.length() < 8)
        return kTaxNumberShort;
    return adoszamEllenorzes(v) ? QString() : kTaxNumberWrong;
}

QString taxIdFault(const QString& v)
{
    if (v.length() != 10)
        return kTaxIdLength;
    return adoazonEllenorzes(v) ? QString() : kTaxIdWrong;
}

QString tajFault(const QString& v)
{
    if (v.length() != 9)
        return kTajLength;
    return tajEllenorzes(v) ? QString() : kTajWrong;
}

// Ticket tab.

void ticketIdentifier(QString (*fault)(const QString&), const QString& value, const TicketRow& r, QStringList& out)
{
    const QString prefix = fault(value);
    if (!prefix.isNull())
        out.append(identifierFinding(prefix, value, r.name, r.producerCode));
}

// A ticket-form finding when the column is empty.
#define ZEROR_MISSING(field, prefix)                                                                          \
    [](const TicketRow& r, QStringList& out) {                                                                \
        if (r.field.isEmpty())                                                                                \
            out.append(QStringLiteral(prefix) + r.ticketNumber);                                              \
    }

void quantityFindings(const TicketRow& r, QStringList& out)
{
    double v = 0;
    // An unreadable quantity is reported like a missing one instead of ending the report.
    if (r.quantity.isEmpty() || !fmt::parseNumber(r.quantity, &v))
        out.append(QStringLiteral("Hiba (nincs mennyiség megadva): ") + r.ticketNumber);
    else if (v == 0)
        out.append(QStringLiteral("Hiba (nullás mennyiség van megadva): ") + r.ticketNumber);
}

void unitPriceFindings(const TicketRow& r, QStringList& out)
{
    double v = 0;
    if (r.unitPrice.isEmpty())
        out.append(QStringLiteral("Hiba (nincs egységár megadva): ") + r.ticketNumber);
    else if (r.unitPrice == QLatin1String("0"))
        out.append(QStringLiteral("Hiba (nullás egységár van megadva): ") + r.ticketNumber);
    else if (!fmt::parseNumber(r.unitPrice, &v))
        out.append(QStringLiteral("Hiba (nincs egységár megadva): ") + r.ticketNumber);
    else if (!(v > 0))
        out.append(QStringLiteral("Hiba (nulla vagy minuszos egységár van megadva): ") + r.ticketNumber);
}

void surchargeFindings(const TicketRow& r, QStringList& out)
{
    qint64 v = 0;
    if (r.surchargeRate.isEmpty())
        out.append(QStringLiteral("Hiba (nincs Komp.felár megadva): ") + r.ticketNumber);
    // A rate with a fraction (12,5) is not a whole number: a finding, not the end of the report.
    else if (!fmt::parseInteger(r.surchargeRate, &v) || (v != 12 && v != 7))
        out.append(QStringLiteral("Hiba (nem 7, 12 % van megadva): ") + r.ticketNumber);
}

const std::array<Check<TicketRow>, 20> kTicketChecks = {{
    {"    Adószám ellenörzés... ",
     [](const TicketRow& r, QStringList& out) { ticketIdentifier(taxNumberFault, r.taxNumber, r, out); }},
    {"    Adóazonositó ellenörzés... ",
     [](const TicketRow& r, QStringList& out) { ticketIdentifier(taxIdFault, r.taxId, r, out); }},
    {"    TAJ ellenörzés... ", [](const TicketRow& r, QStringList& out) { ticketIdentifier(tajFault, r.taj, r, out); }},
    {"    Östermelökód ellenörzés... ", ZEROR_MISSING(producerCode, "Hiba (nincs östermelö megadva): ")},
    {"    Östermelö név ellenörzés... ", ZEROR_MISSING(name, "Hiba (nincs östermelö név megadva): ")},
    {"    Östermelö irányitószám ellenörzés... ",
     ZEROR_MISSING(postcode, "Hiba (nincs östermelö irányitószám megadva): ")},
    {"    Östermelö Helységnév ellenörzés... ", ZEROR_MISSING(town, "Hiba (nincs östermelö Helységnév megadva): ")},
    {"    Östermelö Utca ellenörzés... ", ZEROR_MISSING(street, "Hiba (nincs östermelö Utca megadva): ")},
    {"    Östermelö ig.szám ellenörzés... ", ZEROR_MISSING(idCard, "Hiba (nincs östermelö ig.szám megadva): ")},
    {"    Östermelö születési hely ellenörzés... ",
     ZEROR_MISSING(birthPlace, "Hiba (nincs östermelö születési hely megadva): ")},
    {"    Östermelö születési idö ellenörzés... ",
     ZEROR_MISSING(birthDate, "Hiba (nincs östermelö születési idö megadva): ")},
    {"    Östermelö anyja neve ellenörzés... ", ZEROR_MISSING(mother, "Hiba (nincs östermelö anyja neve megadva): ")},
    {"    Östermelö neme ellenörzés... ", ZEROR_MISSING(sex, "Hiba (nincs östermelö neme megadva): ")},
    {"    Östermelö születési neve ellenörzés... ",
     ZEROR_MISSING(birthName, "Hiba (nincs östermelö születési neve megadva): ")},
    {"    Szja ellenörzés... ", ZEROR_MISSING(incomeTax, "Hiba (nincs szja (minimum 0) megadva): ")},
    {"    Volt-e nyomtatva? ellenörzés... ",
     [](const TicketRow& r, QStringList& out) {
         if (r.printed != QLatin1String("I"))
             out.append(QStringLiteral("Figyelmeztetés (még nincs kinyomtatva): ") + r.ticketNumber);
     }},
    {"    Termékkód ellenörzés... ", ZEROR_MISSING(productCode, "Figyelmeztetés (nincs termékkód megadva): ")},
    {"    Mennyiség ellenörzés... ", quantityFindings},
    {"    Egységár ellenörzés... ", unitPriceFindings},
    {"    Komp.felár ellenörzés... ", surchargeFindings},
}};

#undef ZEROR_MISSING

// Producer tab.

void producerIdentifier(QString (*fault)(const QString&), const QString& value, const ProducerRow& r,
                        QStringList& out)
{
    const QString prefix = fault(value);
    if (!prefix.isNull())
        out.append(identifierFinding(prefix, value, r.name, r.code));
}

// A producer-form finding when the column is empty.
#define ZEROR_MISSING(field, prefix)                                                                          \
    [](const ProducerRow& r, QStringList& out) {                                                              \
        if (r.field.isEmpty())                                                                                \
            out.append(producerFinding(QStringLiteral(prefix), r.name, r.code));                              \
    }

const std::array<Check<ProducerRow>, 13> kProducerChecks = {{
    {"    Adószám ellenörzés... ",
     [](const ProducerRow& r, QStringList& out) { producerIdentifier(taxNumberFault, r.taxNumber.trimmed(), r, out); }},
    {"    Adóazonositó ellenörzés... ",
     [](const ProducerRow& r, QStringList& out) { producerIdentifier(taxIdFault, r.taxId.trimmed(), r, out); }},
    {"    TAJ ellenörzés... ", [](const ProducerRow& r, QStringList& out) { producerIdentifier(tajFault, r.taj, r, out); }},
    {"    Östermelö név ellenörzés... ", ZEROR_MISSING(name, "Hiba (nincs östermelö név megadva)  ")},
    {"    Östermelö irányitószám ellenörzés... ", ZEROR_MISSING(postcode, "Hiba (nincs östermelö irányitószám megadva)  ")},
    {"    Östermelö Helységnév ellenörzés... ", ZEROR_MISSING(town, "Hiba (nincs östermelö Helységnév megadva):  ")},
    {"    Östermelö Utca ellenörzés... ", ZEROR_MISSING(street, "Hiba (nincs östermelö Utca megadva)   ")},
    {"    Östermelö ig.szám ellenörzés... ", ZEROR_MISSING(idCard, "Hiba (nincs östermelö ig.szám megadva)   ")},
    {"    Östermelö születési hely ellenörzés... ",
     ZEROR_MISSING(birthPlace, "Hiba (nincs östermelö születési hely megadva)   ")},
    {"    Östermelö születési idö ellenörzés... ",
     [](const ProducerRow& r, QStringList& out) {
         if (r.birthDate.isEmpty())
             out.append(producerFinding(QStringLiteral("Hiba (nincs östermelö születési idö megadva)   "), r.name, r.code));
         QDate d;
         if (!fmt::parseDate(r.birthDate, &d))
             out.append(producerFinding(QStringLiteral("Hiba (Hibás östermelö születési idö )   "), r.name, r.code));
     }},
    {"    Östermelö anyja neve ellenörzés... ", ZEROR_MISSING(mother, "Hiba (nincs östermelö anyja neve megadva)   ")},
    {"    Östermelö neme ellenörzés... ", ZEROR_MISSING(sex, "Hiba (nincs östermelö neme megadva)   ")},
    {"    Östermelö születési neve ellenörzés... ",
     ZEROR_MISSING(birthName, "Hiba (nincs östermelö születési neve megadva)   ")},
}};

#undef ZEROR_MISSING

// The field text of a stored value, as Query::text gives it: dates year first, numbers in
// general format with the decimal comma, NULL as "". Whole numbers and dates take a short road,
// since a year's lines hold hundreds of thousands of them.
QString fieldText(const QVariant& v)
{
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    if (v.typeId() == QMetaType::QDate) {
        int y = 0, m = 0, d = 0;
        v.toDate().getDate(&y, &m, &d);
        char buf[24];
        std::snprintf(buf, sizeof buf, "%04d.%02d.%02d", y, m, d);
        return QString::fromLatin1(buf);
    }
    if (v.typeId() == QMetaType::Double) {
        const double x = v.toDouble();
        if (x == std::trunc(x) && std::abs(x) < 1e15 && !(x == 0 && std::signbit(x)))
            return QString::number(static_cast<qint64>(x));
        QString s = QString::number(x, 'g', 15);
        s.replace(QLatin1Char('.'), QLatin1Char(','));
        return s;
    }
    return v.toString();
}

// Column positions of the named fields in the query; throws when one is missing.
std::vector<int> columnsOf(const Query& query, std::initializer_list<const char*> fields)
{
    std::vector<int> cols;
    cols.reserve(fields.size());
    for (const char* f : fields) {
        const QString name = QString::fromLatin1(f);
        const int i = query.fieldIndex(name);
        if (i < 0)
            throw Error(QStringLiteral("A kigyüjtött sorokban nincs %1 mezö; elöbb a Kigyüjtés gombot kell megnyomni.")
                            .arg(name.toUpper()));
        cols.push_back(i);
    }
    return cols;
}

} // namespace

QString closingLine()
{
    return QStringLiteral("Klikk az ablakba és kurzor billentyüvel mozoghat benne. ");
}

QStringList checkTickets(const std::vector<TicketRow>& rows)
{
    return runChecks(kTicketChecks, rows);
}

QStringList checkProducers(const std::vector<ProducerRow>& rows)
{
    return runChecks(kProducerChecks, rows);
}

QStringList ticketCollectionSql()
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"),
            QStringLiteral("LEFT JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod"),
            QStringLiteral("LEFT JOIN ostermelo ON f_ostermkod = o_kod"),
            QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2)AND (f_akod = :p3)")};
}

QStringList producerCollectionSql()
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM ostermelo")};
}

void collectTickets(Query& query, const QDate& from, const QDate& to, const QString& buyerCode)
{
    query.close();
    query.setSql(ticketCollectionSql());
    query.setDate(QStringLiteral("p1"), from);
    query.setDate(QStringLiteral("p2"), to);
    query.setText(QStringLiteral("p3"), buyerCode);
    query.open();
}

void collectProducers(Query& query)
{
    query.close();
    query.setSql(producerCollectionSql());
    query.open();
}

std::vector<TicketRow> ticketRows(const Query& query)
{
    const std::vector<int> c = columnsOf(
        query, {"s_bszam", "f_ostermkod", "o_adoszam", "o_adoazon", "o_TAJ", "o_nev", "o_irszam", "o_Helysegnev",
                "o_Utca", "o_Igszam", "o_Szulhely", "o_Szido", "o_Anyja", "o_Neme", "o_Szulnev", "f_szja", "f_prn",
                "s_termekkod", "s_netto", "s_ear", "s_kompmerteke"});
    std::vector<TicketRow> rows;
    rows.reserve(std::size_t(query.rowCount()));
    for (int i = 0; i < query.rowCount(); ++i) {
        auto t = [&](int k) { return fieldText(query.valueAt(i, c[std::size_t(k)])); };
        rows.push_back({t(0), t(1), t(2), t(3), t(4), t(5), t(6), t(7), t(8), t(9), t(10), t(11), t(12), t(13), t(14),
                        t(15), t(16), t(17), t(18), t(19), t(20)});
    }
    return rows;
}

std::vector<ProducerRow> producerRows(const Query& query)
{
    const std::vector<int> c =
        columnsOf(query, {"O_KOD", "o_adoszam", "o_adoazon", "o_TAJ", "o_nev", "o_irszam", "o_Helysegnev", "o_Utca",
                          "o_Igszam", "o_Szulhely", "o_Szido", "o_Anyja", "o_Neme", "o_Szulnev"});
    std::vector<ProducerRow> rows;
    rows.reserve(std::size_t(query.rowCount()));
    for (int i = 0; i < query.rowCount(); ++i) {
        auto t = [&](int k) { return fieldText(query.valueAt(i, c[std::size_t(k)])); };
        rows.push_back({t(0), t(1), t(2), t(3), t(4), t(5), t(6), t(7), t(8), t(9), t(10), t(11), t(12), t(13)});
    }
    return rows;
}

Period defaultPeriod(const QDate& today)
{
    const int year = today.year();
    return {QDate(year, 1, 1), QDate(year, 12, 31)};
}

Verdict checkTaxNumber(const QString& input)
{
    if (input.length() != 11 && input.length() != 13)
        return {QStringLiteral("Hibaüzenet: Nem 11 vagy 13 hosszú számsor"), true};
    // 8-1-2 with separators: the separators are dropped by position, whatever they are.
    const QString digits =
        input.length() == 13 ? input.mid(0, 8) + input.mid(9, 2) + input.mid(12, 1) : input;
    if (adoszamEllenorzes(digits))
        return {QStringLiteral("Az adószám rendben"), false};
    return {QStringLiteral("Hibaüzenet: Hibás adószám"), true};
}

Verdict checkTaxId(const QString& input)
{
    if (input.length() != 10)
        return {QStringLiteral("Hibaüzenet: Nem 10 hosszú számsor"), true};
    if (adoazonEllenorzes(input))
        return {QStringLiteral("Az azóazonositó rendben"), false};
    return {QStringLiteral("Hibaüzenet: Hibás adóazonositó"), true};
}

Verdict checkTaj(const QString& input)
{
    if (input.length() != 9 && input.length() != 11)
        return {QStringLiteral("Hibaüzenet: Nem 9 vagy 11 hosszú számsor"), true};
    // Three groups of three with separators between them.
    const QString digits = input.length() == 11 ? input.mid(0, 3) + input.mid(4, 3) + input.mid(8, 3) : input;
    if (tajEllenorzes(digits))
        return {QStringLiteral("A TAJ rendben"), false};
    return {QStringLiteral("Hibaüzenet: Hibás TAJ"), true};
}

qint64 daysSince1867(const QDate& date)
{
    // QDate counts days in the proleptic Gregorian calendar.
    return qAbs(date.toJulianDay() - QDate(1867, 1, 1).toJulianDay());
}

bool elteltNapEllenorzes(const QString& taxId, const QString& birthDate)
{
    const QString digits = taxId.mid(1, 5);
    if (!isAllDigits(digits))
        return false;
    QDate date;
    if (!fmt::parseDate(birthDate, &date))
        return false;
    return daysSince1867(date) - digits.toLongLong() == 0;
}

DayCountResult checkDayCount(const QString& taxId, const QDate& birthDate)
{
    DayCountResult r;
    r.idDays = taxId.mid(1, 5);
    // Through the date text and back, as the birth date is shown.
    QDate date;
    const bool validDate = fmt::parseDate(fmt::formatDate(birthDate), &date);
    if (validDate)
        r.daysText = QString::number(daysSince1867(date));
    if (taxId.length() != 10)
        r.verdict = {QStringLiteral("Hibaüzenet: Nem 10 hosszú számsor !"), true};
    else if (validDate && elteltNapEllenorzes(taxId, fmt::formatDate(date)))
        r.verdict = {QStringLiteral("Az adóazonositó és születési dátum összevetése rendben"), false};
    else
        r.verdict = {QStringLiteral("Hibaüzenet: Az adóazonositó és/vagy szül.dátum hiba !"), true};
    return r;
}

} // namespace zeror::datacheck
