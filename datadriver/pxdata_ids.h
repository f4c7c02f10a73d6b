// String ids and build options of the reference data driver (pxdata.dll).
// Included by the sources and by the string table (pxdata.rc), so it holds
// #defines only.
#pragma once

// Interface version word of xRtlPrinterInfo (byte 1 major, byte 0 minor).
// Test doubles override it (0x0105, 0x0115, 0x0205).
#ifndef PXDATA_VERSION_WORD
#define PXDATA_VERSION_WORD 0x0102
#endif

// Maximum copies of the printer information record; pxdata2.dll uses 500.
#ifndef PXDATA_MAX_COPIES
#define PXDATA_MAX_COPIES 999
#endif

// Minimum paper width of the printer information record; pxdata2.dll uses
// 900, so that its minimum width and length differ.
#ifndef PXDATA_MIN_WIDTH
#define PXDATA_MIN_WIDTH 1000
#endif

// Define PXDATA_POSITIVE_PAPER_COUNT to make xRtlPaperQuery return a positive
// count (no spooler forms are added): pxdata_pos.dll.

// Version texts (printer information record offsets 156, 160, 164) and the
// second line of the version dialog's product label (string 3075).
#define PXS_PRODUCT_LINE 3072
#define PXS_NOTICE_1 3073
#define PXS_NOTICE_2 3074
#define PXS_DRIVER_LINE 3075

// Names of the built-in print setting presets: 4096 + preset id (1 to 6).
#define PXS_PRESET_BASE 4096

// Name ids of the records (margins, paper types and colour corrections are
// named by their own ids).
#define PXS_MEDIA_BASE 1536      // + index of the media (0 to 6)
#define PXS_QUALITY_BASE 3328    // + quality-mode id
#define PXS_PAPER_BASE 1792      // + paper size code (256 to 373): 2048 to 2165
