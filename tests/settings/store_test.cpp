// Print setting records: presets, moves, find by name, apply and capture.
#include <gtest/gtest.h>

#include <string.h>

#include "core/ddops.h"
#include "devmode/template.h"
#include "resources/ids_strings.h"
#include "settings/presets.h"
#include "settingsfiles/paramfile.h"
#include "settingsfiles/workfile.h"
#include "tests/common/printers.h"
#include "tests/settings/settings_util.h"

// Registers one record per letter of `names` in the block; the slots after
// them hold records named '_'.
static void Register(TestDevMode &t, int block, const wchar_t *names)
{
    int count = lstrlenW(names);
    for (int i = 0; i < PX_SETTING_SLOTS; i++) {
        const WCHAR name[2] = {i < count ? names[i] : L'_', 0};
        t.store->blocks[block][i] = MakeSetting(name, 100 + i);
    }
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
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    Register(t, 1, L"ABCD");
    const struct { int from, to; const wchar_t *order; } moves[] = {
        {1, 3, L"ACDB"}, {3, 0, L"DABC"}, {1, -1, L"ACD"},
        // Requests that address nothing registered change nothing.
        {2, 2, L"ABCD"}, {-1, 0, L"ABCD"}, {1, -2, L"ABCD"}, {4, 0, L"ABCD"}, {0, 4, L"ABCD"}};
    for (const auto &m : moves) {
        Register(t, 0, L"ABCD");
        const PrintSetting moved = t.store->blocks[0][m.from & 3];
        EXPECT_EQ(MovePrintSetting(t.dm, m.from, m.to), 1);
        EXPECT_EQ(Order(t, 0), m.order) << m.from << " -> " << m.to;
        if (m.order[1] == L'A') {  // a move to the top travels whole
            EXPECT_TRUE(SamePrintSetting(t.store->blocks[0][0], moved));
        } else if (m.to == -1) {
            EXPECT_STREQ(t.store->blocks[0][3].name, L"D") << "slots beyond the count keep their bytes";
        }
    }
    EXPECT_EQ(Order(t, 1), L"ABCD") << "the other paper type's block is untouched";

    // A full block: the second one ends the store at its guard page, after
    // slot 20, which no move touches.
    t.dm->pdmPaperType.id = 0x501;
    Register(t, 1, L"abcdefghijklmnopqrst");
    MovePrintSetting(t.dm, 0, 19);
    EXPECT_EQ(Order(t, 1), L"bcdefghijklmnopqrsta");
    t.dm->pdmSettingCount[1] = 300;  // a count from outside addresses only registered slots
    MovePrintSetting(t.dm, 0, -1);
    EXPECT_EQ(Order(t, 1), L"cdefghijklmnopqrsta");
    EXPECT_STREQ(t.store->blocks[1][PX_SETTING_CURRENT_SLOT].name, L"_") << "slot 20";
    t.dm->pdmSettingCount[1] = 300;
    t.dm->pdmSettingIndex = 21;
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"zz", &t.store->blocks[1][0]), -1);
    EXPECT_EQ(ApplySettingInForce(t.dm), 0);
    t.dm->pdmPaperType.id = 0x502;   // no block
    EXPECT_EQ(SettingRecordAddress(t.dm, 0), nullptr);
    EXPECT_EQ(FindPrintSettingByName(t.dm, L"c", &t.store->blocks[1][0]), -1);
}

