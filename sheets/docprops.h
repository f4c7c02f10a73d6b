// The document property entry points without a window: size queries and the
// merged device mode.
#pragma once

#include "core/platform.h"

// Answers a document-properties request that needs no window: sets cbOut,
// returns 4160 for a size query, 1 after copying the merged record when
// fMode asks for it, -1 on failure.
LONG DocumentPropertiesNoUI(DOCUMENTPROPERTYHEADER *header);

// PROPSHEETUI_REASON_GET_INFO_HEADER of both sheets: flags, title, module
// and icon into the header at lParam. 1, or -1 without a header.
LONG FillSheetInfoHeader(LPARAM lParam, WCHAR *title);
