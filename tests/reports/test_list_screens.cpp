// The seven list screens driven through their real widgets: defaults, "Nyomtatás" enabled by
// collecting and withdrawn by any later change of period or choice, the printouts they hand to
// the preview, and pictures of each screen and each printout.
#include "ListFixture.h"

#include "ListScreens.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm12.h"
#include "TForm13.h"
#include "TForm19.h"
#include "TForm30.h"
#include "TForm31.h"
#include "TForm32.h"
#include "TForm33.h"
#include "reportengine/render.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zeror;
using namespace zeror::test;

namespace {

class ListScreens : public ListFixture
{
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        // The producer register stands in as a picker that leaves ZQ30 on the wanted producer.
        ui::registerScreen(QStringLiteral("picker:producer"), [this](QWidget*) {
            Query& q = db.data().ZQ30;
            q.close();
            q.setSql({QStringLiteral("SELECT * FROM ostermelo ORDER BY o_nev")});
            q.open();
            q.locate(QStringLiteral("o_kod"), pickedProducer);
        });
    }

    void sampleYear()
    {
        ticket(QStringLiteral("20160001"), QStringLiteral("00001"), QStringLiteral("2016-01-04"), QStringLiteral("2016-01-04"),
               QStringLiteral(" "), 9120);
        line(QStringLiteral("20160001"), QStringLiteral("Búza"), 200, 48.5, 7);
        ticket(QStringLiteral("20160002"), QStringLiteral("00002"), QStringLiteral("2016-02-10"), QStringLiteral("2016-02-08"),
               QStringLiteral("x"), 51200);
        line(QStringLiteral("20160002"), QStringLiteral("Kukorica"), 1200, 42, 7);
        line(QStringLiteral("20160002"), QStringLiteral("búza"), 15, 48.5, 7);
        ticket(QStringLiteral("20160003"), QStringLiteral("00001"), QStringLiteral("2016-03-15"), QStringLiteral("2016-03-14"),
               QStringLiteral(" "), 24800);
        line(QStringLiteral("20160003"), QStringLiteral("Alma"), 350, 65, 12);
        line(QStringLiteral("20160003"), QStringLiteral("Búza"), 100, 48.5, 7);
        ticket(QStringLiteral("20160004"), QStringLiteral("00003"), QStringLiteral("2016-03-15"), QStringLiteral("2016-03-15"),
               QStringLiteral(" "), 101200);
        line(QStringLiteral("20160004"), QStringLiteral("Méz"), 80, 1150, 12);
        ticket(QStringLiteral("20160005"), QStringLiteral("00005"), QStringLiteral("2016-12-31"), QStringLiteral("2016-12-20"),
               QStringLiteral("x"), 160000);
        line(QStringLiteral("20160005"), QStringLiteral("Napraforgó"), 1400, 110, 12);
    }

    void shot(QWidget& w, const QString& name)
    {
        w.show();
        QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
        EXPECT_TRUE(w.grab().save(QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + name + QStringLiteral(".png")));
    }

    // Presses "Nyomtatás" and keeps the pages as a PDF for looking at.
    bool printFrom(QPushButton* print, const QString& pdfName)
    {
        const int before = shown;
        print->click();
        if (shown == before)
            return false;
        QString error;
        QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
        EXPECT_TRUE(report::writePdf(pages, QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + pdfName + QStringLiteral(".pdf"), &error))
            << error.toStdString();
        return true;
    }

    QString pickedProducer;
};

TEST_F(ListScreens, EveryListHasItsMenuItem)
{
    registerListScreens();
    for (const char* item : {"Bevallslista1", "Termkenkntilista1", "Termelnkntilista1", "stermelhavibontsban1",
                             "Kszpnzeskifizets1", "Statisztika1", "Szerzds1"})
        EXPECT_TRUE(ui::hasScreen(QString::fromLatin1(item))) << item;
}

