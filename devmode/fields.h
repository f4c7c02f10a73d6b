// The device-mode fields in one table: where each lies, its companion
// dmFields bit, the test a value from outside must pass, how the validation
// settles it, where the settings parameter file keeps it and which field of
// a print setting record it corresponds to. The validation, the parameter
// file, the print-setting apply and capture and pxhost's printing all read
// this one list instead of writing out their own.
#pragma once

#include <type_traits>

#include "devmode/devmode.h"
#include "devmode/template.h"

// The list, in record order. Columns:
//   id      field name (also the name tools print)
//   path    member of PXDEVMODE
//   show    DEC or HEX (bit masks and codes are easier to read in hex)
//   bit     companion dmFields bit, 0 for none
//   test    what a value from outside must pass: ANY, RANGE (low to high),
//           RANGE_OR_ZERO (0, or low to high), EITHER (low or high), BITS (a
//           bit pattern of the field's own, FieldBitsValid)
//   low, high  the bounds of the test
//   settle  how the validation of the private part settles the field:
//           OTHER   not the private validation's (public merge, paper merge)
//           GENERAL caller's value when it passes, else stored, else template
//           FLAG    the 32-bit companion of the field after it
//           PAIR    as GENERAL, taken together with its FLAG
//           MODE    as PAIR; without a stored record a failing value takes
//                   print-mode table column `column`
//           GROUP   as GENERAL, the adjacent GROUP fields tested and taken
//                   together
//           OWN     a step of its own in the validation
//           DERIVED set by the step of another field or after all others
//   column  print-mode table column of a MODE field, else 0
//   param   NO_PARAM, or PARAM(body member, SAME | WIDE | PATH | ID): the
//           same bytes, a 16-bit value widened to 32 bits by the field's
//           own signedness, a file name, the 32-bit id of a record
//   setting NO_SETTING, or SETTING(print setting member, COPY | PATH |
//           CAPTURE): copied both ways, a file name both ways, captured only
//           (the apply has a step of its own)
#define PX_DEVMODE_FIELDS(X)                                                                        \
    X(dmDeviceName, dm.dmDeviceName, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)             \
    X(dmSpecVersion, dm.dmSpecVersion, HEX, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)           \
    X(dmDriverVersion, dm.dmDriverVersion, HEX, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)       \
    X(dmSize, dm.dmSize, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)                         \
    X(dmDriverExtra, dm.dmDriverExtra, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)           \
    X(dmFields, dm.dmFields, HEX, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)                     \
    X(dmOrientation, dm.dmOrientation, DEC, DM_ORIENTATION, RANGE, 1, 2, OTHER, 0,                  \
      PARAM(dmOrientation, WIDE), NO_SETTING)                                                       \
    X(dmPaperSize, dm.dmPaperSize, DEC, DM_PAPERSIZE, ANY, 0, 0, OTHER, 0,                          \
      PARAM(dmPaperSize, WIDE), NO_SETTING)                                                         \
    X(dmPaperLength, dm.dmPaperLength, DEC, DM_PAPERLENGTH, ANY, 0, 0, OTHER, 0, NO_PARAM,          \
      NO_SETTING)                                                                                   \
    X(dmPaperWidth, dm.dmPaperWidth, DEC, DM_PAPERWIDTH, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING) \
    X(dmScale, dm.dmScale, DEC, DM_SCALE, RANGE, 10, 1000, OTHER, 0, NO_PARAM, NO_SETTING)          \
    X(dmCopies, dm.dmCopies, DEC, DM_COPIES, ANY, 0, 0, OTHER, 0, PARAM(dmCopies, WIDE),            \
      NO_SETTING)                                                                                   \
    X(dmDefaultSource, dm.dmDefaultSource, HEX, DM_DEFAULTSOURCE, ANY, 0, 0, OTHER, 0,              \
      PARAM(dmDefaultSource, WIDE), NO_SETTING)                                                     \
    X(dmPrintQuality, dm.dmPrintQuality, DEC, DM_PRINTQUALITY, ANY, 0, 0, OTHER, 0, NO_PARAM,       \
      NO_SETTING)                                                                                   \
    X(dmColor, dm.dmColor, DEC, DM_COLOR, RANGE, 1, 2, OTHER, 0, PARAM(dmColor, WIDE), NO_SETTING)  \
    X(dmDuplex, dm.dmDuplex, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)                     \
    X(dmYResolution, dm.dmYResolution, DEC, DM_YRESOLUTION, ANY, 0, 0, OTHER, 0, NO_PARAM,          \
      NO_SETTING)                                                                                   \
    X(dmTTOption, dm.dmTTOption, DEC, DM_TTOPTION, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)       \
    X(dmCollate, dm.dmCollate, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)                   \
    X(dmFormName, dm.dmFormName, DEC, DM_FORMNAME, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)       \
    X(dmLogPixels, dm.dmLogPixels, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)               \
    X(dmBitsPerPel, dm.dmBitsPerPel, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)             \
    X(dmPelsWidth, dm.dmPelsWidth, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)               \
    X(dmPelsHeight, dm.dmPelsHeight, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)             \
    X(dmNup, dm.dmNup, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)                           \
    X(dmDisplayFrequency, dm.dmDisplayFrequency, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING) \
    X(dmICMMethod, dm.dmICMMethod, DEC, DM_ICMMETHOD, RANGE, 1, 2, OTHER, 0,                        \
      PARAM(dmICMMethod, SAME), NO_SETTING)                                                         \
    X(dmICMIntent, dm.dmICMIntent, DEC, DM_ICMINTENT, RANGE, 1, 4, OTHER, 0, NO_PARAM, NO_SETTING)  \
    X(dmMediaType, dm.dmMediaType, DEC, DM_MEDIATYPE, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)    \
    X(dmDitherType, dm.dmDitherType, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)             \
    X(dmReserved1, dm.dmReserved1, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)               \
    X(dmReserved2, dm.dmReserved2, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)               \
    X(dmPanningWidth, dm.dmPanningWidth, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)         \
    X(dmPanningHeight, dm.dmPanningHeight, DEC, 0, ANY, 0, 0, OTHER, 0, NO_PARAM, NO_SETTING)       \
    X(pdmRotated, pdmRotated, DEC, 0, ANY, 0, 0, DERIVED, 0, NO_PARAM, NO_SETTING)                  \
    X(pdmSizeSeries, pdmSizeSeries, HEX, 0, BITS, 0, 0, GENERAL, 0, PARAM(pdmSizeSeries, SAME),     \
      NO_SETTING)                                                                                   \
    X(pdmOutputSize, pdmOutputSize, DEC, 0, RANGE, 256, 373, GENERAL, 0,                            \
      PARAM(pdmOutputSize, WIDE), NO_SETTING)                                                       \
    X(pdmOutputScale, pdmOutputScale, DEC, 0, RANGE, 10, 1000, GENERAL, 0,                          \
      PARAM(pdmOutputScale, SAME), NO_SETTING)                                                      \
    X(pdmRotation, pdmRotation, DEC, 0, RANGE, 0, 5, GENERAL, 0, PARAM(pdmRotation, WIDE),          \
      NO_SETTING)                                                                                   \
    X(pdmMediaWidth, pdmMediaWidth, DEC, 0, RANGE, 2100, 13710, OWN, 0,                             \
      PARAM(pdmMediaWidth, SAME), NO_SETTING)                                                       \
    X(pdmUserSizes, pdmUserSizes, DEC, 0, ANY, 0, 0, OTHER, 0, PARAM(pdmUserSizes, SAME),           \
      NO_SETTING)                                                                                   \
    X(pdmMargin, pdmMargin, DEC, 0, ANY, 0, 0, OWN, 0, PARAM(marginId, ID), NO_SETTING)             \
    X(pdmPaperType, pdmPaperType, DEC, 0, ANY, 0, 0, OWN, 0, PARAM(paperTypeId, ID), NO_SETTING)    \
    X(pdmSettingIndex, pdmSettingIndex, DEC, 0, RANGE, PX_SETTING_INDEX_CURRENT,                    \
      PX_SETTING_MAX_COUNT, OWN, 0, PARAM(pdmSettingIndex, WIDE), NO_SETTING)                       \
    X(pdmLegacySettingCount, pdmLegacySettingCount, DEC, 0, ANY, 0, 0, DERIVED, 0, NO_PARAM,        \
      NO_SETTING)                                                                                   \
    X(pdmColorFlags, pdmColorFlags, HEX, 0, BITS, 0, 0, GENERAL, 0, PARAM(pdmColorFlags, SAME),     \
      NO_SETTING)                                                                                   \
    X(pdmInkSet, pdmInkSet, HEX, 0, ANY, 0, 0, OWN, 0, NO_PARAM, NO_SETTING)                        \
    X(pdmPrintMode, pdmPrintMode, DEC, 0, RANGE, 0, PX_PRINT_MODE_COUNT - 1, GENERAL, 0,            \
      PARAM(pdmPrintMode, WIDE), SETTING(printMode, CAPTURE))                                       \
    X(pdmQualityMode, pdmQualityMode, DEC, 0, ANY, 0, 0, OWN, 0, NO_PARAM, NO_SETTING)              \
    X(pdmResolution, pdmResolution, DEC, 0, ANY, 0, 0, DERIVED, 0, NO_PARAM, NO_SETTING)            \
    X(pdmResolutionIndex, pdmResolutionIndex, DEC, 0, RANGE, 0, PX_RESOLUTION_INDEX_AUTO, GENERAL,  \
      0, PARAM(pdmResolutionIndex, WIDE), SETTING(dataResolution, COPY))                            \
    X(pdmGrayFlag, pdmGrayFlag, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmGrayFlag, SAME),            \
      NO_SETTING)                                                                                   \
    X(pdmColorCorrection, pdmColorCorrection, DEC, 0, ANY, 0, 0, OWN, 0,                            \
      PARAM(colorCorrectionId, ID), NO_SETTING)                                                     \
    X(pdmColorProcess, pdmColorProcess, HEX, 0, BITS, 0, 0, GENERAL, 0,                             \
      PARAM(pdmColorProcess, SAME), NO_SETTING)                                                     \
    X(pdmInkAmount, pdmInkAmount, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, SETTING(blackInk, COPY)) \
    X(pdmAdjustFlag, pdmAdjustFlag, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmAdjustFlag, SAME),      \
      NO_SETTING)                                                                                   \
    X(pdmGamma, pdmGamma, DEC, 0, RANGE, 1, 22, GENERAL, 0, PARAM(pdmGamma, SAME),                  \
      SETTING(gamma, COPY))                                                                         \
    X(pdmBrightness, pdmBrightness, DEC, 0, RANGE, -50, 50, GENERAL, 0,                             \
      PARAM(pdmBrightness, SAME), SETTING(brightness, COPY))                                        \
    X(pdmSaturation, pdmSaturation, DEC, 0, RANGE, -50, 50, GENERAL, 0,                             \
      PARAM(pdmSaturation, SAME), SETTING(saturation, COPY))                                        \
    X(pdmContrast, pdmContrast, DEC, 0, RANGE, -50, 50, GENERAL, 0, PARAM(pdmContrast, SAME),       \
      SETTING(contrast, COPY))                                                                      \
    X(pdmBalanceCyanRed, pdmBalanceCyanRed, DEC, 0, RANGE, -50, 50, GROUP, 0,                       \
      PARAM(pdmBalanceCyanRed, SAME), SETTING(cyanRed, COPY))                                       \
    X(pdmBalanceMagentaGreen, pdmBalanceMagentaGreen, DEC, 0, RANGE, -50, 50, GROUP, 0,             \
      PARAM(pdmBalanceMagentaGreen, SAME), SETTING(magentaGreen, COPY))                             \
    X(pdmBalanceYellowBlue, pdmBalanceYellowBlue, DEC, 0, RANGE, -50, 50, GROUP, 0,                 \
      PARAM(pdmBalanceYellowBlue, SAME), SETTING(yellowBlue, COPY))                                 \
    X(pdmTotalInkLimit, pdmTotalInkLimit, DEC, 0, RANGE, 1, 400, GENERAL, 0, NO_PARAM,              \
      SETTING(totalInkLimit, COPY))                                                                 \
    X(pdmImageProfile, pdmImageProfile, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmImageProfile, PATH),\
      SETTING(imageProfile, PATH))                                                                  \
    X(pdmPrinterProfile, pdmPrinterProfile, DEC, 0, ANY, 0, 0, GENERAL, 0,                          \
      PARAM(pdmPrinterProfile, PATH), SETTING(printerProfile, PATH))                                \
    X(pdmNoMirror, pdmNoMirror, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmNoMirror, SAME),            \
      NO_SETTING)                                                                                   \
    X(pdmEffectSet, pdmEffectSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmEffectSet, SAME), NO_SETTING)\
    X(pdmEffect, pdmEffect, DEC, 0, RANGE, 0, 33, PAIR, 0, PARAM(pdmEffect, WIDE),                  \
      SETTING(effect, COPY))                                                                        \
    X(pdmOverprintOn, pdmOverprintOn, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmOverprintOn, SAME),      \
      NO_SETTING)                                                                                   \
    X(pdmOverprintCount, pdmOverprintCount, DEC, 0, RANGE, 1, 9, PAIR, 0,                           \
      PARAM(pdmOverprintCount, WIDE), NO_SETTING)                                                   \
    X(pdmOverprintWaitOn, pdmOverprintWaitOn, DEC, 0, ANY, 0, 0, FLAG, 0,                           \
      PARAM(pdmOverprintWaitOn, SAME), NO_SETTING)                                                  \
    X(pdmOverprintWait, pdmOverprintWait, DEC, 0, RANGE, 0, 50, PAIR, 0,                            \
      PARAM(pdmOverprintWait, WIDE), NO_SETTING)                                                    \
    X(pdmPreHeaterOn, pdmPreHeaterOn, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmPreHeaterOn, SAME),      \
      NO_SETTING)                                                                                   \
    X(pdmPreHeaterTemp, pdmPreHeaterTemp, DEC, 0, RANGE_OR_ZERO, 30, 50, PAIR, 0,                   \
      PARAM(pdmPreHeaterTemp, WIDE), NO_SETTING)                                                    \
    X(pdmPlatenHeaterOn, pdmPlatenHeaterOn, DEC, 0, ANY, 0, 0, FLAG, 0,                             \
      PARAM(pdmPlatenHeaterOn, SAME), NO_SETTING)                                                   \
    X(pdmPlatenHeaterTemp, pdmPlatenHeaterTemp, DEC, 0, RANGE_OR_ZERO, 30, 50, PAIR, 0,             \
      PARAM(pdmPlatenHeaterTemp, WIDE), NO_SETTING)                                                 \
    X(pdmAfterHeaterOn, pdmAfterHeaterOn, DEC, 0, ANY, 0, 0, FLAG, 0,                               \
      PARAM(pdmAfterHeaterOn, SAME), NO_SETTING)                                                    \
    X(pdmAfterHeaterTemp, pdmAfterHeaterTemp, DEC, 0, RANGE_OR_ZERO, 30, 50, PAIR, 0,               \
      PARAM(pdmAfterHeaterTemp, WIDE), NO_SETTING)                                                  \
    X(pdmOnTheFly, pdmOnTheFly, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmOnTheFly, SAME), NO_SETTING)\
    X(pdmLengthUnit, pdmLengthUnit, DEC, 0, RANGE, 0, 1, GENERAL, 0, NO_PARAM, NO_SETTING)          \
    X(pdmTempUnit, pdmTempUnit, DEC, 0, RANGE, 0, 1, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmModelSet, pdmModelSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmModelSet, SAME), NO_SETTING)   \
    X(pdmModel, pdmModel, DEC, 0, EITHER, 105, 253, PAIR, 0, PARAM(pdmModel, WIDE), NO_SETTING)     \
    X(pdmDotSizeSet, pdmDotSizeSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmDotSizeSet, SAME),         \
      NO_SETTING)                                                                                   \
    X(pdmDotSize, pdmDotSize, DEC, 0, RANGE, 2, 5, MODE, 3, PARAM(pdmDotSize, WIDE), NO_SETTING)    \
    X(pdmDirectionSet, pdmDirectionSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmDirectionSet, SAME),   \
      NO_SETTING)                                                                                   \
    X(pdmDirection, pdmDirection, DEC, 0, RANGE, 1, 2, MODE, 1, PARAM(pdmDirection, WIDE),          \
      NO_SETTING)                                                                                   \
    X(pdmWaveformSet, pdmWaveformSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmWaveformSet, SAME),      \
      NO_SETTING)                                                                                   \
    X(pdmWaveform, pdmWaveform, DEC, 0, RANGE, 1, 4, MODE, 5, PARAM(pdmWaveform, WIDE), NO_SETTING) \
    X(pdmCarriageSpeedSet, pdmCarriageSpeedSet, DEC, 0, ANY, 0, 0, FLAG, 0,                         \
      PARAM(pdmCarriageSpeedSet, SAME), NO_SETTING)                                                 \
    X(pdmCarriageSpeed, pdmCarriageSpeed, DEC, 0, RANGE, 1, 2, MODE, 6,                             \
      PARAM(pdmCarriageSpeed, WIDE), NO_SETTING)                                                    \
    X(pdmCarriageWidthSet, pdmCarriageWidthSet, DEC, 0, ANY, 0, 0, FLAG, 0,                         \
      PARAM(pdmCarriageWidthSet, SAME), NO_SETTING)                                                 \
    X(pdmCarriageWidth, pdmCarriageWidth, DEC, 0, RANGE, 0, 2, PAIR, 0,                             \
      PARAM(pdmCarriageWidth, WIDE), NO_SETTING)                                                    \
    X(pdmMediaCutSet, pdmMediaCutSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmMediaCutSet, SAME),      \
      NO_SETTING)                                                                                   \
    X(pdmMediaCut, pdmMediaCut, DEC, 0, RANGE, 0, 4, PAIR, 0, PARAM(pdmMediaCut, WIDE), NO_SETTING) \
    X(pdmSuctionFanSet, pdmSuctionFanSet, DEC, 0, ANY, 0, 0, FLAG, 0,                               \
      PARAM(pdmSuctionFanSet, SAME), NO_SETTING)                                                    \
    X(pdmSuctionFan, pdmSuctionFan, DEC, 0, RANGE, 0, 2, PAIR, 0, PARAM(pdmSuctionFan, WIDE),       \
      NO_SETTING)                                                                                   \
    X(pdmSideMarginSet, pdmSideMarginSet, DEC, 0, ANY, 0, 0, FLAG, 0,                               \
      PARAM(pdmSideMarginSet, SAME), NO_SETTING)                                                    \
    X(pdmSideMargin, pdmSideMargin, DEC, 0, RANGE, 5, 25, PAIR, 0, PARAM(pdmSideMargin, WIDE),      \
      NO_SETTING)                                                                                   \
    X(pdmDryTimeSet, pdmDryTimeSet, DEC, 0, ANY, 0, 0, FLAG, 0, PARAM(pdmDryTimeSet, SAME),         \
      NO_SETTING)                                                                                   \
    X(pdmDryTime, pdmDryTime, DEC, 0, RANGE, 0, 3600, PAIR, 0, PARAM(pdmDryTime, WIDE), NO_SETTING) \
    X(pdmFeedAdjustSet, pdmFeedAdjustSet, DEC, 0, ANY, 0, 0, FLAG, 0,                               \
      PARAM(pdmFeedAdjustSet, SAME), NO_SETTING)                                                    \
    X(pdmFeedAdjust, pdmFeedAdjust, DEC, 0, RANGE, -500, 500, PAIR, 0,                              \
      PARAM(pdmFeedAdjust, WIDE), NO_SETTING)                                                       \
    X(pdmColorTableSet, pdmColorTableSet, DEC, 0, ANY, 0, 0, GENERAL, 0,                            \
      PARAM(pdmColorTableSet, SAME), NO_SETTING)                                                    \
    X(pdmColorTable, pdmColorTable, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmColorTable, PATH),      \
      NO_SETTING)                                                                                   \
    X(pdmExtraByte, pdmExtraByte, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmMarginMode, pdmMarginMode, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)            \
    X(pdmExtraLevel, pdmExtraLevel, DEC, 0, RANGE, 0, 100, GENERAL, 0, NO_PARAM, NO_SETTING)        \
    X(pdmExtra2652, pdmExtra2652, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmExtra2656, pdmExtra2656, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmExtra2660, pdmExtra2660, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmExtra2662, pdmExtra2662, DEC, 0, ANY, 0, 0, GENERAL, 0, NO_PARAM, NO_SETTING)              \
    X(pdmSettingStoreHandle, pdmSettingStoreHandle, HEX, 0, ANY, 0, 0, OWN, 0, NO_PARAM,            \
      NO_SETTING)                                                                                   \
    X(pdmSettingStore, pdmSettingStore, HEX, 0, ANY, 0, 0, OWN, 0, NO_PARAM, NO_SETTING)            \
    X(pdmShowStatus, pdmShowStatus, DEC, 0, ANY, 0, 0, OWN, 0, PARAM(pdmShowStatus, SAME),          \
      NO_SETTING)                                                                                   \
    X(pdmCropMarks, pdmCropMarks, DEC, 0, ANY, 0, 0, GENERAL, 0, PARAM(pdmCropMarks, SAME),         \
      NO_SETTING)                                                                                   \
    X(pdmSettingCount, pdmSettingCount, DEC, 0, RANGE, 0, PX_SETTING_MAX_COUNT, OWN, 0, NO_PARAM,      \
      NO_SETTING)

