// Drawing the module's bitmaps: a resource bitmap stretched into a
// rectangle, and the owner-drawn list entry of an icon and a text.
#pragma once

#include <windows.h>

// Bitmap resource `id` of the module stretched into `into` with `rop`; a
// rectangle of width 0 takes the bitmap's own width. The width drawn, 0
// when the bitmap cannot be had.
int StretchResourceBitmap(HDC target, int id, const RECT &into, DWORD rop);

// A list entry as the settings lists draw it: the background of its
// selection state, bitmap `iconId` at its left edge, then the text.
void DrawIconTextEntry(const DRAWITEMSTRUCT *item, int iconId, const WCHAR *text);
