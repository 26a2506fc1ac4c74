"""Writes a .docx template of the given parts, in order: "p:TEXT" a paragraph, "box:TEXT" a paragraph
holding a text box with TEXT. Usage: write_template.py OUT.docx PART..."""
import sys
from xml.sax.saxutils import escape

import docx
from docx.oxml import parse_xml
from docx.oxml.ns import nsdecls


def add_text_box(document, text):
    """A paragraph holding a text box in the legacy drawing form, which every word processor reads."""
    box = parse_xml(
        f'<w:r {nsdecls("w")} xmlns:v="urn:schemas-microsoft-com:vml"><w:pict><v:shape style="width:200pt;height:40pt">'
        f"<v:textbox><w:txbxContent><w:p><w:r><w:t>{escape(text)}</w:t></w:r></w:p>"
        "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>"
    )
    document.add_paragraph()._p.append(box)


if __name__ == "__main__":
    document = docx.Document()
    for part in sys.argv[2:]:
        kind, _, text = part.partition(":")
        if kind == "p":
            document.add_paragraph(text)
        elif kind == "box":
            add_text_box(document, text)
        else:
            sys.exit(f"unknown part {part}")
    document.save(sys.argv[1])
