"""End-to-end runs of the launcher executable with the demo application inside it.

Each test gets a launcher folder (the current directory of the run) and a temporary folder
(TEMP) of its own. The demo application records what it saw in a file named by
KORVANTEL_DEMO_RECORD and does what KORVANTEL_DEMO_ACTIONS asks of it.

Environment: KORVANTEL_LAUNCHER, the launcher to run; KORVANTEL_DEMO_APP, the demo
application (for runs that find an installation in place). A Windows build runs under wine
when KORVANTEL_RUNNER names its wine-run and KORVANTEL_DEBUG_CAPTURE its
debug_output_capture.exe: that sets TEMP and TMP, which wine would otherwise choose itself,
and hands on the failure report, which the message box shows to nobody without a display.
"""

import ntpath
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

LAUNCHER = os.environ["KORVANTEL_LAUNCHER"]
DEMO_APP = os.environ["KORVANTEL_DEMO_APP"]
RUNNER = os.environ.get("KORVANTEL_RUNNER")
DEBUG_CAPTURE = os.environ.get("KORVANTEL_DEBUG_CAPTURE")
UNDER_WINE = RUNNER is not None
DEBUG_OUTPUT_MARKER = b"OutputDebugString "


def make_zip(path, files):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in files.items():
            archive.writestr(name, data)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def program_path(path):
    """A host path as the launcher is to see it: under wine, drive Z: is the host's root."""
    if not UNDER_WINE or not path:
        return path
    return "Z:" + path.replace("/", "\\")


def host_path(recorded):
    """A path that the application recorded, as a canonical host path."""
    if UNDER_WINE:
        drive, rest = ntpath.splitdrive(recorded)
        if drive.upper() != "Z:":
            return recorded
        recorded = rest.replace("\\", "/")
    return os.path.realpath(recorded)


def debug_output(stdout):
    """The texts that debug_output_capture copied: each a line with the marker and its byte
    count, then the text and a line feed."""
    texts = []
    at = stdout.find(DEBUG_OUTPUT_MARKER)
    while at != -1:
        line_end = stdout.index(b"\n", at)
        start = line_end + 1
        end = start + int(stdout[at + len(DEBUG_OUTPUT_MARKER):line_end])
        texts.append(stdout[start:end])
        at = stdout.find(DEBUG_OUTPUT_MARKER, end)
    return texts


