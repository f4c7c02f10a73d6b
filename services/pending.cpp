// Spooler-facing entry points whose services are not built yet: they answer
// as an unsupported entry does, so that the spooler can load the module.
#include "core/platform.h"

static void NotYetSupported(void) { SetLastError(ERROR_CALL_NOT_IMPLEMENTED); }

DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD, VOID *, DEVMODEW *)
{
    NotYetSupported();
    return GDI_ERROR;
}

BOOL WINAPI DrvConvertDevMode(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD)
{
    NotYetSupported();
    return FALSE;
}

BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO)
{
    // Nothing is known against the job yet.
    return TRUE;
}
