#include "NavFej.h"

#include "AuditXmlFormat.h"
#include "DbError.h"
#include "TData.h"
#include "Transaction.h"

namespace zeror::auditxml {

namespace {

const QString kHiba401Insert = QStringLiteral("Hiba401: NAV INSERT -ben");

// Empties one work table; a failing statement stops the collection so that old and new rows are
// never mixed.
void emptyTable(Query& q, const QString& table)
{
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("DELETE FROM %1").arg(table));
    try {
        q.exec();
    } catch (const DbError& e) {
        throw Error(QStringLiteral("Hiba401: %1 DELETE törlésekor\n%2").arg(table, e.message()));
    }
}

// One bound NAVFEJ column: the parameter, the ticket query's field it copies and how.
enum class Kind { Text, Date, Number, NegNumber, Zero, Onszla, Penznem, Papir };
struct Column
{
    const char* column;
    const char* param;
    const char* source;
    Kind kind;
};

// In the order of the INSERT: the left column of the data table top to bottom, then the right.
const Column kColumns[] = {
    {"FE_SZLASORSZAM", "a1", "F_BSZAM", Kind::Text},
    {"FE_SZLADATUM", "b1", "F_KELT", Kind::Date},
    {"FE_TELJDATUM", "b2", "F_FELVKELT", Kind::Date},
    {"NE_FIZ_MOD", "b3", "F_UTAL", Kind::Text},
    {"TE_ARENGEDM", "b4", nullptr, Kind::Zero},
    {"FE_SZLATIPUS", "b5", "F_TIPUS", Kind::Text},
    {"MO_EREDETI_SORSZAM", "b6", "F_ERVENYT", Kind::Text},
    {"NE_FIZ_HATARIDO", "b7", "F_FIZKELT", Kind::Date},
    {"szja_BRUTTOAR", "b8", "F_SZJALEVON", Kind::NegNumber},
    {"tagi_BRUTTOAR", "b9", "F_TAGILEVON", Kind::NegNumber},
    {"lev_BRUTTOAR", "b10", "F_LEVONAS", Kind::NegNumber},
    {"KI_NEV", "c1", "V_NEVE", Kind::Text},
    {"KI_IRANYITOSZAM", "c2", "V_IRSZAM", Kind::Text},
    {"KI_TELEPULES", "c3", "V_HELYSEG", Kind::Text},
    {"KI_KOZTERULET_NEVE", "c4", "V_UTCA", Kind::Text},
    {"KI_ADOSZAM", "c5", "V_ADOSZAM", Kind::Text},
    {"NE_KIBOCSATO_BANKSZLA", "c6", "V_BANKSZLA", Kind::Text},
    {"KI_KERULET", "c7", "V_KERULET", Kind::Text},
    {"KI_KOZTERULET_JELLEGE", "c8", "V_JELLEG", Kind::Text},
    {"KI_HAZSZAM", "c9", "V_HAZSZAM", Kind::Text},
    {"KI_EPULET", "c10", "V_EPULET", Kind::Text},
    {"KI_LEPCSOHAZ", "c11", "V_LEPCSO", Kind::Text},
    {"KI_SZINT", "c12", "V_SZINT", Kind::Text},
    {"KI_AJTO", "c13", "V_AJTO", Kind::Text},
    {"VE_NEV", "d1", "O_NEV", Kind::Text},
    {"VE_IRANYITOSZAM", "d2", "O_IRSZAM", Kind::Text},
    {"VE_TELEPULES", "d3", "O_HELYSEGNEV", Kind::Text},
    {"VE_KOZTERULET_NEVE", "d4", "O_UTCA", Kind::Text},
    {"VE_ADOSZAM", "d5", "O_ADOSZAM", Kind::Text},
    {"NE_BEFOGADO_BANKSZLA", "d6", "O_BANKSZLA", Kind::Text},
    {"VE_KERULET", "d7", "O_KERULET", Kind::Text},
    {"VE_KOZTERULET_JELLEGE", "d8", "O_JELLEG", Kind::Text},
    {"VE_HAZSZAM", "d9", "O_HAZSZAM", Kind::Text},
    {"VE_EPULET", "d10", "O_EPULET", Kind::Text},
    {"VE_LEPCSOHAZ", "d11", "O_LEPCSO", Kind::Text},
    {"VE_SZINT", "d12", "O_SZINT", Kind::Text},
    {"VE_AJTO", "d13", "O_AJTO", Kind::Text},
    {"KI_EGYENI_VALLALKOZO", "e1", "V_EV", Kind::Text},
    {"KI_EV_NYILV_TART_SZAM", "e2", "V_EVNYILV", Kind::Text},
    {"KI_EV_NEVE", "e3", "V_EV_NEVE", Kind::Text},
    {"ZA_ONSZAMLA", "e4", nullptr, Kind::Onszla},
    {"NE_PENZNEM", "e5", nullptr, Kind::Penznem},
    {"NE_SZLA_FORMA", "e6", nullptr, Kind::Papir},
    {"TE_ADOKULCS", "e7", nullptr, Kind::Zero},
    {"TE_ADOERTEK", "e8", nullptr, Kind::Zero},
    {"KI_KISADOZO", "e9", "V_KISADO", Kind::Text},
    {"KI_KOZADOSZAM", "e10", "V_KOZADOSZAM", Kind::Text},
    {"VE_KOZADOSZAM", "e11", "O_KOZADOSZAM", Kind::Text},
};

// The reason a ticket's row cannot be stored before the database is asked: a NAVFEJ row needs
// the three dates the invoice carries.
QString missingDate(const Query& t)
{
    if (!t.date(QStringLiteral("F_KELT")).isValid())
        return QStringLiteral("nincs megadva a kiállítás kelte.");
    if (!t.date(QStringLiteral("F_FELVKELT")).isValid())
        return QStringLiteral("nincs megadva a felvásárlás dátuma.");
    if (!t.date(QStringLiteral("F_FIZKELT")).isValid())
        return QStringLiteral("nincs megadva az összeg átvétel/átutalás dátuma.");
    return QString();
}

QString ticketFailure(const QString& number, const QString& reason)
{
    return kHiba401Insert + QStringLiteral("\nA(z) ") + trimBlanks(number) + QStringLiteral(" bizonylat: ") + reason;
}

} // namespace

