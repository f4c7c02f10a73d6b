#include "devmode/validate.h"

#include <string.h>

#include "core/ddops.h"
#include "devmode/fields.h"
#include "devmode/resolution.h"
#include "devmode/settinglimits.h"
#include "devmode/template.h"

namespace {

// The two records besides the target. caller is set only when it has a full
// private part.
struct Sources {
    const PXDEVMODE *caller;
    const PXDEVMODE *stored;
};

const DevModeField &Field(DevModeFieldId id) { return kDevModeFields[id]; }

BOOL CallerPasses(const Sources &s, const DevModeField &field)
{
    return s.caller && FieldPassesTest(s.caller, field);
}

// The record a field takes its value from by the general rule, or null when
// the template's value (already in the target) stands.
const PXDEVMODE *Pick(const Sources &s, BOOL callerPasses)
{
    return s.caller && callerPasses ? s.caller : s.stored;
}

// File names: at most 259 characters and a terminator; a value with no
// terminator within the field becomes empty.
void CopyPath(WCHAR *to, const WCHAR *from)
{
    WCHAR copy[PX_PATH_CHARS];
    memset(copy, 0, sizeof copy);
    for (int i = 0; i < PX_PATH_CHARS; i++) {
        if (!from[i]) {
            memcpy(copy, from, i * sizeof(WCHAR));
            break;
        }
    }
    memcpy(to, copy, sizeof copy);
}

void CopyField(PXDEVMODE *t, const PXDEVMODE *from, const DevModeField &field)
{
    BYTE *to = reinterpret_cast<BYTE *>(t) + field.offset;
    const BYTE *source = reinterpret_cast<const BYTE *>(from) + field.offset;
    if (field.kind == FIELD_TEXT)
        CopyPath(reinterpret_cast<WCHAR *>(to), reinterpret_cast<const WCHAR *>(source));
    else
        memcpy(to, source, field.bytes);
}

void TakeField(PXDEVMODE *t, const Sources &s, const DevModeField &field, BOOL callerPasses)
{
    if (const PXDEVMODE *src = Pick(s, callerPasses))
        CopyField(t, src, field);
}

// A value taken together with its 32-bit companion, both from one source.
void TakePair(PXDEVMODE *t, const Sources &s, const DevModeField &field, BOOL callerPasses)
{
    if (const PXDEVMODE *src = Pick(s, callerPasses)) {
        CopyField(t, src, kDevModeFields[field.id - 1]);
        CopyField(t, src, field);
    }
}

// Print-mode parameters: without a stored record a failed test takes the
// print mode's own value and leaves the template's companion.
void SettleModeParameter(PXDEVMODE *t, const Sources &s, const DevModeField &field)
{
    BOOL passes = CallerPasses(s, field);
    if (Pick(s, passes)) {
        TakePair(t, s, field, passes);
    } else if (const PrintModeRow *row = PrintModeRowFor(t->pdmPaperType.id, t->pdmPrintMode)) {
        uint16_t value = PrintModeColumn(row, field.column);
        memcpy(reinterpret_cast<BYTE *>(t) + field.offset, &value, sizeof value);
    }
}

// Adjacent fields tested together and taken together.
void SettleGroup(PXDEVMODE *t, const Sources &s, const DevModeField &first)
{
    int end = first.id;
    BOOL passes = s.caller != NULL;
    for (; end < PXF_COUNT && kDevModeFields[end].settle == SETTLE_GROUP; end++)
        passes = passes && FieldPassesTest(s.caller, kDevModeFields[end]);
    for (int i = first.id; i < end; i++)
        TakeField(t, s, kDevModeFields[i], passes);
}

BOOL FirstOfGroup(const DevModeField &field)
{
    return field.id == 0 || kDevModeFields[field.id - 1].settle != SETTLE_GROUP;
}

// ---------------------------------------------------------------- layout

// Without a stored record: the width of the media whose code is the record's
// source; the last such media wins.
void MediaWidthOfSource(PXDEVMODE *t)
{
    int count = DdMediaQuery();
    for (int i = 1; i <= count; i++) {
        MediaRecord media;
        if (DdMediaEnum(i, &media) && media.code == (uint16_t)t->dm.dmDefaultSource)
            t->pdmMediaWidth = media.maxWidth;
    }
}

void SettleMediaWidth(PXDEVMODE *t, const Sources &s)
{
    if (CallerPasses(s, Field(PXF_pdmMediaWidth)))
        t->pdmMediaWidth = s.caller->pdmMediaWidth;
    else if (s.stored)
        t->pdmMediaWidth = s.stored->pdmMediaWidth;
    else
        MediaWidthOfSource(t);
}

// ---------------------------------------------------------------- data driver records

void SettleMargin(PXDEVMODE *t, const Sources &s)
{
    uint16_t source = (uint16_t)t->dm.dmDefaultSource;
    if (s.caller && DdMarginSearch((int)s.caller->pdmMargin.id, &t->pdmMargin) &&
        (t->pdmMargin.mediaMask & source))
        return;
    if (s.stored)
        DdMarginSearch((int)s.stored->pdmMargin.id, &t->pdmMargin);
    else
        ChooseMarginForSource(&t->pdmMargin, source);
}

// The caller's id when the data driver knows it, else the stored id, else the
// data driver's default entry.
template <typename Record>
void SettleRecord(Record PXDEVMODE::*field, PXDEVMODE *t, const Sources &s,
                  int (*search)(int, Record *), int (*enumerate)(int, Record *))
{
    if (s.caller && search((int)(s.caller->*field).id, &(t->*field)))
        return;
    if (s.stored)
        search((int)(s.stored->*field).id, &(t->*field));
    else
        enumerate(PX_DEFAULT_INDEX, &(t->*field));
}

// ---------------------------------------------------------------- registered settings

void SettleSettingCounts(PXDEVMODE *t, const Sources &s)
{
    if (s.caller) {
        // A nonzero legacy count that a block could hold marks a record of
        // the older layout.
        int16_t legacy = s.caller->pdmLegacySettingCount;
        if (legacy != 0 && SettingCountValid(legacy)) {
            t->pdmSettingCount[0] = legacy;
            t->pdmSettingCount[1] = 2;
        } else {
            t->pdmSettingCount[0] = s.caller->pdmSettingCount[0];
            t->pdmSettingCount[1] = s.caller->pdmSettingCount[1];
        }
    } else if (s.stored) {
        t->pdmSettingCount[0] = s.stored->pdmSettingCount[0];
        t->pdmSettingCount[1] = s.stored->pdmSettingCount[1];
    } else {
        t->pdmSettingCount[0] = PX_PRESETS_1280;
        t->pdmSettingCount[1] = PX_PRESETS_1281;
    }
    // Counts from records are bounded as the store and the files bound them.
    t->pdmSettingCount[0] = BoundedSettingCount(t->pdmSettingCount[0]);
    t->pdmSettingCount[1] = BoundedSettingCount(t->pdmSettingCount[1]);
    t->pdmLegacySettingCount = 0;
}

// An index must address a slot of the store.
void SettleSettingIndex(PXDEVMODE *t, const Sources &s)
{
    const DevModeField &index = Field(PXF_pdmSettingIndex);
    if (s.caller) {
        if (FieldPassesTest(s.caller, index))
            t->pdmSettingIndex = s.caller->pdmSettingIndex;
    } else if (s.stored) {
        t->pdmSettingIndex =
            FieldPassesTest(s.stored, index) ? s.stored->pdmSettingIndex : (int16_t)0;
    }
}

// ---------------------------------------------------------------- colour and quality

void SettleInkSet(PXDEVMODE *t, const PrinterInfoRecord *info)
{
    if (info->capabilities & PX_CAPS_INKSET_4)
        t->pdmInkSet = PX_CAPS_INKSET_4;
    else if (info->capabilities & PX_CAPS_INKSET_1)
        t->pdmInkSet = PX_CAPS_INKSET_1;
    else if (info->capabilities & PX_CAPS_INKSET_2)
        t->pdmInkSet = PX_CAPS_INKSET_2;
}

// ---------------------------------------------------------------- carried fields

// In-process fields hold a handle and an address: pointer-sized, the high
// half (x64) in the reserved word after each.
void CopyInProcessValue(PXDEVMODE *t, const Sources &s, uint32_t PXDEVMODE::*field)
{
    if (const PXDEVMODE *src = Pick(s, TRUE))
        memcpy(&(t->*field), &(src->*field), sizeof(void *));
}

BOOL WindowsBefore6(void)
{
    OSVERSIONINFOW version;
    memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) && version.dwMajorVersion < 6;
}

