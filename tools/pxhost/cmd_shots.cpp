// pxhost shots: a PNG of every page and dialog of the printing preferences
// and of the printer sheet, as the platform's property-sheet host shows them.
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <string>

#include "core/scope.h"
#include "resources/ids_controls.h"
#include "tools/moduleexports/moduleexports.h"
#include "tools/pxhost/commands.h"
#include "tools/uihost/capture.h"
#include "tools/uihost/ui.h"

#define SHOT_SETTLE_MS 600

struct ShotRun {
    std::wstring folder;
    int written;
    int failed;
};

static void Settle(void)
{
    WaitUntil([] { return false; }, SHOT_SETTLE_MS);
}

static void Shoot(ShotRun *run, HWND window, const WCHAR *name)
{
    std::wstring path = run->folder + L"\\" + name + L".png";
    if (window && (Settle(), CaptureWindowPng(window, path.c_str()))) {
        PrintUtf8(L"%ls\n", path.c_str());
        run->written++;
    } else {
        PrintUtf8(L"%ls: not written\n", path.c_str());
        run->failed++;
    }
}

// Opens a modal dialog with a click on the page, shoots it and closes it.
static void ShootModal(ShotRun *run, DWORD thread, HWND sheet, HWND page, int button,
                       const WCHAR *name)
{
    PostClick(page, button);
    HWND dialog = WaitForDialogOtherThan(thread, sheet);
    Shoot(run, dialog, name);
    if (dialog) {
        PostClick(dialog, IDOK);
        WaitUntil([dialog] { return !IsWindow(dialog); });
    }
}

// The Option page with heaters and overprint on, in Celsius; then both
// pages after the units are switched to inches and Fahrenheit.
static void ShootUnits(ShotRun *run, HWND sheet)
{
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND option = CurrentSheetPage(sheet);
    const int boxes[] = {IDC_OPTION_OVERPRINT, IDC_OPTION_PREHEATER, IDC_OPTION_PLATEN_HEATER};
    for (int box : boxes)
        SendMessageW(GetDlgItem(option, box), BM_CLICK, 0, 0);
    ChooseListItem(option, IDC_OPTION_OVERPRINT_COUNT, 1);
    ChooseListItem(option, IDC_OPTION_PREHEATER_TEMP, 11);   // 40 degrees
    ChooseListItem(option, IDC_OPTION_PLATEN_HEATER_TEMP, 16);
    Shoot(run, sheet, L"option-celsius");
    SendMessageW(sheet, PSM_SETCURSEL, 2, 0);
    HWND setup = CurrentSheetPage(sheet);
    ChooseListItem(setup, IDC_SETUP_LENGTH_UNIT, 1);
    ChooseListItem(setup, IDC_SETUP_TEMP_UNIT, 1);
    Shoot(run, sheet, L"setup-inch");
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    Shoot(run, sheet, L"option-fahrenheit");
    SendMessageW(sheet, PSM_SETCURSEL, 2, 0);
}

// The Basic page's own dialogs and states: the size series, the User size
// dialog, and the page with the user size it confirmed.
static void ShootBasicStates(ShotRun *run, DWORD thread, HWND sheet, const WCHAR *suffix)
{
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    HWND page = CurrentSheetPage(sheet);
    std::wstring userSize = std::wstring(L"user-size-dialog") + suffix;
    ShootModal(run, thread, sheet, page, IDC_BASIC_USER_SIZE, userSize.c_str());
    std::wstring chosen = std::wstring(L"basic-user-size") + suffix;
    Shoot(run, sheet, chosen.c_str());
    if (suffix[0])
        return;
    HWND sizes = GetDlgItem(page, IDC_BASIC_PAGE_SIZE);
    LRESULT last = SendMessageW(sizes, CB_GETCOUNT, 0, 0) - 1;
    SendMessageW(sizes, CB_SETCURSEL, last, 0);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BASIC_PAGE_SIZE, CBN_SELCHANGE), (LPARAM)sizes);
    HWND dialog = WaitForDialogOtherThan(thread, sheet);
    Shoot(run, dialog, L"size-series-dialog");
    if (dialog) {
        PostClick(dialog, IDCANCEL);
        WaitUntil([dialog] { return !IsWindow(dialog); });
    }
}
static void ShootAdvanced(ShotRun *run, DWORD thread, HWND sheet);

static void ShootDocumentSheet(ShotRun *run, HANDLE printer, WCHAR *name)
{
    UniqueBlock<DEVMODEW> out = UniqueBlock<DEVMODEW>::Allocate(4160);
    if (!out)
        return;
    UiThread thread([&] {
        DocumentPropertiesW(NULL, printer, name, out.get(), NULL, DM_OUT_BUFFER | DM_PROMPT);
    });
    HWND sheet = WaitForWindow(thread.id(), L"#32770");
    if (!sheet) {
        run->failed++;
        PrintUtf8(L"the printing preferences did not open\n");
        return;
    }
    const WCHAR *tabs[] = {L"basic", L"option", L"setup"};
    for (int i = 0; i < 3; i++) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        Shoot(run, sheet, tabs[i]);
    }
    ShootBasicStates(run, thread.id(), sheet, L"");
    ShootUnits(run, sheet);
    HWND page = CurrentSheetPage(sheet);
    ShootModal(run, thread.id(), sheet, page, IDC_SETUP_VERSION, L"version-dialog");
    ShootModal(run, thread.id(), sheet, page, IDC_SUMMARY_CONFIRM, L"current-settings");
    // The Basic page and its User size dialog after the switch to inches.
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    Shoot(run, sheet, L"basic-inch");
    ShootBasicStates(run, thread.id(), sheet, L"-inch");
    ShootAdvanced(run, thread.id(), sheet);
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    thread.Join();
}

