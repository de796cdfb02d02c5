// Lists ordered by a name follow the Hungarian alphabet (Ö and Ő after O, Ü and Ű after U),
// while grouping stays exact: names differing only in case remain separate groups.
#include "PeriodLists.h"
#include "ProducerRegister.h"
#include "TData.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;

namespace {

QStringList column(Query& q, const QString& field)
{
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << q.text(field).trimmed();
    return out;
}

TEST(HungarianOrder, ProducersAreListedInHungarianOrder)
{
    TestDatabase db;
    db.exec(QStringLiteral("DELETE FROM ostermelo"));
    const QStringList names{QStringLiteral("Paprika Pál"), QStringLiteral("Őszi Ödön"), QStringLiteral("Ostoros Olga"),
                            QStringLiteral("Üveges Ümit"), QStringLiteral("Uzsoki Ubul"), QStringLiteral("Zab Zoltán"),
                            QStringLiteral("Ács Ádám")};
    int code = 1;
    for (const QString& n : names)
        db.exec(QStringLiteral("INSERT INTO ostermelo (o_kod, o_nev) VALUES ('%1', '%2')")
                    .arg(QString::number(code++).rightJustified(5, u'0'), n));
    openProducerList(db.data());
    EXPECT_EQ(column(db.data().ZQ30, QStringLiteral("O_NEV")),
              (QStringList{QStringLiteral("Ács Ádám"), QStringLiteral("Ostoros Olga"), QStringLiteral("Őszi Ödön"),
                           QStringLiteral("Paprika Pál"), QStringLiteral("Uzsoki Ubul"), QStringLiteral("Üveges Ümit"),
                           QStringLiteral("Zab Zoltán")}));
}

TEST(HungarianOrder, ProductListGroupsExactlyAndOrdersInHungarian)
{
    TestDatabase db;
    db.chooseBuyer(QStringLiteral("00001"));
    db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_fizkelt, f_tipus) "
                           "VALUES ('20160001', '00001', '00001', '2016-03-01', '2016-03-01', '2016-03-01', '1')"));
    const char* products[] = {"Paprika", "Őszibarack", "búza", "Búza", "Búza", "Alma"};
    for (const char* p : products)
        db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_termekkod, s_megnevezes, s_brutto, s_ear) "
                               "VALUES ('20160001', '00001', '00001', '%1', 1, 10)")
                    .arg(QString::fromUtf8(p)));
    collectProductList(db.data(), QStringLiteral("00001"),
                       ListPeriod{QDate(2016, 1, 1), QDate(2016, 12, 31), true});
    const QStringList groups = column(db.data().ZQ20, QStringLiteral("s_megnevezes"));
    ASSERT_EQ(groups.size(), 5) << groups.join(u'|').toStdString(); // "búza" and "Búza" stay apart
    EXPECT_EQ(groups.first(), QStringLiteral("Alma"));
    EXPECT_TRUE(groups[1].compare(QStringLiteral("búza"), Qt::CaseInsensitive) == 0);
    EXPECT_TRUE(groups[2].compare(QStringLiteral("búza"), Qt::CaseInsensitive) == 0);
    EXPECT_NE(groups[1], groups[2]);
    EXPECT_EQ(groups[3], QStringLiteral("Őszibarack"));
    EXPECT_EQ(groups[4], QStringLiteral("Paprika"));
}

} // namespace
