"""Japanese input through a real input method: an X input-method server (uim with
the Anthy engine) that Wine's IMM talks to, driven by key events as a user types
them. Romaji become kana in the composition, Space converts, Enter commits."""

import os
import shutil
import subprocess
import time

from harness import PathbookTestCase, editor_text, press, send_keys, wait_until

JA_UI = "untitled - パスブック"


class InputMethodTest(PathbookTestCase):
    def setUp(self):
        if not shutil.which("uim-xim"):
            self.skipTest("needs uim-xim and uim-anthy")
        super().setUp()
        self.server = subprocess.Popen(["uim-xim", "--engine=anthy-utf8"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, env=self.ime_env())
        time.sleep(1)  # the server announces itself on the display

    def tearDown(self):
        super().tearDown()
        self.server.kill()
        self.server.wait(timeout=30)

    @staticmethod
    def ime_env():
        return dict(os.environ, LC_ALL="ja_JP.UTF-8", XMODIFIERS="@im=uim")

    def type_japanese(self, romaji):
        """Turns the input method on, composes `romaji`, converts and commits it."""
        send_keys(JA_UI, "shift+space")
        subprocess.run(["xdotool", "type", "--delay", "60", romaji], timeout=60, check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "space"], timeout=30, check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "Return"], timeout=30, check=True)

    def test_a_converted_word_goes_in_as_one_step(self):
        self.start("-n", env=self.ime_env())
        window = self.wait_for_title(JA_UI)
        self.type_japanese("nihonngo")
        self.assertTrue(wait_until(lambda: editor_text(window) == "日本語", timeout=10),
                        "the committed word is in the text: %r" % editor_text(window))
        # Back to direct input: letters go in as they are, after the word.
        press("shift+space")
        subprocess.run(["xdotool", "type", "--delay", "60", "ok"], timeout=60, check=True)
        self.assertTrue(wait_until(lambda: editor_text(window) == "日本語ok", timeout=10), editor_text(window))
        for _ in range(2):
            if editor_text(window) != "日本語":
                press("ctrl+z")
                time.sleep(0.3)
        self.assertEqual(editor_text(window), "日本語", "undo takes out the letters typed directly")
        press("ctrl+z")
        self.assertTrue(wait_until(lambda: editor_text(window) == "", timeout=10),
                        "one undo step takes out the whole committed word: %r" % editor_text(window))
