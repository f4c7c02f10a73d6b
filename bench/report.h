// The benchmark's results and their Markdown report.
#pragma once

#include "bench/cases.h"
#include "bench/cold.h"
#include "bench/spoolertrace.h"

#define FLOOR_TARGET 1.15   // warm spooler-facing call / its spooler calls
#define COLD_TARGET 0.5     // our cold first call / the PostScript driver's

struct CaseResult {
    Timing ours;
    Timing postscript;      // valid only for cases both printers answer
    double floorUs;         // sum of the spooler calls the entry point must make
    SpoolerTally trace;     // spooler calls the module made, per traced call
    int tracedCalls;
    double tracedUs;        // duration of the traced calls, per call
};

struct BenchResults {
    const WCHAR *ours;
    const WCHAR *postscript;
    int repetitions;
    Timing floor[FLOOR_ITEM_COUNT];
    Timing sizeQueries[SIZE_QUERY_COUNT];
    CaseResult cases[32];
    int coldRuns;
    double coldOursUs;      // -1 when a child failed
    double coldPostScriptUs;
    ColdSplit splitOurs;    // the same first call taken apart
    ColdSplit splitPostScript;
};

void PrintReport(const BenchResults *results);
// TRUE when every measured call answered as expected.
BOOL AllMeasured(const BenchResults *results);
