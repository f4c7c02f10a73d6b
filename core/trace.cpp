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

void TraceWrite(const char *function, const wchar_t *format, ...)
{
    DWORD error = GetLastError();  // tracing never changes what a caller sees
    WCHAR line[512];
    int used = swprintf(line, ARRAYSIZE(line), L"pxui: %hs: ", function);
    if (used < 0)
        used = 0;
    va_list args;
    va_start(args, format);
    int more = vswprintf(line + used, ARRAYSIZE(line) - used - 1, format, args);
    va_end(args);
    if (more < 0)
        line[used] = 0;
    lstrcatW(line, L"\n");
    OutputDebugStringW(line);
    SetLastError(error);
}
