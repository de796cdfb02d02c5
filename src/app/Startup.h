#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zeror {

class DbError;
class TData;

struct StartupOptions
{
    QString database; // empty: the default bare file name in the working folder
    bool splash = true;
    bool showHidden = false; // shows and enables the menu items this version keeps hidden
};

// Reads "--database NAME" (or the ZEROR_DATABASE environment variable), "--no-splash" and
// "--show-hidden".
StartupOptions parseStartupOptions(const QStringList& arguments);

// The message shown when the database cannot be opened: the program's own two lines,
// followed by the reason (missing file, in use by another program, not a database).
QString startupFailureMessage(const DbError& error, const QString& database);

// Opens the connection and the six table datasets; on failure shows the message and returns false.
bool openDataModule(TData& data, QWidget* parent = nullptr);

// Registers every screen the main menu can open.
void registerScreens();

} // namespace zeror
