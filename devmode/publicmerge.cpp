#include "devmode/publicmerge.h"

#include "core/ddops.h"
#include "devmode/fields.h"
#include "devmode/template.h"

static BOOL Declares(const PXDEVMODE *caller, DWORD field)
{
    return caller && (caller->dm.dmFields & field) != 0;
}

// The caller declares the field with its dmFields bit and its value passes
// the field's test.
static BOOL CallerGives(const PXDEVMODE *caller, DevModeFieldId id)
{
    const DevModeField &field = kDevModeFields[id];
    return Declares(caller, field.dmBit) && FieldPassesTest(caller, field);
}

static void MergeOrientation(PXDEVMODE *t, const PXDEVMODE *c, const PXDEVMODE *s)
{
    if (CallerGives(c, PXF_dmOrientation))
        t->dm.dmOrientation = c->dm.dmOrientation;
    else
        t->dm.dmOrientation = s ? s->dm.dmOrientation : (short)DMORIENT_PORTRAIT;
}

// The stored scale is never used: a scale only applies to the job that set it.
static void MergeScale(PXDEVMODE *t, const PXDEVMODE *c)
{
    t->dm.dmScale = CallerGives(c, PXF_dmScale) ? c->dm.dmScale : 100;
}

static void MergeCopies(PXDEVMODE *t, const PXDEVMODE *c, const PXDEVMODE *s,
                        const PrinterInfoRecord *info)
{
    if (!Declares(c, kDevModeFields[PXF_dmCopies].dmBit)) {
        t->dm.dmCopies = s ? s->dm.dmCopies : 1;
        return;
    }
    short copies = c->dm.dmCopies;
    if (copies < 1)
        copies = 1;
    else if (copies > info->maxCopies)
        copies = info->maxCopies;
    t->dm.dmCopies = copies;
}

static void MergeDefaultSource(PXDEVMODE *t, const PXDEVMODE *c, const PXDEVMODE *s)
{
    MediaRecord media;
    if (Declares(c, kDevModeFields[PXF_dmDefaultSource].dmBit)) {
        uint16_t asked = (uint16_t)c->dm.dmDefaultSource;
        if (DdMediaSearch(asked, &media)) {
            t->dm.dmDefaultSource = (short)(media.code | (asked & 0x200));
            return;
        }
    }
    t->dm.dmDefaultSource = s ? s->dm.dmDefaultSource : (short)PX_DEFAULT_SOURCE;
}

static void MergeColor(PXDEVMODE *t, const PXDEVMODE *c, const PXDEVMODE *s,
                       const PrinterInfoRecord *info)
{
    if (CallerGives(c, PXF_dmColor))
        t->dm.dmColor = c->dm.dmColor;
    else if (s)
        t->dm.dmColor = s->dm.dmColor;
    else
        t->dm.dmColor = (info->capabilities & PX_CAPS_COLOR) ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
}

static void MergeIcm(PXDEVMODE *t, const PXDEVMODE *c, const PXDEVMODE *s)
{
    if (CallerGives(c, PXF_dmICMMethod))
        t->dm.dmICMMethod = c->dm.dmICMMethod;
    else
        t->dm.dmICMMethod = s ? s->dm.dmICMMethod : DMICMMETHOD_SYSTEM;
    if (CallerGives(c, PXF_dmICMIntent))
        t->dm.dmICMIntent = c->dm.dmICMIntent;
    else
        t->dm.dmICMIntent = s ? s->dm.dmICMIntent : 2;
}

void MergePublicFields(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                       const PrinterInfoRecord *info)
{
    const PXDEVMODE *c = UsableCaller(caller);
    MergeOrientation(target, c, stored);
    MergeScale(target, c);
    MergeCopies(target, c, stored, info);
    MergeDefaultSource(target, c, stored);
    MergeColor(target, c, stored, info);
    MergeIcm(target, c, stored);
}
