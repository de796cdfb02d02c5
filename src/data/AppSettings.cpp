#include "AppSettings.h"

#include <QDir>

namespace zeror::settings {

namespace {
bool& commandLineShowHidden()
{
    static bool on = false;
    return on;
}
} // namespace

QString filePath()
{
    return QDir::current().absoluteFilePath(QStringLiteral("zeror.ini"));
}

std::unique_ptr<QSettings> open()
{
    return std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
}

QVariant value(const QString& key, const QVariant& defaultValue)
{
    return open()->value(key, defaultValue);
}

void setValue(const QString& key, const QVariant& value)
{
    auto s = open();
    s->setValue(key, value);
    s->sync();
}

bool showHiddenMenuItems()
{
    return commandLineShowHidden() || value(QStringLiteral("menu/showHidden"), false).toBool();
}

void setShowHiddenFromCommandLine(bool on)
{
    commandLineShowHidden() = on;
}

} // namespace zeror::settings
