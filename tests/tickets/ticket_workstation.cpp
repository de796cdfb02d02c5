// One workstation of the several-workstation test: connects to the given database on a server
// and, for buyer 00001, enters tickets (sometimes abandoning an entry), prints them and voids
// printed ones, with random pauses, through the same rules the screens call. Every stored ticket
// and voiding is written to stdout for the test to check against the database:
//   STORED <entry> <shown number> <stored number> <lines>
//   VOIDED <voided number> <shown number> <voiding number>
//   REFUSED <voided number> <message>
#include "Formats.h"
#include "SharedState.h"
#include "TData.h"
#include "TicketEntry.h"
#include "TicketEntryLine.h"
#include "TicketNumbering.h"
#include "TicketPrint.h"
#include "Voiding.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

using namespace zeror;

namespace {

const QString Buyer = QStringLiteral("00001");

QRandomGenerator* rng = nullptr;

void pause(int maxMs)
{
    QThread::msleep(static_cast<unsigned long>(rng->bounded(maxMs + 1)));
}

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// A random ticket number among the first few that the statement returns (oldest first), so that
// the workstations often pick the same one.
QString pick(TData& d, const QStringList& sql)
{
    Query& q = d.ZQ91;
    q.close();
    q.setSql(sql);
    q.setText(QStringLiteral("p1"), Buyer);
    q.open();
    if (q.isEmpty())
        return QString();
    q.setRecNo(rng->bounded(qMin(q.rowCount(), 3)));
    return q.text(QStringLiteral("f_bszam")).trimmed();
}

void enterTicket(TData& d, const QString& entry, bool abandon)
{
    const ticketentry::NewEntry e = ticketentry::startNewEntry(d, Buyer);
    const int lines = 1 + rng->bounded(3);
    for (int i = 0; i < lines; ++i) {
        ticketentry::TicketLineInput in;
        in.number = e.linesKey;
        in.productCode = QStringLiteral("00001");
        in.name = QStringLiteral("%1-l%2").arg(entry).arg(i + 1);
        in.vtsz = QStringLiteral("0701");
        in.quantity = QString::number(10 + rng->bounded(90));
        in.unit = QStringLiteral("kg");
        in.unitPrice = QStringLiteral("120");
        in.rate = QStringLiteral("12");
        in.weightDeduction = QStringLiteral("0");
        ticketentry::storeLine(d, true, in, Buyer);
        pause(8);
    }
    if (abandon)
        return;
    ticketentry::TicketHeaderInput h;
    h.number = e.number;
    h.producerCode = QStringLiteral("00001");
    h.issueDate = h.purchaseDate = h.paymentDate = QStringLiteral("2016.03.05");
    h.szja = QStringLiteral("15");
    h.weightDeduction = h.contribution = h.deduction = QStringLiteral("0");
    h.remark = entry;
    const ticketentry::AmountSums sums = ticketentry::readTicketSums(d, e.linesKey);
    const ticketentry::TicketHeaderValues v = ticketentry::headerValues(
        h, Buyer, QStringLiteral("1"), static_cast<qint64>(sums.var * 0.85), sums.var);
    pause(15);
    const QString stored = ticketentry::storeNewTicket(d, v, e.linesKey);
    say(QStringLiteral("STORED %1 %2 %3 %4").arg(entry, e.number, stored).arg(lines));
}

void printOne(TData& d)
{
    const QString number = pick(d, {QStringLiteral("SELECT f_bszam FROM FjFej"),
                                     QStringLiteral("WHERE f_akod = :p1 AND f_prn IS DISTINCT FROM 'I'"),
                                     QStringLiteral("ORDER BY f_bszam")});
    if (!number.isEmpty())
        markTicketPrinted(d, number);
}

void voidOne(TData& d)
{
    const QString voided = pick(d, {QStringLiteral("SELECT f_bszam FROM FjFej"),
                                    QStringLiteral("WHERE f_akod = :p1 AND f_prn = 'I' AND f_tipus = '1'"),
                                    QStringLiteral("AND COALESCE(TRIM(f_ervenyt), '') = ''"),
                                    QStringLiteral("ORDER BY f_bszam")});
    if (voided.isEmpty())
        return;
    const QString shown = reserveVoidingNumber(d);
    pause(15);
    try {
        const QString message = createVoidingTicket(d, voided, shown);
        say(QStringLiteral("VOIDED %1 %2 %3").arg(voided, shown, sharedState().currentTicketNumber));
        Q_UNUSED(message);
    } catch (const VoidingRefused& e) {
        say(QStringLiteral("REFUSED %1 %2").arg(voided, e.message()));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: ticket_workstation DATABASE NAME ITERATIONS SEED\n");
        return 2;
    }
    const QString name = args.at(2);
    const int iterations = args.at(3).toInt();
    QRandomGenerator generator(args.at(4).toUInt());
    rng = &generator;

    SharedState& s = sharedState();
    s.buyerCode = Buyer;
    s.normalTicketType = QStringLiteral("1");
    s.stornoTicketType = QStringLiteral("4");

    TData d;
    d.setDatabaseName(args.at(1));
    try {
        d.open();
        for (int i = 0; i < iterations; ++i) {
            const int r = rng->bounded(100);
            const QString entry = QStringLiteral("%1-e%2").arg(name).arg(i);
            if (r < 50)
                enterTicket(d, entry, false);
            else if (r < 55)
                enterTicket(d, entry, true); // abandoned: the next entry clears its lines
            else if (r < 75)
                printOne(d);
            else
                voidOne(d);
            pause(10);
        }
        // The last abandoned entry's lines are cleared as a new entry would.
        ticketnumbers::clearAbandonedEntries(d, Buyer, QString(), ticketnumbers::entryLinesKey(d),
                                             QStringLiteral("clear"));
        d.closeAtExit();
    } catch (const Error& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
