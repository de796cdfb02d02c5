#pragma once

#include "ProducerRegister.h"
#include "ProductRegister.h"
#include "TestDatabase.h"

#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace zeror::test {

inline QString u(const char* s)
{
    return QString::fromUtf8(s);
}

// The window's button with the object name; a missing one fails the test.
inline QPushButton* button(QWidget* w, const char* name)
{
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// Shows the window and waits until it is the active one, so that key clicks reach it.
inline void showActive(QWidget& w)
{
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
}

// Types the text key by key into the widget, letters with accents included (QTest::keyClicks
// handles ASCII only).
inline void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// A producer that passes every entry check (the identifiers carry valid check digits).
inline ProducerInput validProducer()
{
    using F = ProducerField;
    ProducerInput in;
    in[F::Kod] = QStringLiteral("6");
    in[F::Nev] = QStringLiteral("Kiss Péter");
    in[F::Irszam] = QStringLiteral("6000");
    in[F::Helysegnev] = QStringLiteral("Kecskemét");
    in[F::Kerulet] = QStringLiteral("II.");
    in[F::Utca] = QStringLiteral("Arany János");
    in[F::Jelleg] = QStringLiteral("utca");
    in[F::Hazszam] = QStringLiteral("7");
    in[F::Epulet] = QStringLiteral("B");
    in[F::Lepcso] = QStringLiteral("2");
    in[F::Szint] = QStringLiteral("3");
    in[F::Ajto] = QStringLiteral("12");
    in[F::Adoazon] = QStringLiteral("8526018159");
    in[F::Igszam] = QStringLiteral("123456");
    in[F::Regszam] = QStringLiteral("R-1234");
    in[F::Szja] = QStringLiteral("15");
    in[F::Szulhely] = QStringLiteral("Kecskemét");
    in[F::Szido] = QStringLiteral("1962.04.11");
    in[F::Anyja] = QStringLiteral("Nagy Mária");
    in[F::Csgazd] = QStringLiteral("12/2016");
    in[F::Neme] = QStringLiteral("1");
    in[F::Szulnev] = QStringLiteral("Kiss Péter");
    in[F::Taj] = QStringLiteral("366712768");
    in[F::Adoszam] = QStringLiteral("43231940213");
    in[F::Kozadoszam] = QStringLiteral("HU43231940");
    in[F::Bankszla] = QStringLiteral("11732002-20123456");
    in[F::Fhat] = QStringLiteral("8");
    in[F::Ervkelt] = QStringLiteral("2016.01.04");
    in[F::Betetlap] = QStringLiteral("BL-77");
    in[F::Mnyptag] = QStringLiteral("N");
    in[F::Kamara] = QStringLiteral("KAM-5");
    in[F::Felir] = QStringLiteral("FE1234567");
    in.emptyTajAllowed = false;
    return in;
}

inline ProductInput validProduct()
{
    using F = ProductField;
    ProductInput in;
    in[F::Kod] = QStringLiteral("7");
    in[F::Megnevezes] = QStringLiteral("Szilva");
    in[F::Vtsz] = QStringLiteral("0809");
    in[F::Ear] = QStringLiteral("95,5");
    in[F::Megy] = QStringLiteral("kg");
    in[F::Kompmerteke] = QStringLiteral("12,00");
    return in;
}

// A bare producer row with the given code and name.
inline void insertProducer(TestDatabase& db, const QString& code, const QString& name)
{
    db.exec(QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev, o_szido) VALUES ('%1', '%2', '1970-01-01')")
                .arg(code, name));
}

inline void insertProduct(TestDatabase& db, const QString& code, const QString& name)
{
    db.exec(QStringLiteral("INSERT INTO termek (t_kod, t_megnevezes, t_ear, t_megy, t_kompmerteke) "
                           "VALUES ('%1', '%2', 10, 'kg', 12)")
                .arg(code, name));
}

// A ticket header of the producer; printed ("I") or not (" ").
inline void insertTicket(TestDatabase& db, const QString& number, const QString& producerCode, const QString& printed)
{
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_ostermkod, f_prn, f_akod, f_tipus, f_kelt) "
                           "VALUES ('%1', '%2', '%3', '00001', '1', '2016-03-01')")
                .arg(number, producerCode, printed));
}

} // namespace zeror::test
