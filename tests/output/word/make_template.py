"""Writes a .docx template for the Word report tests: placeholders split across runs, a table of three
record rows, a group field and a text box. Usage: make_template.py OUT.docx"""
import sys

import docx
from write_template import add_text_box

document = docx.Document()
heading = document.add_paragraph()
for piece in ("年度：<", "#wsda.filing", "_year|G#", ">"):  # one placeholder over four runs
    heading.add_run(piece)
document.add_paragraph('<#"共"+档号|1#> <#"首件："+archive_no&1-4&B|1#>')
table = document.add_table(rows=3, cols=3)
for row in range(3):
    cells = table.rows[row].cells
    cells[0].text = f"<#piece_no|{row + 1}#>"
    cells[1].text = f"<#archive_no|{row + 1}#>"
    cells[2].paragraphs[0].add_run("<#title&2-3&F")
    cells[2].paragraphs[0].add_run("#>")
add_text_box(document, "保管期限：<#retention|G#>")
document.add_paragraph("<#select piece_no, archive_no, title, filing_year, retention from wsda order by filing_year, retention, piece_no|I#>")
document.save(sys.argv[1])
