#include "devmode/resolution.h"

#include "core/ddops.h"
#include "devmode/paperlist.h"
#include "devmode/template.h"

static const int kResolutions[PX_RESOLUTION_CHOICES] = {2880, 1440, 1080, 720, 540, 360,
                                                        300,  270,  180,  150, 90};

// The longest page side, in dots, that the engine takes in one job: 30000 dots
// as tenths of a millimetre at d dpi is 7620000 / d.
#define PX_MAX_DOTS_TIMES_TENTH_MM 7620000
#define PX_LOWEST_RESOLUTION 90
#define PX_MAX_QUALITY_MODE_ID 35

int ResolutionOfIndex(int index)
{
    if (index < 0 || index >= PX_RESOLUTION_CHOICES)
        return PX_RESOLUTION_NO_LIMIT;
    return kResolutions[index];
}

int16_t EngineResolution(uint32_t id)
{
    switch (id) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6:
    case 12: case 18: case 24: case 30:
        return 360;
    case 7: case 8: case 9: case 10: case 11:
    case 13: case 19: case 25: case 31:
        return 540;
    case 21: case 22: case 23: case 27: case 33:
        return 1080;
    case 28: case 29: case 34:
        return 1440;
    case 35:
        return 2880;
    default:
        return 720;
    }
}

static int QualityModeLimit(uint32_t id)
{
    return id <= PX_MAX_QUALITY_MODE_ID ? EngineResolution(id) : PX_RESOLUTION_NO_LIMIT;
}

struct PageSize {
    int32_t width;
    int32_t length;
};

// The page that dmPaperSize names among the data driver's papers; a user-size
// paper stands for the pdmUserSizes pair of the same ordinal. The last match
// wins; no match is a page of 0 by 0.
static PageSize PageOfPaperSize(const PXDEVMODE *record)
{
    PageSize page = {0, 0};
    unsigned papers = DataDriverPaperCount();
    int userOrdinal = 0;
    for (unsigned i = 1; i <= papers; i++) {
        PaperRecord paper;
        if (!DdPaperEnum((int)i, &paper))
            continue;
        BOOL user = (paper.series & PX_SERIES_USER) != 0;
        if (user)
            userOrdinal++;
        if (paper.paperSize != (uint16_t)record->dm.dmPaperSize)
            continue;
        if (user && userOrdinal <= PX_USER_SIZE_COUNT) {
            page.width = record->pdmUserSizes[userOrdinal - 1].width;
            page.length = record->pdmUserSizes[userOrdinal - 1].length;
        } else {
            page.width = paper.width;
            page.length = paper.length;
        }
    }
    return page;
}

static int ResolutionForPage(PageSize page)
{
    for (int i = 0; i < PX_RESOLUTION_CHOICES; i++) {
        int limit = PX_MAX_DOTS_TIMES_TENTH_MM / kResolutions[i];
        if (page.width <= limit && page.length <= limit)
            return kResolutions[i];
    }
    return PX_LOWEST_RESOLUTION;
}

int ComputeResolution(const PXDEVMODE *record)
{
    int r = ResolutionOfIndex(record->pdmResolutionIndex);
    int limit = QualityModeLimit(record->pdmQualityMode.id);
    if (limit < r)
        r = limit;
    if (record->pdmColorFlags & PX_COLOR_FLAG_AUTO_RESOLUTION) {
        int d = ResolutionForPage(PageOfPaperSize(record));
        if (d < r)
            r = d;
    }
    return r;
}

void ApplyResolution(PXDEVMODE *record)
{
    int r = ComputeResolution(record);
    record->dm.dmPrintQuality = (short)r;
    record->dm.dmYResolution = (short)r;
}
