#include "devmode/template.h"

#include <string.h>

const PrintModeRow kPrintModeTable[PX_PRINT_MODE_COUNT] = {
    // quality direction passes dot effect waveform speed mode
    {28, 1, 16, 2, 9, 4, 1, 0},     // Quality 1
    {28, 2, 16, 2, 9, 4, 1, 13},    // Quality 2
    {16, 1, 8, 2, 9, 3, 1, 25},     // Quality 3
    {16, 2, 8, 2, 9, 3, 1, 26},     // Quality 4
    {14, 1, 8, 2, 9, 3, 2, 4},      // Graphics 1
    {14, 2, 8, 2, 9, 3, 2, 5},      // Graphics 2
    {14, 1, 8, 2, 19, 1, 2, 23},    // Graphics 3
    {14, 2, 8, 2, 19, 1, 2, 24},    // Graphics 4
    {14, 1, 4, 2, 17, 1, 1, 8},     // Banner 1
    {14, 2, 4, 2, 17, 1, 1, 9},     // Banner 2
    {2, 1, 2, 2, 1, 1, 1, 21},      // Banner 3
    {2, 2, 2, 2, 1, 1, 1, 22},      // Banner 4
    {28, 2, 16, 2, 9, 4, 1, 100},   // Custom 1
    {27, 2, 12, 2, 9, 4, 1, 110},   // Custom 2
    {26, 2, 8, 2, 9, 4, 1, 120},    // Custom 3
    {22, 2, 12, 2, 9, 4, 1, 130},   // Custom 4
    {21, 2, 9, 2, 9, 4, 1, 140},    // Custom 5
    {20, 2, 6, 2, 9, 3, 1, 150},    // Custom 6
    {16, 2, 8, 2, 9, 3, 1, 160},    // Custom 7
    {15, 2, 6, 2, 9, 3, 1, 170},    // Custom 8
    {14, 2, 4, 2, 17, 1, 1, 180},   // Custom 9
    {12, 2, 2, 2, 1, 1, 1, 190},    // Custom 10
    {10, 2, 12, 2, 9, 3, 2, 200},   // Custom 11
    {9, 2, 9, 2, 9, 3, 2, 210},     // Custom 12
    {8, 2, 6, 2, 9, 3, 2, 220},     // Custom 13
    {6, 2, 3, 2, 1, 1, 1, 230},     // Custom 14
    {2, 2, 2, 2, 1, 1, 1, 240},     // Custom 15
    {1, 2, 3, 2, 1, 1, 1, 250},     // Custom 16
    {0, 2, 1, 2, 1, 1, 1, 260},     // Custom 17
};

const PrintModeRow kPrintModeTable1281[PX_PRINT_MODE_COUNT_1281] = {
    {28, 1, 16, 2, 9, 4, 1, 0},
    {28, 2, 16, 2, 9, 4, 1, 13},
    {16, 1, 8, 2, 28, 3, 2, 25},
    {16, 2, 8, 2, 28, 3, 2, 26},
};

const PrintModeRow *PrintModeRowFor(uint32_t paperTypeId, int printMode)
{
    if (printMode < 0 || printMode >= PX_PRINT_MODE_COUNT)
        return NULL;
    if (paperTypeId == PX_PAPER_TYPE_BANNER && printMode < PX_PRINT_MODE_COUNT_1281)
        return &kPrintModeTable1281[printMode];
    return &kPrintModeTable[printMode];
}

uint16_t PrintModeColumn(const PrintModeRow *row, int column)
{
    static constexpr uint16_t PrintModeRow::*kColumns[] = {
        &PrintModeRow::qualityModeId, &PrintModeRow::direction, &PrintModeRow::passes,
        &PrintModeRow::dotSize,       &PrintModeRow::effect,    &PrintModeRow::waveform,
        &PrintModeRow::carriageSpeed, &PrintModeRow::modeNumber,
    };
    return column >= 0 && column < 8 ? row->*kColumns[column] : 0;
}

