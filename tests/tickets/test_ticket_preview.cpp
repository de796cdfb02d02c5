// The ticket's real preview window: viewing yields no original, printing (on paper or to a PDF
// file) marks the ticket printed so that every later printout is a copy.
#include "Dialogs.h"
#include "ModalDriver.h"
#include "ReportModule.h"
#include "ReportPrint.h"
#include "SharedState.h"
#include "TData.h"
#include "TestDatabase.h"
#include "TicketList.h"
#include "TForm9.h"
#include "TicketEntry.h"
#include "TicketPrintScreen.h"
#include "TicketTestData.h"
#include "reportengine/previewdialog.h"

#include <QAction>
#include <QDir>
#include <QAbstractItemView>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using zeror::ui::Dialogs;
using report::PreviewDialog;

namespace {

const QString kNumber = QStringLiteral("20160001");

class TicketPreview : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<TestDatabase>();
        m_db->chooseBuyer(QStringLiteral("00001"));
        Dialogs::clear();
        ReportModule::setPreviewHook({});
        installPreviewDialogs();
        const QString target = QDir(m_db->folder()).filePath(QStringLiteral("FjLista7.frf"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/FjLista7.frf"), target));
        TestTicket t;
        t.number = kNumber;
        t.lines = {{"Búza", 1, 10001, 0}};
        insertTicket(*m_db, t);
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        m_db.reset();
    }

    // Runs the list's printout of the ticket with the action; `inPreview` answers the real preview.
    bool printout(const QString& action, std::function<void(PreviewDialog*)> inPreview)
    {
        openTicketListAt(m_db->data(), kNumber);
        sharedState().printAction = action;
        whenModal([inPreview](QWidget* w) {
            auto* preview = qobject_cast<PreviewDialog*>(w);
            if (!preview) {
                ADD_FAILURE() << "not the preview: " << w->metaObject()->className();
                w->close();
                return;
            }
            inPreview(preview);
            preview->action(PreviewDialog::Close)->trigger();
        });
        return printSelectedTicket(m_db->data(), nullptr);
    }

    QString printedFlag() { return m_db->scalar(QStringLiteral("SELECT f_prn FROM fjfej WHERE f_bszam = '%1'").arg(kNumber)); }

    std::unique_ptr<TestDatabase> m_db;
};

TEST_F(TicketPreview, ViewingOffersNeitherPrintingNorSaving)
{
    bool looked = false;
    ASSERT_TRUE(printout(QStringLiteral("Megtekint"), [&looked](PreviewDialog* p) {
        looked = true;
        EXPECT_FALSE(p->printAllowed());
        for (auto which : {PreviewDialog::Print, PreviewDialog::SavePdf}) {
            EXPECT_FALSE(p->action(which)->isVisible()) << which;
            EXPECT_FALSE(p->action(which)->isEnabled()) << which;
        }
        // Neither the shortcuts nor a direct call reach a print or file dialog (the harness
        // fails the test on a file dialog nobody answered).
        QTest::keySequence(p, QKeySequence::Save);
        QTest::keySequence(p, QKeySequence::Print);
        EXPECT_FALSE(p->savePdf());
        EXPECT_FALSE(p->printReport());
    }));
    EXPECT_TRUE(looked);
    EXPECT_EQ(printedFlag(), QStringLiteral(" ")) << "viewing leaves the ticket unprinted and changeable";
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
}

TEST_F(TicketPreview, SavingAsPdfFromPrintCountsAsPrinting)
{
    const QString pdf = QDir(m_db->folder()).filePath(QStringLiteral("jegy.pdf"));
    Dialogs::queueFileName(pdf);
    ASSERT_TRUE(printout(QStringLiteral("Nyomtat"), [](PreviewDialog* p) {
        EXPECT_TRUE(p->action(PreviewDialog::SavePdf)->isVisible());
        // The proposed name carries the ticket number.
        EXPECT_EQ(p->suggestedPdfName(), QStringLiteral("Felvásárlási jegy 20160001.pdf"));
        p->action(PreviewDialog::SavePdf)->trigger();
    }));
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(printedFlag(), QStringLiteral("I"));

    // Every later printout is the copy.
    report::PreparedReport pages;
    ReportModule::setPreviewHook([&pages](const report::PreparedReport& p, bool) { pages = p; });
    openTicketListAt(m_db->data(), kNumber);
    sharedState().printAction = QStringLiteral("Nyomtat");
    ASSERT_TRUE(printSelectedTicket(m_db->data(), nullptr));
    EXPECT_TRUE(pages.texts().contains(QStringLiteral("MÁSOLATI PÉLDÁNY")));
    EXPECT_EQ(pages.title, QStringLiteral("Felvásárlási jegy 20160001"));
}

// ---- Long texts on the printed ticket, amounts in the entry screen's grid ----

const char* const kLongName = "Étkezési búza, I. osztályú, szárított, tisztított, zsákolt, 50 kg-os zsák";

QString screenshotPath(const QString& name)
{
    QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
    return QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + name;
}

TEST_F(TicketPreview, LongProductNameStaysInItsColumn)
{
    TestTicket t;
    t.number = QStringLiteral("20160002");
    t.lines = {{kLongName, 12500.5, 48.75, 7}, {"Kukorica", 830.25, 42, 7}};
    insertTicket(*m_db, t);
    report::PreparedReport pages;
    ReportModule::setPreviewHook([&pages](const report::PreparedReport& p, bool) { pages = p; });
    openTicketListAt(m_db->data(), t.number);
    sharedState().printAction = QStringLiteral("Megtekint");
    ASSERT_TRUE(printSelectedTicket(m_db->data(), nullptr));
    ASSERT_GT(pages.pageCount(), 0);

    const report::PreparedItem* name = nullptr;
    const report::PreparedItem* vtsz = nullptr;
    for (const report::PreparedItem& it : pages.pages.first().items) {
        if (it.objectName == QLatin1String("Megnevezes") && it.text == QString::fromUtf8(kLongName))
            name = &it;
        if (it.objectName == QLatin1String("Vtsz") && !vtsz && name)
            vtsz = &it;
    }
    ASSERT_NE(name, nullptr);
    ASSERT_NE(vtsz, nullptr);
    EXPECT_TRUE(name->wordWrap);
    EXPECT_LE(name->rect.right(), vtsz->rect.left() + 1e-6);
    EXPECT_GT(name->rect.height(), 4.5) << "the long name takes more lines, the row grows";

    QString error;
    const QString pdf = screenshotPath(QStringLiteral("ticket-long-texts.pdf"));
    ASSERT_TRUE(report::writePdf(pages, pdf, &error)) << error.toStdString();
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                                                   QStringLiteral("-singlefile"), pdf,
                                                   screenshotPath(QStringLiteral("ticket-long-texts"))});
}

