// The producer and product list printouts prepared from the test database through the shipped
// templates, and pictures of the four windows and the two previews.
#include "MasterdataFixtures.h"

#include "Dialogs.h"
#include "QueryGrid.h"
#include "ReportModule.h"
#include "reportengine/previewdialog.h"
#include "SharedState.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm7.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace zeror;
using namespace zeror::test;
using ui::Dialogs;

namespace {

void copyTemplate(TestDatabase& db, const char* name)
{
    const QString from = QStringLiteral(ZEROR_TEMPLATES_DIR "/") + QString::fromLatin1(name);
    const QString to = QDir(db.folder()).filePath(QString::fromLatin1(name));
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}

// Presses the screen's print button and returns what the preview would have shown.
std::optional<report::PreparedReport> printFrom(QWidget& screen, bool* allowPrint = nullptr)
{
    std::optional<report::PreparedReport> pages;
    ReportModule::setPreviewHook([&](const report::PreparedReport& p, bool allow) {
        pages = p;
        if (allowPrint)
            *allowPrint = allow;
    });
    screen.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    ReportModule::setPreviewHook({});
    return pages;
}

// Index of the first text that contains the needle, -1 when none.
int indexOf(const QStringList& texts, const QString& needle)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (texts[i].contains(needle))
            return i;
    }
    return -1;
}

void saveShot(QWidget& w, const char* name)
{
    QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
    const QString path = QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + QString::fromLatin1(name);
    EXPECT_TRUE(w.grab().save(path)) << path.toStdString();
}

class Printouts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.chooseBuyer(QStringLiteral("00001"));
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        Dialogs::clear();
    }
    TestDatabase db;
};

