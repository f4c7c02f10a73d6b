#include "tools/pxhost/commands.h"
#include "tools/pxhost/install.h"

int RunInstall(int argc, WCHAR **argv)
{
    WCHAR dir[MAX_PATH];
    ExecutableDir(dir, MAX_PATH);
    const WCHAR *printer = OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210");
    PrinterInstall install = {printer, printer, OptionValue(argc, argv, L"--dir", dir),
                              OptionValue(argc, argv, L"--data", L"pxdata.dll")};
    DWORD error = InstallPrinter(&install);
    if (error != ERROR_SUCCESS) {
        PrintUtf8(L"install failed: %ls: error %lu\n", printer, error);
        return PXHOST_FAILED;
    }
    PrintUtf8(L"installed: %ls\n", printer);
    return PXHOST_OK;
}
