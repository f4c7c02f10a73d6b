#include "tests/devmode/helpers.h"

#include <string.h>
#include <type_traits>
#include <winspool.h>

#include "core/binding.h"
#include "devmode/papermerge.h"
#include "devmode/resolution.h"
#include "devmode/template.h"
#include "tests/common/guardpage.h"

BoundPrinter::BoundPrinter(const WCHAR *name) : handle(name), info()
{
    bound = handle.handle && BindAndCheck(handle, &info);
}

Build::Build(const BoundPrinter &printer, const void *caller, size_t callerBytes, BOOL useStored)
    : list()
{
    Guarded target(sizeof(PXDEVMODE)), input(callerBytes ? callerBytes : 1);
    if (caller)
        memcpy(input.buffer.data, caller, callerBytes);
    PrinterInfoRecord info = printer.info;
    ok = BuildDevMode(target.as<PXDEVMODE>(), caller ? input.as<DEVMODEW>() : NULL,
                      printer.handle, PX_PRINTER, &info, &list, useStored);
    memcpy(&dm, target.buffer.data, sizeof dm);
}

size_t DeclaredBytes(const PXDEVMODE &r)
{
    if (r.dm.dmSize < PX_DM_PUBLIC_SIZE)
        return offsetof(DEVMODEW, dmDriverExtra);
    size_t declared = (size_t)r.dm.dmSize + r.dm.dmDriverExtra;
    return declared < sizeof r ? declared : sizeof r;
}

static BOOL SetStored(HANDLE printer, std::vector<BYTE> info, const DEVMODEW *record)
{
    AsInfo2(info)->pDevMode = const_cast<DEVMODEW *>(record);
    AsInfo2(info)->pSecurityDescriptor = NULL;
    return SetPrinterW(printer, 2, info.data(), 0);
}

StoredRecordScope::StoredRecordScope(HANDLE p, const DEVMODEW *record)
    : printer(p), saved(PrinterInfo2(p))
{
    set = !saved.empty() && SetStored(printer, saved, record);
}

StoredRecordScope::~StoredRecordScope()
{
    if (set)
        SetStored(printer, saved, AsInfo2(saved)->pDevMode);
}

// Every ranged field of the record, read at its offset with its width and sign.
struct Range {
    const char *name;
    size_t offset, size;
    bool isSigned;
    int64_t low, high;
};
#define RANGE(f, low, high)                                                                  \
    {#f, offsetof(PXDEVMODE, f), sizeof(((PXDEVMODE *)0)->f),                               \
     std::is_signed<std::remove_reference<decltype(((PXDEVMODE *)0)->f)>::type>::value, low, high}
static const Range kRanges[] = {
    RANGE(dm.dmOrientation, 1, 2), RANGE(dm.dmScale, 10, 1000), RANGE(dm.dmCopies, 1, 999),
    RANGE(dm.dmColor, 1, 2), RANGE(dm.dmICMMethod, 1, 2), RANGE(dm.dmICMIntent, 1, 4),
    RANGE(pdmOutputSize, 256, 373), RANGE(pdmOutputScale, 10, 1000), RANGE(pdmRotation, 0, 5),
    RANGE(pdmMediaWidth, 2100, 13710), RANGE(pdmSettingIndex, -1, 20),
    RANGE(pdmSettingCount[0], 0, 20), RANGE(pdmSettingCount[1], 0, 20),
    RANGE(pdmPrintMode, 0, 28), RANGE(pdmResolutionIndex, 0, 11), RANGE(pdmGamma, 1, 22),
    RANGE(pdmBrightness, -50, 50), RANGE(pdmSaturation, -50, 50), RANGE(pdmContrast, -50, 50),
    RANGE(pdmBalanceCyanRed, -50, 50), RANGE(pdmBalanceMagentaGreen, -50, 50),
    RANGE(pdmBalanceYellowBlue, -50, 50), RANGE(pdmTotalInkLimit, 1, 400), RANGE(pdmEffect, 0, 33),
    RANGE(pdmOverprintCount, 1, 9), RANGE(pdmOverprintWait, 0, 50), RANGE(pdmPreHeaterTemp, 0, 50),
    RANGE(pdmPlatenHeaterTemp, 0, 50), RANGE(pdmAfterHeaterTemp, 0, 50), RANGE(pdmLengthUnit, 0, 1),
    RANGE(pdmTempUnit, 0, 1), RANGE(pdmDotSize, 2, 5), RANGE(pdmDirection, 1, 2),
    RANGE(pdmWaveform, 1, 4), RANGE(pdmCarriageSpeed, 1, 2), RANGE(pdmCarriageWidth, 0, 2),
    RANGE(pdmMediaCut, 0, 4), RANGE(pdmSuctionFan, 0, 2), RANGE(pdmSideMargin, 5, 25),
    RANGE(pdmDryTime, 0, 3600), RANGE(pdmFeedAdjust, -500, 500), RANGE(pdmExtraLevel, 0, 100),
};

