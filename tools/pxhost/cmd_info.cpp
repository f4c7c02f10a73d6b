#include "core/binding.h"

#include <winspool.h>

#include "core/ddops.h"
#include "core/scope.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/fileversion.h"

static void PrintPrinterInfo(const PrinterInfoRecord *info)
{
    PrintUtf8(L"interface version: %u.%02x\n", (info->version >> 8) & 0xFF, info->version & 0xFF);
    PrintUtf8(L"capabilities: 0x%08x (colour %ls)\n", info->capabilities,
              (info->capabilities & PX_CAPS_COLOR) ? L"yes" : L"no");
    PrintUtf8(L"maximum copies: %d\n", info->maxCopies);
    PrintUtf8(L"paper width: %d to %d (0.1 mm)\n", info->minWidth, info->maxWidth);
    PrintUtf8(L"paper length: %d to %d (0.1 mm)\n", info->minLength, info->maxLength);
    for (int i = 0; i < 3; i++) {
        WCHAR text[256];
        if (DdLoadString(info->versionStringIds[i], text, 256) > 0)
            PrintUtf8(L"version text %d: %ls\n", i + 1, text);
    }
}

static void PrintCounts(void)
{
    PrintUtf8(L"media: %d\n", DdMediaQuery());
    PrintUtf8(L"paper types: %d\n", DdPtypeQuery());
    PrintUtf8(L"margins: %d\n", DdMarginQuery());
    PrintUtf8(L"papers: %d\n", DdPaperQuery());
}

int RunInfo(int argc, WCHAR **argv)
{
    const WCHAR *name = OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210");
    UniquePrinter printer = OpenPrinterScoped(name);
    if (!printer) {
        PrintUtf8(L"cannot open printer %ls: error %lu\n", name, GetLastError());
        return PXHOST_FAILED;
    }
    PrinterInfoRecord info = {};
    BOOL bound = BindAndCheck(printer.get(), &info);
    DWORD error = GetLastError();
    if (!bound) {
        PrintUtf8(L"binding the data driver failed: error 0x%08lx\n", error);
        return PXHOST_FAILED;
    }
    WCHAR path[MAX_PATH] = L"";
    BoundDataDriverPath(path, MAX_PATH);
    PrintUtf8(L"printer: %ls\ndata driver: %ls\n", name, path);
    PrintDriverFileVersions(printer.get(), path);
    PrintPrinterInfo(&info);
    PrintCounts();
    return PXHOST_OK;
}
