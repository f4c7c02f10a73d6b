// Replacing the whole set of settings of an open document sheet: a loaded
// parameter file merged in, or the driver defaults. Both rebuild the paper
// list and make every page refill from the new settings instead of reading
// its controls back.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// Merges a record loaded from a parameter file into dmCurrent through the
// default builder (without the printer's stored record). FALSE, leaving
// dmCurrent and the paper list as they were, when the merged record cannot
// be built.
BOOL MergeLoadedSettings(PageContext *ctx, const PXDEVMODE *loaded);

// dmCurrent back to the driver default, keeping the units and the
// registered settings store; the store gets the built-in presets again and
// the first of them is applied.
void ResetToDefaults(PageContext *ctx);

// The paper list for dmCurrent's media, size series and user sizes.
void RebuildPaperList(PageContext *ctx);

// All three pages refill when they are next shown.
void RaiseRefreshFlags(PageContext *ctx);
