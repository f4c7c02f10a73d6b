// Context numbers of the help topics that the pages and dialogs open with
// HH_HELP_CONTEXT. Included by the code and by the help project
// (package/help/pxui.hhp), whose map compiler reads only lines of the exact
// form "#define NAME NUMBER": keep comments on lines of their own.
#pragma once

// Restore-defaults buttons of the adjustment dialogs and the crop marks box.
#define IDH_DEFAULTS 0
// General topic: everything not in a help table.
#define IDH_GENERAL 1

// Basic page and the dialogs it opens.
#define IDH_ORIENTATION 21
#define IDH_PAGE_SIZE 22
#define IDH_SIZE_SERIES 23
#define IDH_USER_SIZE 24
#define IDH_OUTPUT_SIZE 25
#define IDH_ROTATION 26
#define IDH_MEDIA_TYPE 27
#define IDH_SETTINGS_LIST 28

// Advanced dialog.
#define IDH_PRINT_MODE 41
#define IDH_RESOLUTION 42
#define IDH_COLOR_MODE 43
#define IDH_COLOR_CORRECTION 44
#define IDH_COLOR_MATCHING 45
#define IDH_COLOR_ADJUST_BUTTON 46
#define IDH_INK_ADJUST_BUTTON 47
#define IDH_REGISTER_SETTING 48
#define IDH_REMOVE_SETTING 49

// Colour adjustment dialog.
#define IDH_COLOR_BALANCE 61
#define IDH_SATURATION 62
#define IDH_CONTRAST 63
#define IDH_BRIGHTNESS 64
#define IDH_GAMMA 65

// Ink adjustment dialog.
#define IDH_INK_AMOUNT 71
#define IDH_TOTAL_INK_LIMIT 72

// Option page (and the effect list of the Advanced dialog).
#define IDH_COPIES 81
#define IDH_MIRROR 82
#define IDH_EFFECT 83
#define IDH_OVERPRINT_COUNT 84
#define IDH_OVERPRINT_WAIT 85
#define IDH_HEATERS 86
#define IDH_ON_THE_FLY 87

// Setup page and the version dialog.
#define IDH_LENGTH_UNIT 101
#define IDH_TEMPERATURE_UNIT 102
#define IDH_SHOW_STATUS 103
#define IDH_LOAD_SETTINGS 104
#define IDH_SAVE_SETTINGS 105
#define IDH_VERSION 106
#define IDH_INITIALIZE 107

// Settings summary panel of every page.
#define IDH_SUMMARY 121
#define IDH_CONFIRM_SETTINGS 122
