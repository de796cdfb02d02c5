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
#include "TicketPrintScreen.h"
#include "TicketTestData.h"
#include "reportengine/previewdialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
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

} // namespace
