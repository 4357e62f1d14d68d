"""Saving never loses a character: a note whose encoding cannot hold its text
asks first and Enter leaves the file alone, Windows-1252's curly quotes and euro
sign read and write back as Windows has them, and a file another program
changed is not overwritten without a question."""

from harness import (EN, JA, JA_ENV, PathbookTestCase, box_saying, clear_local_data, controls, editor_lines,
                     main_windows, modified, popup_titled, popups, probe, read_bytes, send_keys, wait_until,
                     write_file)


class SavingTest(PathbookTestCase):
    def test_a_lossy_save_asks_and_enter_keeps_the_file_and_the_text(self):
        cases = [({}, EN, "Characters would be lost", "'日' (U+65E5) at line 1, column 1"),
                 (JA_ENV, JA, "文字が失われます", "「日」(U+65E5) 1 行 1 桁目")]
        for env, product, caption, first_loss in cases:
            path, title, _ = self.open_note("western-%s.txt" % product, b"old\r\n", "-c1252", env=env)
            probe("cliptextfiles", "日本語 ☃")
            send_keys(title, "ctrl+Home", "ctrl+v")
            window = self.wait_for_title(modified(title))
            send_keys(window.title, "ctrl+s")
            question = popup_titled(caption)
            self.assertIsNotNone(question, "the question appears: %r" % popups())
            # The probe gives a control's first line: the first loss.
            self.assertEqual(controls(question)[1200], first_loss)
            self.close_popup(caption, "Return")
            self.assertEqual(read_bytes(path), b"old\r\n", "Enter writes nothing")
            self.assertEqual(editor_lines(window), "日本語 ☃old\n")
            self.wait_for_title(window.title)
            process = self.processes.pop()
            process.kill()
            process.wait(timeout=30)
            self.assertTrue(wait_until(lambda: not main_windows()))
            clear_local_data()  # the killed note's journal, which the next start would offer

    def test_windows_1252_quotes_and_euro_read_and_write_back(self):
        quoted = bytes([0x93, 0x71, 0x75, 0x6F, 0x74, 0x65, 0x64, 0x94, 0x80])
        path, title, window = self.open_note("quoted.txt", quoted, "-c1252")
        self.assertEqual(editor_lines(window), "\u201cquoted\u201d\u20ac")
        send_keys(title, "ctrl+End", "x")
        send_keys(self.wait_for_title(modified(title)).title, "ctrl+s")
        self.wait_for_title(title)
        self.assertEqual(read_bytes(path), quoted + b"x")

    def test_a_file_changed_by_another_program_is_not_overwritten_on_escape(self):
        path, title, window = self.open_note("shared.txt", b"mine\r\n")
        send_keys(title, "ctrl+End", "x")
        self.wait_for_title(modified(title))
        write_file(path, b"theirs, longer\r\n")
        send_keys(modified(title), "ctrl+s")
        question = box_saying("changed this file")
        self.assertIsNotNone(question, "asked before overwriting: %r" % popups())
        if 2 not in controls(question):
            # Focusing the window activated it, which asks first (Yes or No): keep editing, then save.
            self.dismiss(question, "alt+n")
            send_keys(modified(title), "ctrl+s")
            question = box_saying("changed this file")
            self.assertIsNotNone(question, "asked before overwriting: %r" % popups())
            self.assertIn(2, controls(question), "overwrite, reload or cancel")
        self.dismiss(question, "Escape")
        self.assertEqual(read_bytes(path), b"theirs, longer\r\n", "Escape leaves the other program's text")
        self.assertEqual(editor_lines(window), "mine\nx")
        self.wait_for_title(modified(title))
