// Tables of the reference data driver. The exported operations (pxdata.cpp)
// turn these compact rows into the records of core/ddrecords.h; the names
// live in the string table (pxdata.rc) under the ids given here.
#pragma once

#include <stdint.h>

struct MediaRow {
    uint16_t code;
    int32_t maxWidth, maxLength, minWidth, minLength;  // 0.1 mm
    uint16_t uprightCode, turnedCode;
    uint32_t keepPaperCode;
};

struct PaperTypeRow {
    uint32_t id;
    uint32_t extra[2];  // default total ink limit (%), drying time (s)
};

struct MarginRow {
    uint16_t mediaMask;
    uint32_t id;
    int16_t lengthEnds[2];  // mA, mB
    int16_t widthSides[2];  // mC, mD
    uint32_t group;
};

struct QualityRow {
    uint32_t id;
    uint16_t xDpi, yDpi;  // carried in the record's extra bytes
};

struct ColorCorrectionRow {
    uint32_t id;
    uint32_t extra[2];  // look-up table number, colour modes (1 colour, 2 mono)
};

struct PaperRow {
    uint16_t code;       // placement class 0x4000, shape 1, source bits 8-9
    uint16_t paperSize;  // code reported to Windows; name id = 1792 + paperSize
    int32_t width, length;
    int16_t margins[4];  // top, bottom, left, right
    uint32_t series;
};

extern const MediaRow kMedia[];
extern const int kMediaCount;
extern const int kDefaultMediaIndex;  // 0-based

extern const PaperTypeRow kPaperTypes[];
extern const int kPaperTypeCount;
extern const int kDefaultPaperTypeIndex;

extern const MarginRow kMargins[];
extern const int kMarginCount;
extern const int kDefaultMarginIndex;

extern const QualityRow kQualityModes[];
extern const int kQualityModeCount;
extern const int kDefaultQualityModeIndex;

extern const ColorCorrectionRow kColorCorrections[];
extern const int kColorCorrectionCount;
extern const int kDefaultColorCorrectionIndex;

extern const PaperRow kPapers[];
extern const int kPaperCount;
extern const int kDefaultPaperIndex;

extern const uint16_t kGdiDpis[];
extern const int kGdiDpiCount;
extern const uint16_t kDeviceDpis[];
extern const int kDeviceDpiCount;
