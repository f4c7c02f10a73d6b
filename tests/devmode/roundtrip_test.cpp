// Records travel through callers and the spooler: every private field must
// survive a round trip, any record must come out valid, and a built record
// must come back unchanged when it is handed in again.
#include <random>
#include <string.h>

#include "core/ddops.h"
#include "devmode/fields.h"
#include "devmode/template.h"
#include "tests/devmode/helpers.h"

// A valid value other than the default in every private field.
static PXDEVMODE EveryFieldChanged(const PXDEVMODE &base)
{
    PXDEVMODE r = base;
    r.pdmSizeSeries = 0x80000006u, r.pdmOutputSize = 364, r.pdmOutputScale = 250;
    r.pdmRotation = 2, r.pdmRotated = 1, r.pdmMediaWidth = 6096;
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++)
        r.pdmUserSizes[i] = {1100 + i, 2200 + 3 * i};
    DdMarginSearch(262, &r.pdmMargin), DdPtypeSearch(1282, &r.pdmPaperType);
    DdQltModeSearch(27, &r.pdmQualityMode), DdCCRmSearch(3586, &r.pdmColorCorrection);
    r.pdmSettingIndex = 3, r.pdmSettingCount[0] = 9, r.pdmSettingCount[1] = 4;
    r.pdmColorFlags = 0x1112, r.pdmPrintMode = 12, r.pdmResolution = 1080;
    r.pdmResolutionIndex = 4, r.pdmGrayFlag = 1, r.pdmColorProcess = 0x2020;
    r.pdmInkAmount[0] = -5, r.pdmInkAmount[3] = 8, r.pdmAdjustFlag = 5, r.pdmGamma = 17;
    r.pdmBrightness = -3, r.pdmSaturation = 4, r.pdmContrast = -50, r.pdmBalanceCyanRed = 1;
    r.pdmBalanceMagentaGreen = -2, r.pdmBalanceYellowBlue = 50, r.pdmTotalInkLimit = 250;
    wmemset(r.pdmImageProfile, 0, PX_PATH_CHARS);
    wcscpy(r.pdmImageProfile, L"image.icm"), wcscpy(r.pdmPrinterProfile, L"printer.icm");
    r.pdmNoMirror = 0, r.pdmEffectSet = 1, r.pdmEffect = 12, r.pdmOverprintOn = 1;
    r.pdmOverprintCount = 3, r.pdmOverprintWaitOn = 1, r.pdmOverprintWait = 20;
    r.pdmPreHeaterOn = r.pdmPlatenHeaterOn = r.pdmAfterHeaterOn = 1;
    r.pdmPreHeaterTemp = 45, r.pdmPlatenHeaterTemp = 0, r.pdmAfterHeaterTemp = 31;
    r.pdmOnTheFly = 1, r.pdmLengthUnit = 1, r.pdmTempUnit = 1, r.pdmModelSet = 0, r.pdmModel = 105;
    r.pdmDotSizeSet = 0, r.pdmDotSize = 4, r.pdmDirectionSet = 1, r.pdmDirection = 1;
    r.pdmWaveformSet = 1, r.pdmWaveform = 2, r.pdmCarriageSpeedSet = 1, r.pdmCarriageSpeed = 1;
    r.pdmCarriageWidthSet = 1, r.pdmCarriageWidth = 1, r.pdmMediaCutSet = 1, r.pdmMediaCut = 3;
    r.pdmSuctionFanSet = 0, r.pdmSuctionFan = 2, r.pdmSideMarginSet = 1, r.pdmSideMargin = 20;
    r.pdmDryTimeSet = 1, r.pdmDryTime = 3000, r.pdmFeedAdjustSet = 1, r.pdmFeedAdjust = -400;
    r.pdmColorTableSet = 1, wcscpy(r.pdmColorTable, L"C:\\tables\\t.ctb"), r.pdmExtraByte = 0x5A;
    r.pdmMarginMode = 0, r.pdmExtraLevel = 77, r.pdmExtra2652 = 0x12345678, r.pdmExtra2656 = 9;
    r.pdmExtra2660 = -7, r.pdmExtra2662 = 1234, r.pdmShowStatus = 1, r.pdmCropMarks = 1;
    return r;
}

struct RoundTripTest : testing::Test {
    BoundPrinter printer{PX_PRINTER};
    PXDEVMODE base, changed;
    void SetUp() override
    {
        ASSERT_TRUE(printer.bound);
        Build built(printer, NULL, 0, FALSE);
        base = built.dm;
        changed = EveryFieldChanged(base);
    }
};

