#!/usr/bin/env python3
"""The notebook's commands in the real Pathbook.exe under Wine, on the linked
notebook of make_corpus.py --notebook (10,000 notes, built in build/notebook when
missing), read as a Japanese user's editor reads it.

The window is started on the notebook's top note, so that the notebook is the
whole tree, then shown a note with links to it (the notebook stays, as when a
link is followed down the tree); once its index holds every note (the status
bar says so), e2e-probe.exe times, in the window's own process's messages:
- Links Here: from the command to its dialog on show (the dialog shows once its
  list is filled);
- Search notes: from a click of the dialog's Search button to the end of its
  handling, which searches every note and fills the list, for each word.
Goals: Links Here <= 50 ms, a search <= 100 ms. Each figure is the best and the
median of RUNS runs, in ms. The runs are 3 s apart: under Wine (in an X server
without a window manager) any dialog opened within about 2 s of another one
closing waits about 1.8 s for the window's activation to settle, Jump to line's
as much as these.

Usage: bench/notebook_wine.py BUILD_DIR [RUNS]   (BUILD_DIR: the windows build,
build/windows; after: source scripts/env.sh; ensure_display; start_wineserver).
"""

import os
import statistics
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAKE_CORPUS = "/work/shared/bench/make_corpus.py"
CORPUS = os.path.join(REPO, "build", "notebook")
TOP = os.path.join(CORPUS, "Home.txt")
NOTE = os.path.join(CORPUS, "f01", "n00001.txt")
LINKS_HERE, SEARCH_NOTES = "このノートへのリンク", "ノートを検索"
SEARCH_BUTTON, PATTERN_EDIT = 1305, 1302
WORDS = ["zephyr", "請求書"]
CANCEL = 2


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    os.environ.setdefault("PATHBOOK_PROBE", os.path.join(build, "tests", "e2e", "e2e-probe.exe"))
    sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
    from commands import IDM
    from harness import main_windows, popup_titled, probe, status, wait_until
    if not os.path.isfile(os.path.join(CORPUS, "links.tsv")):
        subprocess.run([sys.executable, MAKE_CORPUS, "--notebook", CORPUS], check=True)
    env = dict(os.environ, LC_ALL="ja_JP.UTF-8")
    program = subprocess.Popen(["wine", os.path.join(build, "src", "app", "Pathbook.exe"),
                                windows_path(TOP)], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_until(lambda: next(iter(main_windows()), None), timeout=60)
        probe("copydata", str(window.handle), "path:0:" + windows_path(NOTE))
        ready = wait_until(lambda: status(window)[0][0] == "ノートブック: 10,001 個のノート"
                           or status(window)[0][0] == "ノートブック: 10001 個のノート", timeout=300, interval=1)
        if not ready:
            sys.exit("the index was not built: %r" % status(window)[0][0])
        print("%s, %s" % (os.path.relpath(CORPUS, REPO), status(window)[0][0]))

        def timed(*args):
            return float(probe(*args).strip())

        def close(caption):
            box = popup_titled(caption)
            probe("command", str(box[0]), str(CANCEL))
            wait_until(lambda: popup_titled(caption, timeout=0) is None)
            time.sleep(3)

        times = {"links here": []}
        times.update({word: [] for word in WORDS})
        for _ in range(runs):
            times["links here"].append(timed("timedcommand", str(window.handle), str(IDM.LINKS_HERE), LINKS_HERE))
            close(LINKS_HERE)
            # A dialog of its own for each word: after a search that finds something, Search
            # (the default button) opens the list's row.
            for word in WORDS:
                timed("timedcommand", str(window.handle), str(IDM.SEARCH_NOTES), SEARCH_NOTES)
                box = popup_titled(SEARCH_NOTES)
                times[word].append(timed("timedclick", str(box[0]), str(SEARCH_BUTTON), str(PATTERN_EDIT), word))
                close(SEARCH_NOTES)
        for name, values in times.items():
            goal = 50 if name == "links here" else 100
            label = name if name == "links here" else "search " + name
            print("  %-16s best %6.1f  median %6.1f ms   (goal <= %d ms)   %s"
                  % (label, min(values), statistics.median(values), goal, " ".join("%.0f" % v for v in values)))
        probe("command", str(window.handle), str(IDM.EXIT))
        program.wait(timeout=60)
    finally:
        if program.poll() is None:
            program.kill()


if __name__ == "__main__":
    main()
