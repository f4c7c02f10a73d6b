// The module's exports resolved by name from a loaded pxui.dll: the copy the
// spooler uses as a printer's configuration module, or one given by path.
// Shared by the tests, the benchmark and pxhost, which call the module as
// the spooler does.
#pragma once

#include <windows.h>

#include "core/platform.h"

// Every export of the module, as resources/pxui.def lists them.
#define PX_MODULE_EXPORTS(X)                                                                  \
    X(DrvDeviceCapabilities)                                                                  \
    X(DrvConvertDevMode)                                                                      \
    X(DevQueryPrintEx)                                                                        \
    X(DrvPrinterEvent)                                                                        \
    X(DrvQueryColorProfile)                                                                   \
    X(DrvDocumentPropertySheets)                                                              \
    X(DrvDevicePropertySheets)                                                                \
    X(PrinterProperties)                                                                      \
    X(DrvDocumentProperties)                                                                  \
    X(DrvAdvancedDocumentProperties)

struct ModuleExports {
    HMODULE module;  // one reference of its own, given back by FreeModuleExports
#define PX_EXPORT_FIELD(name) decltype(&::name) name;
    PX_MODULE_EXPORTS(PX_EXPORT_FIELD)
#undef PX_EXPORT_FIELD
};

// Loads the module at path and resolves its exports; an export the module
// lacks stays NULL. FALSE (and nothing held) when it cannot be loaded.
BOOL LoadModuleExports(const WCHAR *path, ModuleExports *exports);

// The same for the printer's configuration module as its driver information
// names it, which is the instance the spooler's own calls reach.
BOOL LoadPrinterModuleExports(const WCHAR *printer, ModuleExports *exports);

// The configuration module's path from the printer's driver information.
BOOL PrinterConfigModulePath(const WCHAR *printer, WCHAR *path, DWORD chars);

// TRUE when every export was found.
BOOL HasEveryExport(const ModuleExports *exports);

void FreeModuleExports(ModuleExports *exports);
