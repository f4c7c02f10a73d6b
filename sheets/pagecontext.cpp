#include "sheets/pagecontext.h"

#include "core/binding.h"
#include "core/module.h"
#include "core/spoolerread.h"
#include "devmode/builder.h"

WCHAR *GetDriverHelpFile(HANDLE hPrinter)
{
    DWORD bytes = 0;
    BYTE *buffer = ReadPrinterDriverBlock(hPrinter, 3, &bytes);
    if (!buffer)
        return NULL;
    WCHAR *copy = NULL;
    const WCHAR *help = reinterpret_cast<const DRIVER_INFO_3W *>(buffer)->pHelpFile;
    if (bytes >= sizeof(DRIVER_INFO_3W) && help) {
        int chars = lstrlenW(help);
        copy = static_cast<WCHAR *>(PxAlloc(2 * chars + 2));
        if (copy)
            CopyMemory(copy, help, 2 * chars);
    }
    PxFree(buffer);
    return copy;
}

BOOL InitPageContext(PageContext *ctx, HANDLE hPrinter, WCHAR *pPrinterName,
                     const DEVMODEW *pdmIn)
{
    ZeroMemory(ctx, sizeof *ctx);
    ctx->hPrinter = hPrinter;
    ctx->pPrinterName = pPrinterName;
    // Held from the binding to the last data-driver call: a concurrent call
    // for another printer cannot swap the data driver under the builds.
    ModuleLockGuard lock;
    if (!BindAndCheck(hPrinter, &ctx->printerInfo)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!BuildDevMode(&ctx->dmOpened, pdmIn, hPrinter, pPrinterName, &ctx->printerInfo,
                      &ctx->paperList, TRUE))
        return FALSE;
    // The default only serves resets: its own paper list is not kept.
    PaperList scratch = {};
    BuildDevMode(&ctx->dmDefault, NULL, hPrinter, pPrinterName, &ctx->printerInfo, &scratch,
                 FALSE);
    ReleasePaperList(&scratch);
    ctx->refreshBasic = 0;
    ctx->refreshOption = 0;
    ctx->refreshSetup = 0;
    ctx->helpFile = GetDriverHelpFile(hPrinter);
    ctx->versionContext.pPrinterInfo = &ctx->printerInfo;
    ctx->versionContext.helpFile = ctx->helpFile;
    ctx->versionContext.inPrinterSheet = 0;
    return TRUE;
}

void ReleasePageContext(PageContext *ctx)
{
    if (!ctx)
        return;
    ReleasePaperList(&ctx->paperList);
    PxFree(ctx->helpFile);
    PxFree(ctx);
}
