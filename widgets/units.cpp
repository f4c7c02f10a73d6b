#include "widgets/units.h"

// c is ten times the result, truncated: round half away from zero on it.
static int32_t RoundTenth(double product)
{
    // Saturated: an out-of-range double has no defined integer conversion.
    if (!(product > -2147483647.0))
        product = -2147483647.0;
    else if (product > 2147483647.0)
        product = 2147483647.0;
    int64_t c = (int64_t)product;
    if (c >= 0)
        return (int32_t)((c % 10 >= 5 ? c + 10 : c) / 10);
    c = -c;
    return (int32_t)-((c % 10 >= 5 ? c + 10 : c) / 10);
}

int32_t InchToMillimetreTenths(int32_t hundredthsOfInch)
{
    return RoundTenth(hundredthsOfInch * 25.4);
}

int32_t MillimetreTenthsToInch(int32_t tenthsOfMillimetre)
{
    return RoundTenth(tenthsOfMillimetre / 254.0 * 1000.0);
}
