// The preview window: captions, navigation, zoom, print only when allowed,
// saving a PDF through the scripted file-name hook.

#include "exampledata.h"
#include "testutil.h"

#include "reportengine/previewdialog.h"
#include "reportengine/render.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

report::PreparedReport threePages()
{
    report::PreparedReport rep;
    rep.title = QStringLiteral("Próba");
    for (int i = 1; i <= 3; ++i) {
        report::PreparedPage page;
        report::PreparedItem it;
        it.rect = QRectF(10, 10, 100, 10);
        it.text = QStringLiteral("%1. oldal – őű").arg(i);
        it.font = QFont(QStringLiteral("DejaVu Sans"));
        it.font.setPointSizeF(12);
        page.items << it;
        rep.pages << page;
    }
    return rep;
}

QStringList toolbarTexts(const report::PreviewDialog& dlg)
{
    QStringList out;
    const auto* bar = dlg.findChild<QToolBar*>();
    if (!bar)
        return out;
    for (QAction* a : bar->actions())
        if (a->isVisible() && !a->isSeparator() && !a->text().isEmpty())
            out << a->text();
    return out;
}

}  // namespace

TEST(Preview, ToolbarHasHungarianCaptions)
{
    report::PreviewDialog dlg(threePages(), true);
    EXPECT_EQ(toolbarTexts(dlg),
              (QStringList{QStringLiteral("Első"), QStringLiteral("Előző"), QStringLiteral("Következő"),
                           QStringLiteral("Utolsó"), QStringLiteral("Nagyítás"), QStringLiteral("Kicsinyítés"),
                           QStringLiteral("Egész oldal"), QStringLiteral("Oldalszélesség"), QStringLiteral("Nyomtatás"),
                           QStringLiteral("Mentés PDF-be"), QStringLiteral("Bezárás")}));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Nyomtatási kép – Próba"));
}

TEST(Preview, PrintAndSaveAreOfferedOnlyWhenAllowed)
{
    report::PreviewDialog viewOnly(threePages(), false);
    EXPECT_FALSE(viewOnly.printAllowed());
    EXPECT_FALSE(toolbarTexts(viewOnly).contains(QStringLiteral("Nyomtatás")));
    EXPECT_FALSE(toolbarTexts(viewOnly).contains(QStringLiteral("Mentés PDF-be")));
    EXPECT_FALSE(viewOnly.action(report::PreviewDialog::SavePdf)->isEnabled());
    bool asked = false;
    viewOnly.printDialogHook = [&](QWidget*, QPrinter*) { return asked = true; };
    viewOnly.pdfFileNameHook = [&](QWidget*) {
        asked = true;
        return QStringLiteral("/tmp/never.pdf");
    };
    EXPECT_FALSE(viewOnly.printReport());
    EXPECT_FALSE(viewOnly.savePdf());
    // Not through the shortcuts either.
    viewOnly.show();
    QTest::keySequence(&viewOnly, QKeySequence::Save);
    QTest::keySequence(&viewOnly, QKeySequence::Print);
    EXPECT_FALSE(asked);
    viewOnly.close();
}

TEST(Preview, NavigatesPages)
{
    report::PreviewDialog dlg(threePages(), true);
    struct Step {
        report::PreviewDialog::Action action;
        int page;
    };
    const Step steps[] = {
        {report::PreviewDialog::Next, 1}, {report::PreviewDialog::Next, 2}, {report::PreviewDialog::Next, 2},
        {report::PreviewDialog::Previous, 1}, {report::PreviewDialog::First, 0},
        {report::PreviewDialog::Previous, 0}, {report::PreviewDialog::Last, 2},
    };
    EXPECT_EQ(dlg.pageLabelText(), QStringLiteral("1 / 3"));
    EXPECT_FALSE(dlg.action(report::PreviewDialog::First)->isEnabled());
    for (const Step& s : steps) {
        dlg.action(s.action)->trigger();
        EXPECT_EQ(dlg.currentPage(), s.page);
        EXPECT_EQ(dlg.pageLabelText(), QStringLiteral("%1 / 3").arg(s.page + 1));
        EXPECT_EQ(dlg.action(report::PreviewDialog::Previous)->isEnabled(), s.page > 0);
        EXPECT_EQ(dlg.action(report::PreviewDialog::Next)->isEnabled(), s.page < 2);
    }
}

