#pragma once

// The rows behind the text export's reference files (tests/data/exchange/export): two buyers, a
// producer with every column and one almost empty, two products, two tickets and a line, with
// commas, colons and asterisks inside values. The tables are emptied first.

#include "TestDatabase.h"

#include <QString>

namespace zeror::test {

inline void insertTextExportRows(TestDatabase& db)
{
    for (const char* table : {"atvevo", "ostermelo", "sorszam", "termek", "fjfej", "fjsor"})
        db.exec(QStringLiteral("DELETE FROM ") + QString::fromLatin1(table));
    db.exec(QStringLiteral(
        "INSERT INTO atvevo (id_atvevo, v_neve, v_helyseg, v_utca, v_irszam, v_adoszam, v_szeria, v_verzio, v_akod) "
        "VALUES (1, 'Első Felvásárló Kft.', 'Szeged', 'Fő utca 1.', '6720', '12345678223', NULL, 'A1', '00001')"));
    db.exec(QStringLiteral("INSERT INTO atvevo (id_atvevo, v_neve, v_szeria) VALUES (2, 'Kettő: a, b * c', 'sz')"));
    db.exec(QStringLiteral(
        "INSERT INTO ostermelo (id_ostermelo, o_kod, o_nev, o_irszam, o_helysegnev, o_utca, o_adoazon, o_igszam, "
        "o_regszam, o_szja, o_szulhely, o_szido, o_anyja, o_muvktg, o_csgazd, o_neme, o_szulnev, o_taj, "
        "o_adoszam, o_bankszla) VALUES (5, '00001', 'Kovács Ödön', '6720', 'Szeged', 'Tisza krt. 5', "
        "'8412345678', '123456', 'R1', 16, 'Szentes', DATE '1956-04-12', 'Nagy Irén', 1234.5, 'CS1', '1', "
        "'Kovács Ödön', '123456788', '12345678123', '11735005-20000000')"));
    db.exec(QStringLiteral("INSERT INTO ostermelo (id_ostermelo, o_kod, o_nev) VALUES (6, '00002', 'Üres Űrlap')"));
    db.exec(QStringLiteral("INSERT INTO termek (id_termek, t_kod, t_megnevezes, t_vtsz, t_megy, t_ear, "
                           "t_kompmerteke) VALUES (1, '00001', 'Búza', '1001', 'kg', 52.5, 12)"));
    db.exec(QStringLiteral("INSERT INTO termek (id_termek, t_kod, t_megnevezes, t_megy, t_ear) "
                           "VALUES (2, '00002', 'Árpa', 'kg', 40)"));
    db.exec(QStringLiteral("INSERT INTO fjfej (id_fjfej, f_bszam, f_akod, f_ostermkod, f_kelt, f_muvktg, f_szja, "
                           "f_prn, f_megj) VALUES (1, '16000001', '00001', '00001', DATE '2016-03-05', "
                           "12345.25, 16, 'I', 'megj: x, y *')"));
    db.exec(QStringLiteral("INSERT INTO fjfej (id_fjfej, f_bszam, f_akod, f_ostermkod, f_kelt, f_muvktg, f_szja) "
                           "VALUES (2, '16000002', '00001', '00002', DATE '2016-12-31', -0.5, 0)"));
    db.exec(QStringLiteral("INSERT INTO fjsor (id_fjsor, s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, "
                           "s_megy, s_ear, s_kompmerteke) VALUES (1, '16000001', '00001', 'Búza', '1001', "
                           "100.125, 'kg', 52.5, 12)"));
}

} // namespace zeror::test
