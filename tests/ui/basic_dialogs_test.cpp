// The User size and Add or remove sizes dialogs opened from the Basic page
// and driven through their controls.
#include <gtest/gtest.h>

#include "tests/common/display.h"
#include "tests/ui/pagedriver.h"

#include <commctrl.h>

#include "core/module.h"
#include "devmode/paperlist.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"

namespace {

class BasicDialogs : public DisplayTest {};

struct BasicSheet : OpenSheet {
    using OpenSheet::OpenSheet;
    HWND OpenUserSize()
    {
        PostClick(page, IDC_BASIC_USER_SIZE);
        return WaitForDialogOwnedBy(thread, window);
    }
    HWND OpenSizeSeries()
    {
        int last = (int)SendDlgItemMessageW(page, IDC_BASIC_PAGE_SIZE, CB_GETCOUNT, 0, 0) - 1;
        PostChoose(page, IDC_BASIC_PAGE_SIZE, last);
        return WaitForDialogOwnedBy(thread, window);
    }
};

TEST_F(BasicDialogs, UserSizeInInchesShowsAndStoresHundredths)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    b.dm()->pdmLengthUnit = 1;
    b.dm()->pdmSideMargin = 0;
    HWND dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr) << "no User size dialog";
    EXPECT_EQ(WindowText(dialog), ModuleText(IDD_USER_SIZE));
    std::wstring caption = ItemText(dialog, IDC_USIZE_SHORT_LABEL);
    EXPECT_NE(caption.find(L"53.98 inch"), std::wstring::npos) << testing::PrintToString(caption);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT_UNIT), ModuleText(IDS_UNIT_INCH));
    ChooseListItem(dialog, IDC_USIZE_LIST, 1);
    TypeInto(dialog, IDC_USIZE_SHORT, L"53.98", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[1].width, 13711) << "53.98 inch";
    TypeInto(dialog, IDC_USIZE_SHORT, L"5.05", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[1].width, 1283) << "5.05 inch";
    ChooseListItem(dialog, IDC_USIZE_LIST, 0);
    ChooseListItem(dialog, IDC_USIZE_LIST, 1);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"5.05") << "two decimals, not 5.5";
    TypeInto(dialog, IDC_USIZE_LONG, L"9999", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[1].length, b.ctx()->printerInfo.maxLength) << "clamped to the limit";
    EXPECT_TRUE(Dismiss(dialog, IDOK));
    EXPECT_EQ(UserSizeEntry(&b.ctx()->paperList, 1).paperSize, (uint16_t)b.dm()->dm.dmPaperSize)
        << "OK makes the chosen user size the page size";
    EXPECT_EQ(b.dm()->dm.dmPaperWidth, 1283);
    EXPECT_EQ(b.ctx()->printerInfo.maxWidth, 13710) << "limits restored after the dialog";
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicDialogs, UserSizeCancelRestoresEveryPairAndTheCheckFindsTheFirstBadPair)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    b.dm()->pdmLengthUnit = 0;
    b.ctx()->printerInfo.minLength = 1500;  // the long side's own lower bound
    PxUserSize before[PX_USER_SIZE_COUNT];
    CopyMemory(before, b.dm()->pdmUserSizes, sizeof before);
    HWND dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr);
    TypeInto(dialog, IDC_USIZE_SHORT, L"500.5", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[(int)SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCURSEL, 0, 0)].width, 5005);
    ChooseListItem(dialog, IDC_USIZE_LIST, 3);
    TypeInto(dialog, IDC_USIZE_LONG, L"120", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[3].length, 1500) << "raised to the minimum length";
    TypeInto(dialog, IDC_USIZE_LONG, L"3000", true);
    EXPECT_EQ(b.dm()->pdmUserSizes[3].length, 30000);
    EXPECT_TRUE(Dismiss(dialog, IDCANCEL));
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        EXPECT_EQ(b.dm()->pdmUserSizes[i].width, before[i].width) << "pair " << i;
        EXPECT_EQ(b.dm()->pdmUserSizes[i].length, before[i].length) << "pair " << i;
        EXPECT_EQ(UserSizeEntry(&b.ctx()->paperList, i).width, before[i].width) << "list entry " << i;
    }

    // Pair 2 is bad, pair 4 selected: OK reports pair 2 and selects it.
    b.dm()->pdmUserSizes[2] = {6000, 4000};
    b.dm()->pdmUserSizes[3] = {5000, 5000};
    dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr);
    ChooseListItem(dialog, IDC_USIZE_LIST, 4);
    PostClick(dialog, IDOK);
    EXPECT_EQ(AnswerBox(b.thread, dialog, IDNO), ModuleText(IDS_MSG_USER_SIZE_SWAP));
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"600.0");
    EXPECT_EQ(b.dm()->pdmUserSizes[2].width, 6000) << "No keeps the pair";
    PostClick(dialog, IDOK);
    AnswerBox(b.thread, dialog, IDYES);
    EXPECT_EQ(b.dm()->pdmUserSizes[2].width, 4000) << "Yes swaps";
    EXPECT_EQ(b.dm()->pdmUserSizes[2].length, 6000);
    EXPECT_TRUE(Dismiss(dialog, IDOK)) << "equal sides (pair 3) pass";
    EXPECT_EQ(b.dm()->dm.dmPaperWidth, 4000);
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicDialogs, SizeSeriesRefusesTheSeriesInUseAndRebuildsTheList)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    ASSERT_EQ(b.dm()->pdmSizeSeries & 0x2u, 0x2u) << "ISO A offered";
    HWND dialog = b.OpenSizeSeries();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SERIES_ISO_A), BST_CHECKED);
    SendDlgItemMessageW(dialog, IDC_SERIES_ISO_A, BM_CLICK, 0, 0);
    PostClick(dialog, IDOK);
    EXPECT_EQ(AnswerBox(b.thread, dialog, IDOK), ModuleText(IDS_MSG_SIZE_IN_USE));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SERIES_ISO_A), BST_UNCHECKED) << "boxes as the user set them";
    EXPECT_EQ(b.dm()->pdmSizeSeries & 0x2u, 0x2u) << "nothing changed";
    SendDlgItemMessageW(dialog, IDC_SERIES_ISO_A, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, IDC_SERIES_ANSI, BM_CLICK, 0, 0);
    EXPECT_TRUE(Dismiss(dialog, IDOK));
    EXPECT_EQ(b.dm()->pdmSizeSeries, 0x80000022u);
    int ansi = 0;
    for (int i = 1; i <= PaperCount(&b.ctx()->paperList); i++) {
        PaperEntry entry = {};
        PaperEntryAt(&b.ctx()->paperList, i, &entry);
        ansi += (entry.series & 0x20u) != 0;
    }
    EXPECT_GT(ansi, 0) << "the rebuilt list has the ANSI sizes";
    EXPECT_EQ(SendDlgItemMessageW(b.page, IDC_BASIC_PAGE_SIZE, CB_GETCOUNT, 0, 0),
              PaperCount(&b.ctx()->paperList) + 1);
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicDialogs, WithoutPermissionTheDialogsCloseOnlyWithCancel)
{
    BasicSheet b(DM_COPY | 0x20);
    ASSERT_NE(b.page, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(b.page, IDC_BASIC_MEDIA_TYPE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(b.page, IDC_BASIC_ADVANCED)));
    HWND dialog = b.OpenSizeSeries();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(WaitUntil([&] { return !IsWindow(dialog); }, 500)) << "OK does nothing";
    EXPECT_TRUE(Dismiss(dialog, IDCANCEL));
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicDialogs, DataDriversWithoutPaperTypesOrUserSizes)
{
    LONG blocks = PxLiveBlocks();
    {
        OpenSheet s(DM_COPY, PX_PRINTER_NOPTYPE);
        ASSERT_NE(s.page, nullptr) << "the sheet opens without paper types";
        EXPECT_EQ(SendDlgItemMessageW(s.page, IDC_BASIC_MEDIA_TYPE, CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(SelectedText(s.page, IDC_BASIC_MEDIA_TYPE), L"(none)");
        ChooseListItem(s.page, IDC_BASIC_ROTATION, 1);
        EXPECT_TRUE(s.Close(PSBTN_OK));
        EXPECT_EQ(s.sheet.host.results.size(), 1u);
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "no paper types";
    {
        BasicSheet s(DM_COPY, PX_PRINTER_NOUSER);
        ASSERT_NE(s.page, nullptr) << "the sheet opens without user sizes";
        short paper = s.dm()->dm.dmPaperSize;
        HWND dialog = s.OpenUserSize();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCOUNT, 0, 0), 0);
        TypeInto(dialog, IDC_USIZE_SHORT, L"x", true);
        EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"100.0") << "raised to the minimum";
        EXPECT_TRUE(Dismiss(dialog, IDOK));
        EXPECT_EQ(s.dm()->dm.dmPaperSize, paper) << "no user size to choose";
        EXPECT_TRUE(s.Close(PSBTN_CANCEL));
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "no user sizes";
}

}  // namespace
