#include "devmode/papermerge.h"

#include <string.h>

#include "core/ddops.h"
#include "devmode/standardpapers.h"
#include "devmode/validate.h"

#define PX_A4_WIDTH 2100
#define PX_A4_LENGTH 2970
#define PX_SOURCE_BINDING_MASK 0x0300

static BOOL Within(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

static BOOL WidthFits(const PrinterInfoRecord *info, int32_t width)
{
    return Within(width, info->minWidth, info->maxWidth);
}

static BOOL LengthFits(const PrinterInfoRecord *info, int32_t length)
{
    return Within(length, info->minLength, info->maxLength);
}

// dmFormName holds at most 32 characters: an entry matches when its name,
// cut to what the field can hold, is the record's.
static BOOL RecordNameMatches(const WCHAR *recordName, const WCHAR *entryName)
{
    for (int i = 0; i < PX_DM_NAME_CHARS; i++) {
        if (recordName[i] != entryName[i])
            return FALSE;
        if (!recordName[i])
            return TRUE;
    }
    return TRUE;
}

static int FindByRecordName(const PXDEVMODE *record, const PaperList *list, PaperEntry *out)
{
    int count = PaperCount(list);
    for (int i = 1; i <= count; i++) {
        if (RecordNameMatches(record->dm.dmFormName, list->entries[i - 1].name))
            return PaperEntryAt(list, i, out);
    }
    return 0;
}

static int FindByRecordSize(const PXDEVMODE *record, const PaperList *list, PaperEntry *out)
{
    int32_t w = record->dm.dmPaperWidth, l = record->dm.dmPaperLength;
    return w < l ? FindPaperBySize(list, w, l, out) : FindPaperBySize(list, l, w, out);
}

// A standard Windows code the list does not carry, by the size it stands
// for: upright as the list holds papers, else turned as some forms are.
static int FindByStandardSize(uint16_t code, const PaperList *list, PaperEntry *out)
{
    int32_t width, length;
    if (!StandardPaperSize(code, &width, &length))
        return 0;
    int index = FindPaperBySize(list, width, length, out);
    return index ? index : FindPaperBySize(list, length, width, out);
}

int FindRecordPaper(const PXDEVMODE *record, const PaperList *list, PaperEntry *out)
{
    DWORD fields = record->dm.dmFields;
    uint16_t code = (uint16_t)record->dm.dmPaperSize;
    BOOL byCode = (fields & DM_PAPERSIZE) != 0;
    BOOL bySize = (fields & DM_PAPERLENGTH) && (fields & DM_PAPERWIDTH);
    BOOL byName = (fields & DM_FORMNAME) != 0;
    PaperEntry found;
    int index = 0;
    if (byCode && code != 0)
        index = FindPaperByCode(list, code, &found);
    if (!index && byCode && code == 0 && byName)
        index = FindByRecordName(record, list, &found);
    if (!index && bySize)
        index = FindByRecordSize(record, list, &found);
    // A record's own size says more than its code; without one, a standard
    // code stands for its size.
    if (!index && byCode && !bySize)
        index = FindByStandardSize(code, list, &found);
    if (!index && byName)
        index = FindByRecordName(record, list, &found);
    if (index)
        *out = found;
    else
        memset(out, 0, sizeof *out);
    return index;
}

int UserSizeFallback(const PrinterInfoRecord *info, const PXDEVMODE *record,
                     const PaperList *list, PaperEntry *out)
{
    DWORD fields = record->dm.dmFields;
    if ((fields & DM_PAPERLENGTH) && (fields & DM_PAPERWIDTH)) {
        int32_t w = record->dm.dmPaperWidth, l = record->dm.dmPaperLength;
        int32_t shorter = w < l ? w : l, longer = w < l ? l : w;
        int index = 0;
        if (WidthFits(info, shorter) && LengthFits(info, longer))
            index = FindLastUserSize(list, out);
        if (index) {
            out->width = shorter;
            out->length = longer;
            return index;
        }
    }
    memset(out, 0, sizeof *out);
    return 0;
}

// Without a stored record: the data driver's user-size papers in order, 0
// for the pairs beyond them.
static void UserSizesOfDataDriver(PxUserSize *pairs)
{
    memset(pairs, 0, PX_USER_SIZE_COUNT * sizeof *pairs);
    unsigned papers = DataDriverPaperCount();
    int filled = 0;
    for (unsigned i = 1; i <= papers && filled < PX_USER_SIZE_COUNT; i++) {
        PaperRecord paper;
        if (DdPaperEnum((int)i, &paper) && (paper.series & PX_SERIES_USER)) {
            pairs[filled].width = paper.width;
            pairs[filled].length = paper.length;
            filled++;
        }
    }
}

static BOOL PairFits(const PrinterInfoRecord *info, int32_t width, int32_t length)
{
    return WidthFits(info, width) && LengthFits(info, length);
}

// The caller's user sizes win over the stored and data driver ones, each
// pair only when it lies within the printer's limits.
static void SettleUserSizes(PXDEVMODE *t, const PXDEVMODE *usable, const PXDEVMODE *full,
                            const PXDEVMODE *stored, const PrinterInfoRecord *info)
{
    if (stored) {
        memcpy(t->pdmUserSizes, stored->pdmUserSizes, sizeof t->pdmUserSizes);
        // A size the printer cannot take would only lose the stored one.
        if (usable && usable->dm.dmPaperSize == DMPAPER_USER &&
            PairFits(info, usable->dm.dmPaperWidth, usable->dm.dmPaperLength)) {
            t->pdmUserSizes[PX_USER_SIZE_COUNT - 1].width = usable->dm.dmPaperWidth;
            t->pdmUserSizes[PX_USER_SIZE_COUNT - 1].length = usable->dm.dmPaperLength;
        }
    } else {
        UserSizesOfDataDriver(t->pdmUserSizes);
    }
    if (!full)
        return;
    for (int i = 0; i < PX_USER_SIZE_COUNT; i++) {
        const PxUserSize &pair = full->pdmUserSizes[i];
        if (PairFits(info, pair.width, pair.length))
            t->pdmUserSizes[i] = pair;
    }
}

// The stored record's paper, else the A4-sized entry, else the first entry.
static void DefaultPaper(const PXDEVMODE *stored, const PaperList *list, PaperEntry *out)
{
    if (stored && FindRecordPaper(stored, list, out))
        return;
    if (FindPaperBySize(list, PX_A4_WIDTH, PX_A4_LENGTH, out))
        return;
    if (!PaperEntryAt(list, 1, out))
        memset(out, 0, sizeof *out);
}

static void ChooseEntry(PXDEVMODE *t, const PXDEVMODE *usable, const PXDEVMODE *stored,
                        const PrinterInfoRecord *info, PaperList *list, PaperEntry *e)
{
    if (usable) {
        if (FindRecordPaper(usable, list, e))
            return;
        if (UserSizeFallback(info, usable, list, e)) {
            t->pdmUserSizes[0].width = e->width;
            t->pdmUserSizes[0].length = e->length;
            BindUserSizes(list, t->pdmUserSizes, 1);
            return;
        }
    }
    DefaultPaper(stored, list, e);
}

// A caller's user size (256) keeps its own size when the printer takes it.
static void ApplyCallerUserSize(const PXDEVMODE *usable, const PXDEVMODE *stored,
                                const PrinterInfoRecord *info, const PaperList *list,
                                PaperEntry *e)
{
    if (!usable || usable->dm.dmPaperSize != DMPAPER_USER)
        return;
    int32_t w = usable->dm.dmPaperWidth, l = usable->dm.dmPaperLength;
    if (PairFits(info, w, l)) {
        e->width = w;
        e->length = l;
    } else {
        DefaultPaper(stored, list, e);
    }
}

// Papers bound to a media source force that source; the margin must then
// suit the new source too.
static void ApplyBoundSource(PXDEVMODE *t, uint16_t paperCode)
{
    switch (paperCode & PX_SOURCE_BINDING_MASK) {
    case 0x100:
        t->dm.dmDefaultSource = 0x111;
        break;
    case 0x200:
        t->dm.dmDefaultSource = 0x112;
        break;
    case 0x300:
        t->dm.dmDefaultSource = 0x113;
        break;
    default:
        return;
    }
    uint16_t source = (uint16_t)t->dm.dmDefaultSource;
    if (!(t->pdmMargin.mediaMask & source))
        ChooseMarginForSource(&t->pdmMargin, source);
}

BOOL MergePaper(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                HANDLE printer, const PrinterInfoRecord *info, PaperList *list)
{
    const PXDEVMODE *usable = UsableCaller(caller);
    SettleUserSizes(target, usable, FullCaller(caller), stored, info);
    if (!BuildPaperList(printer, (uint16_t)target->dm.dmDefaultSource, list,
                        target->pdmSizeSeries, target->pdmUserSizes, PX_USER_SIZE_COUNT))
        return FALSE;
    PaperEntry e;
    ChooseEntry(target, usable, stored, info, list, &e);
    ApplyCallerUserSize(usable, stored, info, list, &e);
    SetRecordPaper(target, &e);
    ApplyBoundSource(target, e.code);
    return TRUE;
}