std::optional<Fault<AuditField>> checkCollectRequest(const CollectRequest& request)
{
    if (request.from.isValid() && request.to.isValid() && request.from > request.to)
        return Fault<AuditField>{QStringLiteral("Dátum tól-ig hiba."), AuditField::DateFrom};
    return std::nullopt;
}

std::optional<Fault<AuditField>> checkBuyerForCollect(TData& data, const QString& buyerCode)
{
    Query& q = data.ZQ60;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT *"));
    q.addLine(QStringLiteral("FROM atvevo"));
    q.addLine(QStringLiteral("WHERE v_akod = :p0"));
    q.setText(QStringLiteral("p0"), buyerCode);
    q.open();
    const QString street = q.isEmpty() ? QString() : q.text(QStringLiteral("V_UTCA"));
    if (!isSet(street))
        return Fault<AuditField>{QStringLiteral("Javitandó! Nincs megadva az átvevő utca!"), AuditField::None};
    const QString eu = trimBlanks(q.text(QStringLiteral("V_KOZADOSZAM")));
    if (!eu.isEmpty() && eu.size() < 8)
        return Fault<AuditField>{QStringLiteral("Javitandó! Közösségi adószám legalább 8 karakter!"), AuditField::None};
    return std::nullopt;
}

QStringList ticketSelectSql(SelectBy by)
{
    QStringList sql{QStringLiteral("SELECT *"), QStringLiteral("FROM fjfej"),
                    QStringLiteral("JOIN ostermelo ON f_ostermkod = o_kod"),
                    QStringLiteral("JOIN atvevo    ON v_akod      = f_akod")};
    switch (by) {
    case SelectBy::IssueDate:
        sql << QStringLiteral("WHERE ( f_kelt >= :p1)  AND (f_kelt <= :p2) AND (f_akod = :p3)");
        break;
    case SelectBy::PurchaseDate:
        sql << QStringLiteral("WHERE ( f_felvkelt >= :p1)  AND (f_felvkelt <= :p2) AND (f_akod = :p3)");
        break;
    case SelectBy::Number:
        sql << QStringLiteral("WHERE ( f_bszam >= :p4)  AND (f_bszam <= :p5) AND (f_akod = :p3)");
        break;
    }
    return sql;
}

