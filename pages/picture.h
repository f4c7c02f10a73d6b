// The summary panel's two pictures: the fixed panel picture and the picture
// of the page on the media, drawn with a key colour as transparent and the
// page tinted by the colour mode.
#pragma once

#include <windows.h>

#include "context/pagecontext.h"

#define PX_TINT_BLUE 1    // colour printing
#define PX_TINT_GREY 2    // grey from the colour inks
#define PX_TINT_NONE 3    // black and white
#define PX_PICTURE_KEY_COLOR RGB(255, 0, 0)

// Tint of the page picture for the record's colour settings.
int PictureTint(const PXDEVMODE *record);

// Draws bitmap stretched to (x, y, width, height) of target: key-colour
// pixels show what is there, black pixels take the tint (modes 1 and 2).
// The bitmap itself is left as it was.
void DrawTransparentPicture(HINSTANCE module, HDC target, int tint, HBITMAP bitmap, int x, int y,
                            int width, int height, COLORREF key);

// WM_DRAWITEM for 11012 or 11013; TRUE when it was one of them.
BOOL DrawPictureButton(HWND page, int id, const DRAWITEMSTRUCT *item, const PageContext *ctx);
