"""Writes a .docx template for the Word report tests: placeholders split across runs, a table of three
record rows, a group field and a text box. Usage: make_template.py OUT.docx"""
import sys

import docx
from docx.oxml import parse_xml
from docx.oxml.ns import nsdecls

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
# A text box in the legacy drawing form, which every word processor reads.
box = parse_xml(
    f'<w:r {nsdecls("w")} xmlns:v="urn:schemas-microsoft-com:vml"><w:pict><v:shape style="width:200pt;height:40pt">'
    '<v:textbox><w:txbxContent><w:p><w:r><w:t>保管期限：&lt;#retention|G#&gt;</w:t></w:r></w:p>'
    '</w:txbxContent></v:textbox></v:shape></w:pict></w:r>'
)
document.add_paragraph()._p.append(box)
document.add_paragraph("<#select piece_no, archive_no, title, filing_year, retention from wsda order by filing_year, retention, piece_no|I#>")
document.save(sys.argv[1])
