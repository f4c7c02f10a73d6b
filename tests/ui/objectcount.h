// Counting what a process holds, for the tests that open and close sheets
// and dialogs and must leave nothing behind.
#pragma once

#include <windows.h>

// GDI objects of the process.
DWORD CountGdiObjects();
// Windows (top-level and children) of the calling thread.
DWORD CountUserObjects();
// Windows (top-level and children) of every thread of the process.
DWORD CountProcessWindows();
