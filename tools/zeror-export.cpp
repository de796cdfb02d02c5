// The exports of the register from a command line: the 1608M month files, the tax-audit XML, the
// Excel workbooks and the text export, without opening a window.
#include "ExportCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeror-export"));
    // The progress line only where someone watches it: standard error is a terminal.
    const bool progressLine = ::isatty(STDERR_FILENO) == 1;
    return zeror::exportcli::run(QCoreApplication::arguments().mid(1), stdout, stderr, progressLine);
}
