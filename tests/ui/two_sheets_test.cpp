// Two document sheets open at once in one process, as an application with
// two document windows or a print server has them: on two threads for two
// printers with different data drivers, and on one thread for one printer.
// Each sheet's pages and its Advanced, colour, ink and user-size dialogs are
// driven through their controls, interleaved with the other sheet's; each
// keeps its own record, store and controls, and both close leaving nothing.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/module.h"
#include "pages/protocol.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "tests/common/records.h"
#include "tests/ui/advanced_helpers.h"
#include "tests/ui/objectcount.h"
#include "tests/ui/pagedriver.h"

namespace {

class TwoSheets : public DisplayTest {};

// One document sheet of the stand-in host under a caption of its own, run
// on whichever thread calls hosted.Run().
struct Sheet {
    Sheet(const WCHAR *printerName, const WCHAR *title)
        : printer(printerName), hosted(printer, printerName, out.as<DEVMODEW>(), DM_COPY, title),
          caption(title)
    {
        FillMemory(out.buffer.data, 4160, 0xCC);
    }
    bool Found(DWORD threadId)
    {
        thread = threadId;
        window = WaitForWindow(thread, L"#32770", caption);
        return window != NULL && hosted.Context() != nullptr;
    }
    HWND Page(int tab)
    {
        SendMessageW(window, PSM_SETCURSEL, tab, 0);
        return CurrentSheetPage(window);
    }
    // A click on `from` that opens a modal dialog owned by `owner`.
    HWND Open(HWND from, int button, HWND owner)
    {
        PostClick(from, button);
        return WaitForDialogOwnedBy(thread, owner);
    }
    bool Close(int button)
    {
        PostMessageW(window, PSM_PRESSBUTTON, button, 0);
        return WaitUntil([this] { return !IsWindow(window); });
    }
    PXDEVMODE *dm() const { return &hosted.Context()->dmCurrent; }
    const PXDEVMODE *output() const { return out.as<PXDEVMODE>(); }

