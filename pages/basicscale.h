// The Basic page's numbers that follow from the page and output sizes: the
// scale shown for each kind of output size, and the data resolution a
// quality mode prints with.
#pragma once

#include "context/pagecontext.h"

// pdmOutputSize values with a meaning of their own; any other is a paper.
#define PX_OUTPUT_SAME_SIZE 363
#define PX_OUTPUT_MEDIA_WIDTH 364
#define PX_OUTPUT_USER_SCALE 365
#define PX_PAPER_USER_SIZE 256
#define PX_SCALE_SAME_SIZE 100

// The page scaled to the output paper within the margins of the media
// (percent, truncated); 100 when a page extent less margins is 0 or less.
int32_t FitScale(const PageContext *ctx);
// The page across the usable media width (percent, truncated, not
// clamped); 100 when the page extent is 0 or less.
int32_t MediaWidthScale(const PageContext *ctx);
// The scale the output size gives: 100, media width, the user's own, fit.
int32_t ScaleForOutputSize(const PageContext *ctx);

// Data resolution (dpi) of a quality-mode id.
int16_t DataResolutionOfQualityMode(uint32_t qualityModeId);