TEST(SettingStore, FindByNameFoldsOnlyAsciiLettersAndMatchesColourMode)
{
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    Register(t, 0, L"xPPc");
    PrintSetting *r = t.store->blocks[0];
    lstrcpyW(r[1].name, L"Proof");
    r[1].colorMode = r[1].grayLevels = 0;
    lstrcpyW(r[2].name, L"Proof");
    lstrcpyW(r[3].name, L"caf\u00e9");
    lstrcpyW(r[4].name, L"late");      // not registered
    PrintSetting colour = MakeSetting(L"", 1), mono = colour, grey = colour;
    mono.colorMode = mono.grayLevels = 0;
    grey.colorMode = 0;
    const struct { const wchar_t *name; const PrintSetting *reference; int slot; } finds[] = {
        {L"PROOF", &colour, 2}, {L"proof", &mono, 1}, {L"Proof", &grey, -1}, {L"Proofs", &colour, -1},
        {L"Proo", &colour, -1}, {L"CAF\u00e9", &colour, 3}, {L"caf\u00c9", &colour, -1},
        {L"late", &colour, -1}};
    for (const auto &f : finds)
        EXPECT_EQ(FindPrintSettingByName(t.dm, f.name, f.reference), f.slot) << f.slot;
    // A stored name that fills all 32 characters has no terminator.
    for (WCHAR &c : r[0].name)
        c = L'n';
    std::wstring full(PX_SETTING_NAME_CHARS, L'N');
    EXPECT_EQ(FindPrintSettingByName(t.dm, full.c_str(), &colour), 0);
    EXPECT_EQ(FindPrintSettingByName(t.dm, (full + L"N").c_str(), &colour), -1);
}

TEST(SettingStore, ApplyThenCaptureGivesTheRecordBack)
{
    // Colour choices the device mode can express: colorMode, grayLevels, grayMethod.
    static const uint16_t kinds[][3] = {{1, 1, 0}, {1, 1, 1}, {1, 1, 2}, {1, 1, 3}, {0, 1, 0}, {0, 1, 1},
                                        {0, 1, 2}, {0, 1, 3}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}};
    TestDevMode t;
    for (uint32_t type : {0x500u, 0x501u}) {
        for (int kind = 0; kind < 11; kind++) {
            PrintSetting s = MakeSetting(L"ignored", kind * 5 + type);
            s.colorMode = kinds[kind][0];
            s.grayLevels = kinds[kind][1];
            s.grayMethod = kinds[kind][2];
            s.icmEnabled = s.colorMode == 1 && s.grayMethod == 0;
            s.printMode %= type == 0x501u ? 4 : 29;
            t.dm->pdmPaperType.id = type;
            EXPECT_EQ(ApplyPrintSetting(t.dm, &s), 0);
            EXPECT_EQ(t.dm->pdmQualityMode.id, PrintModeRowFor(type, s.printMode)->qualityModeId);
            EXPECT_NE(t.dm->pdmQualityMode.name[0], 0) << "filled by the data driver";
            EXPECT_EQ(t.dm->pdmColorCorrection.id, 0xE00u + s.colorCorrection);
            PrintSetting back;
            memset(&back, 0xA5, sizeof back);
            CapturePrintSetting(t.dm, &back);
            memset(s.name, 0, sizeof s.name);     // captured records are unnamed
            memset(s.reserved1154, 0xA5, sizeof s.reserved1154);
            s.editable = 0xA5A5A5A5u;             // not described by the device mode
            EXPECT_TRUE(SamePrintSetting(back, s)) << "type " << type << " kind " << kind;
        }
    }
}