    PrinterHandle printer;
    Guarded out{4160};
    HostedDocumentSheet hosted;
    const WCHAR *caption;
    HWND window = NULL;
    DWORD thread = 0;
};

// The user-size pairs in order, "width x length" each, so that a
// difference shows which pair.
std::string PairsOf(const PXDEVMODE *dm)
{
    std::string pairs;
    for (const PxUserSize &size : dm->pdmUserSizes)
        pairs += std::to_string(size.width) + "x" + std::to_string(size.length) + " ";
    return pairs;
}

// The Option page's arrows step their own sheet's copies.
void StepCopies(Sheet &a, Sheet &b)
{
    HWND optionA = a.Page(PX_TAB_OPTION), optionB = b.Page(PX_TAB_OPTION);
    short copiesA = a.dm()->dm.dmCopies, copiesB = b.dm()->dm.dmCopies;
    PressArrow(optionA, IDC_OPTION_COPIES, true);
    EXPECT_EQ(a.dm()->dm.dmCopies, copiesA + 1) << "A's arrows";
    EXPECT_EQ(b.dm()->dm.dmCopies, copiesB) << "B's copies after A's arrows";
    PressArrow(optionB, IDC_OPTION_COPIES, true);
    PressArrow(optionB, IDC_OPTION_COPIES, true);
    EXPECT_EQ(b.dm()->dm.dmCopies, copiesB + 2) << "B's arrows";
    EXPECT_EQ(a.dm()->dm.dmCopies, copiesA + 1) << "A's copies after B's arrows";
}

// Both User size dialogs open at once and cancelled: each sheet gets its
// own pairs back. B's pairs differ from A's first.
void CancelUserSizes(Sheet &a, Sheet &b)
{
    HWND basicA = a.Page(PX_TAB_BASIC), basicB = b.Page(PX_TAB_BASIC);
    HWND sizeB = b.Open(basicB, IDC_BASIC_USER_SIZE, b.window);
    ASSERT_NE(sizeB, nullptr) << "B's User size dialog";
    TypeInto(sizeB, IDC_USIZE_SHORT, L"300", true);
    ASSERT_TRUE(Dismiss(sizeB, IDOK)) << "B's User size dialog did not close on OK";
    std::string pairsA = PairsOf(a.dm()), pairsB = PairsOf(b.dm());

    HWND sizeA = a.Open(basicA, IDC_BASIC_USER_SIZE, a.window);
    sizeB = b.Open(basicB, IDC_BASIC_USER_SIZE, b.window);
    ASSERT_NE(sizeA, nullptr) << "A's User size dialog";
    ASSERT_NE(sizeB, nullptr) << "B's second User size dialog";
    TypeInto(sizeA, IDC_USIZE_SHORT, L"250", true);
    TypeInto(sizeB, IDC_USIZE_SHORT, L"350", true);
    EXPECT_TRUE(Dismiss(sizeB, IDCANCEL)) << "B's User size dialog did not close on Cancel";
    EXPECT_TRUE(Dismiss(sizeA, IDCANCEL)) << "A's User size dialog did not close on Cancel";
    EXPECT_EQ(PairsOf(a.dm()), pairsA) << "A after Cancel";
    EXPECT_EQ(PairsOf(b.dm()), pairsB) << "B after Cancel";
}

// One adjustment dialog from each Advanced dialog, a value typed in each,
// OK in B's then in A's.
void Adjust(Sheet &a, HWND advA, Sheet &b, HWND advB, int button, int editA, int editB)
{
    HWND dialogA = a.Open(advA, button, advA);
    HWND dialogB = b.Open(advB, button, advB);
    ASSERT_NE(dialogA, nullptr) << "A's adjustment dialog " << button;
    ASSERT_NE(dialogB, nullptr) << "B's adjustment dialog " << button;
    TypeInto(dialogA, editA, L"7", true);
    TypeInto(dialogB, editB, L"-3", true);
    EXPECT_TRUE(Dismiss(dialogB, IDOK)) << "B's adjustment dialog " << button;
    EXPECT_TRUE(Dismiss(dialogA, IDOK)) << "A's adjustment dialog " << button;
}

// Both Advanced dialogs open with their colour and ink dialogs in turn;
// Cancel in B, OK in A.
void AdvancedInTurn(Sheet &a, Sheet &b)
{
    HWND basicA = a.Page(PX_TAB_BASIC), basicB = b.Page(PX_TAB_BASIC);
    a.dm()->pdmSettingIndex = 0;
    b.dm()->pdmSettingIndex = 0;
    ASSERT_NE(SettingRecordAddress(a.dm(), 0), nullptr) << "A's store";
    ASSERT_NE(SettingRecordAddress(b.dm(), 0), nullptr) << "B's store";
    const PrintSetting before = *SettingRecordAddress(a.dm(), 0);
    const PrintSetting beforeB = *SettingRecordAddress(b.dm(), 0);
    int16_t modeB = b.dm()->pdmPrintMode;
    HWND advA = a.Open(basicA, IDC_BASIC_ADVANCED, a.window);
    HWND advB = b.Open(basicB, IDC_BASIC_ADVANCED, b.window);
    ASSERT_NE(advA, nullptr) << "A's Advanced dialog";
    ASSERT_NE(advB, nullptr) << "B's Advanced dialog";
    Pick(advA, IDC_ADV_PRINT_MODE, 2);
    Pick(advB, IDC_ADV_PRINT_MODE, 4);
    LRESULT modeA = ListData(advA, IDC_ADV_PRINT_MODE, 2);
    Adjust(a, advA, b, advB, IDC_ADV_COLOR_ADJUST, IDC_CADJ_CONTRAST_EDIT, IDC_CADJ_BRIGHTNESS_EDIT);
    Adjust(a, advA, b, advB, IDC_ADV_INK_ADJUST, IDC_INK_BLACK_EDIT, IDC_INK_CYAN_EDIT);
    EXPECT_TRUE(Dismiss(advB, IDCANCEL)) << "B's Advanced dialog did not close on Cancel";
    ASSERT_TRUE(Dismiss(advA, IDOK)) << "A's Advanced dialog did not close on OK";

    EXPECT_EQ(a.dm()->pdmSettingIndex, PX_SETTING_INDEX_CURRENT) << "A's setting index";
    EXPECT_EQ(a.dm()->pdmPrintMode, modeA) << "A's print mode";
    const PrintSetting *currentA = SettingRecordAddress(a.dm(), PX_SETTING_CURRENT_SLOT);
    ASSERT_NE(currentA, nullptr);
    EXPECT_EQ(currentA->contrast, 7) << "A's contrast";
    EXPECT_EQ(currentA->blackInk, 7) << "A's black ink";
    EXPECT_EQ(currentA->brightness, before.brightness) << "A's brightness";
    EXPECT_EQ(currentA->cyanInk, before.cyanInk) << "A's cyan ink";
    EXPECT_EQ(b.dm()->pdmSettingIndex, 0) << "B's setting index after Cancel";
    EXPECT_EQ(b.dm()->pdmPrintMode, modeB) << "B's print mode after Cancel";
    EXPECT_TRUE(SamePrintSetting(*SettingRecordAddress(b.dm(), 0), beforeB)) << "B's registered setting 0";
}

// The interleaved run, then OK in B and in A.
void DriveBoth(Sheet &a, Sheet &b)
{
    short copiesA = a.dm()->dm.dmCopies + 1, copiesB = b.dm()->dm.dmCopies + 2;
    StepCopies(a, b);
    CancelUserSizes(a, b);
    std::string pairsA = PairsOf(a.dm()), pairsB = PairsOf(b.dm());
    AdvancedInTurn(a, b);
    int16_t modeA = a.dm()->pdmPrintMode, modeB = b.dm()->pdmPrintMode;
    ASSERT_TRUE(b.Close(PSBTN_OK)) << "B did not close";
    ASSERT_TRUE(a.Close(PSBTN_OK)) << "A did not close";
    ASSERT_EQ(a.hosted.host.results.size(), 1u);
    ASSERT_EQ(b.hosted.host.results.size(), 1u);
    EXPECT_EQ(a.hosted.host.results[0], CPSUI_OK);
    EXPECT_EQ(b.hosted.host.results[0], CPSUI_OK);
    EXPECT_EQ(a.output()->dm.dmCopies, copiesA) << "A's copies out";
    EXPECT_EQ(b.output()->dm.dmCopies, copiesB) << "B's copies out";
    EXPECT_EQ(a.output()->pdmPrintMode, modeA) << "A's print mode out";
    EXPECT_EQ(b.output()->pdmPrintMode, modeB) << "B's print mode out";
    EXPECT_EQ(PairsOf(a.output()), pairsA) << "A out";
    EXPECT_EQ(PairsOf(b.output()), pairsB) << "B out";
}

void OnTwoThreads(const WCHAR *printerA, const WCHAR *printerB)
{
    Sheet a(printerA, L"sheet A"), b(printerB, L"sheet B");
    UiThread threadA([&a] { a.hosted.Run(); });
    UiThread threadB([&b] { b.hosted.Run(); });
    ASSERT_TRUE(a.Found(threadA.id())) << "sheet A did not open";
    ASSERT_TRUE(b.Found(threadB.id())) << "sheet B did not open";
    DriveBoth(a, b);
    EXPECT_TRUE(threadA.Join() && threadB.Join()) << "a sheet's thread did not end";
}

// The second sheet is opened from the first one's message loop, as an
// application's second document window does on the same thread.
Sheet *g_nested;

void CALLBACK OpenNested(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    g_nested->hosted.Run();
}

void OnOneThread(const WCHAR *printer)
{
    Sheet a(printer, L"sheet A"), b(printer, L"sheet B");
    g_nested = &b;
    UiThread thread([&a] {
        SetTimer(NULL, 0, 1, OpenNested);
        a.hosted.Run();
    });
    ASSERT_TRUE(a.Found(thread.id())) << "sheet A did not open";
    ASSERT_TRUE(b.Found(thread.id())) << "sheet B did not open";
    DriveBoth(a, b);
    EXPECT_TRUE(thread.Join()) << "the sheets' thread did not end";
}

TEST_F(TwoSheets, EachSheetKeepsItsOwnRecordStoreAndControls)
{
    // The first run loads the libraries, classes and fonts that stay.
    OnTwoThreads(PX_PRINTER, PX_PRINTER_SECOND);
    // A sheet left hanging makes every later run meaningless.
    if (HasFailure())
        return;
    ObjectCounts before = CountObjects();
    OnTwoThreads(PX_PRINTER, PX_PRINTER_SECOND);
    OnOneThread(PX_PRINTER);
    ExpectNothingLeft(before);
}

TEST_F(TwoSheets, ASheetClosedWhileItsDialogIsOpenLeavesTheOtherAlone)
{
    ObjectCounts before = CountObjects();
    {
        Sheet a(PX_PRINTER, L"sheet A"), b(PX_PRINTER_SECOND, L"sheet B");
        UiThread threadA([&a] { a.hosted.Run(); });
        UiThread threadB([&b] { b.hosted.Run(); });
        ASSERT_TRUE(a.Found(threadA.id()) && b.Found(threadB.id()));
        HWND advA = a.Open(a.Page(PX_TAB_BASIC), IDC_BASIC_ADVANCED, a.window);
        HWND advB = b.Open(b.Page(PX_TAB_BASIC), IDC_BASIC_ADVANCED, b.window);
        ASSERT_TRUE(advA && advB) << "the Advanced dialogs";
        Pick(advB, IDC_ADV_PRINT_MODE, 4);
        PostMessageW(b.window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        Pick(advA, IDC_ADV_PRINT_MODE, 2);
        LRESULT modeA = ListData(advA, IDC_ADV_PRINT_MODE, 2);
        EXPECT_TRUE(Dismiss(advB, IDOK)) << "B's Advanced dialog";
        EXPECT_TRUE(threadB.Join()) << "sheet B did not close after its dialog";
        ASSERT_EQ(b.hosted.host.results.size(), 1u);
        EXPECT_EQ(b.hosted.host.results[0], CPSUI_CANCEL);
        EXPECT_EQ(b.output()->dm.dmSize, 0xCCCC) << "B's output after Cancel";
        ASSERT_TRUE(Dismiss(advA, IDOK)) << "A's Advanced dialog after B closed";
        ASSERT_TRUE(a.Close(PSBTN_OK));
        EXPECT_EQ(a.output()->pdmPrintMode, modeA) << "A's print mode out";
    }
    ExpectNothingLeft(before);
}

// A printer of the reference driver made for the test and deleted while
// its sheet is open.
const WCHAR kDoomed[] = L"PX Two Sheets Doomed";

TEST_F(TwoSheets, APrinterDeletedWhileItsSheetIsOpenLeavesTheOtherAlone)
{
    ASSERT_TRUE(EnsurePrinterOnDriver(kDoomed, PX_PRINTER)) << GetLastError();
    {
        Sheet a(PX_PRINTER, L"sheet A"), d(kDoomed, L"sheet D");
        UiThread threadA([&a] { a.hosted.Run(); });
        UiThread threadD([&d] { d.hosted.Run(); });
        ASSERT_TRUE(a.Found(threadA.id()) && d.Found(threadD.id()));
        short copiesA = a.dm()->dm.dmCopies;
        int16_t modeA = a.dm()->pdmPrintMode;
        HWND advD = d.Open(d.Page(PX_TAB_BASIC), IDC_BASIC_ADVANCED, d.window);
        ASSERT_NE(advD, nullptr);
        EXPECT_TRUE(RemovePrinter(kDoomed)) << GetLastError();
        Pick(advD, IDC_ADV_PRINT_MODE, 3);
        LRESULT modeD = ListData(advD, IDC_ADV_PRINT_MODE, 3);
        HWND color = d.Open(advD, IDC_ADV_COLOR_ADJUST, advD);
        ASSERT_NE(color, nullptr);
        TypeInto(color, IDC_CADJ_CONTRAST_EDIT, L"9", true);
        EXPECT_TRUE(Dismiss(color, IDOK));
        EXPECT_TRUE(Dismiss(advD, IDOK));
        HWND size = d.Open(d.Page(PX_TAB_BASIC), IDC_BASIC_USER_SIZE, d.window);
        ASSERT_NE(size, nullptr);
        EXPECT_TRUE(Dismiss(size, IDOK));
        ASSERT_TRUE(d.Close(PSBTN_OK)) << "the sheet of the deleted printer did not close";
        EXPECT_EQ(d.output()->pdmPrintMode, modeD) << "D's print mode out";
        EXPECT_EQ(a.dm()->dm.dmCopies, copiesA) << "A's copies";
        EXPECT_EQ(a.dm()->pdmPrintMode, modeA) << "A's print mode";
        ASSERT_TRUE(a.Close(PSBTN_CANCEL));
    }
    RemovePrinter(kDoomed);
}

TEST_F(TwoSheets, APageContextFromOutsideIsNeitherUsedNorWritten)
{
    std::vector<BYTE> foreign(sizeof(PageContext), 0);
    const int templates[] = {IDD_BASIC_PAGE, IDD_OPTION_PAGE, IDD_SETUP_PAGE};
    const DLGPROC procedures[] = {BasicPageProc, OptionPageProc, SetupPageProc};
    std::vector<HPROPSHEETPAGE> pages;
    for (int i = 0; i < 3; i++) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof page;
        page.hInstance = ModuleInstance();
        page.pszTemplate = MAKEINTRESOURCEW(templates[i]);
        page.pfnDlgProc = procedures[i];
        page.lParam = (LPARAM)foreign.data();
        pages.push_back(CreatePropertySheetPageW(&page));
        ASSERT_NE(pages.back(), nullptr);
    }
    UiThread thread([&pages] { ShowHostedPages(pages); });
    HWND sheet = WaitForWindow(thread.id(), L"#32770", L"hosted");
    ASSERT_NE(sheet, nullptr);
    for (int tab = 0; tab < 3; tab++)
        SendMessageW(sheet, PSM_SETCURSEL, tab, 0);
    HWND basic = (SendMessageW(sheet, PSM_SETCURSEL, 0, 0), CurrentSheetPage(sheet));
    for (int button : {IDC_BASIC_ADVANCED, IDC_BASIC_USER_SIZE, IDC_SUMMARY_CONFIRM}) {
        PostClick(basic, button);
        EXPECT_EQ(WaitForDialogOwnedBy(thread.id(), sheet, 300), nullptr) << "button " << button;
    }
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_TRUE(thread.Join()) << "the sheet did not close";
    auto written = std::find_if(foreign.begin(), foreign.end(), [](BYTE b) { return b != 0; });
    EXPECT_EQ(written - foreign.begin(), (ptrdiff_t)foreign.size()) << "first offset written in the foreign record";
}

}  // namespace
