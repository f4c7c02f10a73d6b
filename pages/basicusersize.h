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
// Opens the User size dialog and applies the chosen size to the record; the
// slot the dialog ended on (0 to 5). The page refills its controls, then
// records that slot's lengths with RecordUserSizeLengths.
int RunUserSize(HWND page, PageContext *ctx);
// The record's paper width and length from user size `slot`.
void RecordUserSizeLengths(PageContext *ctx, int slot);
// Cuts user lengths above 18 m when pdmColorFlags has automatic resolution,
// with one warning per slot cut; the number of slots cut.
int CheckUserSizeLengths(HWND page, PageContext *ctx);
