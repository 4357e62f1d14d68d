"""The notebook in the real Pathbook.exe: Links Here on a note linked from a
Shift_JIS, an EUC-JP and a UTF-8 note lands on each link, from its dialog and
from the toolbar's drop-down; Search notes finds a
word in all three and selects it; Check links counts the broken links of a
note and the next-broken-link key walks them; the dialogs in both languages.
The Japanese notes are read where Japanese is the system's language (code
page 932), as a Japanese user's editor reads them. The index follows a note
saved in another window."""

import os

from commands import IDM
from harness import (JA, JA_ENV, PathbookTestCase, bring_forward, controls, drop_down, keep_screenshot, main_windows,
                     modified, popup_titled, post_command, press, send_keys, shoot, status, title_of, type_text,
                     wait_until, x_windows_named)

SEARCH_JA = "ノートを検索"
COUNT = 1301
# (file, bytes): each links to target.txt and holds "kiwi" in its own case.
# Enough Japanese text that each encoding is detected for what it is.
PROSE = "日本語のノートです。東京と大阪の天気を書きます。"
LINKING = [
    ("euc.txt", ("%s\r\nここから <.\\target.txt> KIWI\r\n" % PROSE).encode("euc_jp")),
    ("sjis.txt", ("%s Kiwi <.\\target.txt>\r\n" % PROSE).encode("shift_jis")),
    ("utf8.txt", "first\r\nsecond\r\n  see <.\\target.txt> and kiwi\r\n".encode("utf-8")),
]


