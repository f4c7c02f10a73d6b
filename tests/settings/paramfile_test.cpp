// The settings parameter file: every byte of a saved file, loads of every
// version, refusals with their messages, and safe replacement.
#include <gtest/gtest.h>

#include <string.h>

#include "core/binding.h"
#include "devmode/builder.h"
#include "resources/resource.h"
#include "settingsfiles/paramfile.h"
#include "tests/common/printers.h"
#include "tests/settings/settings_util.h"

// The expected file, written at the offsets of the format independently of
// the code's structures.
struct Image {
    std::vector<BYTE> bytes = std::vector<BYTE>(2072, 0);
    void Put(size_t bodyOffset, size_t size, uint32_t value)
    {
        memcpy(bytes.data() + 16 + bodyOffset, &value, size);
    }
    void Text(size_t bodyOffset, const WCHAR *text)
    {
        memcpy(bytes.data() + 16 + bodyOffset, text, (lstrlenW(text) + 1) * sizeof(WCHAR));
    }
};

// Distinct values in every carried field, negative and high-bit values where
// the storage extends them; garbage after the strings' terminators.
static void FillCarriedFields(PXDEVMODE *dm, Image *x)
{
    x->bytes[0] = 0xC5; x->bytes[1] = 0x09; x->bytes[2] = 2;
    dm->dm.dmOrientation = -2;               x->Put(0, 4, 0xFFFFFFFE);
    dm->dm.dmPaperSize = 300;                x->Put(4, 4, 300);
    dm->dm.dmCopies = -3;                    x->Put(8, 4, 0xFFFFFFFD);
    dm->dm.dmDefaultSource = (short)0x8182;  x->Put(12, 4, 0xFFFF8182);
    dm->dm.dmColor = 2;                      x->Put(16, 4, 2);
    dm->dm.dmICMMethod = 0x87654321;         x->Put(20, 4, 0x87654321);
    dm->pdmSizeSeries = 0x80000007;          x->Put(24, 4, 0x80000007);
    dm->pdmOutputSize = -365;                x->Put(28, 4, 0xFFFFFE93);
    dm->pdmOutputScale = 0x01020304;         x->Put(32, 4, 0x01020304);
    dm->pdmRotation = 4;                     x->Put(36, 4, 4);
    dm->pdmMediaWidth = 13000;               x->Put(40, 4, 13000);
    for (int i = 0; i < 6; i++) {
        dm->pdmUserSizes[i] = {1000 + i, -2000 - i};
        x->Put(44 + 8 * i, 4, 1000 + i);
        x->Put(48 + 8 * i, 4, (uint32_t)(-2000 - i));
    }
    dm->pdmMargin.id = 261;                  x->Put(92, 4, 261);
    dm->pdmPaperType.id = 0x501;             x->Put(96, 4, 0x501);
    dm->pdmSettingIndex = -1;                x->Put(100, 4, 0xFFFFFFFF);
    dm->pdmLegacySettingCount = 9;           // written 0
    dm->pdmColorFlags = 0x2241;              x->Put(108, 4, 0x2241);
    dm->pdmPrintMode = 3;                    x->Put(112, 4, 3);
    dm->pdmResolutionIndex = 7;              x->Put(116, 4, 7);
    dm->pdmGrayFlag = 0x11;                  x->Put(120, 4, 0x11);
    dm->pdmColorCorrection.id = 3586;        x->Put(124, 4, 3586);
    dm->pdmColorProcess = 0x12345;           x->Put(128, 4, 0x12345);
    dm->pdmAdjustFlag = 0xA5;                x->Put(132, 4, 0xA5);
    int16_t *tone = &dm->pdmGamma;
    for (int i = 0; i < 7; i++) {
        tone[i] = (int16_t)(i % 2 ? -11 - i : 21 - i);
        x->Put(136 + 2 * i, 2, (uint16_t)tone[i]);
    }
    for (int i = 0; i < 259; i++)
        dm->pdmImageProfile[i] = (WCHAR)(L'a' + i % 26);
    dm->pdmImageProfile[259] = 0;
    x->Text(152, dm->pdmImageProfile);
    memset(dm->pdmPrinterProfile, 0x41, sizeof dm->pdmPrinterProfile);
    lstrcpyW(dm->pdmPrinterProfile, L"プリンタ.icm");
    x->Text(672, L"プリンタ.icm");
    uint32_t *flags[] = {&dm->pdmNoMirror, &dm->pdmEffectSet, &dm->pdmOverprintOn,
                         &dm->pdmOverprintWaitOn, &dm->pdmPreHeaterOn, &dm->pdmPlatenHeaterOn,
                         &dm->pdmAfterHeaterOn, &dm->pdmOnTheFly};
    const size_t flagAt[] = {1192, 1196, 1204, 1212, 1220, 1228, 1236, 1244};
    for (int i = 0; i < 8; i++) {
        *flags[i] = 0x10001u * (i + 1);
        x->Put(flagAt[i], 4, 0x10001u * (i + 1));
    }
    dm->pdmEffect = -5;                      x->Put(1200, 4, 0xFFFFFFFB);
    uint16_t *counts[] = {&dm->pdmOverprintCount, &dm->pdmOverprintWait, &dm->pdmPreHeaterTemp,
                          &dm->pdmPlatenHeaterTemp, &dm->pdmAfterHeaterTemp};
    for (int i = 0; i < 5; i++) {
        *counts[i] = (uint16_t)(0x8001 + i);
        x->Put(1208 + 8 * i, 4, 0x8001 + i);
    }
    dm->pdmLengthUnit = 1;                   // not carried
    dm->pdmTempUnit = 1;
    // Twelve (flag, value) pairs from pdmModelSet on.
    for (int i = 0; i < 12; i++) {
        uint32_t *flag = &dm->pdmModelSet + 2 * i;
        uint16_t *value = reinterpret_cast<uint16_t *>(flag + 1);
        *flag = 0x300u + i;
        *value = (uint16_t)(0x9000 + i);
        x->Put(1256 + 8 * i, 4, 0x300u + i);
        x->Put(1260 + 8 * i, 4, 0x9000u + i);
    }
    dm->pdmFeedAdjust = -500;                x->Put(1340, 4, 0xFFFFFE0C);
    dm->pdmColorTableSet = 0x77;             x->Put(1344, 4, 0x77);
    memset(dm->pdmColorTable, 0x42, sizeof dm->pdmColorTable);
    lstrcpyW(dm->pdmColorTable, L"C:\\tables\\t.tbl");
    x->Text(1348, L"C:\\tables\\t.tbl");
    dm->pdmShowStatus = 0x31;                x->Put(1868, 4, 0x31);
    dm->pdmCropMarks = 0x32;                 x->Put(1872, 4, 0x32);
    dm->pdmSettingCount[0] = 3;              x->Put(1876, 4, 3);
    dm->pdmSettingCount[1] = 2;              x->Put(1880, 4, 2);
}

