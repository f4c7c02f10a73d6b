// The Advanced dialog's registered settings: Add with its overwrite and
// refusal rules, Remove, the popup menu's moves, and Cancel putting the
// paper type's whole block back as it was.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>

#include <string>

#include "core/module.h"
#include "devmode/template.h"
#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "tests/common/moduletext.h"
#include "tests/common/printers.h"
#include "tests/common/records.h"
#include "tests/ui/advanced_helpers.h"

namespace {

class RegisteredSettings : public DisplayTest {};

std::wstring EntryText(HWND d, int index)
{
    WCHAR text[64] = L"";
    if (SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETTEXTLEN, index, 0) < 64)
        SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETTEXT, index, (LPARAM)text);
    return text;
}

int EntryCount(HWND d) { return (int)SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETCOUNT, 0, 0); }
int EntrySelection(HWND d) { return (int)SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETCURSEL, 0, 0); }

void ChooseEntry(HWND d, int index)
{
    HWND list = GetDlgItem(d, IDC_ADV_SETTINGS_LIST);
    SendMessageW(list, LB_SETCURSEL, index, 0);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_ADV_SETTINGS_LIST, LBN_SELCHANGE), (LPARAM)list);
}

// A name typed into the name box, which has the keyboard focus meanwhile.
void TypeName(HWND d, const WCHAR *name)
{
    HWND edit = GetDlgItem(d, IDC_ADV_NAME);
    SendMessageW(d, WM_NEXTDLGCTL, (WPARAM)edit, TRUE);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)name);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_ADV_NAME, EN_CHANGE), (LPARAM)edit);
}

void Command(HWND d, int id) { SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

TEST_F(RegisteredSettings, AddRefusesAFullListAndPresetNamesAndAsksBeforeOverwriting)
{
    TestContext t(PX_PRINTER);
    lstrcpyW(t.record(0)->name, L"Standard");
    t.Register(L"Proof");
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    DWORD thread = open.thread->id();
    ASSERT_EQ(EntryCount(d), 7);
    EXPECT_EQ(EntryText(d, 6), L"Proof");

    // The name of a preset with the same colour mode, in other letter case.
    TypeName(d, L"STANDARD");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(AnswerMessageBox(thread, d, IDOK), ModuleText(IDS_MSG_NAME_RESERVED));
    EXPECT_EQ(t.count(), 7);

    // A user setting's name: overwrite asked; Cancel keeps it, OK overwrites.
    Pick(d, IDC_ADV_PRINT_MODE, 9);
    TypeName(d, L"pROOF");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(AnswerMessageBox(thread, d, IDCANCEL), ModuleText(IDS_MSG_OVERWRITE));
    EXPECT_EQ(t.record(6)->printMode, 6 % 12) << "the refused overwrite changed the record";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE))) << "still changed";
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(AnswerMessageBox(thread, d, IDOK), ModuleText(IDS_MSG_OVERWRITE));
    ASSERT_TRUE(WaitUntil([&] { return t.record(6)->printMode == 9; })) << "overwritten";
    EXPECT_STREQ(t.record(6)->name, L"pROOF");
    EXPECT_EQ(t.count(), 7);
    EXPECT_EQ(EntrySelection(d), 6);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE))) << "registered: no longer changed";

    // The same name with the other colour mode is another setting.
    Pick(d, IDC_ADV_COLOR_MODE, 1);
    TypeName(d, L"Proof");
    Click(d, IDC_ADV_ADD);
    ASSERT_EQ(t.count(), 8);
    EXPECT_EQ(t.record(7)->colorMode, 0);
    EXPECT_EQ(t.record(7)->presetId, 0);

    // Names at the length limit: 31 characters are kept, more are cut.
    TypeName(d, L"0123456789012345678901234567890123456789");
    Click(d, IDC_ADV_ADD);
    ASSERT_EQ(t.count(), 9);
    EXPECT_STREQ(t.record(8)->name, L"0123456789012345678901234567890");
    EXPECT_EQ(EntryText(d, 8), L"0123456789012345678901234567890");

    for (int n = t.count(); n < 20; n++) {
        WCHAR name[32];
        wsprintfW(name, L"Setting %d", n);
        TypeName(d, name);
        Click(d, IDC_ADV_ADD);
        ASSERT_EQ(t.count(), n + 1) << name;
    }
    PrintSetting last = *t.record(19);
    Pick(d, IDC_ADV_EFFECT, 2);
    TypeName(d, L"One too many");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(AnswerMessageBox(thread, d, IDOK), ModuleText(IDS_MSG_SETTINGS_FULL));
    EXPECT_EQ(t.count(), 20);
    EXPECT_TRUE(SamePrintSetting(*t.record(19), last));
    EXPECT_TRUE(SamePrintSetting(*t.record(PX_SETTING_CURRENT_SLOT), PrintSetting{}))
        << "a refused Add writes no slot";
    EXPECT_EQ(EntryCount(d), 20);
    ASSERT_TRUE(open.Close(IDOK));
    EXPECT_EQ(t.dm()->pdmSettingIndex, PX_SETTING_INDEX_CURRENT) << "changed after the last Add";
}

