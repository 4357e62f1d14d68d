"""pathbook-tool --help, COMMAND --help and --version."""

import re

from tool_harness import ToolTestCase, run_tool

COMMANDS = ["encodings", "detect", "decode", "encode", "convert", "link", "tokens", "find", "linkstatus",
            "notes-search", "backlinks", "brokenlinks"]


class HelpTest(ToolTestCase):
    def help_text(self, *args):
        code, out, err = run_tool(*args)
        self.assertEqual((code, err), (0, ""))
        return out.decode("utf-8")

    def test_tool_help_lists_every_command(self):
        for flag in ("--help", "-h"):
            text = self.help_text(flag)
            self.assertTrue(text.startswith("Usage: pathbook-tool [--acp N] COMMAND"))
            listed = re.findall(r"^  ([\w-]+) +\S", text.split("Commands:\n")[1], re.M)
            self.assertEqual(listed[:len(COMMANDS)], COMMANDS)
            self.assertIn("Exit status", text)

    def test_each_command_has_its_own_help_naming_its_options_and_formats(self):
        words = {"convert": ["-c IN", "-o ID", "-l N"],
                 "notes-search": ["RELPATH<TAB>LINE:START:END", "-r", "-i", "--no-cache"],
                 "backlinks": ["RELPATH<TAB>LINE", "links=<N> notes=<F>"],
                 "brokenlinks": ["LINE:START:END<TAB>N", "broken=<B> links=<L>"]}
        for command in COMMANDS:
            text = self.help_text(command, "--help")
            self.assertTrue(text.startswith("Usage: pathbook-tool [--acp N] " + command), command)
            self.assertEqual(text, self.help_text("help", command))
            for word in words.get(command, []):
                self.assertIn(word, text, command)

    def test_help_after_the_end_of_flags_is_an_argument(self):
        self.assertIn("cannot open --help", self.fails(1, "detect", "--", "--help"))

    def test_version_is_the_project_version(self):
        self.assertRegex(self.help_text("--version"), r"^pathbook-tool \d+\.\d+\.\d+\n$")

    def test_unknown_command_points_to_help(self):
        self.assertIn("--help", self.fails(2, "frobnicate"))
        self.fails(2, "help", "frobnicate")

