#!/usr/bin/env bash
# Benchmarks the driver beside the platform's own PostScript driver, and its
# printing preferences beside their floor (the same templates with nothing
# behind them), in one process and one Wine prefix (bench/, pxbench.exe);
# the sheets a second time with the program and the window server on one CPU.
#   scripts/bench.sh                 the shipping x86 module: build, run, print the report
#   scripts/bench.sh --arch x64      the x64 module instead
#   scripts/bench.sh --arch both     x86, then x64, and the two side by side
#   scripts/bench.sh --write         both, and the results into docs/performance.md
#   scripts/bench.sh --quick         a short run that only shows the benchmark works
#   scripts/bench.sh --build-dir DIR an existing build tree (of either architecture) instead
# x86 runs with /usr/lib/wine/wine in a 32-bit prefix (WINEARCH=win32), x64
# with /usr/lib/wine/wine64. Where the 32-bit Wine cannot start, x86 stops
# with status 3, or is left out with a note when PX_ALLOW_NO_X86=1. Further
# arguments after -- go to pxbench.exe (--sheets, --reps N, --ms MS, --cold-runs N).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
write=0 quick=0 build="" arch=""
given=("$@")
extra=()
usage() {
    echo "usage: $0 [--arch x86|x64|both] [--write] [--quick] [--build-dir DIR] [-- pxbench options]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case $1 in
    --write) write=1 ;;
    --quick) quick=1 ;;
    --arch) [ $# -ge 2 ] || usage; arch=$2; shift ;;
    --build-dir) [ $# -ge 2 ] || usage; build=$(realpath "$2"); shift ;;
    --) shift; extra=("$@"); break ;;
    *) usage ;;
    esac
    shift
done
if [ -n "$build" ]; then
    # A build tree is of one architecture: its toolchain says which.
    tree=x64
    grep -q 'toolchain-x86' "$build/CMakeCache.txt" 2>/dev/null && tree=x86
    [ -z "$arch" ] || [ "$arch" = "$tree" ] || { echo "$build is an $tree tree" >&2; exit 2; }
    arch=$tree
    [ $write = 0 ] || { echo "--write measures both architectures: leave out --build-dir" >&2; exit 2; }
fi
[ $write = 0 ] || [ -z "$arch" ] || [ "$arch" = both ] ||
    { echo "--write measures both architectures" >&2; exit 2; }
[ $write = 0 ] || arch=both
arch=${arch:-x86}
case $arch in
x86) arches=(x86) ;;
x64) arches=(x64) ;;
both) arches=(x86 x64) ;;
*) usage ;;
esac

loader_of() { if [ "$1" = x86 ]; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi; }

if [ -z "$build" ]; then
    # Setup installs what is missing; where everything is there it is not needed.
    for tool in cmake x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix xvfb-run taskset /usr/lib/wine/wine64; do
        command -v "$tool" >/dev/null || { scripts/setup.sh; break; }
    done
    for a in "${arches[@]}"; do
        cmake --preset "$a" >/dev/null
        cmake --build --preset "$a" --target pxbench px_test_setup
    done
else
    cmake --build "$build" --target pxbench px_test_setup
fi

args=()
[ $quick = 1 ] && args+=(--quick)
args+=("${extra[@]+"${extra[@]}"}")
# The printing preferences are timed with their windows: a display is needed.
display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1024x768x24")

