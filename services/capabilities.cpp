#include "services/capabilities.h"

#include <string.h>

#include "core/binding.h"
#include "core/ddops.h"
#include "core/module.h"
#include "core/printerbyname.h"
#include "core/trace.h"
#include "devmode/builder.h"

#define COMPUTED 0x7FFFFFFF
#define EXTENT_LIMIT 32767
#define TRUETYPE_AS_BITMAP_OR_DEVICE (DCTT_BITMAP | DCTT_SUBDEV)
#define LANDSCAPE_TURN 270

// Fixed answers by index; COMPUTED ones depend on the printer or the record.
static const LONG kFixedAnswers[PX_LAST_DEVCAP + 1] = {
    -1,                            // 0
    COMPUTED,                      // DC_FIELDS
    COMPUTED,                      // DC_PAPERS
    COMPUTED,                      // DC_PAPERSIZE
    COMPUTED,                      // DC_MINEXTENT
    COMPUTED,                      // DC_MAXEXTENT
    -1,                            // DC_BINS
    0,                             // DC_DUPLEX
    PX_DM_PUBLIC_SIZE,             // DC_SIZE
    PX_DM_DRIVER_EXTRA,            // DC_EXTRA
    PX_DM_SPEC_VERSION,            // DC_VERSION
    PX_DM_DRIVER_VERSION,          // DC_DRIVER
    -1,                            // DC_BINNAMES
    COMPUTED,                      // DC_ENUMRESOLUTIONS
    COMPUTED,                      // DC_FILEDEPENDENCIES
    TRUETYPE_AS_BITMAP_OR_DEVICE,  // DC_TRUETYPE
    COMPUTED,                      // DC_PAPERNAMES
    LANDSCAPE_TURN,                // DC_ORIENTATION
    COMPUTED,                      // DC_COPIES
    -1,                            // DC_BINADJUST
    -1,                            // DC_EMF_COMPLIANT
    -1,                            // DC_DATATYPE_PRODUCED
    0,                             // DC_COLLATE
    -1,                            // DC_MANUFACTURER
    -1,                            // DC_MODEL
    COMPUTED,                      // DC_PERSONALITY
    -1,                            // DC_PRINTRATE
    -1,                            // DC_PRINTRATEUNIT
    -1,                            // DC_PRINTERMEM
    COMPUTED,                      // DC_MEDIAREADY
    0,                             // DC_STAPLE
    -1,                            // DC_PRINTRATEPPM
    COMPUTED,                      // DC_COLORDEVICE
    0,                             // DC_NUP
};

// The printer languages, as DC_PERSONALITY names them to applications.
static const WCHAR *const kPersonalities[] = {L"OH-GL/2", L"RTL-PASS"};

struct Prepared {
    PrinterInfoRecord info;
    PXDEVMODE *record;
    PaperList list;
};

// The output-size choices ride in the list for the Basic page; they are no
// paper an application can ask for.
static BOOL IsOutputSizeChoice(const PaperEntry *entry)
{
    return entry->paperSize >= 363 && entry->paperSize <= 365;
}

static void WritePaperElement(WORD index, const PaperEntry *entry, BYTE *out)
{
    if (index == DC_PAPERS) {
        WORD code = entry->paperSize;
        memcpy(out, &code, sizeof code);
    } else if (index == DC_PAPERSIZE) {
        POINT size = {entry->width, entry->length};
        memcpy(out, &size, sizeof size);
    } else {
        WCHAR *slot = reinterpret_cast<WCHAR *>(out);
        size_t chars = 0;
        while (chars < PX_PAPER_NAME_SLOT_CHARS - 1 && entry->name[chars])
            chars++;
        memcpy(slot, entry->name, chars * sizeof(WCHAR));
        slot[chars] = 0;
    }
}

static size_t PaperElementBytes(WORD index)
{
    if (index == DC_PAPERS)
        return sizeof(WORD);
    if (index == DC_PAPERSIZE)
        return sizeof(POINT);
    return PX_PAPER_NAME_SLOT_CHARS * sizeof(WCHAR);
}

DWORD EnumeratePaperElements(const PaperList *list, WORD index, void *output)
{
    BYTE *out = static_cast<BYTE *>(output);
    DWORD written = 0;
    for (int i = 1; i <= PaperCount(list); i++) {
        PaperEntry entry;
        if (!PaperEntryAt(list, i, &entry) || IsOutputSizeChoice(&entry))
            continue;
        if (out) {
            WritePaperElement(index, &entry, out);
            out += PaperElementBytes(index);
        }
        written++;
    }
    return written;
}

