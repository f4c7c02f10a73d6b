// The Advanced dialog's state, shared by the files that make up the dialog.
// Each opening has its own, kept with its window: two sheets may each have
// their Advanced dialog open at once.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"
#include "settings/settingstore.h"

#define PX_NO_SETTING 0xFFFFu
#define PX_SETTING_NAME_LIMIT 31

struct AdvancedState {
    PrintSetting working;          // the settings shown and edited
    uint16_t selected;             // registered setting the working record came from
    BOOL changed;                  // the user touched a setting since it was loaded
    int16_t savedIndex;            // pdmSettingIndex when the dialog opened
    int16_t savedCount;            // pdmSettingCount of the paper type then
    PrintSetting savedBlock[PX_SETTING_SLOTS];
    PageContext *ctx;
    BOOL refreshing;               // the dialog itself is writing its controls
};

// The state of the Advanced dialog `dialog` (kept in DWLP_USER), or null
// before WM_INITDIALOG.
AdvancedState *AdvancedOf(HWND dialog);

// The device mode the dialog edits.
inline PXDEVMODE *AdvancedDevMode(const AdvancedState &state) { return &state.ctx->dmCurrent; }

// The number of registered settings of the paper type; 0 without a block.
int RegisteredCount(const AdvancedState &state);
// Registered record i of the paper type; null outside 0 to 20 or without a
// block in the store.
PrintSetting *RegisteredRecord(const AdvancedState &state, int slot);

// Fills the setting controls from the working record and applies the
// enabling rules (advsettings.cpp).
void FillProfileList(HWND dialog);
void RefreshSettings(HWND dialog, AdvancedState &state);
void ApplyEnabling(HWND dialog, const AdvancedState &state);
// A setting list or box changed by the user (CBN_SELCHANGE, BN_CLICKED);
// TRUE when the command was one of them.
BOOL SettingCommand(HWND dialog, AdvancedState &state, int id, WORD notification);

// The registered-settings list (advregistered.cpp).
void FillRegisteredList(HWND dialog, const AdvancedState &state);
void MeasureRegisteredItem(MEASUREITEMSTRUCT *item);
void DrawRegisteredItem(const DRAWITEMSTRUCT *item, const AdvancedState &state);
void ShowRegisteredMenu(HWND dialog, const AdvancedState &state, LPARAM screenPoint);
void ChooseRegistered(HWND dialog, AdvancedState &state);
void AddRegistered(HWND dialog, AdvancedState &state);
void RemoveRegistered(HWND dialog, AdvancedState &state);
void MoveRegistered(HWND dialog, AdvancedState &state, int command);
// Whether the selected record may be deleted (a user setting, selected,
// and not the only one).
BOOL SelectedRemovable(const AdvancedState &state);
