"""The favourites dialog of Pathbook.exe: deleting, moving and saving rewrite
DocList.txt, CSV export and import round-trip, a second request from another
instance raises the open dialog, and the dialog speaks both languages."""

import os

from commands import IDM
from harness import (JA_ENV, PathbookTestCase, app_data, box_saying, controls, labels, popup_titled, popup_where,
                     popups, post_command, press, probe, read_setting, send_keys, type_text, wait_until, windows_path,
                     write_favorites, write_settings, x_geometry, x_windows_named)

EN_TITLE = "Document List"
JA_TITLE = "お気に入りの管理"

OPEN, SAVE, MOVE_UP, MOVE_DOWN = 1038, 1044, 1035, 1036


def doc_list():
    """DocList.txt as text; None while it is being replaced."""
    try:
        with open(os.path.join(app_data(), "DocList.txt"), "rb") as f:
            return f.read().decode("utf-16-le")
    except FileNotFoundError:
        return None


def in_front(handle):
    return probe("foreground").strip() == str(handle)


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
        dialog = popup_titled(title, timeout=20)
        self.assertIsNotNone(dialog, "no dialog titled %r" % title)
        return dialog

    def dialog_command(self, dialog, command):
        probe("command", str(dialog[0]), str(command))

    def file_dialog_of(self, dialog):
        """The system's file dialog owned by the favourites dialog."""
        found = popup_where(lambda p: p[4] == dialog[0])
        self.assertIsNotNone(found, "no file dialog over the favourites dialog")
        return found

    def choose_file(self, dialog, name):
        """Types the name into the file dialog over the favourites dialog and presses Enter there."""
        chooser = self.file_dialog_of(dialog)
        send_keys(chooser[2], "ctrl+a")
        type_text(name)
        press("Return")
        self.assertTrue(wait_until(lambda: not any(p[0] == chooser[0] for p in popups())), "the file dialog stayed")

    def start_window(self, *args, env=None):
        self.start(windows_path(self.note("page.txt")), *args, env=env)
        return self.wait_for_windows(1)[0]

    def test_delete_and_save_rewrite_the_list_another_instance_raises_the_dialog_and_its_size_is_kept(self):
        write_settings(DlgW=820, DlgH=460)
        first = self.start_window()
        dialog = self.open_dialog(first, EN_TITLE)
        _, _, width, height = x_geometry(x_windows_named(EN_TITLE)[0])
        self.assertTrue(780 <= width <= 820 and 420 <= height <= 460, (width, height))  # the frame aside
        texts = controls(dialog)
        self.assertEqual([texts.get(i) for i in (OPEN, 1, SAVE, MOVE_UP, MOVE_DOWN, 1043)],
                         ["&Open", "Cancel", "&Save", "Move &Up", "Move &Down", "&Edit"])
        send_keys(EN_TITLE, "Delete")  # row 0, the home page, is selected when the dialog opens
        send_keys(EN_TITLE, "alt+s")
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(self.entries[1:])), repr(doc_list()))
        self.start("-n")
        second = next(w for w in self.wait_for_windows(2) if w.handle != first.handle)
        self.assertTrue(wait_until(lambda: in_front(second.handle)))
        post_command(second, IDM.FAVORITES)
        self.assertTrue(wait_until(lambda: in_front(dialog[0])), "the first instance's dialog did not come forward")
        dialogs = [p for p in popups() if p[2] == EN_TITLE]
        self.assertEqual([(p[0], p[4]) for p in dialogs], [(dialog[0], first.handle)])
        # While the dialog waits for a file dialog of its own, that one comes forward.
        self.dialog_command(dialog, IDM.FAVORITES_EXPORT)
        chooser = self.file_dialog_of(dialog)
        self.start("-n")  # a new window comes to the front
        third = next(w for w in self.wait_for_windows(3) if w.handle not in (first.handle, second.handle))
        self.assertTrue(wait_until(lambda: in_front(third.handle)))
        post_command(third, IDM.FAVORITES)
        self.assertTrue(wait_until(lambda: in_front(chooser[0])),
                        "the file dialog over the first instance's dialog did not come forward")
        self.assertEqual(len([p for p in popups() if p[2] == EN_TITLE]), 1)
        self.close_popup(chooser[2], "Escape")
        self.close_popup(EN_TITLE, "Escape")
        # The size is written as the dialog window goes, just after it disappears.
        self.assertTrue(wait_until(lambda: read_setting("DlgW") == "820"), read_setting("DlgW"))
        self.assertEqual(read_setting("DlgH"), "460")

    def test_moves_in_japanese_are_saved_and_open_takes_the_unsaved_order(self):
        window = self.start_window(env=JA_ENV)
        dialog = self.open_dialog(window, JA_TITLE)
        texts = controls(dialog)
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
        question = box_saying("一覧に保存されていない変更があります。")
        self.assertIsNotNone(question, "asked before the unsaved change is dropped: %r" % popups())
        press("alt+y")
        self.wait_for_windows(2)
        titles = wait_until(lambda: (lambda ts: ts if any("home.txt" in t for t in ts) else None)(
            [w.title for w in self.wait_for_windows(2)]))
        self.assertIsNotNone(titles, "home.txt was not opened")
        self.assertEqual(doc_list(), entries_text([one, home, two]))

    def test_csv_round_trips_another_header_is_refused_and_add_updates_a_listed_file_and_appends_a_new_one(self):
        dialog = self.open_dialog(self.start_window(), EN_TITLE)
        csv = os.path.join(self.folder, "list.csv")
        self.dialog_command(dialog, IDM.FAVORITES_EXPORT)
        self.choose_file(dialog, windows_path(csv))
        with open(csv, "rb") as f:
            self.assertEqual(f.read().decode("utf-16-le"), entries_text(self.entries, "Pathbook"))
        self.dialog_command(dialog, IDM.FAVORITES_CLEAR)
        self.dialog_command(dialog, SAVE)
        self.assertTrue(wait_until(lambda: doc_list() == "\r"), repr(doc_list()))
        self.dialog_command(dialog, IDM.FAVORITES_IMPORT)
        self.choose_file(dialog, windows_path(csv))
        self.dialog_command(dialog, SAVE)
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(self.entries)), repr(doc_list()))
        other = os.path.join(self.folder, "other.csv")
        with open(other, "wb") as f:
            f.write("パスブック\r0,C:\\x.txt\r".encode("utf-16-le"))
        self.dialog_command(dialog, IDM.FAVORITES_IMPORT)
        self.choose_file(dialog, windows_path(other))
        box = popup_where(lambda p: p[4] == dialog[0])
        self.assertIsNotNone(box, "no message about the refused file")
        self.assertIn("Could not open the file.", labels(box))
        self.dismiss(box)
        self.dialog_command(dialog, SAVE)  # nothing changed: nothing to write
        self.assertEqual(doc_list(), entries_text(self.entries))
        self.note("new.txt")
        send_keys(EN_TITLE, "alt+e", "a")  # the Edit button's menu, then Add...
        chooser = self.file_dialog_of(dialog)
        self.assertEqual(controls(chooser).get(1002), "AutoDetect")  # the encoding for every file
        self.choose_file(dialog, '"two.txt" "new.txt"')
        self.dialog_command(dialog, SAVE)
        home, one, two = self.entries
        added = [home, one, (0, two[1]), (0, windows_path(os.path.join(self.folder, "new.txt")))]
        self.assertTrue(wait_until(lambda: doc_list() == entries_text(added)), repr(doc_list()))
