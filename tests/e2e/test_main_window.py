"""The main window of Pathbook.exe: titles, status bar, menu-bar buttons, menus in
both languages, accelerators, the save prompt, window switching and placement,
the document-type menu, grep, and messages from other processes."""

import os
import re
import shutil
import subprocess
import time

from commands import IDM
from harness import (EN, EXE, JA, JA_ENV, PROBE, RECORDER, PathbookTestCase, app_data, box_saying, drive_c_path,
                     editor_text, labels, main_windows, menu_on_show, modified, no_menu_on_show, popup_titled,
                     popup_where, popups, post_command, press, probe, read_bytes, read_setting, rect, screenshot,
                     send_keys, status, temp_folder, title_of, toolbar, wait_until, windows_path, write_favorites,
                     write_file, write_settings, x_windows_named)


def image_colours(path):
    """How many colours a picture has."""
    return int(subprocess.run(["identify", "-format", "%k", path], capture_output=True, text=True,
                              timeout=30).stdout or 0)


def images_differ(first, second):
    """How many pixels differ between two pictures (ImageMagick's absolute error count)."""
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"], capture_output=True, text=True,
                            timeout=60)
    return float(result.stderr.split()[0]) if result.stderr else 0


class MainWindowTest(PathbookTestCase):
    def test_titles_follow_place_modification_lock_and_minimising_and_the_lock_refuses_changes(self):
        path, title, window = self.open_note("a.txt", b"locked\r\n")
        post_command(window, IDM.NO_EDITING)
        locked = self.wait_for_title(title + " (編集禁止)")
        send_keys(locked.title, "ctrl+a", "ctrl+c", "ctrl+x", "shift+Delete", "ctrl+v", "shift+Insert", "ctrl+z", "x")
        post_command(window, IDM.INSERT_DATE_TIME)
        time.sleep(1)
        self.assertEqual(editor_text(window).split(), ["locked"], "the accelerators change nothing")
        self.assertEqual(main_windows()[0].title, locked.title, "still unmodified")
        post_command(window, IDM.NO_EDITING)
        send_keys(self.wait_for_title(title).title, "x")
        post_command(self.wait_for_title(modified(title)), IDM.NO_EDITING)
        window = self.wait_for_title(modified(title) + " (編集禁止)")
        probe("command", str(window.handle), "minimize")
        self.wait_for_title("a.txt * - %s (編集禁止)" % EN)

    def test_titles_of_home_page_favourites_and_known_folders_and_status_parts_of_encoding_and_line_ends(self):
        home, memo = self.note("home.txt"), self.note("memo.txt")
        in_temp = write_file(os.path.join(temp_folder(), "pb-e2e-note.txt"), b"t\r\n")
        self.addCleanup(os.remove, in_temp)
        write_favorites([(0, windows_path(home)), (0, windows_path(self.note("f1.txt"))),
                         (0, windows_path(self.note("f2.txt"))), (0, windows_path(memo))])
        parts = {self.note("u.txt", "日本語\nline\n".encode("utf-8")): ["UTF8", "LF"],
                 self.note("s.txt", "日本語\r\nline\r\n".encode("shift_jis")): ["SJIS", "CRLF"],
                 self.note("e.txt", b""): ["SJIS", "CR"]}
        write_settings(NewfileCharset=932, NewfileLB=0)
        self.start(windows_path(home), windows_path(memo), drive_c_path(in_temp), *map(windows_path, parts),
                   env=JA_ENV)
        titles = {"ホーム > home.txt - " + JA, "お気に入りNo.3 > memo.txt - " + JA, "Temp > pb-e2e-note.txt - " + JA}
        titles |= {title_of(path, name=JA) for path in parts}
        # Six processes, one a note: as long as wait_for_windows gives its windows.
        self.assertTrue(wait_until(lambda: {w.title for w in main_windows()} == titles, timeout=30),
                        [w.title for w in main_windows()])
        seen = {w.title: status(w)[0][1:] for w in main_windows()}
        self.assertEqual({path: seen[title_of(path, name=JA)] for path in parts}, parts)

    def test_untitled_title_and_new_file_codes(self):
        write_settings(NewfileCharset=65001, NewfileLB=1)
        parts, visible, _ = status(self.start_untitled())
        self.assertTrue(visible)
        self.assertEqual(parts[1:], ["UTF8", "LF"])

    def menu_resource(self, menu_id, language):
        items = []
        for line in probe("menures", windows_path(EXE), str(menu_id), str(language)).splitlines():
            depth = (len(line) - len(line.lstrip(" "))) // 2
            fields = line.strip(" ").split("\t", 3)
            if len(fields) == 4:
                items.append((depth, int(fields[0]), fields[3]))
        return items

    def test_japanese_user_interface(self):
        top = [item[2] for item in self.menu_resource(103, 1041) if item[0] == 0]
        self.assertEqual(top, ["ファイル(&F)", "編集(&E)", "検索(&S)", "オプション(&O)", "ウィンドウ(&W)", "ヘルプ(&H)"])
        texts = {item[1]: item[2] for item in self.menu_resource(103, 1041)}
        self.assertEqual(texts[IDM.NO_EDITING], "編集禁止")
        self.assertEqual(texts[IDM.NEXT_WINDOW], "次のウィンドウ(&N)\tCtrl+Tab")
        self.assertEqual({item[1]: item[2] for item in self.menu_resource(104, 1041)}[IDM.OPEN_LOCATION], "ファイルの場所を開く(&I)")
        window = self.start_untitled(env=JA_ENV)
        buttons = toolbar(window)
        self.assertEqual(buttons[IDM.HOME][1], "　 ホーム 　")
        self.assertEqual(buttons[IDM.FAVORITES][1], "　 お気に入り...　 ")
        self.assertEqual(buttons[IDM.HISTORY_BUTTON][1], "　 閲覧履歴 　")
        self.assertEqual(buttons[IDM.BACK][1], " ＜ ")
        self.assertEqual(buttons[IDM.FORWARD][1], " ＞ ")
        self.assertEqual(buttons[IDM.LINKS_HERE_BUTTON][1], "　 このノートへのリンク 　")
        # An untitled window has nowhere to go back or forward to; without a home page the
        # home button looks indeterminate.
        self.assertFalse(buttons[IDM.BACK][0] & 4)
        self.assertFalse(buttons[IDM.FORWARD][0] & 4)
        self.assertTrue(buttons[IDM.HOME][0] & 16)
        # The menu bar is the Japanese one: its mnemonics reach 指定行へジャンプ(&J) under 検索(&S).
        send_keys(window.title, "alt+s", "j")
        self.assertIsNotNone(popup_titled("指定行へジャンプ"))
        self.close_popup("指定行へジャンプ", "Escape")

    def test_english_user_interface_menu_states_and_accelerators(self):
        top = [item[2] for item in self.menu_resource(103, 1033) if item[0] == 0]
        self.assertEqual(top, ["&File", "&Edit", "&Search", "&Option"])
        texts = [item[2] for item in self.menu_resource(103, 1033)]
        self.assertIn("R&ecent Files", texts)
        self.assertIn("Insert Date&&&Time", texts)
        window = self.start_untitled()
        self.assertEqual(toolbar(window)[IDM.HISTORY_BUTTON][1], "   History   ")
        self.assertEqual(toolbar(window)[IDM.LINKS_HERE_BUTTON][1], "   Links Here   ")
        # Insert Date&Time, the last item of the Edit menu, types the time and date.
        send_keys(window.title, "alt+e", "Up", "Return")
        self.assertTrue(wait_until(lambda: re.fullmatch(r"\d\d:\d\d \d\d/\d\d/\d\d", editor_text(window))),
                        editor_text(window))
        # ReOpen is greyed for an untitled document: choosing it from the menu does nothing,
        # while the same keys open the dialog for a named one (below).
        send_keys(modified(window.title), "alt+f", "r")
        time.sleep(1)
        self.assertIsNone(popup_titled("ReOpen", timeout=0))
        send_keys(modified(window.title), "Escape", "Escape")
        path, title, window = self.open_note("keys.txt", b"alpha\r\nbeta\r\n")
        send_keys(title, "ctrl+a", "ctrl+x")
        self.assertTrue(wait_until(lambda: editor_text(window) == ""), "Ctrl+A, Ctrl+X empty the text")
        send_keys(modified(title), "ctrl+z")
        self.assertTrue(wait_until(lambda: editor_text(window).split() == ["alpha", "beta"]), "Ctrl+Z undoes the cut")
        # Undone back to the saved text, the document is unmodified again.
        send_keys(title, "ctrl+a", "ctrl+Insert", "shift+Delete")
        self.assertTrue(wait_until(lambda: editor_text(window) == ""), "Shift+Delete cuts")
        send_keys(modified(title), "shift+Insert", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_text(window).split() == ["alpha", "beta"] * 2),
                        "Ctrl+Insert copied; Shift+Insert and Ctrl+V paste")
        send_keys(modified(title), "ctrl+s")
        self.wait_for_title(title)
        self.assertEqual(read_bytes(path), b"alpha\r\nbeta\r\n" * 2, "Ctrl+S saves")
        send_keys(title, "ctrl+j")
        self.assertIsNotNone(popup_titled("Jump to Line"), "Ctrl+J opens the jump dialog")
        self.close_popup("Jump to Line", "Escape")
        for keys in (("ctrl+r",), ("alt+Return",), ("alt+f", "r")):
            send_keys(title, *keys)
            self.assertIsNotNone(popup_titled("ReOpen"), "%s opens the reopen dialog" % (keys,))
            self.close_popup("ReOpen", "Escape")
        send_keys(title, "ctrl+n")
        self.wait_for_windows(3)

    def test_accelerator_table_is_complete(self):
        out = probe("accel", windows_path(EXE))
        entries = {tuple(int(f) for f in line.split("\t")) for line in out.splitlines() if line.count("\t") == 2}
        ctrl, shift, alt, virt = 8, 4, 16, 1
        expected = {
            (virt | ctrl, ord("R"), IDM.REOPEN), (virt | alt, 0x0D, IDM.REOPEN), (virt | ctrl, ord("N"), IDM.NEW_FILE),
            (virt | ctrl, ord("O"), IDM.OPEN), (virt | ctrl, ord("S"), IDM.SAVE), (virt | ctrl | shift, ord("S"), IDM.SAVE_AS),
            (virt | ctrl, 0x73, IDM.EXIT), (virt | ctrl, ord("Z"), IDM.UNDO), (virt | ctrl, ord("Y"), IDM.REDO),
            (virt | ctrl, ord("X"), IDM.CUT), (virt | shift, 0x2E, IDM.CUT), (virt | ctrl, ord("C"), IDM.COPY),
            (virt | ctrl, 0x2D, IDM.COPY), (virt | ctrl, ord("V"), IDM.PASTE), (virt | shift, 0x2D, IDM.PASTE),
            (virt | ctrl, ord("A"), IDM.SELECT_ALL), (virt | ctrl, ord("F"), IDM.FIND), (virt | ctrl, ord("H"), IDM.FIND),
            (virt, 0x72, IDM.FIND_NEXT), (virt | shift, 0x72, IDM.FIND_PREV), (virt | ctrl, ord("J"), IDM.JUMP),
            (virt | ctrl, 0x09, IDM.NEXT_WINDOW), (virt | ctrl | shift, 0x09, IDM.PREV_WINDOW), (virt | ctrl, ord("G"), IDM.GREP),
            (virt | ctrl, 0x0D, IDM.OPEN_LINK), (virt | ctrl, 0x28, IDM.NEXT_LINE_LINK), (virt | ctrl, 0x26, IDM.PREV_LINE_LINK),
            (virt | ctrl, 0x25, IDM.PREV_LINK), (virt | ctrl, 0x27, IDM.NEXT_LINK),
            (virt | ctrl | shift, ord("L"), IDM.LINKS_HERE), (virt | ctrl | shift, ord("F"), IDM.SEARCH_NOTES),
            (virt | ctrl | shift, ord("K"), IDM.CHECK_LINKS), (virt, 0x77, IDM.NEXT_BROKEN_LINK),
        }
        self.assertEqual(entries, expected)

    def test_a_modified_document_asks_at_the_end_of_the_session_on_close_and_on_ctrl_f4(self):
        process = self.start()
        send_keys(self.wait_for_title(title_of(None)).title, "x")
        window = self.wait_for_title(modified(title_of(None)))
        asking = subprocess.Popen(["wine", PROBE, "endsession", str(window.handle)], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        self.assertIsNotNone(popup_titled(EN), "the save prompt appears")
        send_keys(EN, "Escape")
        self.assertEqual(asking.communicate(timeout=30)[0].strip(), "0", "Cancel keeps the session from ending")
        self.assertEqual([w.title for w in main_windows()], [window.title])
        probe("wmclose", str(window.handle))
        self.assertIsNotNone(popup_titled(EN), "a plain WM_CLOSE asks too")
        self.close_popup(EN, "Escape")
        self.assertEqual([w.title for w in main_windows()], [window.title])
        send_keys(window.title, "ctrl+F4")
        prompt = popup_titled(EN)
        self.assertIsNotNone(prompt, "Ctrl+F4 asks too")
        self.assertIn("Do you want to Save the current file ?", labels(prompt))
        self.close_popup(EN, "Escape")
        self.assertIsNone(process.poll())
        send_keys(window.title, "ctrl+F4")
        self.assertIsNotNone(popup_titled(EN))
        send_keys(EN, "alt+n")
        self.assertEqual(process.wait(timeout=30), 0)

    def test_instances_cycle_with_ctrl_tab_and_share_one_settings_dialog(self):
        self.start()
        self.wait_for_windows(1)
        self.start("-n")
        self.wait_for_windows(2)
        self.start("-n")
        windows = self.wait_for_windows(3)
        seen = set()
        for _ in range(3):
            front = wait_until(lambda: next((w for w in main_windows() if w.foreground), None))
            self.assertIsNotNone(front)
            seen.add(front.handle)
            press("ctrl+Tab")
            wait_until(lambda: next((w for w in main_windows() if w.foreground), front).handle != front.handle,
                       timeout=5)
        self.assertEqual(seen, {w.handle for w in windows}, "Ctrl+Tab visits every instance")
        front = next(w for w in main_windows() if w.foreground)
        press("ctrl+shift+Tab")
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle != front.handle for w in main_windows()),
                                   timeout=5), "Ctrl+Shift+Tab raises another window")
        first, second = windows[:2]
        post_command(second, IDM.SETTINGS)
        self.assertIsNotNone(popup_titled("Editor Settings"))
        post_command(first, IDM.SETTINGS)
        time.sleep(1)
        self.assertEqual(len([p for p in popups() if p[2] == "Editor Settings"]), 1, "no second settings dialog")
        self.close_popup("Editor Settings", "Escape")
        self.assertIsNone(read_setting("OpenSame"), "Cancel writes nothing")
        post_command(second, IDM.SETTINGS)
        self.assertIsNotNone(popup_titled("Editor Settings"))
        send_keys("Editor Settings", "Return")
        self.assertTrue(wait_until(lambda: read_setting("OpenSame") == "0"), "OK writes the settings")

    def test_the_maximised_state_the_status_bar_and_the_default_type_are_stored_and_applied(self):
        process = self.start()
        window = self.wait_for_title(title_of(None))
        write_settings(StatusBar=1, GrepExe="written-by-another-instance")
        post_command(window, IDM.STATUS_BAR)
        self.assertTrue(wait_until(lambda: not status(window)[1]))
        _, _, (top, bottom, client) = status(window)
        self.assertEqual(bottom, client, "the editor reaches the bottom")
        self.assertEqual(read_setting("StatusBar"), "0")
        self.assertEqual(read_setting("GrepExe"), "written-by-another-instance", "only its own key is written")
        probe("command", str(window.handle), "maximize")
        self.assertTrue(wait_until(lambda: main_windows()[0].zoomed))
        # The default type does not wrap, and its wrap value is written at exit.
        post_command(window, IDM.WRAP_WIDTH)
        post_command(window, IDM.DOC_TYPE_FIRST)
        send_keys(window.title, "ctrl+F4")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(read_setting("WndM"), "1")
        self.assertEqual(read_setting("WrapType"), "-1", "picking the default type keeps the wrap it gives")
        window = self.start_untitled("-n")
        self.assertTrue(wait_until(lambda: main_windows()[0].zoomed))
        self.assertFalse(status(window)[1])

    def test_grep_gets_its_expanded_arguments_and_hostile_copy_data_is_refused(self):
        record = os.path.join(self.folder, "record.txt")
        write_settings(GrepExe="%s %s -n %%N %%D %%%%" % (windows_path(RECORDER), windows_path(record)))
        path, title, window = self.open_note("b.txt")
        process = self.processes[-1]
        send_keys(title, "ctrl+g")
        self.assertTrue(wait_until(lambda: os.path.exists(record) and read_bytes(record).endswith(b"--\n")))
        self.assertEqual(read_bytes(record).decode().splitlines(),
                         ["-n", "b.txt", windows_path(self.folder), "%", "--"])
        for kind in ("odd", "nonul", "huge"):
            self.assertEqual(probe("copydata", str(window.handle), kind).strip(), "0", kind)
        self.assertIsNone(process.poll())
        # Once the notebook has said its word, the status bar's first part keeps it.
        self.assertTrue(wait_until(lambda: status(window)[0][0].startswith("Notebook:"), timeout=40))
        before = status(window)[0][0]
        probe("statustext", str(window.handle))
        self.assertEqual(status(window)[0][0], before, "a status text from another process is not shown")
        self.assertIsNone(process.poll())
        self.assertEqual(probe("copydata", str(window.handle), "path:0:" + windows_path(path).upper()).strip(), "1")
        self.assertEqual(probe("copydata", str(window.handle), "path:1200:" + windows_path(path)).strip(), "0")
        self.assertEqual(len(main_windows()), 1)

    def test_english_and_japanese_screens(self):
        """Captures the window in each language (kept in PATHBOOK_SHOTS, when set, for a person to look
        at) and checks what was captured: a drawn window, and different menus in the two languages."""
        shots = os.environ.get("PATHBOOK_SHOTS") or self.folder
        path = self.note("shot.txt", "<C:\\notes\\a.txt> 日本語のメモ\r\nsecond line\r\n".encode("utf-8"))
        captured = {}
        for name, env in (("en", None), ("ja", JA_ENV)):
            title, _ = self.show(path, env=env)
            time.sleep(0.5)
            xids = wait_until(lambda: x_windows_named(title))
            self.assertTrue(xids, "no X window for %r" % title)
            captured[name] = os.path.join(shots, name + ".png")
            screenshot(xids[0], captured[name])
            self.assertGreater(image_colours(captured[name]), 4, "%s: the window is drawn" % name)
            send_keys(title, "ctrl+F4")
            self.processes[-1].wait(timeout=30)
        self.assertGreater(images_differ(captured["en"], captured["ja"]), 0, "the languages look different")


