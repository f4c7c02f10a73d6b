#include "tests/common/pixels.h"

#include "core/scope.h"

std::vector<DWORD> PixelsOf(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels((size_t)width * height);
    UniqueMemoryDC dc(CreateCompatibleDC(NULL));
    GetDIBits(dc.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}
