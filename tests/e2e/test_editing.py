"""Writing notes in the real view of Pathbook.exe, with real keyboard input:
typing, overwrite, undo and redo, selection by keys, and the real clipboard
(text and shell file lists)."""

from harness import PathbookTestCase, editor_lines, probe, send_keys, wait_until


class EditingTest(PathbookTestCase):
    def test_typing_overwrite_and_undo(self):
        _, title, window = self.open_note("t.txt", b"abc")
        send_keys(title, "x", "y")
        modified = title.replace(" - ", " * - ", 1)
        self.wait_for_title(modified)
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xyabc"), editor_lines(window))
        send_keys(modified, "Insert", "Z", "Insert", "Return")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xyZ\nbc"), "overwrite, then insert again")
        send_keys(modified, "ctrl+z", "ctrl+z", "ctrl+z", "ctrl+z")
        self.wait_for_title(title)
        self.assertEqual(editor_lines(window), "abc", "undone back to the saved text")
        send_keys(title, "ctrl+y")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xabc"), "redo")

    def test_shift_arrows_select_and_the_clipboard_carries_the_copy(self):
        _, title, window = self.open_note("s.txt", b"alpha beta\r\n")
        send_keys(title, "shift+Right", "shift+Right", "shift+Right", "ctrl+c", "ctrl+End", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\nalp"), editor_lines(window))
        modified = title.replace(" - ", " * - ", 1)
        send_keys(modified, "shift+Home", "ctrl+x")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\n"), "Ctrl+X cuts the selection")
        send_keys(modified, "ctrl+v", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\nalpalp"), "the cut text pastes")

    def test_pasting_a_file_list_gives_links(self):
        _, title, window = self.open_note("p.txt", b"")
        probe("dropfiles", "C:\\a.txt", "C:\\folder\\b c.txt")
        send_keys(title, "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "<C:\\a.txt>\n<C:\\folder\\b c.txt>\n"),
                        editor_lines(window))
