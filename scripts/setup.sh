#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, when missing,
# and the 32-bit Wine the shipping (x86) module runs in.
# Writes build/arch-status: "x86 ok" or "x86 missing: REASON" for scripts/test.sh.
set -eu
cd "$(dirname "$0")/.."
packages=(
    cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest
    wine wine64 xvfb xauth imagemagick fonts-ipafont-gothic nlohmann-json3-dev ccache
    fp-utils-3.2.2 libchm-bin python3 zip unzip
)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
x86_missing=""
installed wine32:i386 || x86_missing=1

updated=""
if [ ${#missing[@]} -gt 0 ] || [ -n "$x86_missing" ]; then
    if [ -n "$x86_missing" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update && updated=1 || true
    if [ ${#missing[@]} -gt 0 ]; then
        $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
fi

mkdir -p build
reason=""
if [ -n "$x86_missing" ]; then
    log=build/setup-wine32.log
    if [ -z "$updated" ]; then
        reason="apt-get update failed with the i386 architecture"
    elif ! $sudo apt-get install -y --no-install-recommends wine32:i386 >"$log" 2>&1; then
        reason="apt-get install wine32:i386 refused ($(grep -m1 -E '^E:' "$log" || tail -n1 "$log"))"
    fi
fi
# Installed is not enough: a kernel without 32-bit emulation (ia32_emulation
# off) refuses every 32-bit program.
if [ -z "$reason" ] && ! out=$(/usr/lib/wine/wine --version 2>&1); then
    reason="this machine's kernel does not run 32-bit programs (${out##*: }; dmesg: $(dmesg 2>/dev/null | grep -m1 -o '32-bit emulation disabled.*' || echo 'no reason given'))"
fi
if [ -n "$reason" ]; then
    echo "setup: 32-bit Wine NOT usable: $reason; the x86 suites cannot run on this machine" >&2
    echo "x86 missing: $reason" > build/arch-status
else
    echo "x86 ok" > build/arch-status
fi
