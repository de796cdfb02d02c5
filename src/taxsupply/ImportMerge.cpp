#include "ImportMerge.h"

#include "Error.h"
#include "ImportFile.h"
#include "Win1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace zeror::taxsupply {

namespace {

const QString kAnimal = QStringLiteral("12456=");
const QString kPlant = QStringLiteral("23790=");

QStringList filesWithSuffix(const QString& folder, const QString& suffix)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return QDir(folder).entryList({QStringLiteral("*") + suffix}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nem olvasható a fájl: %1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    QStringList lines = win1250::decode(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

// The value of a counted code line; throws naming the file and line when it is not whole.
qint64 lineValue(const QString& path, int lineNo, const QString& line)
{
    QString value = line.mid(6);
    value.remove(QLatin1Char(' '));
    if (value.isEmpty())
        return 0;
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    if (!ok)
        throw Error(QStringLiteral("Nem egész szám a(z) %1 fájl %2. sorában: %3\nAz összevonás nem történt meg.")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(lineNo)
                        .arg(line));
    return v;
}

bool counts(const QString& line, const QString& code)
{
    return line.size() >= 7 && line.startsWith(code);
}

// Renames without replacing an existing file; the operating system's error code, 0 on success.
int renameNoReplace(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to))
        return EEXIST;
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()), std::filesystem::path(to.toStdU16String()),
                            ec);
    return ec.value();
}

QString withLastChar(const QString& name, QChar c)
{
    return name.left(name.size() - 1) + c;
}

QString withSuffix(const QString& name, const QString& suffix)
{
    return QFileInfo(name).completeBaseName() + suffix;
}

} // namespace

QStringList importFilesIn(const QString& folder)
{
    return filesWithSuffix(folder, QStringLiteral(".imp"));
}

bool hasOldFiles(const QString& folder)
{
    return !filesWithSuffix(folder, QStringLiteral(".old")).isEmpty();
}

QString producerKey(const QString& fileName)
{
    return fileName.right(15);
}

QStringList commonFiles(const QStringList& aNames, const QStringList& bNames)
{
    QStringList common;
    for (const QString& b : bNames) {
        for (const QString& a : aNames) {
            if (producerKey(a).compare(producerKey(b), Qt::CaseInsensitive) == 0
                && a.compare(b, Qt::CaseInsensitive) == 0) {
                common.append(b);
                break;
            }
        }
    }
    return common;
}

CodeValues readCodeValues(const QString& path)
{
    CodeValues values;
    const QStringList lines = readLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (counts(line, kAnimal)) {
            values.animal = lineValue(path, i + 1, line);
            values.animalSum += values.animal;
        } else if (counts(line, kPlant)) {
            values.plant = lineValue(path, i + 1, line);
            values.plantSum += values.plant;
        }
    }
    return values;
}

FolderTotals folderTotals(const QString& folder)
{
    FolderTotals totals;
    for (const QString& name : importFilesIn(folder)) {
        const CodeValues v = readCodeValues(QDir(folder).filePath(name));
        totals.animal += v.animalSum;
        totals.plant += v.plantSum;
    }
    return totals;
}

bool sameFolder(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    const QString ca = fa.canonicalFilePath();
    const QString cb = fb.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(fa.absoluteFilePath()).compare(QDir::cleanPath(fb.absoluteFilePath()), Qt::CaseInsensitive)
           == 0;
}

QStringList folderWarnings(const QString& folderA, const QString& folderB, const QString& changedFolder)
{
    QStringList warnings;
    if (sameFolder(folderA, folderB))
        warnings.append(QStringLiteral("Nem lehet azonos a könyvtár "));
    if (hasOldFiles(changedFolder))
        warnings.append(QStringLiteral(" Csak bevallás újbóli export ismétlés után!  "));
    return warnings;
}

