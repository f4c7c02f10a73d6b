#include "tests/common/records.h"

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#define FIELD(type, member) {#member, offsetof(type, member), sizeof(((type *)0)->member)}
#define DMF(member) FIELD(PXDEVMODE, member)

static const RecordField kDevModeFields[] = {
    DMF(dm.dmDeviceName), DMF(dm.dmSpecVersion), DMF(dm.dmDriverVersion), DMF(dm.dmSize),
    DMF(dm.dmDriverExtra), DMF(dm.dmFields), DMF(dm.dmOrientation), DMF(dm.dmPaperSize),
    DMF(dm.dmPaperLength), DMF(dm.dmPaperWidth), DMF(dm.dmScale), DMF(dm.dmCopies),
    DMF(dm.dmDefaultSource), DMF(dm.dmPrintQuality), DMF(dm.dmColor), DMF(dm.dmDuplex),
    DMF(dm.dmYResolution), DMF(dm.dmTTOption), DMF(dm.dmCollate), DMF(dm.dmFormName),
    DMF(dm.dmLogPixels), DMF(dm.dmBitsPerPel), DMF(dm.dmPelsWidth), DMF(dm.dmPelsHeight),
    DMF(dm.dmDisplayFlags), DMF(dm.dmDisplayFrequency), DMF(dm.dmICMMethod), DMF(dm.dmICMIntent),
    DMF(dm.dmMediaType), DMF(dm.dmDitherType), DMF(dm.dmReserved1), DMF(dm.dmReserved2),
    DMF(dm.dmPanningWidth), DMF(dm.dmPanningHeight), DMF(reserved220), DMF(pdmRotated),
    DMF(pdmSizeSeries), DMF(pdmOutputSize), DMF(reserved234), DMF(pdmOutputScale),
    DMF(pdmRotation), DMF(reserved242), DMF(pdmMediaWidth), DMF(pdmUserSizes), DMF(pdmMargin),
    DMF(pdmPaperType), DMF(pdmSettingIndex), DMF(pdmLegacySettingCount), DMF(pdmColorFlags),
    DMF(pdmInkSet), DMF(pdmPrintMode), DMF(reserved598), DMF(pdmQualityMode), DMF(pdmResolution),
    DMF(pdmResolutionIndex), DMF(pdmGrayFlag), DMF(pdmColorCorrection), DMF(pdmColorProcess),
    DMF(pdmInkAmount), DMF(pdmAdjustFlag), DMF(pdmGamma), DMF(pdmBrightness), DMF(pdmSaturation),
    DMF(pdmContrast), DMF(pdmBalanceCyanRed), DMF(pdmBalanceMagentaGreen),
    DMF(pdmBalanceYellowBlue), DMF(reserved922), DMF(pdmTotalInkLimit), DMF(pdmImageProfile),
    DMF(pdmPrinterProfile), DMF(reserved1966), DMF(pdmNoMirror), DMF(pdmEffectSet), DMF(pdmEffect),
    DMF(reserved1978), DMF(pdmOverprintOn), DMF(pdmOverprintCount), DMF(reserved1986),
    DMF(pdmOverprintWaitOn), DMF(pdmOverprintWait), DMF(reserved1994), DMF(pdmPreHeaterOn),
    DMF(pdmPreHeaterTemp), DMF(reserved2002), DMF(pdmPlatenHeaterOn), DMF(pdmPlatenHeaterTemp),
    DMF(reserved2010), DMF(pdmAfterHeaterOn), DMF(pdmAfterHeaterTemp), DMF(reserved2018),
    DMF(pdmOnTheFly), DMF(pdmLengthUnit), DMF(pdmTempUnit), DMF(pdmModelSet), DMF(pdmModel),
    DMF(reserved2034), DMF(pdmDotSizeSet), DMF(pdmDotSize), DMF(reserved2042),
    DMF(pdmDirectionSet), DMF(pdmDirection), DMF(reserved2050), DMF(pdmWaveformSet),
    DMF(pdmWaveform), DMF(reserved2058), DMF(pdmCarriageSpeedSet), DMF(pdmCarriageSpeed),
    DMF(reserved2066), DMF(pdmCarriageWidthSet), DMF(pdmCarriageWidth), DMF(reserved2074),
    DMF(pdmMediaCutSet), DMF(pdmMediaCut), DMF(reserved2082), DMF(pdmSuctionFanSet),
    DMF(pdmSuctionFan), DMF(reserved2090), DMF(pdmSideMarginSet), DMF(pdmSideMargin),
    DMF(reserved2098), DMF(pdmDryTimeSet), DMF(pdmDryTime), DMF(reserved2106),
    DMF(pdmFeedAdjustSet), DMF(pdmFeedAdjust), DMF(reserved2114), DMF(pdmColorTableSet),
    DMF(pdmColorTable), DMF(pdmExtraByte), DMF(reserved2641), DMF(pdmMarginMode),
    DMF(pdmExtraLevel), DMF(pdmExtra2652), DMF(pdmExtra2656), DMF(pdmExtra2660),
    DMF(pdmExtra2662), DMF(reserved2664), DMF(pdmSettingStoreHandle), DMF(reserved2812),
    DMF(pdmSettingStore), DMF(reserved2820), DMF(pdmShowStatus), DMF(pdmCropMarks),
    DMF(pdmSettingCount), DMF(reserved2836),
};

