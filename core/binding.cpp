#include "core/binding.h"

#include <wchar.h>
#include <winspool.h>

#include "core/ddops.h"
#include "core/module.h"
#include "core/scope.h"
#include "core/spoolerread.h"
#include "core/trace.h"

// Process-wide binding state. The two handles are set and cleared together.
static HMODULE g_dataDriver;
static HMODULE g_dataDriverResources;
static WCHAR *g_dataDriverPath;
static FARPROC volatile g_slots[PX_SLOT_COUNT];
static LONG g_loadCount;

static UniqueBlock<DRIVER_INFO_2W> ReadDriverInfo(HANDLE printer)
{
    DWORD bytes = 0;
    UniqueBlock<DRIVER_INFO_2W> info(
        reinterpret_cast<DRIVER_INFO_2W *>(ReadPrinterDriverBlock(printer, 2, &bytes)));
    if (info && bytes < sizeof(DRIVER_INFO_2W))
        info.reset();
    return info;
}

int DataFileLength(HANDLE printer, const WCHAR *currentPath)
{
    UniqueBlock<DRIVER_INFO_2W> info = ReadDriverInfo(printer);
    if (!info)
        return -1;
    const WCHAR *dataFile = info->pDataFile ? info->pDataFile : L"";
    if (currentPath && lstrcmpW(currentPath, dataFile) == 0)
        return 0;
    return lstrlenW(dataFile);
}

WCHAR *DataFileCopy(HANDLE printer)
{
    UniqueBlock<DRIVER_INFO_2W> info = ReadDriverInfo(printer);
    if (!info)
        return NULL;
    const WCHAR *dataFile = info->pDataFile ? info->pDataFile : L"";
    SIZE_T chars = lstrlenW(dataFile) + 1;
    auto *copy = static_cast<WCHAR *>(PxAlloc(chars * sizeof(WCHAR)));
    if (copy)
        CopyMemory(copy, dataFile, chars * sizeof(WCHAR));
    return copy;
}

static BOOL LoadDataDriver(void)
{
    if (!g_dataDriverPath)
        return FALSE;
    ModuleLockGuard lock;
    HMODULE module = LoadLibraryW(g_dataDriverPath);
    g_dataDriver = g_dataDriverResources = module;
    if (module) {
        InterlockedIncrement(&g_loadCount);
        return TRUE;
    }
    return FALSE;
}

static void ClearSlots(void)
{
    for (int i = 0; i < PX_SLOT_COUNT; i++)
        g_slots[i] = NULL;
}

// The slots go with the library: after a failed reload none may point into
// the library just freed.
static void UnloadDataDriver(void)
{
    ModuleLockGuard lock;
    if (g_dataDriver)
        FreeLibrary(g_dataDriver);
    g_dataDriver = g_dataDriverResources = NULL;
    ClearSlots();
}

// Makes `copy` (a PxAlloc'd path) the data driver path. The old library
// goes first: a change of file is an unload followed by a load.
static void ReplacePath(WCHAR *copy)
{
    UnloadDataDriver();
    PxFree(g_dataDriverPath);
    g_dataDriverPath = copy;
}

static BOOL LoadIfNeeded(void)
{
    if (g_dataDriver)
        return TRUE;
    if (!LoadDataDriver()) {
        PxFree(g_dataDriverPath);
        g_dataDriverPath = NULL;
        return FALSE;
    }
    ClearSlots();
    return TRUE;
}

// Comparing and replacing the path runs under the module lock (a recursive
// critical section), so two threads binding printers with different data
// drivers cannot free the path or the library under each other.
BOOL BindDataDriver(HANDLE printer)
{
    if (!printer)
        return FALSE;
    ModuleLockGuard lock;
    int length = DataFileLength(printer, g_dataDriverPath);
    if (length < 0)
        return FALSE;
    if (length > 0) {
        WCHAR *copy = DataFileCopy(printer);
        if (!copy)
            return FALSE;
        ReplacePath(copy);
    }
    return LoadIfNeeded();
}

BOOL BindDataDriverFile(const WCHAR *path)
{
    if (!path || !path[0])
        return FALSE;
    ModuleLockGuard lock;
    if (g_dataDriver && g_dataDriverPath && wcscmp(g_dataDriverPath, path) == 0)
        return TRUE;
    SIZE_T chars = lstrlenW(path) + 1;
    auto *copy = static_cast<WCHAR *>(PxAlloc(chars * sizeof(WCHAR)));
    if (!copy)
        return FALSE;
    CopyMemory(copy, path, chars * sizeof(WCHAR));
    ReplacePath(copy);
    return LoadIfNeeded();
}

WCHAR *CopyBoundDataDriverPath(void)
{
    ModuleLockGuard lock;
    if (!g_dataDriver || !g_dataDriverPath)
        return NULL;
    SIZE_T chars = lstrlenW(g_dataDriverPath) + 1;
    auto *copy = static_cast<WCHAR *>(PxAlloc(chars * sizeof(WCHAR)));
    if (copy)
        CopyMemory(copy, g_dataDriverPath, chars * sizeof(WCHAR));
    return copy;
}

FARPROC ResolvedOperation(int id)
{
    if (id < 0 || id >= PX_SLOT_COUNT)
        return NULL;
    FARPROC proc = g_slots[id];
    if (proc)
        return proc;
    {
        ModuleLockGuard lock;
        char name[260];
        if (g_dataDriver && LoadStringA(ModuleInstance(), id, name, sizeof name) > 0)
            proc = GetProcAddress(g_dataDriver, name);
    }
    if (proc)
        g_slots[id] = proc;
    return proc;
}

BOOL BindAndCheck(HANDLE printer, PrinterInfoRecord *info)
{
    if (!BindDataDriver(printer)) {
        PX_TRACE(L"printer %p: no data driver could be bound", printer);
        SetLastError(PX_ERROR_BIND_FAILED);
        return FALSE;
    }
    if (!info || !DdPrinterInfo(info)) {
        PX_TRACE(L"printer %p: the data driver gives no printer information", printer);
        SetLastError(PX_ERROR_NO_PRINTER_INFO);
        return FALSE;
    }
    // Major version 1 with a minor version below 0x10; the last digit is free.
    uint32_t version = info->version;
    if ((version & 0xFF00) == 0x100 && (version & 0xF0) == 0) {
        PX_TRACE(L"printer %p: bound, interface version 0x%04x", printer, version);
        return TRUE;
    }
    PX_TRACE(L"printer %p: interface version 0x%04x refused", printer, version);
    SetLastError(PX_ERROR_VERSION_REFUSED);
    return FALSE;
}

void ReleaseDataDriverState(void)
{
    {
        ModuleLockGuard lock;
        if (g_dataDriver)
            FreeLibrary(g_dataDriver);
    }
    g_dataDriver = g_dataDriverResources = NULL;
    PxFree(g_dataDriverPath);
    g_dataDriverPath = NULL;
}

HMODULE BoundDataDriver(void) { return g_dataDriver; }
HMODULE BoundDataDriverResources(void) { return g_dataDriverResources; }

BOOL BoundDataDriverPath(WCHAR *path, size_t chars)
{
    ModuleLockGuard lock;
    if (!g_dataDriverPath || !path || chars == 0)
        return FALSE;
    lstrcpynW(path, g_dataDriverPath, static_cast<int>(chars));
    return TRUE;
}

BOOL OperationResolved(int id)
{
    return id >= 0 && id < PX_SLOT_COUNT && g_slots[id] != NULL;
}

LONG DataDriverLoadCount(void) { return g_loadCount; }
