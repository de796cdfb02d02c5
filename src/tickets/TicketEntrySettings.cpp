#include "TicketEntrySettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace zeror {

QString settingsFileBesideProgram(const QString& programFile, const QString& suffix)
{
    const QFileInfo info(programFile);
    const QString ext = info.suffix(); // the part after the last dot of the file name only
    QString path = info.filePath();
    if (!ext.isEmpty())
        path.chop(ext.size() + 1);
    return path + suffix;
}

QString locateSettingsFile(const QString& programFile, const QString& suffix, const QString& workingFolder)
{
    if (!programFile.isEmpty()) {
        const QString beside = settingsFileBesideProgram(programFile, suffix);
        if (QFileInfo(beside).isFile())
            return beside;
    }
    const QString local = QDir(workingFolder).filePath(suffix);
    if (QFileInfo(local).isFile())
        return local;
    return QString();
}

QString locateProgramSettingsFile(const QString& suffix)
{
    return locateSettingsFile(QCoreApplication::applicationFilePath(), suffix, QDir::currentPath());
}

QString readSettingsValue(const QString& file, const QString& section, const QString& key)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return QString();
    QSettings ini(file, QSettings::IniFormat);
    const QVariant v = ini.value(section + QLatin1Char('/') + key);
    // QSettings reads an unquoted value with commas as a list; the decimal comma must survive.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

Form9Settings readForm9Settings(const QString& file)
{
    const QString section = QStringLiteral("Form9");
    auto value = [&](const char* key) { return readSettingsValue(file, section, QString::fromLatin1(key)); };
    Form9Settings s;
    s.weightDeductionVisible = value("Edit14Visible") == QLatin1String("1");
    s.contributionVisible = value("Edit15Visible") == QLatin1String("1");
    s.deductionVisible = value("Edit13Visible") == QLatin1String("1");
    s.weightDeductionText = value("Edit14Text");
    s.contributionText = value("Edit15Text");
    s.deductionText = value("Edit13Text");
    return s;
}

Form10Settings readForm10Settings(const QString& file)
{
    const QString section = QStringLiteral("Form10");
    Form10Settings s;
    s.documentVisible = readSettingsValue(file, section, QStringLiteral("Edit10Visible")) == QLatin1String("1");
    s.rateText = readSettingsValue(file, section, QStringLiteral("Edit8Text"));
    return s;
}

} // namespace zeror