enum DevModeFieldId {
#define PX_FIELD_ID(id, ...) PXF_##id,
    PX_DEVMODE_FIELDS(PX_FIELD_ID)
#undef PX_FIELD_ID
    PXF_COUNT
};

enum FieldKind : uint8_t {
    FIELD_S8, FIELD_U8, FIELD_S16, FIELD_U16, FIELD_S32, FIELD_U32, FIELD_TEXT, FIELD_RECORD
};
enum FieldShow : uint8_t { FIELD_DEC, FIELD_HEX };
enum FieldTest : uint8_t { TEST_ANY, TEST_RANGE, TEST_RANGE_OR_ZERO, TEST_EITHER, TEST_BITS };
enum FieldSettle : uint8_t {
    SETTLE_OTHER, SETTLE_GENERAL, SETTLE_FLAG, SETTLE_PAIR, SETTLE_MODE, SETTLE_GROUP, SETTLE_OWN,
    SETTLE_DERIVED
};
enum FieldParam : uint8_t { PARAM_NONE, PARAM_SAME, PARAM_WIDE, PARAM_PATH, PARAM_ID };
enum FieldSetting : uint8_t { SETTING_NONE, SETTING_COPY, SETTING_PATH, SETTING_CAPTURE };

// The element kind of a field's type: a WCHAR array is one text, an array of
// numbers or records has `count` elements of the kind.
template <typename T>
constexpr FieldKind ElementKind()
{
    if constexpr (std::is_same<T, WCHAR>::value)
        return FIELD_TEXT;
    else if constexpr (std::is_class<T>::value)
        return FIELD_RECORD;
    else if constexpr (sizeof(T) == 1)
        return std::is_signed<T>::value ? FIELD_S8 : FIELD_U8;
    else if constexpr (sizeof(T) == 2)
        return std::is_signed<T>::value ? FIELD_S16 : FIELD_U16;
    else
        return std::is_signed<T>::value ? FIELD_S32 : FIELD_U32;
}

