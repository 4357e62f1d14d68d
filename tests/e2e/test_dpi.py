"""Pathbook.exe at 96, 144 and 192 DPI (the LogPixels setting of the Wine
prefix, put back afterwards): the manifest's per-monitor awareness (read from
the file: Wine scales no window, aware or not), and the sizes that follow the
DPI, measured from outside: the row height (the caret's height), where a click
on a character puts the caret, the status bar's part edges, the toolbar's
buttons; and WM_DPICHANGED, as moving to another monitor sends it. Screenshots
go to $PATHBOOK_SHOTS (default: the temporary folder)."""

import subprocess

from harness import (EXE, PathbookTestCase, keep_screenshot, numbers, probe, send_keys, start_wineserver_again,
                     wait_until, windows_path, x_windows_named)

LINE = "x" * 20 + " <C:\\notes\\file.txt> end\r\n"
FONTS_KEY = "HKCC\\Software\\Fonts"


def set_log_pixels(dpi):
    """The prefix's system DPI; the Wine processes start again to read it."""
    subprocess.run(["wine", "reg", "add", FONTS_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"],
                   capture_output=True, timeout=60, check=True)
    start_wineserver_again()


class Metrics:
    """What a user's eye and the mouse see of one window."""

    def __init__(self, window, title):
        handle = str(window.handle)
        (self.dpi,) = numbers(probe("dpi", handle))
        send_keys(title, "Home")
        caret = wait_until(lambda: numbers(probe("caretrect", handle)) or None)
        self.row = caret[3] - caret[1]
        self.caret_width = caret[2] - caret[0]
        self.parts = numbers(probe("parts", handle))
        home = numbers(probe("buttonrect", handle, "30001"))
        self.button_height = home[3] - home[1]
        left, top, _, _ = numbers(probe("viewrect", handle))
        # The width of "x" from the caret after ten of them.
        send_keys(title, *["Right"] * 10)
        after_ten = wait_until(lambda: (lambda c: c if c and c[0] > 0 else None)(numbers(probe("caretrect", handle))))
        self.x_width = after_ten[0] // 10
        # A click a pixel left of the fifth letter's right edge puts the caret after it.
        click = (left + 5 * self.x_width - 1, top + self.row // 2)
        subprocess.run(["xdotool", "mousemove", str(click[0]), str(click[1]), "click", "1"], timeout=30, check=True)
        clicked = wait_until(lambda: (lambda c: c if c and c[0] != after_ten[0] else None)(
            numbers(probe("caretrect", handle))))
        self.clicked_x = clicked[0] if clicked else None


class DpiTest(PathbookTestCase):
    def setUp(self):
        super().setUp()
        self.addCleanup(set_log_pixels, 96)

    def measure(self, dpi):
        set_log_pixels(dpi)
        _, title, window = self.open_note("dpi%d.txt" % dpi, LINE.encode("ascii") * 3)
        metrics = Metrics(window, title)
        keep_screenshot(x_windows_named(title)[0], "pathbook-dpi-%d" % dpi)
        probe("closeall")
        wait_until(lambda: not x_windows_named(title))
        return metrics

    def test_sizes_follow_the_dpi_at_96_144_and_192(self):
        seen = {dpi: self.measure(dpi) for dpi in (96, 144, 192)}
        base = seen[96]
        for dpi, m in seen.items():
            scale = dpi / 96
            with self.subTest(dpi=dpi):
                self.assertEqual(m.dpi, dpi)
                self.assertAlmostEqual(m.row, base.row * scale, delta=2 + scale, msg="the row height")
                self.assertEqual(m.caret_width, round(2 * scale), "the insert caret")
                self.assertAlmostEqual(m.x_width, base.x_width * scale, delta=1.5, msg="the width of \"x\"")
                self.assertEqual(m.clicked_x, 5 * m.x_width, "a click just inside the fifth letter's right edge")
                self.assertAlmostEqual(m.parts[2] - m.parts[1], (base.parts[2] - base.parts[1]) * scale,
                                       delta=3 * scale, msg="part 2 holds \"BBBBM\" in the bar's font")
                self.assertAlmostEqual(m.button_height, base.button_height * scale, delta=4 * scale,
                                       msg="the toolbar's buttons")

    def test_the_manifest_declares_per_monitor_awareness(self):
        manifest = probe("manifest", windows_path(EXE))
        self.assertRegex(manifest, r"<dpiAwareness[^>]*>\s*PerMonitorV2\b")
        self.assertRegex(manifest, r"<dpiAware[^>]*>\s*true/pm\s*<")

    def test_a_move_to_a_monitor_of_another_dpi_rescales(self):
        _, title, window = self.open_note("move.txt", LINE.encode("ascii"))
        handle = str(window.handle)
        send_keys(title, "Home")
        before = numbers(probe("caretrect", handle))
        parts_before = numbers(probe("parts", handle))
        probe("dpichanged", handle, "192")
        after = wait_until(lambda: (lambda c: c if c and c[3] - c[1] > before[3] - before[1] else None)(
            numbers(probe("caretrect", handle))))
        self.assertIsNotNone(after, "the view rebuilds its fonts for the new DPI")
        self.assertAlmostEqual(after[3] - after[1], 2 * (before[3] - before[1]), delta=3)
        self.assertEqual(after[2] - after[0], 4, "the insert caret doubles too")
        parts_after = numbers(probe("parts", handle))
        self.assertGreater(parts_after[2] - parts_after[1], 1.6 * (parts_before[2] - parts_before[1]),
                           "the status bar measures its parts in a font for 192 DPI")
        keep_screenshot(x_windows_named(title)[0], "pathbook-dpi-changed-192")
