// pxhost check: whether a saved device mode can be printed unchanged, asked
// the way the spooler asks the printer's driver (DevQueryPrintEx).
#include <windows.h>
#include <winspool.h>

#include "core/platform.h"
#include "core/scope.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"

#define JOB_MESSAGE_FIRST 2560
#define JOB_MESSAGE_LAST 2577
#define REASON_CHARS 256

// The reason's id: the message of the driver's string table that it matches.
static UINT ReasonId(HMODULE module, const WCHAR *reason)
{
    for (UINT id = JOB_MESSAGE_FIRST; id <= JOB_MESSAGE_LAST; id++) {
        WCHAR text[REASON_CHARS];
        if (LoadStringW(module, id, text, REASON_CHARS) > 0 && lstrcmpW(text, reason) == 0)
            return id;
    }
    return 0;
}

static int Check(const ModuleExports *driver, HANDLE printer, DEVMODEW *job)
{
    if (!driver->DevQueryPrintEx) {
        PrintUtf8(L"error: the driver has no DevQueryPrintEx\n");
        return PXHOST_FAILED;
    }
    WCHAR reason[REASON_CHARS] = L"";
    DEVQUERYPRINT_INFO info = {};
    info.cbSize = sizeof info;
    info.Level = 1;
    info.hPrinter = printer;
    info.pDevMode = job;
    info.pszErrorStr = reason;
    info.cchErrorStr = sizeof reason;  // the driver counts this in bytes
    if (driver->DevQueryPrintEx(&info)) {
        PrintUtf8(L"result: printable\n");
        return PXHOST_OK;
    }
    reason[REASON_CHARS - 1] = 0;
    PrintUtf8(L"result: not printable\nid: %u\nreason: %ls\n", ReasonId(driver->module, reason), reason);
    return PXHOST_NOT_PRINTABLE;
}

int RunCheck(int argc, WCHAR **argv)
{
    WCHAR *name = const_cast<WCHAR *>(OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210"));
    const WCHAR *in = OptionValue(argc, argv, L"--in", NULL);
    if (!in) {
        PrintUtf8(L"error: check needs --in FILE\n");
        return PXHOST_USAGE;
    }
    DevModeFile job;
    int result = ReadDevModeFile(in, &job);
    if (result != PXHOST_OK)
        return result;
    ModuleExports driver = {};
    result = PXHOST_FAILED;
    UniquePrinter printer = OpenPrinterScoped(name);
    if (!printer) {
        PrintUtf8(L"error: cannot open printer %ls: error %lu\n", name, GetLastError());
    } else {
        if (LoadDriverExports(name, OptionValue(argc, argv, L"--module", NULL), &driver))
            result = Check(&driver, printer.get(), reinterpret_cast<DEVMODEW *>(job.data));
    }
    FreeModuleExports(&driver);
    FreeDevModeFile(&job);
    return result;
}
