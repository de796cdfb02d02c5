#include "TicketPrint.h"

#include "DbError.h"
#include "Formats.h"
#include "PayableAmount.h"
#include "Query.h"
#include "ReportModule.h"
#include "SharedState.h"
#include "TicketNumbering.h"
#include "TData.h"
#include "TicketList.h"

#include <algorithm>
#include <limits>

namespace zeror {

namespace {

const QString Printed = QStringLiteral("I");
const QString SignatureText = QStringLiteral(" a mezögazd. tevék. folytató adóalany aláirása");

// amountInWords takes a 32-bit amount; a payable amount never comes near the limit, but an
// out-of-range value must not wrap around into a wrong word.
qint32 wordsAmount(qint64 p)
{
    const qint64 low = std::numeric_limits<qint32>::min();
    const qint64 high = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::clamp(p, low, high));
}

} // namespace

QString signatureDots()
{
    return QString(77, QLatin1Char('.'));
}

TicketVariables ticketPrintVariables(const TicketPrintInput& in)
{
    const bool transfer = in.utal == u"x";
    PayableInput pin;
    pin.purchasePrice = in.var;
    pin.szjaPercent = in.szjaPercent;
    pin.contributionPercent = in.contributionPercent;
    pin.deduction = in.deduction;
    pin.transfer = transfer;
    const PayableAmount amount = computePayable(pin);
    const qint64 p = amount.payable;
    const QString pText = QString::number(p);
    const QString words = TData::amountInWords(wordsAmount(p));
    const QString paymentDate = fmt::formatDate(in.paymentDate);

    TicketVariables v;
    v << qMakePair(QStringLiteral("v_far"), QVariant(in.far));
    v << qMakePair(QStringLiteral("v_kar"), QVariant(in.kar));
    v << qMakePair(QStringLiteral("v_var"), QVariant(in.var));
    v << qMakePair(QStringLiteral("v_szja"), QVariant(in.szjaPercent));
    v << qMakePair(QStringLiteral("v_szja2"), QVariant(amount.szja));
    v << qMakePair(QStringLiteral("v_jszaz"), QVariant(in.contributionPercent));
    v << qMakePair(QStringLiteral("v_jarul"), QVariant(amount.contribution));
    v << qMakePair(QStringLiteral("v_levon"), QVariant(in.deduction));
    v << qMakePair(QStringLiteral("v_kif"), QVariant(pText));
    v << qMakePair(QStringLiteral("v_azaz"), QVariant(words + QStringLiteral(" 00/100 Forint")));

    if (transfer) {
        v << qMakePair(QStringLiteral("v_fizmod"), QVariant(QStringLiteral("Fizetés módja: Átutalás")));
        v << qMakePair(QStringLiteral("v_utal"), QVariant(QStringLiteral("Átutalás határideje:  ") + paymentDate));
        for (const char* name : {"v_kp1", "v_kp2", "v_kp3", "v_kp4", "v_kp5"})
            v << qMakePair(QString::fromLatin1(name), QVariant(QString()));
    } else {
        v << qMakePair(QStringLiteral("v_fizmod"), QVariant(QStringLiteral("Fizetés módja: Kp.")));
        v << qMakePair(QStringLiteral("v_utal"), QVariant(QStringLiteral(" ")));
        const QString lead = amount.szja > 0 ? QStringLiteral("Az adóelöleggel csökkentett vételár összegét ")
                                             : QStringLiteral("A vételár összegét ");
        v << qMakePair(QStringLiteral("v_kp1"), QVariant(lead + pText + QStringLiteral(" Ft -ot, azaz")));
        v << qMakePair(QStringLiteral("v_kp2"),
                       QVariant(words + QStringLiteral(" 00/100 Forint -ot a mai napon átvettem.")));
        v << qMakePair(QStringLiteral("v_kp3"),
                       QVariant(QStringLiteral("Az összeg átvételének idöpontja:") + paymentDate));
        v << qMakePair(QStringLiteral("v_kp4"), QVariant(signatureDots()));
        v << qMakePair(QStringLiteral("v_kp5"), QVariant(SignatureText));
    }

    if (in.declaration.size() < 6) {
        v << qMakePair(QStringLiteral("v_nyilatk1"), QVariant(QStringLiteral(" ")));
        v << qMakePair(QStringLiteral("v_nyilatk2"), QVariant(QStringLiteral(" ")));
        v << qMakePair(QStringLiteral("v_nyilatk3"), QVariant(QStringLiteral("  ")));
    } else {
        v << qMakePair(QStringLiteral("v_nyilatk1"), QVariant(QStringLiteral("Nyilatkozat: ") + in.declaration.trimmed()));
        v << qMakePair(QStringLiteral("v_nyilatk2"), QVariant(signatureDots()));
        v << qMakePair(QStringLiteral("v_nyilatk3"), QVariant(SignatureText));
    }

    v << qMakePair(QStringLiteral("v_masolat"),
                   QVariant(in.printed.trimmed() == Printed ? QStringLiteral("MÁSOLATI PÉLDÁNY") : QStringLiteral(" ")));

    const bool voiding = in.type.trimmed() != in.normalTicketType.trimmed();
    v << qMakePair(QStringLiteral("v_ervenyteleniti"),
                   QVariant(voiding ? QStringLiteral("Érvényteleníti a ") + in.counterpart.trimmed()
                                          + QStringLiteral(" számú bizonylatot.")
                                    : QString()));
    return v;
}

