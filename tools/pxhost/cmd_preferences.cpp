// pxhost preferences: the printing preferences as an application opens
// them, and what the user changed.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "core/scope.h"
#include "tools/pxhost/commands.h"
#include "tools/pxhost/devmode_print.h"

static std::vector<std::string> FieldLines(const PXDEVMODE *record)
{
    std::vector<std::string> lines;
    FILE *text = tmpfile();
    if (!text)
        return lines;
    PrintDevMode(text, record, sizeof *record, DEVMODE_TEXT, NULL);
    rewind(text);
    char line[2048];
    while (fgets(line, sizeof line, text))
        lines.push_back(line);
    fclose(text);
    return lines;
}

// "field: old -> new" for every printed field whose line changed.
static int PrintChanges(const PXDEVMODE *before, const PXDEVMODE *after)
{
    std::vector<std::string> a = FieldLines(before), b = FieldLines(after);
    int changes = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] == b[i])
            continue;
        std::string old = a[i].substr(0, a[i].find_last_not_of("\r\n") + 1);
        size_t colon = b[i].find(": ");
        std::string now = colon == std::string::npos ? b[i] : b[i].substr(colon + 2);
        printf("%s -> %s", old.c_str(), now.c_str());
        changes++;
    }
    if (changes == 0)
        printf("no changes\n");
    return changes;
}

int RunPreferences(int argc, WCHAR **argv)
{
    const WCHAR *name = OptionValue(argc, argv, L"--printer", L"ORVEN PX-2210");
    UniquePrinter printer;
    if (!OpenPrinterW(const_cast<WCHAR *>(name), printer.put(), NULL)) {
        PrintUtf8(L"cannot open printer %ls: error %lu\n", name, GetLastError());
        return PXHOST_FAILED;
    }
    WCHAR *device = const_cast<WCHAR *>(name);
    UniqueBlock<PXDEVMODE> before = UniqueBlock<PXDEVMODE>::Allocate();
    UniqueBlock<PXDEVMODE> after = UniqueBlock<PXDEVMODE>::Allocate();
    if (!before || !after ||
        DocumentPropertiesW(NULL, printer.get(), device, NULL, NULL, 0) != sizeof(PXDEVMODE) ||
        DocumentPropertiesW(NULL, printer.get(), device, &before->dm, NULL, DM_OUT_BUFFER) != IDOK) {
        PrintUtf8(L"the driver of %ls gives no device mode: error %lu\n", name, GetLastError());
        return PXHOST_FAILED;
    }
    CopyMemory(after.get(), before.get(), sizeof(PXDEVMODE));
    LONG result = DocumentPropertiesW(NULL, printer.get(), device, &after->dm, &before->dm,
                                      DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
    if (result < 0) {
        PrintUtf8(L"the printing preferences could not be shown: error %lu\n", GetLastError());
        return PXHOST_FAILED;
    }
    PrintChanges(before.get(), after.get());
    fflush(stdout);
    return PXHOST_OK;
}