static DWORD EnumerateResolutions(void *output)
{
    uint16_t values[PX_RESOLUTION_CAPACITY] = {};
    int count = DdGdiDpiEnum(values, PX_RESOLUTION_CAPACITY);
    if (count < 0)
        count = 0;
    if (count > PX_RESOLUTION_CAPACITY)
        count = PX_RESOLUTION_CAPACITY;
    LONG *pairs = static_cast<LONG *>(output);
    for (int i = 0; pairs && i < count; i++) {
        LONG dpi = static_cast<int16_t>(values[i]);
        pairs[2 * i] = dpi;
        pairs[2 * i + 1] = dpi;
    }
    return count;
}

static DWORD WritePersonalities(void *output)
{
    const DWORD count = sizeof kPersonalities / sizeof kPersonalities[0];
    WCHAR *slots = static_cast<WCHAR *>(output);
    for (DWORD i = 0; slots && i < count; i++) {
        WCHAR *slot = slots + i * PX_PERSONALITY_SLOT_CHARS;
        ZeroMemory(slot, PX_PERSONALITY_SLOT_CHARS * sizeof(WCHAR));
        lstrcpynW(slot, kPersonalities[i], PX_PERSONALITY_SLOT_CHARS);
    }
    return count;
}

static WORD LimitedExtent(int32_t value)
{
    return static_cast<WORD>(value > EXTENT_LIMIT ? EXTENT_LIMIT : value);
}

static DWORD ComputedAnswer(const Prepared *p, WORD index, void *output)
{
    const PrinterInfoRecord *info = &p->info;
    switch (index) {
    case DC_FIELDS:
        return p->record->dm.dmFields;
    case DC_PAPERS:
    case DC_PAPERSIZE:
    case DC_PAPERNAMES:
    case DC_MEDIAREADY:
        return EnumeratePaperElements(&p->list, index, output);
    case DC_MINEXTENT:
        return MAKELONG(static_cast<WORD>(info->minWidth), static_cast<WORD>(info->minLength));
    case DC_MAXEXTENT:
        return MAKELONG(LimitedExtent(info->maxWidth), LimitedExtent(info->maxLength));
    case DC_ENUMRESOLUTIONS:
        return EnumerateResolutions(output);
    case DC_FILEDEPENDENCIES:
        if (output)
            *static_cast<WCHAR *>(output) = 0;
        return 0;
    case DC_COPIES:
        return static_cast<DWORD>(static_cast<LONG>(info->maxCopies));
    case DC_PERSONALITY:
        return WritePersonalities(output);
    case DC_COLORDEVICE:
        return (info->capabilities & PX_CAPS_COLOR) ? 1 : 0;
    default:
        return GDI_ERROR;
    }
}

static DWORD Answer(const Prepared *p, WORD index, void *output)
{
    if (index > PX_LAST_DEVCAP)
        return GDI_ERROR;
    LONG fixed = kFixedAnswers[index];
    if (fixed != COMPUTED)
        return static_cast<DWORD>(fixed);
    return ComputedAnswer(p, index, output);
}

// The module lock is held from the binding to the last data-driver call, so
// that a concurrent call for a printer with another data driver cannot swap
// the data driver in the middle of an answer.
static DWORD AnswerForPrinter(HANDLE printer, PWSTR pDeviceName, WORD iDevCap, VOID *pvOutput,
                              DEVMODEW *pDevMode)
{
    ModuleLockGuard lock;
    Prepared p = {};
    if (!BindAndCheck(printer, &p.info))
        return 0;
    UniqueBlock<PXDEVMODE> record = UniqueBlock<PXDEVMODE>::Allocate();
    if (!record)
        return 0;
    p.record = record.get();
    DWORD result = 0;
    if (BuildDevMode(p.record, pDevMode, printer, pDeviceName, &p.info, &p.list, TRUE))
        result = Answer(&p, iDevCap, pvOutput);
    ReleasePaperList(&p.list);
    return result;
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap,
                                   VOID *pvOutput, DEVMODEW *pDevMode)
{
    PrinterByName printer(hPrinter, pDeviceName);
    DWORD result = AnswerForPrinter(printer.get(), pDeviceName, iDevCap, pvOutput, pDevMode);
    PX_TRACE(L"%ls, index %u: %ld", TraceText(pDeviceName), iDevCap, static_cast<LONG>(result));
    return result;
}
