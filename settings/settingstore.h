// Print setting records and the registered settings store: named sets of
// print-quality and colour choices, registered per paper type, applied to
// and captured from the device mode.
#pragma once

#include "devmode/devmode.h"
#include "devmode/papertypes.h"
#include "devmode/settinglimits.h"

#define PX_SETTING_NAME_CHARS 32
#define PX_SETTING_BLOCKS 2           // PX_PAPER_TYPE_STANDARD, PX_PAPER_TYPE_BANNER
#define PX_SETTING_BLOCK_BYTES (PX_SETTING_SLOTS * 1184)

// Colour corrections a print setting can choose: 0xE00 + choice.
#define PX_COLOR_CORRECTION_BASE 0xE00
#define PX_COLOR_CORRECTION_CHOICES 4
#define PX_EFFECT_AUTOMATIC 33

// Grey rendering of a print setting (grayMethod).
#define PX_GRAY_WITH_COLOR_INKS 0
#define PX_GRAY_BLACK_INK 1
#define PX_GRAY_FAST_DIFFUSION 2
#define PX_GRAY_PATTERN_DITHER 3

struct PrintSetting {
    WCHAR name[PX_SETTING_NAME_CHARS];
    uint16_t presetId;         // 0 user setting; 1 to 6 built-in preset
    uint16_t printMode;        // 0 to 28
    int16_t dataResolution;    // 0 to 10, 11 automatic
    uint16_t colorMode;        // 1 colour, 0 monochrome
    uint16_t grayLevels;       // 1 shades of grey, 0 black and white
    uint16_t grayMethod;       // PX_GRAY_*
    uint16_t useCorrection;
    int16_t colorCorrection;   // 0 to 3
    uint32_t icmEnabled;
    WCHAR imageProfile[PX_PATH_CHARS];
    WCHAR printerProfile[PX_PATH_CHARS];
    int16_t cyanRed;
    int16_t magentaGreen;
    int16_t yellowBlue;
    int16_t blackInk;
    int16_t cyanInk;
    int16_t magentaInk;
    int16_t yellowInk;
    int16_t saturation;
    int16_t contrast;
    int16_t brightness;
    int16_t gamma;             // tenths
    int16_t totalInkLimit;     // percent
    uint32_t editable;
    uint16_t effect;           // 33 automatic
    uint8_t reserved1154[30];
};
static_assert(sizeof(PrintSetting) == 1184, "print setting record");
static_assert(offsetof(PrintSetting, presetId) == 64, "");
static_assert(offsetof(PrintSetting, printMode) == 66, "");
static_assert(offsetof(PrintSetting, dataResolution) == 68, "");
static_assert(offsetof(PrintSetting, colorMode) == 70, "");
static_assert(offsetof(PrintSetting, grayLevels) == 72, "");
static_assert(offsetof(PrintSetting, grayMethod) == 74, "");
static_assert(offsetof(PrintSetting, useCorrection) == 76, "");
static_assert(offsetof(PrintSetting, colorCorrection) == 78, "");
static_assert(offsetof(PrintSetting, icmEnabled) == 80, "");
static_assert(offsetof(PrintSetting, imageProfile) == 84, "");
static_assert(offsetof(PrintSetting, printerProfile) == 604, "");
static_assert(offsetof(PrintSetting, cyanRed) == 1124, "");
static_assert(offsetof(PrintSetting, magentaGreen) == 1126, "");
static_assert(offsetof(PrintSetting, yellowBlue) == 1128, "");
static_assert(offsetof(PrintSetting, blackInk) == 1130, "");
static_assert(offsetof(PrintSetting, cyanInk) == 1132, "");
static_assert(offsetof(PrintSetting, magentaInk) == 1134, "");
static_assert(offsetof(PrintSetting, yellowInk) == 1136, "");
static_assert(offsetof(PrintSetting, saturation) == 1138, "");
static_assert(offsetof(PrintSetting, contrast) == 1140, "");
static_assert(offsetof(PrintSetting, brightness) == 1142, "");
static_assert(offsetof(PrintSetting, gamma) == 1144, "");
static_assert(offsetof(PrintSetting, totalInkLimit) == 1146, "");
static_assert(offsetof(PrintSetting, editable) == 1148, "");
static_assert(offsetof(PrintSetting, effect) == 1152, "");
static_assert(offsetof(PrintSetting, reserved1154) == 1154, "");