class LauncherRun(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="korvantel-e2e-")
        self.launcher_dir = os.path.join(self.root, "user")
        self.temp = os.path.join(self.root, "temp")
        os.mkdir(self.launcher_dir)
        os.mkdir(self.temp)
        self.install_dir = os.path.join(self.temp, "korvantel42")
        self.record_path = os.path.join(self.root, "record.txt")

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def use_fresh_folders(self, launcher_folder, temp_folder):
        """A new launcher folder and TEMP under these names, and a new record."""
        base = tempfile.mkdtemp(dir=self.root)
        self.launcher_dir = os.path.join(base, launcher_folder)
        self.temp = os.path.join(base, temp_folder)
        os.mkdir(self.launcher_dir)
        os.mkdir(self.temp)
        self.install_dir = os.path.join(self.temp, "korvantel42")
        self.record_path = os.path.join(base, "record.txt")

    def run_launcher(self, *args, actions="", temp=None, tmp=None):
        env = {k: v for k, v in os.environ.items() if k not in ("TEMP", "TMP", "TMPDIR")}
        temp = self.temp if temp is None else temp
        env["KORVANTEL_DEMO_RECORD"] = program_path(self.record_path)
        env["KORVANTEL_DEMO_ACTIONS"] = actions
        if UNDER_WINE:
            settings = ["--set", "TEMP=" + program_path(temp)]
            settings += ["--unset", "TMP"] if tmp is None else ["--set", "TMP=" + program_path(tmp)]
            command = [RUNNER, DEBUG_CAPTURE, *settings, "--", program_path(LAUNCHER), *args]
        else:
            env["TEMP"] = temp
            if tmp is not None:
                env["TMP"] = tmp
            command = [LAUNCHER, *args]
        return subprocess.run(command, cwd=self.launcher_dir, env=env, capture_output=True,
                              timeout=120)

    @staticmethod
    def report(result):
        """The failure report as the message boxes show it."""
        text = b"".join(debug_output(result.stdout)) if UNDER_WINE else result.stderr
        return text.decode("utf-8", errors="replace")

    def record(self):
        """What the application saw: its arguments, its folder and the files present."""
        seen = {"args": [], "present": [], "csv": []}
        with open(self.record_path, encoding="utf-8", errors="replace") as f:
            for line in f.read().splitlines():
                key, _, value = line.partition("=")
                if key.startswith("arg") and key != "argc":
                    seen["args"].append(value)
                elif key in ("present", "csv"):
                    seen[key].append(value)
                else:
                    seen[key] = value
        return seen

    def user_file(self, name):
        return os.path.join(self.launcher_dir, name)

    def install_existing(self):
        """An installation left in place: only the application itself."""
        os.makedirs(self.install_dir)
        shutil.copy(DEMO_APP, os.path.join(self.install_dir, "korvantel.exe"))

    def assert_succeeded(self, result):
        self.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
        self.assertFalse(os.path.exists(self.install_dir), "the installation folder stays")

    def assert_failed(self, result, report_line):
        """Exit code 217 and a report whose second line begins with `report_line`."""
        self.assertEqual(result.returncode, 217)
        report = self.report(result)
        lines = report.partition("An unhandled exception occurred at $")[2].split("\r\n")
        self.assertGreater(len(lines), 1, report)
        self.assertTrue(lines[1].startswith(report_line), report)
        self.assertFalse(os.path.exists(self.install_dir), "the installation folder stays")


class FirstRun(LauncherRun):
    def test_without_a_user_dictionary_nothing_is_packed(self):
        result = self.run_launcher()
        self.assert_succeeded(result)
        seen = self.record()
        self.assertEqual(seen["args"], [])
        # The bundle and the run-time archive are gone once extracted; the dictionary's stays.
        for name in ("korvantel.exe", "vevivur", "vevivur.zip", "yap", "yap_state.sav"):
            self.assertIn(name, seen["present"])
        for name in ("korvantelprincipal.zip", "Yap.zip"):
            self.assertNotIn(name, seen["present"])
        self.assertEqual(len(seen["present"]), 21 - 1 + 2)
        self.assertEqual(host_path(seen["cwd"]), os.path.realpath(self.launcher_dir))
        self.assertFalse(os.path.exists(self.user_file("vevivur.zip")))
        self.assertIn(b"korvantel demo started", result.stdout)

    def test_the_user_dictionary_goes_in_and_comes_back_repacked(self):
        make_zip(self.user_file("vevivur.zip"),
                 {"entrades.txt": "entrada 1: propia\n", "altres.txt": "x" * 1000})
        self.assert_succeeded(self.run_launcher())
        with zipfile.ZipFile(self.user_file("vevivur.zip")) as archive:
            self.assertIsNone(archive.testzip())
            self.assertEqual(sorted(archive.namelist()), ["altres.txt", "entrades.txt"])
            self.assertEqual(archive.read("entrades.txt").decode(),
                             "entrada 1: propia\n"
                             "entrada 2: afegida per l'aplicacio de demostracio\n")
            self.assertEqual(archive.read("altres.txt"), b"x" * 1000)

    def test_the_table_goes_in_and_the_program_comes_back(self):
        with open(self.user_file("trad_dyn.csv"), "wb") as f:
            f.write(b"casa;house\ngat;cat\n")
        self.assert_succeeded(self.run_launcher())
        self.assertEqual(self.record()["csv"], ["casa;house", "gat;cat"])
        program = read_file(self.user_file("trad_dyn.pl")).decode()
        self.assertIn("trad_dyn('casa', 'house').", program)
        self.assertIn("trad_dyn('gat', 'cat').", program)

    def test_an_old_program_stays_when_the_application_leaves_none(self):
        with open(self.user_file("trad_dyn.pl"), "wb") as f:
            f.write(b"% old\n")
        self.assert_succeeded(self.run_launcher(actions="idle"))
        self.assertEqual(read_file(self.user_file("trad_dyn.pl")), b"% old\n")

    def test_only_the_first_argument_reaches_the_application(self):
        cases = [([], []), (["plain"], ["plain"]), (["with space"], ["with space"]),
                 (["first", "second"], ["first"])]
        for args, expected in cases:
            with self.subTest(args=args):
                self.assert_succeeded(self.run_launcher(*args))
                self.assertEqual(self.record()["args"], expected)

    def test_tmp_serves_when_temp_is_empty(self):
        other = os.path.join(self.root, "other-temp")
        os.mkdir(other)
        self.install_dir = os.path.join(other, "korvantel42")
        self.assert_succeeded(self.run_launcher(temp="", tmp=other))
        self.assertTrue(host_path(self.record()["self"]).startswith(os.path.realpath(other)))

    def test_the_application_exit_code_is_not_the_launchers(self):
        self.assert_succeeded(self.run_launcher(actions="exit=3"))

    def test_subfolders_left_in_the_dictionary_are_not_packed(self):
        make_zip(self.user_file("vevivur.zip"), {"entrades.txt": "a\n"})
        self.assert_succeeded(self.run_launcher(actions="subfolder"))
        with zipfile.ZipFile(self.user_file("vevivur.zip")) as archive:
            self.assertEqual(archive.namelist(), ["entrades.txt"])


