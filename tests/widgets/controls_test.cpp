// Control look-ups, text updates and radio groups on real windows, and the
// module's bitmaps as the pictures load them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/scope.h"
#include "resources/ids_bitmaps.h"
#include "tests/common/pixels.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/loadbitmap.h"
#include "widgets/numedit.h"

static HWND Child(HWND parent, const wchar_t *cls, int id, DWORD style = 0)
{
    return CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 50, 20, parent,
                           (HMENU)(INT_PTR)id, NULL, NULL);
}

static UniqueWindow Parent(void)
{
    return UniqueWindow(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, NULL, NULL, NULL, NULL));
}

TEST(ControlMap, AnswersAsGetDlgItemWhileControlsComeAndGo)
{
    UniqueWindow dialog = Parent(), other = Parent();
    ASSERT_TRUE(dialog && other);
    HWND edit = Child(dialog.get(), L"EDIT", 100);
    HWND sharer = Child(dialog.get(), L"STATIC", 100);  // as an up-down shares its edit's id
    HWND button = Child(dialog.get(), L"BUTTON", 101);
    HWND foreign = Child(other.get(), L"BUTTON", 101);
    ASSERT_TRUE(edit && sharer && button && foreign);

    int visited = 0;
    VisitControls(dialog.get(), [](HWND, int, void *n) { ++*static_cast<int *>(n); }, &visited);
    EXPECT_EQ(visited, 3) << "children visited";
    EXPECT_EQ(ControlOf(dialog.get(), 100), edit) << "the first child with a shared id";
    EXPECT_EQ(ControlOf(dialog.get(), 101), button);
    EXPECT_EQ(ControlOf(other.get(), 101), foreign) << "the same id on another dialog";
    EXPECT_EQ(ControlOf(dialog.get(), 999), (HWND)NULL) << "an id no child has";
    EXPECT_EQ(ControlOf(NULL, 101), (HWND)NULL);

    DestroyWindow(edit);
    EXPECT_EQ(ControlOf(dialog.get(), 100), sharer) << "after the remembered control went";
    DestroyWindow(button);
    HWND replacement = Child(dialog.get(), L"BUTTON", 101);
    EXPECT_EQ(ControlOf(dialog.get(), 101), replacement) << "a new control with the old id";
}

// WM_SETTEXT counted on one subclassed control at a time.
static int g_setTexts;
static WNDPROC g_countedProc;

static LRESULT CALLBACK CountSetText(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        g_setTexts++;
    return CallWindowProcW(g_countedProc, window, message, wParam, lParam);
}

TEST(ControlMap, TextIsSetOnlyWhenItChanges)
{
    UniqueWindow dialog = Parent();
    HWND label = Child(dialog.get(), L"STATIC", 200);
    ASSERT_TRUE(label);
    g_countedProc = (WNDPROC)SetWindowLongPtrW(label, GWLP_WNDPROC, (LONG_PTR)CountSetText);
    g_setTexts = 0;
    UpdateControlText(dialog.get(), 200, L"");
    EXPECT_EQ(g_setTexts, 0) << "an empty label set to empty";
    UpdateControlText(dialog.get(), 200, L"210.0 x 297.0 mm");
    UpdateControlText(dialog.get(), 200, L"210.0 x 297.0 mm");
    EXPECT_EQ(g_setTexts, 1) << "the same line twice";
    SetControlText(dialog.get(), 200, L"210.0 x 297.0 mm");
    EXPECT_EQ(g_setTexts, 2) << "a set that must repaint always sets";
    WCHAR text[64] = {};
    GetWindowTextW(label, text, 64);
    EXPECT_STREQ(text, L"210.0 x 297.0 mm");
}

static BOOL HasTabStop(HWND dialog, int id)
{
    return (GetWindowLongW(ControlOf(dialog, id), GWL_STYLE) & WS_TABSTOP) != 0;
}

