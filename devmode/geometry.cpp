#include "devmode/geometry.h"

#include <string.h>

static BOOL Within(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

static BOOL FitsUpright(const MediaRecord *m, int32_t w, int32_t l)
{
    return Within(l, m->minLength, m->maxLength) && Within(w, m->minWidth, m->maxWidth);
}

static BOOL FitsTurned(const MediaRecord *m, int32_t w, int32_t l)
{
    return Within(l, m->minWidth, m->maxWidth) && Within(w, m->minLength, m->maxLength);
}

static int64_t Clip(int32_t value, int32_t limit) { return value < limit ? value : limit; }

// A paper too large for the media either way: keep the placement that loses
// less of the page; equal losses stay upright.
static uint16_t LargerPrintablePlacement(const MediaRecord *m, int32_t w, int32_t l)
{
    int64_t upright = Clip(w, m->maxWidth) * Clip(l, m->maxLength);
    int64_t turned = Clip(l, m->maxWidth) * Clip(w, m->maxLength);
    return turned > upright ? m->turnedCode : m->uprightCode;
}

uint16_t ChoosePlacementCode(const MediaRecord *media, const PaperEntry *entry, int turned,
                             int rotation)
{
    if (media->keepPaperCode)
        return entry->code;
    if (rotation != 0)
        return turned ? media->turnedCode : media->uprightCode;
    int32_t w = entry->width, l = entry->length;
    if (!turned && FitsUpright(media, w, l))
        return media->uprightCode;
    if (turned && FitsTurned(media, w, l))
        return media->turnedCode;
    if (turned && FitsUpright(media, w, l))
        return media->uprightCode;
    if (!turned && FitsTurned(media, w, l))
        return media->turnedCode;
    if (l < media->minLength || l < media->minWidth || w < media->minWidth ||
        w < media->minLength)
        return entry->code;
    return LargerPrintablePlacement(media, w, l);
}

struct MediaMargins {
    int64_t a, b, c, d;  // mA, mB along the length; mC, mD across the width
};

static int32_t Scaled(int32_t size, int64_t allowance, int scale)
{
    return (int32_t)(((int64_t)size - allowance) * scale / 100 + allowance);
}

// The placement the page gets once scaled: the margins are not scaled.
static uint16_t ScaledPlacement(const PaperEntry *entry, MediaMargins mm, const MediaRecord *media,
                                int turned, int scale, int rotation)
{
    PaperEntry copy = *entry;
    BOOL upright = (entry->code & PX_PLACE_CLASS_MASK) == PX_PLACE_CLASS_UPRIGHT;
    int64_t widthAllowance = upright ? mm.a + mm.b : mm.c + mm.d;
    int64_t lengthAllowance = upright ? mm.c + mm.d : mm.a + mm.b;
    copy.width = Scaled(entry->width, widthAllowance, scale);
    copy.length = Scaled(entry->length, lengthAllowance, scale);
    return ChoosePlacementCode(media, &copy, turned, rotation);
}

// A code without a class (or with both bits) is placed as class 0x4000.
static BOOL TurnedClass(uint16_t code)
{
    return (code & PX_PLACE_CLASS_MASK) == PX_PLACE_CLASS_TURNED;
}

static BOOL PageTurned(int orientation, int rotation)
{
    if (orientation == DMORIENT_PORTRAIT)
        return rotation == 2 || rotation == 3;
    return rotation == 3 || rotation == 4;
}

// Wide enough that no sum or difference of entry sizes and margins overflows.
struct PageFrame {
    int64_t W, L;        // extents on the media
    int64_t x, y, a, b;  // the paper's own margins, as they fall on the media
};

static PageFrame FrameOf(const PaperEntry *e, BOOL turnedClass, BOOL turned)
{
    PageFrame f;
    if (!turnedClass) {
        f.W = e->width;
        f.L = e->length;
        f.x = turned ? e->marginLeft : e->marginRight;
        f.y = turned ? e->marginBottom : e->marginTop;
        f.a = turned ? e->marginTop : e->marginBottom;
        f.b = turned ? e->marginRight : e->marginLeft;
    } else {
        f.W = e->length;
        f.L = e->width;
        f.x = turned ? e->marginBottom : e->marginTop;
        f.y = turned ? e->marginRight : e->marginLeft;
        f.a = turned ? e->marginLeft : e->marginRight;
        f.b = turned ? e->marginTop : e->marginBottom;
    }
    return f;
}

static int64_t Max(int64_t a, int64_t b) { return a > b ? a : b; }
static int64_t Min(int64_t a, int64_t b) { return a < b ? a : b; }

static int32_t PlacementFlags(uint16_t code, int32_t mediaOrientation)
{
    int shape = code & PX_PLACE_SHAPE_MASK;
    if (mediaOrientation != 1 && mediaOrientation != 2)
        return 0;
    if (shape == 1)
        return mediaOrientation;
    if (shape == 2)
        return mediaOrientation == 1 ? 16 : 32;
    return 0;
}

void ComputePageGeometry(PaperEntry *entry, const MarginRecord *margin, const MediaRecord *media,
                         int turned, int scale, int orientation, PageGeometry *g, int rotation)
{
    memset(g, 0, sizeof *g);
    MediaMargins mm = {margin->lengthEnds[0], margin->lengthEnds[1], margin->widthSides[0],
                       margin->widthSides[1]};
    entry->code = ChoosePlacementCode(media, entry, turned, rotation);
    if (scale >= 1 && scale != 100)
        entry->code = ScaledPlacement(entry, mm, media, turned, scale, rotation);

    BOOL turnedClass = TurnedClass(entry->code);
    if (orientation == 1 || orientation == 2)
        g->mediaOrientation = turnedClass ? 3 - orientation : orientation;
    BOOL pageTurned = PageTurned(orientation, rotation);
    PageFrame f = FrameOf(entry, turnedClass, pageTurned);

    int64_t left = Max(f.b, mm.c);
    int64_t right = Min(f.W - f.x, f.W - mm.d);
    int64_t top = Max(f.a, mm.b);
    int64_t bottom = Min(f.L - f.y, f.L - mm.a);
    g->cutLengthEnd = (int32_t)((f.L - mm.a) - bottom);
    g->cutWidthStart = (int32_t)(left - mm.c);
    g->cutWidthEnd = (int32_t)((f.W - mm.d) - right);
    int64_t printableW = f.W - mm.d - mm.c, printableL = f.L - mm.a - mm.b;
    if (entry->code & PX_PLACE_MEDIA_PRINTABLE) {
        g->mediaPrintableWidth = (int32_t)printableW;
        g->mediaPrintableLength = (int32_t)printableL;
    }
    uint16_t shapeFrom = printableW > printableL ? media->turnedCode : media->uprightCode;
    entry->code = (uint16_t)((entry->code & ~PX_PLACE_SHAPE_MASK) | (shapeFrom & PX_PLACE_SHAPE_MASK));

    if (g->mediaOrientation == 1) {
        g->pageExtentX = (int32_t)f.W;
        g->pageExtentY = (int32_t)f.L;
        g->printableExtentX = (int32_t)(right - left);
        g->printableExtentY = (int32_t)(bottom - top);
        g->printableOffsetX = (int32_t)(pageTurned ? f.W - right : left);
        g->printableOffsetY = (int32_t)(pageTurned ? top : f.L - bottom);
    } else if (g->mediaOrientation == 2) {
        g->pageExtentX = (int32_t)f.L;
        g->pageExtentY = (int32_t)f.W;
        g->printableExtentX = (int32_t)(bottom - top);
        g->printableExtentY = (int32_t)(right - left);
        g->printableOffsetX = (int32_t)(pageTurned ? top : f.L - bottom);
        g->printableOffsetY = (int32_t)(pageTurned ? left : f.W - right);
    }
    g->placementFlags = PlacementFlags(entry->code, g->mediaOrientation);
    if (pageTurned) {
        g->placementFlags = (int32_t)((uint32_t)g->placementFlags + PX_PLACE_TURNED_MARK);
        g->mediaOrientation = (int32_t)((uint32_t)g->mediaOrientation + PX_PLACE_TURNED_MARK);
    }
}
