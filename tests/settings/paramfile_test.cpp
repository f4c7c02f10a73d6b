// The settings parameter file: every byte of a saved file, loads of every
// version, and refusals with their messages.
#include <gtest/gtest.h>

#include <string.h>

#include "resources/ids_strings.h"
#include "settingsfiles/paramfile.h"
#include "tests/settings/settings_util.h"

// Every carried field where the format puts it: body offset, device-mode
// offset (the record's own numbers) and how its body slot holds it.
enum Slot { S16, U16, W32, H16, PATH };  // 16-bit sign- or zero-extended, 32, 16 in 16, name
struct Carried {
    uint16_t body, dm;
    Slot slot;
};
static const Carried kCarried[] = {
    {0, 76, S16}, {4, 78, S16}, {8, 86, S16}, {12, 88, S16}, {16, 92, S16}, {20, 188, W32},
    {24, 228, W32}, {28, 232, S16}, {32, 236, W32}, {36, 240, S16}, {40, 244, W32},
    {44, 248, W32}, {48, 252, W32}, {52, 256, W32}, {56, 260, W32}, {60, 264, W32}, {64, 268, W32},
    {68, 272, W32}, {72, 276, W32}, {76, 280, W32}, {80, 284, W32}, {84, 288, W32}, {88, 292, W32},
    {92, 300, W32}, {96, 444, W32}, {100, 584, S16}, {108, 588, W32}, {112, 596, S16},
    {116, 746, S16}, {120, 748, W32}, {124, 752, W32}, {128, 892, W32}, {132, 904, W32},
    {136, 908, H16}, {138, 910, H16}, {140, 912, H16}, {142, 914, H16}, {144, 916, H16},
    {146, 918, H16}, {148, 920, H16}, {152, 926, PATH}, {672, 1446, PATH},
    {1192, 1968, W32}, {1196, 1972, W32}, {1200, 1976, S16}, {1204, 1980, W32}, {1208, 1984, U16},
    {1212, 1988, W32}, {1216, 1992, U16}, {1220, 1996, W32}, {1224, 2000, U16}, {1228, 2004, W32},
    {1232, 2008, U16}, {1236, 2012, W32}, {1240, 2016, U16}, {1244, 2020, W32},
    {1256, 2028, W32}, {1260, 2032, U16}, {1264, 2036, W32}, {1268, 2040, U16}, {1272, 2044, W32},
    {1276, 2048, U16}, {1280, 2052, W32}, {1284, 2056, U16}, {1288, 2060, W32}, {1292, 2064, U16},
    {1296, 2068, W32}, {1300, 2072, U16}, {1304, 2076, W32}, {1308, 2080, U16}, {1312, 2084, W32},
    {1316, 2088, U16}, {1320, 2092, W32}, {1324, 2096, U16}, {1328, 2100, W32}, {1332, 2104, U16},
    {1336, 2108, W32}, {1340, 2112, S16}, {1344, 2116, W32}, {1348, 2120, PATH},
    {1868, 2824, W32}, {1872, 2828, W32}, {1876, 2832, S16}, {1880, 2834, S16}};

// A distinct value per field, negative or with the high bit set where the
// slot extends it; print mode 3 on paper type 0x501 and counts 3 and 2 so
// that the file loads.
static int32_t CarriedValue(const Carried &c, int i)
{
    switch (c.dm) {
    case 596: return 3;
    case 444: return 0x501;
    case 2832: return 3;
    case 2834: return 2;
    }
    return c.slot == U16 ? 0x8000 + i : c.slot == W32 ? (int32_t)(0x9E000000u + 0x10001u * i) : -2 - i;
}

