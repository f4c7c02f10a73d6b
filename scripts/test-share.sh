#!/usr/bin/env bash
# Prints how much of the repository's C++ is test code: non-blank lines of the
# tracked .cpp/.h files under tests/ against those of every tracked .cpp/.h.
#   scripts/test-share.sh            the figure, one line
#   scripts/test-share.sh --folders  and each test folder's lines below it
set -euo pipefail
cd "$(dirname "$0")/.."
nonblank() { if [ $# -gt 0 ]; then grep -hv '^[[:space:]]*$' "$@" | wc -l; else echo 0; fi; }
mapfile -t all < <(git ls-files '*.cpp' '*.h')
mapfile -t tests < <(git ls-files 'tests/*.cpp' 'tests/*.h')
total=$(nonblank "${all[@]}")
test=$(nonblank "${tests[@]}")
awk -v t="$test" -v a="$total" \
    'BEGIN { printf "test code: %d of %d non-blank C++ lines (%.1f %%)\n", t, a, 100 * t / a }'
if [ "${1:-}" = --folders ]; then
    for dir in $(printf '%s\n' "${tests[@]}" | cut -d/ -f2 | sort -u); do
        mapfile -t files < <(git ls-files "tests/$dir/*.cpp" "tests/$dir/*.h")
        printf '%6d  tests/%s\n' "$(nonblank "${files[@]}")" "$dir"
    done | sort -rn
fi
