#!/usr/bin/env bash
# Screenshots of the real Pathbook.exe under Wine for the user guide, in English
# and Japanese: each runs in a Wine virtual desktop (which draws window frames)
# on the sample notebook. Writes docs/images/*.png; look at them before
# committing. Usage: scripts/screenshots.sh (after a Windows build).
set -euo pipefail
source "$(dirname "$0")/env.sh"
ensure_display
start_wineserver
cd "$PATHBOOK_REPO"
exe=build/windows/src/app/Pathbook.exe
out=docs/images
mkdir -p "$out"
home="$(winepath -w samples/notes/Home.txt)"

# The window fills the virtual desktop; the user's own settings are put back afterwards.
user=$(basename "$(ls -d "$WINEPREFIX"/drive_c/users/*/ | grep -v /Public/ | head -1)")
settings="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Pathbook.ini"
saved=$(mktemp)
if [ -f "$settings" ]; then cp "$settings" "$saved"; else rm -f "$saved"; fi
restore_settings() {
  if [ -f "$saved" ]; then mv "$saved" "$settings"; else rm -f "$settings"; fi
}
trap restore_settings EXIT
mkdir -p "$(dirname "$settings")"
printf '[%s]\r\nWndX=0\r\nWndY=0\r\nWndW=800\r\nWndH=600\r\n' "$user" >"$settings"

# Starts the program in its own virtual desktop, waits for its first paint and
# runs the given keystrokes; prints the desktop's X window.
start_in_desktop() {
  local name=$1 locale=$2
  shift 2
  LC_ALL=$locale wine explorer "/desktop=$name,800x600" "$exe" "$@" >/dev/null 2>&1 &
  local desktop=""
  for _ in $(seq 200); do
    desktop=$(xdotool search --name "^$name - Wine desktop\$" 2>/dev/null | head -1) && [ -n "$desktop" ] && break
    sleep 0.1
  done
  sleep 3
  echo "$desktop"
}

shoot() {
  local name=$1 locale=$2 file=$3
  shift 3
  local desktop
  desktop=$(start_in_desktop "$name" "$locale" "$home")
  for keys in "$@"; do
    xdotool key --window "$desktop" $keys
    sleep 1
  done
  import -window "$desktop" "$out/$file"
  echo "screenshots: $out/$file"
  wineserver -k 2>/dev/null || true
  start_wineserver
}

shoot pb-en en_US.UTF-8 main-en.png
shoot pb-ja ja_JP.UTF-8 main-ja.png
shoot pb-en en_US.UTF-8 find-en.png ctrl+f
shoot pb-ja ja_JP.UTF-8 find-ja.png ctrl+f
