"""Find & Replace and jump to line in the real Pathbook.exe: the modeless find
dialog driven by the keyboard, its messages, the selection it leaves (read
back through the clipboard), Replace All as one undo step, the options kept in
the settings file, and the jump dialog, in English and Japanese."""

from commands import IDM
from harness import (EN, JA, JA_ENV, PathbookTestCase, controls, editor_lines, labels, main_windows, modified,
                     popup_titled, popups, post_command, probe, read_bytes, read_setting, rect, send_keys, wait_until,
                     write_settings)

FIND_EN = "Find & Replace"
FIND_JA = "検索・置換"
FIND_TEXT, REPLACE_TEXT, IGNORE_CASE, REG_EXP = 1004, 1005, 1006, 1007


def centre(box):
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


class FindTestCase(PathbookTestCase):
    def dismiss_message(self, caption, text):
        """Checks the message box titled `caption` shows `text`, then closes it with Enter."""
        box = popup_titled(caption)
        self.assertIsNotNone(box, "a message box titled %r" % caption)
        self.assertIn(text, labels(box))
        self.close_popup(caption, "Return")

    def assert_centred_over(self, popup, window):
        (x, y), (main_x, main_y) = centre(rect("rect", str(popup[0]))), centre(rect("rect", str(window.handle)))
        self.assertLessEqual(abs(x - main_x), 2, "centred across the main window")
        self.assertLessEqual(abs(y - main_y), 2, "centred down the main window")


class FindTest(FindTestCase):
    def test_find_walks_the_matches_and_reports_not_found(self):
        _, title, window = self.open_note("walk.txt", b"ab1 xx ab2\r\nAB3 end\r\n")
        send_keys(title, "F3")
        dialog = popup_titled(FIND_EN)
        self.assertIsNotNone(dialog, "F3 before any search opens the find dialog")
        self.assertEqual(dialog[4], window.handle, "owned by the main window")
        self.assert_centred_over(dialog, window)
        texts = controls(dialog)
        for control, text in {3: "&Find", 1008: "Find&Prev", 4: "&Replace", 5: "Replace&All", 2: "Close",
                              IGNORE_CASE: "&Ignore Case", REG_EXP: "Regular E&xpression"}.items():
            self.assertEqual(texts[control], text)
        for label in ("&Text to Find:", "Replace &with:", "&Options"):
            self.assertIn(label, labels(dialog))
        # Alt+X ticks the regular-expression box; Enter presses Find.
        send_keys(FIND_EN, "a", "b", "bracketleft", "0", "minus", "9", "bracketright", "alt+x", "Return")
        self.assertTrue(wait_until(lambda: probe("checked", str(dialog[0]), str(REG_EXP)).strip() == "1"))
        send_keys(FIND_EN, "Return")
        self.close_popup(FIND_EN, "Escape")
        self.assertEqual(self.selection(title), "ab2", "two Finds select the second match")
        send_keys(title, "F3")
        self.assertEqual(self.selection(title), "AB3", "F3 goes on after the dialog closed; case is ignored")
        send_keys(title, "shift+F3")
        self.assertEqual(self.selection(title), "ab2", "Shift+F3 goes back")
        send_keys(title, "shift+F3")
        self.assertEqual(self.selection(title), "ab1")
        send_keys(title, "shift+F3")
        # The box has no caption of its own: the system's "Error".
        self.dismiss_message("Error", "Not Found.")
        self.assertEqual(self.selection(title), "ab1", "nothing found leaves the selection")
        self.assertEqual(editor_lines(window), "ab1 xx ab2\nAB3 end\n")
        # Opened over a selection the search does not find, the dialog proposes the selection.
        send_keys(title, "ctrl+End", "Up", "End", "shift+Left", "shift+Left", "shift+Left", "ctrl+f")
        dialog = popup_titled(FIND_EN)
        self.assertIsNotNone(dialog)
        self.assertEqual(controls(dialog)[FIND_TEXT], "end")
        self.assertEqual(probe("checked", str(dialog[0]), str(REG_EXP)).strip(), "1", "the options stay")

    def test_replace_all_counts_saves_and_undoes_in_one_step(self):
        path, title, window = self.open_note("all.txt", b"a X a\r\nbab\r\n")
        send_keys(title, "ctrl+h")
        self.assertIsNotNone(popup_titled(FIND_EN), "Ctrl+H opens the find dialog")
        send_keys(FIND_EN, "a", "Tab", "x", "y", "alt+a")
        self.dismiss_message(EN, "3 times Replaced.")
        self.assertIsNone(popup_titled(FIND_EN, timeout=0), "the dialog closes after replacing")
        self.wait_for_title(modified(title))
        self.assertEqual(editor_lines(window), "xy X xy\nbxyb\n")
        send_keys(modified(title), "ctrl+s")
        self.wait_for_title(title)
        self.assertEqual(read_bytes(path), b"xy X xy\r\nbxyb\r\n")
        send_keys(title, "ctrl+z")
        self.assertTrue(wait_until(lambda: editor_lines(window) == "a X a\nbab\n"), "one undo restores the text")
        # Nothing left to replace: the count is 0 and the dialog stays.
        send_keys(modified(title), "ctrl+f")
        send_keys(FIND_EN, "ctrl+a", "q", "alt+a")
        self.dismiss_message(EN, "0 times Replaced.")
        self.assertIsNotNone(popup_titled(FIND_EN, timeout=0))

    def test_no_editing_replace_only_selects_and_replace_all_changes_nothing(self):
        _, title, window = self.open_note("locked.txt", b"a1 A2\r\n")
        post_command(window, IDM.NO_EDITING)
        locked = title + " (編集禁止)"
        self.wait_for_title(locked)
        send_keys(locked, "ctrl+f")
        self.assertIsNotNone(popup_titled(FIND_EN))
        send_keys(FIND_EN, "a", "Tab", "z", "alt+r", "alt+r", "alt+a")
        # Ctrl+F in the main window raises the open dialog instead of making another.
        send_keys(locked, "ctrl+f")
        self.assertTrue(wait_until(lambda: not main_windows()[0].foreground), "the dialog comes to the front")
        self.assertEqual([p[2] for p in popups()].count(FIND_EN), 1)
        self.close_popup(FIND_EN, "Escape")
        self.assertEqual(self.selection(locked), "A", "Replace walked to the second match")
        self.assertEqual(editor_lines(window), "a1 A2\n")
        self.assertEqual(main_windows()[0].title, locked, "still unmodified")

    def test_options_follow_the_settings_and_are_written_at_exit(self):
        write_settings(SearchIgnoreCase=0, SearchRegExp=1)
        title = self.open_note("opts.txt", b"Abc\r\n")[1]
        send_keys(title, "ctrl+f")
        dialog = popup_titled(FIND_EN)
        self.assertIsNotNone(dialog)
        checked = lambda control: probe("checked", str(dialog[0]), str(control)).strip()
        self.assertEqual((checked(IGNORE_CASE), checked(REG_EXP)), ("0", "1"))
        send_keys(FIND_EN, "alt+i", "alt+x")
        self.assertTrue(wait_until(lambda: (checked(IGNORE_CASE), checked(REG_EXP)) == ("1", "0")))
        self.close_popup(FIND_EN, "alt+t", "a", "b", "c", "Return", "Escape")
        self.assertEqual(self.selection(title), "Abc", "the ticked box ignores case")
        self.exit_all()
        self.assertEqual((read_setting("SearchIgnoreCase"), read_setting("SearchRegExp")), ("1", "0"))


