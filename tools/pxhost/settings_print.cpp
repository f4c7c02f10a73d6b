#include "tools/pxhost/settings_print.h"

#include <inttypes.h>
#include <string.h>

#include <array>

#include "devmode/fields.h"

#include "tools/pxhost/commands.h"

// The device-mode fields the parameter file carries as they are (not the
// ids of records, not the setting counts, which are shown apart).
static constexpr std::array<const char *, PXF_COUNT + 1> ParamFileFieldNames()
{
    std::array<const char *, PXF_COUNT + 1> names{};
    int n = 0;
    for (const DevModeField &field : kDevModeFields)
        if (field.param != PARAM_NONE && field.param != PARAM_ID)
            names[n++] = field.name;
    return names;
}
static constexpr std::array<const char *, PXF_COUNT + 1> kParamFileFieldNames = ParamFileFieldNames();
const char *const *const kParamFileFields = kParamFileFieldNames.data();

void PrintRefusedFile(const WCHAR *path, int id, const WCHAR *message, BOOL json)
{
    if (!json) {
        PrintUtf8(L"refused: %ls: %d %ls\n", path, id, message);
        return;
    }
    Json refused = Json::object();
    refused["id"] = id;
    refused["message"] = Utf8(message, lstrlenW(message));
    Json document = Json::object();
    document["refused"] = refused;
    fflush(stdout);
    PrintJson(stdout, document);
}

const WCHAR *WorkFileResultName(WorkFileResult result)
{
    switch (result) {
    case WORKFILE_OK: return L"ok";
    case WORKFILE_NOT_FOUND: return L"the file cannot be opened";
    case WORKFILE_SHORT_HEADER: return L"shorter than its 16-byte header";
    case WORKFILE_BAD_VERSION: return L"version above 2";
    case WORKFILE_OTHER_MODEL: return L"model mark is not 2501";
    case WORKFILE_BAD_COUNT: return L"a setting count is below 0 or above 20";
    case WORKFILE_BAD_SIZE: return L"size is not 16 + 1184 x the setting count";
    case WORKFILE_READ_FAILED: return L"a record cannot be read";
    case WORKFILE_NO_MEMORY: return L"out of memory";
    }
    return L"unknown";
}

enum SettingKind { SK_TEXT, SK_U16, SK_S16, SK_U32 };

struct SettingField {
    const char *name;
    size_t offset;
    size_t chars;       // SK_TEXT: characters of the field
    SettingKind kind;
};

#define TEXT_FIELD(member) {#member, offsetof(PrintSetting, member), \
    sizeof(static_cast<PrintSetting *>(nullptr)->member) / sizeof(WCHAR), SK_TEXT}
#define NUMBER_FIELD(member, kind) {#member, offsetof(PrintSetting, member), 0, kind}

static const SettingField kSettingFields[] = {
    TEXT_FIELD(name),
    NUMBER_FIELD(presetId, SK_U16),
    NUMBER_FIELD(printMode, SK_U16),
    NUMBER_FIELD(dataResolution, SK_S16),
    NUMBER_FIELD(colorMode, SK_U16),
    NUMBER_FIELD(grayLevels, SK_U16),
    NUMBER_FIELD(grayMethod, SK_U16),
    NUMBER_FIELD(useCorrection, SK_U16),
    NUMBER_FIELD(colorCorrection, SK_S16),
    NUMBER_FIELD(icmEnabled, SK_U32),
    TEXT_FIELD(imageProfile),
    TEXT_FIELD(printerProfile),
    NUMBER_FIELD(cyanRed, SK_S16),
    NUMBER_FIELD(magentaGreen, SK_S16),
    NUMBER_FIELD(yellowBlue, SK_S16),
    NUMBER_FIELD(blackInk, SK_S16),
    NUMBER_FIELD(cyanInk, SK_S16),
    NUMBER_FIELD(magentaInk, SK_S16),
    NUMBER_FIELD(yellowInk, SK_S16),
    NUMBER_FIELD(saturation, SK_S16),
    NUMBER_FIELD(contrast, SK_S16),
    NUMBER_FIELD(brightness, SK_S16),
    NUMBER_FIELD(gamma, SK_S16),
    NUMBER_FIELD(totalInkLimit, SK_S16),
    NUMBER_FIELD(editable, SK_U32),
    NUMBER_FIELD(effect, SK_U16),
};

static int64_t NumberAt(const BYTE *at, SettingKind kind)
{
    switch (kind) {
    case SK_U16: { uint16_t v; memcpy(&v, at, 2); return v; }
    case SK_S16: { int16_t v; memcpy(&v, at, 2); return v; }
    case SK_U32: { uint32_t v; memcpy(&v, at, 4); return v; }
    default: return 0;
    }
}

static Json SettingJson(const PrintSetting *record)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    Json object = Json::object();
    for (const SettingField &f : kSettingFields) {
        if (f.kind == SK_TEXT)
            object[f.name] = Utf8(reinterpret_cast<const WCHAR *>(base + f.offset), f.chars);
        else
            object[f.name] = NumberAt(base + f.offset, f.kind);
    }
    return object;
}

void AddSettingsJson(Json *object, const PrintSetting *records, const int counts[2])
{
    (*object)["settingCounts"] = Json::array({counts[0], counts[1]});
    Json blocks = Json::array();
    for (int block = 0, first = 0; block < PX_SETTING_BLOCKS; first += counts[block++]) {
        Json settings = Json::array();
        for (int i = 0; i < counts[block]; i++)
            settings.push_back(SettingJson(&records[first + i]));
        blocks.push_back(settings);
    }
    (*object)["settings"] = blocks;
}

static void PrintSettingText(FILE *out, int block, int slot, const PrintSetting *record)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(record);
    for (const SettingField &f : kSettingFields) {
        fprintf(out, "settings[%d][%d].%s: ", block, slot, f.name);
        if (f.kind == SK_TEXT) {
            fprintf(out, "\"%s\"\n",
                    Utf8(reinterpret_cast<const WCHAR *>(base + f.offset), f.chars).c_str());
        } else {
            fprintf(out, "%" PRId64 "\n", NumberAt(base + f.offset, f.kind));
        }
    }
}

void PrintSettingsText(FILE *out, const PrintSetting *records, const int counts[2])
{
    fprintf(out, "settingCounts: %d %d\n", counts[0], counts[1]);
    for (int block = 0, first = 0; block < PX_SETTING_BLOCKS; first += counts[block++])
        for (int i = 0; i < counts[block]; i++)
            PrintSettingText(out, block, i, &records[first + i]);
}

void AddRecordIdsJson(Json *object, const PXDEVMODE *dm)
{
    (*object)["pdmMargin"] = Json::object({{"id", dm->pdmMargin.id}});
    (*object)["pdmPaperType"] = Json::object({{"id", dm->pdmPaperType.id}});
    (*object)["pdmColorCorrection"] = Json::object({{"id", dm->pdmColorCorrection.id}});
}

void PrintRecordIdsText(FILE *out, const PXDEVMODE *dm)
{
    fprintf(out, "pdmMargin.id: %u\npdmPaperType.id: %u\npdmColorCorrection.id: %u\n",
            dm->pdmMargin.id, dm->pdmPaperType.id, dm->pdmColorCorrection.id);
}
