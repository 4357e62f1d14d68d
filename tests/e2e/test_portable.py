"""Portable mode: Pathbook.exe with portable.ini beside it keeps its settings and
favourites beside itself and writes nothing into the user's AppData."""

import os
import shutil

from commands import IDM
from harness import EXE, PathbookTestCase, app_data, post_command, wait_until, windows_path


class PortableTest(PathbookTestCase):
    def test_settings_and_favourites_beside_the_program(self):
        program_folder = os.path.join(self.folder, "Pathbook")
        os.makedirs(program_folder)
        program = os.path.join(program_folder, "Pathbook.exe")
        shutil.copy(EXE, program)
        with open(os.path.join(program_folder, "portable.ini"), "wb"):
            pass  # an empty file will do
        note = self.note("portable-note.txt")
        self.start(windows_path(note), exe=program)
        window = self.wait_for_title("%s - Pathbook" % windows_path(note))
        post_command(window, IDM.STATUS_BAR)  # written at once
        post_command(window, IDM.ADD_FAVORITE)
        settings = os.path.join(program_folder, "Pathbook.ini")
        favourites = os.path.join(program_folder, "DocList.txt")
        self.assertTrue(wait_until(lambda: os.path.exists(settings) and os.path.exists(favourites)),
                        os.listdir(program_folder))
        with open(settings, encoding="utf-8", errors="replace") as f:
            self.assertIn("StatusBar=0", f.read())
        with open(favourites, "rb") as f:
            self.assertIn(windows_path(note), f.read().decode("utf-16-le"))
        for name in ("Pathbook.ini", "DocList.txt"):
            self.assertFalse(os.path.exists(os.path.join(app_data(), name)), "nothing in AppData: %s" % name)
