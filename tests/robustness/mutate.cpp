#include "tests/robustness/mutate.h"

#include <stddef.h>
#include <string.h>

#include "devmode/fields.h"

#define SCRATCH_BYTES (2 * 0x10000 + 16)

struct FieldSlot {
    size_t offset;
    size_t bytes;
};

// Text fields whose terminating NUL a mutation may take away.
static const FieldSlot kTextFields[] = {
    {offsetof(DEVMODEW, dmDeviceName), CCHDEVICENAME * 2},
    {offsetof(DEVMODEW, dmFormName), CCHFORMNAME * 2},
    {offsetof(PXDEVMODE, pdmImageProfile), PX_PATH_CHARS * 2},
    {offsetof(PXDEVMODE, pdmPrinterProfile), PX_PATH_CHARS * 2},
    {offsetof(PXDEVMODE, pdmColorTable), PX_PATH_CHARS * 2},
};

static const uint32_t kEdgeValues[] = {0,      1,      2,      0xFFFFFFFF, 0x7FFF, 0x8000,
                                       0xFFFF, 256,    261,    363,        364,    365,
                                       0x500,  0x501,  1280,   1281,       33,     28,
                                       29,     180000, 0x7FFFFFFF, 0x80000000};
static const uint16_t kDmSizes[] = {0, 2, 64, 68, 72, 124, 148, 156, 188, 190, 192, 212, 219,
                                    220, 221, 0xFFFF};
static const uint16_t kExtraSizes[] = {0, 1, 224, 3935, 3936, 3939, 3940, 3941, 8000, 0xFFFF};

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))

static uint32_t EdgeOrRandom(Rng *rng)
{
    return OneIn(rng, 3) ? Next32(rng) : kEdgeValues[Below(rng, COUNT(kEdgeValues))];
}

static void Put(BYTE *image, size_t imageSize, size_t offset, size_t bytes, uint32_t value)
{
    if (offset + bytes <= imageSize)
        memcpy(image + offset, &value, bytes);  // little-endian: the low bytes
}

static void FlipBits(Rng *rng, BYTE *image, size_t size)
{
    for (uint32_t n = 1 + Below(rng, 16); n > 0; n--) {
        size_t at = Below(rng, static_cast<uint32_t>(size));
        image[at] ^= static_cast<BYTE>(1u << Below(rng, 8));
    }
}

// Any numeric field the driver merges, repairs or compares, public or private.
static void SetField(Rng *rng, BYTE *image, size_t size)
{
    const DevModeField &f = kDevModeFields[Below(rng, PXF_COUNT)];
    Put(image, size, f.offset, f.bytes < 4 ? f.bytes : 4, EdgeOrRandom(rng));
}

static void SetPrivateWord(Rng *rng, BYTE *image, size_t size)
{
    size_t at = PX_DM_PUBLIC_SIZE + 2 * Below(rng, (PX_DM_DRIVER_EXTRA - 4) / 2);
    Put(image, size, at, OneIn(rng, 2) ? 2 : 4, EdgeOrRandom(rng));
}

static void FillText(Rng *rng, BYTE *image, size_t size)
{
    const FieldSlot *f = &kTextFields[Below(rng, COUNT(kTextFields))];
    WCHAR ch = OneIn(rng, 2) ? L'%' : static_cast<WCHAR>(0x20 + Below(rng, 0xD000));
    for (size_t i = 0; i + 2 <= f->bytes; i += 2)
        Put(image, size, f->offset + i, 2, ch);
}

static void SetHeader(Rng *rng, BYTE *image, size_t size)
{
    uint32_t dmSize = OneIn(rng, 4) ? Below(rng, 0x10000) : kDmSizes[Below(rng, COUNT(kDmSizes))];
    uint32_t extra =
        OneIn(rng, 4) ? Below(rng, 0x10000) : kExtraSizes[Below(rng, COUNT(kExtraSizes))];
    if (OneIn(rng, 2))
        Put(image, size, offsetof(DEVMODEW, dmSize), 2, dmSize);
    else
        Put(image, size, offsetof(DEVMODEW, dmDriverExtra), 2, extra);
}

static void Splice(Rng *rng, BYTE *image, size_t size, const SeedRecord *other)
{
    if (!other || !other->size)
        return;
    size_t limit = size < other->size ? size : other->size;
    size_t at = Below(rng, static_cast<uint32_t>(limit));
    size_t bytes = 1 + Below(rng, static_cast<uint32_t>(limit - at));
    memcpy(image + at, other->bytes + at, bytes);
}

static void ApplyOneMutation(Rng *rng, BYTE *image, size_t size, const SeedRecord *other)
{
    switch (Below(rng, 7)) {
    case 0: FlipBits(rng, image, size); break;
    case 1: SetField(rng, image, size); break;
    case 2: SetPrivateWord(rng, image, size); break;
    case 3: FillText(rng, image, size); break;
    case 4: SetHeader(rng, image, size); break;
    case 5: Put(image, size, offsetof(DEVMODEW, dmFields), 4, Next32(rng)); break;
    default: Splice(rng, image, size, other); break;
    }
}

SIZE_T DeclaredSize(const DEVMODEW *dm)
{
    return static_cast<SIZE_T>(dm->dmSize) + dm->dmDriverExtra;
}

BOOL MutateRecord(Rng *rng, const SeedRecord *base, const SeedRecord *other, BOOL fullRecord,
                  FuzzRecord *out)
{
    static BYTE scratch[SCRATCH_BYTES];
    *out = FuzzRecord();
    // The image is the seed followed by random bytes, so that a record that
    // now declares more than the seed held still has content.
    for (size_t i = 0; i < SCRATCH_BYTES; i += 4) {
        uint32_t r = Next32(rng);
        memcpy(scratch + i, &r, SCRATCH_BYTES - i < 4 ? SCRATCH_BYTES - i : 4);
    }
    size_t seedBytes = base->size < SCRATCH_BYTES ? base->size : SCRATCH_BYTES;
    memcpy(scratch, base->bytes, seedBytes);
    size_t editable = fullRecord || seedBytes < sizeof(PXDEVMODE) ? sizeof(PXDEVMODE) : seedBytes;
    for (uint32_t n = 1 + Below(rng, 4); n > 0; n--)
        ApplyOneMutation(rng, scratch, editable, other);

    SIZE_T size = DeclaredSize(reinterpret_cast<DEVMODEW *>(scratch));
    if (size < FUZZ_MIN_RECORD)
        size = FUZZ_MIN_RECORD;
    if (fullRecord)
        size = sizeof(PXDEVMODE);
    // Records are DWORD-aligned for every caller; the guard follows within
    // three bytes of the declared end.
    size = (size + 3) & ~static_cast<SIZE_T>(3);
    out->memory = AllocGuarded(size);
    if (!out->memory.data)
        return FALSE;
    memcpy(out->memory.data, scratch, size);
    out->dm = reinterpret_cast<DEVMODEW *>(out->memory.data);
    out->size = size;
    return TRUE;
}

void ReleaseFuzzRecord(FuzzRecord *record)
{
    FreeGuarded(&record->memory);
    record->dm = NULL;
    record->size = 0;
}
