#!/usr/bin/env bash
# Loads (bench/load_peers.sh) and saves of the corpora through pathbook-tool
# beside iconv doing the same conversion; saves compare wall times (best of N runs).
# Usage: bench/textfile_peers.sh [CORPUS_DIR] [RUNS]
# Corpora: bench/make_corpus.py build/corpus [--scale S]
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${1:-build/corpus}"
runs="${2:-3}"
tool="build/native/tools/pathbook-tool"
out="build/peers-out"
mkdir -p "$out"
[ -x "$tool" ] || { echo "build the native preset first" >&2; exit 1; }

# Best wall time in seconds of RUNS runs of a shell command.
best() {
  local best="" t
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    bash -c "$1" >/dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best="$t"; fi
  done
  echo "$best"
}

ratio() { echo "scale=2; $1 / $2" | bc -l; }

bench/load_peers.sh "$corpus" "$runs"

echo
printf '%-26s %10s %10s %7s\n' "save (convert from UTF-8)" "tool s" "iconv s" "ratio"
src="$corpus/mixed_utf8_crlf.txt"
while read -r id name; do
  tool_s=$(best "$tool convert -o $id '$src' '$out/convert.$id'")
  iconv_s=$(best "iconv -f UTF-8 -t $name '$src' > '$out/iconv.$id'")
  printf '%-26s %10.3f %10.3f %7s\n' "-> $name" "$tool_s" "$iconv_s" "$(ratio "$tool_s" "$iconv_s")"
done <<'LIST'
932 CP932
65001 UTF-8
-6 UTF-16LE
LIST
rm -rf "$out"
