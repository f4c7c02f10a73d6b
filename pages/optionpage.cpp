// The Option page: copies, mirror, overprint, heaters and on-the-fly printing.
#include <windows.h>
#include <commctrl.h>

#include "pages/controls.h"
#include "pages/numedit.h"
#include "pages/protocol.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"

#define PX_COPIES_MIN 1

static HWND g_copiesUpDown;  // one Option page at a time

static int32_t MaximumCopies(const PageContext *ctx)
{
    return (int16_t)ctx->printerInfo.maxCopies;
}

static void FillOptionPage(HWND page, PageContext *ctx)
{
    InitCommonControls();
    SetupNumericEdit(page, IDC_OPTION_COPIES, g_copiesUpDown, ctx->dmCurrent.dm.dmCopies,
                     PX_COPIES_MIN, MaximumCopies(ctx));
}

static BOOL InitOptionPage(HWND page, PageContext *ctx)
{
    g_copiesUpDown = CreateUpDown(page, IDC_OPTION_COPIES);
    RelabelPage(page, IDC_OPTION_GROUP, IDC_OPTION_CROP_MARKS, IDC_OPTION_COPIES);
    FillOptionPage(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

static BOOL OptionCommand(HWND, PageContext *, int, int) { return FALSE; }

static INT_PTR ApplyOptionPage(HWND page, PageContext *)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

static const PageDescriptor kOptionPage = {
    IDC_OPTION_GROUP, IDC_OPTION_CROP_MARKS, IDC_OPTION_COPIES, kOptionPageHelp,
    &PageContext::refreshOption, InitOptionPage, FillOptionPage, OptionCommand, ApplyOptionPage,
    NULL,
};

INT_PTR CALLBACK OptionPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kOptionPage, dialog, message, wParam, lParam);
}
