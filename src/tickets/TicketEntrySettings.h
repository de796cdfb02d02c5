#pragma once

#include <QString>

namespace zeror {

// Where a screen's layout settings file lies. Looked for in this order, the first that exists wins:
//  1. beside the program file, named like it with the program file's extension (dot included)
//     replaced by the suffix: "C:\RU\zeror.exe" -> "C:\RU\zerorform9.ini"; a program file without
//     an extension simply gets the suffix appended: "/opt/zeror/zeror" -> "/opt/zeror/zerorform9.ini";
//  2. a file named just the suffix ("form9.ini") in the working folder, so that a bookkeeper's
//     work folder can carry its own settings.
// Returns "" when neither exists; the settings then read as empty values.
QString locateSettingsFile(const QString& programFile, const QString& suffix, const QString& workingFolder);

// The first place above, whether or not the file exists.
QString settingsFileBesideProgram(const QString& programFile, const QString& suffix);

// locateSettingsFile for the running program and the current working folder.
QString locateProgramSettingsFile(const QString& suffix);

// One value of an ini file; a missing file, section or key reads as "". A value holding commas
// ("12,5") is returned whole, as it stands in the file.
QString readSettingsValue(const QString& file, const QString& section, const QString& key);

// "form9.ini", section "Form9": which optional header fields show, and their defaults.
struct Form9Settings
{
    bool weightDeductionVisible = false; // "Edit14Visible": "Súlylevon.%"
    bool contributionVisible = false;    // "Edit15Visible": "Tagi h.járul.%"
    bool deductionVisible = false;       // "Edit13Visible": "Levonás (Ft)"
    QString weightDeductionText;         // "Edit14Text"
    QString contributionText;            // "Edit15Text"
    QString deductionText;               // "Edit13Text"
};
Form9Settings readForm9Settings(const QString& file);

// "form10.ini", section "Form10": the "Bizonylat" field and the default surcharge rate of a new line.
struct Form10Settings
{
    bool documentVisible = false; // "Edit10Visible"
    QString rateText;             // "Edit8Text"
};
Form10Settings readForm10Settings(const QString& file);

} // namespace zeror
