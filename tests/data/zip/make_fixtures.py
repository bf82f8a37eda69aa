#!/usr/bin/env python3
"""Regenerates the zip fixtures of the package tests.

The source tree src/ is written first; the archives are then made from it by
three different tools (Info-ZIP zip, bsdtar, Python's zipfile), so the tests
see the layouts those tools produce. Hostile and broken archives are written
with zipfile and patched byte by byte.

Run from anywhere: python3 tests/data/zip/make_fixtures.py
Needs: zip, bsdtar (libarchive-tools), python3.
"""
import os
import random
import shutil
import struct
import subprocess
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "src")
BOM = b"\xef\xbb\xbf"

# Archive order of the good packages; names ending in "/" are directories.
ORDER = [
    "Alpha/",
    "Alpha/Alpha.toc",
    "Alpha/Alpha.lua",
    "Alpha/Libs/",
    "Alpha/Libs/Libs.toc",
    "Alpha/Libs/data.bin",
    "Beta/",
    "Beta/beta.TOC",
    "Beta/Beta.lua",
    "Beta/empty.txt",
]


def write_sources():
    shutil.rmtree(SRC, ignore_errors=True)
    rng = random.Random(7)
    files = {
        "Alpha/Alpha.toc": BOM + b"## Title: Alpha Title\r\n## Interface: 50400\r\n"
        b"## Version: 1.2.3\r\nAlpha.lua\r\n",
        "Alpha/Alpha.lua": b"-- Alpha\nprint('alpha')\n" * 300,
        "Alpha/Libs/Libs.toc": b"## Title: Nested Library\n## Version: 9\n",
        "Alpha/Libs/data.bin": rng.randbytes(20000),
        "Beta/beta.TOC": BOM + b"## Title: Beta Title\n## X-Curse-Packaged-Version: r42\n"
        b"Beta.lua\n",
        "Beta/Beta.lua": bytes(rng.choice(b"abc \n") for _ in range(9000)),
        "Beta/empty.txt": b"",
    }
    for name, data in files.items():
        path = os.path.join(SRC, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)


def out(name):
    path = os.path.join(HERE, name)
    if os.path.exists(path):
        os.remove(path)
    return path


def tool_archives():
    subprocess.run(["zip", "-q", "-X", out("infozip.zip")] + ORDER, cwd=SRC, check=True)
    subprocess.run(["zip", "-q", "-X", "-D", out("infozip-nodirs.zip")] + ORDER, cwd=SRC,
                   check=True)
    subprocess.run(["bsdtar", "-a", "-n", "-cf", out("bsdtar.zip")] + ORDER, cwd=SRC,
                   check=True)
    with zipfile.ZipFile(out("python.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        for name in ORDER:
            z.write(os.path.join(SRC, name), name)


def small(name, entries, method=zipfile.ZIP_DEFLATED):
    """entries: (name, bytes) or (ZipInfo, bytes)."""
    with zipfile.ZipFile(out(name), "w", method) as z:
        for entry, data in entries:
            z.writestr(entry, data)
    return os.path.join(HERE, name)


def patch_size(path, entry_name, size):
    """Sets an entry's declared uncompressed size in its local and central headers."""
    data = bytearray(open(path, "rb").read())
    encoded = entry_name.encode()
    pos = 0
    while (pos := data.find(b"PK\x03\x04", pos)) >= 0:
        length = struct.unpack_from("<H", data, pos + 26)[0]
        if data[pos + 30:pos + 30 + length] == encoded:
            struct.pack_into("<I", data, pos + 22, size)
        pos += 4
    pos = 0
    while (pos := data.find(b"PK\x01\x02", pos)) >= 0:
        length = struct.unpack_from("<H", data, pos + 28)[0]
        if data[pos + 46:pos + 46 + length] == encoded:
            struct.pack_into("<I", data, pos + 24, size)
        pos += 4
    open(path, "wb").write(data)


def hostile_and_broken():
    toc = b"## Title: Foo\n## Version: 1\n"
    small("loose.zip", [("Alpha/Alpha.toc", toc), ("README.txt", b"read me\n")])
    small("toplevel-toc.zip", [("Alpha.toc", toc), ("Alpha/Alpha.lua", b"x\n")])

    hostile = {
        "evil-parent.zip": "../evil",
        "evil-absolute.zip": "/abs",
        "evil-drive.zip": "C:/x",
        "evil-climb.zip": "a/../../b",
        "evil-backslash.zip": "a\\..\\..\\b",
    }
    for archive, name in hostile.items():
        small(archive, [("Foo/Foo.toc", toc), (name, b"evil\n")])
    link = zipfile.ZipInfo("Foo/link")
    link.create_system = 3
    link.external_attr = (0o120777 << 16)
    small("evil-symlink.zip", [("Foo/Foo.toc", toc), (link, b"../../outside")])

    # Directory entries that claim more than 1 GiB in all.
    path = small("bomb-declared.zip", [("Foo/Foo.toc", toc), ("Foo/a.bin", bytes(1000)),
                                       ("Foo/b.bin", bytes(1000))])
    patch_size(path, "Foo/a.bin", 600 << 20)
    patch_size(path, "Foo/b.bin", 600 << 20)
    # An entry that inflates far beyond the size it declares.
    path = small("bomb-actual.zip", [("Foo/Foo.toc", toc), ("Foo/big.bin", bytes(200000))])
    patch_size(path, "Foo/big.bin", 1000)

    # A stored entry with one data byte flipped: its checksum no longer matches.
    payload = bytes(range(256)) * 40
    path = small("crc.zip", [("Foo/Foo.toc", toc), ("Foo/data.bin", payload)],
                 zipfile.ZIP_STORED)
    data = bytearray(open(path, "rb").read())
    data[data.find(payload) + 5000] ^= 0xFF
    open(path, "wb").write(data)

    # The first half of a good archive: its central directory is gone.
    whole = open(os.path.join(HERE, "infozip.zip"), "rb").read()
    open(out("truncated.zip"), "wb").write(whole[:len(whole) // 2])


def windows_separators():
    """Entries written with "\\" as folder separator, as some Windows tools do,
    and a package holding a file that Windows reads as a device."""
    toc = b"## Title: Back\r\n## Version: 7\r\n"
    small("backslash.zip", [("Back\\Back.toc", toc), ("Back\\Libs\\lib.lua", b"-- lib\n"),
                            ("Back\\Back.lua", b"-- back\n")])
    small("evil-device.zip", [("Foo/Foo.toc", b"## Title: Foo\n"), ("Foo/Aux.lua", b"x\n")])


if __name__ == "__main__":
    write_sources()
    tool_archives()
    hostile_and_broken()
    windows_separators()
