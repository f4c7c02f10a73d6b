// A document or printer sheet of the module shown in a stand-in for the
// property-sheet host: it collects the pages the sheet adds and the results
// it reports, and shows them with PropertySheetW on a thread of its own or
// on the caller's.
#pragma once

#include <windows.h>

#include <vector>

#include "context/pagecontext.h"
#include "core/platform.h"
#include "tools/uihost/ui.h"

struct HostRecord {
    std::vector<HPROPSHEETPAGE> pages;
    std::vector<LPARAM> results;   // CPSFUNC_SET_RESULT values, in order
    int refuseAddAt = -1;          // the add with this index fails
};

class HostedDocumentSheet {
public:
    // The caption tells sheets open at once on one thread apart.
    HostedDocumentSheet(HANDLE printer, const WCHAR *name, DEVMODEW *out, DWORD mode,
                        const WCHAR *caption = L"hosted");
    ~HostedDocumentSheet();
    // Starts the sheet on its thread; the sheet window, or null.
    HWND Open();
    // Shows the sheet on the calling thread; returns once it has closed.
    void Run();
    // Presses OK or Cancel and waits until the sheet is gone.
    bool Close(int button);
    PageContext *Context() const { return reinterpret_cast<PageContext *>(info_.UserData); }
    HWND sheet = NULL;
    HostRecord host;
    LONG initResult = 0;
    DWORD initError = 0;

private:
    const WCHAR *caption_;
    DOCUMENTPROPERTYHEADER header_ = {};
    PROPSHEETUI_INFO info_ = {};
    UiThread *thread_ = nullptr;
};

// A sheet's PROPSHEETUI_INFO as the stand-in host gives it, for a reason.
PROPSHEETUI_INFO HostedSheetInfo(HostRecord *host, LPARAM header, WORD reason);

// The stand-in's callback, as compstui's PFNCOMPROPSHEET.
LONG_PTR CALLBACK HostComPropSheet(HANDLE host, UINT function, LPARAM lParam1, LPARAM lParam2);

// Shows the pages in a modal property sheet on the calling thread.
INT_PTR ShowHostedPages(const std::vector<HPROPSHEETPAGE> &pages, const WCHAR *caption = L"hosted");
