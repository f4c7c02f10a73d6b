// The document property entry points without a window: size queries and the
// merged device mode.
#pragma once

#include "core/platform.h"

// Answers a document-properties request that needs no window: sets cbOut,
// returns 4160 for a size query, 1 after copying the merged record when
// fMode asks for it, -1 on failure.
LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER *header);
