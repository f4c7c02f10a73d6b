#!/usr/bin/env bash
# Counts the window-server requests the printing preferences make: runs
# pxbench --sheets once with Wine's server log on and reports, for this
# driver's sheet, its floor (the same templates with nothing behind them)
# and the PostScript driver's sheet, the requests of the sheet's thread
# while it opens, while the Advanced dialog opens and closes, on each tab
# switch and while it closes, the commonest kinds, and the windows created
# by class. Under Wine nearly all
# of a sheet's time is these round trips (see docs/performance.md).
#   scripts/sheet-requests.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/x64}")
loader=/usr/lib/wine/wine64
wineserver=$(dirname "$loader")/wineserver
prefix=$build/requests-prefix
log=$build/sheet-requests.log
scripts/make-test-prefix.sh --arch x64 "$prefix" "$build" >/dev/null
display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1024x768x24")
# The server writes the log, so it must be started by the logged run.
WINEPREFIX=$prefix WINEDEBUG=+server WINEDLLOVERRIDES="mscoree,mshtml=" \
    "${display[@]+"${display[@]}"}" "$loader" "$build/bin/pxbench.exe" --sheets --cold-runs 1 \
    >/dev/null 2>"$log" || true
WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
python3 - "$log" <<'PY'
import collections, re, sys

REQUEST = re.compile(r'^([0-9a-f]{4}): ([a-z_]+)\( (.*)')
lines = open(sys.argv[1], errors='replace').read().split('\n')
requests = []                     # (thread, name, arguments)
for line in lines:
    m = REQUEST.match(line)
    if m:
        requests.append(m.groups())
# The bench's own thread creates the sheet threads; a sheet thread is one that
# creates a window of the property sheet class (atom 8002, "#32770").
sheet_threads = []
for tid, name, args in requests:
    if name == 'create_window' and 'atom=8002' in args and 'style=80c' in args and tid not in sheet_threads:
        sheet_threads.append(tid)
# The uncounted warm-up run of each sheet (ours, floor, PostScript), then
# the counted runs in the same turns; the first counted one of each.
if len(sheet_threads) < 6:
    sys.exit('sheet-requests: the sheets did not open (%d sheet threads)' % len(sheet_threads))
sheets = (('ORVEN PX-2210', sheet_threads[3]), ('floor', sheet_threads[4]),
          ('Bench PostScript', sheet_threads[5]))
# What the bench sends or posts to the sheet's thread starts a phase:
# WM_COMMAND (0x111) the Advanced dialog's opening, then its Cancel;
# PSM_SETCURSEL (0x465) a tab switch; PSM_PRESSBUTTON (0x471) the close.
STARTS = {'00000111': 'Advanced', '00000465': 'tab switch', '00000471': 'close'}
for label, tid in sheets:
    phases = [collections.Counter()]
    names = ['open']
    classes = collections.Counter()
    for who, name, args in requests:
        start = re.search(r'msg=(00000111|00000465|00000471)', args)
        if name == 'send_message' and ('id=%s' % tid) in args and start:
            kind = STARTS[start.group(1)]
            count = sum(1 for n in names if n.startswith(kind)) + 1
            if kind == 'Advanced':
                names.append('Advanced ' + ('open' if count == 1 else 'close'))
            elif kind == 'tab switch':
                names.append('tab switch %d' % count)
            else:
                names.append(kind)
            phases.append(collections.Counter())
        if who != tid:
            continue
        phases[-1][name] += 1
        if name == 'create_window':
            classes[re.search(r'class=(L"[^"]*")', args).group(1)] += 1
    print('\n%s' % label)
    for phase, counts in zip(names, phases):
        common = ', '.join('%s %d' % kv for kv in counts.most_common(6))
        print('  %-13s %5d requests: %s' % (phase, sum(counts.values()), common))
    print('  windows created: ' + ', '.join('%s %d' % kv for kv in classes.most_common()))
PY