// Puts the field's value into a device mode (a name with garbage after its
// terminator; the image profile 259 characters long).
static void PutCarried(BYTE *dm, const Carried &c, int i, bool garbage)
{
    int32_t value = CarriedValue(c, i);
    if (c.slot != PATH) {
        memcpy(dm + c.dm, &value, c.slot == W32 ? 4 : 2);
        return;
    }
    WCHAR *name = reinterpret_cast<WCHAR *>(dm + c.dm);
    memset(name, garbage ? 0x41 : 0, 520);
    std::wstring text = c.dm == 926 ? std::wstring(259, L'i') : L"名前-" + std::to_wstring(i) + L".icm";
    memcpy(name, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
}

TEST(ParameterFile, EverySavedByteIsAccountedForAndLoadsBack)
{
    TestDevMode t, u;
    std::vector<BYTE> expected(2072, 0);
    const uint16_t header[] = {2501, 2};
    memcpy(expected.data(), header, sizeof header);
    for (int i = 0; i < (int)ARRAYSIZE(kCarried); i++) {
        const Carried &c = kCarried[i];
        PutCarried((BYTE *)t.dm, c, i, true);
        int32_t value = CarriedValue(c, i);
        if (c.slot == PATH)
            memcpy(&expected[16 + c.body], (BYTE *)t.dm + c.dm, (lstrlenW((WCHAR *)((BYTE *)t.dm + c.dm)) + 1) * 2);
        else
            memcpy(&expected[16 + c.body], &value, c.slot == H16 ? 2 : 4);
    }
    t.dm->pdmLegacySettingCount = 9;          // written 0
    t.dm->pdmLengthUnit = t.dm->pdmTempUnit = 1;  // not carried
    for (int i = 0; i < PX_SETTING_SLOTS; i++) {
        t.store->blocks[0][i] = MakeSetting(L"zero", i);
        t.store->blocks[1][i] = MakeSetting(L"one", 50 + i);
    }
    expected.insert(expected.end(), (BYTE *)t.store->blocks[0], (BYTE *)(t.store->blocks[0] + 3));
    expected.insert(expected.end(), (BYTE *)t.store->blocks[1], (BYTE *)(t.store->blocks[1] + 2));
    std::wstring path = ScratchPath(L"all.OVP");
    ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));
    std::vector<BYTE> saved = ReadWholeFile(path);
    ASSERT_EQ(saved.size(), expected.size());
    for (size_t i = 0; i < saved.size(); i++)
        ASSERT_EQ(saved[i], expected[i]) << "file offset " << i;

    // Loading sets exactly the carried fields, the quality mode of print mode
    // 3 on paper type 0x501 and the counts; the store takes the records.
    memset(u.store, 0x33, sizeof(SettingStore));
    PXDEVMODE want = *u.dm;
    for (int i = 0; i < (int)ARRAYSIZE(kCarried); i++)
        PutCarried((BYTE *)&want, kCarried[i], i, false);
    want.pdmQualityMode.id = 16;
    ASSERT_EQ(LoadSettingsFile(path.c_str(), u.dm, u.store), 0u);
    EXPECT_TRUE(SameSettings(*u.dm, want));
    EXPECT_TRUE(SamePrintSettings(u.store->blocks[0], t.store->blocks[0], 3)) << "block 0";
    EXPECT_TRUE(SamePrintSettings(u.store->blocks[1], t.store->blocks[1], 2)) << "block 1";
    EXPECT_EQ(u.store->blocks[1][2].presetId, 0x3333) << "slot 2 untouched";

    // Counts from outside are saved bounded to the registered slots, so the file loads.
    for (int count : {20, 21, 300, -4}) {
        t.dm->pdmSettingCount[0] = t.dm->pdmSettingCount[1] = (int16_t)count;
        ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));
        int bounded = count < 0 ? 0 : count > PX_SETTING_MAX_COUNT ? PX_SETTING_MAX_COUNT : count;
        EXPECT_EQ(ReadWholeFile(path).size(), 2072u + 1184 * 2 * bounded) << count;
        EXPECT_EQ(LoadSettingsFile(path.c_str(), u.dm, u.store), 0u) << count;
    }
}

// A file with the given header fields, counts (at both places) and print
// mode; the rest of the header and body zero.
static std::vector<BYTE> ParamFile(uint16_t mark, int16_t version, int32_t count0, int32_t count1,
                                   int32_t printMode, int records)
{
    std::vector<BYTE> bytes(2072, 0);
    memcpy(bytes.data(), &mark, 2);
    memcpy(bytes.data() + 2, &version, 2);
    for (auto [body, value] : {std::pair{112, printMode}, {1876, count0}, {1880, count1}, {104, count0}})
        memcpy(bytes.data() + 16 + body, &value, 4);
    for (int i = 0; i < records; i++) {
        PrintSetting s = MakeSetting(L"file", i);
        bytes.insert(bytes.end(), (BYTE *)&s, (BYTE *)(&s + 1));
    }
    return bytes;
}

