#include "bench/sheets.h"

#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <winspool.h>

#include <vector>

#include "bench/timing.h"
#include "core/scope.h"

#define SHEET_WAIT_MS 10000

// A page has painted once it is visible and neither it nor any visible
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

static BOOL PagePainted(HWND sheet)
{
    HWND page = (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (!page || !IsWindowVisible(page) || GetUpdateRect(page, NULL, FALSE))
        return FALSE;
    BOOL pending = FALSE;
    EnumChildWindows(page, ChildPending, (LPARAM)&pending);
    return !pending;
}

struct SheetRun {
    const WCHAR *printer;
    HANDLE handle;
    double startUs;
    double endUs;
};

static DWORD WINAPI ShowSheet(void *p)
{
    SheetRun *run = static_cast<SheetRun *>(p);
    std::vector<BYTE> out(64 * 1024);
    run->startUs = NowUs();
    DocumentPropertiesW(NULL, run->handle, const_cast<WCHAR *>(run->printer),
                        reinterpret_cast<DEVMODEW *>(out.data()), NULL, DM_OUT_BUFFER | DM_PROMPT);
    run->endUs = NowUs();
    return 0;
}

struct FoundSheet {
    HWND window;
};

static BOOL CALLBACK FindSheet(HWND window, LPARAM p)
{
    if (!IsWindowVisible(window))
        return TRUE;
    reinterpret_cast<FoundSheet *>(p)->window = window;
    return FALSE;
}

// The time the page was seen painted; 0 after the wait ran out.
static double WaitForPaint(HWND sheet)
{
    double start = NowUs();
    // Each look asks the window server: a busy loop would slow the sheet.
    while (!PagePainted(sheet)) {
        if (NowUs() - start > SHEET_WAIT_MS * 1000.0)
            return 0;
        Sleep(1);
    }
    return NowUs();
}

struct OneRun {
    BOOL ok;
    double openMs, closeMs;
    std::vector<double> tabMs;
};

static HWND WaitForSheetWindow(DWORD thread)
{
    FoundSheet found = {NULL};
    double start = NowUs();
    while (!found.window && NowUs() - start < SHEET_WAIT_MS * 1000.0) {
        EnumThreadWindows(thread, FindSheet, reinterpret_cast<LPARAM>(&found));
        Sleep(1);
    }
    return found.window;
}

static void SwitchTabs(HWND sheet, OneRun *r)
{
    HWND tab = (HWND)SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0);
    int count = (int)SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 1; i < count && r->ok; i++) {
        double start = NowUs();
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        double painted = WaitForPaint(sheet);
        r->ok = painted > 0;
        r->tabMs.push_back((painted - start) / 1000.0);
    }
}

static OneRun RunOnce(const WCHAR *printer, HANDLE handle)
{
    OneRun r = {};
    SheetRun run = {printer, handle, 0, 0};
    DWORD id = 0;
    HANDLE thread = CreateThread(NULL, 0, ShowSheet, &run, 0, &id);
    if (!thread)
        return r;
    HWND sheet = WaitForSheetWindow(id);
    double painted = sheet ? WaitForPaint(sheet) : 0;
    r.ok = painted > 0;
    r.openMs = (painted - run.startUs) / 1000.0;
    if (r.ok)
        SwitchTabs(sheet, &r);
    double closeStart = NowUs();
    if (sheet)
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    r.ok = WaitForSingleObject(thread, SHEET_WAIT_MS) == WAIT_OBJECT_0 && r.ok;
    r.closeMs = (run.endUs - closeStart) / 1000.0;
    CloseHandle(thread);
    return r;
}

SheetTimes TimeSheet(const WCHAR *printer, int runs)
{
    SheetTimes t = {};
    UniquePrinter handle = runs < 1 ? UniquePrinter() : OpenPrinterScoped(printer);
    if (!handle)
        return t;
    std::vector<double> open, tabs, close;
    OneRun warmUp = RunOnce(printer, handle.get());
    BOOL ok = warmUp.ok;
    for (int i = 0; i < runs && ok; i++) {
        OneRun r = RunOnce(printer, handle.get());
        ok = r.ok;
        open.push_back(r.openMs);
        close.push_back(r.closeMs);
        tabs.insert(tabs.end(), r.tabMs.begin(), r.tabMs.end());
        t.tabs = (int)r.tabMs.size() + 1;
    }
    handle.reset();
    if (!ok)
        return t;
    t.valid = TRUE;
    t.runs = runs;
    t.openMs = MedianOf(open.data(), (int)open.size());
    t.closeMs = MedianOf(close.data(), (int)close.size());
    t.tabMs = tabs.empty() ? 0 : MedianOf(tabs.data(), (int)tabs.size());
    return t;
}

// A figure the other sheet has none of (a one-tab sheet switches no tab)
// shows as "-", and so does its ratio.
static void PrintRow(const char *what, double ours, double ps, double targetMs)
{
    char other[32] = "-", ratio[32] = "-";
    if (ps > 0) {
        snprintf(other, sizeof other, "%.1f", ps);
        snprintf(ratio, sizeof ratio, "%.2f", ours / ps);
    }
    printf("| %s | %.1f | %s | %s | %s |\n", what, ours, other, ratio,
           targetMs > 0 ? (ours <= targetMs ? "met" : "missed") : "-");
}

void PrintSheetReport(const WCHAR *ours, const SheetTimes *o, const WCHAR *postscript,
                      const SheetTimes *p)
{
    printf("\n## Printing preferences (sheet with a window)\n\n");
    if (!o->valid || !p->valid) {
        printf("Not measured: a sheet did not open, paint or close in time (%ls: %s, %ls: %s).\n",
               ours, o->valid ? "ok" : "failed", postscript, p->valid ? "ok" : "failed");
        return;
    }
    printf("DocumentPropertiesW with DM_PROMPT to the end of the first page's first paint, "
           "a switch to each other tab until it has painted, and Cancel until the call returns; "
           "medians of %d runs after one uncounted run, in ms. %ls has %d tabs, %ls %d.\n\n",
           o->runs, ours, o->tabs, postscript, p->tabs);
    printf("| | %ls | %ls | ratio | target |\n|---|---|---|---|---|\n", ours, postscript);
    PrintRow("open", o->openMs, p->openMs, SHEET_OPEN_TARGET_MS);
    printf("| open, ratio target %.2f | | | | %s |\n", SHEET_OPEN_RATIO_TARGET,
           o->openMs <= SHEET_OPEN_RATIO_TARGET * p->openMs ? "met" : "missed");
    PrintRow("tab switch", o->tabMs, p->tabs > 1 ? p->tabMs : 0, SHEET_TAB_TARGET_MS);
    PrintRow("close", o->closeMs, p->closeMs, 0);
}
