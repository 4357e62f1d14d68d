#!/usr/bin/env python3
"""A big file in the window, loaded in slices, beside decoding it alone, all under Wine.

First paint: Pathbook.exe is started with the file and the clock stops when its
main window, titled with the file's path, is mapped and visible on the X
display; the window is shown and painted right after the first slice is in.
Load complete: the clock goes on until the status bar's first part tells the
line count ("N lines"), read with e2e-probe.exe every 50 ms (each read is a
Wine process of its own: the figure is late by up to one read, about 0.1 s).
Peak memory: the largest VmHWM of the program's processes, read as the load ends;
memory once loaded: their largest VmRSS a moment later, when the file is let go.
Floor: the first paint of a one-line note in the same run, by the same clock:
what starting the program costs under Wine whatever the file (most of it is
Wine's own start of a process that opens windows), so that the big file's
share is the difference.
Decode: `pathbook-tool.exe decode FILE` with its output written to a scratch
file (see open_bench.py for why not /dev/null), timed from start to exit.
Runs warm (wineserver running, the file in the page cache) and alternate.
With --awake, one processor is kept busy at the lowest priority meanwhile, as
on a machine in use: an idle virtual machine's processors wake slowly, and on
these machines that alone doubles a start of 0.11 s.

Usage: bench/load_wine.py [--awake] PATHBOOK_EXE PATHBOOK_TOOL_EXE E2E_PROBE_EXE FILE [runs]
(after: source scripts/env.sh; ensure_display; start_wineserver). The 1 GB file:
ten copies of mixed_utf8_crlf.txt from make_corpus.py joined into one.
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


def main_window_handle(probe):
    """The first main window's handle: e2e-probe.exe lists handle, title and four flags per window."""
    for line in subprocess.run(["wine", probe], capture_output=True, text=True).stdout.splitlines():
        fields = line.split("\t")
        if len(fields) == 6 and fields[0].isdigit():
            return fields[0]
    return None


def status_first_part(probe, handle):
    lines = subprocess.run(["wine", probe, "status", handle], capture_output=True, text=True).stdout.split("\n")
    return lines[0] if lines else ""


def memory_mb(exe, field="VmHWM:"):
    """The largest `field` (VmHWM: peak, VmRSS: now) of the processes running `exe`, in MB."""
    name = os.path.basename(exe).encode()
    peak = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if name not in f.read():
                    continue
            with open("/proc/%s/status" % pid) as f:
                for line in f:
                    if line.startswith(field):
                        peak = max(peak, int(line.split()[1]) // 1024)
        except OSError:
            continue
    return peak


def start_and_wait_for_window(exe, path):
    """Starts Pathbook.exe on `path`; returns the process, when it started, and its time to a visible main window."""
    title = windows_path(path) + " - Pathbook"
    start = time.monotonic()
    process = subprocess.Popen(["wine", exe, windows_path(path)], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while not visible_window(title):
        if time.monotonic() - start > 120:
            process.kill()
            raise RuntimeError("no window titled %r" % title)
        time.sleep(0.005)
    return process, start, time.monotonic() - start


def close(process, path):
    process.kill()
    process.wait()
    while visible_window(windows_path(path) + " - Pathbook"):
        time.sleep(0.01)


def floor_sample(exe, note):
    process, _, first_paint = start_and_wait_for_window(exe, note)
    close(process, note)
    return first_paint


def load_sample(exe, probe, path):
    process, start, first_paint = start_and_wait_for_window(exe, path)
    try:
        handle = None
        while handle is None:
            handle = main_window_handle(probe)
        while not status_first_part(probe, handle).endswith(" lines"):
            if time.monotonic() - start > 300:
                raise RuntimeError("the load did not end")
            time.sleep(0.05)
        complete = time.monotonic() - start
        memory = memory_mb(exe)
        time.sleep(0.5)
        loaded = memory_mb(exe, "VmRSS:")
    finally:
        close(process, path)
    return first_paint, complete, memory, loaded


def decode_sample(tool, path):
    with tempfile.TemporaryFile() as out:
        start = time.monotonic()
        subprocess.run(["wine", tool, "decode", windows_path(path)], stdout=out, stderr=subprocess.DEVNULL,
                       check=True)
        return time.monotonic() - start


def keep_awake():
    """A spinning process at the lowest priority: it runs only when nothing else wants the processor."""
    return subprocess.Popen(["nice", "-n", "19", sys.executable, "-c", "while True: pass"])


def main():
    args = sys.argv[1:]
    spinner = keep_awake() if args[:1] == ["--awake"] else None
    if spinner:
        args = args[1:]
    try:
        with tempfile.TemporaryDirectory() as folder:
            runs = int(args[4]) if len(args) > 4 else 3
            measure(*args[:4], runs, os.path.join(folder, "one line.txt"))
    finally:
        if spinner:
            spinner.kill()


def measure(exe, tool, probe, path, runs, note):
    with open(note, "w") as f:
        f.write("one line\n")
    load_sample(exe, probe, path)  # warm-up: the file in the page cache, Wine's libraries loaded
    floor_sample(exe, note)
    times = {"first paint": [], "floor": [], "load complete": [], "decode": []}
    memory = []
    loaded = []
    for run in range(runs):
        first, complete, peak, after = load_sample(exe, probe, path)
        times["first paint"].append(first)
        times["load complete"].append(complete)
        memory.append(peak)
        loaded.append(after)
        times["decode"].append(decode_sample(tool, path))
        times["floor"].append(floor_sample(exe, note))
        print("run %d first paint %.3f s (one-line note %.3f s), load complete %.3f s (%d MB peak, %d MB loaded), "
              "decode %.3f s" % (run + 1, first, times["floor"][-1], complete, peak, after, times["decode"][-1]),
              file=sys.stderr, flush=True)
    print("%s (%.0f MB)" % (os.path.basename(path), os.path.getsize(path) / 1e6))
    for name, values in times.items():
        print("%-13s median %.3f s  best %.3f s  (%d runs)" % (name, statistics.median(values), min(values), runs))
    print("peak memory   median %d MB" % statistics.median(memory))
    print("once loaded   median %d MB" % statistics.median(loaded))


if __name__ == "__main__":
    main()
