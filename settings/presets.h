// The eight built-in print settings: six for paper type 0x500, then two for
// 0x501. They live for the whole process; their names start empty and are
// filled from the data driver when a device mode is built without any
// record to take its setting counts from.
#pragma once

#include "settings/settingstore.h"

#define PX_PRESETS_1280 6
#define PX_PRESETS_1281 2
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

// Loads each preset's name from the data driver's string table (4096 + its
// preset id). A name the data driver cannot give keeps its old text.
void FillBuiltInPresetNames(void);
