"""Documents in the real window: the open dialog and where a document opens, saving
in each encoding and line-end style through the save dialog, reopening in another
encoding, read-only files, a file that cannot be opened and a save that fails."""

import os
import subprocess
import time

from commands import IDM
from harness import (EN, JA, JA_ENV, PathbookTestCase, box_saying, controls, editor_lines, main_windows, modified,
                     popup_titled, popup_where, popups, post_command, press, probe, read_bytes, send_keys, status,
                     title_of, type_text, wait_until, windows_path, write_file, write_settings)

# The encodings the save and reopen dialogs offer, in their order.
SAVE_ENCODINGS = ["Japanese(ShiftJIS)", "Japanese(EUC)", "Japanese(ISO-2022-JP)", "UTF-5", "UTF-7", "UTF-8",
                  "UTF-8N", "UTF-16BE(BOM)", "UTF-16LE(BOM)", "UTF-16BE", "UTF-16LE", "UTF-32BE(BOM)",
                  "UTF-32LE(BOM)", "UTF-32BE", "UTF-32LE", "Latin-1"]
LINE_ENDS = ["CR", "LF", "CRLF"]


def lock_folder(folder):
    """Makes a folder refuse new entries, for root too (which ignores permissions); False when it cannot."""
    os.chmod(folder, 0o555)
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i", folder], capture_output=True, timeout=30)
    probe_file = os.path.join(folder, "probe")
    try:
        with open(probe_file, "wb"):
            pass
    except OSError:
        return True
    os.remove(probe_file)
    return False


def unlock_folder(folder):
    if os.geteuid() == 0:
        subprocess.run(["chattr", "-i", folder], capture_output=True, timeout=30)
    os.chmod(folder, 0o755)