static int64_t ReadField(const PXDEVMODE &dm, const Range &r)
{
    uint64_t raw = 0;
    memcpy(&raw, reinterpret_cast<const BYTE *>(&dm) + r.offset, r.size);
    int shift = 64 - 8 * (int)r.size;
    return r.isSigned ? (int64_t)(raw << shift) >> shift : (int64_t)raw;
}

static bool Terminated(const WCHAR *text, int chars) { return wmemchr(text, 0, chars) != NULL; }

static bool AllZero(const void *bytes, size_t size)
{
    const BYTE *b = static_cast<const BYTE *>(bytes);
    return size == 0 || (b[0] == 0 && memcmp(b, b + 1, size - 1) == 0);
}

#define CHECK(condition) \
    if (!(condition)) return testing::AssertionFailure() << #condition

testing::AssertionResult KeepsInvariants(const PXDEVMODE &dm, const PaperList &list)
{
    for (const Range &r : kRanges) {
        int64_t v = ReadField(dm, r);
        CHECK(v >= r.low && v <= r.high) << ": " << r.name << " = " << v;
    }
    for (uint16_t t : {dm.pdmPreHeaterTemp, dm.pdmPlatenHeaterTemp, dm.pdmAfterHeaterTemp})
        CHECK(t == 0 || t >= 30);
    CHECK(dm.dm.dmSpecVersion == 0x401 && dm.dm.dmDriverVersion == 0x102);
    CHECK(dm.dm.dmSize == 220 && dm.dm.dmDriverExtra == 3940 && dm.dm.dmFields == 0x1814B1F);
    CHECK(dm.dm.dmYResolution == dm.dm.dmPrintQuality);
    CHECK(dm.pdmRotated == (dm.pdmRotation == 0 || dm.pdmRotation == 2 || dm.pdmRotation == 4));
    CHECK(((dm.pdmColorFlags & 0x2000) != 0) == (dm.pdmResolutionIndex == 11));
    CHECK(dm.pdmResolution == EngineResolution(dm.pdmQualityMode.id));
    CHECK(dm.dm.dmMediaType == MediaTypeForPaperType(dm.pdmPaperType.id));
    CHECK(dm.pdmLegacySettingCount == 0 && (dm.pdmSizeSeries & 0x80000000u));
    CHECK(dm.pdmModel == 105 || dm.pdmModel == 253);
    CHECK(dm.pdmInkSet == PX_CAPS_INKSET_4);
    CHECK(dm.reserved220 == 0 && dm.reserved234 == 0 && dm.reserved242 == 0 && dm.reserved598 == 0);
    CHECK(dm.reserved922 == 0 && dm.reserved1966 == 0 && dm.reserved1978 == 0);
    CHECK(AllZero(dm.reserved2664, sizeof dm.reserved2664) &&
          AllZero(dm.reserved2836, sizeof dm.reserved2836));
    CHECK(Terminated(dm.dm.dmDeviceName, 32) && Terminated(dm.pdmImageProfile, 260) &&
          Terminated(dm.pdmPrinterProfile, 260) && Terminated(dm.pdmColorTable, 260));
    PaperEntry entry;
    CHECK(FindRecordPaper(&dm, &list, &entry) != 0);
    CHECK(dm.dm.dmPaperSize == DMPAPER_USER ||
          (entry.width == dm.dm.dmPaperWidth && entry.length == dm.dm.dmPaperLength));
    bool known = false;
    for (int i = 0; i < PX_RESOLUTION_CHOICES; i++)
        known |= dm.dm.dmPrintQuality == ResolutionOfIndex(i);
    CHECK(known) << ": " << dm.dm.dmPrintQuality;
    return testing::AssertionSuccess();
}
