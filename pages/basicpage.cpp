// The Basic page: orientation, page and output size, scale, rotation, media
// type and the registered print settings.
#include <windows.h>
#include <commctrl.h>

#include "pages/controls.h"
#include "pages/numedit.h"
#include "pages/protocol.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"

#define PX_SCALE_MIN 10
#define PX_SCALE_MAX 1000

static HWND g_scaleUpDown;  // one Basic page at a time

static void FillBasicPage(HWND page, PageContext *ctx)
{
    InitCommonControls();
    SetupNumericEdit(page, IDC_BASIC_SCALE, g_scaleUpDown, ctx->dmCurrent.pdmOutputScale,
                     PX_SCALE_MIN, PX_SCALE_MAX);
}

static BOOL InitBasicPage(HWND page, PageContext *ctx)
{
    g_scaleUpDown = CreateUpDown(page, IDC_BASIC_SCALE);
    RelabelPage(page, IDC_BASIC_ORIENTATION_GROUP, IDC_BASIC_ADVANCED, IDC_BASIC_SCALE);
    FillBasicPage(page, ctx);
    RefreshSummary(page, ctx);
    return TRUE;
}

static BOOL BasicCommand(HWND, PageContext *, int, int) { return FALSE; }

static INT_PTR ApplyBasicPage(HWND page, PageContext *ctx)
{
    ctx->applied = 1;
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return 0;
}

static const PageDescriptor kBasicPage = {
    IDC_BASIC_ORIENTATION_GROUP, IDC_BASIC_ADVANCED, IDC_BASIC_SCALE, kBasicPageHelp,
    &PageContext::refreshBasic, InitBasicPage, FillBasicPage, BasicCommand, ApplyBasicPage, NULL,
};

INT_PTR CALLBACK BasicPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PageProtocol(&kBasicPage, dialog, message, wParam, lParam);
}
