#include "YearGenerator.h"

#include "Connection.h"
#include "DatabaseSetup.h"
#include "IndexStatistics.h"
#include "TData.h"
#include "TextHelpers.h"

#include <QDate>
#include <QSet>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <random>

namespace zeror::yeargen {

namespace {

const char* const kFamilyNames[] = {
    "Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss", "Molnár", "Németh", "Farkas",
    "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz", "Fekete",
    "Szilágyi", "Török", "Fehér", "Balázs", "Gál", "Kis", "Szűcs", "Kocsis", "Orsós", "Pintér",
    "Fodor", "Szalai", "Sipos", "Magyar", "Lukács", "Gulyás", "Biró", "Király", "Katona", "László",
    "Jakab", "Bogdán", "Balog", "Sándor", "Boros", "Fazekas", "Kelemen", "Antal", "Orosz", "Somogyi",
    "Fülöp", "Veres", "Budai", "Vincze", "Hegedűs", "Deák", "Pap", "Bálint", "Illés", "Pál",
    "Vörös", "Szőke", "Fábián", "Vass", "Lengyel", "Bognár", "Bodnár", "Jónás", "Szücs", "Hajdu",
    "Halász", "Máté", "Székely", "Gáspár", "Kozma", "Pásztor", "Bakos", "Dudás", "Major", "Virág",
};
const char* const kMaleNames[] = {
    "László", "István", "József", "János", "Zoltán", "Sándor", "Gábor", "Ferenc", "Attila", "Péter",
    "Tamás", "Zsolt", "Tibor", "András", "Csaba", "Imre", "Lajos", "György", "Balázs", "Győző",
    "Ödön", "Béla", "Mihály", "Károly", "Gyula", "Árpád", "Endre", "Miklós", "Ernő", "Dezső",
};
const char* const kFemaleNames[] = {
    "Mária", "Erzsébet", "Katalin", "Ilona", "Éva", "Anna", "Zsuzsanna", "Margit", "Judit", "Ágnes",
    "Andrea", "Ildikó", "Erika", "Krisztina", "Irén", "Eszter", "Gizella", "Rozália", "Júlia", "Ünige",
};
struct Town
{
    const char* name;
    const char* postcode;
};
const Town kTowns[] = {
    {"Kecskemét", "6000"}, {"Szeged", "6726"},       {"Kiskunfélegyháza", "6100"}, {"Jánoshalma", "6440"},
    {"Baja", "6500"},      {"Kalocsa", "6300"},      {"Kiskőrös", "6200"},         {"Hódmezővásárhely", "6800"},
    {"Makó", "6900"},      {"Szentes", "6600"},      {"Csongrád", "6640"},         {"Kiskunhalas", "6400"},
    {"Lajosmizse", "6050"}, {"Tiszakécske", "6060"}, {"Izsák", "6070"},            {"Soltvadkert", "6230"},
    {"Mórahalom", "6782"}, {"Kistelek", "6760"},     {"Mindszent", "6630"},        {"Csávoly", "6448"},
};
const char* const kStreets[] = {
    "Petőfi Sándor", "Kossuth Lajos", "Rákóczi", "Dózsa György", "Ady Endre", "Széchenyi",
    "Arany János", "Bajcsy-Zsilinszky", "Jókai Mór", "Táncsics Mihály", "Hunyadi", "Szent István",
    "Béke", "Tavasz", "Fő", "Dankó Pista", "Bem", "Kinizsi", "Toldi", "Vasút",
};
const char* const kStreetKinds[] = {"utca", "utca", "utca", "út", "tér", "körút", "köz", "sor"};

struct BaseProduct
{
    const char* name;
    const char* vtsz;
    double price;
    int rate; // compensation surcharge percent
};
const BaseProduct kBaseProducts[] = {
    {"Búza", "1001", 48.5, 7},        {"Kukorica", "1005", 42.0, 7},    {"Árpa", "1003", 40.0, 7},
    {"Rozs", "1002", 38.0, 7},        {"Zab", "1004", 39.0, 7},         {"Napraforgó", "1206", 110.0, 7},
    {"Repce", "1205", 115.0, 7},      {"Szója", "1201", 120.0, 7},      {"Alma", "0808", 65.0, 12},
    {"Körte", "0808", 180.0, 12},     {"Szilva", "0809", 120.0, 12},    {"Meggy", "0809", 260.0, 12},
    {"Kajszibarack", "0809", 420.0, 12}, {"Őszibarack", "0809", 280.0, 12}, {"Szőlő", "0806", 150.0, 12},
    {"Paprika", "0709", 180.0, 12},   {"Paradicsom", "0702", 160.0, 12}, {"Uborka", "0707", 120.0, 12},
    {"Burgonya", "0701", 70.0, 12},   {"Vöröshagyma", "0703", 75.0, 12}, {"Káposzta", "0704", 60.0, 12},
    {"Sárgarépa", "0706", 85.0, 12},  {"Görögdinnye", "0807", 55.0, 12}, {"Sárgadinnye", "0807", 190.0, 12},
    {"Méz", "0409", 1150.0, 12},
};
const char* const kGrades[] = {"", " I. oszt.", " II. oszt.", " bio", " ipari", " étkezési", " export",
                               " vetőmag"};

class Random
{
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    int upTo(int n) { return static_cast<int>(m_engine() % static_cast<unsigned>(n)); }
    double unit() { return static_cast<double>(m_engine()) / 4294967296.0; }
    bool chance(double p) { return unit() < p; }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N])
    {
        return items[upTo(static_cast<int>(N))];
    }

private:
    std::mt19937 m_engine;
};

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

