#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// Reader of the producer list saved from a spreadsheet as semicolon-separated text. It turns a
// line into the values of one producer (cut to the column widths, dates read, the grouped TAJ
// and the hyphenated tax number joined), or into a refusal with its reason; any input gives a
// result, never a crash.
namespace zeror::csvimport {

// A line holds at most this many fields; a longer line is refused.
constexpr int kMaxFields = 25;

// The date stored for a missing or short date field.
QDate missingDate();

// Splits a line at every ";" and trims each field of blanks; the end of the line closes the last
// field, so "a;" gives two fields.
QStringList splitFields(const QString& line);

// The lines of a file in Windows-1250: CR LF, LF or CR end a line; a final line break does not
// open an empty line.
QStringList fileLines(const QByteArray& bytes);

struct CsvProducer
{
    bool blank = false; // a line of blanks only: no producer, nothing to store
    QString nev, irszam, helysegnev, utca, adoazon, igszam, regszam, szulhely;
    QDate szido;
    QString anyja, csgazd, neme, szulnev, taj, adoszam, bankszla;
    QDate ervkelt;
    QString fault; // not empty: the line is refused for this reason
};

// The date of a date field: shorter than 7 characters gives missingDate(), otherwise its first
// 10 characters read year first; false when they are not a date.
bool readDateField(const QString& field, QDate* out);
// "123 456 789" (exactly 11 characters) -> "123456789"; otherwise the first 9 characters.
QString readTajField(const QString& field);
// "12345678-1-23" -> "12345678123"; a number written without hyphens keeps its first 11 characters.
QString readTaxNumberField(const QString& field);
// The field padded with blanks (or cut) to exactly 26 characters.
QString readBankAccountField(const QString& field);

CsvProducer readLine(const QString& line);

} // namespace zeror::csvimport
