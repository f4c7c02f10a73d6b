// Print setting records: moves, deletes, find by name, apply and capture.
#include <gtest/gtest.h>

#include <string.h>

#include "core/ddops.h"
#include "devmode/template.h"
#include "dialogs/presets.h"
#include "tests/settings/settings_util.h"

static void FillBlock(TestDevMode &t, int block, const wchar_t *const *names, int count)
{
    for (int i = 0; i < PX_SETTING_SLOTS; i++)
        t.store->blocks[block][i] = MakeSetting(i < count ? names[i] : L"unused", 100 + i);
    t.dm->pdmSettingCount[block] = static_cast<int16_t>(count);
}

static std::wstring Order(const TestDevMode &t, int block)
{
    std::wstring order;
    for (int i = 0; i < t.dm->pdmSettingCount[block]; i++)
        order += t.store->blocks[block][i].name;
    return order;
}

TEST(SettingStore, MovesAndDeletesKeepTheOthersInOrder)
{
    const wchar_t *abcd[] = {L"A", L"B", L"C", L"D"};
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    FillBlock(t, 0, abcd, 4);
    FillBlock(t, 1, abcd, 4);
    const PrintSetting slot4 = t.store->blocks[0][4];

    EXPECT_EQ(MovePrintSetting(t.dm, 1, 3), 1);
    EXPECT_EQ(Order(t, 0), L"ACDB");
    FillBlock(t, 0, abcd, 4);
    EXPECT_EQ(MovePrintSetting(t.dm, 3, 0), 1);
    EXPECT_EQ(Order(t, 0), L"DABC");
    const PrintSetting d = MakeSetting(L"D", 103);
    EXPECT_EQ(memcmp(&t.store->blocks[0][0], &d, sizeof d), 0) << "a moved record travels whole";
    FillBlock(t, 0, abcd, 4);
    EXPECT_EQ(MovePrintSetting(t.dm, 1, -1), 1);
    EXPECT_EQ(Order(t, 0), L"ACD");
    EXPECT_EQ(t.dm->pdmSettingCount[0], 3);
    EXPECT_STREQ(t.store->blocks[0][3].name, L"D") << "slots beyond the count keep their bytes";
    EXPECT_EQ(memcmp(&t.store->blocks[0][4], &slot4, sizeof slot4), 0);
    EXPECT_EQ(Order(t, 1), L"ABCD") << "the other paper type's block is untouched";

    // Requests that address nothing registered change nothing.
    FillBlock(t, 0, abcd, 4);
    const int noops[][2] = {{2, 2}, {-1, 0}, {1, -2}, {4, 0}, {0, 4}, {20, 0}, {300, -1}};
    for (const auto &n : noops) {
        EXPECT_EQ(MovePrintSetting(t.dm, n[0], n[1]), 1);
        EXPECT_EQ(Order(t, 0), L"ABCD") << n[0] << " -> " << n[1];
    }
}

TEST(SettingStore, FullSecondBlockAndOversizedCountsStayInsideTheStore)
{
    // The store ends at a guard page: block 1 slot 20 is its last record.
    const wchar_t *names[21] = {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j", L"k",
                                L"l", L"m", L"n", L"o", L"p", L"q", L"r", L"s", L"t", L"u"};
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x501;
    FillBlock(t, 1, names, 21);
    EXPECT_EQ(MovePrintSetting(t.dm, 0, 20), 1);
    EXPECT_EQ(Order(t, 1), L"bcdefghijklmnopqrstua");
    t.dm->pdmSettingCount[1] = 300;
    EXPECT_EQ(MovePrintSetting(t.dm, 0, -1), 1);
    EXPECT_EQ(t.dm->pdmSettingCount[1], 20);
    EXPECT_EQ(Order(t, 1), L"cdefghijklmnopqrstua");
    t.dm->pdmSettingCount[1] = 300;
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"zz", &t.store->blocks[1][0]), -1);
    t.dm->pdmSettingIndex = 21;
    EXPECT_EQ(SettingRecordAddress(t.dm, 21), nullptr);
    EXPECT_EQ(ApplySettingInForce(t.dm), 0);
    t.dm->pdmPaperType.id = 0x502;  // no block: nothing is addressed
    EXPECT_EQ(SettingRecordAddress(t.dm, 0), nullptr);
    EXPECT_EQ(MovePrintSetting(t.dm, 0, 1), 1);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"a", &t.store->blocks[1][0]), -1);
}

