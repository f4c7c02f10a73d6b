// What windows cost in the platform the sheets run on, measured in the same
// run: the sheet figures are mostly these costs times the controls a page
// has, so the report shows them beside the sheet figures.
#pragma once

#include <windows.h>

#include "bench/timing.h"

struct PlatformCosts {
    BOOL valid;
    double roundTripUs;  // a call answered by the window server (GetDlgItem)
    double dropDownUs;   // creating and destroying a drop-down list
    double checkBoxUs;   // creating and destroying a check box
};

PlatformCosts MeasurePlatformCosts(const TimingPlan *plan);
void PrintPlatformCosts(const PlatformCosts *costs);
