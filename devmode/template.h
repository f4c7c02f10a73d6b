// The driver's built-in defaults: the record a new device mode starts from,
// and the print-mode tables that give each print mode its parameters.
#pragma once

#include "devmode/devmode.h"
#include "devmode/papertypes.h"
#include "devmode/settinglimits.h"

// Public fields the driver sets or reads.
#define PX_DM_FIELDS 0x1814B1Fu
#define PX_DEFAULT_SOURCE 386
#define PX_DEFAULT_RESOLUTION 720
#define PX_SIZE_SERIES_USER 0x80000000u

// Output size choices and the automatic resolution index.
#define PX_OUTPUT_SIZE_SAME 363
#define PX_RESOLUTION_INDEX_AUTO 11

#define PX_PRINT_MODE_COUNT 29
#define PX_PRINT_MODE_COUNT_1281 4

// One row per print mode.
struct PrintModeRow {
    uint16_t qualityModeId;  // key of xRtlQltModeSearch
    uint16_t direction;      // 1 unidirectional, 2 bidirectional
    uint16_t passes;
    uint16_t dotSize;
    uint16_t effect;         // shown when pdmEffect is 33
    uint16_t waveform;
    uint16_t carriageSpeed;
    uint16_t modeNumber;     // carried for the rendering side
};
static_assert(sizeof(PrintModeRow) == 16, "print-mode row");
static_assert(offsetof(PrintModeRow, direction) == 2, "");
static_assert(offsetof(PrintModeRow, passes) == 4, "");
static_assert(offsetof(PrintModeRow, dotSize) == 6, "");
static_assert(offsetof(PrintModeRow, effect) == 8, "");
static_assert(offsetof(PrintModeRow, waveform) == 10, "");
static_assert(offsetof(PrintModeRow, carriageSpeed) == 12, "");
static_assert(offsetof(PrintModeRow, modeNumber) == 14, "");

extern const PrintModeRow kPrintModeTable[PX_PRINT_MODE_COUNT];
// The banner paper type has a table of its own, the roll print-mode table.
extern const PrintModeRow kPrintModeTable1281[PX_PRINT_MODE_COUNT_1281];

// The row of a print mode for a paper type, or null when the mode lies
// outside 0 to 28. The banner paper type reads its own table; its modes beyond
// that table's four rows read the main table.
const PrintModeRow *PrintModeRowFor(uint32_t paperTypeId, int printMode);

// Column 0 to 7 of a row, in the order of the fields above.
uint16_t PrintModeColumn(const PrintModeRow *row, int column);

// The built-in defaults as one complete record. Its public part carries
// dmDriverExtra 3936; builders write 3940.
const PXDEVMODE *BuiltInTemplate(void);

// Zero-fills target and copies the public template to offset 0 and the
// private template to offset 224.
void CopyBuiltInTemplate(PXDEVMODE *target);

// dmMediaType for a paper type id, or 0 when the paper type gives none.
DWORD MediaTypeForPaperType(uint32_t paperTypeId);