static std::vector<BYTE> RegisteredRecords(const SettingStore *store, int count0, int count1)
{
    std::vector<BYTE> records((const BYTE *)store->blocks[0], (const BYTE *)(store->blocks[0] + count0));
    records.insert(records.end(), (const BYTE *)store->blocks[1], (const BYTE *)(store->blocks[1] + count1));
    return records;
}

TEST(ParameterFile, EverySavedByteIsAccountedForAndLoadsBack)
{
    TestDevMode t;
    Image expected;
    FillCarriedFields(t.dm, &expected);
    for (int i = 0; i < PX_SETTING_SLOTS; i++) {
        t.store->blocks[0][i] = MakeSetting(L"zero", i);
        t.store->blocks[1][i] = MakeSetting(L"one", 50 + i);
    }
    std::vector<BYTE> records = RegisteredRecords(t.store, 3, 2);
    expected.bytes.insert(expected.bytes.end(), records.begin(), records.end());
    std::wstring path = ScratchPath(L"all.OVP");
    ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));
    std::vector<BYTE> saved = ReadWholeFile(path);
    ASSERT_EQ(saved.size(), expected.bytes.size());
    for (size_t i = 0; i < saved.size(); i++)
        ASSERT_EQ(saved[i], expected.bytes[i]) << "file offset " << i;

    TestDevMode u;
    memset(u.store, 0x33, sizeof(SettingStore));
    u.dm->pdmSettingCount[1] = 9;
    PXDEVMODE before = *u.dm;
    ASSERT_EQ(LoadSettingsFile(path.c_str(), u.dm, u.store), 0u);
    EXPECT_EQ(u.dm->pdmQualityMode.id, 16u) << "row 3 of the table of paper type 1281";
    EXPECT_EQ(u.dm->pdmSettingCount[0], 3);
    EXPECT_EQ(u.dm->pdmSettingCount[1], 2);
    EXPECT_EQ(memcmp(u.store->blocks[1][2].name, L"\x3333\x3333", 4), 0) << "slot 2 untouched";
    // Fields the file does not carry keep their values.
    EXPECT_EQ(u.dm->dm.dmScale, before.dm.dmScale);
    EXPECT_EQ(u.dm->pdmTotalInkLimit, before.pdmTotalInkLimit);
    EXPECT_EQ(memcmp(u.dm->pdmInkAmount, before.pdmInkAmount, sizeof before.pdmInkAmount), 0);
    EXPECT_EQ(u.dm->pdmLengthUnit, before.pdmLengthUnit);
    EXPECT_EQ(u.dm->pdmLegacySettingCount, before.pdmLegacySettingCount);
    EXPECT_EQ(memcmp(u.dm->pdmMargin.name, before.pdmMargin.name, sizeof before.pdmMargin.name), 0);
    // Saving what was loaded gives the same file: every carried field came back.
    std::wstring again = ScratchPath(L"again.OVP");
    ASSERT_TRUE(SaveSettingsFile(again.c_str(), u.dm, u.store));
    EXPECT_EQ(ReadWholeFile(again), saved);
}

