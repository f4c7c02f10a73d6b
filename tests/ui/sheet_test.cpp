// The document and printer sheets as a person meets them: opened, paged
// through, confirmed or cancelled, both in a stand-in host that records
// what the sheet reports and through the platform's own property-sheet host.
#include <gtest/gtest.h>

#include "tests/common/display.h"

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include "core/module.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "sheets/compstui.h"
#include "tests/common/guardpage.h"
#include "tests/common/moduletext.h"
#include "tests/common/printers.h"
#include "tests/ui/pagedriver.h"
#include "tools/moduleexports/moduleexports.h"
#include "tools/uihost/hostedsheet.h"

namespace {

class Sheets : public DisplayTest {};

TEST_F(Sheets, OkReportsOkAndCopiesOutCancelReportsCancelAndLeavesTheBuffer)
{
    for (int button : {PSBTN_OK, PSBTN_CANCEL}) {
        OpenSheet s;
        ASSERT_NE(s.window, nullptr) << "the sheet did not open";
        EXPECT_EQ(3u, s.sheet.host.pages.size());
        ASSERT_TRUE(s.Close(button)) << "the sheet did not close";
        ASSERT_EQ(1u, s.sheet.host.results.size()) << "button " << button;
        const DEVMODEW *dm = s.out.as<DEVMODEW>();
        if (button == PSBTN_OK) {
            EXPECT_EQ(CPSUI_OK, s.sheet.host.results[0]);
            EXPECT_EQ(0x401, dm->dmSpecVersion);
            EXPECT_EQ(3940, dm->dmDriverExtra);
            EXPECT_STREQ(PX_PRINTER, dm->dmDeviceName);
        } else {
            EXPECT_EQ(CPSUI_CANCEL, s.sheet.host.results[0]);
            EXPECT_EQ(0xCCCC, dm->dmSize) << "Cancel must leave the output buffer alone";
            EXPECT_EQ(0xCCCC, dm->dmDriverExtra);
        }
    }
}

TEST_F(Sheets, PagesHaveTheirTitlesAndSummaryAndNoPermissionIsKept)
{
    OpenSheet s(DM_COPY | 0x20);
    HWND window = s.window;
    ASSERT_NE(window, nullptr);
    std::vector<std::wstring> tabs = SheetTabTitles(window);
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(0, s.ctx()->canChange) << "DM_NOPERMISSION";
    const int titles[] = {IDD_BASIC_PAGE, IDD_OPTION_PAGE, IDD_SETUP_PAGE};
    for (int tab = 0; tab < 3; tab++) {
        EXPECT_EQ(tabs[tab], ModuleText(titles[tab])) << "tab " << tab;
        SendMessageW(window, PSM_SETCURSEL, tab, 0);
        HWND page = CurrentSheetPage(window);
        ASSERT_NE(page, nullptr) << "tab " << tab;
        std::wstring scale = ItemText(page, IDC_SUMMARY_SCALE);
        EXPECT_EQ(scale.rfind(L"-> ", 0), 0u) << "tab " << tab << " scale line " << testing::PrintToString(scale);
        EXPECT_FALSE(ItemText(page, IDC_SUMMARY_PAGE_SIZE).empty()) << "tab " << tab;
        EXPECT_EQ(ItemText(page, IDC_SUMMARY_TITLE), ModuleText(IDC_SUMMARY_TITLE)) << "tab " << tab;
        EXPECT_NE(0u, s.ctx()->summaryPicture) << "tab " << tab;
    }
}

TEST_F(Sheets, ResultReasonRefusedByTheDocumentSheetAndCopiedByThePrinterSheet)
{
    PrinterHandle printer(PX_PRINTER);
    DOCUMENTPROPERTYHEADER doc = {};
    doc.cbSize = sizeof doc;
    doc.hPrinter = printer;
    doc.pszPrinterName = const_cast<WCHAR *>(PX_PRINTER);
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.lParamInit = (LPARAM)&doc;
    info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    info.UserData = (ULONG_PTR)&doc;  // any context: the reason is refused before it is used
    SETRESULT_INFO result = {};
    result.cbSize = sizeof result;
    result.Result = CPSUI_OK;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, (LPARAM)&result), -1);

    HostRecord host;
    DEVICEPROPERTYHEADER dev = {};
    dev.cbSize = sizeof dev;
    dev.hPrinter = printer;
    PROPSHEETUI_INFO pinfo = HostedSheetInfo(&host, (LPARAM)&dev, PROPSHEETUI_REASON_INIT);
    ASSERT_EQ(DrvDevicePropertySheets(&pinfo, 0), 1);
    EXPECT_EQ(host.pages.size(), 1u);
    pinfo.Reason = PROPSHEETUI_REASON_SET_RESULT;
    pinfo.Result = 0;
    EXPECT_EQ(DrvDevicePropertySheets(&pinfo, (LPARAM)&result), 1);
    EXPECT_EQ(pinfo.Result, (LRESULT)CPSUI_OK);
    for (HPROPSHEETPAGE page : host.pages)
        DestroyPropertySheetPage(page);
    pinfo.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(DrvDevicePropertySheets(&pinfo, 0), 1);
}

