// The window procedure the modal dialogs share: the parameter a dialog is
// opened with (or what its kind takes from it) is kept with its window
// (GWLP_USERDATA) from WM_INITDIALOG on;
// without it (before, or after the dialog cleared it on its way out) its
// commands and help requests are ignored.
#pragma once

#include <windows.h>

struct ModalDialog {
    UINT templateId;
    // WM_INITDIALOG once the parameter is kept; the message's answer.
    BOOL (*open)(HWND dialog, void *param);
    // WM_COMMAND; TRUE when handled.
    BOOL (*command)(HWND dialog, void *param, int id, int code);
    // WM_HELP and WM_CONTEXTMENU show topic helpTopic of this help file;
    // null for a dialog without help.
    const WCHAR *(*helpFile)(const void *param);
    int helpTopic;
    // Any other message, also those before WM_INITDIALOG (param null then);
    // TRUE with *answer set when handled. May be null.
    BOOL (*other)(HWND dialog, void *param, UINT message, WPARAM wParam, LPARAM lParam,
                  INT_PTR *answer);
    // What of WM_INITDIALOG's parameter is kept; null keeps the parameter.
    void *(*keep)(LPARAM initParam);
};

// The dialog procedure body of a modal dialog of this kind.
INT_PTR ModalDialogMessage(const ModalDialog *kind, HWND dialog, UINT message, WPARAM wParam,
                           LPARAM lParam);
// Shows the dialog of this kind modally with its procedure and parameter;
// DialogBoxParam's result.
INT_PTR RunModalDialog(HWND owner, const ModalDialog *kind, DLGPROC procedure, void *param);
// Clears the kept parameter, so that what arrives while the dialog ends
// reaches none of its handlers.
void DropModalDialogParam(HWND dialog);
