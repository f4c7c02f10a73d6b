#include "devmode/callerrecord.h"

#include <string.h>

void ReadCallerRecord(const DEVMODEW *caller, CallerRecord *out)
{
    memset(out, 0, sizeof *out);
    if (!caller)
        return;
    WORD size = caller->dmSize;
    if (size < PX_DM_PUBLIC_SIZE)
        return;
    WORD extra = caller->dmDriverExtra;
    size_t declared = (size_t)size + extra;
    if (declared > sizeof out->record)
        declared = sizeof out->record;
    memcpy(&out->record, caller, declared);
    out->usable = TRUE;
    out->fullPrivate = extra >= PX_DM_OLD_DRIVER_EXTRA;
}

const PXDEVMODE *UsableCaller(const CallerRecord *caller)
{
    return caller && caller->usable ? &caller->record : NULL;
}

const PXDEVMODE *FullCaller(const CallerRecord *caller)
{
    return caller && caller->fullPrivate ? &caller->record : NULL;
}
