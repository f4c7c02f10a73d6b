#include "pages/basicscale.h"

#include "core/ddops.h"
#include "devmode/paperlist.h"

#define PX_MEDIA_USER_WIDTH_SOURCE 393
#define PX_MARGIN_FREE 260
#define PX_MARGIN_SHEET 256
#define PX_MARGIN_ROLL 258

static BOOL IsSheetMedia(uint16_t source)
{
    return (source & 0xFF) < 32;
}

static int FitMarginKey(const PXDEVMODE *dm)
{
    if (dm->pdmMarginMode == 1)
        return PX_MARGIN_FREE;
    return IsSheetMedia(dm->dm.dmDefaultSource) ? PX_MARGIN_SHEET : PX_MARGIN_ROLL;
}

// Each side's ratio; a divisor of 0 or less has no ratio.
static BOOL Ratio(int32_t target, int32_t page, int32_t *ratio)
{
    if (page <= 0)
        return FALSE;
    *ratio = (int32_t)((int64_t)target * 100 / page);
    return TRUE;
}

int32_t FitScale(const PageContext *ctx)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    PaperEntry target = {};
    PaperEntry page = {};
    FindPaperByCode(&ctx->paperList, (uint16_t)dm->pdmOutputSize, &target);
    FindPaperByCode(&ctx->paperList, dm->dm.dmPaperSize, &page);
    MarginRecord margin = {};
    DdMarginSearch(FitMarginKey(dm), &margin);
    int32_t ends = margin.lengthEnds[0] + margin.lengthEnds[1];
    int32_t sides = margin.widthSides[0] + margin.widthSides[1];
    int32_t a = 0;
    int32_t b = 0;
    if (!Ratio(target.length - ends, page.length - ends, &a) ||
        !Ratio(target.width - sides, page.width - sides, &b))
        return PX_SCALE_SAME_SIZE;
    return a < b ? a : b;
}

static int32_t UsableMediaWidth(const PXDEVMODE *dm)
{
    if (dm->dm.dmDefaultSource == PX_MEDIA_USER_WIDTH_SOURCE)
        return dm->pdmMediaWidth;
    int count = DdMediaQuery();
    for (int i = 1; i <= count; i++) {
        MediaRecord media = {};
        if (DdMediaEnum(i, &media) && media.code == dm->dm.dmDefaultSource)
            return media.maxWidth - 20 * (int32_t)dm->pdmSideMargin;
    }
    return 0;
}

int32_t MediaWidthScale(const PageContext *ctx)
{
    const PXDEVMODE *dm = &ctx->dmCurrent;
    PaperEntry page = {};
    FindPaperByCode(&ctx->paperList, dm->dm.dmPaperSize, &page);
    BOOL portrait = dm->dm.dmOrientation == DMORIENT_PORTRAIT;
    BOOL widthAcross = (dm->pdmRotated == 0 && portrait) || (dm->pdmRotated == 1 && !portrait);
    int32_t scale = 0;
    if (!Ratio(UsableMediaWidth(dm), widthAcross ? page.width : page.length, &scale))
        return PX_SCALE_SAME_SIZE;
    return scale;
}

int32_t ScaleForOutputSize(const PageContext *ctx)
{
    switch (ctx->dmCurrent.pdmOutputSize) {
    case PX_OUTPUT_SAME_SIZE:
        return PX_SCALE_SAME_SIZE;
    case PX_OUTPUT_MEDIA_WIDTH:
        return MediaWidthScale(ctx);
    case PX_OUTPUT_USER_SCALE:
        return ctx->dmCurrent.pdmOutputScale;
    default:
        return FitScale(ctx);
    }
}

// Quality-mode ids first..last and the data resolution they print with.
struct ResolutionRow {
    uint32_t first;
    uint32_t last;
    int16_t dpi;
};

static const ResolutionRow kResolutions[] = {
    {0, 6, 360}, {12, 12, 360}, {18, 18, 360}, {24, 24, 360}, {30, 30, 360},
    {7, 11, 540}, {13, 13, 540}, {19, 19, 540}, {25, 25, 540}, {31, 31, 540},
    {21, 23, 1080}, {27, 27, 1080}, {33, 33, 1080},
    {28, 29, 1440}, {34, 34, 1440},
    {35, 35, 2880},
};
#define PX_DATA_RESOLUTION_OTHER 720

int16_t DataResolutionOfQualityMode(uint32_t id)
{
    for (const ResolutionRow &row : kResolutions) {
        if (id >= row.first && id <= row.last)
            return row.dpi;
    }
    return PX_DATA_RESOLUTION_OTHER;
}
