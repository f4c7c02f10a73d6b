// Counting what a process holds, for the tests that open and close sheets
// and dialogs and must leave nothing behind.
#pragma once

#include <windows.h>

// The module's heap blocks, the process's GDI objects and its windows (top
// level and children, of every thread).
struct ObjectCounts {
    LONG blocks;
    DWORD gdi, windows;
};

ObjectCounts CountObjects();
// As many heap blocks as before, no more GDI objects or windows.
void ExpectNothingLeft(const ObjectCounts &before);
