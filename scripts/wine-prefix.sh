#!/usr/bin/env bash
# Makes (or stops) the Wine prefix that one test run uses.
#   wine-prefix.sh create|stop PREFIX LOADER
set -eu
action=$1 prefix=$(realpath -m "$2") loader=$3  # Wine refuses a relative prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The 32-bit loader runs in a 32-bit Windows, where the spooler loads the x86 driver.
case $(basename "$loader") in wine) export WINEARCH=win32 ;; *) export WINEARCH=win64 ;; esac
wineserver=$(dirname "$loader")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
case $action in
create)
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
    "$loader" wineboot -u >/dev/null 2>&1
    # Japanese texts render only with a Japanese font behind the dialog fonts
    # (the proportional one keeps kana labels within their template
    # rectangles); a crash ends the process instead of waiting for a click;
    # without a window manager Wine draws the captions itself, and unmanaged
    # windows close at once (a managed one waits 2 s for a window manager
    # that is not there).
    reg=$(mktemp --suffix=.reg)
    cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"
REG
    "$loader" regedit /S "Z:$(echo "$reg" | tr / '\\')" >/dev/null 2>&1 || true
    rm -f "$reg"
    "$wineserver" -w
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    ;;
*)
    echo "usage: $0 create|stop PREFIX LOADER" >&2
    exit 2
    ;;
esac
