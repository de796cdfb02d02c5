#pragma once

// The small database behind the 1608M reference files: one buyer without a tax identifier, three
// producers paid in January 2016 (a 3-word name, a 3-word birth name, one without birth date),
// a voided pair, an unprinted ticket, tickets outside the period and another buyer's ticket.

#include "TestDatabase.h"
#include "WinPaths.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace zeror::test {

inline QString u(const char* s)
{
    return QString::fromUtf8(s);
}

inline void insertFixtureTicket(TestDatabase& db, const char* number, const char* buyer, const char* producer,
                                const char* paid, const char* amount, const char* printed = "I",
                                const char* type = "1")
{
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, "
                           "f_prn, f_szja, f_tipus, f_muvktg) VALUES ('%1', '%2', '%3', DATE '%4', DATE '%4', DATE '%4', "
                           "' ', '%5', 15, '%6', %7)")
                .arg(QString::fromLatin1(number), QString::fromLatin1(buyer), QString::fromLatin1(producer),
                     QString::fromLatin1(paid), QString::fromLatin1(printed), QString::fromLatin1(type),
                     QString::fromLatin1(amount)));
}

inline void fillDeclarationFixture(TestDatabase& db)
{
    db.exec(u("UPDATE atvevo SET v_neve = 'Zöldség-Gyümölcs Felvásárló Bt.', v_adoszam = '12345676213', "
              "v_adoazon = NULL WHERE v_akod = '00001'"));
    db.exec(u("INSERT INTO atvevo (v_akod, v_neve, v_adoszam, v_adoazon) VALUES ('00002', 'Másik Kft.', "
              "'22222222222', '8000000000')"));
    db.exec(QStringLiteral("DELETE FROM ostermelo"));
    db.exec(u("INSERT INTO ostermelo (o_kod, o_nev, o_adoazon, o_neme, o_igszam, o_csgazd, o_szulnev, o_anyja, "
              "o_szulhely, o_szido) VALUES ('00011', 'Kovács János Péter', '8123456789', '1', 'OM123456', '12/2016', "
              "'Kovács János', 'Nagy Mária', 'Kecskemét', DATE '1962-04-11')"));
    db.exec(u("INSERT INTO ostermelo (o_kod, o_nev, o_adoazon, o_neme, o_igszam, o_szulnev, o_anyja, o_szulhely) "
              "VALUES ('00012', 'Szabó Éva', '8234567891', '2', 'OM654321', 'Tóth Éva Ilona', 'Fekete Rózsa', 'Baja')"));
    db.exec(u("INSERT INTO ostermelo (o_kod, o_nev, o_adoazon, o_neme, o_igszam, o_szulnev, o_anyja, o_szulhely, "
              "o_szido) VALUES ('00013', 'Őri Ödön', '8345678912', '1', '', 'Őri Ödön', 'Kis Ágnes', 'Győr', "
              "DATE '1975-06-15')"));
    // 00011: 1000,25 printed + 500,25 unprinted = 1500,5 in January.
    insertFixtureTicket(db, "20160001", "00001", "00011", "2016-01-10", "1000.25");
    insertFixtureTicket(db, "20160002", "00001", "00011", "2016-01-15", "500.25", " ");
    // 00012: a ticket and its voiding ticket.
    insertFixtureTicket(db, "20160003", "00001", "00012", "2016-01-12", "2000");
    insertFixtureTicket(db, "20160004", "00001", "00012", "2016-01-12", "-2000", "I", "4");
    // 00013: January outside the 5th-20th, then June.
    insertFixtureTicket(db, "20160005", "00001", "00013", "2016-01-03", "12000.4");
    insertFixtureTicket(db, "20160006", "00001", "00013", "2016-01-25", "3000");
    insertFixtureTicket(db, "20160007", "00001", "00013", "2016-06-30", "7000");
    insertFixtureTicket(db, "20170001", "00001", "00011", "2017-01-31", "99.5");
    // Another buyer's ticket never counts.
    insertFixtureTicket(db, "20160100", "00002", "00011", "2016-01-10", "88888");
    db.chooseBuyer(QStringLiteral("00001"));
}

// Shows the window and waits until it is the active one, so that key clicks reach it.
inline void showActive(QWidget& w)
{
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing: ") + path.toUtf8() + ">";
    return f.readAll();
}

// The reference folder tests/data/taxsupply/<name>.
inline QString referenceFolder(const char* name)
{
    return QStringLiteral(ZEROR_TAXSUPPLY_DATA_DIR "/") + QString::fromLatin1(name);
}

} // namespace zeror::test
