#include "settings/settingstore.h"

#include <string.h>

#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "devmode/fields.h"
#include "devmode/template.h"

// Stores allocated and not yet freed: each open document sheet holds one,
// tests and tools a few more.
#define PX_LIVE_STORE_MAX 32

struct LiveStore {
    SettingStore *volatile store;
    void (*volatile release)(void *);
};
static LiveStore g_liveStores[PX_LIVE_STORE_MAX];

// Entries are claimed and cleared with interlocked exchanges, so the
// registry needs no lock of its own; a store is freed only by its owner.
static LiveStore *LiveEntryOf(const SettingStore *store)
{
    if (!store)
        return NULL;
    for (LiveStore &entry : g_liveStores)
        if (entry.store == store)
            return &entry;
    return NULL;
}

static BOOL RecordLive(SettingStore *store, void (*release)(void *))
{
    for (LiveStore &entry : g_liveStores) {
        PVOID volatile *slot = reinterpret_cast<PVOID volatile *>(&entry.store);
        if (InterlockedCompareExchangePointer(slot, store, NULL) == NULL) {
            entry.release = release;
            return TRUE;
        }
    }
    return FALSE;
}

SettingStore *NewSettingStoreWith(void *(*alloc)(SIZE_T), void (*release)(void *))
{
    SettingStore *store = static_cast<SettingStore *>(alloc(sizeof(SettingStore)));
    if (!store)
        return NULL;
    memset(store, 0, sizeof *store);
    if (!RecordLive(store, release)) {
        release(store);
        return NULL;
    }
    return store;
}

SettingStore *NewSettingStore(void) { return NewSettingStoreWith(PxAlloc, PxFree); }

void FreeSettingStore(SettingStore *store)
{
    LiveStore *entry = LiveEntryOf(store);
    if (!entry)
        return;
    void (*release)(void *) = entry->release;
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile *>(&entry->store), NULL);
    release(store);
}

BOOL SettingStoreLive(const SettingStore *store) { return LiveEntryOf(store) != NULL; }

static uintptr_t AddressFields(uint32_t low, uint32_t high)
{
    uint64_t value = low;
#if defined(_WIN64)
    value |= static_cast<uint64_t>(high) << 32;
#else
    (void)high;
#endif
    return static_cast<uintptr_t>(value);
}

// A fixed block: its handle is its address, so both fields name it.
static void WriteStoreFields(PXDEVMODE *dm, SettingStore *store)
{
    uint64_t a = reinterpret_cast<uintptr_t>(store);
    dm->pdmSettingStoreHandle = dm->pdmSettingStore = static_cast<uint32_t>(a);
    dm->reserved2812 = dm->reserved2820 = static_cast<uint32_t>(a >> 32);
}

BOOL AttachSettingStore(PXDEVMODE *dm, SettingStore *store)
{
    if (store && !SettingStoreLive(store))
        return FALSE;
    WriteStoreFields(dm, store);
    return TRUE;
}

SettingStore *StoreFromDevMode(const PXDEVMODE *dm)
{
    if (!dm)
        return NULL;
    uintptr_t address = AddressFields(dm->pdmSettingStore, dm->reserved2820);
    uintptr_t handle = AddressFields(dm->pdmSettingStoreHandle, dm->reserved2812);
    if (handle != address)
        return NULL;
    LiveStore *entry = LiveEntryOf(reinterpret_cast<const SettingStore *>(address));
    return entry ? entry->store : NULL;
}

SettingStore *AllocSettingStore(PXDEVMODE *dm)
{
    SettingStore *store = NewSettingStore();
    if (store)
        AttachSettingStore(dm, store);
    return store;
}

void ReleaseSettingStore(PXDEVMODE *dm)
{
    FreeSettingStore(StoreFromDevMode(dm));
    WriteStoreFields(dm, NULL);
}

int SettingBlockOf(const PXDEVMODE *dm)
{
    uint32_t type = dm->pdmPaperType.id;
    if (type >= PX_PAPER_TYPE_STANDARD && type < PX_PAPER_TYPE_STANDARD + PX_SETTING_BLOCKS)
        return static_cast<int>(type - PX_PAPER_TYPE_STANDARD);
    return -1;
}

int SettingCountOf(const PXDEVMODE *dm, int block)
{
    if (block < 0 || block >= PX_SETTING_BLOCKS)
        return 0;
    return BoundedSettingCount(dm->pdmSettingCount[block]);
}

