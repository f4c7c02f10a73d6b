#include "widgets/loadbitmap.h"

#include <limits.h>

#include "core/scope.h"

static DWORD RowBytes(const BITMAPINFOHEADER *h)
{
    return (((DWORD)h->biWidth * h->biBitCount + 31) / 32) * 4;
}

// The bits of a one-bit resource, or null when the header does not fit the
// resource's size.
static const BYTE *MonochromeBits(const BITMAPINFO *info, DWORD size)
{
    const BITMAPINFOHEADER *h = &info->bmiHeader;
    if (h->biSize < sizeof(BITMAPINFOHEADER) || h->biSize > size || h->biWidth <= 0 ||
        h->biHeight == 0 || h->biHeight == LONG_MIN || h->biWidth > 0x7fff ||
        h->biCompression != BI_RGB || h->biClrUsed > 2)
        return NULL;
    DWORD colours = h->biClrUsed ? h->biClrUsed : 2;
    DWORD offset = h->biSize + colours * sizeof(RGBQUAD);
    DWORD rows = (DWORD)(h->biHeight < 0 ? -h->biHeight : h->biHeight);
    if (offset > size || rows > (size - offset) / RowBytes(h))
        return NULL;
    return reinterpret_cast<const BYTE *>(info) + offset;
}

static UniqueBitmap LoadMonochrome(const BITMAPINFO *info, DWORD size)
{
    const BYTE *bits = MonochromeBits(info, size);
    // A new memory DC holds a one-bit bitmap, so the result is monochrome.
    UniqueMemoryDC memory(CreateCompatibleDC(NULL));
    if (!bits || !memory)
        return UniqueBitmap();
    return UniqueBitmap(
        CreateDIBitmap(memory.get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
}

UniqueBitmap LoadResourceBitmap(HINSTANCE module, int id)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    DWORD size = found ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = size ? LoadResource(module, found) : NULL;
    const BITMAPINFO *info = loaded ? static_cast<const BITMAPINFO *>(LockResource(loaded)) : NULL;
    if (!info || size < sizeof(BITMAPINFOHEADER))
        return UniqueBitmap();
    if (info->bmiHeader.biBitCount == 1)
        return LoadMonochrome(info, size);
    return UniqueBitmap(
        (HBITMAP)LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

UniqueBitmap CreateColorBitmap(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    return UniqueBitmap(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
}

UniqueBitmap CopyColorBitmap(HBITMAP source)
{
    BITMAP info = {};
    if (!source || !GetObjectW(source, sizeof info, &info))
        return UniqueBitmap();
    UniqueBitmap copy = CreateColorBitmap(info.bmWidth, info.bmHeight);
    UniqueMemoryDC from(CreateCompatibleDC(NULL));
    UniqueMemoryDC to(CreateCompatibleDC(NULL));
    if (!copy || !from || !to)
        return UniqueBitmap();
    SelectGuard fromSelected(from.get(), source);
    SelectGuard toSelected(to.get(), copy.get());
    if (!BitBlt(to.get(), 0, 0, info.bmWidth, info.bmHeight, from.get(), 0, 0, SRCCOPY))
        return UniqueBitmap();
    return copy;
}
