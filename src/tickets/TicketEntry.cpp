#include "TicketEntry.h"

#include "DbError.h"
#include "Formats.h"
#include "Query.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketNumbering.h"
#include "Transaction.h"
#include "TextHelpers.h"
#include "Win1250.h"

#include <limits>

namespace zeror::ticketentry {

namespace {

QString quoted(const QString& s)
{
    return QStringLiteral("\"%1\"").arg(s);
}

// The three sums of a sum query (its FAR, KFELAR and VAR columns, with the suffix); zeros
// when the query found no line.
AmountSums readSums(const Query& q, const QString& suffix)
{
    AmountSums s;
    if (!q.isEmpty()) {
        s.far = q.number(QStringLiteral("FAR") + suffix);
        s.kfelar = q.number(QStringLiteral("KFELAR") + suffix);
        s.var = q.number(QStringLiteral("VAR") + suffix);
    }
    return s;
}

// A ticket names a producer of the register (an import or a command line may give any code).
void requireKnownProducer(TData& data, const QString& producerCode)
{
    Query& q = data.ZQ32;
    q.close();
    q.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM ostermelo"), QStringLiteral("WHERE o_kod = :p1")});
    q.setText(QStringLiteral("p1"), producerCode);
    q.open();
    if (q.integer(QStringLiteral("db")) == 0)
        throw Error(QStringLiteral("Hibás az őstermelőkód: nincs \u201E%1\u201D kódú őstermelő!").arg(producerCode));
}

} // namespace

bool ticketNumberFits(const QString& number)
{
    return isAllDigits(number) && number.size() <= TicketNumberWidth;
}

QString ticketNumberProblem(const QString& number)
{
    if (isBlank(number))
        return QStringLiteral("Nincs sorszáma a felvásárlási jegynek: az átvevő sorszám-számlálója hiányzik "
                              "vagy nem szám (Segédlet / Évnyitás)!");
    return QStringLiteral("A felvásárlási jegy sorszáma (%1) hosszabb 8 számjegynél, nem tárolható! "
                          "Az átvevő sorszám-tartománya betelt.")
        .arg(number);
}

QString nextTicketNumber(const QString& counterText)
{
    qint64 n = 0;
    const QString t = counterText.trimmed();
    if (!isAllDigits(t) || !fmt::parseInteger(t, &n) || n == std::numeric_limits<qint64>::max())
        return QString();
    return QString::number(n + 1);
}

NumberReservation readNextTicketNumber(TData& data, const QString& buyerCode)
{
    Query& q = data.ZQ50;
    q.close();
    q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  Sorszam"), QStringLiteral("WHERE a_aKod = :p1")});
    q.setText(QStringLiteral("p1"), buyerCode);
    q.open();
    NumberReservation r;
    if (q.isEmpty()) {
        r.problem = QStringLiteral("Nincs sorszám beállítva az átvevőnek (Segédlet / Évnyitás)!");
        return r;
    }
    const QString counter = q.text(QStringLiteral("A_FJBSZAM"));
    r.number = nextTicketNumber(counter);
    if (r.number.isEmpty())
        r.problem = QStringLiteral("Hibás az átvevő sorszáma: %1 nem szám (Segédlet / Évnyitás)!").arg(quoted(counter));
    return r;
}

void deleteAbandonedLines(TData& data, const QString& number)
{
    // Only the chosen buyer's lines, and only those no stored ticket owns: buyers' number ranges
    // may overlap, and a counter behind its tickets must not cost a stored ticket its lines.
    data.write({Hiba91}, [&] {
        Query& q = data.ZQ31;
        q.close();
        q.setSql({QStringLiteral("DELETE FROM Fjsor"),
                  QStringLiteral("WHERE ( s_Bszam = :p1 ) AND ( s_akod = :p2 )"),
                  QStringLiteral("AND NOT EXISTS ( SELECT 1 FROM FjFej WHERE f_bszam = Fjsor.s_bszam AND f_akod = Fjsor.s_akod )")});
        q.setText(QStringLiteral("p1"), number);
        q.setText(QStringLiteral("p2"), sharedState().buyerCode);
        q.exec();
    });
}

NewEntry startNewEntry(TData& data, const QString& buyerCode)
{
    NewEntry e;
    const NumberReservation r = readNextTicketNumber(data, buyerCode);
    e.number = r.number;
    e.problem = r.problem;
    e.linesKey = ticketnumbers::entryLinesKey(data);
    ticketnumbers::clearAbandonedEntries(data, buyerCode, ticketNumberFits(r.number) ? r.number : QString(),
                                         e.linesKey, Hiba91);
    return e;
}

QString storeNewTicket(TData& data, const TicketHeaderValues& values, const QString& linesKey)
{
    QString stored;
    ticketnumbers::withRetries([&](bool lastAttempt) {
        Transaction tx(data, Hiba96);
        QString failure = Hiba93;
        try {
            TicketHeaderValues v = values;
            failure = Hiba94;
            requireKnownProducer(data, v.producerCode);
            failure = Hiba93;
            v.number = ticketnumbers::takeNextNumber(data, v.buyerCode);
            failure = Hiba94;
            // Lines an older version left under the number without a header are not this ticket's.
            Query& q = data.ZQ31;
            q.close();
            q.setSql({QStringLiteral("DELETE FROM Fjsor"),
                      QStringLiteral("WHERE ( s_Bszam = :p1 ) AND ( s_akod = :p2 )")});
            q.setText(QStringLiteral("p1"), v.number);
            q.setText(QStringLiteral("p2"), v.buyerCode);
            q.exec();
            prepareHeaderInsert(data.ZQ11, v);
            data.ZQ11.exec();
            // The entry's lines move from its own key to the number in the same transaction.
            q.close();
            q.setSql({QStringLiteral("UPDATE Fjsor SET s_bszam = :p1"),
                      QStringLiteral("WHERE ( s_bszam = :p2 ) AND ( s_akod = :p3 )")});
            q.setText(QStringLiteral("p1"), v.number);
            q.setText(QStringLiteral("p2"), linesKey);
            q.setText(QStringLiteral("p3"), v.buyerCode);
            q.exec();
            if (q.rowsAffected() == 0)
                throw Error(NoLinesMessage);
            failure = Hiba94; // a failed commit is reported as the header's failure
            tx.commit();
            stored = v.number;
        } catch (const ticketnumbers::Conflict& e) {
            if (!lastAttempt)
                throw;
            tx.rollback();
            throw WriteError(WriteError::Stage::Statement, failure, e.message());
        } catch (const DbError& e) {
            if (!lastAttempt && ticketnumbers::isConflict(e))
                throw;
            tx.rollback();
            throw WriteError(WriteError::Stage::Statement, failure, e.message());
        } catch (const WriteError&) {
            throw;
        } catch (const Error& e) {
            tx.rollback();
            throw WriteError(WriteError::Stage::Statement, failure, e.message());
        }
    });
    return stored;
}

void deleteTicketLine(TData& data, qint64 lineId)
{
    // Committed at once: a later rollback must not bring the line back.
    data.write({Hiba92}, [&] {
        Query& q = data.ZQ31;
        q.close();
        q.setSql({QStringLiteral("DELETE FROM Fjsor"), QStringLiteral("WHERE ID_fjsor = :p1")});
        q.setInteger(QStringLiteral("p1"), lineId);
        q.exec();
    });
}

std::optional<HeaderFault> checkHeader(const TicketHeaderInput& in)
{
    if (!ticketNumberFits(in.number))
        return HeaderFault{ticketNumberProblem(in.number), HeaderField::Number};

    struct Required
    {
        const QString& text;
        const char* message;
        HeaderField field;
    };
    const Required required[] = {
        {in.issueDate, "Nincs megadva a kiállítás dátuma!", HeaderField::IssueDate},
        {in.purchaseDate, "Nincs megadva a felvásárlás dátuma!", HeaderField::PurchaseDate},
        {in.paymentDate, "Nincs megadva a átvétel dátum!", HeaderField::PaymentDate},
        {in.szja, "Nincs megadva az szja!", HeaderField::Szja},
        {in.producerCode, "Nincs kiválasztva őstermelő!", HeaderField::Producer},
        {in.deduction, "Nincs megadva vagy nem nulla a levonás!", HeaderField::Deduction},
        {in.weightDeduction, "Nincs megadva súlylevonás % -a vagy nem nulla!", HeaderField::WeightDeduction},
        {in.contribution, "Nincs megadva tagok hozzájárulása % -a vagy nem nulla!", HeaderField::Contribution},
    };
    for (const Required& r : required) {
        if (isBlank(r.text))
            return HeaderFault{QString::fromUtf8(r.message), r.field};
    }

    const Required dates[] = {
        {in.issueDate, "Hibás a kiállítás dátuma!", HeaderField::IssueDate},
        {in.purchaseDate, "Hibás a felvásárlás dátuma!", HeaderField::PurchaseDate},
        {in.paymentDate, "Hibás az átvétel dátuma!", HeaderField::PaymentDate},
    };
    for (const Required& r : dates) {
        if (!fmt::parseDate(r.text, nullptr))
            return HeaderFault{QString::fromUtf8(r.message), r.field};
    }

    qint64 whole = 0;
    if (!fmt::parseInteger(in.szja, &whole))
        return HeaderFault{QStringLiteral("Hibás az szja: %1 nem egész szám!").arg(quoted(in.szja)), HeaderField::Szja};
    const Required numbers[] = {
        {in.deduction, "Hibás a levonás: %1 nem szám!", HeaderField::Deduction},
        {in.weightDeduction, "Hibás a súlylevonás % -a: %1 nem szám!", HeaderField::WeightDeduction},
        {in.contribution, "Hibás a tagok hozzájárulása % -a: %1 nem szám!", HeaderField::Contribution},
    };
    for (const Required& r : numbers) {
        if (!fmt::parseNumber(r.text, nullptr))
            return HeaderFault{QString::fromUtf8(r.message).arg(quoted(r.text)), r.field};
    }

    // Ranges the widgets do not enforce, checked for every caller.
    if (whole < 0 || whole > 100)
        return HeaderFault{QStringLiteral("Hibás az szja: 0 és 100 közötti egész szám legyen!"), HeaderField::Szja};
    const Required percents[] = {
        {in.weightDeduction, "Hibás a súlylevonás % -a: 0 és 100 közötti szám legyen!", HeaderField::WeightDeduction},
        {in.contribution, "Hibás a tagok hozzájárulása % -a: 0 és 100 közötti szám legyen!", HeaderField::Contribution},
    };
    for (const Required& r : percents) {
        double v = 0;
        fmt::parseNumber(r.text, &v);
        if (v < 0 || v > 100)
            return HeaderFault{QString::fromUtf8(r.message), r.field};
    }
    if (!isAllDigits(in.producerCode.trimmed()))
        return HeaderFault{QStringLiteral("Hibás az őstermelőkód: csak számjegyet tartalmazhat!"), HeaderField::Producer};
    const struct
    {
        const QString& text;
        const char* name;
    } texts[] = {{in.remark, "Megjegyzés"}, {in.declaration, "Nyilatkozat"}};
    for (const auto& t : texts) {
        const QString refusal = win1250::fieldRefusal(QString::fromUtf8(t.name), t.text);
        if (!refusal.isEmpty())
            return HeaderFault{refusal, HeaderField::Producer};
    }
    return std::nullopt;
}

std::optional<PayableInput> payableInput(const QString& szja, const QString& contribution, const QString& deduction,
                                         bool transfer, double purchasePrice)
{
    PayableInput in;
    in.purchasePrice = purchasePrice;
    in.transfer = transfer;
    if (!fmt::parseNumber(szja, &in.szjaPercent) || !fmt::parseNumber(contribution, &in.contributionPercent)
        || !fmt::parseNumber(deduction, &in.deduction))
        return std::nullopt;
    return in;
}

TicketHeaderValues headerValues(const TicketHeaderInput& in, const QString& buyerCode, const QString& type,
                                qint64 payable, double sumVar)
{
    TicketHeaderValues v;
    qint64 id = 0;
    if (fmt::parseInteger(in.id, &id))
        v.id = id;
    v.number = in.number;
    v.buyerCode = buyerCode;
    v.producerCode = in.producerCode;
    fmt::parseDate(in.issueDate, &v.issueDate);
    fmt::parseDate(in.purchaseDate, &v.purchaseDate);
    fmt::parseDate(in.paymentDate, &v.paymentDate);
    fmt::parseNumber(in.szja, &v.szja);
    v.remark = in.remark;
    v.transfer = in.transfer;
    v.declaration = in.declarationTicked ? in.declaration : QStringLiteral(" ");
    fmt::parseNumber(in.deduction, &v.deduction);
    fmt::parseNumber(in.contribution, &v.contribution);
    v.payable = static_cast<double>(payable);
    v.type = type;
    v.sumVar = sumVar;
    return v;
}

void prepareHeaderInsert(Query& q, const TicketHeaderValues& v)
{
    q.close();
    q.setSql({QStringLiteral("INSERT INTO FjFej ( f_bszam, f_akod, f_ostermkod, f_kelt, f_szja, f_megj, f_felvkelt, "
                             "f_fizkelt, f_utal, f_nyilatk, f_levonas, f_jarulszaz, f_muvktg, f_tipus, f_sumvar )"),
              QStringLiteral("VALUES ( :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11, :p12, :p13, :p14, "
                             ":p15 )")});
    q.setText(QStringLiteral("p1"), v.number);
    q.setText(QStringLiteral("p2"), v.buyerCode);
    q.setText(QStringLiteral("p3"), v.producerCode);
    q.setDate(QStringLiteral("p4"), v.issueDate);
    q.setDouble(QStringLiteral("p5"), v.szja);
    q.setText(QStringLiteral("p6"), v.remark);
    q.setDate(QStringLiteral("p7"), v.purchaseDate);
    q.setDate(QStringLiteral("p8"), v.paymentDate);
    q.setText(QStringLiteral("p9"), v.transfer ? QStringLiteral("x") : QStringLiteral(" "));
    q.setText(QStringLiteral("p10"), v.declaration);
    q.setDouble(QStringLiteral("p11"), v.deduction);
    q.setDouble(QStringLiteral("p12"), v.contribution);
    q.setDouble(QStringLiteral("p13"), v.payable);
    q.setText(QStringLiteral("p14"), v.type);
    q.setDouble(QStringLiteral("p15"), v.sumVar);
}

void prepareHeaderUpdate(Query& q, const TicketHeaderValues& v)
{
    q.close();
    q.setSql({QStringLiteral("UPDATE FjFej"),
              QStringLiteral("SET ID_fjFej = :p0, f_bszam = :p1, f_akod = :p2, f_ostermkod = :p3, f_kelt = :p4, "
                             "f_szja = :p5, f_megj = :p6, f_prn = :p7, f_felvkelt = :p8, f_fizkelt = :p9, "
                             "f_utal = :p10, f_nyilatk = :p11, f_levonas = :p12, f_jarulszaz = :p13, "
                             "f_muvktg = :p14, f_sumvar = :p15"),
              QStringLiteral("WHERE ID_fjFej   = :p0")});
    q.setInteger(QStringLiteral("p0"), v.id);
    q.setText(QStringLiteral("p1"), v.number);
    q.setText(QStringLiteral("p2"), v.buyerCode);
    q.setText(QStringLiteral("p3"), v.producerCode);
    q.setDate(QStringLiteral("p4"), v.issueDate);
    q.setDouble(QStringLiteral("p5"), v.szja);
    q.setText(QStringLiteral("p6"), v.remark);
    q.setText(QStringLiteral("p7"), QStringLiteral(" "));
    q.setDate(QStringLiteral("p8"), v.purchaseDate);
    q.setDate(QStringLiteral("p9"), v.paymentDate);
    q.setText(QStringLiteral("p10"), v.transfer ? QStringLiteral("x") : QStringLiteral(" "));
    q.setText(QStringLiteral("p11"), v.declaration);
    q.setDouble(QStringLiteral("p12"), v.deduction);
    q.setDouble(QStringLiteral("p13"), v.contribution);
    q.setDouble(QStringLiteral("p14"), v.payable);
    q.setDouble(QStringLiteral("p15"), v.sumVar);
}

void prepareCounterUpdate(Query& q, const QString& number, const QString& buyerCode)
{
    q.close();
    q.setSql({QStringLiteral("UPDATE   Sorszam"), QStringLiteral("SET   a_FjBszam = :p1"),
              QStringLiteral("WHERE a_akod    = :p2")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), buyerCode);
}

void storeHeader(TData& data, bool isNew, const TicketHeaderValues& v)
{
    Transaction tx(data, Hiba96);
    const QString headerFailure = isNew ? Hiba94 : Hiba95;
    QString failure = headerFailure;
    try {
        if (isNew) {
            requireKnownProducer(data, v.producerCode);
            prepareHeaderInsert(data.ZQ11, v);
            data.ZQ11.exec();
            failure = Hiba93;
            prepareCounterUpdate(data.ZQ50, v.number, v.buyerCode);
            data.ZQ50.exec();
        } else {
            requireKnownProducer(data, v.producerCode);
            prepareHeaderUpdate(data.ZQ11, v);
            data.ZQ11.exec();
        }
        failure = headerFailure; // a failed commit is reported as the header's failure
        tx.commit();
    } catch (const Error& e) {
        tx.rollback();
        throw WriteError(WriteError::Stage::Statement, failure, e.message());
    }
}

int countTicketLines(TData& data, const QString& number)
{
    Query& q = data.ZQ31;
    q.close();
    q.setSql({QStringLiteral("SELECT  s_bszam, count(s_bszam) AS sdb"), QStringLiteral("FROM Fjsor"),
              QStringLiteral("WHERE ( s_Bszam= :p1 ) AND ( s_akod = :p2 )"), QStringLiteral("GROUP BY s_Bszam")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), sharedState().buyerCode);
    q.open();
    return q.isEmpty() ? 0 : static_cast<int>(q.integer(QStringLiteral("SDB")));
}

void openTicketLines(Query& q, const QString& number)
{
    q.close();
    q.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM FjSor"),
              QStringLiteral("WHERE ( s_Bszam= :p1 ) AND ( s_akod = :p2 )"), QStringLiteral("ORDER BY ID_fjsor")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), sharedState().buyerCode);
    q.open();
}

