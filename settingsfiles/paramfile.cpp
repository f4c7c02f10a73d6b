#include "settingsfiles/paramfile.h"

#include <string.h>

#include "core/module.h"
#include "devmode/template.h"
#include "resources/resource.h"
#include "settingsfiles/safewrite.h"

#define RECORD_BYTES ((DWORD)sizeof(PrintSetting))

// Reads up to `bytes` into a zero-filled buffer; what lies beyond the end
// of the file stays zero. FALSE only when a read fails.
static BOOL ReadZeroFilled(HANDLE file, void *buffer, DWORD bytes)
{
    BYTE *at = static_cast<BYTE *>(buffer);
    while (bytes > 0) {
        DWORD read = 0;
        if (!ReadFile(file, at, bytes, &read, NULL))
            return FALSE;
        if (read == 0)
            return TRUE;
        at += read;
        bytes -= read;
    }
    return TRUE;
}

static BOOL CountInRange(int count)
{
    return count >= 0 && count <= PX_SETTING_SLOTS;
}

static UINT CheckHeader(const ParamFileHeader *header)
{
    if (header->version > PX_FILE_VERSION)
        return IDS_OVP_UNKNOWN_VERSION;
    if (header->modelMark != PX_FILE_MODEL_MARK)
        return IDS_OVP_OTHER_MODEL;
    return 0;
}

static UINT TakeCounts(ParamFileImage *image)
{
    const ParamFileBody *body = &image->body;
    if (image->header.version == PX_FILE_VERSION) {
        image->counts[0] = static_cast<int16_t>(body->pdmSettingCount[0]);
        image->counts[1] = static_cast<int16_t>(body->pdmSettingCount[1]);
    } else {
        image->counts[0] = static_cast<int16_t>(body->legacySettingCount);
        image->counts[1] = 0;
    }
    return CountInRange(image->counts[0]) && CountInRange(image->counts[1]) ? 0 : IDS_OVP_DAMAGED;
}

static UINT ReadRecords(HANDLE file, ParamFileImage *image)
{
    int total = image->counts[0] + image->counts[1];
    if (total == 0)
        return 0;
    image->records = static_cast<PrintSetting *>(PxAlloc(RECORD_BYTES * total));
    if (!image->records)
        return IDS_OVP_DAMAGED;
    for (int i = 0; i < total; i++)
        if (!ReadZeroFilled(file, &image->records[i], RECORD_BYTES))
            return IDS_OVP_DAMAGED;
    return 0;
}

static UINT ReadParamFile(HANDLE file, ParamFileImage *image)
{
    if (!ReadZeroFilled(file, &image->header, sizeof image->header))
        return IDS_OVP_DAMAGED;
    UINT message = CheckHeader(&image->header);
    if (!message && !ReadZeroFilled(file, &image->body, sizeof image->body))
        message = IDS_OVP_DAMAGED;
    if (!message)
        message = TakeCounts(image);
    if (!message)
        message = ReadRecords(file, image);
    if (!message) {
        int16_t printMode = static_cast<int16_t>(image->body.pdmPrintMode);
        if (printMode < 0 || printMode >= PX_PRINT_MODE_COUNT)
            message = IDS_OVP_DAMAGED;
    }
    return message;
}

