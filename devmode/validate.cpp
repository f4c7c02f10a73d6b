#include "devmode/validate.h"

#include <string.h>

#include "core/ddops.h"
#include "devmode/resolution.h"
#include "devmode/template.h"
#include "dialogs/presets.h"

namespace {

// The two records besides the target. caller is set only when it has a full
// private part.
struct Sources {
    const PXDEVMODE *caller;
    const PXDEVMODE *stored;
};

template <typename Test>
BOOL Passes(const PXDEVMODE *caller, Test test)
{
    return caller && test(*caller);
}

BOOL InRange(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

// The record a field takes its value from by the general rule, or null when
// the template's value (already in the target) stands.
const PXDEVMODE *Pick(const Sources &s, BOOL callerPasses)
{
    return s.caller && callerPasses ? s.caller : s.stored;
}

template <typename T>
void Take(PXDEVMODE *t, const Sources &s, T PXDEVMODE::*field, BOOL callerPasses)
{
    if (const PXDEVMODE *src = Pick(s, callerPasses))
        t->*field = src->*field;
}

// A value taken together with its 32-bit companion, both from one source.
template <typename T>
void TakePair(PXDEVMODE *t, const Sources &s, uint32_t PXDEVMODE::*flag, T PXDEVMODE::*value,
              BOOL callerPasses)
{
    if (const PXDEVMODE *src = Pick(s, callerPasses)) {
        t->*flag = src->*flag;
        t->*value = src->*value;
    }
}

// File names: at most 259 characters and a terminator; a value with no
// terminator within the field becomes empty.
void CopyPath(WCHAR *to, const WCHAR *from)
{
    WCHAR copy[PX_PATH_CHARS];
    memset(copy, 0, sizeof copy);
    for (int i = 0; i < PX_PATH_CHARS; i++) {
        if (!from[i]) {
            memcpy(copy, from, i * sizeof(WCHAR));
            break;
        }
    }
    memcpy(to, copy, sizeof copy);
}

// ---------------------------------------------------------------- layout

void SettleLayout(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller;
    Take(t, s, &PXDEVMODE::pdmSizeSeries,
         Passes(c, [](const PXDEVMODE &r) { return (r.pdmSizeSeries & PX_SIZE_SERIES_USER) != 0; }));
    Take(t, s, &PXDEVMODE::pdmOutputSize,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmOutputSize, 256, 373); }));
    Take(t, s, &PXDEVMODE::pdmOutputScale,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmOutputScale, 10, 1000); }));
    Take(t, s, &PXDEVMODE::pdmRotation,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmRotation, 0, 5); }));
    int16_t q = t->pdmRotation;
    t->pdmRotated = (q == 0 || q == 2 || q == 4) ? 1 : 0;
}

// Without a stored record: the width of the media whose code is the record's
// source; the last such media wins.
void MediaWidthOfSource(PXDEVMODE *t)
{
    int count = DdMediaQuery();
    for (int i = 1; i <= count; i++) {
        MediaRecord media;
        if (DdMediaEnum(i, &media) && media.code == (uint16_t)t->dm.dmDefaultSource)
            t->pdmMediaWidth = media.maxWidth;
    }
}

void SettleMediaWidth(PXDEVMODE *t, const Sources &s)
{
    if (Passes(s.caller, [](const PXDEVMODE &r) { return InRange(r.pdmMediaWidth, 2100, 13710); }))
        t->pdmMediaWidth = s.caller->pdmMediaWidth;
    else if (s.stored)
        t->pdmMediaWidth = s.stored->pdmMediaWidth;
    else
        MediaWidthOfSource(t);
}

// ---------------------------------------------------------------- data driver records

void SettleMargin(PXDEVMODE *t, const Sources &s)
{
    uint16_t source = (uint16_t)t->dm.dmDefaultSource;
    if (s.caller && DdMarginSearch((int)s.caller->pdmMargin.id, &t->pdmMargin) &&
        (t->pdmMargin.mediaMask & source))
        return;
    if (s.stored)
        DdMarginSearch((int)s.stored->pdmMargin.id, &t->pdmMargin);
    else
        ChooseMarginForSource(&t->pdmMargin, source);
}

