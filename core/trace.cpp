#include "core/trace.h"

#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>

#define TRACE_UNKNOWN (-1)

static LONG g_traceState = TRACE_UNKNOWN;

static BOOL TraceEnvironmentSwitch(void)
{
    WCHAR value[8] = {};
    DWORD chars = GetEnvironmentVariableW(L"PXUI_TRACE", value, ARRAYSIZE(value));
    return chars > 0 && chars < ARRAYSIZE(value) && lstrcmpW(value, L"0") != 0;
}

static BOOL TraceRegistrySwitch(void)
{
    DWORD value = 0, bytes = sizeof value;
    LONG status = RegGetValueW(HKEY_CURRENT_USER, L"Software\\ORVEN\\PX-2210", L"Trace",
                               RRF_RT_REG_DWORD, NULL, &value, &bytes);
    return status == ERROR_SUCCESS && value != 0;
}

BOOL TraceEnabled(void)
{
    LONG state = g_traceState;
    if (state == TRACE_UNKNOWN) {
        state = (TraceEnvironmentSwitch() || TraceRegistrySwitch()) ? 1 : 0;
        InterlockedExchange(&g_traceState, state);
    }
    return state == 1;
}

int TraceFormat(WCHAR *line, size_t chars, const char *function, const wchar_t *format,
                va_list args)
{
    if (!line || chars < 2)
        return 0;
    // The last character is kept for the line break.
    size_t room = chars - 1;
    int prefix = swprintf(line, room, L"pxui: %hs: ", function ? function : "?");
    size_t used = prefix < 0 ? 0 : static_cast<size_t>(prefix);
    if (used > room - 1)
        used = room - 1;
    line[used] = 0;
    if (used < room - 1 && format) {
        int text = vswprintf(line + used, room - used, format, args);
        size_t fits = room - used - 1;
        if (text < 0)
            line[used] = 0;  // an unconvertible argument: the prefix alone
        else
            used += static_cast<size_t>(text) < fits ? static_cast<size_t>(text) : fits;
    }
    line[used] = L'\n';
    line[used + 1] = 0;
    return static_cast<int>(used + 1);
}

void TraceWrite(const char *function, const wchar_t *format, ...)
{
    DWORD error = GetLastError();  // tracing never changes what a caller sees
    WCHAR line[PX_TRACE_LINE_CHARS];
    va_list args;
    va_start(args, format);
    TraceFormat(line, ARRAYSIZE(line), function, format, args);
    va_end(args);
    OutputDebugStringW(line);
    SetLastError(error);
}
