// The common property-sheet host, loaded for each sheet and released after.
#pragma once

#include "core/platform.h"

// Calls compstui's CommonPropertySheetUIW with the four arguments and
// returns its result; -1 when the library or the entry point is missing.
LONG RunCommonPropertySheetUI(HWND owner, PX_PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam,
                              LPDWORD pResult);

// Tests point the loader at another library name (null restores compstui).
void SetCommonPropertySheetLibraryForTesting(const char *name);
