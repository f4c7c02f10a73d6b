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

// Formats of the lines the pages and dialogs build.
#define IDS_FMT_PRINT_MODE_VALUE 20100   // "%s"
#define IDS_FMT_RESOLUTION 20101         // "(%s : %ddpi)"
#define IDS_FMT_PASSES 20102             // "%d Pass"
#define IDS_FMT_SCALE 20103              // "-> %ld%%"
#define IDS_FMT_SIZE_MM 20104            // "%d.%d x %d.%d %s"
#define IDS_FMT_SIZE_INCH 20105          // "%d.%02d x %d.%02d %s"
#define IDS_FMT_VERSION 20106            // "Version %d.%02d%s"
#define IDS_FMT_TWO_LINES 20107          // "%s\n%s"
#define IDS_FMT_PERCENT 20108            // "%ld %%"
#define IDS_FMT_DPI 20109                // "%ddpi"
#define IDS_FMT_LABEL_PAIR 20110         // "%s: %s"
#define IDS_FMT_DECIMAL 20111            // "%d"
#define IDS_FMT_TENTHS 20112             // "%d.%d"