TEST(ParameterFile, LengthFollowsTheCountsAndNeverHoldsSlot20)
{
    TestDevMode t;
    const int counts[][2] = {{0, 0}, {6, 2}, {20, 20}, {21, 0}, {300, -4}};
    for (const auto &c : counts) {
        t.dm->pdmSettingCount[0] = (int16_t)c[0];
        t.dm->pdmSettingCount[1] = (int16_t)c[1];
        std::wstring path = ScratchPath(L"length.OVP");
        ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));
        int records = SettingCountOf(t.dm, 0) + SettingCountOf(t.dm, 1);
        EXPECT_EQ(ReadWholeFile(path).size(), 2072u + 1184 * records) << c[0] << "," << c[1];
        TestDevMode u;
        EXPECT_EQ(LoadSettingsFile(path.c_str(), u.dm, u.store), 0u) << "a saved file always loads";
    }
}

// A version-2 file with the given header fields, counts and print mode.
static std::vector<BYTE> ParamFile(uint16_t mark, int16_t version, int32_t count0, int32_t count1,
                                   int32_t printMode, int records)
{
    Image x;
    memcpy(x.bytes.data(), &mark, 2);
    memcpy(x.bytes.data() + 2, &version, 2);
    x.Put(112, 4, printMode);
    x.Put(1876, 4, count0);
    x.Put(1880, 4, count1);
    x.Put(104, 4, count0);
    for (int i = 0; i < records; i++) {
        PrintSetting s = MakeSetting(L"file", i);
        x.bytes.insert(x.bytes.end(), (BYTE *)&s, (BYTE *)(&s + 1));
    }
    return x.bytes;
}

