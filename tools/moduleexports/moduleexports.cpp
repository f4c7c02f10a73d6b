#include "tools/moduleexports/moduleexports.h"

#include <winspool.h>

#include "core/scope.h"

BOOL LoadModuleExports(const WCHAR *path, ModuleExports *exports)
{
    *exports = ModuleExports();
    HMODULE module = path ? LoadLibraryW(path) : NULL;
    if (!module)
        return FALSE;
    exports->module = module;
#define PX_RESOLVE_EXPORT(name)                                          \
    exports->name = reinterpret_cast<decltype(exports->name)>(           \
        reinterpret_cast<void *>(GetProcAddress(module, #name)));
    PX_MODULE_EXPORTS(PX_RESOLVE_EXPORT)
#undef PX_RESOLVE_EXPORT
    return TRUE;
}

BOOL PrinterConfigModulePath(const WCHAR *printer, WCHAR *path, DWORD chars)
{
    UniquePrinter handle;
    if (!path || chars == 0 || !OpenPrinterW(const_cast<WCHAR *>(printer), handle.put(), NULL))
        return FALSE;
    DWORD needed = 0;
    GetPrinterDriverW(handle.get(), NULL, 2, NULL, 0, &needed);
    UniqueBlock<DRIVER_INFO_2W> info;
    if (needed >= sizeof(DRIVER_INFO_2W))
        info = UniqueBlock<DRIVER_INFO_2W>::Allocate(needed);
    if (!info || !GetPrinterDriverW(handle.get(), NULL, 2, reinterpret_cast<BYTE *>(info.get()),
                                    needed, &needed))
        return FALSE;
    const WCHAR *config = info->pConfigFile;
    if (!config || lstrlenW(config) >= static_cast<int>(chars))
        return FALSE;
    lstrcpynW(path, config, static_cast<int>(chars));
    return TRUE;
}

BOOL LoadPrinterModuleExports(const WCHAR *printer, ModuleExports *exports)
{
    WCHAR path[MAX_PATH];
    *exports = ModuleExports();
    return PrinterConfigModulePath(printer, path, MAX_PATH) && LoadModuleExports(path, exports);
}

BOOL HasEveryExport(const ModuleExports *exports)
{
    BOOL every = exports->module != NULL;
#define PX_CHECK_EXPORT(name) every = every && exports->name != NULL;
    PX_MODULE_EXPORTS(PX_CHECK_EXPORT)
#undef PX_CHECK_EXPORT
    return every;
}

void FreeModuleExports(ModuleExports *exports)
{
    if (exports->module)
        FreeLibrary(exports->module);
    *exports = ModuleExports();
}
