// The paper sizes behind the standard Windows paper codes (DMPAPER_*), for
// applications that name a paper by its code alone.
#pragma once

#include <stdint.h>

#include "core/platform.h"

struct StandardPaper {
    uint16_t code;    // DMPAPER_* value
    int32_t width;    // 0.1 mm, as the code defines the sheet (0: no size)
    int32_t length;
};

// Every code from DMPAPER_FIRST to DMPAPER_LAST, in order; the reserved
// codes carry no size.
extern const StandardPaper kStandardPapers[];
extern const int kStandardPaperCount;

// The size of a standard code held upright (the shorter side as width), as
// the paper list holds its entries. FALSE, with nothing written, for 0,
// codes beyond the table and the reserved codes.
BOOL StandardPaperSize(uint16_t code, int32_t *width, int32_t *length);
