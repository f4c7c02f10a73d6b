# Sourced by the scripts that run the module: picks the architecture.
# x86, the shipping module, in a 32-bit Wine prefix, unless `--arch x64` is
# the first argument or PX_ARCH=x64 is set; where this machine cannot run
# the 32-bit Wine (build/arch-status from scripts/setup.sh says why), the
# default falls back to x64 and says so. Sets arch, build, loader and
# wineserver, exports WINEARCH, and leaves the other arguments in "$@".
arch=${PX_ARCH:-x86}
if [ -z "${PX_ARCH:-}" ] && [ "${1:-}" != --arch ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "NOTE: the shipping x86 module cannot run here ($(cat "$(dirname "${BASH_SOURCE[0]}")/../build/arch-status" 2>/dev/null || echo 'no 32-bit Wine')); using x64" >&2
    arch=x64
fi
if [ "${1:-}" = --arch ]; then
    arch=${2:?--arch needs x86 or x64}
    shift 2
fi
case $arch in
x86) loader=/usr/lib/wine/wine; export WINEARCH=win32 ;;
x64) loader=/usr/lib/wine/wine64; export WINEARCH=win64 ;;
*) echo "unknown architecture '$arch': x86 or x64" >&2; exit 2 ;;
esac
build=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/$arch
wineserver=$(dirname "$loader")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
if [ ! -x "$loader" ]; then
    echo "$loader is missing: the $arch module needs it (scripts/setup.sh installs it; build/arch-status says why not)" >&2
    exit 1
fi
