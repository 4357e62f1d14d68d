#!/usr/bin/env bash
# Loads of the corpora (`pathbook-tool decode FILE > /dev/null`: detection,
# decoding, document fill, classification and the output) beside iconv doing
# the same conversion to UTF-16LE. Prints the best of RUNS runs of user + sys
# CPU time (steadier than wall time when other jobs share the cores), the best
# wall time, both ratios, and the peak memory of a load per UTF-16 unit
# written (line feeds between lines included). The single line's cost per
# byte is compared with that of the UTF-8 corpus of the same text.
# Usage: bench/load_peers.sh [CORPUS_DIR] [RUNS]
# Corpora: bench/make_corpus.py build/corpus [--scale S]
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${1:-build/corpus}"
runs="${2:-3}"
tool="build/native/tools/pathbook-tool"
[ -x "$tool" ] || { echo "build the native preset first" >&2; exit 1; }

# "cpu wall peak_kb" of the best (least CPU) of RUNS runs of a command whose
# output is discarded.
best() {
  local best_cpu="" best_wall="" peak=0 line cpu
  for _ in $(seq "$runs"); do
    line=$(/usr/bin/time -f '%U %S %e %M' "$@" 2>&1 >/dev/null | tail -1)
    read -r user sys wall kb <<<"$line"
    cpu=$(echo "$user + $sys" | bc -l)
    if [ -z "$best_cpu" ] || [ "$(echo "$cpu < $best_cpu" | bc -l)" = 1 ]; then best_cpu="$cpu"; fi
    if [ -z "$best_wall" ] || [ "$(echo "$wall < $best_wall" | bc -l)" = 1 ]; then best_wall="$wall"; fi
    if [ "$kb" -gt "$peak" ]; then peak="$kb"; fi
  done
  echo "$best_cpu $best_wall $peak"
}

ratio() { echo "scale=2; $1 / $2" | bc -l; }

# The Japanese corpora are detected as a Japanese system would: ANSI code page 932.
printf '%-24s %8s %8s %6s %8s %8s %6s %8s\n' "load (best of $runs)" "tool cpu" "iconv" "ratio" \
  "tool wall" "iconv" "ratio" "B/unit"
utf8_cost=""
while read -r file from; do
  path="$corpus/$file"
  [ -f "$path" ] || continue
  read -r tool_cpu tool_wall peak_kb <<<"$(best "$tool" --acp 932 decode "$path")"
  read -r iconv_cpu iconv_wall _ <<<"$(best iconv -f "$from" -t UTF-16LE "$path")"
  units=$(( $("$tool" --acp 932 decode "$path" | wc -c) / 2 ))
  printf '%-24s %8.2f %8.2f %6s %8.2f %8.2f %6s %8s\n' "$file" "$tool_cpu" "$iconv_cpu" \
    "$(ratio "$tool_cpu" "$iconv_cpu")" "$tool_wall" "$iconv_wall" "$(ratio "$tool_wall" "$iconv_wall")" \
    "$(ratio "$((peak_kb * 1024))" "$units")"
  cost=$(echo "$tool_cpu / $(stat -c %s "$path")" | bc -l)
  [ "$file" = mixed_utf8_crlf.txt ] && utf8_cost="$cost"
  if [ "$file" = single_line_10mb.txt ] && [ -n "$utf8_cost" ]; then
    echo "single line: CPU time per byte $(ratio "$cost" "$utf8_cost") x that of mixed_utf8_crlf.txt"
  fi
done <<'LIST'
mixed_utf8_crlf.txt UTF-8
mixed_cp932_crlf.txt CP932
mixed_eucjp_crlf.txt EUC-JP-MS
mixed_utf16le_bom.txt UTF-16
english_ascii_lf.txt CP932
single_line_10mb.txt UTF-8
LIST