// The caller's id when the data driver knows it, else the stored id, else the
// data driver's default entry.
template <typename Record>
void SettleRecord(Record PXDEVMODE::*field, PXDEVMODE *t, const Sources &s,
                  int (*search)(int, Record *), int (*enumerate)(int, Record *))
{
    if (s.caller && search((int)(s.caller->*field).id, &(t->*field)))
        return;
    if (s.stored)
        search((int)(s.stored->*field).id, &(t->*field));
    else
        enumerate(PX_DEFAULT_INDEX, &(t->*field));
}

// ---------------------------------------------------------------- registered settings

void SettleSettingCounts(PXDEVMODE *t, const Sources &s)
{
    if (s.caller) {
        // A nonzero legacy count that a block could hold marks a record of
        // the older layout.
        int16_t legacy = s.caller->pdmLegacySettingCount;
        if (legacy != 0 && SettingCountValid(legacy)) {
            t->pdmSettingCount[0] = legacy;
            t->pdmSettingCount[1] = 2;
        } else {
            t->pdmSettingCount[0] = s.caller->pdmSettingCount[0];
            t->pdmSettingCount[1] = s.caller->pdmSettingCount[1];
        }
    } else if (s.stored) {
        t->pdmSettingCount[0] = s.stored->pdmSettingCount[0];
        t->pdmSettingCount[1] = s.stored->pdmSettingCount[1];
    } else {
        t->pdmSettingCount[0] = PX_PRESETS_1280;
        t->pdmSettingCount[1] = PX_PRESETS_1281;
        FillBuiltInPresetNames();
    }
    // Counts from records are bounded as the store and the files bound them.
    t->pdmSettingCount[0] = BoundedSettingCount(t->pdmSettingCount[0]);
    t->pdmSettingCount[1] = BoundedSettingCount(t->pdmSettingCount[1]);
    t->pdmLegacySettingCount = 0;
}

// An index must address a slot of the store.
void SettleSettingIndex(PXDEVMODE *t, const Sources &s)
{
    if (s.caller) {
        if (SettingIndexValid(s.caller->pdmSettingIndex))
            t->pdmSettingIndex = s.caller->pdmSettingIndex;
    } else if (s.stored) {
        t->pdmSettingIndex = SettingIndexValid(s.stored->pdmSettingIndex)
                                 ? s.stored->pdmSettingIndex
                                 : (int16_t)0;
    }
}

// ---------------------------------------------------------------- colour and quality

BOOL ColorFlagsValid(uint32_t v)
{
    uint32_t correction = v & PX_COLOR_FLAG_CORRECTION_MASK;
    uint32_t nibble1 = v & PX_COLOR_FLAG_NIBBLE1_MASK, nibble2 = v & PX_COLOR_FLAG_NIBBLE2_MASK;
    return v < PX_COLOR_FLAGS_LIMIT &&
           (correction == PX_COLOR_FLAG_CORRECTION_ON || correction == PX_COLOR_FLAG_CORRECTION_OFF) &&
           (nibble1 == PX_COLOR_FLAG_NIBBLE1_A || nibble1 == PX_COLOR_FLAG_NIBBLE1_B) &&
           (nibble2 == PX_COLOR_FLAG_NIBBLE2_A || nibble2 == PX_COLOR_FLAG_NIBBLE2_B);
}

BOOL ColorProcessValid(uint32_t v)
{
    uint32_t color = v & PX_PROCESS_COLOR_MASK, mono = v & PX_PROCESS_MONO_MASK;
    uint32_t gray = v & PX_PROCESS_GRAY_MASK;
    return v < PX_PROCESS_LIMIT &&
           (color == PX_PROCESS_COLOR_ALTERNATE || color == PX_PROCESS_COLOR ||
            mono == PX_PROCESS_BLACK_WHITE || mono == PX_PROCESS_GRAY_SHADES) &&
           (gray == PX_PROCESS_PATTERN_DITHER || gray == PX_PROCESS_FAST_DIFFUSION ||
            gray == PX_PROCESS_GRAY_COLOR_INKS || gray == PX_PROCESS_GRAY_BLACK_INK);
}

