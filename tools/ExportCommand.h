#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// The command-line exports: the 1608M month files, the tax-audit XML, the two Excel workbooks and
// the text export, run over the same rule and writer functions as their screens.
namespace zeror::exportcli {

// Exit statuses of the tool.
enum ExitStatus : int {
    Done = 0,        // the files were written
    Refused = 1,     // a check or the export refused (the screen's own message was printed)
    BadCommand = 2,  // the command line was wrong (unknown subcommand or option, bad date)
    NoDatabase = 3,  // the database could not be opened
};

// The help text: Hungarian first, then English.
QString helpText();

// Runs one command line (arguments without the program name). Messages go to `err`, the names of
// the written files and the closing message to `out`; a progress line is drawn on `err` only when
// `progressLine` is set (the caller sets it when standard error is a terminal).
int run(const QStringList& arguments, std::FILE* out, std::FILE* err, bool progressLine);

} // namespace zeror::exportcli
