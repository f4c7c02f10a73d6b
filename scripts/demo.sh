#!/usr/bin/env bash
# The main job: installs the driver into a Wine printer, shows what the module
# reports and opens the printing preferences: on the display when there is
# one (what you change is printed after OK), otherwise on a virtual display,
# where every page and dialog is written as a picture to build/x64/screenshots.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64
export WINEPREFIX=${WINEPREFIX:-$PWD/build/x64/demo-prefix} WINEDEBUG=-all
scripts/wine-prefix.sh create "$WINEPREFIX" /usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
printer="ORVEN PX-2210"
$wine build/x64/bin/pxhost.exe install --printer "$printer"
$wine build/x64/bin/pxhost.exe info --printer "$printer"
$wine build/x64/bin/pxhost.exe caps --printer "$printer"
$wine build/x64/bin/pxhost.exe devmode --printer "$printer"
if [ -n "${DISPLAY:-}" ]; then
    $wine build/x64/bin/pxhost.exe preferences --printer "$printer"
else
    # The server started above has no display: let it end, so that the one
    # the pictures start runs on the virtual display.
    /usr/lib/wine/wineserver -w
    mkdir -p build/x64/screenshots
    xvfb-run -a -s "-screen 0 1024x768x24" \
        $wine build/x64/bin/pxhost.exe shots 'Z:'"$(pwd | tr / '\\')"'\build\x64\screenshots' --printer "$printer"
    echo "pictures of the printing preferences: build/x64/screenshots/"
fi
