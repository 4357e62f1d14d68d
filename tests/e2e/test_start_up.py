"""Start-up and exit of Pathbook.exe: the window, closing it, the hand-off to a
running instance, and -n."""

import os
import tempfile
import unittest

from harness import PathbookTestCase, click_on_desktop, close_box, main_windows, send_keys, wait_until

TITLE = "untitled - Pathbook"


class StartUpTest(PathbookTestCase):
    def test_window_appears_and_closes_with_ctrl_f4(self):
        process = self.start()
        (window,) = self.wait_for_windows(1)
        self.assertEqual(window.title, TITLE)
        send_keys(TITLE, "ctrl+F4")
        self.assertEqual(process.wait(timeout=30), 0)
        self.assertEqual(main_windows(), [])

    def test_system_close_ends_the_process(self):
        process = self.start()
        self.wait_for_windows(1)
        send_keys(TITLE, "alt+F4")
        self.assertEqual(process.wait(timeout=30), 0)

    def test_close_box_closes_the_window(self):
        desktop = "pathbook-e2e"
        self.start_on_desktop(desktop)
        (window,) = self.wait_for_windows(1, desktop=desktop)
        click_on_desktop(desktop, *close_box(window, desktop))
        self.assertTrue(wait_until(lambda: not main_windows(desktop), timeout=30))

    def test_second_start_raises_the_first_and_exits(self):
        first = self.start()
        (window,) = self.wait_for_windows(1)
        second = self.start()
        self.assertEqual(second.wait(timeout=60), 0)
        windows = main_windows()
        self.assertEqual([w.handle for w in windows], [window.handle])
        self.assertTrue(wait_until(lambda: main_windows()[0].foreground, timeout=10))
        self.assertIsNone(first.poll())

    def test_second_start_with_n_opens_a_second_window(self):
        self.start()
        self.wait_for_windows(1)
        self.start("-n")
        windows = self.wait_for_windows(2)
        self.assertEqual([w.title for w in windows], [TITLE, TITLE])

    def test_each_surplus_file_gets_a_process_of_its_own(self):
        with tempfile.TemporaryDirectory() as folder:
            names = []
            for name in ("a.txt", "b.txt", "c.txt"):
                with open(os.path.join(folder, name), "w") as f:
                    f.write(name)
                names.append("Z:" + os.path.join(folder, name).replace("/", "\\"))
            self.start(*names)
            self.assertEqual(len(self.wait_for_windows(3)), 3)

    def test_a_folder_argument_hands_off_like_no_argument(self):
        self.start()
        (window,) = self.wait_for_windows(1)
        with tempfile.TemporaryDirectory() as folder:
            second = self.start("Z:" + folder.replace("/", "\\"))
            self.assertEqual(second.wait(timeout=60), 0)
        self.assertEqual([w.handle for w in main_windows()], [window.handle])

    def test_japanese_user_interface(self):
        process = self.start(env={"LC_ALL": "ja_JP.UTF-8"})
        (window,) = self.wait_for_windows(1)
        self.assertEqual(window.title, "untitled - パスブック")
        send_keys("untitled - パスブック", "ctrl+F4")
        self.assertEqual(process.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
