// The driver's settings record: a public DEVMODEW followed by the private
// part. The byte layout is exchanged with the spooler and applications and
// read back by later versions, so every offset is pinned below.
#pragma once

#include "core/ddrecords.h"

#define PX_DM_SPEC_VERSION 0x401
#define PX_DM_DRIVER_VERSION 0x102
#define PX_DM_PUBLIC_SIZE 220
#define PX_DM_DRIVER_EXTRA 3940
#define PX_DM_OLD_DRIVER_EXTRA 3936  // older records: still a full private part
#define PX_DM_TOTAL_SIZE 4160
#define PX_DM_PRIVATE_OFFSET 224
#define PX_DM_NAME_CHARS 32
#define PX_PATH_CHARS 260
#define PX_USER_SIZE_COUNT 6
#define PX_INK_COUNT 4

// pdmColorFlags. Bits 4-7 and 8-11 are carried from the defaults: no part of
// this driver changes them, validation only accepts their two values.
#define PX_COLOR_FLAG_CORRECTION_MASK 0xFu  // bits 0-3
#define PX_COLOR_FLAG_CORRECTION_ON 0x1u    // the print setting applies its colour correction
#define PX_COLOR_FLAG_CORRECTION_OFF 0x2u
#define PX_COLOR_FLAG_NIBBLE1_MASK 0xF0u    // bits 4-7
#define PX_COLOR_FLAG_NIBBLE1_A 0x10u
#define PX_COLOR_FLAG_NIBBLE1_B 0x40u       // the default
#define PX_COLOR_FLAG_NIBBLE2_MASK 0xF00u   // bits 8-11
#define PX_COLOR_FLAG_NIBBLE2_A 0x100u
#define PX_COLOR_FLAG_NIBBLE2_B 0x200u      // the default
#define PX_COLOR_FLAG_SETTING_APPLIED 0x1000u
#define PX_COLOR_FLAG_AUTO_RESOLUTION 0x2000u  // exactly when pdmResolutionIndex is 11
#define PX_COLOR_FLAGS_LIMIT 0x8000u        // valid flags lie below

// pdmColorProcess: bits 0-7 the colour mode, bits 8-15 the grey rendering.
#define PX_PROCESS_MODE_MASK 0xFFu
#define PX_PROCESS_COLOR_MASK 0xFu          // bits 0-3
#define PX_PROCESS_COLOR_ALTERNATE 0x1u     // accepted from records; never written
#define PX_PROCESS_COLOR 0x2u               // also grey printed with the colour inks
#define PX_PROCESS_MONO_MASK 0xF0u          // bits 4-7
#define PX_PROCESS_BLACK_WHITE 0x10u
#define PX_PROCESS_GRAY_SHADES 0x20u
#define PX_PROCESS_GRAY_MASK 0xFF00u
#define PX_PROCESS_PATTERN_DITHER 0x100u
#define PX_PROCESS_FAST_DIFFUSION 0x200u
#define PX_PROCESS_GRAY_COLOR_INKS 0x1000u
#define PX_PROCESS_GRAY_BLACK_INK 0x2000u
#define PX_PROCESS_LIMIT 0x10000u           // valid values lie below

struct PxUserSize {
    int32_t width;
    int32_t length;
};

