#include "core/module.h"

#include "core/binding.h"

static HINSTANCE g_instance;
static CRITICAL_SECTION g_lock;
static LONG g_liveBlocks;

HINSTANCE ModuleInstance(void) { return g_instance; }

// Reports lack of memory for the lock as a result instead of raising, so a
// failed attach fails the load cleanly.
static BOOL InitializeModuleLock(void)
{
    return InitializeCriticalSectionAndSpinCount(&g_lock, 0);
}

BOOL ModuleAttach(HINSTANCE instance)
{
    if (!InitializeModuleLock())
        return FALSE;
    if (instance)
        g_instance = instance;
    return TRUE;
}

void ReleaseDataDriverState(void);  // binding.cpp

void ModuleDetach(void)
{
    ReleaseDataDriverState();
    DeleteCriticalSection(&g_lock);
}

void ModuleLock(void) { EnterCriticalSection(&g_lock); }
void ModuleUnlock(void) { LeaveCriticalSection(&g_lock); }

void *PxAlloc(SIZE_T bytes)
{
    void *block = GlobalAlloc(GPTR, bytes);
    if (block)
        InterlockedIncrement(&g_liveBlocks);
    return block;
}

void PxFree(void *block)
{
    if (!block)
        return;
    GlobalFree(block);
    InterlockedDecrement(&g_liveBlocks);
}

LONG PxLiveBlocks(void) { return g_liveBlocks; }
