#pragma once

#include <QString>

namespace zeror::paths {

// The program shows the Windows folders its users know ("C:\RU2016\01\", "c:\ru2016\ment\")
// as defaults. Off Windows such a drive path is mapped to a folder under a root (default: the
// user's home folder; ZEROR_WINDOWS_ROOT or setWindowsRoot() change it): drive C is the root
// itself, another drive a folder named by its letter, and every folder name is lower case, so
// "C:\RU2016\01\" and "c:\ru2016\01\" are the same folder ("~/ru2016/01/"). A path without a
// drive is returned with its separators turned into "/". A trailing separator is kept.
QString localPath(const QString& windowsPath);

// True for "C:\…", "c:/…" and "C:".
bool isDrivePath(const QString& path);

// Joins a folder text and a file name, adding the separator the folder text lacks.
QString joinPath(const QString& folder, const QString& fileName);

QString windowsRoot();
void setWindowsRoot(const QString& root); // empty: back to the default

} // namespace zeror::paths
