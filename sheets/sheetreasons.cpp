#include "sheets/sheetreasons.h"

#include "core/module.h"
#include "core/trace.h"

#define PX_SHEET_HEADER_FLAGS (PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE)
#define PX_SHEET_ICON 64082
static_assert(PX_SHEET_HEADER_FLAGS == 6, "sheet header flags");

LONG FillSheetInfoHeader(LPARAM lParam, WCHAR *title)
{
    PROPSHEETUI_INFO_HEADER *header = reinterpret_cast<PROPSHEETUI_INFO_HEADER *>(lParam);
    if (!header)
        return -1;
    header->Flags = PX_SHEET_HEADER_FLAGS;
    header->pTitle = title;
    header->hInst = ModuleInstance();
    header->IconID = PX_SHEET_ICON;
    return 1;
}

LONG DispatchSheetReason(const SheetReasons *sheet, PROPSHEETUI_INFO *info, LPARAM lParam,
                         WCHAR *title)
{
    PX_TRACE(L"reason %d", (int)info->Reason);
    if (info->Reason == PROPSHEETUI_REASON_INIT)
        return sheet->start(info);
    if (!info->UserData)
        return -1;
    switch (info->Reason) {
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return FillSheetInfoHeader(lParam, title);
    case PROPSHEETUI_REASON_DESTROY:
        sheet->release(info);
        info->UserData = 0;
        return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
        if (!sheet->takesResult)
            return -1;
        const SETRESULT_INFO *result = reinterpret_cast<const SETRESULT_INFO *>(lParam);
        if (result)
            info->Result = result->Result;
        return 1;
    }
    default:
        return -1;
    }
}
