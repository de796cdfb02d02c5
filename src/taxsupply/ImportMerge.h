#pragma once

#include <QString>
#include <QStringList>

// The merge of two computers' 1608M import files of the same month: the amount of each producer
// found in both month folders is added into the "A" file, and the merged-away files are renamed
// to ".old".
namespace zeror::taxsupply {

// The sums of the "12456=" (animal) and "23790=" (plant) values over a folder's ".imp" files.
struct FolderTotals
{
    qint64 animal = 0;
    qint64 plant = 0;
};

// The ".imp" files of the folder, by name.
QStringList importFilesIn(const QString& folder);
// True when the folder holds a ".old" file (it took part in a merge already).
bool hasOldFiles(const QString& folder);

// The producer key of a file name: its last 15 characters ("_" + tax identifier + ".imp").
QString producerKey(const QString& fileName);

// The "B" names that have an "A" file of the same key and the same whole name (so two months are
// never paired), in the order of the "B" list.
QStringList commonFiles(const QStringList& aNames, const QStringList& bNames);

// The value of a code line ("23790=1250"): the rest of the line without blanks as a whole number,
// 0 when empty. A line counts when it begins with the 6-character code and is at least 7
// characters long. Throws Error naming the file and line when the value is not a whole number.
struct CodeValues
{
    qint64 animal = 0; // the last "12456=" value
    qint64 plant = 0;  // the last "23790=" value
    qint64 animalSum = 0;
    qint64 plantSum = 0;
};
CodeValues readCodeValues(const QString& path);

// Totals over the folder's ".imp" files; throws Error on a file that cannot be read or a value
// that is not a whole number.
FolderTotals folderTotals(const QString& folder);

// The messages to show when a folder is chosen (nothing is blocked by them): the same folder for
// "A" and "B", and ".old" files in the changed folder.
QStringList folderWarnings(const QString& folderA, const QString& folderB, const QString& changedFolder);

// True when the two texts name the same folder.
bool sameFolder(const QString& a, const QString& b);

struct MergeOutcome
{
    FolderTotals beforeA, beforeB, afterA, afterB;
    QStringList merged;         // the common names
    QStringList renameFailures; // one message per failed rename, the merge went on
};

// "Összevonás". Refused before anything is touched (Error) when the folders are the same, when
// either holds ".old" files of an earlier merge, when a file cannot be read or a value is not a
// whole number. Then writes the ".im_" files in "A" (all or none), renames the "A" originals and
// the "B" files of the common list to ".old" and the ".im_" files to ".imp".
MergeOutcome mergeFolders(const QString& folderA, const QString& folderB);

// The operator's texts of the totals: before (or after) for "A", for "B", and the grand total.
QStringList totalsTexts(const FolderTotals& a, const FolderTotals& b, bool after);

} // namespace zeror::taxsupply
