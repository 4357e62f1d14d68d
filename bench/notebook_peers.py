#!/usr/bin/env python3
"""pathbook-tool's notebook commands on the linked notebook corpus, whole processes.

Search: `pathbook-tool notes-search WORD DIR` beside `rg -F -c WORD DIR` on the
UTF-8 notebook (make_corpus.py --notebook-utf8: ripgrep reads only UTF-8),
warm (every file read once before timing), the runs alternating so that both
see the same machine. The tool keeps the notebook's index in a cache folder
(build/notebook_cache) and reads again only the notes that changed; its
--no-cache run reads and decodes every note, as a first run does.
Index: `pathbook-tool --acp 932 backlinks --no-cache DIR NOTE` on the mixed
notebook (UTF-8, Shift_JIS and EUC-JP), which builds the index of 10,000
notes from the files, with its peak memory.
Each figure is the best and the median of RUNS runs, in wall-clock ms.

Usage: bench/notebook_peers.py [RUNS]   (default 10; the corpora are made in
build/notebook and build/notebook_utf8 when missing). PATHBOOK_TOOL names
another pathbook-tool to measure.
"""

import os
import shutil
import statistics
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TOOL = os.environ.get("PATHBOOK_TOOL", os.path.join(REPO, "build", "native", "tools", "pathbook-tool"))
MAKE_CORPUS = "/work/shared/bench/make_corpus.py"
MIXED = os.path.join(REPO, "build", "notebook")
UTF8 = os.path.join(REPO, "build", "notebook_utf8")
CACHE = os.path.join(REPO, "build", "notebook_cache")
SCRATCH = os.path.join(REPO, "build", "notebook_out.txt")
WORDS = ["zephyr", "請求書"]


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def ensure_corpus(folder, flag):
    if not os.path.isfile(os.path.join(folder, "links.tsv")):
        subprocess.run([sys.executable, MAKE_CORPUS, flag, folder], check=True)


def timed(command):
    """Wall-clock ms of one whole run; the output goes to a file (rg and grep take
    shortcuts when they write to /dev/null)."""
    with open(SCRATCH, "wb") as out:
        start = time.perf_counter()
        subprocess.run(command, stdout=out, stderr=subprocess.DEVNULL, check=True)
        return (time.perf_counter() - start) * 1000


def warm(folder):
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        for child in sorted(os.listdir(path)) if os.path.isdir(path) else [None]:
            with open(path if child is None else os.path.join(path, child), "rb") as f:
                f.read()


def figures(times):
    return min(times), statistics.median(times)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    if shutil.which("rg") is None:
        sys.exit("ripgrep (rg) is missing: apt-get install ripgrep")
    ensure_corpus(MIXED, "--notebook")
    ensure_corpus(UTF8, "--notebook-utf8")
    warm(UTF8)
    warm(MIXED)
    print("notes-search WORD vs rg -F -c WORD on %s, whole processes, warm; best / median of %d, wall ms"
          % (os.path.relpath(UTF8, REPO), runs))
    for word in WORDS:
        cached = [TOOL, "notes-search", "--cache", windows_path(CACHE), word, windows_path(UTF8)]
        scan = [TOOL, "notes-search", "--no-cache", word, windows_path(UTF8)]
        peer = ["rg", "-F", "-c", word, UTF8]
        timed(cached)  # the first run writes the cache
        times = {"cache": [], "scan": [], "rg": []}
        for _ in range(runs):
            times["cache"].append(timed(cached))
            times["rg"].append(timed(peer))
            times["scan"].append(timed(scan))
        rg_best, rg_median = figures(times["rg"])
        for name in ("cache", "scan"):
            best, median = figures(times[name])
            print("  %-7s pathbook %-8s %6.0f / %6.0f   rg %6.0f / %6.0f   ratio %.2f / %.2f"
                  % (word, name, best, median, rg_best, rg_median, best / rg_best, median / rg_median))
    print("index of %s from the files (backlinks --no-cache, --acp 932); best / median of %d, wall ms"
          % (os.path.relpath(MIXED, REPO), runs))
    build = ["/usr/bin/time", "-f", "%M", TOOL, "--acp", "932", "backlinks", "--no-cache", windows_path(MIXED),
             windows_path(os.path.join(MIXED, "f01", "n00001.txt"))]
    times = []
    peak = 0
    for _ in range(max(3, runs // 2)):
        start = time.perf_counter()
        result = subprocess.run(build, capture_output=True, text=True, check=True)
        times.append((time.perf_counter() - start) * 1000)
        peak = max(peak, int(result.stderr.strip().splitlines()[-1]))
    best, median = figures(times)
    print("  10,000 notes: %.0f / %.0f ms, peak memory %.0f MB (links only: --no-cache keeps no texts)"
          % (best, median, peak / 1024))


if __name__ == "__main__":
    main()
