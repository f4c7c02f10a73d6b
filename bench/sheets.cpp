#include "bench/sheets.h"

#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <winspool.h>

#include <vector>

#include "bench/floorsheet.h"
#include "core/scope.h"
#include "resources/ids_controls.h"
#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"
#include "tools/moduleexports/moduleexports.h"

#define SHEET_WAIT_MS 10000
#define SHEET_OUT_BYTES (64 * 1024)

// A sheet the benchmark opens: the printer's own through DocumentPropertiesW,
// or, with module set, the floor made of that module's templates.
struct SheetKind {
    const WCHAR *printer;
    HANDLE handle;
    HMODULE module;
    BOOL advanced;   // its first page has the Advanced button
};

// A window has painted once it is visible and neither it nor any visible
// control on it has anything left to paint. Paint messages come last in a
// thread's queue, so polling this from outside sees the end of the paint.
static BOOL CALLBACK ChildPending(HWND child, LPARAM pending)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, NULL, FALSE)) {
        *reinterpret_cast<BOOL *>(pending) = TRUE;
        return FALSE;
    }
    return TRUE;
}

static BOOL WindowPainted(HWND window)
{
    if (!window || !IsWindowVisible(window) || GetUpdateRect(window, NULL, FALSE))
        return FALSE;
    BOOL pending = FALSE;
    EnumChildWindows(window, ChildPending, (LPARAM)&pending);
    return !pending;
}

static HWND CurrentPage(HWND sheet)
{
    return (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}

static BOOL PagePainted(HWND sheet)
{
    return WindowPainted(CurrentPage(sheet));
}

// The time condition(subject) was first seen true; 0 after the wait ran out.
template <typename T>
static double WaitFor(BOOL (*condition)(T), T subject)
{
    double start = NowUs();
    // Each look asks the window server: a busy loop would slow the sheet.
    while (!condition(subject)) {
        if (NowUs() - start > SHEET_WAIT_MS * 1000.0)
            return 0;
        Sleep(1);
    }
    return NowUs();
}

struct FoundWindow {
    HWND except;
    HWND window;
};

static BOOL CALLBACK FindVisible(HWND window, LPARAM p)
{
    FoundWindow *found = reinterpret_cast<FoundWindow *>(p);
    if (window == found->except || !IsWindowVisible(window))
        return TRUE;
    found->window = window;
    return FALSE;
}

// A visible top-level window of the thread other than except.
static HWND WaitForWindow(DWORD thread, HWND except)
{
    FoundWindow found = {except, NULL};
    double start = NowUs();
    while (!found.window && NowUs() - start < SHEET_WAIT_MS * 1000.0) {
        EnumThreadWindows(thread, FindVisible, reinterpret_cast<LPARAM>(&found));
        if (!found.window)
            Sleep(1);
    }
    return found.window;
}

struct SheetRun {
    const SheetKind *kind;
    std::vector<BYTE> out;
    double startUs;
    double endUs;
};

static DWORD WINAPI ShowSheet(void *p)
{
    SheetRun *run = static_cast<SheetRun *>(p);
    const SheetKind *kind = run->kind;
    run->startUs = NowUs();
    if (kind->module)
        ShowFloorSheet(kind->module, kind->printer);
    else
        DocumentPropertiesW(NULL, kind->handle, const_cast<WCHAR *>(kind->printer),
                            reinterpret_cast<DEVMODEW *>(run->out.data()), NULL,
                            DM_OUT_BUFFER | DM_PROMPT);
    run->endUs = NowUs();
    return 0;
}

struct OneRun {
    BOOL ok;
    int tabs;
    double ms[PHASE_COUNT];
};

static double ElapsedMs(double startUs, double endUs)
{
    return (endUs - startUs) / 1000.0;
}

struct SheetAndDialog {
    HWND sheet;
    HWND dialog;
};

static BOOL DialogGone(const SheetAndDialog *windows)
{
    return !IsWindow(windows->dialog) && PagePainted(windows->sheet);
}

// The Advanced button as a click reaches the page, the dialog until it has
// painted; its Cancel until it is gone and the page has painted again.
static void TimeAdvanced(HWND sheet, DWORD thread, OneRun *r)
{
    HWND page = CurrentPage(sheet);
    HWND button = GetDlgItem(page, IDC_BASIC_ADVANCED);
    double start = NowUs();
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BASIC_ADVANCED, BN_CLICKED), (LPARAM)button);
    HWND dialog = WaitForWindow(thread, sheet);
    double painted = dialog ? WaitFor(WindowPainted, dialog) : 0;
    r->ok = painted > 0;
    r->ms[PHASE_ADVANCED_OPEN] = ElapsedMs(start, painted);
    if (!r->ok)
        return;
    SheetAndDialog windows = {sheet, dialog};
    start = NowUs();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, IDCANCEL));
    double closed = WaitFor(DialogGone, (const SheetAndDialog *)&windows);
    r->ok = closed > 0;
    r->ms[PHASE_ADVANCED_CLOSE] = ElapsedMs(start, closed);
}