UINT LoadParamFileImage(const WCHAR *fileName, ParamFileImage *image)
{
    memset(image, 0, sizeof *image);
    HANDLE file = CreateFileW(fileName, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return IDS_OVP_DAMAGED;
    UINT message = ReadParamFile(file, image);
    CloseHandle(file);
    if (message)
        ReleaseParamFileImage(image);
    return message;
}

void ReleaseParamFileImage(ParamFileImage *image)
{
    PxFree(image->records);
    image->records = NULL;
}

void BodyFromDevMode(const PXDEVMODE *dm, ParamFileBody *body)
{
    memset(body, 0, sizeof *body);
    body->dmOrientation = dm->dm.dmOrientation;
    body->dmPaperSize = dm->dm.dmPaperSize;
    body->dmCopies = dm->dm.dmCopies;
    body->dmDefaultSource = dm->dm.dmDefaultSource;
    body->dmColor = dm->dm.dmColor;
    body->dmICMMethod = dm->dm.dmICMMethod;
    body->pdmSizeSeries = dm->pdmSizeSeries;
    body->pdmOutputSize = dm->pdmOutputSize;
    body->pdmOutputScale = dm->pdmOutputScale;
    body->pdmRotation = dm->pdmRotation;
    body->pdmMediaWidth = dm->pdmMediaWidth;
    memcpy(body->pdmUserSizes, dm->pdmUserSizes, sizeof body->pdmUserSizes);
    body->marginId = dm->pdmMargin.id;
    body->paperTypeId = dm->pdmPaperType.id;
    body->pdmSettingIndex = dm->pdmSettingIndex;
    body->pdmColorFlags = dm->pdmColorFlags;
    body->pdmPrintMode = dm->pdmPrintMode;
    body->pdmResolutionIndex = dm->pdmResolutionIndex;
    body->pdmGrayFlag = dm->pdmGrayFlag;
    body->colorCorrectionId = dm->pdmColorCorrection.id;
    body->pdmColorProcess = dm->pdmColorProcess;
    body->pdmAdjustFlag = dm->pdmAdjustFlag;
    body->pdmGamma = dm->pdmGamma;
    body->pdmBrightness = dm->pdmBrightness;
    body->pdmSaturation = dm->pdmSaturation;
    body->pdmContrast = dm->pdmContrast;
    body->pdmBalanceCyanRed = dm->pdmBalanceCyanRed;
    body->pdmBalanceMagentaGreen = dm->pdmBalanceMagentaGreen;
    body->pdmBalanceYellowBlue = dm->pdmBalanceYellowBlue;
    CopyProfileName(body->pdmImageProfile, dm->pdmImageProfile);
    CopyProfileName(body->pdmPrinterProfile, dm->pdmPrinterProfile);
    body->pdmNoMirror = dm->pdmNoMirror;
    body->pdmEffectSet = dm->pdmEffectSet;
    body->pdmEffect = dm->pdmEffect;
    body->pdmOverprintOn = dm->pdmOverprintOn;
    body->pdmOverprintCount = dm->pdmOverprintCount;
    body->pdmOverprintWaitOn = dm->pdmOverprintWaitOn;
    body->pdmOverprintWait = dm->pdmOverprintWait;
    body->pdmPreHeaterOn = dm->pdmPreHeaterOn;
    body->pdmPreHeaterTemp = dm->pdmPreHeaterTemp;
    body->pdmPlatenHeaterOn = dm->pdmPlatenHeaterOn;
    body->pdmPlatenHeaterTemp = dm->pdmPlatenHeaterTemp;
    body->pdmAfterHeaterOn = dm->pdmAfterHeaterOn;
    body->pdmAfterHeaterTemp = dm->pdmAfterHeaterTemp;
    body->pdmOnTheFly = dm->pdmOnTheFly;
    body->pdmModelSet = dm->pdmModelSet;
    body->pdmModel = dm->pdmModel;
    body->pdmDotSizeSet = dm->pdmDotSizeSet;
    body->pdmDotSize = dm->pdmDotSize;
    body->pdmDirectionSet = dm->pdmDirectionSet;
    body->pdmDirection = dm->pdmDirection;
    body->pdmWaveformSet = dm->pdmWaveformSet;
    body->pdmWaveform = dm->pdmWaveform;
    body->pdmCarriageSpeedSet = dm->pdmCarriageSpeedSet;
    body->pdmCarriageSpeed = dm->pdmCarriageSpeed;
    body->pdmCarriageWidthSet = dm->pdmCarriageWidthSet;
    body->pdmCarriageWidth = dm->pdmCarriageWidth;
    body->pdmMediaCutSet = dm->pdmMediaCutSet;
    body->pdmMediaCut = dm->pdmMediaCut;
    body->pdmSuctionFanSet = dm->pdmSuctionFanSet;
    body->pdmSuctionFan = dm->pdmSuctionFan;
    body->pdmSideMarginSet = dm->pdmSideMarginSet;
    body->pdmSideMargin = dm->pdmSideMargin;
    body->pdmDryTimeSet = dm->pdmDryTimeSet;
    body->pdmDryTime = dm->pdmDryTime;
    body->pdmFeedAdjustSet = dm->pdmFeedAdjustSet;
    body->pdmFeedAdjust = dm->pdmFeedAdjust;
    body->pdmColorTableSet = dm->pdmColorTableSet;
    CopyProfileName(body->pdmColorTable, dm->pdmColorTable);
    body->pdmShowStatus = dm->pdmShowStatus;
    body->pdmCropMarks = dm->pdmCropMarks;
    // Counts beyond a block's 21 slots could not be matched by records.
    body->pdmSettingCount[0] = SettingCountOf(dm, 0);
    body->pdmSettingCount[1] = SettingCountOf(dm, 1);
}

// Low half of a 32-bit slot.
static int16_t Low16(int32_t slot)
{
    return static_cast<int16_t>(slot);
}

static uint16_t LowU16(uint32_t slot)
{
    return static_cast<uint16_t>(slot);
}

static void PublicFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    dm->dm.dmOrientation = Low16(body->dmOrientation);
    dm->dm.dmPaperSize = Low16(body->dmPaperSize);
    dm->dm.dmCopies = Low16(body->dmCopies);
    dm->dm.dmDefaultSource = Low16(body->dmDefaultSource);
    dm->dm.dmColor = Low16(body->dmColor);
    dm->dm.dmICMMethod = body->dmICMMethod;
}

