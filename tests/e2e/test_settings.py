"""The editor settings dialog of Pathbook.exe: it shows what the settings file holds now,
OK stores the values (clamped) and Cancel writes nothing, in both languages; and the
document-type menu of the English menu bar."""

import os

from commands import IDM
from harness import (PathbookTestCase, popup_titled, post_command, read_setting, screenshot, send_keys,
                     settings_path, wait_until, write_settings)

EN = "Pathbook"
JA = "パスブック"
JA_ENV = {"LC_ALL": "ja_JP.UTF-8"}


def controls(title):
    """{id: text} of the controls of the dialog with this title (static texts share id -1: the last wins)."""
    dialog = popup_titled(title)
    return {control[0]: control[2] for control in dialog[3]} if dialog else {}


def static_texts(title):
    dialog = popup_titled(title)
    return [control[2] for control in dialog[3] if control[0] == -1]


def settings_bytes():
    with open(settings_path(), "rb") as f:
        return f.read()


class SettingsDialogTest(PathbookTestCase):
    def open_dialog(self, title, env=None):
        self.start(env=env)
        window = self.wait_for_title("untitled - " + (JA if env else EN))
        post_command(window, IDM.SETTINGS)
        self.assertIsNotNone(popup_titled(title), "the settings dialog opens")
        return window

    def test_shows_what_the_file_holds_now(self):
        write_settings(MRU=7, UndoLimit=30, NewfileCharset=65001, NewfileLB=1)
        self.start()
        window = self.wait_for_title("untitled - " + EN)
        # Another instance changed the file after this one started: the dialog reads it again.
        write_settings(MRU=12, UndoLimit=-1, NewfileCharset=932, NewfileLB=0)
        post_command(window, IDM.SETTINGS)
        texts = controls("Editor Settings")
        self.assertEqual(texts[1010], "12")
        self.assertEqual(texts[1013], "20", "an unlimited undo shows 20 in its box")
        self.assertEqual(texts[1028], "Japanese(ShiftJIS)")
        self.assertEqual(texts[1029], "CR")
        send_keys("Editor Settings", "Escape")

    def test_ok_stores_the_entries_and_clamps_the_recent_files_count(self):
        write_settings(MRU=10, OpenSame=0, UndoLimit=-1)
        self.open_dialog("Editor Settings")
        # The dialog opens with the recent-files box focused.
        send_keys("Editor Settings", "Home", "shift+End", "5", "0", "alt+s")
        send_keys("Editor Settings", "Return")
        self.assertTrue(wait_until(lambda: popup_titled("Editor Settings", timeout=0) is None), "OK closes it")
        self.assertEqual(read_setting("MRU"), "32", "50 recent files are stored as 32")
        self.assertEqual(read_setting("OpenSame"), "1", "Alt+S ticked the box")
        self.assertEqual(read_setting("UndoLimit"), "-1")
        self.assertEqual(read_setting("NewfileLB"), "2")

    def test_cancel_writes_nothing(self):
        write_settings(MRU=7, OpenSame=0)
        self.open_dialog("Editor Settings")
        # The window's placement is written as it appears; the dialog itself writes nothing.
        before = settings_bytes()
        send_keys("Editor Settings", "Home", "shift+End", "3", "alt+s")
        send_keys("Editor Settings", "Escape")
        self.assertTrue(wait_until(lambda: popup_titled("Editor Settings", timeout=0) is None), "Escape closes it")
        self.assertEqual(settings_bytes(), before)

    def test_japanese_dialog(self):
        write_settings(MRU=10)
        self.open_dialog("エディタ設定", env=JA_ENV)
        texts = controls("エディタ設定")
        self.assertEqual(texts[1011], "無限")
        self.assertEqual(texts[1037], "編集禁止で開く(&R)")
        self.assertEqual(texts[2], "キャンセル")
        self.assertIn("新規ファイルの改行コード(&L):", static_texts("エディタ設定"))
        self.assertEqual(texts[1029], "CRLF")
        shots = os.environ.get("PATHBOOK_SHOTS")
        if shots:
            screenshot("root", os.path.join(shots, "settings-ja.png"))
        send_keys("エディタ設定", "Return")
        self.assertTrue(wait_until(lambda: read_setting("MRU") == "10"), "OK writes in Japanese too")


class DocTypeMenuTest(PathbookTestCase):
    def test_picking_the_default_type_keeps_the_wrap_it_gives(self):
        self.start()
        window = self.wait_for_title("untitled - " + EN)
        post_command(window, IDM.WRAP_WIDTH)
        post_command(window, IDM.DOC_TYPE_FIRST)
        send_keys(window.title, "ctrl+F4")
        self.assertTrue(wait_until(lambda: read_setting("WrapType") == "-1"),
                        "the default type does not wrap, and its wrap value is written at exit")