# One architecture's report into $1/bench-report.md; its load averages
# before and after into $1/bench-load.
run_arch() {
    local a=$1 dir=$2 loader prefix report raw status=0
    loader=$(loader_of "$a")
    prefix=$dir/bench-prefix
    report=$dir/bench-report.md
    # Not a pipe: Wine's server and services inherit the output and would
    # hold a pipe open after the program ends.
    raw=$dir/bench-raw.txt
    if [ "$a" = x86 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
    scripts/make-test-prefix.sh --arch "$a" "$prefix" "$dir" >/dev/null
    local before after
    before=$(cut -d' ' -f1-3 /proc/loadavg)
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        "${display[@]+"${display[@]}"}" "$loader" "$dir/bin/pxbench.exe" "${args[@]+"${args[@]}"}" >"$raw" || status=$?
    tr -d '\r' <"$raw" >"$report"
    # The sheets again with the program and the window server kept on one CPU
    # (the server is started afresh, so it inherits the affinity). In a
    # virtual machine a round trip between CPUs waits for the other CPU to
    # wake; on one CPU it does not, which is closer to a desktop's figures.
    scripts/wine-prefix.sh stop "$prefix" "$loader"
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        "${display[@]+"${display[@]}"}" taskset -c 0 "$loader" "$dir/bin/pxbench.exe" \
        "${args[@]+"${args[@]}"}" --sheets >"$raw" || status=$?
    tr -d '\r' <"$raw" |
        sed -e 's/^\(## Printing preferences against their floor\)/\1, program and window server on one CPU/' \
            -e 's/^### What windows cost here/### What windows cost on one CPU/' \
            -e 's/^ratio /ratio one CPU: /' >>"$report"
    after=$(cut -d' ' -f1-3 /proc/loadavg)
    scripts/wine-prefix.sh stop "$prefix" "$loader"
    echo "$before; after: $after" >"$dir/bench-load"
    return $status
}

# The ratio lines of both reports side by side: the ones held to a target
# and the cold first call, with the figures they compare.
side_by_side() {
    local tsv="s/^ratio (.*[^ ]) +(ours\/[A-Za-z]+) += +([-0-9.]+) *(\(target <= ([0-9.]+): ([A-Za-z]+)\))? *(\[([^]]*)])?$/\1\t\3\t\5\t\6\t\8/p"
    echo "| Ratio (ours / floor; cold: ours / PostScript) | x86 | x64 | target |"
    echo "|---|---|---|---|"
    awk -F'\t' '
        function cell(v, verdict, figures) { return v " " verdict (figures != "" ? " (" figures ")" : "") }
        function shown(v) { return v == "" ? "not run" : v }
        FILENAME == ARGV[1] { x86[$1] = cell($2, $4, $5); order[++n] = $1; target[$1] = $3; next }
        { x64[$1] = cell($2, $4, $5); if (!($1 in x86)) { order[++n] = $1; target[$1] = $3 } }
        END { for (i = 1; i <= n; i++) { k = order[i]
                  printf "| %s | %s | %s | <= %s |\n", k, shown(x86[k]), shown(x64[k]), target[k] } }' \
        <(sed -nE "$tsv" "$1" | awk -F'\t' '$3 != ""') <(sed -nE "$tsv" "$2" | awk -F'\t' '$3 != ""')
}

# Some kernels run no 32-bit programs at all (the loader fails with "Exec
# format error"); say so instead of a report full of failures.
x86_note=""
check_x86() {
    local why
    why=$(/usr/lib/wine/wine --version 2>&1 >/dev/null) && return 0
    x86_note="not run: the 32-bit Wine cannot start here (${why##*: })"
    echo "bench: x86 NOT measured: the 32-bit Wine cannot start on this machine: $why" >&2
    [ "${PX_ALLOW_NO_X86:-0}" = 1 ] || exit 3
    return 1
}

status=0
for a in "${arches[@]}"; do
    dir=${build:-$root/build/$a}
    if [ "$a" = x86 ] && ! check_x86; then
        echo "$x86_note" >"$dir/bench-report.md"
        echo "-" >"$dir/bench-load"
        continue
    fi
    run_arch "$a" "$dir" || status=$?
    echo "## $a"
    cat "$dir/bench-report.md"
done
[ $status = 0 ] || { echo "pxbench failed ($status)" >&2; exit $status; }
if [ ${#arches[@]} = 2 ]; then
    echo "## x86 beside x64"
    side_by_side "$root/build/x86/bench-report.md" "$root/build/x64/bench-report.md"
fi
[ $write = 1 ] || exit 0

command="scripts/bench.sh ${given[*]}"
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -1)
machine="$cpu, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB memory; Linux $(uname -r); $(/usr/lib/wine/wine64 --version 2>/dev/null); Debian $(cat /etc/debian_version)"
# Each architecture's report one heading level down, under its own heading.
demote() { sed -e 's/^### /#### /' -e 's/^## /### /' "$1"; }
results=$(mktemp)
{
    echo "<!-- results:begin (written by scripts/bench.sh --write; edit outside these markers) -->"
    echo
    echo "Command: \`$command\`, run $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "Machine: $machine. Load average (1, 5, 15 min) before the x86 run: $(cat build/x86/bench-load); before the x64 run: $(cat build/x64/bench-load)."
    echo
    echo "## x86 beside x64"
    echo
    side_by_side build/x86/bench-report.md build/x64/bench-report.md
    echo
    echo "## x86, the shipping module (32-bit prefix, /usr/lib/wine/wine)"
    echo
    demote build/x86/bench-report.md
    echo
    echo "## x64 (/usr/lib/wine/wine64)"
    echo
    demote build/x64/bench-report.md
    echo
    echo "<!-- results:end -->"
} >"$results"
doc=docs/performance.md
if [ -f "$doc" ] && grep -q '<!-- results:begin' "$doc" && grep -q '<!-- results:end' "$doc"; then
    # Keep everything outside the markers: the notes on what the figures mean.
    awk -v file="$results" '
        /<!-- results:begin/ { while ((getline line < file) > 0) print line; skip = 1; next }
        /<!-- results:end/ { skip = 0; next }
        !skip { print }' "$doc" >"$doc.new"
    mv "$doc.new" "$doc"
else
    { echo "# Performance"; echo; cat "$results"; } >"$doc"
fi
rm -f "$results"
echo "wrote $doc"