TEST(SettingStore, FindByNameFoldsOnlyAsciiLettersAndMatchesColourMode)
{
    const wchar_t *names[] = {L"Draft", L"Proof", L"Proof", L"caf\u00e9", L"x"};
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    FillBlock(t, 0, names, 4);
    t.store->blocks[0][1].colorMode = 0;   // first "Proof" is monochrome
    t.store->blocks[0][1].grayLevels = 0;
    PrintSetting colour = MakeSetting(L"", 1);
    PrintSetting mono = colour;
    mono.colorMode = 0;
    mono.grayLevels = 0;
    PrintSetting grey = mono;
    grey.grayLevels = 1;

    EXPECT_EQ(FindPrintSettingByName(t.dm, L"PROOF", &colour), 2);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"proof", &mono), 1);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"Proof", &grey), -1);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"Proofs", &colour), -1);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"Proo", &colour), -1);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"CAF\u00e9", &colour), 3);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"caf\u00c9", &colour), -1) << "only ASCII folds";
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"x", &colour), -1) << "slot 4 is not registered";

    // A stored name that fills all 32 characters has no terminator.
    for (int i = 0; i < PX_SETTING_NAME_CHARS; i++)
        t.store->blocks[0][0].name[i] = L'n';
    std::wstring full(PX_SETTING_NAME_CHARS, L'N');
    EXPECT_EQ(FindPrintSettingByName(t.dm, full.c_str(), &colour), 0);
    EXPECT_EQ(FindPrintSettingByName(t.dm, (full + L"N").c_str(), &colour), -1);
}

// Records whose colour choices the device mode can express exactly.
static void CanonicalColour(PrintSetting *s, int kind)
{
    static const uint16_t kinds[][3] = {  // colorMode, grayLevels, grayMethod
        {1, 1, 0}, {1, 1, 1}, {1, 1, 2}, {1, 1, 3}, {0, 1, 0}, {0, 1, 1}, {0, 1, 2},
        {0, 1, 3}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}};
    s->colorMode = kinds[kind][0];
    s->grayLevels = kinds[kind][1];
    s->grayMethod = kinds[kind][2];
}

TEST(SettingStore, ApplyThenCaptureGivesTheRecordBack)
{
    TestDevMode t;
    for (uint32_t type : {0x500u, 0x501u}) {
        for (int kind = 0; kind < 11; kind++) {
            for (int seed = 0; seed < 40; seed += 13) {
                PrintSetting s = MakeSetting(L"ignored", seed + kind);
                CanonicalColour(&s, kind);
                s.icmEnabled = s.colorMode == 1 && s.grayMethod == 0;
                if (type == 0x501u)
                    s.printMode %= 4;
                t.dm->pdmPaperType.id = type;
                EXPECT_EQ(ApplyPrintSetting(t.dm, &s), 0);
                PrintSetting back;
                memset(&back, 0xA5, sizeof back);
                CapturePrintSetting(t.dm, &back);
                PrintSetting expected = s;
                memset(expected.name, 0, sizeof expected.name);
                memset(expected.reserved1154, 0xA5, sizeof expected.reserved1154);
                expected.editable = 0xA5A5A5A5u;
                EXPECT_EQ(memcmp(&back, &expected, sizeof back), 0)
                    << "type " << type << " kind " << kind << " seed " << seed;
                EXPECT_EQ(t.dm->pdmQualityMode.id, PrintModeRowFor(type, s.printMode)->qualityModeId);
                EXPECT_NE(t.dm->pdmQualityMode.name[0], 0) << "filled by the data driver";
                EXPECT_EQ(t.dm->pdmColorCorrection.id, 0xE00u + s.colorCorrection);
            }
        }
    }
}

TEST(SettingStore, ApplyFollowsTheRulesForColourFlagsAndParameters)
{
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    PrintSetting s = MakeSetting(L"", 5);
    s.colorMode = 0;
    s.grayMethod = 0;
    s.dataResolution = 11;
    s.printMode = 8;                       // Banner 1: direction 1, waveform 1, speed 1
    t.dm->pdmColorProcess = 0x30000 | 0x10 | 0x2000;
    t.dm->pdmColorFlags = 0x2242;
    t.dm->pdmDotSizeSet = 1;
    t.dm->pdmDotSize = 5;
    t.dm->pdmDirectionSet = 0;
    t.dm->pdmDirection = 2;
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(t.dm->dm.dmColor, DMCOLOR_COLOR);
    EXPECT_EQ(t.dm->pdmGrayFlag, 1u);
    EXPECT_EQ(t.dm->pdmColorProcess, 0x30000u | 0x2 | 0x1000) << "bits 16-31 are kept";
    EXPECT_EQ(t.dm->pdmColorFlags, 0x2241u | 0x1000);
    EXPECT_EQ(t.dm->dm.dmICMMethod, (DWORD)DMICMMETHOD_NONE) << "colour matching needs colour";
    EXPECT_EQ(t.dm->pdmDotSize, 5) << "set by the user";
    EXPECT_EQ(t.dm->pdmDirection, 1);
    EXPECT_EQ(t.dm->pdmWaveform, 1);
    EXPECT_EQ(t.dm->pdmCarriageSpeed, 1);

    s.dataResolution = 3;
    s.useCorrection = 0;
    s.colorCorrection = 2;
    ColorCorrectionRecord before = t.dm->pdmColorCorrection;
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(t.dm->pdmColorFlags & 0x200F, 0x2u);
    EXPECT_EQ(memcmp(&t.dm->pdmColorCorrection, &before, sizeof before), 0);
    s.useCorrection = 1;
    s.colorCorrection = 4;
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(memcmp(&t.dm->pdmColorCorrection, &before, sizeof before), 0);

    // A print mode outside the table (a damaged file) leaves the mode alone.
    int16_t mode = t.dm->pdmPrintMode;
    s.printMode = 29;
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(t.dm->pdmPrintMode, mode);

    // Profiles: 259 characters survive; 260 without a terminator do not.
    for (int i = 0; i < PX_PATH_CHARS; i++)
        s.imageProfile[i] = s.printerProfile[i] = L'p';
    s.imageProfile[259] = 0;
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(lstrlenW(t.dm->pdmImageProfile), 259);
    EXPECT_EQ(t.dm->pdmPrinterProfile[0], 0);
}

