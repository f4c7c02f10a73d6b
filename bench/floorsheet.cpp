#include "bench/floorsheet.h"

#include <commctrl.h>

#include "core/platform.h"
#include "core/scope.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"

// The same header and page records as the driver's sheet gives compstui.
#define FLOOR_HEADER_FLAGS (PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE)
#define FLOOR_SHEET_ICON 64082
#define FLOOR_PAGE_FLAGS (PSP_USETITLE | PSP_HASHELP)
#define FLOOR_TITLE_CHARS 64

struct FloorSheet {
    HMODULE module;
    const WCHAR *printer;
    PFNCOMPROPSHEET pfnComPropSheet;
    HANDLE hComPropSheet;
    BOOL applied;
};

// The page record with the header bitmap member the driver's record has.
struct FloorPageRecord {
    PROPSHEETPAGEW page;
    HBITMAP header;
};
static_assert(sizeof(void *) != 4 || sizeof(FloorPageRecord) == 56, "page record");

static FloorSheet *SheetOf(HWND page)
{
    return reinterpret_cast<FloorSheet *>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

static INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

static INT_PTR CALLBACK FloorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<PROPSHEETPAGEW *>(lParam)->lParam);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR *>(lParam)->code == PSN_APPLY && SheetOf(page))
            SheetOf(page)->applied = TRUE;
        return FALSE;
    case WM_COMMAND:
        // The Basic page's button opens the Advanced dialog's template.
        if (LOWORD(wParam) != IDC_BASIC_ADVANCED || !SheetOf(page))
            return FALSE;
        DialogBoxParamW(SheetOf(page)->module, MAKEINTRESOURCEW(IDD_ADVANCED), page,
                        FloorDialogProc, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

// As the driver's Basic page reports the outcome when it is released.
static UINT CALLBACK FloorReleaseCallback(HWND, UINT message, PROPSHEETPAGEW *page)
{
    if (message != PSPCB_RELEASE || !page)
        return 1;
    FloorSheet *sheet = reinterpret_cast<FloorSheet *>(page->lParam);
    sheet->pfnComPropSheet(sheet->hComPropSheet, CPSFUNC_SET_RESULT, 0,
                           sheet->applied ? CPSUI_OK : CPSUI_CANCEL);
    return 1;
}

static BOOL AddFloorPage(FloorSheet *sheet, int templateId, BOOL releaseCallback)
{
    WCHAR title[FLOOR_TITLE_CHARS] = {};
    LoadStringW(sheet->module, templateId, title, FLOOR_TITLE_CHARS);
    FloorPageRecord record = {};
    PROPSHEETPAGEW &page = record.page;
    page.dwSize = sizeof record;
    page.dwFlags = FLOOR_PAGE_FLAGS;
    if (releaseCallback) {
        page.dwFlags |= PSP_USECALLBACK;
        page.pfnCallback = FloorReleaseCallback;
    }
    page.hInstance = sheet->module;
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pfnDlgProc = FloorPageProc;
    page.lParam = reinterpret_cast<LPARAM>(sheet);
    page.pszTitle = title;
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    if (!handle)
        return FALSE;
    if (sheet->pfnComPropSheet(sheet->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, (LPARAM)handle,
                               0))
        return TRUE;
    DestroyPropertySheetPage(handle);
    return FALSE;
}

static LONG StartFloorSheet(PROPSHEETUI_INFO *info, FloorSheet *sheet)
{
    sheet->pfnComPropSheet = info->pfnComPropSheet;
    sheet->hComPropSheet = info->hComPropSheet;
    if (!AddFloorPage(sheet, IDD_BASIC_PAGE, TRUE) || !AddFloorPage(sheet, IDD_OPTION_PAGE, FALSE) ||
        !AddFloorPage(sheet, IDD_SETUP_PAGE, FALSE))
        return -1;
    info->UserData = reinterpret_cast<ULONG_PTR>(sheet);
    info->Result = 0;
    return 1;
}

static LONG WINAPI FloorSheetUI(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    if (!info)
        return -1;
    FloorSheet *sheet = reinterpret_cast<FloorSheet *>(info->lParamInit);
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        return StartFloorSheet(info, sheet);
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        PROPSHEETUI_INFO_HEADER *header = reinterpret_cast<PROPSHEETUI_INFO_HEADER *>(lParam);
        header->Flags = FLOOR_HEADER_FLAGS;
        header->pTitle = const_cast<WCHAR *>(sheet->printer);
        header->hInst = sheet->module;
        header->IconID = FLOOR_SHEET_ICON;
        return 1;
    }
    case PROPSHEETUI_REASON_DESTROY:
        return 1;
    default:
        return -1;
    }
}

typedef LONG(WINAPI *CommonPropertySheetUIFunction)(HWND, PX_PFNPROPSHEETUI, LPARAM, LPDWORD);

LONG ShowFloorSheet(HMODULE module, const WCHAR *printer)
{
    // Loaded and released for each sheet, as the driver does.
    UniqueLibrary compstui(LoadLibraryA("compstui.dll"));
    auto entry = compstui ? (CommonPropertySheetUIFunction)(void *)GetProcAddress(
                                compstui.get(), "CommonPropertySheetUIW")
                          : NULL;
    if (!entry)
        return -1;
    FloorSheet sheet = {module, printer, NULL, NULL, FALSE};
    DWORD result = 0;
    return entry(NULL, FloorSheetUI, reinterpret_cast<LPARAM>(&sheet), &result);
}
