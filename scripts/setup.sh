#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing
# Pathbook, and creates the private Wine prefix. Safe to run again.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/env.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3
  mingw-w64 wine wine64 xvfb xauth xdotool x11-utils fonts-wine fonts-ipafont-gothic fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev locales nsis zip imagemagick
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  # With recommends: Wine's X11, TLS and font libraries are among them.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# An X input method with a Japanese engine, for typing through the IME in the
# tests; its recommends (desktop toolkits, media libraries) are not needed.
if ! dpkg-query -W -f='${Status}' uim-anthy 2>/dev/null | grep -q 'install ok installed' ||
   ! dpkg-query -W -f='${Status}' uim-xim 2>/dev/null | grep -q 'install ok installed'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing uim-xim uim-anthy"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends uim-xim uim-anthy >/dev/null
fi

# The Japanese locale lets the tests start Wine with code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  $sudo locale-gen >/dev/null
fi

# Before the first Wine command: Wine's desktop process starts with it, and one
# started without a display never shows a window.
ensure_display

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
# Font settings follow the file: a prefix made before a change gets it too.
fonts_stamp="$WINEPREFIX/.pathbook-fonts"
if [ ! -f "$fonts_stamp" ] || [ "$here/wine-fonts.reg" -nt "$fonts_stamp" ]; then
  wine regedit /S "$(winepath -w "$here/wine-fonts.reg")" >/dev/null 2>&1
  touch "$fonts_stamp"
fi
