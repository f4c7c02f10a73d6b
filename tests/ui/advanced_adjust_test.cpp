// The colour and ink adjustment dialogs: trackbars and edit boxes in step,
// typed values clamped and rounded, restore defaults, the enabling that
// follows the colour mode and `editable`, OK and Cancel on the record.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>
#include <commctrl.h>

#include "core/module.h"
#include "dialogs/coloradjust.h"
#include "dialogs/inkadjust.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "settings/presets.h"
#include "tests/common/records.h"
#include "tests/ui/advanced_helpers.h"

namespace {

class AdjustDialogs : public DisplayTest {
protected:
    PrintSetting record = *BuiltInPreset(0);
};

LRESULT Position(HWND d, int track) { return SendDlgItemMessageW(d, track, TBM_GETPOS, 0, 0); }

// The thumb dragged to value and let go.
void Drag(HWND d, int track, int value)
{
    HWND bar = GetDlgItem(d, track);
    SendMessageW(bar, TBM_SETPOS, TRUE, value);
    SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, value), (LPARAM)bar);
    SendMessageW(d, WM_HSCROLL, TB_ENDTRACK, (LPARAM)bar);
}

TEST_F(AdjustDialogs, ColourValuesAreClampedRoundedAndKeptInStep)
{
    record.cyanRed = 7;
    record.gamma = 15;
    OpenDialog open([this] { return ShowColorAdjustDialog(NULL, &record, NULL); });
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_EQ(ItemText(d, IDC_CADJ_CYAN_RED_EDIT), L"7");
    EXPECT_EQ(ItemText(d, IDC_CADJ_GAMMA_EDIT), L"1.5");
    EXPECT_EQ(Position(d, IDC_CADJ_GAMMA_TRACK), 15);

    // Clamped to the range, rounded to tenths; text that is not a number
    // counts as what was read of it. The trackbar follows the edit.
    const struct { int edit, track; const wchar_t *typed, *shown; int position; } typed[] = {
        {IDC_CADJ_CYAN_RED_EDIT, IDC_CADJ_CYAN_RED_TRACK, L"75", L"50", 50},
        {IDC_CADJ_SATURATION_EDIT, IDC_CADJ_SATURATION_TRACK, L"-60", L"-50", -50},
        {IDC_CADJ_GAMMA_EDIT, IDC_CADJ_GAMMA_TRACK, L"3", L"2.2", 22},
        {IDC_CADJ_GAMMA_EDIT, IDC_CADJ_GAMMA_TRACK, L"0.04", L"0.1", 1},
        {IDC_CADJ_GAMMA_EDIT, IDC_CADJ_GAMMA_TRACK, L"1.46", L"1.5", 15},
        {IDC_CADJ_CONTRAST_EDIT, IDC_CADJ_CONTRAST_TRACK, L"abc", L"0", 0},
        {IDC_CADJ_BRIGHTNESS_EDIT, IDC_CADJ_BRIGHTNESS_TRACK, L"12x", L"12", 12},
    };
    for (const auto &t : typed) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(t.typed)));
        TypeInto(d, t.edit, t.typed, true);
        EXPECT_EQ(ItemText(d, t.edit), t.shown);
        EXPECT_EQ(Position(d, t.track), t.position);
    }
    Drag(d, IDC_CADJ_MAGENTA_GREEN_TRACK, -30);
    EXPECT_EQ(ItemText(d, IDC_CADJ_MAGENTA_GREEN_EDIT), L"-30");
    EXPECT_EQ(record.magentaGreen, 0) << "nothing reaches the record before OK";
    ASSERT_TRUE(open.Close(IDOK));
    EXPECT_EQ(open.result, 1);
    EXPECT_EQ(record.cyanRed, 50);
    EXPECT_EQ(record.saturation, -50);
    EXPECT_EQ(record.gamma, 15);
    EXPECT_EQ(record.contrast, 0);
    EXPECT_EQ(record.brightness, 12);
    EXPECT_EQ(record.magentaGreen, -30);
}

