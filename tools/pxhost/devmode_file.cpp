#include "tools/pxhost/devmode_file.h"

#include <stddef.h>
#include <winspool.h>

#include "core/module.h"
#include "core/scope.h"
#include "tools/pxhost/commands.h"

static BOOL ReadWholeFile(const WCHAR *path, DevModeFile *file)
{
    UniqueFile handle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    if (!handle)
        return FALSE;
    DWORD size = GetFileSize(handle.get(), NULL);
    if (size == INVALID_FILE_SIZE || size > 16 * 1024 * 1024)
        return FALSE;
    DWORD capacity = size > sizeof(DEVMODEW) ? size : sizeof(DEVMODEW);
    UniqueBlock<BYTE> data = UniqueBlock<BYTE>::Allocate(capacity);
    DWORD read = 0;
    if (!data || !ReadFile(handle.get(), data.get(), size, &read, NULL) || read != size)
        return FALSE;
    file->data = data.release();
    file->bytes = size;
    return TRUE;
}

int ReadDevModeFile(const WCHAR *path, DevModeFile *file)
{
    file->data = NULL;
    file->bytes = 0;
    if (!ReadWholeFile(path, file)) {
        PrintUtf8(L"error: cannot read %ls: error %lu\n", path, GetLastError());
        return PXHOST_FAILED;
    }
    const DEVMODEW *dm = reinterpret_cast<const DEVMODEW *>(file->data);
    DWORD header = offsetof(DEVMODEW, dmFields);
    DWORD declared = file->bytes >= header ? dm->dmSize + dm->dmDriverExtra : 0;
    if (file->bytes < header || dm->dmSize < header || file->bytes < declared) {
        PrintUtf8(L"error: %ls is not a device mode: %lu bytes, the record declares %lu\n",
                  path, file->bytes, declared);
        FreeDevModeFile(file);
        return PXHOST_REFUSED;
    }
    return PXHOST_OK;
}

void FreeDevModeFile(DevModeFile *file)
{
    PxFree(file->data);
    file->data = NULL;
    file->bytes = 0;
}

BOOL WriteDevModeFile(const WCHAR *path, const void *data, DWORD bytes)
{
    UniqueFile handle(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, NULL));
    DWORD written = 0;
    return handle && WriteFile(handle.get(), data, bytes, &written, NULL) && written == bytes;
}

BOOL LoadDriverExports(const WCHAR *printer, const WCHAR *modulePath, ModuleExports *exports)
{
    WCHAR path[MAX_PATH];
    if (modulePath) {
        lstrcpynW(path, modulePath, MAX_PATH);
    } else if (!PrinterConfigModulePath(printer, path, MAX_PATH)) {
        PrintUtf8(L"error: cannot read the driver of printer %ls: error %lu\n", printer,
                  GetLastError());
        return FALSE;
    }
    if (!LoadModuleExports(path, exports)) {
        PrintUtf8(L"error: cannot load %ls: error %lu\n", path, GetLastError());
        return FALSE;
    }
    return TRUE;
}

BOOL HasFlag(int argc, WCHAR **argv, const WCHAR *flag)
{
    for (int i = 1; i < argc; i++)
        if (lstrcmpW(argv[i], flag) == 0)
            return TRUE;
    return FALSE;
}
