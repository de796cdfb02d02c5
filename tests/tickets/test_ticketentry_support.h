#pragma once

// Small helpers shared by the ticket entry and ticket line tests.

#include "ScreenRegistry.h"
#include "TData.h"
#include "TestDatabase.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace zeror::test {

// Stands in for the producer register as a picker: leaves ZQ30 on the producer with the code,
// as the register does after "Kiválaszt".
inline void registerProducerPicker(const QString& code)
{
    ui::registerScreen(QStringLiteral("picker:producer"), [code](QWidget*) {
        Query& q = TData::instance()->ZQ30;
        q.close();
        q.setSql({QStringLiteral("SELECT * FROM ostermelo ORDER BY o_nev")});
        q.open();
        q.locate(QStringLiteral("O_KOD"), code);
    });
}

// Stands in for the product register as a picker: ZQ40 on the product with the code.
inline void registerProductPicker(const QString& code)
{
    ui::registerScreen(QStringLiteral("picker:product"), [code](QWidget*) {
        Query& q = TData::instance()->ZQ40;
        q.close();
        q.setSql({QStringLiteral("SELECT * FROM Termek ORDER BY t_megnevezes")});
        q.open();
        q.locate(QStringLiteral("T_KOD"), code);
    });
}

// A stored line; amounts in the C form ("100.5").
inline void insertLine(TestDatabase& db, const QString& number, const QString& quantity, const QString& price,
                       const QString& rate = QStringLiteral("0"), const QString& weight = QStringLiteral("0"))
{
    db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, "
                           "s_ear, s_kompmerteke, s_akod, s_levonszaz, s_bizonylat) VALUES ('%1', '00001', "
                           "'Búza', '1001', %2, 'kg', %3, %4, '00001', %5, '')")
                .arg(number, quantity, price, rate, weight));
}

inline void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
}

inline QLineEdit* lineEdit(QWidget* w, const char* name)
{
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

inline QCheckBox* checkBox(QWidget* w, const char* name)
{
    return w->findChild<QCheckBox*>(QString::fromLatin1(name));
}

inline QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace zeror::test
