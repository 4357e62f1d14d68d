"""Start-up and exit of Pathbook.exe: the window, closing it, the hand-off to a
running instance, and -n."""

from harness import (EN, JA, JA_ENV, PathbookTestCase, click_on_desktop, close_box, main_windows, send_keys,
                     title_of, wait_until, windows_path)

TITLE = title_of(None)


class StartUpTest(PathbookTestCase):
    def test_window_appears_and_closes_with_ctrl_f4_or_alt_f4(self):
        for env, name, keys in (({}, EN, "ctrl+F4"), ({}, EN, "alt+F4"), (JA_ENV, JA, "ctrl+F4")):
            with self.subTest(name=name, keys=keys):
                process = self.start(env=env)
                (window,) = self.wait_for_windows(1)
                self.assertEqual(window.title, title_of(None, name=name))
                send_keys(window.title, keys)
                self.assertEqual(process.wait(timeout=30), 0)
                self.assertEqual(main_windows(), [])

    def test_close_box_closes_the_window(self):
        desktop = "pathbook-e2e"
        self.start_on_desktop(desktop)
        (window,) = self.wait_for_windows(1, desktop=desktop)
        click_on_desktop(desktop, *close_box(window, desktop))
        self.assertTrue(wait_until(lambda: not main_windows(desktop), timeout=30))

    def test_a_second_start_raises_the_first_and_exits_unless_told_n(self):
        first = self.start()
        (window,) = self.wait_for_windows(1)
        # Without arguments or with a folder, the second start hands off to the first.
        for args in ((), (windows_path(self.folder),)):
            with self.subTest(args=args):
                self.assertEqual(self.start(*args).wait(timeout=60), 0)
                self.assertEqual([w.handle for w in main_windows()], [window.handle])
                self.assertTrue(wait_until(lambda: main_windows()[0].foreground, timeout=10))
                self.assertIsNone(first.poll())
        self.start("-n")
        self.assertEqual([w.title for w in self.wait_for_windows(2)], [TITLE, TITLE])

    def test_each_surplus_file_gets_a_process_of_its_own(self):
        self.start(*(windows_path(self.note(name)) for name in ("a.txt", "b.txt", "c.txt")))
        self.assertEqual(len(self.wait_for_windows(3)), 3)
