#!/usr/bin/python3
# Prints an Excel 97-2003 workbook as JSON, as an independent reader sees
# it: the active sheet, the default font, and per sheet its name and its
# cells row by row, each as [kind, value] with kind "text", "number" or
# "empty".
import json
import sys

import xlrd

KINDS = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
         xlrd.XL_CELL_EMPTY: "empty", xlrd.XL_CELL_BLANK: "empty"}

book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheets = []
for sheet in book.sheets():
    rows = []
    for r in range(sheet.nrows):
        rows.append([[KINDS.get(cell.ctype, "other"), cell.value] for cell in sheet.row(r)])
    sheets.append({"name": sheet.name, "selected": sheet.sheet_selected, "rows": rows})
font = book.font_list[0]
json.dump({"sheets": sheets, "font": font.name, "fontHeight": font.height}, sys.stdout, ensure_ascii=False)
