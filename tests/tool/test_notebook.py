"""notes-search, backlinks and brokenlinks: a notebook of notes in several
encodings, read as the editor reads them, its links resolved as a click
resolves them."""

import os

from tool_harness import ToolTestCase, run_tool, tool_path, write_file

EUC_JP_MEMO = "日本語のメモ <..\\Home.txt> colour\n"

NOTES = {
    "Home.txt": ("<.\\a.txt> <.\\sub\\b.txt>\r\n<#Home.txt> color zephyr\r\n", "utf-8"),
    "a.txt": ("Zephyr <.\\sub\\b.txt>\n<.\\missing.txt> <.\\a.txt>\n", "utf-8"),
    "sub/b.txt": (EUC_JP_MEMO, "euc_jp"),
    "sub/sjis.txt": ("日本語のメモ <..\\a.txt> 日本\r\n", "cp932"),
    "sub/utf16.txt": ("<..\\Home.txt> zephyr\r\n", "utf-16"),
    "notes.md": ("<.\\Home.txt> zephyr", "utf-8"),
}


def japanese_code_page():
    """--acp 932 when the tool can read Shift_JIS as the ANSI code page here, else nothing."""
    code, _, _ = run_tool("--acp", "932", "encodings")
    return ["--acp", "932"] if code == 0 else []


class NotebookCommandsTest(ToolTestCase):
    def setUp(self):
        super().setUp()
        self.root = os.path.join(self.folder, "nb")
        self.cache = os.path.join(self.folder, "cache")
        for name, (text, encoding) in NOTES.items():
            write_file(os.path.join(self.root, name), text.encode(encoding))
        write_file(os.path.join(self.root, "binary.txt"), b"zephyr\0<.\\Home.txt>")
        self.acp = japanese_code_page()

    def tool(self, *args, cache=True):
        options = ["--cache", tool_path(self.cache)] if cache else ["--no-cache"]
        command, rest = args[0], list(args[1:])
        return self.ok(*self.acp, command, *(options if command != "brokenlinks" else []), *rest).decode().splitlines()

    def test_notes_search_lists_every_match_sorted(self):
        for cache in (False, True, True):
            self.assertEqual(self.tool("notes-search", "zephyr", tool_path(self.root), cache=cache),
                             ["Home.txt\t1:18:24", "sub/utf16.txt\t0:14:20", "matches=2 files=2"])
            self.assertEqual(self.tool("notes-search", "-i", "ZEPHYR", tool_path(self.root), cache=cache)[:2],
                             ["Home.txt\t1:18:24", "a.txt\t0:0:6"])
            self.assertEqual(self.tool("notes-search", "-r", "colou?r", tool_path(self.root), cache=cache),
                             ["Home.txt\t1:12:17", "sub/b.txt\t0:21:27", "matches=2 files=2"])
        if self.acp:
            self.assertEqual(self.tool("notes-search", "日本", tool_path(self.root)),
                             ["sub/b.txt\t0:0:2", "sub/sjis.txt\t0:0:2", "sub/sjis.txt\t0:18:20",
                              "matches=3 files=2"])
        self.assertEqual(self.tool("notes-search", "-r", "(", tool_path(self.root)), ["matches=0 files=0"])
        self.assertTrue(os.listdir(self.cache))

    def test_notes_search_agrees_with_find_note_by_note(self):
        for pattern, flags in (("e", []), ("ab", ["-i"]), ("[a-z]+", ["-r"]), ("<", [])):
            lines = self.tool("notes-search", *flags, pattern, tool_path(self.root))
            by_note = {}
            for line in lines[:-1]:
                path, place = line.split("\t")
                by_note.setdefault(path, []).append(place)
            for name in NOTES:
                if not name.endswith(".txt"):
                    continue
                found = self.ok(*self.acp, "find", *flags, pattern, tool_path(os.path.join(self.root, name)))
                self.assertEqual(found.decode().split()[:-1], by_note.get(name, []), (pattern, name))
            matches = sum(len(places) for places in by_note.values())
            self.assertEqual(lines[-1], "matches=%d files=%d" % (matches, len(by_note)))

    def test_backlinks_of_every_note(self):
        expected = {
            "Home.txt": ["Home.txt\t1", "sub/b.txt\t0", "sub/utf16.txt\t0"],
            "a.txt": ["Home.txt\t0", "a.txt\t1", "sub/sjis.txt\t0"],
            "sub/b.txt": ["Home.txt\t0", "a.txt\t0"],
            "missing.txt": ["a.txt\t1"],
            "nowhere.txt": [],
        }
        for cache in (False, True):
            for note, links in expected.items():
                lines = self.tool("backlinks", tool_path(self.root), tool_path(os.path.join(self.root, note)),
                                  cache=cache)
                notes = len(set(line.split("\t")[0] for line in links))
                self.assertEqual(lines, links + ["links=%d notes=%d" % (len(links), notes)], note)

    def test_brokenlinks_gives_the_existing_part(self):
        note = write_file(os.path.join(self.root, "check.txt"),
                          b"<.\\a.txt> <.\\sub\\gone.txt>\r\n<#sub\\b.txt> <..\\nb\\none\\x.txt> <http://example.org/>\r\n")
        self.assertEqual(self.tool("brokenlinks", tool_path(note)),
                         ["0:11:25\t6", "1:14:30\t6", "broken=2 links=4"])

    def test_failures_and_usage(self):
        missing = tool_path(os.path.join(self.folder, "missing"))
        for args in (["notes-search", "x", missing], ["backlinks", missing, missing], ["brokenlinks", missing]):
            self.assertIn("pathbook-tool:", self.fails(1, *args))
        for args in (["notes-search", "x"], ["backlinks", "a"], ["brokenlinks"], ["notes-search", "-q", "x", "y"],
                     ["notes-search", "--cache"], ["backlinks", "--cache=x", "--bogus", "a", "b"]):
            self.fails(2, *args)

