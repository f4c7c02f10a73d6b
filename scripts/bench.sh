#!/usr/bin/env bash
# Benchmarks the driver beside the platform's own PostScript driver, in one
# process and one Wine prefix (bench/, pxbench.exe); the sheets a second time
# with the program and the window server on one CPU.
#   scripts/bench.sh                 build x64, run, print the report
#   scripts/bench.sh --write         ... and put the results into docs/performance.md
#   scripts/bench.sh --quick         a short run that only shows the benchmark works
#   scripts/bench.sh --build-dir DIR use an existing build tree instead of build/x64
# Further arguments after -- go to pxbench.exe (--sheets, --reps N, --ms MS, --cold-runs N).
set -eu
cd "$(dirname "$0")/.."
root=$PWD
write=0 quick=0 build=""
given=("$@")
extra=()
while [ $# -gt 0 ]; do
    case $1 in
    --write) write=1 ;;
    --quick) quick=1 ;;
    --build-dir) build=$(realpath "$2"); shift ;;
    --) shift; extra=("$@"); break ;;
    *) echo "usage: $0 [--write] [--quick] [--build-dir DIR] [-- pxbench options]" >&2; exit 2 ;;
    esac
    shift
done
if [ -z "$build" ]; then
    scripts/setup.sh
    cmake --preset x64 >/dev/null
    cmake --build --preset x64 --target pxbench px_test_setup
    build=$root/build/x64
else
    cmake --build "$build" --target pxbench px_test_setup
fi

loader=/usr/lib/wine/wine64
prefix=$build/bench-prefix
report=$build/bench-report.md
args=()
[ $quick = 1 ] && args+=(--quick)
args+=("${extra[@]+"${extra[@]}"}")

scripts/make-test-prefix.sh --arch x64 "$prefix" "$build" >/dev/null
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
status=0
# The printing preferences are timed with their windows: a display is needed.
display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1024x768x24")
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "${display[@]+"${display[@]}"}" "$loader" "$build/bin/pxbench.exe" "${args[@]+"${args[@]}"}" >"$report" || status=$?
# The sheets again with the program and the window server kept on one CPU
# (the server is started afresh, so it inherits the affinity). In a virtual
# machine a round trip between CPUs waits for the other CPU to wake; on one
# CPU it does not, which is closer to a desktop's figures.
scripts/wine-prefix.sh stop "$prefix" "$loader"
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "${display[@]+"${display[@]}"}" taskset -c 0 "$loader" "$build/bin/pxbench.exe" \
    "${args[@]+"${args[@]}"}" --sheets |
    sed -e 's/^## Printing preferences (sheet with a window)/## Printing preferences, program and window server on one CPU/' \
        -e 's/^### What windows cost here/### What windows cost on one CPU/' >>"$report" || status=$?
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
scripts/wine-prefix.sh stop "$prefix" "$loader"
cat "$report"
[ $status = 0 ] || { echo "pxbench failed ($status)" >&2; exit $status; }
[ $write = 1 ] || exit 0

command="scripts/bench.sh ${given[*]}"
cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -1)
machine="$cpu, $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB memory; Linux $(uname -r); $($loader --version 2>/dev/null); Debian $(cat /etc/debian_version)"
results=$(mktemp)
{
    echo "<!-- results:begin (written by scripts/bench.sh --write; edit outside these markers) -->"
    echo
    echo "Command: \`$command\`, run $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "Machine: $machine. Load average (1, 5, 15 min) before the run: $load_before; after: $load_after."
    echo
    cat "$report"
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
