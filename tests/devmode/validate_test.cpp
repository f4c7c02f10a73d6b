// Private fields: each is taken from the caller only when it passes its own
// test, and otherwise falls back to the stored record, the defaults or the
// data driver's default.
#include "devmode/fields.h"
#include "devmode/template.h"
#include "tests/devmode/helpers.h"

using ValidateTest = BuiltRecordTest;

// The older private size is read whole (the round trip tests); one byte less is not read.
TEST_F(ValidateTest, PrivatePartShorterThanTheOlderSizeIsNotRead)
{
    c.pdmGamma = 15;
    c.dm.dmDriverExtra = PX_DM_OLD_DRIVER_EXTRA - 1;
    Build shorter(printer, &c, DeclaredBytes(c), FALSE);
    EXPECT_EQ(shorter.dm.pdmGamma, 10);
}

// Writes a value with the field's width (a number outside the width wraps).
static void PutValue(PXDEVMODE *record, const DevModeField &field, int64_t value)
{
    memcpy(reinterpret_cast<BYTE *>(record) + field.offset, &value, field.bytes < 4 ? field.bytes : 4);
}

TEST_F(ValidateTest, EveryRangedFieldTakesItsBoundsAndRefusesBeyondThem)
{
    for (const DevModeField &field : kDevModeFields) {
        bool byRule = field.settle == SETTLE_GENERAL || field.settle == SETTLE_PAIR ||
                      field.settle == SETTLE_MODE || field.settle == SETTLE_GROUP;
        if (!byRule || field.test != TEST_RANGE)
            continue;
        int64_t fallback = FieldValue(&c, field);
        for (int64_t value : {(int64_t)field.low, (int64_t)field.high, (int64_t)field.low - 1,
                              (int64_t)field.high + 1}) {
            PXDEVMODE in = c;
            PutValue(&in, field, value);
            int64_t written = FieldValue(&in, field);
            bool inside = written >= field.low && written <= field.high;
            Build built(printer, &in, sizeof in, FALSE);
            EXPECT_EQ(FieldValue(&built.dm, field), inside ? written : fallback)
                << field.name << " given " << written;
        }
    }
}

