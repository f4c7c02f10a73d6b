// Creating the sheets' pages and adding them to compstui, and the Basic
// page's release callback, which reports the document sheet's outcome.
#pragma once

#include "context/pagecontext.h"
#include "core/platform.h"

#define PX_PAGE_TITLE_CHARS 64

struct SheetPageRow {
    int templateId;
    DLGPROC procedure;
    BOOL releaseCallback;  // the Basic page reports the outcome
};

// The document sheet's pages in tab order, and the printer sheet's one.
extern const SheetPageRow kDocumentPages[3];
extern const SheetPageRow kPrinterPages[1];

// Creates a page of the row with lParam and adds it through compstui's
// callback; FALSE when either fails.
BOOL AddSheetPage(const SheetPageRow *row, LPARAM lParam, PFNCOMPROPSHEET pfnComPropSheet,
                  HANDLE hComPropSheet);

// The Basic page's PSPCB_RELEASE: reports CPSUI_OK when the sheet was
// applied, CPSUI_CANCEL otherwise. Always 1.
UINT CALLBACK BasicPageReleaseCallback(HWND window, UINT message, PROPSHEETPAGEW *page);
