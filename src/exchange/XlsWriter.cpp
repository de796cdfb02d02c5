#include "XlsWriter.h"

#include "Error.h"
#include "Win1250.h"

#include <QDate>
#include <QDateTime>
#include <QIODevice>

#include <array>
#include <cstring>

namespace zeror::xls {

namespace {

// BIFF5 record identifiers.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kDateMode = 0x0022;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kDefColWidth = 0x0055;
constexpr quint16 kColInfo = 0x007D;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kWindow2 = 0x023E;

// Compound-document sector markers.
constexpr quint32 kFreeSect = 0xFFFFFFFFu;
constexpr quint32 kEndOfChain = 0xFFFFFFFEu;
constexpr quint32 kFatSect = 0xFFFFFFFDu;
constexpr quint32 kDifSect = 0xFFFFFFFCu;
constexpr quint32 kNoStream = 0xFFFFFFFFu;
constexpr int kSectorSize = 512;
constexpr int kEntriesPerSector = kSectorSize / 4;
constexpr int kHeaderDifatEntries = 109;
// A stream shorter than this would belong in the mini stream; the workbook stream is padded
// up to it instead, as spreadsheet programs do.
constexpr int kMiniStreamCutoff = 4096;

// Number of the first cell format after the 15 style formats and the default cell format.
constexpr int kFirstOwnXf = 16;
constexpr quint16 kBoldFont = 5; // font index 4 does not exist in the format
constexpr quint16 kShortDateFormat = 14;
constexpr int kMaxTextBytes = 255;

quint16 xfIndex(bool bold, Align align, bool date)
{
    return static_cast<quint16>(kFirstOwnXf + (bold ? 6 : 0) + static_cast<int>(align) * 2 + (date ? 1 : 0));
}

void put16(QByteArray& out, quint16 v)
{
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    out.append(b, 4);
}

void putDouble(QByteArray& out, double v)
{
    quint64 bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    put32(out, static_cast<quint32>(bits & 0xFFFFFFFFu));
    put32(out, static_cast<quint32>(bits >> 32));
}

void header(QByteArray& out, quint16 id, int length)
{
    put16(out, id);
    put16(out, static_cast<quint16>(length));
}

// Windows-1250 bytes of a text, by a table built once; unknown characters become "?".
struct CodePage
{
    std::array<char, 65536> fromUnicode{};

    CodePage()
    {
        fromUnicode.fill('?');
        for (int i = 0; i < 0x80; ++i)
            fromUnicode[static_cast<size_t>(i)] = static_cast<char>(i);
        QByteArray upper(0x80, '\0');
        for (int i = 0; i < 0x80; ++i)
            upper[i] = static_cast<char>(0x80 + i);
        const QString decoded = win1250::decode(upper);
        for (int i = 0; i < decoded.size() && i < 0x80; ++i) {
            const char16_t c = decoded.at(i).unicode();
            if (c != u'\uFFFD' && c >= 0x80)
                fromUnicode[c] = static_cast<char>(0x80 + i);
        }
    }

    // Appends at most maxBytes bytes; returns how many were appended.
    int append(QByteArray& out, const QString& text, int maxBytes) const
    {
        const int n = std::min(static_cast<int>(text.size()), maxBytes);
        const QChar* s = text.constData();
        for (int i = 0; i < n; ++i)
            out.append(fromUnicode[s[i].unicode()]);
        return n;
    }
};

const CodePage& codePage()
{
    static const CodePage table;
    return table;
}

// An 8-bit string with a one-byte length, as font and sheet names are stored.
void putShortString(QByteArray& out, const QString& text)
{
    const int lengthAt = static_cast<int>(out.size());
    out.append('\0');
    const int n = codePage().append(out, text, 255);
    out[lengthAt] = static_cast<char>(n);
}

} // namespace

int sheetCount(qint64 rowCount)
{
    if (rowCount <= 0)
        return 1;
    return static_cast<int>((rowCount + kDataRowsPerSheet - 1) / kDataRowsPerSheet);
}

double serialDate(const QDate& date)
{
    // The 1900 date system counts a 29 February 1900 that never was; days before it are one less.
    const qint64 days = QDate(1899, 12, 30).daysTo(date);
    return static_cast<double>(date < QDate(1900, 3, 1) ? days - 1 : days);
}

struct WorkbookWriter::Private
{
    QIODevice& device;
    Layout layout;
    qint64 rowCount;
    int sheets;
    int titleCells;