void SettleShowStatus(PXDEVMODE *t, const Sources &s)
{
    const PXDEVMODE *src = Pick(s, TRUE);
    t->pdmShowStatus = src ? src->pdmShowStatus : WindowsBefore6() ? 1 : 0;
}

// ---------------------------------------------------------------- the walk

void SettleOwnField(PXDEVMODE *t, const Sources &s, const PrinterInfoRecord *info,
                    const DevModeField &field)
{
    switch (field.id) {
    case PXF_pdmMediaWidth: SettleMediaWidth(t, s); break;
    case PXF_pdmMargin: SettleMargin(t, s); break;
    case PXF_pdmPaperType:
        SettleRecord(&PXDEVMODE::pdmPaperType, t, s, DdPtypeSearch, DdPtypeEnum);
        break;
    case PXF_pdmSettingIndex: SettleSettingIndex(t, s); break;
    case PXF_pdmInkSet: SettleInkSet(t, info); break;
    case PXF_pdmQualityMode:
        SettleRecord(&PXDEVMODE::pdmQualityMode, t, s, DdQltModeSearch, DdQltModeEnum);
        t->pdmResolution = EngineResolution(t->pdmQualityMode.id);
        break;
    case PXF_pdmColorCorrection:
        SettleRecord(&PXDEVMODE::pdmColorCorrection, t, s, DdCCRmSearch, DdCCRmEnum);
        break;
    case PXF_pdmSettingStoreHandle: CopyInProcessValue(t, s, &PXDEVMODE::pdmSettingStoreHandle); break;
    case PXF_pdmSettingStore: CopyInProcessValue(t, s, &PXDEVMODE::pdmSettingStore); break;
    case PXF_pdmShowStatus: SettleShowStatus(t, s); break;
    case PXF_pdmSettingCount: SettleSettingCounts(t, s); break;
    default: break;
    }
}