void SettleInkSet(PXDEVMODE *t, const PrinterInfoRecord *info)
{
    if (info->capabilities & PX_CAPS_INKSET_4)
        t->pdmInkSet = PX_CAPS_INKSET_4;
    else if (info->capabilities & PX_CAPS_INKSET_1)
        t->pdmInkSet = PX_CAPS_INKSET_1;
    else if (info->capabilities & PX_CAPS_INKSET_2)
        t->pdmInkSet = PX_CAPS_INKSET_2;
}

void SettleColorAndQuality(PXDEVMODE *t, const Sources &s, const PrinterInfoRecord *info)
{
    const PXDEVMODE *c = s.caller;
    Take(t, s, &PXDEVMODE::pdmColorFlags,
         Passes(c, [](const PXDEVMODE &r) { return ColorFlagsValid(r.pdmColorFlags); }));
    SettleInkSet(t, info);
    Take(t, s, &PXDEVMODE::pdmPrintMode, Passes(c, [](const PXDEVMODE &r) {
             return InRange(r.pdmPrintMode, 0, PX_PRINT_MODE_COUNT - 1);
         }));
    SettleRecord(&PXDEVMODE::pdmQualityMode, t, s, DdQltModeSearch, DdQltModeEnum);
    t->pdmResolution = EngineResolution(t->pdmQualityMode.id);
    Take(t, s, &PXDEVMODE::pdmResolutionIndex, Passes(c, [](const PXDEVMODE &r) {
             return InRange(r.pdmResolutionIndex, 0, PX_RESOLUTION_INDEX_AUTO);
         }));
    // The automatic-resolution flag follows the resolution choice.
    if (t->pdmResolutionIndex == PX_RESOLUTION_INDEX_AUTO)
        t->pdmColorFlags |= PX_COLOR_FLAG_AUTO_RESOLUTION;
    else
        t->pdmColorFlags &= ~PX_COLOR_FLAG_AUTO_RESOLUTION;
    Take(t, s, &PXDEVMODE::pdmGrayFlag, TRUE);
    SettleRecord(&PXDEVMODE::pdmColorCorrection, t, s, DdCCRmSearch, DdCCRmEnum);
    Take(t, s, &PXDEVMODE::pdmColorProcess,
         Passes(c, [](const PXDEVMODE &r) { return ColorProcessValid(r.pdmColorProcess); }));
}

BOOL Adjustment(int16_t v) { return InRange(v, -50, 50); }

void SettleAdjustments(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller;
    if (const PXDEVMODE *src = Pick(s, TRUE)) {
        memcpy(t->pdmInkAmount, src->pdmInkAmount, sizeof t->pdmInkAmount);
        t->pdmAdjustFlag = src->pdmAdjustFlag;
    }
    Take(t, s, &PXDEVMODE::pdmGamma,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmGamma, 1, 22); }));
    Take(t, s, &PXDEVMODE::pdmBrightness,
         Passes(c, [](const PXDEVMODE &r) { return Adjustment(r.pdmBrightness); }));
    Take(t, s, &PXDEVMODE::pdmSaturation,
         Passes(c, [](const PXDEVMODE &r) { return Adjustment(r.pdmSaturation); }));
    Take(t, s, &PXDEVMODE::pdmContrast,
         Passes(c, [](const PXDEVMODE &r) { return Adjustment(r.pdmContrast); }));
    BOOL balance = Passes(c, [](const PXDEVMODE &r) {
        return Adjustment(r.pdmBalanceCyanRed) && Adjustment(r.pdmBalanceMagentaGreen) &&
               Adjustment(r.pdmBalanceYellowBlue);
    });
    Take(t, s, &PXDEVMODE::pdmBalanceCyanRed, balance);
    Take(t, s, &PXDEVMODE::pdmBalanceMagentaGreen, balance);
    Take(t, s, &PXDEVMODE::pdmBalanceYellowBlue, balance);
    Take(t, s, &PXDEVMODE::pdmTotalInkLimit,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmTotalInkLimit, 1, 400); }));
    if (const PXDEVMODE *src = Pick(s, TRUE)) {
        CopyPath(t->pdmImageProfile, src->pdmImageProfile);
        CopyPath(t->pdmPrinterProfile, src->pdmPrinterProfile);
    }
}

