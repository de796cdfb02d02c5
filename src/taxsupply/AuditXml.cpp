#include "AuditXml.h"

#include "AuditXmlFormat.h"
#include "Clock.h"
#include "DbError.h"
#include "TData.h"
#include "Win1250.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zeror::auditxml {

namespace {

// The file is written in pieces of this size, so a year's file never sits in memory whole.
constexpr qsizetype kFlushSize = 1 << 20;

QString nr(const QString& number)
{
    return trimBlanks(number);
}

// Column positions of a query's fields, looked up once for a loop over many rows; a lookup
// compares the literal's address first, so the loop allocates nothing.
class Columns
{
public:
    Columns(const Query& q, std::initializer_list<const char*> names)
    {
        for (const char* n : names) {
            const int i = q.fieldIndex(QString::fromLatin1(n));
            if (i < 0)
                throw Error(QStringLiteral("Hiányzó oszlop: %1").arg(QString::fromLatin1(n)));
            m_index.emplace_back(n, i);
        }
    }
    int operator[](const char* name) const
    {
        for (const auto& [n, i] : m_index) {
            if (n == name)
                return i;
        }
        for (const auto& [n, i] : m_index) {
            if (std::strcmp(n, name) == 0)
                return i;
        }
        return -1;
    }

private:
    std::vector<std::pair<const char*, int>> m_index;
};

QString textAt(const Query& q, int row, int col)
{
    const QVariant v = q.valueAt(row, col);
    return v.isNull() ? QString() : v.toString();
}

double numberAt(const Query& q, int row, int col)
{
    const QVariant v = q.valueAt(row, col);
    return v.isNull() ? 0.0 : v.toDouble();
}

QDate dateAt(const Query& q, int row, int col)
{
    const QVariant v = q.valueAt(row, col);
    return v.isNull() ? QDate() : v.toDate();
}

// The sums of one surcharge rate of a ticket.
struct RateSum
{
    bool nullRate = false;
    double rate = 0;
    double netto = 0;
    double ado = 0;
    double brutto = 0;
};

class Writer
{
public:
    explicit Writer(QSaveFile& file) : m_file(file) { m_buf.reserve(kFlushSize + 4096); }

    void raw(const QByteArray& bytes) { m_buf += bytes; }
    void line(int indent, const QString& text)
    {
        appendLine(m_buf, indent, text);
        flushIfFull();
    }
    void open(int indent, const char* name)
    {
        m_buf.append(indent, ' ');
        m_buf += '<';
        m_buf += name;
        m_buf += ">\r\n";
    }
    void close(int indent, const char* name)
    {
        m_buf.append(indent, ' ');
        m_buf += "</";
        m_buf += name;
        m_buf += ">\r\n";
        flushIfFull();
    }
    void element(int indent, const char* name, const QString& content) { appendElement(m_buf, indent, name, content); }
    void text(int indent, const char* name, const QString& value) { element(indent, name, xmlText(value)); }
    void textIfSet(int indent, const char* name, const QString& value)
    {
        if (isSet(value))
            element(indent, name, xmlText(value));
    }
    void number(int indent, const char* name, double v) { element(indent, name, xmlNumber(v)); }
    void date(int indent, const char* name, const QDate& d) { element(indent, name, xmlDate(d)); }

    void flush()
    {
        if (m_buf.isEmpty())
            return;
        if (m_file.write(m_buf) != m_buf.size())
            throw Error(QStringLiteral("Az XML fájl nem írható: %1\n%2").arg(m_file.fileName(), m_file.errorString()));
        m_buf.clear();
    }

private:
    void flushIfFull()
    {
        if (m_buf.size() >= kFlushSize)
            flush();
    }

    QSaveFile& m_file;
    QByteArray m_buf;
};

} // namespace

