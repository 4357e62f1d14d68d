#!/usr/bin/env python3
"""Start-up time of Pathbook.exe beside Wine's own notepad.exe, in one run.

Each sample starts the program under Wine (wineserver already running, so the
runs are warm) and stops the clock when its main window is mapped and visible
on the X display, which happens after the window has been created, laid out
and painted once. The two programs alternate, so both see the same machine.

Usage: scripts/startup_bench.py PATHBOOK_EXE [runs]   (after: source scripts/env.sh;
ensure_display; start_wineserver). Prints the median and best time of each and
the ratio of the medians.
"""

import os
import statistics
import subprocess
import sys
import time


def visible_window(title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                            capture_output=True, text=True)
    return result.stdout.split()


def sample(command, title):
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not visible_window(title):
        if time.monotonic() - start > 30:
            raise RuntimeError("no window titled %r" % title)
        time.sleep(0.002)
    elapsed = time.monotonic() - start
    process.kill()
    process.wait()
    while visible_window(title):
        time.sleep(0.01)
    return elapsed


def main():
    exe = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    env_title = "untitled - Pathbook"
    programs = {
        "Pathbook.exe": (["wine", exe, "-n"], env_title),
        "notepad.exe": (["wine", "notepad.exe"], "Untitled - Notepad"),
    }
    times = {name: [] for name in programs}
    for name, (command, title) in programs.items():
        sample(command, title)  # warm-up, not counted
    for _ in range(runs):
        for name, (command, title) in programs.items():
            times[name].append(sample(command, title))
    for name, values in times.items():
        print("%-13s median %.3f s  best %.3f s  (%d runs)" % (name, statistics.median(values), min(values), runs))
    ratio = statistics.median(times["Pathbook.exe"]) / statistics.median(times["notepad.exe"])
    print("ratio Pathbook/notepad: %.2f" % ratio)


if __name__ == "__main__":
    main()
