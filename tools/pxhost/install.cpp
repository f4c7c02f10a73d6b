#include "tools/pxhost/install.h"

#include <stdarg.h>
#include <stdio.h>
#include <winspool.h>

#include "core/scope.h"
#include "core/trace.h"
#include "tools/pxhost/driverpackage.h"

namespace {

// Full source paths of the four files the spooler is given.
struct DriverSources {
    WCHAR driver[MAX_PATH];
    WCHAR config[MAX_PATH];
    WCHAR data[MAX_PATH];
    WCHAR help[MAX_PATH];
};

DWORD Report(WCHAR *message, int chars, DWORD error, const WCHAR *format, ...)
{
    va_list args;
    va_start(args, format);
    _vsnwprintf(message, chars - 1, format, args);
    va_end(args);
    message[chars - 1] = 0;
    PX_TRACE(L"error %lu: %ls", error, message);
    return error;
}

void JoinPath(WCHAR *out, const WCHAR *dir, const WCHAR *name)
{
    int length = lstrlenW(dir);
    const WCHAR *separator = (length > 0 && dir[length - 1] != L'\\' && dir[length - 1] != L'/') ? L"\\" : L"";
    _snwprintf(out, MAX_PATH - 1, L"%ls%ls%ls", dir, separator, name);
    out[MAX_PATH - 1] = 0;
}

BOOL IsFolder(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL IsFile(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A package file lies in its disk folder inside the package; a build folder
// holds one architecture flat, so without that folder it lies in the root.
void SourcePath(const WCHAR *sourceDir, const PackageFile *file, WCHAR *out)
{
    WCHAR folder[MAX_PATH];
    JoinPath(folder, sourceDir, file->diskPath);
    JoinPath(out, file->diskPath[0] && IsFolder(folder) ? folder : sourceDir, file->name);
}

DWORD LocateSources(const PrinterInstall *install, const DriverPackage *package,
                    const WCHAR *sourceDir, DriverSources *sources, WCHAR *message, int chars)
{
    struct Role {
        const WCHAR *what;
        const WCHAR *name;
        WCHAR *path;
    } roles[] = {
        {L"driver", package->driverFile, sources->driver},
        {L"configuration file", package->configFile, sources->config},
        {L"data file", package->dataFile, sources->data},
        {L"help file", package->helpFile, sources->help},
    };
    for (Role &role : roles)
        SourcePath(sourceDir, FindPackageFile(package, role.name), role.path);
    if (install->dataFile)
        JoinPath(sources->data, sourceDir, install->dataFile);
    for (const Role &role : roles)
        if (!IsFile(role.path))
            return Report(message, chars, ERROR_FILE_NOT_FOUND, L"the %ls %ls is missing: %ls",
                          role.what, role.name, role.path);
    return ERROR_SUCCESS;
}

BOOL PrinterExists(const WCHAR *name)
{
    UniquePrinter printer;
    return OpenPrinterW(const_cast<WCHAR *>(name), printer.put(), NULL);
}

BOOL DriverExists(const WCHAR *name)
{
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(NULL, NULL, 1, NULL, 0, &needed, &count);
    UniqueBlock<DRIVER_INFO_1W> drivers = UniqueBlock<DRIVER_INFO_1W>::Allocate(needed + sizeof(DRIVER_INFO_1W));
    if (!drivers || !EnumPrinterDriversW(NULL, NULL, 1, reinterpret_cast<BYTE *>(drivers.get()),
                                         needed, &needed, &count))
        return FALSE;
    for (DWORD i = 0; i < count; i++)
        if (lstrcmpiW(drivers.get()[i].pName, name) == 0)
            return TRUE;
    return FALSE;
}

DWORD AddDriver(const WCHAR *driverName, DriverSources *sources)
{
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = const_cast<WCHAR *>(driverName);
    info.pDriverPath = sources->driver;
    info.pConfigFile = sources->config;
    info.pDataFile = sources->data;
    info.pHelpFile = sources->help;
    if (!AddPrinterDriverExW(NULL, 3, reinterpret_cast<BYTE *>(&info),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return GetLastError();
    return ERROR_SUCCESS;
}

DWORD AddPrinterOnFilePort(const WCHAR *printerName, const WCHAR *driverName)
{
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<WCHAR *>(printerName);
    info.pPortName = const_cast<WCHAR *>(L"FILE:");
    info.pDriverName = const_cast<WCHAR *>(driverName);
    info.pPrintProcessor = const_cast<WCHAR *>(L"WinPrint");
    info.pDatatype = const_cast<WCHAR *>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    UniquePrinter printer(AddPrinterW(NULL, 2, reinterpret_cast<BYTE *>(&info)));
    return printer ? ERROR_SUCCESS : GetLastError();
}

void FolderOf(const WCHAR *path, WCHAR *folder)
{
    lstrcpynW(folder, path, MAX_PATH);
    int length = lstrlenW(folder);
    while (length > 0 && folder[length - 1] != L'\\' && folder[length - 1] != L'/')
        length--;
    folder[length] = 0;
    if (length == 0)
        lstrcpyW(folder, L".\\");
}

}  // namespace

DWORD InstallPrinter(const PrinterInstall *install, WCHAR *message, int chars)
{
    message[0] = 0;
    DriverPackage package;
    if (!ReadDriverPackage(install->infPath, &package, message, chars))
        return ERROR_BAD_FORMAT;
    WCHAR sourceDir[MAX_PATH];
    if (install->sourceDir)
        lstrcpynW(sourceDir, install->sourceDir, MAX_PATH);
    else
        FolderOf(install->infPath, sourceDir);
    const WCHAR *printerName = install->printerName ? install->printerName : package.model;
    const WCHAR *driverName = install->driverName ? install->driverName : package.model;

    DriverSources sources;
    DWORD error = LocateSources(install, &package, sourceDir, &sources, message, chars);
    if (error != ERROR_SUCCESS)
        return error;
    if (PrinterExists(printerName))
        return Report(message, chars, ERROR_PRINTER_ALREADY_EXISTS,
                      L"a printer named \"%ls\" already exists; nothing was changed", printerName);
    BOOL driverWasThere = DriverExists(driverName);
    error = AddDriver(driverName, &sources);
    if (error != ERROR_SUCCESS)
        return Report(message, chars, error, L"the spooler refused the driver \"%ls\" (error %lu)",
                      driverName, error);
    error = AddPrinterOnFilePort(printerName, driverName);
    if (error != ERROR_SUCCESS) {
        if (!driverWasThere)
            DeletePrinterDriverExW(NULL, NULL, const_cast<WCHAR *>(driverName), DPD_DELETE_UNUSED_FILES, 0);
        return Report(message, chars, error, L"the spooler refused the printer \"%ls\" (error %lu)",
                      printerName, error);
    }
    _snwprintf(message, chars - 1, L"installed: %ls (driver %ls; %ls, %ls, %ls)", printerName,
               driverName, package.driverFile, package.dataFile, package.helpFile);
    message[chars - 1] = 0;
    return ERROR_SUCCESS;
}

void ExecutableDir(WCHAR *dir, DWORD chars)
{
    DWORD length = GetModuleFileNameW(NULL, dir, chars);
    while (length > 0 && dir[length - 1] != L'\\')
        length--;
    dir[length < chars ? length : 0] = 0;
}
