// The Current settings dialog: every setting of the edited device mode as a
// read-only table of item and value.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_CURRENT_MIN_TRACK 300

INT_PTR CALLBACK CurrentSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One row of the table.
struct CurrentSettingsRow {
    WCHAR label[256];
    WCHAR value[256];
};

// Fills rows (at most capacity) with the table for ctx; the number of rows.
int BuildCurrentSettingsRows(PageContext *ctx, CurrentSettingsRow *rows, int capacity);
