"""Archives exchanged with other zip tools: Info-ZIP zip and unzip, and Python's zipfile.

Archives that myzip writes must pass the other tools' checks and extract there to the source
bytes; archives that the other tools write, and hand-built ones with the fields they may carry,
must extract with myzip to exactly what unzip gives. Every archive is made at test time.

Environment: MYZIP, the myzip command (`myzip x ARCHIVE FOLDER`, `myzip c ARCHIVE FILE...`).
"""

import io
import os
import random
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile
import zlib

MYZIP = os.environ["MYZIP"]

LOCAL_HEADER = struct.Struct("<IHHHHHIIIHH")
CENTRAL_HEADER = struct.Struct("<IHHHHHHIIIHHHHHII")
END_RECORD = struct.Struct("<IHHHHIIH")
DATA_DESCRIPTOR_FLAG = 1 << 3


def text_bytes(seed, size):
    words = [b"paraula", b"traduccio", b"diccionari", b"entrada", b"verb", b"nom", b"forma"]
    rng = random.Random(seed)
    out = bytearray()
    while len(out) < size:
        out += b" ".join(rng.choice(words) for _ in range(rng.randint(3, 9))) + b"\n"
    return bytes(out[:size])


def random_bytes(seed, size):
    return random.Random(seed).randbytes(size)


# name -> content: compressible and incompressible, empty, one byte, and one above the
# writer's in-memory limit (10,240,000 bytes), which goes through its holding file.
FLAT_FILES = {
    "text.txt": text_bytes("text", 200_000),
    "random.bin": random_bytes("random", 65_536),
    "empty.dat": b"",
    "one.byte": b"x",
    "mixed.bin": text_bytes("mixed", 300_000) + random_bytes("mixed", 300_000),
    "large.txt": text_bytes("large", 10_500_000),
}

# relative path -> content, folders included by their files.
TREE_FILES = {
    "top.txt": text_bytes("top", 5_000),
    "empty.dat": b"",
    "docs/readme.txt": text_bytes("readme", 20_000),
    "docs/deep/notes.txt": text_bytes("notes", 3_000),
    "docs/deep/blob.bin": random_bytes("blob", 40_000),
    "bin/tool.bin": random_bytes("tool", 70_000),
}


def write_files(folder, files):
    for name, content in files.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content)


def tree(folder):
    """Every file and folder below `folder`: relative path -> bytes, or None for a folder."""
    found = {}
    for here, folders, files in os.walk(folder):
        relative = os.path.relpath(here, folder)
        for name in folders:
            found[os.path.normpath(os.path.join(relative, name))] = None
        for name in files:
            with open(os.path.join(here, name), "rb") as f:
                found[os.path.normpath(os.path.join(relative, name))] = f.read()
    return found


def run(*command, cwd=None, stdout=subprocess.PIPE):
    result = subprocess.run(command, cwd=cwd, stdout=stdout, stderr=subprocess.PIPE,
                            timeout=300)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d): %s" % (command[0], result.returncode,
                                                    result.stderr.decode(errors="replace")))
    return result


def local_headers(archive):
    """(name, flags, method, extra length) of every local header, walked from the directory."""
    with open(archive, "rb") as f:
        data = f.read()
    end = END_RECORD.unpack_from(data, len(data) - END_RECORD.size)
    headers = []
    at = end[6]
    for _ in range(end[3]):
        central = CENTRAL_HEADER.unpack_from(data, at)
        local = LOCAL_HEADER.unpack_from(data, central[16])
        name_at = central[16] + LOCAL_HEADER.size
        headers.append((data[name_at:name_at + local[9]].decode(), local[2], local[3], local[10]))
        at += CENTRAL_HEADER.size + central[10] + central[11] + central[12]
    return headers


class Unseekable(io.RawIOBase):
    """A write-only stream that cannot seek, so that zipfile streams every entry."""

    def __init__(self, target):
        super().__init__()
        self.target = target

    def writable(self):
        return True

    def write(self, data):
        return self.target.write(data)


