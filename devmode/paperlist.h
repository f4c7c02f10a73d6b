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
    uint16_t paperSize;        // code reported to Windows; 0 for forms
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
