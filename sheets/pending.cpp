// Property-sheet entry points whose pages are not built yet: they answer as
// an unsupported entry does, so that the spooler can load the module.
#include "core/platform.h"

static void NotYetSupported(void) { SetLastError(ERROR_CALL_NOT_IMPLEMENTED); }

LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO, LPARAM)
{
    NotYetSupported();
    return -1;
}

BOOL WINAPI PrinterProperties(HWND, HANDLE)
{
    NotYetSupported();
    return FALSE;
}
