"""The favourites dialog of Pathbook.exe: deleting, moving and saving rewrite
DocList.txt, CSV export and import round-trip, a second request from another
instance raises the open dialog, and the dialog speaks both languages."""

import os
import subprocess

from commands import IDM
from harness import (PathbookTestCase, app_data, popups, post_command, press, probe, read_setting, send_keys,
                     wait_until, windows_path, write_favorites, write_settings, x_windows_named)

EN_TITLE = "Document List"
JA_TITLE = "お気に入りの管理"
JA_ENV = {"LC_ALL": "ja_JP.UTF-8"}

OPEN, SAVE, MOVE_UP, MOVE_DOWN = 1038, 1044, 1035, 1036


def doc_list():
    """DocList.txt as text; None while it is being replaced."""
    try:
        with open(os.path.join(app_data(), "DocList.txt"), "rb") as f:
            return f.read().decode("utf-16-le")
    except FileNotFoundError:
        return None


def x_window_size(xid):
    out = subprocess.run(["xdotool", "getwindowgeometry", str(xid)], capture_output=True, text=True, timeout=30).stdout
    width, height = out.split("Geometry:")[1].split()[0].split("x")
    return int(width), int(height)


def entries_text(entries, header=""):
    return header + "\r" + "".join("%d,%s\r" % entry for entry in entries)


