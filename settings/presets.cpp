#include "settings/presets.h"

#include <string.h>

#include "core/ddops.h"
#include "core/module.h"
#include "devmode/template.h"
#include "resources/ids_strings.h"

static constexpr PrintSetting MakePreset(uint16_t presetId, uint16_t printMode, uint16_t colorMode,
                                         int16_t colorCorrection, uint32_t icmEnabled)
{
    PrintSetting preset{};
    const wchar_t profile[] = L"sRGB Color Space Profile.icm";
    for (size_t i = 0; profile[i]; i++)
        preset.imageProfile[i] = profile[i];
    preset.presetId = presetId;
    preset.printMode = printMode;
    preset.dataResolution = PX_RESOLUTION_INDEX_AUTO;
    preset.colorMode = colorMode;
    preset.grayLevels = 1;
    preset.grayMethod = PX_GRAY_WITH_COLOR_INKS;
    preset.useCorrection = 1;
    preset.colorCorrection = colorCorrection;
    preset.icmEnabled = icmEnabled;
    preset.gamma = 10;
    preset.totalInkLimit = 400;
    preset.editable = 1;
    preset.effect = PX_EFFECT_AUTOMATIC;
    return preset;
}

// Paper type 0x500: standard, draft, best quality, monochrome, sepia,
// illustration; 0x501: standard and best quality.
static constexpr PrintSetting kPresets[PX_PRESET_COUNT] = {
    MakePreset(1, 5, 1, 0, 1),
    MakePreset(2, 11, 1, 0, 1),
    MakePreset(3, 0, 1, 0, 1),
    MakePreset(4, 5, 0, 0, 0),
    MakePreset(5, 5, 0, 2, 0),
    MakePreset(6, 5, 1, 1, 1),
    MakePreset(1, 3, 1, 0, 1),
    MakePreset(3, 0, 1, 0, 1),
};

const PrintSetting *BuiltInPreset(int index)
{
    return (index >= 0 && index < PX_PRESET_COUNT) ? &kPresets[index] : NULL;
}

void NamePresetFromDataDriver(PrintSetting *record)
{
    WCHAR name[PX_SETTING_NAME_CHARS] = {};
    memset(record->name, 0, sizeof record->name);
    if (DdLoadString(PX_PRESET_NAME_DD_BASE + record->presetId, name, PX_SETTING_NAME_CHARS) > 0)
        lstrcpynW(record->name, name, PX_SETTING_NAME_CHARS);
}

void InstallPresets(PXDEVMODE *dm)
{
    SettingStore *store = StoreFromDevMode(dm);
    if (store) {
        for (int i = 0; i < PX_PRESETS_1280; i++) {
            store->blocks[0][i] = kPresets[i];
            NamePresetFromDataDriver(&store->blocks[0][i]);
        }
        for (int i = 0; i < PX_PRESETS_1281; i++) {
            store->blocks[1][i] = kPresets[PX_PRESETS_1280 + i];
            NamePresetFromDataDriver(&store->blocks[1][i]);
        }
    }
    dm->pdmSettingCount[0] = PX_PRESETS_1280;
    dm->pdmSettingCount[1] = PX_PRESETS_1281;
    dm->pdmSettingIndex = 0;
}

void NamePresetFromModule(PrintSetting *record)
{
    memset(record->name, 0, sizeof record->name);
    LoadStringW(ModuleInstance(), IDS_PRESET_NAME_BASE + record->presetId, record->name,
                PX_SETTING_NAME_CHARS);
}
