#include "OldImport.h"

#include "DbError.h"
#include "IndexStatistics.h"
#include "OldImportReader.h"
#include "TData.h"

#include <QDir>
#include <QFile>

namespace zeror::oldimport {

QString summaryText(const ImportSummary& summary)
{
    QString text = QStringLiteral("Beolvasott sorok: %1, letárolva: %2, elutasítva: %3")
                       .arg(summary.read)
                       .arg(summary.stored)
                       .arg(summary.refusedLines.size());
    if (!summary.refusedLines.isEmpty()) {
        QStringList numbers;
        for (int n : summary.refusedLines)
            numbers.append(QString::number(n) + QLatin1Char('.'));
        text += QStringLiteral(" (sor: %1)").arg(numbers.join(QStringLiteral(", ")));
    }
    return text + QLatin1Char('.');
}

QString fileName(Section section)
{
    switch (section) {
    case Section::Producers:
        return QStringLiteral("exposterm.txt");
    case Section::Products:
        return QStringLiteral("exptermek.txt");
    case Section::Buyers:
        break;
    }
    return QStringLiteral("expatvevo.txt");
}

QString endMessage(Section section)
{
    switch (section) {
    case Section::Producers:
        return QStringLiteral("A régi östermelö adatok átemelve");
    case Section::Products:
        return QStringLiteral("A régi termék adatok átemelve");
    case Section::Buyers:
        break;
    }
    return QStringLiteral("A régi átvevö adatok átemelve");
}

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return bytes;
}

namespace {

// The messages of one section: a refused line, and the stop when the transaction fails.
struct SectionTexts
{
    QString lineFailed;
    QString stop;
};

// The line's message: the statement's text, the line and the reason on the lines below.
QString lineMessage(const QString& text, int lineNumber, const QString& reason)
{
    return QStringLiteral("%1\n%2. sor: %3").arg(text).arg(lineNumber).arg(reason);
}

// Stores one record in a transaction of its own. The record's own fault refuses the line before
// the database is asked; start and rollback failures stop the import.
template<class Record>
void storeRecords(TData& data, const QList<Record>& records, const SectionTexts& texts,
                  const ImportCallbacks& callbacks, ImportSummary& summary,
                  const std::function<void(Query&, const Record&)>& bindInsert)
{
    summary.read = static_cast<int>(records.size());
    int done = 0;
    for (const Record& record : records) {
        QString reason = record.fault;
        if (reason.isEmpty()) {
            try {
                if (!data.inTransaction())
                    data.startTransaction();
            } catch (const Error& e) {
                throw Error(texts.stop + QLatin1Char('\n') + e.message());
            }
            try {
                bindInsert(data.ZQ31, record);
                data.ZQ31.exec();
                data.commit();
            } catch (const Error& e) {
                reason = e.message();
                try {
                    data.rollback();
                } catch (const Error& rollbackError) {
                    throw Error(texts.stop + QLatin1Char('\n') + rollbackError.message());
                }
            }
        }
        if (reason.isEmpty()) {
            ++summary.stored;
        } else {
            summary.refusedLines.append(record.lineNumber);
            if (callbacks.message)
                callbacks.message(lineMessage(texts.lineFailed, record.lineNumber, reason));
        }
        if (callbacks.progress)
            callbacks.progress(++done, static_cast<int>(records.size()));
    }
    if (summary.stored > 0)
        refreshStatisticsAfterImport(data);
}

void prepare(Query& q, const QString& insert, const QString& values)
{
    q.close();
    q.clearSql();
    q.clearParams();
    q.addLine(insert);
    q.addLine(values);
}

} // namespace

ImportSummary importProducers(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks)
{
    ImportSummary summary;
    storeRecords<ProducerRecord>(
        dataModule, readProducerFile(content),
        {QStringLiteral("Hiba251: Újban, INSERT az östermelöben "), QStringLiteral("Hiba252!")}, callbacks, summary,
        [](Query& q, const ProducerRecord& r) {
            prepare(q,
                    QStringLiteral("INSERT INTO ostermelo ( o_kod, o_Nev,o_Irszam, o_Helysegnev, o_Utca, o_Adoazon, "
                                   "o_Igszam, o_Regszam, o_Szja, o_Szulhely, o_Szido, o_Anyja, o_Muvktg, o_Csgazd, "
                                   "o_Neme, o_Szulnev, o_TAJ, o_Adoszam, o_Bankszla, o_aKod   ) "),
                    QStringLiteral("VALUES ( :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11, :p12, :p13, "
                                   ":p14, :p15, :p16, :p17, :p18, :p19, :p20 ) "));
            q.setText(QStringLiteral("p1"), r.kod);
            q.setText(QStringLiteral("p2"), r.nev);
            q.setText(QStringLiteral("p3"), r.irszam);
            q.setText(QStringLiteral("p4"), r.helysegnev);
            q.setText(QStringLiteral("p5"), r.utca);
            q.setText(QStringLiteral("p6"), r.adoazon);
            q.setText(QStringLiteral("p7"), r.igszam);
            q.setText(QStringLiteral("p8"), r.regszam);
            q.setInteger(QStringLiteral("p9"), 0);
            q.setText(QStringLiteral("p10"), r.szulhely);
            if (r.szido.isValid())
                q.setDate(QStringLiteral("p11"), r.szido);
            else
                q.setNull(QStringLiteral("p11"));
            q.setText(QStringLiteral("p12"), r.anyja);
            q.setInteger(QStringLiteral("p13"), 0);
            q.setText(QStringLiteral("p14"), r.csgazd);
            q.setText(QStringLiteral("p15"), r.neme);
            q.setText(QStringLiteral("p16"), r.szulnev);
            q.setText(QStringLiteral("p17"), r.taj);
            q.setText(QStringLiteral("p18"), r.adoszam);
            q.setText(QStringLiteral("p19"), r.bankszla);
            q.setText(QStringLiteral("p20"), QStringLiteral("1"));
        });
    return summary;
}

