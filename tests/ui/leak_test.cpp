// Opening and closing the document sheet many times leaves nothing behind:
// GDI and USER objects, heap blocks and handles stay where they started.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "core/module.h"
#include "tests/common/display.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/ui/objectcount.h"
#include "tools/uihost/hostedsheet.h"

namespace {

// Wine answers GetProcessHandleCount with 0: kernel handles are multiples
// of 4, so every value is asked about.
DWORD CountHandles()
{
    DWORD reported = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &reported) && reported)
        return reported;
    DWORD count = 0, flags = 0;
    for (ULONG_PTR h = 4; h < 0x4000; h += 4)
        count += GetHandleInformation((HANDLE)h, &flags) != 0;
    return count;
}

int SheetRounds()
{
    char value[16] = {};
    if (GetEnvironmentVariableA("PX_LEAK_SHEETS", value, sizeof value) > 0)
        return atoi(value);
    return 200;
}

// A printer on a driver with the reference driver's files but no help file,
// so that the sheet's look for the help file comes back empty-handed.
const WCHAR kNoHelp[] = L"PX Test NoHelp";

bool EnsureNoHelpPrinter()
{
    DriverInfo3 reference(PX_PRINTER);
    if (!reference.info->pDriverPath)
        return false;
    DRIVER_INFO_3W info = *reference.info;
    info.pName = const_cast<WCHAR *>(kNoHelp);
    info.pHelpFile = NULL;
    if (!AddPrinterDriverW(NULL, 3, reinterpret_cast<BYTE *>(&info)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return false;
    return EnsurePrinterOnDriver(kNoHelp, kNoHelp);
}

// One sheet in the stand-in host, modeless on this thread: every page
// created, painted and destroyed.
void OpenAndCloseSheet(const WCHAR *name, DEVMODEW *out)
{
    PrinterHandle printer(name);
    HostRecord host;
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof header;
    header.hPrinter = printer;
    header.pszPrinterName = const_cast<WCHAR *>(name);
    header.pdmOut = out;
    header.fMode = DM_COPY;
    PROPSHEETUI_INFO info = HostedSheetInfo(&host, (LPARAM)&header, PROPSHEETUI_REASON_INIT);
    ASSERT_EQ(DrvDocumentPropertySheets(&info, 0), 1);
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
    sheet.hInstance = ModuleInstance();
    sheet.pszCaption = L"leak";
    sheet.nPages = (UINT)host.pages.size();
    sheet.phpage = host.pages.data();
    HWND window = (HWND)PropertySheetW(&sheet);
    ASSERT_NE(window, nullptr);
    for (int tab = 0; tab < 3; tab++) {
        SendMessageW(window, PSM_SETCURSEL, tab, 0);
        UpdateWindow(window);
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    DestroyWindow(window);
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), 1);
}

class SheetLeaks : public DisplayTest {};

TEST_F(SheetLeaks, OpeningAndClosingTheSheetLeavesNothingBehind)
{
    // Every other sheet is of a driver without a help file.
    ASSERT_TRUE(EnsureNoHelpPrinter()) << GetLastError();
    const WCHAR *const printers[] = {PX_PRINTER, kNoHelp};
    Guarded out(4160);
    // The first sheets load libraries, fonts and classes that stay.
    for (int i = 0; i < 3; i++)
        OpenAndCloseSheet(printers[i % 2], out.as<DEVMODEW>());
    ObjectCounts before = CountObjects();
    DWORD handles = CountHandles();
    int rounds = SheetRounds();
    DWORD start = GetTickCount();
    for (int i = 0; i < rounds && !HasFatalFailure(); i++)
        OpenAndCloseSheet(printers[i % 2], out.as<DEVMODEW>());
    ObjectCounts after = CountObjects();
    printf("%d sheets in %lu ms; GDI %lu -> %lu, windows %lu -> %lu, handles %lu -> %lu, blocks %ld -> %ld\n",
           rounds, GetTickCount() - start, before.gdi, after.gdi, before.windows, after.windows,
           handles, CountHandles(), before.blocks, after.blocks);
    ExpectNothingLeft(before);
    EXPECT_LE(CountHandles(), handles + 2) << "handles";
    RemovePrinter(kNoHelp);
    DeletePrinterDriverW(NULL, NULL, const_cast<WCHAR *>(kNoHelp));
}

}  // namespace
