// What the document and printer sheets do alike on the property-sheet
// host's reasons: start, the info header, release, and the result.
#pragma once

#include "core/platform.h"

struct SheetReasons {
    // PROPSHEETUI_REASON_INIT: adds the pages and keeps the sheet's record
    // in UserData; 1, or -1 when the sheet cannot start.
    LONG (*start)(PROPSHEETUI_INFO *info);
    // PROPSHEETUI_REASON_DESTROY: notes how the sheet ended and releases
    // the record kept in UserData.
    void (*release)(const PROPSHEETUI_INFO *info);
    // Whether PROPSHEETUI_REASON_SET_RESULT is taken (copied into Result).
    BOOL takesResult;
};

// Answers info's reason for a sheet of this kind, titled `title` (the
// printer's name): -1 for a reason it does not take and for every reason
// but INIT before it has started.
LONG DispatchSheetReason(const SheetReasons *sheet, PROPSHEETUI_INFO *info, LPARAM lParam,
                         WCHAR *title);

// PROPSHEETUI_REASON_GET_INFO_HEADER of both sheets: flags, title, module
// and icon into the header at lParam. 1, or -1 without a header.
LONG FillSheetInfoHeader(LPARAM lParam, WCHAR *title);