static void SwitchTo(HWND sheet, int tab, SheetPhase phase, OneRun *r)
{
    double start = NowUs();
    SendMessageW(sheet, PSM_SETCURSEL, tab, 0);
    double painted = WaitFor(PagePainted, sheet);
    r->ok = painted > 0;
    r->ms[phase] = ElapsedMs(start, painted);
}

static void SwitchTabs(HWND sheet, OneRun *r)
{
    HWND tab = (HWND)SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0);
    r->tabs = (int)SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
    static const SheetPhase kForward[] = {PHASE_TAB_2, PHASE_TAB_3};
    for (int i = 1; i < r->tabs && i <= 2 && r->ok; i++)
        SwitchTo(sheet, i, kForward[i - 1], r);
    if (r->tabs > 1 && r->ok)
        SwitchTo(sheet, 0, PHASE_TAB_BACK, r);
}

static OneRun RunOnce(const SheetKind *kind, BOOL withOk)
{
    OneRun r = {};
    for (double &ms : r.ms)
        ms = -1;
    SheetRun run = {kind, std::vector<BYTE>(SHEET_OUT_BYTES), 0, 0};
    DWORD id = 0;
    HANDLE thread = CreateThread(NULL, 0, ShowSheet, &run, 0, &id);
    if (!thread)
        return r;
    HWND sheet = WaitForWindow(id, NULL);
    double painted = sheet ? WaitFor(PagePainted, sheet) : 0;
    r.ok = painted > 0;
    r.ms[PHASE_OPEN] = ElapsedMs(run.startUs, painted);
    if (r.ok && kind->advanced)
        TimeAdvanced(sheet, id, &r);
    if (r.ok)
        SwitchTabs(sheet, &r);
    double closeStart = NowUs();
    if (sheet)
        PostMessageW(sheet, PSM_PRESSBUTTON, withOk ? PSBTN_OK : PSBTN_CANCEL, 0);
    r.ok = WaitForSingleObject(thread, SHEET_WAIT_MS) == WAIT_OBJECT_0 && r.ok;
    r.ms[withOk ? PHASE_OK : PHASE_CANCEL] = ElapsedMs(closeStart, run.endUs);
    CloseHandle(thread);
    return r;
}

// Every figure of every counted run of one sheet.
struct SheetSamples {
    BOOL ok;
    int tabs;
    std::vector<double> ms[PHASE_COUNT];
};

static void Record(const OneRun &r, SheetSamples *s)
{
    s->ok = s->ok && r.ok;
    s->tabs = r.tabs;
    for (int p = 0; p < PHASE_COUNT; p++) {
        if (r.ms[p] >= 0)
            s->ms[p].push_back(r.ms[p]);
    }
}

static SheetTimes MediansOf(SheetSamples *s)
{
    SheetTimes t = {};
    t.valid = s->ok;
    t.tabs = s->tabs;
    for (int p = 0; p < PHASE_COUNT; p++)
        t.ms[p] = s->ms[p].empty() ? -1 : MedianOf(s->ms[p].data(), (int)s->ms[p].size());
    return t;
}

