#include "bench/cases.h"

#include <stdio.h>
#include <string.h>
#include <winspool.h>

#include "devmode/devmode.h"
#include "settings/presets.h"
#include "settingsfiles/paramfile.h"

const char *const kFloorItemLabels[FLOOR_ITEM_COUNT] = {
    "OpenPrinterW + ClosePrinter", "GetPrinterW level 2", "GetPrinterDriverW level 2",
    "GetPrinterDriverW level 3", "EnumFormsW level 1",
};

#define CTX(p) static_cast<BenchContext *>(p)

// --- Calls every driver answers, through the spooler ---------------------

static BOOL PapersCount(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DeviceCapabilitiesW(t->name, L"FILE:", DC_PAPERS, NULL, NULL) == t->paperCount;
}

static BOOL PapersBuffer(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DeviceCapabilitiesW(t->name, L"FILE:", DC_PAPERS,
                               reinterpret_cast<WCHAR *>(t->papers), NULL) == t->paperCount;
}

static BOOL PaperNames(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DeviceCapabilitiesW(t->name, L"FILE:", DC_PAPERNAMES, t->paperNames, NULL) ==
           t->paperCount;
}

static BOOL Resolutions(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DeviceCapabilitiesW(t->name, L"FILE:", DC_ENUMRESOLUTIONS,
                               reinterpret_cast<WCHAR *>(t->resolutions),
                               NULL) == t->resolutionCount;
}

static BOOL DocumentOut(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DocumentPropertiesW(NULL, t->handle, const_cast<WCHAR *>(t->name), t->output, NULL,
                               DM_OUT_BUFFER) == IDOK;
}

