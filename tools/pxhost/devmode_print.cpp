#include "tools/pxhost/devmode_print.h"

#include <inttypes.h>
#include <stddef.h>
#include <string.h>

#include "devmode/fields.h"

struct FieldDesc {
    const char *name;
    size_t offset;
    size_t bytes;      // whole field, all elements
    FieldKind kind;
    int count;         // elements; 1 = a single value, more = an array
    BOOL hex;          // readable form shows the value in hexadecimal too
    const FieldDesc *members;  // FIELD_RECORD: the element's fields
    int memberCount;
};

#define MEMBER_SIZE(type, member) sizeof(static_cast<type *>(nullptr)->member)
#define FIELD(type, member, kind, count, hex) \
    {#member, offsetof(type, member), MEMBER_SIZE(type, member), kind, count, hex, NULL, 0}

static const FieldDesc kUserSize[] = {
    FIELD(PxUserSize, width, FIELD_S32, 1, FALSE),
    FIELD(PxUserSize, length, FIELD_S32, 1, FALSE),
};

static const FieldDesc kMargin[] = {
    FIELD(MarginRecord, mediaMask, FIELD_U16, 1, TRUE),
    FIELD(MarginRecord, id, FIELD_U32, 1, FALSE),
    FIELD(MarginRecord, name, FIELD_TEXT, 1, FALSE),
    FIELD(MarginRecord, lengthEnds, FIELD_S16, 2, FALSE),
    FIELD(MarginRecord, widthSides, FIELD_S16, 2, FALSE),
    FIELD(MarginRecord, group, FIELD_U32, 1, FALSE),
};

static const FieldDesc kPaperType[] = {
    FIELD(PaperTypeRecord, id, FIELD_U32, 1, FALSE),
    FIELD(PaperTypeRecord, name, FIELD_TEXT, 1, FALSE),
    FIELD(PaperTypeRecord, extra, FIELD_U32, 2, FALSE),
};

static const FieldDesc kQualityMode[] = {
    FIELD(QualityModeRecord, id, FIELD_U32, 1, FALSE),
    FIELD(QualityModeRecord, nameId, FIELD_U32, 1, FALSE),
    FIELD(QualityModeRecord, name, FIELD_TEXT, 1, FALSE),
    FIELD(QualityModeRecord, extra, FIELD_U8, 8, FALSE),
};

static const FieldDesc kColorCorrection[] = {
    FIELD(ColorCorrectionRecord, id, FIELD_U32, 1, FALSE),
    FIELD(ColorCorrectionRecord, name, FIELD_TEXT, 1, FALSE),
    FIELD(ColorCorrectionRecord, extra, FIELD_U32, 2, FALSE),
};

// The members of the data-driver records held in the device mode.
template <typename T>
struct RecordMembers {
    static constexpr const FieldDesc *table = NULL;
    static constexpr int count = 0;
};
#define RECORD_MEMBERS(type, members)                                          \
    template <>                                                                \
    struct RecordMembers<type> {                                               \
        static constexpr const FieldDesc *table = members;                     \
        static constexpr int count = static_cast<int>(ARRAYSIZE(members));     \
    };
RECORD_MEMBERS(PxUserSize, kUserSize)
RECORD_MEMBERS(MarginRecord, kMargin)
RECORD_MEMBERS(PaperTypeRecord, kPaperType)
RECORD_MEMBERS(QualityModeRecord, kQualityMode)
RECORD_MEMBERS(ColorCorrectionRecord, kColorCorrection)
#undef RECORD_MEMBERS

#define ELEMENT_OF(path) \
    FieldShape<std::remove_reference<PX_FIELD_TYPE(path)>::type>::Element
#define PRINT_ROW(id, path, ...)                                                               \
    {kDevModeFields[PXF_##id].name, kDevModeFields[PXF_##id].offset,                           \
     kDevModeFields[PXF_##id].bytes, kDevModeFields[PXF_##id].kind,                            \
     kDevModeFields[PXF_##id].count, kDevModeFields[PXF_##id].show == FIELD_HEX,               \
     RecordMembers<ELEMENT_OF(path)>::table, RecordMembers<ELEMENT_OF(path)>::count},
static const FieldDesc kFields[] = {PX_DEVMODE_FIELDS(PRINT_ROW)};
#undef PRINT_ROW
#undef ELEMENT_OF
static const int kFieldCount = static_cast<int>(sizeof kFields / sizeof kFields[0]);

static int64_t ReadNumber(const BYTE *at, FieldKind kind)
{
    switch (kind) {
    case FIELD_S8: return *reinterpret_cast<const int8_t *>(at);
    case FIELD_U8: return *at;
    case FIELD_S16: { int16_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_U16: { uint16_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_S32: { int32_t v; memcpy(&v, at, sizeof v); return v; }
    case FIELD_U32: { uint32_t v; memcpy(&v, at, sizeof v); return v; }
    default: return 0;
    }
}

// Texts in the record are WCHAR arrays that need not be terminated.
static void ReadText(const BYTE *at, size_t bytes, WCHAR *text, size_t chars)
{
    size_t n = bytes / sizeof(WCHAR);
    if (n >= chars)
        n = chars - 1;
    memcpy(text, at, n * sizeof(WCHAR));
    text[n] = 0;
}

static BOOL Selected(const FieldDesc *field, const char *const *names)
{
    if (!names)
        return TRUE;
    for (; *names; names++)
        if (strcmp(*names, field->name) == 0)
            return TRUE;
    return FALSE;
}

BOOL IsDevModeField(const char *name)
{
    for (int i = 0; i < kFieldCount; i++)
        if (name && strcmp(kFields[i].name, name) == 0)
            return TRUE;
    return FALSE;
}

// --- JSON -----------------------------------------------------------------

static Json JsonFields(const BYTE *base, const FieldDesc *fields, int count);

static Json JsonElement(const BYTE *at, const FieldDesc *field)
{
    if (field->kind == FIELD_RECORD)
        return JsonFields(at, field->members, field->memberCount);
    if (field->kind == FIELD_TEXT) {
        WCHAR text[PX_PATH_CHARS + 1];
        ReadText(at, field->bytes, text, PX_PATH_CHARS + 1);
        return Utf8(text, PX_PATH_CHARS + 1);
    }
    return ReadNumber(at, field->kind);
}

static Json JsonField(const BYTE *base, const FieldDesc *field)
{
    const BYTE *at = base + field->offset;
    if (field->count == 1)
        return JsonElement(at, field);
    size_t step = field->bytes / field->count;
    Json elements = Json::array();
    for (int i = 0; i < field->count; i++)
        elements.push_back(JsonElement(at + i * step, field));
    return elements;
}

static Json JsonFields(const BYTE *base, const FieldDesc *fields, int count)
{
    Json object = Json::object();
    for (int i = 0; i < count; i++)
        object[fields[i].name] = JsonField(base, &fields[i]);
    return object;
}

void AddDevModeJsonFields(Json *object, const PXDEVMODE *record, size_t bytes,
                          const char *const *names)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    for (int i = 0; i < kFieldCount; i++) {
        const FieldDesc *field = &kFields[i];
        if (field->offset + field->bytes <= bytes && Selected(field, names))
            (*object)[field->name] = JsonField(base, field);
    }
}

// --- readable -------------------------------------------------------------

static void PrintTextFields(FILE *out, const char *prefix, const BYTE *base,
                            const FieldDesc *fields, int count);

static void PrintTextValue(FILE *out, const char *path, const BYTE *at, const FieldDesc *field)
{
    if (field->kind == FIELD_RECORD) {
        PrintTextFields(out, path, at, field->members, field->memberCount);
        return;
    }
    if (field->kind == FIELD_TEXT) {
        WCHAR text[PX_PATH_CHARS + 1];
        ReadText(at, field->bytes, text, PX_PATH_CHARS + 1);
        fprintf(out, "%s: \"%s\"\n", path, Utf8(text, PX_PATH_CHARS + 1).c_str());
        return;
    }
    int64_t value = ReadNumber(at, field->kind);
    if (field->hex)
        fprintf(out, "%s: %" PRId64 " (0x%" PRIX64 ")\n", path, value,
                static_cast<uint64_t>(value) & 0xFFFFFFFFu);
    else
        fprintf(out, "%s: %" PRId64 "\n", path, value);
}

static void PrintTextField(FILE *out, const char *prefix, const BYTE *base,
                           const FieldDesc *field)
{
    char path[160];
    const BYTE *at = base + field->offset;
    if (field->count == 1) {
        snprintf(path, sizeof path, "%s%s%s", prefix, *prefix ? "." : "", field->name);
        PrintTextValue(out, path, at, field);
        return;
    }
    size_t step = field->bytes / field->count;
    for (int i = 0; i < field->count; i++) {
        snprintf(path, sizeof path, "%s%s%s[%d]", prefix, *prefix ? "." : "", field->name, i);
        PrintTextValue(out, path, at + i * step, field);
    }
}

static void PrintTextFields(FILE *out, const char *prefix, const BYTE *base,
                            const FieldDesc *fields, int count)
{
    for (int i = 0; i < count; i++)
        PrintTextField(out, prefix, base, &fields[i]);
}

void PrintDevMode(FILE *out, const PXDEVMODE *record, size_t bytes, DevModeFormat format,
                  const char *const *names)
{
    if (format == DEVMODE_JSON) {
        Json document = Json::object();
        AddDevModeJsonFields(&document, record, bytes, names);
        PrintJson(out, document);
        return;
    }
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    for (int i = 0; i < kFieldCount; i++) {
        const FieldDesc *field = &kFields[i];
        if (field->offset + field->bytes <= bytes && Selected(field, names))
            PrintTextField(out, "", base, field);
    }
    fflush(out);
}
