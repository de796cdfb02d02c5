#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zeror::ui {

// What a main-menu item opens, by the item's object name ("Vlaszts1", "stermel1", …).
// Each screen library registers its own screens; the main window only looks them up.
using ScreenOpener = std::function<void(QWidget* parent)>;

void registerScreen(const QString& itemName, ScreenOpener opener);
bool hasScreen(const QString& itemName);
// Opens the item's screen modally over the parent; false when no screen is registered for it.
bool openScreen(const QString& itemName, QWidget* parent);

} // namespace zeror::ui
