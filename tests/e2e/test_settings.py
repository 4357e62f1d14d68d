"""The editor settings dialog of Pathbook.exe: it shows what the settings file holds now,
OK stores the values (clamped) and Cancel writes nothing, in both languages."""

import os

from commands import IDM
from harness import (JA_ENV, PathbookTestCase, controls, popup_titled, post_command, read_bytes, read_setting,
                     screenshot, send_keys, settings_path, wait_until, write_settings)


class SettingsDialogTest(PathbookTestCase):
    def open_dialog(self, window, title):
        post_command(window, IDM.SETTINGS)
        dialog = popup_titled(title)
        self.assertIsNotNone(dialog, "the settings dialog opens")
        return dialog

    def test_the_dialog_shows_the_file_as_it_is_now_cancel_writes_nothing_and_ok_stores_clamped_values(self):
        write_settings(MRU=7, UndoLimit=30, NewfileCharset=65001, NewfileLB=1)
        window = self.start_untitled()
        # Another instance changes the file after this one started: the dialog reads it again each time.
        write_settings(MRU=12, UndoLimit=-1, NewfileCharset=932, NewfileLB=0)
        texts = controls(self.open_dialog(window, "Editor Settings"))
        self.assertEqual(texts[1010], "12")
        self.assertEqual(texts[1013], "20", "an unlimited undo shows 20 in its box")
        self.assertEqual(texts[1028], "Japanese(ShiftJIS)")
        self.assertEqual(texts[1029], "CR")
        self.close_popup("Editor Settings", "Escape")
        write_settings(MRU=7, OpenSame=0)
        self.open_dialog(window, "Editor Settings")
        before = read_bytes(settings_path())
        # The dialog opens with the recent-files box focused.
        send_keys("Editor Settings", "Home", "shift+End", "3", "alt+s")
        self.close_popup("Editor Settings", "Escape")
        self.assertEqual(read_bytes(settings_path()), before, "Cancel writes nothing")
        write_settings(MRU=10, OpenSame=0, UndoLimit=-1)
        self.open_dialog(window, "Editor Settings")
        send_keys("Editor Settings", "Home", "shift+End", "5", "0", "alt+s")
        self.close_popup("Editor Settings", "Return")
        self.assertEqual(read_setting("MRU"), "32", "50 recent files are stored as 32")
        self.assertEqual(read_setting("OpenSame"), "1", "Alt+S ticked the box")
        self.assertEqual(read_setting("UndoLimit"), "-1")
        self.assertEqual(read_setting("NewfileLB"), "2")

    def test_japanese_dialog(self):
        write_settings(MRU=10)
        dialog = self.open_dialog(self.start_untitled(env=JA_ENV), "エディタ設定")
        texts = controls(dialog)
        self.assertEqual(texts[1011], "無限")
        self.assertEqual(texts[1037], "編集禁止で開く(&R)")
        self.assertEqual(texts[2], "キャンセル")
        self.assertIn("新規ファイルの改行コード(&L):", [c[2] for c in dialog[3] if c[0] == -1])
        self.assertEqual(texts[1029], "CRLF")
        shots = os.environ.get("PATHBOOK_SHOTS")
        if shots:
            screenshot("root", os.path.join(shots, "settings-ja.png"))
        send_keys("エディタ設定", "Return")
        self.assertTrue(wait_until(lambda: read_setting("MRU") == "10"), "OK writes in Japanese too")