TEST_F(RoundTripTest, EveryPrivateFieldSurvivesCallerAndStoredRecords)
{
    Build full(printer, &changed, sizeof changed, FALSE);
    EXPECT_TRUE(SameSettings(full.dm, changed, PX_DM_PRIVATE_OFFSET));
    EXPECT_EQ(full.dm.dm.dmMediaType, 258u);
    EXPECT_EQ(full.dm.dm.dmPrintQuality, 540);
    PXDEVMODE older = changed;
    older.dm.dmDriverExtra = PX_DM_OLD_DRIVER_EXTRA;
    Build old(printer, &older, DeclaredBytes(older), FALSE);
    EXPECT_TRUE(SameSettings(old.dm, changed, PX_DM_PRIVATE_OFFSET));

    StoredRecordScope scope(printer.handle, &changed.dm);
    ASSERT_TRUE(scope.set);
    Build stored(printer, NULL, 0, TRUE);
    EXPECT_TRUE(SameSettings(stored.dm, changed, PX_DM_PRIVATE_OFFSET));
}

static const int32_t kBoundaries[] = {
    0,   1,   -1,  2,   5,   6,    9,    10,   11,    20,    21,    22,     23,     29,  30,
    33,  34,  50,  51,  100, 101,  105,  253,  256,   363,   366,   373,    374,    400, 401,
    500, 501, 999, 1000, 1001, 2099, 2100, 2970, 3600, 3601, 13710, 13711, 0x111, 0x182, 0x382,
    0x7FFF, 0x8000, 0xFFFF, 0x10000, 30000, 180000, 0x7FFFFFFF, -32768, -501};
static void Mutate(PXDEVMODE *r, std::mt19937 &random)
{
    BYTE *bytes = reinterpret_cast<BYTE *>(r);
    for (int i = 1 + random() % 12; i > 0; i--) {
        int32_t value = random() % 3 ? kBoundaries[random() % (sizeof kBoundaries / 4)] : (int32_t)random();
        // Any field of the record: the ranged ones and what the lookups key on.
        const DevModeField &f = kDevModeFields[random() % PXF_COUNT];
        memcpy(bytes + f.offset, &value, f.bytes < 4 ? f.bytes : 4);
    }
    if (random() % 4 == 0)
        bytes[random() % sizeof *r] = (BYTE)random();
    if (random() % 8 == 0)
        wmemset(r->pdmPrinterProfile, L'x', PX_PATH_CHARS);  // no terminator
    static const WORD sizes[] = {220, 220, 220, 0, 219, 221, 300, 4160, 0xFFFF};
    static const WORD extras[] = {3940, 3940, 3936, 3935, 0, 4000, 0xFFFF};
    r->dm.dmSize = random() % 10 ? sizes[random() % 9] : (WORD)random();
    r->dm.dmDriverExtra = random() % 10 ? extras[random() % 7] : (WORD)random();
}

// Each result keeps the invariants and comes back unchanged when handed in
// again. Without a stored record the margin always suits the media source
// (a stored margin is taken as it is).
static void BuildMutated(const BoundPrinter &printer, const PXDEVMODE *bases, unsigned seed,
                         int iterations, BOOL useStored)
{
    std::mt19937 random(seed);
    for (int i = 0; i < iterations; i++) {
        PXDEVMODE caller = bases[random() % 3];
        Mutate(&caller, random);
        Build first(printer, &caller, DeclaredBytes(caller), useStored);
        ASSERT_TRUE(first.ok) << "seed " << seed << " iteration " << i;
        ASSERT_TRUE(KeepsInvariants(first.dm, first.list)) << "seed " << seed << " iteration " << i;
        ASSERT_TRUE(useStored || (first.dm.pdmMargin.mediaMask & first.dm.dm.dmDefaultSource))
            << "seed " << seed << " iteration " << i;
        Build again(printer, &first.dm, sizeof first.dm, useStored);
        ASSERT_TRUE(SameSettings(again.dm, first.dm)) << "seed " << seed << " iteration " << i;
    }
}

TEST_F(RoundTripTest, DamagedRecordsGiveValidRecordsThatAreFixedPoints)
{
    PXDEVMODE bases[3] = {base, changed, *BuiltInTemplate()};
    BuildMutated(printer, bases, 20240611u, 3000, FALSE);
    StoredRecordScope scope(printer.handle, &changed.dm);
    ASSERT_TRUE(scope.set);
    BuildMutated(printer, bases, 7u, 1000, TRUE);
}
