#include "pages/picture.h"

#include "core/scope.h"
#include "pages/summary.h"
#include "resources/ids_bitmaps.h"
#include "resources/ids_controls.h"
#include "widgets/bitmapdraw.h"
#include "widgets/controlmap.h"
#include "widgets/loadbitmap.h"

#define ROP_PATTERN_WHERE_SOURCE 0xE20746  // D ^ (S & (P ^ D)): P where S is set

int PictureTint(const PXDEVMODE *record)
{
    if (record->dm.dmColor != DMCOLOR_COLOR)
        return PX_TINT_NONE;
    return record->pdmGrayFlag == 0 ? PX_TINT_BLUE : PX_TINT_GREY;
}

static COLORREF TintColor(int tint)
{
    return tint == PX_TINT_BLUE ? RGB(0, 0, 255) : RGB(128, 128, 128);
}

// A monochrome work bitmap of the picture's size: the module's own, or a
// new one when the resource does not fit.
static UniqueBitmap LoadWorkBitmap(HINSTANCE module, int id, int width, int height)
{
    UniqueBitmap bitmap = LoadResourceBitmap(module, id);
    BITMAP info = {};
    if (bitmap && GetObjectW(bitmap.get(), sizeof info, &info) && info.bmWidth == width &&
        info.bmHeight == height && info.bmBitsPixel == 1)
        return bitmap;
    return UniqueBitmap(CreateBitmap(width, height, 1, 1, NULL));
}

// Mono blits map set bits to the target's background colour and clear bits
// to its text colour: white and black make the masks work as masks.
static void SetMaskColors(HDC dc)
{
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
}

static void TintBlackPixels(HDC picture, HDC mask, int width, int height, int tint)
{
    SetBkColor(picture, RGB(0, 0, 0));
    BitBlt(mask, 0, 0, width, height, picture, 0, 0, SRCCOPY);
    UniqueBrush brush(CreateSolidBrush(TintColor(tint)));
    SelectGuard selected(picture, brush.get());
    SetMaskColors(picture);
    BitBlt(picture, 0, 0, width, height, mask, 0, 0, ROP_PATTERN_WHERE_SOURCE);
}

struct PictureSize {
    int width;
    int height;
};

static void ComposeOnTarget(HDC target, HDC picture, HDC keyMask, HDC inverseMask, PictureSize p,
                            int x, int y, int width, int height)
{
    UniqueMemoryDC work(CreateCompatibleDC(target));
    UniqueBitmap workBitmap(CreateColorBitmap(width, height));
    if (!work || !workBitmap)
        return;
    SelectGuard selected(work.get(), workBitmap.get());
    SetStretchBltMode(work.get(), COLORONCOLOR);
    SetMaskColors(work.get());
    BitBlt(work.get(), 0, 0, width, height, target, x, y, SRCCOPY);
    StretchBlt(work.get(), 0, 0, width, height, keyMask, 0, 0, p.width, p.height, SRCAND);
    SetMaskColors(picture);
    BitBlt(picture, 0, 0, p.width, p.height, inverseMask, 0, 0, SRCAND);
    StretchBlt(work.get(), 0, 0, width, height, picture, 0, 0, p.width, p.height, SRCPAINT);
    BitBlt(target, x, y, width, height, work.get(), 0, 0, SRCCOPY);
}

void DrawTransparentPicture(HINSTANCE module, HDC target, int tint, HBITMAP bitmap, int x, int y,
                            int width, int height, COLORREF key)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return;
    PictureSize p = {info.bmWidth, info.bmHeight};
    // Drawn on a copy, so the caller's bitmap keeps its colours.
    UniqueBitmap copy(CopyColorBitmap(bitmap));
    UniqueMemoryDC picture(CreateCompatibleDC(target));
    UniqueMemoryDC keyMask(CreateCompatibleDC(target));
    UniqueMemoryDC inverseMask(CreateCompatibleDC(target));
    UniqueBitmap keyBits(LoadWorkBitmap(module, IDB_WORK_MASK, p.width, p.height));
    UniqueBitmap inverseBits(LoadWorkBitmap(module, IDB_WORK_MASK_INVERSE, p.width, p.height));
    if (!copy || !picture || !keyMask || !inverseMask || !keyBits || !inverseBits)
        return;
    SetMapMode(picture.get(), GetMapMode(target));
    SelectGuard pictureSelected(picture.get(), copy.get());
    SelectGuard keySelected(keyMask.get(), keyBits.get());
    SelectGuard inverseSelected(inverseMask.get(), inverseBits.get());
    if (tint == PX_TINT_BLUE || tint == PX_TINT_GREY)
        TintBlackPixels(picture.get(), keyMask.get(), p.width, p.height, tint);
    SetBkColor(picture.get(), key);
    BitBlt(keyMask.get(), 0, 0, p.width, p.height, picture.get(), 0, 0, SRCCOPY);
    BitBlt(inverseMask.get(), 0, 0, p.width, p.height, keyMask.get(), 0, 0, NOTSRCCOPY);
    ComposeOnTarget(target, picture.get(), keyMask.get(), inverseMask.get(), p, x, y, width, height);
}

static void DrawPanelPicture(HWND page, const DRAWITEMSTRUCT *item)
{
    {
        StretchModeScope mode(item->hDC, COLORONCOLOR);
        StretchResourceBitmap(item->hDC, IDB_PANEL_PICTURE, item->rcItem, SRCCOPY);
    }
    SetControlText(page, IDC_SUMMARY_PAGE_PICTURE, PX_REPAINT_TEXT);
}

static void DrawPagePicture(const DRAWITEMSTRUCT *item, const PageContext *ctx)
{
    const RECT &r = item->rcItem;
    WORD id = (WORD)(ctx->summaryPicture & PX_PICTURE_ID_MASK);
    UniqueBitmap bitmap(LoadResourceBitmap(ModuleInstance(), id));
    if (!bitmap)
        return;
    DrawTransparentPicture(ModuleInstance(), item->hDC, PictureTint(&ctx->dmCurrent), bitmap.get(),
                           r.left, r.top, r.right - r.left, r.bottom - r.top, PX_PICTURE_KEY_COLOR);
}

// The page picture lies on the panel picture, and the panel's draw repaints
// the page picture after it. While the panel still waits for its paint (a
// page paints its upper picture first), a page picture drawn now would be
// painted over and drawn again: one draw per paint is enough.
static BOOL PanelPaintPending(HWND page)
{
    HWND panel = ControlOf(page, IDC_SUMMARY_PANEL_PICTURE);
    return panel && (GetWindowLongW(panel, GWL_STYLE) & WS_VISIBLE) &&
           GetUpdateRect(panel, NULL, FALSE);
}

BOOL DrawPictureButton(HWND page, int id, const DRAWITEMSTRUCT *item, const PageContext *ctx)
{
    if (id != IDC_SUMMARY_PAGE_PICTURE && id != IDC_SUMMARY_PANEL_PICTURE)
        return FALSE;
    if (!(item->itemAction & ODA_DRAWENTIRE))
        return TRUE;
    if (id == IDC_SUMMARY_PANEL_PICTURE)
        DrawPanelPicture(page, item);
    else if (!PanelPaintPending(page))
        DrawPagePicture(item, ctx);
    return TRUE;
}
