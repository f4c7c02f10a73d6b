// The reference data driver of the ORVEN PX-2210 family: the xRtl operations
// the user-interface module calls, answered from the tables of pxdata_tables.cpp.
//
// Conventions of every operation: a null record or buffer, an index outside
// 1..count (other than -1, the default entry) and an unknown key give 0 and
// leave the record as it was. On success the whole record is rewritten: the
// numeric fields and the name id are set, the name field is left empty (the
// module loads it from this library's string table) and reserved fields are
// zero. Nothing here keeps state, so calls from several threads are safe.
#include <windows.h>
#include <string.h>
#include <type_traits>

#include "core/ddops.h"
#include "core/ddrecords.h"
#include "datadriver/pxdata_ids.h"
#include "datadriver/pxdata_tables.h"

#define PX_EXPORT extern "C"

// 0-based table row for an enumeration index (1-based, -1 = default), or -1.
static int RowOfIndex(int index, int count, int defaultRow)
{
    if (index == PX_DEFAULT_INDEX)
        return defaultRow;
    if (index < 1 || index > count)
        return -1;
    return index - 1;
}

// ---------------------------------------------------------------- printer

PX_EXPORT int WINAPI xRtlPrinterInfo(PrinterInfoRecord *info)
{
    if (!info)
        return 0;
    memset(info, 0, sizeof *info);
    info->version = PXDATA_VERSION_WORD;
    info->capabilities = PX_CAPS_COLOR | PX_CAPS_INKSET_4;
    info->maxCopies = PXDATA_MAX_COPIES;
    info->maxWidth = 13710;
    info->maxLength = 500000;
    info->minWidth = PXDATA_MIN_WIDTH;
    info->minLength = 1000;
    info->versionStringIds[0] = PXS_PRODUCT_LINE;
    info->versionStringIds[1] = PXS_NOTICE_1;
    info->versionStringIds[2] = PXS_NOTICE_2;
    return 1;
}

// ---------------------------------------------------------------- media

static int FillMedia(int row, MediaRecord *media)
{
    if (row < 0 || !media)
        return 0;
    const MediaRow &m = kMedia[row];
    memset(media, 0, sizeof *media);
    media->code = m.code;
    media->nameId = PXS_MEDIA_BASE + row;
    media->maxWidth = m.maxWidth;
    media->maxLength = m.maxLength;
    media->minWidth = m.minWidth;
    media->minLength = m.minLength;
    media->uprightCode = m.uprightCode;
    media->turnedCode = m.turnedCode;
    media->keepPaperCode = m.keepPaperCode;
    return 1;
}

PX_EXPORT int WINAPI xRtlMediaQuery(void) { return kMediaCount; }

PX_EXPORT int WINAPI xRtlMediaEnum(int index, MediaRecord *media)
{
    return FillMedia(RowOfIndex(index, kMediaCount, kDefaultMediaIndex), media);
}

// Bit 0x200 of a media source is a flag of the device mode,
// not part of the media code: the search ignores it.
PX_EXPORT int WINAPI xRtlMediaSearch(int code, MediaRecord *media)
{
    if (code < 0 || code > 0xFFFF)
        return 0;
    for (int row = 0; row < kMediaCount; row++)
        if (kMedia[row].code == (code & ~0x200))
            return FillMedia(row, media);
    return 0;
}

// ---------------------------------------------------------------- paper types

static int FillPaperType(int row, PaperTypeRecord *ptype)
{
    if (row < 0 || !ptype)
        return 0;
    memset(ptype, 0, sizeof *ptype);
    ptype->id = kPaperTypes[row].id;
    ptype->extra[0] = kPaperTypes[row].extra[0];
    ptype->extra[1] = kPaperTypes[row].extra[1];
    return 1;
}

#ifdef PXDATA_NO_PAPER_TYPES
static const int kPaperTypesOffered = 0;
#else
static const int kPaperTypesOffered = kPaperTypeCount;
#endif

