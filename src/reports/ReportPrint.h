#pragma once

#include "ReportModule.h"

class QWidget;

namespace zeror {

// The print sequence as the screens run it: prepares the report (ReportModule::prepare) and shows
// the modal preview, with printing offered for Target::Nyomtat only. A template that cannot be
// loaded, or a failing query, is shown as an error message; false then.
bool printReport(const QString& templateFile, QPageLayout::Orientation orientation,
                 ReportModule::Target target = ReportModule::Target::Nyomtat, QWidget* parent = nullptr,
                 bool readBuyer = true);

// Routes the preview window's file dialog and messages through the program's Dialogs, so that
// they look like the rest of the program and tests can answer them. Called once at start-up.
void installPreviewDialogs();

} // namespace zeror
