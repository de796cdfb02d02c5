#include "OldImportReader.h"

#include "Formats.h"
#include "Win1250.h"

namespace zeror::oldimport {

QList<SourceLine> splitLines(const QByteArray& bytes)
{
    const QString text = win1250::decode(bytes);
    QList<SourceLine> lines;
    qsizetype start = 0;
    int number = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append({++number, text.mid(start, i - start)});
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append({++number, text.mid(start)});
    return lines;
}

bool isBlankLine(const QString& text)
{
    return trimBlanks(text).isEmpty();
}

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString columns(const QString& line, int first, int last)
{
    if (first < 1 || last < first || first > line.size())
        return QString();
    return line.mid(first - 1, last - first + 1);
}

QString importedCode(const QString& line, QString* fault)
{
    QString code = QStringLiteral("1") + columns(line, 2, 6);
    while (code.endsWith(u' '))
        code.chop(1);
    if (code.size() > kCodeWidth && fault) {
        *fault = QStringLiteral("a kód (%1) hosszabb %2 karakternél").arg(code).arg(kCodeWidth);
    }
    return code;
}

ProducerRecord readProducerLine(const QString& line, int lineNumber)
{
    ProducerRecord r;
    r.lineNumber = lineNumber;
    r.kod = importedCode(line, &r.fault);
    r.nev = trimBlanks(columns(line, 7, 51));
    r.irszam = trimBlanks(columns(line, 53, 56));
    r.helysegnev = trimBlanks(columns(line, 58, 102));
    r.utca = trimBlanks(columns(line, 104, 148));
    r.adoazon = trimBlanks(columns(line, 150, 159));
    r.igszam = trimBlanks(columns(line, 161, 168));
    r.regszam = trimBlanks(columns(line, 170, 179));
    r.szulhely = trimBlanks(columns(line, 183, 227));
    // The date of birth is there only when position 233 holds the full stop of "yyyy.mm.dd".
    if (columns(line, 233, 233) == QStringLiteral(".")) {
        const QString text = trimBlanks(columns(line, 229, 238));
        if (!fmt::parseDate(text, &r.szido) && r.fault.isEmpty())
            r.fault = QStringLiteral("hibás a születési dátum (%1)").arg(text);
    }
    r.anyja = trimBlanks(columns(line, 240, 284));
    r.csgazd = trimBlanks(columns(line, 288, 295));
    r.neme = columns(line, 297, 297);
    r.szulnev = trimBlanks(columns(line, 299, 343));
    r.taj = trimBlanks(columns(line, 345, 353));
    r.adoszam = trimBlanks(columns(line, 355, 365));
    r.bankszla = trimBlanks(columns(line, 367, 392));
    return r;
}

ProductRecord readProductLine(const QString& line, int lineNumber)
{
    ProductRecord r;
    r.lineNumber = lineNumber;
    r.kod = importedCode(line, &r.fault);
    r.megnevezes = trimBlanks(columns(line, 7, 81));
    r.vtsz = trimBlanks(columns(line, 83, 92));
    r.ear = trimBlanks(columns(line, 94, 108));
    r.megy = trimBlanks(columns(line, 110, 119));
    r.kompmerteke = trimBlanks(columns(line, 121, 123));
    return r;
}

BuyerRecord readBuyerLine(const QString& line, int lineNumber)
{
    BuyerRecord r;
    r.lineNumber = lineNumber;
    r.akod = QString::number(lineNumber);
    r.neve = trimBlanks(columns(line, 1, 45));
    r.helyseg = trimBlanks(columns(line, 47, 91));
    r.utca = trimBlanks(columns(line, 93, 137));
    r.irszam = trimBlanks(columns(line, 139, 142));
    r.adoszam = trimBlanks(columns(line, 144, 154));
    return r;
}

namespace {
template<class Record, class Reader>
QList<Record> readFile(const QByteArray& bytes, Reader reader)
{
    QList<Record> records;
    for (const SourceLine& line : splitLines(bytes)) {
        if (!isBlankLine(line.text))
            records.append(reader(line.text, line.number));
    }
    return records;
}
} // namespace

QList<ProducerRecord> readProducerFile(const QByteArray& bytes)
{
    return readFile<ProducerRecord>(bytes, readProducerLine);
}

QList<ProductRecord> readProductFile(const QByteArray& bytes)
{
    return readFile<ProductRecord>(bytes, readProductLine);
}

QList<BuyerRecord> readBuyerFile(const QByteArray& bytes)
{
    return readFile<BuyerRecord>(bytes, readBuyerLine);
}

} // namespace zeror::oldimport
