#include "widgets/bitmapdraw.h"

#include "core/module.h"
#include "core/scope.h"
#include "widgets/loadbitmap.h"

#define PX_ICON_GAP 4

int StretchResourceBitmap(HDC target, int id, const RECT &into, DWORD rop)
{
    UniqueBitmap bitmap = LoadResourceBitmap(ModuleInstance(), id);
    UniqueMemoryDC source(CreateCompatibleDC(target));
    BITMAP info = {};
    if (!bitmap || !source || !GetObjectW(bitmap.get(), sizeof info, &info))
        return 0;
    // The bitmap's size in the target's units.
    SetMapMode(source.get(), GetMapMode(target));
    POINT size = {info.bmWidth, info.bmHeight};
    DPtoLP(source.get(), &size, 1);
    int width = into.right > into.left ? into.right - into.left : size.x;
    SelectGuard selected(source.get(), bitmap.get());
    StretchBlt(target, into.left, into.top, width, into.bottom - into.top, source.get(), 0, 0, size.x,
               size.y, rop);
    return width;
}

void DrawIconTextEntry(const DRAWITEMSTRUCT *item, int iconId, const WCHAR *text)
{
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    HDC dc = item->hDC;
    const RECT &r = item->rcItem;
    FillRect(dc, &r, GetSysColorBrush(background));
    RECT icon = {r.left + 1, r.top + 1, r.left + 1, r.bottom - 1};
    int iconWidth = StretchResourceBitmap(dc, iconId, icon, SRCCOPY);
    COLORREF oldText = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(background));
    RECT textRect = r;
    textRect.left += iconWidth + PX_ICON_GAP;
    DrawTextW(dc, text, -1, &textRect, DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
