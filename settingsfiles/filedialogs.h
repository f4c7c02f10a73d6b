// The open and save dialogs of the settings parameter file and the load and
// save operations behind the Setup page's buttons.
#pragma once

#include "dialogs/settingstore.h"

// Shows the open (forSave FALSE) or save dialog; TRUE with the chosen path
// in buffer, FALSE when cancelled or failed.
BOOL AskSettingsFileName(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer);

// TRUE when a file was loaded or saved; FALSE when the user cancelled or
// the operation failed, in which case its message has been shown.
BOOL LoadSettingsWithDialog(HWND owner, PXDEVMODE *dm, SettingStore *store);
BOOL SaveSettingsWithDialog(HWND owner, const PXDEVMODE *dm, const SettingStore *store);
