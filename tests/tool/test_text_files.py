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