TEST_F(Printouts, ProducerListHoldsEveryProducerInNameAndBirthOrder)
{
    copyTemplate(db, "FjLista2.frf");
    sharedState().producerLocateCode = QStringLiteral("00004");
    TForm4 f;
    f.show();
    bool allowPrint = false;
    const auto pages = printFrom(f, &allowPrint);
    ASSERT_TRUE(pages.has_value()) << Dialogs::lastText().toStdString();
    EXPECT_TRUE(allowPrint);
    EXPECT_EQ(pages->orientation, QPageLayout::Landscape);
    EXPECT_GT(pages->pageSizeMm.width(), pages->pageSizeMm.height());
    EXPECT_EQ(pages->pageCount(), 1);
    EXPECT_EQ(db.data().ZQ30.sql(), QStringLiteral("SELECT * FROM ostermelo ORDER BY o_Nev COLLATE PXW_HUN, o_Szido"));
    EXPECT_EQ(db.data().ZQ60.sql().simplified(), QStringLiteral("SELECT * FROM atvevo WHERE v_akod = :p0"));

    const QStringList texts = pages->texts();
    EXPECT_GE(indexOf(texts, u("Őstermelők listája")), 0);
    EXPECT_GE(indexOf(texts, u("Gabona Felvásárló és Kereskedelmi Kft.")), 0);
    EXPECT_GE(indexOf(texts, QStringLiteral("Nyomtatva: ") + QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"))), 0);
    const char* names[] = {"Horváth Győző", "Kovács János", "Németh Ünige", "Szabó Éva", "Tóth Ödön"};
    int previous = -1;
    for (const char* name : names) {
        const int at = texts.indexOf(u(name));
        EXPECT_GT(at, previous) << name;
        previous = at;
    }
    // A row carries the producer's identifiers and address.
    for (const char* item : {"43231940-2-13", "366 712 768", "8526018159", "6000 Kecskemét", "Petőfi Sándor utca 12",
                             "1962.04.11", "Nagy Mária", "11732002-20123456", "Szja: 15 %   Fiz.hat.: 8 nap"})
        EXPECT_GE(indexOf(texts, u(item)), 0) << item;
    EXPECT_GE(texts.indexOf(u("Őstermelők száma: 5")), 0);
    EXPECT_GE(texts.indexOf(u("1. oldal / 1")), 0);
    // The list keeps the print order and stands on the producer it stood on.
    EXPECT_EQ(db.data().ZQ30.text(QStringLiteral("O_KOD")), QStringLiteral("00004"));
}

TEST_F(Printouts, ALongProducerListRepeatsItsColumnHeadersOnEveryPage)
{
    copyTemplate(db, "FjLista2.frf");
    for (int i = 0; i < 60; ++i)
        insertProducer(db, QString::number(100 + i), QStringLiteral("Próba %1").arg(i, 2, 10, QLatin1Char('0')));
    TForm4 f;
    const auto pages = printFrom(f);
    ASSERT_TRUE(pages.has_value()) << Dialogs::lastText().toStdString();
    ASSERT_GT(pages->pageCount(), 1);
    const QString total = QString::number(pages->pageCount());
    for (int p = 0; p < pages->pageCount(); ++p) {
        const QStringList page = pages->pageTexts(p);
        EXPECT_GE(page.indexOf(u("Adóazonosító")), 0) << "page " << p + 1;
        EXPECT_GE(page.indexOf(u("Név")), 0) << "page " << p + 1;
        EXPECT_GE(page.indexOf(QStringLiteral("%1. oldal / %2").arg(p + 1).arg(total)), 0) << "page " << p + 1;
    }
    const QStringList texts = pages->texts();
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(texts.count(QStringLiteral("Próba %1").arg(i, 2, 10, QLatin1Char('0'))), 1) << i;
    EXPECT_GE(texts.indexOf(u("Őstermelők száma: 65")), 0);
}

TEST_F(Printouts, ProductListHoldsEveryProduct)
{
    copyTemplate(db, "FjLista6.frf");
    TForm6 f;
    f.show();
    f.titleClicked(0, 0); // by code on the screen; the printout is by name all the same
    bool allowPrint = false;
    const auto pages = printFrom(f, &allowPrint);
    ASSERT_TRUE(pages.has_value()) << Dialogs::lastText().toStdString();
    EXPECT_TRUE(allowPrint);
    EXPECT_EQ(pages->orientation, QPageLayout::Landscape);
    EXPECT_EQ(db.data().ZQ40.sql(), QStringLiteral("SELECT * FROM termek ORDER BY t_megnevezes COLLATE PXW_HUN"));
    const QStringList texts = pages->texts();
    EXPECT_GE(indexOf(texts, u("Terméklista")), 0);
    EXPECT_GE(indexOf(texts, u("Gabona Felvásárló és Kereskedelmi Kft.")), 0);
    const char* names[] = {"Alma", "Búza", "Kukorica", "Méz", "Napraforgó", "Paprika"};
    int previous = -1;
    for (const char* name : names) {
        const int at = texts.indexOf(u(name));
        EXPECT_GT(at, previous) << name;
        previous = at;
    }
    for (const char* item : {"48,50", "1 150,00", "00006", "0409"})
        EXPECT_GE(texts.indexOf(u(item)), 0) << item;
    EXPECT_EQ(texts.count(QStringLiteral("7")), 2) << "two products at 7 %";
    EXPECT_GE(texts.indexOf(u("Termékek száma: 6")), 0);
    EXPECT_GE(texts.indexOf(u("1. oldal / 1")), 0);
}

TEST_F(Printouts, AMissingTemplateIsNamedAndNothingIsShown)
{
    TForm6 f;
    const auto pages = printFrom(f);
    EXPECT_FALSE(pages.has_value());
    EXPECT_TRUE(Dialogs::lastText().contains(QStringLiteral("FjLista6.frf"))) << Dialogs::lastText().toStdString();
}

// Pictures of what the operator sees, for looking at.
TEST_F(Printouts, Screenshots)
{
    copyTemplate(db, "FjLista2.frf");
    copyTemplate(db, "FjLista6.frf");
    sharedState().producerLocateCode = QStringLiteral("00002");
    TForm4 producers;
    producers.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&producers));
    saveShot(producers, "masterdata-producer-list.png");

    sharedState().producerEntryMode = producertext::ChangeMode;
    TForm5 entry;
    entry.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&entry));
    saveShot(entry, "masterdata-producer-entry.png");

    sharedState().productSearchText = QStringLiteral("Pap");
    TForm6 products;
    products.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&products));
    saveShot(products, "masterdata-product-list.png");

    sharedState().productEntryMode = producttext::NewMode;
    TForm7 product;
    product.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&product));
    saveShot(product, "masterdata-product-entry.png");

    for (auto [screen, file] : {std::pair<QWidget*, const char*>{&producers, "masterdata-producer-print.png"},
                                {&products, "masterdata-product-print.png"}}) {
        const auto pages = printFrom(*screen);
        ASSERT_TRUE(pages.has_value());
        report::PreviewDialog preview(*pages, true);
        preview.resize(1200, 860);
        preview.show();
        preview.fitWidth();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        saveShot(preview, file);
    }
}

} // namespace
