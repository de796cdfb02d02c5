#pragma once

// A small register for the tax-audit XML: buyer 00001 (an ampersand in its name) with a cash
// ticket, a transfer ticket with income tax, contribution and deduction, and a voided ticket with
// its voiding document; every line has a name and a unit. Buyer 00002 has a ticket under the same
// number as the cash ticket, whose line must never reach buyer 00001's file.

#include "TestDatabase.h"

#include <QString>

namespace zeror::test {

inline void updateBuyerForAudit(TestDatabase& db)
{
    db.exec(QStringLiteral(
        "UPDATE atvevo SET v_neve = 'Kovács & Társa Kft.', v_helyseg = 'Kecskemét', v_utca = 'Fő', "
        "v_irszam = '6000', v_adoszam = '12345676203', v_bankszla = '11732002-20300000-00000000', "
        "v_kisado = 'true', v_ev = ' ', v_evnyilv = '', v_kerulet = '', v_jelleg = 'utca', v_hazszam = '12.', "
        "v_epulet = '', v_lepcso = '', v_szint = '', v_ajto = '', v_kozadoszam = 'HU12345676', v_ev_neve = '' "
        "WHERE v_akod = '00001'"));
}

inline void insertAuditProducers(TestDatabase& db)
{
    db.exec(QStringLiteral(
        "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_jelleg, o_hazszam, o_adoszam, "
        "o_bankszla, o_kerulet, o_epulet, o_lepcso, o_szint, o_ajto, o_kozadoszam) VALUES ('10001', "
        "'Kiss Anna & Péter', '6100', 'Kiskunfélegyháza', 'Petőfi Sándor', 'utca', '7', '', '', '', '', '', '', "
        "'', '')"));
    db.exec(QStringLiteral(
        "INSERT INTO ostermelo (o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_jelleg, o_hazszam, o_adoszam, "
        "o_bankszla, o_kerulet, o_epulet, o_lepcso, o_szint, o_ajto, o_kozadoszam) VALUES ('10002', "
        "'  Nagy Béla  ', '1117', 'Budapest', 'Irinyi József', 'utca', '4-20', '87654325213', "
        "'10400010-00000000-00000001', 'XI.', 'B', '2', '3', '14', 'HU87654325')"));
}

// A line: ticket, buyer, product name, VTSZ, quantity, unit, unit price, surcharge rate, weight
// deduction percent.
inline void insertAuditLine(TestDatabase& db, const char* number, const char* buyer, const char* name,
                            const char* vtsz, const char* qty, const char* unit, const char* price,
                            const char* rate, const char* weightPercent = "0")
{
    db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, "
                           "s_ear, s_kompmerteke, s_levonszaz) VALUES ('%1', '%2', '00001', '%3', '%4', %5, '%6', "
                           "%7, %8, %9)")
                .arg(QString::fromLatin1(number), QString::fromLatin1(buyer), QString::fromUtf8(name),
                     QString::fromLatin1(vtsz), QString::fromLatin1(qty), QString::fromUtf8(unit),
                     QString::fromLatin1(price), QString::fromLatin1(rate), QString::fromLatin1(weightPercent)));
}

// A header; F_SUMVAR is the sum of its lines' S_VETELAR as the entry screen stores it.
inline void insertAuditTicket(TestDatabase& db, const char* number, const char* buyer, const char* producer,
                              const char* kelt, const char* felv, const char* fiz, const char* utal, int szja,
                              const char* contribution, const char* deduction, const char* type,
                              const char* counterpart, const char* printed = "I")
{
    const auto date = [](const char* d) {
        return d ? QStringLiteral("DATE '%1'").arg(QString::fromLatin1(d)) : QStringLiteral("NULL");
    };
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_utal, "
                           "f_prn, f_szja, f_jarulszaz, f_levonas, f_tipus, f_ervenyt, f_muvktg) VALUES ('%1', '%2', "
                           "'%3', %4, %5, %6, '%7', '%8', %9, %10, %11, '%12', '%13', 0)")
                .arg(QString::fromLatin1(number), QString::fromLatin1(buyer), QString::fromLatin1(producer),
                     date(kelt), date(felv), date(fiz), QString::fromLatin1(utal), QString::fromLatin1(printed))
                .arg(szja)
                .arg(QString::fromLatin1(contribution), QString::fromLatin1(deduction), QString::fromLatin1(type),
                     QString::fromLatin1(counterpart)));
    db.exec(QStringLiteral("UPDATE fjfej SET f_sumvar = (SELECT SUM(s_vetelar) FROM fjsor WHERE s_bszam = '%1' "
                           "AND s_akod = '%2') WHERE f_bszam = '%1' AND f_akod = '%2'")
                .arg(QString::fromLatin1(number), QString::fromLatin1(buyer)));
}

inline void insertAuditFixture(TestDatabase& db)
{
    updateBuyerForAudit(db);
    insertAuditProducers(db);

    // An ordinary cash ticket: two rates, one line with a weight deduction.
    insertAuditLine(db, "20160001", "00001", "Búza", "1001", "1200", "kg", "48.5", "7");
    insertAuditLine(db, "20160001", "00001", "Alma <I. osztály>", "0808", "350.5", "kg", "65", "12", "2");
    insertAuditTicket(db, "20160001", "00001", "10001", "2016-03-01", "2016-02-28", "2016-03-01", " ", 0, "0", "0",
                      "1", "");

    // A transfer ticket with income tax, members' contribution and a deduction.
    insertAuditLine(db, "20160002", "00001", "Méz", "0409", "12.5", "kg", "1150", "12");
    insertAuditLine(db, "20160002", "00001", "Napraforgó", "1206", "800", "kg", "110", "12");
    insertAuditLine(db, "20160002", "00001", "Kukorica", "1005", "333.3333", "kg", "42", "7");
    insertAuditTicket(db, "20160002", "00001", "10002", "2016-03-02", "2016-03-02", "2016-03-10", "x", 15, "2", "500",
                      "1", "");

    // A voided ticket and its voiding document with the quantities negated.
    insertAuditLine(db, "20160003", "00001", "Kukorica", "1005", "500", "kg", "42", "7");
    insertAuditTicket(db, "20160003", "00001", "10001", "2016-03-03", "2016-03-03", "2016-03-03", " ", 0, "0", "0",
                      "1", "20160004");
    insertAuditLine(db, "20160004", "00001", "Kukorica", "1005", "-500", "kg", "42", "7");
    insertAuditTicket(db, "20160004", "00001", "10001", "2016-03-03", "2016-03-03", "2016-03-03", " ", 0, "0", "0",
                      "4", "20160003");

    // Buyer 00002 under the cash ticket's number.
    insertAuditLine(db, "20160001", "00002", "Másik átvevő sora", "9999", "1", "db", "1", "27");
    insertAuditTicket(db, "20160001", "00002", "10001", "2016-03-01", "2016-03-01", "2016-03-01", " ", 0, "0", "0",
                      "1", "");
}

} // namespace zeror::test
