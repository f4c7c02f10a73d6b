// Pages shown again: what they leave alone when nothing they show changed,
// what they show again when another page changed it; and the page picture,
// which waits for the panel picture's paint only when that paint is coming.
#include <gtest/gtest.h>

#include "tests/common/display.h"
#include "tests/common/sheetopen.h"

#include "pages/summary.h"
#include "resources/ids_controls.h"
#include "settingsfiles/workfile.h"
#include "tests/ui/pagedriver.h"
#include "tools/uihost/ui.h"

namespace {

class PageRefresh : public DisplayTest {};

TEST_F(PageRefresh, APageShownAgainRefillsOnlyWhenAnotherPageChangedWhatItShows)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.dm()->pdmLengthUnit = 0;
    HWND basic = s.Show(PX_TAB_BASIC);
    ASSERT_NE(basic, nullptr);
    // A refill of the settings list sets its text to make it repaint.
    HWND list = GetDlgItem(basic, IDC_BASIC_SETTINGS_LIST);
    SetWindowTextW(list, L"kept");
    s.Show(PX_TAB_OPTION);
    s.Show(PX_TAB_SETUP);
    s.Show(PX_TAB_BASIC);
    EXPECT_EQ(ItemText(basic, IDC_BASIC_SETTINGS_LIST), L"kept")
        << "the list was refilled although nothing changed";

    HWND setup = s.Show(PX_TAB_SETUP);
    ChooseListItem(setup, IDC_SETUP_LENGTH_UNIT, 1);
    ASSERT_EQ(s.dm()->pdmLengthUnit, 1);
    s.Show(PX_TAB_BASIC);
    EXPECT_EQ(ItemText(basic, IDC_BASIC_SETTINGS_LIST), PX_REPAINT_TEXT)
        << "the list was not refilled after the units changed";

    // The record changed behind the Option page while it was hidden.
    HWND option = s.Show(PX_TAB_OPTION);
    s.Show(PX_TAB_BASIC);
    s.dm()->pdmNoMirror = !s.dm()->pdmNoMirror;
    s.Show(PX_TAB_OPTION);
    EXPECT_EQ(IsChecked(option, IDC_OPTION_MIRROR), s.dm()->pdmNoMirror == 0)
        << "Option mirror box, pdmNoMirror " << s.dm()->pdmNoMirror;
    EXPECT_TRUE(s.Close(PSBTN_CANCEL));
}

TEST_F(PageRefresh, OkWritesTheWorkingFileWhereTheSheetFoundItEvenWhenItsFolderWent)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    s.Show(PX_TAB_BASIC);
    std::wstring path = s.ctx()->workPath;
    ASSERT_FALSE(path.empty()) << "the Basic page found no working settings path";
    WCHAR found[MAX_PATH] = L"";
    ASSERT_TRUE(GetWorkingSettingsPath(s.printer, found));
    EXPECT_EQ(path, std::wstring(found)) << "the path kept by the sheet";

    // The folder moved away while the sheet is open; put back afterwards.
    std::wstring folder = path.substr(0, path.rfind(L'\\')), away = folder + L".away";
    ASSERT_TRUE(MoveFileW(folder.c_str(), away.c_str())) << "error " << GetLastError();
    EXPECT_TRUE(s.Close(PSBTN_OK));
    bool written = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
    ASSERT_TRUE(MoveFileW(away.c_str(), folder.c_str())) << "the folder could not be put back";
    EXPECT_TRUE(written) << "OK wrote no working settings file after its folder went";
}

// The share of the picture's pixels that are not the button face.
double DrawnShare(HWND picture)
{
    RECT r = {};
    GetClientRect(picture, &r);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    size_t drawn = 0;
    HDC dc = GetDC(picture);
    for (int y = 0; y < r.bottom; y++)
        for (int x = 0; x < r.right; x++)
            drawn += GetPixel(dc, x, y) != face;
    ReleaseDC(picture, dc);
    long all = r.right * r.bottom;
    return all > 0 ? (double)drawn / all : 0;
}

TEST_F(PageRefresh, ThePagePictureIsDrawnWhenItRepaintsAlone)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    HWND page = s.Show(PX_TAB_BASIC);
    ASSERT_NE(page, nullptr);
    // Nothing waits for its paint before the picture repaints alone.
    RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HWND picture = GetDlgItem(page, IDC_SUMMARY_PAGE_PICTURE);
    RedrawWindow(picture, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_GT(DrawnShare(picture), 0.1) << "the page picture was not drawn when it repainted alone";

    EXPECT_TRUE(s.Close(PSBTN_CANCEL));
}

}  // namespace
