#include "tests/common/sheetopen.h"

#include <commctrl.h>

#include "settings/presets.h"
#include "settings/settingstore.h"
#include "tools/uihost/ui.h"

OpenSheet::OpenSheet(DWORD mode, const WCHAR *name)
    : printer(name), sheet(printer, name, out.as<DEVMODEW>(), mode)
{
    FillMemory(out.buffer.data, out.buffer.size, 0xCC);
    window = sheet.Open();
    if (!window)
        return;
    page = CurrentSheetPage(window);
    thread = GetWindowThreadProcessId(window, NULL);
}

OpenSheet::~OpenSheet()
{
    if (window && IsWindow(window))
        Close(PSBTN_CANCEL);
}

HWND OpenSheet::Show(int tab)
{
    SendMessageW(window, PSM_SETCURSEL, tab, 0);
    return CurrentSheetPage(window);
}

void OpenSheet::Revisit()
{
    Show(PX_TAB_OPTION);
    page = Show(PX_TAB_BASIC);
}

void OpenSheet::EnsureStore()
{
    if (StoreFromDevMode(dm()))
        return;
    ownStore = AllocSettingStore(dm()) != NULL;
    InstallPresets(dm());
}

bool OpenSheet::Close(int button)
{
    // The store made here goes before the pages copy the record out.
    if (ownStore && ctx())
        ReleaseSettingStore(dm());
    ownStore = false;
    bool closed = sheet.Close(button);
    window = NULL;
    return closed;
}
