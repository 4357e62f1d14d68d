"""Saving never loses a character: a note whose encoding cannot hold its text
asks first and Enter leaves the file alone, Windows-1252's curly quotes and euro
sign read and write back as Windows has them, and a file another program
changed is not overwritten without a question."""

import os
import shutil

from harness import (PathbookTestCase, editor_lines, main_windows, popup_titled, popups, probe, send_keys,
                     user_folder, wait_until, windows_path, write_file)

EN = "Pathbook"
JA = "パスブック"
JA_ENV = {"LC_ALL": "ja_JP.UTF-8"}


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def texts(dialog):
    """{control id: text} of a pop-up found by popups()."""
    return {control[0]: control[2] for control in dialog[3]}


def box_saying(words):
    """The message box whose text holds `words`, once it shows."""
    return wait_until(lambda: next((p for p in popups() if any(words in c[2] for c in p[3])), None))


def clear_journals():
    """The unsaved notes of killed instances, which the next start would offer to restore."""
    shutil.rmtree(os.path.join(user_folder(), "AppData", "Local", "Pathbook", "Recovery"), ignore_errors=True)


class SavingTest(PathbookTestCase):
    def setUp(self):
        super().setUp()
        clear_journals()
        self.addCleanup(clear_journals)  # after tearDown has ended the instances

    def title_of(self, path, marks="", product=EN):
        return "%s%s - %s" % (windows_path(path), marks, product)

    def test_a_lossy_save_asks_and_enter_keeps_the_file_and_the_text(self):
        cases = [({}, EN, "Characters would be lost", "'日' (U+65E5) at line 1, column 1"),
                 (JA_ENV, JA, "文字が失われます", "「日」(U+65E5) 1 行 1 桁目")]
        for env, product, caption, first_loss in cases:
            path = self.note("western-%s.txt" % product, b"old\r\n")
            self.start("-c1252", windows_path(path), env=env)
            self.wait_for_title(self.title_of(path, product=product))
            probe("cliptextfiles", "日本語 ☃")
            send_keys(self.title_of(path, product=product), "ctrl+Home", "ctrl+v")
            modified = self.title_of(path, " *", product)
            window = self.wait_for_title(modified)
            send_keys(modified, "ctrl+s")
            question = popup_titled(caption)
            self.assertIsNotNone(question, "the question appears: %r" % popups())
            # The probe gives a control's first line: the first loss.
            self.assertEqual(texts(question)[1200], first_loss)
            send_keys(caption, "Return")
            self.assertTrue(wait_until(lambda: popup_titled(caption, timeout=0) is None))
            self.assertEqual(read_bytes(path), b"old\r\n", "Enter writes nothing")
            self.assertEqual(editor_lines(window), "日本語 ☃old\n")
            self.wait_for_title(modified)
            process = self.processes.pop()
            process.kill()
            process.wait(timeout=30)
            self.assertTrue(wait_until(lambda: not main_windows()))
            clear_journals()

    def test_windows_1252_quotes_and_euro_read_and_write_back(self):
        path = self.note("quoted.txt", bytes([0x93, 0x71, 0x75, 0x6F, 0x74, 0x65, 0x64, 0x94, 0x80]))
        self.start("-c1252", windows_path(path))
        window = self.wait_for_title(self.title_of(path))
        self.assertEqual(editor_lines(window), "\u201cquoted\u201d\u20ac")
        send_keys(window.title, "ctrl+End", "x")
        modified = self.title_of(path, " *")
        self.wait_for_title(modified)
        send_keys(modified, "ctrl+s")
        self.wait_for_title(self.title_of(path))
        self.assertEqual(read_bytes(path), bytes([0x93, 0x71, 0x75, 0x6F, 0x74, 0x65, 0x64, 0x94, 0x80]) + b"x")

    def test_a_file_changed_by_another_program_is_not_overwritten_on_escape(self):
        path = self.note("shared.txt", b"mine\r\n")
        self.start(windows_path(path))
        window = self.wait_for_title(self.title_of(path))
        send_keys(window.title, "ctrl+End", "x")
        modified = self.title_of(path, " *")
        self.wait_for_title(modified)
        write_file(path, b"theirs, longer\r\n")
        send_keys(modified, "ctrl+s")
        question = box_saying("changed this file")
        self.assertIsNotNone(question, "asked before overwriting: %r" % popups())
        if 2 not in texts(question):
            # Focusing the window activated it, which asks first (Yes or No): keep editing, then save.
            send_keys(question[2], "alt+n")
            self.assertTrue(wait_until(lambda: box_saying("changed this file") is None))
            send_keys(modified, "ctrl+s")
            question = box_saying("changed this file")
            self.assertIsNotNone(question, "asked before overwriting: %r" % popups())
            self.assertIn(2, texts(question), "overwrite, reload or cancel")
        send_keys(question[2], "Escape")
        self.assertTrue(wait_until(lambda: box_saying("changed this file") is None))
        self.assertEqual(read_bytes(path), b"theirs, longer\r\n", "Escape leaves the other program's text")
        self.assertEqual(editor_lines(window), "mine\nx")
        self.wait_for_title(modified)
