#pragma once

#include <QString>

namespace zeror::auditxml {

// The screen's three settings, kept in section "XML" of the ini file beside the program.
struct Settings
{
    QString hova;   // path of the XML file, as the operator sees it ("C:\RU2016\szamlak.xml")
    QString onszla; // text of `onszamla`
    QString papir;  // text of `szla_forma`
};

// The defaults the screen's captions show; they stand in for a key the ini file lacks.
Settings defaultSettings();

// The program file's path with its extension replaced by "XML.ini" (prog.exe -> progXML.ini;
// a program without an extension gets "XML.ini" appended). Tests may point it elsewhere.
QString settingsFilePath();
void setSettingsFilePath(const QString& path); // empty: back to the program's own

// Reads the three keys; a missing key gives its default.
Settings loadSettings(const QString& iniPath = settingsFilePath());
// Writes the three keys; throws Error when the file cannot be written.
void saveSettings(const Settings& s, const QString& iniPath = settingsFilePath());

} // namespace zeror::auditxml