void openProducerPanel(Query& q, const QString& producerCode)
{
    q.close();
    q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  ostermelo"), QStringLiteral("WHERE o_kod = :p1")});
    q.setText(QStringLiteral("p1"), producerCode);
    q.open();
}

AmountSums readTicketSums(TData& data, const QString& number)
{
    Query& q = data.ZQ21;
    q.close();
    q.setSql({QStringLiteral("SELECT s_bszam,"), QStringLiteral("SUM(s_felvar)    AS far,"),
              QStringLiteral("SUM(s_kompfelar) AS kfelar,"), QStringLiteral("SUM(s_vetelar)   AS var"),
              QStringLiteral("FROM Fjsor"), QStringLiteral("WHERE ( s_Bszam= :p1 ) AND ( s_akod = :p2 )"),
              QStringLiteral("GROUP BY s_Bszam")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), sharedState().buyerCode);
    q.open();
    return readSums(q, QString());
}

AmountSums readProducerSums(TData& data, const QString& producerCode)
{
    Query& q = data.ZQ22;
    q.close();
    q.setSql({QStringLiteral("SELECT f_ostermkod,"), QStringLiteral("SUM(s_felvar)    AS far1,"),
              QStringLiteral("SUM(s_kompfelar) AS kfelar1,"), QStringLiteral("SUM(s_vetelar)   AS var1"),
              QStringLiteral("FROM Fjsor"), QStringLiteral("JOIN Fjfej ON Fjfej.f_Bszam = Fjsor.s_Bszam AND s_akod = f_akod"),
              QStringLiteral("JOIN Ostermelo ON Fjfej.f_ostermkod = Ostermelo.o_Kod"),
              QStringLiteral("WHERE FjFej.f_ostermkod = :p1"), QStringLiteral("GROUP BY f_ostermkod")});
    q.setText(QStringLiteral("p1"), producerCode);
    q.open();
    return readSums(q, QStringLiteral("1"));
}

TicketTotals formatTotals(const AmountSums& ticket, qint64 payable, const AmountSums& producer)
{
    TicketTotals t;
    t.far = fmt::formatPlain(ticket.far);
    t.kfelar = fmt::formatPlain(ticket.kfelar);
    t.var = fmt::formatGrouped(ticket.var);
    t.payable = QString::number(payable);
    t.producerFar = fmt::formatGrouped(producer.far);
    t.producerKfelar = fmt::formatGrouped(producer.kfelar);
    t.producerVar = fmt::formatGrouped(producer.var);
    return t;
}

bool transferFromBankAccount(const QString& bankAccount)
{
    return bankAccount.trimmed().size() >= 8;
}

QDate transferPaymentDate(const QDate& purchaseDate, qint64 paymentDays)
{
    return purchaseDate.addDays(paymentDays != 0 ? paymentDays : 8);
}

bool declarationLoadsTicked(const QString& declaration)
{
    return declaration.size() >= 6;
}

} // namespace zeror::ticketentry
