#include "settingsfiles/paramfile.h"

#include <string.h>

#include <type_traits>

#include "core/module.h"
#include "core/trace.h"
#include "devmode/template.h"
#include "resources/ids_strings.h"
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
    return SettingCountValid(image->counts[0]) && SettingCountValid(image->counts[1]) ? 0 : IDS_OVP_DAMAGED;
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
    if (message) {
        PX_TRACE(L"%ls refused: message %u", fileName, message);
        ReleaseParamFileImage(image);
    }
    return message;
}

void ReleaseParamFileImage(ParamFileImage *image)
{
    PxFree(image->records);
    image->records = NULL;
}

// How a device-mode field sits in the body: the same bytes, a 16-bit value
// widened to a 32-bit slot (by the field's own signedness), or a file name.
enum BodySlot : uint8_t { SLOT_SAME, SLOT_SIGNED16, SLOT_UNSIGNED16, SLOT_PATH };

struct BodyField {
    uint16_t body;
    uint16_t devMode;
    uint16_t bodyBytes;
    uint16_t devModeBytes;
    BodySlot slot;
};

#define DM_FIELD(f) (static_cast<PXDEVMODE *>(nullptr)->f)
#define BODY_AT(b, d, slot) \
    {offsetof(ParamFileBody, b), offsetof(PXDEVMODE, d), sizeof(ParamFileBody::b), sizeof(DM_FIELD(d)), slot}
#define SAME(b, d) BODY_AT(b, d, SLOT_SAME)
#define WIDE(b, d) \
    BODY_AT(b, d, std::is_signed<std::remove_reference<decltype(DM_FIELD(d))>::type>::value \
                      ? SLOT_SIGNED16 : SLOT_UNSIGNED16)
#define PATH(f) BODY_AT(f, f, SLOT_PATH)

// In body order; the setting counts and the legacy count are handled apart.
static constexpr BodyField kBodyFields[] = {
    WIDE(dmOrientation, dm.dmOrientation), WIDE(dmPaperSize, dm.dmPaperSize),
    WIDE(dmCopies, dm.dmCopies), WIDE(dmDefaultSource, dm.dmDefaultSource),
    WIDE(dmColor, dm.dmColor), SAME(dmICMMethod, dm.dmICMMethod),
    SAME(pdmSizeSeries, pdmSizeSeries), WIDE(pdmOutputSize, pdmOutputSize),
    SAME(pdmOutputScale, pdmOutputScale), WIDE(pdmRotation, pdmRotation),
    SAME(pdmMediaWidth, pdmMediaWidth), SAME(pdmUserSizes, pdmUserSizes),
    SAME(marginId, pdmMargin.id), SAME(paperTypeId, pdmPaperType.id),
    WIDE(pdmSettingIndex, pdmSettingIndex), SAME(pdmColorFlags, pdmColorFlags),
    WIDE(pdmPrintMode, pdmPrintMode), WIDE(pdmResolutionIndex, pdmResolutionIndex),
    SAME(pdmGrayFlag, pdmGrayFlag), SAME(colorCorrectionId, pdmColorCorrection.id),
    SAME(pdmColorProcess, pdmColorProcess), SAME(pdmAdjustFlag, pdmAdjustFlag),
    SAME(pdmGamma, pdmGamma), SAME(pdmBrightness, pdmBrightness),
    SAME(pdmSaturation, pdmSaturation), SAME(pdmContrast, pdmContrast),
    SAME(pdmBalanceCyanRed, pdmBalanceCyanRed), SAME(pdmBalanceMagentaGreen, pdmBalanceMagentaGreen),
    SAME(pdmBalanceYellowBlue, pdmBalanceYellowBlue),
    PATH(pdmImageProfile), PATH(pdmPrinterProfile),
    SAME(pdmNoMirror, pdmNoMirror), SAME(pdmEffectSet, pdmEffectSet), WIDE(pdmEffect, pdmEffect),
    SAME(pdmOverprintOn, pdmOverprintOn), WIDE(pdmOverprintCount, pdmOverprintCount),
    SAME(pdmOverprintWaitOn, pdmOverprintWaitOn), WIDE(pdmOverprintWait, pdmOverprintWait),
    SAME(pdmPreHeaterOn, pdmPreHeaterOn), WIDE(pdmPreHeaterTemp, pdmPreHeaterTemp),
    SAME(pdmPlatenHeaterOn, pdmPlatenHeaterOn), WIDE(pdmPlatenHeaterTemp, pdmPlatenHeaterTemp),
    SAME(pdmAfterHeaterOn, pdmAfterHeaterOn), WIDE(pdmAfterHeaterTemp, pdmAfterHeaterTemp),
    SAME(pdmOnTheFly, pdmOnTheFly),
    SAME(pdmModelSet, pdmModelSet), WIDE(pdmModel, pdmModel),
    SAME(pdmDotSizeSet, pdmDotSizeSet), WIDE(pdmDotSize, pdmDotSize),
    SAME(pdmDirectionSet, pdmDirectionSet), WIDE(pdmDirection, pdmDirection),
    SAME(pdmWaveformSet, pdmWaveformSet), WIDE(pdmWaveform, pdmWaveform),
    SAME(pdmCarriageSpeedSet, pdmCarriageSpeedSet), WIDE(pdmCarriageSpeed, pdmCarriageSpeed),
    SAME(pdmCarriageWidthSet, pdmCarriageWidthSet), WIDE(pdmCarriageWidth, pdmCarriageWidth),
    SAME(pdmMediaCutSet, pdmMediaCutSet), WIDE(pdmMediaCut, pdmMediaCut),
    SAME(pdmSuctionFanSet, pdmSuctionFanSet), WIDE(pdmSuctionFan, pdmSuctionFan),
    SAME(pdmSideMarginSet, pdmSideMarginSet), WIDE(pdmSideMargin, pdmSideMargin),
    SAME(pdmDryTimeSet, pdmDryTimeSet), WIDE(pdmDryTime, pdmDryTime),
    SAME(pdmFeedAdjustSet, pdmFeedAdjustSet), WIDE(pdmFeedAdjust, pdmFeedAdjust),
    SAME(pdmColorTableSet, pdmColorTableSet), PATH(pdmColorTable),
    SAME(pdmShowStatus, pdmShowStatus), SAME(pdmCropMarks, pdmCropMarks),
};
#undef PATH
#undef WIDE
#undef SAME
#undef BODY_AT
#undef DM_FIELD

