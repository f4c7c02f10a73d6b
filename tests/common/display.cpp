#include "tests/common/display.h"

bool DisplayAvailable()
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    if (!window)
        return false;
    DestroyWindow(window);
    return true;
}