static void PageFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    dm->pdmSizeSeries = body->pdmSizeSeries;
    dm->pdmOutputSize = Low16(body->pdmOutputSize);
    dm->pdmOutputScale = body->pdmOutputScale;
    dm->pdmRotation = Low16(body->pdmRotation);
    dm->pdmMediaWidth = body->pdmMediaWidth;
    memcpy(dm->pdmUserSizes, body->pdmUserSizes, sizeof dm->pdmUserSizes);
    dm->pdmMargin.id = body->marginId;
    dm->pdmPaperType.id = body->paperTypeId;
    dm->pdmSettingIndex = Low16(body->pdmSettingIndex);
}

static void ColorFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    dm->pdmColorFlags = body->pdmColorFlags;
    dm->pdmPrintMode = Low16(body->pdmPrintMode);
    const PrintModeRow *row = PrintModeRowFor(body->paperTypeId, dm->pdmPrintMode);
    if (row)
        dm->pdmQualityMode.id = row->qualityModeId;
    dm->pdmResolutionIndex = Low16(body->pdmResolutionIndex);
    dm->pdmGrayFlag = body->pdmGrayFlag;
    dm->pdmColorCorrection.id = body->colorCorrectionId;
    dm->pdmColorProcess = body->pdmColorProcess;
    dm->pdmAdjustFlag = body->pdmAdjustFlag;
    dm->pdmGamma = body->pdmGamma;
    dm->pdmBrightness = body->pdmBrightness;
    dm->pdmSaturation = body->pdmSaturation;
    dm->pdmContrast = body->pdmContrast;
    dm->pdmBalanceCyanRed = body->pdmBalanceCyanRed;
    dm->pdmBalanceMagentaGreen = body->pdmBalanceMagentaGreen;
    dm->pdmBalanceYellowBlue = body->pdmBalanceYellowBlue;
    CopyProfileName(dm->pdmImageProfile, body->pdmImageProfile);
    CopyProfileName(dm->pdmPrinterProfile, body->pdmPrinterProfile);
}

static void OutputFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    dm->pdmNoMirror = body->pdmNoMirror;
    dm->pdmEffectSet = body->pdmEffectSet;
    dm->pdmEffect = Low16(body->pdmEffect);
    dm->pdmOverprintOn = body->pdmOverprintOn;
    dm->pdmOverprintCount = LowU16(body->pdmOverprintCount);
    dm->pdmOverprintWaitOn = body->pdmOverprintWaitOn;
    dm->pdmOverprintWait = LowU16(body->pdmOverprintWait);
    dm->pdmPreHeaterOn = body->pdmPreHeaterOn;
    dm->pdmPreHeaterTemp = LowU16(body->pdmPreHeaterTemp);
    dm->pdmPlatenHeaterOn = body->pdmPlatenHeaterOn;
    dm->pdmPlatenHeaterTemp = LowU16(body->pdmPlatenHeaterTemp);
    dm->pdmAfterHeaterOn = body->pdmAfterHeaterOn;
    dm->pdmAfterHeaterTemp = LowU16(body->pdmAfterHeaterTemp);
    dm->pdmOnTheFly = body->pdmOnTheFly;
}

