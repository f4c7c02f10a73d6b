#include "tools/pxhost/commands.h"
#include "tools/pxhost/install.h"

int RunInstall(int argc, WCHAR **argv)
{
    WCHAR inf[MAX_PATH];
    ExecutableDir(inf, MAX_PATH);
    lstrcatW(inf, PX_PACKAGE_INF);
    // Another data driver makes another driver: it is named after the printer,
    // so the package's own driver keeps its data file.
    const WCHAR *printer = OptionValue(argc, argv, L"--printer", NULL);
    const WCHAR *data = OptionValue(argc, argv, L"--data", NULL);
    PrinterInstall install = {OptionValue(argc, argv, L"--inf", inf), OptionValue(argc, argv, L"--dir", NULL),
                              printer, data, data ? printer : NULL};
    if (data && !printer) {
        PrintUtf8(L"install: --data needs --printer (the driver is named after the printer)\n");
        return PXHOST_USAGE;
    }
    WCHAR message[1024];
    DWORD error = InstallPrinter(&install, message, 1024);
    if (error != ERROR_SUCCESS) {
        PrintUtf8(L"install failed: %ls\n", message);
        return PXHOST_FAILED;
    }
    PrintUtf8(L"%ls\n", message);
    return PXHOST_OK;
}
