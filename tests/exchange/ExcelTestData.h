#pragma once

// A small year of two buyers for the Excel export tests: the two buyers use the same ticket
// number, tickets sit on both bounds of the year by one date kind and outside it by the other,
// and one producer has empty fields.

#include "TestDatabase.h"

#include <QString>

namespace zeror::test {

inline void insertExcelYear(TestDatabase& db)
{
    db.exec(QStringLiteral("DELETE FROM ostermelo"));
    db.exec(QStringLiteral(
        "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_szulnev, o_szulhely, o_szido, o_anyja, "
        "o_neme, o_adoazon, o_adoszam, o_taj, o_igszam, o_regszam, o_csgazd, o_bankszla) VALUES ('00001', 'Őri Ödön', "
        "'6000', 'Kecskemét', 'Petőfi Sándor utca 12.', 'Őri Ödön', 'Kecskemét', '1962-04-11', 'Űr Mária', '1', "
        "'8526018159', '43231940213', '366712768', '123456', '1234567890', '12345678', '11732002-20123456')"));
    db.exec(QStringLiteral(
        "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_neme, o_adoazon) "
        "VALUES ('00002', 'ŰRHAJÓS ÁGNES', '6726', 'Szeged', 'Tisza Lajos körút 45/B', '2', '8908301666')"));

    auto header = [&db](const char* buyer, const char* number, const char* producer, const char* kelt,
                        const char* felv, const char* fiz, int szja, const char* payable) {
        db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, f_prn, "
                               "f_szja, f_akod, f_muvktg, f_tipus) VALUES ('%1', '%2', '%3', '%4', '%5', ' ', 'I', %6, "
                               "'%7', %8, '1')")
                    .arg(QLatin1String(number), QLatin1String(producer), QLatin1String(kelt), QLatin1String(felv),
                         QLatin1String(fiz))
                    .arg(szja)
                    .arg(QLatin1String(buyer), QLatin1String(payable)));
    };
    auto line = [&db](const char* buyer, const char* number, const QString& name, const char* gross,
                      const char* deduction, const char* unit, const char* price, const char* rate) {
        db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_levonszaz, "
                               "s_megy, s_ear, s_kompmerteke, s_akod, s_bizonylat) VALUES ('%1', '00001', '%2', '1001', "
                               "%3, %4, '%5', %6, %7, '%8', '')")
                    .arg(QLatin1String(number), name, QLatin1String(gross), QLatin1String(deduction),
                         QString::fromUtf8(unit), QLatin1String(price), QLatin1String(rate), QLatin1String(buyer)));
    };

    // Buyer 00001.
    header("00001", "20160001", "00001", "2016-01-01", "2016-01-01", "2016-01-05", 15, "12345.5");
    line("00001", "20160001", QStringLiteral("Őszibarack"), "100", "10", "kg", "250.5", "12");
    line("00001", "20160001", QStringLiteral("Körte ű"), "40", "0", "kg", "100", "0");
    header("00001", "20160002", "00002", "2016-12-31", "2016-12-31", "2017-01-02", 0, "5000");
    line("00001", "20160002", QStringLiteral("Szilva"), "20", "0", "láda", "250", "7");
    header("00001", "20160003", "00001", "2015-12-20", "2015-12-20", "2015-12-31", 15, "800");
    line("00001", "20160003", QStringLiteral("Tavalyi alma"), "8", "0", "kg", "100", "0");
    header("00001", "20160004", "00002", "2016-11-01", "2016-11-01", "2016-12-31", 16, "900");
    line("00001", "20160004", QStringLiteral("Dió"), "3", "0", "kg", "300", "0");
    // Buyer 00002 uses the number of buyer 00001's first ticket.
    header("00002", "20160001", "00001", "2016-06-01", "2016-06-01", "2016-06-01", 15, "777");
    line("00002", "20160001", QStringLiteral("Másik vevő sora"), "5", "0", "kg", "10", "0");
}

} // namespace zeror::test