QVariant ticketVariable(const TicketVariables& vars, const QString& name)
{
    for (const auto& p : vars) {
        if (p.first.compare(name, Qt::CaseInsensitive) == 0)
            return p.second;
    }
    return QVariant();
}

QString ticketTemplateName(const QString& templateVariant)
{
    return QStringLiteral("FjLista7") + templateVariant + QStringLiteral(".frf");
}

TicketPrintInput ticketPrintInput(const Query& listRow, const Query& sums, const QString& normalTicketType)
{
    TicketPrintInput in;
    if (!sums.isEmpty()) {
        in.far = sums.number(QStringLiteral("far"));
        in.kar = sums.number(QStringLiteral("kar"));
        in.var = sums.number(QStringLiteral("var"));
    }
    in.szjaPercent = listRow.number(QStringLiteral("F_SZJA"));
    in.contributionPercent = listRow.number(QStringLiteral("F_JARULSZAZ"));
    in.deduction = listRow.number(QStringLiteral("F_LEVONAS"));
    in.utal = listRow.text(QStringLiteral("f_utal"));
    in.paymentDate = listRow.date(QStringLiteral("f_fizkelt"));
    in.declaration = listRow.text(QStringLiteral("f_nyilatk"));
    in.printed = listRow.text(QStringLiteral("f_prn"));
    in.type = listRow.text(QStringLiteral("F_TIPUS"));
    in.counterpart = listRow.text(QStringLiteral("F_ERVENYT"));
    in.normalTicketType = normalTicketType;
    return in;
}

bool hasSelectedTicket(const TData& data)
{
    return data.ZQ10.isOpen() && !data.ZQ10.isEmpty();
}

