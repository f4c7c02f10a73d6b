// pxhost devmode: the printer's default device mode, or a saved one merged
// into it, as an application gets it from DocumentPropertiesW.
#include <windows.h>
#include <winspool.h>
#include <stdio.h>
#include <string.h>

#include "core/module.h"
#include "core/scope.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_file.h"
#include "tools/pxhost/devmode_print.h"

#define MAX_SELECTED_FIELDS 128

// Splits "a,b,c" into names (pointers into text); FALSE on an unknown name.
static BOOL ParseFieldList(const WCHAR *list, char *text, size_t bytes, const char **names)
{
    lstrcpynA(text, Utf8(list, lstrlenW(list)).c_str(), static_cast<int>(bytes));
    int count = 0;
    for (char *name = strtok(text, ","); name; name = strtok(NULL, ",")) {
        if (!IsDevModeField(name) || count == MAX_SELECTED_FIELDS) {
            PrintUtf8(L"error: unknown device mode field: %hs\n", name);
            return FALSE;
        }
        names[count++] = name;
    }
    names[count] = NULL;
    return count > 0;
}

// Asks the driver for the record's size, then for the record itself.
static int QueryDevMode(HANDLE printer, WCHAR *name, DEVMODEW *input, UniqueBlock<BYTE> *record,
                        LONG *bytes)
{
    *bytes = DocumentPropertiesW(NULL, printer, name, NULL, NULL, 0);
    if (*bytes <= 0) {
        PrintUtf8(L"error: size query failed: %ld, error %lu\n", *bytes, GetLastError());
        return PXHOST_FAILED;
    }
    *record = UniqueBlock<BYTE>::Allocate(*bytes > PX_DM_TOTAL_SIZE ? *bytes : PX_DM_TOTAL_SIZE);
    DWORD mode = DM_OUT_BUFFER | (input ? DM_IN_BUFFER : 0);
    LONG result = *record ? DocumentPropertiesW(NULL, printer, name,
                                                reinterpret_cast<DEVMODEW *>(record->get()), input,
                                                mode)
                          : -1;
    if (result != IDOK) {
        PrintUtf8(L"error: DocumentPropertiesW failed: %ld, error %lu\n", result, GetLastError());
        return PXHOST_FAILED;
    }
    return PXHOST_OK;
}

static int ShowDevMode(HANDLE printer, WCHAR *name, DEVMODEW *input, int argc, WCHAR **argv)
{
    char fieldText[4096];
    const char *names[MAX_SELECTED_FIELDS + 1];
    const WCHAR *fields = OptionValue(argc, argv, L"--fields", NULL);
    if (fields && !ParseFieldList(fields, fieldText, sizeof fieldText, names))
        return PXHOST_USAGE;
    UniqueBlock<BYTE> record;
    LONG bytes = 0;
    int result = QueryDevMode(printer, name, input, &record, &bytes);
    const WCHAR *out = OptionValue(argc, argv, L"--out", NULL);
    if (result == PXHOST_OK && out && !WriteDevModeFile(out, record.get(), bytes)) {
        PrintUtf8(L"error: cannot write %ls: error %lu\n", out, GetLastError());
        result = PXHOST_FAILED;
    }
    if (result == PXHOST_OK) {
        fflush(stdout);
        PrintDevMode(stdout, reinterpret_cast<const PXDEVMODE *>(record.get()), bytes,
                     HasFlag(argc, argv, L"--json") ? DEVMODE_JSON : DEVMODE_TEXT,
                     fields ? names : NULL);
    }
    return result;
}

int RunDevMode(int argc, WCHAR **argv)
{
    WCHAR *name = const_cast<WCHAR *>(OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210"));
    const WCHAR *in = OptionValue(argc, argv, L"--in", NULL);
    DevModeFile input = {NULL, 0};
    if (in) {
        int read = ReadDevModeFile(in, &input);
        if (read != PXHOST_OK)
            return read;
    }
    int result = PXHOST_FAILED;
    if (UniquePrinter printer = OpenPrinterScoped(name)) {
        result = ShowDevMode(printer.get(), name, reinterpret_cast<DEVMODEW *>(input.data), argc,
                             argv);
    } else {
        PrintUtf8(L"error: cannot open printer %ls: error %lu\n", name, GetLastError());
    }
    FreeDevModeFile(&input);
    return result;
}
