#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace zeror {

// The backup of the year's database: a physical copy named from the date and time, made
// consistent while the program keeps the database open, checked, and never written over a file
// that is already there.
namespace backup {

// The default backup folder as the operator knows it; off Windows paths::localPath maps it.
inline const QString kDefaultFolder = QStringLiteral("c:\\ru2016\\ment\\");
inline const QString kDatabaseFileName = QStringLiteral("ru2016.fdb");
inline const QString kDoneMessage =
    QStringLiteral("Az adatbázis átmásolva a \"Hová\" könyvtárba. Kérem ellenőrizze le.");
inline const QString kSourceMissingMessage = QStringLiteral("Hiba! A \"Honnan\" -ban megadott fálj nem létezik.");
inline const QString kTargetExistsMessage =
    QStringLiteral("Hiba! A \"Hová\" -ban megadott fájl már létezik, a mentés nem írja felül.");
inline const QString kTargetFolderMissingMessage =
    QStringLiteral("Hiba! A \"Hová\" -ban megadott könyvtár nem létezik.");

// "yyyy_MM_dd_HH_mm.FDB": 5 March 2016 14:07 gives "2016_03_05_14_07.FDB".
QString backupName(const QDateTime& moment);
// The working folder's "ru2016.fdb".
QString defaultSource();
// The mapped default folder joined with the backup name of the moment.
QString defaultTarget(const QDateTime& moment);
// The folder of a file the operator chose, joined with the backup name of the moment: only the
// folder of the chosen file is used.
QString targetInFolderOf(const QString& chosenFile, const QDateTime& moment);

// The refusal before any copy, or nothing when the backup may start: the source must exist, the
// target's folder must exist, and the target must not.
std::optional<QString> check(const QString& source, const QString& target);

// The Firebird tool that makes a copy taken under the backup lock openable ("nbackup -F");
// "" when it is not installed.
QString findNbackup();

struct Options
{
    // The nbackup program; empty: the copy is refused with a message naming the package.
    QString nbackupProgram;
    // Called as the copy goes on, with the bytes copied and the file's size.
    std::function<void(qint64 copied, qint64 total)> progress;
};

// Makes the backup: locks the database's main file for a physical backup ("ALTER DATABASE BEGIN
// BACKUP", its changes meanwhile go to the delta file), copies it to a temporary name beside the
// target, unlocks it ("END BACKUP"), fixes the copy up with "nbackup -F", opens the copy once to
// check it and only then gives it the target name, never replacing a file. Throws Error with the
// reason; a failed backup leaves no file at the target.
void makeBackup(const QString& source, const QString& target, const Options& options);

} // namespace backup
} // namespace zeror
