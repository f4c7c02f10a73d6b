// The driver module as the spooler holds it: the reference printer's
// configuration module, its exports resolved by name. Plus helpers shared by
// the service suites.
#pragma once

#include <windows.h>

#include "core/platform.h"
#include "devmode/devmode.h"
#include "tools/moduleexports/moduleexports.h"

// Loaded once per process and kept, as the spooler keeps it.
const ModuleExports &Driver(void);

// The merged device mode an application gets from DocumentPropertiesW
// (DM_OUT_BUFFER, optionally DM_IN_BUFFER with input). TRUE on IDOK.
BOOL AppDevMode(const WCHAR *printer, const DEVMODEW *input, PXDEVMODE *out);
