// Finding a dialog's controls by id without asking the window server each
// time. Under Wine every GetDlgItem (and so every SendDlgItemMessage,
// SetDlgItemText, CheckDlgButton...) lists the dialog's children through the
// server; a page refill looks controls up hundreds of times.
#pragma once

#include <windows.h>

// The child of `dialog` with control id `id` (what GetDlgItem answers),
// remembered after the first look-up; null when there is none.
HWND ControlOf(HWND dialog, int id);
// Calls visit for every child of `dialog` (last to first) and remembers
// each, so that later look-ups ask nothing of the server.
void VisitControls(HWND dialog, void (*visit)(HWND control, int id, void *context),
                   void *context);

LRESULT SendControl(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// Sets the text of a control that exists.
void SetControlText(HWND dialog, int id, const WCHAR *text);
// Sets the text only when it differs, sparing the control a repaint.
void UpdateControlText(HWND dialog, int id, const WCHAR *text);
void UpdateWindowText(HWND control, const WCHAR *text);
void CheckControl(HWND dialog, int id, BOOL checked);
BOOL IsControlChecked(HWND dialog, int id);
// Checks `id` and clears the other buttons first..last, as CheckRadioButton.
void CheckRadioControl(HWND dialog, int first, int last, int id);
