// What every robustness suite works on: the installed module, open handles
// on the test printers and the records mutations start from.
#pragma once

#include <windows.h>

#include "devmode/devmode.h"
#include "tests/robustness/mutate.h"
#include "tools/moduleexports/moduleexports.h"

// A second printer on the reference data driver, so that stress runs see
// two printers sharing a data driver beside one on another.
#define PX_PRINTER_TWIN L"PX Robustness Twin"

struct WorldPrinter {
    const WCHAR *name;
    bool usable;      // its data driver binds
    HANDLE handle;
};

#define WORLD_SEEDS 4

struct World {
    bool ready;
    ModuleExports exports;
    WorldPrinter *printers;
    int printerCount;
    PXDEVMODE defaults;     // the driver default of the reference printer
    PXDEVMODE merged;       // what an application gets for it
    DEVMODEW publicOnly;    // a record without a private part
    PXDEVMODE noise;        // random bytes
    PXDEVMODE refused;      // merged, with an orientation no job may have
    PXDEVMODE garbage;      // patterned bytes behind a full-size header
    SeedRecord seeds[WORLD_SEEDS];
};

// Set up once per process; ready is false (and a message printed) when the
// module or a printer cannot be reached.
World *TheWorld(void);

// Environment settings of a run: a number, or fallback when unset.
unsigned long EnvNumber(const char *name, unsigned long fallback);
