#!/usr/bin/env bash
# Makes a Wine prefix with the test printers installed, for running test
# executables by hand:
#   scripts/make-test-prefix.sh PREFIX BUILD_DIR [LOADER]
#   WINEPREFIX=PREFIX WINEDEBUG=-all /usr/lib/wine/wine64 BUILD_DIR/bin/test_core.exe
# LOADER defaults to /usr/lib/wine/wine64; for an x86 build give
# /usr/lib/wine/wine with WINEARCH=win32 set.
set -eu
prefix=$(realpath -m "$1") build=$(realpath "$2")  # Wine refuses a relative prefix
loader=${3:-/usr/lib/wine/wine64}
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" create "$prefix" "$loader"
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$loader" "$build/bin/px_test_setup.exe"
# Wait for the server to end: the next program may run on a display, and a
# server started without one would keep its windows off it.
wineserver=$(dirname "$loader")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
WINEPREFIX=$prefix "$wineserver" -w