// ---------------------------------------------------------------- printer settings

BOOL HeaterTemp(uint16_t v) { return v == 0 || InRange(v, 30, 50); }

void SettleOutputOptions(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller;
    Take(t, s, &PXDEVMODE::pdmNoMirror, TRUE);
    TakePair(t, s, &PXDEVMODE::pdmEffectSet, &PXDEVMODE::pdmEffect,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmEffect, 0, 33); }));
    TakePair(t, s, &PXDEVMODE::pdmOverprintOn, &PXDEVMODE::pdmOverprintCount,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmOverprintCount, 1, 9); }));
    TakePair(t, s, &PXDEVMODE::pdmOverprintWaitOn, &PXDEVMODE::pdmOverprintWait,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmOverprintWait, 0, 50); }));
    TakePair(t, s, &PXDEVMODE::pdmPreHeaterOn, &PXDEVMODE::pdmPreHeaterTemp,
             Passes(c, [](const PXDEVMODE &r) { return HeaterTemp(r.pdmPreHeaterTemp); }));
    TakePair(t, s, &PXDEVMODE::pdmPlatenHeaterOn, &PXDEVMODE::pdmPlatenHeaterTemp,
             Passes(c, [](const PXDEVMODE &r) { return HeaterTemp(r.pdmPlatenHeaterTemp); }));
    TakePair(t, s, &PXDEVMODE::pdmAfterHeaterOn, &PXDEVMODE::pdmAfterHeaterTemp,
             Passes(c, [](const PXDEVMODE &r) { return HeaterTemp(r.pdmAfterHeaterTemp); }));
    Take(t, s, &PXDEVMODE::pdmOnTheFly, TRUE);
    Take(t, s, &PXDEVMODE::pdmLengthUnit,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmLengthUnit, 0, 1); }));
    Take(t, s, &PXDEVMODE::pdmTempUnit,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmTempUnit, 0, 1); }));
    TakePair(t, s, &PXDEVMODE::pdmModelSet, &PXDEVMODE::pdmModel,
             Passes(c, [](const PXDEVMODE &r) { return r.pdmModel == 105 || r.pdmModel == 253; }));
}

// Print-mode parameters: without a stored record a failed test takes the
// print mode's own value and leaves the template's companion.
void SettleModeParameter(PXDEVMODE *t, const Sources &s, uint32_t PXDEVMODE::*flag,
                         uint16_t PXDEVMODE::*value, BOOL callerPasses,
                         uint16_t PrintModeRow::*column)
{
    if (Pick(s, callerPasses))
        TakePair(t, s, flag, value, callerPasses);
    else if (const PrintModeRow *row = PrintModeRowFor(t->pdmPaperType.id, t->pdmPrintMode))
        t->*value = row->*column;
}

void SettleModeParameters(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller;
    SettleModeParameter(t, s, &PXDEVMODE::pdmDotSizeSet, &PXDEVMODE::pdmDotSize,
                        Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmDotSize, 2, 5); }),
                        &PrintModeRow::dotSize);
    SettleModeParameter(t, s, &PXDEVMODE::pdmDirectionSet, &PXDEVMODE::pdmDirection,
                        Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmDirection, 1, 2); }),
                        &PrintModeRow::direction);
    SettleModeParameter(t, s, &PXDEVMODE::pdmWaveformSet, &PXDEVMODE::pdmWaveform,
                        Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmWaveform, 1, 4); }),
                        &PrintModeRow::waveform);
    SettleModeParameter(
        t, s, &PXDEVMODE::pdmCarriageSpeedSet, &PXDEVMODE::pdmCarriageSpeed,
        Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmCarriageSpeed, 1, 2); }),
        &PrintModeRow::carriageSpeed);
}

