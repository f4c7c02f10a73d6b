// The file dialogs of the parameter file as the module describes them to
// the common dialog (the Setup page tests drive them as a user would).
#include <gtest/gtest.h>

#include "resources/ids_strings.h"
#include "settingsfiles/filedialogs.h"
#include "tests/common/moduletext.h"

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