PX_EXPORT int WINAPI xRtlPtypeQuery(void) { return kPaperTypesOffered; }

PX_EXPORT int WINAPI xRtlPtypeEnum(int index, PaperTypeRecord *ptype)
{
    if (!kPaperTypesOffered)
        return 0;
    return FillPaperType(RowOfIndex(index, kPaperTypeCount, kDefaultPaperTypeIndex), ptype);
}

PX_EXPORT int WINAPI xRtlPtypeSearch(int id, PaperTypeRecord *ptype)
{
    for (int row = 0; row < kPaperTypesOffered; row++)
        if ((int)kPaperTypes[row].id == id)
            return FillPaperType(row, ptype);
    return 0;
}

// ---------------------------------------------------------------- margins

static int FillMargin(int row, MarginRecord *margin)
{
    if (row < 0 || !margin)
        return 0;
    const MarginRow &m = kMargins[row];
    memset(margin, 0, sizeof *margin);
    margin->mediaMask = m.mediaMask;
    margin->id = m.id;
    margin->lengthEnds[0] = m.lengthEnds[0];
    margin->lengthEnds[1] = m.lengthEnds[1];
    margin->widthSides[0] = m.widthSides[0];
    margin->widthSides[1] = m.widthSides[1];
    margin->group = m.group;
    return 1;
}

PX_EXPORT int WINAPI xRtlMarginQuery(void) { return kMarginCount; }

PX_EXPORT int WINAPI xRtlMarginEnum(int index, MarginRecord *margin)
{
    return FillMargin(RowOfIndex(index, kMarginCount, kDefaultMarginIndex), margin);
}

PX_EXPORT int WINAPI xRtlMarginSearch(int id, MarginRecord *margin)
{
    for (int row = 0; row < kMarginCount; row++)
        if ((int)kMargins[row].id == id)
            return FillMargin(row, margin);
    return 0;
}

// ---------------------------------------------------------------- papers

// Negative: the module adds the spooler's forms that fit.
PX_EXPORT int WINAPI xRtlPaperQuery(void)
{
#ifdef PXDATA_POSITIVE_PAPER_COUNT
    return kPaperCount;
#else
    return -kPaperCount;
#endif
}

PX_EXPORT int WINAPI xRtlPaperEnum(int index, PaperRecord *paper)
{
    int row = RowOfIndex(index, kPaperCount, kDefaultPaperIndex);
    if (row < 0 || !paper)
        return 0;
    const PaperRow &p = kPapers[row];
    memset(paper, 0, sizeof *paper);
    paper->code = p.code;
    paper->nameId = PXS_PAPER_BASE + p.paperSize;
    paper->width = p.width;
    paper->length = p.length;
    for (int i = 0; i < 4; i++)
        paper->margins[i] = p.margins[i];
    paper->series = p.series;
#ifdef PXDATA_NO_USER_SIZES
    // The user-size papers stay in the table but belong to no series.
    if (paper->series & 0x80000000u)
        paper->series = 0;
#endif
    paper->paperSize = p.paperSize;
    return 1;
}

// ---------------------------------------------------------------- resolutions

static int CopyDpis(const uint16_t *table, int tableCount, uint16_t *dpis, int count)
{
    if (!dpis || count <= 0)
        return 0;
    int n = count < tableCount ? count : tableCount;
    for (int i = 0; i < n; i++)
        dpis[i] = table[i];
    return n;
}

// GDI resolutions offered to applications (DC_ENUMRESOLUTIONS).
PX_EXPORT int WINAPI xRtlGdiDPIEnum(uint16_t *dpis, int count)
{
    return CopyDpis(kGdiDpis, kGdiDpiCount, dpis, count);
}

// Engine resolutions of the print head (not called by the module).
PX_EXPORT int WINAPI xRtlDevDPIEnum(uint16_t *dpis, int count)
{
    return CopyDpis(kDeviceDpis, kDeviceDpiCount, dpis, count);
}

