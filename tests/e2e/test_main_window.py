"""The main window of Pathbook.exe: titles, status bar, menu-bar buttons, menus in
both languages, accelerators, the save prompt, window switching and placement,
grep, and messages from other processes."""

import os
import re
import subprocess
import time

from commands import IDM
from harness import (EXE, RECORDER, PathbookTestCase, app_data, drive_c_path, editor_text, main_windows, popup_titled,
                     popups, post_command, press, probe, read_setting, screenshot, send_keys, status, temp_folder, toolbar,
                     wait_until, windows_path, write_favorites, write_settings, x_windows_named)

EN = "Pathbook"
JA = "パスブック"
JA_ENV = {"LC_ALL": "ja_JP.UTF-8"}


def read_text(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def image_colours(path):
    """How many colours a picture has."""
    return int(subprocess.run(["identify", "-format", "%k", path], capture_output=True, text=True,
                              timeout=30).stdout or 0)


def images_differ(first, second):
    """How many pixels differ between two pictures (ImageMagick's absolute error count)."""
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"], capture_output=True, text=True,
                            timeout=60)
    return float(result.stderr.split()[0]) if result.stderr else 0


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


class MainWindowTest(PathbookTestCase):
    def test_titles_follow_place_modification_lock_and_minimising(self):
        path = self.note("a.txt")
        self.start(windows_path(path))
        full = windows_path(path)
        window = self.wait_for_title("%s - %s" % (full, EN))
        send_keys(window.title, "x")
        window = self.wait_for_title("%s * - %s" % (full, EN))
        post_command(window, IDM.NO_EDITING)
        window = self.wait_for_title("%s * - %s (編集禁止)" % (full, EN))
        probe("command", str(window.handle), "minimize")
        self.wait_for_title("a.txt * - %s (編集禁止)" % EN)

    def test_titles_of_home_page_favourites_and_known_folders(self):
        home = self.note("home.txt")
        memo = self.note("memo.txt")
        in_temp = write(os.path.join(temp_folder(), "pb-e2e-note.txt"), b"t\r\n")
        self.addCleanup(os.remove, in_temp)
        write_favorites([(0, windows_path(home)), (0, windows_path(self.note("f1.txt"))),
                         (0, windows_path(self.note("f2.txt"))), (0, windows_path(memo))])
        self.start(windows_path(home), windows_path(memo), drive_c_path(in_temp), env=JA_ENV)
        titles = {"ホーム > home.txt - " + JA, "お気に入りNo.3 > memo.txt - " + JA, "Temp > pb-e2e-note.txt - " + JA}
        self.assertTrue(wait_until(lambda: {w.title for w in main_windows()} == titles),
                        [w.title for w in main_windows()])

    def test_untitled_title_and_new_file_codes(self):
        write_settings(NewfileCharset=65001, NewfileLB=1)
        self.start()
        window = self.wait_for_title("untitled - " + EN)
        parts, visible, _ = status(window)
        self.assertTrue(visible)
        self.assertEqual(parts[1:], ["UTF8", "LF"])

    def test_status_parts_show_encoding_and_line_ends(self):
        utf8 = self.note("u.txt", "日本語\nline\n".encode("utf-8"))
        sjis = self.note("s.txt", "日本語\r\nline\r\n".encode("shift_jis"))
        empty = self.note("e.txt", b"")
        write_settings(NewfileCharset=932, NewfileLB=0)
        self.start(windows_path(utf8), windows_path(sjis), windows_path(empty), env=JA_ENV)
        windows = self.wait_for_windows(3)
        seen = {w.title.split(" - ")[0]: status(w)[0][1:] for w in windows}
        self.assertEqual(seen[windows_path(utf8)], ["UTF8", "LF"])
        self.assertEqual(seen[windows_path(sjis)], ["SJIS", "CRLF"])
        self.assertEqual(seen[windows_path(empty)], ["SJIS", "CR"])

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
        self.start(env=JA_ENV)
        window = self.wait_for_title("untitled - " + JA)
        buttons = toolbar(window)
        self.assertEqual(buttons[IDM.HOME][1], "　 ホーム 　")
        self.assertEqual(buttons[IDM.FAVORITES][1], "　 お気に入り...　 ")
        self.assertEqual(buttons[IDM.HISTORY_BUTTON][1], "　 閲覧履歴 　")
        self.assertEqual(buttons[IDM.BACK][1], " ＜ ")
        self.assertEqual(buttons[IDM.FORWARD][1], " ＞ ")
        # An untitled window has nowhere to go back or forward to; without a home page the
        # home button looks indeterminate.
        self.assertFalse(buttons[IDM.BACK][0] & 4)
        self.assertFalse(buttons[IDM.FORWARD][0] & 4)
        self.assertTrue(buttons[IDM.HOME][0] & 16)
        # The menu bar is the Japanese one: its mnemonics reach 指定行へジャンプ(&J) under 検索(&S).
        send_keys(window.title, "alt+s", "j")
        self.assertIsNotNone(popup_titled("指定行へジャンプ"))
        send_keys("指定行へジャンプ", "Escape")

    def test_english_user_interface_and_menu_states(self):
        top = [item[2] for item in self.menu_resource(103, 1033) if item[0] == 0]
        self.assertEqual(top, ["&File", "&Edit", "&Search", "&Option"])
        texts = [item[2] for item in self.menu_resource(103, 1033)]
        self.assertIn("R&ecent Files", texts)
        self.assertIn("Insert Date&&&Time", texts)
        self.start()
        window = self.wait_for_title("untitled - " + EN)
        self.assertEqual(toolbar(window)[IDM.HISTORY_BUTTON][1], "   History   ")
        # Insert Date&Time, the last item of the Edit menu, types the time and date.
        send_keys(window.title, "alt+e", "Up", "Return")
        self.assertTrue(wait_until(lambda: re.fullmatch(r"\d\d:\d\d \d\d/\d\d/\d\d", editor_text(window))),
                        editor_text(window))
        # ReOpen is greyed for an untitled document: choosing it from the menu does nothing,
        # while the same keys open the dialog for a named one.
        send_keys("untitled * - " + EN, "alt+f", "r")
        time.sleep(1)
        self.assertIsNone(popup_titled("ReOpen", timeout=0))
        send_keys("untitled * - " + EN, "Escape", "Escape")
        path = self.note("named.txt")
        self.start(windows_path(path))
        named = self.wait_for_title("%s - %s" % (windows_path(path), EN))
        send_keys(named.title, "alt+f", "r")
        self.assertIsNotNone(popup_titled("ReOpen"))
        send_keys("ReOpen", "Escape")

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

    def test_accelerators_reach_their_commands(self):
        path = self.note("keys.txt", b"alpha\r\nbeta\r\n")
        self.start(windows_path(path))
        title = "%s - %s" % (windows_path(path), EN)
        modified = "%s * - %s" % (windows_path(path), EN)
        window = self.wait_for_title(title)
        send_keys(title, "ctrl+a", "ctrl+x")
        self.assertTrue(wait_until(lambda: editor_text(window) == ""), "Ctrl+A, Ctrl+X empty the text")
        send_keys(modified, "ctrl+z")
        self.assertTrue(wait_until(lambda: editor_text(window).split() == ["alpha", "beta"]), "Ctrl+Z undoes the cut")
        # Undone back to the saved text, the document is unmodified again.
        send_keys(title, "ctrl+a", "ctrl+Insert", "shift+Delete")
        self.assertTrue(wait_until(lambda: editor_text(window) == ""), "Shift+Delete cuts")
        send_keys(modified, "shift+Insert", "ctrl+v")
        self.assertTrue(wait_until(lambda: editor_text(window).split() == ["alpha", "beta"] * 2),
                        "Ctrl+Insert copied; Shift+Insert and Ctrl+V paste")
        send_keys(modified, "ctrl+s")
        self.wait_for_title(title)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), b"alpha\r\nbeta\r\n" * 2, "Ctrl+S saves")
        send_keys(title, "ctrl+j")
        self.assertIsNotNone(popup_titled("Jump to Line"), "Ctrl+J opens the jump dialog")
        send_keys("Jump to Line", "Escape")
        self.assertTrue(wait_until(lambda: popup_titled("Jump to Line", timeout=0) is None))
        for keys in ("ctrl+r", "alt+Return"):
            send_keys(title, keys)
            self.assertIsNotNone(popup_titled("ReOpen"), "%s opens the reopen dialog" % keys)
            send_keys("ReOpen", "Escape")
            self.assertTrue(wait_until(lambda: popup_titled("ReOpen", timeout=0) is None))
        send_keys(title, "ctrl+n")
        self.wait_for_windows(2)

    def test_no_editing_refuses_changes_from_accelerators(self):
        path = self.note("locked.txt", b"locked\r\n")
        self.start(windows_path(path), env=JA_ENV)
        window = self.wait_for_title("%s - %s" % (windows_path(path), JA))
        post_command(window, IDM.NO_EDITING)
        title = "%s - %s (編集禁止)" % (windows_path(path), JA)
        self.wait_for_title(title)
        send_keys(title, "ctrl+a", "ctrl+c", "ctrl+x", "shift+Delete", "ctrl+v", "shift+Insert", "ctrl+z", "x")
        post_command(window, IDM.INSERT_DATE_TIME)
        time.sleep(1)
        self.assertEqual(editor_text(window).split(), ["locked"])
        self.assertEqual(main_windows()[0].title, title, "still unmodified")

    def test_ctrl_f4_on_a_modified_document_asks_and_cancel_keeps_it(self):
        process = self.start()
        self.wait_for_title("untitled - " + EN)
        send_keys("untitled - " + EN, "x")
        self.wait_for_title("untitled * - " + EN)
        send_keys("untitled * - " + EN, "ctrl+F4")
        prompt = popup_titled(EN)
        self.assertIsNotNone(prompt, "the save prompt appears")
        self.assertIn("Do you want to Save the current file ?", [c[2] for c in prompt[3]])
        send_keys(EN, "Escape")
        self.assertTrue(wait_until(lambda: popup_titled(EN, timeout=0) is None))
        self.assertIsNone(process.poll())
        send_keys("untitled * - " + EN, "ctrl+F4")
        self.assertIsNotNone(popup_titled(EN))
        send_keys(EN, "alt+n")
        self.assertEqual(process.wait(timeout=30), 0)

    def test_end_of_session_asks_before_losing_changes(self):
        self.start()
        window = self.wait_for_title("untitled - " + EN)
        send_keys(window.title, "x")
        self.wait_for_title("untitled * - " + EN)
        asking = subprocess.Popen(["wine", os.environ["PATHBOOK_PROBE"], "endsession", str(window.handle)],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.assertIsNotNone(popup_titled(EN), "the save prompt appears")
        send_keys(EN, "Escape")
        self.assertEqual(asking.communicate(timeout=30)[0].strip(), "0", "Cancel keeps the session from ending")
        self.assertEqual([w.title for w in main_windows()], ["untitled * - " + EN])
        probe("wmclose", str(window.handle))
        self.assertIsNotNone(popup_titled(EN), "a plain WM_CLOSE asks too")
        send_keys(EN, "Escape")
        self.assertTrue(wait_until(lambda: popup_titled(EN, timeout=0) is None))
        self.assertEqual([w.title for w in main_windows()], ["untitled * - " + EN])

    def test_next_and_previous_window_cycle_through_instances(self):
        self.start()
        self.wait_for_windows(1)
        self.start("-n")
        self.wait_for_windows(2)
        self.start("-n")
        windows = self.wait_for_windows(3)
        handles = {w.handle for w in windows}
        seen = set()
        for _ in range(3):
            front = wait_until(lambda: next((w for w in main_windows() if w.foreground), None))
            self.assertIsNotNone(front)
            seen.add(front.handle)
            press("ctrl+Tab")
            wait_until(lambda: next((w for w in main_windows() if w.foreground), front).handle != front.handle,
                       timeout=5)
        self.assertEqual(seen, handles, "Ctrl+Tab visits every instance")
        front = next(w for w in main_windows() if w.foreground)
        press("ctrl+shift+Tab")
        self.assertTrue(wait_until(lambda: any(w.foreground and w.handle != front.handle for w in main_windows()),
                                   timeout=5), "Ctrl+Shift+Tab raises another window")

    def test_settings_dialog_is_raised_where_it_is_already_open(self):
        self.start()
        self.wait_for_windows(1)
        self.start("-n")
        first, second = self.wait_for_windows(2)
        post_command(second, IDM.SETTINGS)
        self.assertIsNotNone(popup_titled("Editor Settings"))
        post_command(first, IDM.SETTINGS)
        time.sleep(1)
        self.assertEqual(len([p for p in popups() if p[2] == "Editor Settings"]), 1, "no second settings dialog")
        send_keys("Editor Settings", "Escape")
        self.assertTrue(wait_until(lambda: popup_titled("Editor Settings", timeout=0) is None))
        self.assertIsNone(read_setting("OpenSame"), "Cancel writes nothing")
        post_command(second, IDM.SETTINGS)
        self.assertIsNotNone(popup_titled("Editor Settings"))
        send_keys("Editor Settings", "Return")
        self.assertTrue(wait_until(lambda: read_setting("OpenSame") == "0"), "OK writes the settings")

    def test_maximised_state_is_restored_at_the_next_start(self):
        process = self.start()
        window = self.wait_for_title("untitled - " + EN)
        probe("command", str(window.handle), "maximize")
        self.assertTrue(wait_until(lambda: main_windows()[0].zoomed))
        send_keys("untitled - " + EN, "ctrl+F4")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(read_setting("WndM"), "1")
        self.start("-n")
        self.assertTrue(wait_until(lambda: main_windows() and main_windows()[0].zoomed))

    def test_status_bar_toggle_is_stored_and_applied(self):
        process = self.start()
        window = self.wait_for_title("untitled - " + EN)
        write_settings(StatusBar=1, GrepExe="written-by-another-instance")
        post_command(window, IDM.STATUS_BAR)
        self.assertTrue(wait_until(lambda: not status(window)[1]))
        _, _, (top, bottom, client) = status(window)
        self.assertEqual(bottom, client, "the editor reaches the bottom")
        self.assertEqual(read_setting("StatusBar"), "0")
        self.assertEqual(read_setting("GrepExe"), "written-by-another-instance", "only its own key is written")
        send_keys("untitled - " + EN, "ctrl+F4")
        process.wait(timeout=30)
        self.start("-n")
        window = self.wait_for_title("untitled - " + EN)
        self.assertFalse(status(window)[1])

    def test_grep_receives_its_expanded_arguments(self):
        record = os.path.join(self.folder, "record.txt")
        path = self.note("b.txt")
        write_settings(GrepExe="%s %s -n %%N %%D %%%%" % (windows_path(RECORDER), windows_path(record)))
        self.start(windows_path(path))
        title = "%s - %s" % (windows_path(path), EN)
        self.wait_for_title(title)
        send_keys(title, "ctrl+g")
        self.assertTrue(wait_until(lambda: os.path.exists(record) and read_text(record).endswith("--\n")))
        self.assertEqual(read_text(record).splitlines(), ["-n", "b.txt", windows_path(self.folder), "%", "--"])

    def test_hostile_copy_data_is_refused(self):
        path = self.note("c.txt")
        process = self.start(windows_path(path))
        window = self.wait_for_title("%s - %s" % (windows_path(path), EN))
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
        for name, env, product in (("en", None, EN), ("ja", JA_ENV, JA)):
            process = self.start(windows_path(path), env=env)
            title = "%s - %s" % (windows_path(path), product)
            self.wait_for_title(title)
            time.sleep(0.5)
            xids = wait_until(lambda: x_windows_named(title))
            self.assertTrue(xids, "no X window for %r" % title)
            captured[name] = os.path.join(shots, name + ".png")
            screenshot(xids[0], captured[name])
            self.assertGreater(image_colours(captured[name]), 4, "%s: the window is drawn" % name)
            send_keys(title, "ctrl+F4")
            process.wait(timeout=30)
        self.assertGreater(images_differ(captured["en"], captured["ja"]), 0, "the languages look different")


class NavigationTest(PathbookTestCase):
    def test_a_favourite_that_cannot_be_stored_is_reported(self):
        note = windows_path(self.note("note.txt"))
        # A folder where the list file belongs: the list cannot be written.
        blocker = os.path.join(app_data(), "DocList.txt")
        os.makedirs(blocker)
        self.addCleanup(os.rmdir, blocker)
        self.start(note)
        window = self.wait_for_title(note + " - " + EN)
        post_command(window, IDM.ADD_FAVORITE)
        box = wait_until(lambda: next((p for p in popups()
                                       if "Could not add the file to the favourites." in [c[2] for c in p[3]]), None))
        self.assertIsNotNone(box, "the failure is reported")
        send_keys(box[2], "Return")
        self.assertTrue(wait_until(lambda: not any(p[0] == box[0] for p in popups())))
        self.assertEqual(window.title, main_windows()[0].title, "the window is still there")

    def test_home_shortcut_back_button_and_about_box(self):
        home = windows_path(self.note("home.txt"))
        other = windows_path(self.note("other.txt"))
        write_favorites([(0, home)])
        self.start(other)
        first = self.wait_for_title("%s - %s" % (other, EN))
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
        about = wait_until(lambda: next((p for p in popups() if "About Pathbook" in p[2]), None))
        self.assertIsNotNone(about, "the about box")
        version = "Version %s (Pathbook.exe)" % os.environ["PATHBOOK_VERSION"]
        self.assertTrue(any(version in c[2] for c in about[3]), about[3])
        self.assertTrue(any("MIT License" in c[2] for c in about[3]), "the notice names the licence: %r" % about[3])

    def test_instances_start_from_a_folder_with_spaces(self):
        folder = os.path.join(self.folder, "with space")
        os.makedirs(folder)
        exe = os.path.join(folder, "Pathbook.exe")
        with open(EXE, "rb") as source, open(exe, "wb") as target:
            target.write(source.read())
        # A program named like the first word of the path must not be started instead.
        decoy = write(os.path.join(self.folder, "with.exe"), b"")
        self.assertTrue(os.path.exists(decoy))
        a, b = windows_path(self.note("a.txt")), windows_path(self.note("b.txt"))
        process = subprocess.Popen(["wine", exe, a, b], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        self.wait_for_title("%s - %s" % (b, EN))
        self.wait_for_title("%s - %s" % (a, EN))


class WindowDetailsTest(PathbookTestCase):
    """The context menu, the window's placement and the scroll bars, as a user meets them."""

    def test_a_right_click_on_the_view_opens_the_context_menu(self):
        _, title, window = self.open_note("menu.txt", b"<C:\\windows\\win.ini>\r\n")
        # As Windows sends it: WM_CONTEXTMENU names the inner view, the window clicked.
        probe("contextmenu", str(window.handle))
        menu = wait_until(lambda: next((p for p in popups() if p[1] == "#32768"), None))
        self.assertIsNotNone(menu, "the editor's context menu")
        press("Escape")
        self.assertTrue(wait_until(lambda: not any(p[1] == "#32768" for p in popups())))

    def test_a_place_off_every_screen_comes_back_onto_the_screen(self):
        # A window left on a monitor since unplugged: the placement is restored as
        # the system restores placements, which keeps the window on a screen.
        write_settings(WndX=3000, WndY=2500, WndW=600, WndH=400)
        window = self.start_and_wait()
        left, top, right, bottom = (int(v) for v in probe("rect", str(window.handle)).split())
        self.assertEqual((right - left, bottom - top), (600, 400), "the size is kept")
        self.assertTrue(left < 1280 and top < 1024, "on the 1280 x 1024 screen: %d, %d" % (left, top))

    def test_the_placement_goes_back_where_it_was(self):
        write_settings(WndX=120, WndY=90, WndW=640, WndH=480)
        window = self.start_and_wait()
        self.assertEqual(probe("placement", str(window.handle)).split(), ["120", "90", "760", "570"])
        probe("closeall")
        self.assertTrue(wait_until(lambda: not main_windows(visible_only=False)))
        wait_until(lambda: read_setting("WndX") == "120")
        self.assertEqual([read_setting(k) for k in ("WndX", "WndY", "WndW", "WndH")], ["120", "90", "640", "480"],
                         "saved as it was restored: nothing creeps")

    def test_wrapping_at_the_edge_hides_the_horizontal_scroll_bar(self):
        window = self.start_and_wait()
        self.assertEqual(probe("hscroll", str(window.handle)).strip(), "1")
        post_command(window, IDM.WRAP_EDGE)
        self.assertTrue(wait_until(lambda: probe("hscroll", str(window.handle)).strip() == "0"),
                        "no bar where nothing can scroll sideways")
        post_command(window, IDM.WRAP_WIDTH)
        self.assertTrue(wait_until(lambda: probe("hscroll", str(window.handle)).strip() == "1"))

    def start_and_wait(self):
        self.start("-n")
        return self.wait_for_title("untitled - " + EN)

    def test_the_english_editor_font_draws_a_backslash_not_a_yen_sign(self):
        # Paths are full of backslashes: a Japanese font draws them as yen signs.
        _, title, window = self.open_note("slash.txt", b"\\\r\n")
        send_keys(title, "ctrl+End")  # the caret off the glyph's row
        left, top, _, _ = (int(v) for v in probe("viewrect", str(window.handle)).split())
        caret = wait_until(lambda: (lambda c: c if c and int(c[1]) > 0 else None)(
            probe("caretrect", str(window.handle)).split()))
        row, width = int(caret[3]) - int(caret[1]), 12
        gray = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, row, left, top), "+repage",
                               "-depth", "8", "gray:-"], capture_output=True, timeout=30).stdout

        def ink_centre(rows):
            """x of the ink's centre in those pixel rows (dark text on white)."""
            ink = [(x, 255 - gray[y * width + x]) for y in rows for x in range(width)]
            return sum(x * weight for x, weight in ink) / max(1, sum(weight for _, weight in ink))

        # A backslash runs from top left to bottom right; a yen sign stands on its middle.
        shift = ink_centre(range(row // 2, row)) - ink_centre(range(row // 2))
        self.assertGreater(shift, 2, "the glyph of \\ leans like a backslash (ink moves %.1f pixels)" % shift)