#define PSF(member) FIELD(PrintSetting, member)
static const RecordField kPrintSettingFields[] = {
    PSF(name), PSF(presetId), PSF(printMode), PSF(dataResolution), PSF(colorMode),
    PSF(grayLevels), PSF(grayMethod), PSF(useCorrection), PSF(colorCorrection), PSF(icmEnabled),
    PSF(imageProfile), PSF(printerProfile), PSF(cyanRed), PSF(magentaGreen), PSF(yellowBlue),
    PSF(blackInk), PSF(cyanInk), PSF(magentaInk), PSF(yellowInk), PSF(saturation), PSF(contrast),
    PSF(brightness), PSF(gamma), PSF(totalInkLimit), PSF(editable), PSF(effect), PSF(reserved1154),
};

#define PGF(member) FIELD(PageGeometry, member)
static const RecordField kGeometryFields[] = {
    PGF(placementFlags), PGF(mediaOrientation), PGF(mediaPrintableWidth),
    PGF(mediaPrintableLength), PGF(pageExtentX), PGF(pageExtentY), PGF(printableOffsetX),
    PGF(printableOffsetY), PGF(printableExtentX), PGF(printableExtentY), PGF(cutLengthEnd),
    PGF(cutWidthStart), PGF(cutWidthEnd),
};

static const char *const kStoreFields[] = {"pdmSettingStoreHandle", "reserved2812",
                                           "pdmSettingStore", "reserved2820"};

#define COUNT(a) static_cast<int>(sizeof(a) / sizeof((a)[0]))

// A field of up to 8 bytes as its little-endian value; longer ones by the
// first byte that differs.
static std::string Describe(const RecordField &f, const BYTE *got, const BYTE *want)
{
    char text[160];
    if (f.size <= 8) {
        uint64_t g = 0, w = 0;
        memcpy(&g, got + f.offset, f.size);
        memcpy(&w, want + f.offset, f.size);
        snprintf(text, sizeof text, "%s: got 0x%llx, want 0x%llx", f.name, (unsigned long long)g,
                 (unsigned long long)w);
    } else {
        size_t i = 0;
        while (got[f.offset + i] == want[f.offset + i])
            i++;
        snprintf(text, sizeof text, "%s: byte %u of %u differs (got 0x%02x, want 0x%02x)", f.name,
                 (unsigned)i, (unsigned)f.size, got[f.offset + i], want[f.offset + i]);
    }
    return text;
}

static bool Skipped(const char *name, const char *const *skip, int skipCount)
{
    for (int i = 0; i < skipCount; i++)
        if (strcmp(name, skip[i]) == 0)
            return true;
    return false;
}

testing::AssertionResult SameFields(const void *gotRecord, const void *wantRecord, size_t bytes,
                                    const RecordField *fields, int fieldCount, size_t from,
                                    const char *const *skip, int skipCount)
{
    const BYTE *got = static_cast<const BYTE *>(gotRecord);
    const BYTE *want = static_cast<const BYTE *>(wantRecord);
    std::string differences;
    std::vector<bool> covered(bytes, false);
    for (int i = 0; i < fieldCount; i++) {
        const RecordField &f = fields[i];
        for (size_t b = f.offset; b < f.offset + f.size && b < bytes; b++)
            covered[b] = true;
        if (f.offset + f.size <= from || Skipped(f.name, skip, skipCount))
            continue;
        if (memcmp(got + f.offset, want + f.offset, f.size) != 0)
            differences += "\n  " + Describe(f, got, want);
    }
    for (size_t b = from; b < bytes; b++)
        if (!covered[b] && got[b] != want[b])
            differences += "\n  byte " + std::to_string(b) + " outside every field";
    if (differences.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "fields that differ:" << differences;
}

testing::AssertionResult SameSettings(const PXDEVMODE &got, const PXDEVMODE &want, size_t from)
{
    return SameFields(&got, &want, sizeof got, kDevModeFields, COUNT(kDevModeFields), from,
                      kStoreFields, COUNT(kStoreFields));
}

testing::AssertionResult SamePrintSetting(const PrintSetting &got, const PrintSetting &want)
{
    return SameFields(&got, &want, sizeof got, kPrintSettingFields, COUNT(kPrintSettingFields), 0);
}

testing::AssertionResult SamePrintSettings(const PrintSetting *got, const PrintSetting *want,
                                           int count)
{
    for (int i = 0; i < count; i++) {
        testing::AssertionResult same = SamePrintSetting(got[i], want[i]);
        if (!same)
            return testing::AssertionFailure() << "record " << i << ": " << same.message();
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult SameGeometry(const PageGeometry &got, const PageGeometry &want)
{
    return SameFields(&got, &want, sizeof got, kGeometryFields, COUNT(kGeometryFields), 0);
}
