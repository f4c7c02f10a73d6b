// The working settings file: the registered settings store of one user and
// printer, kept from one property sheet to the next under the user's
// application-data folder. Failures are never shown: the caller installs
// the built-in presets instead.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "settings/settingstore.h"

#define PX_FILE_MODEL_MARK 2501
#define PX_FILE_VERSION 2

struct WorkFileHeader {
    uint16_t modelMark;
    int16_t version;
    int16_t settingIndex;      // not read back
    int16_t legacyCount;       // versions 0 and 1: records, all of paper type 0x500
    int16_t counts[2];         // version 2: paper types 0x500 and 0x501
    uint8_t reserved12[4];
};
static_assert(sizeof(WorkFileHeader) == 16, "working settings file header");
static_assert(offsetof(WorkFileHeader, version) == 2, "");
static_assert(offsetof(WorkFileHeader, settingIndex) == 4, "");
static_assert(offsetof(WorkFileHeader, legacyCount) == 6, "");
static_assert(offsetof(WorkFileHeader, counts) == 8, "");
static_assert(offsetof(WorkFileHeader, reserved12) == 12, "");

// Why a file was not taken.
enum WorkFileResult {
    WORKFILE_OK = 0,
    WORKFILE_NOT_FOUND,        // no path or the file cannot be opened
    WORKFILE_SHORT_HEADER,
    WORKFILE_BAD_VERSION,      // above 2
    WORKFILE_OTHER_MODEL,
    WORKFILE_BAD_COUNT,        // outside 0 to PX_SETTING_MAX_COUNT
    WORKFILE_BAD_SIZE,         // not exactly header + records
    WORKFILE_READ_FAILED,
    WORKFILE_NO_MEMORY,
};

// A file read whole and checked, before anything is taken from it.
struct WorkFileImage {
    WorkFileHeader header;
    int counts[2];             // records per paper type as the file holds them
    PrintSetting *records;     // counts[0] + counts[1]; null when none
};

WorkFileResult LoadWorkFileImage(const WCHAR *path, WorkFileImage *image);
void ReleaseWorkFileImage(WorkFileImage *image);

// Builds "<file>(<server>).$$$" for a printer shared from a server, else
// "<printer>.$$$", in folder; FALSE when the result passes 259 characters.
BOOL FormatWorkingSettingsName(const WCHAR *folder, const PRINTER_INFO_2W *printer,
                               WCHAR *buffer);
// The printer's working settings file (buffer of MAX_PATH characters); the
// folders are created on the way.
BOOL GetWorkingSettingsPath(HANDLE printer, WCHAR *buffer);
// The same from the printer's information already read.
BOOL WorkingSettingsPathFor(const PRINTER_INFO_2W *printer, WCHAR *buffer);

// Fills the store and setting counts of dm from the file; dm and the store
// are unchanged unless the whole file was read and accepted.
WorkFileResult ReadWorkingSettingsFile(const WCHAR *path, PXDEVMODE *dm, SettingStore *store);
// Writes the store; an existing file is replaced only by a complete new one.
BOOL WriteWorkingSettingsFile(const WCHAR *path, const PXDEVMODE *dm, const SettingStore *store);
