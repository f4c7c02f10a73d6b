#include "tests/services/driver.h"

#include <winspool.h>

template <typename T> static T Export(HMODULE module, const char *name)
{
    return reinterpret_cast<T>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

static HMODULE LoadBuiltDriver(void)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
        n--;
    path[n] = 0;
    lstrcatW(path, L"pxui.dll");
    return LoadLibraryW(path);
}

static DriverModule LoadDriver(void)
{
    DriverModule d = {};
    d.module = LoadBuiltDriver();
    if (!d.module)
        return d;
    d.DrvDeviceCapabilities = Export<PFN_DrvDeviceCapabilities>(d.module, "DrvDeviceCapabilities");
    d.DrvConvertDevMode = Export<PFN_DrvConvertDevMode>(d.module, "DrvConvertDevMode");
    d.DevQueryPrintEx = Export<PFN_DevQueryPrintEx>(d.module, "DevQueryPrintEx");
    d.DrvPrinterEvent = Export<PFN_DrvPrinterEvent>(d.module, "DrvPrinterEvent");
    d.DrvQueryColorProfile = Export<PFN_DrvQueryColorProfile>(d.module, "DrvQueryColorProfile");
    d.DrvDocumentPropertySheets =
        Export<PFN_DrvDocumentPropertySheets>(d.module, "DrvDocumentPropertySheets");
    d.DrvDocumentProperties = Export<PFN_DrvDocumentProperties>(d.module, "DrvDocumentProperties");
    d.DrvAdvancedDocumentProperties =
        Export<PFN_DrvAdvancedDocumentProperties>(d.module, "DrvAdvancedDocumentProperties");
    return d;
}

const DriverModule &Driver(void)
{
    static const DriverModule driver = LoadDriver();
    return driver;
}

BOOL AppDevMode(const WCHAR *printer, const DEVMODEW *input, PXDEVMODE *out)
{
    HANDLE handle;
    if (!OpenPrinterW(const_cast<WCHAR *>(printer), &handle, NULL))
        return FALSE;
    DWORD mode = DM_OUT_BUFFER | (input ? DM_IN_BUFFER : 0);
    LONG result = DocumentPropertiesW(NULL, handle, const_cast<WCHAR *>(printer), &out->dm,
                                      const_cast<DEVMODEW *>(input), mode);
    ClosePrinter(handle);
    return result == IDOK;
}
