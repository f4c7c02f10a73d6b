// Merge of the public fields of a device mode under construction: the
// caller's value when it declares and passes the field's test, else the
// printer's stored value, else the built-in default.
#pragma once

#include "devmode/callerrecord.h"

// target holds the built-in template. caller and stored may be null; stored
// is only ever a record of this driver's exact size.
void MergePublicFields(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                       const PrinterInfoRecord *info);
