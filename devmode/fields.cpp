#include "devmode/fields.h"

#include <string.h>

namespace {

BOOL InRange(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

// Bit patterns: the user-size series bit; the colour flags and the colour
// process, each a few nibbles of which only certain values are meaningful.
BOOL SizeSeriesValid(uint32_t v) { return (v & PX_SIZE_SERIES_USER) != 0; }

BOOL ColorFlagsValid(uint32_t v)
{
    uint32_t apply = v & 0xF, a = v & 0xF0, b = v & 0xF00;
    return v < 0x8000 && (apply == 1 || apply == 2) && (a == 0x10 || a == 0x40) &&
           (b == 0x100 || b == 0x200);
}

BOOL ColorProcessValid(uint32_t v)
{
    uint32_t mode = v & 0xF, gray = v & 0xF0, render = v & 0xFF00;
    return v < 0x10000 && (mode == 1 || mode == 2 || gray == 0x10 || gray == 0x20) &&
           (render == 0x100 || render == 0x200 || render == 0x1000 || render == 0x2000);
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
