#include "DatabaseSetup.h"

#include "Connection.h"
#include "DbError.h"
#include "IndexStatistics.h"
#include "Query.h"
#include "TData.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// Resources of a static library must be registered by hand.
static void initDataResources()
{
    Q_INIT_RESOURCE(data);
}

namespace zeror::DatabaseSetup {

QString schemaScript()
{
    initDataResources();
    QFile file(QStringLiteral(":/zeror/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The schema script is missing from the program."));
    return QString::fromUtf8(file.readAll());
}

QString schemaScript(Layout layout)
{
    QString script = schemaScript();
    if (layout == Layout::Current)
        return script;
    // The older layout: the two columns the upgrades add are left out, the chamber number narrower.
    static const QRegularExpression addedColumns(QStringLiteral("^\\s*(O_MNYPTAG|O_FELIR)\\s[^\\n]*\\n"),
                                                 QRegularExpression::MultilineOption);
    script.remove(addedColumns);
    script.replace(QStringLiteral("CREATE DOMAIN D_KAMARA AS VARCHAR(20)"),
                   QStringLiteral("CREATE DOMAIN D_KAMARA AS VARCHAR(10)"));
    return script;
}

QStringList splitScript(const QString& script)
{
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    static const QRegularExpression setTerm(QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*(\\S+)?\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        // "SET TERM ^ ;" switches the terminator (the line itself ends with the old one).
        QString candidate = line.trimmed();
        if (candidate.endsWith(terminator))
            candidate.chop(terminator.size());
        const auto m = setTerm.match(candidate);
        if (m.hasMatch()) {
            terminator = m.captured(1);
            continue;
        }
        current += line + QLatin1Char('\n');
        const QString trimmed = current.trimmed();
        if (trimmed.endsWith(terminator)) {
            QString stmt = trimmed.left(trimmed.size() - terminator.size()).trimmed();
            if (!stmt.isEmpty())
                statements << stmt;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

namespace {

struct Buyer
{
    const char* code;
    const char* name;
    const char* town;
    const char* street;
    const char* postcode;
    const char* taxNumber;
    const char* bank;
    const char* declaration;
    const char* version;
    const char* counter;
};

struct Producer
{
    const char* code;
    const char* name;
    const char* postcode;
    const char* town;
    const char* street;
    const char* kind;
    const char* house;
    const char* taxId;
    const char* card;
    const char* taxNumber;
    const char* taj;
    const char* birthPlace;
    const char* birthDate;
    const char* mother;
    const char* sex;
    const char* bank;
    int szja;
    int paymentDays;
};

struct Product
{
    const char* code;
    const char* name;
    const char* vtsz;
    double price;
    const char* unit;
    int rate;
};

const char* kDeclaration =
    "Kijelentem, hogy a termékeket saját gazdaságomban állítottam elő, mezőgazdasági őstermelő vagyok.";

const Buyer kBuyers[] = {
    {"00001", "Gabona Felvásárló és Kereskedelmi Kft.", "Kecskemét", "Szegedi", "6000", "12345676203",
     "11732002-20000000", kDeclaration, "", "20160000"},
    {"00002", "Alföldi Zöldség-Gyümölcs Szövetkezet", "Szeged", "Budapesti", "6728", "23456787206",
     "10402805-50526789-12340000", kDeclaration, "A", "16000000"},
};

const Producer kProducers[] = {
    {"00001", "Kovács János", "6000", "Kecskemét", "Petőfi Sándor", "utca", "12", "8526018159", "123456",
     "43231940213", "366712768", "Kecskemét", "1962.04.11", "Nagy Mária", "1", "11732002-20123456", 15, 8},
    {"00002", "Szabó Éva", "6726", "Szeged", "Tisza Lajos", "körút", "45/B", "8908301666", "234567",
     "87574915213", "842684655", "Szeged", "1970.09.23", "Tóth Erzsébet", "2", "", 15, 0},
    {"00003", "Horváth Győző", "6100", "Kiskunfélegyháza", "Kossuth Lajos", "utca", "3", "8131860914", "3456789",
     "18625275213", "632122332", "Kiskunfélegyháza", "1958.01.30", "Kiss Ilona", "1", "10402805-50412345", 16, 15},
    {"00004", "Tóth Ödön", "6440", "Jánoshalma", "Rákóczi", "út", "87", "8390996030", "45678901", "60189554213",
     "079244024", "Jánoshalma", "1981.12.02", "Varga Júlia", "1", "", 0, 0},
    {"00005", "Németh Ünige", "6500", "Baja", "Szent Imre", "tér", "1", "8082462817", "567890", "59797119213",
     "685995286", "Baja", "1975.06.15", "Fekete Rózsa", "2", "11600006-00000000-12345678", 15, 30},
};

const Product kProducts[] = {
    {"00001", "Búza", "1001", 48.5, "kg", 7},
    {"00002", "Kukorica", "1005", 42.0, "kg", 7},
    {"00003", "Napraforgó", "1206", 110.0, "kg", 12},
    {"00004", "Alma", "0808", 65.0, "kg", 12},
    {"00005", "Paprika", "0709", 180.0, "kg", 12},
    {"00006", "Méz", "0409", 1150.0, "kg", 12},
};

void insertBuyer(Connection& c, const Buyer& b)
{
    Query q(&c, QStringLiteral("setup"));
    q.setSql({QStringLiteral("INSERT INTO atvevo (v_akod, v_neve, v_helyseg, v_utca, v_irszam, v_adoszam, "
                             "v_bankszla, v_nyilatk, v_verzio, v_kisado, v_ev, v_jelleg, v_hazszam) "
                             "VALUES (:p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, ' ', ' ', 'utca', '1')")});
    q.setText(QStringLiteral("p1"), QString::fromUtf8(b.code));
    q.setText(QStringLiteral("p2"), QString::fromUtf8(b.name));
    q.setText(QStringLiteral("p3"), QString::fromUtf8(b.town));
    q.setText(QStringLiteral("p4"), QString::fromUtf8(b.street));
    q.setText(QStringLiteral("p5"), QString::fromUtf8(b.postcode));
    q.setText(QStringLiteral("p6"), QString::fromUtf8(b.taxNumber));
    q.setText(QStringLiteral("p7"), QString::fromUtf8(b.bank));
    q.setText(QStringLiteral("p8"), QString::fromUtf8(b.declaration));
    q.setText(QStringLiteral("p9"), QString::fromUtf8(b.version));
    q.exec();
    q.setSql({QStringLiteral("INSERT INTO sorszam (a_fjbszam, a_akod) VALUES (:p1, :p2)")});
    q.setText(QStringLiteral("p1"), QString::fromUtf8(b.counter));
    q.setText(QStringLiteral("p2"), QString::fromUtf8(b.code));
    q.exec();
}

void insertProducer(Connection& c, const Producer& p, Layout layout)
{
    Query q(&c, QStringLiteral("setup"));
    // The older layout has no pension-fund column.
    const bool pensionFund = layout == Layout::Current;
    q.setSql({QStringLiteral(
                  "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_jelleg, o_hazszam, "
                  "o_adoazon, o_igszam, o_adoszam, o_taj, o_szulhely, o_szido, o_anyja, o_neme, o_szulnev, "
                  "o_bankszla, o_szja, o_fhat, o_ervkelt%1) "
                  "VALUES (:p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11, :p12, :p13, :p14, :p15, :p2, "
                  ":p16, :p17, :p18, :p19%2)")
                  .arg(pensionFund ? QStringLiteral(", o_mnyptag") : QString(),
                       pensionFund ? QStringLiteral(", 'N'") : QString())});
    q.setText(QStringLiteral("p1"), QString::fromUtf8(p.code));
    q.setText(QStringLiteral("p2"), QString::fromUtf8(p.name));
    q.setText(QStringLiteral("p3"), QString::fromUtf8(p.postcode));
    q.setText(QStringLiteral("p4"), QString::fromUtf8(p.town));
    q.setText(QStringLiteral("p5"), QString::fromUtf8(p.street));
    q.setText(QStringLiteral("p6"), QString::fromUtf8(p.kind));
    q.setText(QStringLiteral("p7"), QString::fromUtf8(p.house));
    q.setText(QStringLiteral("p8"), QString::fromUtf8(p.taxId));
    q.setText(QStringLiteral("p9"), QString::fromUtf8(p.card));
    q.setText(QStringLiteral("p10"), QString::fromUtf8(p.taxNumber));
    q.setText(QStringLiteral("p11"), QString::fromUtf8(p.taj));
    q.setText(QStringLiteral("p12"), QString::fromUtf8(p.birthPlace));
    q.setDate(QStringLiteral("p13"), QDate::fromString(QString::fromLatin1(p.birthDate), QStringLiteral("yyyy.MM.dd")));
    q.setText(QStringLiteral("p14"), QString::fromUtf8(p.mother));
    q.setText(QStringLiteral("p15"), QString::fromUtf8(p.sex));
    q.setText(QStringLiteral("p16"), QString::fromUtf8(p.bank));
    q.setInteger(QStringLiteral("p17"), p.szja);
    q.setInteger(QStringLiteral("p18"), p.paymentDays);
    q.setDate(QStringLiteral("p19"), QDate(2016, 1, 4));
    q.exec();
}

void insertProduct(Connection& c, const Product& p)
{
    Query q(&c, QStringLiteral("setup"));
    q.setSql({QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes, t_vtsz, t_ear, t_megy, t_kompmerteke, "
                             "t_bizonylat) VALUES (:p1, :p2, :p3, :p4, :p5, :p6, '')")});
    q.setText(QStringLiteral("p1"), QString::fromUtf8(p.code));
    q.setText(QStringLiteral("p2"), QString::fromUtf8(p.name));
    q.setText(QStringLiteral("p3"), QString::fromUtf8(p.vtsz));
    q.setDouble(QStringLiteral("p4"), p.price);
    q.setText(QStringLiteral("p5"), QString::fromUtf8(p.unit));
    q.setInteger(QStringLiteral("p6"), p.rate);
    q.exec();
}

} // namespace

void createDatabase(const QString& database, Content content, Layout layout)
{
    if (QFileInfo::exists(database))
        throw DbError(QStringLiteral("%1 already exists; it is never overwritten.").arg(database));
    Connection c;
    c.create(database, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
    try {
        // Tables must be committed before rows can go into them.
        for (const QString& stmt : splitScript(schemaScript(layout)))
            c.executeImmediate(stmt);
        c.commit();
        const bool demo = content == Content::Demo;
        const int buyers = demo ? 2 : 1;
        const int producers = demo ? int(std::size(kProducers)) : 1;
        const int products = demo ? int(std::size(kProducts)) : 1;
        for (int i = 0; i < buyers; ++i)
            insertBuyer(c, kBuyers[i]);
        for (int i = 0; i < producers; ++i)
            insertProducer(c, kProducers[i], layout);
        for (int i = 0; i < products; ++i)
            insertProduct(c, kProducts[i]);
        c.commit();
        // The indexes were built on empty tables; give the engine true selectivities to plan by.
        refreshIndexStatistics(c);
        c.commit();
        c.detach();
    } catch (...) {
        try {
            c.detach();
        } catch (...) {
        }
        QFile::remove(database);
        throw;
    }
}

} // namespace zeror::DatabaseSetup