MergeOutcome mergeFolders(const QString& folderA, const QString& folderB)
{
    // A merge of a folder with itself would double every amount; one over ".old" files would
    // count the earlier merge's amounts twice. Both are refused before anything is touched.
    if (sameFolder(folderA, folderB))
        throw Error(QStringLiteral("Nem lehet azonos a könyvtár "));
    if (hasOldFiles(folderA) || hasOldFiles(folderB))
        throw Error(QStringLiteral(" Csak bevallás újbóli export ismétlés után!  "));

    MergeOutcome outcome;
    // Reading the totals checks every value of both folders before anything is written.
    outcome.beforeA = folderTotals(folderA);
    outcome.beforeB = folderTotals(folderB);
    const QStringList aNames = importFilesIn(folderA);
    outcome.merged = commonFiles(aNames, importFilesIn(folderB));

    // The merged "A" files, made in memory first.
    struct Merged
    {
        QString aName;
        QString bName;
        QByteArray bytes;
    };
    QList<Merged> merged;
    for (const QString& bName : outcome.merged) {
        QString aName = bName;
        for (const QString& a : aNames) {
            if (a.compare(bName, Qt::CaseInsensitive) == 0)
                aName = a;
        }
        const QString aPath = QDir(folderA).filePath(aName);
        const CodeValues b = readCodeValues(QDir(folderB).filePath(bName));
        const CodeValues a = readCodeValues(aPath);
        const qint64 sum = a.plant + a.animal + b.plant + b.animal;
        QStringList lines = readLines(aPath);
        for (QString& line : lines) {
            if (line.left(6) == kPlant)
                line = kPlant + QString::number(sum);
        }
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += win1250::encode(line) + "\r\n";
        merged.append({aName, bName, bytes});
    }

    // Every ".im_" file is written whole; when one fails, those already written are removed.
    QStringList written;
    for (const Merged& m : merged) {
        const QString path = QDir(folderA).filePath(withLastChar(m.aName, QLatin1Char('_')));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(m.bytes) != m.bytes.size() || !file.commit()) {
            const QString reason = file.errorString();
            for (const QString& done : written)
                QFile::remove(done);
            throw Error(QStringLiteral("Nem írható a fájl: %1\n%2").arg(QDir::toNativeSeparators(path), reason));
        }
        written.append(path);
    }

    for (const Merged& m : merged) {
        const int code = renameNoReplace(QDir(folderA).filePath(m.aName),
                                         QDir(folderA).filePath(withSuffix(m.aName, QStringLiteral(".old"))));
        if (code != 0)
            outcome.renameFailures.append(QStringLiteral(" \"old\" Rename1 átnevezési hiba kódja = ")
                                          + QString::number(code));
    }
    for (const Merged& m : merged) {
        const int code = renameNoReplace(QDir(folderB).filePath(m.bName),
                                         QDir(folderB).filePath(withSuffix(m.bName, QStringLiteral(".old"))));
        if (code != 0)
            outcome.renameFailures.append(QStringLiteral(" \"old\" Rename2 átnevezési hiba kódja = ")
                                          + QString::number(code));
    }
    for (const Merged& m : merged) {
        const int code = renameNoReplace(QDir(folderA).filePath(withLastChar(m.aName, QLatin1Char('_'))),
                                         QDir(folderA).filePath(withSuffix(m.aName, QStringLiteral(".imp"))));
        if (code != 0)
            outcome.renameFailures.append(QStringLiteral(" \"imp\" Rename11 átnevezési hiba kódja = ")
                                          + QString::number(code));
    }

    outcome.afterA = folderTotals(folderA);
    outcome.afterB = folderTotals(folderB);
    return outcome;
}

QStringList totalsTexts(const FolderTotals& a, const FolderTotals& b, bool after)
{
    const QString when = after ? QStringLiteral("Összevonás után") : QStringLiteral("Összevonás előtt");
    const QString animal = when + QStringLiteral(" a 455. sor (állat): ");
    const QString plant = when + QStringLiteral(" a 455. sor (növény): ");
    return {
        animal + QString::number(a.animal),
        plant + QString::number(a.plant),
        animal + QString::number(b.animal),
        plant + QString::number(b.plant),
        QStringLiteral("Mindösszesen : ") + QString::number(a.animal + a.plant + b.animal + b.plant),
    };
}

} // namespace zeror::taxsupply
