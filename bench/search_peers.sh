#!/usr/bin/env bash
# Search figures side by side with the peers: plain search of a rare word
# against grep -F, regexes against RE2 line by line (bench/search_re2_peer),
# and a never-matching regex on one 10 MB line against the same text cut into
# 100-character lines. Every figure is the best of three runs, in wall-clock
# milliseconds (the tools time their search alone; grep is timed whole, and its
# processor time is shown beside it).
# Usage: bench/search_peers.sh [CORPUS_DIR]   (default build/corpus, made when missing)
# CORPUS_DIR is only read: derived files go to build/search_corpus.
# PATHBOOK_TOOL names another pathbook-tool to measure (an earlier build, say).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
corpus="${1:-$repo/build/corpus}"
tool="${PATHBOOK_TOOL:-$repo/build/native/tools/pathbook-tool}"
re2peer="$repo/build/native/bench/search_re2_peer"
derived="$repo/build/search_corpus"
runs=3
[ -f "$corpus/single_line_10mb.txt" ] || "$repo/bench/make_corpus.py" "$corpus"
mkdir -p "$derived"
split="$derived/single_line_split100.txt"
[ "$split" -nt "$corpus/single_line_10mb.txt" ] || python3 -c "
import sys
text = open(sys.argv[1], encoding='utf-8').read()
open(sys.argv[2], 'w', encoding='utf-8', newline='\n').write('\n'.join(text[i:i + 100] for i in range(0, len(text), 100)))
" "$corpus/single_line_10mb.txt" "$split"

# The smallest number on stdin.
least() { sort -n | head -1; }
# The search_ms the tool reports for its arguments, best of $runs.
tool_ms() {
  for _ in $(seq $runs); do
    "$tool" find --timing "$@" 2>&1 >/dev/null | sed -n 's/.*search_ms=\([0-9]*\).*/\1/p'
  done | least
}
re2_ms() {
  for _ in $(seq $runs); do "$re2peer" "$@" | sed -n 's/.*search_ms=\([0-9]*\).*/\1/p'; done | least
}
# "<wall ms> <cpu ms>" of the best of $runs whole runs of grep -c -F. Its count
# goes to a file: writing to /dev/null lets grep stop at the first match.
grep_ms() {
  for _ in $(seq $runs); do
    /usr/bin/time -f '%e %U %S' grep -c -F "$1" "$2" 2>&1 >"$derived/grep_count.txt" |
      awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }'
  done | sort -n | head -1
}
ratio() { python3 -c "print(f'{$1 / max($2, 1):.2f}')"; }

echo "plain search (search alone) vs grep -c -F (whole run); best of $runs, wall ms"
for pair in "zephyr english_ascii_lf.txt" "請求書 mixed_utf8_crlf.txt"; do
  set -- $pair
  ours=$(tool_ms "$1" "$corpus/$2")
  read -r grep_wall grep_cpu < <(grep_ms "$1" "$corpus/$2")
  echo "  $1 in $2: pathbook ${ours} ms, grep ${grep_wall} ms (cpu ${grep_cpu} ms), ratio $(ratio "$ours" "$grep_wall")"
done

echo "regex search vs RE2 line by line (both searches alone); best of $runs, wall ms"
if [ -x "$re2peer" ]; then
  for pattern in '[0-9]+-[a-z]+' 'colou?r'; do
    for file in mixed_utf8_crlf.txt english_ascii_lf.txt; do
      ours=$(tool_ms -r "$pattern" "$corpus/$file")
      theirs=$(re2_ms "$pattern" "$corpus/$file")
      echo "  $pattern in $file: pathbook ${ours} ms, RE2 ${theirs} ms, ratio $(ratio "$ours" "$theirs")"
    done
  done
else
  echo "  (search_re2_peer not built: install libre2-dev and rebuild the native preset)"
fi

echo "a.*Z (never matches): one 10 MB line vs 100-character lines; best of $runs, wall ms"
one=$(tool_ms -r 'a.*Z' "$corpus/single_line_10mb.txt")
lines=$(tool_ms -r 'a.*Z' "$split")
if [ "$lines" -lt 10 ]; then
  echo "  one line ${one} ms, short lines ${lines} ms: too short for whole milliseconds;" \
    "search_bench BM_RegexNeverMatching* gives the per-unit costs"
else
  echo "  one line ${one} ms, short lines ${lines} ms, ratio $(ratio "$one" "$lines")"
fi
