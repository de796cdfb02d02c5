// The producer and product lists used as pickers: Enter on a row chooses it and closes the list;
// the producer list keeps its size however long the shown producer's data are.
#include "MasterdataFixtures.h"
#include "MasterdataScreens.h"
#include "ModalDriver.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm4.h"
#include "TForm6.h"

#include "Dialogs.h"

#include <QApplication>
#include <QTest>

using namespace zeror;
using namespace zeror::test;

namespace {

QString currentText(Query& q, const char* field)
{
    return q.text(QString::fromLatin1(field)).trimmed();
}

TEST(PickerKeys, EnterOnARowChoosesItAndClosesTheList)
{
    TestDatabase db;
    ui::Dialogs::clear();
    registerMasterdataScreens();
    sharedState().producerLocateCode.clear();
    QString picked;
    whenModal([&picked](QWidget* w) {
        auto* f = qobject_cast<TForm4*>(w);
        ASSERT_NE(f, nullptr);
        ui::QueryGrid* grid = f->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        picked = currentText(*grid->query(), "O_NEV");
        QTest::keyClick(grid, Qt::Key_Return);
    });
    ASSERT_TRUE(ui::openScreen(QStringLiteral("picker:producer"), nullptr));
    EXPECT_FALSE(picked.isEmpty());
    EXPECT_EQ(currentText(db.data().ZQ30, "O_NEV"), picked);

    sharedState().productSearchText.clear();
    whenModal([&picked](QWidget* w) {
        auto* f = qobject_cast<TForm6*>(w);
        ASSERT_NE(f, nullptr);
        ui::QueryGrid* grid = f->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        picked = currentText(*grid->query(), "T_MEGNEVEZES");
        QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    });
    ASSERT_TRUE(ui::openScreen(QStringLiteral("picker:product"), nullptr));
    EXPECT_FALSE(picked.isEmpty());
    EXPECT_EQ(currentText(db.data().ZQ40, "T_MEGNEVEZES"), picked);
}

TEST(PickerKeys, ProducerListKeepsItsSizeWithLongData)
{
    TestDatabase db;
    ui::Dialogs::clear();
    db.exec(QStringLiteral("UPDATE ostermelo SET o_bankszla = '11773016-01234567-00000000', "
                           "o_helysegnev = 'Hódmezővásárhely-Kútvölgy-Szentkirály', "
                           "o_utca = 'Szent István király körút'"));
    QSize first;
    for (int i = 0; i < 3; ++i) {
        TForm4 f;
        f.show();
        QApplication::processEvents();
        if (i == 0)
            first = f.size();
        EXPECT_EQ(f.size(), first) << "opening " << i + 1;
        EXPECT_LE(f.width(), 1100);
    }
}

} // namespace

// ---- The printed producer list with long data ----

#include "ReportModule.h"
#include "reportengine/reportengine.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>

namespace {

TEST(ProducerListPrintout, LongBankAccountStaysInsideItsColumn)
{
    TestDatabase db;
    ui::Dialogs::clear();
    db.chooseBuyer(QStringLiteral("00001"));
    const QString target = QDir(db.folder()).filePath(QStringLiteral("FjLista2.frf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/FjLista2.frf"), target));
    const QString account = QStringLiteral("11773016-01234567-00000000");
    db.exec(QStringLiteral("UPDATE ostermelo SET o_bankszla = '%1', "
                           "o_helysegnev = 'Hódmezővásárhely-Kútvölgy' WHERE o_kod = '00001'")
                .arg(account));
    TForm4 f;
    f.show();
    report::PreparedReport pages;
    ReportModule::setPreviewHook([&pages](const report::PreparedReport& p, bool) { pages = p; });
    f.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    ReportModule::setPreviewHook({});
    ASSERT_GT(pages.pageCount(), 0) << ui::Dialogs::lastText().toStdString();

    const report::PreparedItem* item = nullptr;
    for (const report::PreparedItem& it : pages.pages.first().items)
        if (it.text == account)
            item = &it;
    ASSERT_NE(item, nullptr);
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(qRound(1200 / 0.0254));
    const qreal widthMm = QFontMetricsF(item->font, &device).horizontalAdvance(item->text) / (1200 / 25.4);
    EXPECT_TRUE(item->wordWrap || widthMm <= item->rect.width()) << widthMm << " mm in " << item->rect.width();

    // The page as the operator gets it, for looking at.
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    const QString pdf = QDir(dir).filePath(QStringLiteral("producer-list-long-texts.pdf"));
    QString error;
    ASSERT_TRUE(report::writePdf(pages, pdf, &error)) << error.toStdString();
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-singlefile"),
                       pdf, QDir(dir).filePath(QStringLiteral("producer-list-long-texts"))});
}

} // namespace