TEST(ParameterFile, RefusedFilesGiveTheirMessageAndChangeNothing)
{
    const struct { std::vector<BYTE> bytes; UINT message; } cases[] = {
        {ParamFile(2501, 3, 0, 0, 0, 0), IDS_OVP_UNKNOWN_VERSION},
        {ParamFile(2502, 3, 0, 0, 0, 0), IDS_OVP_UNKNOWN_VERSION},
        {ParamFile(2502, 2, 0, 0, 0, 0), IDS_OVP_OTHER_MODEL},
        {ParamFile(2501, 2, 21, 0, 0, 21), IDS_OVP_DAMAGED},         // slot 20 is not registered
        {ParamFile(2501, 2, 0, -1, 0, 0), IDS_OVP_DAMAGED},
        {ParamFile(2501, 1, 0x10015, 0, 0, 21), IDS_OVP_DAMAGED},   // low half 21
        {ParamFile(2501, 2, 1, 0, 29, 1), IDS_OVP_DAMAGED},
        {ParamFile(2501, 2, 1, 0, -1, 1), IDS_OVP_DAMAGED},
        {ParamFile(2501, 2, 1, 0, 0x1001D, 1), IDS_OVP_DAMAGED},    // low half 29
        {std::vector<BYTE>(1, 0xC5), IDS_OVP_OTHER_MODEL},          // the header reads as zero
    };
    TestDevMode t;
    const std::vector<BYTE> before = t.Bytes();
    std::wstring path = ScratchPath(L"refused.OVP");
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, c.bytes));
        EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), c.message) << c.bytes.size();
        EXPECT_EQ(t.Bytes(), before);
    }
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), IDS_OVP_DAMAGED) << "cannot be opened";
    CloseHandle(held);
    EXPECT_EQ(LoadSettingsFile(ScratchPath(L"missing.OVP").c_str(), t.dm, t.store), IDS_OVP_DAMAGED);
    EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, NULL), IDS_OVP_DAMAGED) << "no store";
    EXPECT_EQ(t.Bytes(), before);
}

TEST(ParameterFile, ShortFilesReadMissingBytesAsZero)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"short.OVP");
    // Header and body only, counts 0: loads and leaves the store alone.
    ASSERT_TRUE(WriteWholeFile(path, ParamFile(2501, 2, 0, 0, 0x7FFF001C, 0)));
    const int slots = PX_SETTING_BLOCKS * PX_SETTING_SLOTS;
    const PrintSetting *all = &t.store->blocks[0][0];
    const std::vector<PrintSetting> store(all, all + slots);
    ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u);
    EXPECT_TRUE(SamePrintSettings(all, store.data(), slots)) << "the store, slot by slot";
    EXPECT_EQ(t.dm->pdmPrintMode, 28) << "only the low half of the slot is read";

    // A body cut short: what is missing reads as zero.
    std::vector<BYTE> cut = ParamFile(2501, 2, 0, 0, 4, 0);
    memset(cut.data() + 16 + 1192, 0x7F, 100);
    cut.resize(16 + 1000);
    ASSERT_TRUE(WriteWholeFile(path, cut));
    t.dm->pdmNoMirror = 1;
    t.dm->pdmSettingCount[1] = 2;
    ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u);
    EXPECT_EQ(t.dm->pdmPrintMode, 4);
    EXPECT_EQ(t.dm->pdmNoMirror, 0u);
    EXPECT_EQ(t.dm->pdmSettingCount[1], 0);

    // Records cut short: the rest of the last one and the missing ones are zero.
    std::vector<BYTE> records = ParamFile(2501, 2, 2, 1, 0, 2);
    records.resize(records.size() - 600);
    ASSERT_TRUE(WriteWholeFile(path, records));
    ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u);
    PrintSetting first = MakeSetting(L"file", 0), second = MakeSetting(L"file", 1), zero = {};
    memset((BYTE *)&second + 584, 0, 600);
    EXPECT_TRUE(SamePrintSetting(t.store->blocks[0][0], first)) << "block 0 slot 0";
    EXPECT_TRUE(SamePrintSetting(t.store->blocks[0][1], second)) << "block 0 slot 1";
    EXPECT_TRUE(SamePrintSetting(t.store->blocks[1][0], zero)) << "block 1 slot 0";
}

TEST(ParameterFile, OlderVersionsCarryOnlyTheFirstPaperType)
{
    for (int16_t version : {1, 0, -2}) {
        TestDevMode t;
        t.dm->pdmSettingCount[1] = 5;
        std::vector<BYTE> file = ParamFile(2501, version, 3, 0, 2, 3);
        file.push_back(0xEE);                        // bytes after the records are not read
        memset(file.data() + 16 + 1876, 0x44, 8);   // ignored by older versions
        std::wstring path = ScratchPath(L"old.OVP");
        ASSERT_TRUE(WriteWholeFile(path, file));
        ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u) << version;
        EXPECT_EQ(t.dm->pdmSettingCount[0], 3);
        EXPECT_EQ(t.dm->pdmSettingCount[1], 5);
        EXPECT_TRUE(SamePrintSettings(t.store->blocks[0],
                                      reinterpret_cast<const PrintSetting *>(file.data() + 2072), 3));
        EXPECT_EQ(t.store->blocks[0][3].presetId, 4) << "slot 3 keeps its preset";
    }
}
