#!/usr/bin/env python3
"""Reads an .xls workbook with xlrd and prints what the tests check as JSON.

For every sheet: its name, size, the column widths (in 1/256 characters) and every cell
with its xlrd type name, value (dates as "YYYY-MM-DD"), bold flag and horizontal alignment.
With --values the formatting is left out, which keeps large workbooks quick.
"""
import json
import sys

import xlrd

TYPES = {
    xlrd.XL_CELL_EMPTY: "empty",
    xlrd.XL_CELL_TEXT: "text",
    xlrd.XL_CELL_NUMBER: "number",
    xlrd.XL_CELL_DATE: "date",
    xlrd.XL_CELL_BOOLEAN: "boolean",
    xlrd.XL_CELL_ERROR: "error",
    xlrd.XL_CELL_BLANK: "blank",
}
ALIGN = {0: "general", 1: "left", 2: "center", 3: "right"}


def main(path, formatting):
    book = xlrd.open_workbook(path, formatting_info=formatting)
    out = {"biff_version": book.biff_version, "encoding": book.encoding, "sheets": []}
    for sheet in book.sheets():
        widths = {}
        for col, info in sheet.colinfo_map.items():
            widths[str(col)] = info.width
        rows = []
        for r in range(sheet.nrows):
            row = []
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                value = cell.value
                if cell.ctype == xlrd.XL_CELL_DATE:
                    y, m, d, _, _, _ = xlrd.xldate_as_tuple(value, book.datemode)
                    value = "%04d-%02d-%02d" % (y, m, d)
                out_cell = {"type": TYPES.get(cell.ctype, str(cell.ctype)), "value": value}
                if formatting:
                    xf = book.xf_list[cell.xf_index]
                    out_cell["bold"] = bool(book.font_list[xf.font_index].bold)
                    out_cell["align"] = ALIGN.get(xf.alignment.hor_align, str(xf.alignment.hor_align))
                row.append(out_cell)
            rows.append(row)
        out["sheets"].append({"name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols,
                              "widths": widths, "rows": rows})
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[-1], "--values" not in sys.argv[1:-1])
