#!/usr/bin/env bash
# Builds the release: dist/Pathbook-<version>-win64.zip (the programs,
# README.txt, LICENSE.txt and the sample notebook) and dist/Pathbook-<version>-setup.exe,
# a per-user installer.
#   scripts/package.sh                        configure and build the Windows preset first
#   scripts/package.sh --from-build DIR [--dist DIR]   package what DIR has built
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/.." && pwd)"
build=""
dist="$repo/dist"
while (($#)); do
  case "$1" in
    --from-build) build="$2"; shift 2 ;;
    --dist) dist="$2"; shift 2 ;;
    *) echo "usage: scripts/package.sh [--from-build DIR] [--dist DIR]" >&2; exit 2 ;;
  esac
done

if [ -z "$build" ]; then
  "$here/setup.sh"
  cd "$repo"
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target Pathbook pathbook-tool -j "$(nproc)"
  build="$repo/build/windows"
fi

version="$(sed -n 's/^#define PATHBOOK_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/version.h")"
[ -n "$version" ] || { echo "package: no version in $build/generated/version.h" >&2; exit 1; }
name="Pathbook-$version-win64"
stage="$dist/$name"

rm -rf "$stage" "$dist/$name.zip" "$dist/Pathbook-$version-setup.exe"
mkdir -p "$stage/samples"
# Debug information stays in the build; the release carries stripped programs.
x86_64-w64-mingw32-strip -o "$stage/Pathbook.exe" "$build/src/app/Pathbook.exe"
x86_64-w64-mingw32-strip -o "$stage/pathbook-tool.exe" "$build/tools/pathbook-tool.exe"
cp "$repo/resources/README.txt" "$stage/README.txt"
cp "$repo/LICENSE.txt" "$stage/LICENSE.txt"
cp -r "$repo/samples/notes" "$stage/samples/notes"

(cd "$dist" && zip -qr -X "$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$dist/Pathbook-$version-setup.exe" \
  "$here/pathbook.nsi"
echo "package: $dist/$name.zip"
echo "package: $dist/Pathbook-$version-setup.exe"