TEST(SettingStore, SettingInForceAndPresets)
{
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    EXPECT_EQ(t.dm->pdmSettingCount[0], 6);
    EXPECT_EQ(t.dm->pdmSettingCount[1], 2);
    EXPECT_EQ(t.dm->pdmSettingIndex, 0);
    static const int rows[8][5] = {  // presetId, printMode, colorMode, colorCorrection, icm
        {1, 5, 1, 0, 1}, {2, 11, 1, 0, 1}, {3, 0, 1, 0, 1}, {4, 5, 0, 0, 0},
        {5, 5, 0, 2, 0}, {6, 5, 1, 1, 1}, {1, 3, 1, 0, 1}, {3, 0, 1, 0, 1}};
    for (int i = 0; i < 8; i++) {
        const PrintSetting &p = t.store->blocks[i / 6][i % 6];
        EXPECT_EQ(p.presetId, rows[i][0]);
        EXPECT_EQ(p.printMode, rows[i][1]);
        EXPECT_EQ(p.colorMode, rows[i][2]);
        EXPECT_EQ(p.colorCorrection, rows[i][3]);
        EXPECT_EQ(p.icmEnabled, (uint32_t)rows[i][4]);
        EXPECT_TRUE(p.dataResolution == 11 && p.grayLevels == 1 && p.grayMethod == 0 &&
                    p.useCorrection == 1 && p.gamma == 10 && p.totalInkLimit == 400 &&
                    p.editable == 1 && p.effect == 33 && p.cyanRed == 0 && p.yellowInk == 0);
        EXPECT_STREQ(p.imageProfile, L"sRGB Color Space Profile.icm");
    }

    // The names come from the data driver once a record is built without one.
    FillBuiltInPresetNames();
    WCHAR name[PX_SETTING_NAME_CHARS];
    ASSERT_GT(DdLoadString(4097, name, PX_SETTING_NAME_CHARS), 0);
    EXPECT_STREQ(BuiltInPreset(0)->name, name);
    ASSERT_GT(DdLoadString(4099, name, PX_SETTING_NAME_CHARS), 0);
    EXPECT_STREQ(BuiltInPreset(7)->name, name);

    Guarded copy(sizeof(PXDEVMODE));
    t.dm->pdmSettingIndex = PX_SETTING_INDEX_CURRENT;
    memcpy(copy.buffer.data, t.dm, sizeof(PXDEVMODE));
    EXPECT_EQ(ApplySettingInForce(t.dm), 0);
    EXPECT_EQ(memcmp(copy.buffer.data, t.dm, sizeof(PXDEVMODE)), 0);
    t.dm->pdmSettingIndex = 4;
    ApplySettingInForce(t.dm);
    EXPECT_EQ(t.dm->dm.dmColor, DMCOLOR_COLOR) << "sepia: grey from the colour inks";
    EXPECT_EQ(t.dm->pdmGrayFlag, 1u);
    EXPECT_EQ(t.dm->pdmColorCorrection.id, 0xE02u);
}

TEST(SettingStore, StoreAddressKeepsItsHighHalfInTheReservedWord)
{
    TestDevMode t;
    SettingStore *high = reinterpret_cast<SettingStore *>(static_cast<uintptr_t>(0x7654321000ull & UINTPTR_MAX));
    SetSettingStore(t.dm, reinterpret_cast<HGLOBAL>(high), high);
    EXPECT_EQ(SettingStoreOf(t.dm), high);
    EXPECT_EQ(SettingStoreHandleOf(t.dm), reinterpret_cast<HGLOBAL>(high));
    EXPECT_EQ(t.dm->pdmSettingStore, 0x54321000u);
    EXPECT_EQ(t.dm->reserved2820, sizeof(void *) == 8 ? 0x76u : 0u);
    SetSettingStore(t.dm, NULL, NULL);
    SettingStore *allocated = AllocSettingStore(t.dm);
    ASSERT_NE(allocated, nullptr);
    EXPECT_EQ(SettingStoreOf(t.dm), allocated);
    ReleaseSettingStore(t.dm);
    EXPECT_EQ(SettingStoreOf(t.dm), nullptr);
}
