// The eight built-in print settings: six for paper type 0x500, then two for
// 0x501. The table is constant and unnamed: a store takes its copies named
// by the data driver bound when they are installed, so sheets of printers
// with different data drivers each get their own driver's names.
#pragma once

#include "settings/settingstore.h"

#define PX_PRESET_COUNT (PX_PRESETS_1280 + PX_PRESETS_1281)

// Preset ids and the data driver's string ids of their names.
#define PX_PRESET_STANDARD 1
#define PX_PRESET_BEST_QUALITY 3
#define PX_PRESET_NAME_DD_BASE 4096

// index 0 to 7; null outside.
const PrintSetting *BuiltInPreset(int index);

// Names a copy of a preset from the module's own string table
// (IDS_PRESET_NAME_BASE + its preset id).
void NamePresetFromModule(PrintSetting *record);

// Names a copy of a preset from the bound data driver's string table (4096 +
// its preset id); a name the data driver cannot give stays empty.
void NamePresetFromDataDriver(PrintSetting *record);

// Copies the eight built-in presets, named by the bound data driver, into
// dm's store; counts 6 and 2, index 0. The counts and index are set even
// when dm has no live store.
void InstallPresets(PXDEVMODE *dm);
