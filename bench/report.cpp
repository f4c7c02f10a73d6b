#include "bench/report.h"

#include <stdio.h>

static void PrintUs(const Timing *t)
{
    if (t->valid)
        printf(" %.1f |", t->medianUs);
    else
        printf(" failed |");
}

static void PrintRatio(double numerator, double denominator)
{
    if (numerator > 0 && denominator > 0)
        printf(" %.2f |", numerator / denominator);
    else
        printf(" - |");
}

static BOOL MeetsFloor(const CaseResult *r)
{
    return r->ours.valid && r->floorUs > 0 && r->ours.medianUs <= FLOOR_TARGET * r->floorUs;
}

static void PrintWarmTable(const BenchResults *res)
{
    printf("## Warm calls\n\nMedian microseconds per call over %d repetitions, in one process.\n"
           "Floor: the sum of the spooler calls the entry point must make, measured in this run.\n\n",
           res->repetitions);
    printf("| Call | %ls | %ls | ours / PostScript | floor | ours / floor | target <= %.2f |\n",
           res->ours, res->postscript, FLOOR_TARGET);
    printf("|---|---:|---:|---:|---:|---:|---|\n");
    for (int i = 0; i < kBenchCaseCount; i++) {
        const BenchCase *c = &kBenchCases[i];
        const CaseResult *r = &res->cases[i];
        printf("| %s |", c->label);
        PrintUs(&r->ours);
        if (c->bothPrinters)
            PrintUs(&r->postscript);
        else
            printf(" - |");
        PrintRatio(r->ours.valid ? r->ours.medianUs : 0,
                   c->bothPrinters && r->postscript.valid ? r->postscript.medianUs : 0);
        if (!c->spoolerFacing) {
            printf(" - | - | n/a (no spooler call) |\n");
            continue;
        }
        printf(" %.1f |", r->floorUs);
        PrintRatio(r->ours.valid ? r->ours.medianUs : 0, r->floorUs);
        printf(" %s |\n", MeetsFloor(r) ? "met" : "MISSED");
    }
}

static void PrintFloorTable(const BenchResults *res)
{
    printf("\n## Spooler floor\n\nOn %ls, buffers sized beforehand (one call each).\n\n",
           res->ours);
    printf("| Spooler call | median us |\n|---|---:|\n");
    for (int f = 0; f < FLOOR_ITEM_COUNT; f++) {
        printf("| %s |", kFloorItemLabels[f]);
        PrintUs(&res->floor[f]);
        printf("\n");
    }
    for (int q = 0; q < SIZE_QUERY_COUNT; q++) {
        printf("| %s (not in the floor) |", kSizeQueryLabels[q]);
        PrintUs(&res->sizeQueries[q]);
        printf("\n");
    }
}

static void PrintCold(const BenchResults *res)
{
    printf("\n## Cold first call\n\nA fresh process loads the driver and answers its first "
           "DeviceCapabilitiesW(DC_PAPERS); median of %d processes per printer, run "
           "alternately.\n\n",
           res->coldRuns);
    printf("| Printer | median us |\n|---|---:|\n");
    printf("| %ls | %.1f |\n| %ls | %.1f |\n", res->ours, res->coldOursUs, res->postscript,
           res->coldPostScriptUs);
    printf("\nTaken apart (other fresh processes, medians): the spooler warmed first by "
           "opening the printer and reading its driver information, then the configuration "
           "module loaded alone, then the first DC_PAPERS.\n\n");
    printf("| Printer | spooler warm-up us | module load us | modules it brought | "
           "first call us |\n|---|---:|---:|---:|---:|\n");
    const ColdSplit *splits[2] = {&res->splitOurs, &res->splitPostScript};
    const WCHAR *names[2] = {res->ours, res->postscript};
    for (int i = 0; i < 2; i++)
        printf("| %ls | %.1f | %.1f | %d | %.1f |\n", names[i], splits[i]->warmUpUs,
               splits[i]->loadUs, splits[i]->newModules, splits[i]->callUs);
}

static void PrintTrace(const BenchResults *res)
{
    printf("\n## Where the time goes\n\nSpooler calls the module made per entry-point call "
           "(its import table redirected to counting wrappers, %d traced calls each), the time "
           "spent inside them and the rest.\n\n",
           res->cases[0].tracedCalls);
    printf("| Call |");
    for (int f = 0; f < SPOOLER_FUNCTION_COUNT; f++)
        printf(" %s |", kSpoolerFunctionNames[f]);
    printf(" us in spooler | us elsewhere |\n|---|");
    for (int f = 0; f < SPOOLER_FUNCTION_COUNT; f++)
        printf("---:|");
    printf("---:|---:|\n");
    for (int i = 0; i < kBenchCaseCount; i++) {
        const CaseResult *r = &res->cases[i];
        if (!r->tracedCalls)
            continue;
        double inSpooler = 0;
        printf("| %s |", kBenchCases[i].label);
        for (int f = 0; f < SPOOLER_FUNCTION_COUNT; f++) {
            printf(" %.1f |", (double)r->trace.calls[f] / r->tracedCalls);
            inSpooler += r->trace.us[f];
        }
        inSpooler /= r->tracedCalls;
        printf(" %.1f | %.1f |\n", inSpooler, r->tracedUs - inSpooler);
    }
}

static void PrintRatioLines(const BenchResults *res)
{
    printf("\n## Ratios\n\n```\n");
    for (int i = 0; i < kBenchCaseCount; i++) {
        const BenchCase *c = &kBenchCases[i];
        const CaseResult *r = &res->cases[i];
        if (!r->ours.valid)
            continue;
        if (c->spoolerFacing && r->floorUs > 0)
            printf("ratio %-48s ours/floor      = %7.2f  (target <= %.2f: %s)  [%.1f / %.1f us]\n",
                   c->label, r->ours.medianUs / r->floorUs, FLOOR_TARGET,
                   MeetsFloor(r) ? "met" : "MISSED", r->ours.medianUs, r->floorUs);
        if (c->bothPrinters && r->postscript.valid)
            printf("ratio %-48s ours/PostScript = %7.1f\n", c->label,
                   r->ours.medianUs / r->postscript.medianUs);
    }
    if (res->coldOursUs > 0 && res->coldPostScriptUs > 0) {
        double ratio = res->coldOursUs / res->coldPostScriptUs;
        printf("ratio %-48s ours/PostScript = %7.2f  (target <= %.2f: %s)  [%.1f / %.1f us]\n",
               "cold first DeviceCapabilitiesW DC_PAPERS", ratio, COLD_TARGET,
               ratio <= COLD_TARGET ? "met" : "MISSED", res->coldOursUs, res->coldPostScriptUs);
    }
    printf("```\n");
}

void PrintReport(const BenchResults *res)
{
    PrintWarmTable(res);
    PrintFloorTable(res);
    PrintCold(res);
    PrintRatioLines(res);
    PrintTrace(res);
    fflush(stdout);
}

BOOL AllMeasured(const BenchResults *res)
{
    for (int f = 0; f < FLOOR_ITEM_COUNT; f++)
        if (!res->floor[f].valid)
            return FALSE;
    for (int i = 0; i < kBenchCaseCount; i++) {
        if (!res->cases[i].ours.valid)
            return FALSE;
        if (kBenchCases[i].bothPrinters && !res->cases[i].postscript.valid)
            return FALSE;
    }
    return res->coldOursUs > 0 && res->coldPostScriptUs > 0;
}