BoundValue text(const QString& s)
{
    return BoundValue{BoundValue::Kind::Text, s};
}
BoundValue dbl(double v)
{
    return BoundValue{BoundValue::Kind::Double, v};
}
BoundValue integer(qint64 v)
{
    return BoundValue{BoundValue::Kind::Integer, static_cast<qlonglong>(v)};
}
BoundValue date(const QDate& d)
{
    return BoundValue{BoundValue::Kind::Date, d};
}

// Personal tax identifier: 8, the days from 1867-01-01 to the birth date, three serial digits and
// the check digit (weighted sum modulo 11; a remainder of 10 is not issued). Never one already in
// `used`: two producers sharing an identifier would stop the month's 1608M files.
QString taxIdentifier(Random& rng, const QDate& birth, QSet<QString>& used)
{
    const qint64 days = QDate(1867, 1, 1).daysTo(birth);
    for (;;) {
        const QString head = QStringLiteral("8%1%2").arg(days, 5, 10, QLatin1Char('0')).arg(rng.upTo(1000), 3, 10,
                                                                                             QLatin1Char('0'));
        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += (head.at(i).unicode() - u'0') * (i + 1);
        if (sum % 11 != 10) {
            const QString id = head + QString::number(sum % 11);
            if (adoazonEllenorzes(id) && !used.contains(id)) {
                used.insert(id);
                return id;
            }
        }
    }
}

QString tajNumber(Random& rng)
{
    QString head = QString::number(1 + rng.upTo(9));
    for (int i = 1; i < 8; ++i)
        head += QString::number(rng.upTo(10));
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += (head.at(i).unicode() - u'0') * (i % 2 ? 7 : 3);
    return head + QString::number(sum % 10);
}

// Tax number: seven digits, the check digit, the VAT code and the county code.
QString taxNumber(Random& rng, int vatCode, const QString& county)
{
    QString head = QString::number(1 + rng.upTo(9));
    for (int i = 1; i < 7; ++i)
        head += QString::number(rng.upTo(10));
    static const int weights[] = {9, 7, 3, 1, 9, 7, 3};
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += (head.at(i).unicode() - u'0') * weights[i];
    return head + QString::number((10 - sum % 10) % 10) + QString::number(vatCode) + county;
}

QString bankAccount(Random& rng)
{
    static const char* const banks[] = {"11732002", "10402805", "11600006", "10700024", "12010611"};
    QString acc = u8(rng.pick(banks)) + QLatin1Char('-');
    for (int i = 0; i < 8; ++i)
        acc += QString::number(rng.upTo(10));
    return acc;
}

// A purchase date of 2016 with most tickets at harvest (July to October).
QDate purchaseDate(Random& rng)
{
    static const int weights[12] = {2, 2, 3, 4, 5, 7, 14, 16, 14, 12, 6, 3};
    int total = 0;
    for (int w : weights)
        total += w;
    int pick = rng.upTo(total);
    int month = 0;
    while (pick >= weights[month])
        pick -= weights[month++];
    const QDate first(2016, month + 1, 1);
    return first.addDays(rng.upTo(first.daysInMonth()));
}

double round4(double v)
{
    return std::nearbyint(v * 10000.0) / 10000.0;
}

struct ProducerRow
{
    QString code;
    int szja = 15;
    int paymentDays = 8;
};

struct ProductRow
{
    QString code;
    QString name;
    QString vtsz;
    double price;
    int rate;
    QString item;
};