TEST_F(AdjustDialogs, RestoreDefaultsThenCancelLeavesTheRecordAndEmptyBoxesTakeTheLowLimit)
{
    record.cyanRed = 20;
    record.gamma = 5;
    record.blackInk = 9;
    record.totalInkLimit = 250;
    PrintSetting before = record;
    {
        OpenDialog open([this] { return ShowColorAdjustDialog(NULL, &record, NULL); });
        ASSERT_NE(open.dialog, nullptr);
        HWND d = open.dialog;
        Click(d, IDC_CADJ_DEFAULTS);
        EXPECT_TRUE(IsWindow(d)) << "restore defaults does not close";
        EXPECT_EQ(ItemText(d, IDC_CADJ_GAMMA_EDIT), L"1.0");
        EXPECT_EQ(ItemText(d, IDC_CADJ_CYAN_RED_EDIT), L"0");
        TypeInto(d, IDC_CADJ_GAMMA_EDIT, L"", true);
        EXPECT_EQ(ItemText(d, IDC_CADJ_GAMMA_EDIT), L"0.1");
        ASSERT_TRUE(open.Close(IDCANCEL));
        EXPECT_EQ(open.result, 0);
    }
    EXPECT_TRUE(SamePrintSetting(record, before));
    {
        OpenDialog open([this] { return ShowColorAdjustDialog(NULL, &record, NULL); });
        ASSERT_NE(open.dialog, nullptr);
        Click(open.dialog, IDC_CADJ_DEFAULTS);
        ASSERT_TRUE(open.Close(IDOK));
    }
    EXPECT_EQ(record.gamma, 10);
    EXPECT_EQ(record.cyanRed, 0);
    EXPECT_EQ(record.blackInk, 9) << "colour defaults leave the ink amounts";
    EXPECT_EQ(record.totalInkLimit, 250);
    {
        OpenDialog open([this] { return ShowInkAdjustDialog(NULL, &record, NULL); });
        ASSERT_NE(open.dialog, nullptr);
        HWND d = open.dialog;
        EXPECT_EQ(WindowText(d), ModuleText(IDD_INK_ADJUST));
        TypeInto(d, IDC_INK_BLACK_EDIT, L"-60", true);
        EXPECT_EQ(ItemText(d, IDC_INK_BLACK_EDIT), L"-50");
        Drag(d, IDC_INK_CYAN_TRACK, 40);
        ASSERT_TRUE(open.Close(IDOK));
    }
    EXPECT_EQ(record.blackInk, -50);
    EXPECT_EQ(record.cyanInk, 40);
    EXPECT_EQ(record.gamma, 10) << "ink dialog leaves the colour values";
    {
        OpenDialog open([this] { return ShowInkAdjustDialog(NULL, &record, NULL); });
        ASSERT_NE(open.dialog, nullptr);
        Click(open.dialog, IDC_INK_DEFAULTS);
        ASSERT_TRUE(open.Close(IDOK));
    }
    EXPECT_EQ(record.blackInk, 0);
    EXPECT_EQ(record.cyanInk, 0);
    EXPECT_EQ(record.totalInkLimit, 400);
}

TEST_F(AdjustDialogs, RowsFollowTheColourModeAndALockedRecordOnlyCancels)
{
    record.colorMode = 0;
    record.grayMethod = PX_GRAY_WITH_COLOR_INKS;
    {
        OpenDialog open([this] { return ShowColorAdjustDialog(NULL, &record, NULL); });
        ASSERT_NE(open.dialog, nullptr);
        HWND d = open.dialog;
        EXPECT_TRUE(IsEnabled(d, IDC_CADJ_CYAN_RED_TRACK)) << "grey from the colour inks";
        EXPECT_TRUE(IsEnabled(d, IDC_CADJ_BALANCE_GROUP));
        EXPECT_FALSE(IsEnabled(d, IDC_CADJ_SATURATION_TRACK));
        EXPECT_FALSE(IsEnabled(d, IDC_CADJ_SATURATION_LABEL));
        EXPECT_TRUE(IsEnabled(d, IDC_CADJ_GAMMA_EDIT));
        ASSERT_TRUE(open.Close(IDCANCEL));
    }
    record.grayMethod = PX_GRAY_BLACK_INK;
    record.editable = 0;
    record.contrast = 5;
    PrintSetting before = record;
    OpenDialog open([this] { return ShowColorAdjustDialog(NULL, &record, NULL); });
    ASSERT_NE(open.dialog, nullptr);
    HWND d = open.dialog;
    EXPECT_FALSE(IsEnabled(d, IDC_CADJ_YELLOW_BLUE_EDIT));
    EXPECT_FALSE(IsEnabled(d, IDC_CADJ_BALANCE_GROUP));
    EXPECT_FALSE(IsEnabled(d, IDC_CADJ_SATURATION_EDIT));
    EXPECT_TRUE(IsEnabled(d, IDC_CADJ_CONTRAST_LABEL));
    for (int id : {IDC_CADJ_CONTRAST_TRACK, IDC_CADJ_CONTRAST_EDIT, IDC_CADJ_GAMMA_TRACK, IDOK, IDC_CADJ_DEFAULTS})
        EXPECT_FALSE(IsEnabled(d, id)) << "control " << id;
    EXPECT_EQ(ItemText(d, IDC_CADJ_CONTRAST_EDIT), L"5") << "values are still shown";
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(d)) << "OK of a locked record";
    ASSERT_TRUE(open.Close(IDCANCEL));
    EXPECT_EQ(open.result, 0);
    EXPECT_TRUE(SamePrintSetting(record, before));
}

}  // namespace