// Each kind in turn within every round, so that any drift of the machine
// falls on all of them alike.
static void RunRounds(const SheetKind *kinds, int count, int runs, SheetSamples *samples)
{
    for (int k = 0; k < count; k++)
        samples[k].ok = RunOnce(&kinds[k], FALSE).ok;
    for (int i = 0; i < 2 * runs; i++) {
        for (int k = 0; k < count; k++) {
            if (samples[k].ok)
                Record(RunOnce(&kinds[k], i % 2 == 1), &samples[k]);
        }
    }
}

struct WorkFileCall {
    const WCHAR *path;
    PXDEVMODE *dm;
};

static BOOL WriteWorkFile(void *p)
{
    WorkFileCall *call = static_cast<WorkFileCall *>(p);
    return WriteWorkingSettingsFile(call->path, call->dm, StoreFromDevMode(call->dm));
}

// The write OK makes, with the file's own contents written back: after the
// OK runs the file exists. The sheet found the path when it opened, so the
// path is found here before the timing.
static Timing TimeWorkFileWrite(const WCHAR *printer, const TimingPlan *plan)
{
    Timing t = {};
    UniquePrinter handle = OpenPrinterScoped(printer);
    UniqueBlock<PXDEVMODE> dm = UniqueBlock<PXDEVMODE>::Allocate();
    if (!handle || !dm ||
        DocumentPropertiesW(NULL, handle.get(), const_cast<WCHAR *>(printer),
                            reinterpret_cast<DEVMODEW *>(dm.get()), NULL, DM_OUT_BUFFER) != IDOK)
        return t;
    WCHAR path[MAX_PATH];
    if (AllocSettingStore(dm.get()) && GetWorkingSettingsPath(handle.get(), path) &&
        ReadWorkingSettingsFile(path, dm.get(), StoreFromDevMode(dm.get())) == WORKFILE_OK) {
        WorkFileCall call = {path, dm.get()};
        t = TimeCall(WriteWorkFile, &call, plan);
    }
    ReleaseSettingStore(dm.get());
    return t;
}

SheetFigures TimeSheets(const WCHAR *ours, const WCHAR *postscript, int runs,
                        const TimingPlan *plan)
{
    SheetFigures f = {};
    f.runs = runs;
    UniquePrinter oursHandle = OpenPrinterScoped(ours);
    UniquePrinter psHandle = OpenPrinterScoped(postscript);
    ModuleExports exports = {};
    if (!oursHandle || !psHandle || !LoadPrinterModuleExports(ours, &exports))
        return f;
    const SheetKind kinds[3] = {
        {ours, oursHandle.get(), NULL, TRUE},
        {ours, NULL, exports.module, TRUE},
        {postscript, psHandle.get(), NULL, FALSE},
    };
    SheetSamples samples[3];
    RunRounds(kinds, 3, runs, samples);
    f.ours = MediansOf(&samples[0]);
    f.floor = MediansOf(&samples[1]);
    f.postscript = MediansOf(&samples[2]);
    FreeModuleExports(&exports);
    f.workFile = TimeWorkFileWrite(ours, plan);
    return f;
}

struct SheetRow {
    const char *label;
    SheetPhase phase;
    BOOL target;   // held to SHEET_FLOOR_TARGET
};

static const SheetRow kSheetRows[] = {
    {"open, to the first page's first paint", PHASE_OPEN, TRUE},
    {"Advanced dialog open", PHASE_ADVANCED_OPEN, TRUE},
    {"Advanced dialog close", PHASE_ADVANCED_CLOSE, FALSE},
    {"switch to the second tab (Option)", PHASE_TAB_2, TRUE},
    {"switch to the third tab (Setup)", PHASE_TAB_3, TRUE},
    {"switch back to the first tab (Basic)", PHASE_TAB_BACK, TRUE},
    {"close with Cancel", PHASE_CANCEL, TRUE},
    {"close with OK", PHASE_OK, FALSE},
};

