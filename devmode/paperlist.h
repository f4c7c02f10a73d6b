// The paper list: the page sizes offered for a media source and size series,
// built from the data driver's papers, the record's user sizes and, when the
// data driver asks for them, the spooler's forms.
#pragma once

#include "devmode/devmode.h"

struct PaperEntry {
    uint16_t code;             // bits 8-9 bind the paper to a media source
    WCHAR name[PX_NAME_CHARS];
    uint16_t reserved130;
    int32_t width;             // 0.1 mm
    int32_t length;
    int16_t marginTop;
    int16_t marginBottom;
    int16_t marginLeft;
    int16_t marginRight;
    uint32_t series;           // bit 31 user size, bit 30 output-size entry; 0 for forms
    uint16_t paperSize;        // code reported to Windows; forms: place in the forms list
    uint16_t reserved154;
};
static_assert(sizeof(PaperEntry) == 156, "paper entry");
static_assert(offsetof(PaperEntry, name) == 2, "");
static_assert(offsetof(PaperEntry, width) == 132, "");
static_assert(offsetof(PaperEntry, length) == 136, "");
static_assert(offsetof(PaperEntry, marginTop) == 140, "");
static_assert(offsetof(PaperEntry, marginBottom) == 142, "");
static_assert(offsetof(PaperEntry, marginLeft) == 144, "");
static_assert(offsetof(PaperEntry, marginRight) == 146, "");
static_assert(offsetof(PaperEntry, series) == 148, "");
static_assert(offsetof(PaperEntry, paperSize) == 152, "");

struct PaperList {
    uint32_t built;            // 1 after a successful build
    int32_t count;
    PaperEntry *entries;       // GlobalAlloc'd; null when empty
};

// Number of the data driver's papers: the absolute value of its paper count,
// 0 when it cannot be asked.
unsigned DataDriverPaperCount(void);

// Builds the list for a media source and size series: the data driver's
// papers whose series word shares a bit with seriesMask, in its order, the
// user-size entries taking the pairs in order, then, when the data driver's
// paper count is negative, the spooler's forms that fit the media. A failed
// build leaves the list empty and returns FALSE.
BOOL BuildPaperList(HANDLE printer, uint16_t mediaCode, PaperList *list, uint32_t seriesMask,
                    const PxUserSize *pairs, int pairCount);

// Frees the entries and zeroes the list.
void ReleasePaperList(PaperList *list);

// Number of entries; 0 for a list that is not built.
int PaperCount(const PaperList *list);

// Copies entry `index` (1-based); 0 when out is null or the index lies
// outside 1 to count, leaving out as it was.
int PaperEntryAt(const PaperList *list, int index, PaperEntry *out);

// Each returns the 1-based index of the first match with the entry copied to
// out (when out is not null), or 0 leaving out as it was.
int FindPaperByCode(const PaperList *list, uint16_t paperSize, PaperEntry *out);
int FindPaperByName(const PaperList *list, const WCHAR *name, PaperEntry *out);  // exact
int FindPaperBySize(const PaperList *list, int32_t width, int32_t length, PaperEntry *out);
// The last entry with series bit 31 (user size).
int FindLastUserSize(const PaperList *list, PaperEntry *out);

// Gives the user-size entries of a built list, in list order, the next pair
// while fewer than pairCount pairs are used.
void BindUserSizes(PaperList *list, const PxUserSize *pairs, int pairCount);

// dmFormName (at most 32 characters), dmPaperWidth and dmPaperLength (low
// 16 bits) and dmPaperSize from the entry.
void SetRecordPaper(PXDEVMODE *record, const PaperEntry *entry);
