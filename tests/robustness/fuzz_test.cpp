// Seeded mutations of device modes through the spooler-facing entry points
// (the builder behind DocumentPropertiesW is the device mode suite's): no crash, no access past a buffer (inputs and outputs end at guard pages)
// and every answer within what the entry point documents. CI runs a fixed
// number of iterations; scripts/fuzz.sh runs it for a given time.
//   PX_FUZZ_SEED, PX_FUZZ_ITERATIONS, PX_FUZZ_SECONDS (overrides iterations)
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <memory>
#include <vector>

#include "tests/common/guardpage.h"
#include "tests/common/printers.h"
#include "tests/robustness/world.h"

namespace {

const BYTE kUntouched = 0xCD;
const WORD kHighestIndex = 40;  // every index up to this one, and random ones beyond
const int kMaxReported = 5;

struct Why {
    char text[256];
};

bool Fail(Why *why, const char *format, long a = 0, long b = 0)
{
    snprintf(why->text, sizeof why->text, format, a, b);
    return false;
}

bool Untouched(const GuardedBuffer &b, SIZE_T from = 0)
{
    for (SIZE_T i = from; i < b.size; i++)
        if (b.data[i] != kUntouched)
            return false;
    return true;
}

std::unique_ptr<Guarded> Output(SIZE_T bytes)
{
    std::unique_ptr<Guarded> g(new Guarded(bytes));
    if (g->buffer.size)
        FillMemory(g->buffer.data, g->buffer.size, kUntouched);
    return g;
}

// --- The documented DeviceCapabilities answers ------------------------------

// Bytes the output of an index takes for `count` elements; 0 for indexes
// that write nothing.
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
const LONG kFixed[34] = {
    -1, OWN_RULE, OWN_RULE, OWN_RULE, OWN_RULE, OWN_RULE, -1, 0, 220, 3940, 0x401, 0x102, -1,
    OWN_RULE, 0, 5, OWN_RULE, 270, OWN_RULE, -1, -1, -1, 0, -1, -1, 2, -1, -1, -1, OWN_RULE,
    0, -1, OWN_RULE, 0,
};

bool PapersValid(WORD index, DWORD n, const BYTE *out, Why *why)
{
    if (n == 0 || n > 4096)
        return Fail(why, "paper count out of range (%ld, %ld)", (long)n, 0);
    for (DWORD i = 0; i < n; i++) {
        if (index == DC_PAPERS) {
            WORD code;
            memcpy(&code, out + 2 * i, 2);
            if (code >= 363 && code <= 365)
                return Fail(why, "output-size pseudo paper listed (%ld, %ld)", code, (long)i);
        } else if (index == DC_PAPERSIZE) {
            POINT size;
            memcpy(&size, out + 8 * i, 8);
            if (size.x <= 0 || size.y <= 0)
                return Fail(why, "paper size not positive (%ld, %ld)", size.x, size.y);
        } else {
            const WCHAR *slot = reinterpret_cast<const WCHAR *>(out + 128 * i);
            if (wmemchr(slot, 0, 64) == NULL)
                return Fail(why, "paper name without NUL in its slot (%ld, %ld)", (long)i, 0);
        }
    }
    return true;
}

bool ResolutionsValid(DWORD n, const BYTE *out, Why *why)
{
    if (n == 0 || n > 20)
        return Fail(why, "resolution count out of range (%ld, %ld)", (long)n, 0);
    for (DWORD i = 0; i < n; i++) {
        LONG pair[2];
        memcpy(pair, out + 8 * i, 8);
        if (pair[0] != pair[1] || pair[0] <= 0)
            return Fail(why, "resolution pair (%ld, %ld)", pair[0], pair[1]);
    }
    return true;
}

bool OwnRuleValid(WORD index, DWORD n, const BYTE *out, Why *why)
{
    switch (index) {
    case DC_FIELDS:
        return n != 0 && n != GDI_ERROR ? true : Fail(why, "dmFields (%ld, %ld)", (long)n, 0);
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_PAPERNAMES:
    case DC_MEDIAREADY:
        return PapersValid(index, n, out, why);
    case DC_MINEXTENT:
        if (LOWORD(n) == 0 || HIWORD(n) == 0 || LOWORD(n) > 32767 || HIWORD(n) > 32767)
            return Fail(why, "minimum extent (%ld, %ld)", LOWORD(n), HIWORD(n));
        return true;
    case DC_MAXEXTENT:
        if (HIWORD(n) != 32767 || LOWORD(n) == 0 || LOWORD(n) > 32767)
            return Fail(why, "maximum extent (%ld, %ld)", LOWORD(n), HIWORD(n));
        return true;
    case DC_ENUMRESOLUTIONS:
        return ResolutionsValid(n, out, why);
    case DC_COPIES:
        return (LONG)n >= 1 && (LONG)n <= 32767 ? true : Fail(why, "copies (%ld, %ld)", (long)n, 0);
    case DC_COLORDEVICE:
        return n <= 1 ? true : Fail(why, "colour device (%ld, %ld)", (long)n, 0);
    default:
        return Fail(why, "no rule (%ld, %ld)", index, 0);
    }
}

// count: the answer with no output buffer, filled: the answer with `out`;
// usable: the printer's data driver binds.
bool CapabilityAnswerValid(WORD index, DWORD count, DWORD filled, const BYTE *out, bool usable,
                           Why *why)
{
    if (!usable) {
        // Binding fails before the index is looked at.
        return count == 0 && filled == 0 ? true
                                          : Fail(why, "unbound printer answered (%ld, %ld)", (long)count,
                                                 (long)filled);
    }
    if (count != filled)
        return Fail(why, "count and filled answers differ (%ld, %ld)", (long)count, (long)filled);
    if (index > 33)
        return (LONG)count == -1 ? true : Fail(why, "unsupported index (%ld, %ld)", index, (long)count);
    if (kFixed[index] != OWN_RULE && (LONG)count != kFixed[index])
        return Fail(why, "fixed answer (%ld, %ld)", kFixed[index], (long)count);
    if (index == DC_FILEDEPENDENCIES && out && (out[0] || out[1]))
        return Fail(why, "file dependencies not an empty list (%ld, %ld)", out[0], out[1]);
    if (kFixed[index] != OWN_RULE)
        return true;
    return OwnRuleValid(index, count, out, why);
}

// The text (NUL-terminated, `chars` at most) starts one of the job messages
// of the string table, cut as the driver cuts it.
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

// --- DeviceCapabilitiesW -----------------------------------------------------

bool CheckCapabilities(const WorldPrinter *p, WORD index, const DEVMODEW *dm, Why *why)
{
    DWORD count = static_cast<DWORD>(DeviceCapabilitiesW(p->name, L"FILE:", index, NULL, dm));
    std::unique_ptr<Guarded> out = Output(CapabilityOutputBytes(index, count));
    DWORD filled = static_cast<DWORD>(
        DeviceCapabilitiesW(p->name, L"FILE:", index, out->as<WCHAR>(), dm));
    Why detail = {};
    bool ok = CapabilityAnswerValid(index, count, filled, out->buffer.data, p->usable, &detail);
    if (!ok)
        snprintf(why->text, sizeof why->text, "index %u: %s", index, detail.text);
    return ok;
}

// --- Records the driver made ---------------------------------------------------

bool RecordHeaderValid(const DEVMODEW *dm, const WCHAR *printer, Why *why)
{
    if (dm->dmSpecVersion != 0x401 || dm->dmDriverVersion != 0x102)
        return Fail(why, "record versions %#lx %#lx", dm->dmSpecVersion, dm->dmDriverVersion);
    if (dm->dmSize != 220 || dm->dmDriverExtra != 3940)
        return Fail(why, "record sizes %ld %ld", dm->dmSize, dm->dmDriverExtra);
    if (wcsncmp(dm->dmDeviceName, printer, CCHDEVICENAME) != 0)
        return Fail(why, "device name is not the printer's");
    return true;
}

// A record the driver made must pass its own job check unchanged.
bool PassesJobCheck(const World *w, const WorldPrinter *p, DEVMODEW *dm, Why *why)
{
    WCHAR reason[64] = {};
    DEVQUERYPRINT_INFO info = {sizeof info, 1, p->handle, dm, reason, sizeof reason, 0};
    if (w->exports.DevQueryPrintEx(&info))
        return true;
    char text[128] = {};
    WideCharToMultiByte(CP_UTF8, 0, reason, -1, text, sizeof text, NULL, NULL);
    snprintf(why->text, sizeof why->text, "the driver's own record is refused: %s", text);
    return false;
}

// --- DrvConvertDevMode ---------------------------------------------------------

// A destination keeps its dmICMMethod when its public part holds the field.
const WORD kIcmMethodEnd = offsetof(DEVMODEW, dmICMMethod) + sizeof(DWORD);

struct Destination {
    std::unique_ptr<Guarded> memory;
    DEVMODEW *dm;
    WORD size, extra;
};

Destination MakeDestination(Rng *rng)
{
    static const WORD kSizes[] = {220, 156, 188, 191, 192, 72};
    static const WORD kExtras[] = {3940, 0, 100, 3936};
    Destination d = {};
    d.size = OneIn(rng, 3) ? static_cast<WORD>(Below(rng, 300)) : kSizes[Below(rng, 6)];
    d.extra = OneIn(rng, 3) ? static_cast<WORD>(Below(rng, 5000)) : kExtras[Below(rng, 4)];
    SIZE_T bytes = static_cast<SIZE_T>(d.size) + d.extra;
    bytes = bytes < FUZZ_MIN_RECORD ? FUZZ_MIN_RECORD : (bytes + 3) & ~static_cast<SIZE_T>(3);
    d.memory = Output(bytes);
    d.dm = d.memory->as<DEVMODEW>();
    d.dm->dmSpecVersion = static_cast<WORD>(Next32(rng));
    d.dm->dmDriverVersion = static_cast<WORD>(Next32(rng));
    d.dm->dmSize = d.size;
    d.dm->dmDriverExtra = d.extra;
    DWORD icm = Next32(rng);
    if (d.size >= kIcmMethodEnd)
        d.dm->dmICMMethod = icm;
    return d;
}

// The destination as the documented copy leaves it (image: its bytes before
// the call): the public bytes both records hold, the destination's header
// (versions, sizes, dmICMMethod if held) put back, then the private bytes
// both hold behind the destination's public part.
void ExpectedCopy(const DEVMODEW *source, const Destination *d, LONG n, LONG m, BYTE *image)
{
    const size_t header = offsetof(DEVMODEW, dmSpecVersion), icm = offsetof(DEVMODEW, dmICMMethod);
    BYTE kept[8], keptIcm[4];
    memcpy(kept, image + header, 8);
    memcpy(keptIcm, image + icm, d->size >= kIcmMethodEnd ? 4 : 0);
    memcpy(image, source, n);
    memcpy(image + header, kept, 8);
    memcpy(image + icm, keptIcm, d->size >= kIcmMethodEnd ? 4 : 0);
    memcpy(image + d->size, reinterpret_cast<const BYTE *>(source) + source->dmSize, m);
}

bool CheckCopyBetweenSizes(const World *w, Rng *rng, const DEVMODEW *source, Why *why)
{
    Destination d = MakeDestination(rng);
    LONG declared = static_cast<LONG>(d.size) + d.extra;
    static const LONG kOffsets[] = {0, 0, 1, 1000, -1};
    LONG needed = OneIn(rng, 8) ? static_cast<LONG>(0x80000000u | Next32(rng))
                                : declared + kOffsets[Below(rng, 5)];
    LONG before = needed;
    SIZE_T bytes = d.memory->buffer.size;
    std::vector<BYTE> copy(d.memory->buffer.data, d.memory->buffer.data + bytes);
    BYTE *image = copy.data();
    SetLastError(0);
    BOOL r = w->exports.DrvConvertDevMode(const_cast<WCHAR *>(PX_PRINTER),
                                       const_cast<DEVMODEW *>(source), d.dm, &needed,
                                       CDM_CONVERT);
    // A destination too short for the header fields it keeps is refused.
    const LONG headerEnd = offsetof(DEVMODEW, dmFields);
    bool ok = true;
    if (!source || before < declared || before < headerEnd || d.size < headerEnd) {
        ok = !r && GetLastError() == ERROR_INVALID_PARAMETER && needed == before
                 ? true
                 : Fail(why, "CDM_CONVERT refused wrongly: result %ld, needed %ld", r, needed);
    } else if (!r) {
        ok = Fail(why, "CDM_CONVERT failed, last error %ld", (long)GetLastError());
    } else {
        LONG n = source->dmSize < d.size ? source->dmSize : d.size;
        LONG m = source->dmDriverExtra < d.extra ? source->dmDriverExtra : d.extra;
        ExpectedCopy(source, &d, n, m, image);
        if (needed != n + m)
            ok = Fail(why, "CDM_CONVERT reported %ld bytes, copied %ld", needed, n + m);
        else if (memcmp(image, d.dm, bytes) != 0) {
            SIZE_T at = 0;
            while (image[at] == reinterpret_cast<BYTE *>(d.dm)[at])
                at++;
            ok = Fail(why, "CDM_CONVERT left another destination: byte %ld of %ld differs", (long)at,
                      (long)bytes);
        }
    }
    if (ok && !r && memcmp(image, d.dm, bytes) != 0)
        ok = Fail(why, "a refused CDM_CONVERT wrote the destination");
    return ok;
}

bool CheckBuildModes(const World *w, Rng *rng, const WorldPrinter *p, DWORD mode,
                     const DEVMODEW *source, Why *why)
{
    static const LONG kNeeded[] = {4160, 4160, 4160, 4159, 0, 8000, -1, (LONG)0x80000000u};
    LONG needed = kNeeded[Below(rng, 8)];
    LONG before = needed;
    // A negative size comes with a small buffer: it must read as too small.
    std::unique_ptr<Guarded> out = Output(needed >= 4160 ? 4160 : needed >= 0 ? needed : 64);
    DEVMODEW *output = OneIn(rng, 10) ? NULL : out->as<DEVMODEW>();
    WCHAR *name = const_cast<WCHAR *>(p->name);
    SetLastError(0);
    BOOL r = w->exports.DrvConvertDevMode(name, const_cast<DEVMODEW *>(source), output, &needed, mode);
    bool ok = true;
    if (before < 4160 || !output) {
        ok = !r && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed == 4160 &&
                     Untouched(out->buffer)
                 ? true
                 : Fail(why, "mode %ld with a short buffer: result %ld", (long)mode, r);
    } else if (!p->usable) {
        ok = !r && GetLastError() == ERROR_INVALID_PARAMETER && needed == before
                 ? true
                 : Fail(why, "mode %ld on an unbound printer: result %ld", (long)mode, r);
    } else if (!r || needed != 4160) {
        ok = Fail(why, "mode %ld failed (needed %ld)", (long)mode, needed);
    } else {
        ok = RecordHeaderValid(output, p->name, why) && PassesJobCheck(w, p, output, why);
    }
    return ok;
}

bool CheckConvert(const World *w, Rng *rng, const WorldPrinter *p, DEVMODEW *dm, Why *why)
{
    DEVMODEW *source = OneIn(rng, 10) ? NULL : dm;
    switch (Below(rng, 8)) {
    case 0: case 1: case 2:
        return CheckCopyBetweenSizes(w, rng, source, why);
    case 3: case 4:
        return CheckBuildModes(w, rng, p, CDM_CONVERT351, source, why);
    case 5:
        return CheckBuildModes(w, rng, p, CDM_DRIVER_DEFAULT, NULL, why);
    default: {
        static const DWORD kOtherModes[] = {0, 3, 5, 6, 7, 8, 0x80000004u};
        DWORD mode = OneIn(rng, 4) ? (Next32(rng) | 8) : kOtherModes[Below(rng, 7)];
        LONG needed = 4160;
        BYTE scratch[4160];
        SetLastError(0);
        BOOL r = w->exports.DrvConvertDevMode(const_cast<WCHAR *>(p->name), dm,
                                           reinterpret_cast<DEVMODEW *>(scratch),
                                           OneIn(rng, 2) ? &needed : NULL, mode);
        return !r && GetLastError() == ERROR_INVALID_PARAMETER
                   ? true
                   : Fail(why, "mode %#lx accepted (result %ld)", (long)mode, r);
    }
    }
}

// --- DevQueryPrintEx -------------------------------------------------------------

bool CheckJobQuery(const World *w, Rng *rng, const WorldPrinter *p, DEVMODEW *dm, Why *why)
{
    static const DWORD kChars[] = {0, 1, 2, 3, 10, 64, 128, 200};
    DWORD cch = OneIn(rng, 4) ? Below(rng, 300) : kChars[Below(rng, 8)];
    std::unique_ptr<Guarded> text = Output(cch);
    DEVMODEW *job = OneIn(rng, 12) ? NULL : dm;
    WCHAR *message = OneIn(rng, 10) ? NULL : text->as<WCHAR>();
    DEVQUERYPRINT_INFO info = {sizeof info, 1, p->handle, job, message, cch, 0xBEEF};
    BOOL printable = w->exports.DevQueryPrintEx(&info);
    bool ok = true;
    if (printable) {
        if (!info.pDevMode)
            ok = true;
        else if (!p->usable)
            ok = Fail(why, "a job on an unbound printer counted as printable");
        if (ok && (info.cchNeeded != 0xBEEF || !Untouched(text->buffer)))
            ok = Fail(why, "a printable job touched the message (%ld)", (long)info.cchNeeded);
    } else if (!info.pDevMode) {
        ok = Fail(why, "no job device mode was refused");
    } else if (info.cchNeeded < 4 || info.cchNeeded > 128 || info.cchNeeded % 2) {
        ok = Fail(why, "message size %ld bytes", (long)info.cchNeeded);
    } else if (info.pszErrorStr) {
        DWORD written = cch >= info.cchNeeded ? info.cchNeeded : (cch >= 2 ? cch & ~1u : cch);
        const WCHAR *s = text->as<WCHAR>();
        if (!Untouched(text->buffer, written))
            ok = Fail(why, "message written past %ld of %ld bytes", (long)written, (long)cch);
        else if (cch >= 2 && !IsJobMessagePrefix(s, written / 2))
            ok = Fail(why, "message is not a job message cut to %ld bytes", (long)cch);
        else if (cch >= 2 && cch >= info.cchNeeded && wcslen(s) * 2 + 2 != info.cchNeeded)
            ok = Fail(why, "message length and size disagree (%ld)", (long)info.cchNeeded);
        else if (cch == 1 && text->buffer.data[0] != 0)
            ok = Fail(why, "one-byte buffer not cleared");
    }
    return ok;
}

// --- DrvQueryColorProfile ---------------------------------------------------------

bool ProfileNameValid(const DEVMODEW *dm, const WCHAR *name, Why *why)
{
    const WCHAR *chosen = reinterpret_cast<const PXDEVMODE *>(dm)->pdmPrinterProfile;
    if (chosen[0]) {
        if (wcsncmp(name, chosen, PX_PATH_CHARS - 1) != 0 || wcslen(name) > PX_PATH_CHARS - 1)
            return Fail(why, "the chosen profile name came back changed");
        return true;
    }
    size_t n = wcslen(name);
    if (n < 5 || wcscmp(name + n - 4, L".icc") != 0)
        return Fail(why, "default profile name is no ICC file name (%ld chars)", (long)n);
    return true;
}

// Only a record whose header declares the private part is read; any other
// is refused without touching the arguments.
bool CheckProfileRefused(const World *w, const WorldPrinter *p, DEVMODEW *full, Why *why)
{
    WCHAR name[8];
    ULONG size = sizeof name;
    FLONG flags = 0xF00D;
    SetLastError(0);
    BOOL r = w->exports.DrvQueryColorProfile(p->handle, full, QCP_DEVICEPROFILE, name, &size, &flags);
    if (r || GetLastError() != ERROR_INVALID_PARAMETER || size != sizeof name || flags != 0xF00D)
        return Fail(why, "record without a private part: result %ld, size %ld", r, (long)size);
    return true;
}

bool CheckColorProfile(const World *w, Rng *rng, const WorldPrinter *p, DEVMODEW *full, Why *why)
{
    if (full->dmSize < 220 || full->dmDriverExtra < 3936)
        return CheckProfileRefused(w, p, full, why);
    static const ULONG kModes[] = {QCP_DEVICEPROFILE, QCP_DEVICEPROFILE, QCP_DEVICEPROFILE,
                                   QCP_SOURCEPROFILE, 2};
    ULONG mode = OneIn(rng, 6) ? Next32(rng) : kModes[Below(rng, 5)];
    // The size query tells the name's size.
    ULONG need = 0;
    FLONG flags = 0xF00D;
    BOOL r = w->exports.DrvQueryColorProfile(p->handle, full, QCP_DEVICEPROFILE, NULL, &need, &flags);
    if (r || GetLastError() != ERROR_INSUFFICIENT_BUFFER || need < 2 || need % 2 ||
        need > 2 * PX_PATH_CHARS)
        return Fail(why, "profile size query: result %ld, size %ld", r, (long)need);
    static const LONG kDelta[] = {0, -1, 0, 100, -(LONG)0x10000};
    LONG cb = static_cast<LONG>(need) + kDelta[Below(rng, 5)];
    ULONG size = cb < 0 ? 0 : static_cast<ULONG>(cb);
    ULONG given = size;
    std::unique_ptr<Guarded> out = Output(size);
    void *buffer = OneIn(rng, 8) ? NULL : out->buffer.data;
    flags = 0xF00D;
    SetLastError(0);
    r = w->exports.DrvQueryColorProfile(p->handle, full, mode, buffer, &size, &flags);
    bool ok = true;
    if (mode != QCP_DEVICEPROFILE) {
        if (!r || size != given || flags != 0xF00D || !Untouched(out->buffer))
            ok = Fail(why, "query mode %#lx touched its arguments", (long)mode);
    } else if (buffer && given >= need) {
        if (!r || flags != QCP_PROFILEDISK || size != given)
            ok = Fail(why, "profile copy: result %ld, flags %#lx", r, (long)flags);
        else if (wcslen(out->as<WCHAR>()) * 2 + 2 != need || !Untouched(out->buffer, need))
            ok = Fail(why, "profile copy wrote %ld bytes past the name", (long)need);
        else
            ok = ProfileNameValid(full, out->as<WCHAR>(), why);
    } else if (r || GetLastError() != ERROR_INSUFFICIENT_BUFFER || size != need ||
               !Untouched(out->buffer)) {
        ok = Fail(why, "short profile buffer: result %ld, size %ld", r, (long)size);
    }
    return ok;
}

// --- The run ------------------------------------------------------------------------

struct FuzzRun {
    unsigned long seed, iterations, seconds;
};

bool Continue(const FuzzRun *run, unsigned long i, ULONGLONG start)
{
    return run->seconds ? GetTickCount64() - start < run->seconds * 1000ull : i < run->iterations;
}

const WorldPrinter *PickPrinter(const World *w, Rng *rng)
{
    return OneIn(rng, 2) ? &w->printers[0] : &w->printers[Below(rng, w->printerCount)];
}

WORD PickIndex(Rng *rng, unsigned long i)
{
    if (OneIn(rng, 8))
        return static_cast<WORD>(Next32(rng));
    return static_cast<WORD>(i % (kHighestIndex + 1));
}

bool OneIteration(const World *w, Rng *rng, unsigned long i, Why *why, const char **entry)
{
    const WorldPrinter *p = PickPrinter(w, rng);
    const SeedRecord *base = &w->seeds[Below(rng, WORLD_SEEDS)];
    const SeedRecord *other = &w->seeds[Below(rng, WORLD_SEEDS)];
    FuzzRecord exact, full;
    if (!MutateRecord(rng, base, other, FALSE, &exact) ||
        !MutateRecord(rng, base, other, TRUE, &full))
        return Fail(why, "out of memory");
    WORD index = PickIndex(rng, i);
    bool ok = (*entry = "DeviceCapabilitiesW", CheckCapabilities(p, index, exact.dm, why));
    ok = ok && (*entry = "DrvConvertDevMode", CheckConvert(w, rng, p, exact.dm, why));
    ok = ok && (*entry = "DevQueryPrintEx", CheckJobQuery(w, rng, p, exact.dm, why));
    ok = ok && (*entry = "DrvQueryColorProfile", CheckColorProfile(w, rng, p, full.dm, why));
    if (!ok && !why->text[0])
        snprintf(why->text, sizeof why->text, "output changed where nothing may be written");
    ReleaseFuzzRecord(&exact);
    ReleaseFuzzRecord(&full);
    return ok;
}

TEST(Fuzz, MutatedDeviceModesThroughEverySpoolerFacingEntryPoint)
{
    World *w = TheWorld();
    ASSERT_TRUE(w->ready);
    FuzzRun run = {EnvNumber("PX_FUZZ_SEED", 0x22102210ul), EnvNumber("PX_FUZZ_ITERATIONS", 1500),
                   EnvNumber("PX_FUZZ_SECONDS", 0)};
    Rng rng(static_cast<uint32_t>(run.seed));
    ULONGLONG start = GetTickCount64();
    unsigned long i = 0;
    int reported = 0;
    for (; Continue(&run, i, start) && reported < kMaxReported; i++) {
        Why why = {};
        const char *entry = "";
        if (!OneIteration(w, &rng, i, &why, &entry)) {
            ADD_FAILURE() << "seed " << run.seed << ", iteration " << i << ", " << entry << ": "
                          << why.text;
            reported++;
        }
    }
    printf("fuzz: seed %#lx, %lu iterations in %.1f s\n", run.seed, i,
           (GetTickCount64() - start) / 1000.0);
    EXPECT_GE(i, run.seconds ? 1ul : run.iterations);
}

}  // namespace
