#include "TextExport.h"

#include "Error.h"
#include "Formats.h"
#include "TData.h"
#include "Win1250.h"
#include "WinPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace zeror::textexport {

namespace {

ExportTable makeTable(const char* fileName, const QString& caption, const QString& columns, const char* table)
{
    return ExportTable{QString::fromLatin1(fileName), caption,
                       {QStringLiteral("SELECT ") + columns, QStringLiteral("  FROM ") + QString::fromLatin1(table)}};
}

} // namespace

const QList<ExportTable>& tables()
{
    static const QList<ExportTable> list{
        makeTable("atvevo.txt", QStringLiteral("Átvevö"),
                  QStringLiteral("ID_Atvevo, v_Neve, v_Helyseg, v_Utca, v_Irszam, v_Adoszam, v_szeria, v_verzio"),
                  "atvevo"),
        makeTable("ostermelo.txt", QStringLiteral("Östermelö"),
                  QStringLiteral("ID_ostermelo, o_kod, o_Nev, o_Irszam, o_Helysegnev, o_Utca, o_Adoazon, o_Igszam, "
                                 "o_Regszam, o_Szja, o_Szulhely, o_Szido, o_Anyja, o_Muvktg, o_Csgazd, o_Neme, "
                                 "o_Szulnev, o_TAJ, o_Adoszam, o_Bankszla"),
                  "ostermelo"),
        makeTable("sorszam.txt", QStringLiteral("Sorszám"),
                  QStringLiteral("ID_Sorszam, a_FjBszam, a_szeria, a_verzio"), "sorszam"),
        makeTable("termek.txt", QStringLiteral("Termék"),
                  QStringLiteral("ID_Termek, t_kod, t_megnevezes, t_VTSZ, t_megy, t_Ear, t_Kompmerteke"), "termek"),
        makeTable("FjFej.txt", QStringLiteral("FjFej"),
                  QStringLiteral("ID_fjfej, f_bszam, f_akod, f_ostermkod, f_kelt, f_muvktg, f_szja, f_prn, f_megj"),
                  "FjFej"),
        makeTable("FjSor.txt", QStringLiteral("FjSor"),
                  QStringLiteral("ID_fjsor, s_bszam, s_termekkod, s_megnevezes, s_VTSZ, s_brutto, s_megy, s_ear, "
                                 "s_kompmerteke"),
                  "FjSor"),
    };
    return list;
}

QString fieldText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return fmt::formatNumber(value.toDouble());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Short:
        return QString::number(value.toLongLong());
    case QMetaType::QDate:
        return fmt::formatDate(value.toDate());
    case QMetaType::QDateTime:
        return fmt::formatDate(value.toDateTime().date());
    default:
        return value.toString();
    }
}

QByteArray recordLine(const QVector<QVariant>& values)
{
    QString line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        line += i == 0 ? QStringLiteral(":") : QStringLiteral(":,:");
        line += fieldText(values.at(i));
    }
    line += QStringLiteral(":*\r\n");
    return win1250::encode(line);
}

QString exportPath(const QString& folderText, const QString& fileName)
{
    // Only the folder is mapped: the file keeps the letter case of its name.
    return paths::localPath(paths::joinPath(folderText, QString())) + fileName;
}

void writeRows(TData& dataModule, const ExportTable& table, QIODevice& device)
{
    Query& q = dataModule.ZQ91;
    q.close();
    q.clearSql();
    for (const QString& line : table.sql)
        q.addLine(line);
    q.open();
    const int columns = static_cast<int>(q.fieldNames().size());
    QVector<QVariant> values(columns);
    for (int row = 0; row < q.rowCount(); ++row) {
        for (int c = 0; c < columns; ++c)
            values[c] = q.valueAt(row, c);
        const QByteArray bytes = recordLine(values);
        if (device.write(bytes) != bytes.size())
            throw Error(device.errorString());
    }
    q.close();
}

void exportTable(TData& dataModule, const ExportTable& table, const QString& folderText)
{
    const QString path = exportPath(folderText, table.fileName);
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("%1\n%2").arg(shown, file.errorString()));
    try {
        writeRows(dataModule, table, file);
    } catch (const Error& e) {
        file.cancelWriting();
        throw Error(QStringLiteral("%1\n%2").arg(shown, e.message()));
    }
    if (!file.commit())
        throw Error(QStringLiteral("%1\n%2").arg(shown, file.errorString()));
}

void exportTables(TData& dataModule, const QList<int>& chosen, const QString& folderText,
                  const std::function<void(const QString&)>& progress)
{
    const QList<ExportTable>& all = tables();
    for (int i = 0; i < all.size(); ++i) {
        if (!chosen.contains(i))
            continue;
        if (progress)
            progress(all.at(i).fileName);
        exportTable(dataModule, all.at(i), folderText);
    }
}

} // namespace zeror::textexport
