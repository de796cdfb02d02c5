#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace zeror::settings {

// The program's own settings beyond the screens' historical ini files: one "zeror.ini" in the
// working folder, a section per screen ("menu/showHidden", "excel/folder", "grids/…").
std::unique_ptr<QSettings> open();
QString filePath();

// Shorthands for one value; reading a missing key gives the default.
QVariant value(const QString& key, const QVariant& defaultValue = {});
void setValue(const QString& key, const QVariant& value);

// The hidden menu items are shown and enabled when "[menu] showHidden=true" is set or the
// command line asked for it (--show-hidden).
bool showHiddenMenuItems();
void setShowHiddenFromCommandLine(bool on);

} // namespace zeror::settings
