#!/usr/bin/env bash
# Runs the end-to-end test files in SHARDS shards side by side and fails when
# any shard fails. Instances of Pathbook that share a wineserver share their
# history and window list, and programs on one X display share its clipboard
# and focus, so each shard has a Wine prefix (a copy of the usual one, made
# again when that one changes) and an X display of its own. The files are
# dealt out by size, largest first, each to the shard with the fewest lines.
set -uo pipefail
shards="${1:-2}"
here="$(cd "$(dirname "$0")" && pwd)"
base="${PATHBOOK_WINEPREFIX:-$HOME/.local/share/pathbook/wineprefix}"
base_display="${PATHBOOK_XVFB_DISPLAY:-97}"
logs="$(mktemp -d)"
trap 'rm -rf "$logs"' EXIT

# The test modules of shard $1.
modules_of() {
  python3 - "$1" "$shards" <<'EOF'
import glob, os, sys
shard, shards = int(sys.argv[1]), int(sys.argv[2])
def lines(name):
    with open(name, encoding="utf-8") as f:
        return sum(1 for line in f if line.strip())
loads = [0] * shards
mine = []
for name in sorted(glob.glob("test_*.py"), key=lambda n: (-lines(n), n)):
    lightest = loads.index(min(loads))
    loads[lightest] += lines(name)
    if lightest == shard:
        mine.append(os.path.splitext(name)[0])
print("\n".join(sorted(mine)))
EOF
}

run_shard() {
  local shard="$1"
  export PATHBOOK_WINEPREFIX="$base-shard$shard"
  export PATHBOOK_XVFB_DISPLAY=$((base_display - 1 - shard))
  unset DISPLAY
  source "$here/../../scripts/env.sh"
  local stamp="$WINEPREFIX/.pathbook-copied"
  if [ ! -f "$stamp" ] || [ "$base/system.reg" -nt "$stamp" ] || [ "$base/user.reg" -nt "$stamp" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    cp -a "$base" "$WINEPREFIX"
    touch "$stamp"
  fi
  ensure_display
  start_wineserver
  cd "$here"
  local modules
  mapfile -t modules < <(modules_of "$shard")
  python3 -m unittest -v "${modules[@]}"
}

cd "$here"
pids=()
for ((shard = 0; shard < shards; shard++)); do
  (run_shard "$shard") >"$logs/$shard.log" 2>&1 &
  pids+=($!)
done
failed=0
for ((shard = 0; shard < shards; shard++)); do
  wait "${pids[$shard]}" || failed=1
  printf '=== shard %d of %d\n' $((shard + 1)) "$shards"
  cat "$logs/$shard.log"
done
exit "$failed"
