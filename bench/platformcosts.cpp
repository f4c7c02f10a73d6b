#include "bench/platformcosts.h"

#include <stdio.h>

#include "core/scope.h"

#define CHILD_ID 5
// The pages' drop-down lists and check boxes.
#define DROP_DOWN_STYLE (WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST)
#define CHECK_BOX_STYLE (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX)

struct ChildProbe {
    HWND parent;
    const WCHAR *className;
    DWORD style;
};

static BOOL FindChild(void *p)
{
    const ChildProbe *probe = static_cast<const ChildProbe *>(p);
    return GetDlgItem(probe->parent, CHILD_ID) != NULL;
}

static BOOL CreateAndDestroy(void *p)
{
    const ChildProbe *probe = static_cast<const ChildProbe *>(p);
    HWND child = CreateWindowExW(0, probe->className, L"", probe->style, 10, 10, 150, 200,
                                 probe->parent, (HMENU)(INT_PTR)(CHILD_ID + 1), NULL, NULL);
    return child && DestroyWindow(child);
}

// Each creation is several milliseconds: a few repetitions of a few calls.
static Timing TimeCreation(ChildProbe *probe, const TimingPlan *plan)
{
    TimingPlan shortPlan = {plan->repetitions, plan->repetitionMs / 4};
    return TimeCall(CreateAndDestroy, probe, &shortPlan);
}

PlatformCosts MeasurePlatformCosts(const TimingPlan *plan)
{
    PlatformCosts costs = {};
    UniqueWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, NULL, NULL,
                                        NULL, NULL));
    HWND child = parent ? CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.get(),
                                          (HMENU)CHILD_ID, NULL, NULL)
                        : NULL;
    if (!child)
        return costs;
    ChildProbe find = {parent.get(), NULL, 0};
    ChildProbe dropDown = {parent.get(), L"COMBOBOX", DROP_DOWN_STYLE};
    ChildProbe checkBox = {parent.get(), L"BUTTON", CHECK_BOX_STYLE};
    Timing roundTrip = TimeCall(FindChild, &find, plan);
    Timing dropDownTiming = TimeCreation(&dropDown, plan);
    Timing checkBoxTiming = TimeCreation(&checkBox, plan);
    costs.valid = roundTrip.valid && dropDownTiming.valid && checkBoxTiming.valid;
    costs.roundTripUs = roundTrip.medianUs;
    costs.dropDownUs = dropDownTiming.medianUs;
    costs.checkBoxUs = checkBoxTiming.medianUs;
    return costs;
}

void PrintPlatformCosts(const PlatformCosts *c)
{
    printf("\n### What windows cost here\n\n");
    if (!c->valid) {
        printf("Not measured: a window could not be created.\n");
        return;
    }
    printf("Medians in the same run, in microseconds: a call the window server answers "
           "(GetDlgItem) %.1f; creating and destroying a drop-down list as the pages have %.0f; "
           "a check box %.0f.\n",
           c->roundTripUs, c->dropDownUs, c->checkBoxUs);
}
