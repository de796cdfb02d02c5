#include "ExportCommand.h"

#include "AuditXml.h"
#include "AuditXmlSettings.h"
#include "BuyerRecord.h"
#include "Clock.h"
#include "DbError.h"
#include "Error.h"
#include "ExcelExport.h"
#include "MonthCollection.h"
#include "NavFej.h"
#include "Query.h"
#include "SharedState.h"
#include "TData.h"
#include "TextExport.h"
#include "WinPaths.h"
#include "XmlSchemaCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <optional>

namespace zeror::exportcli {

namespace {

// A refusal that ends the run with its status; the message is the operator's text.
struct Stop
{
    int status;
    QString message;
};

const QStringList kValueOptions = {
    QStringLiteral("database"), QStringLiteral("buyer"),       QStringLiteral("month"),
    QStringLiteral("from"),     QStringLiteral("to"),          QStringLiteral("output"),
    QStringLiteral("date"),     QStringLiteral("by"),          QStringLiteral("number-from"),
    QStringLiteral("number-to"), QStringLiteral("date-kind"), QStringLiteral("tables"),
    QStringLiteral("file"),
};
const QStringList kFlagOptions = {QStringLiteral("help"), QStringLiteral("no-optional")};
const QHash<QString, QString> kShortOptions = {
    {QStringLiteral("-d"), QStringLiteral("database")}, {QStringLiteral("-b"), QStringLiteral("buyer")},
    {QStringLiteral("-m"), QStringLiteral("month")},    {QStringLiteral("-o"), QStringLiteral("output")},
    {QStringLiteral("-h"), QStringLiteral("help")},
};
const QStringList kCommands = {QStringLiteral("1608m"), QStringLiteral("audit-xml"), QStringLiteral("excel-tickets"),
                               QStringLiteral("excel-producers"), QStringLiteral("text")};

struct CommandLine
{
    QString command;
    QHash<QString, QString> values;
    bool help = false;
    bool noOptional = false;

    QString value(const char* name) const { return values.value(QString::fromLatin1(name)); }
    bool has(const char* name) const { return values.contains(QString::fromLatin1(name)); }
};

Stop usage(const QString& hungarian, const QString& english)
{
    return {BadCommand, hungarian + QStringLiteral("\n(") + english + QStringLiteral(")\n")
                            + QStringLiteral("Súgó / help: zeror-export --help")};
}

CommandLine parse(const QStringList& arguments)
{
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString a = arguments[i];
        if (kShortOptions.contains(a))
            a = QStringLiteral("--") + kShortOptions.value(a);
        if (!a.startsWith(QLatin1String("--"))) {
            if (!line.command.isEmpty())
                throw usage(QStringLiteral("Fölösleges argumentum: %1").arg(a),
                            QStringLiteral("unexpected argument: %1").arg(a));
            line.command = a.toLower();
            continue;
        }
        QString name = a.mid(2);
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            inlineValue = true;
        }
        if (kFlagOptions.contains(name)) {
            if (inlineValue)
                throw usage(QStringLiteral("A(z) --%1 kapcsolónak nincs értéke.").arg(name),
                            QStringLiteral("--%1 takes no value").arg(name));
            (name == QLatin1String("help") ? line.help : line.noOptional) = true;
            continue;
        }
        if (!kValueOptions.contains(name))
            throw usage(QStringLiteral("Ismeretlen kapcsoló: %1").arg(a), QStringLiteral("unknown option: %1").arg(a));
        if (!inlineValue) {
            if (i + 1 >= arguments.size())
                throw usage(QStringLiteral("A(z) --%1 kapcsoló után hiányzik az érték.").arg(name),
                            QStringLiteral("--%1 needs a value").arg(name));
            value = arguments[++i];
        }
        line.values.insert(name, value);
    }
    return line;
}

QDate parseDay(const CommandLine& line, const char* option)
{
    const QString text = line.value(option).trimmed();
    QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("yyyy.MM.dd"));
    if (!d.isValid())
        throw usage(QStringLiteral("Érvénytelen dátum a --%1 kapcsolónál: \"%2\" (ÉÉÉÉ-HH-NN)")
                        .arg(QLatin1String(option), text),
                    QStringLiteral("invalid date for --%1: \"%2\" (YYYY-MM-DD)").arg(QLatin1String(option), text));
    return d;
}

