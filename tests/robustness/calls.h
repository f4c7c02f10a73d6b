// One call of each window-less entry point, its input chosen by a call
// number so that repeated calls walk good and bad printers and records of
// TheWorld(). Used by the leak check (the module's code linked into this
// executable, whose allocation counter it reads) and by the no-window check
// (the installed module).
#pragma once

#include "tools/moduleexports/moduleexports.h"

struct EntryCall {
    const char *name;
    void (*call)(const ModuleExports *entry, unsigned i);
};

extern const EntryCall kEntryCalls[];
extern const int kEntryCallCount;

// The entry points linked into this executable, in ModuleExports form.
ModuleExports LinkedEntryPoints(void);
