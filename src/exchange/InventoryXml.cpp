#include "InventoryXml.h"

#include "Error.h"
#include "Formats.h"
#include "Query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace zeror::inventory {

const QList<Column>& columns()
{
    static const QList<Column> list = {
        {QStringLiteral("F_FELVKELT"), ValueKind::Date},
        {QStringLiteral("S_BSZAM"), ValueKind::Text},
        {QStringLiteral("S_TERMEKKOD"), ValueKind::Text},
        {QStringLiteral("S_MEGNEVEZES"), ValueKind::Text},
        {QStringLiteral("S_BIZONYLAT"), ValueKind::Text},
        {QStringLiteral("S_BRUTTO"), ValueKind::Decimal},
        {QStringLiteral("S_MEGY"), ValueKind::Text},
        {QStringLiteral("S_EAR"), ValueKind::Decimal},
        {QStringLiteral("S_FELVAR"), ValueKind::Decimal},
        {QStringLiteral("S_VTSZ"), ValueKind::Text},
        {QStringLiteral("O_KOD"), ValueKind::Text},
        {QStringLiteral("O_NEV"), ValueKind::Text},
        {QStringLiteral("O_HELYSEGNEV"), ValueKind::Text},
        {QStringLiteral("O_UTCA"), ValueKind::Text},
        {QStringLiteral("O_IRSZAM"), ValueKind::Text},
    };
    return list;
}

QStringList gatherSql()
{
    return {
        QStringLiteral("SELECT F_FELVKELT, S_BSZAM, S_TERMEKKOD, S_MEGNEVEZES, S_BIZONYLAT, S_BRUTTO, S_MEGY, S_EAR, "
                       "S_FELVAR, S_VTSZ, O_KOD, O_NEV, O_HELYSEGNEV, O_UTCA, O_IRSZAM"),
        QStringLiteral("  FROM fjsor "),
        QStringLiteral("  LEFT JOIN fjfej ON F_BSZAM = S_BSZAM AND F_AKOD = S_AKOD   "),
        QStringLiteral("  LEFT JOIN ostermelo ON O_KOD = F_OSTERMKOD   "),
        QStringLiteral("  LEFT JOIN termek ON T_KOD = S_TERMEKKOD   "),
        QStringLiteral("  WHERE (F_FELVKELT >= :p1 AND F_FELVKELT <= :p2) AND (S_AKOD = :p3) "),
        QStringLiteral("  ORDER BY F_FELVKELT, S_BSZAM, ID_FJSOR "),
    };
}

void gather(Query& query, const QDate& from, const QDate& to, const QString& buyerCode)
{
    query.close();
    query.setSql(gatherSql());
    query.clearParams();
    query.setDate(QStringLiteral("p1"), from);
    query.setDate(QStringLiteral("p2"), to);
    query.setText(QStringLiteral("p3"), buyerCode);
    query.open();
}

QString valueText(ValueKind kind, const QVariant& value)
{
    switch (kind) {
    case ValueKind::Text: {
        const QString text = value.isNull() ? QString() : value.toString();
        return text.isEmpty() ? QStringLiteral("null") : text;
    }
    case ValueKind::Integer: {
        const qint64 n = value.isNull() ? 0 : value.toLongLong();
        return n > 0 ? QString::number(n) : QStringLiteral("0");
    }
    case ValueKind::Decimal: {
        const double d = value.isNull() ? 0.0 : value.toDouble();
        return d > 0 ? fmt::formatNumber(d) : QStringLiteral("0");
    }
    case ValueKind::Date: {
        const QDate date = value.toDate();
        return date.isValid() ? date.toString(QStringLiteral("MM.dd.yyyy")) : QStringLiteral("01.01.1900");
    }
    }
    return QString();
}

void writeXml(Query& query, QIODevice* out)
{
    QXmlStreamWriter xml(out);
    xml.setAutoFormatting(false);
    xml.writeStartElement(QStringLiteral("zeror_keszlethez"));
    if (!query.isEmpty()) {
        for (query.first(); !query.eof(); query.next()) {
            xml.writeStartElement(QStringLiteral("Records"));
            for (const Column& column : columns())
                xml.writeTextElement(column.name, valueText(column.kind, query.value(column.name)));
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
    if (xml.hasError())
        throw Error(QStringLiteral("Az XML fájl írása nem sikerült."));
}

void writeXmlFile(Query& query, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    writeXml(query, &file);
    if (!file.commit())
        throw Error(QStringLiteral("A(z) %1 fájl írása nem sikerült: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QString workingFile()
{
    return QDir::current().filePath(kFileName);
}

void handOver(const QString& sourcePath, const QString& targetPath)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Az átadandó fájl (%1) nem olvasható: %2\rKérem előbb a \"Kigyüjtés\" gombot.")
                        .arg(QDir::toNativeSeparators(sourcePath), source.errorString()));
    const QFileInfo target(targetPath);
    if (!target.absoluteDir().exists())
        throw Error(QStringLiteral("Az adatátadás helye (%1) nem létezik. A könyvtárnak léteznie kell.")
                        .arg(QDir::toNativeSeparators(target.absolutePath())));
    // Written beside the target and renamed over it, so the inventory program never reads half a file.
    QSaveFile copy(targetPath);
    if (!copy.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(QDir::toNativeSeparators(targetPath), copy.errorString()));
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError || copy.write(content) != content.size() || !copy.commit())
        throw Error(QStringLiteral("Az átmásolás nem sikerült (%1): %2")
                        .arg(QDir::toNativeSeparators(targetPath), copy.errorString()));
}

} // namespace zeror::inventory
