#!/usr/bin/python3
# Prints an Excel 97-2003 workbook as JSON, as an independent reader sees
# it: per sheet its name and its cells row by row, each as [kind, value]
# with kind "text", "number" or "empty".
import json
import sys

import xlrd

KINDS = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
         xlrd.XL_CELL_EMPTY: "empty", xlrd.XL_CELL_BLANK: "empty"}

book = xlrd.open_workbook(sys.argv[1])
sheets = []
for sheet in book.sheets():
    rows = []
    for r in range(sheet.nrows):
        rows.append([[KINDS.get(cell.ctype, "other"), cell.value] for cell in sheet.row(r)])
    sheets.append({"name": sheet.name, "rows": rows})
json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False)