class ExistingInstallation(LauncherRun):
    def test_nothing_is_extracted_and_no_argument_is_handed_on(self):
        self.install_existing()
        with open(self.user_file("trad_dyn.csv"), "wb") as f:
            f.write(b"a;b\n")
        self.assert_succeeded(self.run_launcher("ignored", actions="idle"))
        seen = self.record()
        self.assertEqual(seen["args"], [])
        self.assertEqual(seen["present"], ["korvantel.exe"])
        self.assertEqual(seen["csv"], [])


class Failures(LauncherRun):
    def test_an_application_that_cannot_start_is_reported(self):
        os.makedirs(self.install_dir)
        with open(os.path.join(self.install_dir, "korvantel.exe"), "wb") as f:
            f.write(b"not a program")
        with open(self.user_file("trad_dyn.pl"), "wb") as f:
            f.write(b"% mine\n")
        result = self.run_launcher()
        self.assert_failed(result, "EProcess : Failed to execute ")
        self.assertEqual(read_file(self.user_file("trad_dyn.pl")), b"% mine\n")

    def test_a_corrupt_user_dictionary_is_reported_and_kept(self):
        damaged = b"PK\x03\x04 this is not a zip archive at all"
        with open(self.user_file("vevivur.zip"), "wb") as f:
            f.write(damaged)
        result = self.run_launcher()
        self.assert_failed(result, "EZipError : Corrupt ZIP file ")
        self.assertEqual(read_file(self.user_file("vevivur.zip")), damaged)
        self.assertFalse(os.path.exists(self.record_path), "the application ran")

    def test_a_failed_pack_keeps_the_old_dictionary(self):
        make_zip(self.user_file("vevivur.zip"), {"entrades.txt": "a\n"})
        before = read_file(self.user_file("vevivur.zip"))
        # A file the zip format cannot hold makes the writer refuse the dictionary.
        result = self.run_launcher(actions="huge")
        self.assert_failed(result, "EZipError : ")
        self.assertEqual(read_file(self.user_file("vevivur.zip")), before)
        self.assertEqual(sorted(os.listdir(self.launcher_dir)), ["trad_dyn.pl", "vevivur.zip"])


