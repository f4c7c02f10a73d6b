// The settings parameter file (".OVP"): the job settings of a device mode
// and the registered print settings of both paper types, saved to a file of
// the user's choosing and loaded back.
#pragma once

#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"

struct ParamFileHeader {
    uint16_t modelMark;        // PX_FILE_MODEL_MARK
    int16_t version;           // written 2; 0 to 2 and negative values are read
    uint8_t reserved4[12];
};
static_assert(sizeof(ParamFileHeader) == 16, "parameter file header");
static_assert(offsetof(ParamFileHeader, version) == 2, "");
static_assert(offsetof(ParamFileHeader, reserved4) == 4, "");

// The device-mode fields the file carries. 16-bit fields mostly sit in a
// 32-bit slot; only the low half of such a slot is read back.
struct ParamFileBody {
    int32_t dmOrientation;
    int32_t dmPaperSize;
    int32_t dmCopies;
    int32_t dmDefaultSource;
    int32_t dmColor;
    uint32_t dmICMMethod;
    uint32_t pdmSizeSeries;
    int32_t pdmOutputSize;
    int32_t pdmOutputScale;
    int32_t pdmRotation;
    int32_t pdmMediaWidth;
    PxUserSize pdmUserSizes[PX_USER_SIZE_COUNT];
    uint32_t marginId;
    uint32_t paperTypeId;
    int32_t pdmSettingIndex;
    int32_t legacySettingCount;   // versions 0 and 1: records, all of paper type 0x500
    uint32_t pdmColorFlags;
    int32_t pdmPrintMode;
    int32_t pdmResolutionIndex;
    uint32_t pdmGrayFlag;
    uint32_t colorCorrectionId;
    uint32_t pdmColorProcess;
    uint32_t pdmAdjustFlag;
    int16_t pdmGamma;
    int16_t pdmBrightness;
    int16_t pdmSaturation;
    int16_t pdmContrast;
    int16_t pdmBalanceCyanRed;
    int16_t pdmBalanceMagentaGreen;
    int16_t pdmBalanceYellowBlue;
    uint16_t reserved150;
    WCHAR pdmImageProfile[PX_PATH_CHARS];
    WCHAR pdmPrinterProfile[PX_PATH_CHARS];
    uint32_t pdmNoMirror;
    uint32_t pdmEffectSet;
    int32_t pdmEffect;
    uint32_t pdmOverprintOn;
    uint32_t pdmOverprintCount;
    uint32_t pdmOverprintWaitOn;
    uint32_t pdmOverprintWait;
    uint32_t pdmPreHeaterOn;
    uint32_t pdmPreHeaterTemp;
    uint32_t pdmPlatenHeaterOn;
    uint32_t pdmPlatenHeaterTemp;
    uint32_t pdmAfterHeaterOn;
    uint32_t pdmAfterHeaterTemp;
    uint32_t pdmOnTheFly;
    uint8_t reserved1248[8];      // the length and temperature units are not kept
    uint32_t pdmModelSet;
    uint32_t pdmModel;
    uint32_t pdmDotSizeSet;
    uint32_t pdmDotSize;
    uint32_t pdmDirectionSet;
    uint32_t pdmDirection;
    uint32_t pdmWaveformSet;
    uint32_t pdmWaveform;
    uint32_t pdmCarriageSpeedSet;
    uint32_t pdmCarriageSpeed;
    uint32_t pdmCarriageWidthSet;
    uint32_t pdmCarriageWidth;
    uint32_t pdmMediaCutSet;
    uint32_t pdmMediaCut;
    uint32_t pdmSuctionFanSet;
    uint32_t pdmSuctionFan;
    uint32_t pdmSideMarginSet;
    uint32_t pdmSideMargin;
    uint32_t pdmDryTimeSet;
    uint32_t pdmDryTime;
    uint32_t pdmFeedAdjustSet;
    int32_t pdmFeedAdjust;
    uint32_t pdmColorTableSet;
    WCHAR pdmColorTable[PX_PATH_CHARS];
    uint32_t pdmShowStatus;
    uint32_t pdmCropMarks;
    int32_t pdmSettingCount[2];   // paper types 0x500 and 0x501
    uint8_t reserved1884[172];
};
#define PX_CHECK_BODY(field, off) static_assert(offsetof(ParamFileBody, field) == (off), #field)
static_assert(sizeof(ParamFileBody) == 2056, "parameter file body");
PX_CHECK_BODY(dmPaperSize, 4);
PX_CHECK_BODY(dmCopies, 8);
PX_CHECK_BODY(dmDefaultSource, 12);
PX_CHECK_BODY(dmColor, 16);
PX_CHECK_BODY(dmICMMethod, 20);
PX_CHECK_BODY(pdmSizeSeries, 24);
PX_CHECK_BODY(pdmOutputSize, 28);
PX_CHECK_BODY(pdmOutputScale, 32);
PX_CHECK_BODY(pdmRotation, 36);
PX_CHECK_BODY(pdmMediaWidth, 40);
PX_CHECK_BODY(pdmUserSizes, 44);
PX_CHECK_BODY(marginId, 92);
PX_CHECK_BODY(paperTypeId, 96);
PX_CHECK_BODY(pdmSettingIndex, 100);
PX_CHECK_BODY(legacySettingCount, 104);
PX_CHECK_BODY(pdmColorFlags, 108);
PX_CHECK_BODY(pdmPrintMode, 112);
PX_CHECK_BODY(pdmResolutionIndex, 116);
PX_CHECK_BODY(pdmGrayFlag, 120);
PX_CHECK_BODY(colorCorrectionId, 124);
PX_CHECK_BODY(pdmColorProcess, 128);
PX_CHECK_BODY(pdmAdjustFlag, 132);
PX_CHECK_BODY(pdmGamma, 136);
PX_CHECK_BODY(pdmBrightness, 138);
PX_CHECK_BODY(pdmSaturation, 140);
PX_CHECK_BODY(pdmContrast, 142);
PX_CHECK_BODY(pdmBalanceCyanRed, 144);
PX_CHECK_BODY(pdmBalanceMagentaGreen, 146);
PX_CHECK_BODY(pdmBalanceYellowBlue, 148);
PX_CHECK_BODY(reserved150, 150);
PX_CHECK_BODY(pdmImageProfile, 152);
PX_CHECK_BODY(pdmPrinterProfile, 672);
PX_CHECK_BODY(pdmNoMirror, 1192);
PX_CHECK_BODY(pdmEffectSet, 1196);
PX_CHECK_BODY(pdmEffect, 1200);
PX_CHECK_BODY(pdmOverprintOn, 1204);
PX_CHECK_BODY(pdmOverprintCount, 1208);
PX_CHECK_BODY(pdmOverprintWaitOn, 1212);
PX_CHECK_BODY(pdmOverprintWait, 1216);
PX_CHECK_BODY(pdmPreHeaterOn, 1220);
PX_CHECK_BODY(pdmPreHeaterTemp, 1224);
PX_CHECK_BODY(pdmPlatenHeaterOn, 1228);
PX_CHECK_BODY(pdmPlatenHeaterTemp, 1232);
PX_CHECK_BODY(pdmAfterHeaterOn, 1236);
PX_CHECK_BODY(pdmAfterHeaterTemp, 1240);
PX_CHECK_BODY(pdmOnTheFly, 1244);
PX_CHECK_BODY(reserved1248, 1248);
PX_CHECK_BODY(pdmModelSet, 1256);
PX_CHECK_BODY(pdmModel, 1260);
PX_CHECK_BODY(pdmDotSizeSet, 1264);
PX_CHECK_BODY(pdmDotSize, 1268);
PX_CHECK_BODY(pdmDirectionSet, 1272);
PX_CHECK_BODY(pdmDirection, 1276);
PX_CHECK_BODY(pdmWaveformSet, 1280);
PX_CHECK_BODY(pdmWaveform, 1284);
PX_CHECK_BODY(pdmCarriageSpeedSet, 1288);
PX_CHECK_BODY(pdmCarriageSpeed, 1292);
PX_CHECK_BODY(pdmCarriageWidthSet, 1296);
PX_CHECK_BODY(pdmCarriageWidth, 1300);
PX_CHECK_BODY(pdmMediaCutSet, 1304);
PX_CHECK_BODY(pdmMediaCut, 1308);
PX_CHECK_BODY(pdmSuctionFanSet, 1312);
PX_CHECK_BODY(pdmSuctionFan, 1316);
PX_CHECK_BODY(pdmSideMarginSet, 1320);
PX_CHECK_BODY(pdmSideMargin, 1324);
PX_CHECK_BODY(pdmDryTimeSet, 1328);
PX_CHECK_BODY(pdmDryTime, 1332);
PX_CHECK_BODY(pdmFeedAdjustSet, 1336);
PX_CHECK_BODY(pdmFeedAdjust, 1340);
PX_CHECK_BODY(pdmColorTableSet, 1344);
PX_CHECK_BODY(pdmColorTable, 1348);
PX_CHECK_BODY(pdmShowStatus, 1868);
PX_CHECK_BODY(pdmCropMarks, 1872);
PX_CHECK_BODY(pdmSettingCount, 1876);
PX_CHECK_BODY(reserved1884, 1884);
#undef PX_CHECK_BODY

