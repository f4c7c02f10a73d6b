// Installs the driver package and printers into the spooler, from the
// package's INF.
#pragma once

#include <windows.h>

#define PX_PACKAGE_INF L"orvenpx.inf"

struct PrinterInstall {
    const WCHAR *infPath;      // the package's INF
    const WCHAR *sourceDir;    // package folder; NULL: the INF's folder
    const WCHAR *printerName;  // NULL: the INF's model name
    const WCHAR *dataFile;     // another data driver in sourceDir; NULL: the INF's
    const WCHAR *driverName;   // NULL: the INF's model name
};

// Reads the INF, checks that every file it names is in the package, that no
// printer of that name exists, then adds the driver (the spooler copies its
// files) and a printer on port FILE:. Nothing stays installed when a step
// fails. Returns ERROR_SUCCESS, or an error with a sentence for the user in
// message.
DWORD InstallPrinter(const PrinterInstall *install, WCHAR *message, int messageChars);

// The folder of the running executable, with a trailing backslash.
void ExecutableDir(WCHAR *dir, DWORD chars);