class Links(LauncherRun):
    def test_the_clean_up_does_not_follow_a_link_out_of_the_installation(self):
        outside = os.path.join(self.root, "outside")
        os.mkdir(outside)
        with open(os.path.join(outside, "precious.txt"), "wb") as f:
            f.write(b"keep me")
        if UNDER_WINE:
            # wine 8 makes no link for the application (it reports success and creates
            # nothing), so the host plants one in an installation left in place. wine cannot
            # remove that link, so the installation folder stays: only the outside file's
            # survival is shown.
            self.install_existing()
            os.symlink(outside, os.path.join(self.install_dir, "enllac"))
            self.assertEqual(self.run_launcher(actions="idle").returncode, 0)
        else:
            self.assert_succeeded(self.run_launcher(actions="link=" + outside))
        self.assertEqual(read_file(os.path.join(outside, "precious.txt")), b"keep me")

    @unittest.skipIf(UNDER_WINE, "wine 8 makes no link for the application and shows a link "
                     "made by the host as a plain file, so no link can be put in the dictionary")
    def test_a_link_in_the_dictionary_is_not_packed(self):
        outside = os.path.join(self.root, "outside")
        os.mkdir(outside)
        with open(os.path.join(outside, "secret.txt"), "wb") as f:
            f.write(b"not for the archive")
        make_zip(self.user_file("vevivur.zip"), {"entrades.txt": "a\n"})
        self.assert_succeeded(self.run_launcher(
            actions="dictionary-link=" + os.path.join(outside, "secret.txt")))
        with zipfile.ZipFile(self.user_file("vevivur.zip")) as archive:
            self.assertEqual(archive.namelist(), ["entrades.txt"])
        self.assertEqual(read_file(os.path.join(outside, "secret.txt")), b"not for the archive")


class FolderNames(LauncherRun):
    def test_names_outside_ascii_work_end_to_end(self):
        # Characters of code page 1252, the one of Western European Windows (and of wine here).
        self.use_fresh_folders("José", "Temporário")
        make_zip(self.user_file("vevivur.zip"), {"entrades.txt": "entrada 1: propia\n"})
        with open(self.user_file("trad_dyn.csv"), "wb") as f:
            f.write(b"casa;house\n")
        self.assert_succeeded(self.run_launcher())
        self.assertEqual(host_path(self.record()["cwd"]), os.path.realpath(self.launcher_dir))
        self.assertEqual(self.record()["csv"], ["casa;house"])
        self.assertIn("trad_dyn('casa', 'house').",
                      read_file(self.user_file("trad_dyn.pl")).decode())
        with zipfile.ZipFile(self.user_file("vevivur.zip")) as archive:
            self.assertEqual(archive.read("entrades.txt").decode(),
                             "entrada 1: propia\n"
                             "entrada 2: afegida per l'aplicacio de demostracio\n")

    @unittest.skipUnless(UNDER_WINE, "this host's file names are UTF-8, which can name anything")
    def test_a_launcher_folder_the_code_page_cannot_name_is_reported(self):
        for existing_installation in (False, True):
            with self.subTest(existing_installation=existing_installation):
                self.use_fresh_folders("中文", "temp")
                if existing_installation:
                    self.install_existing()
                make_zip(self.user_file("vevivur.zip"), {"entrades.txt": "a\n"})
                dictionary = read_file(self.user_file("vevivur.zip"))
                # Whether the user keeps a dictionary there cannot be asked in the code page:
                # the run stops with a report, before the application has worked on anything.
                result = self.run_launcher()
                self.assert_failed(result, 'EConvertError : The path "%s\\" cannot be represented '
                                   'in the system code page' % program_path(self.launcher_dir))
                self.assertEqual(read_file(self.user_file("vevivur.zip")), dictionary)
                self.assertFalse(os.path.exists(self.record_path), "the application ran")

if __name__ == "__main__":
    unittest.main()
