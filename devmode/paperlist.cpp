#include "devmode/paperlist.h"

#include <string.h>

#include <utility>

#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/spoolerread.h"
#include "devmode/forms.h"

unsigned DataDriverPaperCount(void)
{
    int n = DdPaperQuery();
    return n < 0 ? 0u - (unsigned)n : (unsigned)n;
}

static int CountMatchingPapers(unsigned papers, uint32_t seriesMask)
{
    int count = 0;
    for (unsigned i = 1; i <= papers; i++) {
        PaperRecord paper;
        if (DdPaperEnum((int)i, &paper) && (paper.series & seriesMask))
            count++;
    }
    return count;
}

static void PaperToEntry(const PaperRecord *paper, PaperEntry *entry)
{
    memset(entry, 0, sizeof *entry);
    entry->code = paper->code;
    DdLoadString(paper->nameId, entry->name, PX_NAME_CHARS);
    entry->width = paper->width;
    entry->length = paper->length;
    entry->marginTop = paper->margins[0];
    entry->marginBottom = paper->margins[1];
    entry->marginLeft = paper->margins[2];
    entry->marginRight = paper->margins[3];
    entry->series = paper->series;
    entry->paperSize = paper->paperSize;
}

// Copies the matching papers, at most `capacity`; returns how many.
static int CopyMatchingPapers(unsigned papers, uint32_t seriesMask, PaperEntry *entries,
                              int capacity, const PxUserSize *pairs, int pairCount)
{
    int count = 0, pairsUsed = 0;
    for (unsigned i = 1; i <= papers && count < capacity; i++) {
        PaperRecord paper;
        if (!DdPaperEnum((int)i, &paper) || !(paper.series & seriesMask))
            continue;
        PaperEntry *entry = &entries[count++];
        PaperToEntry(&paper, entry);
        if ((entry->series & PX_SERIES_USER) && pairs && pairsUsed < pairCount) {
            entry->width = pairs[pairsUsed].width;
            entry->length = pairs[pairsUsed].length;
            pairsUsed++;
        }
    }
    return count;
}

static void SetList(PaperList *list, PaperEntry *entries, int count)
{
    list->built = 1;
    list->count = count;
    list->entries = entries;
}

// Reads the spooler's forms into a new buffer; empty when they cannot be read.
static UniqueBlock<FORM_INFO_1W> ReadForms(HANDLE printer, DWORD *formCount)
{
    DWORD bytes = 0, returned = 0;
    UniqueBlock<FORM_INFO_1W> forms(
        reinterpret_cast<FORM_INFO_1W *>(ReadFormsBlock(printer, &bytes, &returned)));
    DWORD fit = bytes / sizeof(FORM_INFO_1W);
    *formCount = !forms ? 0 : returned < fit ? returned : fit;
    return forms;
}

// Appends the forms the media takes after the papers, which end in the list
// or are freed.
static BOOL AddForms(HANDLE printer, uint16_t mediaCode, const MediaRecord *media,
                     UniqueBlock<PaperEntry> papers, int paperCount, PaperList *list)
{
    DWORD formCount;
    UniqueBlock<FORM_INFO_1W> forms = ReadForms(printer, &formCount);
    if (!forms)
        return FALSE;
    size_t capacity = (size_t)paperCount + formCount;
    UniqueBlock<PaperEntry> entries = UniqueBlock<PaperEntry>::Allocate(capacity * sizeof(PaperEntry));
    if (!entries)
        return FALSE;
    memcpy(entries.get(), papers.get(), (size_t)paperCount * sizeof(PaperEntry));
    papers.reset();
    int count = paperCount;
    for (DWORD i = 0; i < formCount; i++) {
        PaperEntry form;
        FormToEntry(&forms.get()[i], 0, &form);
        uint16_t code = FilterForm(mediaCode, media, entries.get(), paperCount, &form);
        if (!code)
            continue;
        form.code = code;
        entries.get()[count++] = form;
    }
    SetList(list, entries.release(), count);
    return TRUE;
}