struct LineRow
{
    const ProductRow* product;
    double gross;
    double deduction;
    double price;
};

double lineTotal(const LineRow& l)
{
    const double net = l.gross - round4(l.gross * l.deduction / 100);
    const double purchase = net * l.price;
    return purchase + purchase * l.product->rate / 100.0;
}

struct BuyerState
{
    QString code;
    qint64 next;
    QString declaration;
    int issued = 0;
    QVector<qint64> voidable; // printed ordinary tickets that may still be voided
};

} // namespace

Size Size::forTickets(int tickets)
{
    Size s;
    const double f = tickets / 50000.0;
    s.tickets = qMax(2, tickets);
    s.lines = qMax(s.tickets, static_cast<int>(std::lround(150000 * f)));
    s.producers = qMax(20, static_cast<int>(std::lround(5000 * f)));
    s.products = qBound(10, static_cast<int>(std::lround(200 * f * 10)), 200);
    return s;
}

Summary generateYear(const QString& database, const Size& size, unsigned seed,
                     const std::function<void(const QString&)>& progress)
{
    auto say = [&](const QString& s) {
        if (progress)
            progress(s);
    };
    Random rng(seed);
    Summary summary;
    DatabaseSetup::createDatabase(database, DatabaseSetup::Content::Minimal);
    Connection c;
    c.attach(database, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
    // The year replaces the few rows every new database starts with.
    for (const char* table : {"fjsor", "fjfej", "sorszam", "atvevo", "ostermelo", "termek"})
        c.executeImmediate(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
    c.commit();

    const QString declaration = u8("Kijelentem, hogy a termékeket saját gazdaságomban állítottam elő, "
                                   "mezőgazdasági őstermelő vagyok.");
    QVector<BuyerState> buyers = {{QStringLiteral("00001"), 20160001, declaration, 0, {}},
                                  {QStringLiteral("00002"), 16000001, declaration, 0, {}}};
    {
        say(QStringLiteral("buyers"));
        auto buyer = c.prepare(QStringLiteral(
            "INSERT INTO atvevo (v_akod, v_neve, v_helyseg, v_utca, v_irszam, v_adoszam, v_bankszla, v_nyilatk, "
            "v_verzio, v_kisado, v_ev, v_jelleg, v_hazszam) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ' ', ' ', ?, ?)"));
        buyer->execute({text(QStringLiteral("00001")), text(u8("Gabona Felvásárló és Kereskedelmi Kft.")),
                        text(u8("Kecskemét")), text(u8("Szegedi")), text(QStringLiteral("6000")),
                        text(taxNumber(rng, 2, QStringLiteral("03"))), text(bankAccount(rng)), text(declaration),
                        text(QString()), text(QStringLiteral("út")), text(QStringLiteral("12"))});
        buyer->execute({text(QStringLiteral("00002")), text(u8("Alföldi Zöldség-Gyümölcs Szövetkezet")),
                        text(u8("Szeged")), text(u8("Budapesti")), text(QStringLiteral("6728")),
                        text(taxNumber(rng, 2, QStringLiteral("06"))), text(bankAccount(rng)), text(declaration),
                        text(QStringLiteral("A")), text(QStringLiteral("út")), text(QStringLiteral("3"))});
        summary.buyers = 2;
    }

    QVector<ProducerRow> producers;
    {
        say(QStringLiteral("producers"));
        auto ins = c.prepare(QStringLiteral(
            "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_jelleg, o_hazszam, o_adoazon, "
            "o_igszam, o_adoszam, o_taj, o_szulhely, o_szido, o_anyja, o_neme, o_szulnev, o_bankszla, o_szja, "
            "o_fhat, o_ervkelt, o_mnyptag, o_regszam, o_csgazd) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'N', ?, ?)"));
        QSet<QString> usedTaxIds;
        for (int i = 0; i < size.producers; ++i) {
            ProducerRow p;
            p.code = QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            const bool female = rng.chance(0.35);
            const QString family = u8(rng.pick(kFamilyNames));
            const QString given = u8(female ? rng.pick(kFemaleNames) : rng.pick(kMaleNames));
            const QString name = family + QLatin1Char(' ') + given;
            const Town& town = rng.pick(kTowns);
            const QDate birth = QDate(1940, 1, 1).addDays(rng.upTo(365 * 58));
            const QString mother = u8(rng.pick(kFamilyNames)) + QLatin1Char(' ') + u8(rng.pick(kFemaleNames));
            const double r = rng.unit();
            p.szja = r < 0.6 ? 15 : (r < 0.8 ? 16 : 0);
            static const int kPaymentDays[] = {0, 8, 8, 15, 15, 30};
            p.paymentDays = rng.pick(kPaymentDays);
            const QString taxNo = rng.chance(0.4) ? taxNumber(rng, 1, QStringLiteral("13")) : QString();
            QString card = QString::number(100000 + rng.upTo(900000));
            if (rng.chance(0.3))
                card += QString::number(rng.upTo(100));
            ins->execute({text(p.code), text(name), text(QString::fromLatin1(town.postcode)), text(u8(town.name)),
                          text(u8(rng.pick(kStreets))), text(u8(rng.pick(kStreetKinds))),
                          text(QString::number(1 + rng.upTo(150))), text(taxIdentifier(rng, birth, usedTaxIds)), text(card),
                          text(taxNo), text(tajNumber(rng)), text(u8(town.name)), date(birth), text(mother),
                          text(female ? QStringLiteral("2") : QStringLiteral("1")),
                          text(female && rng.chance(0.5) ? u8(rng.pick(kFamilyNames)) + QLatin1Char(' ') + given
                                                         : name),
                          text(rng.chance(0.6) ? bankAccount(rng) : QString()), integer(p.szja),
                          integer(p.paymentDays), date(QDate(2016, 1, 4).addDays(rng.upTo(60))),
                          text(QString::number(1000000 + rng.upTo(9000000))),
                          text(rng.chance(0.2) ? QString::number(10000000 + rng.upTo(90000000)) : QString())});
            producers << p;
        }
        summary.producers = size.producers;
    }

    QVector<ProductRow> products;
    {
        say(QStringLiteral("products"));
        auto ins = c.prepare(QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes, t_vtsz, t_ear, t_megy, "
                                            "t_kompmerteke, t_bizonylat) VALUES (?, ?, ?, ?, 'kg', ?, ?)"));
        const int bases = static_cast<int>(std::size(kBaseProducts));
        for (int i = 0; i < size.products; ++i) {
            const BaseProduct& b = kBaseProducts[i % bases];
            const int grade = (i / bases) % static_cast<int>(std::size(kGrades));
            const int round = i / (bases * static_cast<int>(std::size(kGrades)));
            ProductRow p;
            p.code = QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'));
            p.name = u8(b.name) + u8(kGrades[grade]) + (round ? QStringLiteral(" %1").arg(round + 1) : QString());
            p.vtsz = QString::fromLatin1(b.vtsz);
            p.price = std::round(b.price * (0.85 + 0.3 * rng.unit()) * 10) / 10;
            p.rate = b.rate;
            p.item = QString::number(100 + i);
            ins->execute({text(p.code), text(p.name), text(p.vtsz), dbl(p.price), integer(p.rate), text(p.item)});
            products << p;
        }
        summary.products = size.products;
    }

    // Lines per ticket: one each, the rest spread at random (at most five a ticket).
    QVector<int> lineCounts(size.tickets, 1);
    for (int extra = qMax(0, size.lines - size.tickets), guard = 0; extra > 0 && guard < size.lines * 10; ++guard) {
        int& n = lineCounts[rng.upTo(size.tickets)];
        if (n < 5) {
            ++n;
            --extra;
        }
    }

    say(QStringLiteral("tickets"));
    auto header = c.prepare(QStringLiteral(
        "INSERT INTO fjfej (f_bszam, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, f_szja, f_jarulszaz, "
        "f_levonas, f_megj, f_nyilatk, f_akod, f_muvktg, f_tipus, f_ervenyt, f_sumvar) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    auto line = c.prepare(QStringLiteral(
        "INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_levonszaz, s_brutto, s_megy, s_ear, "
        "s_kompmerteke, s_akod, s_szja, s_bizonylat) VALUES (?, ?, ?, ?, ?, ?, 'kg', ?, ?, ?, ?, ?)"));
    auto setVoided = c.prepare(QStringLiteral("UPDATE fjfej SET f_ervenyt = ? WHERE f_bszam = ? AND f_akod = ?"));

    struct Stored
    {
        QString producer;
        QDate date;
        bool transfer;
        int szja;
        double contribution;
        QVector<LineRow> lines;
    };
    QHash<QString, Stored> storedByNumber; // kept for voiding; only tickets that may be voided

    auto payable = [](double total, int szja, double contribution, bool transfer) {
        const double tax = std::round(total * szja / 100.0);
        const double contrib = std::round((total - tax) * contribution / 100.0);
        double p = total - tax - contrib;
        if (!transfer)
            p = std::round(p / 5.0) * 5.0;
        return std::round(p);
    };
    auto storeTicket = [&](BuyerState& buyer, const QString& number, const Stored& t, const QString& type,
                           const QString& counterpart, double sign) {
        double total = 0;
        for (const LineRow& l : t.lines)
            total += lineTotal(l);
        total *= sign;
        const QDate paid = t.transfer ? t.date.addDays(8 + rng.upTo(23)) : t.date;
        header->execute({text(number), text(t.producer), date(t.date), date(t.date), date(paid),
                         text(t.transfer ? QStringLiteral("x") : QStringLiteral(" ")), text(QStringLiteral("I")),
                         integer(t.szja), dbl(t.contribution), dbl(0), text(QString()), text(buyer.declaration),
                         text(buyer.code), dbl(payable(total, t.szja, t.contribution, t.transfer)), text(type),
                         text(counterpart), dbl(total)});
        for (const LineRow& l : t.lines)
            line->execute({text(number), text(l.product->code), text(l.product->name), text(l.product->vtsz),
                           dbl(l.deduction), dbl(l.gross * sign), dbl(l.price), dbl(l.product->rate),
                           text(buyer.code), dbl(t.szja), text(l.product->item)});
        summary.lines += static_cast<int>(t.lines.size());
        ++summary.tickets;
        if (!t.transfer)
            ++summary.cashTickets;
    };

    for (int i = 0; i < size.tickets; ++i) {
        BuyerState& buyer = buyers[rng.chance(0.8) ? 0 : 1];
        const QString number = QString::number(buyer.next++);
        // About one ticket in a hundred voids an earlier one of its buyer.
        if (!buyer.voidable.isEmpty() && rng.chance(0.01)) {
            const int at = rng.upTo(static_cast<int>(buyer.voidable.size()));
            const QString voided = QString::number(buyer.voidable[at]);
            buyer.voidable.removeAt(at);
            const Stored original = storedByNumber.take(buyer.code + voided);
            storeTicket(buyer, number, original, QStringLiteral("4"), voided, -1);
            setVoided->execute({text(number), text(voided), text(buyer.code)});
            ++summary.voided;
            continue;
        }
        Stored t;
        const ProducerRow& producer = producers[rng.upTo(static_cast<int>(producers.size()))];
        t.producer = producer.code;
        t.date = purchaseDate(rng);
        t.transfer = !rng.chance(0.7);
        t.szja = producer.szja;
        t.contribution = rng.chance(0.3) ? 4 : 0;
        const int harvestFirst = rng.upTo(static_cast<int>(products.size()));
        for (int k = 0; k < lineCounts[i]; ++k) {
            // A few products make up most of the lines.
            const int idx = rng.chance(0.6) ? (harvestFirst + k) % qMin(25, static_cast<int>(products.size()))
                                            : rng.upTo(static_cast<int>(products.size()));
            const ProductRow& p = products[idx];
            LineRow l{&p, std::round((50 + rng.unit() * 9950)), rng.chance(0.2) ? 2.0 : 0.0,
                      std::round(p.price * (0.95 + 0.1 * rng.unit()) * 10) / 10};
            t.lines << l;
        }
        storeTicket(buyer, number, t, QStringLiteral("1"), QString(), 1);
        buyer.voidable << buyer.next - 1;
        storedByNumber.insert(buyer.code + number, t);
        if (storedByNumber.size() > 4000) {
            // Only recent tickets are voided; older ones are forgotten to keep memory small.
            const qint64 oldest = buyer.voidable.takeFirst();
            storedByNumber.remove(buyer.code + QString::number(oldest));
        }
        if (i % 10000 == 9999) {
            c.commitRetaining();
            say(QStringLiteral("tickets %1").arg(i + 1));
        }
    }

    {
        auto counter = c.prepare(QStringLiteral("INSERT INTO sorszam (a_fjbszam, a_akod) VALUES (?, ?)"));
        for (BuyerState& b : buyers)
            counter->execute({text(QString::number(b.next - 1)), text(b.code)});
    }
    summary.firstBuyerLastNumber = QString::number(buyers[0].next - 1);
    summary.secondBuyerLastNumber = QString::number(buyers[1].next - 1);
    header.reset();
    line.reset();
    setVoided.reset();
    c.commit();
    say(QStringLiteral("index statistics"));
    refreshIndexStatistics(c);
    c.commit();
    c.detach();
    return summary;
}

} // namespace zeror::yeargen
