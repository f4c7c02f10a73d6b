// The cold call: a fresh process whose first DeviceCapabilitiesW(DC_PAPERS)
// loads the printer's driver and answers.
#pragma once

#include <windows.h>

// The first call taken apart.
struct ColdSplit {
    double warmUpUs;   // opening the printer and reading its driver information
    double loadUs;     // loading the configuration module alone
    int newModules;    // modules that load brought into the process
    double callUs;     // the first DeviceCapabilitiesW(DC_PAPERS) after that
};

// Child side: makes the first call and prints its duration in microseconds
// (split: prints the four figures of a ColdSplit).
int RunColdChild(const WCHAR *printer, BOOL split);

// Parent side: starts a fresh process of this executable for the printer and
// returns the duration of its first call, or -1 when the child failed.
double ColdCallOnce(const WCHAR *printer);
// The same for the split child; FALSE when it failed.
BOOL ColdSplitOnce(const WCHAR *printer, ColdSplit *split);
