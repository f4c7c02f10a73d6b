// What the three document pages do alike: keep the page context, refill on
// activation, copy the record out on apply, help, the picture buttons and
// the Current settings button.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"
#include "pages/pagehelp.h"

struct PageDescriptor {
    int relabelFirst;
    int relabelLast;
    int relabelSkip;                       // the numeric edit, whose text is its value
    const HelpContext *help;
    int32_t PageContext::*refresh;         // the page's refresh flag
    PXDEVMODE PageContext::*shown;         // the record its controls show
    // WM_INITDIALOG after the context is kept; FALSE fails the message.
    BOOL (*init)(HWND page, PageContext *ctx);
    // Refills the controls from dmCurrent; the summary follows.
    void (*fill)(HWND page, PageContext *ctx);
    // The page's own WM_COMMAND work; TRUE when handled.
    BOOL (*command)(HWND page, PageContext *ctx, int id, int code);
    // The page's own PSN_APPLY work before the copy-out; returns the answer.
    INT_PTR (*apply)(HWND page, PageContext *ctx);
    // Any other message the page handles itself (scrolls, WM_USER, owner
    // draw of its own lists); TRUE with *answer set when handled.
    BOOL (*other)(HWND page, PageContext *ctx, UINT message, WPARAM wParam, LPARAM lParam,
                  INT_PTR *answer);
};

// The dialog procedure body of a page.
INT_PTR PageProtocol(const PageDescriptor *page, HWND dialog, UINT message, WPARAM wParam,
                     LPARAM lParam);

// The page context kept on the page, or null.
PageContext *PageContextOf(HWND page);

// dmCurrent to the caller's output record, when the caller asked for a copy.
void CopyOutCurrent(PageContext *ctx);

// The Current settings dialog, modal on the page.
void ShowCurrentSettings(HWND page, PageContext *ctx);

// The dialog procedures of the three pages.
INT_PTR CALLBACK BasicPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SetupPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
