#!/usr/bin/env bash
# Deliberate faults in the module and which suite catches each.
#
#   tests/mutations/run.sh                 every NN-*.patch beside this script
#   tests/mutations/run.sh --only 03 17    just these faults
#   tests/mutations/run.sh --list          each patch's Fault line
#   tests/mutations/run.sh --build-dir DIR another configured x64 build tree
#
# For each patch: apply it to the working tree, build x64, make the test
# prefix, run the suites one at a time (the patch's Suites: line first, then
# the rest, quickest first, each bounded by MUTATION_SUITE_TIMEOUT seconds,
# 600 by default: a hang counts as caught) until one fails, then take the
# patch out again, also on Ctrl-C or an error. One line per fault, then
# "caught K of N".
# Logs go to BUILD/mutations/. The build tree is left holding the last
# fault's binaries: the next build recompiles the files the patch touched.
# Refuses to run while module sources have uncommitted changes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(git -C "$here" rev-parse --show-toplevel)
cd "$root"

build=""
only=()
list=0
while [ $# -gt 0 ]; do
    case $1 in
    --list) list=1; shift ;;
    --build-dir) build=$(realpath "$2"); shift 2 ;;
    --only) shift; while [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; do only+=("$1"); shift; done ;;
    *) echo "usage: $0 [--list] [--only NN...] [--build-dir DIR]" >&2; exit 2 ;;
    esac
done

patches=()
for p in "$here"/[0-9][0-9]-*.patch; do
    nn=$(basename "$p" | cut -c1-2)
    if [ ${#only[@]} -eq 0 ] || printf '%s\n' "${only[@]}" | grep -qxF "$nn"; then
        patches+=("$p")
    fi
done
[ ${#patches[@]} -gt 0 ] || { echo "no patch selected" >&2; exit 2; }

if [ $list = 1 ]; then
    for p in "${patches[@]}"; do
        echo "$(basename "$p" .patch): $(sed -n 's/^Fault: //p' "$p")"
    done
    exit 0
fi

if ! git diff --quiet HEAD -- . ':(exclude)tests'; then
    echo "module sources have uncommitted changes; commit or stash them first" >&2
    exit 2
fi

suite_timeout=${MUTATION_SUITE_TIMEOUT:-600}
logs=${build:-$root/build/x64}/mutations
mkdir -p "$logs"

if [ -n "$build" ]; then ctest_cmd=(ctest --test-dir "$build" -LE bench --output-on-failure)
else ctest_cmd=(ctest --preset x64); fi
display=(xvfb-run -a -s "-screen 0 1024x768x24")
build_tree() {
    if [ -n "$build" ]; then cmake --build "$build"; else cmake --build --preset x64; fi
}
run_ctest() { "${ctest_cmd[@]}" "$@"; }

# Test names of the tree, the prefix fixtures left out, quickest first by
# the times ctest recorded (names it has no time for go last).
costs=${build:-$root/build/x64}/Testing/Temporary/CTestCostData.txt
mapfile -t all_suites < <(run_ctest -N | sed -n 's/^ *Test *#[0-9]*: //p' |
                          grep -vxE 'prefix_create|printers_install|prefix_stop' |
                          while read -r t; do
                              c=$(awk -v t="$t" '$1 == t { print $3; exit }' "$costs" 2>/dev/null || true)
                              echo "${c:-99999} $t"
                          done | sort -g | cut -d' ' -f2)

# Without suites every fault would read as missed.
[ ${#all_suites[@]} -gt 0 ] || { echo "ctest lists no suites in the build tree" >&2; exit 2; }

applied=""
revert() {
    if [ -n "$applied" ]; then
        git apply -R "$applied" || echo "could not take out $applied: revert it by hand" >&2
        applied=""
    fi
}
stop_prefix() { run_ctest -R '^prefix_stop$' >/dev/null 2>&1 || true; }
trap 'revert; stop_prefix' EXIT
trap 'exit 130' INT TERM

# Prints the suite that failed first (with " (timeout)" after a hang), or nothing.
first_failing_suite() {
    local patch=$1 log=$2 suite rc
    local -a order
    read -ra order <<<"$(sed -n 's/^Suites: //p' "$patch")"
    for suite in "${all_suites[@]}"; do
        printf '%s\n' "${order[@]}" | grep -qxF "$suite" || order+=("$suite")
    done
    if ! "${display[@]}" "${ctest_cmd[@]}" -R '^(prefix_create|printers_install)$' -FC '.*' \
        >>"$log" 2>&1; then
        echo printers_install
        return
    fi
    for suite in "${order[@]}"; do
        printf '%s\n' "${all_suites[@]}" | grep -qxF "$suite" || continue
        rc=0
        timeout -k 10 "$suite_timeout" "${display[@]}" "${ctest_cmd[@]}" -R "^$suite\$" -FA '.*' \
            >>"$log" 2>&1 || rc=$?
        if [ $rc = 124 ] || [ $rc = 137 ]; then echo "$suite (timeout)"; return; fi
        if [ $rc != 0 ]; then echo "$suite"; return; fi
    done
}

caught=0
for patch in "${patches[@]}"; do
    name=$(basename "$patch" .patch)
    log=$logs/$name.log
    : >"$log"
    if ! git apply --check "$patch" 2>>"$log"; then
        echo "${name:0:2} ${name:3}: does not apply"
        continue
    fi
    git apply "$patch"
    applied=$patch
    if ! build_tree >>"$log" 2>&1; then
        echo "${name:0:2} ${name:3}: does not build"
    else
        by=$(first_failing_suite "$patch" "$log")
        stop_prefix
        if [ -n "$by" ]; then
            echo "${name:0:2} ${name:3}: caught by $by"
            caught=$((caught + 1))
        else
            echo "${name:0:2} ${name:3}: MISSED"
        fi
    fi
    revert
done
echo "caught $caught of ${#patches[@]}"