LONG = b"".join(b"line %d\r\n" % n for n in range(1, 1001))


class JumpTest(FindTestCase):
    def assert_typing_lands_on(self, title, window, line):
        caret = wait_until(lambda: probe("caret", str(window.handle)).split(), timeout=10)
        self.assertEqual(caret[0], "1", "the caret lies inside the view")
        send_keys(title, "Q")
        lines = wait_until(lambda: (lambda ls: ls if ls[line - 1].startswith("Q") else None)(
            editor_lines(window).split("\n")), timeout=10)
        self.assertIsNotNone(lines, "the caret is at the start of line %d" % line)
        self.assertEqual(lines[line - 1], "Q" + LONG.decode().split("\r\n")[line - 1])

    def test_the_line_option_and_jump_to_line_bring_the_line_into_view(self):
        _, title, window = self.open_note("long.txt", LONG, "-l700")
        self.assert_typing_lands_on(title, window, 700)
        for keys, line in (("5", "0", "0"), 500), (("9",) * 11, 1001):  # past the end: the last line
            send_keys(modified(title), "ctrl+j")
            dialog = popup_titled("Jump to Line")
            self.assertIsNotNone(dialog)
            self.assert_centred_over(dialog, window)
            self.close_popup("Jump to Line", *keys, "Return")
            self.assert_typing_lands_on(modified(title), window, line)


class JapaneseTest(FindTestCase):
    def test_japanese_find_and_jump_dialogs(self):
        _, title, window = self.open_note("ja.txt", b"abc\r\n", env=JA_ENV)
        send_keys(title, "shift+F3")
        dialog = popup_titled(FIND_JA)
        self.assertIsNotNone(dialog, "Shift+F3 before any search opens the find dialog")
        self.assert_centred_over(dialog, window)
        texts = controls(dialog)
        for control, text in {3: "次を検索(&F)", 1008: "前を検索(&E)", 4: "置換(&R)", 5: "全置換(&A)", 2: "閉じる",
                              IGNORE_CASE: "大文字小文字を区別しない(&I)", REG_EXP: "正規表現(&X)"}.items():
            self.assertEqual(texts[control], text)
        for label in ("検索文字列(&T)：", "置換文字列(&W)：", "オプション(&O)"):
            self.assertIn(label, labels(dialog))
        send_keys(FIND_JA, "z", "Return")
        self.dismiss_message("エラー", "見つかりませんでした。")
        send_keys(FIND_JA, "Tab", "y", "alt+a")
        self.dismiss_message(JA, "0箇所置換しました。")
        self.close_popup(FIND_JA, "Escape")
        send_keys(title, "ctrl+j")
        jump = popup_titled("指定行へジャンプ")
        self.assertIsNotNone(jump)
        self.assertIn("行番号(&L):", labels(jump))
        self.close_popup("指定行へジャンプ", "Escape")
