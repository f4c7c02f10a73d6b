// A bitmap's pixels read back for comparison with what a picture should show.
#pragma once

#include <windows.h>

#include <vector>

// The pixels of a bitmap as 32-bit colours, top row first.
std::vector<DWORD> PixelsOf(HBITMAP bitmap, int width, int height);