TEST(ControlMap, RadioGroupKeepsOneChecked)
{
    UniqueWindow dialog = Parent();
    // As a template gives them: unchecked, each a tab stop.
    for (int id = 300; id <= 302; id++)
        ASSERT_TRUE(Child(dialog.get(), L"BUTTON", id, BS_AUTORADIOBUTTON | WS_TABSTOP));
    CheckRadioControl(dialog.get(), 300, 302, 301);
    for (int id = 300; id <= 302; id++) {
        EXPECT_EQ(IsControlChecked(dialog.get(), id), id == 301) << "button " << id;
        EXPECT_EQ(HasTabStop(dialog.get(), id), id == 301)
            << "button " << id << ": only the checked one is a tab stop, as BM_SETCHECK leaves them";
    }
    CheckRadioControl(dialog.get(), 300, 302, 302);
    EXPECT_TRUE(IsControlChecked(dialog.get(), 302)) << "the last button of the group";
    EXPECT_FALSE(IsControlChecked(dialog.get(), 301)) << "the former choice is cleared";
}

// Reports the first pixel where two bitmaps of one size differ.
static void ExpectSamePixels(int id, HBITMAP ours, HBITMAP reference, int width, int height)
{
    std::vector<DWORD> a = PixelsOf(ours, width, height);
    std::vector<DWORD> b = PixelsOf(reference, width, height);
    for (size_t i = 0; i < a.size(); i++) {
        if ((a[i] & 0xffffff) != (b[i] & 0xffffff)) {
            ADD_FAILURE() << "bitmap " << id << " pixel " << i % width << "," << i / width << ": "
                          << std::hex << a[i] << " against " << b[i];
            return;
        }
    }
}

static void ExpectSamePicture(HINSTANCE module, int id, int bitsPerPixel)
{
    UniqueBitmap loaded(LoadResourceBitmap(module, id));
    UniqueBitmap reference(LoadBitmapW(module, MAKEINTRESOURCEW(id)));
    ASSERT_TRUE(loaded && reference) << "bitmap " << id;
    BITMAP a = {}, b = {};
    GetObjectW(loaded.get(), sizeof a, &a);
    GetObjectW(reference.get(), sizeof b, &b);
    EXPECT_EQ(a.bmWidth, b.bmWidth) << "width of bitmap " << id;
    EXPECT_EQ(a.bmHeight, b.bmHeight) << "height of bitmap " << id;
    if (bitsPerPixel == 1)
        EXPECT_EQ(a.bmBitsPixel, 1) << "a one-bit resource stays monochrome";
    else
        EXPECT_GT(a.bmBitsPixel, 1) << "bits per pixel of colour bitmap " << id;
    ExpectSamePixels(id, loaded.get(), reference.get(), a.bmWidth, a.bmHeight);
}

static int g_resets, g_redrawPauses;
static WNDPROC g_comboProc;

static LRESULT CALLBACK CountRefills(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CB_RESETCONTENT)
        g_resets++;
    if (message == WM_SETREDRAW && !wParam)
        g_redrawPauses++;
    return CallWindowProcW(g_comboProc, window, message, wParam, lParam);
}

struct ListEntry {
    const wchar_t *text;
    LPARAM data;
};

static void Refill(HWND dialog, int id, const std::vector<ListEntry> &entries, LPARAM select)
{
    ListRefill refill(dialog, id);
    for (const ListEntry &e : entries)
        AddItem(dialog, id, e.text, e.data);
    SelectItemByData(dialog, id, select);
}

