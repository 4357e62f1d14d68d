"""A big note in the real window: its first screen comes at once with the
progress in the status bar, it scrolls while the rest loads, a keystroke meanwhile
is refused (with a beep) rather than lost, the load ends with its line count and
encoding; Escape stops it, leaving a part that cannot be saved over the file, and
closing the window mid-load ends the process at once."""

import os
import time

from commands import IDM
from harness import PathbookTestCase, main_windows, popups, post_command, probe, running_instances, send_keys, \
    status, wait_until, windows_path, x_windows_named

LINE = "a line of the big note, 行 %04d\r\n"
BLOCK_LINES = 1000
BLOCK = "".join(LINE % n for n in range(BLOCK_LINES)).encode("utf-8")
BLOCKS = 200 * 1024 * 1024 // len(BLOCK)
LINES = BLOCKS * BLOCK_LINES + 1  # the empty line after the last break
FIRST_LINE = (LINE % 0).replace("\r\n", "\n")


def text_start(window):
    """The editor's first units, its line breaks as "\\n"."""
    return probe("textstart", str(window.handle)).replace("\r\n", "\n")


def caret_line_number(window):
    """The number at the end of the caret's line, from a copy of it; -1 without one."""
    text = probe("clipboard").strip()
    return int(text[-4:]) if text.startswith("a line") and text[-4:].isdigit() else -1


class BigFilesTest(PathbookTestCase):
    def start_big_note(self, path=None):
        """Starts Pathbook on the 200 MB note; (process, title, window, seconds to its painted window) once the
        window shows the first line and the progress."""
        path = path or self.note("big.txt", BLOCK * BLOCKS)
        title = "%s - Pathbook" % windows_path(path)
        started = time.monotonic()
        process = self.start(windows_path(path))
        # Painted as it is shown; found by the X server, faster than asking inside Wine.
        wait_until(lambda: x_windows_named(title), timeout=20, interval=0.02)
        painted = time.monotonic() - started
        window = self.wait_for_title(title)
        shown = wait_until(lambda: status(window)[0][0].startswith("Loading\u2026 ") and
                           text_start(window).startswith(FIRST_LINE), timeout=10, interval=0.05)
        self.assertTrue(shown, "first line or progress missing: %r %r" % (text_start(window)[:40], status(window)[0]))
        return process, title, window, painted

    def test_the_first_screen_comes_at_once_and_the_rest_while_the_user_reads(self):
        process, title, window, seconds = self.start_big_note()
        self.assertLess(seconds, 2.0)
        # Scrolled three pages down, the caret's line selected and copied.
        send_keys(title, "x", "Next", "Next", "Next", "shift+Down", "ctrl+c")
        scrolled = wait_until(lambda: caret_line_number(window) > 30, timeout=5, interval=0.05)
        still_loading = status(window)[0][0].startswith("Loading")
        self.assertTrue(scrolled, "the view did not scroll: %r" % probe("clipboard"))
        self.assertTrue(probe("caret", str(window.handle)).startswith("1 "), "the caret is out of view")
        self.assertTrue(still_loading, "the load ended before the test could scroll: %r" % status(window)[0])
        self.assertLess(int(probe("ping", str(window.handle))), 1000)
        done = wait_until(lambda: status(window)[0][0] == "%d lines" % LINES, timeout=40, interval=0.2)
        self.assertTrue(done, "the load did not end: %r" % status(window)[0])
        self.assertEqual(status(window)[0][1:], ["UTF8", "CRLF"])
        # The "x" was refused, not typed: the text and the title are the file's.
        self.assertTrue(text_start(window).startswith(FIRST_LINE))
        self.assertEqual(main_windows()[0].title, title)
        self.assertIsNone(process.poll())

    def test_escape_stops_the_load_and_the_part_read_cannot_be_saved(self):
        path = self.note("big.txt", BLOCK * BLOCKS)
        process, title, window, _ = self.start_big_note(path)
        send_keys(title, "Escape")
        stopped = wait_until(lambda: status(window)[0][0].startswith("Not read to its end"), timeout=5)
        self.assertTrue(stopped, "still: %r" % status(window)[0])
        post_command(window, IDM.SAVE)
        box = wait_until(lambda: next((p for p in popups() if any("cannot be saved" in c[2] for c in p[3])), None))
        self.assertIsNotNone(box, "the refusal is shown: %r" % popups())
        send_keys(box[2], "Return")
        self.assertEqual(os.path.getsize(path), len(BLOCK) * BLOCKS, "the file is as it was")
        self.assertIsNone(process.poll())

    def test_closing_the_window_mid_load_ends_the_process_at_once(self):
        process, _, window, _ = self.start_big_note()
        probe("wmclose", str(window.handle))
        closed = time.monotonic()
        wait_until(lambda: process.poll() is not None, timeout=10, interval=0.05)
        self.assertIsNotNone(process.poll(), "the process outlived its window")
        self.assertLess(time.monotonic() - closed, 3.0)
        wait_until(lambda: not running_instances(), timeout=10)
