#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// The import files of the tax form "1608M": one per producer paid in a month, and the list of
// them for the form program's group import. Pure functions over plain values.
namespace zeror::taxsupply {

// The buyer's values an import file carries.
struct ImportBuyer
{
    QString adoszam; // v_Adoszam
    QString adoazon; // v_Adoazon
    QString neve;    // v_Neve
};

// The producer's values an import file carries, as read from the register.
struct ImportProducer
{
    QString kod;      // o_kod
    QString nev;      // o_nev
    QString adoazon;  // o_Adoazon
    QString neme;     // o_Neme
    QString igszam;   // o_Igszam
    QString csgazd;   // o_Csgazd
    QString szulnev;  // o_szulnev
    QString anyja;    // o_anyja
    QString szulhely; // o_Szulhely
    QDate szido;      // o_Szido; invalid when the register has none
};

// The declared period: two dates of the same month number.
struct ImportPeriod
{
    QDate from;
    QDate to;
};

// The pieces of a date's year-first text "yyyy.mm.dd": characters 1-4, 6-7 and 9-10.
QString yearPiece(const QDate& d);
QString monthPiece(const QDate& d);
QString dayPiece(const QDate& d);
// yyyy + mm + dd with nothing between; "" for an invalid date.
QString yyyymmdd(const QDate& d);

// A whole-forint amount as the form program reads it: rounded half away from zero, digits only,
// a leading "-" only when the rounded amount is negative (never "-0").
QString importAmount(double amount);

// "C:\RU2016\" + mm + "\" of the period's first date: the month folder as the operator knows it.
QString monthFolderWindows(const ImportPeriod& period);

// "1608M" + yyyy + mm + "_" + tax identifier + ".imp" (year and month of the first date).
QString importFileName(const ImportPeriod& period, const QString& producerTaxId);

// "1608M_" + yyyy + mm + dd + "_" + mm + dd + ".txt" (the first date in full, then the second's
// month and day).
QString listFileName(const ImportPeriod& period);

// The 27 lines of a producer's import file, without line ends.
QStringList importLines(const ImportBuyer& buyer, const ImportProducer& producer, const ImportPeriod& period,
                        double amount);

// Lines as file bytes: Windows-1250, CR LF after every line (the last too), no byte-order mark.
QByteArray fileBytes(const QStringList& lines);

// The list file's lines: the full names in the given order, a name equal to the line just before
// it left out.
QStringList listLines(const QStringList& fullNames);

} // namespace zeror::taxsupply
