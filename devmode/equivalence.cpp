#include "devmode/equivalence.h"

int PrivatePartsEquivalent(const PXDEVMODE *a, const PXDEVMODE *b)
{
    return a->pdmColorFlags == b->pdmColorFlags && a->pdmColorProcess == b->pdmColorProcess &&
           a->pdmPaperType.id == b->pdmPaperType.id && a->pdmMargin.id == b->pdmMargin.id &&
           a->pdmMarginMode == b->pdmMarginMode && a->pdmQualityMode.id == b->pdmQualityMode.id &&
           a->pdmResolutionIndex == b->pdmResolutionIndex && a->pdmInkSet == b->pdmInkSet &&
           a->pdmOutputScale == b->pdmOutputScale &&
           a->pdmColorCorrection.id == b->pdmColorCorrection.id && a->pdmGamma == b->pdmGamma &&
           a->pdmRotated == b->pdmRotated && a->pdmExtraLevel == b->pdmExtraLevel &&
           (a->pdmAdjustFlag != 0) == (b->pdmAdjustFlag != 0);
}
