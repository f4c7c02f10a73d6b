#include "tools/pxhost/devmode_print.h"

#include <inttypes.h>
#include <stddef.h>
#include <string.h>

enum FieldKind { FK_S8, FK_U8, FK_S16, FK_U16, FK_S32, FK_U32, FK_TEXT, FK_RECORD };

struct FieldDesc {
    const char *name;
    size_t offset;
    size_t bytes;      // whole field, all elements
    FieldKind kind;
    int count;         // elements; 1 = a single value, more = an array
    BOOL hex;          // readable form shows the value in hexadecimal too
    const FieldDesc *members;  // FK_RECORD: the element's fields
    int memberCount;
};

#define MEMBER_SIZE(type, member) sizeof(static_cast<type *>(nullptr)->member)
#define FIELD(type, member, kind, count, hex) \
    {#member, offsetof(type, member), MEMBER_SIZE(type, member), kind, count, hex, NULL, 0}
#define RECORD(type, member, count, table)                                               \
    {#member, offsetof(type, member), MEMBER_SIZE(type, member), FK_RECORD, count, FALSE, \
     table, static_cast<int>(sizeof table / sizeof table[0])}
#define PUB(member, kind, hex) \
    {#member, offsetof(PXDEVMODE, dm.member), MEMBER_SIZE(PXDEVMODE, dm.member), kind, 1, hex, NULL, 0}
#define PUBTEXT(member) \
    {#member, offsetof(PXDEVMODE, dm.member), MEMBER_SIZE(PXDEVMODE, dm.member), FK_TEXT, 1, FALSE, NULL, 0}
#define PRV(member, kind) FIELD(PXDEVMODE, member, kind, 1, FALSE)
#define PRVHEX(member, kind) FIELD(PXDEVMODE, member, kind, 1, TRUE)

static const FieldDesc kUserSize[] = {
    FIELD(PxUserSize, width, FK_S32, 1, FALSE),
    FIELD(PxUserSize, length, FK_S32, 1, FALSE),
};

static const FieldDesc kMargin[] = {
    FIELD(MarginRecord, mediaMask, FK_U16, 1, TRUE),
    FIELD(MarginRecord, id, FK_U32, 1, FALSE),
    FIELD(MarginRecord, name, FK_TEXT, 1, FALSE),
    FIELD(MarginRecord, lengthEnds, FK_S16, 2, FALSE),
    FIELD(MarginRecord, widthSides, FK_S16, 2, FALSE),
    FIELD(MarginRecord, group, FK_U32, 1, FALSE),
};

static const FieldDesc kPaperType[] = {
    FIELD(PaperTypeRecord, id, FK_U32, 1, FALSE),
    FIELD(PaperTypeRecord, name, FK_TEXT, 1, FALSE),
    FIELD(PaperTypeRecord, extra, FK_U32, 2, FALSE),
};

static const FieldDesc kQualityMode[] = {
    FIELD(QualityModeRecord, id, FK_U32, 1, FALSE),
    FIELD(QualityModeRecord, nameId, FK_U32, 1, FALSE),
    FIELD(QualityModeRecord, name, FK_TEXT, 1, FALSE),
    FIELD(QualityModeRecord, extra, FK_U8, 8, FALSE),
};

static const FieldDesc kColorCorrection[] = {
    FIELD(ColorCorrectionRecord, id, FK_U32, 1, FALSE),
    FIELD(ColorCorrectionRecord, name, FK_TEXT, 1, FALSE),
    FIELD(ColorCorrectionRecord, extra, FK_U32, 2, FALSE),
};

static const FieldDesc kFields[] = {
    PUBTEXT(dmDeviceName),
    PUB(dmSpecVersion, FK_U16, TRUE),
    PUB(dmDriverVersion, FK_U16, TRUE),
    PUB(dmSize, FK_U16, FALSE),
    PUB(dmDriverExtra, FK_U16, FALSE),
    PUB(dmFields, FK_U32, TRUE),
    PUB(dmOrientation, FK_S16, FALSE),
    PUB(dmPaperSize, FK_S16, FALSE),
    PUB(dmPaperLength, FK_S16, FALSE),
    PUB(dmPaperWidth, FK_S16, FALSE),
    PUB(dmScale, FK_S16, FALSE),
    PUB(dmCopies, FK_S16, FALSE),
    PUB(dmDefaultSource, FK_S16, TRUE),
    PUB(dmPrintQuality, FK_S16, FALSE),
    PUB(dmColor, FK_S16, FALSE),
    PUB(dmDuplex, FK_S16, FALSE),
    PUB(dmYResolution, FK_S16, FALSE),
    PUB(dmTTOption, FK_S16, FALSE),
    PUB(dmCollate, FK_S16, FALSE),
    PUBTEXT(dmFormName),
    PUB(dmLogPixels, FK_U16, FALSE),
    PUB(dmBitsPerPel, FK_U32, FALSE),
    PUB(dmPelsWidth, FK_U32, FALSE),
    PUB(dmPelsHeight, FK_U32, FALSE),
    PUB(dmNup, FK_U32, FALSE),
    PUB(dmDisplayFrequency, FK_U32, FALSE),
    PUB(dmICMMethod, FK_U32, FALSE),
    PUB(dmICMIntent, FK_U32, FALSE),
    PUB(dmMediaType, FK_U32, FALSE),
    PUB(dmDitherType, FK_U32, FALSE),
    PUB(dmReserved1, FK_U32, FALSE),
    PUB(dmReserved2, FK_U32, FALSE),
    PUB(dmPanningWidth, FK_U32, FALSE),
    PUB(dmPanningHeight, FK_U32, FALSE),
    PRV(pdmRotated, FK_U32),
    PRVHEX(pdmSizeSeries, FK_U32),
    PRV(pdmOutputSize, FK_S16),
    PRV(pdmOutputScale, FK_S32),
    PRV(pdmRotation, FK_S16),
    PRV(pdmMediaWidth, FK_S32),
    RECORD(PXDEVMODE, pdmUserSizes, PX_USER_SIZE_COUNT, kUserSize),
    RECORD(PXDEVMODE, pdmMargin, 1, kMargin),
    RECORD(PXDEVMODE, pdmPaperType, 1, kPaperType),
    PRV(pdmSettingIndex, FK_S16),
    PRV(pdmLegacySettingCount, FK_S16),
    PRVHEX(pdmColorFlags, FK_U32),
    PRVHEX(pdmInkSet, FK_U32),
    PRV(pdmPrintMode, FK_S16),
    RECORD(PXDEVMODE, pdmQualityMode, 1, kQualityMode),
    PRV(pdmResolution, FK_S16),
    PRV(pdmResolutionIndex, FK_S16),
    PRV(pdmGrayFlag, FK_U32),
    RECORD(PXDEVMODE, pdmColorCorrection, 1, kColorCorrection),
    PRVHEX(pdmColorProcess, FK_U32),
    FIELD(PXDEVMODE, pdmInkAmount, FK_S16, PX_INK_COUNT, FALSE),
    PRV(pdmAdjustFlag, FK_U32),
    PRV(pdmGamma, FK_S16),
    PRV(pdmBrightness, FK_S16),
    PRV(pdmSaturation, FK_S16),
    PRV(pdmContrast, FK_S16),
    PRV(pdmBalanceCyanRed, FK_S16),
    PRV(pdmBalanceMagentaGreen, FK_S16),
    PRV(pdmBalanceYellowBlue, FK_S16),
    PRV(pdmTotalInkLimit, FK_S16),
    PRV(pdmImageProfile, FK_TEXT),
    PRV(pdmPrinterProfile, FK_TEXT),
    PRV(pdmNoMirror, FK_U32),
    PRV(pdmEffectSet, FK_U32),
    PRV(pdmEffect, FK_S16),
    PRV(pdmOverprintOn, FK_U32),
    PRV(pdmOverprintCount, FK_U16),
    PRV(pdmOverprintWaitOn, FK_U32),
    PRV(pdmOverprintWait, FK_U16),
    PRV(pdmPreHeaterOn, FK_U32),
    PRV(pdmPreHeaterTemp, FK_U16),
    PRV(pdmPlatenHeaterOn, FK_U32),
    PRV(pdmPlatenHeaterTemp, FK_U16),
    PRV(pdmAfterHeaterOn, FK_U32),
    PRV(pdmAfterHeaterTemp, FK_U16),
    PRV(pdmOnTheFly, FK_U32),
    PRV(pdmLengthUnit, FK_S16),
    PRV(pdmTempUnit, FK_S16),
    PRV(pdmModelSet, FK_U32),
    PRV(pdmModel, FK_U16),
    PRV(pdmDotSizeSet, FK_U32),
    PRV(pdmDotSize, FK_U16),
    PRV(pdmDirectionSet, FK_U32),
    PRV(pdmDirection, FK_U16),
    PRV(pdmWaveformSet, FK_U32),
    PRV(pdmWaveform, FK_U16),
    PRV(pdmCarriageSpeedSet, FK_U32),
    PRV(pdmCarriageSpeed, FK_U16),
    PRV(pdmCarriageWidthSet, FK_U32),
    PRV(pdmCarriageWidth, FK_U16),
    PRV(pdmMediaCutSet, FK_U32),
    PRV(pdmMediaCut, FK_U16),
    PRV(pdmSuctionFanSet, FK_U32),
    PRV(pdmSuctionFan, FK_U16),
    PRV(pdmSideMarginSet, FK_U32),
    PRV(pdmSideMargin, FK_U16),
    PRV(pdmDryTimeSet, FK_U32),
    PRV(pdmDryTime, FK_U16),
    PRV(pdmFeedAdjustSet, FK_U32),
    PRV(pdmFeedAdjust, FK_S16),
    PRV(pdmColorTableSet, FK_U32),
    PRV(pdmColorTable, FK_TEXT),
    PRV(pdmExtraByte, FK_U8),
    PRV(pdmMarginMode, FK_U32),
    PRV(pdmExtraLevel, FK_S32),
    PRV(pdmExtra2652, FK_U32),
    PRV(pdmExtra2656, FK_U32),
    PRV(pdmExtra2660, FK_S16),
    PRV(pdmExtra2662, FK_S16),
    PRVHEX(pdmSettingStoreHandle, FK_U32),
    PRVHEX(pdmSettingStore, FK_U32),
    PRV(pdmShowStatus, FK_U32),
    PRV(pdmCropMarks, FK_U32),
    FIELD(PXDEVMODE, pdmSettingCount, FK_S16, 2, FALSE),
};
static const int kFieldCount = static_cast<int>(sizeof kFields / sizeof kFields[0]);

const char *const kDevModePublicFields[] = {
    "dmDeviceName", "dmSpecVersion", "dmDriverVersion", "dmSize", "dmDriverExtra",
    "dmFields", "dmOrientation", "dmPaperSize", "dmPaperLength", "dmPaperWidth",
    "dmScale", "dmCopies", "dmDefaultSource", "dmPrintQuality", "dmColor", "dmDuplex",
    "dmYResolution", "dmTTOption", "dmCollate", "dmFormName", "dmLogPixels",
    "dmBitsPerPel", "dmPelsWidth", "dmPelsHeight", "dmNup", "dmDisplayFrequency",
    "dmICMMethod", "dmICMIntent", "dmMediaType", "dmDitherType", "dmReserved1",
    "dmReserved2", "dmPanningWidth", "dmPanningHeight", NULL};

const char *const kDevModePrivateFields[] = {
    "pdmRotated", "pdmSizeSeries", "pdmOutputSize", "pdmOutputScale", "pdmRotation",
    "pdmMediaWidth", "pdmUserSizes", "pdmMargin", "pdmPaperType", "pdmSettingIndex",
    "pdmLegacySettingCount", "pdmColorFlags", "pdmInkSet", "pdmPrintMode", "pdmQualityMode",
    "pdmResolution", "pdmResolutionIndex", "pdmGrayFlag", "pdmColorCorrection",
    "pdmColorProcess", "pdmInkAmount", "pdmAdjustFlag", "pdmGamma", "pdmBrightness",
    "pdmSaturation", "pdmContrast", "pdmBalanceCyanRed", "pdmBalanceMagentaGreen",
    "pdmBalanceYellowBlue", "pdmTotalInkLimit", "pdmImageProfile", "pdmPrinterProfile",
    "pdmNoMirror", "pdmEffectSet", "pdmEffect", "pdmOverprintOn", "pdmOverprintCount",
    "pdmOverprintWaitOn", "pdmOverprintWait", "pdmPreHeaterOn", "pdmPreHeaterTemp",
    "pdmPlatenHeaterOn", "pdmPlatenHeaterTemp", "pdmAfterHeaterOn", "pdmAfterHeaterTemp",
    "pdmOnTheFly", "pdmLengthUnit", "pdmTempUnit", "pdmModelSet", "pdmModel",
    "pdmDotSizeSet", "pdmDotSize", "pdmDirectionSet", "pdmDirection", "pdmWaveformSet",
    "pdmWaveform", "pdmCarriageSpeedSet", "pdmCarriageSpeed", "pdmCarriageWidthSet",
    "pdmCarriageWidth", "pdmMediaCutSet", "pdmMediaCut", "pdmSuctionFanSet",
    "pdmSuctionFan", "pdmSideMarginSet", "pdmSideMargin", "pdmDryTimeSet", "pdmDryTime",
    "pdmFeedAdjustSet", "pdmFeedAdjust", "pdmColorTableSet", "pdmColorTable",
    "pdmExtraByte", "pdmMarginMode", "pdmExtraLevel", "pdmExtra2652", "pdmExtra2656",
    "pdmExtra2660", "pdmExtra2662", "pdmSettingStoreHandle", "pdmSettingStore",
    "pdmShowStatus", "pdmCropMarks", "pdmSettingCount", NULL};

static int64_t ReadNumber(const BYTE *at, FieldKind kind)
{
    switch (kind) {
    case FK_S8: return *reinterpret_cast<const int8_t *>(at);
    case FK_U8: return *at;
    case FK_S16: { int16_t v; memcpy(&v, at, sizeof v); return v; }
    case FK_U16: { uint16_t v; memcpy(&v, at, sizeof v); return v; }
    case FK_S32: { int32_t v; memcpy(&v, at, sizeof v); return v; }
    case FK_U32: { uint32_t v; memcpy(&v, at, sizeof v); return v; }
    default: return 0;
    }
}

// Texts in the record are WCHAR arrays that need not be terminated.
static void ReadText(const BYTE *at, size_t bytes, WCHAR *text, size_t chars)
{
    size_t n = bytes / sizeof(WCHAR);
    if (n >= chars)
        n = chars - 1;
    memcpy(text, at, n * sizeof(WCHAR));
    text[n] = 0;
}

static BOOL Selected(const FieldDesc *field, const char *const *names)
{
    if (!names)
        return TRUE;
    for (; *names; names++)
        if (strcmp(*names, field->name) == 0)
            return TRUE;
    return FALSE;
}

BOOL IsDevModeField(const char *name)
{
    for (int i = 0; i < kFieldCount; i++)
        if (name && strcmp(kFields[i].name, name) == 0)
            return TRUE;
    return FALSE;
}

// --- JSON -----------------------------------------------------------------

static Json JsonFields(const BYTE *base, const FieldDesc *fields, int count);

static Json JsonElement(const BYTE *at, const FieldDesc *field)
{
    if (field->kind == FK_RECORD)
        return JsonFields(at, field->members, field->memberCount);
    if (field->kind == FK_TEXT) {
        WCHAR text[PX_PATH_CHARS + 1];
        ReadText(at, field->bytes, text, PX_PATH_CHARS + 1);
        return Utf8(text, PX_PATH_CHARS + 1);
    }
    return ReadNumber(at, field->kind);
}

static Json JsonField(const BYTE *base, const FieldDesc *field)
{
    const BYTE *at = base + field->offset;
    if (field->count == 1)
        return JsonElement(at, field);
    size_t step = field->bytes / field->count;
    Json elements = Json::array();
    for (int i = 0; i < field->count; i++)
        elements.push_back(JsonElement(at + i * step, field));
    return elements;
}

static Json JsonFields(const BYTE *base, const FieldDesc *fields, int count)
{
    Json object = Json::object();
    for (int i = 0; i < count; i++)
        object[fields[i].name] = JsonField(base, &fields[i]);
    return object;
}

void AddDevModeJsonFields(Json *object, const PXDEVMODE *record, size_t bytes,
                          const char *const *names)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    for (int i = 0; i < kFieldCount; i++) {
        const FieldDesc *field = &kFields[i];
        if (field->offset + field->bytes <= bytes && Selected(field, names))
            (*object)[field->name] = JsonField(base, field);
    }
}

// --- readable -------------------------------------------------------------

static void PrintTextFields(FILE *out, const char *prefix, const BYTE *base,
                            const FieldDesc *fields, int count);

static void PrintTextValue(FILE *out, const char *path, const BYTE *at, const FieldDesc *field)
{
    if (field->kind == FK_RECORD) {
        PrintTextFields(out, path, at, field->members, field->memberCount);
        return;
    }
    if (field->kind == FK_TEXT) {
        WCHAR text[PX_PATH_CHARS + 1];
        ReadText(at, field->bytes, text, PX_PATH_CHARS + 1);
        fprintf(out, "%s: \"%s\"\n", path, Utf8(text, PX_PATH_CHARS + 1).c_str());
        return;
    }
    int64_t value = ReadNumber(at, field->kind);
    if (field->hex)
        fprintf(out, "%s: %" PRId64 " (0x%" PRIX64 ")\n", path, value,
                static_cast<uint64_t>(value) & 0xFFFFFFFFu);
    else
        fprintf(out, "%s: %" PRId64 "\n", path, value);
}

static void PrintTextField(FILE *out, const char *prefix, const BYTE *base,
                           const FieldDesc *field)
{
    char path[160];
    const BYTE *at = base + field->offset;
    if (field->count == 1) {
        snprintf(path, sizeof path, "%s%s%s", prefix, *prefix ? "." : "", field->name);
        PrintTextValue(out, path, at, field);
        return;
    }
    size_t step = field->bytes / field->count;
    for (int i = 0; i < field->count; i++) {
        snprintf(path, sizeof path, "%s%s%s[%d]", prefix, *prefix ? "." : "", field->name, i);
        PrintTextValue(out, path, at + i * step, field);
    }
}

static void PrintTextFields(FILE *out, const char *prefix, const BYTE *base,
                            const FieldDesc *fields, int count)
{
    for (int i = 0; i < count; i++)
        PrintTextField(out, prefix, base, &fields[i]);
}

void PrintDevMode(FILE *out, const PXDEVMODE *record, size_t bytes, DevModeFormat format,
                  const char *const *names)
{
    if (format == DEVMODE_JSON) {
        Json document = Json::object();
        AddDevModeJsonFields(&document, record, bytes, names);
        PrintJson(out, document);
        return;
    }
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    for (int i = 0; i < kFieldCount; i++) {
        const FieldDesc *field = &kFields[i];
        if (field->offset + field->bytes <= bytes && Selected(field, names))
            PrintTextField(out, "", base, field);
    }
    fflush(out);
}
