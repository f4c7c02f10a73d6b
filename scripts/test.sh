#!/usr/bin/env bash
# Sets up, builds both targets and runs every test suite on x64 under Wine,
# inside a virtual X server (some suites create windows).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/check-exports.sh x86
scripts/check-exports.sh x64
scripts/package.sh
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset x64 --output-on-failure "$@"
