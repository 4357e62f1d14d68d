#!/usr/bin/env bash
# Sets up the machine and runs every test: the native unit tests, the same
# tests cross-built and run under Wine, the end-to-end tests of Pathbook.exe
# under Wine in Xvfb, a short run of each fuzz target, and the unit tests once
# more built without the vector paths.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
source "$here/env.sh"
cd "$PATHBOOK_REPO"

jobs="$(nproc)"
step() { printf '\n=== %s\n' "$*"; }

step "every test a source comment names exists"
"$here/check_tested_by.sh"

step "native build and unit tests"
cmake --preset native -DPATHBOOK_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" | tee build/native/ctest.log

step "unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize -DPATHBOOK_WERROR=ON >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs" | tee build/sanitize/ctest.log

step "windows build, unit tests under Wine, end-to-end tests"
ensure_display
start_wineserver
cmake --preset windows -DPATHBOOK_WERROR=ON >/dev/null
cmake --build --preset windows -j "$jobs"
# Now and then Wine fails to start a test program at all (it ends at once with no
# output); such a test gets one more run, and a test that fails twice fails the run.
ctest --preset windows --repeat until-pass:2 | tee build/windows/ctest.log

step "fuzz targets (short runs on the seed corpora)"
"$here/fuzz.sh" 10

step "without the vector paths: unit tests"
# clang, like the fuzz build: the warnings gate is the gcc build above.
cmake --preset scalar >/dev/null
# The fuzz targets of this preset are for fuzz.sh's scalar runs: the step above has fuzzed.
cmake --build --preset scalar -j "$jobs" --target tests/all tools/all
ctest --preset scalar -j "$jobs" | tee build/scalar/ctest.log

# One closing line over every test run: "N passed, N failed".
summary() { grep -Eo '[0-9]+ tests failed out of [0-9]+' "$1" | awk '{print $6 - $1, $1}'; }
read -r native_passed native_failed < <(summary build/native/ctest.log)
read -r sanitize_passed sanitize_failed < <(summary build/sanitize/ctest.log)
read -r windows_passed windows_failed < <(summary build/windows/ctest.log)
read -r scalar_passed scalar_failed < <(summary build/scalar/ctest.log)
# A test that ctest started twice under Wine needed its second start.
restarted=$(grep -Eo '^ +Start +[0-9]+:' build/windows/ctest.log | sort | uniq -d | wc -l)
printf '\ntests: %d passed, %d failed; %d of the Windows tests needed a second start under Wine\n' \
  $((native_passed + sanitize_passed + windows_passed + scalar_passed)) \
  $((native_failed + sanitize_failed + windows_failed + scalar_failed)) "$restarted"
