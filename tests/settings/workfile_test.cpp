// The working settings file: names, versions, refusals and safe replacement.
#include <gtest/gtest.h>

#include <string.h>

#include "settingsfiles/workfile.h"
#include "tests/common/printers.h"
#include "tests/settings/settings_util.h"

static std::vector<BYTE> WorkFile(int16_t version, int16_t legacy, int16_t count0, int16_t count1,
                                  int records)
{
    std::vector<BYTE> bytes(16 + 1184 * records);
    const int16_t header[] = {2501, version, 7, legacy, count0, count1};
    memcpy(bytes.data(), header, sizeof header);
    for (int i = 0; i < records; i++) {
        WCHAR name[8];
        wsprintfW(name, L"R%d", i);
        PrintSetting s = MakeSetting(name, i);
        memcpy(bytes.data() + 16 + 1184 * i, &s, sizeof s);
    }
    return bytes;
}

// Snapshot of a device mode and its store, to prove a refusal changed nothing.
struct Snapshot {
    std::vector<BYTE> dm, store;
    explicit Snapshot(const TestDevMode &t)
        : dm((BYTE *)t.dm, (BYTE *)t.dm + sizeof(PXDEVMODE)),
          store((BYTE *)t.store, (BYTE *)t.store + sizeof(SettingStore)) {}
    bool Same(const TestDevMode &t) const
    {
        return memcmp(dm.data(), t.dm, dm.size()) == 0 && memcmp(store.data(), t.store, store.size()) == 0;
    }
};

TEST(WorkingFile, NamesForLocalAndSharedPrinters)
{
    PRINTER_INFO_2W local = {};
    local.pPrinterName = const_cast<WCHAR *>(L"Plotter A");
    WCHAR path[MAX_PATH];
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x\\Orven\\PrinterDriver", &local, path));
    EXPECT_STREQ(path, L"C:\\x\\Orven\\PrinterDriver\\Plotter A.$$$");

    PRINTER_INFO_2W shared = local;
    shared.pServerName = const_cast<WCHAR *>(L"\\\\SRV");
    shared.pShareName = const_cast<WCHAR *>(L"PX");
    shared.pPrinterName = const_cast<WCHAR *>(L"\\\\SRV\\Plotter A");
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x", &shared, path));
    EXPECT_STREQ(path, L"C:\\x\\PX(SRV).$$$");
    shared.pShareName = const_cast<WCHAR *>(L"");
    shared.pPrinterName = const_cast<WCHAR *>(L"Local");
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x", &shared, path));
    EXPECT_STREQ(path, L"C:\\x\\Local.$$$") << "a server without a share is not a connection";

    std::wstring longName(251, L'n');  // 9 + 251 = 260 characters: one too many
    local.pPrinterName = const_cast<WCHAR *>(longName.c_str());
    EXPECT_FALSE(FormatWorkingSettingsName(L"C:\\x", &local, path));
    longName.pop_back();
    local.pPrinterName = const_cast<WCHAR *>(longName.c_str());
    EXPECT_TRUE(FormatWorkingSettingsName(L"C:\\x", &local, path));
    EXPECT_EQ(lstrlenW(path), 259);

    PrinterHandle printer(PX_PRINTER);
    ASSERT_TRUE(GetWorkingSettingsPath(printer, path));
    std::wstring p(path);
    const std::wstring tail = L"\\Orven\\PrinterDriver\\ORVEN PX-2210.$$$";
    ASSERT_GT(p.size(), tail.size());
    EXPECT_EQ(p.substr(p.size() - tail.size()), tail);
    EXPECT_TRUE(FileExists(p.substr(0, p.size() - tail.size() + 20)));
}

TEST(WorkingFile, WrittenFileReadsBackThroughThePrinter)
{
    TestDevMode t;
    PrinterHandle printer(PX_PRINTER);
    t.dm->pdmPaperType.id = 0x500;
    t.dm->pdmSettingCount[0] = 3;
    for (int i = 0; i < PX_SETTING_SLOTS; i++)
        t.store->blocks[0][i] = MakeSetting(L"mine", i);
    t.dm->pdmSettingIndex = -1;
    WCHAR path[MAX_PATH];
    ASSERT_TRUE(GetWorkingSettingsPath(printer, path));
    // Other suites share the printer: its file is put back afterwards.
    std::vector<BYTE> previous = ReadWholeFile(path);
    bool existed = FileExists(path);
    struct Restore {
        std::wstring path; std::vector<BYTE> bytes; bool existed;
        ~Restore() { existed ? (void)WriteWholeFile(path, bytes) : (void)DeleteFileW(path.c_str()); }
    } restore = {path, previous, existed};
    ASSERT_TRUE(WriteWorkingSettings(printer, t.dm));
    std::vector<BYTE> file = ReadWholeFile(path);
    ASSERT_EQ(file.size(), 16u + 1184 * 5) << "slot 20 is never written";
    const int16_t header[] = {2501, 2, -1, 0, 3, 2, 0, 0};
    EXPECT_EQ(memcmp(file.data(), header, 16), 0);
    EXPECT_EQ(memcmp(file.data() + 16, t.store->blocks[0], 1184 * 3), 0);
    EXPECT_EQ(memcmp(file.data() + 16 + 1184 * 3, t.store->blocks[1], 1184 * 2), 0);
    EXPECT_FALSE(FileExists(std::wstring(path) + L".new"));

    TestDevMode u;
    memset(u.store, 0x5A, sizeof(SettingStore));
    u.dm->pdmSettingIndex = -1;
    ASSERT_TRUE(ReadWorkingSettings(printer, u.dm));
    EXPECT_EQ(u.dm->pdmSettingCount[0], 3);
    EXPECT_EQ(u.dm->pdmSettingCount[1], 2);
    EXPECT_EQ(u.dm->pdmSettingIndex, -1);
    EXPECT_EQ(memcmp(u.store->blocks[0], t.store->blocks[0], 1184 * 3), 0);
    EXPECT_EQ(memcmp(u.store->blocks[1], t.store->blocks[1], 1184 * 2), 0);
    EXPECT_EQ(u.store->blocks[0][3].presetId, 0x5A5A) << "other slots keep their contents";
}

