// Opens the preview of templates/example.frf over the example data.
//   reportengine_preview_demo                 shows the window (e.g. under Xvfb)
//   reportengine_preview_demo --grab out.png  saves a picture of the window and quits
//   reportengine_preview_demo --pdf out.pdf   writes the PDF and quits
//   --page N and --landscape change what is shown.

#include "exampledata.h"

#include "reportengine/previewdialog.h"
#include "reportengine/reportengine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.addHelpOption();
    const QCommandLineOption grabOpt(QStringLiteral("grab"), QStringLiteral("Save a picture of the window."), QStringLiteral("png"));
    const QCommandLineOption pdfOpt(QStringLiteral("pdf"), QStringLiteral("Write the PDF."), QStringLiteral("pdf"));
    const QCommandLineOption pageOpt(QStringLiteral("page"), QStringLiteral("Page to show (1-based)."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption landscapeOpt(QStringLiteral("landscape"), QStringLiteral("Print across the page."));
    const QCommandLineOption templateOpt(QStringLiteral("template"), QStringLiteral("Template file."), QStringLiteral("frf"),
                                         QStringLiteral(REPORT_EXAMPLE_TEMPLATE));
    args.addOptions({grabOpt, pdfOpt, pageOpt, landscapeOpt, templateOpt});
    args.process(app);

    ExampleData data;
    report::Report rep;
    QString error;
    if (!rep.loadFromFile(args.value(templateOpt), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (args.isSet(landscapeOpt))
        rep.setOrientation(QPageLayout::Landscape);
    if (!rep.prepare(data.registry, data.variables, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d pages\n", rep.prepared().pageCount());
    if (args.isSet(pdfOpt)) {
        if (!report::writePdf(rep.prepared(), args.value(pdfOpt), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (!args.isSet(grabOpt))
            return 0;
    }
    report::PreviewDialog dialog(rep.prepared(), true);
    dialog.setCurrentPage(args.value(pageOpt).toInt() - 1);
    if (args.isSet(grabOpt)) {
        const QString file = args.value(grabOpt);
        dialog.resize(1100, 860);
        dialog.show();
        QTimer::singleShot(500, &dialog, [&dialog, file] {
            dialog.grab().save(file);
            dialog.accept();
        });
    }
    dialog.exec();
    return 0;
}