TEST_F(ValidateTest, BoundsAreInclusiveAndPairsAndTriplesFallBackTogether)
{
    c.pdmGamma = 22, c.pdmTotalInkLimit = 401;
    c.pdmPreHeaterOn = c.pdmPlatenHeaterOn = c.pdmAfterHeaterOn = 1;
    c.pdmPreHeaterTemp = 0, c.pdmPlatenHeaterTemp = 50, c.pdmAfterHeaterTemp = 29;
    c.pdmBalanceCyanRed = -50, c.pdmBalanceMagentaGreen = 60, c.pdmBrightness = -50, c.pdmContrast = 51;
    Build a(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(a.dm.pdmGamma, 22);
    EXPECT_EQ(a.dm.pdmTotalInkLimit, 400);
    EXPECT_EQ(0, a.dm.pdmPreHeaterTemp);
    EXPECT_EQ(50, a.dm.pdmPlatenHeaterTemp);
    EXPECT_EQ(a.dm.pdmAfterHeaterTemp, 30);
    EXPECT_EQ(a.dm.pdmAfterHeaterOn, 0u) << "the companion falls back with its value";
    EXPECT_EQ(a.dm.pdmBalanceCyanRed, 0) << "the balance triple falls back as a whole";
    EXPECT_EQ(a.dm.pdmBrightness, -50) << "tone values are tested one by one";
    EXPECT_EQ(a.dm.pdmContrast, 0);
}

TEST_F(ValidateTest, SettingCountsAndIndexStayInsideTheStore)
{
    PXDEVMODE stored = c;
    stored.pdmSettingIndex = 7;
    StoredRecordScope scope(printer.handle, &stored.dm);
    ASSERT_TRUE(scope.set);
    c.pdmLegacySettingCount = 4, c.pdmSettingIndex = -2;
    Build legacy(printer, &c, sizeof c, TRUE);
    EXPECT_EQ(legacy.dm.pdmSettingCount[0], 4);
    EXPECT_EQ(legacy.dm.pdmSettingCount[1], 2);
    EXPECT_EQ(legacy.dm.pdmLegacySettingCount, 0);
    EXPECT_EQ(legacy.dm.pdmSettingIndex, 0) << "not the stored 7";

    c.pdmLegacySettingCount = 0, c.pdmSettingIndex = PX_SETTING_CURRENT_SLOT;
    Build current(printer, &c, sizeof c, TRUE);
    EXPECT_EQ(current.dm.pdmSettingIndex, PX_SETTING_CURRENT_SLOT) << "the current setting's slot";

    c.pdmSettingCount[0] = 30, c.pdmSettingCount[1] = -3;
    c.pdmSettingIndex = 21;
    Build over(printer, &c, sizeof c, TRUE);
    EXPECT_EQ(over.dm.pdmSettingCount[0], PX_SETTING_MAX_COUNT);
    EXPECT_EQ(over.dm.pdmSettingCount[1], 0);
    EXPECT_EQ(over.dm.pdmSettingIndex, 0);
}

TEST_F(ValidateTest, PrintModeParametersComeFromTheRightTable)
{
    c.pdmDotSizeSet = 0, c.pdmDotSize = 6, c.pdmCarriageSpeed = 0, c.pdmWaveform = 9;
    c.pdmPrintMode = 2;
    Build main(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(main.dm.pdmDotSize, 2);
    EXPECT_EQ(main.dm.pdmDotSizeSet, 1u) << "the template's companion";
    EXPECT_EQ(main.dm.pdmCarriageSpeed, 1);

    c.pdmPaperType.id = PX_PAPER_TYPE_BANNER;
    Build own(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(own.dm.dm.dmMediaType, 259u);
    EXPECT_EQ(own.dm.pdmCarriageSpeed, 2) << "row 2 of the four-row table";
    c.pdmPrintMode = 6;  // beyond the four-row table: the main table's row
    Build beyond(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(beyond.dm.pdmWaveform, 1);
    EXPECT_EQ(beyond.dm.pdmCarriageSpeed, 2);
}

TEST_F(ValidateTest, DataDriverRecordsAreSearchedAndFitTheSource)
{
    c.pdmMargin.id = 256;  // a sheet margin on roll media
    c.pdmQualityMode.id = 28, c.pdmColorCorrection.id = 9999, c.pdmInkSet = PX_CAPS_INKSET_1;
    Build a(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(a.dm.pdmMargin.id, 258u);
    EXPECT_EQ(a.dm.pdmResolution, 1440);
    EXPECT_EQ(a.dm.pdmColorCorrection.id, 3584u);
    EXPECT_EQ(a.dm.pdmInkSet, PX_CAPS_INKSET_4) << "follows the printer, not the record";

    c.dm.dmDefaultSource = 0x111, c.pdmMargin.id = 777;  // a sheet margin of the default's group
    Build sheet(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(sheet.dm.pdmMargin.id, 256u);

    BoundPrinter noSearch(PX_PRINTER_NOOP);
    ASSERT_TRUE(noSearch.bound);
    Build fallback(noSearch, &c, sizeof c, FALSE);
    EXPECT_EQ(fallback.dm.pdmQualityMode.id, 14u);
}

TEST_F(ValidateTest, DerivedFieldsAndFileNames)
{
    c.pdmRotation = 4, c.pdmResolutionIndex = 3, c.pdmColorFlags = 0x2141, c.pdmResolution = 99;
    wmemset(c.pdmPrinterProfile, L'p', PX_PATH_CHARS);
    wmemset(c.pdmColorTable, L't', 259);
    Build a(printer, &c, sizeof c, FALSE);
    EXPECT_EQ(a.dm.pdmRotated, 1u);
    EXPECT_EQ(a.dm.pdmColorFlags, 0x0141u) << "the automatic bit follows the index";
    EXPECT_EQ(a.dm.pdmResolution, 720);
    EXPECT_EQ(a.dm.pdmPrinterProfile[0], 0) << "no terminator: empty";
    EXPECT_EQ(wcslen(a.dm.pdmColorTable), 259u);
}
