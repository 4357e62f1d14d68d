"""Links that cannot hurt, in the real Pathbook.exe: a link to a program asks
first and only the confirmed answer runs it (a script, a shortcut, a program on
a share alike), a folder opens without a question, nothing opens while a note
is merely loaded and scrolled; private messages with made-up parameters from
another process change nothing; SingleClick=0 opens links with a double click;
a hung instance does not freeze the others."""

import os
import shutil
import time

from harness import (JA_ENV, RECORDER, PathbookTestCase, editor_lines, labels, main_windows, popup_titled, popups,
                     probe, send_keys, status, title_of, wait_until, windows_path, write_settings)
from test_mouse import ROW, on_view

QUESTION = "Run a program?"
JA_QUESTION = "プログラムを実行しますか？"
# Where Wine finds the shares of UNC paths: \\server\share is dosdevices/unc/server/share.
UNC_SERVER = "pathbook-e2e-host"


def programs_named(name):
    """Process ids of the Wine programs whose command line names `name`."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().decode("utf-8", "replace")
        except OSError:
            continue
        if name.lower() in command.lower():
            found.append(int(pid))
    return found


class LinkSafetyTest(PathbookTestCase):
    def script(self, name="run.bat"):
        """A script that leaves a file behind when it runs; (its Wine path, the file it would write)."""
        made = os.path.join(self.folder, "ran.txt")
        self.note(name, ('@echo ran> "%s"\r\n' % windows_path(made)).encode())
        return windows_path(os.path.join(self.folder, name)), made

    def open_links(self, *links, env=None):
        return self.open_note("links.txt", "".join("<%s>\r\n" % link for link in links).encode("utf-8"), env=env)[2]

    def click_link(self, window, row):
        on_view(window, 40, row * ROW + ROW // 2, "click", "1")

    def question(self, title=QUESTION):
        return popup_titled(title, timeout=30)

    def assert_not_run(self, made):
        time.sleep(2)
        self.assertFalse(os.path.exists(made), "the program did not run")

    def test_a_script_asks_and_only_the_confirmed_answer_runs_it(self):
        script, made = self.script()
        window = self.open_links(script)
        send_keys(window.title, "ctrl+End", "ctrl+Home")
        self.assertIsNone(popup_titled(QUESTION, timeout=2), "loading and scrolling open nothing")
        self.assertFalse(os.path.exists(made))
        for key in ("Return", "Escape", "alt+r"):
            self.click_link(window, 0)
            asked = self.question()
            self.assertIsNotNone(asked, "one click asks first")
            self.assertIn(script, labels(asked), "the question shows the resolved path")
            self.close_popup(QUESTION, key)
            if key != "alt+r":
                self.assert_not_run(made)
        self.assertTrue(wait_until(lambda: os.path.exists(made), timeout=30), "the confirmed answer runs it")

    def test_made_up_messages_change_nothing_and_a_folder_opens_without_a_question(self):
        folder = os.path.join(self.folder, "inside")
        os.makedirs(folder)
        window = self.open_links(windows_path(folder))
        text = editor_lines(window)
        self.assertTrue(wait_until(lambda: status(window)[0][0].startswith("Notebook:"), timeout=40))
        said = status(window)[0][0]
        answer = probe("junk", str(window.handle)).strip()
        self.assertTrue(answer.startswith("sent "), "both windows took every message: %r" % answer)
        self.assertEqual([w.handle for w in main_windows()], [window.handle], "the program lives on")
        self.assertEqual(editor_lines(window), text, "with its text")
        self.assertEqual(status(window)[0][0], said)
        probe("statustext", str(window.handle))
        self.assertEqual(editor_lines(window), text)
        before = {p[0] for p in popups()}
        self.click_link(window, 0)
        self.assertTrue(wait_until(lambda: status(window)[0][0].startswith("【FILE】 ○：")), status(window)[0][0])
        self.assertIsNone(popup_titled(QUESTION, timeout=5), "no question for a folder")
        opened = wait_until(lambda: {p[0] for p in popups()} - before, timeout=30)
        self.assertTrue(opened, "the folder opens")
        for handle in opened:
            probe("wmclose", str(handle))

    def test_a_shortcut_and_a_program_on_a_share_ask_too(self):
        script, made = self.script()
        shortcut = windows_path(os.path.join(self.folder, "run.lnk"))
        probe("shortcut", shortcut, script)
        # Wine's command interpreter cannot run a batch file from a share, so the
        # share holds a program: a copy of the recorder, which waits once started.
        shutil.copy(RECORDER, os.path.join(self.folder, "run.exe"))
        share = os.path.join(os.environ["WINEPREFIX"], "dosdevices", "unc", UNC_SERVER)
        os.makedirs(share, exist_ok=True)
        self.addCleanup(shutil.rmtree, share, ignore_errors=True)
        os.symlink(self.folder, os.path.join(share, "notes"))
        on_share = "\\\\%s\\notes\\run.exe" % UNC_SERVER
        window = self.open_links(shortcut, on_share, env={"PATHBOOK_RECORDER_WAIT": "20000"})
        for row, path in ((0, shortcut), (1, on_share)):
            self.click_link(window, row)
            asked = self.question()
            self.assertIsNotNone(asked, "%s asks first" % path)
            texts = labels(asked)
            self.assertIn(path, texts)
            if row == 1:
                self.assertIn("It lies on another computer.", texts)
            self.close_popup(QUESTION, "Return")
            self.assert_not_run(made)
        self.assertFalse(programs_named("run.exe"))
        self.click_link(window, 1)
        self.assertIsNotNone(self.question())
        self.close_popup(QUESTION, "alt+r")
        self.assertTrue(wait_until(lambda: programs_named("run.exe"), timeout=30), "the program on the share ran")
        for pid in programs_named("run.exe"):
            os.kill(pid, 9)

    def test_the_question_speaks_japanese(self):
        script, made = self.script()
        window = self.open_links(script, env=JA_ENV)
        self.click_link(window, 0)
        self.assertIsNotNone(self.question(JA_QUESTION))
        self.close_popup(JA_QUESTION, "Escape")
        self.assert_not_run(made)


class SingleClickTest(PathbookTestCase):
    def test_with_single_click_off_one_click_places_the_caret_and_a_double_click_opens(self):
        target = self.note("target.txt", b"the target\r\n")
        write_settings(SingleClick=0)
        _, _, window = self.open_note("links.txt", ("see <%s>\r\n" % windows_path(target)).encode())
        on_view(window, 80, ROW // 2, "click", "1")
        time.sleep(3)
        self.assertEqual(len(main_windows()), 1, "one click opens nothing")
        self.assertEqual(probe("caret", str(window.handle)).split()[0], "1", "the caret is in the view")
        on_view(window, 80, ROW // 2, "click", "--repeat", "2", "--delay", "80", "1")
        self.wait_for_title(title_of(target))


class HungInstanceTest(PathbookTestCase):
    def test_a_hung_instance_does_not_freeze_another_that_opens_a_note(self):
        _, _, hung = self.open_note("hung.txt")
        untitled = self.start_untitled("-n")
        wanted = self.note("wanted.txt")
        probe("suspend", str(hung.handle))
        try:
            started = time.monotonic()
            probe("drop", str(untitled.handle), windows_path(wanted))
            self.wait_for_title(title_of(wanted), timeout=30)
            self.assertLess(time.monotonic() - started, 25, "the note opened without waiting for the hung window")
            answer = probe("ping", str(untitled.handle)).strip()
            self.assertTrue(answer.isdigit() and int(answer) < 1000, "the window answers: %r" % answer)
        finally:
            # Before the test ends, so that the hung window can close like the others.
            probe("resume", str(hung.handle))
