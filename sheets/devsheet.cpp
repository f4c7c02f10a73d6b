#include "sheets/devsheet.h"

#include "core/binding.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/trace.h"
#include "resources/ids_strings.h"
#include "services/printerdata.h"
#include "sheets/compstui.h"
#include "sheets/docprops.h"
#include "sheets/sheetoutcome.h"
#include "sheets/sheetpages.h"
#include "sheets/sheetreasons.h"

#define DPS_NOPERMISSION_FLAG 1

// The binding failure the user is told about; nothing for other errors.
static void ReportBindingFailure(DWORD error)
{
    UINT textId = 0;
    if (error == PX_ERROR_BIND_FAILED || error == PX_ERROR_NO_PRINTER_INFO)
        textId = IDS_BIND_FAILED;
    else if (error == PX_ERROR_VERSION_REFUSED)
        textId = IDS_VERSION_MISMATCH;
    if (!textId)
        return;
    WCHAR text[256] = {};
    LoadStringW(ModuleInstance(), textId, text, ARRAYSIZE(text));
    MessageBoxW(NULL, text, NULL, MB_ICONEXCLAMATION);
}

static void ReleasePrinterSheet(PrinterSheetContext *ctx)
{
    PxFree(ctx->versionContext.helpFile);
    PxFree(ctx);
}

struct PrinterSheetTraits {
    using Type = PrinterSheetContext *;
    static Type None() { return nullptr; }
    static void Close(Type ctx) { ReleasePrinterSheet(ctx); }
};

static LONG StartPrinterSheet(PROPSHEETUI_INFO *info)
{
    const DEVICEPROPERTYHEADER *header =
        reinterpret_cast<const DEVICEPROPERTYHEADER *>(info->lParamInit);
    // Owned here until the sheet takes it; a failure releases what it holds.
    UniqueAny<PrinterSheetTraits> owner(
        static_cast<PrinterSheetContext *>(PxAlloc(sizeof(PrinterSheetContext))));
    PrinterSheetContext *ctx = owner.get();
    if (!ctx)
        return -1;
    ctx->hPrinter = header->hPrinter;
    ctx->canChange = (header->Flags & DPS_NOPERMISSION_FLAG) ? 0 : 1;
    BOOL bound;
    {
        ModuleLockGuard lock;
        bound = BindAndCheck(ctx->hPrinter, &ctx->printerInfo);
    }
    if (!bound) {
        ReportBindingFailure(GetLastError());
        return -1;
    }
    ctx->versionContext.pPrinterInfo = &ctx->printerInfo;
    ctx->versionContext.helpFile = GetDriverHelpFile(ctx->hPrinter);
    ctx->versionContext.inPrinterSheet = 1;
    ctx->versionContext.hPrinter = ctx->hPrinter;
    if (!AddSheetPage(&kPrinterPages[0], (LPARAM)&ctx->versionContext, info->pfnComPropSheet,
                      info->hComPropSheet))
        return -1;
    info->Result = 0;
    info->UserData = (ULONG_PTR)owner.release();
    return 1;
}

static void EndPrinterSheet(const PROPSHEETUI_INFO *info)
{
    auto *ctx = reinterpret_cast<PrinterSheetContext *>(info->UserData);
    NoteSheetOutcome(reinterpret_cast<const void *>(info->lParamInit), ctx->confirmed);
    ReleasePrinterSheet(ctx);
}

static const SheetReasons kPrinterSheet = {
    StartPrinterSheet, EndPrinterSheet, TRUE,
};

LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    if (!pPSUIInfo || !pPSUIInfo->lParamInit)
        return -1;
    auto *header = reinterpret_cast<DEVICEPROPERTYHEADER *>(pPSUIInfo->lParamInit);
    return DispatchSheetReason(&kPrinterSheet, pPSUIInfo, lParam, header->pszPrinterName);
}

BOOL WINAPI PrinterProperties(HWND hWnd, HANDLE hPrinter)
{
    DEVICEPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.Flags = 0;
    header.hPrinter = hPrinter;
    header.pszPrinterName = NULL;
    if (!ProbePrinterPermission(hPrinter))
        header.Flags |= DPS_NOPERMISSION_FLAG;
    DWORD result = 1;
    WatchSheetOutcome(&header);
    RunCommonPropertySheetUI(hWnd, DrvDevicePropertySheets, (LPARAM)&header, &result);
    // OK or Cancel as the user chose, whatever the host stored.
    LONG outcome = TakeSheetOutcome(&header);
    if (outcome != PX_OUTCOME_NONE)
        result = (DWORD)outcome;
    PX_TRACE(L"printer %p -> %lu", hPrinter, result);
    return result != 0;
}
