#include "tools/uihost/hostedsheet.h"

#include <windows.h>
#include <commctrl.h>

#include "core/module.h"

LONG_PTR CALLBACK HostComPropSheet(HANDLE host, UINT function, LPARAM lParam1, LPARAM lParam2)
{
    HostRecord *record = reinterpret_cast<HostRecord *>(host);
    if (function == CPSFUNC_ADD_HPROPSHEETPAGE) {
        if ((int)record->pages.size() == record->refuseAddAt)
            return 0;
        record->pages.push_back(reinterpret_cast<HPROPSHEETPAGE>(lParam1));
        return (LONG_PTR)record->pages.size();
    }
    if (function == CPSFUNC_SET_RESULT) {
        record->results.push_back(lParam2);
        return 1;
    }
    return 0;
}

PROPSHEETUI_INFO HostedSheetInfo(HostRecord *host, LPARAM header, WORD reason)
{
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.hComPropSheet = reinterpret_cast<HANDLE>(host);
    info.pfnComPropSheet = HostComPropSheet;
    info.lParamInit = header;
    info.Reason = reason;
    return info;
}

INT_PTR ShowHostedPages(const std::vector<HPROPSHEETPAGE> &pages, const WCHAR *caption)
{
    std::vector<HPROPSHEETPAGE> handles(pages);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hInstance = ModuleInstance();
    header.pszCaption = caption;
    header.nPages = (UINT)handles.size();
    header.phpage = handles.data();
    return PropertySheetW(&header);
}

HostedDocumentSheet::HostedDocumentSheet(HANDLE printer, const WCHAR *name, DEVMODEW *out,
                                         DWORD mode, const WCHAR *caption)
    : caption_(caption)
{
    header_.cbSize = sizeof header_;
    header_.hPrinter = printer;
    header_.pszPrinterName = const_cast<WCHAR *>(name);
    header_.pdmOut = out;
    header_.fMode = mode;
    info_ = HostedSheetInfo(&host, reinterpret_cast<LPARAM>(&header_), PROPSHEETUI_REASON_INIT);
}

void HostedDocumentSheet::Run()
{
    info_.Reason = PROPSHEETUI_REASON_INIT;
    initResult = DrvDocumentPropertySheets(&info_, 0);
    initError = GetLastError();
    if (initResult != 1)
        return;
    ShowHostedPages(host.pages, caption_);
    info_.Reason = PROPSHEETUI_REASON_DESTROY;
    DrvDocumentPropertySheets(&info_, 0);
}

HWND HostedDocumentSheet::Open()
{
    thread_ = new UiThread([this] { Run(); });
    // Either the sheet shows or the start failed and the thread is done.
    WaitUntil([this] {
        sheet = WaitForWindow(thread_->id(), L"#32770", caption_, 0);
        return sheet != NULL || thread_->Join(0);
    });
    return sheet;
}

bool HostedDocumentSheet::Close(int button)
{
    if (!thread_)
        return false;
    if (sheet)
        PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
    return thread_->Join();
}

HostedDocumentSheet::~HostedDocumentSheet() { delete thread_; }
