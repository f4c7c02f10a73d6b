#include "pages/protocol.h"

#include <commctrl.h>

#include "core/module.h"
#include "core/trace.h"
#include "dialogs/currentsettings.h"
#include "pages/picture.h"
#include "pages/summary.h"
#include "resources/ids_controls.h"
#include "resources/ids_dialogs.h"

PageContext *PageContextOf(HWND page)
{
    return reinterpret_cast<PageContext *>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

void CopyOutCurrent(PageContext *ctx)
{
    if ((ctx->mode & DM_COPY) && ctx->dmOut)
        CopyMemory(ctx->dmOut, &ctx->dmCurrent, PX_DM_TOTAL_SIZE);
}

void ShowCurrentSettings(HWND page, PageContext *ctx)
{
    DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_CURRENT_SETTINGS), page,
                    CurrentSettingsProc, (LPARAM)ctx);
}

// The page's controls and summary were all made from dmCurrent as it is now.
static void NoteShown(const PageDescriptor *page, PageContext *ctx)
{
    CopyMemory(&(ctx->*page->shown), &ctx->dmCurrent, sizeof(PXDEVMODE));
}

// Whether the page shows dmCurrent already: nothing it shows changed since
// it was filled (the page keeps its controls in line with its own changes;
// another page's change shows in the record or, for replaced settings, in
// the refresh flag).
static BOOL ShowsCurrent(const PageDescriptor *page, const PageContext *ctx)
{
    return !(ctx->*page->refresh) &&
           memcmp(&(ctx->*page->shown), &ctx->dmCurrent, sizeof(PXDEVMODE)) == 0;
}

static BOOL InitPage(const PageDescriptor *page, HWND dialog, LPARAM lParam)
{
    const PROPSHEETPAGEW *sheetPage = reinterpret_cast<const PROPSHEETPAGEW *>(lParam);
    PageContext *ctx = sheetPage ? reinterpret_cast<PageContext *>(sheetPage->lParam) : NULL;
    // A page made with any other lParam stays empty: it neither reads nor
    // writes what that points to.
    if (!IsLivePageContext(ctx))
        return FALSE;
    SetWindowLongPtrW(dialog, GWLP_USERDATA, (LONG_PTR)ctx);
    if (!page->init(dialog, ctx))
        return FALSE;
    NoteShown(page, ctx);
    return TRUE;
}

static INT_PTR Notify(const PageDescriptor *page, HWND dialog, PageContext *ctx, const NMHDR *nm)
{
    switch (nm->code) {
    case PSN_SETACTIVE:
        // The first activation follows the fill of WM_INITDIALOG, and a
        // tab switch often follows no change at all.
        if (!ShowsCurrent(page, ctx)) {
            ctx->*page->refresh = 0;
            page->fill(dialog, ctx);
            RefreshSummary(dialog, ctx);
            NoteShown(page, ctx);
        }
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return 0;
    case PSN_APPLY: {
        INT_PTR answer = page->apply(dialog, ctx);
        CopyOutCurrent(ctx);
        return answer;
    }
    case PSN_QUERYCANCEL:
        ctx->applied = 0;
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, FALSE);
        return 0;
    case PSN_HELP:
        ShowHelpTopic(dialog, ctx->helpFile, PX_HELP_TOPIC_GENERAL);
        return 0;
    default:
        return 0;
    }
}

static INT_PTR Command(const PageDescriptor *page, HWND dialog, PageContext *ctx, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id == IDC_SUMMARY_CONFIRM) {
        ShowCurrentSettings(dialog, ctx);
        return TRUE;
    }
    return page->command(dialog, ctx, id, HIWORD(wParam));
}

INT_PTR PageProtocol(const PageDescriptor *page, HWND dialog, UINT message, WPARAM wParam,
                     LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return InitPage(page, dialog, lParam);
    PageContext *ctx = PageContextOf(dialog);
    if (!ctx)
        return FALSE;
    INT_PTR answer = FALSE;
    switch (message) {
    case WM_NOTIFY:
        return Notify(page, dialog, ctx, reinterpret_cast<const NMHDR *>(lParam));
    case WM_HELP:
    case WM_CONTEXTMENU:
        ShowHelpTopic(dialog, ctx->helpFile,
                      TopicOfControl(page->help, HelpControlOf(message, wParam, lParam)));
        return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (DrawPictureButton(dialog, (int)wParam, item, ctx))
            return TRUE;
        break;
    }
    case WM_COMMAND:
        return Command(page, dialog, ctx, wParam);
    case WM_DESTROY:
        return TRUE;
    default:
        break;
    }
    if (page->other && page->other(dialog, ctx, message, wParam, lParam, &answer))
        return answer;
    return FALSE;
}
