#include "WinPaths.h"

#include <QDir>

namespace zeror::paths {

namespace {
QString& rootOverride()
{
    static QString root;
    return root;
}
} // namespace

QString windowsRoot()
{
    if (!rootOverride().isEmpty())
        return rootOverride();
    const QString env = qEnvironmentVariable("ZEROR_WINDOWS_ROOT");
    return env.isEmpty() ? QDir::homePath() : env;
}

void setWindowsRoot(const QString& root)
{
    rootOverride() = root;
}

bool isDrivePath(const QString& path)
{
    return path.size() >= 2 && path.at(0).isLetter() && path.at(0).unicode() < 128
        && path.at(1) == QLatin1Char(':')
        && (path.size() == 2 || path.at(2) == QLatin1Char('\\') || path.at(2) == QLatin1Char('/'));
}

QString localPath(const QString& windowsPath)
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString rest = windowsPath;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!isDrivePath(windowsPath))
        return rest;
    const QChar drive = windowsPath.at(0).toLower();
    rest = rest.mid(2);
    const bool trailing = rest.endsWith(QLatin1Char('/'));
    QString base = QDir::cleanPath(windowsRoot());
    if (drive != QLatin1Char('c'))
        base += QLatin1Char('/') + QString(drive);
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString result = base;
    for (const QString& part : parts)
        result += QLatin1Char('/') + part.toLower();
    if (trailing || parts.isEmpty())
        result += QLatin1Char('/');
    return result;
#endif
}

QString joinPath(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty())
        return fileName;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    const QChar sep = folder.contains(QLatin1Char('\\')) && !folder.contains(QLatin1Char('/'))
        ? QLatin1Char('\\') : QLatin1Char('/');
    return folder + sep + fileName;
}

} // namespace zeror::paths
