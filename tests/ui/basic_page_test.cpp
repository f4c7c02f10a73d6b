// The Basic page driven through its controls: sizes, scale, rotation, media
// type, the registered settings list and the 18 m length check. The
// platform's own sheet host is the apps suite's.
#include <gtest/gtest.h>

#include "tests/common/display.h"
#include "tests/ui/pagedriver.h"

#include <commctrl.h>

#include "core/module.h"
#include "devmode/paperlist.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"

namespace {

class BasicUi : public DisplayTest {};

TEST_F(BasicUi, AddOrRemoveEntryOpensItsDialogAndThePageSizeComesBack)
{
    OpenSheet b;
    ASSERT_NE(b.page, nullptr);
    std::wstring before = SelectedText(b.page, IDC_BASIC_PAGE_SIZE);
    short paper = b.dm()->dm.dmPaperSize;
    int last = (int)SendDlgItemMessageW(b.page, IDC_BASIC_PAGE_SIZE, CB_GETCOUNT, 0, 0) - 1;
    EXPECT_EQ(SendDlgItemMessageW(b.page, IDC_BASIC_PAGE_SIZE, CB_GETITEMDATA, last, 0), 0);
    PostChoose(b.page, IDC_BASIC_PAGE_SIZE, last);
    HWND dialog = WaitForDialogOwnedBy(b.thread, b.window);
    ASSERT_NE(dialog, nullptr) << "no Add or remove sizes dialog";
    EXPECT_EQ(WindowText(dialog), ModuleText(IDD_SIZE_SERIES));
    ASSERT_TRUE(Dismiss(dialog, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return SelectedText(b.page, IDC_BASIC_PAGE_SIZE) == before; }))
        << "shows " << testing::PrintToString(SelectedText(b.page, IDC_BASIC_PAGE_SIZE));
    EXPECT_EQ(b.dm()->dm.dmPaperSize, paper);
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, UserSizePageOutputSizeAndTheScaleEdit)
{
    OpenSheet b;
    ASSERT_NE(b.page, nullptr);
    int userScale = IndexOfText(b.page, IDC_BASIC_OUTPUT_SIZE, ReferencePaperName(365));
    ASSERT_GE(userScale, 0) << "output size 365 offered";
    EXPECT_EQ(IndexOfText(b.page, IDC_BASIC_OUTPUT_SIZE, ReferencePaperName(364)), -1)
        << "364 is left out";
    ChooseListItem(b.page, IDC_BASIC_OUTPUT_SIZE, userScale);
    ASSERT_EQ(b.dm()->pdmOutputSize, 365);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(b.page, IDC_BASIC_SCALE)));
    TypeInto(b.page, IDC_BASIC_SCALE, L"5", false);
    EXPECT_EQ(b.dm()->pdmOutputScale, 5) << "kept while typing";
    EXPECT_EQ(ItemText(b.page, IDC_BASIC_SCALE), L"5");
    TypeInto(b.page, IDC_BASIC_SCALE, L"5", true);
    EXPECT_EQ(b.dm()->pdmOutputScale, 10) << "raised to the minimum on leaving";
    EXPECT_EQ(ItemText(b.page, IDC_BASIC_SCALE), L"10");
    TypeInto(b.page, IDC_BASIC_SCALE, L"99999", true);
    EXPECT_EQ(b.dm()->pdmOutputScale, 1000) << "lowered to the maximum";
    TypeInto(b.page, IDC_BASIC_SCALE, L"12a", false);
    EXPECT_EQ(b.dm()->pdmOutputScale, 12) << "digits up to the bad character";
    TypeInto(b.page, IDC_BASIC_SCALE, L"abc", true);
    EXPECT_EQ(b.dm()->pdmOutputScale, 10) << "text that is not a number";

    // A user-size page: the output size list is off and the output is 363.
    int user = FindPaperByCode(&b.ctx()->paperList, 256, NULL);
    ASSERT_GT(user, 0) << "the reference list has the application's user size";
    ChooseListItem(b.page, IDC_BASIC_PAGE_SIZE, ListIndexOfData(b.page, IDC_BASIC_PAGE_SIZE, user));
    EXPECT_EQ(b.dm()->dm.dmPaperSize, 256);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(b.page, IDC_BASIC_OUTPUT_SIZE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(b.page, IDC_BASIC_SCALE)));
    EXPECT_EQ(b.dm()->pdmOutputSize, 363);
    b.Revisit();
    EXPECT_EQ(b.dm()->pdmOutputScale, 100) << "same size from the next fill on";
    EXPECT_EQ(ItemText(b.page, IDC_BASIC_SCALE), L"100");
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, RotationZeroAndAPaperTheListDoesNotKnow)
{
    OpenSheet b;
    ASSERT_NE(b.page, nullptr);
    b.dm()->pdmRotation = 0;
    b.dm()->dm.dmFields = DM_PAPERSIZE;
    b.dm()->dm.dmPaperSize = 9999;
    b.Revisit();
    EXPECT_EQ(SelectedText(b.page, IDC_BASIC_ROTATION), ModuleText(IDS_ROTATION_BASE + 1));
    EXPECT_EQ(SelectedText(b.page, IDC_BASIC_ROTATION), L"0\u00b0");
    EXPECT_EQ(b.dm()->pdmRotation, 0) << "the record keeps automatic rotation";
    EXPECT_EQ(SendDlgItemMessageW(b.page, IDC_BASIC_PAGE_SIZE, CB_GETCURSEL, 0, 0), 0)
        << "an unknown paper shows the first entry";
    ChooseListItem(b.page, IDC_BASIC_ROTATION, 2);
    EXPECT_EQ(b.dm()->pdmRotation, 3);
    EXPECT_EQ(b.dm()->pdmRotated, 0u) << "180 degrees";
    ChooseListItem(b.page, IDC_BASIC_ROTATION, 1);
    EXPECT_EQ(b.dm()->pdmRotated, 1u) << "90 degrees";
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, MediaType1281AppliesItsFirstSettingAndA200mLengthIsCutOnce)
{
    OpenSheet b;
    ASSERT_NE(b.page, nullptr);
    int roll = ListIndexOfData(b.page, IDC_BASIC_MEDIA_TYPE, 1281);
    ASSERT_GE(roll, 0);
    b.dm()->pdmSettingIndex = 3;
    ChooseListItem(b.page, IDC_BASIC_MEDIA_TYPE, roll);
    EXPECT_EQ(b.dm()->dm.dmMediaType, 259u);
    EXPECT_EQ(b.dm()->pdmPaperType.id, 1281u);
    EXPECT_EQ(b.dm()->pdmSettingIndex, 0);
    const PrintSetting *first = SettingRecordAddress(b.dm(), 0);
    ASSERT_NE(first, nullptr) << "the store is open";
    EXPECT_EQ(b.dm()->pdmPrintMode, (int16_t)first->printMode) << "its first setting applied";
    HWND list = GetDlgItem(b.page, IDC_BASIC_SETTINGS_LIST);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), b.dm()->pdmSettingCount[1]);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

    // Choosing another registered setting applies it.
    ChooseListBoxItem(b.page, IDC_BASIC_SETTINGS_LIST, 1);
    EXPECT_EQ(b.dm()->pdmSettingIndex, 1);
    EXPECT_EQ(b.dm()->pdmPrintMode, (int16_t)SettingRecordAddress(b.dm(), 1)->printMode);

    // The presets print at automatic resolution: a 200 m user length is cut to 18 m.
    b.dm()->pdmUserSizes[2].length = 2000000;
    PostChoose(b.page, IDC_BASIC_MEDIA_TYPE, ListIndexOfData(b.page, IDC_BASIC_MEDIA_TYPE, 1280));
    EXPECT_EQ(AnswerBox(b.thread, b.window, IDOK), ModuleText(IDS_LENGTH_WARNING_TEXT));
    EXPECT_EQ(WaitForDialogOwnedBy(b.thread, b.window, 1500), nullptr) << "one warning only";
    EXPECT_EQ(b.dm()->dm.dmMediaType, 257u);
    EXPECT_EQ(b.dm()->pdmUserSizes[2].length, 180000);
    PaperEntry third = UserSizeEntry(&b.ctx()->paperList, 2);
    EXPECT_EQ(third.length, 180000) << "the list's third user size follows";
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