TEST(ParameterFile, RefusedFilesGiveTheirMessageAndChangeNothing)
{
    std::vector<BYTE> partialHeader(ParamFile(2501, 2, 0, 0, 0, 0));
    partialHeader.resize(1);
    const struct { std::vector<BYTE> bytes; UINT message; } cases[] = {
        {ParamFile(2501, 3, 0, 0, 0, 0), IDS_OVP_UNKNOWN_VERSION},
        {ParamFile(2502, 3, 0, 0, 0, 0), IDS_OVP_UNKNOWN_VERSION},
        {ParamFile(2502, 2, 0, 0, 0, 0), IDS_OVP_OTHER_MODEL},
        {ParamFile(2501, 2, 22, 0, 0, 22), IDS_OVP_DAMAGED},
        {ParamFile(2501, 2, 0, -1, 0, 0), IDS_OVP_DAMAGED},
        {ParamFile(2501, 1, 0x10016, 0, 0, 22), IDS_OVP_DAMAGED},   // low half 22
        {ParamFile(2501, 2, 1, 0, 29, 1), IDS_OVP_DAMAGED},
        {ParamFile(2501, 2, 1, 0, -1, 1), IDS_OVP_DAMAGED},
        {ParamFile(2501, 2, 1, 0, 0x1001D, 1), IDS_OVP_DAMAGED},    // low half 29
        {std::vector<BYTE>(), IDS_OVP_OTHER_MODEL},                 // a zero header
        {partialHeader, IDS_OVP_OTHER_MODEL},
    };
    TestDevMode t;
    std::vector<BYTE> dm((BYTE *)t.dm, (BYTE *)(t.dm + 1));
    std::vector<BYTE> store((BYTE *)t.store, (BYTE *)(t.store + 1));
    std::wstring path = ScratchPath(L"refused.OVP");
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, c.bytes));
        EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), c.message) << c.bytes.size();
        EXPECT_EQ(memcmp(dm.data(), t.dm, dm.size()), 0);
        EXPECT_EQ(memcmp(store.data(), t.store, store.size()), 0);
    }
    EXPECT_EQ(LoadSettingsFile(ScratchPath(L"missing.OVP").c_str(), t.dm, t.store), IDS_OVP_DAMAGED);
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), IDS_OVP_DAMAGED) << "cannot be opened";
    CloseHandle(held);
    EXPECT_EQ(memcmp(dm.data(), t.dm, dm.size()), 0);
}

TEST(ParameterFile, ShortFilesReadMissingBytesAsZero)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"short.OVP");
    // Header and body only, counts 0: loads and leaves the store alone.
    ASSERT_TRUE(WriteWholeFile(path, ParamFile(2501, 2, 0, 0, 0x7FFF001C, 0)));
    std::vector<BYTE> store((BYTE *)t.store, (BYTE *)(t.store + 1));
    ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u);
    EXPECT_EQ(memcmp(store.data(), t.store, store.size()), 0);
    EXPECT_EQ(t.dm->pdmPrintMode, 28) << "only the low half of the slot is read";
    EXPECT_EQ(t.dm->pdmSettingCount[0], 0);

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
    EXPECT_EQ(memcmp(&t.store->blocks[0][0], &first, sizeof first), 0);
    EXPECT_EQ(memcmp(&t.store->blocks[0][1], &second, 584), 0);
    EXPECT_EQ(memcmp((BYTE *)&t.store->blocks[0][1] + 584, (BYTE *)&zero + 584, 600), 0);
    EXPECT_EQ(memcmp(&t.store->blocks[1][0], &zero, sizeof zero), 0);

    // One byte more than the records needs nothing of it.
    std::vector<BYTE> longer = ParamFile(2501, 2, 1, 0, 0, 1);
    longer.push_back(0xEE);
    ASSERT_TRUE(WriteWholeFile(path, longer));
    EXPECT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u);
}

