#include "UserFolder.h"

#include "DatabaseSetup.h"
#include "Error.h"
#include "TData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zeror::userfolder {

namespace {

// The installation prefix: the folder above the program's own bin folder.
QString installPrefix()
{
    QDir dir(QCoreApplication::applicationDirPath());
    const QStringList binParts = QStringLiteral(ZEROR_INSTALL_BINDIR).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < binParts.size(); ++i)
        dir.cdUp();
    return dir.absolutePath();
}

// Copies the file when the target is missing or older; true when it copied.
bool refresh(const QString& source, const QString& target)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && to.lastModified() >= from.lastModified())
        return false;
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    if (!QFile::copy(source, temporary))
        throw Error(QStringLiteral("Nem másolható a fájl: %1 -> %2")
                        .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target)));
    // The copy keeps the shipped time, so a later release is recognised as newer.
    QFile copy(temporary);
    if (copy.open(QIODevice::ReadWrite)) {
        copy.setFileTime(from.lastModified(), QFileDevice::FileModificationTime);
        copy.close();
    }
    QFile::setPermissions(temporary, QFile::permissions(temporary) | QFileDevice::WriteOwner);
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        throw Error(QStringLiteral("Nem írható a fájl: %1").arg(QDir::toNativeSeparators(target)));
    }
    return true;
}

} // namespace

QString dataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("zeror"));
}

QString shippedTemplatesFolder()
{
    return QDir(installPrefix()).filePath(QStringLiteral(ZEROR_INSTALL_DATADIR "/zeror/templates"));
}

QString shippedManual()
{
    return QDir(installPrefix()).filePath(QStringLiteral(ZEROR_INSTALL_DOCDIR "/sugo.pdf"));
}

QStringList prepare(const QString& folder, const QString& templatesFolder, const QString& manual)
{
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Nem hozható létre a könyvtár: ") + QDir::toNativeSeparators(folder));
    QStringList copied;
    const QDir shipped(templatesFolder);
    const QStringList names = shipped.entryList(
        {QStringLiteral("*.frf"), QStringLiteral("*.ini"), QStringLiteral("*.xsd")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (refresh(shipped.filePath(name), QDir(folder).filePath(name)))
            copied << name;
    }
    // The manual is installed only when the build made it.
    if (QFileInfo(manual).isFile()) {
        const QString name = QFileInfo(manual).fileName();
        if (refresh(manual, QDir(folder).filePath(name)))
            copied << name;
    }
    return copied;
}

QString databasePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(TData::DefaultDatabase));
}

QString createDatabaseQuestion(const QString& folder)
{
    return QStringLiteral("Ebben a mappában még nincs adatbázis:\r%1\r\rLétrehozza most az ru2016.fdb "
                          "adatbázist egy átvevővel?\r(Az átvevő adatai a Segédlet / Átvevő beállítás menüpontban módosíthatók.)")
        .arg(QDir::toNativeSeparators(folder));
}

void createDatabase(const QString& folder)
{
    DatabaseSetup::createDatabase(databasePath(folder), DatabaseSetup::Content::Minimal);
}

} // namespace zeror::userfolder
