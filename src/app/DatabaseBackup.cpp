#include "DatabaseBackup.h"

#include "Connection.h"
#include "DbError.h"
#include "Error.h"
#include "Query.h"
#include "TData.h"
#include "WinPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zeror::backup {

namespace {

const qint64 kChunk = 256 * 1024;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

void copyFile(const QString& from, const QString& to, const Options& options)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Az adatbázis nem olvasható (%1): %2").arg(native(from), in.errorString()));
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw Error(QStringLiteral("A mentés nem írható (%1): %2").arg(native(to), out.errorString()));
    const qint64 total = in.size();
    qint64 copied = 0;
    if (options.progress)
        options.progress(0, total);
    QByteArray buffer;
    while (!in.atEnd()) {
        buffer = in.read(kChunk);
        if (buffer.isEmpty() && in.error() != QFileDevice::NoError)
            throw Error(QStringLiteral("Az adatbázis olvasása megszakadt (%1): %2").arg(native(from), in.errorString()));
        if (out.write(buffer) != buffer.size())
            throw Error(QStringLiteral("A mentés írása megszakadt (%1): %2").arg(native(to), out.errorString()));
        copied += buffer.size();
        if (options.progress)
            options.progress(copied, total);
    }
    if (!out.flush())
        throw Error(QStringLiteral("A mentés írása megszakadt (%1): %2").arg(native(to), out.errorString()));
}

// The database's own lock for a physical copy, released however the copy ends.
class BackupLock
{
public:
    explicit BackupLock(const QString& database)
    {
        try {
            m_connection.attach(database, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
            m_connection.executeImmediate(QStringLiteral("ALTER DATABASE BEGIN BACKUP"));
            m_connection.commit();
        } catch (const DbError& e) {
            throw Error(QStringLiteral("Az adatbázis mentése nem indítható (%1):\r%2").arg(native(database), e.message()));
        }
    }
    ~BackupLock()
    {
        if (m_locked) {
            try {
                release();
            } catch (...) {
            }
        }
    }
    void release()
    {
        m_locked = false;
        try {
            m_connection.executeImmediate(QStringLiteral("ALTER DATABASE END BACKUP"));
            m_connection.commit();
            m_connection.detach();
        } catch (const DbError& e) {
            throw Error(QStringLiteral("Az adatbázis mentés utáni feloldása nem sikerült:\r%1").arg(e.message()));
        }
    }

private:
    Connection m_connection;
    bool m_locked = true;
};

void fixUp(const QString& copy, const QString& nbackup)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(nbackup, {QStringLiteral("-F"), copy});
    if (!process.waitForStarted())
        throw Error(QStringLiteral("Az \"nbackup\" program nem indult el (%1): %2").arg(nbackup, process.errorString()));
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw Error(QStringLiteral("A mentett példány rendbetétele (nbackup -F) nem sikerült:\r%1")
                        .arg(QString::fromLocal8Bit(process.readAll()).trimmed()));
}

void verify(const QString& copy)
{
    try {
        Connection c;
        c.attach(copy, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
        Query q(&c, QStringLiteral("backupCheck"));
        q.setSql({QStringLiteral("SELECT COUNT(*) FROM rdb$relations")});
        q.open();
        q.setSql({QStringLiteral("SELECT COUNT(*) FROM fjfej")});
        q.open();
        c.commit();
        c.detach();
    } catch (const DbError& e) {
        throw Error(QStringLiteral("A mentett példány nem nyitható meg, a mentés hibás:\r%1").arg(e.message()));
    }
}

} // namespace

QString backupName(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy_MM_dd_HH_mm")) + QStringLiteral(".FDB");
}

QString defaultSource()
{
    return native(QDir::current().filePath(kDatabaseFileName));
}

QString defaultTarget(const QDateTime& moment)
{
    return native(paths::joinPath(paths::localPath(kDefaultFolder), backupName(moment)));
}

QString targetInFolderOf(const QString& chosenFile, const QDateTime& moment)
{
    const QFileInfo info(QDir::fromNativeSeparators(chosenFile));
    return native(QDir(info.absolutePath()).filePath(backupName(moment)));
}

std::optional<QString> check(const QString& source, const QString& target)
{
    const QFileInfo from(paths::localPath(source.trimmed()));
    if (source.trimmed().isEmpty() || !from.isFile())
        return kSourceMissingMessage;
    const QFileInfo to(paths::localPath(target.trimmed()));
    if (target.trimmed().isEmpty() || !to.absoluteDir().exists())
        return kTargetFolderMissingMessage;
    if (to.exists())
        return kTargetExistsMessage;
    return std::nullopt;
}

QString findNbackup()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("nbackup"));
    if (!onPath.isEmpty())
        return onPath;
    return QStandardPaths::findExecutable(QStringLiteral("nbackup"),
                                          {QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0/bin"),
                                           QStringLiteral("/opt/firebird/bin")});
}

void makeBackup(const QString& sourceText, const QString& targetText, const Options& options)
{
    if (const std::optional<QString> refusal = check(sourceText, targetText))
        throw Error(*refusal);
    if (options.nbackupProgram.isEmpty())
        throw Error(QStringLiteral("A mentéshez szükséges \"nbackup\" program nincs telepítve (Debian csomag: "
                                   "firebird3.0-utils). Nem készült mentés."));
    const QString source = QFileInfo(paths::localPath(sourceText.trimmed())).absoluteFilePath();
    const QString target = QFileInfo(paths::localPath(targetText.trimmed())).absoluteFilePath();
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        {
            BackupLock lock(source);
            copyFile(source, partial, options);
            lock.release();
        }
        fixUp(partial, options.nbackupProgram);
        verify(partial);
        // rename never replaces an existing file: a backup made meanwhile under the same name stays.
        if (!QFile::rename(partial, target))
            throw Error(kTargetExistsMessage);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
}

} // namespace zeror::backup
