// Where a page lands on the loaded media: upright or turned, its size after
// scaling and the printable rectangle left by the paper's and the media's
// margins.
#pragma once

#include "devmode/paperlist.h"

// Parts of a paper entry's placement code.
#define PX_PLACE_CLASS_MASK 0xC000
#define PX_PLACE_CLASS_UPRIGHT 0x4000
#define PX_PLACE_CLASS_TURNED 0x8000
#define PX_PLACE_MEDIA_PRINTABLE 0x0800
#define PX_PLACE_SHAPE_MASK 0x000F
#define PX_PLACE_TURNED_MARK 0xFF000000u

struct PageGeometry {
    int32_t placementFlags;     // 1 or 2 (shape 1), 16 or 32 (shape 2); + 0xFF000000 turned
    int32_t mediaOrientation;   // 1 or 2; + 0xFF000000 turned
    int32_t mediaPrintableWidth;   // only with code bit 0x800
    int32_t mediaPrintableLength;
    int32_t pageExtentX;
    int32_t pageExtentY;
    int32_t printableOffsetX;
    int32_t printableOffsetY;
    int32_t printableExtentX;
    int32_t printableExtentY;
    int32_t cutLengthEnd;       // printable rectangle cut beyond the media margins
    int32_t cutWidthStart;
    int32_t cutWidthEnd;
};
static_assert(sizeof(PageGeometry) == 52, "page geometry record");
static_assert(offsetof(PageGeometry, mediaOrientation) == 4, "");
static_assert(offsetof(PageGeometry, mediaPrintableWidth) == 8, "");
static_assert(offsetof(PageGeometry, mediaPrintableLength) == 12, "");
static_assert(offsetof(PageGeometry, pageExtentX) == 16, "");
static_assert(offsetof(PageGeometry, pageExtentY) == 20, "");
static_assert(offsetof(PageGeometry, printableOffsetX) == 24, "");
static_assert(offsetof(PageGeometry, printableOffsetY) == 28, "");
static_assert(offsetof(PageGeometry, printableExtentX) == 32, "");
static_assert(offsetof(PageGeometry, printableExtentY) == 36, "");
static_assert(offsetof(PageGeometry, cutLengthEnd) == 40, "");
static_assert(offsetof(PageGeometry, cutWidthStart) == 44, "");
static_assert(offsetof(PageGeometry, cutWidthEnd) == 48, "");

// The placement code for the entry on the media: turned asks for the turned
// placement, rotation is pdmRotation (0 automatic).
uint16_t ChoosePlacementCode(const MediaRecord *media, const PaperEntry *entry, int turned,
                             int rotation);

// Rewrites entry->code with the placement chosen for the page at `scale`
// percent and fills the geometry. orientation is dmOrientation.
void ComputePageGeometry(PaperEntry *entry, const MarginRecord *margin, const MediaRecord *media,
                         int turned, int scale, int orientation, PageGeometry *geometry,
                         int rotation);
