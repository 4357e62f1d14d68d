#!/usr/bin/env bash
# Sets up the machine and runs every test: the native unit tests, the same
# tests cross-built and run under Wine, the end-to-end tests of Pathbook.exe
# under Wine in Xvfb, and a short run of each fuzz target.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
source "$here/env.sh"
cd "$PATHBOOK_REPO"

jobs="$(nproc)"
step() { printf '\n=== %s\n' "$*"; }

step "native build and unit tests"
cmake --preset native -DPATHBOOK_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

step "windows build, unit tests under Wine, end-to-end tests"
ensure_display
start_wineserver
cmake --preset windows -DPATHBOOK_WERROR=ON >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows

step "fuzz targets (short runs on the seed corpora)"
"$here/fuzz.sh" 10
