// The Option page driven through its controls: copies, mirror, overprint,
// heaters in either temperature unit, the hidden crop marks, and a sheet
// the user may not change.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>
#include <commctrl.h>

#include "resources/ids_controls.h"
#include "resources/ids_strings.h"
#include "tests/ui/pagedriver.h"

namespace {

class OptionPage : public DisplayTest {};

struct Heater {
    int box, list;
    uint32_t PXDEVMODE::*on;
    uint16_t PXDEVMODE::*temp;
    const char *name;
};
const Heater kHeaters[] = {
    {IDC_OPTION_PREHEATER, IDC_OPTION_PREHEATER_TEMP, &PXDEVMODE::pdmPreHeaterOn,
     &PXDEVMODE::pdmPreHeaterTemp, "pre-heater"},
    {IDC_OPTION_PLATEN_HEATER, IDC_OPTION_PLATEN_HEATER_TEMP, &PXDEVMODE::pdmPlatenHeaterOn,
     &PXDEVMODE::pdmPlatenHeaterTemp, "platen heater"},
    {IDC_OPTION_AFTER_HEATER, IDC_OPTION_AFTER_HEATER_TEMP, &PXDEVMODE::pdmAfterHeaterOn,
     &PXDEVMODE::pdmAfterHeaterTemp, "after-heater"},
};

TEST_F(OptionPage, HeaterAt40CelsiusShows104FahrenheitAfterTheUnitChange)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    for (const Heater &h : kHeaters) {
        s.dm()->*h.on = 0;
        s.dm()->*h.temp = 0;
    }
    s.dm()->pdmTempUnit = 0;
    HWND page = s.Show(PX_TAB_OPTION);
    const std::wstring printerSetting = ModuleText(IDS_PRINTER_SETTING);
    for (const Heater &h : kHeaters) {
        SCOPED_TRACE(h.name);
        EXPECT_EQ(ListTexts(page, h.list), std::vector<std::wstring>{printerSetting});
        EXPECT_FALSE(IsEnabled(page, h.list)) << "list of a clear box";
        Click(page, h.box);
        EXPECT_EQ(s.dm()->*h.on, 1u);
        ASSERT_EQ(ListTexts(page, h.list).size(), 22u) << "Off and 30 to 50";
        EXPECT_TRUE(IsEnabled(page, h.list));
        EXPECT_EQ(SelectedText(page, h.list), L"Off") << "a stored 0 is Off";
        int at40 = IndexOfText(page, h.list, L"40 ﾟC");
        ASSERT_EQ(at40, 11);
        ChooseListItem(page, h.list, at40);
        EXPECT_EQ(s.dm()->*h.temp, 40);
    }

    HWND setup = s.Show(PX_TAB_SETUP);
    ChooseListItem(setup, IDC_SETUP_TEMP_UNIT, 1);
    EXPECT_EQ(s.dm()->pdmTempUnit, 1);
    page = s.Show(PX_TAB_OPTION);
    for (const Heater &h : kHeaters) {
        SCOPED_TRACE(h.name);
        EXPECT_EQ(SelectedText(page, h.list), L"104 ﾟF");
        EXPECT_EQ(ListTexts(page, h.list)[1], L"86 ﾟF");
        EXPECT_EQ(s.dm()->*h.temp, 40) << "stored in Celsius whatever the unit";
    }
}

// The heaters' boxes share this code with the overprint boxes.
TEST_F(OptionPage, OverprintBoxesOffAndOnKeepTheirValues)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.dm()->pdmOverprintOn = 0;
    s.dm()->pdmOverprintWaitOn = 0;
    HWND page = s.Show(PX_TAB_OPTION);
    const struct {
        int box, list;
        uint32_t PXDEVMODE::*on;
        uint16_t PXDEVMODE::*value;
        size_t entries;
        const wchar_t *choice;
        uint16_t stored;
    } rows[] = {
        {IDC_OPTION_OVERPRINT, IDC_OPTION_OVERPRINT_COUNT, &PXDEVMODE::pdmOverprintOn,
         &PXDEVMODE::pdmOverprintCount, 9, L"4 回", 4},
        {IDC_OPTION_OVERPRINT_WAIT_ON, IDC_OPTION_OVERPRINT_WAIT, &PXDEVMODE::pdmOverprintWaitOn,
         &PXDEVMODE::pdmOverprintWait, 6, L"3 秒", 3},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.box);
        Click(page, r.box);
        ASSERT_EQ(ListTexts(page, r.list).size(), r.entries);
        ChooseListItem(page, r.list, IndexOfText(page, r.list, r.choice));
        EXPECT_EQ(s.dm()->*r.value, r.stored);
        Click(page, r.box);
        EXPECT_EQ(s.dm()->*r.on, 0u);
        EXPECT_EQ(SelectedText(page, r.list), ModuleText(IDS_PRINTER_SETTING));
        EXPECT_FALSE(IsEnabled(page, r.list));
        Click(page, r.box);
        EXPECT_EQ(SelectedText(page, r.list), r.choice) << "the stored value is selected again";
        EXPECT_EQ(s.dm()->*r.value, r.stored);
    }
}

