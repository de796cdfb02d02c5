#pragma once

// The everyday statements the benchmarks and plan tests run on a generated year, line by line
// as the screens give them: the ticket list, the itemised period list (also in the form that
// matches the buyer of the line to the buyer of the header) and the Excel export of tickets.

#include <QStringList>

namespace zeror::yeargen {

inline QStringList ticketListSql()
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM FjFej"),
            QStringLiteral("LEFT JOIN ostermelo ON FjFej.f_ostermkod = Ostermelo.o_kod"),
            QStringLiteral("WHERE f_akod = :p1"), QStringLiteral("ORDER BY f_Bszam")};
}

// :p1, :p2 the period, :p3 the buyer.
inline QStringList itemisedSql(bool matchBuyer = false)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM fjsor"),
            matchBuyer ? QStringLiteral("LEFT JOIN fjfej     ON s_bszam = f_bszam AND s_akod = f_akod")
                       : QStringLiteral("LEFT JOIN fjfej     ON s_bszam = f_bszam"),
            QStringLiteral("LEFT JOIN ostermelo ON f_ostermkod = o_kod"),
            QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3)"),
            QStringLiteral("ORDER BY o_nev, f_fizkelt")};
}

inline QStringList itemisedTotalSql()
{
    return {QStringLiteral("SELECT s_akod,"), QStringLiteral("SUM(s_vetelar) AS  m_osszesen"),
            QStringLiteral("FROM fjsor"), QStringLiteral("LEFT JOIN fjfej     ON s_bszam = f_bszam"),
            QStringLiteral("WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (s_akod = :p3)"),
            QStringLiteral("GROUP BY s_akod")};
}

inline QStringList excelTicketsSql()
{
    return {QStringLiteral("SELECT f_fizkelt, f_felvkelt, f_kelt, f_ostermkod, o_nev,  s_Bszam, s_megnevezes, s_netto, "
                           "s_megy, s_ear, s_kompmerteke, f_szja,  "),
            QStringLiteral("  o_Adoazon, o_Adoszam,  o_TAJ, o_Igszam, o_Regszam, o_Csgazd, o_Helysegnev, o_Utca, "
                           "o_Bankszla, f_muvktg "),
            QStringLiteral("  FROM fjsor                              "),
            QStringLiteral("  LEFT JOIN fjfej     ON s_bszam     = f_bszam "),
            QStringLiteral("  LEFT JOIN ostermelo ON f_ostermkod = o_kod   "),
            QStringLiteral("  WHERE (f_fizkelt >= :p1 AND f_fizkelt <= :p2) AND (f_akod = :p3) "),
            QStringLiteral("  ORDER BY s_Bszam ")};
}

} // namespace zeror::yeargen