static constexpr bool BodyFieldsFit()
{
    for (const BodyField &f : kBodyFields) {
        bool widened = f.slot == SLOT_SIGNED16 || f.slot == SLOT_UNSIGNED16;
        if (widened ? (f.bodyBytes != 4 || f.devModeBytes != 2) : f.bodyBytes != f.devModeBytes)
            return false;
    }
    return true;
}
static_assert(BodyFieldsFit(), "a body slot does not fit its device-mode field");

// A 16-bit device-mode value as its 32-bit slot holds it.
static int32_t Widened(const BYTE *at, BodySlot slot)
{
    int16_t value;
    memcpy(&value, at, sizeof value);
    return slot == SLOT_SIGNED16 ? value : static_cast<uint16_t>(value);
}

void BodyFromDevMode(const PXDEVMODE *dm, ParamFileBody *body)
{
    memset(body, 0, sizeof *body);
    const BYTE *from = reinterpret_cast<const BYTE *>(dm);
    BYTE *to = reinterpret_cast<BYTE *>(body);
    for (const BodyField &f : kBodyFields) {
        if (f.slot == SLOT_PATH) {
            CopyProfileName(reinterpret_cast<WCHAR *>(to + f.body),
                            reinterpret_cast<const WCHAR *>(from + f.devMode));
        } else if (f.slot == SLOT_SAME) {
            memcpy(to + f.body, from + f.devMode, f.bodyBytes);
        } else {
            int32_t slot = Widened(from + f.devMode, f.slot);
            memcpy(to + f.body, &slot, sizeof slot);
        }
    }
    // A count beyond the registered slots would make a file that cannot load.
    body->pdmSettingCount[0] = SettingCountOf(dm, 0);
    body->pdmSettingCount[1] = SettingCountOf(dm, 1);
}

void DevModeFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    const BYTE *from = reinterpret_cast<const BYTE *>(body);
    BYTE *to = reinterpret_cast<BYTE *>(dm);
    for (const BodyField &f : kBodyFields) {
        if (f.slot == SLOT_PATH)
            CopyProfileName(reinterpret_cast<WCHAR *>(to + f.devMode),
                            reinterpret_cast<const WCHAR *>(from + f.body));
        else  // a widened slot gives its low half
            memcpy(to + f.devMode, from + f.body, f.devModeBytes);
    }
    const PrintModeRow *row = PrintModeRowFor(body->paperTypeId, dm->pdmPrintMode);
    if (row)
        dm->pdmQualityMode.id = row->qualityModeId;
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
    if (!store)
        return FALSE;
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
