#include "bench/targets.h"

#include <stdio.h>

static void *Alloc(SIZE_T bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
}

static void Free(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

static int Capability(const WCHAR *name, WORD index)
{
    return DeviceCapabilitiesW(name, L"FILE:", index, NULL, NULL);
}

static BOOL ReadDefaults(PrinterTarget *t)
{
    t->devModeSize = DocumentPropertiesW(NULL, t->handle, const_cast<WCHAR *>(t->name), NULL,
                                         NULL, 0);
    if (t->devModeSize < (LONG)sizeof(DEVMODEW) - 64)
        return FALSE;
    t->defaults = static_cast<DEVMODEW *>(Alloc(t->devModeSize));
    t->changed = static_cast<DEVMODEW *>(Alloc(t->devModeSize));
    t->output = static_cast<DEVMODEW *>(Alloc(t->devModeSize));
    if (!t->defaults || !t->changed || !t->output)
        return FALSE;
    if (DocumentPropertiesW(NULL, t->handle, const_cast<WCHAR *>(t->name), t->defaults, NULL,
                            DM_OUT_BUFFER) != IDOK)
        return FALSE;
    CopyMemory(t->changed, t->defaults, t->devModeSize);
    t->changed->dmFields |= DM_ORIENTATION;
    t->changed->dmOrientation =
        t->defaults->dmOrientation == DMORIENT_LANDSCAPE ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
    return TRUE;
}

BOOL OpenTarget(PrinterTarget *t, const WCHAR *name)
{
    *t = PrinterTarget();
    t->name = name;
    if (!OpenPrinterW(const_cast<WCHAR *>(name), &t->handle, NULL)) {
        fprintf(stderr, "pxbench: cannot open printer %ls: %lu\n", name, GetLastError());
        return FALSE;
    }
    t->paperCount = Capability(name, DC_PAPERS);
    t->resolutionCount = Capability(name, DC_ENUMRESOLUTIONS);
    if (t->paperCount <= 0 || t->resolutionCount <= 0 || !ReadDefaults(t)) {
        fprintf(stderr, "pxbench: %ls answers no papers (%d), resolutions (%d) or record (%ld)\n",
                name, t->paperCount, t->resolutionCount, t->devModeSize);
        return FALSE;
    }
    t->papers = static_cast<WORD *>(Alloc(t->paperCount * sizeof(WORD)));
    t->paperNames = static_cast<WCHAR *>(Alloc(t->paperCount * PAPER_NAME_CHARS * sizeof(WCHAR)));
    t->resolutions = static_cast<LONG *>(Alloc(t->resolutionCount * 2 * sizeof(LONG)));
    return t->papers && t->paperNames && t->resolutions;
}

void CloseTarget(PrinterTarget *t)
{
    if (t->handle)
        ClosePrinter(t->handle);
    Free(t->defaults);
    Free(t->changed);
    Free(t->output);
    Free(t->papers);
    Free(t->paperNames);
    Free(t->resolutions);
    *t = PrinterTarget();
}
