#include "sheets/docprops.h"

#include "core/module.h"
#include "core/trace.h"
#include "sheets/compstui.h"
#include "sheets/pagecontext.h"
#include "sheets/sheetoutcome.h"
#include "sheets/sheetpages.h"

#define DM_ADVANCED_SHEET 0x10  // DM_ADVANCED, which the platform headers lack
#define DM_NOPERMISSION_FLAG 0x20
#define ADVANCED_MODE (DM_COPY | DM_PROMPT | DM_ADVANCED_SHEET)
#define PX_SHEET_HEADER_FLAGS (PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE)
#define PX_SHEET_ICON 64082
static_assert(PX_SHEET_HEADER_FLAGS == 6, "sheet header flags");

// A new context set up for the header's printer and record; null when it
// cannot be had, with the last error of the failed step.
static PageContext *OpenPageContext(const DOCUMENTPROPERTYHEADER *header)
{
    PageContext *ctx = AllocPageContext();
    if (ctx && !InitPageContext(ctx, header->hPrinter, header->pszPrinterName, header->pdmIn)) {
        DWORD error = GetLastError();
        ReleasePageContext(ctx);
        SetLastError(error);
        return NULL;
    }
    return ctx;
}

LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER *header)
{
    header->cbOut = PX_DM_TOTAL_SIZE;
    if (header->fMode == 0 || !header->pdmOut)
        return PX_DM_TOTAL_SIZE;
    PageContext *ctx = OpenPageContext(header);
    if (!ctx)
        return -1;
    if (header->fMode & (DM_UPDATE | DM_COPY))
        CopyMemory(header->pdmOut, &ctx->dmOpened, PX_DM_TOTAL_SIZE);
    ReleasePageContext(ctx);
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

static LONG StartDocumentSheet(PROPSHEETUI_INFO *info, const DOCUMENTPROPERTYHEADER *header)
{
    PageContext *ctx = OpenPageContext(header);
    if (!ctx)
        return -1;
    ctx->mode = header->fMode;
    CopyMemory(&ctx->dmCurrent, &ctx->dmOpened, PX_DM_TOTAL_SIZE);
    ctx->dmOut = (header->fMode & DM_COPY) ? header->pdmOut : NULL;
    ctx->hComPropSheet = info->hComPropSheet;
    ctx->pfnComPropSheet = info->pfnComPropSheet;
    ctx->canChange = (header->fMode & DM_NOPERMISSION_FLAG) ? 0 : 1;
    if (!AddDocumentPages(ctx)) {
        ReleasePageContext(ctx);
        return -1;
    }
    info->Result = 0;
    info->UserData = (ULONG_PTR)ctx;
    return 1;
}

LONG FillSheetInfoHeader(LPARAM lParam, WCHAR *title)
{
    PROPSHEETUI_INFO_HEADER *header = reinterpret_cast<PROPSHEETUI_INFO_HEADER *>(lParam);
    if (!header)
        return -1;
    header->Flags = PX_SHEET_HEADER_FLAGS;
    header->pTitle = title;
    header->hInst = ModuleInstance();
    header->IconID = PX_SHEET_ICON;
    return 1;
}

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
    PX_TRACE(L"reason %d", (int)pPSUIInfo->Reason);
    if (pPSUIInfo->Reason == PROPSHEETUI_REASON_INIT)
        return StartDocumentSheet(pPSUIInfo, header);
    PageContext *ctx = reinterpret_cast<PageContext *>(pPSUIInfo->UserData);
    if (!ctx)
        return -1;
    switch (pPSUIInfo->Reason) {
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return FillSheetInfoHeader(lParam, header->pszPrinterName);
    case PROPSHEETUI_REASON_DESTROY:
        NoteSheetOutcome(header, ctx->applied == 1);
        ReleasePageContext(ctx);
        pPSUIInfo->UserData = 0;
        return 1;
    default:
        return -1;
    }
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