std::optional<Fault<AuditField>> checkNavFejRows(TData& data)
{
    Query& q = data.ZQ90;
    q.close();
    q.setSql({QStringLiteral("SELECT ID_NAVFEJ, FE_SZLASORSZAM, KI_IRANYITOSZAM, VE_IRANYITOSZAM, KI_TELEPULES,"),
              QStringLiteral("VE_TELEPULES, KI_KOZTERULET_NEVE, VE_KOZTERULET_NEVE, VE_KOZADOSZAM"),
              QStringLiteral("FROM NAVFEJ")});
    q.open();
    const auto fault = [](const QString& message) {
        return std::optional<Fault<AuditField>>(Fault<AuditField>{message, AuditField::None});
    };
    // Table order: the order the rows were collected in.
    std::vector<std::pair<qint64, int>> order;
    order.reserve(static_cast<size_t>(q.rowCount()));
    const int idColumn = q.fieldIndex(QStringLiteral("ID_NAVFEJ"));
    for (int r = 0; r < q.rowCount(); ++r)
        order.emplace_back(q.valueAt(r, idColumn).toLongLong(), r);
    std::sort(order.begin(), order.end());
    for (const auto& [id, row] : order) {
        q.setRecNo(row);
        const QString number = nr(q.text(QStringLiteral("FE_SZLASORSZAM")));
        const auto value = [&](const char* column) { return trimBlanks(q.text(QString::fromLatin1(column))); };
        if (value("KI_IRANYITOSZAM").isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva az átvevő irányitószám!"));
        const QString producerPostcode = value("VE_IRANYITOSZAM");
        if (producerPostcode.isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva a(z) ") + number
                         + QStringLiteral("bizonylatban az őstermelő irányitószáma!"));
        if (producerPostcode.size() < 4)
            return fault(QStringLiteral("Javitandó! Négy karekternél kevesebb a(z) ") + number
                         + QStringLiteral("bizonylatban az őstermelő irányitószáma!"));
        if (value("KI_TELEPULES").isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva az átvevő helységnév!"));
        if (value("VE_TELEPULES").isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva a(z) ") + number
                         + QStringLiteral("bizonylatban az őstermelő helységnév!"));
        if (value("KI_KOZTERULET_NEVE").isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva az átvevő utcanév!"));
        if (value("VE_KOZTERULET_NEVE").isEmpty())
            return fault(QStringLiteral("Javitandó! Nincs megadva a(z) ") + number
                         + QStringLiteral("bizonylatban az őstermelő utcanév!"));
        const qsizetype eu = value("VE_KOZADOSZAM").size();
        if (eu >= 1 && eu <= 7)
            return fault(QStringLiteral("Javitandó! Kevesebb mint 8 karakter a(z) ") + number
                         + QStringLiteral("bizonylatban az őstermelő közösségi adószáma!"));
    }
    return std::nullopt;
}

QStringList collectedLinesSql()
{
    return {QStringLiteral("SELECT S.*"),
            QStringLiteral("FROM FJSOR S"),
            QStringLiteral("JOIN FJFEJ F ON F.F_BSZAM = S.S_BSZAM AND F.F_AKOD = S.S_AKOD"),
            QStringLiteral("WHERE F.F_AKOD = :p0 AND S.S_BSZAM >= :p1 AND S.S_BSZAM <= :p2")};
}

QString exportDoneMessage(const QString& writtenPath)
{
    return QStringLiteral("3.Az \"EXPORT\" vége.\nAdatok a \"") + QDir::toNativeSeparators(writtenPath)
           + QStringLiteral("\" fáljban.");
}

QString emptyCollectionMessage()
{
    return QStringLiteral("Nincs kigyűjtött bizonylat, az XML fájl nem készült el: az adóhatóság sémája "
                          "legalább egy számlát kér. Előbb a \"Kigyűjtés\" gombbal gyűjtse ki a bizonylatokat.");
}

ExportSummary exportAuditXml(TData& data, const ExportRequest& request, const Progress& progress)
{
    ExportSummary summary;
    summary.path = request.path;

    Query& q = data.ZQ90;
    q.close();
    q.setSql({QStringLiteral("SELECT COUNT(*) AS db, MIN(FE_SZLASORSZAM) AS minbiz, MAX(FE_SZLASORSZAM) AS maxbiz,"),
              QStringLiteral("MIN(FE_SZLADATUM)   AS mindat, MAX(FE_SZLADATUM)   AS maxdat"),
              QStringLiteral("FROM NAVFEJ")});
    q.open();
    summary.count = static_cast<int>(q.integer(QStringLiteral("db")));
    summary.minNumber = q.text(QStringLiteral("minbiz"));
    summary.maxNumber = q.text(QStringLiteral("maxbiz"));
    if (summary.count == 0)
        throw Error(emptyCollectionMessage());
    if (request.by == SelectBy::Number) {
        summary.periodFrom = q.date(QStringLiteral("mindat"));
        summary.periodTo = q.date(QStringLiteral("maxdat"));
    } else {
        summary.periodFrom = request.from;
        summary.periodTo = request.to;
    }

    Query& heads = data.ZQ90;
    heads.close();
    heads.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM NAVFEJ")});
    heads.open();

    Query& lines = data.ZQ21;
    lines.close();
    lines.setSql(collectedLinesSql());
    lines.setText(QStringLiteral("p0"), request.buyerCode);
    lines.setText(QStringLiteral("p1"), summary.minNumber);
    lines.setText(QStringLiteral("p2"), summary.maxNumber);
    lines.open();

    // The lines of each ticket, as a run of rows in the line query (same number, ascending key).
    const Columns lc(lines, {"ID_FJSOR", "S_BSZAM", "S_MEGNEVEZES", "S_VTSZ", "S_NETTO", "S_MEGY", "S_FELVAR", "S_EAR",
                             "S_KOMPMERTEKE", "S_KOMPFELAR", "S_VETELAR"});
    QHash<QString, std::vector<int>> linesOf;
    linesOf.reserve(summary.count);
    for (int r = 0; r < lines.rowCount(); ++r)
        linesOf[textAt(lines, r, lc["S_BSZAM"])].push_back(r);
    const int idColumn = lc["ID_FJSOR"];
    for (std::vector<int>& own : linesOf) {
        std::sort(own.begin(), own.end(), [&](int a, int b) {
            return lines.valueAt(a, idColumn).toLongLong() < lines.valueAt(b, idColumn).toLongLong();
        });
        // The same line reached through a repeated header is written once.
        own.erase(std::unique(own.begin(), own.end(),
                              [&](int a, int b) {
                                  return lines.valueAt(a, idColumn).toLongLong() == lines.valueAt(b, idColumn).toLongLong();
                              }),
                  own.end());
    }

    const Columns hc(heads, {"FE_SZLASORSZAM", "FE_SZLATIPUS", "FE_SZLADATUM", "FE_TELJDATUM", "KI_ADOSZAM",
                             "KI_KOZADOSZAM", "KI_KISADOZO", "KI_NEV", "KI_IRANYITOSZAM", "KI_TELEPULES", "KI_KERULET",
                             "KI_KOZTERULET_NEVE", "KI_KOZTERULET_JELLEGE", "KI_HAZSZAM", "KI_EPULET", "KI_LEPCSOHAZ",
                             "KI_SZINT", "KI_AJTO", "KI_EGYENI_VALLALKOZO", "KI_EV_NYILV_TART_SZAM", "KI_EV_NEVE",
                             "VE_ADOSZAM", "VE_KOZADOSZAM", "VE_NEV", "VE_IRANYITOSZAM", "VE_TELEPULES", "VE_KERULET",
                             "VE_KOZTERULET_NEVE", "VE_KOZTERULET_JELLEGE", "VE_HAZSZAM", "VE_EPULET", "VE_LEPCSOHAZ",
                             "VE_SZINT", "VE_AJTO", "SZJA_BRUTTOAR", "TAGI_BRUTTOAR", "LEV_BRUTTOAR",
                             "MO_EREDETI_SORSZAM", "ZA_ONSZAMLA", "NE_FIZ_HATARIDO", "NE_FIZ_MOD", "NE_PENZNEM",
                             "NE_SZLA_FORMA", "NE_KIBOCSATO_BANKSZLA", "NE_BEFOGADO_BANKSZLA"});

    const QFileInfo target(request.path);
    if (!QDir().mkpath(target.absolutePath()))
        throw Error(QStringLiteral("A mappa nem hozható létre: %1").arg(QDir::toNativeSeparators(target.absolutePath())));
    QSaveFile file(request.path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Az XML fájl nem hozható létre: %1\n%2")
                        .arg(QDir::toNativeSeparators(request.path), file.errorString()));

    Writer w(file);
    w.raw(QByteArray(kBom));
    w.line(0, QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    w.line(0, QStringLiteral("<szamlak xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                             "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns=\"%1\">")
                  .arg(QLatin1String(kInvoiceNamespace)));
    w.date(2, "export_datuma", clock::today());
    w.element(2, "export_szla_db", QString::number(summary.count));
    w.date(2, "kezdo_ido", summary.periodFrom);
    w.date(2, "zaro_ido", summary.periodTo);
    w.text(2, "kezdo_szla_szam", summary.minNumber);
    w.text(2, "zaro_szla_szam", summary.maxNumber);

    const QString storno = trimBlanks(request.stornoType);
    const std::vector<int> noLines;
    // The invoices in ticket-number order (an empty number first, then by the stored code-page
    // bytes, as the database orders the column); sorted here so that the database need not sort
    // a year of wide rows.
    const int total = heads.rowCount();
    std::vector<std::pair<QByteArray, int>> byNumber;
    byNumber.reserve(static_cast<size_t>(total));
    for (int r = 0; r < total; ++r) {
        const QVariant v = heads.valueAt(r, hc["FE_SZLASORSZAM"]);
        byNumber.emplace_back(v.isNull() ? QByteArray() : QByteArray(1, '\x01') + win1250::encode(v.toString()), r);
    }
    std::stable_sort(byNumber.begin(), byNumber.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    int written = 0;
    for (const auto& [key, r] : byNumber) {
        const auto T = [&](const char* c) { return textAt(heads, r, hc[c]); };
        w.open(2, "szamla");

        w.open(4, "fejlec");
        w.text(8, "szlasorszam", T("FE_SZLASORSZAM"));
        w.text(8, "szlatipus", T("FE_SZLATIPUS"));
        w.date(8, "szladatum", dateAt(heads, r, hc["FE_SZLADATUM"]));
        w.date(8, "teljdatum", dateAt(heads, r, hc["FE_TELJDATUM"]));
        w.close(4, "fejlec");

        w.open(4, "szamlakibocsato");
        w.text(6, "adoszam", T("KI_ADOSZAM"));
        w.textIfSet(6, "kozadoszam", T("KI_KOZADOSZAM"));
        w.textIfSet(6, "kisadozo", T("KI_KISADOZO"));
        w.text(6, "nev", T("KI_NEV"));
        w.open(6, "cim");
        w.text(8, "iranyitoszam", T("KI_IRANYITOSZAM"));
        w.text(8, "telepules", T("KI_TELEPULES"));
        w.textIfSet(8, "kerulet", T("KI_KERULET"));
        w.text(8, "kozterulet_neve", T("KI_KOZTERULET_NEVE"));
        w.textIfSet(8, "kozterulet_jellege", T("KI_KOZTERULET_JELLEGE"));
        w.textIfSet(8, "hazszam", T("KI_HAZSZAM"));
        w.textIfSet(8, "epulet", T("KI_EPULET"));
        w.textIfSet(8, "lepcsohaz", T("KI_LEPCSOHAZ"));
        w.textIfSet(8, "szint", T("KI_SZINT"));
        w.textIfSet(8, "ajto", T("KI_AJTO"));
        w.close(6, "cim");
        w.textIfSet(6, "egyeni_vallalkozo", T("KI_EGYENI_VALLALKOZO"));
        w.textIfSet(6, "ev_nyilv_tart_szam", T("KI_EV_NYILV_TART_SZAM"));
        w.textIfSet(6, "ev_neve", T("KI_EV_NEVE"));
        w.close(4, "szamlakibocsato");

        w.open(4, "vevo");
        w.textIfSet(6, "adoszam", T("VE_ADOSZAM"));
        w.textIfSet(6, "kozadoszam", T("VE_KOZADOSZAM"));
        w.textIfSet(6, "nev", T("VE_NEV"));
        w.open(6, "cim");
        w.text(8, "iranyitoszam", T("VE_IRANYITOSZAM"));
        w.text(8, "telepules", T("VE_TELEPULES"));
        w.textIfSet(8, "kerulet", T("VE_KERULET"));
        w.textIfSet(8, "kozterulet_neve", T("VE_KOZTERULET_NEVE"));
        w.textIfSet(8, "kozterulet_jellege", T("VE_KOZTERULET_JELLEGE"));
        w.textIfSet(8, "hazszam", T("VE_HAZSZAM"));
        w.textIfSet(8, "epulet", T("VE_EPULET"));
        w.textIfSet(8, "lepcsohaz", T("VE_LEPCSOHAZ"));
        w.textIfSet(8, "szint", T("VE_SZINT"));
        w.textIfSet(8, "ajto", T("VE_AJTO"));
        w.close(6, "cim");
        w.close(4, "vevo");

        // The ticket's lines, read afresh, and their sums per surcharge rate and in total.
        const auto found = linesOf.constFind(T("FE_SZLASORSZAM"));
        const std::vector<int>& own = found == linesOf.constEnd() ? noLines : *found;
        std::vector<RateSum> rates;
        double sumNetto = 0;
        double sumAdo = 0;
        double sumBrutto = 0;
        for (const int l : own) {
            w.open(4, "termek_szolgaltatas_tetelek");
            w.textIfSet(6, "termeknev", textAt(lines, l, lc["S_MEGNEVEZES"]));
            w.textIfSet(6, "besorszam", textAt(lines, l, lc["S_VTSZ"]));
            w.number(6, "menny", numberAt(lines, l, lc["S_NETTO"]));
            w.textIfSet(6, "mertekegys", textAt(lines, l, lc["S_MEGY"]));
            const double netto = numberAt(lines, l, lc["S_FELVAR"]);
            const double ado = numberAt(lines, l, lc["S_KOMPFELAR"]);
            const double brutto = numberAt(lines, l, lc["S_VETELAR"]);
            const double rate = numberAt(lines, l, lc["S_KOMPMERTEKE"]);
            const bool nullRate = lines.valueAt(l, lc["S_KOMPMERTEKE"]).isNull();
            w.number(6, "nettoar", netto);
            w.number(6, "nettoegysar", numberAt(lines, l, lc["S_EAR"]));
            w.number(6, "adokulcs", rate);
            w.number(6, "adoertek", ado);
            w.close(4, "termek_szolgaltatas_tetelek");

            auto it = std::find_if(rates.begin(), rates.end(), [&](const RateSum& s) {
                return s.nullRate == nullRate && (nullRate || s.rate == rate);
            });
            if (it == rates.end()) {
                rates.push_back(RateSum{nullRate, rate, 0, 0, 0});
                it = rates.end() - 1;
            }
            it->netto += netto;
            it->ado += ado;
            it->brutto += brutto;
            sumNetto += netto;
            sumAdo += ado;
            sumBrutto += brutto;
        }

        // The deductions, each as an item of one piece with a negative price.
        static const struct
        {
            const char* column;
            const char* name;
        } deductions[] = {{"SZJA_BRUTTOAR", "Szja levonás"},
                          {"TAGI_BRUTTOAR", "Tagi hozzájárul levonás"},
                          {"LEV_BRUTTOAR", "Levonás"}};
        for (const auto& d : deductions) {
            const double v = numberAt(heads, r, hc[d.column]);
            if (v == 0)
                continue;
            w.open(4, "termek_szolgaltatas_tetelek");
            w.element(6, "termeknev", QString::fromUtf8(d.name));
            w.element(6, "menny", QStringLiteral("1.00"));
            w.element(6, "mertekegys", QStringLiteral("db"));
            w.number(6, "nettoar", v);
            w.close(4, "termek_szolgaltatas_tetelek");
        }

        if (!storno.isEmpty() && trimBlanks(T("FE_SZLATIPUS")) == storno) {
            w.open(4, "modosito_szla");
            w.text(6, "eredeti_sorszam", T("MO_EREDETI_SORSZAM"));
            w.close(4, "modosito_szla");
        }

        w.open(4, "zaradekok");
        w.text(6, "onszamla", T("ZA_ONSZAMLA"));
        w.close(4, "zaradekok");

        if (request.optionalSection) {
            w.open(4, "nem_kotelezo");
            w.date(6, "fiz_hatarido", dateAt(heads, r, hc["NE_FIZ_HATARIDO"]));
            w.element(6, "fiz_mod",
                      T("NE_FIZ_MOD") == QLatin1String("x") ? QStringLiteral("átutalás") : QStringLiteral("készpénz"));
            w.text(6, "penznem", T("NE_PENZNEM"));
            w.text(6, "szla_forma", T("NE_SZLA_FORMA"));
            w.textIfSet(6, "kibocsato_bankszla", T("NE_KIBOCSATO_BANKSZLA"));
            w.textIfSet(6, "befogado_bankszla", T("NE_BEFOGADO_BANKSZLA"));
            w.close(4, "nem_kotelezo");
        }

        w.open(4, "osszesites");
        // One group per rate in ascending order, an empty rate first, as GROUP BY returns them.
        std::sort(rates.begin(), rates.end(), [](const RateSum& a, const RateSum& b) {
            if (a.nullRate != b.nullRate)
                return a.nullRate;
            return a.rate < b.rate;
        });
        for (const RateSum& s : rates) {
            w.open(6, "afarovat");
            w.number(8, "nettoar", s.netto);
            w.number(8, "adokulcs", s.rate);
            w.number(8, "adoertek", s.ado);
            w.number(8, "bruttoar", s.brutto);
            w.close(6, "afarovat");
        }
        w.open(6, "vegosszeg");
        w.number(8, "nettoarossz", sumNetto);
        w.number(8, "afaertekossz", sumAdo);
        w.number(8, "bruttoarossz", sumBrutto);
        w.close(6, "vegosszeg");
        w.close(4, "osszesites");
        w.close(2, "szamla");
        if (progress)
            progress(++written, total);
    }
    w.close(0, "szamlak");
    w.flush();
    if (!file.commit())
        throw Error(QStringLiteral("Az XML fájl nem írható: %1\n%2")
                        .arg(QDir::toNativeSeparators(request.path), file.errorString()));
    return summary;
}

} // namespace zeror::auditxml
