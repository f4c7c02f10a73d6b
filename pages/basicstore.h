// The registered settings store as the Basic page keeps it: opened with the
// page from the working settings file (the presets when that fails), saved
// when the settings are applied, released when the page goes.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// Allocates the store into dmCurrent and fills it; TRUE when the page has a
// store afterwards (also when it had one already).
BOOL OpenSettingStore(PageContext *ctx);
// Writes the store to the working settings file and releases it.
void SaveAndReleaseSettingStore(PageContext *ctx);
// Releases the store without saving it (the sheet was cancelled).
void DropSettingStore(PageContext *ctx);
