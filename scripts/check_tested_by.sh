#!/usr/bin/env bash
# Every test file a source comment names ("Tested by tests/unit/x/y_test.cpp.",
# or the bare file name) must exist: a pointer to a test nobody wrote misleads
# the next reader into thinking the code is covered.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=0
while IFS=: read -r file name; do
  if [[ "$name" == */* ]]; then
    [[ -f "$name" ]] && continue
  elif [[ -n "$(find tests -name "$name" -print -quit)" ]]; then
    continue
  fi
  echo "$file names $name, which does not exist"
  missing=1
done < <(grep -rEo '[A-Za-z0-9_./]*_test\.cpp' src tools --include='*.h' --include='*.cpp' | sort -u)
exit "$missing"
