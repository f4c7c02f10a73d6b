#include "pages/basicstore.h"

#include "context/sheetbinding.h"
#include "core/trace.h"
#include "settings/presets.h"
#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"

// Finding the path asks the shell for the folder and makes the folders; the
// name comes from the printer's information read when the sheet was set up.
// None of it changes while the sheet is open, so it is found once.
static BOOL FindWorkingPath(PageContext *ctx)
{
    return ctx->printerAtOpen ? WorkingSettingsPathFor(ctx->printerAtOpen, ctx->workPath)
                              : GetWorkingSettingsPath(ctx->hPrinter, ctx->workPath);
}

static const WCHAR *WorkingPathOf(PageContext *ctx)
{
    if (!ctx->workPath[0] && !FindWorkingPath(ctx))
        ctx->workPath[0] = 0;
    return ctx->workPath[0] ? ctx->workPath : NULL;
}

static BOOL ReadWorkingFile(PageContext *ctx)
{
    const WCHAR *path = WorkingPathOf(ctx);
    PXDEVMODE *dm = &ctx->dmCurrent;
    return path && ReadWorkingSettingsFile(path, dm, StoreFromDevMode(dm)) == WORKFILE_OK;
}

static BOOL WriteWorkingFile(PageContext *ctx)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    const WCHAR *path = WorkingPathOf(ctx);
    if (path && WriteWorkingSettingsFile(path, dm, StoreFromDevMode(dm)))
        return TRUE;
    // The folder may have gone while the sheet was open: it is made again.
    ctx->workPath[0] = 0;
    path = WorkingPathOf(ctx);
    return path && WriteWorkingSettingsFile(path, dm, StoreFromDevMode(dm));
}

BOOL OpenSettingStore(PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    if (StoreFromDevMode(dm))
        return TRUE;
    if (!AllocSettingStore(dm)) {
        PX_TRACE(L"no memory for the registered settings store");
        return FALSE;
    }
    if (!ReadWorkingFile(ctx)) {
        // The presets take their names from the data driver.
        SheetBindingScope binding(ctx);
        InstallPresets(dm);
    }
    return TRUE;
}

void SaveAndReleaseSettingStore(PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    if (!StoreFromDevMode(dm))
        return;
    if (!WriteWorkingFile(ctx))
        PX_TRACE(L"working settings file not written");
    ReleaseSettingStore(dm);
}

void DropSettingStore(PageContext *ctx)
{
    if (StoreFromDevMode(&ctx->dmCurrent))
        ReleaseSettingStore(&ctx->dmCurrent);
}
