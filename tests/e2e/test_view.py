"""The editor view alone (e2e-view-host.exe) under Wine with real GDI: what it
draws, checked on screenshots, and its scroll bars and wrapping, driven by
real mouse input."""

import os
import re
import subprocess
import tempfile
import time
import unittest

from harness import VIEW_HOST, colour_counts, screenshot, wait_until, windows_path

LINK = (0, 50, 200)            # colour slot 5 of the default type
MISSING = (140, 140, 140)      # colour slot 3
MARK = (240, 200, 240)         # colour slot 4: "[EOF]"
FILE_NAME = (255, 255, 128)    # light yellow behind a path link's file name
CRIMSON = (219, 53, 97)        # a [...] run
COMMENT = (200, 220, 255)      # a #... run
FRAME = 2                      # the sunken edge of "TextLoom Control-01"

SAMPLE = ("Plain text line with words\r\n"
          "see <C:\\windows\\win.ini> here\r\n"
          "[a crimson block] and text\r\n"
          "# a comment line\r\n"
          "last line")


def host_window():
    """(X window, {state from the title}) of the running view host."""
    def find():
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^view-host rows"],
                                capture_output=True, text=True, timeout=30)
        return [int(w) for w in result.stdout.split()]
    xids = wait_until(find)
    if not xids:
        raise AssertionError("no view host window")
    return xids[0]


def state(xid):
    title = subprocess.run(["xdotool", "getwindowname", str(xid)], capture_output=True, text=True,
                           timeout=30).stdout
    return {key: int(value) for key, value in re.findall(r"(\w+) (\d+)", title)}


def geometry(xid):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(xid)], capture_output=True, text=True,
                         timeout=30).stdout
    values = dict(line.split("=") for line in out.split())
    return int(values["WIDTH"]), int(values["HEIGHT"])