class ScratchTestCase(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="myzip-interop-")

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.root, *parts)


class ArchivesWrittenByMyzip(ScratchTestCase):
    def setUp(self):
        super().setUp()
        self.source = self.path("source")
        os.mkdir(self.source)
        write_files(self.source, FLAT_FILES)
        self.archive = self.path("written.zip")
        run(MYZIP, "c", self.archive, *(os.path.join(self.source, n) for n in FLAT_FILES))

    def test_unzip_finds_no_error(self):
        result = run("unzip", "-t", self.archive)
        self.assertIn(b"No errors detected", result.stdout)

    def test_zipfile_finds_no_error_and_both_methods(self):
        with zipfile.ZipFile(self.archive) as archive:
            self.assertIsNone(archive.testzip())
            methods = {info.filename: info.compress_type for info in archive.infolist()}
        self.assertEqual(sorted(methods), sorted(FLAT_FILES))
        self.assertEqual(methods["text.txt"], zipfile.ZIP_DEFLATED)
        self.assertEqual(methods["large.txt"], zipfile.ZIP_DEFLATED)
        self.assertEqual(methods["random.bin"], zipfile.ZIP_STORED)
        self.assertEqual(methods["empty.dat"], zipfile.ZIP_STORED)

    def test_unzip_extracts_the_source_bytes(self):
        target = self.path("by-unzip")
        run("unzip", "-qo", self.archive, "-d", target)
        self.assertEqual(tree(target), FLAT_FILES)

    def test_zipfile_extracts_the_source_bytes(self):
        target = self.path("by-zipfile")
        with zipfile.ZipFile(self.archive) as archive:
            archive.extractall(target)
        self.assertEqual(tree(target), FLAT_FILES)