PrintSetting *SettingRecordAddress(const PXDEVMODE *dm, int slot)
{
    SettingStore *store = StoreFromDevMode(dm);
    int block = SettingBlockOf(dm);
    if (!store || block < 0 || slot < 0 || slot >= PX_SETTING_SLOTS)
        return NULL;
    return &store->blocks[block][slot];
}

void CopyProfileName(WCHAR *target, const WCHAR *source)
{
    size_t length = 0;
    while (length < PX_PATH_CHARS && source[length])
        length++;
    if (length == PX_PATH_CHARS)
        length = 0;
    memcpy(target, source, length * sizeof(WCHAR));
    memset(target + length, 0, (PX_PATH_CHARS - length) * sizeof(WCHAR));
}

// The device-mode fields a print setting record carries, and where.
struct SettingField {
    DevModeFieldId id;
    uint16_t record;
    uint16_t recordBytes;  // of one element
    FieldSetting how;
};

#define SETTING(member, how) \
    offsetof(PrintSetting, member), sizeof(PrintSetting::member), SETTING_##how
#define NO_SETTING 0, 0, SETTING_NONE
#define SETTING_ROW(id, path, show, bit, test, low, high, settle, column, param, setting) \
    {PXF_##id, setting},
static constexpr SettingField kSettingRows[PXF_COUNT] = {PX_DEVMODE_FIELDS(SETTING_ROW)};
#undef SETTING_ROW
#undef NO_SETTING
#undef SETTING

// An array of the device mode lies in as many adjacent fields of the record.
static_assert(offsetof(PrintSetting, cyanInk) == offsetof(PrintSetting, blackInk) + 2 &&
                  offsetof(PrintSetting, magentaInk) == offsetof(PrintSetting, blackInk) + 4 &&
                  offsetof(PrintSetting, yellowInk) == offsetof(PrintSetting, blackInk) + 6,
              "ink amounts in device-mode order");

static constexpr bool SettingFieldsFit()
{
    for (const SettingField &f : kSettingRows) {
        const DevModeField &d = kDevModeFields[f.id];
        if (f.how != SETTING_NONE && f.recordBytes * d.count != d.bytes)
            return false;
        if (f.how == SETTING_PATH && d.kind != FIELD_TEXT)
            return false;
    }
    return true;
}
static_assert(SettingFieldsFit(), "a print setting field does not fit its device-mode field");

static void CopySettingField(const SettingField &f, BYTE *to, const BYTE *from)
{
    if (f.how == SETTING_PATH)
        CopyProfileName(reinterpret_cast<WCHAR *>(to), reinterpret_cast<const WCHAR *>(from));
    else
        memcpy(to, from, kDevModeFields[f.id].bytes);
}

// Resolution choice, adjustments, effect and profiles; the print mode has a
// step of its own.
static void ApplySettingFields(PXDEVMODE *dm, const PrintSetting *record)
{
    for (const SettingField &f : kSettingRows)
        if (f.how == SETTING_COPY || f.how == SETTING_PATH)
            CopySettingField(f, reinterpret_cast<BYTE *>(dm) + kDevModeFields[f.id].offset,
                             reinterpret_cast<const BYTE *>(record) + f.record);
}

static void CaptureSettingFields(const PXDEVMODE *dm, PrintSetting *record)
{
    for (const SettingField &f : kSettingRows)
        if (f.how != SETTING_NONE)
            CopySettingField(f, reinterpret_cast<BYTE *>(record) + f.record,
                             reinterpret_cast<const BYTE *>(dm) + kDevModeFields[f.id].offset);
}

static void ApplyColor(PXDEVMODE *dm, const PrintSetting *record)
{
    dm->pdmColorProcess &= ~PX_PROCESS_MODE_MASK;
    dm->pdmGrayFlag = 0;
    if (record->colorMode == 1) {
        dm->pdmColorProcess |= PX_PROCESS_COLOR;
        dm->dm.dmColor = DMCOLOR_COLOR;
    } else if (record->grayMethod == PX_GRAY_WITH_COLOR_INKS) {
        dm->pdmColorProcess |= PX_PROCESS_COLOR;
        dm->dm.dmColor = DMCOLOR_COLOR;
        dm->pdmGrayFlag = 1;
    } else if (record->grayLevels) {
        dm->pdmColorProcess |= PX_PROCESS_GRAY_SHADES;
        dm->dm.dmColor = DMCOLOR_MONOCHROME;
    } else {
        dm->pdmColorProcess |= PX_PROCESS_BLACK_WHITE;
        dm->dm.dmColor = DMCOLOR_MONOCHROME;
    }
}

static void ApplyGrayRendering(PXDEVMODE *dm, const PrintSetting *record)
{
    uint32_t bits;
    switch (record->grayMethod) {
    case PX_GRAY_WITH_COLOR_INKS: bits = PX_PROCESS_GRAY_COLOR_INKS; break;
    case PX_GRAY_BLACK_INK: bits = PX_PROCESS_GRAY_BLACK_INK; break;
    case PX_GRAY_PATTERN_DITHER: bits = PX_PROCESS_PATTERN_DITHER; break;
    default: bits = PX_PROCESS_FAST_DIFFUSION; break;
    }
    dm->pdmColorProcess = (dm->pdmColorProcess & ~PX_PROCESS_GRAY_MASK) | bits;
}

static void ApplyQualityMode(PXDEVMODE *dm, const PrintModeRow *row)
{
    // A failed search keeps the rest of the record as it was.
    QualityModeRecord found = {};
    if (DdQltModeSearch(row->qualityModeId, &found))
        dm->pdmQualityMode = found;
    dm->pdmQualityMode.id = row->qualityModeId;
}

static void ApplyColorFlags(PXDEVMODE *dm, const PrintSetting *record)
{
    uint32_t flags = dm->pdmColorFlags & ~PX_COLOR_FLAG_CORRECTION_MASK;
    flags |= record->useCorrection ? PX_COLOR_FLAG_CORRECTION_ON : PX_COLOR_FLAG_CORRECTION_OFF;
    flags |= PX_COLOR_FLAG_SETTING_APPLIED;
    if (record->dataResolution == PX_RESOLUTION_INDEX_AUTO)
        flags |= PX_COLOR_FLAG_AUTO_RESOLUTION;
    else
        flags &= ~PX_COLOR_FLAG_AUTO_RESOLUTION;
    dm->pdmColorFlags = flags;
}

static void ApplyColorCorrection(PXDEVMODE *dm, const PrintSetting *record)
{
    if (record->useCorrection != 1 || record->colorCorrection < 0 ||
        record->colorCorrection >= PX_COLOR_CORRECTION_CHOICES)
        return;
    ColorCorrectionRecord found = {};
    if (DdCCRmSearch(PX_COLOR_CORRECTION_BASE + record->colorCorrection, &found))
        dm->pdmColorCorrection = found;
}

// Parameters the user has not set explicitly follow the print mode.
static void ApplyPrintModeParameters(PXDEVMODE *dm, const PrintModeRow *row)
{
    BYTE *base = reinterpret_cast<BYTE *>(dm);
    for (const DevModeField &field : kDevModeFields) {
        if (field.settle != SETTLE_MODE)
            continue;
        uint32_t set;
        memcpy(&set, base + kDevModeFields[field.id - 1].offset, sizeof set);
        uint16_t value = PrintModeColumn(row, field.column);
        if (!set)
            memcpy(base + field.offset, &value, sizeof value);
    }
}

int ApplyPrintSetting(PXDEVMODE *dm, const PrintSetting *record)
{
    ApplyColor(dm, record);
    // A print mode outside the tables (a damaged file) leaves the print
    // mode and what follows from it as they were.
    const PrintModeRow *row = PrintModeRowFor(dm->pdmPaperType.id, record->printMode);
    if (row) {
        ApplyQualityMode(dm, row);
        dm->pdmPrintMode = static_cast<int16_t>(record->printMode);
    }
    ApplyColorFlags(dm, record);
    ApplyGrayRendering(dm, record);
    ApplyColorCorrection(dm, record);
    ApplySettingFields(dm, record);
    if (row)
        ApplyPrintModeParameters(dm, row);
    BOOL matching = record->icmEnabled && record->grayMethod == PX_GRAY_WITH_COLOR_INKS &&
                    record->colorMode == 1;
    dm->dm.dmICMMethod = matching ? DMICMMETHOD_SYSTEM : DMICMMETHOD_NONE;
    return 0;
}

static void CaptureColor(const PXDEVMODE *dm, PrintSetting *record)
{
    if (dm->dm.dmColor == DMCOLOR_COLOR && (dm->pdmColorProcess & PX_PROCESS_COLOR)) {
        record->colorMode = dm->pdmGrayFlag ? 0 : 1;
        record->grayLevels = 1;
    } else if (dm->dm.dmColor == DMCOLOR_MONOCHROME) {
        record->colorMode = 0;
        record->grayLevels = (dm->pdmColorProcess & PX_PROCESS_BLACK_WHITE) ? 0 : 1;
    }
    uint32_t process = dm->pdmColorProcess;
    if (process & PX_PROCESS_GRAY_COLOR_INKS)
        record->grayMethod = PX_GRAY_WITH_COLOR_INKS;
    else if (process & PX_PROCESS_GRAY_BLACK_INK)
        record->grayMethod = PX_GRAY_BLACK_INK;
    else if (process & PX_PROCESS_PATTERN_DITHER)
        record->grayMethod = PX_GRAY_PATTERN_DITHER;
    else
        record->grayMethod = PX_GRAY_FAST_DIFFUSION;
}

void CapturePrintSetting(const PXDEVMODE *dm, PrintSetting *record)
{
    memset(record->name, 0, sizeof record->name);
    record->presetId = 0;
    record->useCorrection = 1;
    uint32_t correction = dm->pdmColorCorrection.id - PX_COLOR_CORRECTION_BASE;
    if (correction < PX_COLOR_CORRECTION_CHOICES)
        record->colorCorrection = static_cast<int16_t>(correction);
    record->icmEnabled = dm->dm.dmICMMethod == DMICMMETHOD_SYSTEM ? 1 : 0;
    CaptureColor(dm, record);
    CaptureSettingFields(dm, record);
}

int ApplySettingInForce(PXDEVMODE *dm)
{
    if (dm->pdmSettingIndex == PX_SETTING_INDEX_CURRENT)
        return 0;
    const PrintSetting *record = SettingRecordAddress(dm, dm->pdmSettingIndex);
    return record ? ApplyPrintSetting(dm, record) : 0;
}

static WCHAR FoldAscii(WCHAR c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<WCHAR>(c - L'a' + L'A') : c;
}

static BOOL NamesMatch(const WCHAR *stored, const WCHAR *name)
{
    size_t length = 0;
    while (length < PX_SETTING_NAME_CHARS && stored[length])
        length++;
    size_t i = 0;
    for (; i < length; i++)
        if (!name[i] || FoldAscii(stored[i]) != FoldAscii(name[i]))
            return FALSE;
    return name[i] == 0;
}

int FindPrintSettingByName(const PXDEVMODE *dm, const WCHAR *name, const PrintSetting *reference)
{
    if (!SettingRecordAddress(dm, 0))
        return -1;
    int count = SettingCountOf(dm, SettingBlockOf(dm));
    for (int slot = 0; slot < count; slot++) {
        const PrintSetting *record = SettingRecordAddress(dm, slot);
        if (NamesMatch(record->name, name) && record->colorMode == reference->colorMode &&
            record->grayLevels == reference->grayLevels)
            return slot;
    }
    return -1;
}

int MovePrintSetting(PXDEVMODE *dm, int from, int to)
{
    int block = SettingBlockOf(dm);
    int count = SettingCountOf(dm, block);
    // Only registered records move, and only within the registered ones.
    if (from == to || from < 0 || to < -1 || from >= count || to >= count ||
        !SettingRecordAddress(dm, 0))
        return 1;
    PrintSetting *records = SettingRecordAddress(dm, 0);
    UniqueBlock<PrintSetting> buffer = UniqueBlock<PrintSetting>::Allocate(PX_SETTING_BLOCK_BYTES);
    PrintSetting *order = buffer.get();
    if (!order)
        return 0;
    if (to >= 0)
        order[to] = records[from];
    int source = 0;
    for (int position = 0; position < count; position++) {
        if (position == to)
            continue;
        if (source == from)
            source++;
        if (source < PX_SETTING_MAX_COUNT)
            order[position] = records[source++];
    }
    if (to < 0)
        dm->pdmSettingCount[block] = static_cast<int16_t>(--count);
    memcpy(records, order, count * sizeof(PrintSetting));
    return 1;
}
