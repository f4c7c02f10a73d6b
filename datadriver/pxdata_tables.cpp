// The reference data driver's tables for the ORVEN PX-2210 family.
// docs/datadriver.md describes them; keep the two in step.
#include "datadriver/pxdata_tables.h"

// Placement codes: class 0x4000 upright / 0x8000 turned, shape in
// bits 0-3; 0x2000 marks cut-sheet placement (never turned automatically),
// 0x1000 a turned placement the summary does not rotate into; 0x800 asks for
// the media's printable size.
#define ROLL_UPRIGHT 0x4001
#define ROLL_TURNED 0x8002
#define SHEET_UPRIGHT 0x6001
#define SHEET_TURNED 0xA002

const MediaRow kMedia[] = {
    // code   maxWidth maxLength minWidth minLength upright  turned  keep
    {0x182, 13710, 500000, 1000, 1000, ROLL_UPRIGHT, ROLL_TURNED, 0},   // roll 54"
    {0x189, 13710, 500000, 1000, 1000, 0x4801, 0x8802, 0},              // roll, width set by user
    {0x142, 10668, 500000, 1000, 1000, ROLL_UPRIGHT, ROLL_TURNED, 0},   // roll 42"
    {0x122, 6096, 500000, 1000, 1000, ROLL_UPRIGHT, 0x9002, 0},         // roll 24"
    {0x111, 10300, 14560, 2100, 2970, SHEET_UPRIGHT, SHEET_TURNED, 0},  // cut sheet, manual
    {0x112, 13710, 20000, 2970, 4200, SHEET_UPRIGHT, SHEET_TURNED, 0},  // cut sheet, large
    {0x113, 8410, 11890, 1050, 1480, SHEET_UPRIGHT, SHEET_TURNED, 1},   // cut sheet, standard sizes
};
const int kMediaCount = sizeof kMedia / sizeof kMedia[0];
const int kDefaultMediaIndex = 0;

const PaperTypeRow kPaperTypes[] = {
    {1280, {400, 0}},
    {1281, {300, 60}},
    {1282, {250, 120}},
    {1380, {350, 30}},
};
const int kPaperTypeCount = sizeof kPaperTypes / sizeof kPaperTypes[0];
const int kDefaultPaperTypeIndex = 0;

// Media masks: 0x0010 sheet kinds, 0x00E0 roll kinds, 0x00F0 both. Group
// (offset 144) is the margin kind the settings summary shows: 1 standard, 2 narrow,
// 3 wide, 4 borderless.
#define MASK_SHEET 0x0010
#define MASK_ROLL 0x00E0
#define MASK_ALL 0x00F0
const MarginRow kMargins[] = {
    {MASK_SHEET, 256, {50, 50}, {30, 30}, 1},
    {MASK_SHEET, 257, {30, 30}, {15, 15}, 2},
    {MASK_ROLL, 258, {50, 50}, {50, 50}, 1},
    {MASK_ROLL, 259, {20, 20}, {30, 30}, 2},
    {MASK_ALL, 260, {0, 0}, {0, 0}, 4},
    {MASK_SHEET, 261, {150, 150}, {100, 100}, 3},
    {MASK_ROLL, 262, {150, 150}, {100, 100}, 3},
};
const int kMarginCount = sizeof kMargins / sizeof kMargins[0];
const int kDefaultMarginIndex = 2;  // 258

// Every quality-mode id that column 0 of the print-mode tables uses.
const QualityRow kQualityModes[] = {
    {0, 360, 360},   {1, 360, 360},    {2, 360, 360},    {6, 360, 720},
    {8, 540, 540},   {9, 540, 540},    {10, 540, 1080},  {12, 360, 360},
    {14, 720, 720},  {15, 720, 720},   {16, 720, 1440},  {20, 720, 1440},
    {21, 1080, 1080}, {22, 1080, 1080}, {26, 720, 1440}, {27, 1080, 2160},
    {28, 1440, 1440},
};
const int kQualityModeCount = sizeof kQualityModes / sizeof kQualityModes[0];
const int kDefaultQualityModeIndex = 8;  // 14

const ColorCorrectionRow kColorCorrections[] = {
    {3584, {0, 3}},
    {3585, {1, 1}},
    {3586, {2, 2}},
    {3587, {3, 3}},
};
const int kColorCorrectionCount = sizeof kColorCorrections / sizeof kColorCorrections[0];
const int kDefaultColorCorrectionIndex = 0;

// Series bits, as the Add or remove sizes dialog names them.
#define S_JISB 0x1u
#define S_ISOA 0x2u
#define S_ISOB 0x4u
#define S_DIN 0x8u
#define S_ANSI 0x20u
#define S_ARCH 0x40u
#define S_USER 0x80000000u
#define S_OUTPUT 0x40000000u
#define PAPER 0x4001  // placement class 0x4000, shape 1, not bound to a source
#define NOM {0, 0, 0, 0}
#define SHEETM {50, 50, 30, 30}

