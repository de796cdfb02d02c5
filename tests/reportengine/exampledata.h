#pragma once

#include "memorysource.h"

#include "reportengine/datasource.h"

#include <QDate>

#include <cmath>

// The data templates/example.frf is made for: products driven by a program
// feed that re-fills the ticket source for each product, as the program does.
struct ExampleData {
    MemorySource products;  // ZQ10
    MemorySource tickets;   // ZQ20, re-filled per product
    report::UserFeed productFeed;  // frDBDataSet1
    report::DataRegistry registry;
    report::VariableStore variables;
    QList<QVariantMap> allTickets;
    int productIndex = 0;

    explicit ExampleData(int ticketsScale = 1)
    {
        products.setRows({
            {{QStringLiteral("t_kod"), QStringLiteral("bu1")}, {QStringLiteral("t_nev"), QStringLiteral("Búza")}, {QStringLiteral("t_ar"), 98000}},
            {{QStringLiteral("t_kod"), QStringLiteral("bu2")}, {QStringLiteral("t_nev"), QStringLiteral("búza")}, {QStringLiteral("t_ar"), 91500}},
            {{QStringLiteral("t_kod"), QStringLiteral("ar1")}, {QStringLiteral("t_nev"), QStringLiteral("Árpa")}, {QStringLiteral("t_ar"), 76000}},
            {{QStringLiteral("t_kod"), QStringLiteral("ku1")}, {QStringLiteral("t_nev"), QStringLiteral("Kukorica (őrölt)")}, {QStringLiteral("t_ar"), 84250}},
        });
        const QStringList sellers = {
            QStringLiteral("Őri Ödön"),
            QStringLiteral("  Űrhajós Ügyes Éva  "),
            QStringLiteral("Kovács János"),
            QStringLiteral("Szűcs Erzsébet és Társa Mezőgazdasági Betéti Társaság"),
            QStringLiteral("Árvíztűrő Tükörfúrógép Kft."),
        };
        const int counts[] = {14, 3, 0, 22};
        const char* productNames[] = {"Búza", "búza", "Árpa", "Kukorica (őrölt)"};
        int serial = 1;
        for (int p = 0; p < 4; ++p) {
            for (int i = 0; i < counts[p] * ticketsScale; ++i, ++serial) {
                const double qty = 1000 + (serial * 137) % 9000 + (serial % 4) * 0.25;
                const double price = 60 + (serial * 7) % 40 + 0.5 * (serial % 2);
                const double net = std::round(qty * price);
                const bool storno = serial % 11 == 0;
                allTickets.append({
                    {QStringLiteral("termek"), QString::fromUtf8(productNames[p])},
                    {QStringLiteral("f_bszam"), QStringLiteral("FJ-%1").arg(serial, 5, 10, QLatin1Char('0'))},
                    {QStringLiteral("f_datum"), QDate(2024, 3, 1).addDays((serial * 3) % 27)},
                    {QStringLiteral("f_storno"), storno},
                    {QStringLiteral("e_nev"), sellers.at(serial % sellers.size())},
                    {QStringLiteral("e_adoszam"), QStringLiteral("%1").arg(10000000000LL + serial * 7919LL)},
                    {QStringLiteral("s_menny"), qty},
                    {QStringLiteral("s_egysar"), price},
                    {QStringLiteral("s_netto"), net},
                    {QStringLiteral("s_brutto"), storno ? 0.0 : std::round(net * 1.27)},
                });
            }
        }
        productFeed.onFirst = [this] {
            productIndex = 0;
            products.first();
            refillTickets();
        };
        productFeed.onNext = [this] {
            ++productIndex;
            products.next();
            refillTickets();
        };
        productFeed.onCheckEof = [this](bool& eof) { eof = productIndex >= products.rows().size(); };
        registry.setFeed(QStringLiteral("frDBDataSet1"), &productFeed);
        registry.setFeed(QStringLiteral("frDBDataSet2"), &tickets);
        registry.setSource(QStringLiteral("ZQ10"), &products);
        registry.setSource(QStringLiteral("ZQ20"), &tickets);

        variables.set(QStringLiteral("v_ceg"), QStringLiteral("Őszi Gabona Zrt. – Tiszaűrbő"));
        variables.set(QStringLiteral("v_datumtol"), QDate(2024, 3, 1));
        variables.set(QStringLiteral("v_datumig"), QDate(2024, 3, 31));
        variables.set(QStringLiteral("v_masolat"), QStringLiteral("MÁSOLAT"));
        variables.set(QStringLiteral("v_nyomtatta"), QStringLiteral("Kelemen Ildikó"));
        variables.set(QStringLiteral("v_levonas"), 12500);
        variables.set(QStringLiteral("v_megjegyzes"),
                      QStringLiteral("A felvásárolt tételek minőségi kifogás esetén a szerződés szerint "
                                     "kerülnek elszámolásra. Az őrölt kukorica nedvességtartalmát a "
                                     "laboratóriumi mérés szerint kell figyelembe venni; a stornózott "
                                     "jegyek (S) bruttó értéke nem része a fizetendő összegnek."));
    }

    // Loads the current product's tickets into the ticket source, matching the
    // product name exactly (letter case counts).
    void refillTickets()
    {
        QList<QVariantMap> rows;
        if (productIndex < products.rows().size()) {
            const QString name = products.rows().at(productIndex).value(QStringLiteral("t_nev")).toString();
            for (const QVariantMap& t : allTickets)
                if (t.value(QStringLiteral("termek")).toString() == name)
                    rows << t;
        }
        tickets.setRows(rows);
    }
};
