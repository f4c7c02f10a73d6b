#include "tests/services/driver.h"

#include <winspool.h>

#include "tests/common/printers.h"

#define RESOLVE(field) \
    d.field = reinterpret_cast<decltype(d.field)>( \
        reinterpret_cast<void *>(GetProcAddress(d.module, #field)))

std::wstring BinDir(void)
{
    WCHAR path[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
    while (n > 0 && path[n - 1] != L'\\' && path[n - 1] != L'/')
        n--;
    return std::wstring(path, n);
}

static DriverModule LoadDriver(void)
{
    DriverModule d = {};
    d.module = LoadLibraryW((BinDir() + L"pxui.dll").c_str());
    if (!d.module)
        return d;
    RESOLVE(DrvDeviceCapabilities);
    RESOLVE(DrvConvertDevMode);
    RESOLVE(DevQueryPrintEx);
    RESOLVE(DrvPrinterEvent);
    RESOLVE(DrvQueryColorProfile);
    RESOLVE(DrvDocumentPropertySheets);
    RESOLVE(DrvDocumentProperties);
    RESOLVE(DrvAdvancedDocumentProperties);
    return d;
}

const DriverModule &Driver(void)
{
    static const DriverModule driver = LoadDriver();
    return driver;
}

BOOL AppDevMode(const WCHAR *printer, const DEVMODEW *input, PXDEVMODE *out)
{
    PrinterHandle handle(printer);
    DWORD mode = DM_OUT_BUFFER | (input ? DM_IN_BUFFER : 0);
    return handle.handle &&
           DocumentPropertiesW(NULL, handle, const_cast<WCHAR *>(printer), &out->dm,
                               const_cast<DEVMODEW *>(input), mode) == IDOK;
}