class FavoritesDialogTest(PathbookTestCase):
    def setUp(self):
        super().setUp()
        self.entries = [(932, windows_path(self.note("home.txt"))), (0, windows_path(self.note("one.txt"))),
                        (65001, windows_path(self.note("two.txt")))]
        write_favorites(self.entries)


    def open_dialog(self, window, title):
        post_command(window, IDM.FAVORITES)
        dialog = wait_until(lambda: next((p for p in popups() if p[2] == title), None))
        self.assertIsNotNone(dialog, "no dialog titled %r" % title)
        return dialog

    def dialog_command(self, dialog, command):
        probe("command", str(dialog[0]), str(command))

    def file_dialog_of(self, dialog):
        """The system's file dialog owned by the favourites dialog."""
        found = wait_until(lambda: next((p for p in popups() if p[4] == dialog[0]), None))
        self.assertIsNotNone(found, "no file dialog over the favourites dialog")
        return found

    def choose_file(self, dialog, path):
        chooser = self.file_dialog_of(dialog)
        send_keys(chooser[2], "ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "20", windows_path(path)], timeout=60, check=True)
        subprocess.run(["xdotool", "key", "Return"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: not any(p[0] == chooser[0] for p in popups())), "the file dialog stayed")

    def start_window(self, *args, env=None):
        self.start(windows_path(self.note("page.txt")), *args, env=env)
        return self.wait_for_windows(1)[0]

    def test_deleting_the_home_page_and_saving_rewrites_the_list_and_remembers_the_size(self):
        write_settings(DlgW=820, DlgH=460)
        window = self.start_window()
        dialog = self.open_dialog(window, EN_TITLE)
        width, height = x_window_size(x_windows_named(EN_TITLE)[0])
        self.assertTrue(780 <= width <= 820 and 420 <= height <= 460, (width, height))  # the frame aside
        texts = {control[0]: control[2] for control in dialog[3]}
        self.assertEqual([texts.get(i) for i in (OPEN, 1, SAVE, MOVE_UP, MOVE_DOWN, 1043)],
                         ["&Open", "Cancel", "&Save", "Move &Up", "Move &Down", "&Edit"])
        send_keys(EN_TITLE, "Delete")  # row 0, the home page, is selected when the dialog opens
        send_keys(EN_TITLE, "alt+s")
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(self.entries[1:])), repr(doc_list()))
        send_keys(EN_TITLE, "Escape")
        self.assertTrue(wait_until(lambda: not any(p[2] == EN_TITLE for p in popups())))
        # The size is written as the dialog window goes, just after it disappears.
        self.assertTrue(wait_until(lambda: read_setting("DlgW") == "820"), read_setting("DlgW"))
        self.assertEqual(read_setting("DlgH"), "460")

    def test_moves_in_japanese_are_saved_and_open_takes_the_unsaved_order(self):
        window = self.start_window(env=JA_ENV)
        dialog = self.open_dialog(window, JA_TITLE)
        texts = {control[0]: control[2] for control in dialog[3]}
        self.assertEqual([texts.get(i) for i in (OPEN, 1, SAVE, MOVE_UP, MOVE_DOWN, 1043)],
                         ["開く", "キャンセル", "保存", "上へ移動", "下へ移動", "編集操作"])
        for command in (MOVE_DOWN, MOVE_DOWN, MOVE_UP):  # home.txt: row 0 -> 1 -> 2 -> 1
            self.dialog_command(dialog, command)
        self.dialog_command(dialog, SAVE)
        home, one, two = self.entries
        self.assertTrue(wait_until(lambda: doc_list() == entries_text([one, home, two])), repr(doc_list()))
        # Unsaved: home.txt goes back to row 0; Open asks before the change is dropped, then
        # takes the selected row as the dialog shows it.
        self.dialog_command(dialog, MOVE_UP)
        self.dialog_command(dialog, OPEN)
        question = wait_until(lambda: next((p for p in popups() if any(
            c[2].startswith("一覧に保存されていない変更があります。") for c in p[3])), None))
        self.assertIsNotNone(question, "asked before the unsaved change is dropped: %r" % popups())
        press("alt+y")
        self.wait_for_windows(2)
        titles = wait_until(lambda: (lambda ts: ts if any("home.txt" in t for t in ts) else None)(
            [w.title for w in self.wait_for_windows(2)]))
        self.assertIsNotNone(titles, "home.txt was not opened")
        self.assertEqual(doc_list(), entries_text([one, home, two]))

    def test_add_through_the_edit_menu_updates_a_listed_file_and_appends_a_new_one(self):
        self.note("new.txt")
        window = self.start_window()
        dialog = self.open_dialog(window, EN_TITLE)
        send_keys(EN_TITLE, "alt+e", "a")  # the Edit button's menu, then Add...
        chooser = self.file_dialog_of(dialog)
        self.assertEqual({c[0]: c[2] for c in chooser[3]}.get(1002), "AutoDetect")  # the encoding for every file
        send_keys(chooser[2], "ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "20", '"two.txt" "new.txt"'], timeout=60, check=True)
        subprocess.run(["xdotool", "key", "Return"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: not any(p[0] == chooser[0] for p in popups())), "the file dialog stayed")
        self.dialog_command(dialog, SAVE)
        home, one, two = self.entries
        added = [home, one, (0, two[1]), (0, windows_path(os.path.join(self.folder, "new.txt")))]
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(added)), repr(doc_list()))

    def test_csv_export_then_import_round_trips(self):
        window = self.start_window()
        dialog = self.open_dialog(window, EN_TITLE)
        csv = os.path.join(self.folder, "list.csv")
        self.dialog_command(dialog, IDM.FAVORITES_EXPORT)
        self.choose_file(dialog, csv)
        with open(csv, "rb") as f:
            self.assertEqual(f.read().decode("utf-16-le"), entries_text(self.entries, "Pathbook"))
        self.dialog_command(dialog, IDM.FAVORITES_CLEAR)
        self.dialog_command(dialog, SAVE)
        self.assertTrue(wait_until(lambda: doc_list() == "\r"), repr(doc_list()))
        self.dialog_command(dialog, IDM.FAVORITES_IMPORT)
        self.choose_file(dialog, csv)
        self.dialog_command(dialog, SAVE)
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(self.entries)), repr(doc_list()))

    def test_a_csv_with_another_header_is_refused(self):
        window = self.start_window()
        dialog = self.open_dialog(window, EN_TITLE)
        csv = os.path.join(self.folder, "other.csv")
        with open(csv, "wb") as f:
            f.write("パスブック\r0,C:\\x.txt\r".encode("utf-16-le"))
        self.dialog_command(dialog, IDM.FAVORITES_IMPORT)
        self.choose_file(dialog, csv)
        box = wait_until(lambda: next((p for p in popups() if p[4] == dialog[0]), None))
        self.assertIsNotNone(box, "no message about the refused file")
        self.assertIn("Could not open the file.", [control[2] for control in box[3]])
        send_keys(box[2], "Return")
        self.dialog_command(dialog, SAVE)  # nothing changed: nothing to write
        self.assertEqual(doc_list(), entries_text(self.entries))

    def test_a_second_request_from_another_instance_raises_the_open_dialog(self):
        first = self.start_window()
        dialog = self.open_dialog(first, EN_TITLE)
        self.start("-n")
        second = next(w for w in self.wait_for_windows(2) if w.handle != first.handle)
        self.assertTrue(wait_until(lambda: probe("foreground").strip() == str(second.handle)))
        post_command(second, IDM.FAVORITES)
        self.assertTrue(wait_until(lambda: probe("foreground").strip() == str(dialog[0])),
                        "the first instance's dialog did not come forward")
        dialogs = [p for p in popups() if p[2] == EN_TITLE]
        self.assertEqual([(p[0], p[4]) for p in dialogs], [(dialog[0], first.handle)])
        # While the dialog waits for a file dialog of its own, that one comes forward.
        self.dialog_command(dialog, IDM.FAVORITES_EXPORT)
        chooser = self.file_dialog_of(dialog)
        self.start("-n")  # a new window comes to the front
        third = next(w for w in self.wait_for_windows(3) if w.handle not in (first.handle, second.handle))
        self.assertTrue(wait_until(lambda: probe("foreground").strip() == str(third.handle)))
        post_command(third, IDM.FAVORITES)
        self.assertTrue(wait_until(lambda: probe("foreground").strip() == str(chooser[0])),
                        "the file dialog over the first instance's dialog did not come forward")
        self.assertEqual(len([p for p in popups() if p[2] == EN_TITLE]), 1)
