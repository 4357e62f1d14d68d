"""Nothing typed is lost when the program dies: instances are ended with
TerminateProcess, as a crash ends them, and the next start offers what they
had not saved. A start without a file opens the latest note of the history,
and a window that is not modified takes the first restored note."""

import time

from harness import (EN, JA, JA_ENV, PathbookTestCase, editor_lines, main_windows, modified, popup_titled, probe,
                     read_bytes, recovery_journals, running_instances, send_keys, title_of, type_text, wait_until,
                     write_file)

RESTORE_EN = "Restore Unsaved Notes"
RESTORE_JA = "保存されていないノートの復元"
# The journal is written within a second of the last change; this leaves room on a loaded machine.
SYNCED = 3.0


class RecoveryTest(PathbookTestCase):
    def type_into(self, window_title, text):
        """Types at the end of the note in the window titled so; the window once it shows the change."""
        send_keys(window_title, "ctrl+End")
        type_text(text)
        return self.wait_for_title(modified(window_title))

    def kill(self, *windows):
        """Waits for the journals, then ends each window's process as a crash would."""
        time.sleep(SYNCED)
        for window in windows:
            self.assertEqual(probe("kill", str(window.handle)), "")
        self.assertTrue(wait_until(lambda: not main_windows()))

    def type_and_kill(self, window_title, text):
        self.kill(self.type_into(window_title, text))

    def restart_and_answer(self, dialog_title, keys, env=None):
        """Starts the program without a file; answers its restore dialog with the keys."""
        self.start(env=env)
        self.assertIsNotNone(popup_titled(dialog_title, timeout=30), "the unsaved notes are offered")
        send_keys(dialog_title, *keys)

    def close_without_saving(self, window, product=EN):
        probe("wmclose", str(window.handle))
        self.assertIsNotNone(popup_titled(product), "the save prompt")
        send_keys(product, "alt+n")
        self.assertTrue(wait_until(lambda: window.handle not in [w.handle for w in main_windows()]))

    def assert_nothing_offered(self, path):
        """A start after the last instance has ended shows the latest note and offers nothing."""
        self.assertTrue(wait_until(lambda: not running_instances(), timeout=60))
        self.start()
        self.wait_for_title(title_of(path))
        self.assertIsNone(popup_titled(RESTORE_EN, timeout=5), "nothing is offered")

    def test_a_killed_note_comes_back_modified_and_its_file_untouched(self):
        path, window_title, _ = self.open_note("killed.txt", b"first line\r\n")
        self.type_and_kill(window_title, "typed before the crash")
        self.assertEqual(len(recovery_journals()), 1)
        self.restart_and_answer(RESTORE_EN, ["Return"])
        window = self.wait_for_title(title_of(path, " *"))
        self.assertEqual(editor_lines(window), "first line\ntyped before the crash")
        self.assertEqual(read_bytes(path), b"first line\r\n", "never saved by itself")
        self.close_without_saving(window)
        self.assertEqual(recovery_journals(), [], "No at the save prompt gives the journal up")
        self.assert_nothing_offered(path)

    def test_an_untitled_japanese_note_comes_back(self):
        window = self.start_untitled(env=JA_ENV)
        probe("cliptext", "日本語のメモ ☃")
        send_keys(window.title, "ctrl+v")
        window = self.wait_for_title(title_of(None, " *", JA))
        time.sleep(SYNCED)
        probe("kill", str(window.handle))
        self.restart_and_answer(RESTORE_JA, ["Return"], env=JA_ENV)
        window = self.wait_for_title(title_of(None, " *", JA))
        self.assertEqual(editor_lines(window), "日本語のメモ ☃")
        self.close_without_saving(window, JA)

    def test_two_killed_instances_come_back_each_once(self):
        first, first_title, _ = self.open_note("one.txt", b"one\r\n")
        typed_first = self.type_into(first_title, "more")
        second, second_title, _ = self.open_note("two.txt", b"two\r\n")
        self.kill(typed_first, self.type_into(second_title, "more"))
        self.restart_and_answer(RESTORE_EN, ["Return"])
        windows = self.wait_for_windows(2)
        self.assertEqual(sorted(w.title for w in windows), sorted([title_of(first, " *"), title_of(second, " *")]))
        # Claimed once: a further window finds nothing to offer.
        self.start("-n")
        self.wait_for_windows(3)
        self.assertIsNone(popup_titled(RESTORE_EN, timeout=5))
        for window in windows:
            self.close_without_saving(window)

    def test_a_torn_journal_of_a_changed_file_restores_what_is_whole(self):
        path, window_title, _ = self.open_note("torn.txt", b"base\r\n")
        self.type_and_kill(window_title, " kept")
        write_file(path, b"changed by another program\r\n")
        (journal,) = recovery_journals()
        with open(journal, "ab") as f:
            f.write(b"\x17torn frame of a crash\x00\x01")
        self.restart_and_answer(RESTORE_EN, ["Return"])
        window = self.wait_for_title(title_of(path, " *"))
        self.assertEqual(editor_lines(window), "base\n kept")
        self.close_without_saving(window)

    def test_nothing_is_offered_after_a_save_or_a_discard(self):
        path, window_title, _ = self.open_note("saved.txt", b"saved\r\n")
        self.type_into(window_title, " and more")
        time.sleep(SYNCED)
        send_keys(modified(window_title), "ctrl+s")
        window = self.wait_for_title(window_title)
        probe("kill", str(window.handle))
        self.assertEqual(recovery_journals(), [], "a saved note leaves no journal")

        path, window_title, _ = self.open_note("discarded.txt", b"text\r\n")
        self.type_and_kill(window_title, " unwanted")
        left = recovery_journals()
        self.restart_and_answer(RESTORE_EN, ["alt+d"])
        self.wait_for_title(title_of(path))
        self.assertFalse(set(left) & set(recovery_journals()), "Discard removes the journals")
        self.assertEqual(len(main_windows()), 1, "nothing restored")