static void PrinterFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    dm->pdmModelSet = body->pdmModelSet;
    dm->pdmModel = LowU16(body->pdmModel);
    dm->pdmDotSizeSet = body->pdmDotSizeSet;
    dm->pdmDotSize = LowU16(body->pdmDotSize);
    dm->pdmDirectionSet = body->pdmDirectionSet;
    dm->pdmDirection = LowU16(body->pdmDirection);
    dm->pdmWaveformSet = body->pdmWaveformSet;
    dm->pdmWaveform = LowU16(body->pdmWaveform);
    dm->pdmCarriageSpeedSet = body->pdmCarriageSpeedSet;
    dm->pdmCarriageSpeed = LowU16(body->pdmCarriageSpeed);
    dm->pdmCarriageWidthSet = body->pdmCarriageWidthSet;
    dm->pdmCarriageWidth = LowU16(body->pdmCarriageWidth);
    dm->pdmMediaCutSet = body->pdmMediaCutSet;
    dm->pdmMediaCut = LowU16(body->pdmMediaCut);
    dm->pdmSuctionFanSet = body->pdmSuctionFanSet;
    dm->pdmSuctionFan = LowU16(body->pdmSuctionFan);
    dm->pdmSideMarginSet = body->pdmSideMarginSet;
    dm->pdmSideMargin = LowU16(body->pdmSideMargin);
    dm->pdmDryTimeSet = body->pdmDryTimeSet;
    dm->pdmDryTime = LowU16(body->pdmDryTime);
    dm->pdmFeedAdjustSet = body->pdmFeedAdjustSet;
    dm->pdmFeedAdjust = Low16(body->pdmFeedAdjust);
    dm->pdmColorTableSet = body->pdmColorTableSet;
    CopyProfileName(dm->pdmColorTable, body->pdmColorTable);
    dm->pdmShowStatus = body->pdmShowStatus;
    dm->pdmCropMarks = body->pdmCropMarks;
}

void DevModeFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    PublicFromBody(body, dm);
    PageFromBody(body, dm);
    ColorFromBody(body, dm);
    OutputFromBody(body, dm);
    PrinterFromBody(body, dm);
}

static void TakeParamFileImage(const ParamFileImage *image, PXDEVMODE *dm, SettingStore *store)
{
    DevModeFromBody(&image->body, dm);
    dm->pdmSettingCount[0] = static_cast<int16_t>(image->counts[0]);
    if (image->header.version == PX_FILE_VERSION)
        dm->pdmSettingCount[1] = static_cast<int16_t>(image->counts[1]);
    for (int block = 0, first = 0; block < PX_SETTING_BLOCKS; first += image->counts[block++])
        if (image->counts[block])
            memcpy(store->blocks[block], image->records + first, RECORD_BYTES * image->counts[block]);
}

UINT LoadSettingsFile(const WCHAR *fileName, PXDEVMODE *dm, SettingStore *store)
{
    if (!store)
        return IDS_OVP_DAMAGED;
    ParamFileImage image;
    UINT message = LoadParamFileImage(fileName, &image);
    if (message)
        return message;
    TakeParamFileImage(&image, dm, store);
    ReleaseParamFileImage(&image);
    return 0;
}

BOOL SaveSettingsFile(const WCHAR *fileName, const PXDEVMODE *dm, const SettingStore *store)
{
    ParamFileBody *body = static_cast<ParamFileBody *>(PxAlloc(sizeof(ParamFileBody)));
    if (!body)
        return FALSE;
    SafeWrite w;
    if (!BeginSafeWrite(&w, fileName)) {
        PxFree(body);
        return FALSE;
    }
    ParamFileHeader header = {};
    header.modelMark = PX_FILE_MODEL_MARK;
    header.version = PX_FILE_VERSION;
    SafeWriteBytes(&w, &header, sizeof header);
    BodyFromDevMode(dm, body);
    SafeWriteBytes(&w, body, sizeof *body);
    for (int block = 0; block < PX_SETTING_BLOCKS; block++)
        for (int slot = 0; slot < body->pdmSettingCount[block]; slot++)
            SafeWriteBytes(&w, &store->blocks[block][slot], RECORD_BYTES);
    PxFree(body);
    return CommitSafeWrite(&w);
}