ImportSummary importProducts(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks)
{
    ImportSummary summary;
    storeRecords<ProductRecord>(
        dataModule, readProductFile(content),
        {QStringLiteral("Hiba253: Újban, INSERT a termékben "), QStringLiteral("Hiba254!")}, callbacks, summary,
        [](Query& q, const ProductRecord& r) {
            prepare(q,
                    QStringLiteral("INSERT INTO termek ( t_kod, t_Megnevezes, t_vtsz, t_ear, t_megy, t_Kompmerteke, "
                                   "t_akod   ) "),
                    QStringLiteral("VALUES ( :p1, :p2, :p3, :p4, :p5, :p6, :p7 ) "));
            q.setText(QStringLiteral("p1"), r.kod);
            q.setText(QStringLiteral("p2"), r.megnevezes);
            q.setText(QStringLiteral("p3"), r.vtsz);
            q.setText(QStringLiteral("p4"), r.ear);
            q.setText(QStringLiteral("p5"), r.megy);
            q.setText(QStringLiteral("p6"), r.kompmerteke);
            q.setText(QStringLiteral("p7"), QStringLiteral("1"));
        });
    return summary;
}

ImportSummary importBuyers(TData& dataModule, const QByteArray& content, const ImportCallbacks& callbacks)
{
    const QList<BuyerRecord> records = readBuyerFile(content);
    if (records.isEmpty())
        throw Error(QStringLiteral("Az átvevő file üres, a meglévő átvevők maradnak."));

    try {
        if (!dataModule.inTransaction())
            dataModule.startTransaction();
    } catch (const Error& e) {
        throw Error(QStringLiteral("Hiba256 törléskor!\n") + e.message());
    }
    try {
        Query& q = dataModule.ZQ31;
        q.close();
        q.clearSql();
        q.clearParams();
        q.addLine(QStringLiteral("DELETE FROM atvevo "));
        q.exec();
        dataModule.commit();
    } catch (const Error& e) {
        if (callbacks.message)
            callbacks.message(QStringLiteral("Hiba255: törlés az átvevőben \n") + e.message());
        try {
            dataModule.rollback();
        } catch (const Error& rollbackError) {
            throw Error(QStringLiteral("Hiba256 törléskor!\n") + rollbackError.message());
        }
    }

    ImportSummary summary;
    storeRecords<BuyerRecord>(
        dataModule, records, {QStringLiteral("Hiba257: Újban, INSERT az átvevöben "), QStringLiteral("Hiba258!")},
        callbacks, summary, [](Query& q, const BuyerRecord& r) {
            prepare(q,
                    QStringLiteral("INSERT INTO atvevo ( v_akod, v_neve, v_helyseg, v_utca, v_irszam, v_adoszam ) "),
                    QStringLiteral("VALUES ( :p1, :p2, :p3, :p4, :p5, :p6 ) "));
            q.setText(QStringLiteral("p1"), r.akod);
            q.setText(QStringLiteral("p2"), r.neve);
            q.setText(QStringLiteral("p3"), r.helyseg);
            q.setText(QStringLiteral("p4"), r.utca);
            q.setText(QStringLiteral("p5"), r.irszam);
            q.setText(QStringLiteral("p6"), r.adoszam);
        });
    return summary;
}

ImportSummary importSection(TData& dataModule, Section section, const QByteArray& content,
                            const ImportCallbacks& callbacks)
{
    switch (section) {
    case Section::Producers:
        return importProducers(dataModule, content, callbacks);
    case Section::Products:
        return importProducts(dataModule, content, callbacks);
    case Section::Buyers:
        break;
    }
    return importBuyers(dataModule, content, callbacks);
}

} // namespace zeror::oldimport
