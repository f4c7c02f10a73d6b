// The file dialogs and messages of the parameter file, driven as a user
// would: a name typed into the common dialog, the message box answered.
#include <gtest/gtest.h>

#include <string.h>

#include "core/module.h"
#include "resources/resource.h"
#include "settingsfiles/filedialogs.h"
#include "settingsfiles/paramfile.h"
#include "tests/settings/settings_util.h"

static std::wstring Text(UINT id)
{
    WCHAR text[260] = L"";
    LoadStringW(ModuleInstance(), id, text, 260);
    return text;
}

class FileDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateWindows())
            GTEST_SKIP() << "no display: run under xvfb-run";
    }
};

TEST_F(FileDialogs, SaveAsksBeforeReplacingAndReportsAFailedWrite)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"dialog.OVP");
    DeleteFileW(path.c_str());
    {
        ModalAnswerer answer({{path, IDOK}});
        EXPECT_TRUE(SaveSettingsWithDialog(NULL, t.dm, t.store));
        ASSERT_EQ(answer.seen.size(), 1u);
        EXPECT_EQ(answer.seen[0].caption, Text(IDS_OVP_SAVE_TITLE));
    }
    EXPECT_EQ(ReadWholeFile(path).size(), 2072u + 1184 * 8);
    {
        // Declining the replacement returns to the dialog; cancel leaves it.
        ModalAnswerer answer({{path, IDOK}, {L"", IDNO}, {L"", IDCANCEL}});
        EXPECT_FALSE(SaveSettingsWithDialog(NULL, t.dm, t.store));
        EXPECT_EQ(answer.seen.size(), 3u) << "no message after a cancel";
    }
    // Held open elsewhere: the write fails, is reported, and the old file stays.
    std::vector<BYTE> old = ReadWholeFile(path);
    std::vector<BYTE> dm((BYTE *)t.dm, (BYTE *)(t.dm + 1));
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    {
        ModalAnswerer answer({{path, IDOK}, {L"", IDYES}, {L"", IDOK}});
        EXPECT_FALSE(SaveSettingsWithDialog(NULL, t.dm, t.store));
        ASSERT_EQ(answer.seen.size(), 3u);
        EXPECT_EQ(answer.seen[2].caption, Text(IDS_OVP_WRITE_CAPTION));
        EXPECT_EQ(answer.seen[2].text, Text(IDS_OVP_WRITE_FAILED));
        EXPECT_TRUE(answer.seen[2].exclamationIcon);
        EXPECT_FALSE(answer.seen[2].hasCancel);
    }
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(memcmp(dm.data(), t.dm, dm.size()), 0);
}

TEST_F(FileDialogs, LoadReportsWhyAFileIsRefused)
{
    TestDevMode t;
    std::wstring good = ScratchPath(L"good.OVP"), other = ScratchPath(L"other.OVP"),
                 damaged = ScratchPath(L"damaged.OVP");
    t.dm->pdmGamma = 17;
    ASSERT_TRUE(SaveSettingsFile(good.c_str(), t.dm, t.store));
    std::vector<BYTE> bytes = ReadWholeFile(good);
    bytes[0] ^= 0x0F;
    ASSERT_TRUE(WriteWholeFile(other, bytes));
    bytes[0] ^= 0x0F;
    bytes[16 + 112] = 40;
    ASSERT_TRUE(WriteWholeFile(damaged, bytes));

    TestDevMode u;
    const struct { std::wstring path; UINT message; } refused[] = {
        {other, IDS_OVP_OTHER_MODEL}, {damaged, IDS_OVP_DAMAGED}};
    for (const auto &r : refused) {
        ModalAnswerer answer({{r.path, IDOK}, {L"", IDOK}});
        EXPECT_FALSE(LoadSettingsWithDialog(NULL, u.dm, u.store));
        ASSERT_EQ(answer.seen.size(), 2u);
        EXPECT_EQ(answer.seen[0].caption, Text(IDS_OVP_OPEN_TITLE));
        EXPECT_EQ(answer.seen[1].caption, Text(IDS_OVP_READ_CAPTION));
        EXPECT_EQ(answer.seen[1].text, Text(r.message));
        EXPECT_TRUE(answer.seen[1].exclamationIcon);
    }
    EXPECT_NE(u.dm->pdmGamma, 17);
    {
        ModalAnswerer answer({{L"", IDCANCEL}});
        EXPECT_FALSE(LoadSettingsWithDialog(NULL, u.dm, u.store));
        EXPECT_EQ(answer.seen.size(), 1u);
    }
    ModalAnswerer answer({{good, IDOK}});
    EXPECT_TRUE(LoadSettingsWithDialog(NULL, u.dm, u.store));
    EXPECT_EQ(u.dm->pdmGamma, 17);
}
