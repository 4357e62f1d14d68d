#!/usr/bin/env bash
# Sets up the machine, builds the Windows program and starts it under Wine on
# the sample notebook's home page. Arguments are passed on to Pathbook.exe
# instead. Without a display it runs on a virtual one, saves a screenshot once
# the window shows, and checks that the screenshot is not blank.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/setup.sh"
source "$here/env.sh"
cd "$PATHBOOK_REPO"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Pathbook -j "$(nproc)"

# The display comes first: the first Wine command of a session starts Wine's
# desktop process, which stays without a display when there is none yet, and
# no window of the program would ever appear.
have_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then have_display=1; fi
ensure_display
start_wineserver
if [ "$#" -eq 0 ]; then
  set -- "$(winepath -w "$PATHBOOK_REPO/samples/notes/Home.txt")"
fi

if [ "$have_display" -eq 1 ]; then
  exec wine build/windows/src/app/Pathbook.exe "$@"
fi

wine build/windows/src/app/Pathbook.exe "$@" &
program=$!
trap 'kill "$program" 2>/dev/null' EXIT
shot="${TMPDIR:-/tmp}/pathbook-screenshot.png"
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --classname pathbook.exe 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: the window of Pathbook did not appear on the virtual display $DISPLAY" >&2
  exit 1
fi
# A screen of one or two colours is one the program has not painted yet: the
# painted window has its bars, the page's background, text and links.
colours=0
for _ in $(seq 50); do
  sleep 0.2
  import -display "$DISPLAY" -window root "$shot"
  colours=$(convert "$shot" -format '%k' info:)
  [ "$colours" -gt 2 ] && break
done
if [ "$colours" -le 2 ]; then
  echo "run: the screenshot $shot is blank ($colours colours): the window was not painted" >&2
  exit 1
fi
cat <<MSG
run: there is no display here, so Pathbook runs on the virtual display $DISPLAY.
run: a screenshot of it is in $shot ($colours colours)
run: to use it, run this script in a desktop session (or set DISPLAY); Ctrl+C stops it.
MSG
wait "$program"
