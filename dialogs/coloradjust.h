// The colour adjustment dialog: colour balance, saturation, contrast,
// brightness and gamma of a print setting record.
#pragma once

#include <windows.h>

#include "settings/settingstore.h"

// Modal on record, help topics from helpFile; 1 after OK (record updated),
// 0 after Cancel.
INT_PTR ShowColorAdjustDialog(HWND owner, PrintSetting *record, const WCHAR *helpFile);
