"""Writing notes in the real view of Pathbook.exe, with real keyboard input:
typing, overwrite, undo and redo, selection by keys, the real clipboard (text
and shell file lists, and both together); the edit-control messages of tools;
the caret kept in view by an input method's composition and by resizing."""

import subprocess

from harness import PathbookTestCase, editor_lines, modified, probe, rect, send_keys, wait_until, x_windows_named


class EditingTest(PathbookTestCase):
    def test_typing_overwrite_and_undo(self):
        _, title, window = self.open_note("t.txt", b"abc")
        send_keys(title, "x", "y")
        self.wait_for_title(modified(title))
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xyabc"), editor_lines(window))
        send_keys(modified(title), "Insert", "Z", "Insert", "Return")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xyZ\nbc"), "overwrite, then insert again")
        send_keys(modified(title), "ctrl+z", "ctrl+z", "ctrl+z", "ctrl+z")
        self.wait_for_title(title)
        self.assertEqual(editor_lines(window), "abc", "undone back to the saved text")
        send_keys(title, "ctrl+y")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "xabc"), "redo")

    def test_shift_arrows_select_and_the_clipboard_carries_the_copy(self):
        _, title, window = self.open_note("s.txt", b"alpha beta\r\n")
        send_keys(title, "shift+Right", "shift+Right", "shift+Right", "ctrl+c", "ctrl+End", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\nalp"), editor_lines(window))
        send_keys(modified(title), "shift+Home", "ctrl+x")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\n"), "Ctrl+X cuts the selection")
        send_keys(modified(title), "ctrl+v", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha beta\nalpalp"), "the cut text pastes")

    def test_a_file_list_pastes_as_links_and_text_with_files_as_two_steps(self):
        _, title, window = self.open_note("p.txt", b"")
        probe("dropfiles", "C:\\a.txt", "C:\\folder\\b c.txt")
        send_keys(title, "ctrl+v")
        links = "<C:\\a.txt>\n<C:\\folder\\b c.txt>\n"
        self.assertTrue(wait_until(lambda: editor_lines(window) == links), editor_lines(window))
        probe("cliptextfiles", "text ", "C:\\a.txt", "C:\\b.txt")
        send_keys(modified(title), "ctrl+v")
        both = links + "text <C:\\a.txt>\n<C:\\b.txt>\n"
        self.assertTrue(wait_until(lambda: editor_lines(window) == both), editor_lines(window))
        send_keys(modified(title), "ctrl+z")
        self.assertTrue(wait_until(lambda: editor_lines(window) == links + "text "),
                        "the file list was a step of its own")


def caret_in_view(window):
    """Whether the system caret lies inside the view's client area."""
    return probe("caret", str(window.handle)).split()[:1] == ["1"]


class EditControlTest(PathbookTestCase):
    """What tools send an edit control, and the clipboard, the input method and
    resizing in the real window."""

    def test_edit_messages_reach_the_editor(self):
        _, title, window = self.open_note("msg.txt", b"alpha")
        handle = str(window.handle)
        send_keys(title, "ctrl+a")
        self.assertEqual(probe("editmsg", handle, "769", "0").strip(), "0")  # WM_COPY
        self.assertTrue(wait_until(lambda: probe("clipboard") == "alpha"), "WM_COPY copies the selection")
        probe("editmsg", handle, "768", "0")  # WM_CUT
        self.assertTrue(wait_until(lambda: editor_lines(window) == ""), "WM_CUT cuts it")
        self.assertEqual(probe("editmsg", handle, "198", "0").strip(), "1")  # EM_CANUNDO
        probe("editmsg", handle, "770", "0")  # WM_PASTE
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha"), "WM_PASTE pastes")
        self.assertEqual(probe("editmsg", handle, "772", "0").strip(), "1")  # WM_UNDO
        self.assertTrue(wait_until(lambda: editor_lines(window) == ""), "WM_UNDO undoes the paste")
        self.assertEqual(probe("editmsg", handle, "199", "0").strip(), "1")  # EM_UNDO
        self.assertTrue(wait_until(lambda: editor_lines(window) == "alpha"), "EM_UNDO undoes the cut")
        self.assertEqual(probe("editmsg", handle, "207", "1").strip(), "1")  # EM_SETREADONLY on
        locked = self.wait_for_title(title + " (編集禁止)")
        self.assertEqual(probe("editmsg", handle, "198", "0").strip(), "0", "nothing to undo while read-only")
        send_keys(locked.title, "x")
        self.assertEqual(editor_lines(window), "alpha", "typing is refused")
        self.assertEqual(probe("editmsg", handle, "207", "0").strip(), "1")  # EM_SETREADONLY off
        self.wait_for_title(title)

    def test_a_smaller_window_and_a_composition_bring_the_caret_into_view(self):
        lines = b"".join(b"line %d\r\n" % i for i in range(300))
        _, title, window = self.open_note("caret.txt", lines)
        send_keys(title, "ctrl+Next", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down")
        self.assertTrue(wait_until(lambda: caret_in_view(window)))
        (xid,) = x_windows_named(title)
        subprocess.run(["xdotool", "windowsize", str(xid), "600", "250"], timeout=30, check=True)
        self.assertTrue(wait_until(lambda: (lambda r: r[3] - r[1] < 400)(rect("rect", str(window.handle)))),
                        "the window shrank")
        self.assertTrue(wait_until(lambda: caret_in_view(window)), "the view scrolled to keep the caret")
        left, top, right, bottom = rect("viewrect", str(window.handle))
        wheel_down = ["xdotool", "mousemove", str((left + right) // 2), str((top + bottom) // 2), "click", "--repeat",
                      "30", "5"]
        for kind, message in (("start", "WM_IME_STARTCOMPOSITION"), ("composition", "WM_IME_COMPOSITION")):
            subprocess.run(wheel_down, timeout=60, check=True)
            self.assertTrue(wait_until(lambda: not caret_in_view(window)), "the wheel scrolled the caret away")
            probe("ime", str(window.handle), kind)
            self.assertTrue(wait_until(lambda: caret_in_view(window)), "%s shows the caret" % message)