class ViewTestCase(unittest.TestCase):
    def setUp(self):
        if not VIEW_HOST or not os.environ.get("DISPLAY"):
            self.skipTest("needs PATHBOOK_VIEW_HOST and an X server")
        self.folder = tempfile.TemporaryDirectory()
        self.process = None

    def tearDown(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=30)
        self.folder.cleanup()

    def show(self, *args, text=None):
        """Starts the host with `text` (or the arguments alone); returns its X window."""
        if text is not None:
            path = os.path.join(self.folder.name, "text.txt")
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write(text)
            args = ("--file", windows_path(path)) + args
        self.process = subprocess.Popen(["wine", VIEW_HOST] + list(args), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        xid = host_window()
        self.assertTrue(wait_until(lambda: state(xid).get("height", 0) > 0), "the view never laid out")
        return xid

    def row_colours(self, xid, row, left=None):
        """Colours of display row `row` (0 = the top one), from `left` (client x) to the scroll bar."""
        info = state(xid)
        width, _ = geometry(xid)
        x = FRAME + (info["margin"] if left is None else left)
        return colour_counts(xid, x, FRAME + row * info["height"], width - 20 - x, info["height"])


class PaintTest(ViewTestCase):
    def test_links_highlights_end_mark_and_margin(self):
        xid = self.show("--numbers", text=SAMPLE)
        wait_until(lambda: LINK in self.row_colours(xid, 1), timeout=5)
        screenshot(xid, os.path.join(tempfile.gettempdir(), "pathbook-view-paint.png"))
        plain = self.row_colours(xid, 0)
        link_row = self.row_colours(xid, 1)
        self.assertIn(LINK, link_row, "the link is drawn in colour slot 5")
        self.assertIn(FILE_NAME, link_row, "its file name lies on light yellow")
        self.assertNotIn(FILE_NAME, plain)
        self.assertNotIn(LINK, plain)
        self.assertGreater(self.row_colours(xid, 2).get(CRIMSON, 0), 100, "the [...] run lies on crimson")
        self.assertGreater(self.row_colours(xid, 3).get(COMMENT, 0), 100, "the # run lies on light blue")
        self.assertIn(MARK, self.row_colours(xid, 4), "\"[EOF]\" follows the last line")
        self.assertNotIn(MARK, self.row_colours(xid, 3))
        margin = colour_counts(xid, FRAME, FRAME, state(xid)["margin"], state(xid)["height"])
        self.assertIn(LINK, margin, "line numbers are drawn in the link colour")

    def test_missing_part_is_struck_out_in_grey(self):
        # Units 16..23 of line 1 are "win.ini>": the part whose target is missing.
        xid = self.show("--missing", "1", "16", "23", text=SAMPLE)
        wait_until(lambda: MISSING in self.row_colours(xid, 1), timeout=5)
        screenshot(xid, os.path.join(tempfile.gettempdir(), "pathbook-view-missing.png"))
        link_row = self.row_colours(xid, 1)
        self.assertGreater(link_row.get(MISSING, 0), 20, "the missing part is drawn in colour slot 3")
        self.assertIn(LINK, link_row, "the existing part keeps the link colour")
        self.assertNotIn(FILE_NAME, link_row, "a missing file name loses its light yellow")


class SchemeTest(ViewTestCase):
    """The same sample in the dark palette and in the system colours of high contrast."""

    def strip(self, xid, row, top, height):
        """Colours of `height` pixel rows from `top` inside display row `row`."""
        info = state(xid)
        width, _ = geometry(xid)
        return colour_counts(xid, FRAME, FRAME + row * info["height"] + top, width - 20 - FRAME, height)

    def test_dark_palette(self):
        xid = self.show("--scheme", "dark", text=SAMPLE)
        dark_link = (120, 190, 255)
        wait_until(lambda: dark_link in self.row_colours(xid, 1), timeout=5)
        screenshot(xid, os.path.join(tempfile.gettempdir(), "pathbook-view-dark.png"))
        plain = self.row_colours(xid, 0)
        self.assertEqual(max(plain, key=plain.get), (30, 30, 30), "the background")
        self.assertIn((212, 212, 212), plain, "the text")
        link_row = self.row_colours(xid, 1)
        self.assertIn(dark_link, link_row)
        self.assertIn((60, 56, 20), link_row, "the file name's fill")
        self.assertNotIn(FILE_NAME, link_row)
        self.assertGreater(self.row_colours(xid, 2).get((142, 36, 64), 0), 100, "[...] on dark crimson")
        self.assertGreater(self.row_colours(xid, 3).get((28, 48, 70), 0), 100, "# on dark blue")
        self.assertIn((197, 134, 192), self.row_colours(xid, 4), "[EOF]")

    def test_high_contrast_keeps_links_underlined_and_the_missing_part_visible(self):
        xid = self.show("--scheme", "contrast", "--missing", "1", "16", "23", text=SAMPLE)
        link, grey = (255, 255, 0), (63, 242, 63)
        wait_until(lambda: link in self.row_colours(xid, 1), timeout=5)
        screenshot(xid, os.path.join(tempfile.gettempdir(), "pathbook-view-contrast.png"))
        plain = self.row_colours(xid, 0)
        self.assertEqual(max(plain, key=plain.get), (0, 0, 0), "the window colour")
        self.assertIn((255, 255, 255), plain, "the window text colour")
        link_row = self.row_colours(xid, 1)
        self.assertIn(grey, link_row, "the missing part in grey text")
        self.assertNotIn(FILE_NAME, link_row, "no tinted fills")
        self.assertNotIn(COMMENT, self.row_colours(xid, 3))
        height = state(xid)["height"]
        # The underline: a line of link colour along the bottom of the link's row.
        underline = max(self.strip(xid, 1, y, 1).get(link, 0) for y in range(height // 2, height))
        self.assertGreater(underline, 40, "the link is underlined")
        # The strike-out: a line of grey through the middle of the missing part.
        strike = max(self.strip(xid, 1, y, 1).get(grey, 0) for y in range(height // 4, 3 * height // 4))
        self.assertGreater(strike, 30, "the missing part is struck out")
        self.assertGreater(self.row_colours(xid, 2).get((26, 235, 255), 0), 100, "[...] in the highlight colour")


class TypingTest(ViewTestCase):
    def test_a_keystroke_repaints_only_its_row(self):
        out = subprocess.run(["wine", VIEW_HOST, "--lines", "1000", "--keys", "80"], capture_output=True, text=True,
                             timeout=120).stdout
        match = re.search(r"invalid (\d+) row (\d+)", out)
        self.assertIsNotNone(match, out)
        self.assertEqual(match.group(1), match.group(2), "the tallest area a letter left invalid is one row")


class ScrollTest(ViewTestCase):
    def test_thumb_dragged_to_the_bottom_reaches_the_last_line(self):
        xid = self.show("--lines", "100000")
        info = state(xid)
        self.assertEqual(info["rows"], 100000)
        width, height = geometry(xid)
        bar_x = width - FRAME - 9
        # The thumb sits right below the up arrow. It is dragged in small steps
        # to the down arrow: a pointer far outside the bar puts the thumb back.
        subprocess.run(["xdotool", "mousemove", "--window", str(xid), str(bar_x), "23", "mousedown", "1"],
                       timeout=30, check=True)
        for _ in range((height - 30 - 23) // 20):
            subprocess.run(["xdotool", "mousemove_relative", "0", "20"], timeout=30, check=True)
        subprocess.run(["xdotool", "mouseup", "1"], timeout=30, check=True)
        final = wait_until(lambda: (lambda s: s if s["top"] == s["maxtop"] else None)(state(xid)), timeout=5)
        self.assertIsNotNone(final, "the thumb at the bottom shows the last line: %r" % state(xid))
        screenshot(xid, os.path.join(tempfile.gettempdir(), "pathbook-view-bottom.png"))
        self.assertIn(MARK, self.row_colours(xid, 0), "the last row with \"[EOF]\" is at the top")

    def test_wheel_scrolls_three_rows_a_notch(self):
        xid = self.show("--lines", "1000")
        subprocess.run(["xdotool", "mousemove", "--window", str(xid), "100", "100", "click", "5", "click", "5"],
                       timeout=30, check=True)
        self.assertTrue(wait_until(lambda: state(xid)["top"] == 6, timeout=5), "top row %d" % state(xid)["top"])
        subprocess.run(["xdotool", "click", "4"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: state(xid)["top"] == 3, timeout=5), "top row %d" % state(xid)["top"])


class WrapTest(ViewTestCase):
    def test_resize_wraps_again_at_the_window_edge(self):
        xid = self.show("--wrap", "0", "--size", "800x400", text="word " * 200 + "\r\nshort")
        # The same X size as the one returned to below: --size is the frame's, this the client's.
        subprocess.run(["xdotool", "windowsize", str(xid), "800", "400"], timeout=30, check=True)
        wait_until(lambda: geometry(xid) == (800, 400), timeout=5)
        time.sleep(0.5)
        wide = state(xid)["rows"]
        subprocess.run(["xdotool", "windowsize", str(xid), "400", "400"], timeout=30, check=True)
        narrow = wait_until(lambda: (lambda r: r if r > wide else None)(state(xid)["rows"]), timeout=5)
        self.assertIsNotNone(narrow, "a narrower window breaks the long line into more rows")
        subprocess.run(["xdotool", "windowsize", str(xid), "800", "400"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: state(xid)["rows"] == wide, timeout=5), "the old width, the old rows")


if __name__ == "__main__":
    unittest.main()
