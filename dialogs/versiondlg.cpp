#include "dialogs/versiondlg.h"

#include <commctrl.h>

#include "context/sheetbinding.h"
#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "resources/ids_bitmaps.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"
#include "resources/ids_strings.h"
#include "widgets/bitmapdraw.h"
#include "widgets/controlmap.h"
#include "widgets/controls.h"
#include "widgets/help.h"


static VersionPageContext *VersionContextOf(HWND dialog)
{
    return reinterpret_cast<VersionPageContext *>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

void FormatVersionText(const PrinterInfoRecord *info, WCHAR *text, int chars)
{
    int minor = info->version & 0xFF, major = (info->version >> 8) & 0xFF;
    FormatString(text, chars, IDS_FMT_VERSION, major, minor, L"");
}

static void DataDriverText(UINT id, WCHAR *text)
{
    text[0] = 0;
    DdLoadString(id, text, PX_VERSION_TEXT_CHARS);
    text[PX_VERSION_TEXT_CHARS - 1] = 0;
}

static void FillVersionTexts(HWND dialog, const VersionPageContext *vc)
{
    const PrinterInfoRecord *info = vc->pPrinterInfo;
    WCHAR product[PX_VERSION_TEXT_CHARS], line[PX_VERSION_TEXT_CHARS];
    WCHAR notice1[PX_VERSION_TEXT_CHARS], notice2[PX_VERSION_TEXT_CHARS];
    {
        SheetBindingScope binding(vc->hPrinter);
        DataDriverText(info->versionStringIds[0], product);
        DataDriverText(PX_DATA_DRIVER_LINE_ID, line);
        DataDriverText(info->versionStringIds[1], notice1);
        DataDriverText(info->versionStringIds[2], notice2);
    }
    WCHAR text[PX_TEXT_CHARS];
    FormatString(text, PX_TEXT_CHARS, IDS_FMT_PRODUCT, product, line);
    SetControlText(dialog, IDC_VERSION_PRODUCT, text);
    FormatVersionText(info, text, PX_TEXT_CHARS);
    SetControlText(dialog, IDC_VERSION_NUMBER, text);
    SetControlText(dialog, IDC_VERSION_NOTICE1, notice1);
    SetControlText(dialog, IDC_VERSION_NOTICE2, notice2);
}

static BOOL InitVersionDialog(HWND dialog, LPARAM lParam)
{
    const PROPSHEETPAGEW *page = reinterpret_cast<const PROPSHEETPAGEW *>(lParam);
    VersionPageContext *vc = page ? reinterpret_cast<VersionPageContext *>(page->lParam) : NULL;
    if (!vc || !vc->pPrinterInfo)
        return TRUE;
    SetWindowLongPtrW(dialog, GWLP_USERDATA, (LONG_PTR)vc);
    LabelDialog(dialog, IDD_VERSION, FALSE);
    FillVersionTexts(dialog, vc);
    ShowWindow(ControlOf(dialog, IDOK), vc->inPrinterSheet ? SW_HIDE : SW_SHOW);
    return TRUE;
}

static void DrawVersionPicture(const DRAWITEMSTRUCT *item)
{
    COLORREF text = SetTextColor(item->hDC, RGB(0, 0, 0));
    COLORREF back = SetBkColor(item->hDC, RGB(255, 255, 255));
    StretchModeScope mode(item->hDC, COLORONCOLOR);
    StretchResourceBitmap(item->hDC, IDB_PANEL_MASK, item->rcItem, SRCPAINT);
    StretchResourceBitmap(item->hDC, IDB_PANEL_PICTURE, item->rcItem, SRCAND);
    SetBkColor(item->hDC, back);
    SetTextColor(item->hDC, text);
}

static INT_PTR VersionNotify(HWND dialog, const NMHDR *nm)
{
    VersionPageContext *vc = VersionContextOf(dialog);
    if (nm->code == PSN_HELP) {
        ShowHelpTopic(dialog, vc ? vc->helpFile : NULL, IDH_VERSION);
        return TRUE;
    }
    if (nm->code == PSN_APPLY) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitVersionDialog(dialog, lParam);
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (wParam != IDC_VERSION_PICTURE || !(item->itemAction & ODA_DRAWENTIRE))
            return FALSE;
        DrawVersionPicture(item);
        return TRUE;
    }
    case WM_NOTIFY:
        return VersionNotify(dialog, reinterpret_cast<const NMHDR *>(lParam));
    case WM_COMMAND: {
        VersionPageContext *vc = VersionContextOf(dialog);
        int id = LOWORD(wParam);
        // As a page the sheet owns the window: only the modal dialog ends.
        if ((id == IDOK || id == IDCANCEL) && !(vc && vc->inPrinterSheet)) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    case WM_DESTROY:
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR ShowVersionDialog(HWND owner, VersionPageContext *context)
{
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.lParam = (LPARAM)context;
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_VERSION), owner,
                           VersionDialogProc, (LPARAM)&page);
}