// ---------------------------------------------------------------- quality modes

static int FillQualityMode(int row, QualityModeRecord *mode)
{
    if (row < 0 || !mode)
        return 0;
    const QualityRow &q = kQualityModes[row];
    memset(mode, 0, sizeof *mode);
    mode->id = q.id;
    mode->nameId = PXS_QUALITY_BASE + q.id;
    // extra: x dpi and y dpi, 16-bit little-endian each, then four zero bytes.
    mode->extra[0] = (uint8_t)(q.xDpi & 0xFF);
    mode->extra[1] = (uint8_t)(q.xDpi >> 8);
    mode->extra[2] = (uint8_t)(q.yDpi & 0xFF);
    mode->extra[3] = (uint8_t)(q.yDpi >> 8);
    return 1;
}

// pxdata_nocolor.dll answers no quality modes and no colour corrections.
#ifdef PXDATA_NO_QUALITY_NO_CORRECTIONS
#define PXDATA_ANSWERS_COLOR 0
#else
#define PXDATA_ANSWERS_COLOR 1
#endif

PX_EXPORT int WINAPI xRtlQltModeQuery(void) { return PXDATA_ANSWERS_COLOR ? kQualityModeCount : 0; }

PX_EXPORT int WINAPI xRtlQltModeEnum(int index, QualityModeRecord *mode)
{
    if (!PXDATA_ANSWERS_COLOR)
        return 0;
    return FillQualityMode(RowOfIndex(index, kQualityModeCount, kDefaultQualityModeIndex), mode);
}

// pxdata_noop.dll is linked from the same object but does not export this one.
PX_EXPORT int WINAPI xRtlQltModeSearch(int id, QualityModeRecord *mode)
{
    if (!PXDATA_ANSWERS_COLOR)
        return 0;
    for (int row = 0; row < kQualityModeCount; row++)
        if ((int)kQualityModes[row].id == id)
            return FillQualityMode(row, mode);
    return 0;
}

// The printer-language command that selects a quality mode, for the
// rendering side (not called by the module): "MPM<id>,<xdpi>,<ydpi>;".
// Returns the characters written without the terminator; 0 for an unknown id,
// a null buffer or a buffer too small for the whole sentence.
PX_EXPORT int WINAPI xRtlMPMsentence(int id, WCHAR *text, int chars)
{
    if (!text || chars <= 0)
        return 0;
    for (int row = 0; row < kQualityModeCount; row++) {
        const QualityRow &q = kQualityModes[row];
        if ((int)q.id != id)
            continue;
        WCHAR sentence[64];
        int n = wsprintfW(sentence, L"MPM%d,%d,%d;", (int)q.id, (int)q.xDpi, (int)q.yDpi);
        if (n <= 0 || n >= chars)
            return 0;
        memcpy(text, sentence, (n + 1) * sizeof(WCHAR));
        return n;
    }
    return 0;
}

// ---------------------------------------------------------------- colour corrections

static int FillColorCorrection(int row, ColorCorrectionRecord *ccr)
{
    if (row < 0 || !ccr)
        return 0;
    memset(ccr, 0, sizeof *ccr);
    ccr->id = kColorCorrections[row].id;
    ccr->extra[0] = kColorCorrections[row].extra[0];
    ccr->extra[1] = kColorCorrections[row].extra[1];
    return 1;
}

PX_EXPORT int WINAPI xRtlCCRmQuery(void) { return PXDATA_ANSWERS_COLOR ? kColorCorrectionCount : 0; }

PX_EXPORT int WINAPI xRtlCCRmEnum(int index, ColorCorrectionRecord *ccr)
{
    if (!PXDATA_ANSWERS_COLOR)
        return 0;
    return FillColorCorrection(
        RowOfIndex(index, kColorCorrectionCount, kDefaultColorCorrectionIndex), ccr);
}