TEST_F(Sheets, APageTheHostRefusesReleasesEverything)
{
    PrinterHandle printer(PX_PRINTER);
    Guarded out(4160);
    for (int refused = 0; refused < 3; refused++) {
        LONG blocks = PxLiveBlocks();
        HostedDocumentSheet sheet(printer, PX_PRINTER, out.as<DEVMODEW>(), DM_COPY);
        sheet.host.refuseAddAt = refused;
        EXPECT_EQ(sheet.Open(), nullptr);
        sheet.Close(PSBTN_CANCEL);
        EXPECT_EQ(sheet.initResult, -1) << "refused page " << refused;
        // The pages the host took are its own to destroy; their release finds no context.
        for (HPROPSHEETPAGE page : sheet.host.pages)
            DestroyPropertySheetPage(page);
        EXPECT_EQ(PxLiveBlocks(), blocks) << "refused page " << refused;
    }
}

TEST_F(Sheets, HelpOnAControlItsArrowsAndTheSheetButton)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    HWND page = s.page;
    StartRecordingHelp();
    PressF1(page, IDC_BASIC_PAGE_SIZE);
    HWND upDown = FindWindowExW(page, NULL, UPDOWN_CLASSW, NULL);
    ASSERT_NE(upDown, nullptr) << "the scale edit has no arrows";
    SendMessageW(page, WM_CONTEXTMENU, (WPARAM)upDown, MAKELPARAM(10, 10));
    NMHDR nm = {s.window, 0, (UINT)PSN_HELP};
    SendMessageW(page, WM_NOTIFY, 0, (LPARAM)&nm);
    std::vector<DWORD_PTR> topics = StopRecordingHelp();
    ASSERT_EQ(topics.size(), 3u);
    EXPECT_EQ(topics[0], 22u) << "page size list";
    EXPECT_EQ(topics[1], 25u) << "the scale's arrows share the edit's topic";
    EXPECT_EQ(topics[2], 1u) << "the sheet's Help button";
}

TEST_F(Sheets, VersionFromTheSetupPageShowsOkAndTheCurrentSettingsListEveryRow)
{
    OpenSheet s;
    ASSERT_NE(s.window, nullptr);
    HWND window = s.window, page = s.Show(PX_TAB_SETUP);
    DWORD thread = s.thread;

    PostClick(page, IDC_SETUP_VERSION);
    HWND version = WaitForDialogOtherThan(thread, window);
    ASSERT_NE(version, nullptr) << "no Version dialog";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(version, IDOK))) << "the modal dialog keeps its OK";
    EXPECT_EQ(WindowText(version), ModuleText(IDD_VERSION));
    EXPECT_TRUE(Dismiss(version, IDOK));

    for (DWORD icm : {(DWORD)DMICMMETHOD_NONE, (DWORD)DMICMMETHOD_SYSTEM}) {
        s.dm()->dm.dmICMMethod = icm;
        PostClick(page, IDC_SUMMARY_CONFIRM);
        HWND current = WaitForDialogOtherThan(thread, window);
        ASSERT_NE(current, nullptr) << "no Current settings dialog";
        HWND list = GetDlgItem(current, IDC_CURRENT_LIST);
        int rows = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
        EXPECT_EQ(rows, icm == DMICMMETHOD_SYSTEM ? 37 : 36) << "colour matching " << icm;
        MINMAXINFO mm = {};
        SendMessageW(current, WM_GETMINMAXINFO, 0, (LPARAM)&mm);
        EXPECT_EQ(mm.ptMinTrackSize.x, 300);
        EXPECT_EQ(mm.ptMinTrackSize.y, 300);
        SetWindowPos(current, NULL, 0, 0, 520, 460, SWP_NOMOVE | SWP_NOZORDER);
        RECT client = {}, listRect = {};
        GetClientRect(current, &client);
        GetWindowRect(list, &listRect);
        EXPECT_EQ(listRect.right - listRect.left, client.right - 16) << "the list follows the width";
        EXPECT_TRUE(Dismiss(current, IDOK));
    }
}

