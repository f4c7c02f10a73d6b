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
#include "widgets/modaldialog.h"


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

// The context arrives as the lParam of a page record (a page's own, or the
// one ShowVersionDialog lays out); without it the dialog stays empty.
static void *ContextOfPageRecord(LPARAM initParam)
{
    const PROPSHEETPAGEW *page = reinterpret_cast<const PROPSHEETPAGEW *>(initParam);
    return page ? reinterpret_cast<void *>(page->lParam) : NULL;
}

static BOOL OpenVersionDialog(HWND dialog, void *param)
{
    const VersionPageContext *vc = static_cast<const VersionPageContext *>(param);
    if (!vc || !vc->pPrinterInfo)
        return TRUE;
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

static BOOL VersionCommand(HWND dialog, void *param, int id, int)
{
    // As a page the sheet owns the window: only the modal dialog ends.
    const VersionPageContext *vc = static_cast<const VersionPageContext *>(param);
    if ((id != IDOK && id != IDCANCEL) || vc->inPrinterSheet)
        return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

static BOOL VersionNotify(HWND dialog, const VersionPageContext *vc, const NMHDR *nm)
{
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

static BOOL VersionOther(HWND dialog, void *param, UINT message, WPARAM wParam, LPARAM lParam,
                         INT_PTR *answer)
{
    const VersionPageContext *vc = static_cast<const VersionPageContext *>(param);
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (wParam != IDC_VERSION_PICTURE || !(item->itemAction & ODA_DRAWENTIRE))
            return FALSE;
        DrawVersionPicture(item);
        break;
    }
    case WM_NOTIFY:
        if (!VersionNotify(dialog, vc, reinterpret_cast<const NMHDR *>(lParam)))
            return FALSE;
        break;
    case WM_COMMAND:
        // Only without a context (the skeleton passes commands with one to
        // VersionCommand): a modal dialog must still end.
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
            return FALSE;
        EndDialog(dialog, LOWORD(wParam));
        break;
    case WM_DESTROY:
        break;
    default:
        return FALSE;
    }
    *answer = TRUE;
    return TRUE;
}

// Help comes through the sheet's PSN_HELP, also for the modal dialog's page
// record: no WM_HELP topic of its own.
static const ModalDialog kVersionDialog = {
    IDD_VERSION, OpenVersionDialog, VersionCommand, NULL, 0, VersionOther, ContextOfPageRecord,
};

INT_PTR CALLBACK VersionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ModalDialogMessage(&kVersionDialog, dialog, message, wParam, lParam);
}

INT_PTR ShowVersionDialog(HWND owner, VersionPageContext *context)
{
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.lParam = (LPARAM)context;
    return RunModalDialog(owner, &kVersionDialog, VersionDialogProc, &page);
}