    QByteArray buffer;         // records not yet written to the device
    qint64 streamSize = 0;     // bytes of the workbook stream written or buffered
    QList<qint64> sheetPositionFields; // stream offsets of BOUNDSHEET position fields
    QList<quint32> sheetPositions;     // stream offsets of the sheets' BOF records
    qint64 rowsWritten = 0;
    int currentSheet = -1;
    int sheetRow = 0;          // next sheet row of the current sheet
    bool finished = false;

    Private(QIODevice& dev, const Layout& l, qint64 rows)
        : device(dev), layout(l), rowCount(std::max<qint64>(rows, 0)), sheets(sheetCount(rows)),
          titleCells(std::max(static_cast<int>(l.columns.size()), l.boldTitleCells))
    {
    }

    void flush(bool force)
    {
        if (buffer.isEmpty() || (!force && buffer.size() < (1 << 16)))
            return;
        if (device.write(buffer) != buffer.size())
            throw Error(QStringLiteral("A munkafüzet írása nem sikerült: %1").arg(device.errorString()));
        buffer.clear();
    }

    void record(quint16 id, const QByteArray& body)
    {
        header(buffer, id, static_cast<int>(body.size()));
        buffer.append(body);
        streamSize += 4 + body.size();
    }

    void bof(quint16 type)
    {
        QByteArray b;
        put16(b, 0x0500);     // BIFF5
        put16(b, type);       // 0x0005 workbook globals, 0x0010 worksheet
        put16(b, 0x096C);     // build of Excel 5.0
        put16(b, 0x07C9);     // its year (1993)
        record(kBof, b);
    }

    void font(bool bold)
    {
        QByteArray b;
        put16(b, 200);                       // 10 points in twips
        put16(b, bold ? 0x0001 : 0x0000);    // option flags
        put16(b, 0x7FFF);                    // automatic colour
        put16(b, bold ? 700 : 400);          // weight
        put16(b, 0);                         // no escapement
        b.append('\0');                      // no underline
        b.append('\x02');                    // family: Swiss
        b.append(static_cast<char>(238));    // character set: Central European
        b.append('\0');
        putShortString(b, QStringLiteral("Arial"));
        record(kFont, b);
    }

    void xf(quint16 fontIndex, quint16 format, bool style, Align align, bool usedAttributesNotSet)
    {
        QByteArray b;
        put16(b, fontIndex);
        put16(b, format);
        put16(b, style ? 0xFFF5 : 0x0001);   // locked; a style format has no parent
        const int horizontal = align == Align::Left ? 1 : align == Align::Right ? 3 : 0;
        b.append(static_cast<char>(horizontal | 0x20)); // vertical: bottom
        b.append(static_cast<char>(usedAttributesNotSet ? 0xF4 : (style ? 0x00 : 0xFC)));
        put32(b, 0x000020C0);                // automatic pattern colours, no fill
        put32(b, 0);                         // no borders
        record(kXf, b);
    }

