// A caller's device mode as the builder reads it: the declared bytes only,
// copied into a zeroed full-size record, so that short, oversized, foreign
// or damaged records are never read past their declared end.
#pragma once

#include "devmode/devmode.h"

struct CallerRecord {
    PXDEVMODE record;   // the declared bytes, at most 4160; zero beyond
    BOOL usable;        // dmSize is at least 220: its public fields may be read
    BOOL fullPrivate;   // usable and dmDriverExtra is at least 3936
};

// Reads dmSize first and, only when it is at least 220, dmDriverExtra and
// then dmSize + dmDriverExtra bytes (bounded by 4160). A null caller gives
// a record that is neither usable nor full.
void ReadCallerRecord(const DEVMODEW *caller, CallerRecord *out);

// The caller's record when its public fields may be read, else null.
const PXDEVMODE *UsableCaller(const CallerRecord *caller);
// The caller's record when its private fields may be read, else null.
const PXDEVMODE *FullCaller(const CallerRecord *caller);
