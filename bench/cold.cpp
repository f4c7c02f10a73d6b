#include "bench/cold.h"

#include <stdio.h>
#include <stdlib.h>
#include <tlhelp32.h>
#include <winspool.h>

#include "bench/timing.h"
#include "core/scope.h"
#include "tools/moduleexports/moduleexports.h"

#define CHILD_TIMEOUT_MS 60000

static int ModuleCount(void)
{
    // A failed snapshot is INVALID_HANDLE_VALUE, as a failed file is.
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0));
    if (!snapshot)
        return -1;
    MODULEENTRY32W entry;
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
         more = Module32NextW(snapshot.get(), &entry))
        count++;
    return count;
}

static int RunSplitChild(const WCHAR *printer)
{
    WCHAR path[MAX_PATH];
    double start = NowUs();
    if (!PrinterConfigModulePath(printer, path, MAX_PATH))
        return 1;
    double warmUp = NowUs() - start;
    int before = ModuleCount();
    start = NowUs();
    HMODULE module = LoadLibraryW(path);
    double load = NowUs() - start;
    int brought = ModuleCount() - before;
    start = NowUs();
    int papers = DeviceCapabilitiesW(printer, L"FILE:", DC_PAPERS, NULL, NULL);
    double call = NowUs() - start;
    if (!module || papers <= 0)
        return 1;
    printf("%.1f %.1f %d %.1f\n", warmUp, load, brought, call);
    fflush(stdout);
    return 0;
}

int RunColdChild(const WCHAR *printer, BOOL split)
{
    if (split)
        return RunSplitChild(printer);
    double start = NowUs();
    int papers = DeviceCapabilitiesW(printer, L"FILE:", DC_PAPERS, NULL, NULL);
    double elapsed = NowUs() - start;
    if (papers <= 0) {
        fprintf(stderr, "pxbench: cold DC_PAPERS on %ls answered %d\n", printer, papers);
        return 1;
    }
    printf("%.1f\n", elapsed);
    fflush(stdout);
    return 0;
}

// Runs one child and returns what it printed, or FALSE when it failed.
static BOOL RunChild(const WCHAR *printer, const WCHAR *mode, char *text, DWORD chars)
{
    WCHAR exe[MAX_PATH], command[2 * MAX_PATH + 32];
    GetModuleFileNameW(NULL, exe, MAX_PATH);
    _snwprintf(command, sizeof command / sizeof command[0], L"\"%ls\" %ls \"%ls\"", exe, mode,
               printer);
    command[sizeof command / sizeof command[0] - 1] = 0;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    UniqueHandle readEnd, writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0))
        return FALSE;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(exe, command, NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                                  &process);
    // Our copy of the write end goes, so the read ends when the child exits.
    writeEnd.reset();
    DWORD code = 1, total = 0;
    if (started) {
        UniqueHandle thread(process.hThread), child(process.hProcess);
        DWORD got = 0;
        while (total + 1 < chars &&
               ReadFile(readEnd.get(), text + total, chars - 1 - total, &got, NULL) && got)
            total += got;
        if (WaitForSingleObject(child.get(), CHILD_TIMEOUT_MS) == WAIT_OBJECT_0)
            GetExitCodeProcess(child.get(), &code);
    }
    text[total] = 0;
    return code == 0 && total > 0;
}

double ColdCallOnce(const WCHAR *printer)
{
    char text[64];
    return RunChild(printer, L"--cold-child", text, sizeof text) ? strtod(text, NULL) : -1;
}

BOOL ColdSplitOnce(const WCHAR *printer, ColdSplit *split)
{
    char text[128];
    if (!RunChild(printer, L"--cold-split-child", text, sizeof text))
        return FALSE;
    return sscanf(text, "%lf %lf %d %lf", &split->warmUpUs, &split->loadUs, &split->newModules,
                  &split->callUs) == 4;
}
