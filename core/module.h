// Process-wide state of the module: its instance handle and the module lock.
#pragma once

#include <windows.h>

HINSTANCE ModuleInstance(void);

// Called from DllMain (and by hosts that link the module's code statically).
BOOL ModuleAttach(HINSTANCE instance);
void ModuleDetach(void);

// The module lock serialises loading, unloading and every call into the
// data driver.
void ModuleLock(void);
void ModuleUnlock(void);

struct ModuleLockGuard {
    ModuleLockGuard() { ModuleLock(); }
    ~ModuleLockGuard() { ModuleUnlock(); }
    ModuleLockGuard(const ModuleLockGuard &) = delete;
    ModuleLockGuard &operator=(const ModuleLockGuard &) = delete;
};

// Allocation helpers: zero-filled global heap blocks. Counting live blocks
// lets leak checks see what the module holds.
void *PxAlloc(SIZE_T bytes);
void PxFree(void *block);
LONG PxLiveBlocks(void);
