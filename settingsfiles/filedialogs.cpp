#include "settingsfiles/filedialogs.h"

#include <commdlg.h>

#include "core/module.h"
#include "resources/resource.h"
#include "settingsfiles/paramfile.h"

#define DIALOG_TEXT_CHARS 260
#define MESSAGE_CHARS 256

// A filter's vertical bars separate its parts; the trailing one with the
// text's terminator ends the list.
static void LoadFilter(UINT id, WCHAR *filter)
{
    LoadStringW(ModuleInstance(), id, filter, DIALOG_TEXT_CHARS);
    for (WCHAR *c = filter; *c; c++)
        if (*c == L'|')
            *c = 0;
}

BOOL AskSettingsFileName(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer)
{
    WCHAR title[DIALOG_TEXT_CHARS] = L"";
    WCHAR filter[DIALOG_TEXT_CHARS] = L"";
    WCHAR extension[DIALOG_TEXT_CHARS] = L"";
    WCHAR fileTitle[DIALOG_TEXT_CHARS] = L"";
    LoadStringW(ModuleInstance(), forSave ? IDS_OVP_SAVE_TITLE : IDS_OVP_OPEN_TITLE, title,
                DIALOG_TEXT_CHARS);
    LoadFilter(forSave ? IDS_OVP_SAVE_FILTER : IDS_OVP_OPEN_FILTER, filter);
    if (forSave)
        LoadStringW(ModuleInstance(), IDS_OVP_EXTENSION, extension, DIALOG_TEXT_CHARS);
    buffer[0] = 0;
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = cchBuffer;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = DIALOG_TEXT_CHARS;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = extension;
    if (forSave) {
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        return GetSaveFileNameW(&ofn);
    }
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return GetOpenFileNameW(&ofn);
}

static void ShowFileMessage(HWND owner, UINT textId, UINT captionId)
{
    WCHAR text[MESSAGE_CHARS] = L"";
    WCHAR caption[MESSAGE_CHARS] = L"";
    LoadStringW(ModuleInstance(), textId, text, MESSAGE_CHARS);
    LoadStringW(ModuleInstance(), captionId, caption, MESSAGE_CHARS);
    MessageBoxW(owner, text, caption, MB_ICONEXCLAMATION);
}

BOOL LoadSettingsWithDialog(HWND owner, PXDEVMODE *dm, SettingStore *store)
{
    WCHAR path[MAX_PATH];
    if (!AskSettingsFileName(owner, FALSE, path, MAX_PATH))
        return FALSE;
    UINT message = LoadSettingsFile(path, dm, store);
    if (message) {
        ShowFileMessage(owner, message, IDS_OVP_READ_CAPTION);
        return FALSE;
    }
    return TRUE;
}

BOOL SaveSettingsWithDialog(HWND owner, const PXDEVMODE *dm, const SettingStore *store)
{
    WCHAR path[MAX_PATH];
    if (!AskSettingsFileName(owner, TRUE, path, MAX_PATH))
        return FALSE;
    if (!SaveSettingsFile(path, dm, store)) {
        ShowFileMessage(owner, IDS_OVP_WRITE_FAILED, IDS_OVP_WRITE_CAPTION);
        return FALSE;
    }
    return TRUE;
}
