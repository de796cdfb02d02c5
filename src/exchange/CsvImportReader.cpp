#include "CsvImportReader.h"

#include "Formats.h"
#include "OldImportReader.h"

namespace zeror::csvimport {

QDate missingDate()
{
    return QDate(1900, 1, 1);
}

QStringList splitFields(const QString& line)
{
    QStringList fields = line.split(u';');
    for (QString& f : fields)
        f = oldimport::trimBlanks(f);
    return fields;
}

QStringList fileLines(const QByteArray& bytes)
{
    QStringList lines;
    for (const oldimport::SourceLine& line : oldimport::splitLines(bytes))
        lines.append(line.text);
    return lines;
}

bool readDateField(const QString& field, QDate* out)
{
    if (field.size() < 7) {
        *out = missingDate();
        return true;
    }
    return fmt::parseDate(field.left(10), out);
}

QString readTajField(const QString& field)
{
    if (field.size() == 11)
        return field.mid(0, 3) + field.mid(4, 3) + field.mid(8, 3);
    return field.left(9);
}

QString readTaxNumberField(const QString& field)
{
    // Written with hyphens as eight digits, one digit and two digits: the hyphens are dropped.
    // A number typed without them would lose its digits to the positions, so it is kept as typed.
    if (field.size() > 8 && !field.at(8).isDigit())
        return field.mid(0, 8) + field.mid(9, 1) + field.mid(11, 2);
    return field.left(11);
}

QString readBankAccountField(const QString& field)
{
    // Always the full 26 characters: an empty field too is 26 blanks.
    return field.leftJustified(26, u' ', true);
}

CsvProducer readLine(const QString& line)
{
    CsvProducer p;
    if (oldimport::isBlankLine(line)) {
        p.blank = true;
        return p;
    }
    const QStringList fields = splitFields(line);
    if (fields.size() > kMaxFields) {
        p.fault = QStringLiteral("a sorban %1 mező van, legfeljebb %2 lehet").arg(fields.size()).arg(kMaxFields);
        return p;
    }
    // Fields are numbered from 1; a missing one is an empty text.
    const auto field = [&fields](int number) { return number <= fields.size() ? fields.at(number - 1) : QString(); };
    p.nev = field(3).left(45);
    p.irszam = field(4).left(4);
    p.helysegnev = field(5).left(45);
    p.utca = field(6).left(45);
    p.adoazon = field(7).left(10);
    p.igszam = field(8).left(8);
    p.regszam = field(9).left(10);
    p.szulhely = field(11).left(45);
    if (!readDateField(field(12), &p.szido))
        p.fault = QStringLiteral("hibás a születési dátum (%1)").arg(field(12).left(10));
    p.anyja = field(13).left(45);
    p.csgazd = field(14).left(8);
    p.neme = field(15).left(1);
    p.szulnev = field(16).left(45);
    p.taj = readTajField(field(17));
    p.adoszam = readTaxNumberField(field(18));
    p.bankszla = readBankAccountField(field(19));
    if (!readDateField(field(20), &p.ervkelt) && p.fault.isEmpty())
        p.fault = QStringLiteral("hibás az érvényesítés dátuma (%1)").arg(field(20).left(10));
    return p;
}

} // namespace zeror::csvimport
