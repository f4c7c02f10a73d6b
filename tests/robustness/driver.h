// The module as the spooler loaded it, and what its answers may be.
#pragma once

#include <windows.h>

#include "core/platform.h"

// A second printer on the reference data driver, so that stress runs see
// two printers sharing a data driver beside one on another.
#define PX_PRINTER_TWIN L"PX Robustness Twin"

// Entry points of the installed module: the copy the spooler loaded for the
// reference printer, resolved with GetProcAddress (one module instance for
// both the spooler path and the direct calls).
struct DriverExports {
    HMODULE module;
    decltype(&DrvDeviceCapabilities) deviceCapabilities;
    decltype(&DrvConvertDevMode) convertDevMode;
    decltype(&DevQueryPrintEx) devQueryPrintEx;
    decltype(&DrvQueryColorProfile) queryColorProfile;
    decltype(&DrvDocumentPropertySheets) documentPropertySheets;
    decltype(&DrvDocumentProperties) documentProperties;
    decltype(&DrvAdvancedDocumentProperties) advancedDocumentProperties;
    decltype(&DrvPrinterEvent) printerEvent;
};

// Loads the installed module through the spooler; FALSE if any entry point
// is missing.
BOOL LoadInstalledDriver(DriverExports *exports);

// Installs PX_PRINTER_TWIN on the reference printer's driver if missing.
BOOL EnsureTwinPrinter(void);

// Bytes the DeviceCapabilities output of an index takes for `count`
// elements; 0 for indexes that write nothing.
SIZE_T CapabilityOutputBytes(WORD index, DWORD count);

// Checks one DeviceCapabilities answer against the documented ones. count is
// the answer with no output buffer, filled the answer with `out`
// (count × element bytes). usable: the printer's data driver binds.
bool CapabilityAnswerValid(WORD index, DWORD count, DWORD filled, const BYTE *out,
                           bool usable, char *why, size_t whyChars);

// TRUE when text (NUL-terminated, `chars` at most) is the start of one of
// the job messages of the string table, cut as the driver cuts it.
bool IsJobMessagePrefix(const WCHAR *text, size_t chars);