template <typename F>
struct FieldShape {
    using Element = typename std::remove_all_extents<F>::type;
    static constexpr FieldKind kind = ElementKind<Element>();
    static constexpr int count = kind == FIELD_TEXT ? 1 : int(sizeof(F) / sizeof(Element));
};

struct DevModeField {
    DevModeFieldId id;
    const char *name;
    uint16_t offset;
    uint16_t bytes;        // the whole field, every element
    uint8_t count;         // elements
    FieldKind kind;        // of one element
    FieldShow show;
    DWORD dmBit;
    FieldTest test;
    int32_t low, high;
    FieldSettle settle;
    uint8_t column;        // print-mode table column of a MODE field
    FieldParam param;
    FieldSetting setting;
};

#define PX_FIELD_TYPE(path) decltype(static_cast<PXDEVMODE *>(nullptr)->path)
#define PX_FIELD_ROW(id, path, show, bit, test, low, high, settle, column, param, setting)        \
    {PXF_##id, #id, offsetof(PXDEVMODE, path), sizeof(PX_FIELD_TYPE(path)),                                 \
     FieldShape<std::remove_reference<PX_FIELD_TYPE(path)>::type>::count,                         \
     FieldShape<std::remove_reference<PX_FIELD_TYPE(path)>::type>::kind, FIELD_##show, bit,       \
     TEST_##test, low, high, SETTLE_##settle, column, param, setting},
#define PARAM(member, how) PARAM_##how
#define NO_PARAM PARAM_NONE
#define SETTING(member, how) SETTING_##how
#define NO_SETTING SETTING_NONE
inline constexpr DevModeField kDevModeFields[PXF_COUNT] = {PX_DEVMODE_FIELDS(PX_FIELD_ROW)};
#undef PARAM
#undef NO_PARAM
#undef SETTING
#undef NO_SETTING
#undef PX_FIELD_ROW

// The value of a numeric field (the first element of an array) in a record,
// read with the field's width and signedness.
int64_t FieldValue(const PXDEVMODE *record, const DevModeField &field);

// TRUE when the field's value in the record passes the field's test.
BOOL FieldPassesTest(const PXDEVMODE *record, const DevModeField &field);
BOOL ValueWithinBounds(const DevModeField &field, int64_t value);

// Every row sits at the index of its id.
constexpr bool FieldRowsInIdOrder()
{
    for (int i = 0; i < PXF_COUNT; i++)
        if (kDevModeFields[i].id != i)
            return false;
    return true;
}
static_assert(FieldRowsInIdOrder(), "device-mode field rows out of order");

// Rows follow the record; a PAIR or MODE field comes right after its 32-bit
// FLAG, and a MODE field names a column of the print-mode table.
constexpr bool FieldRowsConsistent()
{
    for (int i = 1; i < PXF_COUNT; i++) {
        const DevModeField &f = kDevModeFields[i], &before = kDevModeFields[i - 1];
        if (f.offset < before.offset + before.bytes)
            return false;
        bool paired = f.settle == SETTLE_PAIR || f.settle == SETTLE_MODE;
        if (paired != (before.settle == SETTLE_FLAG))
            return false;
        if (paired && (before.bytes != 4 || f.count != 1))
            return false;
        if ((f.settle == SETTLE_MODE) != (f.column != 0) || f.column > 7)
            return false;
    }
    return kDevModeFields[PXF_COUNT - 1].settle != SETTLE_FLAG;
}
static_assert(FieldRowsConsistent(), "device-mode field rows inconsistent");