TEST(WorkingFile, IndexIsResetWhenItPassesTheCountOfThePaperType)
{
    std::wstring path = ScratchPath(L"index.$$$");
    ASSERT_TRUE(WriteWholeFile(path, WorkFile(2, 0, 3, 2, 5)));
    const struct { uint32_t type; int16_t before, after; } cases[] = {
        {0x500, 5, 0}, {0x500, 3, 0}, {0x500, 2, 2}, {0x500, -1, -1}, {0x501, 2, 0},
        {0x501, 1, 1}, {0x502, 0, 0}, {0x502, 1, 0}};
    for (const auto &c : cases) {
        TestDevMode t;
        t.dm->pdmPaperType.id = c.type;
        t.dm->pdmSettingIndex = c.before;
        EXPECT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), WORKFILE_OK);
        EXPECT_EQ(t.dm->pdmSettingIndex, c.after) << c.type << " " << c.before;
    }
}

TEST(WorkingFile, OlderVersionsGetTheNamedPresetsInTheSecondBlock)
{
    for (int16_t version : {0, 1, -3}) {
        std::wstring path = ScratchPath(L"v1.$$$");
        ASSERT_TRUE(WriteWholeFile(path, WorkFile(version, 4, 17, 9, 4)));
        TestDevMode t;
        memset(t.store->blocks[1], 0, sizeof t.store->blocks[1]);
        ASSERT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), WORKFILE_OK) << version;
        EXPECT_EQ(t.dm->pdmSettingCount[0], 4);
        EXPECT_EQ(t.dm->pdmSettingCount[1], 2);
        EXPECT_STREQ(t.store->blocks[0][3].name, L"R3");
        EXPECT_EQ(t.store->blocks[0][4].presetId, 5) << "slot 4 keeps its preset";
        EXPECT_EQ(t.store->blocks[1][0].presetId, 1);
        EXPECT_STREQ(t.store->blocks[1][0].name, L"標準設定");
        EXPECT_EQ(t.store->blocks[1][1].presetId, 3);
        EXPECT_STREQ(t.store->blocks[1][1].name, L"最高品質");
        EXPECT_EQ(t.store->blocks[1][1].printMode, 0);
    }
}

TEST(WorkingFile, DamagedFilesAreIgnoredAndChangeNothing)
{
    std::vector<BYTE> longer = WorkFile(2, 0, 3, 2, 5);
    longer.push_back(0);
    std::vector<BYTE> shorter = WorkFile(2, 0, 3, 2, 5);
    shorter.pop_back();
    std::vector<BYTE> foreign = WorkFile(2, 0, 1, 0, 1);
    foreign[0] = 0xC6;
    const struct { std::vector<BYTE> bytes; WorkFileResult result; } cases[] = {
        {longer, WORKFILE_BAD_SIZE},
        {shorter, WORKFILE_BAD_SIZE},
        {WorkFile(2, 0, 22, 0, 22), WORKFILE_BAD_COUNT},
        {WorkFile(2, 0, 1, -1, 0), WORKFILE_BAD_COUNT},
        {WorkFile(1, 22, 0, 0, 22), WORKFILE_BAD_COUNT},
        {WorkFile(1, -1, 0, 0, 0), WORKFILE_BAD_COUNT},
        {WorkFile(3, 0, 0, 0, 0), WORKFILE_BAD_VERSION},
        {foreign, WORKFILE_OTHER_MODEL},
        {std::vector<BYTE>(15, 0), WORKFILE_SHORT_HEADER},
        {std::vector<BYTE>(), WORKFILE_SHORT_HEADER},
    };
    TestDevMode t;
    Snapshot before(t);
    std::wstring path = ScratchPath(L"damaged.$$$");
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, c.bytes));
        EXPECT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), c.result) << c.bytes.size();
        EXPECT_TRUE(before.Same(t));
    }
    EXPECT_EQ(ReadWorkingSettingsFile(ScratchPath(L"missing.$$$").c_str(), t.dm, t.store),
              WORKFILE_NOT_FOUND);
    ASSERT_TRUE(WriteWholeFile(path, WorkFile(2, 0, 21, 21, 42)));
    EXPECT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), WORKFILE_OK) << "21 fill a block";
    EXPECT_STREQ(t.store->blocks[1][20].name, L"R41");
}

TEST(WorkingFile, FailedWriteLeavesThePreviousFile)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"kept.$$$");
    std::vector<BYTE> old = WorkFile(2, 0, 1, 0, 1);
    ASSERT_TRUE(WriteWholeFile(path, old));
    // Held open without sharing by another sheet: it cannot be replaced.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteWorkingSettingsFile(path.c_str(), t.dm, t.store));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_FALSE(FileExists(path + L".new"));
    EXPECT_FALSE(WriteWorkingSettingsFile(ScratchPath(L"no\\such\\folder.$$$").c_str(), t.dm, t.store));
    EXPECT_TRUE(WriteWorkingSettingsFile(path.c_str(), t.dm, t.store));
    EXPECT_EQ(ReadWholeFile(path).size(), 16u + 1184 * 8);
}
