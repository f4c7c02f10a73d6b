// Validation of the private part of a device mode under construction: every
// private field ends with the caller's value when it passes the field's test,
// else the printer's stored value, else the built-in default or a default
// chosen by the data driver. Never fails.
#pragma once

#include "devmode/callerrecord.h"

// target holds the built-in template and the merged public fields. caller
// and stored may be null; stored is only ever a record of this driver's exact
// size. Always TRUE.
BOOL ValidatePrivatePart(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                         const PrinterInfoRecord *info);

// The data driver's default margin when it suits the media source, else the
// first margin that suits it and is of the default's group, else the last
// margin enumerated.
void ChooseMarginForSource(MarginRecord *margin, uint16_t source);
