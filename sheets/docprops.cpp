#include "sheets/docprops.h"

#include "core/module.h"
#include "sheets/pagecontext.h"

#define DM_ADVANCED_SHEET 0x10  // DM_ADVANCED, which the platform headers lack
#define ADVANCED_MODE (DM_COPY | DM_PROMPT | DM_ADVANCED_SHEET)

// The sheets with pages are not built yet: they answer as an unsupported
// entry does.
static LONG WindowedNotYetSupported(void)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER *header)
{
    header->cbOut = PX_DM_TOTAL_SIZE;
    if (header->fMode == 0 || !header->pdmOut)
        return PX_DM_TOTAL_SIZE;
    PageContext *ctx = static_cast<PageContext *>(PxAlloc(sizeof(PageContext)));
    if (!ctx)
        return -1;
    if (!InitPageContext(ctx, header->hPrinter, header->pszPrinterName, header->pdmIn)) {
        DWORD error = GetLastError();
        ReleasePageContext(ctx);
        SetLastError(error);
        return -1;
    }
    if (header->fMode & (DM_UPDATE | DM_COPY))
        CopyMemory(header->pdmOut, &ctx->dmOpened, PX_DM_TOTAL_SIZE);
    ReleasePageContext(ctx);
    return 1;
}

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam)
{
    LPARAM header = pPSUIInfo ? pPSUIInfo->lParamInit : lParam;
    if (!header)
        return -1;
    if (!pPSUIInfo)
        return DocumentPropertiesNoUI(reinterpret_cast<DOCUMENTPROPERTYHEADER *>(header));
    return WindowedNotYetSupported();
}

static LONG RunDocumentProperties(HANDLE hPrinter, PWSTR pDeviceName, PDEVMODEW pdmOutput,
                                  PDEVMODEW pdmInput, DWORD fMode)
{
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = hPrinter;
    header.pszPrinterName = pDeviceName;
    header.pdmIn = pdmInput;
    header.pdmOut = pdmOutput;
    header.cbOut = 0;
    header.fMode = fMode;
    if (fMode & DM_PROMPT)
        return WindowedNotYetSupported();
    return DocumentPropertiesNoUI(&header);
}

LONG WINAPI DrvDocumentProperties(HWND, HANDLE hPrinter, PWSTR pDeviceName, PDEVMODEW pdmOutput,
                                  PDEVMODEW pdmInput, DWORD fMode)
{
    if (fMode == 0 || !pdmOutput)
        return PX_DM_TOTAL_SIZE;
    LONG r = RunDocumentProperties(hPrinter, pDeviceName, pdmOutput, pdmInput, fMode);
    if (r > 0)
        return IDOK;
    return r == 0 ? IDCANCEL : r;
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND, HANDLE hPrinter, PWSTR pDeviceName,
                                          PDEVMODEW pdmOutput, PDEVMODEW pdmInput)
{
    if (!pdmOutput)
        return PX_DM_TOTAL_SIZE;
    LONG r = RunDocumentProperties(hPrinter, pDeviceName, pdmOutput, pdmInput, ADVANCED_MODE);
    return r > 0 ? 1 : 0;
}
