// A printer on the platform's own PostScript driver, installed beside ours
// in the same prefix so that both are measured in one run.
#pragma once

#include <windows.h>

#define PS_PRINTER L"Bench PostScript"
#define PS_DRIVER L"Bench PostScript Driver"

// Installs the driver and the printer unless the printer exists already.
// Returns ERROR_SUCCESS or the failing step's error.
DWORD EnsurePostScriptPrinter(void);