TEST_F(ListScreens, ItemisedListCollectsPrintsAndWithdrawsPrintOnEveryChange)
{
    sampleYear();
    TForm12 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tételes lista"));
    EXPECT_EQ(form.fromPicker()->date(), QDate(2016, 1, 1));
    EXPECT_EQ(form.toPicker()->date(), QDate(2016, 12, 31));
    EXPECT_TRUE(form.orderButton(0)->isChecked());
    EXPECT_EQ(form.orderButton(0)->text(), QStringLiteral("Östermelö"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("periodLabel"))->text(), QStringLiteral("Bevallási idöszak: "));
    EXPECT_FALSE(form.printButton()->isEnabled());

    form.collectButton()->click();
    EXPECT_TRUE(form.printButton()->isEnabled());
    EXPECT_EQ(form.grandTotal(), QStringLiteral("371274,925"));
    EXPECT_EQ(form.grid()->model()->rowCount(), 7);
    EXPECT_EQ(form.grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Megnevezés"));
    shot(form, QStringLiteral("TForm12"));

    form.orderButton(3)->click();
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.collectButton()->click();
    form.toPicker()->setDate(QDate(2016, 3, 31));
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.collectButton()->click();
    form.fromPicker()->setDate(QDate(2016, 2, 1));
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.fromPicker()->setDate(QDate(2016, 1, 1));
    form.toPicker()->setDate(QDate(2016, 12, 31));
    form.collectButton()->click();

    ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista4")));
    EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
    EXPECT_EQ(pages.textsOf(QStringLiteral("Sorrend")), QStringList{QStringLiteral("Sorrend: termék megnevezés")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Termek")).first(), QStringLiteral("Alma"));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Mindosszesen")), QStringList{QStringLiteral("Kifizetett mindösszesen: 371274,925 Ft")});
}

TEST_F(ListScreens, MissingTemplateStopsThePrintAndKeepsTheRows)
{
    sampleYear();
    ASSERT_TRUE(QFile::remove(QDir(db.folder()).filePath(QStringLiteral("FjLista4.frf"))));
    TForm12 form(db.data());
    form.collectButton()->click();
    EXPECT_FALSE(printFrom(form.printButton(), QStringLiteral("none")));
    ASSERT_EQ(ui::Dialogs::shownTexts().size(), 1);
    EXPECT_TRUE(ui::Dialogs::shownTexts().first().contains(QStringLiteral("FjLista4.frf")));
    EXPECT_EQ(form.grid()->model()->rowCount(), 7);
    EXPECT_TRUE(form.printButton()->isEnabled());
}

TEST_F(ListScreens, ProductListStartsEmptyAndFollowsTheDateChoice)
{
    sampleYear();
    Query& zq20 = db.data().ZQ20;
    zq20.setSql({QStringLiteral("SELECT * FROM termek")});
    zq20.open();
    TForm13 form(db.data());
    EXPECT_FALSE(zq20.isOpen());
    EXPECT_TRUE(form.paymentDateButton()->isChecked());
    EXPECT_EQ(form.purchaseDateButton()->text(), QStringLiteral("Felvásárlási dátum"));
    form.collectButton()->click();
    EXPECT_TRUE(form.printButton()->isEnabled());
    EXPECT_EQ(form.grid()->model()->rowCount(), 6);
    shot(form, QStringLiteral("TForm13"));

    form.purchaseDateButton()->click();
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.collectButton()->click();
    form.toPicker()->setDate(QDate(2016, 12, 30));
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.toPicker()->setDate(QDate(2016, 12, 31));
    form.collectButton()->click();
    ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista5")));
    // Hungarian order puts the two spellings of "búza" side by side; they stay two groups.
    EXPECT_EQ(pages.textsOf(QStringLiteral("TermekNev")),
              (QStringList{QStringLiteral("Alma"), QStringLiteral("búza"), QStringLiteral("Búza"), QStringLiteral("Kukorica"),
                           QStringLiteral("Méz"), QStringLiteral("Napraforgó")}));
    EXPECT_FALSE(containing(QStringLiteral("felvásárlási dátum szerint")).isEmpty());
}

TEST_F(ListScreens, ProducerListPrintsEachProducersLines)
{
    sampleYear();
    TForm19 form(db.data());
    form.collectButton()->click();
    EXPECT_TRUE(form.printButton()->isEnabled());
    EXPECT_EQ(form.grid()->model()->rowCount(), 4);
    shot(form, QStringLiteral("TForm19"));
    form.toPicker()->setDate(QDate(2016, 6, 30));
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.toPicker()->setDate(QDate(2016, 12, 31));
    form.collectButton()->click();
    ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista8")));
    EXPECT_EQ(pages.textsOf(QStringLiteral("TermeloNev")).size(), 4);
    EXPECT_EQ(pages.textsOf(QStringLiteral("Bszam")).size(), 7);
}

