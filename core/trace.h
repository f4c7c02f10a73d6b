// The module's trace channel: one line per event through OutputDebugStringW,
// seen with WINEDEBUG=+debugstr under Wine or a debugger on Windows. Off
// unless the environment variable PXUI_TRACE is set to a value other than 0,
// or the registry value HKEY_CURRENT_USER\Software\ORVEN\PX-2210 "Trace"
// (DWORD) is nonzero; looked up once per process.
#pragma once

#include <windows.h>

BOOL TraceEnabled(void);
void TraceWrite(const char *function, const wchar_t *format, ...);

// PX_TRACE(L"printer %p: %ld", printer, result): the function name is added.
#define PX_TRACE(...)                                   \
    do {                                                \
        if (TraceEnabled())                             \
            TraceWrite(__func__, __VA_ARGS__);          \
    } while (0)
