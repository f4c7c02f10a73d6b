// A document sheet of a test printer open in the stand-in host, as the UI
// tests open it again and again: the output record at a guard page filled
// with 0xCC (so a write shows), the sheet's window, first page and thread.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"
#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tools/uihost/hostedsheet.h"

#define PX_TAB_BASIC 0
#define PX_TAB_OPTION 1
#define PX_TAB_SETUP 2

struct OpenSheet {
    PrinterHandle printer;
    Guarded out{4160};
    HostedDocumentSheet sheet;
    HWND window = NULL;
    HWND page = NULL;  // the page shown first
    DWORD thread = 0;
    bool ownStore = false;

    explicit OpenSheet(DWORD mode = DM_COPY, const WCHAR *name = PX_PRINTER);
    ~OpenSheet();
    PageContext *ctx() const { return sheet.Context(); }
    PXDEVMODE *dm() const { return &sheet.Context()->dmCurrent; }
    // Shows the tab (PSM_SETCURSEL) and returns its page.
    HWND Show(int tab);
    // Away from the first page and back: it refills from the record.
    void Revisit();
    // The registered settings store: the Basic page's when it has one,
    // else one made here with the presets (released before the sheet closes).
    void EnsureStore();
    // Presses OK or Cancel; TRUE when the sheet went away.
    bool Close(int button);
};