TEST_F(Sheets, PrinterPropertiesShowsTheVersionPageWithoutOk)
{
    PrinterHandle printer(PX_PRINTER);
    BOOL result = FALSE;
    ModuleExports built;
    ASSERT_TRUE(LoadModuleExports(L"pxui.dll", &built));
    auto properties = built.PrinterProperties;
    ASSERT_NE(properties, nullptr) << "pxui.dll beside the test does not export PrinterProperties";
    UiThread thread([&] { result = properties(NULL, printer); });
    HWND window = WaitForWindow(thread.id(), L"#32770");
    ASSERT_NE(window, nullptr) << "no printer sheet";
    std::vector<std::wstring> tabs = SheetTabTitles(window);
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0], ModuleText(IDD_VERSION));
    HWND page = CurrentSheetPage(window);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDOK))) << "the page hides its own OK";
    EXPECT_EQ(ItemText(page, IDC_VERSION_NUMBER), L"Version 1.02");
    EXPECT_FALSE(ItemText(page, IDC_VERSION_PRODUCT).empty());
    PostMessageW(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(thread.Join()) << "the printer sheet did not close";
    EXPECT_TRUE(result) << "OK pressed";
}

// The document sheet fails silently instead: the services suite.
TEST_F(Sheets, PrinterSheetTellsABindingFailure)
{
    const struct { const WCHAR *printer; UINT message; } cases[] = {
        {PX_PRINTER_MISSING, 2580}, {PX_PRINTER_V115, 2581}};
    for (const auto &c : cases) {
        PrinterHandle printer(c.printer);
        HostRecord host;
        DEVICEPROPERTYHEADER dev = {};
        dev.cbSize = sizeof dev;
        dev.hPrinter = printer;
        PROPSHEETUI_INFO info = HostedSheetInfo(&host, (LPARAM)&dev, PROPSHEETUI_REASON_INIT);
        LONG result = 0;
        UiThread thread([&] { result = DrvDevicePropertySheets(&info, 0); });
        HWND box = WaitForWindow(thread.id(), L"#32770");
        ASSERT_NE(box, nullptr) << "no message box for " << testing::PrintToString(std::wstring(c.printer));
        std::wstring text = ItemText(box, 0xFFFF);
        EXPECT_EQ(text, ModuleText(c.message));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(thread.Join());
        EXPECT_EQ(result, -1);
        EXPECT_TRUE(host.pages.empty());
    }
}

}  // namespace

namespace {

TEST(SheetHost, MissingHostLibraryOrEntryFailsAsTheOlderEntryPointsSay)
{
    PrinterHandle printer(PX_PRINTER);
    Guarded out(4160);
    FillMemory(out.buffer.data, 4160, 0xCC);
    WCHAR *name = const_cast<WCHAR *>(PX_PRINTER);
    for (const char *library : {"no-such-host.dll", "kernel32.dll"}) {
        SetCommonPropertySheetLibraryForTesting(library);
        EXPECT_EQ(DrvDocumentProperties(NULL, printer, name, out.as<DEVMODEW>(), NULL,
                                        DM_COPY | DM_PROMPT), -1) << library;
        EXPECT_EQ(DrvAdvancedDocumentProperties(NULL, printer, name, out.as<DEVMODEW>(), NULL), 0)
            << library;
        DWORD result = 7;
        EXPECT_EQ(RunCommonPropertySheetUI(NULL, DrvDevicePropertySheets, 0, &result), -1) << library;
        EXPECT_EQ(result, 7u) << "nothing is stored without a host";
    }
    SetCommonPropertySheetLibraryForTesting(NULL);
    EXPECT_EQ(out.as<DEVMODEW>()->dmSize, 0xCCCC) << "no host, no record written";
}

}  // namespace
