#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for the
# given number of seconds (default 60) on a copy of its committed seed corpus.
# A second argument names another preset that builds them (scalar).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"
cd "$PATHBOOK_REPO"
seconds="${1:-60}"
preset="${2:-fuzz}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
for target in build/"$preset"/fuzz/*_fuzz; do
  name="$(basename "$target")"
  work="build/$preset/corpus/$name"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" 2>&1 | tail -n 2
done
