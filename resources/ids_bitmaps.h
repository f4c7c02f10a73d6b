// Bitmap resource ids. Included by the .rc files and the code: #defines only.
#pragma once

// Page pictures: the low 16 bits of the summary picture code.
#define IDB_PAGE_PICTURE_FIRST 512    // 512-519
#define IDB_PAGE_PICTURE_ROLL_FIRST 1280  // 1280-1287
#define IDB_PANEL_PICTURE 4096
#define IDB_PANEL_MASK 4098
// Icons of the registered-settings list: colour, grey, monochrome.
#define IDB_SETTING_COLOR 4099
#define IDB_SETTING_GRAY 4100
#define IDB_SETTING_MONO 4101
// Monochrome work bitmaps of the page picture's size (masks).
#define IDB_WORK_MASK_INVERSE 25000
#define IDB_WORK_MASK 25001