struct PXDEVMODE {
    DEVMODEW dm;
    uint32_t reserved220;
    // private part
    uint32_t pdmRotated;
    uint32_t pdmSizeSeries;
    int16_t pdmOutputSize;
    uint16_t reserved234;
    int32_t pdmOutputScale;
    int16_t pdmRotation;
    uint16_t reserved242;
    int32_t pdmMediaWidth;
    PxUserSize pdmUserSizes[PX_USER_SIZE_COUNT];
    MarginRecord pdmMargin;
    PaperTypeRecord pdmPaperType;
    int16_t pdmSettingIndex;
    int16_t pdmLegacySettingCount;
    uint32_t pdmColorFlags;
    uint32_t pdmInkSet;
    int16_t pdmPrintMode;
    uint16_t reserved598;
    QualityModeRecord pdmQualityMode;
    int16_t pdmResolution;
    int16_t pdmResolutionIndex;
    uint32_t pdmGrayFlag;
    ColorCorrectionRecord pdmColorCorrection;
    uint32_t pdmColorProcess;
    int16_t pdmInkAmount[PX_INK_COUNT];
    uint32_t pdmAdjustFlag;
    int16_t pdmGamma;
    int16_t pdmBrightness;
    int16_t pdmSaturation;
    int16_t pdmContrast;
    int16_t pdmBalanceCyanRed;
    int16_t pdmBalanceMagentaGreen;
    int16_t pdmBalanceYellowBlue;
    uint16_t reserved922;
    int16_t pdmTotalInkLimit;
    WCHAR pdmImageProfile[PX_PATH_CHARS];
    WCHAR pdmPrinterProfile[PX_PATH_CHARS];
    uint16_t reserved1966;
    uint32_t pdmNoMirror;
    uint32_t pdmEffectSet;
    int16_t pdmEffect;
    uint16_t reserved1978;
    uint32_t pdmOverprintOn;
    uint16_t pdmOverprintCount;
    uint16_t reserved1986;
    uint32_t pdmOverprintWaitOn;
    uint16_t pdmOverprintWait;
    uint16_t reserved1994;
    uint32_t pdmPreHeaterOn;
    uint16_t pdmPreHeaterTemp;
    uint16_t reserved2002;
    uint32_t pdmPlatenHeaterOn;
    uint16_t pdmPlatenHeaterTemp;
    uint16_t reserved2010;
    uint32_t pdmAfterHeaterOn;
    uint16_t pdmAfterHeaterTemp;
    uint16_t reserved2018;
    uint32_t pdmOnTheFly;
    int16_t pdmLengthUnit;
    int16_t pdmTempUnit;
    uint32_t pdmModelSet;
    uint16_t pdmModel;
    uint16_t reserved2034;
    uint32_t pdmDotSizeSet;
    uint16_t pdmDotSize;
    uint16_t reserved2042;
    uint32_t pdmDirectionSet;
    uint16_t pdmDirection;
    uint16_t reserved2050;
    uint32_t pdmWaveformSet;
    uint16_t pdmWaveform;
    uint16_t reserved2058;
    uint32_t pdmCarriageSpeedSet;
    uint16_t pdmCarriageSpeed;
    uint16_t reserved2066;
    uint32_t pdmCarriageWidthSet;
    uint16_t pdmCarriageWidth;
    uint16_t reserved2074;
    uint32_t pdmMediaCutSet;
    uint16_t pdmMediaCut;
    uint16_t reserved2082;
    uint32_t pdmSuctionFanSet;
    uint16_t pdmSuctionFan;
    uint16_t reserved2090;
    uint32_t pdmSideMarginSet;
    uint16_t pdmSideMargin;
    uint16_t reserved2098;
    uint32_t pdmDryTimeSet;
    uint16_t pdmDryTime;
    uint16_t reserved2106;
    uint32_t pdmFeedAdjustSet;
    int16_t pdmFeedAdjust;
    uint16_t reserved2114;
    uint32_t pdmColorTableSet;
    WCHAR pdmColorTable[PX_PATH_CHARS];
    uint8_t pdmExtraByte;
    uint8_t reserved2641[3];
    uint32_t pdmMarginMode;
    int32_t pdmExtraLevel;
    uint32_t pdmExtra2652;
    uint32_t pdmExtra2656;
    int16_t pdmExtra2660;
    int16_t pdmExtra2662;
    uint8_t reserved2664[144];
    // In-process only. On x64 the reserved word after each holds the high
    // half of the 64-bit value.
    uint32_t pdmSettingStoreHandle;
    uint32_t reserved2812;
    uint32_t pdmSettingStore;
    uint32_t reserved2820;
    uint32_t pdmShowStatus;
    uint32_t pdmCropMarks;
    int16_t pdmSettingCount[2];      // paper type 1280, then 1281
    uint8_t reserved2836[1324];
};

