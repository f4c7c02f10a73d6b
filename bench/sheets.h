// The printing preferences timed as a person waits for them, beside their
// floor (bench/floorsheet.h) in the same run and the same way: from the
// call to the end of the first page's first paint, the Advanced dialog
// opened and closed, a switch to each other tab and back until the page has
// painted, and Cancel or OK until the call returns. The platform's
// PostScript driver's sheet is timed too, as context.
#pragma once

#include <windows.h>

#include "bench/timing.h"

#define SHEET_FLOOR_TARGET 1.15   // the driver's sheet / its floor

enum SheetPhase {
    PHASE_OPEN,
    PHASE_ADVANCED_OPEN,
    PHASE_ADVANCED_CLOSE,
    PHASE_TAB_2,
    PHASE_TAB_3,
    PHASE_TAB_BACK,
    PHASE_CANCEL,
    PHASE_OK,
    PHASE_COUNT
};

struct SheetTimes {
    BOOL valid;
    int tabs;                  // tabs the sheet has
    double ms[PHASE_COUNT];    // medians; -1 for a phase the sheet has not
};

struct SheetFigures {
    int runs;                  // of each close, per sheet
    SheetTimes ours;
    SheetTimes floor;
    SheetTimes postscript;
    Timing workFile;           // the working settings file OK writes
};

// Times each sheet runs times closing with Cancel and runs times with OK
// (after one run that is not counted: it loads the libraries), ours and
// the floor alternately.
SheetFigures TimeSheets(const WCHAR *ours, const WCHAR *postscript, int runs,
                        const TimingPlan *plan);

// TRUE when every row of the report has its figures.
BOOL AllSheetsMeasured(const SheetFigures *figures);

// The Markdown section of the report, with its ratio lines.
void PrintSheetReport(const WCHAR *ours, const WCHAR *postscript, const SheetFigures *figures);