class NavigationTest(PathbookTestCase):
    def test_a_favourite_that_cannot_be_stored_is_reported(self):
        # A folder where the list file belongs: the list cannot be written.
        blocker = os.path.join(app_data(), "DocList.txt")
        os.makedirs(blocker)
        self.addCleanup(os.rmdir, blocker)
        _, _, window = self.open_note("note.txt")
        post_command(window, IDM.ADD_FAVORITE)
        self.dismiss(box_saying("Could not add the file to the favourites."))
        self.assertEqual(window.title, main_windows()[0].title, "the window is still there")

    def test_home_shortcut_back_button_and_about_box(self):
        write_favorites([(0, windows_path(self.note("home.txt")))])
        _, _, first = self.open_note("other.txt")
        self.assertFalse(toolbar(first)[IDM.HOME][0] & 16, "the home button is live while another page is on show")
        # Ctrl+1 opens the home page; a window showing a named document hands it to a new process.
        send_keys(first.title, "ctrl+1")
        second = self.wait_for_title("ホーム > home.txt - " + EN)
        self.assertEqual(len(main_windows()), 2)
        self.assertTrue(wait_until(lambda: toolbar(second)[IDM.BACK][0] & 4), "＜ leads back to other.txt")
        self.assertTrue(toolbar(second)[IDM.HOME][0] & 16, "home is on show: the home button looks indeterminate")
        # ＜ finds other.txt open in the first window and brings that window forward.
        post_command(second, IDM.BACK)
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle == first.handle for w in main_windows())))
        self.assertEqual(len(main_windows()), 2)
        post_command(first, IDM.ABOUT)
        # Wine's about box puts the whole title argument into its caption instead of
        # splitting it at "#" as Windows does; both show the caption part and the version.
        about = popup_where(lambda p: "About Pathbook" in p[2])
        self.assertIsNotNone(about, "the about box")
        version = "Version %s (Pathbook.exe)" % os.environ["PATHBOOK_VERSION"]
        self.assertTrue(any(version in c[2] for c in about[3]), about[3])
        self.assertTrue(any("MIT License" in c[2] for c in about[3]), "the notice names the licence: %r" % about[3])

    def test_instances_start_from_a_folder_with_spaces(self):
        folder = os.path.join(self.folder, "with space")
        os.makedirs(folder)
        exe = os.path.join(folder, "Pathbook.exe")
        shutil.copy(EXE, exe)
        # A program named like the first word of the path must not be started instead.
        self.assertTrue(os.path.exists(write_file(os.path.join(self.folder, "with.exe"), b"")))
        a, b = self.note("a.txt"), self.note("b.txt")
        self.start(windows_path(a), windows_path(b), exe=exe)
        self.wait_for_title(title_of(b))
        self.wait_for_title(title_of(a))


