#include "widgets/numedit.h"

#include <commctrl.h>
#include <math.h>
#include <stdio.h>

#include "widgets/controlmap.h"

// The fraction's weight steps by the single-precision tenth, as the pages
// always have, so 0.05 reads as 0.0500000007 and rounds up.
static const double kTenth = (double)0.1f;

static char AnsiByte(WCHAR ch)
{
    char bytes[4] = {};
    WideCharToMultiByte(CP_ACP, 0, &ch, 1, bytes, sizeof bytes, NULL, NULL);
    return bytes[0];
}

static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct DecimalReader {
    double value = 0.0;
    double weight = 10.0;
    bool negative = false;
    bool fraction = false;

    void Digit(char c)
    {
        int d = c - '0';
        if (fraction) {
            weight *= kTenth;
            value += d * weight;
        } else {
            value = d + 10.0 * value;
        }
    }
    void EnterFraction()
    {
        fraction = true;
        weight = 1.0;
    }
};

// Reads the characters after the leading blanks; 1 when all were read.
static int ReadDecimal(const WCHAR *text, DecimalReader *r)
{
    char first = AnsiByte(*text);
    if (first == '+' || first == '-' || first == '.') {
        if (first == '-')
            r->negative = true;
        if (first == '.')
            r->EnterFraction();
        text++;
        if (!*text)
            return 0;
    } else if (!IsDigit(first)) {
        return 0;
    }
    for (; *text; text++) {
        char c = AnsiByte(*text);
        if (IsDigit(c))
            r->Digit(c);
        else if (c == '.' && !r->fraction)
            r->EnterFraction();
        else
            return 0;
    }
    return 1;
}

// Saturates instead of converting an out-of-range double, which has no
// defined result.
static int64_t TruncateToInt32(double number)
{
    if (!(number > -2147483648.0))
        return INT32_MIN;
    if (number > 2147483647.0)
        return INT32_MAX;
    return (int32_t)number;
}

static int32_t ScaleAndRound(double number, int scale)
{
    if (scale != 10 && scale != 100)
        scale = 1;
    int64_t c = TruncateToInt32(number * scale * 10);
    if (c % 10 > 4)
        c += 10;
    return (int32_t)(c / 10);
}

int ParseNumberText(const WCHAR *text, int scale, int32_t *value)
{
    *value = 0;
    if (!text)
        return 0;
    while (AnsiByte(*text) == ' ')
        text++;
    if (!*text)
        return 0;
    DecimalReader reader;
    int result = ReadDecimal(text, &reader);
    double number = reader.negative ? reader.value * -1.0 : reader.value;
    *value = ScaleAndRound(number, scale);
    return result;
}

void FormatNumberText(int32_t value, int scale, WCHAR *text, int chars)
{
    const WCHAR *sign = value < 0 ? L"-" : L"";
    // Unsigned magnitude: the most negative value has no signed negation.
    unsigned long m = value < 0 ? 0ul - (unsigned long)(uint32_t)value : (unsigned long)value;
    m &= 0xFFFFFFFFul;
    if (scale == 1)
        _snwprintf(text, chars, L"%ld", (long)value);
    else if (scale == 10)
        _snwprintf(text, chars, L"%ls%lu.%lu", sign, m / 10, m % 10);
    else
        _snwprintf(text, chars, L"%ls%lu.%02lu", sign, m / 100, m % 100);
    text[chars - 1] = 0;
}

void FormatNumber(HWND dialog, int id, int32_t value, int scale)
{
    WCHAR text[PX_NUMBER_TEXT_CHARS];
    FormatNumberText(value, scale, text, PX_NUMBER_TEXT_CHARS);
    SetControlText(dialog, id, text);
}

int ParseNumber(HWND dialog, int id, int32_t *value, int scale)
{
    WCHAR text[PX_NUMBER_TEXT_CHARS] = {};
    HWND edit = ControlOf(dialog, id);
    if (!edit || !GetWindowTextW(edit, text, PX_NUMBER_TEXT_CHARS)) {
        *value = 0;
        return 0;
    }
    return ParseNumberText(text, scale, value);
}

int ParseClampFormat(HWND dialog, int id, int32_t minimum, int32_t maximum, int32_t *value,
                     int scale)
{
    int32_t v = 0;
    int result = ParseNumber(dialog, id, &v, scale);
    if (v < minimum) {
        v = minimum;
        result = 0;
    } else if (v > maximum) {
        v = maximum;
        result = 0;
    }
    *value = v;
    FormatNumber(dialog, id, v, scale);
    return result;
}

#define UPDOWN_STYLE (WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_ARROWKEYS)
static_assert(UPDOWN_STYLE == 0x50800024, "up-down style");

HWND CreateUpDown(HWND dialog, int id)
{
    HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, L"", UPDOWN_STYLE, 0, 0, 8, 8, dialog,
                                  (HMENU)(INT_PTR)id, (HINSTANCE)GetWindowLongPtrW(dialog, GWLP_HINSTANCE),
                                  NULL);
    if (upDown)
        SendMessageW(upDown, UDM_SETBUDDY, (WPARAM)ControlOf(dialog, id), 0);
    return upDown;
}

static int DigitsOf(int32_t maximum)
{
    return maximum > 0 ? (int)log10((double)maximum) + 1 : 1;
}

void SetupNumericEdit(HWND dialog, int id, HWND upDown, int32_t value, int32_t minimum,
                      int32_t maximum)
{
    // Unless the edit shows the value already: setting the same text again
    // sends EN_CHANGE, and with it the page's whole answer to a typed value.
    WCHAR text[PX_NUMBER_TEXT_CHARS];
    FormatNumberText(value, 1, text, PX_NUMBER_TEXT_CHARS);
    UpdateControlText(dialog, id, text);
    SendControl(dialog, id, EM_LIMITTEXT, DigitsOf(maximum), 0);
    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(maximum, minimum));
    SendMessageW(upDown, UDM_SETPOS, 0, MAKELPARAM(value, 0));
}

BOOL NumericEditCommand(HWND dialog, int id, HWND upDown, WORD notification, int32_t minimum,
                        int32_t maximum, int32_t *field)
{
    int32_t value = 0;
    if (notification == EN_KILLFOCUS)
        ParseClampFormat(dialog, id, minimum, maximum, &value, 1);
    else if (notification == EN_CHANGE)
        ParseNumber(dialog, id, &value, 1);
    else
        return FALSE;
    *field = value;
    SendMessageW(upDown, UDM_SETPOS, 0, MAKELPARAM(value, 0));
    return TRUE;
}

void NumericEditScroll(HWND dialog, int id, HWND upDown, int32_t minimum, int32_t maximum,
                       int32_t *field)
{
    int32_t position = LOWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0));
    bool wrappedUp = position == minimum && *field == maximum;
    bool wrappedDown = position == maximum && *field == minimum;
    if (!wrappedUp && !wrappedDown)
        *field = position;
    FormatNumber(dialog, id, *field, 1);
    SendMessageW(upDown, UDM_SETPOS, 0, MAKELPARAM(*field, 0));
}
