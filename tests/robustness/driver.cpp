#include "tests/robustness/driver.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <winspool.h>

#include "devmode/devmode.h"
#include "tests/common/printers.h"

BOOL EnsureTwinPrinter(void)
{
    return EnsurePrinterOnDriver(PX_PRINTER_TWIN, PX_PRINTER);  // drivers are named after printers
}

SIZE_T CapabilityOutputBytes(WORD index, DWORD count)
{
    if ((LONG)count <= 0)
        count = 0;
    switch (index) {
    case DC_PAPERS: return count * sizeof(WORD);
    case DC_PAPERSIZE: return count * sizeof(POINT);
    case DC_ENUMRESOLUTIONS: return count * 2 * sizeof(LONG);
    case DC_PAPERNAMES:
    case DC_MEDIAREADY: return count * 64 * sizeof(WCHAR);
    case DC_PERSONALITY: return count * 32 * sizeof(WCHAR);
    case DC_FILEDEPENDENCIES: return sizeof(WCHAR);  // an empty list
    default: return 0;
    }
}

// Fixed answers by index 0..33; -2 marks the ones checked by their own rule.
#define OWN_RULE -2
static const LONG kFixed[34] = {
    -1, OWN_RULE, OWN_RULE, OWN_RULE, OWN_RULE, OWN_RULE, -1, 0, 220, 3940, 0x401, 0x102, -1,
    OWN_RULE, 0, 5, OWN_RULE, 270, OWN_RULE, -1, -1, -1, 0, -1, -1, 2, -1, -1, -1, OWN_RULE,
    0, -1, OWN_RULE, 0,
};

static bool Fail(char *why, size_t chars, const char *text, long a, long b)
{
    snprintf(why, chars, "%s (%ld, %ld)", text, a, b);
    return false;
}

static bool PapersValid(WORD index, DWORD n, const BYTE *out, char *why, size_t chars)
{
    if (n == 0 || n > 4096)
        return Fail(why, chars, "paper count out of range", (long)n, 0);
    for (DWORD i = 0; i < n; i++) {
        if (index == DC_PAPERS) {
            WORD code;
            memcpy(&code, out + 2 * i, 2);
            if (code >= 363 && code <= 365)
                return Fail(why, chars, "output-size pseudo paper listed", code, (long)i);
        } else if (index == DC_PAPERSIZE) {
            POINT size;
            memcpy(&size, out + 8 * i, 8);
            if (size.x <= 0 || size.y <= 0)
                return Fail(why, chars, "paper size not positive", size.x, size.y);
        } else {
            const WCHAR *slot = reinterpret_cast<const WCHAR *>(out + 128 * i);
            if (wmemchr(slot, 0, 64) == NULL)
                return Fail(why, chars, "paper name without NUL in its slot", (long)i, 0);
        }
    }
    return true;
}

static bool ResolutionsValid(DWORD n, const BYTE *out, char *why, size_t chars)
{
    if (n == 0 || n > 20)
        return Fail(why, chars, "resolution count out of range", (long)n, 0);
    for (DWORD i = 0; i < n; i++) {
        LONG pair[2];
        memcpy(pair, out + 8 * i, 8);
        if (pair[0] != pair[1] || pair[0] <= 0)
            return Fail(why, chars, "resolution pair", pair[0], pair[1]);
    }
    return true;
}

static bool OwnRuleValid(WORD index, DWORD n, const BYTE *out, char *why, size_t chars)
{
    switch (index) {
    case DC_FIELDS:
        return n != 0 && n != GDI_ERROR ? true : Fail(why, chars, "dmFields", (long)n, 0);
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_PAPERNAMES:
    case DC_MEDIAREADY:
        return PapersValid(index, n, out, why, chars);
    case DC_MINEXTENT:
        if (LOWORD(n) == 0 || HIWORD(n) == 0 || LOWORD(n) > 32767 || HIWORD(n) > 32767)
            return Fail(why, chars, "minimum extent", LOWORD(n), HIWORD(n));
        return true;
    case DC_MAXEXTENT:
        if (HIWORD(n) != 32767 || LOWORD(n) == 0 || LOWORD(n) > 32767)
            return Fail(why, chars, "maximum extent", LOWORD(n), HIWORD(n));
        return true;
    case DC_ENUMRESOLUTIONS:
        return ResolutionsValid(n, out, why, chars);
    case DC_COPIES:
        return (LONG)n >= 1 && (LONG)n <= 32767 ? true : Fail(why, chars, "copies", (long)n, 0);
    case DC_COLORDEVICE:
        return n <= 1 ? true : Fail(why, chars, "colour device", (long)n, 0);
    default:
        return Fail(why, chars, "no rule", index, 0);
    }
}

bool CapabilityAnswerValid(WORD index, DWORD count, DWORD filled, const BYTE *out, bool usable,
                           char *why, size_t chars)
{
    if (!usable) {
        // Binding fails before the index is looked at.
        return count == 0 && filled == 0 ? true
                                          : Fail(why, chars, "unbound printer answered", (long)count,
                                                 (long)filled);
    }
    if (count != filled)
        return Fail(why, chars, "count and filled answers differ", (long)count, (long)filled);
    if (index > 33)
        return (LONG)count == -1 ? true : Fail(why, chars, "unsupported index", index, (long)count);
    if (kFixed[index] != OWN_RULE && (LONG)count != kFixed[index])
        return Fail(why, chars, "fixed answer", kFixed[index], (long)count);
    if (index == DC_FILEDEPENDENCIES && out && (out[0] || out[1]))
        return Fail(why, chars, "file dependencies not an empty list", out[0], out[1]);
    if (kFixed[index] != OWN_RULE)
        return true;
    return OwnRuleValid(index, count, out, why, chars);
}

bool IsJobMessagePrefix(const WCHAR *text, size_t chars)
{
    const WCHAR *end = static_cast<const WCHAR *>(wmemchr(text, 0, chars));
    if (!end)
        return false;
    size_t length = end - text;
    for (UINT id = 2560; id <= 2577; id++) {
        WCHAR message[64];
        int n = LoadStringW(GetModuleHandleW(NULL), id, message, 64);
        if (n > 0 && (size_t)n >= length && wcsncmp(message, text, length) == 0)
            return true;
    }
    return false;
}
