"""Writes a .docx whose body is read from standard input, with the zip tricks of hostile templates.
Usage: make_docx.py OUT [--entry NAME] [--zeros NAME:BYTES] [--parts COUNT:BYTES] [--random NAME:BYTES]
                       [--declare NAME:BYTES] [--compressed NAME:BYTES]
  --entry       one more part named NAME (names that leave the archive, names given twice)
  --zeros       a part of BYTES zero bytes (a real zip bomb, deflated a thousandfold)
  --parts       COUNT parts word/media/N.bin of BYTES zero bytes each (small bombs, many)
  --random      a part of BYTES random bytes (it does not deflate)
  --declare     the part's headers claim BYTES inflated bytes (a bomb by declaration)
  --compressed  the part's headers claim BYTES compressed bytes
Or: make_docx.py --count OUT TEXT  prints how often TEXT occurs in the body part of OUT,
    make_docx.py --text OUT        prints the text of each paragraph of OUT, one line each."""
import random
import struct
import sys
import zipfile
from xml.etree import ElementTree

W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
CONTENT_TYPES = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                 '<Default Extension="xml" ContentType="application/xml"/>'
                 '<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>')
RELS = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>')


def declare(path, name, size, compressed):
    """Rewrites the inflated (or compressed) size of part `name` in its local header and in the central
    directory."""
    data = bytearray(open(path, "rb").read())
    encoded = name.encode()
    for signature, size_at, name_at in ((b"PK\x03\x04", 22, 30), (b"PK\x01\x02", 24, 46)):
        size_at -= 4 if compressed else 0
        at = data.find(signature)
        while at >= 0:
            length = struct.unpack_from("<H", data, at + name_at - (4 if signature == b"PK\x03\x04" else 18))[0]
            if data[at + name_at:at + name_at + length] == encoded:
                struct.pack_into("<I", data, at + size_at, size)
            at = data.find(signature, at + 4)
    open(path, "wb").write(bytes(data))


def paragraph_texts(xml):
    """Each paragraph's own text: a text belongs to its innermost paragraph."""
    root = ElementTree.fromstring(xml)
    parent = {child: node for node in root.iter() for child in node}
    for paragraph in root.iter(f"{{{W}}}p"):
        own = []
        for text in paragraph.iter(f"{{{W}}}t"):
            holder = parent[text]
            while holder.tag != f"{{{W}}}p":
                holder = parent[holder]
            if holder is paragraph:
                own.append(text.text or "")
        print("".join(own))


def main():
    if sys.argv[1] in ("--count", "--text"):
        with zipfile.ZipFile(sys.argv[2]) as archive:
            xml = archive.read("word/document.xml").decode()
        if sys.argv[1] == "--count":
            print(xml.count(sys.argv[3]))
        else:
            paragraph_texts(xml)
        return
    out, options = sys.argv[1], sys.argv[2:]
    body = sys.stdin.read()
    document = f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><w:document xmlns:w="{W}"><w:body>{body}<w:sectPr/></w:body></w:document>'
    declared = []
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr("[Content_Types].xml", CONTENT_TYPES)
        archive.writestr("_rels/.rels", RELS)
        archive.writestr("word/document.xml", document)
        for option, value in zip(options[::2], options[1::2]):
            name, _, size = value.rpartition(":")
            if option == "--entry":
                archive.writestr(value, "x")
            elif option == "--zeros":
                archive.writestr(name, bytes(int(size)))
            elif option == "--parts":
                for part in range(int(name)):
                    archive.writestr(f"word/media/{part}.bin", bytes(int(size)))
            elif option == "--random":
                archive.writestr(name, random.Random(7).randbytes(int(size)))
            elif option in ("--declare", "--compressed"):
                declared.append((name, int(size), option == "--compressed"))
    for name, size, compressed in declared:
        declare(out, name, size, compressed)


main()
