"""pathbook-tool encodings: the encoding table and the exit codes."""


from tool_harness import UNDER_WINE, ToolTestCase


class EncodingsTest(ToolTestCase):
    def rows(self, *args, env=None):
        return [line.split("\t") for line in self.ok(*args, "encodings", env=env).decode("utf-8").splitlines()]

    def test_lists_every_row_in_order(self):
        rows = self.rows()
        self.assertEqual(len(rows), 34)
        self.assertEqual(rows[0], ["0", "AutoDetect", "", "2"])
        self.assertEqual(rows[1], ["932", "Japanese(ShiftJIS)", "SJIS", "3"])
        self.assertEqual(rows[7], ["65001", "UTF-8N", "UTF8", "1"])
        self.assertEqual(rows[-1], ["437", "MSDOS(us)", "DOS", "3"])
        self.assertEqual([r[0] for r in rows[16:19]], ["1252", "1250", "949"])

    def test_japanese_names_with_code_page_932(self):
        if UNDER_WINE:
            rows = self.rows(env={"LC_ALL": "ja_JP.UTF-8"})
        else:
            rows = self.rows("--acp", "932")
        self.assertEqual(rows[0][1], "自動判定")
        self.assertEqual(rows[2][1], "日本語(EUC)")
        self.assertEqual(rows[-2][1], "ギリシャ語")

    def test_usage_errors_exit_with_2(self):
        for args in [(), ("nonsense",), ("encodings", "extra"), ("--acp",), ("--acp", "x", "encodings")]:
            self.assertIn("pathbook-tool", self.fails(2, *args))

