#include "MonthCollection.h"

#include "DbError.h"
#include "TData.h"
#include "WinPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <filesystem>
#include <system_error>

namespace zeror::taxsupply {

namespace {

const QString kWherePeriod = QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)");

void bindPeriod(Query& q, const QString& buyerCode, const ImportPeriod& period)
{
    q.setDate(QStringLiteral("p1"), period.from);
    q.setDate(QStringLiteral("p2"), period.to);
    q.setText(QStringLiteral("p3"), buyerCode);
}

ImportBuyer readBuyer(TData& data, const QString& buyerCode)
{
    Query& q = data.ZQ60;
    q.close();
    q.setSql({QStringLiteral("SELECT *"), QStringLiteral("FROM atvevo"), QStringLiteral("WHERE v_akod = :p0")});
    q.setText(QStringLiteral("p0"), buyerCode);
    q.open();
    ImportBuyer buyer;
    buyer.adoszam = q.text(QStringLiteral("v_Adoszam"));
    buyer.adoazon = q.text(QStringLiteral("v_Adoazon"));
    buyer.neve = q.text(QStringLiteral("v_Neve"));
    return buyer;
}

QString readGrandTotal(TData& data, const QString& buyerCode, const ImportPeriod& period)
{
    Query& q = data.ZQ20;
    q.close();
    q.setSql({QStringLiteral("SELECT f_akod,   SUM(f_muvktg) AS  m_osszesen"), QStringLiteral("FROM fjfej"),
              kWherePeriod, QStringLiteral("GROUP BY f_akod")});
    bindPeriod(q, buyerCode, period);
    q.open();
    return importAmount(q.isEmpty() ? 0.0 : q.number(QStringLiteral("m_osszesen")));
}

struct PaidRow
{
    QString code;
    double amount = 0;
};

// The producers paid in the period, by code; ZQ20 stays open on them for the screen's grid.
QList<PaidRow> readPaidRows(TData& data, const QString& buyerCode, const ImportPeriod& period)
{
    openPaidProducers(data, buyerCode, period);
    Query& q = data.ZQ20;
    QList<PaidRow> rows;
    for (q.first(); !q.eof(); q.next()) {
        const QString code = q.text(QStringLiteral("f_ostermkod"));
        const double amount = q.number(QStringLiteral("kifizetett"));
        if (!rows.isEmpty() && rows.back().code == code)
            rows.back().amount += amount;
        else
            rows.append({code, amount});
    }
    q.first();
    return rows;
}

// Every producer paid in the period, read in one statement; the first row of a code counts.
QHash<QString, ImportProducer> readPaidProducers(TData& data, const QString& buyerCode, const ImportPeriod& period)
{
    Query& q = data.ZQ21;
    q.close();
    q.setSql({QStringLiteral("SELECT o.*"), QStringLiteral("FROM ostermelo o"),
              QStringLiteral("JOIN (SELECT DISTINCT f_ostermkod FROM fjfej"), QStringLiteral("      ") + kWherePeriod
                  + QStringLiteral(") p"),
              QStringLiteral("  ON p.f_ostermkod = o.o_kod"), QStringLiteral("ORDER BY o.o_kod, o.id_ostermelo")});
    bindPeriod(q, buyerCode, period);
    q.open();
    QHash<QString, ImportProducer> producers;
    for (q.first(); !q.eof(); q.next()) {
        ImportProducer p;
        p.kod = q.text(QStringLiteral("o_kod"));
        if (producers.contains(p.kod))
            continue;
        p.nev = q.text(QStringLiteral("o_nev"));
        p.adoazon = q.text(QStringLiteral("o_Adoazon"));
        p.neme = q.text(QStringLiteral("o_Neme"));
        p.igszam = q.text(QStringLiteral("o_Igszam"));
        p.csgazd = q.text(QStringLiteral("o_Csgazd"));
        p.szulnev = q.text(QStringLiteral("o_szulnev"));
        p.anyja = q.text(QStringLiteral("o_anyja"));
        p.szulhely = q.text(QStringLiteral("o_Szulhely"));
        p.szido = q.date(QStringLiteral("o_Szido"));
        producers.insert(p.kod, p);
    }
    return producers;
}

QString describe(const ImportProducer& p)
{
    return p.kod + QLatin1Char(' ') + p.nev;
}

// Refuses the run when a paid producer is missing from the register or has no tax
// identifier, or when two share one: their files would have the same name and one would be lost.
void checkFileNames(const QList<PaidRow>& rows, const QHash<QString, ImportProducer>& producers)
{
    QStringList faults;
    QHash<QString, QString> owners; // tax identifier -> the producer that claimed it
    for (const PaidRow& row : rows) {
        const auto found = producers.constFind(row.code);
        if (found == producers.constEnd()) {
            faults.append(QStringLiteral("Nincs ilyen kódú őstermelő a nyilvántartásban: ") + row.code);
            continue;
        }
        const QString taxId = found->adoazon.trimmed();
        if (taxId.isEmpty()) {
            faults.append(QStringLiteral("Nincs adóazonosító jele: ") + describe(*found));
            continue;
        }
        const auto owner = owners.constFind(taxId);
        if (owner != owners.constEnd()) {
            faults.append(QStringLiteral("Azonos az adóazonosító jele (%1): %2 és %3")
                              .arg(taxId, *owner, describe(*found)));
            continue;
        }
        owners.insert(taxId, describe(*found));
    }
    if (!faults.isEmpty())
        throw Error(QStringLiteral("Javitandó! ") + faults.join(QStringLiteral("\n"))
                    + QStringLiteral("\nNem készült import fájl."));
}

// Creates the folder when missing; true when it had to be made.
bool ensureFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return false;
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Nem hozható létre a könyvtár: ") + QDir::toNativeSeparators(folder));
    return true;
}

