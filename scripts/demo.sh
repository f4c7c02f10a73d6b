#!/usr/bin/env bash
# The main job: installs the driver into a Wine printer, shows what the module
# reports and opens the printing preferences: on the display when there is
# one (what you change is printed after OK), otherwise on a virtual display,
# where every page and dialog is written as a picture to build/ARCH/screenshots.
#   scripts/demo.sh [--arch x64]     (default: x86, the shipping module; or PX_ARCH=x64)
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
. scripts/arch.sh
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch"
export WINEPREFIX=${WINEPREFIX:-$build/demo-prefix} WINEDEBUG=-all
scripts/wine-prefix.sh create "$WINEPREFIX" "$loader"
pxhost() { "$loader" "$build/bin/pxhost.exe" "$@"; }
printer="ORVEN PX-2210"
echo "$arch module: $build/bin/pxui.dll"
pxhost install --printer "$printer"
pxhost info --printer "$printer"
pxhost caps --printer "$printer"
pxhost devmode --printer "$printer"
if [ -n "${DISPLAY:-}" ]; then
    pxhost preferences --printer "$printer"
else
    # The server started above has no display: let it end, so that the one
    # the pictures start runs on the virtual display.
    "$wineserver" -w
    mkdir -p "$build/screenshots"
    xvfb-run -a -s "-screen 0 1024x768x24" \
        "$loader" "$build/bin/pxhost.exe" shots "Z:$(echo "$build/screenshots" | tr / '\\')" --printer "$printer"
    echo "pictures of the printing preferences: $build/screenshots/"
fi
