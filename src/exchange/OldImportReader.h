#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// Readers of the previous version's fixed-column export files ("exposterm.txt", "exptermek.txt",
// "expatvevo.txt"). They only turn bytes into records: any input gives records (or none), never
// a crash, and a line whose values cannot be stored carries the reason in `fault` instead of a
// half-filled record.
namespace zeror::oldimport {

// One line of a text file: its number counted from 1 and its text.
struct SourceLine
{
    int number = 0;
    QString text;
};

// Decodes Windows-1250 bytes and splits them into lines at CR LF, LF or CR; a line break at the
// very end does not open an empty last line.
QList<SourceLine> splitLines(const QByteArray& bytes);

// True for a line of blanks only (or empty); such lines hold no record and are skipped.
bool isBlankLine(const QString& text);

// Removes leading and trailing blanks and control characters.
QString trimBlanks(const QString& text);

// The characters at positions first..last (counted from 1) of a line; what lies beyond the end
// of a short line is simply missing.
QString columns(const QString& line, int first, int last);

// The widths of the code columns (O_KOD, T_KOD).
constexpr int kCodeWidth = 5;

// The code an old line gets: "1" followed by positions 2 to 6 with the trailing blanks removed
// (the column keeps no more than five characters). A code that is still longer than five
// characters is not shortened: the line is refused with the reason in *fault.
QString importedCode(const QString& line, QString* fault);

struct ProducerRecord
{
    int lineNumber = 0;
    QString kod, nev, irszam, helysegnev, utca, adoazon, igszam, regszam, szulhely;
    QDate szido; // invalid: stored as null
    QString anyja, csgazd, neme, szulnev, taj, adoszam, bankszla;
    QString fault; // not empty: the line is refused for this reason
};

struct ProductRecord
{
    int lineNumber = 0;
    QString kod, megnevezes, vtsz, ear, megy, kompmerteke;
    QString fault;
};

struct BuyerRecord
{
    int lineNumber = 0;
    QString akod, neve, helyseg, utca, irszam, adoszam;
    QString fault;
};

ProducerRecord readProducerLine(const QString& line, int lineNumber);
ProductRecord readProductLine(const QString& line, int lineNumber);
BuyerRecord readBuyerLine(const QString& line, int lineNumber);

// Whole files: one record per line that is not blank, in file order.
QList<ProducerRecord> readProducerFile(const QByteArray& bytes);
QList<ProductRecord> readProductFile(const QByteArray& bytes);
QList<BuyerRecord> readBuyerFile(const QByteArray& bytes);

} // namespace zeror::oldimport
