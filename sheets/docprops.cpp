#include "sheets/docprops.h"

#include "context/pagecontext.h"
#include "core/module.h"
#include "core/trace.h"
#include "sheets/compstui.h"
#include "sheets/sheetoutcome.h"
#include "sheets/sheetpages.h"
#include "sheets/sheetreasons.h"

#define DM_ADVANCED_SHEET 0x10  // DM_ADVANCED, which the platform headers lack
#define DM_NOPERMISSION_FLAG 0x20
#define ADVANCED_MODE (DM_COPY | DM_PROMPT | DM_ADVANCED_SHEET)

// A new context set up for the header's printer and record; null when it
// cannot be had, with the last error of the failed step.
static UniquePageContext OpenPageContext(const DOCUMENTPROPERTYHEADER *header)
{
    UniquePageContext ctx(AllocPageContext());
    // Releasing keeps the last error of the failed step.
    if (ctx && !InitPageContext(ctx.get(), header->hPrinter, header->pszPrinterName, header->pdmIn))
        ctx.reset();
    return ctx;
}

LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER *header)
{
    header->cbOut = PX_DM_TOTAL_SIZE;
    if (header->fMode == 0 || !header->pdmOut)
        return PX_DM_TOTAL_SIZE;
    UniquePageContext ctx = OpenPageContext(header);
    if (!ctx)
        return -1;
    if (header->fMode & (DM_UPDATE | DM_COPY))
        CopyMemory(header->pdmOut, &ctx.get()->dmOpened, PX_DM_TOTAL_SIZE);
    return 1;
}

static BOOL AddDocumentPages(PageContext *ctx)
{
    for (const SheetPageRow &row : kDocumentPages) {
        if (!AddSheetPage(&row, (LPARAM)ctx, ctx->pfnComPropSheet, ctx->hComPropSheet))
            return FALSE;
    }
    return TRUE;
}

static LONG StartDocumentSheet(PROPSHEETUI_INFO *info)
{
    const DOCUMENTPROPERTYHEADER *header =
        reinterpret_cast<const DOCUMENTPROPERTYHEADER *>(info->lParamInit);
    UniquePageContext owner = OpenPageContext(header);
    PageContext *ctx = owner.get();
    if (!ctx)
        return -1;
    ctx->mode = header->fMode;
    CopyMemory(&ctx->dmCurrent, &ctx->dmOpened, PX_DM_TOTAL_SIZE);
    ctx->dmOut = (header->fMode & DM_COPY) ? header->pdmOut : NULL;
    ctx->hComPropSheet = info->hComPropSheet;
    ctx->pfnComPropSheet = info->pfnComPropSheet;
    ctx->canChange = (header->fMode & DM_NOPERMISSION_FLAG) ? 0 : 1;
    if (!AddDocumentPages(ctx))
        return -1;
    info->Result = 0;
    info->UserData = (ULONG_PTR)owner.release();
    return 1;
}

static void EndDocumentSheet(const PROPSHEETUI_INFO *info)
{
    PageContext *ctx = reinterpret_cast<PageContext *>(info->UserData);
    NoteSheetOutcome(reinterpret_cast<const void *>(info->lParamInit), ctx->applied == 1);
    ReleasePageContext(ctx);
}

static const SheetReasons kDocumentSheet = {
    StartDocumentSheet, EndDocumentSheet, FALSE,
};

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    LPARAM headerValue = pPSUIInfo ? pPSUIInfo->lParamInit : lParam;
    DOCUMENTPROPERTYHEADER *header = reinterpret_cast<DOCUMENTPROPERTYHEADER *>(headerValue);
    if (!header)
        return -1;
    if (!pPSUIInfo) {
        LONG r = DocumentPropertiesNoUI(header);
        PX_TRACE(L"no window, mode %#lx -> %ld", header->fMode, r);
        return r;
    }
    return DispatchSheetReason(&kDocumentSheet, pPSUIInfo, lParam, header->pszPrinterName);
}

static LONG RunDocumentProperties(HWND hWnd, HANDLE hPrinter, PWSTR pDeviceName,
                                  PDEVMODEW pdmOutput, PDEVMODEW pdmInput, DWORD fMode)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = hPrinter;
    header.pszPrinterName = pDeviceName;
    header.pdmIn = pdmInput;
    header.pdmOut = pdmOutput;
    header.cbOut = 0;
    header.fMode = fMode;
    if (!(fMode & DM_PROMPT))
        return DocumentPropertiesNoUI(&header);
    DWORD result = (DWORD)-1;
    WatchSheetOutcome(&header);
    LONG host = RunCommonPropertySheetUI(hWnd, DrvDocumentPropertySheets, (LPARAM)&header, &result);
    // The user's own choice, whatever the host stored; the host's answer
    // only when the sheet never ended.
    LONG outcome = TakeSheetOutcome(&header);
    if (outcome != PX_OUTCOME_NONE)
        return outcome;
    return host < 0 ? -1 : (LONG)result;
}

LONG WINAPI DrvDocumentProperties(HWND hWnd, HANDLE hPrinter, PWSTR pDeviceName,
                                  PDEVMODEW pdmOutput, PDEVMODEW pdmInput, DWORD fMode)
{
    if (fMode == 0 || !pdmOutput)
        return PX_DM_TOTAL_SIZE;
    LONG r = RunDocumentProperties(hWnd, hPrinter, pDeviceName, pdmOutput, pdmInput, fMode);
    PX_TRACE(L"mode %#lx -> %ld", fMode, r);
    if (r > 0)
        return IDOK;
    return r == 0 ? IDCANCEL : r;
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND hWnd, HANDLE hPrinter, PWSTR pDeviceName,
                                          PDEVMODEW pdmOutput, PDEVMODEW pdmInput)
{
    if (!pdmOutput)
        return PX_DM_TOTAL_SIZE;
    LONG r = RunDocumentProperties(hWnd, hPrinter, pDeviceName, pdmOutput, pdmInput, ADVANCED_MODE);
    PX_TRACE(L"-> %ld", r);
    return r > 0 ? 1 : 0;
}