BOOL BuildPaperList(HANDLE printer, uint16_t mediaCode, PaperList *list, uint32_t seriesMask,
                    const PxUserSize *pairs, int pairCount)
{
    if (!list)
        return FALSE;
    ReleasePaperList(list);
    unsigned papers = DataDriverPaperCount();
    if (!papers)
        return FALSE;
    int count = CountMatchingPapers(papers, seriesMask);
    if (!count)
        return FALSE;
    UniqueBlock<PaperEntry> entries =
        UniqueBlock<PaperEntry>::Allocate((size_t)count * sizeof(PaperEntry));
    if (!entries)
        return FALSE;
    MediaRecord media;
    memset(&media, 0, sizeof media);
    DdMediaSearch(mediaCode, &media);
    count = CopyMatchingPapers(papers, seriesMask, entries.get(), count, pairs, pairCount);
    if (!count)
        return FALSE;
    if (DdPaperQuery() > 0) {
        SetList(list, entries.release(), count);
        return TRUE;
    }
    return AddForms(printer, mediaCode, &media, std::move(entries),
                    count, list);
}

void ReleasePaperList(PaperList *list)
{
    if (!list)
        return;
    PxFree(list->entries);
    memset(list, 0, sizeof *list);
}

int PaperCount(const PaperList *list)
{
    if (!list || !list->built || !list->entries || list->count < 0)
        return 0;
    return list->count;
}

int PaperEntryAt(const PaperList *list, int index, PaperEntry *out)
{
    if (!out || index < 1 || index > PaperCount(list))
        return 0;
    *out = list->entries[index - 1];
    return 1;
}

// 1-based index of the first entry that `matches`, copied to out when out is
// not null; 0 when none matches.
template <typename Match>
static int FindFirst(const PaperList *list, PaperEntry *out, Match matches)
{
    int count = PaperCount(list);
    for (int i = 0; i < count; i++) {
        if (!matches(list->entries[i]))
            continue;
        if (out)
            *out = list->entries[i];
        return i + 1;
    }
    return 0;
}

int FindPaperByCode(const PaperList *list, uint16_t paperSize, PaperEntry *out)
{
    return FindFirst(list, out, [&](const PaperEntry &e) { return e.paperSize == paperSize; });
}

// Entry names may fill all 64 characters without a terminator.
static BOOL NameEquals(const WCHAR *entryName, const WCHAR *name)
{
    for (int i = 0; i < PX_NAME_CHARS; i++) {
        if (entryName[i] != name[i])
            return FALSE;
        if (!name[i])
            return TRUE;
    }
    return name[PX_NAME_CHARS] == 0;
}

int FindPaperByName(const PaperList *list, const WCHAR *name, PaperEntry *out)
{
    if (!name)
        return 0;
    return FindFirst(list, out, [&](const PaperEntry &e) { return NameEquals(e.name, name); });
}

int FindPaperBySize(const PaperList *list, int32_t width, int32_t length, PaperEntry *out)
{
    return FindFirst(list, out, [&](const PaperEntry &e) {
        return e.width == width && e.length == length;
    });
}

int FindLastUserSize(const PaperList *list, PaperEntry *out)
{
    for (int i = PaperCount(list); i >= 1; i--) {
        if (list->entries[i - 1].series & PX_SERIES_USER) {
            if (out)
                *out = list->entries[i - 1];
            return i;
        }
    }
    return 0;
}

void BindUserSizes(PaperList *list, const PxUserSize *pairs, int pairCount)
{
    if (!list || !list->built || !pairs)
        return;
    int count = PaperCount(list), used = 0;
    for (int i = 0; i < count && used < pairCount; i++) {
        PaperEntry *entry = &list->entries[i];
        if (!(entry->series & PX_SERIES_USER))
            continue;
        entry->width = pairs[used].width;
        entry->length = pairs[used].length;
        used++;
    }
}

void SetRecordPaper(PXDEVMODE *record, const PaperEntry *entry)
{
    memset(record->dm.dmFormName, 0, sizeof record->dm.dmFormName);
    for (int i = 0; i < PX_DM_NAME_CHARS && entry->name[i]; i++)
        record->dm.dmFormName[i] = entry->name[i];
    record->dm.dmPaperWidth = (short)(entry->width & 0xFFFF);
    record->dm.dmPaperLength = (short)(entry->length & 0xFFFF);
    record->dm.dmPaperSize = (short)entry->paperSize;
}
