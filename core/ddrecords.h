// Records exchanged with the data driver. The data driver fills them; their
// layout is fixed and shared by both sides, on both targets.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#define PX_NAME_CHARS 64

// Filled by xRtlPrinterInfo.
struct PrinterInfoRecord {
    uint32_t version;          // byte 1 major, byte 0 minor
    uint8_t reserved4[128];
    uint32_t capabilities;     // bit 31 colour; bits 24-26 ink sets
    int16_t maxCopies;
    uint16_t reserved138;
    int32_t maxWidth;          // 0.1 mm
    int32_t maxLength;
    int32_t minWidth;
    int32_t minLength;
    uint32_t versionStringIds[3];
};
static_assert(sizeof(PrinterInfoRecord) == 168, "printer information record");
static_assert(offsetof(PrinterInfoRecord, capabilities) == 132, "");
static_assert(offsetof(PrinterInfoRecord, maxCopies) == 136, "");
static_assert(offsetof(PrinterInfoRecord, maxWidth) == 140, "");
static_assert(offsetof(PrinterInfoRecord, maxLength) == 144, "");
static_assert(offsetof(PrinterInfoRecord, minWidth) == 148, "");
static_assert(offsetof(PrinterInfoRecord, minLength) == 152, "");
static_assert(offsetof(PrinterInfoRecord, versionStringIds) == 156, "");

#define PX_CAPS_COLOR 0x80000000u
#define PX_CAPS_INKSET_1 0x01000000u
#define PX_CAPS_INKSET_2 0x02000000u
#define PX_CAPS_INKSET_4 0x04000000u

// Media (roll or sheet). Bits 4-7 of the code give the kind.
struct MediaRecord {
    uint16_t code;
    uint16_t reserved2;
    uint32_t nameId;
    WCHAR name[PX_NAME_CHARS];
    int32_t maxWidth;          // also the roll width
    int32_t maxLength;
    int32_t minWidth;
    int32_t minLength;
    uint16_t uprightCode;      // placement code of a paper placed upright
    uint16_t turnedCode;       // ... and turned
    uint32_t keepPaperCode;    // nonzero: papers keep their own placement code
};
static_assert(sizeof(MediaRecord) == 160, "media record");
static_assert(offsetof(MediaRecord, nameId) == 4, "");
static_assert(offsetof(MediaRecord, name) == 8, "");
static_assert(offsetof(MediaRecord, maxWidth) == 136, "");
static_assert(offsetof(MediaRecord, maxLength) == 140, "");
static_assert(offsetof(MediaRecord, minWidth) == 144, "");
static_assert(offsetof(MediaRecord, minLength) == 148, "");
static_assert(offsetof(MediaRecord, uprightCode) == 152, "");
static_assert(offsetof(MediaRecord, turnedCode) == 154, "");
static_assert(offsetof(MediaRecord, keepPaperCode) == 156, "");

#define PX_MEDIA_KIND_MASK 0x00F0
#define PX_MEDIA_KIND_SHEET 0x0010

struct PaperTypeRecord {
    uint32_t id;               // also the name's string id
    WCHAR name[PX_NAME_CHARS];
    uint32_t extra[2];
};
static_assert(sizeof(PaperTypeRecord) == 140, "paper type record");
static_assert(offsetof(PaperTypeRecord, name) == 4, "");
static_assert(offsetof(PaperTypeRecord, extra) == 132, "");

struct MarginRecord {
    uint16_t mediaMask;        // ANDed with dmDefaultSource
    uint16_t reserved2;
    uint32_t id;               // also the name's string id
    WCHAR name[PX_NAME_CHARS];
    int16_t lengthEnds[2];     // mA, mB: the two ends of the paper length
    int16_t widthSides[2];     // mC, mD: the two sides of the paper width
    uint32_t group;            // set by the data driver
};
static_assert(sizeof(MarginRecord) == 148, "margin record");
static_assert(offsetof(MarginRecord, id) == 4, "");
static_assert(offsetof(MarginRecord, name) == 8, "");
static_assert(offsetof(MarginRecord, lengthEnds) == 136, "");
static_assert(offsetof(MarginRecord, widthSides) == 140, "");
static_assert(offsetof(MarginRecord, group) == 144, "");

struct QualityModeRecord {
    uint32_t id;
    uint32_t nameId;
    WCHAR name[PX_NAME_CHARS];
    uint8_t extra[8];
};
static_assert(sizeof(QualityModeRecord) == 144, "quality-mode record");
static_assert(offsetof(QualityModeRecord, nameId) == 4, "");
static_assert(offsetof(QualityModeRecord, name) == 8, "");
static_assert(offsetof(QualityModeRecord, extra) == 136, "");

struct ColorCorrectionRecord {
    uint32_t id;               // also the name's string id
    WCHAR name[PX_NAME_CHARS];
    uint32_t extra[2];
};
static_assert(sizeof(ColorCorrectionRecord) == 140, "colour-correction record");
static_assert(offsetof(ColorCorrectionRecord, name) == 4, "");
static_assert(offsetof(ColorCorrectionRecord, extra) == 132, "");

struct PaperRecord {
    uint16_t code;             // bits 8-9 bind the paper to a media source
    uint16_t reserved2;
    uint32_t nameId;
    int32_t width;             // 0.1 mm
    int32_t length;
    int16_t margins[4];        // top, bottom, left, right
    uint32_t series;           // bit 31 user size, bit 30 output-size entry
    uint16_t paperSize;        // code reported to Windows
    uint16_t reserved30;
};
static_assert(sizeof(PaperRecord) == 32, "paper record");
static_assert(offsetof(PaperRecord, nameId) == 4, "");
static_assert(offsetof(PaperRecord, width) == 8, "");
static_assert(offsetof(PaperRecord, length) == 12, "");
static_assert(offsetof(PaperRecord, margins) == 16, "");
static_assert(offsetof(PaperRecord, series) == 24, "");
static_assert(offsetof(PaperRecord, paperSize) == 28, "");

#define PX_SERIES_USER 0x80000000u
#define PX_SERIES_OUTPUT 0x40000000u

// Index -1 asks an enumeration for the data driver's default entry.
#define PX_DEFAULT_INDEX (-1)