TicketPrintout prepareTicketPrintout(TData& data)
{
    Query& list = data.ZQ10;
    SharedState& shared = sharedState();
    const QString number = list.text(QStringLiteral("f_bszam"));
    ReportModule& reports = ReportModule::instance();

    data.ZQ20.close();
    data.ZQ20.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"),
                      QStringLiteral("WHERE ( s_bszam = :p0 ) AND ( s_akod = :p2 )")});
    data.ZQ20.setText(QStringLiteral("p0"), number);
    data.ZQ20.setText(QStringLiteral("p2"), shared.buyerCode);
    data.ZQ20.open();

    data.ZQ30.close();
    data.ZQ30.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM ostermelo"), QStringLiteral("WHERE o_kod = :p0")});
    data.ZQ30.setText(QStringLiteral("p0"), list.text(QStringLiteral("f_ostermkod")));
    data.ZQ30.open();
    data.ost_utca();
    reports.setVariable(QStringLiteral("v_ostermeloutca"), shared.producerStreetLine);

    data.ZQ60.close();
    data.ZQ60.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM atvevo"), QStringLiteral("WHERE v_akod = :p0")});
    data.ZQ60.setText(QStringLiteral("p0"), shared.buyerCode);
    data.ZQ60.open();
    data.atv_utca();
    reports.setVariable(QStringLiteral("v_atvevoutca"), shared.buyerStreetLine);

    data.ZQ21.close();
    data.ZQ21.setSql({QStringLiteral("SELECT s_bszam,"), QStringLiteral("SUM(s_Felvar)    AS far,"),
                      QStringLiteral("SUM(s_Kompfelar) AS kar,"), QStringLiteral("SUM(s_Vetelar)   AS var"),
                      QStringLiteral("FROM Fjsor"),
                      QStringLiteral("LEFT JOIN Fjfej ON FjFej.f_bszam = Fjsor.s_bszam AND s_akod = f_akod"),
                      QStringLiteral("WHERE ( s_Bszam= :p1 ) AND ( s_akod = :p2 )"), QStringLiteral("GROUP BY s_Bszam")});
    data.ZQ21.setText(QStringLiteral("p1"), number);
    data.ZQ21.setText(QStringLiteral("p2"), shared.buyerCode);
    data.ZQ21.open();

    data.ZQ11.close();
    data.ZQ11.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM Fjfej"),
                      QStringLiteral("WHERE ( f_Bszam= :p1 ) AND ( f_akod = :p2 )")});
    data.ZQ11.setText(QStringLiteral("p1"), number);
    data.ZQ11.setText(QStringLiteral("p2"), shared.buyerCode);
    data.ZQ11.open();

    const TicketVariables vars = ticketPrintVariables(ticketPrintInput(list, data.ZQ21, shared.normalTicketType));
    for (const auto& v : vars)
        reports.setVariable(v.first, v.second);

    TicketPrintout out;
    out.number = number;
    out.printing = shared.printAction == u"Nyomtat";
    out.templateFile = ticketTemplateName(shared.templateVariant);
    out.markPrinted = out.printing && list.text(QStringLiteral("f_prn")).trimmed() != Printed;
    return out;
}

void checkTemplateLoads(const QString& templateFile)
{
    report::Report probe;
    QString error;
    if (!probe.loadFromFile(templateFile, &error))
        throw Error(error);
}

void markTicketPrinted(TData& data, const QString& number)
{
    const QString failure = QStringLiteral("Hiba81: prn UPDATE Fjfej-be ");
    // Another workstation voiding the ticket holds its lock a moment: the flag is tried again.
    ticketnumbers::withRetries([&](bool lastAttempt) {
        try {
            if (!data.inTransaction())
                data.startTransaction();
        } catch (const DbError& e) {
            throw WriteError(WriteError::Stage::Start, failure, e.message());
        }
        try {
            Query& q = data.ZQ31;
            q.close();
            q.setSql({QStringLiteral("UPDATE Fjfej SET f_prn = :p2"),
                      QStringLiteral("WHERE ( f_Bszam = :p1 ) AND ( f_akod = :p3 )")});
            q.setText(QStringLiteral("p2"), Printed);
            q.setText(QStringLiteral("p1"), number);
            q.setText(QStringLiteral("p3"), sharedState().buyerCode);
            q.exec();
            data.commit();
        } catch (const DbError& e) {
            data.rollback();
            if (!lastAttempt && ticketnumbers::isConflict(e))
                throw;
            throw WriteError(WriteError::Stage::Statement, failure, e.message());
        } catch (const Error& e) {
            data.rollback();
            throw WriteError(WriteError::Stage::Statement, failure, e.message());
        }
    });
}

} // namespace zeror
