#!/usr/bin/env bash
# Builds the native benchmarks and runs them; peers (iconv, grep, RE2, ...) are
# run beside the matching benchmark by the scripts of later subsystems.
# Usage: bench/run.sh [benchmark filter]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native >/dev/null
for bench in build/native/bench/*_bench; do
  "$bench" --benchmark_filter="${1:-.}"
done
