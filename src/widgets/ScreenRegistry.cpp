#include "ScreenRegistry.h"

#include <QHash>

namespace zeror::ui {

namespace {
QHash<QString, ScreenOpener>& screens()
{
    static QHash<QString, ScreenOpener> registry;
    return registry;
}
} // namespace

void registerScreen(const QString& itemName, ScreenOpener opener)
{
    screens().insert(itemName, std::move(opener));
}

bool hasScreen(const QString& itemName)
{
    return screens().contains(itemName);
}

bool openScreen(const QString& itemName, QWidget* parent)
{
    const auto it = screens().constFind(itemName);
    if (it == screens().constEnd())
        return false;
    (*it)(parent);
    return true;
}

} // namespace zeror::ui