static BOOL DocumentInOut(void *p)
{
    PrinterTarget *t = CTX(p)->target;
    return DocumentPropertiesW(NULL, t->handle, const_cast<WCHAR *>(t->name), t->output,
                               t->changed, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
}

// --- The module's own entry points, called as the spooler calls them ----

static BOOL ConvertDefault(void *p)
{
    BenchContext *c = CTX(p);
    LONG size = sizeof(PXDEVMODE);
    return c->exports->DrvConvertDevMode(const_cast<WCHAR *>(c->target->name), NULL, c->convertOut,
                                      &size, CDM_DRIVER_DEFAULT) &&
           size == (LONG)sizeof(PXDEVMODE);
}

static BOOL ConvertCopy(void *p)
{
    BenchContext *c = CTX(p);
    LONG size = sizeof(PXDEVMODE);
    return c->exports->DrvConvertDevMode(const_cast<WCHAR *>(c->target->name), c->target->defaults,
                                      c->convertOut, &size, CDM_CONVERT) &&
           size == (LONG)sizeof(PXDEVMODE);
}

static BOOL QueryJob(BenchContext *c, DEVMODEW *job, BOOL expected)
{
    DEVQUERYPRINT_INFO info = {};
    info.cbSize = sizeof info;
    info.Level = 1;
    info.hPrinter = c->target->handle;
    info.pDevMode = job;
    info.pszErrorStr = c->errorText;
    info.cchErrorStr = sizeof c->errorText;
    BOOL printable = c->exports->DevQueryPrintEx(&info);
    return expected ? printable : !printable && info.cchNeeded > 2;
}

static BOOL QueryPrintable(void *p)
{
    return QueryJob(CTX(p), CTX(p)->target->defaults, TRUE);
}

static BOOL QueryFailing(void *p)
{
    return QueryJob(CTX(p), CTX(p)->failingJob, FALSE);
}

static BOOL ColorProfile(void *p)
{
    BenchContext *c = CTX(p);
    WCHAR name[MAX_PATH];
    ULONG size = sizeof name;
    FLONG flags = 0;
    return c->exports->DrvQueryColorProfile(c->target->handle, c->target->defaults,
                                         QCP_DEVICEPROFILE, name, &size, &flags) &&
           flags == QCP_PROFILEDISK && name[0];
}

// --- The settings parameter file, through the module's own code -----------

static BOOL SaveSettings(void *p)
{
    BenchContext *c = CTX(p);
    return SaveSettingsFile(c->settingsFile, c->savedRecord, StoreFromDevMode(c->savedRecord));
}

static BOOL LoadSettings(void *p)
{
    BenchContext *c = CTX(p);
    return LoadSettingsFile(c->settingsFile, c->loadedRecord, c->loadedStore) == 0;
}

// --- The spooler floor ----------------------------------------------------

static BOOL FloorOpenClose(void *p)
{
    HANDLE h;
    if (!OpenPrinterW(const_cast<WCHAR *>(CTX(p)->target->name), &h, NULL))
        return FALSE;
    return ClosePrinter(h);
}

static BOOL FloorGetPrinter2(void *p)
{
    BenchContext *c = CTX(p);
    DWORD needed;
    return GetPrinterW(c->target->handle, 2, c->infoBuffer, c->infoBufferSize, &needed);
}

static BOOL FloorGetDriver(BenchContext *c, DWORD level)
{
    DWORD needed;
    return GetPrinterDriverW(c->target->handle, NULL, level, c->infoBuffer, c->infoBufferSize,
                             &needed);
}

static BOOL FloorGetDriver2(void *p) { return FloorGetDriver(CTX(p), 2); }
static BOOL FloorGetDriver3(void *p) { return FloorGetDriver(CTX(p), 3); }

static BOOL FloorEnumForms(void *p)
{
    BenchContext *c = CTX(p);
    DWORD needed, count;
    return EnumFormsW(c->target->handle, 1, c->infoBuffer, c->infoBufferSize, &needed, &count) &&
           count > 0;
}

// A size query fails with ERROR_INSUFFICIENT_BUFFER and reports the size.
static BOOL SizeGetPrinter2(void *p)
{
    DWORD needed = 0;
    return !GetPrinterW(CTX(p)->target->handle, 2, NULL, 0, &needed) && needed > 0;
}

static BOOL SizeGetDriver(BenchContext *c, DWORD level)
{
    DWORD needed = 0;
    return !GetPrinterDriverW(c->target->handle, NULL, level, NULL, 0, &needed) && needed > 0;
}

static BOOL SizeGetDriver2(void *p) { return SizeGetDriver(CTX(p), 2); }
static BOOL SizeGetDriver3(void *p) { return SizeGetDriver(CTX(p), 3); }

static BOOL SizeEnumForms(void *p)
{
    DWORD needed = 0, count = 0;
    return !EnumFormsW(CTX(p)->target->handle, 1, NULL, 0, &needed, &count) && needed > 0;
}

const char *const kSizeQueryLabels[SIZE_QUERY_COUNT] = {
    "GetPrinterW level 2, size query", "GetPrinterDriverW level 2, size query",
    "GetPrinterDriverW level 3, size query", "EnumFormsW level 1, size query",
};
const TimedCall kSizeQueryCalls[SIZE_QUERY_COUNT] = {
    SizeGetPrinter2, SizeGetDriver2, SizeGetDriver3, SizeEnumForms,
};

const TimedCall kFloorCalls[FLOOR_ITEM_COUNT] = {
    FloorOpenClose, FloorGetPrinter2, FloorGetDriver2, FloorGetDriver3, FloorEnumForms,
};

// Floors, in FloorItem order: open+close, GetPrinterW 2, driver 2, driver 3,
// forms. Wine hands DrvDeviceCapabilities no printer handle, so the module
// opens the printer by name; the document no-UI path builds the opened record
// (stored record, forms) and the default record (forms again) and reads the
// help file path; the conversion default never reads the stored record.
const BenchCase kBenchCases[] = {
    {"DeviceCapabilitiesW DC_PAPERS (count)", PapersCount, TRUE, TRUE, {1, 1, 1, 0, 1}},
    {"DeviceCapabilitiesW DC_PAPERS (buffer)", PapersBuffer, TRUE, TRUE, {1, 1, 1, 0, 1}},
    {"DeviceCapabilitiesW DC_PAPERNAMES", PaperNames, TRUE, TRUE, {1, 1, 1, 0, 1}},
    {"DeviceCapabilitiesW DC_ENUMRESOLUTIONS", Resolutions, TRUE, TRUE, {1, 1, 1, 0, 1}},
    {"DocumentPropertiesW DM_OUT_BUFFER", DocumentOut, TRUE, TRUE, {0, 1, 1, 1, 2}},
    {"DocumentPropertiesW DM_IN_BUFFER|DM_OUT_BUFFER", DocumentInOut, TRUE, TRUE, {0, 1, 1, 1, 2}},
    {"DrvConvertDevMode CDM_DRIVER_DEFAULT", ConvertDefault, FALSE, TRUE, {1, 0, 1, 0, 1}},
    {"DrvConvertDevMode CDM_CONVERT", ConvertCopy, FALSE, FALSE, {0, 0, 0, 0, 0}},
    {"DevQueryPrintEx (printable job)", QueryPrintable, FALSE, TRUE, {0, 1, 1, 0, 1}},
    {"DevQueryPrintEx (failing job)", QueryFailing, FALSE, TRUE, {0, 1, 1, 0, 1}},
    {"DrvQueryColorProfile", ColorProfile, FALSE, FALSE, {0, 0, 0, 0, 0}},
    {"SaveSettingsFile", SaveSettings, FALSE, FALSE, {0, 0, 0, 0, 0}},
    {"LoadSettingsFile", LoadSettings, FALSE, FALSE, {0, 0, 0, 0, 0}},
};
const int kBenchCaseCount = sizeof kBenchCases / sizeof kBenchCases[0];

// --- Preparation ------------------------------------------------------------

static void *Alloc(SIZE_T bytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes);
}

