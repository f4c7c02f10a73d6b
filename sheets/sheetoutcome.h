// What the user did with a sheet that this module's own entry points
// started (DrvDocumentProperties, DrvAdvancedDocumentProperties,
// PrinterProperties). The result the property-sheet host stores need not
// follow it (Wine's does not), so the sheet's own outcome is kept for the
// entry point, keyed by the header it handed to the host.
#pragma once

#include "core/platform.h"

#define PX_OUTCOME_NONE (-1)

// From now until TakeSheetOutcome, the end of the sheet started with
// `header` is kept. FALSE when every slot is taken: the entry point then
// has only the host's result.
BOOL WatchSheetOutcome(const void *header);

// The sheet started with `header` ends, confirmed (OK) or not; nothing is
// kept for a header nobody watches.
void NoteSheetOutcome(const void *header, BOOL confirmed);

// 1 when the sheet was confirmed, 0 when it was cancelled, PX_OUTCOME_NONE
// when it never ended (it did not start); the header is no longer watched.
LONG TakeSheetOutcome(const void *header);
