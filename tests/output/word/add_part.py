"""Adds a one-byte part named NAME to the zip archive F (names a hostile template may hold).
Usage: add_part.py F NAME"""
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1], "a") as archive:
    archive.writestr(sys.argv[2], "x")
