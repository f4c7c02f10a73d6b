#include "settingsfiles/paramfile.h"

#include <string.h>

#include <type_traits>

#include "core/module.h"
#include "core/scope.h"
#include "core/trace.h"
#include "devmode/fields.h"
#include "devmode/template.h"
#include "resources/ids_strings.h"
#include "settingsfiles/safewrite.h"

#define RECORD_BYTES ((DWORD)sizeof(PrintSetting))

// Reads up to `bytes` into a zero-filled buffer; what lies beyond the end
// of the file stays zero. FALSE only when a read fails.
static BOOL ReadZeroFilled(HANDLE file, void *buffer, DWORD bytes)
{
    BYTE *at = static_cast<BYTE *>(buffer);
    while (bytes > 0) {
        DWORD read = 0;
        if (!ReadFile(file, at, bytes, &read, NULL))
            return FALSE;
        if (read == 0)
            return TRUE;
        at += read;
        bytes -= read;
    }
    return TRUE;
}

// A print mode must name a row of the print-mode tables; otherwise the file
// is damaged.
static BOOL PrintModeInRange(int16_t printMode)
{
    return ValueWithinBounds(kDevModeFields[PXF_pdmPrintMode], printMode);
}

static UINT CheckHeader(const ParamFileHeader *header)
{
    if (header->version > PX_FILE_VERSION)
        return IDS_OVP_UNKNOWN_VERSION;
    if (header->modelMark != PX_FILE_MODEL_MARK)
        return IDS_OVP_OTHER_MODEL;
    return 0;
}

static UINT TakeCounts(ParamFileImage *image)
{
    const ParamFileBody *body = &image->body;
    if (image->header.version == PX_FILE_VERSION) {
        image->counts[0] = static_cast<int16_t>(body->pdmSettingCount[0]);
        image->counts[1] = static_cast<int16_t>(body->pdmSettingCount[1]);
    } else {
        image->counts[0] = static_cast<int16_t>(body->legacySettingCount);
        image->counts[1] = 0;
    }
    return SettingCountValid(image->counts[0]) && SettingCountValid(image->counts[1]) ? 0 : IDS_OVP_DAMAGED;
}

static UINT ReadRecords(HANDLE file, ParamFileImage *image)
{
    int total = image->counts[0] + image->counts[1];
    if (total == 0)
        return 0;
    image->records = static_cast<PrintSetting *>(PxAlloc(RECORD_BYTES * total));
    if (!image->records)
        return IDS_OVP_DAMAGED;
    for (int i = 0; i < total; i++)
        if (!ReadZeroFilled(file, &image->records[i], RECORD_BYTES))
            return IDS_OVP_DAMAGED;
    return 0;
}

static UINT ReadParamFile(HANDLE file, ParamFileImage *image)
{
    if (!ReadZeroFilled(file, &image->header, sizeof image->header))
        return IDS_OVP_DAMAGED;
    UINT message = CheckHeader(&image->header);
    if (!message && !ReadZeroFilled(file, &image->body, sizeof image->body))
        message = IDS_OVP_DAMAGED;
    if (!message)
        message = TakeCounts(image);
    if (!message)
        message = ReadRecords(file, image);
    if (!message) {
        if (!PrintModeInRange(static_cast<int16_t>(image->body.pdmPrintMode)))
            message = IDS_OVP_DAMAGED;
    }
    return message;
}

UINT LoadParamFileImage(const WCHAR *fileName, ParamFileImage *image)
{
    memset(image, 0, sizeof *image);
    UINT message;
    {
        UniqueFile file(CreateFileW(fileName, GENERIC_READ, 0, NULL, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, NULL));
        if (!file)
            return IDS_OVP_DAMAGED;
        message = ReadParamFile(file.get(), image);
    }
    if (message) {
        PX_TRACE(L"%ls refused: message %u", fileName, message);
        ReleaseParamFileImage(image);
    }
    return message;
}

void ReleaseParamFileImage(ParamFileImage *image)
{
    PxFree(image->records);
    image->records = NULL;
}

// Where the body keeps a device-mode field: its slot in the body, and the
// bytes of the device mode it holds (the id of a record, or the field).
struct BodyField {
    DevModeFieldId id;
    uint16_t body;
    uint16_t bodyBytes;
    FieldParam how;
};

#define PARAM(member, how) offsetof(ParamFileBody, member), sizeof(ParamFileBody::member), PARAM_##how
#define NO_PARAM 0, 0, PARAM_NONE
#define BODY_ROW(id, path, show, bit, test, low, high, settle, column, param, setting) {PXF_##id, param},
static constexpr BodyField kBodyRows[PXF_COUNT] = {PX_DEVMODE_FIELDS(BODY_ROW)};
#undef BODY_ROW
#undef NO_PARAM
#undef PARAM

// The id of a record sits at the record's own offset of its id.
template <typename T>
constexpr size_t IdOffset()
{
    if constexpr (std::is_class<T>::value)
        return offsetof(T, id);
    else
        return 0;
}
#define ID_ROW(id, path, ...) \
    IdOffset<std::remove_reference<decltype(static_cast<PXDEVMODE *>(nullptr)->path)>::type>(),
static constexpr size_t kIdOffsets[PXF_COUNT] = {PX_DEVMODE_FIELDS(ID_ROW)};
#undef ID_ROW

static constexpr uint16_t DevModeOffset(const BodyField &f)
{
    return static_cast<uint16_t>(kDevModeFields[f.id].offset + (f.how == PARAM_ID ? kIdOffsets[f.id] : 0));
}

