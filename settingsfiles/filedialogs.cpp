#include "settingsfiles/filedialogs.h"

#include <string.h>

#include "core/lazyimports.h"
#include "core/module.h"
#include "resources/ids_strings.h"
#include "settingsfiles/paramfile.h"

#define MESSAGE_CHARS 256

// A filter's vertical bars separate its parts; the trailing one with the
// text's terminator ends the list.
static void LoadFilter(UINT id, WCHAR *filter)
{
    LoadStringW(ModuleInstance(), id, filter, PX_FILE_DIALOG_CHARS);
    for (WCHAR *c = filter; *c; c++)
        if (*c == L'|')
            *c = 0;
}

void DescribeSettingsFileDialog(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer,
                                SettingsFileDialogTexts *texts, OPENFILENAMEW *ofn)
{
    memset(texts, 0, sizeof *texts);
    LoadStringW(ModuleInstance(), forSave ? IDS_OVP_SAVE_TITLE : IDS_OVP_OPEN_TITLE, texts->title,
                PX_FILE_DIALOG_CHARS);
    LoadFilter(forSave ? IDS_OVP_SAVE_FILTER : IDS_OVP_OPEN_FILTER, texts->filter);
    if (forSave)
        LoadStringW(ModuleInstance(), IDS_OVP_EXTENSION, texts->extension, PX_FILE_DIALOG_CHARS);
    buffer[0] = 0;
    memset(ofn, 0, sizeof *ofn);
    ofn->lStructSize = sizeof *ofn;
    ofn->hwndOwner = owner;
    ofn->lpstrFilter = texts->filter;
    ofn->nFilterIndex = 1;
    ofn->lpstrFile = buffer;
    ofn->nMaxFile = cchBuffer;
    ofn->lpstrFileTitle = texts->fileTitle;
    ofn->nMaxFileTitle = PX_FILE_DIALOG_CHARS;
    ofn->lpstrTitle = texts->title;
    ofn->lpstrDefExt = texts->extension;
    ofn->Flags = forSave ? OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR
                         : OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
}

BOOL AskSettingsFileName(HWND owner, BOOL forSave, WCHAR *buffer, DWORD cchBuffer)
{
    SettingsFileDialogTexts texts;
    OPENFILENAMEW ofn;
    DescribeSettingsFileDialog(owner, forSave, buffer, cchBuffer, &texts, &ofn);
    return forSave ? LazyGetSaveFileNameW(&ofn) : LazyGetOpenFileNameW(&ofn);
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
