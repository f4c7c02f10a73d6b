// The Basic page's list of registered print settings: filled from the
// store, drawn with a colour/grey/monochrome icon per entry, and choosing
// an entry puts that setting in force.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_SETTINGS_ITEM_HEIGHT 16

// Registered settings of the current paper type.
int RegisteredSettingCount(const PXDEVMODE *dm);
// Refills the list (the page's WM_USER).
void FillSettingsList(HWND page, PageContext *ctx);
// Owner draw of one entry; FALSE when the item is not one to draw.
BOOL DrawSettingsEntry(const DRAWITEMSTRUCT *item, const PageContext *ctx);
// A notification of the list: the chosen registered setting is applied.
void SettingsListCommand(HWND page, PageContext *ctx);
// The bitmap of an entry standing for setting index i.
int SettingsEntryBitmap(const PXDEVMODE *dm, int index);