static constexpr bool BodyFieldsFit()
{
    for (const BodyField &f : kBodyRows) {
        const DevModeField &d = kDevModeFields[f.id];
        switch (f.how) {
        case PARAM_NONE: break;
        case PARAM_WIDE:
            if (f.bodyBytes != 4 || d.bytes != 2 || (d.kind != FIELD_S16 && d.kind != FIELD_U16))
                return false;
            break;
        case PARAM_ID:
            if (f.bodyBytes != 4 || d.kind != FIELD_RECORD)
                return false;
            break;
        case PARAM_PATH:
            if (d.kind != FIELD_TEXT || f.bodyBytes != d.bytes || d.bytes != PX_PATH_CHARS * sizeof(WCHAR))
                return false;
            break;
        case PARAM_SAME:
            if (f.bodyBytes != d.bytes)
                return false;
            break;
        }
    }
    return true;
}
static_assert(BodyFieldsFit(), "a body slot does not fit its device-mode field");

// A 16-bit device-mode value as its 32-bit slot holds it.
static int32_t Widened(const BYTE *at, FieldKind kind)
{
    int16_t value;
    memcpy(&value, at, sizeof value);
    return kind == FIELD_S16 ? value : static_cast<uint16_t>(value);
}

void BodyFromDevMode(const PXDEVMODE *dm, ParamFileBody *body)
{
    memset(body, 0, sizeof *body);
    const BYTE *from = reinterpret_cast<const BYTE *>(dm);
    BYTE *to = reinterpret_cast<BYTE *>(body);
    for (const BodyField &f : kBodyRows) {
        if (f.how == PARAM_PATH) {
            CopyProfileName(reinterpret_cast<WCHAR *>(to + f.body),
                            reinterpret_cast<const WCHAR *>(from + DevModeOffset(f)));
        } else if (f.how == PARAM_WIDE) {
            int32_t slot = Widened(from + DevModeOffset(f), kDevModeFields[f.id].kind);
            memcpy(to + f.body, &slot, sizeof slot);
        } else if (f.how != PARAM_NONE) {
            memcpy(to + f.body, from + DevModeOffset(f), f.bodyBytes);
        }
    }
    // A count beyond the registered slots would make a file that cannot load.
    body->pdmSettingCount[0] = SettingCountOf(dm, 0);
    body->pdmSettingCount[1] = SettingCountOf(dm, 1);
}

void DevModeFromBody(const ParamFileBody *body, PXDEVMODE *dm)
{
    const BYTE *from = reinterpret_cast<const BYTE *>(body);
    BYTE *to = reinterpret_cast<BYTE *>(dm);
    for (const BodyField &f : kBodyRows) {
        if (f.how == PARAM_PATH)
            CopyProfileName(reinterpret_cast<WCHAR *>(to + DevModeOffset(f)),
                            reinterpret_cast<const WCHAR *>(from + f.body));
        else if (f.how == PARAM_WIDE)  // the low half of the slot
            memcpy(to + DevModeOffset(f), from + f.body, kDevModeFields[f.id].bytes);
        else if (f.how != PARAM_NONE)
            memcpy(to + DevModeOffset(f), from + f.body, f.bodyBytes);
    }
    const PrintModeRow *row = PrintModeRowFor(body->paperTypeId, dm->pdmPrintMode);
    if (row)
        dm->pdmQualityMode.id = row->qualityModeId;
}

static void TakeParamFileImage(const ParamFileImage *image, PXDEVMODE *dm, SettingStore *store)
{
    DevModeFromBody(&image->body, dm);
    dm->pdmSettingCount[0] = static_cast<int16_t>(image->counts[0]);
    if (image->header.version == PX_FILE_VERSION)
        dm->pdmSettingCount[1] = static_cast<int16_t>(image->counts[1]);
    for (int block = 0, first = 0; block < PX_SETTING_BLOCKS; first += image->counts[block++])
        if (image->counts[block])
            memcpy(store->blocks[block], image->records + first, RECORD_BYTES * image->counts[block]);
}

UINT LoadSettingsFile(const WCHAR *fileName, PXDEVMODE *dm, SettingStore *store)
{
    if (!store)
        return IDS_OVP_DAMAGED;
    ParamFileImage image;
    UINT message = LoadParamFileImage(fileName, &image);
    if (message)
        return message;
    TakeParamFileImage(&image, dm, store);
    ReleaseParamFileImage(&image);
    return 0;
}

BOOL SaveSettingsFile(const WCHAR *fileName, const PXDEVMODE *dm, const SettingStore *store)
{
    if (!store)
        return FALSE;
    UniqueBlock<ParamFileBody> body = UniqueBlock<ParamFileBody>::Allocate();
    SafeWrite w;
    if (!body || !BeginSafeWrite(&w, fileName))
        return FALSE;
    ParamFileHeader header = {};
    header.modelMark = PX_FILE_MODEL_MARK;
    header.version = PX_FILE_VERSION;
    SafeWriteBytes(&w, &header, sizeof header);
    BodyFromDevMode(dm, body.get());
    SafeWriteBytes(&w, body.get(), sizeof *body.get());
    for (int block = 0; block < PX_SETTING_BLOCKS; block++)
        for (int slot = 0; slot < body->pdmSettingCount[block]; slot++)
            SafeWriteBytes(&w, &store->blocks[block][slot], RECORD_BYTES);
    return CommitSafeWrite(&w);
}
