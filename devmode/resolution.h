// Resolutions of a device mode: the engine resolution of a quality mode and
// the print resolution reported to Windows.
#pragma once

#include "devmode/devmode.h"

#define PX_RESOLUTION_CHOICES 11  // indexes 0 to 10; 11 is automatic
#define PX_RESOLUTION_NO_LIMIT 9999

// Resolution of a data resolution index (0 to 10), PX_RESOLUTION_NO_LIMIT
// for 11 (automatic) and any index outside 0 to 11.
int ResolutionOfIndex(int index);

// Engine resolution in dpi that a quality-mode id implies (pdmResolution).
int16_t EngineResolution(uint32_t qualityModeId);

// Print resolution in dpi: the data resolution choice, limited by the
// quality mode and, with automatic resolution, by the page size.
int ComputeResolution(const PXDEVMODE *record);

// Stores ComputeResolution in dmPrintQuality and dmYResolution.
void ApplyResolution(PXDEVMODE *record);
