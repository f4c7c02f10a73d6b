// The User size and Add or remove sizes dialogs opened from the Basic page
// and driven through their controls.
#include "tests/ui/basic_support.h"

#include <commctrl.h>

#include "devmode/paperlist.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tools/uihost/hostedsheet.h"

namespace {

struct BasicSheet : OpenBasic {
    using OpenBasic::OpenBasic;
    HWND OpenUserSize()
    {
        PostClick(page, IDC_BASIC_USER_SIZE);
        return WaitForTopDialog(thread, window);
    }
    HWND OpenSizeSeries()
    {
        int last = (int)SendDlgItemMessageW(page, IDC_BASIC_PAGE_SIZE, CB_GETCOUNT, 0, 0) - 1;
        PostChoose(page, IDC_BASIC_PAGE_SIZE, last);
        return WaitForTopDialog(thread, window);
    }
};

// The n-th (from 0) user-size entry of the list, as the dialog binds pairs.
PaperEntry UserEntry(const PaperList *list, int n)
{
    PaperEntry entry = {};
    for (int i = 1, seen = 0; i <= PaperCount(list); i++) {
        PaperEntryAt(list, i, &entry);
        if ((entry.series & 0x80000000u) && seen++ == n)
            return entry;
    }
    return PaperEntry{};
}

void Close(HWND dialog, int button)
{
    PostClick(dialog, button);
    WaitUntil([&] { return !IsWindow(dialog); });
}

TEST_F(BasicUi, UserSizeInInchesShowsAndStoresHundredths)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    b.dm().pdmLengthUnit = 1;
    b.dm().pdmSideMargin = 0;
    HWND dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr) << "no User size dialog";
    EXPECT_EQ(WindowText(dialog), ModuleText(IDD_USER_SIZE));
    std::wstring caption = ItemText(dialog, IDC_USIZE_SHORT_LABEL);
    EXPECT_NE(caption.find(L"53.98 inch"), std::wstring::npos) << testing::PrintToString(caption);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT_UNIT), ModuleText(IDS_UNIT_INCH));
    ChooseListItem(dialog, IDC_USIZE_LIST, 1);
    SetDlgItemTextW(dialog, IDC_USIZE_SHORT, L"53.98");
    LeaveEdit(dialog, IDC_USIZE_SHORT);
    EXPECT_EQ(b.dm().pdmUserSizes[1].width, 13711) << "53.98 inch";
    SetDlgItemTextW(dialog, IDC_USIZE_SHORT, L"5.05");
    LeaveEdit(dialog, IDC_USIZE_SHORT);
    EXPECT_EQ(b.dm().pdmUserSizes[1].width, 1283) << "5.05 inch";
    ChooseListItem(dialog, IDC_USIZE_LIST, 0);
    ChooseListItem(dialog, IDC_USIZE_LIST, 1);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"5.05") << "two decimals, not 5.5";
    SetDlgItemTextW(dialog, IDC_USIZE_LONG, L"9999");
    LeaveEdit(dialog, IDC_USIZE_LONG);
    EXPECT_EQ(b.dm().pdmUserSizes[1].length, b.ctx()->printerInfo.maxLength) << "clamped to the limit";
    Close(dialog, IDOK);
    EXPECT_EQ(UserEntry(&b.ctx()->paperList, 1).paperSize, (uint16_t)b.dm().dm.dmPaperSize)
        << "OK makes the chosen user size the page size";
    EXPECT_EQ(b.dm().dm.dmPaperWidth, 1283);
    EXPECT_EQ(b.ctx()->printerInfo.maxWidth, 13710) << "limits restored after the dialog";
    EXPECT_TRUE(b.sheet.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, UserSizeCancelRestoresEveryPairAndTheCheckFindsTheFirstBadPair)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    b.dm().pdmLengthUnit = 0;
    PxUserSize before[PX_USER_SIZE_COUNT];
    CopyMemory(before, b.dm().pdmUserSizes, sizeof before);
    HWND dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr);
    SetDlgItemTextW(dialog, IDC_USIZE_SHORT, L"500.5");
    LeaveEdit(dialog, IDC_USIZE_SHORT);
    EXPECT_EQ(b.dm().pdmUserSizes[(int)SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCURSEL, 0, 0)].width, 5005);
    ChooseListItem(dialog, IDC_USIZE_LIST, 3);
    SetDlgItemTextW(dialog, IDC_USIZE_LONG, L"3000");
    LeaveEdit(dialog, IDC_USIZE_LONG);
    EXPECT_EQ(b.dm().pdmUserSizes[3].length, 30000);
    Close(dialog, IDCANCEL);
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        EXPECT_EQ(b.dm().pdmUserSizes[i].width, before[i].width) << "pair " << i;
        EXPECT_EQ(b.dm().pdmUserSizes[i].length, before[i].length) << "pair " << i;
        EXPECT_EQ(UserEntry(&b.ctx()->paperList, i).width, before[i].width) << "list entry " << i;
    }

    // Pair 2 is bad, pair 4 selected: OK reports pair 2 and selects it.
    b.dm().pdmUserSizes[2] = {6000, 4000};
    b.dm().pdmUserSizes[3] = {5000, 5000};
    dialog = b.OpenUserSize();
    ASSERT_NE(dialog, nullptr);
    ChooseListItem(dialog, IDC_USIZE_LIST, 4);
    PostClick(dialog, IDOK);
    EXPECT_EQ(AnswerBox(b.thread, dialog, IDNO), ModuleText(IDS_MSG_USER_SIZE_SWAP));
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open";
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"600.0");
    EXPECT_EQ(b.dm().pdmUserSizes[2].width, 6000) << "No keeps the pair";
    PostClick(dialog, IDOK);
    AnswerBox(b.thread, dialog, IDYES);
    EXPECT_EQ(b.dm().pdmUserSizes[2].width, 4000) << "Yes swaps";
    EXPECT_EQ(b.dm().pdmUserSizes[2].length, 6000);
    Close(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog)) << "equal sides (pair 3) pass";
    EXPECT_EQ(b.dm().dm.dmPaperWidth, 4000);
    EXPECT_TRUE(b.sheet.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, SizeSeriesRefusesTheSeriesInUseAndRebuildsTheList)
{
    BasicSheet b;
    ASSERT_NE(b.page, nullptr);
    ASSERT_EQ(b.dm().pdmSizeSeries & 0x2u, 0x2u) << "ISO A offered";
    HWND dialog = b.OpenSizeSeries();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SERIES_ISO_A), BST_CHECKED);
    SendDlgItemMessageW(dialog, IDC_SERIES_ISO_A, BM_CLICK, 0, 0);
    PostClick(dialog, IDOK);
    EXPECT_EQ(AnswerBox(b.thread, dialog, IDOK), ModuleText(IDS_MSG_SIZE_IN_USE));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SERIES_ISO_A), BST_UNCHECKED) << "boxes as the user set them";
    EXPECT_EQ(b.dm().pdmSizeSeries & 0x2u, 0x2u) << "nothing changed";
    SendDlgItemMessageW(dialog, IDC_SERIES_ISO_A, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, IDC_SERIES_ANSI, BM_CLICK, 0, 0);
    Close(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(b.dm().pdmSizeSeries, 0x80000022u);
    int ansi = 0;
    for (int i = 1; i <= PaperCount(&b.ctx()->paperList); i++) {
        PaperEntry entry = {};
        PaperEntryAt(&b.ctx()->paperList, i, &entry);
        ansi += (entry.series & 0x20u) != 0;
    }
    EXPECT_GT(ansi, 0) << "the rebuilt list has the ANSI sizes";
    EXPECT_EQ(SendDlgItemMessageW(b.page, IDC_BASIC_PAGE_SIZE, CB_GETCOUNT, 0, 0),
              PaperCount(&b.ctx()->paperList) + 1);
    EXPECT_TRUE(b.sheet.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, WithoutPermissionTheDialogsCloseOnlyWithCancel)
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
    Close(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(b.sheet.Close(PSBTN_CANCEL));
}

}  // namespace

