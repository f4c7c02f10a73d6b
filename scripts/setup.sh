#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, when missing.
set -eu
packages=(
    cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest
    wine wine64 xvfb xauth imagemagick fonts-ipafont-gothic nlohmann-json3-dev ccache
    fp-utils-3.2.2 libchm-bin python3 zip unzip
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
