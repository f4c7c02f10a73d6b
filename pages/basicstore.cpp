#include "pages/basicstore.h"

#include "context/sheetbinding.h"
#include "core/trace.h"
#include "settings/presets.h"
#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"

BOOL OpenSettingStore(PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    if (StoreFromDevMode(dm))
        return TRUE;
    if (!AllocSettingStore(dm)) {
        PX_TRACE(L"no memory for the registered settings store");
        return FALSE;
    }
    if (!ReadWorkingSettings(ctx->hPrinter, dm)) {
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
    if (!WriteWorkingSettings(ctx->hPrinter, dm))
        PX_TRACE(L"working settings file not written");
    ReleaseSettingStore(dm);
}

void DropSettingStore(PageContext *ctx)
{
    if (StoreFromDevMode(&ctx->dmCurrent))
        ReleaseSettingStore(&ctx->dmCurrent);
}