PX_EXPORT int WINAPI xRtlCCRmSearch(int id, ColorCorrectionRecord *ccr)
{
    if (!PXDATA_ANSWERS_COLOR)
        return 0;
    for (int row = 0; row < kColorCorrectionCount; row++)
        if ((int)kColorCorrections[row].id == id)
            return FillColorCorrection(row, ccr);
    return 0;
}

// The tone curve of a colour correction, for the rendering side (not called
// by the module): 256 bytes, output level per input level. A null table asks
// for the size. Returns 256, or 0 for an unknown colour-correction id.
#define PX_LUT_BYTES 256
PX_EXPORT int WINAPI xRtlLookUpTblSearch(int id, void *table)
{
    int row = -1;
    for (int i = 0; i < kColorCorrectionCount; i++)
        if ((int)kColorCorrections[i].id == id)
            row = i;
    if (row < 0)
        return 0;
    if (table) {
        uint8_t *out = static_cast<uint8_t *>(table);
        for (int v = 0; v < PX_LUT_BYTES; v++) {
            int level = v;
            switch (kColorCorrections[row].extra[0]) {
            case 1:  // vivid: lift the mid-tones
                level = v + (v * (255 - v)) / 512;
                break;
            case 2:  // sepia tone ramp: slightly compressed
                level = 16 + (v * 224) / 255;
                break;
            default:  // standard and none: identity
                break;
            }
            out[v] = (uint8_t)(level > 255 ? 255 : level);
        }
    }
    return PX_LUT_BYTES;
}

// ---------------------------------------------------------------- checks

// The exported functions have exactly the types the module calls them with.
static_assert(std::is_same<decltype(&xRtlPrinterInfo), PFN_xRtlPrinterInfo>::value, "");
static_assert(std::is_same<decltype(&xRtlMediaQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlMediaEnum), PFN_xRtlMediaGet>::value, "");
static_assert(std::is_same<decltype(&xRtlMediaSearch), PFN_xRtlMediaGet>::value, "");
static_assert(std::is_same<decltype(&xRtlPtypeQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlPtypeEnum), PFN_xRtlPtypeGet>::value, "");
static_assert(std::is_same<decltype(&xRtlPtypeSearch), PFN_xRtlPtypeGet>::value, "");
static_assert(std::is_same<decltype(&xRtlMarginQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlMarginEnum), PFN_xRtlMarginGet>::value, "");
static_assert(std::is_same<decltype(&xRtlMarginSearch), PFN_xRtlMarginGet>::value, "");
static_assert(std::is_same<decltype(&xRtlPaperQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlPaperEnum), PFN_xRtlPaperEnum>::value, "");
static_assert(std::is_same<decltype(&xRtlGdiDPIEnum), PFN_xRtlDPIEnum>::value, "");
static_assert(std::is_same<decltype(&xRtlMPMsentence), PFN_xRtlMPMsentence>::value, "");
static_assert(std::is_same<decltype(&xRtlQltModeQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlQltModeEnum), PFN_xRtlQltModeGet>::value, "");
static_assert(std::is_same<decltype(&xRtlQltModeSearch), PFN_xRtlQltModeGet>::value, "");
static_assert(std::is_same<decltype(&xRtlLookUpTblSearch), PFN_xRtlLookUpTblSearch>::value, "");
static_assert(std::is_same<decltype(&xRtlCCRmQuery), PFN_xRtlQuery>::value, "");
static_assert(std::is_same<decltype(&xRtlCCRmEnum), PFN_xRtlCCRmGet>::value, "");
static_assert(std::is_same<decltype(&xRtlCCRmSearch), PFN_xRtlCCRmGet>::value, "");
static_assert(std::is_same<decltype(&xRtlDevDPIEnum), PFN_xRtlDPIEnum>::value, "");

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
