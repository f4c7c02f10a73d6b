// String-table ids that are not control or dialog ids. Included by the .rc
// files and the code: #defines only.
#pragma once

#define IDS_BIND_FAILED 2580
#define IDS_VERSION_MISMATCH 2581

// Settings parameter file: dialog texts and messages.
#define IDS_OVP_EXTENSION 3840
#define IDS_OVP_OPEN_TITLE 3841
#define IDS_OVP_OPEN_FILTER 3842
#define IDS_OVP_SAVE_TITLE 3843
#define IDS_OVP_SAVE_FILTER 3844
#define IDS_OVP_WRITE_FAILED 3845
#define IDS_OVP_WRITE_CAPTION 3846
#define IDS_OVP_DAMAGED 3847
#define IDS_OVP_READ_CAPTION 3848
#define IDS_OVP_UNKNOWN_VERSION 3849
#define IDS_OVP_OTHER_MODEL 3850
// Names of the built-in print settings: base + preset id (1 to 6).
#define IDS_PRESET_NAME_BASE 22000

// Warning of the Basic page's length check (user size cut to 18 m).
#define IDS_LENGTH_WARNING_TITLE 13000
#define IDS_LENGTH_WARNING_TEXT 13001

// Print direction row of the Current settings dialog.
#define IDS_ROW_DIRECTION 11405

// User size dialog: the range captions in inches (millimetres: the labels'
// own strings 11802 and 11803).
#define IDS_USIZE_SHORT_INCH 11809
#define IDS_USIZE_LONG_INCH 11810

// List entries, each at base + value.
#define IDS_COLOR_MODE_COLOR 15000
#define IDS_COLOR_MODE_GRAY 15001
#define IDS_COLOR_MODE_MONO 15002
#define IDS_GRAY_METHOD_BASE 15100      // 15100-15103
#define IDS_RESOLUTION_BASE 15200       // 15200-15210: 2880dpi ... 90dpi
#define IDS_RESOLUTION_AUTO 15211
#define IDS_ROTATION_BASE 15300         // 15300 automatic, 15301-15304 0-270 degrees
#define IDS_PRINT_MODE_BASE 15400       // 15400-15428
#define IDS_PRINT_MODE_COUNT 29
#define IDS_EFFECT_BASE 15500           // 15500-15528
#define IDS_EFFECT_AUTO 15529
#define IDS_OVERPRINT_COUNT_BASE 15600  // 15600-15608: 1 to 9 times
#define IDS_OVERPRINT_WAIT_BASE 15700   // 15700-15705: 0 to 5 seconds
#define IDS_TEMP_OFF 15800
#define IDS_TEMP_CELSIUS_BASE 15771     // + t for t = 30 to 50
#define IDS_TEMP_FAHRENHEIT_BASE 15821  // + t (Celsius) for t = 30 to 50
#define IDS_TEMP_FIRST 30
#define IDS_TEMP_LAST 50
#define IDS_UNIT_MM 15900
#define IDS_UNIT_INCH 15901
#define IDS_UNIT_CELSIUS 15902
#define IDS_UNIT_FAHRENHEIT 15903
#define IDS_DIRECTION_BASE 16200        // 16201 one way, 16202 two ways

// Messages and their titles.
#define IDS_MSG_INITIALIZE 19000
#define IDS_MSG_USER_SIZE_SWAP 19001
#define IDS_TITLE_INITIALIZE 19002
#define IDS_TITLE_CONFIRM 19003
#define IDS_TITLE_CAUTION 19004
#define IDS_MSG_OVERWRITE 19005
#define IDS_MSG_NAME_RESERVED 19006
#define IDS_MSG_SETTINGS_FULL 19007
#define IDS_MSG_SIZE_IN_USE 19008

// Popup menu of the Advanced dialog's settings list.
#define IDS_MENU_MOVE_TOP 19100
#define IDS_MENU_MOVE_UP 19101
#define IDS_MENU_MOVE_DOWN 19102
#define IDS_MENU_MOVE_BOTTOM 19103
#define IDS_MENU_REMOVE 19104
#define IDS_MENU_HELP 19105

// Shared words, list entries and the Current settings dialog's texts.
#define IDS_CURRENT_SETTING 20000
#define IDS_PRINTER_SETTING 20001
#define IDS_ADD_REMOVE_SIZES 20002
#define IDS_OK 20003
#define IDS_CANCEL 20004
#define IDS_COLUMN_ITEM 20005
#define IDS_COLUMN_VALUE 20006
#define IDS_ROW_SCALE 20007
#define IDS_ROW_PRINT_RESOLUTION 20008
#define IDS_ROW_PASSES 20009
#define IDS_ROW_COLOR_MATCHING 20010
#define IDS_ENABLED 20011
#define IDS_DISABLED 20012

// Formats of the lines the pages and dialogs build (user32's wsprintfW:
// %s takes a wide string).
#define IDS_FMT_SIZE_MM 16300          // W, L in 0.1 mm as two %d.%d, unit
#define IDS_FMT_SIZE_INCH 16301        // W, L in 0.01 inch as two %d.%02d, unit
#define IDS_FMT_SCALE 16302            // summary scale line
#define IDS_FMT_RESOLUTION 16303       // summary data resolution line
#define IDS_FMT_PASSES 16304
#define IDS_FMT_VERSION 16305          // major, minor, suffix
#define IDS_FMT_PRODUCT 16306          // product line, string 3075
#define IDS_FMT_GROUP_ROW 16307        // Current settings: group name, row name
#define IDS_FMT_PERCENT 16308          // Current settings scale row
#define IDS_FMT_DPI 16309              // Current settings data resolution row
#define IDS_FMT_TENTHS 16310           // gamma as 1.0
#define IDS_FMT_DECIMAL 16311          // Current settings number rows
