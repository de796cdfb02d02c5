#pragma once

// Stored test tickets for the ticket list, printout and voiding tests: a header with its lines,
// written straight into the tables with the amounts the entry screen would compute.

#include "PayableAmount.h"
#include "TestDatabase.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace zeror::test {

// QString as std::string, for readable EXPECT_EQ output.
inline std::string str(const QString& s)
{
    return s.toStdString();
}

// One line of a test ticket: product name, quantity, unit price and compensation rate (%).
struct TestLine
{
    const char* name;
    double quantity;
    double price;
    double rate;
};

// A ticket header; the defaults are an unprinted normal ticket of buyer 00001 and producer 00001.
struct TestTicket
{
    QString number;
    QString buyer = QStringLiteral("00001");
    QString producer = QStringLiteral("00001");
    int szja = 15;
    bool transfer = false;
    QString printed = QStringLiteral(" ");
    QString type = QStringLiteral("1");
    QString counterpart;
    double deduction = 0;
    double contribution = 0;
    QString declaration = QStringLiteral("Kijelentem, hogy a termékeket saját gazdaságomban állítottam elő.");
    QString remark;
    std::vector<TestLine> lines;
};

// Literals of the hand-written INSERTs: a quoted text and an amount with a decimal point.
inline QString lit(const QString& s)
{
    return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

inline QString num(double v)
{
    return QString::number(v, 'f', 4);
}

// Stores the lines and the header as the entry screen would: F_SUMVAR is the sum of S_VETELAR and
// F_MUVKTG the payable amount.
inline void insertTicket(TestDatabase& db, const TestTicket& t)
{
    double v = 0;
    for (const TestLine& l : t.lines) {
        db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, s_ear, "
                               "s_kompmerteke, s_akod, s_levonszaz, s_bizonylat) VALUES (%1, '00001', %2, '1001', %3, 'kg', "
                               "%4, %5, %6, 0, '')")
                    .arg(lit(t.number), lit(QString::fromUtf8(l.name)), num(l.quantity), num(l.price), num(l.rate),
                         lit(t.buyer)));
        v += l.quantity * l.price * (1 + l.rate / 100);
    }
    PayableInput pin;
    pin.purchasePrice = v;
    pin.szjaPercent = t.szja;
    pin.contributionPercent = t.contribution;
    pin.deduction = t.deduction;
    pin.transfer = t.transfer;
    const qint64 payable = computePayable(pin).payable;
    const QStringList values = {lit(t.number), lit(t.buyer), lit(t.producer), QStringLiteral("DATE '2016-03-05'"),
                                QString::number(t.szja), lit(t.remark), lit(t.printed),
                                QStringLiteral("DATE '2016-03-04'"), QStringLiteral("DATE '2016-03-13'"),
                                lit(t.transfer ? QStringLiteral("x") : QStringLiteral(" ")), lit(t.declaration),
                                num(t.deduction), num(t.contribution), num(double(payable)), lit(t.type),
                                lit(t.counterpart)};
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_szja, f_megj, f_prn, f_felvkelt, "
                           "f_fizkelt, f_utal, f_nyilatk, f_levonas, f_jarulszaz, f_muvktg, f_tipus, f_ervenyt) VALUES (")
            + values.join(QStringLiteral(", ")) + QLatin1Char(')'));
    db.exec(QStringLiteral("UPDATE fjfej SET f_sumvar = (SELECT SUM(s_vetelar) FROM fjsor WHERE s_bszam = %1) "
                           "WHERE f_bszam = %1")
                .arg(lit(t.number)));
}

} // namespace zeror::test
