#!/usr/bin/env bash
# Builds both targets: x86 (the shipping module) and x64.
set -eu
cd "$(dirname "$0")/.."
for arch in x86 x64; do
    cmake --preset "$arch" >/dev/null
    cmake --build --preset "$arch"
done
