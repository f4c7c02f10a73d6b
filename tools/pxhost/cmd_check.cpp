// pxhost check: whether a saved device mode can be printed unchanged, asked
// the way the spooler asks the printer's driver (DevQueryPrintEx).
#include <windows.h>
#include <winspool.h>

#include "core/platform.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"

#define JOB_MESSAGE_FIRST 2560
#define JOB_MESSAGE_LAST 2577
#define REASON_CHARS 256

typedef BOOL(WINAPI *PFN_DevQueryPrintEx)(PDEVQUERYPRINT_INFO);

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

static int Check(HMODULE module, HANDLE printer, DEVMODEW *job)
{
    PFN_DevQueryPrintEx query =
        reinterpret_cast<PFN_DevQueryPrintEx>(GetProcAddress(module, "DevQueryPrintEx"));
    if (!query) {
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
    if (query(&info)) {
        PrintUtf8(L"result: printable\n");
        return PXHOST_OK;
    }
    reason[REASON_CHARS - 1] = 0;
    PrintUtf8(L"result: not printable\nid: %u\nreason: %ls\n", ReasonId(module, reason), reason);
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
    HANDLE printer;
    HMODULE module = NULL;
    result = PXHOST_FAILED;
    if (!OpenPrinterW(name, &printer, NULL)) {
        PrintUtf8(L"error: cannot open printer %ls: error %lu\n", name, GetLastError());
    } else {
        module = LoadPrinterConfigModule(name, OptionValue(argc, argv, L"--module", NULL));
        if (module)
            result = Check(module, printer, reinterpret_cast<DEVMODEW *>(job.data));
        ClosePrinter(printer);
    }
    if (module)
        FreeLibrary(module);
    FreeDevModeFile(&job);
    return result;
}
