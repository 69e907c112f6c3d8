#!/usr/bin/env python3
"""Writes the fuzz target's seed archives into the folder given (default: seeds/ beside this).

Each seed is a tiny archive that takes the reader down one of its paths: stored, deflated,
folder entries, data descriptors, extra fields and comments, names with "\\" and ":", and an
archive of only an end record. The seeds are committed; run this again after changing it.
"""

import io
import os
import struct
import sys
import zipfile


class Unseekable(io.RawIOBase):
    def __init__(self):
        super().__init__()
        self.data = bytearray()

    def writable(self):
        return True

    def write(self, data):
        self.data += data
        return len(data)


def info(name, method=zipfile.ZIP_STORED):
    entry = zipfile.ZipInfo(name, date_time=(2015, 7, 11, 13, 45, 30))
    entry.compress_type = method
    return entry


def archive(entries, extras=False):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as written:
        for name, content, method in entries:
            entry = info(name, method)
            if extras:
                entry.extra = struct.pack("<HHBI", 0x5455, 5, 1, 1_436_622_330)
                entry.comment = b"note"
            written.writestr(entry, content)
    return out.getvalue()


def streamed(entries):
    out = Unseekable()
    with zipfile.ZipFile(out, "w") as written:
        for name, content, method in entries:
            with written.open(info(name, method), "w") as entry:
                entry.write(content)
    return bytes(out.data)


def end_record_only():
    return struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 0, 0, 0, 0, 0)


STORED, DEFLATED = zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED
TEXT = b"entrada: paraula, traduccio\n" * 4

SEEDS = {
    "stored.zip": archive([("a.txt", b"hello", STORED)]),
    "deflated.zip": archive([("a.txt", TEXT, DEFLATED)]),
    "tree.zip": archive([("d/", b"", STORED), ("d/e/", b"", STORED),
                         ("d/e/f.txt", b"leaf", STORED), ("d/g.txt", TEXT, DEFLATED)]),
    "descriptor.zip": streamed([("s.bin", b"stored", STORED), ("t.txt", TEXT, DEFLATED)]),
    "extras.zip": archive([("x.txt", b"with extras", STORED), ("y.txt", TEXT, DEFLATED)],
                          extras=True),
    "names.zip": archive([("a\\b.txt", b"backslash", STORED),
                          ("C:\\evil\\x.dll", b"drive", STORED),
                          ("dir/file:alt", b"colon", STORED), ("EMPTY.dat", b"", STORED)]),
    "end_only.zip": end_record_only(),
    # Deflate at its densest: 20,000 bytes out of a few dozen.
    "dense.zip": archive([("run.bin", b"\0" * 20_000, DEFLATED)]),
}

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__),
                                                                 "seeds")
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
