"""Runs pathbook-tool, natively or under Wine, as a user would."""

import os
import subprocess
import tempfile
import unittest

TOOL = os.environ.get("PATHBOOK_TOOL", "")
RUNNER = os.environ.get("PATHBOOK_TOOL_RUNNER", "")
UNDER_WINE = bool(RUNNER)


def run_tool(*args, stdin=b"", env=None):
    """Returns (exit code, stdout bytes, stderr text)."""
    command = ([RUNNER] if RUNNER else []) + [TOOL] + list(args)
    result = subprocess.run(command, input=stdin, capture_output=True, timeout=300,
                            env=dict(os.environ, **(env or {})))
    return result.returncode, result.stdout, result.stderr.decode("utf-8", "replace")


def tool_path(path):
    """A path of this machine in the Windows form the program takes, drive Z:
    being the root (under Wine, and in the native build too)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def write_file(path, data):
    """Writes `data` (bytes) to `path`, making its folder; returns the path."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return path


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


@unittest.skipUnless(TOOL, "needs PATHBOOK_TOOL")
class ToolTestCase(unittest.TestCase):
    """A test of the tool with a temporary folder of its own."""

    def setUp(self):
        temp = tempfile.TemporaryDirectory(prefix="pathbook-tool-")
        self.addCleanup(temp.cleanup)
        self.folder = temp.name

    def ok(self, *args, stdin=b"", env=None):
        """Runs the tool, expecting success; returns its output."""
        code, out, err = run_tool(*args, stdin=stdin, env=env)
        self.assertEqual(code, 0, err)
        return out

    def fails(self, code, *args, stdin=b""):
        """Runs the tool, expecting exit code `code` and nothing on stdout; returns stderr."""
        got, out, err = run_tool(*args, stdin=stdin)
        self.assertEqual((got, out), (code, b""), args)
        return err
