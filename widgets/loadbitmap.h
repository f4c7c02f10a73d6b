// Loading the module's bitmaps without asking the display: under Wine
// LoadBitmap, CopyImage and CreateCompatibleBitmap each query the display
// devices through the window server, several times per picture drawn.
#pragma once

#include <windows.h>

#include "core/scope.h"

// Bitmap resource `id`: a monochrome bitmap for a one-bit resource (as
// LoadBitmap gives, so blits map its bits to the text and background
// colours), a DIB section otherwise; null when it is missing or damaged.
UniqueBitmap LoadResourceBitmap(HINSTANCE module, int id);
// A colour bitmap of the given size that blits to and from any screen DC.
UniqueBitmap CreateColorBitmap(int width, int height);
// A colour copy of `source`.
UniqueBitmap CopyColorBitmap(HBITMAP source);