void SettleMachineSettings(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller;
    TakePair(t, s, &PXDEVMODE::pdmCarriageWidthSet, &PXDEVMODE::pdmCarriageWidth,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmCarriageWidth, 0, 2); }));
    TakePair(t, s, &PXDEVMODE::pdmMediaCutSet, &PXDEVMODE::pdmMediaCut,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmMediaCut, 0, 4); }));
    TakePair(t, s, &PXDEVMODE::pdmSuctionFanSet, &PXDEVMODE::pdmSuctionFan,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmSuctionFan, 0, 2); }));
    TakePair(t, s, &PXDEVMODE::pdmSideMarginSet, &PXDEVMODE::pdmSideMargin,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmSideMargin, 5, 25); }));
    TakePair(t, s, &PXDEVMODE::pdmDryTimeSet, &PXDEVMODE::pdmDryTime,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmDryTime, 0, 3600); }));
    TakePair(t, s, &PXDEVMODE::pdmFeedAdjustSet, &PXDEVMODE::pdmFeedAdjust,
             Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmFeedAdjust, -500, 500); }));
}

// ---------------------------------------------------------------- carried fields

// In-process fields hold a handle and an address: pointer-sized, the high
// half (x64) in the reserved word after each.
void CopyInProcessValue(uint32_t *to, const uint32_t *from)
{
    memcpy(to, from, sizeof(void *));
}

BOOL WindowsBefore6(void)
{
    OSVERSIONINFOW version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwMajorVersion < 6;
}

void SettleCarriedFields(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *c = s.caller, *src = Pick(s, TRUE);
    if (src) {
        t->pdmColorTableSet = src->pdmColorTableSet;
        CopyPath(t->pdmColorTable, src->pdmColorTable);
        t->pdmExtraByte = src->pdmExtraByte;
        t->pdmMarginMode = src->pdmMarginMode;
    }
    Take(t, s, &PXDEVMODE::pdmExtraLevel,
         Passes(c, [](const PXDEVMODE &r) { return InRange(r.pdmExtraLevel, 0, 100); }));
    if (!src) {
        t->pdmShowStatus = WindowsBefore6() ? 1 : 0;
        return;
    }
    t->pdmExtra2652 = src->pdmExtra2652;
    t->pdmExtra2656 = src->pdmExtra2656;
    t->pdmExtra2660 = src->pdmExtra2660;
    t->pdmExtra2662 = src->pdmExtra2662;
    CopyInProcessValue(&t->pdmSettingStoreHandle, &src->pdmSettingStoreHandle);
    CopyInProcessValue(&t->pdmSettingStore, &src->pdmSettingStore);
    t->pdmShowStatus = src->pdmShowStatus;
    t->pdmCropMarks = src->pdmCropMarks;
}

}  // namespace

void ChooseMarginForSource(MarginRecord *margin, uint16_t source)
{
    int count = DdMarginQuery();
    DdMarginEnum(PX_DEFAULT_INDEX, margin);
    if (margin->mediaMask & source)
        return;
    uint32_t group = margin->group;
    for (int i = 1; i <= count; i++) {
        DdMarginEnum(i, margin);
        if ((margin->mediaMask & source) && margin->group == group)
            return;
    }
}

// The order matters: later tests read fields settled before them (the media
// source, the paper type, the print mode).
BOOL ValidatePrivatePart(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                         const PrinterInfoRecord *info)
{
    Sources s = {FullCaller(caller), stored};
    SettleLayout(target, s);
    SettleMediaWidth(target, s);
    SettleMargin(target, s);
    SettleRecord(&PXDEVMODE::pdmPaperType, target, s, DdPtypeSearch, DdPtypeEnum);
    SettleSettingCounts(target, s);
    SettleSettingIndex(target, s);
    SettleColorAndQuality(target, s, info);
    SettleAdjustments(target, s);
    SettleOutputOptions(target, s);
    SettleModeParameters(target, s);
    SettleMachineSettings(target, s);
    SettleCarriedFields(target, s);
    return TRUE;
}
