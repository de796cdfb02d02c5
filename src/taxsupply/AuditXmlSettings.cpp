#include "AuditXmlSettings.h"

#include "Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zeror::auditxml {

namespace {

QString& overridePath()
{
    static QString path;
    return path;
}

const QString kSection = QStringLiteral("XML/");

} // namespace

Settings defaultSettings()
{
    return {QStringLiteral("C:\\RU2016\\szamlak.xml"), QStringLiteral("true"),
            QStringLiteral("Papir alapon számítógéppel kiállított")};
}

QString settingsFilePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    const QFileInfo program(QCoreApplication::applicationFilePath());
    QString name = program.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return program.absoluteDir().filePath(name + QStringLiteral("XML.ini"));
}

void setSettingsFilePath(const QString& path)
{
    overridePath() = path;
}

Settings loadSettings(const QString& iniPath)
{
    const Settings d = defaultSettings();
    QSettings ini(iniPath, QSettings::IniFormat);
    Settings s;
    s.hova = ini.value(kSection + QStringLiteral("hova"), d.hova).toString();
    s.onszla = ini.value(kSection + QStringLiteral("onszla"), d.onszla).toString();
    s.papir = ini.value(kSection + QStringLiteral("papir"), d.papir).toString();
    return s;
}

void saveSettings(const Settings& s, const QString& iniPath)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(kSection + QStringLiteral("hova"), s.hova);
    ini.setValue(kSection + QStringLiteral("onszla"), s.onszla);
    ini.setValue(kSection + QStringLiteral("papir"), s.papir);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw Error(QStringLiteral("A beállítások nem írhatók ide: %1").arg(iniPath));
}

} // namespace zeror::auditxml
