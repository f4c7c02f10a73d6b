#!/usr/bin/env bash
# Makes a Wine prefix with the test printers installed, for running test
# executables by hand:
#   scripts/make-test-prefix.sh [--arch x64] PREFIX BUILD_DIR   (default x86: a 32-bit prefix)
#   WINEPREFIX=PREFIX WINEDEBUG=-all /usr/lib/wine/wine BUILD_DIR/bin/test_core.exe
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/arch.sh"
prefix=$(realpath -m "$1") build=$(realpath "$2")  # Wine refuses a relative prefix
"$here/wine-prefix.sh" create "$prefix" "$loader"
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$loader" "$build/bin/px_test_setup.exe"
# Wait for the server to end: the next program may run on a display, and a
# server started without one would keep its windows off it.
WINEPREFIX=$prefix "$wineserver" -w
