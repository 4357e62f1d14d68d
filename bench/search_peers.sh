#!/usr/bin/env bash
# Search figures side by side with the peers: plain search of a rare word
# against grep -F, regexes against RE2 line by line (bench/search_re2_peer),
# and a never-matching regex on one 10 MB line against the same text cut into
# 100-character lines. Usage: bench/search_peers.sh [CORPUS_DIR]
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
corpus="${1:-$repo/build/corpus}"
tool="$repo/build/native/tools/pathbook-tool"
re2peer="$repo/build/native/bench/search_re2_peer"
[ -f "$corpus/single_line_10mb.txt" ] || python3 /work/shared/bench/make_corpus.py "$corpus"
split="$corpus/single_line_split100.txt"
[ -f "$split" ] || python3 -c "
import sys
text = open(sys.argv[1], encoding='utf-8').read()
open(sys.argv[2], 'w', encoding='utf-8', newline='\n').write('\n'.join(text[i:i + 100] for i in range(0, len(text), 100)))
" "$corpus/single_line_10mb.txt" "$split"

# Prints the search_ms the tool reports for its arguments.
tool_ms() { "$tool" find --timing "$@" 2>&1 >/dev/null | sed -n 's/.*search_ms=\([0-9]*\).*/\1/p'; }
now_ms() { date +%s%3N; }
ratio() { python3 -c "print(f'{$1 / max($2, 1):.2f}')"; }

echo "plain search (search alone) vs grep -c -F (whole run)"
for pair in "zephyr english_ascii_lf.txt" "請求書 mixed_utf8_crlf.txt"; do
  set -- $pair
  ours=$(tool_ms "$1" "$corpus/$2")
  t0=$(now_ms); grep -c -F "$1" "$corpus/$2" >/dev/null; grep_ms=$(( $(now_ms) - t0 ))
  echo "  $1 in $2: pathbook ${ours} ms, grep ${grep_ms} ms, ratio $(ratio "$ours" "$grep_ms")"
done

echo "regex search vs RE2 line by line (both searches alone)"
if [ -x "$re2peer" ]; then
  for pattern in '[0-9]+-[a-z]+' 'colou?r'; do
    for file in mixed_utf8_crlf.txt english_ascii_lf.txt; do
      ours=$(tool_ms -r "$pattern" "$corpus/$file")
      theirs=$("$re2peer" "$pattern" "$corpus/$file" | sed -n 's/.*search_ms=\([0-9]*\).*/\1/p')
      echo "  $pattern in $file: pathbook ${ours} ms, RE2 ${theirs} ms, ratio $(ratio "$ours" "$theirs")"
    done
  done
else
  echo "  (search_re2_peer not built: install libre2-dev and rebuild the native preset)"
fi

echo "a.*Z (never matches): one 10 MB line vs 100-character lines"
one=$(tool_ms -r 'a.*Z' "$corpus/single_line_10mb.txt")
lines=$(tool_ms -r 'a.*Z' "$split")
echo "  one line ${one} ms, short lines ${lines} ms, ratio $(ratio "$one" "$lines")"
