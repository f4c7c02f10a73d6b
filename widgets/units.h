// Length conversions between the two units the pages show, with the pages'
// rounding: half away from zero on the tenth of the result.
#pragma once

#include <stdint.h>

// Hundredths of an inch to tenths of a millimetre.
int32_t InchToMillimetreTenths(int32_t hundredthsOfInch);
// Tenths of a millimetre to hundredths of an inch (2100 gives 827).
int32_t MillimetreTenthsToInch(int32_t tenthsOfMillimetre);
