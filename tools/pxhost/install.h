// Installs the driver package and printers into the spooler.
#pragma once

#include <windows.h>

struct PrinterInstall {
    const WCHAR *driverName;   // the printer driver's name in the spooler
    const WCHAR *printerName;
    const WCHAR *sourceDir;    // folder holding pxui.dll and the data file
    const WCHAR *dataFile;     // file name of the data driver in sourceDir
};

// Adds the driver (copying its files into the spooler's driver folder) and a
// printer on port FILE:. An existing printer of that name is kept. Returns
// ERROR_SUCCESS or the failing call's error.
DWORD InstallPrinter(const PrinterInstall *install);

// The folder of the running executable, with a trailing backslash.
void ExecutableDir(WCHAR *dir, DWORD chars);
