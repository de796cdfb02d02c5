#pragma once

#include <QString>
#include <QStringList>

namespace zeror::help {

// The user manual, looked for in the working folder.
inline const QString kManualFileName = QStringLiteral("sugo.pdf");
// The key in zeror.ini that names the remote-support program ("[remotehelp] program=…").
inline const QString kRemoteProgramKey = QStringLiteral("remotehelp/program");

QString manualPath();
QString manualMissingMessage();

// The about text, line by line: the title, the years, the version, then the maker's lines.
QStringList aboutLines();

// The remote-support program named in zeror.ini (a bare name is looked for in the working
// folder first, then on PATH); "" when none is configured.
QString configuredRemoteProgram();
// The full path to start, or "" when the configured program cannot be found.
QString resolveRemoteProgram(const QString& configured);
QString remoteNotConfiguredMessage();
QString remoteNotFoundMessage(const QString& configured);

} // namespace zeror::help
