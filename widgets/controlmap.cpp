#include "widgets/controlmap.h"

#include <wchar.h>

// A direct-mapped table: a slot holds the last control looked up whose
// (dialog, id) hashes there. An entry is trusted only while the window it
// names is still the dialog's child with that id; these checks read the
// window's own record and need no server call.
#define CONTROL_SLOTS 1024

struct ControlSlot {
    HWND dialog;
    HWND control;
    int id;
};

// A guarded cache shared by every dialog of the process: the lock covers
// each slot's reads and writes, and an entry is checked against the window
// before it is used.
static ControlSlot g_slots[CONTROL_SLOTS];
static SRWLOCK g_slotLock = SRWLOCK_INIT;

static unsigned SlotOf(HWND dialog, int id)
{
    UINT_PTR h = (UINT_PTR)dialog * 31u + (unsigned)id * 2654435761u;
    return (unsigned)(h ^ (h >> 16)) % CONTROL_SLOTS;
}

static BOOL IsControlOf(HWND control, HWND dialog, int id)
{
    return control && IsWindow(control) && GetParent(control) == dialog &&
           GetDlgCtrlID(control) == id;
}

static void Remember(HWND dialog, int id, HWND control)
{
    ControlSlot *slot = &g_slots[SlotOf(dialog, id)];
    AcquireSRWLockExclusive(&g_slotLock);
    slot->dialog = dialog;
    slot->id = id;
    slot->control = control;
    ReleaseSRWLockExclusive(&g_slotLock);
}

HWND ControlOf(HWND dialog, int id)
{
    if (!dialog)
        return NULL;
    const ControlSlot *slot = &g_slots[SlotOf(dialog, id)];
    AcquireSRWLockShared(&g_slotLock);
    HWND control = slot->dialog == dialog && slot->id == id ? slot->control : NULL;
    ReleaseSRWLockShared(&g_slotLock);
    if (IsControlOf(control, dialog, id))
        return control;
    control = GetDlgItem(dialog, id);
    if (control)
        Remember(dialog, id, control);
    return control;
}

void VisitControls(HWND dialog, void (*visit)(HWND control, int id, void *context),
                   void *context)
{
    // Backwards from the last child, so that of two children with one id
    // (an up-down shares its edit's) the first stays remembered, as
    // GetDlgItem would answer.
    HWND first = GetWindow(dialog, GW_CHILD);
    for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : NULL; child;
         child = GetWindow(child, GW_HWNDPREV)) {
        int id = GetDlgCtrlID(child);
        Remember(dialog, id, child);
        visit(child, id, context);
    }
}

LRESULT SendControl(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = ControlOf(dialog, id);
    return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

void SetControlText(HWND dialog, int id, const WCHAR *text)
{
    HWND control = ControlOf(dialog, id);
    if (control)
        SetWindowTextW(control, text);
}

void UpdateControlText(HWND dialog, int id, const WCHAR *text)
{
    UpdateWindowText(ControlOf(dialog, id), text);
}

void UpdateWindowText(HWND control, const WCHAR *text)
{
    if (!control)
        return;
    WCHAR shown[256];
    int length = GetWindowTextW(control, shown, ARRAYSIZE(shown));
    if (length < (int)ARRAYSIZE(shown) - 1 && wcscmp(shown, text) == 0)
        return;
    SetWindowTextW(control, text);
}

// Whether BM_SETCHECK would leave the button as it is: the same state and,
// for a radio button, whose style it rewrites, the tab stop that goes with it.
static BOOL CheckIsSet(HWND button, WPARAM state)
{
    if ((WPARAM)SendMessageW(button, BM_GETCHECK, 0, 0) != state)
        return FALSE;
    LONG style = GetWindowLongW(button, GWL_STYLE);
    LONG type = style & BS_TYPEMASK;
    if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON)
        return TRUE;
    return ((style & WS_TABSTOP) != 0) == (state == BST_CHECKED);
}

void CheckControl(HWND dialog, int id, BOOL checked)
{
    HWND button = ControlOf(dialog, id);
    WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
    // Wine's BM_SETCHECK asks the window server even when nothing changes.
    if (button && !CheckIsSet(button, state))
        SendMessageW(button, BM_SETCHECK, state, 0);
}

BOOL IsControlChecked(HWND dialog, int id)
{
    return SendControl(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckRadioControl(HWND dialog, int first, int last, int id)
{
    for (int button = first; button <= last; button++)
        CheckControl(dialog, button, button == id);
}
