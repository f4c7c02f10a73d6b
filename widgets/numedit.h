// The numeric edit: a text field holding a fixed-point number (scale 1, 10
// or 100), its parser with the pages' rounding, formatter and clamp, and the
// up-down arrows beside it.
#pragma once

#include <windows.h>
#include <stdint.h>

#define PX_NUMBER_TEXT_CHARS 64

// Reads text as a decimal number scaled by `scale`: 1 when the whole text
// was a number, 0 otherwise; *value gets what was read so far either way.
int ParseNumberText(const WCHAR *text, int scale, int32_t *value);
// "%ld", "%ld.%ld" or "%ld.%02ld" of value for scale 1, 10 or other.
void FormatNumberText(int32_t value, int scale, WCHAR *text, int chars);

// The same on a dialog control.
void FormatNumber(HWND dialog, int id, int32_t value, int scale);
int ParseNumber(HWND dialog, int id, int32_t *value, int scale);
// Parses, clamps into [minimum, maximum], writes the value and the text
// back; 1 only when the text was a number within the bounds.
int ParseClampFormat(HWND dialog, int id, int32_t minimum, int32_t maximum, int32_t *value,
                     int scale);

// Up-down arrows for the edit `id`, child id equal to the edit's.
HWND CreateUpDown(HWND dialog, int id);
// Shows value (scale 1), limits the text to the digits of maximum and sets
// the arrows' range and position.
void SetupNumericEdit(HWND dialog, int id, HWND upDown, int32_t value, int32_t minimum,
                      int32_t maximum);
// EN_CHANGE parses, EN_KILLFOCUS parses and clamps; the value goes to
// *field and the arrows follow. TRUE when the notification was one of them.
BOOL NumericEditCommand(HWND dialog, int id, HWND upDown, WORD notification, int32_t minimum,
                        int32_t maximum, int32_t *field);
// An arrow press: the field takes the position, without wrapping from one
// end of the range to the other; the edit and the arrows show it.
void NumericEditScroll(HWND dialog, int id, HWND upDown, int32_t minimum, int32_t maximum,
                       int32_t *field);
