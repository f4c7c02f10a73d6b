// Screenshots of windows as PNG files, for people to look at.
#pragma once

#include <windows.h>

// Copies the window's screen area into a PNG file; FALSE on failure.
BOOL CaptureWindowPng(HWND window, const WCHAR *path);

// Writes 24-bit top-down BGR pixels (rows padded to 4 bytes) as a PNG file.
BOOL WritePng(const WCHAR *path, const BYTE *bgr, int width, int height, int stride);