TEST_F(TicketPreview, EntryGridShowsFormattedAmounts)
{
    TestTicket t;
    t.number = QStringLiteral("20160003");
    t.lines = {{"Búza", 12500.5, 48.75, 7}, {"Napraforgó", 4086.3493125, 110.3, 12}};
    insertTicket(*m_db, t);
    openTicketListAt(m_db->data(), t.number);
    sharedState().ticketEntryMode = ticketentry::ModifyTicketMode;
    TForm9 f;
    f.loadTicket();
    f.resize(1100, 720);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    auto* grid = f.findChild<QAbstractItemView*>(QStringLiteral("linesGrid"));
    ASSERT_NE(grid, nullptr);
    auto* model = grid->model();
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles << model->headerData(c, Qt::Horizontal).toString();
    const int quantity = titles.indexOf(QStringLiteral("Mennyiség"));
    const int price = titles.indexOf(QStringLiteral("Vételár"));
    ASSERT_GE(quantity, 0);
    ASSERT_GE(price, 0);
    EXPECT_EQ(model->index(0, quantity).data().toString(), QStringLiteral("12 500,5"));
    EXPECT_EQ(model->index(1, quantity).data().toString(), QStringLiteral("4 086,3493"));
    const QRegularExpression money(QStringLiteral("^-?\\d{1,3}( \\d{3})*,\\d\\d$"));
    for (int r = 0; r < 2; ++r) {
        const QString text = model->index(r, price).data().toString();
        EXPECT_TRUE(money.match(text).hasMatch()) << text.toStdString();
        EXPECT_EQ(model->index(r, price).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
                  Qt::AlignRight);
        // The column is wide enough for the whole figure.
        EXPECT_GE(grid->visualRect(model->index(r, price)).width(), grid->fontMetrics().horizontalAdvance(text));
    }
    grid->setFocus();
    EXPECT_TRUE(f.grab().save(screenshotPath(QStringLiteral("ticket-entry-grid-amounts.png"))));
}

} // namespace
