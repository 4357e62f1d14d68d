"""detect, decode, encode and convert: files in and out through the real
detection, decoders and encoders."""

import os
import unittest

from tool_harness import TOOL, TempDir, run_tool, tool_path

JAPANESE = "会議の議事録 <..\\メモ.txt>\r\n2行目\r\n"


@unittest.skipUnless(TOOL, "needs PATHBOOK_TOOL")
class TextFileCommandsTest(unittest.TestCase):
    def write(self, folder, name, data):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_detect_reports_encoding_and_line_ends(self):
        with TempDir() as folder:
            cases = [
                (b"\xef\xbb\xbfabc\r\ndef\r\n", "charset=-65001 lineend=2 nobreaks=0"),
                (b"\xff\xfea\x00\n\x00b\x00\n\x00", "charset=-4 lineend=1 nobreaks=0"),
                (b"no breaks at all", "charset=1252 lineend=2 nobreaks=1"),
                (b"a\rb\rc\r", "charset=1252 lineend=0 nobreaks=0"),
            ]
            for data, expected in cases:
                path = self.write(folder, "f.txt", data)
                code, out, err = run_tool("detect", tool_path(path))
                self.assertEqual((code, out.decode().strip()), (0, expected), data)

    def test_decode_joins_lines_with_lf(self):
        with TempDir() as folder:
            path = self.write(folder, "f.txt", "日本\r\nabc\r\n".encode("utf-8-sig"))
            code, out, err = run_tool("decode", tool_path(path))
            self.assertEqual(code, 0, err)
            self.assertEqual(out.decode("utf-16-le"), "日本\nabc\n")

    def test_decode_writes_every_line_of_a_long_file(self):
        lines = ["line %d %s" % (n, "x" * (n % 40)) for n in range(3000)] + [""]
        with TempDir() as folder:
            path = self.write(folder, "f.txt", "\r\n".join(lines).encode("utf-8"))
            code, out, err = run_tool("decode", tool_path(path))
            self.assertEqual(code, 0, err)
            self.assertEqual(out.decode("utf-16-le"), "\n".join(lines))

    def test_decode_with_a_code_page_the_system_lacks_detects_instead(self):
        with TempDir() as folder:
            path = self.write(folder, "f.txt", "日本\r\nabc".encode("utf-8-sig"))
            code, out, err = run_tool("decode", "-c", "12345", tool_path(path))
            self.assertEqual(code, 0, err)
            self.assertEqual(out.decode("utf-16-le"), "日本\nabc")

    def test_convert_round_trips_through_shift_jis(self):
        with TempDir() as folder:
            source = self.write(folder, "in.txt", JAPANESE.encode("utf-8"))
            sjis = os.path.join(folder, "sjis.txt")
            back = os.path.join(folder, "back.txt")
            code, _, err = run_tool("convert", "-c", "65001", "-o", "932", tool_path(source), tool_path(sjis))
            self.assertEqual(code, 0, err)
            with open(sjis, "rb") as f:
                self.assertEqual(f.read(), JAPANESE.encode("cp932"))
            code, _, err = run_tool("convert", "-c", "932", "-o", "65001", tool_path(sjis), tool_path(back))
            self.assertEqual(code, 0, err)
            with open(back, "rb") as f:
                self.assertEqual(f.read(), JAPANESE.encode("utf-8"))

    def test_encode_writes_mark_and_chosen_line_end(self):
        with TempDir() as folder:
            out = os.path.join(folder, "out.txt")
            code, _, err = run_tool("encode", "-c", "-3", "-l", "0", tool_path(out),
                                    stdin="a\r\nb".encode("utf-16-le"))
            self.assertEqual(code, 0, err)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), b"\xfe\xff\x00a\x00\r\x00b")

    def test_a_lossy_save_is_refused_unless_lossy(self):
        text = "abc\r\nx日本語 ☃"
        with TempDir() as folder:
            out = os.path.join(folder, "out.txt")
            self.write(folder, "out.txt", b"the user's text")
            code, _, err = run_tool("encode", "-c", "1252", tool_path(out), stdin=text.encode("utf-16-le"))
            self.assertEqual(code, 1)
            self.assertIn("U+65E5 (日) at line 2, column 2", err)
            self.assertIn("--lossy", err)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), b"the user's text")
            self.assertEqual(sorted(os.listdir(folder)), ["out.txt"])
            code, _, err = run_tool("encode", "-c", "1252", "--lossy", tool_path(out),
                                    stdin=text.encode("utf-16-le"))
            self.assertEqual(code, 0, err)
            with open(out, "rb") as f:
                self.assertEqual(f.read(), b"abc\r\nx??? ?")

    def test_convert_refuses_what_the_target_encoding_cannot_hold(self):
        with TempDir() as folder:
            source = self.write(folder, "in.txt", "ok\r\n€ and 한\r\n".encode("utf-8"))
            target = os.path.join(folder, "sjis.txt")
            code, _, err = run_tool("convert", "-c", "65001", "-o", "932", tool_path(source), tool_path(target))
            self.assertEqual(code, 1)
            self.assertIn("U+20AC (€) at line 2, column 1", err)
            self.assertFalse(os.path.exists(target))
            code, _, err = run_tool("convert", "-c", "65001", "-o", "932", "--lossy", tool_path(source),
                                    tool_path(target))
            self.assertEqual(code, 0, err)
            self.assertTrue(os.path.exists(target))

    def test_windows_1252_round_trips_every_byte(self):
        data = bytes(b for b in range(256) if b not in (0x0A, 0x0D)) + b"\r\n"
        with TempDir() as folder:
            source = self.write(folder, "all.txt", data)
            target = os.path.join(folder, "back.txt")
            code, _, err = run_tool("convert", "-c", "1252", tool_path(source), tool_path(target))
            self.assertEqual(code, 0, err)
            with open(target, "rb") as f:
                self.assertEqual(f.read(), data)
            path = self.write(folder, "quotes.txt", b"\x93quoted\x94 \x80")
            code, out, err = run_tool("decode", "-c", "1252", tool_path(path))
            self.assertEqual(out.decode("utf-16-le"), "“quoted” €")

    def test_an_encoding_outside_the_table_is_never_used(self):
        with TempDir() as folder:
            out = os.path.join(folder, "out.txt")
            code, _, err = run_tool("encode", "-c", "-99", tool_path(out), stdin="a".encode("utf-16-le"))
            self.assertEqual(code, 1)
            self.assertFalse(os.path.exists(out))

    def test_missing_file_and_bad_arguments(self):
        with TempDir() as folder:
            missing = tool_path(os.path.join(folder, "missing.txt"))
            for args in [("detect", missing), ("decode", missing), ("convert", missing, missing + "2")]:
                code, out, err = run_tool(*args)
                self.assertEqual(code, 1, args)
                self.assertEqual(out, b"")
            for args in [("detect",), ("encode", "x"), ("convert", "-o", "zz", missing, missing)]:
                self.assertEqual(run_tool(*args)[0], 2, args)


if __name__ == "__main__":
    unittest.main()