void SettleField(PXDEVMODE *t, const Sources &s, const PrinterInfoRecord *info,
                 const DevModeField &field)
{
    switch (field.settle) {
    case SETTLE_GENERAL: TakeField(t, s, field, CallerPasses(s, field)); break;
    case SETTLE_PAIR: TakePair(t, s, field, CallerPasses(s, field)); break;
    case SETTLE_MODE: SettleModeParameter(t, s, field); break;
    case SETTLE_GROUP:
        if (FirstOfGroup(field))
            SettleGroup(t, s, field);
        break;
    case SETTLE_OWN: SettleOwnField(t, s, info, field); break;
    default: break;  // settled elsewhere, with its pair, or derived below
    }
}

// Fields that follow others once all are settled.
void DeriveFields(PXDEVMODE *t)
{
    int16_t q = t->pdmRotation;
    t->pdmRotated = (q == 0 || q == 2 || q == 4) ? 1 : 0;
    // The automatic-resolution flag follows the resolution choice.
    if (t->pdmResolutionIndex == PX_RESOLUTION_INDEX_AUTO)
        t->pdmColorFlags |= PX_COLOR_FLAG_AUTO_RESOLUTION;
    else
        t->pdmColorFlags &= ~PX_COLOR_FLAG_AUTO_RESOLUTION;
}

}  // namespace

void ChooseMarginForSource(MarginRecord *margin, uint16_t source)
{
    int count = DdMarginQuery();
    DdMarginEnum(PX_DEFAULT_INDEX, margin);
    if (margin->mediaMask & source)
        return;
    uint32_t group = margin->group;
    for (int i = 1; i <= count; i++) {
        DdMarginEnum(i, margin);
        if ((margin->mediaMask & source) && margin->group == group)
            return;
    }
}

// Field by field in record order: the media source is public and settled
// before, the paper type and the print mode come before the print-mode
// parameters that read them, the quality mode before its resolution.
BOOL ValidatePrivatePart(PXDEVMODE *target, const CallerRecord *caller, const PXDEVMODE *stored,
                         const PrinterInfoRecord *info)
{
    Sources s = {FullCaller(caller), stored};
    for (const DevModeField &field : kDevModeFields)
        SettleField(target, s, info, field);
    DeriveFields(target);
    return TRUE;
}