// The period of the command: --month, or --from and --to, or the default the caller gives.
std::pair<QDate, QDate> period(const CommandLine& line, const std::function<std::pair<QDate, QDate>()>& fallback)
{
    if (line.has("month")) {
        if (line.has("from") || line.has("to"))
            throw usage(QStringLiteral("A --month mellett nem adható meg --from vagy --to."),
                        QStringLiteral("--month excludes --from and --to"));
        const QString text = line.value("month").trimmed();
        QDate first = QDate::fromString(text + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
        if (!first.isValid())
            first = QDate::fromString(text + QStringLiteral(".01"), QStringLiteral("yyyy.MM.dd"));
        if (!first.isValid())
            throw usage(QStringLiteral("Érvénytelen hónap: \"%1\" (ÉÉÉÉ-HH)").arg(text),
                        QStringLiteral("invalid month: \"%1\" (YYYY-MM)").arg(text));
        return {first, first.addMonths(1).addDays(-1)};
    }
    if (line.has("from") != line.has("to"))
        throw usage(QStringLiteral("A --from és a --to csak együtt adható meg."),
                    QStringLiteral("--from and --to go together"));
    if (line.has("from"))
        return {parseDay(line, "from"), parseDay(line, "to")};
    return fallback();
}

// The month before today's: the month a month-end run declares.
std::pair<QDate, QDate> previousMonth()
{
    const QDate today = clock::today();
    const QDate first = QDate(today.year(), today.month(), 1).addMonths(-1);
    return {first, first.addMonths(1).addDays(-1)};
}

// An output folder given on the command line: a Windows folder as the screens show it is mapped.
QString outputFolder(const CommandLine& line, const QString& fallback)
{
    const QString given = line.value("output").trimmed();
    if (given.isEmpty())
        return fallback;
    const QString local = paths::localPath(given);
    return QFileInfo(local).isAbsolute() ? local : QDir::current().absoluteFilePath(local);
}

class Runner
{
public:
    Runner(std::FILE* out, std::FILE* err, bool progressLine) : m_out(out), m_err(err), m_progressLine(progressLine) {}

    int run(const CommandLine& line);

private:
    void say(const QString& text) { std::fprintf(m_out, "%s\n", text.toLocal8Bit().constData()); }
    void progress(const QString& label, int done, int total)
    {
        if (!m_progressLine)
            return;
        // Back to the line's start, the rest of a longer earlier label cleared.
        std::fprintf(m_err, "\r%s %d/%d\x1b[K", label.toLocal8Bit().constData(), done, total);
        if (done >= total)
            std::fputc('\n', m_err);
        std::fflush(m_err);
    }

    void openDatabase(const CommandLine& line);
    QString chooseBuyer(const CommandLine& line);

    void monthFiles(const CommandLine& line);
    void auditXml(const CommandLine& line);
    void excelWorkbook(const CommandLine& line, bool tickets);
    void textExport(const CommandLine& line);

    std::FILE* m_out;
    std::FILE* m_err;
    bool m_progressLine;
    TData m_data;
};

void Runner::openDatabase(const CommandLine& line)
{
    const QString name = line.has("database") ? line.value("database") : qEnvironmentVariable("ZEROR_DATABASE");
    if (!name.isEmpty())
        m_data.setDatabaseName(name);
    const QString database = m_data.databaseName();
    try {
        // A bare name or path that is not there is refused before the engine would create anything.
        if (!database.contains(QLatin1Char(':')) && !QFileInfo::exists(database))
            throw DbError(QStringLiteral("Nem található: %1 (munkamappa: %2)")
                              .arg(database, QDir::toNativeSeparators(QDir::currentPath())),
                          DbError::Kind::NotFound);
        m_data.open();
        m_data.openTables();
    } catch (const DbError& e) {
        throw Stop{NoDatabase, QStringLiteral("Az adatbázis nem nyitható meg: %1\n%2").arg(database, e.message())};
    }
}

// The buyer of the run, chosen as the buyer selection chooses it. Without --buyer a database of
// one buyer needs no choice; with several the code must be named.
QString Runner::chooseBuyer(const CommandLine& line)
{
    openBuyerList(m_data);
    Query& buyers = m_data.ZQ60;
    QString code = line.value("buyer").trimmed();
    if (code.isEmpty()) {
        if (buyers.rowCount() != 1) {
            QStringList codes;
            for (buyers.first(); !buyers.eof(); buyers.next())
                codes << buyers.text(QStringLiteral("V_AKOD"));
            throw Stop{Refused, QStringLiteral("Több átvevő van az adatbázisban (%1): a --buyer kapcsolóval adja meg, "
                                               "melyiké az export.")
                                    .arg(codes.join(QStringLiteral(", ")))};
        }
        buyers.first();
        code = buyers.text(QStringLiteral("V_AKOD"));
    }
    if (zeror::chooseBuyer(m_data, code).isEmpty())
        throw Stop{Refused, QStringLiteral("Nincs ilyen kódú átvevő: %1").arg(code)};
    return code;
}

void Runner::monthFiles(const CommandLine& line)
{
    const auto [from, to] = period(line, previousMonth);
    const taxsupply::ImportPeriod p{from, to};
    // The month check first, as "OK" does on the screen: nothing is opened or written before it.
    if (const auto fault = taxsupply::checkMonth(p, taxsupply::MonthCheckTrigger::OkButton))
        throw Stop{Refused, fault->message};
    // --output stands for "C:\RU2016\": the month's own folder below it is the one emptied and written.
    const QString root = outputFolder(line, paths::localPath(QStringLiteral("C:\\RU2016\\")));
    const QString folder = QDir(root).filePath(taxsupply::monthPiece(from));
    openDatabase(line);
    const QString buyer = chooseBuyer(line);
    const taxsupply::CollectOutcome outcome = taxsupply::collectMonth(
        m_data, buyer, p, folder, [this](int done, int total) { progress(QStringLiteral("1608M"), done, total); });
    for (const QString& file : outcome.importFiles)
        say(file);
    say(outcome.listFile);
    const QString notes = taxsupply::collectNotes(outcome);
    if (!notes.isEmpty())
        std::fprintf(m_err, "%s\n", notes.toLocal8Bit().constData());
    say(QStringLiteral("Összesen: ") + outcome.grandTotal);
}

void Runner::auditXml(const CommandLine& line)
{
    auditxml::CollectRequest collect;
    const QString by = line.value("by").trimmed().toLower();
    if (by.isEmpty() || by == QLatin1String("issue"))
        collect.by = auditxml::SelectBy::IssueDate;
    else if (by == QLatin1String("purchase"))
        collect.by = auditxml::SelectBy::PurchaseDate;
    else if (by == QLatin1String("number"))
        collect.by = auditxml::SelectBy::Number;
    else
        throw usage(QStringLiteral("A --by értéke issue, purchase vagy number lehet."),
                    QStringLiteral("--by takes issue, purchase or number"));
    const auto [from, to] = period(line, previousMonth);
    collect.from = from;
    collect.to = to;
    collect.numberFrom = line.value("number-from");
    collect.numberTo = line.value("number-to");
    if (collect.by == auditxml::SelectBy::Number && (collect.numberFrom.isEmpty() || collect.numberTo.isEmpty()))
        throw usage(QStringLiteral("Sorszám szerinti kigyűjtéshez a --number-from és a --number-to is kell."),
                    QStringLiteral("--by number needs --number-from and --number-to"));
    // The screen's settings file gives the self-billing mark, the paper form and the file's name:
    // the one of the program "zeror" installed beside this tool.
    const auditxml::Settings settings =
        auditxml::loadSettings(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zerorXML.ini")));
    collect.onszla = settings.onszla;
    collect.papir = settings.papir;
    if (const auto fault = auditxml::checkCollectRequest(collect))
        throw Stop{Refused, fault->message};

    const QString configured = paths::localPath(settings.hova.trimmed());
    QString fileName = line.value("file").trimmed();
    if (fileName.isEmpty())
        fileName = QFileInfo(configured).fileName();
    if (fileName.isEmpty())
        throw Stop{Refused, QStringLiteral("Nincs megadva az XML fájl helye!")};
    const QString folder = outputFolder(line, QFileInfo(configured).absolutePath());

    openDatabase(line);
    const QString buyer = chooseBuyer(line);
    if (const auto fault = auditxml::checkBuyerForCollect(m_data, buyer))
        throw Stop{Refused, fault->message};
    const int collected = auditxml::collectNavFej(
        m_data, buyer, collect, [this](int done, int total) { progress(QStringLiteral("Kigyűjtés"), done, total); });
    std::fprintf(m_err, "%s (%d)\n", auditxml::collectDoneMessage().section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData(),
                 collected);
    if (const auto fault = auditxml::checkNavFejRows(m_data))
        throw Stop{Refused, fault->message};

    auditxml::ExportRequest request;
    request.by = collect.by == auditxml::SelectBy::Number ? auditxml::SelectBy::Number : auditxml::SelectBy::IssueDate;
    request.from = from;
    request.to = to;
    request.optionalSection = !line.noOptional;
    request.buyerCode = buyer;
    if (!sharedState().stornoTicketType.isEmpty())
        request.stornoType = sharedState().stornoTicketType;
    request.path = QDir(folder).filePath(fileName);
    const auditxml::ExportSummary summary = auditxml::exportAuditXml(
        m_data, request, [this](int done, int total) { progress(QStringLiteral("EXPORT"), done, total); });
    std::fprintf(m_err, "%s\n", auditxml::exportDoneMessage(summary.path).toLocal8Bit().constData());

    // The schema check of the written file, as "Séma ellenőrzés" does.
    const QStringList problems = auditxml::validateXmlFile(summary.path);
    if (!problems.isEmpty())
        throw Stop{Refused, QStringLiteral("Séma ellenőrzés: %1\n").arg(QDir::toNativeSeparators(summary.path))
                                + auditxml::schemaCheckReport(problems)};
    say(QDir::toNativeSeparators(summary.path));
    say(QStringLiteral("Séma ellenőrzés: ") + auditxml::schemaCheckReport(problems));
}

void Runner::excelWorkbook(const CommandLine& line, bool tickets)
{
    excel::DateKind kind = excel::DateKind::Payment;
    const QString kindText = line.value("date-kind").trimmed().toLower();
    if (kindText == QLatin1String("purchase"))
        kind = excel::DateKind::Purchase;
    else if (!kindText.isEmpty() && kindText != QLatin1String("payment"))
        throw usage(QStringLiteral("A --date-kind értéke payment vagy purchase lehet."),
                    QStringLiteral("--date-kind takes payment or purchase"));
    const auto [from, to] = period(line, [] {
        return std::pair{excel::defaultPeriodStart(), excel::defaultPeriodEnd()};
    });
    const QString folder = outputFolder(line, excel::exportFolder());
    openDatabase(line);
    Query query(&m_data.connection(), tickets ? QStringLiteral("ExcelFjsor") : QStringLiteral("ExcelOstermelo"));
    if (tickets)
        excel::gatherTickets(query, from, to, kind, chooseBuyer(line));
    else
        excel::gatherProducers(query);
    const QString path = QDir(folder).filePath(tickets ? excel::kTicketWorkbook : excel::kProducerWorkbook);
    excel::writeWorkbook(query, tickets ? excel::ticketLayout() : excel::producerLayout(), path,
                         [this](int done, int total) {
                             if (done % 500 == 0 || done == total)
                                 progress(QStringLiteral("Excel"), done, total);
                         });
    say(QDir::toNativeSeparators(path));
    std::fprintf(m_err, "%s\n",
                 (tickets ? excel::kTicketsDoneMessage : excel::kProducersDoneMessage).toLocal8Bit().constData());
}

void Runner::textExport(const CommandLine& line)
{
    const QList<textexport::ExportTable>& all = textexport::tables();
    QList<int> chosen;
    const QString tables = line.value("tables").trimmed();
    if (tables.isEmpty()) {
        for (int i = 0; i < all.size(); ++i)
            chosen << i;
    } else {
        for (const QString& part : tables.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = part.trimmed().toLower();
            int found = -1;
            for (int i = 0; i < all.size(); ++i) {
                const QString fileName = all[i].fileName.toLower();
                if (fileName == name || fileName == name + QStringLiteral(".txt"))
                    found = i;
            }
            if (found < 0)
                throw usage(QStringLiteral("Ismeretlen tábla: %1").arg(part.trimmed()),
                            QStringLiteral("unknown table: %1").arg(part.trimmed()));
            if (!chosen.contains(found))
                chosen << found;
        }
        std::sort(chosen.begin(), chosen.end());
    }
    // The screen's default folder, "c:\", mapped.
    const QString folder = outputFolder(line, paths::localPath(QStringLiteral("c:\\")));
    openDatabase(line);
    int done = 0;
    textexport::exportTables(m_data, chosen, folder, [&](const QString& fileName) {
        progress(fileName, done++, int(chosen.size()));
    });
    progress(QStringLiteral("Export"), done, int(chosen.size()));
    for (int i : chosen)
        say(QDir::toNativeSeparators(textexport::exportPath(folder, all[i].fileName)));
    std::fprintf(m_err, "%s\n", QStringLiteral("Exportálás vége.").toLocal8Bit().constData());
}

int Runner::run(const CommandLine& line)
{
    if (line.has("date"))
        clock::setFixedDate(parseDay(line, "date"));
    if (line.command == QLatin1String("1608m"))
        monthFiles(line);
    else if (line.command == QLatin1String("audit-xml"))
        auditXml(line);
    else if (line.command == QLatin1String("excel-tickets"))
        excelWorkbook(line, true);
    else if (line.command == QLatin1String("excel-producers"))
        excelWorkbook(line, false);
    else
        textExport(line);
    m_data.closeAtExit();
    return Done;
}

} // namespace

QString helpText()
{
    return QStringLiteral(
        "zeror-export – a felvásárlási jegyek nyilvántartásának exportjai ablak nélkül\n"
        "\n"
        "Használat: zeror-export PARANCS [KAPCSOLÓK]\n"
        "\n"
        "Parancsok:\n"
        "  1608m            a 1608M bevallás import fájljai (őstermelőnként egy) és a csoportos\n"
        "                   import listája; a kimeneti mappa alatti hónap-mappába (pl. 01) kerülnek,\n"
        "                   amelyet a program előbb kiürít\n"
        "  audit-xml        adóhatósági ellenőrzési adatszolgáltatás (számlák XML), sémaellenőrzéssel\n"
        "  excel-tickets    a jegyek sorai Excel munkafüzetbe (FJFEJ.xls)\n"
        "  excel-producers  az őstermelők Excel munkafüzetbe (OSTERMELO.xls)\n"
        "  text             szöveges export (atvevo.txt, ostermelo.txt, sorszam.txt, termek.txt,\n"
        "                   FjFej.txt, FjSor.txt)\n"
        "\n"
        "Kapcsolók:\n"
        "  -d, --database NÉV   adatbázis: fájl vagy gép:/út/ru2016.fdb (alapérték: ru2016.fdb a\n"
        "                       munkamappában, vagy a ZEROR_DATABASE környezeti változó)\n"
        "  -b, --buyer KÓD      az átvevő kódja (egyetlen átvevőnél elhagyható)\n"
        "  -m, --month ÉÉÉÉ-HH  a hónap (1608m, audit-xml, excel-tickets)\n"
        "  --from ÉÉÉÉ-HH-NN --to ÉÉÉÉ-HH-NN   az időszak a hónap helyett\n"
        "                       (alapérték: 1608m és audit-xml esetén az előző hónap,\n"
        "                       excel-tickets esetén a folyó év)\n"
        "  -o, --output MAPPA   ide kerülnek a fájlok (1608m: a C:\\RU2016\\ helyett, a hónap-mappa\n"
        "                       ez alatt jön létre)\n"
        "  --date ÉÉÉÉ-HH-NN    a \"mai nap\" a futás idejére (ismételhető eredményhez)\n"
        "  --by issue|purchase|number   audit-xml: kiállítás, felvásárlás dátuma vagy sorszám szerint\n"
        "  --number-from SZÁM --number-to SZÁM   audit-xml: a sorszámtartomány (--by number)\n"
        "  --no-optional        audit-xml: a nem kötelező típusok nélkül\n"
        "  --file NÉV           audit-xml: a fájl neve (alapérték a beállításból: szamlak.xml)\n"
        "  --date-kind payment|purchase   excel-tickets: fizetési vagy felvásárlási dátum szerint\n"
        "  --tables LISTA       text: vesszővel elválasztott táblanevek (alapérték: mind)\n"
        "  -h, --help           ez a súgó\n"
        "\n"
        "Kilépési kód: 0 kész; 1 az ellenőrzés vagy az export elutasította (az üzenet a képernyő\n"
        "szövege); 2 hibás parancssor; 3 az adatbázis nem nyitható meg.\n"
        "\n"
        "----------------------------------------------------------------------------------------\n"
        "\n"
        "zeror-export – the purchase-ticket register's exports without a window\n"
        "\n"
        "Usage: zeror-export COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  1608m            the 1608M declaration's import files (one per producer) and the group\n"
        "                   import list, written into the month folder (e.g. 01) below the output\n"
        "                   folder, which is emptied first\n"
        "  audit-xml        the tax-audit invoice XML, checked against the authority's schema\n"
        "  excel-tickets    the ticket lines as an Excel workbook (FJFEJ.xls)\n"
        "  excel-producers  the producers as an Excel workbook (OSTERMELO.xls)\n"
        "  text             the text export (atvevo.txt, ostermelo.txt, sorszam.txt, termek.txt,\n"
        "                   FjFej.txt, FjSor.txt)\n"
        "\n"
        "Options:\n"
        "  -d, --database NAME  database: a file or host:/path/ru2016.fdb (default: ru2016.fdb in\n"
        "                       the working folder, or the ZEROR_DATABASE environment variable)\n"
        "  -b, --buyer CODE     the buyer's code (may be left out when there is one buyer)\n"
        "  -m, --month YYYY-MM  the month (1608m, audit-xml, excel-tickets)\n"
        "  --from YYYY-MM-DD --to YYYY-MM-DD   the period instead of a month\n"
        "                       (default: the previous month for 1608m and audit-xml, the current\n"
        "                       year for excel-tickets)\n"
        "  -o, --output FOLDER  where the files go (1608m: stands for C:\\RU2016\\; the month folder\n"
        "                       is made below it)\n"
        "  --date YYYY-MM-DD    \"today\" for this run (repeatable results)\n"
        "  --by issue|purchase|number   audit-xml: select by the date made out, the purchase date\n"
        "                       or the ticket number\n"
        "  --number-from NUMBER --number-to NUMBER   audit-xml: the number range (--by number)\n"
        "  --no-optional        audit-xml: without the optional types\n"
        "  --file NAME          audit-xml: the file's name (default from the settings: szamlak.xml)\n"
        "  --date-kind payment|purchase   excel-tickets: by payment or purchase date\n"
        "  --tables LIST        text: comma-separated table names (default: all)\n"
        "  -h, --help           this help\n"
        "\n"
        "Exit status: 0 done; 1 a check or the export refused (the message is the screen's text);\n"
        "2 wrong command line; 3 the database cannot be opened.\n");
}

int run(const QStringList& arguments, std::FILE* out, std::FILE* err, bool progressLine)
{
    try {
        const CommandLine line = parse(arguments);
        if (line.help) {
            std::fprintf(out, "%s", helpText().toLocal8Bit().constData());
            return Done;
        }
        if (line.command.isEmpty())
            throw usage(QStringLiteral("Hiányzik a parancs (1608m, audit-xml, excel-tickets, excel-producers, text)."),
                        QStringLiteral("missing command"));
        if (!kCommands.contains(line.command))
            throw usage(QStringLiteral("Ismeretlen parancs: %1").arg(line.command),
                        QStringLiteral("unknown command: %1").arg(line.command));
        Runner runner(out, err, progressLine);
        return runner.run(line);
    } catch (const Stop& stop) {
        std::fprintf(err, "%s\n", QString(stop.message).replace(QLatin1Char('\r'), QLatin1Char('\n')).toLocal8Bit().constData());
        return stop.status;
    } catch (const Error& e) {
        std::fprintf(err, "%s\n", QString(e.message()).replace(QLatin1Char('\r'), QLatin1Char('\n')).toLocal8Bit().constData());
        return Refused;
    }
}

} // namespace zeror::exportcli
