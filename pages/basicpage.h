// The Basic page's refill, which the user-size flow calls back into.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// Refills every control from dmCurrent and applies the enabling rules.
void FillBasicControls(HWND page, PageContext *ctx);