#define PX_PARAM_RECORDS_OFFSET (sizeof(ParamFileHeader) + sizeof(ParamFileBody))

// A file read and checked, before anything is taken from it.
struct ParamFileImage {
    ParamFileHeader header;
    ParamFileBody body;
    int counts[2];             // records per paper type as the file holds them
    PrintSetting *records;     // counts[0] + counts[1]; null when none
};

// 0, or the string id of the message that says why the file is refused
// (IDS_OVP_DAMAGED, IDS_OVP_UNKNOWN_VERSION, IDS_OVP_OTHER_MODEL).
UINT LoadParamFileImage(const WCHAR *fileName, ParamFileImage *image);
void ReleaseParamFileImage(ParamFileImage *image);

// The body as a device mode holds it, and back. Counts, margin, paper type
// and colour correction ids are included; the legacy count is written 0.
void BodyFromDevMode(const PXDEVMODE *dm, ParamFileBody *body);
void DevModeFromBody(const ParamFileBody *body, PXDEVMODE *dm);

// 0 on success, else the message id; dm and store are unchanged then.
UINT LoadSettingsFile(const WCHAR *fileName, PXDEVMODE *dm, SettingStore *store);
// An existing file is replaced only by a complete new one.
BOOL SaveSettingsFile(const WCHAR *fileName, const PXDEVMODE *dm, const SettingStore *store);
