// The resources of the built module: every template creates a dialog with
// its controls laid out without overlap, every control that is relabelled
// finds its string, the list texts are complete, and the bitmaps load with
// the sizes and colours that the drawing code relies on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "core/scope.h"
#include "resources/ids_bitmaps.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "tests/common/paths.h"
#include "tests/common/pixels.h"

namespace {

HMODULE BuiltModule()
{
    static HMODULE module =
        LoadLibraryExW(BesideTest(L"pxui.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

const int kPages[] = {IDD_BASIC_PAGE, IDD_OPTION_PAGE, IDD_SETUP_PAGE};
const int kDialogs[] = {IDD_BASIC_PAGE, IDD_OPTION_PAGE, IDD_SETUP_PAGE, IDD_ADVANCED,
                        IDD_COLOR_ADJUST, IDD_INK_ADJUST, IDD_USER_SIZE, IDD_SIZE_SERIES,
                        IDD_VERSION, IDD_CURRENT_SETTINGS};

std::wstring Text(int id)
{
    WCHAR buffer[512] = {};
    int n = LoadStringW(BuiltModule(), id, buffer, 512);
    return std::wstring(buffer, n > 0 ? n : 0);
}

INT_PTR CALLBACK QuietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

const void *Template(int id)
{
    HRSRC found = FindResourceW(BuiltModule(), MAKEINTRESOURCEW(id), (LPCWSTR)RT_DIALOG);
    if (!found)
        return NULL;
    return LockResource(LoadResource(BuiltModule(), found));
}

// A dialog made from the module's template, destroyed with the scope.
struct TestDialog {
    HWND hwnd;
    explicit TestDialog(int id)
    {
        static bool initialised = [] {
            INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
            return InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)initialised;
        const void *dlg = Template(id);
        hwnd = dlg ? CreateDialogIndirectParamW(GetModuleHandleW(NULL),
                                                (LPCDLGTEMPLATEW)dlg, NULL, QuietProc, 0)
                   : NULL;
    }
    ~TestDialog()
    {
        if (hwnd)
            DestroyWindow(hwnd);
    }
    std::vector<HWND> Children() const
    {
        std::vector<HWND> out;
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            out.push_back(c);
        return out;
    }
};

std::wstring ClassOf(HWND hwnd)
{
    WCHAR name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

bool IsGroupBox(HWND c)
{
    return _wcsicmp(ClassOf(c).c_str(), L"Button") == 0 &&
           (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsPicture(HWND c)
{
    return _wcsicmp(ClassOf(c).c_str(), L"Button") == 0 &&
           (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

RECT RectIn(HWND dialog, HWND c)
{
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// Dialog units become pixels by rounding each coordinate and size on its
// own, so rectangles that meet in dialog units may share one pixel.
bool Inside(const RECT &inner, const RECT &outer)
{
    return inner.left >= outer.left - 1 && inner.top >= outer.top - 1 &&
           inner.right <= outer.right + 1 && inner.bottom <= outer.bottom + 1;
}

bool Overlap(const RECT &a, const RECT &b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) && common.right - common.left > 1 &&
           common.bottom - common.top > 1;
}

// Controls whose text is set from other data when the dialog opens.
bool FilledAtRunTime(int id)
{
    return (id >= IDC_SUMMARY_PAGE_SIZE && id <= IDC_SUMMARY_EFFECT) ||
           (id >= IDC_VERSION_PRODUCT && id <= IDC_VERSION_PICTURE) || id == IDOK ||
           id == IDCANCEL || id == IDC_SUMMARY_FRAME || id == IDC_USIZE_SHORT_UNIT ||
           id == IDC_USIZE_LONG_UNIT;
}

}  // namespace

TEST(DialogTemplates, EveryTemplateCreatesWithDistinctControlsThatNeitherOverlapNorLeaveIt)
{
    ASSERT_TRUE(BuiltModule() != NULL);
    for (int id : kDialogs) {
        SCOPED_TRACE(id);
        TestDialog dialog(id);
        ASSERT_TRUE(dialog.hwnd != NULL) << "template " << id << " does not create";
        RECT client;
        GetClientRect(dialog.hwnd, &client);
        std::vector<HWND> children = dialog.Children();
        std::set<int> ids;
        for (HWND c : children) {
            int cid = GetDlgCtrlID(c);
            EXPECT_TRUE(ids.insert(cid).second) << "control id " << cid << " appears twice";
            EXPECT_TRUE(Inside(RectIn(dialog.hwnd, c), client)) << "control " << cid << " leaves the dialog";
        }
        for (size_t i = 0; i < children.size(); i++) {
            for (size_t j = i + 1; j < children.size(); j++) {
                HWND a = children[i], b = children[j];
                if (IsPicture(a) && IsPicture(b))
                    continue;  // the page picture lies on the panel picture
                RECT ra = RectIn(dialog.hwnd, a), rb = RectIn(dialog.hwnd, b);
                if (!Overlap(ra, rb))
                    continue;
                int ida = GetDlgCtrlID(a), idb = GetDlgCtrlID(b);
                if (IsGroupBox(a) && !IsGroupBox(b))
                    EXPECT_TRUE(Inside(rb, ra)) << idb << " crosses the frame of " << ida;
                else if (IsGroupBox(b) && !IsGroupBox(a))
                    EXPECT_TRUE(Inside(ra, rb)) << ida << " crosses the frame of " << idb;
                else if (IsGroupBox(a) && IsGroupBox(b))
                    EXPECT_TRUE(Inside(ra, rb) || Inside(rb, ra)) << "frames " << ida << " and " << idb;
                else
                    ADD_FAILURE() << "controls " << ida << " and " << idb << " overlap";
            }
        }
    }
}

TEST(DialogTemplates, PagesHaveTheirSizeStyleFontAndTheSummaryPanelInItsTabPlace)
{
    for (int id : kPages) {
        SCOPED_TRACE(id);
        // DLGTEMPLATEEX: version, signature, help id, extended style, style,
        // item count, x, y, cx, cy, then menu, class and title strings.
        const BYTE *t = static_cast<const BYTE *>(Template(id));
        ASSERT_TRUE(t != NULL);
        const WORD *w = reinterpret_cast<const WORD *>(t);
        ASSERT_EQ(w[1], 0xFFFF) << "not an extended template";
        DWORD style;
        memcpy(&style, t + 12, 4);
        EXPECT_EQ(style, 0x80C000C8u);
        const short *box = reinterpret_cast<const short *>(t + 18);
        EXPECT_EQ(box[2], 411) << "width";
        EXPECT_EQ(box[3], 259) << "height";

        TestDialog dialog(id);
        ASSERT_TRUE(dialog.hwnd != NULL);
        std::vector<HWND> children = dialog.Children();
        ASSERT_GE(children.size(), 14u);
        EXPECT_EQ(GetDlgCtrlID(children[0]), IDC_SUMMARY_PAGE_PICTURE);
        EXPECT_EQ(GetDlgCtrlID(children[1]), IDC_SUMMARY_PANEL_PICTURE);
        size_t first_panel = children.size() - 12;
        for (int k = 0; k < 12; k++)
            EXPECT_EQ(GetDlgCtrlID(children[first_panel + k]), IDC_SUMMARY_FRAME + k)
                << "panel control at tab position " << first_panel + k;
        for (HWND c : children) {
            if (IsPicture(c)) {
                EXPECT_FALSE(IsWindowEnabled(c)) << "picture " << GetDlgCtrlID(c) << " is enabled";
            }
        }
        HWND effect = GetDlgItem(dialog.hwnd, IDC_SUMMARY_EFFECT);
        EXPECT_TRUE(GetWindowLongW(effect, GWL_STYLE) & SS_NOPREFIX) << "an & in an effect name would vanish";
    }
}

TEST(DialogTemplates, EachOptionCheckBoxSitsOnTheRowOfTheListItSwitches)
{
    const int rows[][2] = {
        {IDC_OPTION_OVERPRINT, IDC_OPTION_OVERPRINT_COUNT},
        {IDC_OPTION_OVERPRINT_WAIT_ON, IDC_OPTION_OVERPRINT_WAIT},
        {IDC_OPTION_PREHEATER, IDC_OPTION_PREHEATER_TEMP},
        {IDC_OPTION_PLATEN_HEATER, IDC_OPTION_PLATEN_HEATER_TEMP},
        {IDC_OPTION_AFTER_HEATER, IDC_OPTION_AFTER_HEATER_TEMP},
    };
    TestDialog page(IDD_OPTION_PAGE);
    ASSERT_TRUE(page.hwnd != NULL);
    for (const auto &row : rows) {
        RECT check = RectIn(page.hwnd, GetDlgItem(page.hwnd, row[0]));
        RECT list = RectIn(page.hwnd, GetDlgItem(page.hwnd, row[1]));
        LONG middle = (check.top + check.bottom) / 2;
        EXPECT_TRUE(middle >= list.top && middle <= list.bottom)
            << "check box " << row[0] << " at " << middle << ", list " << row[1] << " from "
            << list.top << " to " << list.bottom;
    }
}

TEST(Strings, EveryTitleAndRelabelledControlHasItsString)
{
    for (int id : kDialogs) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Text(id).empty()) << "no title string for template " << id;
        TestDialog dialog(id);
        ASSERT_TRUE(dialog.hwnd != NULL);
        for (HWND c : dialog.Children()) {
            int cid = GetDlgCtrlID(c);
            std::wstring cls = ClassOf(c);
            bool labelled = (_wcsicmp(cls.c_str(), L"Static") == 0 ||
                             _wcsicmp(cls.c_str(), L"Button") == 0) && !IsPicture(c);
            if (labelled && !FilledAtRunTime(cid)) {
                EXPECT_FALSE(Text(cid).empty()) << "control " << cid << " would show no label";
            }
        }
    }
}

TEST(Strings, ListTextsAreCompleteAndFormatsTakeTheirArguments)
{
    const struct { int base, count; const char *list; } lists[] = {
        {IDS_PRINT_MODE_BASE, IDS_PRINT_MODE_COUNT, "print mode"}, {IDS_EFFECT_BASE, 29, "effect"},
        {IDS_RESOLUTION_BASE, 12, "resolution index"}, {IDS_ROTATION_BASE, 5, "rotation"}};
    for (const auto &l : lists)
        for (int i = 0; i < l.count; i++)
            EXPECT_FALSE(Text(l.base + i).empty()) << l.list << " " << i;

    // Heater temperatures: both units name the same Celsius value.
    for (int t = IDS_TEMP_FIRST; t <= IDS_TEMP_LAST; t++) {
        std::wstring c = Text(IDS_TEMP_CELSIUS_BASE + t), f = Text(IDS_TEMP_FAHRENHEIT_BASE + t);
        EXPECT_EQ(_wtoi(c.c_str()), t) << "Celsius text " << IDS_TEMP_CELSIUS_BASE + t;
        EXPECT_EQ(_wtoi(f.c_str()), (9 * t + 160 + 2) / 5) << "Fahrenheit text " << IDS_TEMP_FAHRENHEIT_BASE + t;
        EXPECT_NE(c.find(L"ﾟC"), std::wstring::npos);
        EXPECT_NE(f.find(L"ﾟF"), std::wstring::npos);
    }
    for (int n = 1; n <= 9; n++)
        EXPECT_EQ(_wtoi(Text(IDS_OVERPRINT_COUNT_BASE + n - 1).c_str()), n);
    for (int s = 0; s <= 5; s++)
        EXPECT_EQ(Text(IDS_OVERPRINT_WAIT_BASE + s), std::to_wstring(s) + L" 秒");

    // Line breaks arrive as line breaks, and the formats take the values the
    // pages give them (user32's formatter: %s is a wide string there).
    EXPECT_NE(Text(IDS_MSG_INITIALIZE).find(L'\n'), std::wstring::npos);
    EXPECT_NE(Text(IDS_MSG_USER_SIZE_SWAP).find(L"\n\n"), std::wstring::npos);
    WCHAR line[256];
    wsprintfW(line, Text(IDC_USIZE_SHORT_LABEL).c_str(), 100, 0, 1371, 0, L"mm");
    EXPECT_STREQ(line, L"短辺 (100.0 - 1371.0 mm)");
    wsprintfW(line, Text(IDS_USIZE_LONG_INCH).c_str(), 5, 5, 7086, 61, L"inch");
    EXPECT_STREQ(line, L"長辺 (5.05 - 7086.61 inch)");
    wsprintfW(line, Text(IDC_SUMMARY_PRINT_MODE).c_str(), L"Quality 1");
    EXPECT_STREQ(line, L"作画モード : Quality 1");
    wsprintfW(line, Text(IDS_FMT_SIZE_INCH).c_str(), 1, 5, 11, 69, L"inch");
    EXPECT_STREQ(line, L"1.05 x 11.69 inch");
    wsprintfW(line, Text(IDS_FMT_SCALE).c_str(), 250L);
    EXPECT_STREQ(line, L"-> 250%");
    wsprintfW(line, Text(IDS_FMT_VERSION).c_str(), 1, 5, L"");
    EXPECT_STREQ(line, L"Version 1.05");
}

namespace {

struct Pixels {
    int width = 0, height = 0, bits = 0;
    std::vector<DWORD> argb;  // top row first
    DWORD At(int x, int y) const { return argb[y * width + x] & 0xFFFFFF; }
};

Pixels Read(int id)
{
    Pixels p;
    UniqueBitmap bitmap((HBITMAP)LoadImageW(BuiltModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION));
    if (!bitmap)
        return p;
    DIBSECTION dib = {};
    GetObjectW(bitmap.get(), sizeof(dib), &dib);
    p.width = dib.dsBm.bmWidth;
    p.height = dib.dsBm.bmHeight;
    p.bits = dib.dsBm.bmBitsPixel;
    p.argb = PixelsOf(bitmap.get(), p.width, p.height);
    return p;
}

const DWORD kKeyRed = 0xFF0000, kBlack = 0x000000, kWhite = 0xFFFFFF;

}  // namespace

// Sixteen pictures of one size: the corners show the panel behind (key
// colour), the print shows the tint (black), and no two are the same.
TEST(Bitmaps, PagePicturesShareOneSizeAndAreDistinctWithKeyAndInk)
{
    std::vector<Pixels> pictures;
    for (int base : {IDB_PAGE_PICTURE_FIRST, IDB_PAGE_PICTURE_ROLL_FIRST})
        for (int k = 0; k < 8; k++)
            pictures.push_back(Read(base + k));
    for (size_t i = 0; i < pictures.size(); i++) {
        const Pixels &p = pictures[i];
        int code = (i < 8 ? IDB_PAGE_PICTURE_FIRST : IDB_PAGE_PICTURE_ROLL_FIRST) + (int)(i % 8);
        ASSERT_GT(p.width, 0) << "page picture " << code;
        EXPECT_EQ(p.width, pictures[0].width) << "page picture " << code;
        EXPECT_EQ(p.height, pictures[0].height) << "page picture " << code;
        EXPECT_EQ(p.At(0, 0), kKeyRed) << "top left of " << code;
        EXPECT_EQ(p.At(p.width - 1, p.height - 1), kKeyRed) << "bottom right of " << code;
        size_t ink = std::count_if(p.argb.begin(), p.argb.end(),
                                   [](DWORD v) { return (v & 0xFFFFFF) == kBlack; });
        EXPECT_GT(ink, 100u) << "page picture " << code << " has almost nothing to tint";
        for (size_t j = 0; j < i; j++)
            EXPECT_NE(p.argb, pictures[j].argb) << "page pictures " << code << " and index " << j << " are the same";
    }
}

TEST(Bitmaps, PanelAndWorkBitmapsHaveTheirDepthsAndTheMaskMatchesThePanel)
{
    Pixels page = Read(IDB_PAGE_PICTURE_FIRST), panel = Read(IDB_PANEL_PICTURE), mask = Read(IDB_PANEL_MASK);
    EXPECT_EQ(panel.bits, 24) << "panel picture";
    EXPECT_EQ(mask.bits, 1) << "panel mask";
    EXPECT_EQ(mask.width, panel.width) << "panel mask";
    EXPECT_EQ(mask.height, panel.height) << "panel mask";
    for (int id : {IDB_WORK_MASK_INVERSE, IDB_WORK_MASK}) {
        Pixels work = Read(id);
        EXPECT_EQ(work.bits, 1) << "work bitmap " << id;
        EXPECT_EQ(work.width, page.width) << "work bitmap " << id;
        EXPECT_EQ(work.height, page.height) << "work bitmap " << id;
    }

    // The Version dialog ORs the mask in and ANDs the picture over it: where
    // the mask is clear the picture must be white to let the background show.
    ASSERT_EQ(panel.argb.size(), mask.argb.size());
    size_t opaque = 0, stray = 0;
    for (size_t i = 0; i < mask.argb.size(); i++) {
        bool set = (mask.argb[i] & 0xFFFFFF) == kWhite;
        opaque += set;
        stray += !set && (panel.argb[i] & 0xFFFFFF) != kWhite;
    }
    EXPECT_EQ(stray, 0u) << "picture pixels outside the mask";
    EXPECT_GT(opaque, mask.argb.size() / 4) << "mask covers almost nothing";
}
