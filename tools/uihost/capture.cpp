#include "tools/uihost/capture.h"

#include <stdint.h>

#include <vector>

#include "core/scope.h"

// PNG with stored (uncompressed) deflate blocks: no compression library is
// needed and every viewer reads it; scripts may recompress the files.

static uint32_t Crc32(const BYTE *data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

static void PutBig32(std::vector<BYTE> &out, uint32_t v)
{
    out.push_back((BYTE)(v >> 24));
    out.push_back((BYTE)(v >> 16));
    out.push_back((BYTE)(v >> 8));
    out.push_back((BYTE)v);
}

static void PutChunk(std::vector<BYTE> &out, const char type[4], const std::vector<BYTE> &data)
{
    PutBig32(out, (uint32_t)data.size());
    std::vector<BYTE> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBig32(out, Crc32(typed.data(), typed.size()));
}

static std::vector<BYTE> StoredZlib(const std::vector<BYTE> &raw)
{
    std::vector<BYTE> z = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (BYTE value : raw) {
        a = (a + value) % 65521;
        b = (b + a) % 65521;
    }
    size_t at = 0;
    do {
        size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back((BYTE)n);
        z.push_back((BYTE)(n >> 8));
        z.push_back((BYTE)~n);
        z.push_back((BYTE)(~n >> 8));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    PutBig32(z, (b << 16) | a);
    return z;
}

BOOL WritePng(const WCHAR *path, const BYTE *bgr, int width, int height, int stride)
{
    std::vector<BYTE> raw;
    raw.reserve((size_t)(width * 3 + 1) * height);
    for (int y = 0; y < height; y++) {
        raw.push_back(0);  // no filter
        const BYTE *row = bgr + (size_t)y * stride;
        for (int x = 0; x < width; x++) {
            raw.push_back(row[3 * x + 2]);
            raw.push_back(row[3 * x + 1]);
            raw.push_back(row[3 * x]);
        }
    }
    std::vector<BYTE> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<BYTE> header;
    PutBig32(header, (uint32_t)width);
    PutBig32(header, (uint32_t)height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});
    UniqueFile file(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    DWORD written = 0;
    return file && WriteFile(file.get(), png.data(), (DWORD)png.size(), &written, NULL) &&
           written == png.size();
}

BOOL CaptureWindowPng(HWND window, const WCHAR *path)
{
    RECT r = {};
    if (!GetWindowRect(window, &r))
        return FALSE;
    int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = NULL;
    UniqueWindowDC screen(NULL);
    UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    UniqueBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, NULL, 0));
    if (!screen || !memory || !dib || !bits)
        return FALSE;
    {
        SelectGuard selected(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    }
    GdiFlush();
    return WritePng(path, (const BYTE *)bits, width, height, (width * 3 + 3) & ~3);
}
