#include "pages/controls.h"

#include <stdarg.h>

#include "core/module.h"
#include "core/scope.h"
#include "resources/ids_controls.h"

static WCHAR g_pageText[PX_TEXT_CHARS];

WCHAR *PageText(void) { return g_pageText; }

const WCHAR *LoadPageString(UINT id)
{
    if (LoadStringW(ModuleInstance(), id, g_pageText, PX_TEXT_CHARS - 1) <= 0)
        g_pageText[0] = 0;
    return g_pageText;
}

void EnableControl(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control))
        EnableWindow(control, TRUE);
}

void DisableControl(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (control && IsWindowEnabled(control))
        EnableWindow(control, FALSE);
}

void SetControlEnabled(HWND dialog, int id, BOOL enabled)
{
    if (enabled)
        EnableControl(dialog, id);
    else
        DisableControl(dialog, id);
}

LRESULT SelectedItemData(HWND dialog, int id)
{
    LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return -1;
    return SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, index, 0);
}

LRESULT AddItem(HWND dialog, int id, const WCHAR *text, LPARAM data)
{
    LRESULT index = SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, (LPARAM)text);
    if (index >= 0)
        SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, index, data);
    return index;
}

LRESULT AddStringItem(HWND dialog, int id, UINT textId, LPARAM data)
{
    return AddItem(dialog, id, LoadPageString(textId), data);
}

void ResetList(HWND dialog, int id)
{
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageW(dialog, id, CB_LIMITTEXT, PX_LIST_TEXT_LIMIT, 0);
}

void SelectItemByData(HWND dialog, int id, LPARAM data)
{
    LRESULT count = SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0);
    LRESULT chosen = 0;
    for (LRESULT i = 0; i < count; i++) {
        if (SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, i, 0) == data) {
            chosen = i;
            break;
        }
    }
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, chosen, 0);
}

int ReadControlText(HWND dialog, int id, WCHAR **text)
{
    *text = NULL;
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return 0;
    int length = GetWindowTextLengthW(control);
    UniqueBlock<WCHAR> block = UniqueBlock<WCHAR>::Allocate((length + 1) * sizeof(WCHAR));
    if (!block || (length > 0 && GetWindowTextW(control, block.get(), length + 1) <= 0))
        return 0;
    *text = block.release();
    return (length + 1) * (int)sizeof(WCHAR);
}

static void RelabelControl(HWND dialog, int id)
{
    if (GetDlgItem(dialog, id))
        SetDlgItemTextW(dialog, id, LoadPageString(id));
}

void RelabelPage(HWND dialog, int first, int last, int skip)
{
    for (int id = IDC_SUMMARY_FRAME; id <= IDC_SUMMARY_PANEL_PICTURE; id++)
        RelabelControl(dialog, id);
    for (int id = first; id <= last; id++) {
        if (id != skip)
            RelabelControl(dialog, id);
    }
}

// wvsprintfW writes at most 1024 characters and the terminator.
#define FORMAT_LIMIT 1025

static void FormatTextV(WCHAR *out, int chars, const WCHAR *format, va_list args)
{
    if (chars <= 0)
        return;
    WCHAR wide[FORMAT_LIMIT];
    int written = wvsprintfW(wide, format, args);
    if (written < 0)
        written = 0;
    if (written > chars - 1)
        written = chars - 1;
    CopyMemory(out, wide, written * sizeof(WCHAR));
    out[written] = 0;
}

void FormatText(WCHAR *out, int chars, const WCHAR *format, ...)
{
    va_list args;
    va_start(args, format);
    FormatTextV(out, chars, format, args);
    va_end(args);
}

void LoadText(UINT id, WCHAR *out, int chars)
{
    if (chars <= 0)
        return;
    if (LoadStringW(ModuleInstance(), id, out, chars) <= 0)
        out[0] = 0;
}

void FormatString(WCHAR *out, int chars, UINT formatId, ...)
{
    WCHAR format[PX_TEXT_CHARS];
    LoadText(formatId, format, PX_TEXT_CHARS);
    va_list args;
    va_start(args, formatId);
    FormatTextV(out, chars, format, args);
    va_end(args);
}
