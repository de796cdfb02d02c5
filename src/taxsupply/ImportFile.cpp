#include "ImportFile.h"

#include "Formats.h"
#include "TextHelpers.h"
#include "Win1250.h"

#include <cmath>

namespace zeror::taxsupply {

namespace {

QString piece(const QDate& d, int from, int count)
{
    return fmt::formatDate(d).mid(from, count);
}

} // namespace

QString yearPiece(const QDate& d)
{
    return piece(d, 0, 4);
}

QString monthPiece(const QDate& d)
{
    return piece(d, 5, 2);
}

QString dayPiece(const QDate& d)
{
    return piece(d, 8, 2);
}

QString yyyymmdd(const QDate& d)
{
    return yearPiece(d) + monthPiece(d) + dayPiece(d);
}

QString importAmount(double amount)
{
    if (!std::isfinite(amount))
        return QStringLiteral("0");
    // std::llround rounds halves away from zero; a rounded zero has no sign.
    const long long whole = std::llround(amount);
    return QString::number(whole);
}

QString monthFolderWindows(const ImportPeriod& period)
{
    return QStringLiteral("C:\\RU2016\\") + monthPiece(period.from) + QLatin1Char('\\');
}

QString importFileName(const ImportPeriod& period, const QString& producerTaxId)
{
    return QStringLiteral("1608M") + yearPiece(period.from) + monthPiece(period.from) + QLatin1Char('_') + producerTaxId
           + QStringLiteral(".imp");
}

QString listFileName(const ImportPeriod& period)
{
    return QStringLiteral("1608M_") + yyyymmdd(period.from) + QLatin1Char('_') + monthPiece(period.to)
           + dayPiece(period.to) + QStringLiteral(".txt");
}

QStringList importLines(const ImportBuyer& buyer, const ImportProducer& producer, const ImportPeriod& period,
                        double amount)
{
    const NameSplit name = ujnev(producer.nev);
    const NameSplit birthName = ujnev(producer.szulnev);
    const NameSplit mother = ujnev(producer.anyja);
    return {
        QStringLiteral("$ny_azon=1608M"),
        QStringLiteral("$sorok_száma=26"),
        QStringLiteral("$d_lapok_száma=0"),
        QStringLiteral("$info=") + producer.kod + QLatin1Char('_') + producer.nev + QLatin1Char('_') + producer.adoazon,
        QStringLiteral("13841=") + buyer.adoszam,
        QStringLiteral("13842=") + buyer.adoazon,
        QStringLiteral("13843=") + buyer.neve,
        QStringLiteral("17428="),
        QStringLiteral("17429="),
        QStringLiteral("17430="),
        QStringLiteral("13844=") + producer.adoazon,
        QStringLiteral("13845=") + producer.neme,
        QStringLiteral("13846=HU"),
        QStringLiteral("13848=") + producer.igszam,
        QStringLiteral("13849=") + producer.csgazd,
        QStringLiteral("14807=") + name.head,
        QStringLiteral("14808=") + name.tail,
        QStringLiteral("17052=") + birthName.head,
        QStringLiteral("17053=") + birthName.tail,
        QStringLiteral("17054=") + mother.head,
        QStringLiteral("17055=") + mother.tail,
        QStringLiteral("13854=") + producer.szulhely,
        // A producer without a birth date gets an empty value rather than a made-up day.
        QStringLiteral("13855=") + yyyymmdd(producer.szido),
        QStringLiteral("16697=") + yyyymmdd(period.from),
        QStringLiteral("16698=") + yyyymmdd(period.to),
        QStringLiteral("23790=") + importAmount(amount),
        QStringLiteral("23791=1"),
    };
}

QByteArray fileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += win1250::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList listLines(const QStringList& fullNames)
{
    QStringList lines;
    for (const QString& name : fullNames) {
        if (lines.isEmpty() || lines.back() != name)
            lines.append(name);
    }
    return lines;
}

} // namespace zeror::taxsupply
