// The printing preferences timed as a person waits for them: from the
// application's DocumentPropertiesW with DM_PROMPT to the end of the first
// page's first paint, a switch to each other tab until it has painted, and
// closing. Beside the same sheet of the platform's PostScript driver.
#pragma once

#include <windows.h>

#define SHEET_OPEN_RATIO_TARGET 1.25
#define SHEET_OPEN_TARGET_MS 150.0
#define SHEET_TAB_TARGET_MS 30.0

struct SheetTimes {
    BOOL valid;
    int runs;
    int tabs;          // tabs the sheet has
    double openMs;     // medians over the runs
    double tabMs;      // median over every switch of every run
    double closeMs;
};

// Opens and closes the printer's preferences runs times (after one run
// that is not counted: it loads the libraries).
SheetTimes TimeSheet(const WCHAR *printer, int runs);

// The Markdown section of the report.
void PrintSheetReport(const WCHAR *ours, const SheetTimes *oursTimes, const WCHAR *postscript,
                      const SheetTimes *psTimes);
