"""End-to-end runs of the launcher executable with the demo application inside it.

Each test gets a launcher folder (the current directory of the run) and a temporary folder
(TEMP) of its own. The demo application records what it saw in a file named by
KORVANTEL_DEMO_RECORD and does what KORVANTEL_DEMO_ACTIONS asks of it.

Environment: KORVANTEL_LAUNCHER, the launcher to run; KORVANTEL_DEMO_APP, the demo
application (for runs that find an installation in place).
"""

import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

LAUNCHER = os.environ["KORVANTEL_LAUNCHER"]
DEMO_APP = os.environ["KORVANTEL_DEMO_APP"]


def make_zip(path, files):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data in files.items():
            archive.writestr(name, data)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


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

    def run_launcher(self, *args, actions="", temp=None, tmp=None):
        env = {k: v for k, v in os.environ.items() if k not in ("TEMP", "TMP", "TMPDIR")}
        env["TEMP"] = self.temp if temp is None else temp
        if tmp is not None:
            env["TMP"] = tmp
        env["KORVANTEL_DEMO_RECORD"] = self.record_path
        env["KORVANTEL_DEMO_ACTIONS"] = actions
        return subprocess.run([LAUNCHER, *args], cwd=self.launcher_dir, env=env,
                              capture_output=True, timeout=120)

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
        self.assertEqual(result.returncode, 217)
        report = result.stderr.decode(errors="replace")
        self.assertIn("An unhandled exception occurred at $", report)
        self.assertIn(report_line, report)
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
        self.assertEqual(os.path.realpath(seen["cwd"]), os.path.realpath(self.launcher_dir))
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
        self.assertTrue(os.path.realpath(self.record()["self"]).startswith(
            os.path.realpath(other)))

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
        self.assert_succeeded(self.run_launcher(actions="link=" + outside))
        self.assertEqual(read_file(os.path.join(outside, "precious.txt")), b"keep me")

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


if __name__ == "__main__":
    unittest.main()
