// The settings summary panel: what the current device mode will print, in
// a few lines and a picture of the page on the media.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

// Picture code flags beside the bitmap id in the low 16 bits.
#define PX_PICTURE_PORTRAIT 0x1u
#define PX_PICTURE_MIRRORED 0x2u
#define PX_PICTURE_ACROSS 0x4u       // page class 0x2000
#define PX_PICTURE_ROLL_FAMILY 0x500u
#define PX_PICTURE_SHEET_FAMILY 0x200u
#define PX_PICTURE_GRAY 0x40000000u
#define PX_PICTURE_COLOR 0x80000000u
#define PX_PICTURE_ID_MASK 0xFFFFu

// Geometry class bits of a paper entry's code after the computation.
#define PX_GEOMETRY_CLASS_MASK 0x3000u
#define PX_GEOMETRY_CLASS_FIXED 0x1000u
#define PX_GEOMETRY_CLASS_ACROSS 0x2000u

#define PX_SUMMARY_LINE_CHARS 255

// Setting a text on an owner-drawn control repaints it; the text is never shown.
#define PX_REPAINT_TEXT L"DUMMY"

// The panel's texts, ids 11002 to 11010.
struct SummaryLines {
    WCHAR pageSize[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR scale[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR outputSize[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR printMode[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR quality[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR resolution[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR direction[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR passes[PX_SUMMARY_LINE_CHARS + 1];
    WCHAR effect[PX_SUMMARY_LINE_CHARS + 1];
    BOOL pageSizeEnabled;
    uint32_t pictureCode;
};

// Margin record id for the record's media and margin kind.
int SummaryMarginKey(const PXDEVMODE *record);
// The picture code of the record; acrossClass is the final geometry test.
uint32_t SummaryPictureCode(const PXDEVMODE *record, BOOL acrossClass);

// Computes the lines and the picture code, bringing the resolution fields
// and pdmRotated of ctx->dmCurrent in line on the way.
void ComputeSummary(PageContext *ctx, SummaryLines *lines);

// Shows the summary on the page; repaints the page picture when the code
// changed. The panel stays as it was when no work memory can be had.
void RefreshSummary(HWND page, PageContext *ctx);
