#include "devmode/fields.h"

#include <string.h>

namespace {

BOOL InRange(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

// Bit patterns: the user-size series bit; the colour flags and the colour
// process, each a few nibbles of which only certain values are meaningful.
BOOL SizeSeriesValid(uint32_t v) { return (v & PX_SIZE_SERIES_USER) != 0; }

BOOL ColorFlagsValid(uint32_t v)
{
    uint32_t correction = v & PX_COLOR_FLAG_CORRECTION_MASK;
    uint32_t nibble1 = v & PX_COLOR_FLAG_NIBBLE1_MASK, nibble2 = v & PX_COLOR_FLAG_NIBBLE2_MASK;
    return v < PX_COLOR_FLAGS_LIMIT &&
           (correction == PX_COLOR_FLAG_CORRECTION_ON || correction == PX_COLOR_FLAG_CORRECTION_OFF) &&
           (nibble1 == PX_COLOR_FLAG_NIBBLE1_A || nibble1 == PX_COLOR_FLAG_NIBBLE1_B) &&
           (nibble2 == PX_COLOR_FLAG_NIBBLE2_A || nibble2 == PX_COLOR_FLAG_NIBBLE2_B);
}

BOOL ColorProcessValid(uint32_t v)
{
    uint32_t color = v & PX_PROCESS_COLOR_MASK, mono = v & PX_PROCESS_MONO_MASK;
    uint32_t gray = v & PX_PROCESS_GRAY_MASK;
    return v < PX_PROCESS_LIMIT &&
           (color == PX_PROCESS_COLOR_ALTERNATE || color == PX_PROCESS_COLOR ||
            mono == PX_PROCESS_BLACK_WHITE || mono == PX_PROCESS_GRAY_SHADES) &&
           (gray == PX_PROCESS_PATTERN_DITHER || gray == PX_PROCESS_FAST_DIFFUSION ||
            gray == PX_PROCESS_GRAY_COLOR_INKS || gray == PX_PROCESS_GRAY_BLACK_INK);
}

BOOL BitsValid(const DevModeField &field, int64_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    switch (field.id) {
    case PXF_pdmSizeSeries: return SizeSeriesValid(bits);
    case PXF_pdmColorFlags: return ColorFlagsValid(bits);
    case PXF_pdmColorProcess: return ColorProcessValid(bits);
    default: return FALSE;
    }
}

}  // namespace

int64_t FieldValue(const PXDEVMODE *record, const DevModeField &field)
{
    const BYTE *at = reinterpret_cast<const BYTE *>(record) + field.offset;
    switch (field.kind) {
    case FIELD_S8: return static_cast<int8_t>(*at);
    case FIELD_U8: return *at;
    case FIELD_S16: { int16_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_U16: { uint16_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_S32: { int32_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_U32: { uint32_t v; memcpy(&v, at, sizeof v); return v; }
    default: return 0;
    }
}

BOOL ValueWithinBounds(const DevModeField &field, int64_t value)
{
    switch (field.test) {
    case TEST_ANY: return TRUE;
    case TEST_RANGE: return InRange(value, field.low, field.high);
    case TEST_RANGE_OR_ZERO: return value == 0 || InRange(value, field.low, field.high);
    case TEST_EITHER: return value == field.low || value == field.high;
    case TEST_BITS: return BitsValid(field, value);
    }
    return FALSE;
}

BOOL FieldPassesTest(const PXDEVMODE *record, const DevModeField &field)
{
    return ValueWithinBounds(field, FieldValue(record, field));
}
