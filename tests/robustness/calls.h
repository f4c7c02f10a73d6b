// One call of each window-less entry point, its input chosen by a call
// number so that repeated calls walk good and bad printers and records.
// Used by the leak check (the module's code linked into this executable,
// whose allocation counter it reads) and by the no-window check (the
// installed module).
#pragma once

#include "tests/robustness/driver.h"

struct CallInputs {
    const DriverExports *entry;
    HANDLE handles[6];
    const WCHAR *names[6];
    bool usable[6];
    DEVMODEW *records[4];   // null, the merged record, a refused job, garbage
    BYTE *output;           // large enough for any answer
    SIZE_T outputSize;
};

struct EntryCall {
    const char *name;
    void (*call)(const CallInputs *in, unsigned i);
};

extern const EntryCall kEntryCalls[];
extern const int kEntryCallCount;

// Opens the printers and makes the records; FALSE when that fails.
BOOL PrepareCallInputs(CallInputs *in, const DriverExports *entry);
void ReleaseCallInputs(CallInputs *in);

// The entry points linked into this executable, in DriverExports form.
DriverExports LinkedEntryPoints(void);
