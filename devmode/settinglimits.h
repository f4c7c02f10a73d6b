// How many print settings a paper type can have registered, and how the
// device mode addresses them. Validation, the store and both settings files
// bound counts and indexes with these alone.
#pragma once

#include <stdint.h>

// At most 20 registered settings per paper type, in slots 0 to 19; slot 20
// holds the unregistered current setting, so a block has 21 slots.
#define PX_SETTING_MAX_COUNT 20
#define PX_SETTING_CURRENT_SLOT PX_SETTING_MAX_COUNT
#define PX_SETTING_SLOTS (PX_SETTING_MAX_COUNT + 1)
// The built-in print settings a new record counts: six for paper type 0x500
// and two for 0x501.
#define PX_PRESETS_1280 6
#define PX_PRESETS_1281 2

// pdmSettingIndex of the unregistered current setting (0xFFFF).
#define PX_SETTING_INDEX_CURRENT (-1)

// A setting count from a record or a file: 0 to 20.
inline bool SettingCountValid(int count)
{
    return count >= 0 && count <= PX_SETTING_MAX_COUNT;
}

inline int16_t BoundedSettingCount(int count)
{
    if (count < 0)
        return 0;
    return static_cast<int16_t>(count > PX_SETTING_MAX_COUNT ? PX_SETTING_MAX_COUNT : count);
}
