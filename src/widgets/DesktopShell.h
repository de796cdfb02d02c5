#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace zeror::ui {

// The desktop's "open" request and the start of an outside program, behind hooks that tests
// replace so that nothing is opened or started while they run.
namespace desktop {

// Opens a link or a file with the desktop's default program; false when the desktop refused.
bool openUrl(const QUrl& url);
// Starts a program without waiting for it; false when it could not be started.
bool startProgram(const QString& program, const QStringList& arguments = {}, const QString& workingFolder = {});
// The full path of a program found on PATH, or "" when there is none.
QString findProgram(const QString& name);

// Replacements; an empty function restores the desktop's own.
void setOpenUrlHook(std::function<bool(const QUrl&)> hook);
void setStartProgramHook(std::function<bool(const QString&, const QStringList&, const QString&)> hook);
void setFindProgramHook(std::function<QString(const QString&)> hook);

} // namespace desktop
} // namespace zeror::ui