QStringList navFejInsertSql()
{
    QStringList columns;
    QStringList params;
    for (const Column& c : kColumns) {
        columns << QString::fromLatin1(c.column);
        params << QLatin1Char(':') + QString::fromLatin1(c.param);
    }
    return {QStringLiteral("INSERT INTO NAVFEJ (") + columns.join(QStringLiteral(", ")) + QLatin1Char(')'),
            QStringLiteral("VALUES (") + params.join(QStringLiteral(", ")) + QLatin1Char(')')};
}

int collectNavFej(TData& data, const QString& buyerCode, const CollectRequest& request, const Progress& progress)
{
    std::optional<Transaction> tx;
    try {
        tx.emplace(data);
    } catch (const DbError& e) {
        throw Error(QStringLiteral("Hiba402: az delete közben a NAVFEJ-ben!\n") + e.message());
    }
    emptyTable(data.ZQ90, QStringLiteral("NAVFEJ"));
    emptyTable(data.ZQ90, QStringLiteral("NAVSOR"));

    Query& tickets = data.ZQ10;
    tickets.close();
    tickets.setSql(ticketSelectSql(request.by));
    tickets.setText(QStringLiteral("p3"), buyerCode);
    if (request.by == SelectBy::Number) {
        tickets.setText(QStringLiteral("p4"), request.numberFrom);
        tickets.setText(QStringLiteral("p5"), request.numberTo);
    } else {
        tickets.setDate(QStringLiteral("p1"), request.from);
        tickets.setDate(QStringLiteral("p2"), request.to);
    }
    tickets.open();

    const QStringList insert = navFejInsertSql();
    const int total = tickets.rowCount();
    Query& q = data.ZQ90;
    int done = 0;
    for (tickets.first(); !tickets.eof(); tickets.next()) {
        const QString number = tickets.text(QStringLiteral("F_BSZAM"));
        const QString missing = missingDate(tickets);
        if (!missing.isEmpty())
            throw Error(ticketFailure(number, missing));
        q.close();
        q.setSql(insert);
        for (const Column& c : kColumns) {
            const QString param = QString::fromLatin1(c.param);
            const QString source = c.source ? QString::fromLatin1(c.source) : QString();
            switch (c.kind) {
            case Kind::Text:
                q.setText(param, tickets.text(source));
                break;
            case Kind::Date:
                q.setDate(param, tickets.date(source));
                break;
            case Kind::Number:
                q.setDouble(param, tickets.number(source));
                break;
            case Kind::NegNumber:
                q.setDouble(param, -tickets.number(source));
                break;
            case Kind::Zero:
                q.setDouble(param, 0);
                break;
            case Kind::Onszla:
                q.setText(param, request.onszla);
                break;
            case Kind::Penznem:
                q.setText(param, QStringLiteral("Ft"));
                break;
            case Kind::Papir:
                q.setText(param, request.papir);
                break;
            }
        }
        try {
            q.exec();
        } catch (const DbError& e) {
            throw Error(ticketFailure(number, e.message()));
        }
        ++done;
        if (progress)
            progress(done, total);
    }
    try {
        tx->commit();
    } catch (const DbError& e) {
        throw Error(kHiba401Insert + QLatin1Char('\n') + e.message());
    }
    tickets.first();
    return done;
}

QString collectDoneMessage()
{
    return QStringLiteral("1.A FEJ adatok kigyűjtése vége.\n2. Folytatás az \"EXPORT\" gombra.");
}

} // namespace zeror::auditxml
