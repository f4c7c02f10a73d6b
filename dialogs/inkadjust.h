// The ink adjustment dialog: the four ink amounts and the total ink limit
// of a print setting record.
#pragma once

#include <windows.h>

#include "settings/settingstore.h"

// Modal on record, help topics from helpFile; 1 after OK (record updated),
// 0 after Cancel.
INT_PTR ShowInkAdjustDialog(HWND owner, PrintSetting *record, const WCHAR *helpFile);
