// Ties a record's paper to an entry of the paper list built for its media
// source, size series and user sizes.
#pragma once

#include "devmode/callerrecord.h"
#include "devmode/paperlist.h"

// The entry a record asks for, by the fields dmFields declares: paper size
// code, then size (smaller side as width), then form name. A record naming
// no code (0, the code of spooler forms) is looked up by form name before
// size; a standard Windows code the list lacks, on a record without a size
// of its own, by the size the code stands for before the form name.
// Returns the 1-based index, or 0 with out zero-filled.
int FindRecordPaper(const PXDEVMODE *record, const PaperList *list, PaperEntry *out);

// A record's own size within the printer's limits, on the last user-size
// entry of the list (copy in out). Returns its index, or 0 with out
// zero-filled.
int UserSizeFallback(const PrinterInfoRecord *info, const PXDEVMODE *record,
                     const PaperList *list, PaperEntry *out);

// Settles the user sizes, rebuilds the list and writes the chosen entry into
// the record's paper fields. FALSE when no list can be built; the paper
// fields then stay as they were.
BOOL MergePaper(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                HANDLE printer, const PrinterInfoRecord *info, PaperList *list);
