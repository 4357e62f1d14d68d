"""link, tokens and linkstatus: recognition, classification and resolution of links."""

import os
import unittest

from tool_harness import TOOL, TempDir, run_tool, tool_path, write_file


@unittest.skipUnless(TOOL, "needs PATHBOOK_TOOL")
class LinkCommandsTest(unittest.TestCase):
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
            code, out, err = run_tool("link", text)
            self.assertEqual((code, out.decode().strip()), (0, expected), text)

    def test_tokens_marks_links_and_file_names(self):
        with TempDir() as folder:
            path = write_file(os.path.join(folder, "note.txt"), b"see <.\\a\\b.txt> <a\\b.txt>\r\n\r\nend")
            code, out, err = run_tool("tokens", tool_path(path))
            self.assertEqual(code, 0, err)
            rows = out.decode().split("\n")
            line = "see <.\\a\\b.txt> <a\\b.txt>"
            self.assertEqual(len(rows[0].split()), len(line))
            self.assertEqual(rows[1], "")
            words = [int(w, 16) for w in rows[0].split()]
            link, file_name = 0x100, 0x200
            self.assertEqual([w & link != 0 for w in words[:19]], [False] * 4 + [True] * 11 + [False] * 4)
            self.assertEqual([w & file_name != 0 for w in words[5:15]], [False] * 4 + [True] * 5 + [False])
            self.assertFalse(any(w & link for w in words[17:]), "a path without a prefix is no link")

    def test_linkstatus_finds_the_existing_part(self):
        with TempDir() as folder:
            write_file(os.path.join(folder, "sub", "x.txt"), b"x")
            base = tool_path(folder) + "\\"
            code, out, err = run_tool("linkstatus", "-b", base, ".\\sub\\x.txt")
            self.assertEqual(code, 0, err)
            self.assertTrue(out.decode().startswith("n=11 "), out)
            code, out, err = run_tool("linkstatus", "-b", base, ".\\sub\\missing\\y.txt")
            text = out.decode()
            self.assertTrue(text.startswith("n=6 text=.\\sub\\ "), text)
            self.assertIn("【FILE】 ○：", text)


@unittest.skipUnless(TOOL, "needs PATHBOOK_TOOL")
class FindCommandTest(unittest.TestCase):
    def test_find_forward_backward_and_regex(self):
        with TempDir() as folder:
            file = tool_path(write_file(os.path.join(folder, "f.txt"), b"abab\r\nxx ab\r\n4711-fix colour color\r\n"))
            code, out, _ = run_tool("find", "ab", file)
            self.assertEqual(out.decode().split(), ["0:0:2", "0:2:4", "1:3:5", "matches=3"])
            code, out, _ = run_tool("find", "-b", "ab", file)
            self.assertEqual(out.decode().split(), ["1:3:5", "0:2:4", "0:0:2", "matches=3"])
            code, out, _ = run_tool("find", "-r", "colou?r", file)
            self.assertEqual(out.decode().split(), ["2:9:15", "2:16:21", "matches=2"])
            code, out, _ = run_tool("find", "-r", "-i", "[0-9]+-[A-Z]+", file)
            self.assertEqual(out.decode().split()[0], "2:0:8")


if __name__ == "__main__":
    unittest.main()
