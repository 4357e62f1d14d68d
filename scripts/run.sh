#!/usr/bin/env bash
# Sets up the machine, builds the Windows program and starts it under Wine on
# the sample notes. Arguments are passed on to Pathbook.exe instead.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
source "$here/env.sh"
cd "$PATHBOOK_REPO"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pathbook -j "$(nproc)"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no DISPLAY; start Pathbook from a graphical session" >&2
  exit 2
fi
if [ "$#" -eq 0 ]; then
  set -- "$(winepath -w "$PATHBOOK_REPO/samples/notes/Home.txt")"
fi
exec wine build/windows/src/app/Pathbook.exe "$@"