class NotebookTest(PathbookTestCase):
    def show_target(self, path):
        """Starts Pathbook on the target note; its window once the index holds all four notes."""
        window = self.show(path, env=JA_ENV)[1]
        self.assertTrue(wait_until(lambda: status(window)[0][0] == "ノートブック: 4 個のノート", timeout=40),
                        status(window)[0])
        return window

    def close(self, window):
        post_command(window, IDM.EXIT)
        self.assertTrue(wait_until(lambda: window.handle not in [w.handle for w in main_windows()]))

    def dialog(self, window, command, caption, count_text):
        """Opens a notebook dialog with `command` once the index holds what it needs."""
        seen = []

        def shown():
            post_command(window, command)
            box = popup_titled(caption, timeout=5)
            seen.append(box and controls(box).get(COUNT))
            if box is not None and seen[-1] == count_text:
                return box
            if box is not None:
                send_keys(caption, "Escape")
                wait_until(lambda: popup_titled(caption, timeout=0) is None)
            return None
        box = wait_until(shown, timeout=40, interval=0.5)
        self.assertIsNotNone(box, "%s says %r, not %r" % (caption, count_text, seen[-1:]))
        return box

    def shot(self, caption, name):
        keep_screenshot(wait_until(lambda: x_windows_named(caption))[0], name)

    def test_links_here_and_search_notes_land_on_each_link_and_each_word(self):
        for name, data in LINKING:
            self.note(name, data)
        path = self.note("target.txt", b"the target\r\n")
        window = self.show_target(path)
        for row, (name, _) in enumerate(LINKING):
            self.dialog(window, IDM.LINKS_HERE, "このノートへのリンク", "3 個のノートから 3 個のリンク")
            if row == 0:
                self.shot("このノートへのリンク", "notebook-links-here-ja")
            send_keys("このノートへのリンク", *(["Down"] * row + ["Return"]))
            landed = self.wait_for_title(title_of(os.path.join(self.folder, name), name=JA))
            send_keys(landed.title, "shift+End")
            self.assertTrue(self.selection(landed.title).startswith(".\\target.txt>"), name)
            # The linking note took the target's place in the window: the target comes back in one of its own.
            self.close(landed)
            window = self.show_target(path)
        # The toolbar's drop-down lists the same links in the same order: the second is the Shift_JIS note's.
        bring_forward(window)
        drop_down(window, IDM.LINKS_HERE_BUTTON)
        shoot("notebook-links-here-menu-ja")
        press("Down", "Down", "Return")
        window = self.wait_for_title(title_of(os.path.join(self.folder, "sjis.txt"), name=JA))
        send_keys(window.title, "shift+End")
        self.assertTrue(self.selection(window.title).startswith(".\\target.txt>"))
        for row, (name, data) in enumerate(LINKING):
            send_keys(window.title, "ctrl+shift+f")
            self.assertIsNotNone(popup_titled(SEARCH_JA))
            # Over the word of the search before: the dialog keeps it.
            send_keys(SEARCH_JA, "End", "shift+Home", "k", "i", "w", "i", "Return")
            box = wait_until(lambda: (lambda b: b if b and controls(b).get(COUNT) == "3 個のノートに 3 件" else None)(
                popup_titled(SEARCH_JA, timeout=0)), timeout=40)
            self.assertIsNotNone(box, "three matches, one in each note")
            if row == 0:
                self.shot(SEARCH_JA, "notebook-search-ja")
            send_keys(SEARCH_JA, *(["Down"] * row + ["Return"]))
            window = self.wait_for_title(title_of(os.path.join(self.folder, name), name=JA))
            expected = [w for w in ("KIWI", "Kiwi", "kiwi") if w.encode("ascii") in data][0]
            self.assertEqual(self.selection(window.title), expected, name)

    def test_check_links_counts_and_walks_the_broken_ones(self):
        self.note("there.txt")
        os.mkdir(os.path.join(self.folder, "sub"))
        self.note(os.path.join("sub", "also.txt"))
        _, title, window = self.open_note(
            "links.txt", b"<.\\there.txt> <.\\missing.txt>\r\n<.\\sub\\also.txt>\r\n<.\\sub\\gone.txt> <.\\sub>\r\n")
        send_keys(title, "ctrl+shift+k")
        self.assertTrue(wait_until(lambda: status(window)[0][0] == "2 of 5 links are broken"), status(window)[0])
        self.shot(title, "notebook-check-links")
        send_keys(title, "ctrl+Home", "F8", "shift+End")
        self.assertEqual(self.selection(title), ".\\missing.txt>")
        send_keys(title, "F8", "shift+End")
        self.assertEqual(self.selection(title), ".\\sub\\gone.txt> <.\\sub>")
        send_keys(title, "F8", "shift+End")
        self.assertEqual(self.selection(title), ".\\missing.txt>", "it wraps around")

    def test_the_dialogs_in_english_and_an_index_that_follows_a_note_saved_in_another_window(self):
        self.note("utf8.txt", LINKING[2][1])
        _, title, window = self.open_note("target.txt", b"the target\r\n")
        box = self.dialog(window, IDM.LINKS_HERE, "Links Here", "1 link from 1 note")
        self.assertEqual(controls(box)[1], "&Open")
        self.shot("Links Here", "notebook-links-here")
        send_keys("Links Here", "Escape")
        send_keys(title, "ctrl+shift+f")
        box = popup_titled("Search Notes")
        self.assertIsNotNone(box)
        self.assertEqual([controls(box)[c] for c in (1305, 1303, 1304)],
                         ["&Search", "&Ignore Case", "Regular E&xpression"])
        send_keys("Search Notes", "k", "i", "w", "i", "Return")
        self.assertTrue(wait_until(lambda: controls(popup_titled("Search Notes", timeout=0)).get(COUNT)
                                   == "1 match in 1 note", timeout=20))
        self.shot("Search Notes", "notebook-search")
        self.close_popup("Search Notes", "Escape")
        _, other_title, _ = self.open_note("new.txt", b"a new note\r\n")
        # "<" comes with its ">", the caret between them.
        send_keys(other_title, "ctrl+End", "less")
        type_text(".\\target.txt")
        send_keys(modified(other_title), "ctrl+s")
        self.wait_for_title(other_title)
        send_keys(title, "shift")  # back to the first window, which rechecks its notebook
        self.dialog(window, IDM.LINKS_HERE, "Links Here", "2 links from 2 notes")
        send_keys("Links Here", "Escape")