TEST(ParameterFile, OlderVersionsCarryOnlyTheFirstPaperType)
{
    for (int16_t version : {1, 0, -2}) {
        TestDevMode t;
        t.dm->pdmSettingCount[1] = 5;
        std::vector<BYTE> file = ParamFile(2501, version, 3, 0, 2, 3);
        memset(file.data() + 16 + 1876, 0x44, 8);   // ignored by older versions
        std::wstring path = ScratchPath(L"old.OVP");
        ASSERT_TRUE(WriteWholeFile(path, file));
        ASSERT_EQ(LoadSettingsFile(path.c_str(), t.dm, t.store), 0u) << version;
        EXPECT_EQ(t.dm->pdmSettingCount[0], 3);
        EXPECT_EQ(t.dm->pdmSettingCount[1], 5);
        for (int i = 0; i < 3; i++) {
            PrintSetting s = MakeSetting(L"file", i);
            EXPECT_EQ(memcmp(&t.store->blocks[0][i], &s, sizeof s), 0);
        }
        EXPECT_EQ(t.store->blocks[0][3].presetId, 4) << "slot 3 keeps its preset";
        EXPECT_EQ(t.store->blocks[1][0].presetId, 1);
    }
}

TEST(ParameterFile, FailedSaveLeavesThePreviousFile)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"kept.OVP");
    std::vector<BYTE> old(5000, 0x99);
    ASSERT_TRUE(WriteWholeFile(path, old));
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_FALSE(SaveSettingsFile(path.c_str(), t.dm, t.store));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_FALSE(FileExists(path + L".new"));
    EXPECT_FALSE(SaveSettingsFile(ScratchPath(L"no\\such\\x.OVP").c_str(), t.dm, t.store));
    ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));
    EXPECT_EQ(ReadWholeFile(path).size(), 2072u + 1184 * 8) << "replaced, not appended to";
}

TEST(ParameterFile, SavedSettingsSurviveARebuildOfTheDeviceMode)
{
    // As the Setup page does it: load into a copy, then rebuild from it.
    PrinterHandle printer(PX_PRINTER);
    PrinterInfoRecord info = {};
    ASSERT_TRUE(BindAndCheck(printer, &info));
    TestDevMode t, u;
    PaperList list = {};
    ASSERT_TRUE(BuildDevMode(t.dm, NULL, printer, PX_PRINTER, &info, &list, FALSE));
    ReleasePaperList(&list);
    SetSettingStore(t.dm, static_cast<HGLOBAL>(t.store), t.store);
    t.dm->dm.dmOrientation = DMORIENT_LANDSCAPE;
    t.dm->dm.dmCopies = 7;
    t.dm->pdmOutputScale = 250;
    t.dm->pdmGamma = 18;
    t.dm->pdmOverprintOn = 1;
    t.dm->pdmOverprintCount = 4;
    lstrcpyW(t.dm->pdmPrinterProfile, L"x.icm");
    std::wstring path = ScratchPath(L"rebuild.OVP");
    ASSERT_TRUE(SaveSettingsFile(path.c_str(), t.dm, t.store));

    ASSERT_TRUE(BuildDevMode(u.dm, NULL, printer, PX_PRINTER, &info, &list, FALSE));
    ReleasePaperList(&list);
    ASSERT_EQ(LoadSettingsFile(path.c_str(), u.dm, u.store), 0u);
    Guarded rebuilt(sizeof(PXDEVMODE));
    ASSERT_TRUE(BuildDevMode(rebuilt.as<PXDEVMODE>(), &u.dm->dm, printer, PX_PRINTER, &info, &list, FALSE));
    ReleasePaperList(&list);
    ParamFileBody a, b;
    BodyFromDevMode(t.dm, &a);
    BodyFromDevMode(rebuilt.as<PXDEVMODE>(), &b);
    EXPECT_EQ(memcmp(&a, &b, sizeof a), 0);
}
