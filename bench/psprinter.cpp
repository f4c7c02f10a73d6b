#include "bench/psprinter.h"

#include <stdio.h>
#include <winspool.h>

#include "core/scope.h"

// With no CUPS printer the platform registers no PostScript driver, but its
// spooler library carries a generic PPD as a resource: write that out and
// register the PostScript driver with it as the data file.
#define PPD_RESOURCE_TYPE L"PPDFILE"
#define PPD_RESOURCE_ID 1

static BOOL PrinterExists(const WCHAR *name)
{
    return static_cast<bool>(OpenPrinterScoped(name));
}

static DWORD WriteGenericPpd(const WCHAR *path)
{
    UniqueLibrary spooler(LoadLibraryExW(L"winspool.drv", NULL, LOAD_LIBRARY_AS_DATAFILE));
    if (!spooler)
        return GetLastError();
    HRSRC resource =
        FindResourceW(spooler.get(), MAKEINTRESOURCEW(PPD_RESOURCE_ID), PPD_RESOURCE_TYPE);
    HGLOBAL loaded = resource ? LoadResource(spooler.get(), resource) : NULL;
    const char *text = loaded ? static_cast<const char *>(LockResource(loaded)) : NULL;
    if (!text)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    DWORD size = SizeofResource(spooler.get(), resource);
    // The resource is padded with NULs; the PPD is the text before them.
    DWORD length = 0;
    while (length < size && text[length])
        length++;
    UniqueFile file(
        CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file)
        return GetLastError();
    DWORD written = 0;
    BOOL ok = WriteFile(file.get(), text, length, &written, NULL) && written == length;
    return ok ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

static DWORD AddPostScriptDriver(WCHAR *ppdPath)
{
    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = const_cast<WCHAR *>(PS_DRIVER);
    info.pDriverPath = const_cast<WCHAR *>(L"wineps.drv");
    info.pConfigFile = const_cast<WCHAR *>(L"wineps.drv");
    info.pDataFile = ppdPath;
    info.pDefaultDataType = const_cast<WCHAR *>(L"RAW");
    if (!AddPrinterDriverExW(NULL, 3, reinterpret_cast<BYTE *>(&info),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return GetLastError();
    return ERROR_SUCCESS;
}

static DWORD AddPostScriptPrinter(void)
{
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<WCHAR *>(PS_PRINTER);
    info.pPortName = const_cast<WCHAR *>(L"FILE:");
    info.pDriverName = const_cast<WCHAR *>(PS_DRIVER);
    info.pPrintProcessor = const_cast<WCHAR *>(L"WinPrint");
    info.pDatatype = const_cast<WCHAR *>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(NULL, 2, reinterpret_cast<BYTE *>(&info));
    if (!printer)
        return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS ? ERROR_SUCCESS : GetLastError();
    ClosePrinter(printer);
    return ERROR_SUCCESS;
}

DWORD EnsurePostScriptPrinter(void)
{
    if (PrinterExists(PS_PRINTER))
        return ERROR_SUCCESS;
    WCHAR dir[MAX_PATH], ppd[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, dir);
    if (!length || length + 20 > MAX_PATH)
        return ERROR_PATH_NOT_FOUND;
    _snwprintf(ppd, MAX_PATH, L"%lsbench-generic.ppd", dir);
    DWORD error = WriteGenericPpd(ppd);
    if (error == ERROR_SUCCESS)
        error = AddPostScriptDriver(ppd);
    if (error == ERROR_SUCCESS)
        error = AddPostScriptPrinter();
    DeleteFileW(ppd);
    return error;
}
