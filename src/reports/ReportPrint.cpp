#include "ReportPrint.h"

#include "Dialogs.h"
#include "Error.h"
#include "reportengine/previewdialog.h"

namespace zeror {

QString printTitle(const QString& templateTitle, const QString& suffix)
{
    const QString title = templateTitle.trimmed();
    const QString extra = suffix.trimmed();
    if (extra.isEmpty())
        return title;
    return title.isEmpty() ? extra : title + QLatin1Char(' ') + extra;
}

QString periodSuffix(const QDate& from, const QDate& to)
{
    if (!from.isValid() || !to.isValid())
        return QString();
    const QString f = QStringLiteral("yyyy.MM.dd");
    return from.toString(f) + QLatin1Char('-') + to.toString(f);
}

bool printReport(const QString& templateFile, QPageLayout::Orientation orientation, ReportModule::Target target,
                 QWidget* parent, bool readBuyer)
{
    ReportModule& module = ReportModule::instance();
    const QString suffix = module.takeTitleSuffix();
    report::PreparedReport pages;
    try {
        pages = module.prepare(templateFile, orientation, target, readBuyer);
    } catch (const Error& e) {
        ui::Dialogs::error(parent, e.message());
        return false;
    }
    pages.title = printTitle(pages.title, suffix);
    const bool allowPrint = target == ReportModule::Target::Nyomtat;
    if (const auto& hook = ReportModule::previewHook()) {
        hook(pages, allowPrint);
        return true;
    }
    report::PreviewDialog preview(pages, allowPrint, parent);
    preview.setWindowModality(Qt::ApplicationModal);
    preview.exec();
    return true;
}

void installPreviewDialogs()
{
    report::PreviewDialog::defaultMessageHook() = [](QWidget* parent, const QString& message) {
        ui::Dialogs::error(parent, message);
    };
    report::PreviewDialog::defaultPdfFileNameHook() = [](QWidget* parent) {
        const auto* preview = qobject_cast<report::PreviewDialog*>(parent);
        return ui::Dialogs::saveFileName(parent, QStringLiteral("Mentés PDF-be"),
                                         preview ? preview->suggestedPdfName() : QString(),
                                         QStringLiteral("PDF fájlok (*.pdf)"));
    };
}

} // namespace zeror
