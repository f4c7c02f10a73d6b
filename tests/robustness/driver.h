// The module as the spooler loaded it, and what its answers may be.
#pragma once

#include <windows.h>

#include "core/platform.h"
#include "tools/moduleexports/moduleexports.h"

// A second printer on the reference data driver, so that stress runs see
// two printers sharing a data driver beside one on another.
#define PX_PRINTER_TWIN L"PX Robustness Twin"

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
