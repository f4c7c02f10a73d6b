#include "dialogs/sizeseries.h"

#include "context/sheetbinding.h"
#include "core/module.h"
#include "core/trace.h"
#include "devmode/papermerge.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/help.h"
#include "widgets/modaldialog.h"

struct SeriesBox {
    int id;
    uint32_t bit;
};
static const SeriesBox kSeriesBoxes[] = {
    {IDC_SERIES_ISO_A, 0x2}, {IDC_SERIES_ISO_B, 0x4}, {IDC_SERIES_JIS_B, 0x1},
    {IDC_SERIES_DIN, 0x8},   {IDC_SERIES_ANSI, 0x20}, {IDC_SERIES_ARCH, 0x40},
};

static uint32_t CheckedMask(HWND dialog)
{
    uint32_t mask = PX_SERIES_USER_SIZES;
    for (const SeriesBox &box : kSeriesBoxes) {
        if (IsControlChecked(dialog, box.id))
            mask |= box.bit;
    }
    return mask;
}

// The output size is looked up among the output sizes the Basic page
// offers: the paper list alone has no entry for the output-size choices.
static BOOL OutputSizeKept(const PageContext *ctx, uint32_t mask)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    SheetBindingScope binding(ctx);
    PaperList list = {};
    BuildPaperList(ctx->hPrinter, dm->dm.dmDefaultSource, &list,
                   dm->pdmSizeSeries | PX_SERIES_OUTPUT_SIZES, dm->pdmUserSizes,
                   PX_USER_SIZE_COUNT);
    PaperEntry entry = {};
    FindPaperByCode(&list, (uint16_t)dm->pdmOutputSize, &entry);
    ReleasePaperList(&list);
    return (entry.series & mask) != 0 || entry.series == PX_SERIES_OUTPUT_SIZES;
}

BOOL SizesInUseKept(const PageContext *ctx, uint32_t mask)
{
    PaperEntry page = {};
    if (!FindRecordPaper(&ctx->dmCurrent, &ctx->paperList, &page))
        PaperEntryAt(&ctx->paperList, 1, &page);
    if (!(page.series & mask))
        return FALSE;
    return OutputSizeKept(ctx, mask);
}

// The list for the new mask replaces the old one only when it could be
// built, so a failure never leaves the pages without sizes.
static BOOL RebuildPaperList(PageContext *ctx, uint32_t mask)
{
    PXDEVMODE *dm = &ctx->dmCurrent;
    SheetBindingScope binding(ctx);
    PaperList list = {};
    if (!BuildPaperList(ctx->hPrinter, dm->dm.dmDefaultSource, &list, mask, dm->pdmUserSizes,
                        PX_USER_SIZE_COUNT)) {
        PX_TRACE(L"paper list not rebuilt for series 0x%08x", mask);
        return FALSE;
    }
    ReleasePaperList(&ctx->paperList);
    ctx->paperList = list;
    return TRUE;
}

static void Confirm(HWND dialog, PageContext *ctx)
{
    if (!ctx->canChange)
        return;
    uint32_t mask = CheckedMask(dialog);
    if (!SizesInUseKept(ctx, mask)) {
        WCHAR text[PX_TEXT_CHARS];
        LoadText(IDS_MSG_SIZE_IN_USE, text, PX_TEXT_CHARS);
        MessageBoxW(dialog, text, NULL, MB_ICONEXCLAMATION);
        return;
    }
    if (RebuildPaperList(ctx, mask))
        ctx->dmCurrent.pdmSizeSeries = mask;
    EndDialog(dialog, IDOK);
}

static BOOL Open(HWND dialog, void *param)
{
    PageContext *ctx = static_cast<PageContext *>(param);
    if (!ctx) {
        EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
    LabelDialog(dialog, IDD_SIZE_SERIES, TRUE);
    RelabelControls(dialog, IDC_SERIES_GROUP, IDC_SERIES_ARCH, 0);
    for (const SeriesBox &box : kSeriesBoxes) {
        CheckControl(dialog, box.id, (ctx->dmCurrent.pdmSizeSeries & box.bit));
    }
    if (!ctx->canChange) {
        for (int id = IDC_SERIES_GROUP; id <= IDC_SERIES_ARCH; id++)
            DisableControl(dialog, id);
        DisableControl(dialog, IDOK);
    }
    return TRUE;
}

static BOOL Command(HWND dialog, void *param, int id, int)
{
    if (id == IDOK) {
        Confirm(dialog, static_cast<PageContext *>(param));
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

static const WCHAR *HelpFileOf(const void *param)
{
    return static_cast<const PageContext *>(param)->helpFile;
}

static const ModalDialog kSizeSeries = {
    IDD_SIZE_SERIES, Open, Command, HelpFileOf, IDH_SIZE_SERIES, NULL, NULL,
};

INT_PTR CALLBACK SizeSeriesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalDialogMessage(&kSizeSeries, dialog, message, wParam, lParam);
}

INT_PTR ShowSizeSeriesDialog(HWND owner, PageContext *ctx)
{
    return RunModalDialog(owner, &kSizeSeries, SizeSeriesDialogProc, ctx);
}