static BOOL AllPhases(const SheetTimes *t)
{
    for (int p = 0; p < PHASE_COUNT; p++) {
        if (t->ms[p] < 0)
            return FALSE;
    }
    return t->valid;
}

BOOL AllSheetsMeasured(const SheetFigures *f)
{
    return AllPhases(&f->ours) && AllPhases(&f->floor) && f->postscript.valid &&
           f->postscript.ms[PHASE_OPEN] >= 0 && f->postscript.ms[PHASE_CANCEL] >= 0 &&
           f->workFile.valid;
}

static void PrintMs(double ms)
{
    if (ms >= 0)
        printf(" %.1f |", ms);
    else
        printf(" - |");
}

static const char *Verdict(double ours, double floor)
{
    return ours <= SHEET_FLOOR_TARGET * floor ? "met" : "MISSED";
}

static void PrintRow(const char *label, double ours, double floor, BOOL target, double ps)
{
    printf("| %s |", label);
    PrintMs(ours);
    PrintMs(floor);
    if (ours >= 0 && floor > 0)
        printf(" %.2f | %s |", ours / floor, target ? Verdict(ours, floor) : "-");
    else
        printf(" - | - |");
    PrintMs(ps);
    printf("\n");
}

// OK less the working settings file it writes.
static double OkWithoutWrite(const SheetFigures *f)
{
    if (f->ours.ms[PHASE_OK] < 0 || !f->workFile.valid)
        return -1;
    return f->ours.ms[PHASE_OK] - f->workFile.medianUs / 1000.0;
}

static void PrintRatioLine(const char *label, double ours, double floor)
{
    if (ours < 0 || floor <= 0)
        return;
    printf("ratio %-48s ours/floor      = %7.2f  (target <= %.2f: %s)  [%.1f / %.1f ms]\n",
           label, ours / floor, SHEET_FLOOR_TARGET, Verdict(ours, floor), ours, floor);
}

static void PrintRatioLines(const SheetFigures *f)
{
    printf("\n```\n");
    for (const SheetRow &row : kSheetRows) {
        if (row.target)
            PrintRatioLine(row.label, f->ours.ms[row.phase], f->floor.ms[row.phase]);
    }
    PrintRatioLine("close with OK, less the working settings file", OkWithoutWrite(f),
                   f->floor.ms[PHASE_OK]);
    printf("```\n");
}

void PrintSheetReport(const WCHAR *ours, const WCHAR *postscript, const SheetFigures *f)
{
    printf("\n## Printing preferences against their floor\n\n");
    if (!f->ours.valid || !f->floor.valid || !f->postscript.valid) {
        printf("Not measured: a sheet did not open, paint or close in time (%ls: %s, floor: %s, "
               "%ls: %s).\n",
               ours, f->ours.valid ? "ok" : "failed", f->floor.valid ? "ok" : "failed",
               postscript, f->postscript.valid ? "ok" : "failed");
        return;
    }
    printf("Medians in ms of %d runs of each sheet closed with Cancel and %d closed with OK, "
           "after one uncounted run; the sheets take turns. Floor: the same templates through "
           "compstui with procedures that do nothing. %ls has %d tabs, the floor %d, %ls %d "
           "(context only).\n\n",
           f->runs, f->runs, ours, f->ours.tabs, f->floor.tabs, postscript, f->postscript.tabs);
    printf("| | %ls | floor | ours / floor | target <= %.2f | %ls |\n", ours, SHEET_FLOOR_TARGET,
           postscript);
    printf("|---|---:|---:|---:|---|---:|\n");
    for (const SheetRow &row : kSheetRows)
        PrintRow(row.label, f->ours.ms[row.phase], f->floor.ms[row.phase], row.target,
                 f->postscript.ms[row.phase]);
    PrintRow("close with OK, less the working settings file", OkWithoutWrite(f),
             f->floor.ms[PHASE_OK], TRUE, -1);
    printf("| writing the working settings file (part of OK) |");
    PrintMs(f->workFile.valid ? f->workFile.medianUs / 1000.0 : -1);
    printf(" - | - | - | - |\n");
    PrintRatioLines(f);
}
