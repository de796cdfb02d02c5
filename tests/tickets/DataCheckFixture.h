#pragma once

// The data-check fixture: producers with a wrong tax number, without a birth date and with short
// identifiers; tickets of buyer 00001 paid on 2016.03.13 (three lines of rates 7, 12 and 0, an
// unprinted ticket with a zero quantity, a voiding ticket and its original, a ticket of a producer
// missing from the register) and a ticket of buyer 00002 under an overlapping number.

#include "TicketTestData.h"

#include <QFile>
#include <QStringList>

namespace zeror::test {

inline void insertDataCheckProducer(TestDatabase& db, const QString& code, const QString& name,
                                    const QString& taxNumber, const QString& taxId, const QString& taj,
                                    const QString& birthPlace, const QString& birthDate)
{
    db.exec(QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_igszam, o_adoszam, "
                           "o_adoazon, o_taj, o_szulhely, o_szido, o_anyja, o_neme, o_szulnev, o_szja) VALUES "
                           "(%1, %2, '6000', 'Kecskemét', 'Petőfi Sándor', '123456', %3, %4, %5, %6, %7, "
                           "'Nagy Mária', '1', %2, 15)")
                .arg(lit(code), lit(name), lit(taxNumber), lit(taxId), lit(taj),
                     birthPlace.isNull() ? QStringLiteral("NULL") : lit(birthPlace),
                     birthDate.isNull() ? QStringLiteral("NULL") : QStringLiteral("DATE '%1'").arg(birthDate)));
}

inline void fillDataCheckFixture(TestDatabase& db)
{
    // Producer 00001 of the fresh database is valid in every column.
    insertDataCheckProducer(db, QStringLiteral("00011"), QStringLiteral("Rossz Adószám Péter"),
                            QStringLiteral("12345678203"), QStringLiteral("8526018159"), QStringLiteral("366712768"),
                            QStringLiteral("Kecskemét"), QStringLiteral("1962-04-11"));
    insertDataCheckProducer(db, QStringLiteral("00012"), QStringLiteral("Dátum Nélküli Anna"),
                            QStringLiteral("43231940213"), QStringLiteral("8526018159"), QStringLiteral("366712768"),
                            QStringLiteral("Szeged"), QString());
    insertDataCheckProducer(db, QStringLiteral("00013"), QStringLiteral("Hiányos Béla"), QStringLiteral(" 4323194 "),
                            QStringLiteral("852601815 "), QStringLiteral("36671276"), QString(),
                            QStringLiteral("1958-01-30"));

    TestTicket t1;
    t1.number = QStringLiteral("20160001");
    t1.producer = QStringLiteral("00011");
    t1.printed = QStringLiteral("I");
    t1.lines = {{"Búza", 100, 50, 7}, {"Kukorica", 200, 40, 12}, {"Méz", 50, 1000, 0}};
    insertTicket(db, t1);

    TestTicket t2;
    t2.number = QStringLiteral("20160002");
    t2.producer = QStringLiteral("00012");
    t2.lines = {{"Búza", 0, 50, 7}, {"Kukorica", 20, 40, 12}};
    insertTicket(db, t2);

    TestTicket original;
    original.number = QStringLiteral("20160003");
    original.printed = QStringLiteral("I");
    original.counterpart = QStringLiteral("20160004");
    original.lines = {{"Alma", 10, 65, 12}};
    insertTicket(db, original);

    TestTicket voiding = original;
    voiding.number = QStringLiteral("20160004");
    voiding.type = QStringLiteral("4");
    voiding.counterpart = QStringLiteral("20160003");
    voiding.lines = {{"Alma", -10, 65, 12}};
    insertTicket(db, voiding);

    TestTicket unknown;
    unknown.number = QStringLiteral("20160005");
    unknown.producer = QStringLiteral("00099");
    unknown.printed = QStringLiteral("I");
    unknown.lines = {{"Paprika", 5, 180, 12}};
    insertTicket(db, unknown);

    // Another buyer's ticket under the same number: never part of buyer 00001's check.
    TestTicket other;
    other.number = QStringLiteral("20160001");
    other.buyer = QStringLiteral("00002");
    other.producer = QStringLiteral("00012");
    other.lines = {{"Búza", 0, 0, 0}};
    insertTicket(db, other);
}

// The lines of a reference report kept under tests/data/tickets/ (UTF-8, one line per line).
inline QStringList referenceLines(const QString& fileName)
{
    QFile f(QStringLiteral(ZEROR_TEST_DATA_DIR "/") + fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing reference file %1>").arg(f.fileName())};
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace zeror::test
