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
# One target per core at a time; each prints its report when it ends (all of
# it when it found a fault, and then leaves a mark that fails the run).
failed_mark="build/$preset/corpus/failed"
rm -f "$failed_mark"
fuzz_one() {
  local target="$1" name work log
  name="$(basename "$target")"
  work="build/$preset/corpus/$name"
  log="build/$preset/corpus/$name.log"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  if "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" >"$log" 2>&1; then
    printf 'fuzz: %s for %ss\n%s\n' "$name" "$seconds" "$(tail -n 2 "$log")"
  else
    printf 'fuzz: %s FAILED\n%s\n' "$name" "$(cat "$log")"
    touch "$failed_mark"
  fi
}
for target in build/"$preset"/fuzz/*_fuzz; do
  while (($(jobs -rp | wc -l) >= $(nproc))); do wait -n || true; done
  fuzz_one "$target" &
done
wait
[ ! -e "$failed_mark" ]