const PaperRow kPapers[] = {
    // ISO A
    {PAPER, 257, 8410, 11890, NOM, S_ISOA},
    {PAPER, 258, 5940, 8410, NOM, S_ISOA},
    {PAPER, 259, 4200, 5940, NOM, S_ISOA},
    {PAPER, 260, 2970, 4200, NOM, S_ISOA},
    {PAPER, 261, 2100, 2970, NOM, S_ISOA},  // ISO A4, the default page
    {PAPER, 262, 1480, 2100, NOM, S_ISOA},
    {PAPER, 263, 1050, 1480, NOM, S_ISOA},
    // ISO B
    {PAPER, 264, 10000, 14140, NOM, S_ISOB},
    {PAPER, 265, 7070, 10000, NOM, S_ISOB},
    {PAPER, 266, 5000, 7070, NOM, S_ISOB},
    {PAPER, 267, 3530, 5000, NOM, S_ISOB},
    {PAPER, 268, 2500, 3530, NOM, S_ISOB},
    {PAPER, 269, 1760, 2500, NOM, S_ISOB},
    {PAPER, 270, 1250, 1760, NOM, S_ISOB},
    // JIS B
    {PAPER, 271, 10300, 14560, NOM, S_JISB},
    {PAPER, 272, 7280, 10300, NOM, S_JISB},
    {PAPER, 273, 5150, 7280, NOM, S_JISB},
    {PAPER, 274, 3640, 5150, NOM, S_JISB},
    {PAPER, 275, 2570, 3640, NOM, S_JISB},
    {PAPER, 276, 1820, 2570, NOM, S_JISB},
    {PAPER, 277, 1280, 1820, NOM, S_JISB},
    // DIN C
    {PAPER, 278, 9170, 12970, NOM, S_DIN},
    {PAPER, 279, 6480, 9170, NOM, S_DIN},
    {PAPER, 280, 4580, 6480, NOM, S_DIN},
    {PAPER, 281, 3240, 4580, NOM, S_DIN},
    {PAPER, 282, 2290, 3240, NOM, S_DIN},
    {PAPER, 283, 1620, 2290, NOM, S_DIN},
    {PAPER, 284, 1140, 1620, NOM, S_DIN},
    // ANSI
    {PAPER, 285, 2159, 2794, NOM, S_ANSI},
    {PAPER, 286, 2159, 3556, NOM, S_ANSI},
    {PAPER, 287, 2794, 4318, NOM, S_ANSI},
    {PAPER, 288, 4318, 5588, NOM, S_ANSI},
    {PAPER, 289, 5588, 8636, NOM, S_ANSI},
    {PAPER, 290, 8636, 11176, NOM, S_ANSI},
    // Architectural
    {PAPER, 291, 2286, 3048, NOM, S_ARCH},
    {PAPER, 292, 3048, 4572, NOM, S_ARCH},
    {PAPER, 293, 4572, 6096, NOM, S_ARCH},
    {PAPER, 294, 6096, 9144, NOM, S_ARCH},
    {PAPER, 295, 9144, 12192, NOM, S_ARCH},
    {PAPER, 296, 7620, 10668, NOM, S_ARCH},
    // Cut sheets bound to a source (code bits 8-9: 0x100 -> 0x111, 0x200 -> 0x112, 0x300 -> 0x113)
    {PAPER | 0x100, 297, 2970, 4200, SHEETM, S_ISOA},
    {PAPER | 0x200, 298, 4200, 5940, SHEETM, S_ISOA},
    {PAPER | 0x300, 299, 5940, 8410, SHEETM, S_ISOA},
    // User sizes: five named ones, then the application's user size (256)
    {PAPER, 366, 10000, 13610, NOM, S_USER},
    {PAPER, 367, 10000, 13610, NOM, S_USER},
    {PAPER, 368, 10000, 13610, NOM, S_USER},
    {PAPER, 369, 10000, 13610, NOM, S_USER},
    {PAPER, 370, 10000, 13610, NOM, S_USER},
    {PAPER, 256, 10000, 13610, NOM, S_USER},
    // Output-size choices of the Basic page (no physical size)
    {PAPER, 363, 0, 0, NOM, S_OUTPUT},
    {PAPER, 364, 0, 0, NOM, S_OUTPUT},
    {PAPER, 365, 0, 0, NOM, S_OUTPUT},
};
const int kPaperCount = sizeof kPapers / sizeof kPapers[0];
const int kDefaultPaperIndex = 4;  // ISO A4

const uint16_t kGdiDpis[] = {360, 720, 1440};
const int kGdiDpiCount = sizeof kGdiDpis / sizeof kGdiDpis[0];
const uint16_t kDeviceDpis[] = {360, 540, 720, 1080, 1440};
const int kDeviceDpiCount = sizeof kDeviceDpis / sizeof kDeviceDpis[0];
