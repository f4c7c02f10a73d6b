// Whether two records carry the same print settings in their private parts,
// as far as the rendering of a job depends on them.
#pragma once

#include "devmode/devmode.h"

// 1 when the settings that decide the rendering are equal, else 0.
int PrivatePartsEquivalent(const PXDEVMODE *a, const PXDEVMODE *b);
