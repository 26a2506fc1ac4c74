"""Prints what a filled .docx shows, one line per paragraph in reading order (table cells as
"cell:" lines, text boxes as "box:" lines) and "PAGE" for each page break. With --structure, prints
instead how the document is built: its bodies, its section properties (and whether the body ends with
them) and its page breaks. Usage: read_document.py [--structure] F"""
import sys

import docx
from docx.oxml.ns import qn

if sys.argv[1] == "--structure":
    root = docx.Document(sys.argv[2]).element
    bodies = root.findall(qn("w:body"))
    body = bodies[0]
    sections = len(list(root.iter(qn("w:sectPr"))))
    last = "last" if len(body) and body[-1].tag == qn("w:sectPr") else "not last"
    breaks = sum(1 for br in body.iter(qn("w:br")) if br.get(qn("w:type")) == "page")
    print(f"bodies {len(bodies)}, sections {sections} {last}, page breaks {breaks}")
    sys.exit()

document = docx.Document(sys.argv[1])
body = document.element.body
for element in body.iterchildren():
    if element.tag == qn("w:p"):
        for br in element.iter(qn("w:br")):
            if br.get(qn("w:type")) == "page":
                print("PAGE")
        own = [t.text or "" for t in element.iter(qn("w:t")) if not any(a.tag == qn("w:txbxContent") for a in t.iterancestors())]
        print("".join(own))
        # A text box saved in both drawing forms (the newer one and its fallback) is read once.
        fallback = "{http://schemas.openxmlformats.org/markup-compatibility/2006}Fallback"
        for box in element.iter(qn("w:txbxContent")):
            if any(a.tag == fallback for a in box.iterancestors()):
                continue
            print("box:" + "".join(t.text or "" for t in box.iter(qn("w:t"))))
    elif element.tag == qn("w:tbl"):
        for row in element.iter(qn("w:tr")):
            print("cell:" + "|".join("".join(t.text or "" for t in cell.iter(qn("w:t"))) for cell in row.iter(qn("w:tc"))))