TEST_F(BasicUi, OkSavesTheStoreForTheNextSheetCancelLeavesFileAndOutput)
{
    std::wstring path;
    LONG blocks = PxLiveBlocks();
    {
        OpenSheet b;
        ASSERT_NE(b.page, nullptr);
        path = WorkingFilePath(b.printer);
        PrintSetting *first = SettingRecordAddress(b.dm(), 0);
        ASSERT_NE(first, nullptr);
        lstrcpyW(first->name, L"Proof");
        ASSERT_TRUE(b.Close(PSBTN_OK));
        EXPECT_EQ(b.out.as<PXDEVMODE>()->pdmSettingStore, 0u) << "no store address leaves the sheet";
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "store released after OK";
    std::vector<BYTE> saved = ReadWholeFile(path);
    ASSERT_FALSE(saved.empty()) << "OK writes the working settings file";
    {
        OpenSheet b;
        ASSERT_NE(b.page, nullptr);
        HWND list = GetDlgItem(b.page, IDC_BASIC_SETTINGS_LIST);
        WCHAR text[64] = L"";
        SendMessageW(list, LB_GETTEXT, 0, (LPARAM)text);
        EXPECT_STREQ(text, L"Proof") << "the next sheet reads it back";
        lstrcpyW(SettingRecordAddress(b.dm(), 0)->name, L"Changed");
        TypeInto(b.page, IDC_BASIC_SCALE, L"50", false);
        ASSERT_TRUE(b.Close(PSBTN_CANCEL));
        EXPECT_EQ(b.out.as<DEVMODEW>()->dmSize, 0xCCCC) << "Cancel leaves the output record";
    }
    EXPECT_EQ(PxLiveBlocks(), blocks) << "store released after Cancel";
    EXPECT_TRUE(ReadWholeFile(path) == saved) << "Cancel leaves the working settings file";
}

TEST_F(BasicUi, ADamagedOrShortWorkingFileGivesThePresets)
{
    PrinterHandle printer(PX_PRINTER);
    std::wstring path = WorkingFilePath(printer);
    const std::vector<BYTE> shortFile = {0xC5, 0x09, 2, 0, 7};
    WorkFileHeader damaged = {};
    damaged.modelMark = PX_FILE_MODEL_MARK;
    damaged.version = PX_FILE_VERSION;
    damaged.counts[0] = 19;  // more records than the file holds
    LONG blocks = PxLiveBlocks();
    const BYTE *header = reinterpret_cast<const BYTE *>(&damaged);
    const std::vector<BYTE> damagedFile(header, header + sizeof damaged);
    for (int kind = 0; kind < 2; kind++) {
        ASSERT_TRUE(WriteWholeFile(path, kind == 0 ? shortFile : damagedFile));
        {
            OpenSheet b;
            ASSERT_NE(b.page, nullptr) << "file kind " << kind;
            EXPECT_EQ(b.dm()->pdmSettingCount[0], 6) << "presets, file kind " << kind;
            EXPECT_EQ(b.dm()->pdmSettingCount[1], 2) << "presets, file kind " << kind;
            EXPECT_EQ(SendDlgItemMessageW(b.page, IDC_BASIC_SETTINGS_LIST, LB_GETCOUNT, 0, 0), 6)
                << "file kind " << kind;
            EXPECT_TRUE(b.Close(PSBTN_CANCEL));
        }
        EXPECT_EQ(PxLiveBlocks(), blocks) << "file kind " << kind;
    }
    DeleteFileW(path.c_str());
}

TEST_F(BasicUi, ApplyKeepsAStoreForTheSheetStillOpen)
{
    OpenSheet b;
    ASSERT_NE(b.page, nullptr);
    SendMessageW(b.window, PSM_APPLY, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return StoreFromDevMode(b.dm()) != nullptr; }))
        << "the page has its store again after Apply";
    EXPECT_EQ(b.ctx()->applied, 1);
    EXPECT_TRUE(b.Close(PSBTN_CANCEL));
}

}  // namespace
