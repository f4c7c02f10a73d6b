// The open and save dialogs of the settings parameter file and the load and
// save operations behind the Setup page's buttons.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "settings/settingstore.h"

#define PX_FILE_DIALOG_CHARS 260

// The texts an open or save dialog points to.
struct SettingsFileDialogTexts {
    WCHAR title[PX_FILE_DIALOG_CHARS];
    WCHAR filter[PX_FILE_DIALOG_CHARS];   // parts separated by NUL, ended by two
    WCHAR extension[PX_FILE_DIALOG_CHARS];
    WCHAR fileTitle[PX_FILE_DIALOG_CHARS];
};

// Describes the open (forSave FALSE) or save dialog in ofn, whose texts
// live in texts; buffer receives the chosen path.
void DescribeSettingsFileDialog(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer,
                                SettingsFileDialogTexts *texts, OPENFILENAMEW *ofn);

// Shows the open (forSave FALSE) or save dialog; TRUE with the chosen path
// in buffer, FALSE when cancelled or failed.
BOOL AskSettingsFileName(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer);

// TRUE when a file was loaded or saved; FALSE when the user cancelled or
// the operation failed, in which case its message has been shown.
BOOL LoadSettingsWithDialog(HWND owner, PXDEVMODE *dm, SettingStore *store);
BOOL SaveSettingsWithDialog(HWND owner, const PXDEVMODE *dm, const SettingStore *store);
