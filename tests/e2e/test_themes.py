"""Pathbook.exe follows Windows' colour choices: the dark mode for apps
(AppsUseLightTheme = 0 in the prefix's registry, put back afterwards), at start
and while running (WM_SETTINGCHANGE "ImmersiveColorSet"), checked on the
screen's pixels. (High contrast is drawn by the view host in test_view.py:
Wine cannot switch it on.)"""

import subprocess

from harness import PathbookTestCase, colour_counts, keep_screenshot, probe, rect, wait_until, x_windows_named

PERSONALIZE = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"
DARK_BACKGROUND, DARK_LINK = (30, 30, 30), (120, 190, 255)
LIGHT_BACKGROUND, LIGHT_LINK = (255, 255, 255), (0, 50, 200)


def apps_use_light_theme(value):
    if value is None:
        command = ["wine", "reg", "delete", PERSONALIZE, "/v", "AppsUseLightTheme", "/f"]
    else:
        command = ["wine", "reg", "add", PERSONALIZE, "/v", "AppsUseLightTheme", "/t", "REG_DWORD", "/d",
                   str(value), "/f"]
    subprocess.run(command, capture_output=True, timeout=60)


class DarkModeTest(PathbookTestCase):
    def view_colours(self, window):
        """Colours of the view's client area, from a screenshot of the screen."""
        left, top, right, bottom = rect("viewrect", str(window.handle))
        return colour_counts("root", left, top, right - left, bottom - top)

    def test_dark_mode_at_start_and_back_to_light_while_running(self):
        apps_use_light_theme(0)
        self.addCleanup(apps_use_light_theme, None)
        _, title, window = self.open_note("dark.txt", b"see <C:\\windows\\win.ini> here\r\n")
        dark = wait_until(lambda: (lambda c: c if DARK_LINK in c else None)(self.view_colours(window)))
        self.assertIsNotNone(dark, "the link in the dark palette's link colour")
        self.assertEqual(max(dark, key=dark.get), DARK_BACKGROUND)
        self.assertNotIn(LIGHT_LINK, dark)
        keep_screenshot(x_windows_named(title)[0], "pathbook-dark")
        apps_use_light_theme(1)
        probe("settingchange", str(window.handle), "ImmersiveColorSet")
        light = wait_until(lambda: (lambda c: c if LIGHT_LINK in c else None)(self.view_colours(window)))
        self.assertIsNotNone(light, "the light colours once Windows asks for them again")
        self.assertEqual(max(light, key=light.get), LIGHT_BACKGROUND)
        self.assertNotIn(DARK_LINK, light)
