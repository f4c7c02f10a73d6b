// The printers measured side by side and the buffers their calls use.
#pragma once

#include <windows.h>

#include "core/platform.h"
#include "tools/moduleexports/moduleexports.h"

#define PAPER_NAME_CHARS 64

struct PrinterTarget {
    const WCHAR *name;
    HANDLE handle;          // open for the whole run, as an application keeps it
    LONG devModeSize;       // DocumentPropertiesW size query
    DEVMODEW *defaults;     // the printer's merged record (DM_OUT_BUFFER)
    DEVMODEW *changed;      // the same with another orientation, for DM_IN_BUFFER
    DEVMODEW *output;
    int paperCount;
    int resolutionCount;
    WORD *papers;
    WCHAR *paperNames;
    LONG *resolutions;
};

// Opens the printer and sizes every buffer from its own answers. FALSE (with
// a message on stderr) when the printer does not answer the size queries.
BOOL OpenTarget(PrinterTarget *target, const WCHAR *name);
void CloseTarget(PrinterTarget *target);
