#!/usr/bin/env bash
# Screenshots of the real Pathbook.exe under Wine for the user guide, in English
# and Japanese: the home page, the dark theme, the favourites list, the find
# dialog and the notebook's Links Here, each in a Wine virtual desktop (which
# draws window frames). They are made as a user would see them: a user named
# Alex whose notes are the sample notebook in C:\users\Alex\Documents\Notes,
# with Home.txt as the home page and a few favourites. Each shot waits for what
# it shows (the main window's title, a dialog of the expected class and title)
# and fails when that does not come.
# Writes docs/images/*.png; look at them before committing.
# Usage: scripts/screenshots.sh (after a Windows build).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
# A prefix of its own: a user profile with a real Documents folder (a fresh
# prefix links Documents to the Linux home folder, which is no user's notes).
shots="$repo/build/screenshots"
export PATHBOOK_WINEPREFIX="$shots/prefix" USER=Alex LOGNAME=Alex HOME="$shots/home"
source "$repo/scripts/env.sh"
mkdir -p "$HOME/Documents"
ensure_display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "screenshots: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
wine regedit /S "$(winepath -w "$repo/scripts/wine-fonts.reg")" >/dev/null 2>&1
start_wineserver
cd "$repo"
exe=build/windows/src/app/Pathbook.exe
probe=build/windows/tests/e2e/e2e-probe.exe
out=docs/images
mkdir -p "$out"

profile="$WINEPREFIX/drive_c/users/Alex"
notes="$profile/Documents/Notes"
rm -rf "$notes"
cp -r samples/notes "$notes"
roaming="$profile/AppData/Roaming"
mkdir -p "$roaming"
notes_w='C:\users\Alex\Documents\Notes'
# The window fills the virtual desktop; Home.txt is the home page.
printf '[Alex]\r\nWndX=0\r\nWndY=0\r\nWndW=800\r\nWndH=600\r\nWndM=0\r\nDlgW=700\r\nDlgH=360\r\n' \
  >"$roaming/Pathbook.ini"
printf '\r0,%s\\Home.txt\r0,%s\\Journal.txt\r0,%s\\Projects\\Garden.txt\r932,%s\\Japanese\\ShiftJIS.txt\r' \
  "$notes_w" "$notes_w" "$notes_w" "$notes_w" | iconv -f UTF-8 -t UTF-16LE >"$roaming/DocList.txt"
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
dark_mode() {  # on | off
  if [ "$1" = on ]; then
    wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null 2>&1
  else
    wine reg delete "$personalize" /v AppsUseLightTheme /f >/dev/null 2>&1 || true
  fi
}

# The probe inside a virtual desktop (windows there are seen only from within);
# its answer ends with a line ".".
probe_in() {
  local desktop=$1 answer
  shift
  answer=$(mktemp)
  rm -f "$answer"
  wine explorer "/desktop=$desktop" "$probe" --out "$(winepath -w "$answer")" "$@" >/dev/null 2>&1 &
  for _ in $(seq 200); do
    [ -f "$answer" ] && [ "$(tail -n 1 "$answer")" = "." ] && break
    sleep 0.1
  done
  [ -f "$answer" ] && sed '$d' "$answer"
  rm -f "$answer"
}

# Polls `probe_in DESKTOP ARGS...` until a line matches the pattern; prints it.
wait_for() {
  local desktop=$1 pattern=$2 line=""
  shift 2
  for _ in $(seq 60); do
    line=$(probe_in "$desktop" "$@" | grep -E -m 1 -- "$pattern" || true)
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.5
  done
  echo "screenshots: nothing matched $pattern in desktop $desktop" >&2
  return 1
}

# shoot NAME LOCALE FILE TITLE [COMMAND DIALOG-TITLE]: starts the program in its
# own desktop on the home page, waits for the main window's TITLE, optionally
# posts COMMAND and waits for the dialog, then shoots the desktop.
shoot() {
  local name=$1 locale=$2 file=$3 title=$4 command=${5:-} dialog=${6:-}
  LC_ALL=$locale wine explorer "/desktop=$name,800x600" "$exe" "$notes_w\\Home.txt" >/dev/null 2>&1 &
  local desktop=""
  for _ in $(seq 200); do
    desktop=$(xdotool search --name "^$name - Wine desktop\$" 2>/dev/null | head -1) && [ -n "$desktop" ] && break
    sleep 0.1
  done
  [ -n "$desktop" ] || { echo "screenshots: no desktop $name" >&2; return 1; }
  local window
  window=$(wait_for "$name" "^[0-9]+	$title	" | cut -f1)
  if [ -n "$command" ]; then
    sleep 2  # the notebook reads the sample notes meanwhile
    probe_in "$name" command "$window" "$command" >/dev/null
    # A dialog: class #32770, with its title.
    wait_for "$name" "^[0-9]+	#32770	$dialog	" popups >/dev/null
  fi
  sleep 1  # the last paint
  import -window "$desktop" "$out/$file"
  local colours
  colours=$(convert "$out/$file" -format '%k' info:)
  [ "$colours" -gt 16 ] || { echo "screenshots: $out/$file looks blank ($colours colours)" >&2; return 1; }
  echo "screenshots: $out/$file"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  start_wineserver
}

en="ホーム > Home.txt - Pathbook"
ja="ホーム > Home.txt - パスブック"
find=40016
favourites=40055
links_here=40700
dark_mode off
shoot pb-en en_US.UTF-8 main-en.png "$en"
shoot pb-ja ja_JP.UTF-8 main-ja.png "$ja"
shoot pb-en en_US.UTF-8 favorites-en.png "$en" "$favourites" "Document List"
shoot pb-ja ja_JP.UTF-8 favorites-ja.png "$ja" "$favourites" "お気に入りの管理"
shoot pb-en en_US.UTF-8 find-en.png "$en" "$find" "Find & Replace"
shoot pb-ja ja_JP.UTF-8 find-ja.png "$ja" "$find" "検索・置換"
shoot pb-en en_US.UTF-8 links-here-en.png "$en" "$links_here" "Links Here"
shoot pb-ja ja_JP.UTF-8 links-here-ja.png "$ja" "$links_here" "このノートへのリンク"
dark_mode on
shoot pb-en en_US.UTF-8 dark-en.png "$en"
shoot pb-ja ja_JP.UTF-8 dark-ja.png "$ja"
dark_mode off
wineserver -k 2>/dev/null || true
