#include "context/pagecontext.h"

#include "core/binding.h"
#include "core/module.h"
#include "core/printerbyname.h"
#include "core/spoolerread.h"
#include "devmode/builder.h"
#include "devmode/storedrecord.h"

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

// The printer's information is read once: the stored record comes from it
// here, the working settings file's name later.
static BOOL BuildOpenedRecord(PageContext *ctx, const DEVMODEW *pdmIn)
{
    DWORD bytes = 0;
    ctx->printerAtOpen = ReadPrinterInfo2(ctx->hPrinter, &bytes);
    PXDEVMODE stored;
    BOOL haveStored = StoredRecordIn(ctx->printerAtOpen, bytes, &stored);
    return BuildDevModeOver(&ctx->dmOpened, pdmIn, haveStored ? &stored : NULL, ctx->hPrinter,
                            ctx->pPrinterName, &ctx->printerInfo, &ctx->paperList);
}

BOOL InitPageContext(PageContext *ctx, HANDLE hPrinter, WCHAR *pPrinterName,
                     const DEVMODEW *pdmIn)
{
    ZeroMemory(ctx, sizeof *ctx);
    // The platform's dialogs and AddPrinterW ask by name alone; the handle
    // opened here lives as long as the context, since pages use it too.
    PrinterByName printer(hPrinter, pPrinterName);
    hPrinter = printer.get();
    ctx->ownedPrinter = printer.release();
    ctx->hPrinter = hPrinter;
    ctx->pPrinterName = pPrinterName;
    // Held from the binding to the last data-driver call: a concurrent call
    // for another printer cannot swap the data driver under the builds.
    ModuleLockGuard lock;
    if (!BindAndCheck(hPrinter, &ctx->printerInfo)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Read once: the sheet's later queries rebind by this path alone.
    ctx->dataFile = CopyBoundDataDriverPath();
    if (!BuildOpenedRecord(ctx, pdmIn))
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
    ctx->versionContext.hPrinter = hPrinter;
    return TRUE;
}

// The live contexts: few sheets are open at once, so a small table does.
// Guarded by the module lock: sheets open and close on any thread.
#define PX_LIVE_CONTEXTS 16
static const PageContext *g_liveContexts[PX_LIVE_CONTEXTS];

static void SetLive(const PageContext *from, const PageContext *to)
{
    ModuleLockGuard lock;
    for (const PageContext *&slot : g_liveContexts) {
        if (slot == from) {
            slot = to;
            return;
        }
    }
}

PageContext *AllocPageContext(void)
{
    PageContext *ctx = static_cast<PageContext *>(PxAlloc(sizeof(PageContext)));
    if (ctx)
        SetLive(NULL, ctx);
    return ctx;
}

BOOL IsLivePageContext(const PageContext *ctx)
{
    if (!ctx)
        return FALSE;
    ModuleLockGuard lock;
    for (const PageContext *slot : g_liveContexts) {
        if (slot == ctx)
            return TRUE;
    }
    return FALSE;
}

void ReleasePageContext(PageContext *ctx)
{
    if (!ctx)
        return;
    SetLive(ctx, NULL);
    if (ctx->ownedPrinter) {
        DWORD error = GetLastError();
        ClosePrinter(ctx->ownedPrinter);
        SetLastError(error);
    }
    ReleasePaperList(&ctx->paperList);
    PxFree(ctx->printerAtOpen);
    PxFree(ctx->helpFile);
    PxFree(ctx->dataFile);
    PxFree(ctx);
}