class DocumentsTest(PathbookTestCase):
    def remove_folder(self):
        for root, folders, _ in os.walk(self.folder):
            for name in folders:
                unlock_folder(os.path.join(root, name))
        super().remove_folder()

    def file_dialog(self, window, command, title):
        """Runs the command and returns the system's file dialog it opens."""
        post_command(window, command)
        dialog = popup_titled(title)
        self.assertIsNotNone(dialog, "no dialog titled %r; pop-ups: %r" % (title, [p[2] for p in popups()]))
        return dialog

    def type_path(self, dialog_title, path):
        """Types a path over whatever the dialog's file-name box holds."""
        send_keys(dialog_title, "alt+n", "End", "shift+Home", "BackSpace")
        type_text(windows_path(path))

    def choose(self, dialog_title, mnemonic, index):
        """Selects entry `index` of the combo that `mnemonic` reaches."""
        send_keys(dialog_title, mnemonic, "Home", *(["Down"] * index))

    def save_as(self, window, path, encoding, line_end):
        dialog = self.file_dialog(window, IDM.SAVE_AS, "Save As")
        self.type_path("Save As", path)
        self.choose("Save As", "alt+e", SAVE_ENCODINGS.index(encoding))
        self.choose("Save As", "alt+l", LINE_ENDS.index(line_end))
        send_keys("Save As", "Return")
        return dialog

    def test_a_missing_history_entry_is_reported_and_the_open_dialog_loads_here_then_in_a_new_instance(self):
        missing = os.path.join(self.folder, "missing.txt")
        write_settings(MRU1=windows_path(missing), CODE1=0)
        window = self.start_untitled()
        post_command(window, IDM.HISTORY_FIRST)
        self.dismiss(box_saying("Could not open the file."))
        self.assertTrue(wait_until(lambda: main_windows() and main_windows()[0].title == title_of(None)))
        path = self.note("opened.txt", "\ufeff開いた\r\n".encode("utf-8"))
        dialog = self.file_dialog(window, IDM.OPEN, "Open")
        self.assertEqual(controls(dialog).get(1002), "AutoDetect", "detection is offered first and chosen")
        # The folder combo moves the dialog: its first entry is the current directory, the second the documents.
        send_keys("Open", "alt+e", "Tab", "Down", "Down")
        self.assertTrue(wait_until(lambda: controls(popup_titled("Open")).get(1137) == "Documents"),
                        controls(popup_titled("Open")))
        self.type_path("Open", path)
        send_keys("Open", "Return")
        window = self.wait_for_title(title_of(path))
        self.assertEqual(len(main_windows()), 1, "an untitled, unmodified window takes the document itself")
        self.assertEqual(editor_lines(window), "開いた\n")
        self.assertEqual(status(window)[0][1:], ["UTF8", "CRLF"])
        # A window showing a named document hands the next one to a second instance.
        second = self.note("second.txt")
        self.file_dialog(window, IDM.OPEN, "Open")
        self.type_path("Open", second)
        send_keys("Open", "Return")
        windows = self.wait_for_windows(2)
        self.assertEqual(sorted(w.title for w in windows), sorted([title_of(path), title_of(second)]))

    def test_open_same_asks_to_save_first_then_loads_here(self):
        write_settings(OpenSame=1)
        first, title, window = self.open_note("first.txt", b"one\r\n")
        second = self.note("second.txt", b"two\r\n")
        send_keys(title, "ctrl+End", "x")
        self.wait_for_title(modified(title))
        self.file_dialog(window, IDM.OPEN, "Open")
        self.type_path("Open", second)
        send_keys("Open", "Return")
        self.assertIsNotNone(popup_titled(EN), "the save prompt appears")
        send_keys(EN, "alt+n")
        window = self.wait_for_title(title_of(second))
        self.assertEqual(len(main_windows()), 1)
        self.assertEqual(editor_lines(window), "two\n")
        self.assertEqual(read_bytes(first), b"one\r\n", "No keeps the old file as it was")

    def test_a_relative_path_is_stored_absolute_and_a_linked_note_is_not_read_in_the_linking_notes_encoding(self):
        linked = self.note("linked.txt", "\ufeff日本\r\n".encode("utf-8"))
        linking = self.note("linking.txt", ("\ufeff<%s>\r\n" % windows_path(linked)).encode("utf-16-le"))
        os.mkdir(os.path.join(self.folder, "sub"))
        self.start("sub\\..\\.\\linking.txt", cwd=self.folder)
        window = self.wait_for_title(title_of(linking))
        # Offered by its absolute path, the document is the one this window shows.
        self.assertEqual(probe("copydata", str(window.handle), "path:0:" + windows_path(linking)).strip(), "1")
        self.assertEqual(status(window)[0][1], "U16L")
        send_keys(window.title, "ctrl+Home", "Right", "Right")
        post_command(window, IDM.OPEN_LINK)
        opened = next(w for w in self.wait_for_windows(2) if w.title == title_of(linked))
        self.assertEqual(editor_lines(opened), "日本\n")
        self.assertEqual(status(opened)[0][1], "UTF8")

    def test_save_as_in_each_encoding_and_line_end(self):
        _, _, window = self.open_note("source.txt", "日本語\nline\n".encode("utf-8"))
        cases = [
            ("utf8.txt", "UTF-8N", "LF", "日本語\nline\n".encode("utf-8")),
            ("sjis.txt", "Japanese(ShiftJIS)", "CRLF", "日本語\r\nline\r\n".encode("shift_jis")),
            ("euc.txt", "Japanese(EUC)", "CR", "日本語\rline\r".encode("euc_jp")),
            ("utf16.txt", "UTF-16LE(BOM)", "CRLF", "\ufeff日本語\r\nline\r\n".encode("utf-16-le")),
        ]
        for name, encoding, line_end, expected in cases:
            target = os.path.join(self.folder, name)
            self.save_as(window, target, encoding, line_end)
            window = self.wait_for_title(title_of(target))
            self.assertTrue(wait_until(lambda: os.path.exists(target)), name)
            self.assertEqual(read_bytes(target), expected, "%s in %s with %s" % (name, encoding, line_end))
        self.assertEqual(status(window)[0][1:], ["U16L", "CRLF"])
        # Save as onto an existing file asks first; No leaves it alone.
        self.file_dialog(window, IDM.SAVE_AS, "Save As")
        self.type_path("Save As", os.path.join(self.folder, "sjis.txt"))
        send_keys("Save As", "Return")
        self.assertIsNotNone(box_saying("already exists"), "the overwrite prompt appears: %r" % popups())
        press("alt+n")
        self.close_popup("Save As", "Escape")
        self.assertEqual(read_bytes(os.path.join(self.folder, "sjis.txt")), cases[1][3])

    def test_reopen_in_another_encoding(self):
        _, _, window = self.open_note("nihon.txt", "日本\r\n".encode("shift_jis"), "-c1252")
        self.assertEqual(editor_lines(window), "日本\r\n".encode("shift_jis").decode("cp1252").replace("\r", ""))
        post_command(window, IDM.REOPEN)
        dialog = popup_titled("ReOpen")
        self.assertIsNotNone(dialog)
        self.assertEqual(controls(dialog).get(1002), "Latin-1", "the window's encoding is selected")
        self.choose("ReOpen", "alt+e", SAVE_ENCODINGS.index("Japanese(ShiftJIS)"))
        send_keys("ReOpen", "Return")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "日本\n"), editor_lines(window))
        self.assertEqual(status(window)[0][1], "SJIS")

    def test_read_only_file_or_setting_locks_editing(self):
        locked = self.note("locked.txt", b"locked\r\n")
        os.chmod(locked, 0o444)
        title = title_of(locked, name=JA) + " (編集禁止)"
        self.start(windows_path(locked), env=JA_ENV)
        window = self.wait_for_title(title)
        send_keys(title, "x", "Delete", "Return")
        time.sleep(1)
        self.assertEqual(editor_lines(window), "locked\n", "edits are refused")
        self.assertEqual(main_windows()[0].title, title, "still unmodified")
        post_command(window, IDM.EXIT)
        self.assertTrue(wait_until(lambda: not main_windows()))
        write_settings(ReadOnly=1)
        plain = self.note("plain.txt", b"plain\r\n")
        self.start(windows_path(plain))
        self.wait_for_title(title_of(plain) + " (編集禁止)")

    def test_a_failed_save_keeps_the_text_and_the_old_file(self):
        source = self.note("draft.txt", b"draft\r\n")
        shut = os.path.join(self.folder, "shut")
        os.mkdir(shut)
        old = write_file(os.path.join(shut, "old.txt"), b"old\r\n")
        if not lock_folder(shut):
            self.skipTest("no folder can be made read-only here")
        _, window = self.show(source)
        send_keys(window.title, "ctrl+End", "n", "e", "w")
        self.wait_for_title(title_of(source, " *"))
        self.save_as(window, old, "UTF-8N", "CRLF")
        self.assertIsNotNone(box_saying("already exists"))
        press("alt+y")
        self.dismiss(popup_where(lambda p: any(c[2].startswith("Could not save the file.") for c in p[3])))
        window = self.wait_for_title(title_of(old, " *"))
        self.assertEqual(editor_lines(window), "draft\nnew", "the text stays")
        self.assertEqual(read_bytes(old), b"old\r\n", "the old file is as it was")
        self.assertEqual(sorted(os.listdir(shut)), ["old.txt"], "nothing is left behind")
        self.assertEqual(read_bytes(source), b"draft\r\n")
