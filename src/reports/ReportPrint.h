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

// The title a printout is shown, printed and saved under: the template's title and the words
// of this print ("Felvásárlási jegy 20160001", "Tételes lista 2016.01.01-2016.12.31").
QString printTitle(const QString& templateTitle, const QString& suffix);
// A list's period as the title words: "2016.01.01-2016.12.31"; empty when a date is missing.
QString periodSuffix(const QDate& from, const QDate& to);

// Routes the preview window's file dialog and messages through the program's Dialogs, so that
// they look like the rest of the program and tests can answer them. Called once at start-up.
void installPreviewDialogs();

} // namespace zeror