TEST(SettingStore, ApplyFollowsTheRulesForColourFlagsAndParameters)
{
    TestDevMode t;
    t.dm->pdmPaperType.id = 0x500;
    PrintSetting s = MakeSetting(L"", 5);
    s.colorMode = s.grayMethod = 0;
    s.dataResolution = 11;
    s.printMode = 8;                       // Banner 1: direction 1, waveform 1, speed 1
    t.dm->pdmColorProcess = 0x30000 | 0x10 | 0x2000;
    t.dm->pdmColorFlags = 0x2242;
    t.dm->pdmDotSizeSet = 1;
    t.dm->pdmDotSize = 5;
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

    const ColorCorrectionRecord before = t.dm->pdmColorCorrection;
    const int16_t mode = t.dm->pdmPrintMode;
    s.dataResolution = 3;
    s.useCorrection = 0;
    s.colorCorrection = 2;                 // not applied without useCorrection
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(t.dm->pdmColorFlags & 0x200F, 0x2u);
    s.useCorrection = 1;
    s.colorCorrection = 4;                 // outside the choices
    s.printMode = 29;                      // outside the table: the mode stays
    for (int i = 0; i < PX_PATH_CHARS; i++)
        s.imageProfile[i] = s.printerProfile[i] = L'p';
    s.imageProfile[259] = 0;               // 259 characters survive; 260 unterminated do not
    ApplyPrintSetting(t.dm, &s);
    EXPECT_EQ(t.dm->pdmColorCorrection.id, before.id) << "colour correction kept";
    EXPECT_STREQ(t.dm->pdmColorCorrection.name, before.name) << "colour correction kept";
    EXPECT_EQ(t.dm->pdmPrintMode, mode);
    EXPECT_EQ(lstrlenW(t.dm->pdmImageProfile), 259);
    EXPECT_EQ(t.dm->pdmPrinterProfile[0], 0);
}

TEST(SettingStore, PresetsAndTheSettingInForce)
{
    TestDevMode t;
    EXPECT_EQ(t.dm->pdmSettingCount[0], 6);
    EXPECT_EQ(t.dm->pdmSettingCount[1], 2);
    EXPECT_EQ(t.dm->pdmSettingIndex, 0);
    static const int rows[8][5] = {  // presetId, printMode, colorMode, colorCorrection, icm
        {1, 5, 1, 0, 1}, {2, 11, 1, 0, 1}, {3, 0, 1, 0, 1}, {4, 5, 0, 0, 0},
        {5, 5, 0, 2, 0}, {6, 5, 1, 1, 1}, {1, 3, 1, 0, 1}, {3, 0, 1, 0, 1}};
    for (int i = 0; i < 8; i++) {
        PrintSetting expected = {}, preset = t.store->blocks[i / 6][i % 6];
        expected.presetId = rows[i][0];
        expected.printMode = rows[i][1];
        expected.colorMode = rows[i][2];
        expected.colorCorrection = rows[i][3];
        expected.icmEnabled = rows[i][4];
        expected.dataResolution = 11;
        expected.grayLevels = expected.useCorrection = expected.editable = 1;
        expected.gamma = 10;
        expected.totalInkLimit = 400;
        expected.effect = 33;
        lstrcpyW(expected.imageProfile, L"sRGB Color Space Profile.icm");
        memset(preset.name, 0, sizeof preset.name);
        EXPECT_TRUE(SamePrintSetting(preset, expected)) << "preset " << i;
    }
    // The names come from the data driver bound when the presets are installed.
    WCHAR name[PX_SETTING_NAME_CHARS];
    ASSERT_GT(DdLoadString(4099, name, PX_SETTING_NAME_CHARS), 0);
    EXPECT_STREQ(t.store->blocks[1][1].name, name);

    const std::vector<BYTE> before = t.Bytes();
    t.dm->pdmSettingIndex = PX_SETTING_INDEX_CURRENT;
    EXPECT_EQ(ApplySettingInForce(t.dm), 0);
    t.dm->pdmSettingIndex = 0;
    EXPECT_EQ(t.Bytes(), before) << "the current setting applies nothing";
    t.dm->pdmSettingIndex = 4;
    ApplySettingInForce(t.dm);
    EXPECT_EQ(t.dm->dm.dmColor, DMCOLOR_COLOR) << "sepia: grey from the colour inks";
    EXPECT_EQ(t.dm->pdmColorCorrection.id, 0xE02u);
}