TEST_F(OptionPage, CopiesTypedAreClampedWhenTheFieldIsLeftAndTheArrowsDoNotWrap)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    HWND page = s.Show(PX_TAB_OPTION);
    int maximum = s.ctx()->printerInfo.maxCopies;
    ASSERT_EQ(maximum, 999) << "the reference data driver";
    EXPECT_EQ(SendDlgItemMessageW(page, IDC_OPTION_COPIES, EM_GETLIMITTEXT, 0, 0), 3)
        << "three digits for 999";

    TypeInto(page, IDC_OPTION_COPIES, L"0", false);
    EXPECT_EQ(s.dm()->dm.dmCopies, 0) << "kept unclamped while typing";
    TypeInto(page, IDC_OPTION_COPIES, L"0", true);
    EXPECT_EQ(s.dm()->dm.dmCopies, 1);
    EXPECT_EQ(ItemText(page, IDC_OPTION_COPIES), L"1");

    TypeInto(page, IDC_OPTION_COPIES, L"12", true);
    EXPECT_EQ(s.dm()->dm.dmCopies, 12);
    PressArrow(page, IDC_OPTION_COPIES, true);
    EXPECT_EQ(s.dm()->dm.dmCopies, 13);
    EXPECT_EQ(ItemText(page, IDC_OPTION_COPIES), L"13");

    TypeInto(page, IDC_OPTION_COPIES, L"999", true);
    PressArrow(page, IDC_OPTION_COPIES, true);
    EXPECT_EQ(s.dm()->dm.dmCopies, 999) << "no wrap from the maximum";
    TypeInto(page, IDC_OPTION_COPIES, L"1", true);
    PressArrow(page, IDC_OPTION_COPIES, false);
    EXPECT_EQ(s.dm()->dm.dmCopies, 1) << "no wrap from the minimum";
    EXPECT_EQ(ItemText(page, IDC_OPTION_COPIES), L"1");
}

TEST_F(OptionPage, OkCopiesOutWhatThePageSetAndTheHiddenCropMarksAsStored)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.dm()->pdmCropMarks = 1;
    s.dm()->pdmNoMirror = 1;
    s.dm()->pdmOnTheFly = 0;
    HWND page = s.Show(PX_TAB_OPTION);
    HWND crop = GetDlgItem(page, IDC_OPTION_CROP_MARKS);
    ASSERT_NE(crop, nullptr);
    EXPECT_FALSE(IsWindowVisible(crop)) << "the crop-marks box is never shown";
    EXPECT_TRUE(IsChecked(page, IDC_OPTION_CROP_MARKS));
    EXPECT_FALSE(IsChecked(page, IDC_OPTION_MIRROR));

    uint32_t picture = s.ctx()->summaryPicture;
    Click(page, IDC_OPTION_MIRROR);
    EXPECT_EQ(s.dm()->pdmNoMirror, 0u);
    EXPECT_EQ(s.ctx()->summaryPicture, picture | 0x2u) << "the page picture shows mirroring";
    Click(page, IDC_OPTION_ON_THE_FLY);
    TypeInto(page, IDC_OPTION_COPIES, L"7", true);
    Click(page, IDC_OPTION_OVERPRINT);
    ChooseListItem(page, IDC_OPTION_OVERPRINT_COUNT, 1);

    ASSERT_TRUE(s.Close(PSBTN_OK));
    const PXDEVMODE *out = s.out.as<PXDEVMODE>();
    EXPECT_EQ(out->dm.dmCopies, 7);
    EXPECT_EQ(out->pdmNoMirror, 0u);
    EXPECT_EQ(out->pdmOnTheFly, 1u);
    EXPECT_EQ(out->pdmOverprintOn, 1u);
    EXPECT_EQ(out->pdmOverprintCount, 2);
    EXPECT_EQ(out->pdmCropMarks, 1u) << "kept and applied unchanged";
}

TEST_F(OptionPage, WithoutPermissionEveryOptionIsDisabledAndConfirmStillWorks)
{
    OpenSheet s(DM_COPY | 0x20);
    ASSERT_NE(s.window, nullptr);
    s.dm()->pdmOverprintOn = 1;
    s.dm()->pdmPreHeaterOn = 1;
    HWND page = s.Show(PX_TAB_OPTION);
    const int controls[] = {IDC_OPTION_MIRROR, IDC_OPTION_OVERPRINT, IDC_OPTION_OVERPRINT_COUNT,
                            IDC_OPTION_OVERPRINT_WAIT_ON, IDC_OPTION_OVERPRINT_WAIT,
                            IDC_OPTION_PREHEATER, IDC_OPTION_PREHEATER_TEMP,
                            IDC_OPTION_PLATEN_HEATER, IDC_OPTION_PLATEN_HEATER_TEMP,
                            IDC_OPTION_AFTER_HEATER, IDC_OPTION_AFTER_HEATER_TEMP,
                            IDC_OPTION_ON_THE_FLY, IDC_OPTION_CROP_MARKS, IDC_OPTION_COPIES};
    for (int id : controls)
        EXPECT_FALSE(IsEnabled(page, id)) << "control " << id;
    HWND arrows = FindWindowExW(page, NULL, UPDOWN_CLASSW, NULL);
    ASSERT_NE(arrows, nullptr) << "the copies edit has no arrows";
    EXPECT_FALSE(IsWindowEnabled(arrows)) << "the copies arrows";

    PostClick(page, IDC_SUMMARY_CONFIRM);
    HWND current = WaitForDialogOwnedBy(s.thread, s.window);
    ASSERT_NE(current, nullptr) << "the Confirm button opens the Current settings dialog";
    EXPECT_TRUE(Dismiss(current, IDOK));
}

}  // namespace
