// The Advanced dialog's state, shared by the files that make up the dialog.
// The dialog is modal and opened from one page at a time, so the state is
// module-wide.
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

AdvancedState &Advanced(void);

// The device mode the dialog edits.
inline PXDEVMODE *AdvancedDevMode(void) { return &Advanced().ctx->dmCurrent; }

// The number of registered settings of the paper type; 0 without a block.
int RegisteredCount(void);
// Registered record i of the paper type; null outside 0 to 20 or without a
// block in the store.
PrintSetting *RegisteredRecord(int slot);

// Fills the setting controls from the working record and applies the
// enabling rules (advsettings.cpp).
void FillProfileList(HWND dialog);
void RefreshSettings(HWND dialog);
void ApplyEnabling(HWND dialog);
// A setting list or box changed by the user (CBN_SELCHANGE, BN_CLICKED);
// TRUE when the command was one of them.
BOOL SettingCommand(HWND dialog, int id, WORD notification);

// The registered-settings list (advregistered.cpp).
void FillRegisteredList(HWND dialog);
void MeasureRegisteredItem(MEASUREITEMSTRUCT *item);
void DrawRegisteredItem(const DRAWITEMSTRUCT *item);
void ShowRegisteredMenu(HWND dialog, LPARAM screenPoint);
void ChooseRegistered(HWND dialog);
void AddRegistered(HWND dialog);
void RemoveRegistered(HWND dialog);
void MoveRegistered(HWND dialog, int command);
// Whether the selected record may be deleted (a user setting, selected,
// and not the only one).
BOOL SelectedRemovable(void);