// One block of 21 records per paper type, standard then banner.
struct SettingStore {
    PrintSetting blocks[PX_SETTING_BLOCKS][PX_SETTING_SLOTS];
};
static_assert(sizeof(SettingStore) == 49728, "registered settings store");
static_assert(sizeof(SettingStore::blocks[0]) == PX_SETTING_BLOCK_BYTES, "");

// The device mode carries the store's handle and address (on x64 the
// reserved word after each 32-bit field holds the high half), but a record
// from an application, the spooler, a file or another process brings
// whatever values it had. So every store is allocated through
// NewSettingStoreWith, which records it as live, and only a live store is
// ever reached through those fields.

// A zero-filled store from `alloc`, recorded as live until FreeSettingStore
// gives it back to `release`; null when memory is short.
SettingStore *NewSettingStoreWith(void *(*alloc)(SIZE_T), void (*release)(void *));
// The same from PxAlloc and PxFree.
SettingStore *NewSettingStore(void);
// Frees a live store and forgets it; anything else is left alone.
void FreeSettingStore(SettingStore *store);
BOOL SettingStoreLive(const SettingStore *store);

// Records a live store (or none, for null) in dm's handle and address;
// FALSE, with dm unchanged, for a store that is not live.
BOOL AttachSettingStore(PXDEVMODE *dm, SettingStore *store);
// The live store dm's fields name, or null for anything else: zero, an
// address from another process, a freed store, garbage.
SettingStore *StoreFromDevMode(const PXDEVMODE *dm);

// NewSettingStore attached to dm; null when memory is short.
SettingStore *AllocSettingStore(PXDEVMODE *dm);
// Frees dm's store when it is live and clears both fields either way.
void ReleaseSettingStore(PXDEVMODE *dm);

// The store block of the device mode's paper type: 0 for 0x500, 1 for
// 0x501, -1 for paper types the store has no block for.
int SettingBlockOf(const PXDEVMODE *dm);

// pdmSettingCount[block] bounded as every count is (0 to
// PX_SETTING_MAX_COUNT), so that a count from outside never reaches past the
// registered slots.
int SettingCountOf(const PXDEVMODE *dm, int block);

// Record `slot` (0 to 20) of the device mode's paper type; null without a
// live store, for a paper type without a block or for a slot outside the
// block.
PrintSetting *SettingRecordAddress(const PXDEVMODE *dm, int slot);

// Writes the record's settings into the device mode; always 0.
int ApplyPrintSetting(PXDEVMODE *dm, const PrintSetting *record);
// Fills the record from the device mode; fields it does not describe keep
// their contents.
void CapturePrintSetting(const PXDEVMODE *dm, PrintSetting *record);
// Applies the record at pdmSettingIndex; 0 when the index is the current
// (unregistered) setting or addresses no record.
int ApplySettingInForce(PXDEVMODE *dm);

// Slot of the first registered record of the paper type with this name
// (ASCII letters without regard to case) and the reference record's colour
// mode and grey levels; -1 when none.
int FindPrintSettingByName(const PXDEVMODE *dm, const WCHAR *name, const PrintSetting *reference);

// Moves the registered record at `from` to position `to`, the others
// keeping their order; to = -1 deletes it. 1, or 0 when the temporary
// buffer cannot be had (the store is then unchanged).
int MovePrintSetting(PXDEVMODE *dm, int from, int to);

// Copies a file name of at most 259 characters; a source with no
// terminator within 260 characters gives an empty string.
void CopyProfileName(WCHAR *target, const WCHAR *source);
