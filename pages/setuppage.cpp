// The Setup page: units, processing status, settings files, version and
// reset to defaults.
#include <windows.h>
#include <commctrl.h>

#include "core/module.h"
#include "dialogs/versiondlg.h"
#include "pages/controls.h"
#include "pages/protocol.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"

static void FillSetupPage(HWND, PageContext *) { InitCommonControls(); }

static BOOL InitSetupPage(HWND page, PageContext *ctx)
{
    RelabelPage(page, IDC_SETUP_UNITS_GROUP, IDC_SETUP_INITIALIZE, 0);
    FillSetupPage(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

static BOOL SetupCommand(HWND page, PageContext *ctx, int id, int)
{
    if (id == IDC_SETUP_VERSION) {
        ShowVersionDialog(page, &ctx->versionContext);
        return TRUE;
    }
    return FALSE;
}

static INT_PTR ApplySetupPage(HWND page, PageContext *)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

static const PageDescriptor kSetupPage = {
    IDC_SETUP_UNITS_GROUP, IDC_SETUP_INITIALIZE, 0, kSetupPageHelp,
    &PageContext::refreshSetup, InitSetupPage, FillSetupPage, SetupCommand, ApplySetupPage, NULL,
};

INT_PTR CALLBACK SetupPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kSetupPage, dialog, message, wParam, lParam);
}