    void writeGlobals()
    {
        bof(0x0005);
        {
            QByteArray b;
            put16(b, 1250);
            record(kCodePage, b);
        }
        {
            QByteArray b;
            put16(b, 0x0168); put16(b, 0x001E); put16(b, 0x3A5C); put16(b, 0x23BE); // window place
            put16(b, 0x0038); // horizontal scroll bar, vertical scroll bar, sheet tabs
            put16(b, 0); put16(b, 0); put16(b, 1); put16(b, 0x0258);
            record(kWindow1, b);
        }
        {
            QByteArray b;
            put16(b, 0); // 1900 date system
            record(kDateMode, b);
        }
        for (int i = 0; i < 4; ++i)
            font(false);
        font(true);
        // The 15 style formats and the default cell format the format expects first.
        xf(0, 0, true, Align::General, false);
        for (int i = 1; i < 15; ++i)
            xf(0, 0, true, Align::General, true);
        xf(0, 0, false, Align::General, false);
        for (int bold = 0; bold < 2; ++bold)
            for (Align align : {Align::General, Align::Left, Align::Right})
                for (int date = 0; date < 2; ++date)
                    xf(bold ? kBoldFont : 0, date ? kShortDateFormat : 0, false, align, false);
        {
            QByteArray b;
            put16(b, 0x8000); // built-in style on format 0: "Normal"
            b.append('\0');
            b.append(static_cast<char>(0xFF));
            record(kStyle, b);
        }
        for (int s = 0; s < sheets; ++s) {
            QByteArray b;
            put32(b, 0); // the sheet's position, filled in by finish()
            b.append('\0'); // visible
            b.append('\0'); // worksheet
            putShortString(b, QStringLiteral("Munka%1").arg(s + 1));
            sheetPositionFields.append(streamSize + 4);
            record(kBoundSheet, b);
        }
        record(kEof, {});
    }

    qint64 rowsOfSheet(int sheet) const
    {
        const qint64 before = static_cast<qint64>(sheet) * kDataRowsPerSheet;
        return std::min<qint64>(kDataRowsPerSheet, std::max<qint64>(0, rowCount - before));
    }

    void startSheet()
    {
        ++currentSheet;
        sheetPositions.append(static_cast<quint32>(streamSize));
        bof(0x0010);
        {
            QByteArray b;
            put16(b, 8);
            record(kDefColWidth, b);
        }
        for (int c = 0; c < layout.columns.size(); ++c) {
            const Column& column = layout.columns.at(c);
            QByteArray b;
            put16(b, static_cast<quint16>(c));
            put16(b, static_cast<quint16>(c));
            put16(b, static_cast<quint16>(std::clamp(column.width, 0, 255) * 256));
            put16(b, 15);
            put16(b, 0);
            put16(b, 0);
            record(kColInfo, b);
        }
        {
            QByteArray b;
            put16(b, 0);
            put16(b, static_cast<quint16>(rowsOfSheet(currentSheet) + 1));
            put16(b, 0);
            put16(b, static_cast<quint16>(titleCells));
            put16(b, 0);
            record(kDimensions, b);
        }
        for (int c = 0; c < titleCells; ++c) {
            const bool hasColumn = c < layout.columns.size();
            const Align align = hasColumn ? layout.columns.at(c).align : Align::General;
            const QString title = hasColumn ? layout.columns.at(c).title : QString();
            if (title.isEmpty())
                blank(0, c, xfIndex(true, align, false));
            else
                label(0, c, xfIndex(true, align, false), title);
        }
        sheetRow = 1;
    }

    void endSheet()
    {
        QByteArray b;
        put16(b, currentSheet == 0 ? 0x06B6 : 0x04B6); // the first sheet is the selected one
        put16(b, 0);
        put16(b, 0);
        put32(b, 0);
        record(kWindow2, b);
        record(kEof, {});
        flush(false);
    }

    void cellHeader(quint16 id, int length, int row, int col, quint16 xfi)
    {
        header(buffer, id, length);
        put16(buffer, static_cast<quint16>(row));
        put16(buffer, static_cast<quint16>(col));
        put16(buffer, xfi);
        streamSize += 4 + length;
    }

    void blank(int row, int col, quint16 xfi) { cellHeader(kBlank, 6, row, col, xfi); }

    void number(int row, int col, quint16 xfi, double value)
    {
        cellHeader(kNumber, 14, row, col, xfi);
        putDouble(buffer, value);
    }

