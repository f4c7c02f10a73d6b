// The Basic page's operations that its helpers (the settings store, the
// settings list, the user-size flow) call back into.
#pragma once

#include <windows.h>

#include "sheets/pagecontext.h"

// Refills every control from dmCurrent and applies the enabling rules.
void FillBasicControls(HWND page, PageContext *ctx);
// Refills the settings list (the page's WM_USER) and the summary.
void RefillSettingsAndSummary(HWND page, PageContext *ctx);
