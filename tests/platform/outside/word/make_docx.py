"""Writes a .docx whose body is read from standard input, with the zip tricks of hostile templates.
Usage: make_docx.py OUT [--entry NAME] [--zeros NAME:BYTES] [--parts COUNT:BYTES] [--random NAME:BYTES]
                       [--declare NAME:BYTES] [--compressed NAME:BYTES] [--alias NAME:TARGET] [--padded BYTES]
                       [--zip64 1|THIS:TOTAL] [--count [THIS:]PARTS] [--false-end PARTS]
  --entry       one more part named NAME (names that leave the archive, names given twice)
  --zeros       a part of BYTES zero bytes (a real zip bomb, deflated a thousandfold)
  --parts       COUNT parts word/media/N.bin of BYTES zero bytes each (small bombs, many)
  --random      a part of BYTES random bytes (it does not deflate)
  --declare     the part's headers claim BYTES inflated bytes (a bomb by declaration)
  --compressed  the part's headers claim BYTES compressed bytes
  --alias       one more part NAME whose central directory entry points at part TARGET's data
  --padded      the body part ends with BYTES blanks (it deflates a thousandfold)
  --zip64       the part count stands in the 64-bit end record, the 16-bit one holding 0xFFFF; THIS:TOTAL
                rewrites that record's counts of the parts on this disk and of all parts
  --count       the end record declares PARTS parts, whatever the central directory holds (THIS: on this
                disk, apart from the total)
  --false-end   the archive's comment holds an end record declaring PARTS parts
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


def alias(path, name, target):
    """Points the central directory entry of part `name` at the local header and data of part `target`:
    two parts claiming the same compressed bytes."""
    data = bytearray(open(path, "rb").read())
    entries = {}
    at = data.find(b"PK\x01\x02")
    while at >= 0:
        length = struct.unpack_from("<H", data, at + 28)[0]
        entries[bytes(data[at + 46:at + 46 + length])] = at
        at = data.find(b"PK\x01\x02", at + 4)
    source, copy = entries[target.encode()], entries[name.encode()]
    data[copy + 8:copy + 28] = data[source + 8:source + 28]  # flags, method, times, crc and sizes
    data[copy + 42:copy + 46] = data[source + 42:source + 46]  # the local header's offset
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
    settings = dict(zip(options[::2], options[1::2]))
    padding = settings.get("--padded", "0")
    if "--zip64" in settings:
        zipfile.ZIP_FILECOUNT_LIMIT = 0
    document = f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?><w:document xmlns:w="{W}"><w:body>{body}<w:sectPr/>{" " * int(padding)}</w:body></w:document>'
    declared = []
    aliases = []
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
            elif option == "--alias":
                archive.writestr(name, "")
                aliases.append((name, size))
    for name, size, compressed in declared:
        declare(out, name, size, compressed)
    for name, target in aliases:
        alias(out, name, target)
    data = bytearray(open(out, "rb").read())
    end = data.rfind(b"PK\x05\x06")
    if "--zip64" in settings:
        this, _, total = settings["--zip64"].rpartition(":")
        if this:
            struct.pack_into("<QQ", data, data.rfind(b"PK\x06\x06") + 24, int(this), int(total))
        struct.pack_into("<HH", data, end + 8, 0xFFFF, 0xFFFF)
    if "--count" in settings:
        this, _, total = settings["--count"].rpartition(":")
        struct.pack_into("<HH", data, end + 8, int(this or total), int(total))
    if "--false-end" in settings:
        parts = int(settings["--false-end"])
        comment = b"PK\x05\x06" + struct.pack("<HHHHIIH", 0, 0, parts, parts, 0, 0, 0)
        struct.pack_into("<H", data, end + 20, len(comment))
        data += comment
    open(out, "wb").write(bytes(data))


main()