    void label(int row, int col, quint16 xfi, const QString& text)
    {
        const int n = std::min(static_cast<int>(text.size()), kMaxTextBytes);
        cellHeader(kLabel, 8 + n, row, col, xfi);
        put16(buffer, static_cast<quint16>(n));
        codePage().append(buffer, text, n);
    }

    void cell(int row, int col, Align align, const QVariant& value)
    {
        if (value.isNull() || !value.isValid()) {
            blank(row, col, xfIndex(false, align, false));
            return;
        }
        switch (value.typeId()) {
        case QMetaType::QDate:
            number(row, col, xfIndex(false, align, true), serialDate(value.toDate()));
            return;
        case QMetaType::QDateTime: {
            const QDateTime moment = value.toDateTime();
            const double fraction = moment.time().msecsSinceStartOfDay() / 86400000.0;
            number(row, col, xfIndex(false, align, true), serialDate(moment.date()) + fraction);
            return;
        }
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Bool:
            number(row, col, xfIndex(false, align, false), value.toDouble());
            return;
        default:
            label(row, col, xfIndex(false, align, false), value.toString());
            return;
        }
    }

    void patch(qint64 position, const QByteArray& bytes)
    {
        if (!device.seek(position) || device.write(bytes) != bytes.size())
            throw Error(QStringLiteral("A munkafüzet írása nem sikerült: %1").arg(device.errorString()));
    }

