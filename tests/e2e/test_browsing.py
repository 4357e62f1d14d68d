"""Browsing notes like pages in the real Pathbook.exe: the history menu, back and
forward within one window and across instances, the home button and the
favourite shortcuts, dropped files, and how the messages between instances keep
every window's menus and buttons in step."""

import os
import time

from commands import IDM
from harness import (JA_ENV, PathbookTestCase, app_data, box_saying, bring_forward, click_at, click_button, drop_down,
                     editor_lines, main_windows, no_menu_on_show, popups, post_command, press, probe, rect,
                     running_instances, send_keys, shoot, toolbar, wait_until, windows_path, write_file, write_settings)

EN, JA = " - Pathbook", " - パスブック"  # the titles' ends
ROW = 22  # the default type's row height under Wine (DejaVu Sans Mono, 96 DPI)
ENABLED = 4  # toolbar button state bits
INDETERMINATE = 16


def click_link(window):
    """A click on the link that each note here starts its first line with, after "see <"."""
    left, top, _, _ = wait_until(lambda: rect("viewrect", str(window.handle)))
    click_at(left + 80, top + ROW // 2)


def button_state(window, button):
    """The button's state bits; 0 when a read of the toolbar comes back without it, so that a wait asks again."""
    return toolbar(window).get(button, (0,))[0]


class BrowsingTest(PathbookTestCase):
    def note(self, name, link_to=None):
        """A note, whose first line links to the note `link_to` when given; its Wine path."""
        text = "see <%s>\r\n" % windows_path(os.path.join(self.folder, link_to)) if link_to else "text\r\n"
        return windows_path(write_file(os.path.join(self.folder, name), text.encode()))

    def follow_link(self, window, target, suffix=EN):
        """Clicks the link in `window`; the window (this one or another) that then shows `target`."""
        click_link(window)
        return self.wait_for_title(target + suffix)

    def open_recent(self, window, digit):
        """File > Recent Files > the item numbered `digit`, by keyboard, in the English menu."""
        send_keys(window.title, "alt+f", "e", digit)

    def exit(self, window):
        """Exit, and the process gone: it writes its settings after its window closes."""
        post_command(window, IDM.EXIT)
        self.assertTrue(wait_until(lambda: not main_windows(visible_only=False) and not running_instances()))

    def test_history_menu_lists_what_was_opened_most_recent_first_and_survives_a_restart(self):
        write_settings(OpenSame=1)
        b = self.note("b.txt")
        a = self.note("a.txt", link_to="b.txt")
        self.start(a)
        window = self.follow_link(self.wait_for_title(a + EN), b)
        self.assertEqual(len(main_windows()), 1, "OpenSame keeps one window")
        # The history is b, a: item 1 is a.
        send_keys(window.title, "alt+f", "e")
        shoot("recent-files-en")
        press("1")
        window = self.wait_for_title(a + EN)
        self.exit(window)
        # Started without a file, the program opens the most recent entry.
        self.start()
        window = self.wait_for_title(a + EN)
        self.exit(window)
        self.start("-n")
        window = self.wait_for_title("untitled" + EN)
        # Reopening a put it first: item 1 is now b.
        self.open_recent(window, "1")
        self.wait_for_title(b + EN)

    def test_back_and_forward_in_one_window_and_a_failed_jump_keeps_the_chain(self):
        write_settings(OpenSame=1)
        c = self.note("c.txt")
        b = self.note("b.txt", link_to="c.txt")
        a = self.note("a.txt", link_to="b.txt")
        self.start(a)
        window = self.wait_for_title(a + EN)
        self.assertFalse(button_state(window, IDM.BACK) & ENABLED)
        window = self.follow_link(window, b)
        window = self.follow_link(window, c)
        self.assertTrue(button_state(window, IDM.BACK) & ENABLED)
        self.assertFalse(button_state(window, IDM.FORWARD) & ENABLED)
        click_button(window, IDM.BACK)
        window = self.wait_for_title(b + EN)
        click_button(window, IDM.BACK)
        window = self.wait_for_title(a + EN)
        self.assertFalse(button_state(window, IDM.BACK) & ENABLED, "a is the first page")
        self.assertTrue(button_state(window, IDM.FORWARD) & ENABLED)
        click_button(window, IDM.FORWARD)
        window = self.wait_for_title(b + EN)
        self.assertEqual(len(main_windows()), 1)
        # The history is b, a, c. Jumping to a, which has gone, fails and leaves the chain a, b, c.
        os.remove(os.path.join(self.folder, "a.txt"))
        self.open_recent(window, "1")
        self.dismiss(box_saying("Could not open the file."))
        self.assertEqual(main_windows()[0].title, b + EN)
        self.assertTrue(wait_until(lambda: button_state(window, IDM.BACK) & ENABLED), "＜ still leads to a")
        self.assertTrue(button_state(window, IDM.FORWARD) & ENABLED, "＞ still leads to c")

    def test_back_across_two_instances_brings_the_other_forward(self):
        b = self.note("b.txt")
        a = self.note("a.txt", link_to="b.txt")
        self.start(a)
        first = self.wait_for_title(a + EN)
        # A window showing a note of its own hands the linked one to a new process.
        second = self.follow_link(first, b)
        self.assertNotEqual(second.handle, first.handle)
        self.assertTrue(wait_until(lambda: editor_lines(second) == "text\n"), editor_lines(second))
        self.assertTrue(wait_until(lambda: button_state(first, IDM.FORWARD) & ENABLED),
                        "the first window's ＞ follows the second window's visit")
        self.assertTrue(button_state(second, IDM.BACK) & ENABLED, "the chain is shared")
        click_button(second, IDM.BACK)
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle == first.handle for w in main_windows())),
                        "the window showing a comes forward")
        time.sleep(1)
        self.assertEqual(len(main_windows()), 2, "no third window")
        post_command(first, IDM.FORWARD)
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle == second.handle for w in main_windows())))
        self.assertEqual(len(main_windows()), 2)
        # a's window closes and a goes: a history jump to it from b fails here, with no new window,
        # and ＜ still leads to a.
        post_command(first, IDM.EXIT)
        self.wait_for_windows(1)
        os.remove(os.path.join(self.folder, "a.txt"))
        self.open_recent(second, "1")
        self.dismiss(box_saying("Could not open the file."))
        time.sleep(1)
        self.assertEqual([w.title for w in main_windows()], [b + EN])
        self.assertTrue(wait_until(lambda: button_state(second, IDM.BACK) & ENABLED), "＜ still leads to a")

    def test_home_without_a_home_page_drops_its_menu_and_add_to_favourites_makes_one(self):
        write_settings(OpenSame=1)
        b = self.note("b.txt")
        a = self.note("a.txt", link_to="b.txt")
        self.start(a, env=JA_ENV)
        window = self.wait_for_title(a + JA)
        self.assertTrue(button_state(window, IDM.HOME) & INDETERMINATE, "no home page yet")
        left, _, right, bottom = drop_down(window, IDM.HOME, where=0.3)
        shoot("home-menu-ja")
        # The last item, below "(no files)" and the separator: お気に入りに追加.
        click_at((left + right) // 2, bottom - 10)
        window = self.wait_for_title("ホーム > a.txt" + JA)
        with open(os.path.join(app_data(), "DocList.txt"), "rb") as f:
            data = f.read()
        self.assertFalse(data.startswith(b"\xff\xfe"), "no byte-order mark")
        lines = data.decode("utf-16-le").split("\r")
        self.assertEqual(lines[0], "")
        code, path = lines[1].split(",", 1)
        self.assertEqual(path, a)
        self.assertRegex(code, r"^-?\d+$")
        self.assertEqual(lines[2:], [""], "every line ends with CR, LF nowhere: %r" % data)
        self.assertTrue(button_state(window, IDM.HOME) & INDETERMINATE, "the home page is on show")
        # With the home page on show, ホーム drops its menu too (お気に入りに追加 greyed: a is listed).
        drop_down(window, IDM.HOME, where=0.3)
        shoot("home-menu-on-home-ja")
        press("Escape")
        self.assertTrue(no_menu_on_show())
        # Another page: ホーム is live, and Ctrl+1 opens the home page (a jump).
        window = self.follow_link(window, b, JA)
        self.assertTrue(wait_until(lambda: not button_state(window, IDM.HOME) & INDETERMINATE))
        send_keys(window.title, "ctrl+1")
        self.wait_for_title("ホーム > a.txt" + JA)
        self.assertEqual(len(main_windows()), 1)

    def test_a_file_dropped_on_the_window_opens(self):
        a = self.note("a.txt")
        self.start()
        window = self.wait_for_title("untitled" + EN)
        # An untitled document is not added to the favourites, and nobody is told of it.
        post_command(window, IDM.ADD_FAVORITE)
        time.sleep(0.5)
        self.assertEqual(popups(), [])
        self.assertFalse(os.path.exists(os.path.join(app_data(), "DocList.txt")))
        probe("drop", str(window.handle), a)
        window = self.wait_for_title(a + EN)
        self.assertEqual(window.handle, main_windows()[0].handle)
        # A second file, dropped on a window that shows one, opens in a new one.
        b = self.note("b.txt")
        probe("drop", str(window.handle), b)
        self.wait_for_title(b + EN)
        self.assertEqual(len(main_windows()), 2)

    def test_broadcasts_keep_the_other_instance_in_step(self):
        a = self.note("a.txt")
        b = self.note("b.txt")
        self.start(a, env=JA_ENV)
        first = self.wait_for_title(a + JA)
        self.assertFalse(button_state(first, IDM.FORWARD) & ENABLED)
        self.start(b, env=JA_ENV)
        second = self.wait_for_title(b + JA)
        self.assertTrue(wait_until(lambda: button_state(first, IDM.FORWARD) & ENABLED), "＞ follows the new visit")
        # The first window's history menu lists b, opened after it, first: item 0 brings b's window forward.
        bring_forward(first)
        _, top, _, bottom = drop_down(first, IDM.HISTORY_BUTTON)
        listed_height = bottom - top
        shoot("history-menu-ja")
        press("0")
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle == second.handle for w in main_windows())))
        self.assertEqual(len(main_windows()), 2)
        # Clearing the history in the second window empties the first one's menu to "(no files)".
        post_command(second, IDM.CLEAR_HISTORY)
        time.sleep(0.5)
        bring_forward(first)
        _, top, _, bottom = drop_down(first, IDM.HISTORY_BUTTON)
        shoot("history-menu-cleared-ja")
        self.assertLess(bottom - top, listed_height, "one item fewer")
        press("Escape")
        self.assertTrue(no_menu_on_show())
        # An empty home drop-down has the same three rows: "(no files)", a separator, one command.
        _, home_top, _, home_bottom = drop_down(first, IDM.HOME, where=0.9)
        self.assertEqual(home_bottom - home_top, bottom - top)
        press("Escape")
        self.assertTrue(no_menu_on_show())
        # Adding b to the favourites in the second window lights up the first one's ホーム.
        self.assertTrue(button_state(first, IDM.HOME) & INDETERMINATE)
        post_command(second, IDM.ADD_FAVORITE)
        self.wait_for_title("ホーム > b.txt" + JA)
        self.assertTrue(wait_until(lambda: not button_state(first, IDM.HOME) & INDETERMINATE))

