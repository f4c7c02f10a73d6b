// The Advanced dialog's registered settings: Add with its overwrite and
// refusal rules, Remove, the popup menu's moves, and Cancel putting the
// paper type's whole block back as it was.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>

#include <memory>
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

// The reference printer's context; the test registers what it needs, then
// opens the dialog on it.
class RegisteredSettings : public DisplayTest {
protected:
    TestContext t{PX_PRINTER};
    std::unique_ptr<OpenAdvanced> open;
    HWND d = NULL;
    DWORD thread = 0;
    void Open()
    {
        open.reset(new OpenAdvanced(t.ctx));
        d = open->dialog;
        thread = open->thread->id();
    }
};

std::wstring EntryText(HWND d, int index)
{
    WCHAR text[64] = L"";
    if (SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETTEXTLEN, index, 0) < 64)
        SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETTEXT, index, (LPARAM)text);
    return text;
}

int EntryCount(HWND d) { return (int)SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETCOUNT, 0, 0); }
int EntrySelection(HWND d) { return (int)SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETCURSEL, 0, 0); }

void ChooseEntry(HWND d, int index) { ChooseListBoxItem(d, IDC_ADV_SETTINGS_LIST, index); }

// A name typed into the name box, which has the keyboard focus meanwhile.
void TypeName(HWND d, const WCHAR *name)
{
    HWND edit = GetDlgItem(d, IDC_ADV_NAME);
    SendMessageW(d, WM_NEXTDLGCTL, (WPARAM)edit, TRUE);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)name);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_ADV_NAME, EN_CHANGE), (LPARAM)edit);
}

void Command(HWND d, int id) { SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

TEST_F(RegisteredSettings, AddRefusesAPresetNameInAnyLetterCase)
{
    lstrcpyW(t.record(0)->name, L"Standard");
    Open();
    ASSERT_NE(d, nullptr);
    TypeName(d, L"STANDARD");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(ModuleText(IDS_MSG_NAME_RESERVED), AnswerBox(thread, d, IDOK));
    EXPECT_EQ(6, t.count()) << "settings after the refused Add";
}

TEST_F(RegisteredSettings, AddAsksBeforeOverwritingAUserSettingCancelKeepsItOkOverwrites)
{
    t.Register(L"Proof");
    Open();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(7, EntryCount(d));
    EXPECT_EQ(L"Proof", EntryText(d, 6));
    Pick(d, IDC_ADV_PRINT_MODE, 9);
    TypeName(d, L"pROOF");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(ModuleText(IDS_MSG_OVERWRITE), AnswerBox(thread, d, IDCANCEL));
    EXPECT_EQ(6 % 12, t.record(6)->printMode) << "the refused overwrite changed the record";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE))) << "still changed";
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(ModuleText(IDS_MSG_OVERWRITE), AnswerBox(thread, d, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return t.record(6)->printMode == 9; }))
        << "print mode " << t.record(6)->printMode << " after the overwrite";
    EXPECT_STREQ(L"pROOF", t.record(6)->name);
    EXPECT_EQ(7, t.count());
    EXPECT_EQ(6, EntrySelection(d));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE))) << "registered: no longer changed";
}

TEST_F(RegisteredSettings, NamesAreCutAt31Characters)
{
    Open();
    ASSERT_NE(d, nullptr);
    TypeName(d, L"0123456789012345678901234567890123456789");
    Click(d, IDC_ADV_ADD);
    ASSERT_EQ(7, t.count());
    EXPECT_STREQ(L"0123456789012345678901234567890", t.record(6)->name);
    EXPECT_EQ(L"0123456789012345678901234567890", EntryText(d, 6));
}

TEST_F(RegisteredSettings, AddRefusesAFullListAndWritesNoSlot)
{
    Open();
    ASSERT_NE(d, nullptr);
    for (int n = t.count(); n < 20; n++) {
        WCHAR name[32];
        wsprintfW(name, L"Setting %d", n);
        TypeName(d, name);
        Click(d, IDC_ADV_ADD);
        ASSERT_EQ(n + 1, t.count()) << name;
    }
    PrintSetting last = *t.record(19);
    Pick(d, IDC_ADV_EFFECT, 2);
    TypeName(d, L"One too many");
    PostClick(d, IDC_ADV_ADD);
    EXPECT_EQ(ModuleText(IDS_MSG_SETTINGS_FULL), AnswerBox(thread, d, IDOK));
    EXPECT_EQ(20, t.count());
    EXPECT_TRUE(SamePrintSetting(*t.record(19), last));
    EXPECT_TRUE(SamePrintSetting(*t.record(PX_SETTING_CURRENT_SLOT), PrintSetting{}))
        << "a refused Add writes no slot";
    EXPECT_EQ(20, EntryCount(d));
    ASSERT_TRUE(open->Close(IDOK));
    EXPECT_EQ(PX_SETTING_INDEX_CURRENT, t.dm()->pdmSettingIndex) << "changed after the last Add";
}

