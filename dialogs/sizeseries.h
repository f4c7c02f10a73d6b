// The Add or remove sizes dialog: which standard size series the page size
// and output size lists offer.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_SERIES_USER_SIZES 0x80000000u
#define PX_SERIES_OUTPUT_SIZES 0x40000000u

// Runs the dialog modally; IDOK after a successful OK, else IDCANCEL.
INT_PTR ShowSizeSeriesDialog(HWND owner, PageContext *ctx);
INT_PTR CALLBACK SizeSeriesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the page size and output size in use stay offered under mask.
BOOL SizesInUseKept(const PageContext *ctx, uint32_t mask);
