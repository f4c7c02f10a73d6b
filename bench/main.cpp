// pxbench: times the driver's entry points beside the same calls on a
// printer of the platform's own PostScript driver, in one process and one
// prefix, and prints a Markdown report (see scripts/bench.sh).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bench/cold.h"
#include "bench/platformcosts.h"
#include "bench/psprinter.h"
#include "bench/report.h"
#include "bench/sheets.h"
#include "core/module.h"
#include "tests/common/printers.h"

#define TRACED_CALLS 5

struct Options {
    TimingPlan plan;
    int coldRuns;
    const WCHAR *coldChild;
    BOOL coldSplit;
    BOOL sheetsOnly;
};

static BOOL ParseOptions(int argc, WCHAR **argv, Options *o)
{
    o->plan.repetitions = 7;
    o->plan.repetitionMs = 60;
    o->coldRuns = 7;
    o->coldChild = NULL;
    o->coldSplit = FALSE;
    o->sheetsOnly = FALSE;
    for (int i = 1; i < argc; i++) {
        BOOL hasValue = i + 1 < argc;
        if (lstrcmpW(argv[i], L"--quick") == 0) {
            o->plan.repetitions = 3;
            o->plan.repetitionMs = 5;
            o->coldRuns = 1;
        } else if (lstrcmpW(argv[i], L"--sheets") == 0) {
            o->sheetsOnly = TRUE;
        } else if (lstrcmpW(argv[i], L"--reps") == 0 && hasValue) {
            o->plan.repetitions = _wtoi(argv[++i]);
        } else if (lstrcmpW(argv[i], L"--ms") == 0 && hasValue) {
            o->plan.repetitionMs = _wtof(argv[++i]);
        } else if (lstrcmpW(argv[i], L"--cold-runs") == 0 && hasValue) {
            o->coldRuns = _wtoi(argv[++i]);
        } else if (lstrcmpW(argv[i], L"--cold-child") == 0 && hasValue) {
            o->coldChild = argv[++i];
        } else if (lstrcmpW(argv[i], L"--cold-split-child") == 0 && hasValue) {
            o->coldChild = argv[++i];
            o->coldSplit = TRUE;
        } else {
            return FALSE;
        }
    }
    return o->plan.repetitions >= 1 && o->plan.repetitions <= 64 && o->plan.repetitionMs > 0 &&
           o->coldRuns >= 1 && o->coldRuns <= 32;
}

static void TraceCase(const BenchCase *c, BenchContext *context, HMODULE module, CaseResult *r)
{
    if (!StartSpoolerTrace(module))
        return;
    double start = NowUs();
    BOOL ok = TRUE;
    for (int i = 0; i < TRACED_CALLS && ok; i++)
        ok = c->call(context);
    double elapsed = NowUs() - start;
    r->trace = StopSpoolerTrace();
    if (ok) {
        r->tracedCalls = TRACED_CALLS;
        r->tracedUs = elapsed / TRACED_CALLS;
    }
}

static void MeasureWarm(const Options *o, BenchContext *ours, BenchContext *ps,
                        HMODULE module, BenchResults *res)
{
    for (int f = 0; f < FLOOR_ITEM_COUNT; f++)
        res->floor[f] = TimeCall(kFloorCalls[f], ours, &o->plan);
    for (int q = 0; q < SIZE_QUERY_COUNT; q++)
        res->sizeQueries[q] = TimeCall(kSizeQueryCalls[q], ours, &o->plan);
    for (int i = 0; i < kBenchCaseCount; i++) {
        const BenchCase *c = &kBenchCases[i];
        CaseResult *r = &res->cases[i];
        r->ours = TimeCall(c->call, ours, &o->plan);
        if (c->bothPrinters)
            r->postscript = TimeCall(c->call, ps, &o->plan);
        for (int f = 0; f < FLOOR_ITEM_COUNT; f++)
            r->floorUs += c->floor[f] * (res->floor[f].valid ? res->floor[f].medianUs : 0);
        TraceCase(c, ours, module, r);
    }
}

// Medians of each figure over the split children.
static BOOL MeasureSplit(const WCHAR *printer, int runs, ColdSplit *out)
{
    double warmUp[32], load[32], modules[32], call[32];
    for (int i = 0; i < runs; i++) {
        ColdSplit s;
        if (!ColdSplitOnce(printer, &s))
            return FALSE;
        warmUp[i] = s.warmUpUs;
        load[i] = s.loadUs;
        modules[i] = s.newModules;
        call[i] = s.callUs;
    }
    out->warmUpUs = MedianOf(warmUp, runs);
    out->loadUs = MedianOf(load, runs);
    out->newModules = static_cast<int>(MedianOf(modules, runs));
    out->callUs = MedianOf(call, runs);
    return TRUE;
}

