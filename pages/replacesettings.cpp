#include "pages/replacesettings.h"

#include "context/sheetbinding.h"
#include "core/scope.h"
#include "core/trace.h"
#include "devmode/builder.h"
#include "settings/presets.h"
#include "settings/settingstore.h"

void RaiseRefreshFlags(PageContext *ctx)
{
    ctx->refreshBasic = 1;
    ctx->refreshOption = 1;
    ctx->refreshSetup = 1;
}

// The caller holds the sheet's binding.
static void RebuildPaperListBound(PageContext *ctx)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    ReleasePaperList(&ctx->paperList);
    if (!BuildPaperList(ctx->hPrinter, dm->dm.dmDefaultSource, &ctx->paperList, dm->pdmSizeSeries,
                        dm->pdmUserSizes, PX_USER_SIZE_COUNT))
        PX_TRACE(L"no paper list for source %u", dm->dm.dmDefaultSource);
}

void RebuildPaperList(PageContext *ctx)
{
    SheetBindingScope binding(ctx);
    RebuildPaperListBound(ctx);
}

BOOL MergeLoadedSettings(PageContext *ctx, const PXDEVMODE *loaded)
{
    // Built beside dmCurrent, so a data driver that cannot give a paper list
    // leaves the settings in force instead of a record without its paper.
    UniqueBlock<PXDEVMODE> merged = UniqueBlock<PXDEVMODE>::Allocate();
    if (!merged)
        return FALSE;
    SheetBindingScope binding(ctx);
    PaperList scratch = {};
    BOOL built = BuildDevMode(merged.get(), &loaded->dm, ctx->hPrinter, ctx->pPrinterName,
                              &ctx->printerInfo, &scratch, FALSE);
    ReleasePaperList(&scratch);
    if (!built) {
        PX_TRACE(L"the loaded settings could not be merged");
        return FALSE;
    }
    CopyMemory(&ctx->dmCurrent, merged.get(), sizeof(PXDEVMODE));
    RebuildPaperListBound(ctx);
    RaiseRefreshFlags(ctx);
    return TRUE;
}

void ResetToDefaults(PageContext *ctx)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    int16_t lengthUnit = dm->pdmLengthUnit;
    int16_t tempUnit = dm->pdmTempUnit;
    SettingStore *store = StoreFromDevMode(dm);
    CopyMemory(dm, &ctx->dmDefault, sizeof(PXDEVMODE));
    dm->pdmLengthUnit = lengthUnit;
    dm->pdmTempUnit = tempUnit;
    AttachSettingStore(dm, store);
    SheetBindingScope binding(ctx);
    RebuildPaperListBound(ctx);
    RaiseRefreshFlags(ctx);
    InstallPresets(dm);
    ApplySettingInForce(dm);
}
