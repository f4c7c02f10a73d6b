// DrvDeviceCapabilities: the answers to DeviceCapabilities, computed afresh
// from the data driver and a device mode built for each call.
#pragma once

#include "core/platform.h"
#include "devmode/paperlist.h"

#define PX_PAPER_NAME_SLOT_CHARS 64
#define PX_PERSONALITY_SLOT_CHARS 32
#define PX_RESOLUTION_CAPACITY 20
#define PX_LAST_DEVCAP 33    // DC_NUP; higher indexes are not supported

// The paper answers (DC_PAPERS, DC_PAPERSIZE, DC_PAPERNAMES, DC_MEDIAREADY)
// from a list: the number of physical papers, each written as one element
// when output is not null. The output-size choices 363-365 are left out.
DWORD EnumeratePaperElements(const PaperList *list, WORD index, void *output);