// A full record of our printer with the built-in print settings, saved once
// so that loading has a file from the start.
static BOOL PrepareSettingsFile(BenchContext *c)
{
    if (c->target->devModeSize != (LONG)sizeof(PXDEVMODE))
        return TRUE;  // not our driver's record: the settings cases do not apply
    WCHAR dir[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, dir);
    if (!length || length + 16 > MAX_PATH)
        return FALSE;
    _snwprintf(c->settingsFile, MAX_PATH, L"%lspxbench.ovp", dir);
    c->savedRecord = static_cast<PXDEVMODE *>(Alloc(sizeof(PXDEVMODE)));
    c->loadedRecord = static_cast<PXDEVMODE *>(Alloc(sizeof(PXDEVMODE)));
    if (!c->savedRecord || !c->loadedRecord)
        return FALSE;
    CopyMemory(c->savedRecord, c->target->defaults, sizeof(PXDEVMODE));
    CopyMemory(c->loadedRecord, c->target->defaults, sizeof(PXDEVMODE));
    if (!AllocSettingStore(c->savedRecord) || !AllocSettingStore(c->loadedRecord))
        return FALSE;
    InstallPresets(c->savedRecord);
    c->loadedStore = StoreFromDevMode(c->loadedRecord);
    return SaveSettings(c);
}

BOOL PrepareContext(BenchContext *c, PrinterTarget *target, const ModuleExports *exports)
{
    memset(c, 0, sizeof *c);
    c->target = target;
    c->exports = exports;
    c->infoBufferSize = 256 * 1024;
    c->infoBuffer = static_cast<BYTE *>(Alloc(c->infoBufferSize));
    c->convertOut = static_cast<DEVMODEW *>(Alloc(sizeof(PXDEVMODE)));
    c->failingJob = static_cast<DEVMODEW *>(Alloc(target->devModeSize));
    if (!c->infoBuffer || !c->convertOut || !c->failingJob)
        return FALSE;
    // The conversion keeps the destination's own header: declare a full record.
    CopyMemory(c->convertOut, target->defaults,
               target->devModeSize < (LONG)sizeof(PXDEVMODE) ? target->devModeSize
                                                             : sizeof(PXDEVMODE));
    // An orientation the driver does not know: the rebuild repairs it, so the
    // job is refused only after the whole rebuild and comparison ran.
    CopyMemory(c->failingJob, target->defaults, target->devModeSize);
    c->failingJob->dmFields |= DM_ORIENTATION;
    c->failingJob->dmOrientation = 7;
    return PrepareSettingsFile(c);
}

void ReleaseContext(BenchContext *c)
{
    HANDLE heap = GetProcessHeap();
    if (c->infoBuffer)
        HeapFree(heap, 0, c->infoBuffer);
    if (c->convertOut)
        HeapFree(heap, 0, c->convertOut);
    if (c->failingJob)
        HeapFree(heap, 0, c->failingJob);
    if (c->savedRecord) {
        ReleaseSettingStore(c->savedRecord);
        HeapFree(heap, 0, c->savedRecord);
    }
    if (c->loadedRecord) {
        ReleaseSettingStore(c->loadedRecord);
        HeapFree(heap, 0, c->loadedRecord);
    }
    if (c->settingsFile[0])
        DeleteFileW(c->settingsFile);
    memset(c, 0, sizeof *c);
}
