#!/usr/bin/env bash
# The main job: installs the driver into a Wine printer and shows what the
# module reports: the data driver's printer information, the capabilities
# applications see, and the default device mode.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset x64 >/dev/null
cmake --build --preset x64
export WINEPREFIX=${WINEPREFIX:-$PWD/build/x64/demo-prefix} WINEDEBUG=-all
scripts/wine-prefix.sh create "$WINEPREFIX" /usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
$wine build/x64/bin/pxhost.exe install --printer "ORVEN PX-2210"
$wine build/x64/bin/pxhost.exe info --printer "ORVEN PX-2210"
$wine build/x64/bin/pxhost.exe caps --printer "ORVEN PX-2210"
$wine build/x64/bin/pxhost.exe devmode --printer "ORVEN PX-2210"