namespace {

TEST_F(BasicUi, DataDriversWithoutPaperTypesOrUserSizes)
{
    LONG blocks = PxLiveBlocks();
    {
        PrinterHandle printer(PX_PRINTER_NOPTYPE);
        Guarded out(4160);
        HostedDocumentSheet sheet(printer, PX_PRINTER_NOPTYPE, out.as<DEVMODEW>(), DM_COPY);
        HWND window = sheet.Open();
        ASSERT_NE(window, nullptr) << "the sheet opens without paper types";
        HWND page = CurrentSheetPage(window);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_BASIC_MEDIA_TYPE, CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(SelectedText(page, IDC_BASIC_MEDIA_TYPE), L"<none>");
        ChooseListItem(page, IDC_BASIC_ROTATION, 1);
        EXPECT_TRUE(sheet.Close(PSBTN_OK));
        EXPECT_EQ(sheet.host.results.size(), 1u);
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "no paper types";
    {
        PrinterHandle printer(PX_PRINTER_NOUSER);
        Guarded out(4160);
        HostedDocumentSheet sheet(printer, PX_PRINTER_NOUSER, out.as<DEVMODEW>(), DM_COPY);
        HWND window = sheet.Open();
        ASSERT_NE(window, nullptr) << "the sheet opens without user sizes";
        HWND page = CurrentSheetPage(window);
        DWORD thread = GetWindowThreadProcessId(window, NULL);
        short paper = sheet.Context()->dmCurrent.dm.dmPaperSize;
        PostClick(page, IDC_BASIC_USER_SIZE);
        HWND dialog = WaitForTopDialog(thread, window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_USIZE_LIST, CB_GETCOUNT, 0, 0), 0);
        SetDlgItemTextW(dialog, IDC_USIZE_SHORT, L"x");
        LeaveEdit(dialog, IDC_USIZE_SHORT);
        EXPECT_EQ(ItemText(dialog, IDC_USIZE_SHORT), L"100.0") << "raised to the minimum";
        Close(dialog, IDOK);
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_EQ(sheet.Context()->dmCurrent.dm.dmPaperSize, paper) << "no user size to choose";
        EXPECT_TRUE(sheet.Close(PSBTN_CANCEL));
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "no user sizes";
}

}  // namespace
