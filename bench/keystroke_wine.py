#!/usr/bin/env python3
"""Keystroke to painted row under Wine, in a 1,000-line and a 1,000,000-line document.

e2e-view-host.exe --keys types letters into the middle of the document and times
each WM_CHAR together with the WM_PAINT it causes. The two sizes alternate, so
both see the same machine; the medians are compared. The goal: the larger
document costs at most 1.2x the smaller, and a keystroke leaves one row invalid.

Usage: bench/keystroke_wine.py VIEW_HOST_EXE [runs] [keys]   (after: source
scripts/env.sh; ensure_display; start_wineserver).
"""

import re
import statistics
import subprocess
import sys


def sample(host, lines, keys):
    out = subprocess.run(["wine", host, "--lines", str(lines), "--keys", str(keys)], capture_output=True, text=True,
                         timeout=600).stdout
    match = re.search(r"key ([\d.]+) invalid (\d+) row (\d+)", out)
    if not match:
        raise RuntimeError("no timing from the view host: %r" % out)
    return float(match.group(1)), int(match.group(2)), int(match.group(3))


def main():
    host = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    keys = int(sys.argv[3]) if len(sys.argv) > 3 else 400
    sizes = (1000, 1000000)
    times = {size: [] for size in sizes}
    one_row = True
    for _ in range(runs):
        for size in sizes:
            per_key, invalid, row = sample(host, size, keys)
            times[size].append(per_key)
            one_row = one_row and invalid == row
    for size in sizes:
        print("%9d lines: median %.3f ms per keystroke, best %.3f" % (size, statistics.median(times[size]),
                                                                      min(times[size])))
    ratio = statistics.median(times[sizes[1]]) / statistics.median(times[sizes[0]])
    print("ratio %.2f (goal <= 1.2); each keystroke invalidated %s" % (ratio, "one row" if one_row else "MORE"))


if __name__ == "__main__":
    main()
