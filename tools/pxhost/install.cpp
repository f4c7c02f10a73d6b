#include "tools/pxhost/install.h"

#include <winspool.h>

static void JoinPath(WCHAR *out, size_t chars, const WCHAR *dir, const WCHAR *file)
{
    lstrcpynW(out, dir, static_cast<int>(chars));
    size_t used = lstrlenW(out);
    if (used + 1 < chars)
        lstrcpynW(out + used, file, static_cast<int>(chars - used));
}

static DWORD AddDriver(const PrinterInstall *install)
{
    WCHAR module[MAX_PATH], dataFile[MAX_PATH];
    JoinPath(module, MAX_PATH, install->sourceDir, L"pxui.dll");
    JoinPath(dataFile, MAX_PATH, install->sourceDir, install->dataFile);

    DRIVER_INFO_3W info = {};
    info.cVersion = 3;
    info.pName = const_cast<WCHAR *>(install->driverName);
    info.pDriverPath = module;
    info.pConfigFile = module;
    info.pDataFile = dataFile;
    if (!AddPrinterDriverExW(NULL, 3, reinterpret_cast<BYTE *>(&info),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return GetLastError();
    return ERROR_SUCCESS;
}

static DWORD AddPrinterOnFilePort(const PrinterInstall *install)
{
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<WCHAR *>(install->printerName);
    info.pPortName = const_cast<WCHAR *>(L"FILE:");
    info.pDriverName = const_cast<WCHAR *>(install->driverName);
    info.pPrintProcessor = const_cast<WCHAR *>(L"WinPrint");
    info.pDatatype = const_cast<WCHAR *>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(NULL, 2, reinterpret_cast<BYTE *>(&info));
    if (!printer) {
        DWORD error = GetLastError();
        return error == ERROR_PRINTER_ALREADY_EXISTS ? ERROR_SUCCESS : error;
    }
    ClosePrinter(printer);
    return ERROR_SUCCESS;
}

DWORD InstallPrinter(const PrinterInstall *install)
{
    DWORD error = AddDriver(install);
    return error != ERROR_SUCCESS ? error : AddPrinterOnFilePort(install);
}

void ExecutableDir(WCHAR *dir, DWORD chars)
{
    DWORD length = GetModuleFileNameW(NULL, dir, chars);
    while (length > 0 && dir[length - 1] != L'\\')
        length--;
    dir[length < chars ? length : 0] = 0;
}
