#include "dialogs/advanced.h"

#include "core/module.h"
#include "resources/ids_dialogs.h"

// Until the dialog's settings are wired it shows its template and closes
// with OK or Cancel.
static INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR ShowAdvancedDialog(HWND owner, PageContext *ctx)
{
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_ADVANCED), owner,
                           AdvancedDialogProc, (LPARAM)ctx);
}
