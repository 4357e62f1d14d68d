"""The release as a user gets it: the zip's contents, and the installer's round
trip under Wine (silent install, the installed program starts, silent
uninstall that leaves the user's files alone)."""

import codecs
import glob
import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile

from harness import main_windows, probe, wait_until

DIST = os.environ.get("PATHBOOK_DIST", "")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pathbook"


def only(pattern):
    found = glob.glob(os.path.join(DIST, pattern))
    if len(found) != 1:
        raise AssertionError("expected one %s in %s, found %s" % (pattern, DIST, found))
    return found[0]


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, timeout=120):
    return subprocess.run(["wine"] + list(args), capture_output=True, text=True, timeout=timeout)


def start_menu_shortcut():
    out = wine("cmd", "/c", "echo %APPDATA%").stdout.strip()
    unix = subprocess.run(["winepath", "-u", out], capture_output=True, text=True).stdout.strip()
    return os.path.join(unix, "Microsoft", "Windows", "Start Menu", "Programs", "Pathbook.lnk")


@unittest.skipUnless(DIST, "needs PATHBOOK_DIST")
class ZipTest(unittest.TestCase):
    def test_holds_the_programs_the_readme_and_the_sample_notebook(self):
        archive = only("Pathbook-*-win64.zip")
        top = os.path.basename(archive)[:-len(".zip")]
        with zipfile.ZipFile(archive) as zipped:
            files = {name[len(top) + 1:] for name in zipped.namelist() if not name.endswith("/")}
            self.assertTrue(all(name.startswith(top + "/") for name in zipped.namelist()))
            self.assertEqual({f for f in files if "/" not in f}, {"Pathbook.exe", "pathbook-tool.exe", "README.txt", "LICENSE.txt"})
            self.assertIn("samples/notes/Home.txt", files)
            for program in ("Pathbook.exe", "pathbook-tool.exe"):
                self.assertEqual(zipped.read(top + "/" + program)[:2], b"MZ")
            readme = zipped.read(top + "/README.txt")
            licence = zipped.read(top + "/LICENSE.txt").decode("ascii")
        # The program opens README.txt as Shift_JIS when it has nothing else to show.
        text = codecs.decode(readme, "cp932")
        self.assertIn("パスブック", text)
        self.assertNotIn("\n", text.replace("\r\n", ""))
        self.assertIn("portable.ini beside Pathbook.exe", text, "the README tells how to carry the program")
        self.assertIn("MIT", text)
        self.assertTrue(licence.startswith("MIT License\r\n"), licence[:40])
        self.assertIn("Copyright (c) 2026 The Pathbook developers", licence)


@unittest.skipUnless(DIST and os.environ.get("DISPLAY"), "needs PATHBOOK_DIST and an X server")
class InstallerTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="pathbook-install-")
        self.target = os.path.join(self.folder, "Pathbook")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.addCleanup(lambda: wine("reg", "delete", UNINSTALL_KEY, "/f"))

    def install(self):
        # /D= comes last and unquoted, as the installer reads it.
        result = wine(only("Pathbook-*-setup.exe"), "/S", "/D=" + windows_path(self.target))
        self.assertEqual(result.returncode, 0, result.stderr)

    def uninstall(self):
        # As from the list of installed programs: the uninstaller hands over to a
        # copy of itself, which removes the original too, and the call returns at once.
        uninstaller = os.path.join(self.target, "Uninstall.exe")
        result = wine(uninstaller, "/S")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(wait_until(lambda: not os.path.exists(uninstaller), timeout=60), "the uninstaller stayed")

    def test_install_start_and_uninstall(self):
        self.install()
        for name in ("Pathbook.exe", "pathbook-tool.exe", "README.txt", "LICENSE.txt", "Uninstall.exe", "samples/notes/Home.txt"):
            self.assertTrue(os.path.exists(os.path.join(self.target, name)), name)
        self.assertTrue(os.path.exists(start_menu_shortcut()))
        self.assertIn(windows_path(self.target), wine("reg", "query", UNINSTALL_KEY).stdout)

        program = subprocess.Popen(["wine", os.path.join(self.target, "Pathbook.exe")],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.assertTrue(wait_until(main_windows, timeout=30), "the installed program shows no window")
            probe("closeall")
            self.assertEqual(program.wait(timeout=30), 0)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()

        own_note = os.path.join(self.target, "samples", "notes", "Mine.txt")
        with open(own_note, "w") as note:
            note.write("a note of the user's own\r\n")
        self.uninstall()
        for name in ("Pathbook.exe", "pathbook-tool.exe", "README.txt", "LICENSE.txt", "Uninstall.exe"):
            self.assertFalse(os.path.exists(os.path.join(self.target, name)), name)
        self.assertFalse(os.path.exists(start_menu_shortcut()))
        self.assertNotEqual(wine("reg", "query", UNINSTALL_KEY).returncode, 0)
        self.assertTrue(os.path.exists(own_note))
        self.assertTrue(os.path.exists(os.path.join(self.target, "samples", "notes", "Home.txt")))


if __name__ == "__main__":
    unittest.main()