TEST_F(RegisteredSettings, RemoveAndMovesWorkAndCancelRestoresTheBlockByteForByte)
{
    TestContext t(PX_PRINTER);
    t.Register(L"A");
    t.Register(L"B");
    t.Register(L"C");
    t.dm()->pdmSettingIndex = 7;
    PrintSetting saved[PX_SETTING_SLOTS];
    memcpy(saved, t.record(0), sizeof saved);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    DWORD thread = open.thread->id();
    EXPECT_EQ(EntrySelection(d), 7);

    // The popup menu: four moves, delete (usable for a user setting), help.
    PostMessageW(d, WM_CONTEXTMENU, (WPARAM)GetDlgItem(d, IDC_ADV_SETTINGS_LIST), MAKELPARAM(100, 100));
    HWND menuWindow = WaitForWindow(thread, L"#32768");
    ASSERT_NE(menuWindow, nullptr) << "no popup menu";
    HMENU menu = (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
    ASSERT_EQ(GetMenuItemCount(menu), 8);
    const UINT ids[] = {IDM_ADV_MOVE_TOP, IDM_ADV_MOVE_UP, IDM_ADV_MOVE_DOWN, IDM_ADV_MOVE_BOTTOM, 0,
                        IDC_ADV_REMOVE, 0, IDM_ADV_HELP};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(GetMenuItemID(menu, i), ids[i] ? ids[i] : (UINT)0) << "item " << i;
    WCHAR item[64] = L"";
    GetMenuStringW(menu, 5, item, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(item), ModuleText(IDS_MENU_REMOVE));
    EXPECT_FALSE(GetMenuState(menu, 5, MF_BYPOSITION) & MF_GRAYED);
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([menuWindow] { return !IsWindowVisible(menuWindow); }));

    Command(d, IDM_ADV_MOVE_TOP);  // B to the top
    EXPECT_EQ(EntryText(d, 0), L"B");
    EXPECT_EQ(EntrySelection(d), 0);
    Command(d, IDM_ADV_MOVE_DOWN);
    EXPECT_EQ(EntryText(d, 1), L"B");
    Command(d, IDM_ADV_MOVE_BOTTOM);
    EXPECT_EQ(EntryText(d, 8), L"B");
    Command(d, IDM_ADV_MOVE_DOWN);
    EXPECT_EQ(EntryText(d, 8), L"B") << "the bottom entry stays";
    Command(d, IDM_ADV_MOVE_UP);
    EXPECT_EQ(EntryText(d, 7), L"B");
    EXPECT_EQ(EntryText(d, 8), L"C");

    // Removing the last entry selects the one before and loads it.
    ChooseEntry(d, 8);
    Click(d, IDC_ADV_REMOVE);
    EXPECT_EQ(t.count(), 8);
    EXPECT_EQ(EntrySelection(d), 7);
    EXPECT_EQ(ItemText(d, IDC_ADV_NAME), L"B");
    TypeName(d, L"D");
    Click(d, IDC_ADV_ADD);
    EXPECT_EQ(t.count(), 9);

    // A preset cannot be removed: the menu greys the item.
    ChooseEntry(d, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE)));
    PostMessageW(d, WM_CONTEXTMENU, (WPARAM)GetDlgItem(d, IDC_ADV_SETTINGS_LIST), MAKELPARAM(100, 100));
    menuWindow = WaitForWindow(thread, L"#32768");
    ASSERT_NE(menuWindow, nullptr);
    menu = (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
    EXPECT_TRUE(GetMenuState(menu, 5, MF_BYPOSITION) & MF_GRAYED) << "delete for a preset";
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([menuWindow] { return !IsWindowVisible(menuWindow); }));
    Command(d, IDC_ADV_REMOVE);
    EXPECT_EQ(t.count(), 9) << "a preset was removed";
    TypeName(d, L"E");
    Click(d, IDC_ADV_ADD);
    EXPECT_EQ(t.count(), 10);

    ASSERT_TRUE(open.Close(IDCANCEL));
    EXPECT_EQ(open.result, 0);
    EXPECT_EQ(t.count(), 9);
    EXPECT_EQ(t.dm()->pdmSettingIndex, 7);
    for (int slot = 0; slot < PX_SETTING_SLOTS; slot++)
        EXPECT_TRUE(SamePrintSetting(*t.record(slot), saved[slot])) << "slot " << slot;
    // Cancel's own result: the store as it was, also after Cancel with nothing done.
    OpenAdvanced again(t.ctx);
    ASSERT_NE(again.dialog, nullptr);
    ASSERT_TRUE(again.Close(IDCANCEL));
    EXPECT_EQ(t.count(), 9);
}

}  // namespace
