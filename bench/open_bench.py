#!/usr/bin/env python3
"""Opening a large notes file in the window beside decoding it alone, both under Wine.

Window: Pathbook.exe is started with the file and the clock stops when its main
window, titled with the file's path, is mapped and visible on the X display.
The window is shown only after the document has been loaded and laid out, and
is painted as it is shown, so this is the time to the first painted screen.
Decode: `pathbook-tool.exe decode FILE` (detection, decoding, document fill,
classification, the text written out) with its output written to a scratch
file, timed from start to exit. Not to /dev/null: Wine writes to a character
device more than ten times slower than to a file, which would time Wine.
Both run warm (wineserver already running) and alternate, so both see the
same machine.

Usage: bench/open_bench.py PATHBOOK_EXE PATHBOOK_TOOL_EXE FILE [runs]
(after: source scripts/env.sh; ensure_display; start_wineserver). Corpus:
bench/make_corpus.py build/corpus (mixed_utf8_crlf.txt is
the 100 MB notes file). Prints the median and best of each and the ratio of
the medians.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def visible_window(title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title.replace("\\", "\\\\")],
                            capture_output=True, text=True)
    return result.stdout.split()


def open_sample(exe, path):
    title = windows_path(path) + " - Pathbook"
    start = time.monotonic()
    process = subprocess.Popen(["wine", exe, windows_path(path)], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while not visible_window(title):
        if time.monotonic() - start > 120:
            process.kill()
            raise RuntimeError("no window titled %r" % title)
        time.sleep(0.005)
    elapsed = time.monotonic() - start
    process.kill()
    process.wait()
    while visible_window(title):
        time.sleep(0.01)
    return elapsed


def decode_sample(tool, path):
    with tempfile.TemporaryFile() as out:
        start = time.monotonic()
        subprocess.run(["wine", tool, "decode", windows_path(path)], stdout=out, stderr=subprocess.DEVNULL,
                       check=True)
        return time.monotonic() - start


def main():
    exe, tool, path = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    samples = {"window": lambda: open_sample(exe, path), "decode": lambda: decode_sample(tool, path)}
    for take in samples.values():
        take()  # warm-up: the file in the page cache, Wine's libraries loaded
    times = {name: [] for name in samples}
    for run in range(runs):
        for name, take in samples.items():
            times[name].append(take())
            print("run %d %-7s %.3f s" % (run + 1, name, times[name][-1]), file=sys.stderr, flush=True)
    size = os.path.getsize(path) / 1e6
    print("%s (%.0f MB)" % (os.path.basename(path), size))
    for name, values in times.items():
        print("%-7s median %.3f s  best %.3f s  (%d runs)" % (name, statistics.median(values), min(values), runs))
    print("ratio window/decode: %.2f" % (statistics.median(times["window"]) / statistics.median(times["decode"])))


if __name__ == "__main__":
    main()
