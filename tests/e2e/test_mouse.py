"""The mouse in the real view of Pathbook.exe: drag and double-click selection,
and clicks on links (a partly existing path is struck out, the window keeps
answering while a web link is checked, the pointer while a link opens); a click
that opens a linked note is in test_browsing.py."""

import os
import socket
import subprocess
import time

from harness import (RECORDER, PathbookTestCase, colour_counts, editor_lines, modified, popup_titled, probe, rect,
                     send_keys, status, wait_until, windows_path, x_geometry, x_windows_named)
from pointer import Pointer

MISSING = (140, 140, 140)  # colour slot 3 of the default type: the missing part of a link
ROW = 22                   # the default type's row height under Wine (DejaVu Sans Mono, 96 DPI)


def view_rect(window):
    return wait_until(lambda: rect("viewrect", str(window.handle)))


def on_view(window, x, y, *actions):
    """The pointer to point (x, y) of the view's client area, then `actions`."""
    left, top, _, _ = view_rect(window)
    subprocess.run(["xdotool", "mousemove", str(left + x), str(top + y)] + list(actions), timeout=30, check=True)


class MouseTest(PathbookTestCase):
    def test_drag_and_double_click_select(self):
        _, title, window = self.open_note("m.txt", b"word word word word\r\n")
        on_view(window, 1, ROW // 2, "mousedown", "1")
        on_view(window, 30, ROW // 2)
        on_view(window, 60, ROW // 2, "mouseup", "1")
        send_keys(title, "ctrl+c", "ctrl+End", "ctrl+v")
        pasted = wait_until(lambda: (lambda lines: lines[1] if len(lines) == 2 and lines[1] else None)(
            editor_lines(window).split("\n")))
        self.assertTrue(pasted and "word word word word".startswith(pasted), "the dragged text: %r" % pasted)
        on_view(window, 5, ROW // 2, "click", "--repeat", "2", "--delay", "80", "1")
        send_keys(modified(title), "ctrl+c", "ctrl+End", "Return", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window).split("\n")[-1] == "word"),
                        "a double click selects the word: %r" % editor_lines(window))

    def test_a_partly_existing_path_is_struck_out_and_the_window_answers_while_a_web_link_is_checked(self):
        missing = windows_path(os.path.join(self.folder, "nothere", "x.txt"))
        server = socket.socket()
        server.bind(("127.0.0.1", 0))
        server.listen(1)  # accepts the connection and never answers
        self.addCleanup(server.close)
        url = "http://127.0.0.1:%d/never" % server.getsockname()[1]
        _, title, window = self.open_note("part.txt", ("<%s>\r\n<%s>\r\n" % (missing, url)).encode())
        on_view(window, 40, ROW // 2, "click", "1")
        self.assertTrue(wait_until(lambda: status(window)[0][0].startswith("【FILE】 ○：")),
                        "status: %r" % status(window)[0][0])
        left, top, right, _ = view_rect(window)
        (xid,) = x_windows_named(title)
        x, y, _, _ = x_geometry(xid)
        row = colour_counts(xid, left - x, top - y, right - left, ROW)
        self.assertGreater(row.get(MISSING, 0), 20, "the missing part is struck out in grey")
        on_view(window, 40, ROW + ROW // 2, "click", "1")
        for _ in range(3):
            answer = probe("ping", str(window.handle)).strip()
            self.assertTrue(answer.isdigit() and int(answer) <= 100, "WM_NULL answered after %r ms" % answer)
        self.assertTrue(wait_until(lambda: status(window)[0][0].startswith("【HTTP】 ×："), timeout=120),
                        "status: %r" % status(window)[0][0])

    def test_the_pointer_while_a_link_opens_is_the_arrow_with_hourglass(self):
        # A link to a program that takes four seconds: the window waits for it a while.
        _, _, window = self.open_note("slow.txt", ("<%s>\r\n" % windows_path(RECORDER)).encode("utf-8"),
                                      env={"PATHBOOK_RECORDER_WAIT": "4000"})
        pointer = Pointer()
        self.addCleanup(pointer.close)
        left, top, right, _ = view_rect(window)

        def shape_at(x, y):
            subprocess.run(["xdotool", "mousemove", str(x), str(y)], timeout=30, check=True)
            time.sleep(0.5)
            return pointer.shape()

        known = {shape_at(right + 8, top + 40), shape_at(left + 200, top + 3 * ROW)}  # the arrow, the I-beam
        known.add(shape_at(left + 20, top + ROW // 2))  # the hand over the link
        subprocess.run(["xdotool", "click", "1"], timeout=30, check=True)
        # A link to a program asks first; the pointer is busy once it runs.
        self.assertIsNotNone(popup_titled("Run a program?", timeout=30))
        send_keys("Run a program?", "alt+r")
        subprocess.run(["xdotool", "mousemove", str(left + 20), str(top + ROW // 2)], timeout=30, check=True)
        seen = set()
        deadline = time.monotonic() + 6
        while time.monotonic() < deadline:
            seen.add(pointer.shape())
            time.sleep(0.05)
        busy = {shape for shape in seen - known if shape[4] > 0}  # drawn: not the empty pointer of no window
        self.assertTrue(busy, "a busy pointer while the link opens: %r, known %r" % (seen, known))
        # The arrow with an hourglass points with the arrow's tip; the hourglass alone
        # has its hot spot in its middle.
        for width, height, hot_x, hot_y, _ in busy:
            self.assertTrue(hot_x < width / 4 and hot_y < height / 4, "a pointer without an arrow: %r" % busy)
