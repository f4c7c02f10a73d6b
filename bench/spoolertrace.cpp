#include "bench/spoolertrace.h"

#include <string.h>
#include <winspool.h>

#include "bench/timing.h"

const char *const kSpoolerFunctionNames[SPOOLER_FUNCTION_COUNT] = {
    "OpenPrinterW", "ClosePrinter", "GetPrinterW", "GetPrinterDriverW", "EnumFormsW",
    "GetPrinterDataW",
};

static SpoolerTally g_tally;
static HMODULE g_module;

static void Count(SpoolerFunction f, double start)
{
    double spent = NowUs() - start;
    InterlockedIncrement(&g_tally.calls[f]);
    g_tally.us[f] += spent;  // the trace runs on one thread
}

static BOOL WINAPI TracedOpenPrinter(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults)
{
    double start = NowUs();
    BOOL ok = OpenPrinterW(name, printer, defaults);
    Count(SPOOLER_OPEN_PRINTER, start);
    return ok;
}

static BOOL WINAPI TracedClosePrinter(HANDLE printer)
{
    double start = NowUs();
    BOOL ok = ClosePrinter(printer);
    Count(SPOOLER_CLOSE_PRINTER, start);
    return ok;
}

static BOOL WINAPI TracedGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                                    LPDWORD needed)
{
    double start = NowUs();
    BOOL ok = GetPrinterW(printer, level, buffer, size, needed);
    DWORD error = GetLastError();
    Count(SPOOLER_GET_PRINTER, start);
    SetLastError(error);
    return ok;
}

static BOOL WINAPI TracedGetPrinterDriver(HANDLE printer, LPWSTR environment, DWORD level,
                                          LPBYTE buffer, DWORD size, LPDWORD needed)
{
    double start = NowUs();
    BOOL ok = GetPrinterDriverW(printer, environment, level, buffer, size, needed);
    DWORD error = GetLastError();
    Count(SPOOLER_GET_PRINTER_DRIVER, start);
    SetLastError(error);
    return ok;
}

static BOOL WINAPI TracedEnumForms(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                                   LPDWORD needed, LPDWORD returned)
{
    double start = NowUs();
    BOOL ok = EnumFormsW(printer, level, buffer, size, needed, returned);
    DWORD error = GetLastError();
    Count(SPOOLER_ENUM_FORMS, start);
    SetLastError(error);
    return ok;
}

static DWORD WINAPI TracedGetPrinterData(HANDLE printer, LPWSTR name, LPDWORD type, LPBYTE data,
                                         DWORD size, LPDWORD needed)
{
    double start = NowUs();
    DWORD result = GetPrinterDataW(printer, name, type, data, size, needed);
    Count(SPOOLER_GET_PRINTER_DATA, start);
    return result;
}

static const FARPROC kTraced[SPOOLER_FUNCTION_COUNT] = {
    reinterpret_cast<FARPROC>(TracedOpenPrinter),
    reinterpret_cast<FARPROC>(TracedClosePrinter),
    reinterpret_cast<FARPROC>(TracedGetPrinter),
    reinterpret_cast<FARPROC>(TracedGetPrinterDriver),
    reinterpret_cast<FARPROC>(TracedEnumForms),
    reinterpret_cast<FARPROC>(TracedGetPrinterData),
};

static int FunctionIndex(const char *name)
{
    for (int i = 0; i < SPOOLER_FUNCTION_COUNT; i++)
        if (strcmp(name, kSpoolerFunctionNames[i]) == 0)
            return i;
    return -1;
}

static void WriteEntry(FARPROC *entry, FARPROC value)
{
    DWORD old;
    if (VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) {
        *entry = value;
        VirtualProtect(entry, sizeof *entry, old, &old);
    }
}

// Walks the spooler's import descriptors of the module and sets each traced
// entry to the traced function (redirect) or back to the spooler's own.
static int PatchImports(HMODULE module, BOOL redirect)
{
    BYTE *base = reinterpret_cast<BYTE *>(module);
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return 0;
    HMODULE spooler = GetModuleHandleW(L"winspool.drv");
    int patched = 0;
    auto *desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress);
    for (; desc->Name; desc++) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + desc->Name), "winspool.drv") != 0)
            continue;
        // Without the lookup table the names are gone once the loader bound them.
        if (!desc->OriginalFirstThunk)
            continue;
        auto *thunk = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->OriginalFirstThunk);
        auto *entry = reinterpret_cast<FARPROC *>(base + desc->FirstThunk);
        for (; thunk->u1.AddressOfData; thunk++, entry++) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal))
                continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + thunk->u1.AddressOfData);
            const char *name = reinterpret_cast<const char *>(byName->Name);
            int f = FunctionIndex(name);
            if (f < 0)
                continue;
            WriteEntry(entry, redirect ? kTraced[f] : GetProcAddress(spooler, name));
            patched++;
        }
    }
    return patched;
}

BOOL StartSpoolerTrace(HMODULE module)
{
    g_tally = SpoolerTally();
    g_module = module;
    return PatchImports(module, TRUE) > 0;
}

SpoolerTally StopSpoolerTrace(void)
{
    if (g_module)
        PatchImports(g_module, FALSE);
    g_module = NULL;
    return g_tally;
}
