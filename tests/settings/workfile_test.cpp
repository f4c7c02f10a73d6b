// The working settings file: names, versions, refusals, and the safe
// replacement both settings files share.
#include <gtest/gtest.h>

#include <string.h>

#include "settings/presets.h"
#include "settingsfiles/paramfile.h"
#include "settingsfiles/workfile.h"
#include "tests/common/printers.h"
#include "tests/settings/settings_util.h"

// A file with the given header and records R0, R1, ...
static std::vector<BYTE> WorkFile(int16_t version, int16_t legacy, int16_t count0, int16_t count1,
                                  int records)
{
    std::vector<BYTE> bytes(16);
    const int16_t header[] = {2501, version, 7, legacy, count0, count1};
    memcpy(bytes.data(), header, sizeof header);
    for (int i = 0; i < records; i++) {
        PrintSetting s = MakeSetting((L"R" + std::to_wstring(i)).c_str(), i);
        bytes.insert(bytes.end(), (BYTE *)&s, (BYTE *)(&s + 1));
    }
    return bytes;
}

TEST(WorkingFile, NamesForLocalAndSharedPrinters)
{
    PRINTER_INFO_2W local = {}, shared = {};
    local.pPrinterName = const_cast<WCHAR *>(L"Plotter A");
    WCHAR path[MAX_PATH];
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x\\Orven\\PrinterDriver", &local, path));
    EXPECT_STREQ(path, L"C:\\x\\Orven\\PrinterDriver\\Plotter A.$$$");
    shared.pServerName = const_cast<WCHAR *>(L"\\\\SRV");
    shared.pShareName = const_cast<WCHAR *>(L"PX");
    shared.pPrinterName = const_cast<WCHAR *>(L"\\\\SRV\\Plotter A");
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x", &shared, path));
    EXPECT_STREQ(path, L"C:\\x\\PX(SRV).$$$");
    shared.pShareName = const_cast<WCHAR *>(L"");
    shared.pPrinterName = const_cast<WCHAR *>(L"Local");
    ASSERT_TRUE(FormatWorkingSettingsName(L"C:\\x", &shared, path));
    EXPECT_STREQ(path, L"C:\\x\\Local.$$$") << "a server without a share is no connection";

    std::wstring longName(251, L'n');  // 9 + 251 = 260 characters: one too many
    local.pPrinterName = const_cast<WCHAR *>(longName.c_str());
    EXPECT_FALSE(FormatWorkingSettingsName(L"C:\\x", &local, path));
    longName.pop_back();
    local.pPrinterName = const_cast<WCHAR *>(longName.c_str());
    EXPECT_TRUE(FormatWorkingSettingsName(L"C:\\x", &local, path));
    EXPECT_EQ(lstrlenW(path), 259);

    PrinterHandle printer(PX_PRINTER);
    ASSERT_TRUE(GetWorkingSettingsPath(printer, path));
    const std::wstring p(path), tail = L"\\Orven\\PrinterDriver\\ORVEN PX-2210.$$$";
    ASSERT_GT(p.size(), tail.size());
    EXPECT_EQ(p.substr(p.size() - tail.size()), tail);
    EXPECT_NE(GetFileAttributesW(p.substr(0, p.size() - 18).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the folders are created";
}

TEST(WorkingFile, WrittenFileReadsBackAndResetsAnIndexBeyondTheCount)
{
    TestDevMode t;
    t.dm->pdmSettingCount[0] = 3;
    for (int i = 0; i < PX_SETTING_SLOTS; i++)
        t.store->blocks[0][i] = MakeSetting(L"mine", i);
    t.dm->pdmSettingIndex = -1;
    std::wstring path = ScratchPath(L"written.$$$");
    ASSERT_TRUE(WriteWorkingSettingsFile(path.c_str(), t.dm, t.store));
    std::vector<BYTE> file = ReadWholeFile(path);
    ASSERT_EQ(file.size(), 16u + 1184 * 5) << "slot 20 is never written";
    WorkFileHeader header;
    memcpy(&header, file.data(), sizeof header);
    EXPECT_EQ(header.modelMark, 2501) << "model mark";
    EXPECT_EQ(header.version, 2) << "version";
    EXPECT_EQ(header.settingIndex, -1) << "setting index";
    EXPECT_EQ(header.legacyCount, 0) << "legacy count";
    EXPECT_EQ(header.counts[0], 3) << "count0";
    EXPECT_EQ(header.counts[1], 2) << "count1";
    uint32_t reserved;
    memcpy(&reserved, header.reserved12, sizeof reserved);
    EXPECT_EQ(reserved, 0u) << "reserved";
    const PrintSetting *written = reinterpret_cast<const PrintSetting *>(file.data() + 16);
    EXPECT_TRUE(SamePrintSettings(written, t.store->blocks[0], 3)) << "block 0 in the file";
    EXPECT_TRUE(SamePrintSettings(written + 3, t.store->blocks[1], 2)) << "block 1 in the file";

    const struct { uint32_t type; int16_t before, after; } cases[] = {
        {0x500, -1, -1}, {0x500, 5, 0}, {0x500, 3, 0}, {0x500, 2, 2}, {0x501, 2, 0},
        {0x501, 1, 1}, {0x502, 0, 0}, {0x502, 1, 0}};
    for (const auto &c : cases) {
        TestDevMode u;
        memset(u.store, 0x5A, sizeof(SettingStore));
        u.dm->pdmPaperType.id = c.type;
        u.dm->pdmSettingIndex = c.before;
        ASSERT_EQ(ReadWorkingSettingsFile(path.c_str(), u.dm, u.store), WORKFILE_OK);
        EXPECT_EQ(u.dm->pdmSettingIndex, c.after) << c.type << " " << c.before;
        EXPECT_EQ(u.dm->pdmSettingCount[0], 3);
        EXPECT_EQ(u.dm->pdmSettingCount[1], 2);
        EXPECT_TRUE(SamePrintSettings(u.store->blocks[0], t.store->blocks[0], 3)) << "block 0";
        EXPECT_TRUE(SamePrintSettings(u.store->blocks[1], t.store->blocks[1], 2)) << "block 1";
        EXPECT_EQ(u.store->blocks[0][3].presetId, 0x5A5A) << "other slots keep their contents";
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
        const wchar_t *names[] = {L"標準設定", L"最高品質"};
        for (int i = 0; i < 2; i++) {
            PrintSetting got = t.store->blocks[1][i], preset = *BuiltInPreset(6 + i);
            EXPECT_STREQ(got.name, names[i]);
            memset(got.name, 0, sizeof got.name);
            memset(preset.name, 0, sizeof preset.name);
            EXPECT_TRUE(SamePrintSetting(got, preset)) << "the built-in preset " << i;
        }
    }
}

TEST(WorkingFile, DamagedFilesAreIgnoredAndChangeNothing)
{
    std::vector<BYTE> longer = WorkFile(2, 0, 3, 2, 5), shorter = longer, foreign = longer;
    longer.push_back(0);
    shorter.pop_back();
    foreign[0] = 0xC6;
    const struct { std::vector<BYTE> bytes; WorkFileResult result; } cases[] = {
        {longer, WORKFILE_BAD_SIZE},
        {shorter, WORKFILE_BAD_SIZE},
        {WorkFile(2, 0, 21, 0, 21), WORKFILE_BAD_COUNT},  // slot 20 is not a registered one
        {WorkFile(2, 0, 1, -1, 0), WORKFILE_BAD_COUNT},
        {WorkFile(1, 21, 0, 0, 21), WORKFILE_BAD_COUNT},
        {WorkFile(1, -1, 0, 0, 0), WORKFILE_BAD_COUNT},
        {WorkFile(3, 0, 0, 0, 0), WORKFILE_BAD_VERSION},
        {foreign, WORKFILE_OTHER_MODEL},
        {std::vector<BYTE>(15, 0), WORKFILE_SHORT_HEADER},
    };
    TestDevMode t;
    const std::vector<BYTE> before = t.Bytes();
    std::wstring path = ScratchPath(L"damaged.$$$");
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteWholeFile(path, c.bytes));
        EXPECT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), c.result) << c.bytes.size();
        EXPECT_EQ(t.Bytes(), before);
    }
    EXPECT_EQ(ReadWorkingSettingsFile(ScratchPath(L"missing.$$$").c_str(), t.dm, t.store),
              WORKFILE_NOT_FOUND);
    ASSERT_TRUE(WriteWholeFile(path, WorkFile(2, 0, 20, 20, 40)));
    EXPECT_EQ(ReadWorkingSettingsFile(path.c_str(), t.dm, t.store), WORKFILE_OK) << "20 registered";
    EXPECT_STREQ(t.store->blocks[1][19].name, L"R39") << "last registered slot of the second block";
}

TEST(SettingsFiles, AFailedWriteKeepsThePreviousFile)
{
    TestDevMode t;
    for (bool paramFile : {false, true}) {
        auto write = [&](const std::wstring &path) {
            return paramFile ? SaveSettingsFile(path.c_str(), t.dm, t.store)
                             : WriteWorkingSettingsFile(path.c_str(), t.dm, t.store);
        };
        std::wstring path = ScratchPath(paramFile ? L"kept.OVP" : L"kept.$$$");
        const std::vector<BYTE> old(5000, 0x99);
        ASSERT_TRUE(WriteWholeFile(path, old));
        // Held open without sharing by another sheet: it cannot be replaced.
        HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_FALSE(write(path));
        CloseHandle(held);
        EXPECT_EQ(ReadWholeFile(path), old);
        EXPECT_EQ(GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_FALSE(write(ScratchPath(L"no\\such\\folder")));
        EXPECT_TRUE(write(path));
        EXPECT_EQ(ReadWholeFile(path).size(), (paramFile ? 2072u : 16u) + 1184 * 8)
            << "replaced, not appended to";
    }
    EXPECT_FALSE(SaveSettingsFile(ScratchPath(L"nostore.OVP").c_str(), t.dm, NULL));
}