// Alternating the printers spreads any drift of the machine over both.
static void MeasureCold(int runs, BenchResults *res)
{
    double ours[32], ps[32];
    res->coldRuns = runs;
    res->coldOursUs = res->coldPostScriptUs = -1;
    for (int i = 0; i < runs; i++) {
        ours[i] = ColdCallOnce(res->ours);
        ps[i] = ColdCallOnce(res->postscript);
        if (ours[i] < 0 || ps[i] < 0)
            return;
    }
    if (!MeasureSplit(res->ours, runs, &res->splitOurs) ||
        !MeasureSplit(res->postscript, runs, &res->splitPostScript))
        return;
    res->coldOursUs = MedianOf(ours, runs);
    res->coldPostScriptUs = MedianOf(ps, runs);
}

static int RunBench(const Options *o)
{
    DWORD error = EnsurePostScriptPrinter();
    if (error != ERROR_SUCCESS) {
        fprintf(stderr, "pxbench: installing the PostScript printer failed: %lu\n", error);
        return 2;
    }
    static BenchResults res;
    res.ours = PX_PRINTER;
    res.postscript = PS_PRINTER;
    res.repetitions = o->plan.repetitions;
    PrinterTarget ours = {}, ps = {};
    ModuleExports exports = {};
    BenchContext oursContext = {}, psContext = {};
    int result = 2;
    BOOL opened = OpenTarget(&ours, PX_PRINTER);
    opened = OpenTarget(&ps, PS_PRINTER) && opened;
    if (!opened) {
        // OpenTarget said why.
    } else if (!LoadPrinterModuleExports(ours.name, &exports) || !HasEveryExport(&exports)) {
        fprintf(stderr, "pxbench: the module's entry points cannot be resolved\n");
    } else if (!PrepareContext(&oursContext, &ours, &exports) ||
               !PrepareContext(&psContext, &ps, NULL)) {
        fprintf(stderr, "pxbench: out of memory\n");
    } else {
        MeasureWarm(o, &oursContext, &psContext, exports.module, &res);
        MeasureCold(o->coldRuns, &res);
        SheetFigures sheets = TimeSheets(PX_PRINTER, PS_PRINTER, o->coldRuns, &o->plan);
        PlatformCosts costs = MeasurePlatformCosts(&o->plan);
        PrintReport(&res);
        PrintSheetReport(PX_PRINTER, PS_PRINTER, &sheets);
        PrintPlatformCosts(&costs);
        result = AllMeasured(&res) ? 0 : 1;
        if (result)
            fprintf(stderr, "pxbench: some calls did not answer as expected (\"failed\")\n");
        if (!AllSheetsMeasured(&sheets)) {
            fprintf(stderr, "pxbench: a row of the sheet table has no figures\n");
            result = 1;
        }
    }
    ReleaseContext(&oursContext);
    ReleaseContext(&psContext);
    FreeModuleExports(&exports);
    CloseTarget(&ours);
    CloseTarget(&ps);
    return result;
}

// Only the printing preferences, for looking at the sheets under a profiler.
static int RunSheets(const Options *o)
{
    DWORD error = EnsurePostScriptPrinter();
    if (error != ERROR_SUCCESS) {
        fprintf(stderr, "pxbench: installing the PostScript printer failed: %lu\n", error);
        return 2;
    }
    SheetFigures sheets = TimeSheets(PX_PRINTER, PS_PRINTER, o->coldRuns, &o->plan);
    PlatformCosts costs = MeasurePlatformCosts(&o->plan);
    PrintSheetReport(PX_PRINTER, PS_PRINTER, &sheets);
    PrintPlatformCosts(&costs);
    if (AllSheetsMeasured(&sheets))
        return 0;
    fprintf(stderr, "pxbench: a row of the sheet table has no figures\n");
    return 1;
}

int wmain(int argc, WCHAR **argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        fprintf(stderr, "usage: pxbench [--quick] [--sheets] [--reps N] [--ms MS] [--cold-runs N]\n");
        return 2;
    }
    // The settings-file code is linked in, and it takes the module's lock.
    ModuleAttach(GetModuleHandleW(NULL));
    if (options.coldChild)
        return RunColdChild(options.coldChild, options.coldSplit);
    if (options.sheetsOnly)
        return RunSheets(&options);
    return RunBench(&options);
}
