# Sourced by the other scripts: where things are and how Wine is run.
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export PATHBOOK_REPO="$repo"
export WINEPREFIX="${PATHBOOK_WINEPREFIX:-$HOME/.local/share/pathbook/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: the program needs neither, and installing them asks questions.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Starts an X server for the tests when there is no display.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  export DISPLAY=":${PATHBOOK_XVFB_DISPLAY:-97}"
  if ! xdpyinfo >/dev/null 2>&1; then
    # -noreset: the root window keeps its properties (the work area) between clients.
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

# A persistent wineserver makes each Wine process start in a fraction of a second.
# The first Wine process of a session also starts Wine's own services; they
# are started here, outside any test's output pipe, which they would hold open.
start_wineserver() {
  wineserver -p 2>/dev/null || true  # fails harmlessly when one is running already
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}