TEST_F(ListScreens, ProducerMonthlyNeedsAProducerAndWithdrawsPrintWhenDetailChanges)
{
    sampleYear();
    TForm30 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Egy östermelö havi bontásban termékenként "));
    EXPECT_FALSE(form.collectButton()->isEnabled());
    EXPECT_FALSE(form.printButton()->isEnabled());
    EXPECT_EQ(form.purchaseTotalEdit()->text(), QStringLiteral("0"));
    EXPECT_EQ(form.nameEdit()->toolTip(), QStringLiteral("A kezdö betü(k) beírása a gyorsabb kereséshez"));
    EXPECT_EQ(form.producerButton()->toolTip(), QStringLiteral("Személyek megjelenitése"));

    form.nameEdit()->setText(QStringLiteral("kov"));
    pickedProducer = QStringLiteral("00001");
    form.producerButton()->click();
    EXPECT_EQ(sharedState().producerLocateCode, QStringLiteral("00001"));
    EXPECT_EQ(form.codeEdit()->text(), QStringLiteral("00001"));
    EXPECT_EQ(form.nameEdit()->text(), QStringLiteral("Kovács János"));
    EXPECT_EQ(form.birthEdit()->text(), QStringLiteral("Szül.idö: 1962.04.11  Anyja neve: Nagy Mária"));
    EXPECT_TRUE(form.collectButton()->isEnabled());

    form.collectButton()->click();
    EXPECT_TRUE(form.printButton()->isEnabled());
    EXPECT_EQ(form.paidTotalEdit()->text(), QStringLiteral("41048,5"));
    EXPECT_EQ(form.grid()->model()->rowCount(), 3);
    shot(form, QStringLiteral("TForm30"));
    form.detailedBox()->click();
    EXPECT_FALSE(form.printButton()->isEnabled());
    form.detailedBox()->click();
    form.collectButton()->click();
    ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista9")));
    EXPECT_EQ(pages.textsOf(QStringLiteral("Nev")), QStringList{QStringLiteral("Őstermelő: Kovács János")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Var")), QStringList{QStringLiteral("Kifizetett összesen: 41048,5 Ft")});
}

TEST_F(ListScreens, CashDailyAndStatisticsSwitchTheirTemplateWithTheBox)
{
    sampleYear();
    {
        TForm31 form(db.data());
        EXPECT_EQ(form.perProductBox()->toolTip(), QStringLiteral("Napi kp. bevétel termékenkénti  részletezése"));
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("cashNoteLabel"))->text(),
                  QStringLiteral("Ha a felvásárlási jegyen  nincs pipa az \"átutalás\"-nál."));
        form.collectButton()->click();
        EXPECT_EQ(form.grid()->model()->rowCount(), 2);
        ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista10")));
        EXPECT_EQ(pages.textsOf(QStringLiteral("SumKifiz")), QStringList{QStringLiteral("135 120,00")});
        form.perProductBox()->click();
        EXPECT_FALSE(form.printButton()->isEnabled());
        form.collectButton()->click();
        shot(form, QStringLiteral("TForm31"));
        ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista11")));
        EXPECT_EQ(pages.title, QStringLiteral("Kp. napilista termékenként"));
    }
    {
        TForm32 form(db.data());
        form.collectButton()->click();
        shot(form, QStringLiteral("TForm32"));
        ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista12")));
        EXPECT_EQ(pages.textsOf(QStringLiteral("Termek")).size(), 7);
        form.overallBox()->click();
        EXPECT_FALSE(form.printButton()->isEnabled());
        form.collectButton()->click();
        ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjLista13")));
        EXPECT_EQ(pages.textsOf(QStringLiteral("Termek")).size(), 6);
    }
}

TEST_F(ListScreens, ContractPrintsNothingUntilAProducerIsChosen)
{
    TForm33 form(db.data());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Szerzödés nyomtatás"));
    EXPECT_FALSE(form.producerCodeField()->isVisible());
    EXPECT_FALSE(printFrom(form.printButton(), QStringLiteral("none")));

    pickedProducer = QStringLiteral("00003");
    form.producerButton()->click();
    EXPECT_EQ(form.producerCodeField()->text(), QStringLiteral("00003"));
    const QStringList values{QStringLiteral("7/2016"), QStringLiteral("0312/5"), QStringLiteral("3,2 ha"),
                             QStringLiteral("2,0"), QStringLiteral("1,2"), QStringLiteral("40"), QStringLiteral("60"),
                             QStringLiteral("+36 76 555 123"), QStringLiteral("2016"), QStringLiteral("2016.10.15")};
    for (int i = 0; i < values.size(); ++i)
        form.field(i)->setText(values[i]);
    shot(form, QStringLiteral("TForm33"));
    ASSERT_TRUE(printFrom(form.printButton(), QStringLiteral("FjSzerzodes")));
    EXPECT_EQ(pages.textsOf(QStringLiteral("TermeloNev")), QStringList{QStringLiteral("Horváth Győző")});
    EXPECT_EQ(pages.textsOf(QStringLiteral("Szam")), QStringList{QStringLiteral("Sorszám: 7/2016")});
}

} // namespace
