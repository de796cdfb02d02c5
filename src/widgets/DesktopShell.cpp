#include "DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace zeror::ui::desktop {

namespace {
std::function<bool(const QUrl&)> g_openUrl;
std::function<bool(const QString&, const QStringList&, const QString&)> g_startProgram;
std::function<QString(const QString&)> g_findProgram;
} // namespace

bool openUrl(const QUrl& url)
{
    if (g_openUrl)
        return g_openUrl(url);
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    if (g_startProgram)
        return g_startProgram(program, arguments, workingFolder);
    return QProcess::startDetached(program, arguments, workingFolder);
}

QString findProgram(const QString& name)
{
    if (g_findProgram)
        return g_findProgram(name);
    return QStandardPaths::findExecutable(name);
}

void setOpenUrlHook(std::function<bool(const QUrl&)> hook)
{
    g_openUrl = std::move(hook);
}

void setStartProgramHook(std::function<bool(const QString&, const QStringList&, const QString&)> hook)
{
    g_startProgram = std::move(hook);
}

void setFindProgramHook(std::function<QString(const QString&)> hook)
{
    g_findProgram = std::move(hook);
}

} // namespace zeror::ui::desktop
