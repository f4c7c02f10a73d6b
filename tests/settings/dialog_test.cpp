// The file dialogs and messages of the parameter file: the dialogs'
// description, then the dialogs driven as a user would, a name typed into
// the common dialog and the message box answered.
#include <gtest/gtest.h>

#include "tests/common/display.h"
#include "tests/common/moduletext.h"

#include "core/module.h"
#include "resources/ids_strings.h"
#include "settingsfiles/filedialogs.h"
#include "settingsfiles/paramfile.h"
#include "tests/settings/settings_util.h"


// A message box with the exclamation icon and only an OK button.
static void ExpectErrorBox(const SeenWindow &box, UINT caption, UINT text)
{
    EXPECT_EQ(box.caption, ModuleText(caption));
    EXPECT_EQ(box.text, ModuleText(text));
    EXPECT_TRUE(box.exclamationIcon);
    EXPECT_FALSE(box.hasCancel);
}

// A filter list up to and including the two NULs that end it.
static std::wstring FilterList(const wchar_t *filter)
{
    size_t n = 0;
    while (filter[n] || filter[n + 1])
        n++;
    return std::wstring(filter, n + 2);
}

TEST(SettingsFileDialog, DescribesTheOpenAndSaveDialogs)
{
    const struct { BOOL forSave; UINT title; const wchar_t *filter, *extension; DWORD flags; } dialogs[] = {
        {FALSE, IDS_OVP_OPEN_TITLE, L"設定ﾊﾟﾗﾒｰﾀﾌｧｲﾙ(*.OVP)\0*.OVP\0すべてのﾌｧｲﾙ(*.*)\0*.*\0", L"", 0x180C},
        {TRUE, IDS_OVP_SAVE_TITLE, L"設定ﾊﾟﾗﾒｰﾀﾌｧｲﾙ(*.OVP)\0*.OVP\0", L".OVP", 0xE}};
    for (const auto &d : dialogs) {
        WCHAR path[MAX_PATH] = L"proposed";
        SettingsFileDialogTexts texts;
        OPENFILENAMEW ofn;
        memset(&ofn, 0xCC, sizeof ofn);
        DescribeSettingsFileDialog((HWND)0x1234, d.forSave, path, MAX_PATH, &texts, &ofn);
        EXPECT_EQ(ofn.lStructSize, sizeof ofn);
        EXPECT_EQ(ofn.hwndOwner, (HWND)0x1234);
        EXPECT_EQ(ofn.Flags, d.flags);
        EXPECT_EQ(ofn.nFilterIndex, 1u);
        EXPECT_EQ(ofn.lpstrFile, path);
        EXPECT_EQ(path[0], 0) << "no name is proposed";
        EXPECT_EQ(ofn.nMaxFile, (DWORD)MAX_PATH);
        EXPECT_EQ(ofn.nMaxFileTitle, 260u);
        EXPECT_EQ(ofn.lpstrTitle, ModuleText(d.title));
        EXPECT_STREQ(ofn.lpstrDefExt, d.extension);
        EXPECT_EQ(FilterList(ofn.lpstrFilter), FilterList(d.filter));
        EXPECT_TRUE(ofn.lpstrFileTitle != NULL) << "lpstrFileTitle";
        EXPECT_EQ(ofn.hInstance, nullptr) << "hInstance";
        EXPECT_EQ(ofn.lpstrCustomFilter, nullptr) << "lpstrCustomFilter";
        EXPECT_EQ(ofn.lpstrInitialDir, nullptr) << "lpstrInitialDir";
        EXPECT_EQ(ofn.lCustData, 0) << "lCustData";
        EXPECT_TRUE(ofn.lpfnHook == NULL) << "lpfnHook";
        EXPECT_EQ(ofn.lpTemplateName, nullptr) << "lpTemplateName";
        EXPECT_EQ(ofn.FlagsEx, 0u) << "FlagsEx";
    }
}

class FileDialogs : public DisplayTest {};

TEST_F(FileDialogs, SaveReportsAFailedWriteAndKeepsTheOldFile)
{
    TestDevMode t;
    std::wstring path = ScratchPath(L"dialog.OVP");
    DeleteFileW(path.c_str());
    {
        ModalAnswerer answer({{path, IDOK}});
        EXPECT_TRUE(SaveSettingsWithDialog(NULL, t.dm, t.store));
    }
    std::vector<BYTE> old = ReadWholeFile(path);
    EXPECT_EQ(old.size(), 2072u + 1184 * 8);
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    {
        // Asked before replacing; the write fails and is reported.
        ModalAnswerer answer({{path, IDOK}, {L"", IDYES}, {L"", IDOK}});
        EXPECT_FALSE(SaveSettingsWithDialog(NULL, t.dm, t.store));
        ASSERT_EQ(answer.seen.size(), 3u);
        ExpectErrorBox(answer.seen[2], IDS_OVP_WRITE_CAPTION, IDS_OVP_WRITE_FAILED);
    }
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), old);
    ModalAnswerer answer({{L"", IDCANCEL}});
    EXPECT_FALSE(SaveSettingsWithDialog(NULL, t.dm, t.store));
    EXPECT_EQ(answer.seen.size(), 1u) << "no message after a cancel";
}

TEST_F(FileDialogs, LoadReportsWhyAFileIsRefused)
{
    TestDevMode t, u;
    std::wstring good = ScratchPath(L"good.OVP"), other = ScratchPath(L"other.OVP");
    t.dm->pdmGamma = 17;
    ASSERT_TRUE(SaveSettingsFile(good.c_str(), t.dm, t.store));
    std::vector<BYTE> bytes = ReadWholeFile(good);
    bytes[0] ^= 0x0F;
    ASSERT_TRUE(WriteWholeFile(other, bytes));
    {
        ModalAnswerer answer({{other, IDOK}, {L"", IDOK}});
        EXPECT_FALSE(LoadSettingsWithDialog(NULL, u.dm, u.store));
        ASSERT_EQ(answer.seen.size(), 2u);
        ExpectErrorBox(answer.seen[1], IDS_OVP_READ_CAPTION, IDS_OVP_OTHER_MODEL);
    }
    EXPECT_NE(u.dm->pdmGamma, 17);
    {
        ModalAnswerer answer({{L"", IDCANCEL}});
        EXPECT_FALSE(LoadSettingsWithDialog(NULL, u.dm, u.store));
        EXPECT_EQ(answer.seen.size(), 1u) << "no message after a cancel";
    }
    ModalAnswerer answer({{good, IDOK}});
    EXPECT_TRUE(LoadSettingsWithDialog(NULL, u.dm, u.store));
    EXPECT_EQ(u.dm->pdmGamma, 17);
}