static void FillPublicTemplate(DEVMODEW *dm)
{
    wcsncpy(dm->dmDeviceName, L"ORVEN PX-2210", PX_DM_NAME_CHARS);
    dm->dmSpecVersion = PX_DM_SPEC_VERSION;
    dm->dmDriverVersion = PX_DM_DRIVER_VERSION;
    dm->dmSize = PX_DM_PUBLIC_SIZE;
    dm->dmDriverExtra = PX_DM_OLD_DRIVER_EXTRA;
    dm->dmFields = PX_DM_FIELDS;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmPaperSize = 261;
    dm->dmPaperLength = 2970;
    dm->dmPaperWidth = 2100;
    dm->dmScale = 100;
    dm->dmCopies = 1;
    dm->dmDefaultSource = PX_DEFAULT_SOURCE;
    dm->dmPrintQuality = PX_DEFAULT_RESOLUTION;
    dm->dmColor = DMCOLOR_COLOR;
    dm->dmYResolution = PX_DEFAULT_RESOLUTION;
    dm->dmTTOption = DMTT_BITMAP;
    wcsncpy(dm->dmFormName, L"ISO A4", PX_DM_NAME_CHARS);
    dm->dmICMMethod = DMICMMETHOD_SYSTEM;
    dm->dmICMIntent = DMICM_CONTRAST;
    dm->dmMediaType = 257;
}

static void FillPrivateTemplate(PXDEVMODE *r)
{
    r->pdmRotated = 0;
    r->pdmSizeSeries = 0x80000002u;
    r->pdmOutputSize = PX_OUTPUT_SIZE_SAME;
    r->pdmOutputScale = 100;
    r->pdmRotation = 1;
    r->pdmMediaWidth = 13710;
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        r->pdmUserSizes[i].width = 10000;
        r->pdmUserSizes[i].length = 13610;
    }
    r->pdmMargin.id = 258;
    r->pdmPaperType.id = PX_PAPER_TYPE_STANDARD;
    r->pdmSettingIndex = 0;
    r->pdmLegacySettingCount = 0;
    r->pdmColorFlags = PX_COLOR_FLAG_CORRECTION_ON | PX_COLOR_FLAG_NIBBLE1_B |
                       PX_COLOR_FLAG_NIBBLE2_B | PX_COLOR_FLAG_AUTO_RESOLUTION;
    r->pdmInkSet = PX_CAPS_INKSET_4;
    r->pdmPrintMode = 5;
    r->pdmQualityMode.id = 14;
    r->pdmResolution = PX_DEFAULT_RESOLUTION;
    r->pdmResolutionIndex = PX_RESOLUTION_INDEX_AUTO;
    r->pdmGrayFlag = 0;
    r->pdmColorCorrection.id = 3584;
    r->pdmColorProcess = PX_PROCESS_COLOR | PX_PROCESS_GRAY_COLOR_INKS;
    r->pdmAdjustFlag = 1;
    r->pdmGamma = 10;
    r->pdmTotalInkLimit = 400;
    wcsncpy(r->pdmImageProfile, L"sRGB Color Space Profile.icm", PX_PATH_CHARS);
    r->pdmNoMirror = 1;
    r->pdmEffectSet = 0;
    r->pdmEffect = 33;
    r->pdmOverprintCount = 1;
    r->pdmPreHeaterTemp = 30;
    r->pdmPlatenHeaterTemp = 30;
    r->pdmAfterHeaterTemp = 30;
    r->pdmModelSet = 1;
    r->pdmModel = 253;
    r->pdmDotSizeSet = 1;
    r->pdmDotSize = 2;
    r->pdmDirection = 2;
    r->pdmWaveform = 3;
    r->pdmCarriageSpeed = 2;
    r->pdmCarriageWidth = 2;
    r->pdmSuctionFanSet = 1;
    r->pdmSideMargin = 5;
    r->pdmMarginMode = 1;
    r->pdmExtra2652 = 1;
    r->pdmExtra2662 = 255;
    r->pdmShowStatus = 1;
    r->pdmSettingCount[0] = 6;
    r->pdmSettingCount[1] = 2;
}

static PXDEVMODE MakeTemplate(void)
{
    PXDEVMODE record;
    memset(&record, 0, sizeof record);
    FillPublicTemplate(&record.dm);
    FillPrivateTemplate(&record);
    return record;
}

static const PXDEVMODE g_template = MakeTemplate();

const PXDEVMODE *BuiltInTemplate(void) { return &g_template; }

void CopyBuiltInTemplate(PXDEVMODE *target)
{
    memcpy(target, &g_template, sizeof *target);
}

struct PaperTypeMediaType {
    uint32_t paperTypeId;
    DWORD mediaType;
};
static const PaperTypeMediaType kMediaTypes[] = {
    {PX_PAPER_TYPE_STANDARD, 257},
    {PX_PAPER_TYPE_BANNER, 259},
    {PX_PAPER_TYPE_FILM, 258},
    {PX_PAPER_TYPE_PHOTO, 356},
};

DWORD MediaTypeForPaperType(uint32_t paperTypeId)
{
    for (const PaperTypeMediaType &entry : kMediaTypes)
        if (entry.paperTypeId == paperTypeId)
            return entry.mediaType;
    return 0;
}
