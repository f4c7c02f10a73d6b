// Counts and times the spooler calls a module makes, by redirecting its
// import table entries for the spooler functions while a trace runs. Used
// to show where the time of an entry point goes; never active while timing.
#pragma once

#include <windows.h>

enum SpoolerFunction {
    SPOOLER_OPEN_PRINTER,
    SPOOLER_CLOSE_PRINTER,
    SPOOLER_GET_PRINTER,
    SPOOLER_GET_PRINTER_DRIVER,
    SPOOLER_ENUM_FORMS,
    SPOOLER_GET_PRINTER_DATA,
    SPOOLER_FUNCTION_COUNT
};

struct SpoolerTally {
    LONG calls[SPOOLER_FUNCTION_COUNT];
    double us[SPOOLER_FUNCTION_COUNT];
};

extern const char *const kSpoolerFunctionNames[SPOOLER_FUNCTION_COUNT];

// Redirects the module's imports; FALSE when none of them could be found.
BOOL StartSpoolerTrace(HMODULE module);
// Puts the original entries back and returns what was counted since start.
SpoolerTally StopSpoolerTrace(void);
