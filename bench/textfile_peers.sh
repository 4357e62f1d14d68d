#!/usr/bin/env bash
# Loads and saves of the corpora through pathbook-tool beside iconv doing the
# same conversion, with the ratio of wall times (best of N runs) and the peak
# memory of a load per UTF-16 unit.
# Usage: bench/textfile_peers.sh [CORPUS_DIR] [RUNS]
# Corpora: python3 /work/shared/bench/make_corpus.py build/corpus [--scale S]
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

# The Japanese corpora are detected as a Japanese system would: ANSI code page 932.
printf '%-26s %10s %10s %7s %8s %12s\n' "load" "tool s" "iconv s" "ratio" "MB/s" "peak B/unit"
while read -r file from; do
  path="$corpus/$file"
  [ -f "$path" ] || continue
  tool_s=$(best "$tool --acp 932 decode '$path' > /dev/null")
  iconv_s=$(best "iconv -f $from -t UTF-16LE '$path' > /dev/null")
  units=$(( $($tool --acp 932 decode "$path" | wc -c) / 2 ))
  peak_kb=$(/usr/bin/time -f %M "$tool" --acp 932 decode "$path" 2>&1 >/dev/null | tail -1)
  size=$(stat -c %s "$path")
  printf '%-26s %10.3f %10.3f %7s %8.0f %12s\n' "$file" "$tool_s" "$iconv_s" "$(ratio "$tool_s" "$iconv_s")" \
    "$(echo "$size / $tool_s / 1000000" | bc -l)" "$(ratio "$((peak_kb * 1024))" "$units")"
done <<'LIST'
mixed_utf8_crlf.txt UTF-8
mixed_cp932_crlf.txt CP932
mixed_eucjp_crlf.txt EUC-JP-MS
mixed_utf16le_bom.txt UTF-16
english_ascii_lf.txt CP932
single_line_10mb.txt UTF-8
LIST

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
