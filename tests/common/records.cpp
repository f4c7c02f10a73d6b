#include "tests/common/records.h"

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "devmode/fields.h"

#define FIELD(type, member) {#member, offsetof(type, member), sizeof(((type *)0)->member)}
#define DMF(member) FIELD(PXDEVMODE, member)

// The module's field list names the device-mode fields; reserved bytes are
// still compared, reported by their offset. The store fields' high halves
// are listed so that they can be skipped.
static std::vector<RecordField> DevModeFieldList(void)
{
    std::vector<RecordField> fields = {DMF(reserved2812), DMF(reserved2820)};
    for (const DevModeField &f : kDevModeFields)
        fields.push_back({f.name, f.offset, f.bytes});
    return fields;
}

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
    static const std::vector<RecordField> fields = DevModeFieldList();
    return SameFields(&got, &want, sizeof got, fields.data(), static_cast<int>(fields.size()), from,
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
