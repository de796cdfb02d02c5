#pragma once

// Reads a written workbook back with two independent readers, xlrd (through python3 and
// read_xls.py) and FreeXL, into one plain picture, so the tests compare what each reader sees.

#include <freexl.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QVector>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zeror::test {

enum class CellType { Empty, Text, Number, Date };

struct ReadCell
{
    CellType type = CellType::Empty;
    QString text;      // Text; Date as "YYYY-MM-DD"
    double number = 0; // Number
    // Formatting, as xlrd reports it (FreeXL does not read formatting).
    bool bold = false;
    QString align;     // "general", "left", "right"

    bool operator==(const ReadCell& o) const
    {
        return type == o.type && text == o.text && (type != CellType::Number || number == o.number);
    }
};

struct ReadSheet
{
    QString name;
    int rows = 0;
    int columns = 0;
    std::map<int, int> widths; // column -> width in 1/256 characters (xlrd only)
    std::vector<std::vector<ReadCell>> cells;

    const ReadCell& at(int row, int col) const
    {
        static const ReadCell empty;
        if (row < 0 || row >= int(cells.size()) || col < 0 || col >= int(cells[row].size()))
            return empty;
        return cells[row][col];
    }
};

struct ReadBook
{
    QString error; // empty when the reader could read the file
    int biffVersion = 0;
    QString encoding;
    std::vector<ReadSheet> sheets;
};

inline std::string describe(const ReadCell& c)
{
    switch (c.type) {
    case CellType::Empty: return "<empty>";
    case CellType::Text: return "text:" + c.text.toStdString();
    case CellType::Number: return "number:" + QString::number(c.number, 'g', 17).toStdString();
    case CellType::Date: return "date:" + c.text.toStdString();
    }
    return "?";
}

// Without formatting the bold flags and alignments stay unset; large workbooks read faster.
inline ReadBook readWithXlrd(const QString& path, bool formatting = true)
{
    ReadBook book;
    QProcess p;
    QStringList arguments{QStringLiteral(ZEROR_READ_XLS_SCRIPT)};
    if (!formatting)
        arguments << QStringLiteral("--values");
    p.start(QStringLiteral(ZEROR_PYTHON), arguments << path);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        book.error = QStringLiteral("xlrd: ") + QString::fromUtf8(p.readAllStandardError());
        return book;
    }
    const QJsonObject root = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    book.biffVersion = root.value(QStringLiteral("biff_version")).toInt();
    book.encoding = root.value(QStringLiteral("encoding")).toString();
    for (const QJsonValue& sv : root.value(QStringLiteral("sheets")).toArray()) {
        const QJsonObject s = sv.toObject();
        ReadSheet sheet;
        sheet.name = s.value(QStringLiteral("name")).toString();
        sheet.rows = s.value(QStringLiteral("nrows")).toInt();
        sheet.columns = s.value(QStringLiteral("ncols")).toInt();
        const QJsonObject widths = s.value(QStringLiteral("widths")).toObject();
        for (auto it = widths.begin(); it != widths.end(); ++it)
            sheet.widths[it.key().toInt()] = it.value().toInt();
        for (const QJsonValue& rv : s.value(QStringLiteral("rows")).toArray()) {
            std::vector<ReadCell> row;
            for (const QJsonValue& cv : rv.toArray()) {
                const QJsonObject c = cv.toObject();
                ReadCell cell;
                const QString type = c.value(QStringLiteral("type")).toString();
                if (type == QLatin1String("text")) {
                    cell.type = CellType::Text;
                    cell.text = c.value(QStringLiteral("value")).toString();
                } else if (type == QLatin1String("number")) {
                    cell.type = CellType::Number;
                    cell.number = c.value(QStringLiteral("value")).toDouble();
                } else if (type == QLatin1String("date")) {
                    cell.type = CellType::Date;
                    cell.text = c.value(QStringLiteral("value")).toString();
                } else if (type != QLatin1String("empty") && type != QLatin1String("blank")) {
                    cell.type = CellType::Text;
                    cell.text = QStringLiteral("<unexpected %1>").arg(type);
                }
                cell.bold = c.value(QStringLiteral("bold")).toBool();
                cell.align = c.value(QStringLiteral("align")).toString();
                row.push_back(cell);
            }
            sheet.cells.push_back(std::move(row));
        }
        book.sheets.push_back(std::move(sheet));
    }
    return book;
}

inline ReadBook readWithFreeXL(const QString& path)
{
    ReadBook book;
    const void* handle = nullptr;
    const QByteArray file = path.toLocal8Bit();
    int rc = freexl_open(file.constData(), &handle);
    if (rc != FREEXL_OK || handle == nullptr) {
        book.error = QStringLiteral("freexl_open: %1").arg(rc);
        return book;
    }
    unsigned int version = 0, sheets = 0, codePage = 0;
    freexl_get_info(handle, FREEXL_BIFF_VERSION, &version);
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    freexl_get_info(handle, FREEXL_BIFF_CODEPAGE, &codePage);
    book.biffVersion = static_cast<int>(version);
    book.encoding = codePage == FREEXL_BIFF_CP1250 ? QStringLiteral("cp1250") : QString::number(codePage);
    for (unsigned int s = 0; s < sheets; ++s) {
        ReadSheet sheet;
        const char* name = nullptr;
        freexl_get_worksheet_name(handle, static_cast<unsigned short>(s), &name);
        sheet.name = QString::fromUtf8(name);
        freexl_select_active_worksheet(handle, static_cast<unsigned short>(s));
        unsigned int rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(handle, &rows, &columns);
        sheet.rows = static_cast<int>(rows);
        sheet.columns = columns;
        for (unsigned int r = 0; r < rows; ++r) {
            std::vector<ReadCell> row;
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                ReadCell cell;
                if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) {
                    cell.type = CellType::Text;
                    cell.text = QStringLiteral("<unreadable>");
                } else {
                    switch (value.type) {
                    case FREEXL_CELL_INT:
                        cell.type = CellType::Number;
                        cell.number = value.value.int_value;
                        break;
                    case FREEXL_CELL_DOUBLE:
                        cell.type = CellType::Number;
                        cell.number = value.value.double_value;
                        break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT:
                        cell.type = CellType::Text;
                        cell.text = QString::fromUtf8(value.value.text_value);
                        break;
                    case FREEXL_CELL_DATE:
                        cell.type = CellType::Date;
                        cell.text = QString::fromUtf8(value.value.text_value);
                        break;
                    case FREEXL_CELL_NULL:
                        break;
                    default:
                        cell.type = CellType::Text;
                        cell.text = QStringLiteral("<type %1>").arg(value.type);
                        break;
                    }
                }
                row.push_back(cell);
            }
            sheet.cells.push_back(std::move(row));
        }
        book.sheets.push_back(std::move(sheet));
    }
    freexl_close(handle);
    return book;
}

} // namespace zeror::test