// A device mode's store fields reach a store only while this process has it
// allocated; any other value (from an application, a file, another process)
// reads as no store. The guard page faults if anything follows it.
TEST(SettingStore, OnlyALiveStoreIsReachedThroughTheDeviceMode)
{
    TestDevMode t;
    ASSERT_EQ(StoreFromDevMode(t.dm), t.store) << "the test's own store";
    const uint64_t address = reinterpret_cast<uintptr_t>(t.store);
    EXPECT_EQ(t.dm->pdmSettingStore, static_cast<uint32_t>(address)) << "pdmSettingStore";
    EXPECT_EQ(t.dm->pdmSettingStoreHandle, static_cast<uint32_t>(address)) << "pdmSettingStoreHandle";
#if defined(_WIN64)
    EXPECT_EQ(t.dm->reserved2820, static_cast<uint32_t>(address >> 32)) << "high half of the address";
#endif

    SettingStore *freed = NewSettingStore();
    ASSERT_TRUE(freed != NULL);
    FreeSettingStore(freed);
    EXPECT_FALSE(SettingStoreLive(freed)) << "a freed store";
    Guarded guard(16);
    const uint64_t guardPage = reinterpret_cast<uintptr_t>(guard.buffer.data + guard.buffer.size);
    const struct {
        const char *name;
        uint64_t handle, address;
    } cases[] = {
        {"0x41414141", 0x4141414141414141ull, 0x4141414141414141ull},
        {"freed store", reinterpret_cast<uintptr_t>(freed), reinterpret_cast<uintptr_t>(freed)},
        {"guard page", guardPage, guardPage},
        {"live address, other handle", guardPage, address},
    };
    PrinterHandle printer(PX_PRINTER);
    const std::wstring ovp = ScratchPath(L"nostore.OVP");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        t.dm->pdmSettingStoreHandle = static_cast<uint32_t>(c.handle);
        t.dm->reserved2812 = static_cast<uint32_t>(c.handle >> 32);
        t.dm->pdmSettingStore = static_cast<uint32_t>(c.address);
        t.dm->reserved2820 = static_cast<uint32_t>(c.address >> 32);
        const std::vector<BYTE> before = t.Bytes();
        EXPECT_EQ(StoreFromDevMode(t.dm), nullptr) << "store reached";
        EXPECT_EQ(SettingRecordAddress(t.dm, 0), nullptr) << "record address";
        EXPECT_EQ(FindPrintSettingByName(t.dm, L"", &t.store->blocks[0][0]), -1) << "find";
        EXPECT_EQ(MovePrintSetting(t.dm, 0, 1), 1) << "move";
        t.dm->pdmSettingIndex = 1;
        EXPECT_EQ(ApplySettingInForce(t.dm), 0) << "setting in force";
        t.dm->pdmSettingIndex = 0;
        WCHAR work[MAX_PATH];
        ASSERT_TRUE(GetWorkingSettingsPath(printer, work));
        EXPECT_NE(ReadWorkingSettingsFile(work, t.dm, StoreFromDevMode(t.dm)), WORKFILE_OK)
            << "working file read";
        EXPECT_FALSE(WriteWorkingSettingsFile(work, t.dm, StoreFromDevMode(t.dm)))
            << "working file write";
        EXPECT_EQ(LoadSettingsFile(ovp.c_str(), t.dm, StoreFromDevMode(t.dm)), (UINT)IDS_OVP_DAMAGED)
            << "parameter file load";
        EXPECT_FALSE(SaveSettingsFile(ovp.c_str(), t.dm, StoreFromDevMode(t.dm))) << "parameter file save";
        EXPECT_EQ(t.Bytes(), before) << "device mode or store changed";
        InstallPresets(t.dm);
        EXPECT_EQ(t.dm->pdmSettingCount[0], PX_PRESETS_1280) << "counts set without a store";
        if (c.address != address) {
            EXPECT_FALSE(AttachSettingStore(t.dm, reinterpret_cast<SettingStore *>(c.address)))
                << "attached a store that is not live";
        }
        ReleaseSettingStore(t.dm);
        EXPECT_EQ(t.dm->pdmSettingStore, 0u) << "pdmSettingStore after release";
        EXPECT_TRUE(SettingStoreLive(t.store)) << "the live store was freed through foreign fields";
    }
    EXPECT_TRUE(AttachSettingStore(t.dm, t.store));
}
