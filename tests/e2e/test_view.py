"""The editor view alone (e2e-view-host.exe) under Wine with real GDI: what it
draws, checked on screenshots, and its scroll bars and wrapping, driven by
real mouse input."""

import os
import re
import subprocess
import tempfile
import time
import unittest

from harness import VIEW_HOST, colour_counts, keep_screenshot, wait_until, windows_path, x_geometry

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
    return x_geometry(xid)[2:]


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


# What the sample shows in each scheme: (arguments, the link's colour, a picture's name, and
# (row, colour, least pixels of it; 0: none at all, what that shows)).
SCHEMES = [
    (("--numbers",), LINK, "paint", [
        (1, FILE_NAME, 1, "the link's file name lies on light yellow"), (0, FILE_NAME, 0, "plain text has no fill"),
        (0, LINK, 0, "plain text is no link"), (2, CRIMSON, 101, "the [...] run lies on crimson"),
        (3, COMMENT, 101, "the # run lies on light blue"), (4, MARK, 1, "\"[EOF]\" follows the last line"),
        (3, MARK, 0, "\"[EOF]\" only after the last line")]),
    # Units 16..23 of line 1 are "win.ini>": the part whose target is missing.
    (("--missing", "1", "16", "23"), LINK, "missing", [
        (1, MISSING, 21, "the missing part is drawn in colour slot 3"),
        (1, FILE_NAME, 0, "a missing file name loses its light yellow")]),
    (("--scheme", "dark"), (120, 190, 255), "dark", [
        (0, (212, 212, 212), 1, "the text"), (1, (60, 56, 20), 1, "the file name's fill"),
        (1, FILE_NAME, 0, "no light fills"), (2, (142, 36, 64), 101, "[...] on dark crimson"),
        (3, (28, 48, 70), 101, "# on dark blue"), (4, (197, 134, 192), 1, "[EOF]")]),
    (("--scheme", "contrast", "--missing", "1", "16", "23"), (255, 255, 0), "contrast", [
        (0, (255, 255, 255), 1, "the window text colour"), (1, (63, 242, 63), 1, "the missing part in grey text"),
        (1, FILE_NAME, 0, "no tinted fills"), (3, COMMENT, 0, "no tinted fills"),
        (2, (26, 235, 255), 101, "[...] in the highlight colour")]),
]
BACKGROUNDS = {"dark": (30, 30, 30), "contrast": (0, 0, 0)}


class PaintTest(ViewTestCase):
    def test_links_highlights_end_mark_and_margin_in_each_scheme(self):
        for args, link, name, rows in SCHEMES:
            with self.subTest(name):
                xid = self.show(*args, text=SAMPLE)
                wait_until(lambda: link in self.row_colours(xid, 1), timeout=5)
                keep_screenshot(xid, "pathbook-view-" + name)
                self.assertIn(link, self.row_colours(xid, 1), "the link's colour")
                for row, colour, least, what in rows:
                    count = self.row_colours(xid, row).get(colour, 0)
                    self.assertTrue(count >= least if least else count == 0, "%s: %d pixels" % (what, count))
                if name in BACKGROUNDS:
                    plain = self.row_colours(xid, 0)
                    self.assertEqual(max(plain, key=plain.get), BACKGROUNDS[name], "the background")
                if name == "paint":
                    margin = colour_counts(xid, FRAME, FRAME, state(xid)["margin"], state(xid)["height"])
                    self.assertIn(LINK, margin, "line numbers are drawn in the link colour")
                if name == "contrast":
                    self.assert_underlined_and_struck_out(xid, link, (63, 242, 63))
                self.process.kill()
                self.process.wait(timeout=30)

    def assert_underlined_and_struck_out(self, xid, link, grey):
        """High contrast has no fills: a line of link colour along the bottom of the link's row, and a
        line of grey through the middle of its missing part, mark them."""
        height = state(xid)["height"]
        width, _ = geometry(xid)

        def most_in_one_pixel_row(colour, rows):
            return max(colour_counts(xid, FRAME, FRAME + height + y, width - 20 - FRAME, 1).get(colour, 0)
                       for y in rows)

        self.assertGreater(most_in_one_pixel_row(link, range(height // 2, height)), 40, "the link is underlined")
        self.assertGreater(most_in_one_pixel_row(grey, range(height // 4, 3 * height // 4)), 30,
                           "the missing part is struck out")


class TypingTest(ViewTestCase):
    def test_a_keystroke_repaints_only_its_row(self):
        out = subprocess.run(["wine", VIEW_HOST, "--lines", "1000", "--keys", "80"], capture_output=True, text=True,
                             timeout=120).stdout
        match = re.search(r"invalid (\d+) row (\d+)", out)
        self.assertIsNotNone(match, out)
        self.assertEqual(match.group(1), match.group(2), "the tallest area a letter left invalid is one row")


class ScrollTest(ViewTestCase):
    def test_the_wheel_scrolls_three_rows_a_notch_and_the_thumb_dragged_to_the_bottom_reaches_the_last_line(self):
        xid = self.show("--lines", "100000")
        self.assertEqual(state(xid)["rows"], 100000)
        subprocess.run(["xdotool", "mousemove", "--window", str(xid), "100", "100", "click", "5", "click", "5"],
                       timeout=30, check=True)
        self.assertTrue(wait_until(lambda: state(xid)["top"] == 6, timeout=5), "top row %d" % state(xid)["top"])
        subprocess.run(["xdotool", "click", "4"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: state(xid)["top"] == 3, timeout=5), "top row %d" % state(xid)["top"])
        width, height = geometry(xid)
        # The thumb sits right below the up arrow. It is dragged in small steps
        # to the down arrow: a pointer far outside the bar puts the thumb back.
        subprocess.run(["xdotool", "mousemove", "--window", str(xid), str(width - FRAME - 9), "23", "mousedown", "1"],
                       timeout=30, check=True)
        for _ in range((height - 30 - 23) // 20):
            subprocess.run(["xdotool", "mousemove_relative", "0", "20"], timeout=30, check=True)
        subprocess.run(["xdotool", "mouseup", "1"], timeout=30, check=True)
        final = wait_until(lambda: (lambda s: s if s["top"] == s["maxtop"] else None)(state(xid)), timeout=5)
        self.assertIsNotNone(final, "the thumb at the bottom shows the last line: %r" % state(xid))
        keep_screenshot(xid, "pathbook-view-bottom")
        self.assertIn(MARK, self.row_colours(xid, 0), "the last row with \"[EOF]\" is at the top")


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
