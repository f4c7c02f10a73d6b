// Binding this module to the data driver named by a printer's driver
// information, and the process-wide state that goes with it.
#pragma once

#include "core/ddrecords.h"

// Last-error codes of the binding.
#define PX_ERROR_BIND_FAILED 0x20000001u
#define PX_ERROR_NO_PRINTER_INFO 0x20000002u
#define PX_ERROR_VERSION_REFUSED 0x20000003u

#define PX_SLOT_COUNT 31  // indexed by operation id; 22 of them are used

// Binds the printer's data driver, fills its printer information record and
// checks the interface version. Sets the last error on failure.
BOOL BindAndCheck(HANDLE printer, PrinterInfoRecord *info);

// Loads the printer's data driver unless the same file is loaded already.
BOOL BindDataDriver(HANDLE printer);

// Makes the data driver at `path` the bound one, as a bind of a printer
// naming that file does: a path comparison under the module lock when it is
// loaded already, an unload and a load otherwise. No spooler call.
BOOL BindDataDriverFile(const WCHAR *path);

// A PxAlloc'd copy of the bound data driver's path, or null when none is
// loaded. Taken under the module lock.
WCHAR *CopyBoundDataDriverPath(void);

// Returns the operation's resolved entry point, resolving it on first use;
// null when the data driver does not export it.
FARPROC ResolvedOperation(int id);

// Length of the printer's data file name, 0 when it equals currentPath, -1
// when the driver information cannot be read.
int DataFileLength(HANDLE printer, const WCHAR *currentPath);
// A new GlobalAlloc copy of the printer's data file name, or null.
WCHAR *DataFileCopy(HANDLE printer);

// Introspection for diagnostics and tests.
HMODULE BoundDataDriver(void);
BOOL BoundDataDriverPath(WCHAR *path, size_t chars);
BOOL OperationResolved(int id);
HMODULE BoundDataDriverResources(void);
LONG DataDriverLoadCount(void);