TEST(Preview, ZoomsAndFits)
{
    report::PreviewDialog dlg(threePages(), true);
    dlg.resize(900, 700);
    dlg.show();
    dlg.fitPage();
    EXPECT_EQ(dlg.fitMode(), report::PreviewDialog::Fit::Page);
    const qreal fitPage = dlg.zoom();
    dlg.fitWidth();
    EXPECT_EQ(dlg.fitMode(), report::PreviewDialog::Fit::Width);
    EXPECT_GT(dlg.zoom(), fitPage);  // an A4 page is taller than wide
    dlg.setZoom(1.0);
    dlg.action(report::PreviewDialog::ZoomIn)->trigger();
    EXPECT_GT(dlg.zoom(), 1.0);
    EXPECT_EQ(dlg.fitMode(), report::PreviewDialog::Fit::None);
    dlg.action(report::PreviewDialog::ZoomOut)->trigger();
    dlg.action(report::PreviewDialog::ZoomOut)->trigger();
    EXPECT_LT(dlg.zoom(), 1.0);
    for (int i = 0; i < 30; ++i)
        dlg.zoomIn();
    EXPECT_FALSE(dlg.action(report::PreviewDialog::ZoomIn)->isEnabled());
    const QImage shot = dlg.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    dlg.close();
}

TEST(Preview, SavesPdfThroughTheFileNameHook)
{
    QTemporaryDir dir;
    report::PreviewDialog dlg(threePages(), true);
    int asked = 0;
    dlg.pdfFileNameHook = [&](QWidget* parent) {
        ++asked;
        EXPECT_EQ(parent, &dlg);
        return dir.filePath(QStringLiteral("mentett"));
    };
    QStringList messages;
    dlg.messageHook = [&](QWidget*, const QString& m) { messages << m; };
    dlg.action(report::PreviewDialog::SavePdf)->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("mentett.pdf"))));  // the extension is added
    EXPECT_TRUE(messages.isEmpty());

    // Cancelling the file dialog writes nothing.
    dlg.pdfFileNameHook = [](QWidget*) { return QString(); };
    EXPECT_FALSE(dlg.savePdf());

    // A file that cannot be written is reported to the user.
    dlg.pdfFileNameHook = [](QWidget*) { return QStringLiteral("/nonexistent/dir/x.pdf"); };
    EXPECT_FALSE(dlg.savePdf());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("/nonexistent/dir/x.pdf")));
}

TEST(Preview, DefaultHooksReachDialogsOpenedElsewhere)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("alap.pdf"));
    report::PreviewDialog::defaultPdfFileNameHook() = [&](QWidget*) { return file; };
    report::PreviewDialog dlg(threePages(), true);
    report::PreviewDialog::defaultPdfFileNameHook() = nullptr;
    EXPECT_TRUE(dlg.savePdf());
    EXPECT_TRUE(QFile::exists(file));
}

TEST(Preview, PrintsThroughThePrintDialogHook)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("nyomtatott.pdf"));
    report::PreviewDialog dlg(threePages(), true);
    dlg.setCurrentPage(1);
    dlg.printDialogHook = [&](QWidget*, QPrinter* printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setPrintRange(QPrinter::CurrentPage);
        return true;
    };
    EXPECT_TRUE(dlg.printReport());
    EXPECT_TRUE(QFile::exists(file));

    dlg.printDialogHook = [](QWidget*, QPrinter*) { return false; };  // the user cancels
    EXPECT_FALSE(dlg.printReport());
}

TEST(Preview, ShowsThePreparedExample)
{
    ExampleData data;
    report::Report r;
    QString error;
    ASSERT_TRUE(r.loadFromFile(QStringLiteral(REPORT_EXAMPLE_TEMPLATE), &error)) << str(error);
    ASSERT_TRUE(r.prepare(data.registry, data.variables, &error)) << str(error);
    report::PreviewDialog dlg(r.prepared(), true);
    EXPECT_EQ(dlg.pageCount(), r.prepared().pageCount());
    dlg.resize(800, 600);
    dlg.show();
    dlg.lastPage();
    EXPECT_EQ(dlg.pageLabelText(), QStringLiteral("%1 / %1").arg(r.prepared().pageCount()));
    dlg.close();
}