    void writeCompoundDocument()
    {
        // The workbook stream fills whole sectors from sector 0; after it come the directory,
        // the allocation table and, for a large stream, the extension of its sector list.
        if (streamSize < kMiniStreamCutoff) {
            buffer.append(QByteArray(static_cast<int>(kMiniStreamCutoff - streamSize), '\0'));
            streamSize = kMiniStreamCutoff;
        }
        const qint64 streamSectors = (streamSize + kSectorSize - 1) / kSectorSize;
        buffer.append(QByteArray(static_cast<int>(streamSectors * kSectorSize - streamSize), '\0'));

        const qint64 dirSector = streamSectors;
        qint64 fatSectors = 1;
        qint64 difatSectors = 0;
        for (;;) {
            const qint64 total = streamSectors + 1 + fatSectors + difatSectors;
            const qint64 fatNeeded = (total + kEntriesPerSector - 1) / kEntriesPerSector;
            const qint64 difatNeeded = fatNeeded > kHeaderDifatEntries
                ? (fatNeeded - kHeaderDifatEntries + kEntriesPerSector - 2) / (kEntriesPerSector - 1)
                : 0;
            if (fatNeeded == fatSectors && difatNeeded == difatSectors)
                break;
            fatSectors = fatNeeded;
            difatSectors = difatNeeded;
        }
        const qint64 firstFat = dirSector + 1;
        const qint64 firstDifat = firstFat + fatSectors;

        // Directory: the root entry, the "Book" stream and two unused entries.
        auto entry = [this](const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
            QByteArray e;
            for (int i = 0; i < 32; ++i)
                put16(e, i < name.size() ? name.at(i).unicode() : 0);
            put16(e, name.isEmpty() ? 0 : static_cast<quint16>((name.size() + 1) * 2));
            e.append(static_cast<char>(type));
            e.append(static_cast<char>(type == 0 ? 0 : 1)); // black
            put32(e, kNoStream);
            put32(e, kNoStream);
            put32(e, child);
            e.append(QByteArray(16 + 4 + 8 + 8, '\0')); // class, state bits, times
            put32(e, start);
            put32(e, size);
            put32(e, 0);
            buffer.append(e);
        };
        entry(QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
        entry(QStringLiteral("Book"), 2, kNoStream, 0, static_cast<quint32>(streamSize));
        entry(QString(), 0, kNoStream, 0, 0);
        entry(QString(), 0, kNoStream, 0, 0);

        // Allocation table.
        for (qint64 s = 0; s < fatSectors * kEntriesPerSector; ++s) {
            quint32 v = kFreeSect;
            if (s < streamSectors)
                v = s + 1 == streamSectors ? kEndOfChain : static_cast<quint32>(s + 1);
            else if (s == dirSector)
                v = kEndOfChain;
            else if (s >= firstFat && s < firstDifat)
                v = kFatSect;
            else if (s >= firstDifat && s < firstDifat + difatSectors)
                v = kDifSect;
            put32(buffer, v);
            if (buffer.size() >= (1 << 16))
                flush(true);
        }
        // The sector numbers of the table beyond the 109 the header holds.
        qint64 nextFat = kHeaderDifatEntries;
        for (qint64 d = 0; d < difatSectors; ++d) {
            for (int i = 0; i < kEntriesPerSector - 1; ++i, ++nextFat)
                put32(buffer, nextFat < fatSectors ? static_cast<quint32>(firstFat + nextFat) : kFreeSect);
            put32(buffer, d + 1 < difatSectors ? static_cast<quint32>(firstDifat + d + 1) : kEndOfChain);
        }
        flush(true);

        QByteArray h;
        h.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        h.append(QByteArray(16, '\0'));
        put16(h, 0x003E);
        put16(h, 0x0003);
        put16(h, 0xFFFE);
        put16(h, 9);  // 512-byte sectors
        put16(h, 6);  // 64-byte mini sectors
        h.append(QByteArray(6, '\0'));
        put32(h, 0);
        put32(h, static_cast<quint32>(fatSectors));
        put32(h, static_cast<quint32>(dirSector));
        put32(h, 0);
        put32(h, kMiniStreamCutoff);
        put32(h, kEndOfChain); // no mini allocation table
        put32(h, 0);
        put32(h, difatSectors > 0 ? static_cast<quint32>(firstDifat) : kEndOfChain);
        put32(h, static_cast<quint32>(difatSectors));
        for (int i = 0; i < kHeaderDifatEntries; ++i)
            put32(h, i < fatSectors ? static_cast<quint32>(firstFat + i) : kFreeSect);
        patch(0, h);

        for (int s = 0; s < sheetPositionFields.size(); ++s) {
            QByteArray b;
            put32(b, sheetPositions.value(s));
            patch(kSectorSize + sheetPositionFields.at(s), b);
        }
    }
};

WorkbookWriter::WorkbookWriter(QIODevice& device, const Layout& layout, qint64 rowCount)
    : d(std::make_unique<Private>(device, layout, rowCount))
{
    if (!device.isWritable() || device.isSequential())
        throw Error(QStringLiteral("A munkafüzet nem írható: %1").arg(device.errorString()));
    if (layout.columns.isEmpty() || d->titleCells > 256)
        throw Error(QStringLiteral("A munkafüzet oszlopai hibásak."));
    if (!device.seek(0) || device.write(QByteArray(kSectorSize, '\0')) != kSectorSize)
        throw Error(QStringLiteral("A munkafüzet írása nem sikerült: %1").arg(device.errorString()));
    d->writeGlobals();
    d->startSheet();
}

WorkbookWriter::~WorkbookWriter() = default;

void WorkbookWriter::addRow(const QVariant* values, int count)
{
    if (d->finished || d->rowsWritten >= d->rowCount)
        throw Error(QStringLiteral("A munkafüzetbe több sor került, mint amennyit a lekérdezés adott."));
    if (d->sheetRow > kDataRowsPerSheet) {
        d->endSheet();
        d->startSheet();
    }
    const int columns = static_cast<int>(d->layout.columns.size());
    static const QVariant none;
    for (int c = 0; c < columns; ++c)
        d->cell(d->sheetRow, c, d->layout.columns.at(c).align, c < count ? values[c] : none);
    ++d->sheetRow;
    ++d->rowsWritten;
    d->flush(false);
}

void WorkbookWriter::finish()
{
    if (d->finished)
        return;
    if (d->rowsWritten != d->rowCount)
        throw Error(QStringLiteral("A munkafüzetbe kevesebb sor került, mint amennyit a lekérdezés adott."));
    d->endSheet();
    d->finished = true;
    d->writeCompoundDocument();
}

} // namespace zeror::xls
