#!/usr/bin/python3
"""Reads an exported report workbook back and checks it against the rows that were exported.

Usage: check_workbook.py EXPECTED.json WORKBOOK.xlsx
EXPECTED.json holds {"rows": [[12 cells], ...]}, the sheet rows that must follow the two
header rows: a cell is a text, which must be a string cell (or blank when empty), or
{"number": value, "format": code}, which must be a number cell of that value and number
format. Prints every difference found; exits 0 when there is none.
"""
import json
import sys

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed for " + sys.executable)
    sys.exit(2)

SHEET = "Расчет ОКЗ"
TITLES = ["№ точки", "Rт/3", "Xт/3", "Rл", "Xл", "Rпр", "Rф-н", "Xф-н", "|Zф-н|", "Iокз", "Iср", "Tср"]
UNITS = ["", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "А", "А", "c"]
# Widths as the sheet stores them: the spreadsheet's padding added to 8 and 11 characters.
WIDTHS = [8.7109375] * 11 + [11.7109375]
COLUMNS = 12
# The look-alike letters: Cyrillic "А" for amperes, Latin "c" for seconds.
assert UNITS[9] == UNITS[10] == "\u0410" and UNITS[11] == "\u0063"

problems = []


def problem(text):
    problems.append(text)


def border_styles(style_owner):
    border = style_owner.border
    return [side.style for side in (border.left, border.right, border.top, border.bottom)]


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        rows = json.load(f)["rows"]
    workbook = openpyxl.load_workbook(sys.argv[2])
    sheet = workbook.worksheets[0]
    if workbook.sheetnames[0] != SHEET:
        problem("first sheet is %r" % workbook.sheetnames[0])

    block = [TITLES, UNITS] + rows
    last_row = len(block)

    # Texts as strings and numbers as numbers, exactly in A1:L(n+2) and nowhere else.
    if sheet.max_row != last_row or sheet.max_column != COLUMNS:
        problem("used range ends at row %d, column %d" % (sheet.max_row, sheet.max_column))
    for r, texts in enumerate(block, start=1):
        header = r <= 2
        for c, text in enumerate(texts, start=1):
            cell = sheet.cell(row=r, column=c)
            where = cell.coordinate
            if isinstance(text, dict):
                if (cell.data_type != "n" or type(cell.value) not in (int, float)
                        or cell.value != text["number"] or cell.number_format != text["format"]):
                    problem("%s holds %r (type %s, format %r), expected the number %r in format %r"
                            % (where, cell.value, cell.data_type, cell.number_format,
                               text["number"], text["format"]))
            elif text == "":
                if cell.value is not None:
                    problem("%s holds %r, expected nothing" % (where, cell.value))
            elif cell.value != text or cell.data_type != "s" or cell.number_format != "General":
                problem("%s holds %r (type %s), expected the string %r"
                        % (where, cell.value, cell.data_type, text))
            if border_styles(cell) != ["thin"] * 4:
                problem("%s borders %s" % (where, border_styles(cell)))
            if bool(cell.font.bold) != header:
                problem("%s bold is %s" % (where, cell.font.bold))
            wanted = "center" if header else "right"
            if cell.alignment.horizontal != wanted:
                problem("%s alignment %s" % (where, cell.alignment.horizontal))

    # No border around the rectangle.
    for r in range(1, last_row + 3):
        for c in range(1, COLUMNS + 3):
            if r > last_row or c > COLUMNS:
                cell = sheet.cell(row=r, column=c)
                if any(border_styles(cell)):
                    problem("%s outside the rectangle has borders" % cell.coordinate)

    # Column widths of whole columns, and nothing else set on columns.
    widths = {}
    for dim in list(sheet.column_dimensions.values()):
        if dim.min is None:
            continue
        for c in range(dim.min, dim.max + 1):
            widths[c] = (dim.width, dim.customWidth, dim.style_id)
    for c in range(1, COLUMNS + 1):
        width = widths.get(c)
        if width is None or width[0] != WIDTHS[c - 1] or not width[1]:
            problem("column %d width %s, expected %s" % (c, width, WIDTHS[c - 1]))
        elif width[2]:
            problem("column %d carries a format" % c)
    if any(c > COLUMNS for c in widths):
        problem("columns beyond L have settings")

    # Formats of whole rows: header rows bold and centred, data rows right-aligned, no borders.
    styled = sorted(r for r, dim in list(sheet.row_dimensions.items()) if dim.s)
    if styled != list(range(1, last_row + 1)):
        problem("rows with a format: %s" % styled)
    for r in range(1, last_row + 1):
        dim = sheet.row_dimensions[r]
        header = r <= 2
        if bool(dim.font.bold) != header:
            problem("row %d bold is %s" % (r, dim.font.bold))
        wanted = "center" if header else "right"
        if dim.alignment.horizontal != wanted:
            problem("row %d alignment %s" % (r, dim.alignment.horizontal))
        if any(border_styles(dim)):
            problem("row %d format has borders" % r)
        if dim.customHeight:
            problem("row %d has its height changed" % r)

    for text in problems:
        print(text)
    return 1 if problems else 0


sys.exit(main())
