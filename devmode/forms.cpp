#include "devmode/forms.h"

#include <string.h>

#define PX_FORM_UNITS_PER_TENTH_MM 100
// Sizes closer than this (0.1 mm) count as the same paper; limits allow this
// much tolerance.
#define PX_SIZE_TOLERANCE 11
#define PX_LIMIT_TOLERANCE 10

#define PX_MEDIA_KIND_ROLL_A 0x0020
#define PX_MEDIA_KIND_ROLL_B 0x0040
#define PX_MEDIA_KIND_ROLL_C 0x0080
#define PX_MEDIA_TURN_FORMS 0x0200

void FormToEntry(const FORM_INFO_1W *form, uint16_t code, PaperEntry *entry)
{
    memset(entry, 0, sizeof *entry);
    entry->code = code;
    if (form->pName)
        wcsncpy(entry->name, form->pName, PX_NAME_CHARS);
    entry->width = form->Size.cx / PX_FORM_UNITS_PER_TENTH_MM;
    entry->length = form->Size.cy / PX_FORM_UNITS_PER_TENTH_MM;
    entry->marginTop = (int16_t)(form->ImageableArea.top / PX_FORM_UNITS_PER_TENTH_MM);
    entry->marginBottom =
        (int16_t)(entry->length - form->ImageableArea.bottom / PX_FORM_UNITS_PER_TENTH_MM);
    entry->marginLeft = (int16_t)(form->ImageableArea.left / PX_FORM_UNITS_PER_TENTH_MM);
    entry->marginRight =
        (int16_t)(entry->width - form->ImageableArea.right / PX_FORM_UNITS_PER_TENTH_MM);
}

static BOOL Near(int32_t a, int32_t b)
{
    int64_t d = (int64_t)a - b;
    return d > -PX_SIZE_TOLERANCE && d < PX_SIZE_TOLERANCE;
}

static BOOL DuplicatesPaper(const PaperEntry *papers, int paperCount, const PaperEntry *form)
{
    for (int i = 0; i < paperCount; i++) {
        const PaperEntry *p = &papers[i];
        if (Near(form->width, p->width) && Near(form->length, p->length) &&
            form->marginTop == p->marginTop && form->marginBottom == p->marginBottom &&
            form->marginLeft == p->marginLeft && form->marginRight == p->marginRight)
            return TRUE;
    }
    return FALSE;
}

static uint16_t SheetPlacement(const MediaRecord *m, int64_t w, int64_t l)
{
    if (m->maxWidth < w - PX_LIMIT_TOLERANCE || m->maxLength < l - PX_LIMIT_TOLERANCE)
        return 0;
    BOOL tooSmallUpright =
        m->minWidth >= w + PX_LIMIT_TOLERANCE || m->minLength >= l + PX_LIMIT_TOLERANCE;
    if (!tooSmallUpright)
        return m->uprightCode;
    BOOL tooSmallTurned =
        m->minWidth >= l + PX_LIMIT_TOLERANCE || m->minLength >= w + PX_LIMIT_TOLERANCE;
    return tooSmallTurned ? 0 : m->turnedCode;
}

static uint16_t RollPlacement(uint16_t mediaCode, const MediaRecord *m, int64_t w, int64_t l)
{
    if ((mediaCode & PX_MEDIA_TURN_FORMS) && l - PX_LIMIT_TOLERANCE <= m->maxWidth &&
        w - PX_LIMIT_TOLERANCE <= m->maxLength)
        return m->turnedCode;
    if (w - PX_LIMIT_TOLERANCE > m->maxWidth || l - PX_LIMIT_TOLERANCE > m->maxLength)
        return 0;
    return m->uprightCode;
}

uint16_t FilterForm(uint16_t mediaCode, const MediaRecord *media, const PaperEntry *papers,
                    int paperCount, const PaperEntry *form)
{
    if (DuplicatesPaper(papers, paperCount, form))
        return 0;
    int64_t w = form->width, l = form->length;
    switch (media->code & PX_MEDIA_KIND_MASK) {
    case PX_MEDIA_KIND_SHEET:
        return SheetPlacement(media, w, l);
    case PX_MEDIA_KIND_ROLL_A:
    case PX_MEDIA_KIND_ROLL_B:
    case PX_MEDIA_KIND_ROLL_C:
        return RollPlacement(mediaCode, media, w, l);
    default:
        return 0;
    }
}
