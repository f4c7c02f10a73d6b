#include "tests/ui/objectcount.h"

#include <gtest/gtest.h>

#include "core/module.h"

// Wine answers GetGuiResources with 0, so the objects are counted by asking
// about every handle value: GDI accepts a handle's 16-bit index alone.
static DWORD CountGdiObjects()
{
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported)
        return reported;
    DWORD count = 0;
    for (ULONG_PTR h = 0x20; h <= 0xFFFF; h++)
        count += GetObjectType((HGDIOBJ)h) != 0;
    return count;
}

static BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<DWORD *>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

static BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        CountWindow(window, count);
    return TRUE;
}

static DWORD CountProcessWindows()
{
    DWORD count = 0;
    EnumWindows(CountOwnWindow, (LPARAM)&count);
    return count;
}

ObjectCounts CountObjects() { return ObjectCounts{PxLiveBlocks(), CountGdiObjects(), CountProcessWindows()}; }

void ExpectNothingLeft(const ObjectCounts &before)
{
    ObjectCounts after = CountObjects();
    EXPECT_EQ(after.blocks, before.blocks) << "heap blocks";
    EXPECT_LE(after.gdi, before.gdi) << "GDI objects";
    EXPECT_LE(after.windows, before.windows) << "windows";
}
