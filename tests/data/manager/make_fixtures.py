#!/usr/bin/env python3
"""Regenerates the packages of the addon manager tests.

Alpha-2.0.zip  two addons, Alpha (version 2.0) and Beta, no directory entries.
Broken.zip     a good Gamma addon, then Alpha whose last entry fails its CRC
               check, so that extraction stops half way.
Loose.zip      a package with a loose top-level file and no addon.
Clash-2.1.zip  Alpha (version 2.1) and Beta, then a loose "readme.txt" that
               clashes with a player's folder of that name in the tests.
lower-3.0.zip  the addon "alpha" (version 3.0), spelled in lower case.

Run from anywhere: python3 tests/data/manager/make_fixtures.py
"""
import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
STAMP = (2013, 5, 1, 12, 0, 0)


def write(name, entries):
    path = os.path.join(HERE, name)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as archive:
        for entry, data in entries:
            archive.writestr(zipfile.ZipInfo(entry, STAMP), data)
    return path


write("Alpha-2.0.zip", [
    ("Alpha/Alpha.toc", b"## Title: Alpha\n## Version: 2.0\nAlpha.lua\n"),
    ("Alpha/Alpha.lua", b"-- new alpha\n"),
    ("Beta/Beta.toc", b"## Version: b1\n"),
    ("Beta/Beta.lua", b"-- beta\n"),
])

payload = bytes(range(256)) * 16
path = write("Broken.zip", [
    ("Gamma/Gamma.toc", b"## Version: g1\n"),
    ("Alpha/Alpha.toc", b"## Version: 3.0\n"),
    ("Alpha/Alpha.lua", payload),
])
data = bytearray(open(path, "rb").read())
data[data.find(payload) + 1000] ^= 0xFF
open(path, "wb").write(data)

write("Loose.zip", [("readme.txt", b"no addon here\n")])

write("Clash-2.1.zip", [
    ("Alpha/Alpha.toc", b"## Version: 2.1\n"),
    ("Alpha/Alpha.lua", b"-- alpha 2.1\n"),
    ("Beta/Beta.toc", b"## Version: b2\n"),
    ("readme.txt", b"clashes\n"),
])

write("lower-3.0.zip", [
    ("alpha/alpha.toc", b"## Version: 3.0\n"),
    ("alpha/alpha.lua", b"-- lower alpha\n"),
])