#define PX_CHECK_OFFSET(field, off) static_assert(offsetof(PXDEVMODE, field) == (off), #field)
static_assert(sizeof(DEVMODEW) == 220, "public part");
static_assert(sizeof(PXDEVMODE) == PX_DM_TOTAL_SIZE, "device mode record");
PX_CHECK_OFFSET(dm.dmFields, 72);
PX_CHECK_OFFSET(dm.dmPaperSize, 78);
PX_CHECK_OFFSET(dm.dmDefaultSource, 88);
PX_CHECK_OFFSET(dm.dmColor, 92);
PX_CHECK_OFFSET(dm.dmYResolution, 96);
PX_CHECK_OFFSET(dm.dmFormName, 102);
PX_CHECK_OFFSET(dm.dmICMMethod, 188);
PX_CHECK_OFFSET(dm.dmMediaType, 196);
PX_CHECK_OFFSET(reserved220, 220);
PX_CHECK_OFFSET(pdmRotated, 224);
PX_CHECK_OFFSET(pdmSizeSeries, 228);
PX_CHECK_OFFSET(pdmOutputSize, 232);
PX_CHECK_OFFSET(reserved234, 234);
PX_CHECK_OFFSET(pdmOutputScale, 236);
PX_CHECK_OFFSET(pdmRotation, 240);
PX_CHECK_OFFSET(reserved242, 242);
PX_CHECK_OFFSET(pdmMediaWidth, 244);
PX_CHECK_OFFSET(pdmUserSizes, 248);
PX_CHECK_OFFSET(pdmMargin, 296);
PX_CHECK_OFFSET(pdmPaperType, 444);
PX_CHECK_OFFSET(pdmSettingIndex, 584);
PX_CHECK_OFFSET(pdmLegacySettingCount, 586);
PX_CHECK_OFFSET(pdmColorFlags, 588);
PX_CHECK_OFFSET(pdmInkSet, 592);
PX_CHECK_OFFSET(pdmPrintMode, 596);
PX_CHECK_OFFSET(reserved598, 598);
PX_CHECK_OFFSET(pdmQualityMode, 600);
PX_CHECK_OFFSET(pdmResolution, 744);
PX_CHECK_OFFSET(pdmResolutionIndex, 746);
PX_CHECK_OFFSET(pdmGrayFlag, 748);
PX_CHECK_OFFSET(pdmColorCorrection, 752);
PX_CHECK_OFFSET(pdmColorProcess, 892);
PX_CHECK_OFFSET(pdmInkAmount, 896);
PX_CHECK_OFFSET(pdmAdjustFlag, 904);
PX_CHECK_OFFSET(pdmGamma, 908);
PX_CHECK_OFFSET(pdmBrightness, 910);
PX_CHECK_OFFSET(pdmSaturation, 912);
PX_CHECK_OFFSET(pdmContrast, 914);
PX_CHECK_OFFSET(pdmBalanceCyanRed, 916);
PX_CHECK_OFFSET(pdmBalanceMagentaGreen, 918);
PX_CHECK_OFFSET(pdmBalanceYellowBlue, 920);
PX_CHECK_OFFSET(reserved922, 922);
PX_CHECK_OFFSET(pdmTotalInkLimit, 924);
PX_CHECK_OFFSET(pdmImageProfile, 926);
PX_CHECK_OFFSET(pdmPrinterProfile, 1446);
PX_CHECK_OFFSET(reserved1966, 1966);
PX_CHECK_OFFSET(pdmNoMirror, 1968);
PX_CHECK_OFFSET(pdmEffectSet, 1972);
PX_CHECK_OFFSET(pdmEffect, 1976);
PX_CHECK_OFFSET(pdmOverprintOn, 1980);
PX_CHECK_OFFSET(pdmOverprintCount, 1984);
PX_CHECK_OFFSET(pdmOverprintWaitOn, 1988);
PX_CHECK_OFFSET(pdmOverprintWait, 1992);
PX_CHECK_OFFSET(pdmPreHeaterOn, 1996);
PX_CHECK_OFFSET(pdmPreHeaterTemp, 2000);
PX_CHECK_OFFSET(pdmPlatenHeaterOn, 2004);
PX_CHECK_OFFSET(pdmPlatenHeaterTemp, 2008);
PX_CHECK_OFFSET(pdmAfterHeaterOn, 2012);
PX_CHECK_OFFSET(pdmAfterHeaterTemp, 2016);
PX_CHECK_OFFSET(pdmOnTheFly, 2020);
PX_CHECK_OFFSET(pdmLengthUnit, 2024);
PX_CHECK_OFFSET(pdmTempUnit, 2026);
PX_CHECK_OFFSET(pdmModelSet, 2028);
PX_CHECK_OFFSET(pdmModel, 2032);
PX_CHECK_OFFSET(pdmDotSizeSet, 2036);
PX_CHECK_OFFSET(pdmDotSize, 2040);
PX_CHECK_OFFSET(pdmDirectionSet, 2044);
PX_CHECK_OFFSET(pdmDirection, 2048);
PX_CHECK_OFFSET(pdmWaveformSet, 2052);
PX_CHECK_OFFSET(pdmWaveform, 2056);
PX_CHECK_OFFSET(pdmCarriageSpeedSet, 2060);
PX_CHECK_OFFSET(pdmCarriageSpeed, 2064);
PX_CHECK_OFFSET(pdmCarriageWidthSet, 2068);
PX_CHECK_OFFSET(pdmCarriageWidth, 2072);
PX_CHECK_OFFSET(pdmMediaCutSet, 2076);
PX_CHECK_OFFSET(pdmMediaCut, 2080);
PX_CHECK_OFFSET(pdmSuctionFanSet, 2084);
PX_CHECK_OFFSET(pdmSuctionFan, 2088);
PX_CHECK_OFFSET(pdmSideMarginSet, 2092);
PX_CHECK_OFFSET(pdmSideMargin, 2096);
PX_CHECK_OFFSET(pdmDryTimeSet, 2100);
PX_CHECK_OFFSET(pdmDryTime, 2104);
PX_CHECK_OFFSET(pdmFeedAdjustSet, 2108);
PX_CHECK_OFFSET(pdmFeedAdjust, 2112);
PX_CHECK_OFFSET(pdmColorTableSet, 2116);
PX_CHECK_OFFSET(pdmColorTable, 2120);
PX_CHECK_OFFSET(pdmExtraByte, 2640);
PX_CHECK_OFFSET(pdmMarginMode, 2644);
PX_CHECK_OFFSET(pdmExtraLevel, 2648);
PX_CHECK_OFFSET(pdmExtra2652, 2652);
PX_CHECK_OFFSET(pdmExtra2656, 2656);
PX_CHECK_OFFSET(pdmExtra2660, 2660);
PX_CHECK_OFFSET(pdmExtra2662, 2662);
PX_CHECK_OFFSET(reserved2664, 2664);
PX_CHECK_OFFSET(pdmSettingStoreHandle, 2808);
PX_CHECK_OFFSET(reserved2812, 2812);
PX_CHECK_OFFSET(pdmSettingStore, 2816);
PX_CHECK_OFFSET(reserved2820, 2820);
PX_CHECK_OFFSET(pdmShowStatus, 2824);
PX_CHECK_OFFSET(pdmCropMarks, 2828);
PX_CHECK_OFFSET(pdmSettingCount, 2832);
PX_CHECK_OFFSET(reserved2836, 2836);
#undef PX_CHECK_OFFSET
