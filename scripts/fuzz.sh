#!/usr/bin/env bash
# Runs the robustness suite longer than CI does: the device-mode fuzzer for a
# given time instead of a fixed number of iterations, and the leak check with
# 10,000 calls of each entry point.
#   scripts/fuzz.sh [--arch x64] [SECONDS] [SEED]   (default x86, 600 s, CI's seed)
#   BUILD_DIR=... to use another build tree than build/ARCH
set -eu
cd "$(dirname "$0")/.."
. scripts/arch.sh
seconds=${1:-600}
seed=${2:-}
if [ -n "${BUILD_DIR:-}" ]; then
    build=$BUILD_DIR
else
    scripts/setup.sh
    cmake --preset "$arch" >/dev/null
fi
cmake --build "$build" --target test_robustness px_test_setup
prefix=$build/fuzz-prefix
scripts/make-test-prefix.sh --arch "$arch" "$prefix" "$build" >/dev/null
status=0
env WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    PX_FUZZ_SECONDS="$seconds" PX_TEST_WATCHDOG_S=0 PX_LEAK_CALLS=10000 ${seed:+PX_FUZZ_SEED="$seed"} \
    xvfb-run -a "$loader" "$build/bin/test_robustness.exe" || status=$?
scripts/wine-prefix.sh stop "$prefix" "$loader"
exit $status