// The list's popup menu as a right click opens it, closed again with Escape:
// Remove is grayed there when the entry chosen is a preset.
bool MenuOffersRemove(HWND d, DWORD thread)
{
    PostMessageW(d, WM_CONTEXTMENU, (WPARAM)GetDlgItem(d, IDC_ADV_SETTINGS_LIST), MAKELPARAM(100, 100));
    HWND menuWindow = WaitForWindow(thread, L"#32768");
    HMENU menu = menuWindow ? (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0) : NULL;
    EXPECT_NE(menu, nullptr) << "no popup menu";
    bool offered = menu && !(GetMenuState(menu, IDC_ADV_REMOVE, MF_BYCOMMAND) & MF_GRAYED);
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([menuWindow] { return !IsWindowVisible(menuWindow); })) << "the menu stays open";
    return offered;
}

TEST_F(RegisteredSettings, OnlyAUserSettingCanBeRemoved)
{
    t.Register(L"A");
    t.dm()->pdmSettingIndex = 6;
    Open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(6, EntrySelection(d));
    EXPECT_TRUE(MenuOffersRemove(d, thread)) << "a user setting";
    ChooseEntry(d, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ADV_REMOVE)));
    EXPECT_FALSE(MenuOffersRemove(d, thread)) << "a preset";
    Command(d, IDC_ADV_REMOVE);
    EXPECT_EQ(7, t.count()) << "a preset was removed";
}

TEST_F(RegisteredSettings, MovesStopAtTheEnds)
{
    t.Register(L"A");
    t.Register(L"B");
    t.Register(L"C");
    t.dm()->pdmSettingIndex = 7;
    Open();
    ASSERT_NE(d, nullptr);
    Command(d, IDM_ADV_MOVE_TOP);  // B to the top
    EXPECT_EQ(L"B", EntryText(d, 0));
    EXPECT_EQ(0, EntrySelection(d));
    Command(d, IDM_ADV_MOVE_DOWN);
    EXPECT_EQ(L"B", EntryText(d, 1));
    Command(d, IDM_ADV_MOVE_BOTTOM);
    EXPECT_EQ(L"B", EntryText(d, 8));
    Command(d, IDM_ADV_MOVE_DOWN);
    EXPECT_EQ(L"B", EntryText(d, 8)) << "the bottom entry stays";
    Command(d, IDM_ADV_MOVE_UP);
    EXPECT_EQ(L"B", EntryText(d, 7));
    EXPECT_EQ(L"C", EntryText(d, 8));
}

TEST_F(RegisteredSettings, RemovingTheLastEntrySelectsTheOneBeforeAndLoadsIt)
{
    t.Register(L"A");
    t.Register(L"B");
    Open();
    ASSERT_NE(d, nullptr);
    ChooseEntry(d, 7);
    Click(d, IDC_ADV_REMOVE);
    EXPECT_EQ(7, t.count());
    EXPECT_EQ(6, EntrySelection(d));
    EXPECT_EQ(L"A", ItemText(d, IDC_ADV_NAME));
}

TEST_F(RegisteredSettings, CancelRestoresTheBlockByteForByte)
{
    t.Register(L"A");
    t.Register(L"B");
    t.Register(L"C");
    t.dm()->pdmSettingIndex = 7;
    PrintSetting saved[PX_SETTING_SLOTS];
    memcpy(saved, t.record(0), sizeof saved);
    Open();
    ASSERT_NE(d, nullptr);
    Command(d, IDM_ADV_MOVE_TOP);
    ChooseEntry(d, 8);
    Click(d, IDC_ADV_REMOVE);
    TypeName(d, L"D");
    Click(d, IDC_ADV_ADD);
    TypeName(d, L"E");
    Click(d, IDC_ADV_ADD);
    EXPECT_EQ(10, t.count());
    ASSERT_TRUE(open->Close(IDCANCEL));
    EXPECT_EQ(0, open->result);
    EXPECT_EQ(9, t.count());
    EXPECT_EQ(7, t.dm()->pdmSettingIndex);
    for (int slot = 0; slot < PX_SETTING_SLOTS; slot++)
        EXPECT_TRUE(SamePrintSetting(*t.record(slot), saved[slot])) << "slot " << slot;
}

}  // namespace
