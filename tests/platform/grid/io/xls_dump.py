#!/usr/bin/python3
"""Prints what an independent reader (xlrd) finds in an .xls file, as JSON.

  xls_dump.py FILE              every sheet with its cells, formats, merges, widths, heights and page
  xls_dump.py --edges N FILE    the same, but only the first and last N rows of every sheet
  xls_dump.py --stream NAME FILE  size and SHA-1 of one stream of the compound file
"""
import hashlib
import json
import struct
import sys

import xlrd
from xlrd import compdoc

CELL_KINDS = {
    xlrd.XL_CELL_TEXT: "text",
    xlrd.XL_CELL_NUMBER: "number",
    xlrd.XL_CELL_DATE: "date",
    xlrd.XL_CELL_BOOLEAN: "bool",
    xlrd.XL_CELL_ERROR: "error",
    xlrd.XL_CELL_BLANK: "blank",
}


def rgb(book, index):
    color = book.colour_map.get(index)
    return None if color is None else "#%02x%02x%02x" % color


def side(book, style, colour):
    return {"style": style, "color": rgb(book, colour) if style else None}


def cell_dump(book, sheet, row, col):
    cell = sheet.cell(row, col)
    xf = book.xf_list[cell.xf_index]
    font = book.font_list[xf.font_index]
    border = xf.border
    value = cell.value
    if cell.ctype == xlrd.XL_CELL_ERROR:
        value = xlrd.error_text_from_code.get(value, value)
    return {
        "row": row,
        "col": col,
        "kind": CELL_KINDS[cell.ctype],
        "value": value,
        "format": book.format_map[xf.format_key].format_str,
        "font": {
            "name": font.name,
            "height": font.height,
            "bold": bool(font.bold),
            "italic": bool(font.italic),
            "underline": font.underline_type,
            "strike": bool(font.struck_out),
            "color": rgb(book, font.colour_index),
        },
        "hAlign": xf.alignment.hor_align,
        "vAlign": xf.alignment.vert_align,
        "wrap": bool(xf.alignment.text_wrapped),
        "shrink": bool(xf.alignment.shrink_to_fit),
        "top": side(book, border.top_line_style, border.top_colour_index),
        "left": side(book, border.left_line_style, border.left_colour_index),
        "bottom": side(book, border.bottom_line_style, border.bottom_colour_index),
        "right": side(book, border.right_line_style, border.right_colour_index),
        "pattern": xf.background.fill_pattern,
        "fill": rgb(book, xf.background.pattern_colour_index) if xf.background.fill_pattern else None,
    }


def sheet_dump(book, sheet, edges):
    rows = range(sheet.nrows)
    if edges is not None:
        rows = sorted(set(rows[:edges]) | set(rows[-edges:]))
    return {
        "name": sheet.name,
        "rows": sheet.nrows,
        "cols": sheet.ncols,
        "merged": [list(m) for m in sheet.merged_cells],
        "colWidths": {str(c): info.width for c, info in sorted(sheet.colinfo_map.items())},
        "hiddenCols": [c for c, info in sorted(sheet.colinfo_map.items()) if info.hidden],
        "rowHeights": {str(r): info.height for r, info in sorted(sheet.rowinfo_map.items()) if r in rows},
        "defaultRowHeight": sheet.default_row_height,
        "breaks": [row for row, _, _ in sheet.horizontal_page_breaks],
        "cells": [cell_dump(book, sheet, r, c) for r in rows for c in range(sheet.row_len(r))
                  if sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY],
    }


MARGINS = {0x26: "left", 0x27: "right", 0x28: "top", 0x29: "bottom"}
FLAGS = {0x83: "hCenter", 0x84: "vCenter", 0x2A: "headings", 0x2B: "gridLines"}
TEXTS = {0x14: "header", 0x15: "footer"}


def unicode_string(body):
    count, flags = struct.unpack_from("<HB", body)
    raw = body[3:]
    return raw[:count].decode("latin-1") if not flags & 1 else raw[:2 * count].decode("utf-16-le")


def page_setups(path):
    """The page records of every worksheet, decoded here since xlrd skips them."""
    with open(path, "rb") as f:
        data = compdoc.CompDoc(f.read(), logfile=sys.stderr).get_named_stream("Workbook")
    sheets, current, pos = [], None, 0
    while pos + 4 <= len(data):
        rid, size = struct.unpack_from("<HH", data, pos)
        body = data[pos + 4:pos + 4 + size]
        pos += 4 + size
        if rid == 0x0809:
            current = {} if struct.unpack_from("<H", body, 2)[0] == 0x10 else None
            if current is not None:
                sheets.append(current)
        elif current is None:
            continue
        elif rid in MARGINS:
            current[MARGINS[rid]] = struct.unpack("<d", body)[0]
        elif rid in FLAGS:
            current[FLAGS[rid]] = struct.unpack("<H", body)[0]
        elif rid in TEXTS:
            current[TEXTS[rid]] = unicode_string(body)
        elif rid == 0x00A1:
            paper, scale, _, wide, tall, flags, _, _, hdr, ftr = struct.unpack_from("<6H2H2d", body)
            current.update(paper=paper, scale=scale, leftToRight=flags & 1, landscape=int(not flags & 2),
                           blackAndWhite=(flags >> 3) & 1, headerMargin=hdr, footerMargin=ftr,
                           fitWide=wide, fitTall=tall)
        elif rid == 0x0081:
            current["fitToPage"] = (struct.unpack("<H", body)[0] >> 8) & 1
    return sheets


def main(args):
    if args[0] == "--stream":
        with open(args[2], "rb") as f:
            doc = compdoc.CompDoc(f.read(), logfile=sys.stderr)
        data = doc.get_named_stream(args[1])
        print(json.dumps({"size": len(data), "sha1": hashlib.sha1(data).hexdigest()}))
        return
    edges = None
    if args[0] == "--edges":
        edges = int(args[1])
        args = args[2:]
    book = xlrd.open_workbook(args[0], formatting_info=True, logfile=sys.stderr)
    sheets = [sheet_dump(book, s, edges) for s in book.sheets()]
    for sheet, page in zip(sheets, page_setups(args[0])):
        sheet["page"] = page
    for name in book.name_obj_list:
        if name.builtin and name.scope >= 0:
            area = name.result.value[0].coords  # sheets, rows and columns, each last one exclusive
            sheets[name.scope][name.name] = [area[2], area[3] - 1, area[4], area[5] - 1]
    print(json.dumps({"sheets": sheets}, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1:])