// A setting registered in the Advanced dialog as a person does it: a colour
// mode chosen, a name typed, Add pressed.
static void RegisterShownSetting(HWND dialog, int colorMode, int printMode, const WCHAR *name)
{
    const int lists[][2] = {{IDC_ADV_COLOR_MODE, colorMode}, {IDC_ADV_PRINT_MODE, printMode}};
    for (const auto &list : lists) {
        HWND combo = GetDlgItem(dialog, list[0]);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        ChooseListItem(dialog, list[0], list[1]);
    }
    HWND edit = GetDlgItem(dialog, IDC_ADV_NAME);
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)edit, TRUE);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)name);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADV_NAME, EN_CHANGE), (LPARAM)edit);
    DWORD_PTR ignored;
    SendMessageTimeoutW(GetDlgItem(dialog, IDC_ADV_ADD), BM_CLICK, 0, 0, SMTO_NORMAL, PX_UI_WAIT_MS, &ignored);
}

static void ShootAdjustment(ShotRun *run, DWORD thread, HWND advanced, int button, const WCHAR *name)
{
    PostClick(advanced, button);
    HWND dialog = WaitForDialogOwnedBy(thread, advanced);
    Shoot(run, dialog, name);
    if (dialog) {
        PostClick(dialog, IDCANCEL);
        WaitUntil([dialog] { return !IsWindow(dialog); });
    }
}

// The Advanced dialog from the Basic page's button, with a few settings
// registered and the registered list's popup menu open, and the two
// adjustment dialogs; everything cancelled afterwards.
static void ShootAdvanced(ShotRun *run, DWORD thread, HWND sheet)
{
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    PostClick(CurrentSheetPage(sheet), IDC_BASIC_ADVANCED);
    HWND dialog = WaitForDialogOwnedBy(thread, CurrentSheetPage(sheet), 3000);
    if (!dialog)
        dialog = WaitForDialogOwnedBy(thread, sheet, 1000);
    if (!dialog) {
        run->failed++;
        PrintUtf8(L"the Advanced dialog did not open\n");
        return;
    }
    RegisterShownSetting(dialog, 0, 4, L"\u30dd\u30b9\u30bf\u30fc A0");
    RegisterShownSetting(dialog, 1, 6, L"\u6821\u6b63\u7528 \u30e2\u30ce\u30af\u30ed");
    RegisterShownSetting(dialog, 0, 10, L"\u5c4b\u5916\u30d0\u30ca\u30fc");
    Shoot(run, dialog, L"advanced-dialog");
    HWND list = GetDlgItem(dialog, IDC_ADV_SETTINGS_LIST);
    RECT r = {};
    GetWindowRect(list, &r);
    PostMessageW(dialog, WM_CONTEXTMENU, (WPARAM)list, MAKELPARAM(r.left + 40, r.top + 60));
    HWND menu = WaitForWindow(thread, L"#32768");
    Shoot(run, menu ? dialog : NULL, L"advanced-menu");
    if (menu) {
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitUntil([menu] { return !IsWindowVisible(menu); });
    }
    ShootAdjustment(run, thread, dialog, IDC_ADV_COLOR_ADJUST, L"color-adjust-dialog");
    ShootAdjustment(run, thread, dialog, IDC_ADV_INK_ADJUST, L"ink-adjust-dialog");
    PostClick(dialog, IDCANCEL);
    WaitUntil([dialog] { return !IsWindow(dialog); });
}

typedef BOOL(WINAPI *PFN_PrinterProperties)(HWND, HANDLE);

// The printer's own configuration module, as the spooler would load it.
static void ShootPrinterSheet(ShotRun *run, HANDLE printer, const WCHAR *name)
{
    ModuleExports driver = {};
    if (!LoadPrinterModuleExports(name, &driver) || !driver.PrinterProperties) {
        FreeModuleExports(&driver);
        run->failed++;
        PrintUtf8(L"the printer's configuration module cannot be loaded\n");
        return;
    }
    UiThread thread([&] { driver.PrinterProperties(NULL, printer); });
    HWND sheet = WaitForWindow(thread.id(), L"#32770");
    Shoot(run, sheet, L"printer-version");
    if (sheet)
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    thread.Join();
    FreeModuleExports(&driver);
}

int RunShots(int argc, WCHAR **argv)
{
    if (argc < 2 || argv[1][0] == L'-') {
        PrintUtf8(L"shots: name the folder for the pictures\n");
        return PXHOST_USAGE;
    }
    const WCHAR *name = OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210");
    ShotRun run = {argv[1], 0, 0};
    CreateDirectoryW(run.folder.c_str(), NULL);
    UniquePrinter printer;
    if (!OpenPrinterW(const_cast<WCHAR *>(name), printer.put(), NULL)) {
        PrintUtf8(L"cannot open printer %ls: error %lu\n", name, GetLastError());
        return PXHOST_FAILED;
    }
    ShootDocumentSheet(&run, printer.get(), const_cast<WCHAR *>(name));
    ShootPrinterSheet(&run, printer.get(), name);
    PrintUtf8(L"%d pictures written, %d failed\n", run.written, run.failed);
    return run.failed ? PXHOST_FAILED : PXHOST_OK;
}
