#!/usr/bin/env bash
# Writes a picture of every page and dialog of the printing preferences into
# docs/screenshots/ (or the folder given): builds the shipping x86 module
# (or x64), installs the printers into a prefix of its own, runs
# `pxhost shots` on a virtual display and recompresses the pictures.
#   scripts/shots.sh [--arch x64] [FOLDER]
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/arch.sh
out=${1:-docs/screenshots}
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target pxhost px_test_setup
prefix=$build/shots-prefix
raw=$build/shots-raw
rm -rf "$raw" && mkdir -p "$raw" "$out"
scripts/make-test-prefix.sh --arch "$arch" "$prefix" "$build" >/dev/null
status=0
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a -s "-screen 0 1024x768x24" \
    "$loader" "$build/bin/pxhost.exe" shots "Z:$(echo "$raw" | tr / '\\')" || status=$?
scripts/wine-prefix.sh stop "$prefix" "$loader"
for png in "$raw"/*.png; do
    [ -e "$png" ] || continue
    convert "$png" -define png:compression-level=9 "$out/$(basename "$png")"
done
ls "$out"
exit $status
