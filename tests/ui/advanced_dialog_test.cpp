// The Advanced dialog driven as a person drives it: its lists follow the
// paper type and the print mode, opening a list counts as a change, OK hands
// the Basic page a registered setting or the unregistered one, and the
// profile list comes from the system's colour management.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>

#include <vector>

#include "core/module.h"
#include "devmode/template.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "services/colorprofile.h"
#include "tests/common/moduletext.h"
#include "tests/common/printers.h"
#include "tests/common/records.h"
#include "tests/ui/advanced_helpers.h"
#include "widgets/help.h"

namespace {

class AdvancedDialog : public DisplayTest {};

TEST_F(AdvancedDialog, PaperType0x501OffersQuality1To4InColourOnly)
{
    TestContext t(PX_PRINTER, 0x501);
    ASSERT_NE(t.record(0), nullptr);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(ModuleText(IDD_ADVANCED), WindowText(d));
    std::vector<std::wstring> modes = ListTexts(d, IDC_ADV_PRINT_MODE);
    ASSERT_EQ(4u, modes.size()) << "print modes";
    EXPECT_EQ(ModuleText(IDS_PRINT_MODE_BASE + 3), modes[3]);
    EXPECT_EQ(ListTexts(d, IDC_ADV_COLOR_MODE), std::vector<std::wstring>{ModuleText(IDS_COLOR_MODE_COLOR)});
    // The preset in force is Quality 4 (engine mode 16): 720 dpi is the finest.
    EXPECT_EQ(3, ListSelection(d, IDC_ADV_PRINT_MODE));
    EXPECT_EQ(3, ListData(d, IDC_ADV_RESOLUTION, 1)) << "first resolution after automatic";
}

TEST_F(AdvancedDialog, ThePrintModeDecidesTheResolutionsOffered)
{
    TestContext t(PX_PRINTER);
    t.record(0)->dataResolution = 1;  // 1440 dpi
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(12u, ListTexts(d, IDC_ADV_PRINT_MODE).size());
    // Graphics 2 allows 720 dpi at most: the record's 1440 dpi shows automatic.
    EXPECT_EQ(0, ListSelection(d, IDC_ADV_RESOLUTION));
    ChooseListItem(d, IDC_ADV_PRINT_MODE, 10);  // Banner 3
    std::vector<std::wstring> resolutions = ListTexts(d, IDC_ADV_RESOLUTION);
    ASSERT_EQ(7u, resolutions.size()) << "automatic and 360 to 90 dpi";
    EXPECT_EQ(ModuleText(IDS_RESOLUTION_AUTO), resolutions[0]);
    EXPECT_EQ(ModuleText(IDS_RESOLUTION_BASE + 5), resolutions[1]);
    EXPECT_EQ(ModuleText(IDS_RESOLUTION_BASE + 10), resolutions[6]);
    ChooseListItem(d, IDC_ADV_PRINT_MODE, 0);  // Quality 1: up to 1440 dpi
    EXPECT_EQ(11u, ListTexts(d, IDC_ADV_RESOLUTION).size());
}

// The other way, a list entry to its code: OkAppliesTheUnregisteredSetting.
TEST_F(AdvancedDialog, TheEffectListShowsTheRecordsEffectByItsCode)
{
    TestContext t(PX_PRINTER);
    t.record(0)->effect = 14;
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(ModuleText(IDS_EFFECT_BASE + 8), SelectedText(d, IDC_ADV_EFFECT))
        << "effect 14 shows Fine&Fuzz";
}

TEST_F(AdvancedDialog, MonochromeOffersCorrections0And2AndNoMatching)
{
    TestContext t(PX_PRINTER);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(2u, ListTexts(d, IDC_ADV_COLOR_MODE).size());
    EXPECT_EQ(2u, ListTexts(d, IDC_ADV_CORRECTION).size()) << "corrections in colour";
    EXPECT_EQ(1, ListData(d, IDC_ADV_CORRECTION, 1));
    EXPECT_TRUE(IsEnabled(d, IDC_ADV_MATCHING));
    EXPECT_TRUE(IsEnabled(d, IDC_ADV_PROFILE)) << "the preset matches colours";
    Pick(d, IDC_ADV_COLOR_MODE, 1);
    EXPECT_EQ(2, ListData(d, IDC_ADV_CORRECTION, 1));
    std::vector<std::wstring> corrections = ListTexts(d, IDC_ADV_CORRECTION);
    ASSERT_EQ(2u, corrections.size()) << "corrections in black and white";
    EXPECT_NE(corrections[1], L"") << "the data driver's name";
    EXPECT_EQ((UINT)BST_UNCHECKED, IsDlgButtonChecked(d, IDC_ADV_MATCHING));
    EXPECT_FALSE(IsEnabled(d, IDC_ADV_MATCHING));
    EXPECT_FALSE(IsEnabled(d, IDC_ADV_PROFILE));
    EXPECT_FALSE(IsEnabled(d, IDC_ADV_PROFILE_DESCRIPTION));
}

TEST_F(AdvancedDialog, OkAppliesTheUnregisteredSetting)
{
    TestContext t(PX_PRINTER);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    ChooseListItem(d, IDC_ADV_PRINT_MODE, 0);
    ChooseListItem(d, IDC_ADV_EFFECT, 3);
    Pick(d, IDC_ADV_COLOR_MODE, 1);
    ASSERT_TRUE(open.Close(IDOK));
    EXPECT_EQ(1, open.result);
    EXPECT_EQ(PX_SETTING_INDEX_CURRENT, t.dm()->pdmSettingIndex);
    const PrintSetting *current = t.record(PX_SETTING_CURRENT_SLOT);
    EXPECT_EQ(0, current->printMode);
    EXPECT_EQ(17, current->effect);
    EXPECT_EQ(0, current->colorMode);
    EXPECT_EQ(0u, current->icmEnabled);
    EXPECT_EQ(0, t.dm()->pdmPrintMode) << "the unregistered setting is applied";
    EXPECT_EQ(17, t.dm()->pdmEffect);
    EXPECT_EQ((DWORD)DMICMMETHOD_NONE, t.dm()->dm.dmICMMethod);
}

TEST_F(AdvancedDialog, OpeningAListIsAChangeAndOkHandsOverTheSettingInForce)
{
    TestContext t(PX_PRINTER);
    t.Register(L"Mine");
    t.Register(L"Other");
    t.dm()->pdmSettingIndex = 6;
    PrintSetting before20 = *t.record(PX_SETTING_CURRENT_SLOT);
    {
        OpenAdvanced open(t.ctx);
        ASSERT_NE(open.dialog, nullptr);
        HWND d = open.dialog;
        EXPECT_EQ(ItemText(d, IDC_ADV_NAME), L"Mine");
        EXPECT_TRUE(IsEnabled(d, IDC_ADV_REMOVE)) << "a user setting, unchanged";
        EXPECT_TRUE(IsEnabled(d, IDC_ADV_ADD)) << "a user setting may be registered again";
        // Choosing another registered setting loads it; OK puts it in force.
        ChooseListBoxItem(d, IDC_ADV_SETTINGS_LIST, 7);
        EXPECT_EQ(ItemText(d, IDC_ADV_NAME), L"Other");
        EXPECT_EQ(ListSelection(d, IDC_ADV_PRINT_MODE), t.record(7)->printMode);
        ASSERT_TRUE(open.Close(IDOK));
        EXPECT_EQ(open.result, 1);
    }
    EXPECT_EQ(t.dm()->pdmSettingIndex, 7);
    EXPECT_TRUE(SamePrintSetting(*t.record(PX_SETTING_CURRENT_SLOT), before20))
        << "slot 20 is left alone";

    PrintSetting mine = *t.record(6);
    t.dm()->pdmSettingIndex = 6;
    {
        OpenAdvanced open(t.ctx);
        ASSERT_NE(open.dialog, nullptr);
        HWND d = open.dialog;
        PeekList(d, IDC_ADV_RESOLUTION);
        EXPECT_FALSE(IsEnabled(d, IDC_ADV_REMOVE)) << "opening a list is a change";
        EXPECT_TRUE(IsEnabled(d, IDC_ADV_ADD));
        ASSERT_TRUE(open.Close(IDOK));
    }
    EXPECT_EQ(t.dm()->pdmSettingIndex, PX_SETTING_INDEX_CURRENT);
    EXPECT_TRUE(SamePrintSetting(*t.record(PX_SETTING_CURRENT_SLOT), mine))
        << "slot 20 holds the settings as they were";
    EXPECT_EQ(t.dm()->pdmPrintMode, (int16_t)mine.printMode);
    EXPECT_EQ(t.dm()->pdmContrast, mine.contrast);
    EXPECT_TRUE(SamePrintSetting(*t.record(6), mine)) << "the registered record is untouched";
}

TEST_F(AdvancedDialog, NoPermissionLeavesOnlyCancelAndTheAdjustmentButtons)
{
    TestContext t(PX_PRINTER);
    t.ctx->canChange = 0;
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    for (int id : {IDC_ADV_PRINT_MODE, IDC_ADV_EFFECT, IDC_ADV_RESOLUTION, IDC_ADV_COLOR_MODE,
                   IDC_ADV_CORRECTION, IDC_ADV_MATCHING, IDC_ADV_PROFILE, IDC_ADV_NAME,
                   IDC_ADV_SETTINGS_LIST, IDC_ADV_ADD, IDC_ADV_REMOVE, IDOK})
        EXPECT_FALSE(IsEnabled(d, id)) << "control " << id;
    for (int id : {IDC_ADV_COLOR_ADJUST, IDC_ADV_INK_ADJUST, IDCANCEL})
        EXPECT_TRUE(IsEnabled(d, id)) << "control " << id;
    PostClick(d, IDC_ADV_INK_ADJUST);
    HWND ink = WaitForDialogOtherThan(open.thread->id(), d);
    ASSERT_NE(ink, nullptr);
    EXPECT_FALSE(IsEnabled(ink, IDOK)) << "the adjustment dialog locks itself";
    EXPECT_FALSE(IsEnabled(ink, IDC_INK_BLACK_EDIT));
    ASSERT_TRUE(Dismiss(ink, IDCANCEL));
    ASSERT_TRUE(open.Close(IDCANCEL));
    EXPECT_EQ(open.result, 0);
    EXPECT_EQ(t.dm()->pdmSettingIndex, 0);
}

TEST_F(AdvancedDialog, PrinterProfilesComeFromTheColourDirectoryWithTheirDescriptions)
{
    ASSERT_TRUE(InstallProfile(L"pxadv-described.icm", PX_CLASS_PRINTER, "Described by test"));
    ASSERT_TRUE(InstallProfile(L"pxadv-plain.icm", PX_CLASS_PRINTER, NULL));
    TestContext t(PX_PRINTER);
    lstrcpyW(t.record(0)->printerProfile, L"pxadv-gone.icm");
    lstrcpyW(t.record(5)->printerProfile, L"pxadv-described.icm");
    lstrcpyW(t.record(2)->printerProfile, L"pxadv-plain.icm");
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    // Which profiles the system lists is the services suite's.
    EXPECT_EQ(ListSelection(d, IDC_ADV_PROFILE), 0) << "a profile no longer installed is automatic";
    EXPECT_EQ(SelectedText(d, IDC_ADV_PROFILE), ModuleText(IDS_RESOLUTION_AUTO)) << "automatic stays first";

    ChooseListBoxItem(d, IDC_ADV_SETTINGS_LIST, 5);
    EXPECT_EQ(SelectedText(d, IDC_ADV_PROFILE), L"pxadv-described.icm");
    EXPECT_EQ(ItemText(d, IDC_ADV_PROFILE_DESCRIPTION), L"Described by test");
    ChooseListBoxItem(d, IDC_ADV_SETTINGS_LIST, 2);
    EXPECT_EQ(SelectedText(d, IDC_ADV_PROFILE), L"pxadv-plain.icm");
    EXPECT_EQ(ItemText(d, IDC_ADV_PROFILE_DESCRIPTION), L"") << "a profile without a description";

    // Choosing a profile stores its name; automatic stores the empty name.
    int described = (int)SendDlgItemMessageW(d, IDC_ADV_PROFILE, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                             (LPARAM)L"pxadv-described.icm");
    Pick(d, IDC_ADV_PROFILE, described);
    EXPECT_EQ(ItemText(d, IDC_ADV_PROFILE_DESCRIPTION), L"Described by test");
    ASSERT_TRUE(open.Close(IDOK));
    EXPECT_STREQ(t.record(PX_SETTING_CURRENT_SLOT)->printerProfile, L"pxadv-described.icm");
    EXPECT_STREQ(t.dm()->pdmPrinterProfile, L"pxadv-described.icm");
    EXPECT_STREQ(t.record(0)->printerProfile, L"pxadv-gone.icm") << "the registered record is not rewritten";
    RemoveProfile(L"pxadv-described.icm");
    RemoveProfile(L"pxadv-plain.icm");
}

// Data drivers without quality modes or colour corrections, and a paper
// type the store has no block for: the dialog opens, shows and confirms
// without a crash.
TEST_F(AdvancedDialog, DataDriversWithoutColourKnowledgeAndPaperTypeWithoutBlock)
{
    for (const WCHAR *printer : {PX_PRINTER_NOOP, PX_PRINTER_NOCOLOR}) {
        TestContext t(printer);
        ASSERT_NE(t.record(0), nullptr);
        {
            OpenAdvanced open(t.ctx);
            ASSERT_NE(open.dialog, nullptr);
            HWND d = open.dialog;
            size_t corrections = lstrcmpW(printer, PX_PRINTER_NOCOLOR) == 0 ? 0 : 2;
            EXPECT_EQ(ListTexts(d, IDC_ADV_CORRECTION).size(), corrections);
            Pick(d, IDC_ADV_CORRECTION, 0);
            SetDlgItemTextW(d, IDC_ADV_NAME, L"Kept");
            Click(d, IDC_ADV_ADD);
            EXPECT_EQ(t.count(), 7);
            ASSERT_TRUE(open.Close(IDCANCEL));
        }
        EXPECT_EQ(t.count(), 6) << "Cancel takes the Add back";
        OpenAdvanced open(t.ctx);
        ASSERT_NE(open.dialog, nullptr);
        Pick(open.dialog, IDC_ADV_PRINT_MODE, 2);
        ASSERT_TRUE(open.Close(IDOK));
        EXPECT_EQ(t.dm()->pdmPrintMode, 2);
        EXPECT_EQ(t.record(PX_SETTING_CURRENT_SLOT)->printMode, 2);
    }
    TestContext t(PX_PRINTER, 0x502);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(SendDlgItemMessageW(d, IDC_ADV_SETTINGS_LIST, LB_GETCOUNT, 0, 0), 0);
    SetDlgItemTextW(d, IDC_ADV_NAME, L"Nowhere");
    PeekList(d, IDC_ADV_EFFECT);
    EXPECT_FALSE(IsEnabled(d, IDC_ADV_ADD)) << "no block to register in";
    ChooseListItem(d, IDC_ADV_EFFECT, 1);
    ASSERT_TRUE(open.Close(IDOK));
    EXPECT_EQ(t.dm()->pdmEffect, 1);
    EXPECT_EQ(t.dm()->pdmSettingIndex, PX_SETTING_INDEX_CURRENT);
}

TEST_F(AdvancedDialog, HelpOpensTheTopicOfTheControl)
{
    StartRecordingHelp();
    TestContext t(PX_PRINTER);
    OpenAdvanced open(t.ctx);
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    for (int id : {IDC_ADV_EFFECT, IDC_ADV_PROFILE_DESCRIPTION, IDC_ADV_REMOVE, IDC_ADV_SETTINGS_LIST, IDOK})
        PressF1(d, id);
    SendMessageW(d, WM_CONTEXTMENU, (WPARAM)GetDlgItem(d, IDC_ADV_INK_ADJUST), MAKELPARAM(10, 10));
    ASSERT_TRUE(open.Close(IDCANCEL));
    std::vector<DWORD_PTR> topics = StopRecordingHelp();
    std::vector<DWORD_PTR> expected = {IDH_EFFECT, IDH_COLOR_MATCHING, IDH_REMOVE_SETTING,
                                       IDH_REGISTER_SETTING, IDH_GENERAL, IDH_INK_ADJUST_BUTTON};
    EXPECT_EQ(topics, expected);
}

}  // namespace
