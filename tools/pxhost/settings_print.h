// Prints the contents of the settings files: print setting records keyed by
// their field names, readable ("name: value" lines) or as JSON.
#pragma once

#include <stdio.h>

#include "settings/settingstore.h"
#include "settingsfiles/workfile.h"
#include "tools/pxhost/devmode_print.h"
#include "tools/pxhost/json_out.h"

// The device-mode fields a parameter file carries, besides the ids of the
// margin, paper type and colour correction.
extern const char *const *const kParamFileFields;

// records: counts[0] of paper type 0x500, then counts[1] of 0x501.
// Adds "settingCounts" and "settings" (one array per block) to a JSON object.
void AddSettingsJson(Json *object, const PrintSetting *records, const int counts[2]);
void PrintSettingsText(FILE *out, const PrintSetting *records, const int counts[2]);

// The three embedded records of which a parameter file keeps only the id.
void AddRecordIdsJson(Json *object, const PXDEVMODE *dm);
void PrintRecordIdsText(FILE *out, const PXDEVMODE *dm);

// Why a file was refused: its id (message id or reason) and text, as a
// line or as JSON {"refused": {"id", "message"}}.
void PrintRefusedFile(const WCHAR *path, int id, const WCHAR *message, BOOL json);

// Why a working settings file is not taken, in words.
const WCHAR *WorkFileResultName(WorkFileResult result);
