#include "sheets/sheetpages.h"

#include <commctrl.h>

#include "context/sheetbinding.h"
#include "core/module.h"
#include "core/trace.h"
#include "devmode/resolution.h"
#include "dialogs/versiondlg.h"
#include "pages/protocol.h"
#include "resources/ids_dialogs.h"
#include "sheets/devsheet.h"

#define PX_PAGE_FLAGS (PSP_USETITLE | PSP_HASHELP)
static_assert(PX_PAGE_FLAGS == 0x28, "page flags");
// The full page record with its header bitmap member, which mingw-w64's
// prsht.h leaves out: 56 bytes on x86.
struct PxPropSheetPage {
    PROPSHEETPAGEW page;
    union {
        HBITMAP hbmHeader;
        LPCWSTR pszbmHeader;
    };
};
static_assert(sizeof(void *) != 4 || sizeof(PxPropSheetPage) == 56, "page record");
static_assert(offsetof(PxPropSheetPage, hbmHeader) == sizeof(PROPSHEETPAGEW), "header bitmap");

const SheetPageRow kDocumentPages[3] = {
    {IDD_BASIC_PAGE, BasicPageProc, TRUE},
    {IDD_OPTION_PAGE, OptionPageProc, FALSE},
    {IDD_SETUP_PAGE, SetupPageProc, FALSE},
};

// The Version page as the printer sheet's page: the sheet's outcome goes
// into the printer sheet context around the page's own context (kept in
// the page's DWLP_USER slot); the rest is the Version dialog's.
static INT_PTR CALLBACK PrinterPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam) {
        auto *vc = reinterpret_cast<BYTE *>(reinterpret_cast<PROPSHEETPAGEW *>(lParam)->lParam);
        if (vc)
            SetWindowLongPtrW(dialog, DWLP_USER,
                              (LONG_PTR)(vc - offsetof(PrinterSheetContext, versionContext)));
    } else if (message == WM_NOTIFY) {
        UINT code = reinterpret_cast<const NMHDR *>(lParam)->code;
        auto *ctx = reinterpret_cast<PrinterSheetContext *>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (ctx && (code == PSN_APPLY || code == PSN_QUERYCANCEL))
            ctx->confirmed = code == PSN_APPLY ? 1 : 0;
    }
    return VersionDialogProc(dialog, message, wParam, lParam);
}

const SheetPageRow kPrinterPages[1] = {
    {IDD_VERSION, PrinterPageProc, FALSE},
};

BOOL AddSheetPage(const SheetPageRow *row, LPARAM lParam, PFNCOMPROPSHEET pfnComPropSheet,
                  HANDLE hComPropSheet)
{
    WCHAR title[PX_PAGE_TITLE_CHARS] = {};
    LoadStringW(ModuleInstance(), row->templateId, title, PX_PAGE_TITLE_CHARS);
    PxPropSheetPage record = {};
    PROPSHEETPAGEW &page = record.page;
    page.dwSize = sizeof record;
    page.dwFlags = PX_PAGE_FLAGS;
    if (row->releaseCallback) {
        page.dwFlags |= PSP_USECALLBACK;
        page.pfnCallback = BasicPageReleaseCallback;
    }
    page.hInstance = ModuleInstance();
    page.pszTemplate = MAKEINTRESOURCEW(row->templateId);
    page.pfnDlgProc = row->procedure;
    page.lParam = lParam;
    page.pszTitle = title;
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    if (!handle) {
        PX_TRACE(L"page %d cannot be created", row->templateId);
        return FALSE;
    }
    if (!pfnComPropSheet(hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, (LPARAM)handle, 0)) {
        PX_TRACE(L"page %d refused by the host", row->templateId);
        DestroyPropertySheetPage(handle);
        return FALSE;
    }
    return TRUE;
}

UINT CALLBACK BasicPageReleaseCallback(HWND, UINT message, PROPSHEETPAGEW *page)
{
    if (message != PSPCB_RELEASE || !page)
        return 1;
    PageContext *ctx = reinterpret_cast<PageContext *>(page->lParam);
    // A page the host releases after a failed start has no live context.
    if (!IsLivePageContext(ctx))
        return 1;
    if (ctx->applied == 1) {
        SheetBindingScope binding(ctx);
        ApplyResolution(&ctx->dmCurrent);
    }
    LPARAM result = ctx->applied == 1 ? CPSUI_OK : CPSUI_CANCEL;
    PX_TRACE(L"sheet result %ld", (long)result);
    ctx->pfnComPropSheet(ctx->hComPropSheet, CPSFUNC_SET_RESULT, 0, result);
    return 1;
}
