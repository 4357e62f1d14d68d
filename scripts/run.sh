#!/usr/bin/env bash
# Sets up the machine, builds the Windows program and starts it under Wine on
# the sample notebook's home page. Arguments are passed on to Pathbook.exe
# instead. Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
source "$here/env.sh"
cd "$PATHBOOK_REPO"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pathbook -j "$(nproc)"
if [ "$#" -eq 0 ]; then
  set -- "$(winepath -w "$PATHBOOK_REPO/samples/notes/Home.txt")"
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine build/windows/src/app/Pathbook.exe "$@"
fi

ensure_display
wine build/windows/src/app/Pathbook.exe "$@" &
program=$!
trap 'kill "$program" 2>/dev/null' EXIT
shot="${TMPDIR:-/tmp}/pathbook-screenshot.png"
for _ in $(seq 100); do
  xdotool search --onlyvisible --classname pathbook.exe >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1  # the first paint
import -display "$DISPLAY" -window root "$shot"
cat <<MSG
run: there is no display here, so Pathbook runs on the virtual display $DISPLAY.
run: a screenshot of it is in $shot
run: to use it, run this script in a desktop session (or set DISPLAY); Ctrl+C stops it.
MSG
wait "$program"
