// The Basic page's user sizes: the User size button's flow and the check
// that keeps user lengths within 18 m while the resolution is automatic.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_AUTO_RESOLUTION_FLAG 0x2000u
#define PX_AUTO_RESOLUTION_MAX_LENGTH 180000  // 18 m in 0.1 mm
#define PX_USER_SIZE_MAX_WIDTH 13710

// The slot the dialog shows first for the selected page size entry.
int FirstUserSizeSlot(const PaperList *list, int selectedIndex);
// Opens the User size dialog and applies the chosen size.
void RunUserSize(HWND page, PageContext *ctx);
// Cuts user lengths above 18 m when pdmColorFlags has automatic resolution,
// with one warning per slot cut; the number of slots cut.
int CheckUserSizeLengths(HWND page, PageContext *ctx);
