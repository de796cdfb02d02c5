#include "CsvImport.h"

#include "CsvImportReader.h"
#include "DbError.h"
#include "IndexStatistics.h"
#include "TData.h"

namespace zeror::csvimport {

namespace {
const QString kLineFailed = QStringLiteral("Hiba301: Újban, INSERT az östermelöben ");
}

QStringList instructions()
{
    return {
        QStringLiteral("Excelből készített \"csv\" -s file -t kell megadni"),
        QStringLiteral("Feldolgozás vége üzenet ablakig kell várni."),
        QStringLiteral("Excelben a mező szélességet a leghosszabb mezőszélessségre beállítani."),
        QStringLiteral("Excelben a szül.dat -ot \"dátum\" mezőre á a többi \"szöveg\" mező"),
    };
}

QStringList loadFileLines(const QString& path)
{
    return fileLines(oldimport::readWholeFile(path));
}

ImportSummary importLines(TData& dataModule, const QStringList& lines, const ImportCallbacks& callbacks)
{
    ImportSummary summary;
    const int total = static_cast<int>(lines.size());
    for (int i = 0; i < total; ++i) {
        const CsvProducer p = readLine(lines.at(i));
        if (!p.blank) {
            ++summary.read;
            QString reason = p.fault;
            if (reason.isEmpty()) {
                try {
                    if (!dataModule.inTransaction())
                        dataModule.startTransaction();
                    Query& q = dataModule.ZQ31;
                    q.close();
                    q.clearSql();
                    q.clearParams();
                    q.addLine(QStringLiteral(
                        "INSERT INTO ostermelo (         o_Nev,o_Irszam, o_Helysegnev, o_Utca, o_Adoazon, o_Igszam, "
                        "o_Regszam, o_Szulhely, o_Szido, o_Anyja, o_Csgazd, o_Neme, o_Szulnev, o_TAJ, o_Adoszam, "
                        "o_Bankszla, O_ERVKELT    ) "));
                    q.addLine(QStringLiteral("VALUES ( :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p11, :p12, :p13, :p14, "
                                             ":p15, :p16, :p17, :p18, :p19, :p20 ) "));
                    q.setText(QStringLiteral("p3"), p.nev);
                    q.setText(QStringLiteral("p4"), p.irszam);
                    q.setText(QStringLiteral("p5"), p.helysegnev);
                    q.setText(QStringLiteral("p6"), p.utca);
                    q.setText(QStringLiteral("p7"), p.adoazon);
                    q.setText(QStringLiteral("p8"), p.igszam);
                    q.setText(QStringLiteral("p9"), p.regszam);
                    q.setText(QStringLiteral("p11"), p.szulhely);
                    q.setDate(QStringLiteral("p12"), p.szido);
                    q.setText(QStringLiteral("p13"), p.anyja);
                    q.setText(QStringLiteral("p14"), p.csgazd);
                    q.setText(QStringLiteral("p15"), p.neme);
                    q.setText(QStringLiteral("p16"), p.szulnev);
                    q.setText(QStringLiteral("p17"), p.taj);
                    q.setText(QStringLiteral("p18"), p.adoszam);
                    q.setText(QStringLiteral("p19"), p.bankszla);
                    q.setDate(QStringLiteral("p20"), p.ervkelt);
                    q.exec();
                    dataModule.commit();
                } catch (const Error& e) {
                    reason = e.message();
                    try {
                        dataModule.rollback();
                    } catch (const Error&) {
                        // Nothing of this line is left to undo; the next line starts afresh.
                    }
                }
            }
            if (reason.isEmpty()) {
                ++summary.stored;
            } else {
                summary.refusedLines.append(i + 1);
                if (callbacks.message)
                    callbacks.message(QStringLiteral("%1\n%2. sor: %3").arg(kLineFailed).arg(i + 1).arg(reason));
            }
        }
        if (callbacks.progress)
            callbacks.progress(i + 1, total);
    }
    if (summary.stored > 0)
        refreshStatisticsAfterImport(dataModule);
    return summary;
}

void openProducerList(TData& dataModule)
{
    Query& q = dataModule.ZQ30;
    q.close();
    q.clearSql();
    q.clearParams();
    q.addLine(QStringLiteral("SELECT *            "));
    q.addLine(QStringLiteral("       FROM ostermelo "));
    q.open();
    q.last();
}

} // namespace zeror::csvimport
