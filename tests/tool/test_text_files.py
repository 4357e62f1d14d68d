"""detect, decode, encode and convert: files in and out through the real
detection, decoders and encoders."""

import os

from tool_harness import ToolTestCase, read_file, tool_path, write_file

JAPANESE = "会議の議事録 <..\\メモ.txt>\r\n2行目\r\n"


class TextFileCommandsTest(ToolTestCase):
    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        """Writes the file `name`; returns its path in the form the tool takes."""
        return tool_path(write_file(self.path(name), data))

    def decoded(self, *args):
        return self.ok("decode", *args).decode("utf-16-le")

    def test_detect_reports_encoding_and_line_ends(self):
        cases = [
            (b"\xef\xbb\xbfabc\r\ndef\r\n", "charset=-65001 lineend=2 nobreaks=0"),
            (b"\xff\xfea\x00\n\x00b\x00\n\x00", "charset=-4 lineend=1 nobreaks=0"),
            (b"no breaks at all", "charset=1252 lineend=2 nobreaks=1"),
            (b"a\rb\rc\r", "charset=1252 lineend=0 nobreaks=0"),
        ]
        for data, expected in cases:
            self.assertEqual(self.ok("detect", self.write("f.txt", data)).decode().strip(), expected, data)

    def test_decode_joins_lines_with_lf_and_writes_every_line(self):
        self.assertEqual(self.decoded(self.write("f.txt", "日本\r\nabc\r\n".encode("utf-8-sig"))), "日本\nabc\n")
        lines = ["line %d %s" % (n, "x" * (n % 40)) for n in range(3000)] + [""]
        self.assertEqual(self.decoded(self.write("long.txt", "\r\n".join(lines).encode("utf-8"))), "\n".join(lines))

    def test_decode_with_a_code_page_the_system_lacks_detects_instead(self):
        self.assertEqual(self.decoded("-c", "12345", self.write("f.txt", "日本\r\nabc".encode("utf-8-sig"))),
                         "日本\nabc")

    def test_convert_round_trips_through_shift_jis(self):
        source = self.write("in.txt", JAPANESE.encode("utf-8"))
        self.ok("convert", "-c", "65001", "-o", "932", source, tool_path(self.path("sjis.txt")))
        self.assertEqual(read_file(self.path("sjis.txt")), JAPANESE.encode("cp932"))
        self.ok("convert", "-c", "932", "-o", "65001", tool_path(self.path("sjis.txt")),
                tool_path(self.path("back.txt")))
        self.assertEqual(read_file(self.path("back.txt")), JAPANESE.encode("utf-8"))

    def test_encode_writes_mark_and_chosen_line_end(self):
        self.ok("encode", "-c", "-3", "-l", "0", tool_path(self.path("out.txt")), stdin="a\r\nb".encode("utf-16-le"))
        self.assertEqual(read_file(self.path("out.txt")), b"\xfe\xff\x00a\x00\r\x00b")

    def test_a_lossy_save_is_refused_unless_lossy(self):
        text = "abc\r\nx日本語 ☃".encode("utf-16-le")
        out = self.write("out.txt", b"the user's text")
        err = self.fails(1, "encode", "-c", "1252", out, stdin=text)
        self.assertIn("U+65E5 (日) at line 2, column 2", err)
        self.assertIn("--lossy", err)
        self.assertEqual(read_file(self.path("out.txt")), b"the user's text")
        self.assertEqual(sorted(os.listdir(self.folder)), ["out.txt"])
        self.ok("encode", "-c", "1252", "--lossy", out, stdin=text)
        self.assertEqual(read_file(self.path("out.txt")), b"abc\r\nx??? ?")

    def test_convert_refuses_what_the_target_encoding_cannot_hold(self):
        source = self.write("in.txt", "ok\r\n€ and 한\r\n".encode("utf-8"))
        target = tool_path(self.path("sjis.txt"))
        err = self.fails(1, "convert", "-c", "65001", "-o", "932", source, target)
        self.assertIn("U+20AC (€) at line 2, column 1", err)
        self.assertFalse(os.path.exists(self.path("sjis.txt")))
        self.ok("convert", "-c", "65001", "-o", "932", "--lossy", source, target)
        self.assertTrue(os.path.exists(self.path("sjis.txt")))

    def test_windows_1252_round_trips_every_byte(self):
        data = bytes(b for b in range(256) if b not in (0x0A, 0x0D)) + b"\r\n"
        self.ok("convert", "-c", "1252", self.write("all.txt", data), tool_path(self.path("back.txt")))
        self.assertEqual(read_file(self.path("back.txt")), data)
        self.assertEqual(self.decoded("-c", "1252", self.write("quotes.txt", b"\x93quoted\x94 \x80")), "“quoted” €")

    def test_an_encoding_outside_the_table_is_never_used(self):
        self.fails(1, "encode", "-c", "-99", tool_path(self.path("out.txt")), stdin="a".encode("utf-16-le"))
        self.assertFalse(os.path.exists(self.path("out.txt")))

    def test_missing_file_and_bad_arguments(self):
        missing = tool_path(self.path("missing.txt"))
        for args in [("detect", missing), ("decode", missing), ("convert", missing, missing + "2")]:
            self.fails(1, *args)
        for args in [("detect",), ("encode", "x"), ("convert", "-o", "zz", missing, missing)]:
            self.fails(2, *args)

