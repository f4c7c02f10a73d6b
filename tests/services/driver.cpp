#include "tests/services/driver.h"

#include <winspool.h>

#include "tests/common/printers.h"

const ModuleExports &Driver(void)
{
    static const ModuleExports driver = [] {
        ModuleExports exports;
        LoadPrinterModuleExports(PX_PRINTER, &exports);
        return exports;
    }();
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