// The list's entries as "text=data" joined by commas, and its selection.
static std::wstring Shown(HWND list)
{
    std::wstring shown;
    LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        wchar_t text[64] = {};
        SendMessageW(list, CB_GETLBTEXT, i, (LPARAM)text);
        shown += std::wstring(i ? L"," : L"") + text + L"=" +
                 std::to_wstring(SendMessageW(list, CB_GETITEMDATA, i, 0));
    }
    return shown + L" @" + std::to_wstring(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

TEST(ListRefill, LeavesAListWithItsOwnEntriesAloneAndRefillsAChangedOne)
{
    UniqueWindow dialog = Parent();
    ASSERT_TRUE(dialog);
    HWND list = Child(dialog.get(), L"COMBOBOX", 300, CBS_DROPDOWNLIST | WS_VSCROLL);
    ASSERT_TRUE(list);
    g_comboProc = (WNDPROC)SetWindowLongPtrW(list, GWLP_WNDPROC, (LONG_PTR)CountRefills);
    const std::vector<ListEntry> three = {{L"A4", 1}, {L"A3", 2}, {L"B2", 3}};

    Refill(dialog.get(), 300, three, 2);
    EXPECT_EQ(Shown(list), L"A4=1,A3=2,B2=3 @1") << "first fill";
    EXPECT_EQ(g_resets, 1) << "an empty list is emptied first, as before";

    g_resets = g_redrawPauses = 0;
    Refill(dialog.get(), 300, three, 2);
    EXPECT_EQ(Shown(list), L"A4=1,A3=2,B2=3 @1") << "the same entries again";
    EXPECT_EQ(g_resets, 0) << "a list refilled with its own entries is not emptied";
    EXPECT_EQ(g_redrawPauses, 0) << "nor repainted";

    Refill(dialog.get(), 300, {{L"A4", 1}, {L"A3", 2}, {L"B2", 3}, {L"B1", 4}}, 4);
    EXPECT_EQ(Shown(list), L"A4=1,A3=2,B2=3,B1=4 @3") << "an entry added at the end";
    Refill(dialog.get(), 300, {{L"A4", 1}, {L"A3", 9}, {L"B2", 3}}, 3);
    EXPECT_EQ(Shown(list), L"A4=1,A3=9,B2=3 @2") << "the data of an entry changed";
    Refill(dialog.get(), 300, {{L"A4", 1}}, 1);
    EXPECT_EQ(Shown(list), L"A4=1 @0") << "the list shortened";
    Refill(dialog.get(), 300, {{L"C5", 7}, {L"A4", 1}}, 1);
    EXPECT_EQ(Shown(list), L"C5=7,A4=1 @1") << "a new first entry";
    EXPECT_EQ(g_resets, 1) << "only the change of the first entry empties the list";

    g_resets = 0;
    {
        ListRefill refill(dialog.get(), 300);
    }
    EXPECT_EQ(Shown(list), L" @-1") << "a refill without entries";
    SetWindowLongPtrW(list, GWLP_WNDPROC, (LONG_PTR)g_comboProc);
}

TEST(NumericEdit, SetUpAgainWithTheValueItShowsLeavesTheEditAlone)
{
    UniqueWindow dialog = Parent();
    HWND edit = Child(dialog.get(), L"EDIT", 400, WS_VISIBLE);
    ASSERT_TRUE(edit);
    g_countedProc = (WNDPROC)SetWindowLongPtrW(edit, GWLP_WNDPROC, (LONG_PTR)CountSetText);
    HWND upDown = CreateUpDown(dialog.get(), 400);
    ASSERT_TRUE(upDown);
    g_setTexts = 0;
    SetupNumericEdit(dialog.get(), 400, upDown, 100, 10, 1000);
    SetupNumericEdit(dialog.get(), 400, upDown, 100, 10, 1000);
    EXPECT_EQ(g_setTexts, 1) << "the same value twice: its text set once";
    SetupNumericEdit(dialog.get(), 400, upDown, 250, 10, 1000);
    EXPECT_EQ(g_setTexts, 2) << "another value";
    WCHAR text[16] = {};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"250");
    EXPECT_EQ(LOWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0)), 250) << "the arrows' position";
}

TEST(ResourceBitmaps, AreLoadBitmapsPicturesMadeWithoutTheDisplay)
{
    HINSTANCE module = GetModuleHandleW(NULL);
    ExpectSamePicture(module, IDB_PANEL_PICTURE, 24);
    ExpectSamePicture(module, IDB_PAGE_PICTURE_FIRST, 8);
    ExpectSamePicture(module, IDB_PANEL_MASK, 1);
    ExpectSamePicture(module, IDB_WORK_MASK, 1);
    EXPECT_EQ(LoadResourceBitmap(module, 31999).get(), (HBITMAP)NULL) << "a missing resource";

    UniqueBitmap picture(LoadResourceBitmap(module, IDB_SETTING_COLOR));
    UniqueBitmap copy(CopyColorBitmap(picture.get()));
    ASSERT_TRUE(copy);
    BITMAP info = {};
    GetObjectW(picture.get(), sizeof info, &info);
    ExpectSamePixels(IDB_SETTING_COLOR, copy.get(), picture.get(), info.bmWidth, info.bmHeight);
}
