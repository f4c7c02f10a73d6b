// The module's trace channel: one line per event through OutputDebugStringW,
// seen under Wine with WINEDEBUG=warn+seh (Wine 8 reports debug strings in
// that channel) and with a debugger on Windows. Off unless the environment
// variable PXUI_TRACE is set to a value other than 0, or the registry value
// HKEY_CURRENT_USER\Software\ORVEN\PX-2210 "Trace" (DWORD) is nonzero;
// looked up once per process.
#pragma once

#include <stdarg.h>
#include <windows.h>

#define PX_TRACE_LINE_CHARS 512

BOOL TraceEnabled(void);
// Writes one line; the thread's last error is the same afterwards.
void TraceWrite(const char *function, const wchar_t *format, ...);

// "pxui: function: text\n" into line (chars at least 2), cut to fit and
// always ending with the line break and a NUL. Returns the characters
// written before the NUL.
int TraceFormat(WCHAR *line, size_t chars, const char *function, const wchar_t *format,
                va_list args);

// PX_TRACE(L"printer %p: %ld", printer, result): the function name is added.
// Texts go in with %ls (and 8-bit ones with %hs), never a NULL pointer.
#define PX_TRACE(...)                                   \
    do {                                                \
        if (TraceEnabled())                             \
            TraceWrite(__func__, __VA_ARGS__);          \
    } while (0)

// A printer name for a trace line: never NULL.
inline const WCHAR *TraceText(const WCHAR *text) { return text ? text : L"(none)"; }
