#include "widgets/modaldialog.h"

#include "core/module.h"
#include "widgets/help.h"

static void *ParamOf(HWND dialog)
{
    return reinterpret_cast<void *>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

void DropModalDialogParam(HWND dialog) { SetWindowLongPtrW(dialog, GWLP_USERDATA, 0); }

INT_PTR ModalDialogMessage(const ModalDialog *kind, HWND dialog, UINT message, WPARAM wParam,
                           LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        void *param = kind->keep ? kind->keep(lParam) : reinterpret_cast<void *>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, (LONG_PTR)param);
        return kind->open(dialog, param);
    }
    void *param = ParamOf(dialog);
    if (param && message == WM_COMMAND)
        return kind->command(dialog, param, LOWORD(wParam), HIWORD(wParam));
    if (param && kind->helpFile && (message == WM_HELP || message == WM_CONTEXTMENU)) {
        ShowHelpTopic(dialog, kind->helpFile(param), kind->helpTopic);
        return FALSE;
    }
    INT_PTR answer = FALSE;
    if (kind->other && kind->other(dialog, param, message, wParam, lParam, &answer))
        return answer;
    return FALSE;
}

INT_PTR RunModalDialog(HWND owner, const ModalDialog *kind, DLGPROC procedure, void *param)
{
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kind->templateId), owner, procedure,
                           (LPARAM)param);
}
