"""link, tokens and linkstatus: recognition, classification and resolution of links."""

import os

from tool_harness import ToolTestCase, tool_path, write_file


class LinkCommandsTest(ToolTestCase):
    def test_link_measures_and_classifies(self):
        cases = [
            ("C:\\Windows\\Fonts>", "match=16 kind=2"),
            ("..\\>", "match=3 kind=2"),
            ("https://example.org/a?b=c>", "match=25 kind=3"),
            ("#page>", "match=5 kind=1"),
            (".txt>", "match=0 kind=2"),
            ("plain>", "match=0 kind=0"),
        ]
        for text, expected in cases:
            self.assertEqual(self.ok("link", text).decode().strip(), expected, text)

    def test_tokens_marks_links_and_file_names(self):
        path = write_file(os.path.join(self.folder, "note.txt"), b"see <.\\a\\b.txt> <a\\b.txt>\r\n\r\nend")
        rows = self.ok("tokens", tool_path(path)).decode().split("\n")
        line = "see <.\\a\\b.txt> <a\\b.txt>"
        self.assertEqual(len(rows[0].split()), len(line))
        self.assertEqual(rows[1], "")
        words = [int(w, 16) for w in rows[0].split()]
        link, file_name = 0x100, 0x200
        self.assertEqual([w & link != 0 for w in words[:19]], [False] * 4 + [True] * 11 + [False] * 4)
        self.assertEqual([w & file_name != 0 for w in words[5:15]], [False] * 4 + [True] * 5 + [False])
        self.assertFalse(any(w & link for w in words[17:]), "a path without a prefix is no link")

    def test_linkstatus_finds_the_existing_part(self):
        write_file(os.path.join(self.folder, "sub", "x.txt"), b"x")
        base = tool_path(self.folder) + "\\"
        out = self.ok("linkstatus", "-b", base, ".\\sub\\x.txt")
        self.assertTrue(out.decode().startswith("n=11 "), out)
        text = self.ok("linkstatus", "-b", base, ".\\sub\\missing\\y.txt").decode()
        self.assertTrue(text.startswith("n=6 text=.\\sub\\ "), text)
        self.assertIn("【FILE】 ○：", text)


class FindCommandTest(ToolTestCase):
    def test_find_forward_backward_and_regex(self):
        file = tool_path(write_file(os.path.join(self.folder, "f.txt"), b"abab\r\nxx ab\r\n4711-fix colour color\r\n"))
        cases = [
            (["ab"], ["0:0:2", "0:2:4", "1:3:5", "matches=3"]),
            (["-b", "ab"], ["1:3:5", "0:2:4", "0:0:2", "matches=3"]),
            (["-r", "colou?r"], ["2:9:15", "2:16:21", "matches=2"]),
            # Each search starts one unit after the last match began.
            (["-r", "-i", "[0-9]+-[A-Z]+"], ["2:0:8", "2:1:8", "2:2:8", "2:3:8", "matches=4"]),
        ]
        for args, expected in cases:
            self.assertEqual(self.ok("find", *args, file).decode().split(), expected, args)

