#!/usr/bin/env python3
"""Regenerates the packages of the download recognizer tests.

Solo-1.0.zip  one addon, Solo (version 1.0), written by zipfile.
Trio.zip      three addons, Ant (a1), Bee (b1) and Cat (c1), written by zipfile.
Gallery.zip   one addon, Gallery (version 3.1) with nested folders and a
              binary file, made by Info-ZIP zip from the tree src/.

Run from anywhere: python3 tests/data/recognizer/make_fixtures.py
Needs: zip, python3.
"""
import os
import random
import shutil
import subprocess
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "src")
STAMP = (2013, 5, 1, 12, 0, 0)


def write(name, entries):
    with zipfile.ZipFile(os.path.join(HERE, name), "w", zipfile.ZIP_DEFLATED) as archive:
        for entry, data in entries:
            archive.writestr(zipfile.ZipInfo(entry, STAMP), data)


write("Solo-1.0.zip", [
    ("Solo/Solo.toc", b"## Title: Solo\n## Version: 1.0\nSolo.lua\n"),
    ("Solo/Solo.lua", b"-- solo\n"),
])

write("Trio.zip", [
    ("Ant/Ant.toc", b"## Version: a1\n"),
    ("Ant/Ant.lua", b"-- ant\n"),
    ("Bee/Bee.toc", b"## Version: b1\n"),
    ("Cat/Cat.toc", b"## Version: c1\n"),
    ("Cat/Media/cat.txt", b"meow\n"),
])

shutil.rmtree(SRC, ignore_errors=True)
rng = random.Random(11)
files = {
    "Gallery/Gallery.toc": b"## Title: Gallery\r\n## Version: 3.1\r\nGallery.lua\r\n",
    "Gallery/Gallery.lua": b"-- gallery\nprint('gallery')\n" * 200,
    "Gallery/Media/Icons/icon.tga": rng.randbytes(30000),
    "Gallery/Media/readme.txt": b"",
}
for name, data in files.items():
    path = os.path.join(SRC, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)
target = os.path.join(HERE, "Gallery.zip")
if os.path.exists(target):
    os.remove(target)
subprocess.run(["zip", "-q", "-r", "-X", target, "Gallery"], cwd=SRC, check=True)