class WindowDetailsTest(PathbookTestCase):
    """The context menu, the window's placement and the scroll bars, as a user meets them."""

    def test_the_context_menu_the_backslash_of_the_english_font_and_the_horizontal_scroll_bar(self):
        # Paths are full of backslashes: a Japanese font draws them as yen signs.
        _, title, window = self.open_note("slash.txt", b"\\\r\n")
        # As Windows sends it: WM_CONTEXTMENU names the inner view, the window clicked.
        probe("contextmenu", str(window.handle))
        self.assertIsNotNone(menu_on_show(timeout=20), "the editor's context menu")
        press("Escape")
        self.assertTrue(no_menu_on_show())
        send_keys(title, "ctrl+End")  # the caret off the glyph's row
        left, top, _, _ = rect("viewrect", str(window.handle))
        caret = wait_until(lambda: (lambda c: c if c and c[1] > 0 else None)(rect("caretrect", str(window.handle))))
        row, width = caret[3] - caret[1], 12
        gray = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, row, left, top), "+repage",
                               "-depth", "8", "gray:-"], capture_output=True, timeout=30).stdout

        def ink_centre(rows):
            """x of the ink's centre in those pixel rows (dark text on white)."""
            ink = [(x, 255 - gray[y * width + x]) for y in rows for x in range(width)]
            return sum(x * weight for x, weight in ink) / max(1, sum(weight for _, weight in ink))

        # A backslash runs from top left to bottom right; a yen sign stands on its middle.
        shift = ink_centre(range(row // 2, row)) - ink_centre(range(row // 2))
        self.assertGreater(shift, 2, "the glyph of \\ leans like a backslash (ink moves %.1f pixels)" % shift)
        # Wrapping at the edge leaves nothing to scroll sideways: no bar.
        for command, bar in ((None, "1"), (IDM.WRAP_EDGE, "0"), (IDM.WRAP_WIDTH, "1")):
            if command:
                post_command(window, command)
            self.assertTrue(wait_until(lambda: probe("hscroll", str(window.handle)).strip() == bar), command)

    def test_a_place_off_every_screen_comes_back_onto_the_screen(self):
        # A window left on a monitor since unplugged: the placement is restored as
        # the system restores placements, which keeps the window on a screen.
        write_settings(WndX=3000, WndY=2500, WndW=600, WndH=400)
        left, top, right, bottom = rect("rect", str(self.start_untitled("-n").handle))
        self.assertEqual((right - left, bottom - top), (600, 400), "the size is kept")
        self.assertTrue(left < 1280 and top < 1024, "on the 1280 x 1024 screen: %d, %d" % (left, top))

    def test_the_placement_goes_back_where_it_was(self):
        write_settings(WndX=120, WndY=90, WndW=640, WndH=480)
        window = self.start_untitled("-n")
        self.assertEqual(probe("placement", str(window.handle)).split(), ["120", "90", "760", "570"])
        self.exit_all()
        self.assertEqual([read_setting(k) for k in ("WndX", "WndY", "WndW", "WndH")], ["120", "90", "640", "480"],
                         "saved as it was restored: nothing creeps")