// Deletes every file of the folder whatever its name or attributes; one that resists is skipped.
int emptyFolder(const QString& folder)
{
    int deleted = 0;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (!QFile::remove(path)) {
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
            if (!QFile::remove(path))
                continue;
        }
        ++deleted;
    }
    return deleted;
}

// Writes the file under a temporary name and renames it into place once complete, so an
// interrupted run never leaves a file that looks whole. (QSaveFile would also flush every file to
// the disk one by one, which makes a month of 900 producers take seconds.)
void writeWhole(const QString& path, const QByteArray& bytes)
{
    const QString temporary = path + QStringLiteral(".part");
    QFile file(temporary);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
                         && file.flush();
    const QString reason = file.errorString();
    file.close();
    std::error_code ec;
    if (written)
        std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                                std::filesystem::path(path.toStdU16String()), ec);
    if (!written || ec) {
        QFile::remove(temporary);
        throw Error(QStringLiteral("Nem írható a fájl: %1\n%2")
                        .arg(QDir::toNativeSeparators(path), written ? QString::fromStdString(ec.message()) : reason));
    }
}

} // namespace

std::optional<Fault<PeriodField>> checkMonth(const ImportPeriod& period, MonthCheckTrigger trigger)
{
    if (monthPiece(period.from) == monthPiece(period.to) && period.from.isValid())
        return std::nullopt;
    const QString message = trigger == MonthCheckTrigger::LeavingSecondDate
                                ? QStringLiteral("Hiba111! Csak egy hónap intervallum lehet.")
                                : QStringLiteral("Hiba112! Csak egy hónap intervallum lehet.");
    return Fault<PeriodField>{message, PeriodField::To};
}

QString monthFolder(const ImportPeriod& period)
{
    return paths::localPath(monthFolderWindows(period));
}

CollectOutcome collectMonth(TData& data, const QString& buyerCode, const ImportPeriod& period,
                            const Progress& progress)
{
    return collectMonth(data, buyerCode, period, monthFolder(period), progress);
}

CollectOutcome collectMonth(TData& data, const QString& buyerCode, const ImportPeriod& period, const QString& folder,
                            const Progress& progress)
{
    if (const auto fault = checkMonth(period, MonthCheckTrigger::OkButton))
        throw Error(fault->message);

    CollectOutcome outcome;
    const ImportBuyer buyer = readBuyer(data, buyerCode);
    outcome.grandTotal = readGrandTotal(data, buyerCode, period);
    const QHash<QString, ImportProducer> producers = readPaidProducers(data, buyerCode, period);
    const QList<PaidRow> rows = readPaidRows(data, buyerCode, period);
    checkFileNames(rows, producers);

    outcome.folder = folder;
    outcome.folderCreated = ensureFolder(outcome.folder);
    outcome.deletedFiles = emptyFolder(outcome.folder);

    const QDir dir(outcome.folder);
    const int total = int(rows.size());
    for (int i = 0; i < total; ++i) {
        const ImportProducer& producer = producers[rows[i].code];
        const QString path = QDir::toNativeSeparators(dir.filePath(importFileName(period, producer.adoazon)));
        writeWhole(path, fileBytes(importLines(buyer, producer, period, rows[i].amount)));
        outcome.importFiles.append(path);
        if (!producer.szido.isValid())
            outcome.withoutBirthDate.append(describe(producer));
        if (progress)
            progress(i + 1, total);
    }
    outcome.listFile = QDir::toNativeSeparators(dir.filePath(listFileName(period)));
    writeWhole(outcome.listFile, fileBytes(listLines(outcome.importFiles)));
    return outcome;
}

QString collectNotes(const CollectOutcome& outcome)
{
    QStringList notes;
    if (outcome.folderCreated)
        notes.append(QStringLiteral("A könyvtár nem létezett, létrehozva: ") + QDir::toNativeSeparators(outcome.folder));
    if (!outcome.withoutBirthDate.isEmpty())
        notes.append(QStringLiteral("Figyelem! Születési dátum nélkül (üres 13855= sorral) került az importba:\n")
                     + outcome.withoutBirthDate.join(QLatin1Char('\n')));
    return notes.join(QStringLiteral("\n\n"));
}

void clearGrid(TData& data)
{
    Query& q = data.ZQ20;
    q.close();
    q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  fjsor"), QStringLiteral("WHERE s_bszam = :p1")});
    q.setText(QStringLiteral("p1"), QStringLiteral(" "));
    q.open();
}

void openPaidProducers(TData& data, const QString& buyerCode, const ImportPeriod& period)
{
    Query& q = data.ZQ20;
    q.close();
    q.setSql({QStringLiteral("SELECT f_ostermkod,"), QStringLiteral("SUM(f_muvktg) AS  kifizetett"),
              QStringLiteral("FROM fjFej"), kWherePeriod, QStringLiteral("GROUP BY f_ostermkod"),
              QStringLiteral("ORDER BY f_ostermkod")});
    bindPeriod(q, buyerCode, period);
    q.open();
}

void prepareSummary(TData& data, const QString& buyerCode, const ImportPeriod& period)
{
    Query& q = data.ZQ20;
    q.close();
    q.setSql({QStringLiteral("SELECT f_ostermkod, SUM(f_muvktg)  AS  m_vetelar,"),
              QStringLiteral("o_nev, o_Igszam, o_Adoazon"), QStringLiteral("FROM fjfej"),
              QStringLiteral("LEFT JOIN ostermelo ON f_ostermkod = o_kod"), kWherePeriod,
              QStringLiteral("GROUP BY f_ostermkod, o_nev, o_Igszam, o_Adoazon")});
    bindPeriod(q, buyerCode, period);
    q.open();
}

} // namespace zeror::taxsupply
