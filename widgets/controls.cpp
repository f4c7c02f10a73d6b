#include "widgets/controls.h"

#include <stdarg.h>

#include "core/module.h"
#include "core/scope.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"

ModuleString LoadModuleString(UINT id)
{
    ModuleString s;
    if (LoadStringW(ModuleInstance(), id, s.text, PX_TEXT_CHARS - 1) <= 0)
        s.text[0] = 0;
    return s;
}

void EnableControl(HWND dialog, int id)
{
    HWND control = ControlOf(dialog, id);
    if (control && !IsWindowEnabled(control))
        EnableWindow(control, TRUE);
}

void DisableControl(HWND dialog, int id)
{
    HWND control = ControlOf(dialog, id);
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
    HWND list = ControlOf(dialog, id);
    LRESULT index = list ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (index == CB_ERR)
        return -1;
    return SendMessageW(list, CB_GETITEMDATA, index, 0);
}

// The refill in progress on this thread, innermost first.
static thread_local ListRefill *g_refill;

LRESULT AddItem(HWND dialog, int id, const WCHAR *text, LPARAM data)
{
    HWND list = ControlOf(dialog, id);
    if (!list)
        return CB_ERR;
    if (g_refill && g_refill->list() == list)
        return g_refill->Add(text, data);
    LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)text);
    if (index >= 0)
        SendMessageW(list, CB_SETITEMDATA, index, data);
    return index;
}

LRESULT AddStringItem(HWND dialog, int id, UINT textId, LPARAM data)
{
    return AddItem(dialog, id, LoadModuleString(textId).text, data);
}

void ResetList(HWND dialog, int id)
{
    HWND list = ControlOf(dialog, id);
    if (!list)
        return;
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    SendMessageW(list, CB_LIMITTEXT, PX_LIST_TEXT_LIMIT, 0);
}

RedrawPause::RedrawPause(HWND control)
{
    Begin(control);
}

void RedrawPause::Begin(HWND control)
{
    control_ = control;
    if (control_)
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
}

RedrawPause::~RedrawPause()
{
    if (!control_)
        return;
    SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, NULL, TRUE);
}

ListRefill::ListRefill(HWND dialog, int id)
    : dialog_(dialog), id_(id), list_(ControlOf(dialog, id)), outer_(g_refill)
{
    g_refill = this;
    // A sorted list's order is not the order given: always refilled.
    if (list_ && (GetWindowLongW(list_, GWL_STYLE) & CBS_SORT))
        CutAt(0);
}

ListRefill::~ListRefill()
{
    g_refill = outer_;
    if (list_ && !changed_ && SendMessageW(list_, CB_GETCOUNT, 0, 0) > given_)
        CutAt(given_);
}

// Reading a list's own entries is answered by the list itself, without the
// window server.
BOOL ListRefill::Matches(LRESULT index, const WCHAR *text, LPARAM data) const
{
    if (index >= SendMessageW(list_, CB_GETCOUNT, 0, 0))
        return FALSE;
    WCHAR entry[PX_TEXT_CHARS];
    LRESULT length = SendMessageW(list_, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= PX_TEXT_CHARS)
        return FALSE;
    SendMessageW(list_, CB_GETLBTEXT, index, (LPARAM)entry);
    return lstrcmpW(entry, text) == 0 && SendMessageW(list_, CB_GETITEMDATA, index, 0) == data;
}

// Empties the list (index 0) or removes its entries from index on.
void ListRefill::CutAt(LRESULT index)
{
    changed_ = TRUE;
    pause_.Begin(list_);
    if (index == 0) {
        ResetList(dialog_, id_);
        return;
    }
    for (LRESULT last = SendMessageW(list_, CB_GETCOUNT, 0, 0) - 1; last >= index; last--)
        SendMessageW(list_, CB_DELETESTRING, last, 0);
}

LRESULT ListRefill::Add(const WCHAR *text, LPARAM data)
{
    if (!changed_ && Matches(given_, text, data))
        return given_++;
    if (!changed_)
        CutAt(given_);
    given_++;
    LRESULT index = SendMessageW(list_, CB_ADDSTRING, 0, (LPARAM)text);
    if (index >= 0)
        SendMessageW(list_, CB_SETITEMDATA, index, data);
    return index;
}

void SelectListIndex(HWND dialog, int id, LRESULT index)
{
    HWND list = ControlOf(dialog, id);
    // Selecting the selected entry again would repaint the list's face.
    if (list && SendMessageW(list, CB_GETCURSEL, 0, 0) != index)
        SendMessageW(list, CB_SETCURSEL, index, 0);
}

void SelectItemByData(HWND dialog, int id, LPARAM data)
{
    HWND list = ControlOf(dialog, id);
    if (!list)
        return;
    LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    LRESULT chosen = 0;
    for (LRESULT i = 0; i < count; i++) {
        if (SendMessageW(list, CB_GETITEMDATA, i, 0) == data) {
            chosen = i;
            break;
        }
    }
    SelectListIndex(dialog, id, chosen);
}

int ReadControlText(HWND dialog, int id, WCHAR **text)
{
    *text = NULL;
    HWND control = ControlOf(dialog, id);
    if (!control)
        return 0;
    int length = GetWindowTextLengthW(control);
    UniqueBlock<WCHAR> block = UniqueBlock<WCHAR>::Allocate((length + 1) * sizeof(WCHAR));
    if (!block || (length > 0 && GetWindowTextW(control, block.get(), length + 1) <= 0))
        return 0;
    *text = block.release();
    return (length + 1) * (int)sizeof(WCHAR);
}

struct LabelRange {
    int first, last, skip;
};

struct LabelRanges {
    LabelRange range[3];
    int count;
};

static void RelabelIfListed(HWND control, int id, void *context)
{
    const LabelRanges *ranges = static_cast<const LabelRanges *>(context);
    for (int i = 0; i < ranges->count; i++) {
        const LabelRange *r = &ranges->range[i];
        if (id >= r->first && id <= r->last && id != r->skip) {
            UpdateWindowText(control, LoadModuleString(id).text);
            return;
        }
    }
}

void RelabelControls(HWND dialog, int first, int last, int skip)
{
    LabelRanges ranges = {{{first, last, skip}}, 1};
    VisitControls(dialog, RelabelIfListed, &ranges);
}

void RelabelPage(HWND dialog, int first, int last, int skip)
{
    // The panel's lines are left out: the summary refresh that follows in
    // the same message sets every one of them, and a text set twice costs a
    // redraw each time. 0 is no control's id.
    LabelRanges ranges = {{{IDC_SUMMARY_FRAME, IDC_SUMMARY_TITLE, 0},
                           {IDC_SUMMARY_CONFIRM, IDC_SUMMARY_PANEL_PICTURE, 0},
                           {first, last, skip}},
                          3};
    VisitControls(dialog, RelabelIfListed, &ranges);
}

void LabelDialog(HWND dialog, UINT titleId, BOOL withCancel)
{
    SetWindowTextW(dialog, LoadModuleString(titleId).text);
    SetControlText(dialog, IDOK, LoadModuleString(IDS_OK).text);
    if (withCancel)
        SetControlText(dialog, IDCANCEL, LoadModuleString(IDS_CANCEL).text);
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
