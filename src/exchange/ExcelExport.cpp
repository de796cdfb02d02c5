#include "ExcelExport.h"

#include "AppSettings.h"
#include "Clock.h"
#include "Error.h"
#include "Query.h"

#include <QDir>
#include <QSaveFile>

namespace zeror::excel {

QStringList ticketSql(DateKind kind)
{
    return {
        QStringLiteral("SELECT f_fizkelt, f_felvkelt, f_kelt, f_ostermkod, o_nev,  s_Bszam, s_megnevezes, s_netto, s_megy, s_ear, s_kompmerteke, f_szja,  "),
        QStringLiteral("  o_Adoazon, o_Adoszam,  o_TAJ, o_Igszam, o_Regszam, o_Csgazd, o_Helysegnev, o_Utca, o_Bankszla, f_muvktg "),
        QStringLiteral("  FROM fjsor                              "),
        // The buyer is part of the match: two buyers may use the same ticket numbers.
        QStringLiteral("  LEFT JOIN fjfej     ON s_bszam     = f_bszam AND s_akod = f_akod "),
        QStringLiteral("  LEFT JOIN ostermelo ON f_ostermkod = o_kod   "),
        kind == DateKind::Payment
            ? QStringLiteral("  WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3) ")
            : QStringLiteral("  WHERE (f_felvkelt >= :p1 AND f_felvkelt <= :p2) AND (f_akod = :p3) "),
        QStringLiteral("  ORDER BY s_Bszam "),
    };
}

QStringList producerSql()
{
    return {
        QStringLiteral("SELECT O_NEV, O_IRSZAM, o_Helysegnev, o_Utca, O_SZULNEV, O_SZULHELY, O_SZIDO, O_ANYJA, O_NEME, o_Adoazon, o_Adoszam, o_TAJ, o_Igszam, o_Regszam, o_Csgazd, o_Bankszla "),
        QStringLiteral("  FROM ostermelo "),
        QStringLiteral("  ORDER BY o_Nev COLLATE PXW_HUN "),
    };
}

xls::Layout ticketLayout()
{
    using xls::Align;
    xls::Layout layout;
    layout.columns = {
        {QStringLiteral("F_FIZKELT"), 12, Align::Left},     {QStringLiteral("F_FELVKELT"), 12, Align::Left},
        {QStringLiteral("F_KELT"), 12, Align::Left},        {QStringLiteral("F_OSTERMKOD"), 10, Align::Left},
        {QStringLiteral("O_NEV"), 45, Align::Left},         {QStringLiteral("S_BSZAM"), 15, Align::Left},
        {QStringLiteral("S_MEGNEVEZES"), 45, Align::Left},  {QStringLiteral("S_NETTO"), 15, Align::Right},
        {QStringLiteral("S_MEGY"), 15, Align::Left},        {QStringLiteral("S_EAR"), 15, Align::Right},
        {QStringLiteral("S_KOMPMERTEKE"), 5, Align::Right}, {QStringLiteral("F_SZJA"), 5, Align::Right},
        {QStringLiteral("O_ADOAZON"), 15, Align::Left},     {QStringLiteral("O_ADOSZAM"), 17, Align::Left},
        {QStringLiteral("O_TAJ"), 15, Align::Left},         {QStringLiteral("O_IGSZAM"), 10, Align::Left},
        {QStringLiteral("O_REGSZAM"), 15, Align::Left},     {QStringLiteral("O_CSGAZD"), 12, Align::Left},
        {QStringLiteral("O_HELYSEGNEV"), 45, Align::Left},  {QStringLiteral("O_UTCA"), 45, Align::Left},
        {QStringLiteral("O_BANKSZLA"), 30, Align::Left},    {QStringLiteral("F_MUVKTG"), 15, Align::Left},
    };
    layout.boldTitleCells = 39; // A1 to AM1
    return layout;
}

xls::Layout producerLayout()
{
    using xls::Align;
    xls::Layout layout;
    layout.columns = {
        {QStringLiteral("O_NEV"), 45, Align::Left},        {QStringLiteral("O_IRSZAM"), 4, Align::Left},
        {QStringLiteral("O_HELYSEGNEV"), 45, Align::Left}, {QStringLiteral("O_UTCA"), 45, Align::Left},
        {QStringLiteral("O_SZULNEV"), 45, Align::Left},    {QStringLiteral("O_SZULHELY"), 45, Align::Left},
        {QStringLiteral("O_SZIDO"), 20, Align::Left},      {QStringLiteral("O_ANYJA"), 45, Align::Left},
        {QStringLiteral("O_NEME"), 3, Align::Left},        {QStringLiteral("O_ADOAZON"), 15, Align::Left},
        {QStringLiteral("O_ADOSZAM"), 15, Align::Left},    {QStringLiteral("O_TAJ"), 15, Align::Left},
        {QStringLiteral("O_IGSZAM"), 10, Align::Left},     {QStringLiteral("O_REGSZAM"), 15, Align::Left},
        {QStringLiteral("O_CSGAZD"), 12, Align::Left},     {QStringLiteral("O_BANKSZLA"), 30, Align::Left},
    };
    layout.boldTitleCells = 16; // A1 to P1
    return layout;
}

QDate defaultPeriodStart()
{
    return QDate(clock::today().year(), 1, 1);
}

QDate defaultPeriodEnd()
{
    return QDate(clock::today().year(), 12, 31);
}

void gatherTickets(Query& query, const QDate& from, const QDate& to, DateKind kind, const QString& buyerCode)
{
    query.close();
    query.setSql(ticketSql(kind));
    query.setDate(QStringLiteral("p1"), from);
    query.setDate(QStringLiteral("p2"), to);
    query.setText(QStringLiteral("p3"), buyerCode);
    query.open();
}

void gatherProducers(Query& query)
{
    query.close();
    query.setSql(producerSql());
    query.open();
}

QString exportFolder()
{
    const QString chosen = settings::value(QStringLiteral("excel/folder")).toString();
    return chosen.isEmpty() ? QDir::currentPath() : chosen;
}

void setExportFolder(const QString& folder)
{
    settings::setValue(QStringLiteral("excel/folder"), QDir::cleanPath(folder));
}

void writeWorkbook(const Query& query, const xls::Layout& layout, const QString& filePath, const Progress& progress)
{
    QSaveFile file(filePath);
    try {
        if (!file.open(QIODevice::WriteOnly))
            throw Error(file.errorString());
        const int rows = query.rowCount();
        const int columns = static_cast<int>(layout.columns.size());
        // The title row names the result columns as the database reports them.
        xls::Layout titled = layout;
        const QStringList names = query.fieldNames();
        if (names.size() == columns) {
            for (int c = 0; c < columns; ++c)
                titled.columns[c].title = names.at(c);
        }
        xls::WorkbookWriter writer(file, titled, rows);
        QList<QVariant> values(columns);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c)
                values[c] = query.valueAt(r, c);
            writer.addRow(values);
            if (progress)
                progress(r + 1, rows);
        }
        writer.finish();
        if (!file.commit())
            throw Error(file.errorString());
    } catch (const Error&) {
        file.cancelWriting();
        throw Error(kSaveFailedMessage);
    }
}

} // namespace zeror::excel