class ArchivesFromOtherWriters(ScratchTestCase):
    """Each archive extracts with myzip to exactly the tree that unzip makes of it."""

    def assert_myzip_extracts_as_unzip(self, archive):
        by_unzip = tempfile.mkdtemp(prefix="by-unzip-", dir=self.root)
        by_myzip = tempfile.mkdtemp(prefix="by-myzip-", dir=self.root)
        run("unzip", "-qo", archive, "-d", by_unzip)
        run(MYZIP, "x", archive, by_myzip)
        expected = tree(by_unzip)
        self.assertTrue(any(content for content in expected.values()), "unzip made nothing")
        self.assertEqual(sorted(tree(by_myzip)), sorted(expected))
        self.assertEqual(tree(by_myzip), expected)

    def zip_tree(self, *options):
        source = self.path("source")
        write_files(source, TREE_FILES)
        archive = self.path("info-zip.zip")
        run("zip", "-q", "-r", *options, archive, ".", cwd=source)
        return archive

    def test_info_zip_deflated_with_local_extra_fields_and_folder_entries(self):
        archive = self.zip_tree()
        headers = local_headers(archive)
        self.assertTrue(all(extra > 0 for _, _, _, extra in headers), headers)
        self.assertIn("docs/deep/", [name for name, _, _, _ in headers])
        self.assertIn(8, [method for _, _, method, _ in headers])
        self.assert_myzip_extracts_as_unzip(archive)

    def test_info_zip_stored(self):
        archive = self.zip_tree("-0")
        self.assertEqual({method for _, _, method, _ in local_headers(archive)}, {0})
        self.assert_myzip_extracts_as_unzip(archive)

    def test_info_zip_to_a_pipe_with_data_descriptors(self):
        source = self.path("source")
        write_files(source, TREE_FILES)
        archive = self.path("piped.zip")
        with open(archive, "wb") as out, subprocess.Popen(
                ["zip", "-q", "-r", "-", "."], cwd=source, stdout=subprocess.PIPE) as zipping:
            shutil.copyfileobj(zipping.stdout, out)
        self.assertEqual(zipping.returncode, 0)
        flags = [flag for _, flag, _, _ in local_headers(archive)]
        self.assertIn(DATA_DESCRIPTOR_FLAG, [flag & DATA_DESCRIPTOR_FLAG for flag in flags])
        self.assert_myzip_extracts_as_unzip(archive)

    def write_with_zipfile(self, archive_file, compression):
        with zipfile.ZipFile(archive_file, "w", compression) as archive:
            archive.writestr("docs/", b"")
            for name, content in TREE_FILES.items():
                archive.writestr(name, content)

    def test_zipfile_stored_and_deflated(self):
        for compression in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED):
            with self.subTest(compression=compression):
                archive = self.path("zipfile-%d.zip" % compression)
                self.write_with_zipfile(archive, compression)
                self.assert_myzip_extracts_as_unzip(archive)

    def test_zipfile_streamed_with_data_descriptors(self):
        archive = self.path("streamed.zip")
        with open(archive, "wb") as out:
            with zipfile.ZipFile(Unseekable(out), "w") as streamed:
                for i, (name, content) in enumerate(TREE_FILES.items()):
                    method = zipfile.ZIP_DEFLATED if i % 2 else zipfile.ZIP_STORED
                    info = zipfile.ZipInfo(name)
                    info.compress_type = method
                    with streamed.open(info, "w") as entry:
                        entry.write(content)
        headers = local_headers(archive)
        self.assertTrue(all(flag & DATA_DESCRIPTOR_FLAG for _, flag, _, _ in headers), headers)
        self.assertEqual({method for _, _, method, _ in headers}, {0, 8})
        self.assert_myzip_extracts_as_unzip(archive)

    def test_hand_built_with_central_extra_fields_and_file_comments(self):
        archive = self.path("hand-built.zip")
        with open(archive, "wb") as f:
            f.write(hand_built_archive([
                ("plain.txt", text_bytes("plain", 4_000), 8, b"", b"", b""),
                ("stored.bin", random_bytes("stored", 3_000), 0, b"", NTFS_TIMES, b"kept"),
                ("folder/", b"", 0, b"", NTFS_TIMES, b"a folder"),
                ("folder/both.txt", text_bytes("both", 9_000), 8, UNIX_TIMES, NTFS_TIMES,
                 b"extras on both sides, and a longer comment than the others"),
                ("folder/empty.dat", b"", 0, b"", b"", b"empty"),
            ]))
        with zipfile.ZipFile(archive) as check:
            self.assertIsNone(check.testzip())
            self.assertEqual(check.getinfo("stored.bin").comment, b"kept")
        self.assert_myzip_extracts_as_unzip(archive)


# Extra fields as other writers put them: the 36-byte NTFS time-stamp block (tag 0x000A), and
# Info-ZIP's UT block (tag 0x5455) with its modification and access times.
NTFS_TIMES = struct.pack("<HHIHHQQQ", 0x000A, 32, 0, 1, 24, 1, 2, 3)
UNIX_TIMES = struct.pack("<HHBII", 0x5455, 9, 3, 1_700_000_000, 1_700_000_000)


def hand_built_archive(entries):
    """entries: (name, content, method, local extra, central extra, comment)."""
    out = bytearray()
    directory = bytearray()
    for name, content, method, local_extra, central_extra, comment in entries:
        name = name.encode()
        data = content
        if method == 8:
            deflater = zlib.compressobj(6, zlib.DEFLATED, -15)
            data = deflater.compress(content) + deflater.flush()
        crc = zlib.crc32(content)
        offset = len(out)
        out += LOCAL_HEADER.pack(0x04034B50, 20, 0, method, 0x6DAF, 0x46EB, crc, len(data),
                                 len(content), len(name), len(local_extra))
        out += name + local_extra + data
        directory += CENTRAL_HEADER.pack(0x02014B50, 20, 20, 0, method, 0x6DAF, 0x46EB, crc,
                                         len(data), len(content), len(name), len(central_extra),
                                         len(comment), 0, 0, 0, offset)
        directory += name + central_extra + comment
    end = END_RECORD.pack(0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(out),
                          0)
    return bytes(out + directory + end)


if __name__ == "__main__":
    unittest.main()
